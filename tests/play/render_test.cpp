// The play field on the back buffer: tiles and their animation, empty cells,
// the boat and angler frames, the cursor by mode and the dashboard.
#include "play/render.h"

#include <gtest/gtest.h>

#include <array>

#include "core/numeric.h"
#include "play/boat.h"
#include "support/tournament_fixture.h"

namespace tw {
namespace {

using test::TournamentFixture;

TEST(FrameRuleTest, BoatFramesCountDownFromThirtyOne) {
  const std::pair<int, int> cases[] = {{0, 31},  {11, 31}, {12, 30}, {19, 30}, {20, 29},
                                       {243, 2}, {244, 1}, {251, 1}, {252, 0}, {255, 0}};
  for (auto [heading, frame] : cases)
    EXPECT_EQ(BoatFrame(static_cast<uint8_t>(heading)), frame) << heading;
}

TEST(FrameRuleTest, AnglerHasSixteenDirectionsOfSixSteps) {
  EXPECT_EQ(AnglerFrame(0, 0), 90);
  EXPECT_EQ(AnglerFrame(30, 5), 95);
  EXPECT_EQ(AnglerFrame(31, 0), 84);
  EXPECT_EQ(AnglerFrame(46, 0), 84);
  EXPECT_EQ(AnglerFrame(239, 0), 6);
  EXPECT_EQ(AnglerFrame(254, 3), 9);
  EXPECT_EQ(AnglerFrame(255, 0), 0);
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);
    fx.StartTournament();
    fx.PutBoat(1000, 500);
    FollowBoat(fx.Ctx);
  }
  uint16_t At(int32_t x, int32_t y) { return fx.DXDraw.Surface().At(x, y); }
  TournamentFixture fx;
};

TEST_F(RenderTest, AnimatedTileShowsEachFrameEightTimesAndItsLastNine) {
  fx.MakeLake(40, 120, 0);  // tile 0 has 4 frames
  std::vector<int32_t> shown;
  for (int i = 0; i < 34; ++i) {
    DrawMap(fx.Ctx);
    const uint16_t p = At(300, 200);
    int32_t frame = -1;
    for (int32_t f = 0; f < 4; ++f)
      if (p == fx.TileColor(0, f)) frame = f;
    shown.push_back(frame);
  }
  std::vector<int32_t> expected;
  for (int32_t f = 0; f < 4; ++f) expected.insert(expected.end(), f == 3 ? 9 : 8, f);
  expected.push_back(0);  // a cycle is 8n + 1 = 33 frames
  EXPECT_EQ(shown, expected);
}

TEST_F(RenderTest, CellsOutOfViewKeepTheirAnimation) {
  fx.MakeLake(40, 120, 1);
  DrawMap(fx.Ctx);
  DrawMap(fx.Ctx);
  GameState& s = fx.S();
  const MapPick inView = PickCell(s.Header, s.ViewX + 300, s.ViewY + 200);
  EXPECT_EQ(s.Cell(inView.Column, inView.Row).AnimTick, 2);
  EXPECT_EQ(s.Cell(0, 0).AnimTick, 0);
  EXPECT_EQ(s.Cell(40, 120).AnimTick, 0);
}

TEST_F(RenderTest, EmptyAndUnknownTilesLeaveThePreviousPicture) {
  fx.MakeLake(40, 120, -1);
  fx.FillCells(0, 0, 20, 40, -7);    // not a tile either
  fx.FillCells(21, 0, 40, 40, 999);  // beyond the library
  const uint16_t old = fx.Packed(0x123456);
  fx.DXDraw.Surface().Fill(old);
  DrawMap(fx.Ctx);
  for (int32_t y = 0; y < 480; y += 7)
    for (int32_t x = 0; x < 640; x += 7) ASSERT_EQ(At(x, y), old) << x << "," << y;
  EXPECT_EQ(fx.S().Cell(30, 35).AnimTick, 0);
}

// A map tile that stands on its diamond: 64 by `height`, the 4j + 2 middle
// pixels of each of the bottom 32 rows' upper half and their mirror, less
// any pixel named in `holes`.
Picture DiamondTile(int32_t height, uint32_t colour, std::vector<std::pair<int, int>> holes = {}) {
  Picture p(64, height, 0);
  for (int32_t j = 0; j < 32; ++j) {
    const int32_t half = std::min(j, 31 - j);
    for (int32_t x = 31 - 2 * half; x < 33 + 2 * half; ++x) p.At(x, height - 32 + j) = colour;
  }
  for (auto [x, y] : holes) p.At(x, y) = 0;
  return p;
}

// The rows the map is said to cover are painted whole, on any view and by
// real diamonds, which leave no gap between them; what cannot be vouched
// for (an empty cell, a tile with a hole, the map's edge) is not claimed.
TEST_F(RenderTest, RowsTheMapCoversArePaintedEveryPixel) {
  fx.DXTileList.Items(2).SetPicture(DiamondTile(32, 0x204080));
  fx.DXTileList.Items(24).PatternHeight = 96;  // a tree on its diamond
  fx.DXTileList.Items(24).SetPicture(DiamondTile(96, 0x306030));
  fx.DXTileList.Items(3).SetPicture(DiamondTile(32, 0x2040A0, {{31, 0}}));
  fx.MakeLake(40, 120, 2);
  for (int32_t c = 0; c <= 40; c += 3) fx.SetTile(c, 60, 24);
  fx.SetTile(20, 90, 3);
  fx.SetTile(10, 100, -1);
  GameState& s = fx.S();
  const uint16_t sentinel = fx.Packed(0x123456);
  struct View {
    int32_t x, y, coveredAtLeast;
  };
  for (const View v : {View{640, 800, 480}, View{645, 805, 475}, View{1, 7, 0}, View{-3, -20, 0},
                       View{1000, 1300, 0}, View{200, 1480, 0}, View{2000, 1800, 0}}) {
    s.ViewX = v.x;
    s.ViewY = v.y;
    std::array<uint8_t, 480> covered{};
    MapCoveredRows(fx.Ctx, covered);
    fx.DXDraw.Surface().Fill(sentinel);
    DrawMap(fx.Ctx);
    int32_t rows = 0;
    for (int32_t y = 0; y < 480; ++y) {
      if (!covered[static_cast<size_t>(y)]) continue;
      ++rows;
      for (int32_t x = 0; x < 640; ++x)
        ASSERT_NE(At(x, y), sentinel) << "view " << v.x << "," << v.y << " pixel " << x << "," << y;
    }
    EXPECT_GE(rows, v.coveredAtLeast) << v.x << "," << v.y;
    if (v.coveredAtLeast == 0) {
      EXPECT_LT(rows, 480) << v.x << "," << v.y;
    }
  }
}

// The map leaves the rows the dashboard paints over to the dashboard, and
// the frame looks the same; a dashboard with a see-through pixel in a row
// leaves that row and those above it to the map.
TEST_F(RenderTest, TheDashboardsRowsAreLeftToIt) {
  fx.DXTileList.Items(24).PatternHeight = 96;  // trees rise into the dashboard's rows
  fx.DXTileList.Items(24).SetPicture(DiamondTile(96, 0x306030));
  fx.MakeLake(40, 120, 2);
  for (int32_t c = 0; c <= 40; c += 2) fx.FillCells(c, 0, c, 120, 24);
  const int32_t top = DashboardTop(fx.Ctx);
  EXPECT_EQ(top, 480 - fx.objects.Find("fishdash").FrameHeight());
  auto frame = [&](int32_t coveredFrom) {
    fx.DXDraw.Surface().Fill(fx.Packed(0x123456));
    DrawMap(fx.Ctx, coveredFrom);
    DrawDashboard(fx.Ctx);
    const Surface16& shown = fx.DXDraw.Surface();
    return std::vector<uint16_t>(shown.Pixels(), shown.Pixels() + 640 * 480);
  };
  EXPECT_EQ(frame(top), frame(480));

  TPictureCollectionItem& dash = fx.objects.Find("fishdash");
  Picture holed = dash.GetPicture();
  holed.At(600, 10) = 0;
  dash.SetPicture(holed);
  EXPECT_EQ(DashboardTop(fx.Ctx), top + 11);
}

TEST_F(RenderTest, BoatShowsItsThrottlePictureOnlyWhileDriving) {
  GameState& s = fx.S();
  const int32_t bx = 1000 - s.ViewX, by = 500 - s.ViewY;
  s.BoatHeading = 0;
  DrawBoat(fx.Ctx);
  EXPECT_EQ(At(bx, by), fx.ObjectColor("boat1", 31));
  s.Gas = 1;
  s.BoatHeading = 252;
  DrawBoat(fx.Ctx);
  EXPECT_EQ(At(bx, by), fx.ObjectColor("boat1gas", 0));
  // Casting and reeling together never show the throttle.
  s.Casting = s.Reeling = 1;
  s.BoatHeading = 244;
  DrawBoat(fx.Ctx);
  EXPECT_EQ(At(bx, by), fx.ObjectColor("boat1", 1));
  s.Casting = s.Reeling = 0;
  s.BoatSprite = "boat3";
  DrawBoat(fx.Ctx);
  EXPECT_EQ(At(bx, by), fx.ObjectColor("boat3gas", 1));
}

TEST_F(RenderTest, AnglerFacesTheBoatsWayTheCursorOrTheLure) {
  GameState& s = fx.S();
  // His feet stand on the boat's centre: sample just above it.
  const int32_t ax = 1000 - s.ViewX, ay = 500 - s.ViewY - 2;
  s.Gas = 1;
  s.BoatHeading = 64;
  DrawAngler(fx.Ctx);
  EXPECT_EQ(At(ax, ay), fx.ObjectColor("fishguy", AnglerFrame(64, 0)));
  s.Gas = 0;
  s.MouseWorldX = 1000;
  s.MouseWorldY = 300;  // straight up: 192
  DrawAngler(fx.Ctx);
  EXPECT_EQ(At(ax, ay), fx.ObjectColor("fishguy", AnglerFrame(192, 0)));
  s.Reeling = 1;
  s.CastFrame = 5;
  s.LureX = 1200;
  s.LureY = 484;  // level with the point just above the boat: 0
  DrawAngler(fx.Ctx);
  EXPECT_EQ(At(ax, ay), fx.ObjectColor("fishguy", AnglerFrame(0, 5)));
}

TEST_F(RenderTest, CursorTellsWhetherARightClickWouldCast) {
  GameState& s = fx.S();
  fx.MouseMove(100, 100);
  auto drawCursor = [&] {
    fx.DXDraw.Surface().Fill(0);
    DrawCursor(fx.Ctx);
  };
  drawCursor();
  EXPECT_EQ(At(100, 100), fx.ObjectColor("mouse", 0));
  EXPECT_EQ(At(99, 99), 0);  // the tip is its top-left corner
  const MapPick under = PickCell(s.Header, s.MouseWorldX, s.MouseWorldY);
  fx.SetTile(under.Column, under.Row, 24);
  drawCursor();
  EXPECT_EQ(At(85, 85), fx.ObjectColor("mousenofish", 0));
  s.Gas = 1;
  drawCursor();
  EXPECT_EQ(At(85, 85), fx.ObjectColor("mousegas", 0));
  s.Casting = 1;
  drawCursor();
  EXPECT_EQ(At(100, 100), 0);
  EXPECT_EQ(At(85, 85), 0);
}

TEST_F(RenderTest, DashboardShowsTheCatchAndThePowerBarWhileHooked) {
  GameState& s = fx.S();
  s.FishCaught = 9;
  DrawDashboard(fx.Ctx);
  EXPECT_EQ(At(5, 470), fx.ObjectColor("fishdash", 0));
  EXPECT_EQ(At(60, 391), fx.ObjectColor("fishmeter", 6));
  EXPECT_EQ(At(286, 421), fx.ObjectColor("fishdash", 0));
  s.Hooked = 1;
  s.PowerFrame = 4;
  DrawDashboard(fx.Ctx);
  EXPECT_EQ(At(286, 421), fx.ObjectColor("powerbar", 4));
}

TEST_F(RenderTest, WakeDropOnTheDepthLineIsDrawnInNeitherPass) {
  GameState& s = fx.S();
  s.BoatHeading = 0;  // the depth line is the boat's own y
  for (WakeParticle& w : s.Wake) w = WakeParticle{};
  // Dir 64 drifts straight down by 0.75: start 0.75 above the line.
  s.Wake[5] = WakeParticle{900, 499.25f, 64, 32};
  s.Wake[6] = WakeParticle{940, 489.25f, 64, 32};  // behind the boat
  s.Wake[7] = WakeParticle{980, 509.25f, 64, 32};  // in front of it
  fx.DXDraw.Surface().Fill(0);
  DrawWakeRear(fx.Ctx);
  const uint16_t water = fx.ObjectColor("water", 0);
  auto drawnAt = [&](const WakeParticle& w) {
    return At(Round(w.X) - s.ViewX + 1, Round(w.Y) - s.ViewY + 1) == water;
  };
  EXPECT_FLOAT_EQ(s.Wake[5].Y, 500.0f);
  EXPECT_FALSE(drawnAt(s.Wake[5]));
  EXPECT_TRUE(drawnAt(s.Wake[6]));
  EXPECT_FALSE(drawnAt(s.Wake[7]));
  EXPECT_EQ(s.Wake[6].Life, 31);
  DrawWakeFront(fx.Ctx);
  EXPECT_FALSE(drawnAt(s.Wake[5]));
  EXPECT_TRUE(drawnAt(s.Wake[7]));
  EXPECT_EQ(s.Wake[7].Life, 31);  // the front pass neither moves nor ages
}

TEST_F(RenderTest, SplashGrowsForSixteenFramesAndVanishes) {
  GameState& s = fx.S();
  s.Splashes[2] = Splash{1000, 500, 0, 16};
  DrawSplashes(fx.Ctx);  // Life 16: an empty rectangle
  EXPECT_EQ(s.Splashes[2].Life, 15);
  for (int i = 0; i < 14; ++i) DrawSplashes(fx.Ctx);
  fx.DXDraw.Surface().Fill(0);
  DrawSplashes(fx.Ctx);  // Life 1: 15 by 8
  const int32_t x = 1000 - s.ViewX, y = 500 - s.ViewY;
  EXPECT_EQ(At(x + 14, y + 7), fx.ObjectColor("splash", 0));
  EXPECT_EQ(At(x + 15, y), 0);
  EXPECT_EQ(s.Splashes[2].Life, 0);
}

}  // namespace
}  // namespace tw
