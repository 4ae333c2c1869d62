// The line through real frames: a cast that waits for its moment, the first
// frames of the flight, the rod, landing anywhere, and the retrieve.
#include <gtest/gtest.h>

#include "core/numeric.h"
#include "fishing_fixture.h"
#include "world/iso_math.h"

namespace tw {
namespace {

using test::FishingFixture;

class LineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);
    fx.StartTournament();
    fx.PutBoat(1000, 800);
    S().BoatSpeed = 0;
    fx.Step(3);  // the camera settles on the boat
  }
  GameState& S() { return fx.S(); }
  // The boat's place on the screen.
  int32_t BoatScreenX() { return Round(S().BoatX) - S().ViewX; }
  int32_t BoatScreenY() { return Round(S().BoatY) - S().ViewY; }
  void RightClick(int32_t x, int32_t y) {
    fx.MouseMove(x, y);
    fx.MouseDown(MouseButton::Right, x, y);
    fx.MouseUp(MouseButton::Right, x, y);
  }
  // Frames until the line has landed (or a limit is reached).
  int FramesUntilReeling(int limit = 400) {
    int n = 0;
    while (!S().Reeling && n < limit && fx.Step(1)) ++n;
    return n;
  }
  FishingFixture fx;
};

TEST_F(LineTest, RequestTooCloseWaitsAndCastsOnceTheCursorMovesAway) {
  RightClick(BoatScreenX() + 100, BoatScreenY());
  fx.Step(5);
  EXPECT_EQ(S().CastRequest, 1);
  EXPECT_EQ(S().Casting, 0);
  fx.MouseMove(BoatScreenX() + 200, BoatScreenY() + 10);
  fx.Step(1);
  EXPECT_EQ(S().CastRequest, 0);
  EXPECT_EQ(S().Casting, 1);
  EXPECT_EQ(S().LureX, Round(S().BoatX) + 200);
  EXPECT_EQ(S().LureY, Round(S().BoatY) + 10);
  EXPECT_TRUE(fx.Sounding("cast"));
}

// The cursor must lie more than 115 pixels from the boat: a cast request at
// 114 and at 115 waits, one at 116 casts on the next frame.
TEST_F(LineTest, TheShortestCastIsJustBeyond115Pixels) {
  RightClick(BoatScreenX() + 114, BoatScreenY());
  for (const int32_t d : {114, 115}) {
    fx.MouseMove(BoatScreenX() + d, BoatScreenY());
    fx.Step(1);
    ASSERT_EQ(IsoDistance(Round(S().BoatX), Round(S().BoatY), S().MouseWorldX, S().MouseWorldY), d);
    EXPECT_EQ(S().Casting, 0) << d;
    EXPECT_EQ(S().CastRequest, 1) << d;
  }
  fx.MouseMove(BoatScreenX() + 116, BoatScreenY());
  fx.Step(1);
  EXPECT_EQ(S().Casting, 1);
  EXPECT_EQ(S().LureX, Round(S().BoatX) + 116);
}

TEST_F(LineTest, RequestWaitsForTheBoatToStop) {
  S().BoatSpeed = 0.6f;
  RightClick(BoatScreenX() + 200, BoatScreenY());
  fx.Step(1);
  EXPECT_EQ(S().Casting, 0);
  EXPECT_EQ(S().CastRequest, 1);
  int frames = 0;
  while (!S().Casting && frames < 200 && fx.Step(1)) ++frames;
  EXPECT_EQ(S().Casting, 1);
  EXPECT_LE(S().BoatSpeed, 0);
}

TEST_F(LineTest, FirstFrameOfACastShowsTheBobberOnTheRodTip) {
  RightClick(BoatScreenX() + 200, BoatScreenY());
  fx.Step(1);
  ASSERT_EQ(S().Casting, 1);
  // The tip: 32 ahead of the boat toward the target, 42 up.
  EXPECT_EQ(S().LineX[0], Round(S().BoatX) + 32);
  EXPECT_EQ(S().LineY[0], Round(S().BoatY));
  EXPECT_EQ(S().LineZ[0], 42);
  EXPECT_EQ(S().LinePoints, 2);
  EXPECT_EQ(S().CastFrame, 1);
  const int32_t tipX = Round(S().LineX[0]) - S().ViewX;
  const int32_t tipY = Round(S().LineY[0] - 42) - S().ViewY;
  // The bobber's top-left corner lies 4 left of and 4 above its point.
  EXPECT_EQ(fx.DXDraw.Surface().At(tipX - 3, tipY - 3), fx.ObjectColor("bobber", 0));
  EXPECT_EQ(fx.DXDraw.Surface().At(tipX + 1, tipY + 1), fx.ObjectColor("bobber", 0));
  // The new point went 9 pixels along the cast and climbed.
  EXPECT_NEAR(S().LineX[1], S().LineX[0] + 9, 1e-3);
  EXPECT_GT(S().LineZ[1], 42);
}

TEST_F(LineTest, AnglerSwingsFourFramesBeforeTheRodShows) {
  RightClick(BoatScreenX() + 300, BoatScreenY() + 60);
  for (int frame = 1; frame <= 7; ++frame) {
    fx.Step(1);
    EXPECT_EQ(S().CastFrame, std::min(frame, 5));
    EXPECT_EQ(S().Gas, 0);
  }
}

TEST_F(LineTest, RodIsDrawnOnlyFromTheFifthStepOn) {
  S().Casting = 1;
  S().LinePoints = 1;
  S().LineX[0] = S().BoatX + 32;
  S().LineY[0] = S().BoatY;
  S().LineZ[0] = 42;
  auto rodPixels = [&] {
    fx.DXDraw.Surface().Fill(0);
    DrawWaterLines(fx.Ctx);
    int n = 0;
    for (int32_t y = 0; y < 480; ++y)
      for (int32_t x = 0; x < 640; ++x) n += fx.DXDraw.Surface().At(x, y) != 0;
    return n;
  };
  S().CastFrame = 3;
  EXPECT_EQ(rodPixels(), 0);
  EXPECT_EQ(S().CastFrame, 4);
  EXPECT_GT(rodPixels(), 20);
  EXPECT_EQ(S().CastFrame, 5);
}

TEST_F(LineTest, ReelSpeedFollowsTheRod) {
  const struct {
    int32_t rod;
    float speed;
  } rods[] = {{1, 1.0f}, {2, 1.5f}, {3, 2.0f}, {4, 2.5f}};
  for (const auto& r : rods) {
    S().RodLevel = r.rod;
    S().CastRequest = 1;
    S().MouseWorldX = Round(S().BoatX) + 300;
    S().MouseWorldY = Round(S().BoatY);
    TryStartCast(fx.Ctx);
    ASSERT_EQ(S().Casting, 1);
    EXPECT_EQ(S().ReelSpeed, r.speed);
    // Straight back along x: each retrieve step covers ReelSpeed.
    S().Casting = 0;
    S().Reeling = 1;
    const float x = S().LureX;
    UpdateRetrieve(fx.Ctx);
    EXPECT_NEAR(x - S().LureX, r.speed, 1e-4) << r.rod;
    EXPECT_NEAR(S().LureY, Round(S().BoatY), 1e-4);
    S().Reeling = 0;
  }
}

TEST_F(LineTest, CastLandsWhereverTheCursorWasEvenOnLand) {
  // Land to the right of the boat, water where the click is made.
  const MapPick land = PickCell(S().Header, Round(S().BoatX) + 250, Round(S().BoatY));
  fx.FillCells(land.Column, land.Row - 3, land.Column + 2, land.Row + 3, 20);
  S().BoatSpeed = 0.5f;  // still gliding: the request waits
  RightClick(BoatScreenX() - 200, BoatScreenY());
  ASSERT_EQ(S().CastRequest, 1);
  fx.Step(1);
  fx.MouseMove(BoatScreenX() + 250, BoatScreenY());
  FramesUntilReeling();
  EXPECT_EQ(S().Reeling, 1);
  EXPECT_EQ(S().Casting, 0);
  EXPECT_FALSE(IsWaterTile(S().Cell(land.Column, land.Row).Tile));
  EXPECT_EQ(PickCell(S().Header, Round(S().LureX), Round(S().LureY)).Column, land.Column);
  EXPECT_TRUE(fx.Sounding("minisplash"));
  EXPECT_TRUE(fx.Sounding("reel"));
}

TEST_F(LineTest, EmptyRetrieveEndsQuietlyAndANewCastCanFollow) {
  RightClick(BoatScreenX() + 150, BoatScreenY() + 40);
  FramesUntilReeling();
  ASSERT_EQ(S().Reeling, 1);
  int frames = 0;
  int rings = 0;
  while (S().Reeling && frames < 1000 && fx.Step(1)) {
    ++frames;
    rings += S().Splashes[S().SplashNext].Life == 16;
  }
  EXPECT_EQ(S().Reeling, 0);
  EXPECT_EQ(S().Hooked, 0);
  EXPECT_EQ(S().FishSpent, 0);
  EXPECT_FALSE(fx.Sounding("reel"));
  EXPECT_GT(rings, frames / 6);
  EXPECT_LT(rings, frames * 2 / 3);
  EXPECT_LT(
      IsoDistance(Round(S().LureX), Round(S().LureY), Round(S().LineX[0]), Round(S().LineY[0])),
      30);
  RightClick(BoatScreenX() - 150, BoatScreenY() - 40);
  fx.Step(1);
  EXPECT_EQ(S().Casting, 1);
}

TEST_F(LineTest, NoCastOnceTheTournamentIsEnding) {
  S().GameOver = 1;
  S().GameOverCountdown = 500;
  RightClick(BoatScreenX() + 200, BoatScreenY());
  fx.Step(3);
  EXPECT_EQ(S().Casting, 0);
}

TEST_F(LineTest, FullChainStopsGrowingInsteadOfRunningOff) {
  S().Casting = 1;
  S().LinePoints = 254;
  S().LureX = S().BoatX + 100000;
  S().LureY = S().BoatY;
  for (int32_t j = 0; j < 256; ++j) {
    S().LineX[j] = S().BoatX;
    S().LineY[j] = S().BoatY;
    S().LineZ[j] = 42;
  }
  for (int i = 0; i < 5; ++i) UpdateFlight(fx.Ctx);
  EXPECT_EQ(S().LinePoints, 255);
  EXPECT_EQ(S().Casting, 1);
}

}  // namespace
}  // namespace tw
