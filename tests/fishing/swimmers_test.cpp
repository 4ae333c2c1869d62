// Fish and monsters: darting, bouncing off the shore, circling, the bite
// test, monsters closing in, and filling the lake at the start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "core/numeric.h"
#include "fishing_fixture.h"
#include "world/iso_math.h"

namespace tw {
namespace {

using test::FishingFixture;

class SwimmersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(20, 60);
    fx.S().LastFishIndex = 0;
    fx.S().LastMonsterIndex = -1;
  }
  GameState& S() { return fx.S(); }
  FishingFixture fx;
};

// The lowest a lake file can say: darts are too rare to happen in a test.
constexpr int32_t kNeverDarts = INT32_MIN;

TEST_F(SwimmersTest, DifficultyOfNinetyNineOrMoreDartsEveryFrame) {
  for (int32_t difficulty : {99, 100, 250}) {
    S().Difficulty = difficulty;
    fx.RestingFish(0, 600, 400);
    for (int frame = 0; frame < 20; ++frame) {
      UpdateFish(fx.Ctx);
      // A dart sets at least Difficulty / 50; one frame of drift takes 0.015.
      EXPECT_GE(S().Fish[0].Speed, difficulty / 50.0 - 0.015 - 1e-4) << difficulty;
    }
  }
}

TEST_F(SwimmersTest, FishOnLandTurnsAboutAndDashesBackFromItsSafePoint) {
  S().Difficulty = kNeverDarts;
  const float wx = FishingFixture::CellCentreX(S(), 5, 20),
              wy = FishingFixture::CellCentreY(S(), 20);
  fx.SetTile(5, 20, 10);
  float slowest = 10, fastest = 0;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    fx.T.Rng().SetSeed(seed);
    FishRecord& f = fx.RestingFish(0, wx, wy, 10);
    f.LastX = wx - 100;
    f.LastY = wy - 40;
    UpdateFish(fx.Ctx);
    EXPECT_EQ(f.Dir, 138);
    const float speed = f.Speed + 0.015f;
    slowest = std::min(slowest, speed);
    fastest = std::max(fastest, speed);
    EXPECT_NEAR(f.X, wx - 100 + Cos256(138) * speed, 1e-3);
    EXPECT_NEAR(f.Y, wy - 40 + Sin256(138) * speed / 2, 1e-3);
  }
  EXPECT_GE(slowest, 1.5f - 1e-4f);
  EXPECT_LE(fastest, 3.375f + 1e-4f);
  EXPECT_LT(slowest, 1.75f);
  EXPECT_GT(fastest, 3.0f);
}

TEST_F(SwimmersTest, SafePointFollowsOnlyOnceTheFishMovedMoreThanThreePixels) {
  S().Difficulty = kNeverDarts;
  FishRecord& f = fx.RestingFish(0, 600, 400);
  f.LastX = 598;
  f.LastY = 399;  // exactly 3 away
  UpdateFish(fx.Ctx);
  EXPECT_EQ(f.LastX, 598);
  f.LastX = 597.5f;  // 3.5 away
  UpdateFish(fx.Ctx);
  EXPECT_EQ(f.LastX, 600);
  EXPECT_EQ(f.LastY, 400);
}

TEST_F(SwimmersTest, RestingFishStaysPutAndFacesItsHeading) {
  S().Difficulty = kNeverDarts;
  S().ViewX = 400;
  S().ViewY = 200;
  for (uint8_t dir : {0, 17, 100, 200}) {
    FishRecord& f = fx.RestingFish(0, 700, 400, dir);
    for (int i = 0; i < 10; ++i) UpdateFish(fx.Ctx);
    EXPECT_EQ(f.X, 700);
    EXPECT_EQ(f.Y, 400);
    EXPECT_EQ(f.Speed, 0);
    EXPECT_EQ(fx.DXDraw.Surface().At(300, 200), fx.ObjectColor("fish", Sector(dir))) << int(dir);
  }
  EXPECT_EQ(Sector(0), 0);
  EXPECT_EQ(Sector(1), 15);
  EXPECT_EQ(Sector(16), 15);
  EXPECT_EQ(Sector(17), 14);
  EXPECT_EQ(Sector(255), 0);
  EXPECT_EQ(Sector(128), 8);
}

// A fish or monster one pixel either side of showing at each screen edge
// paints exactly what its picture paints there (heading 0, roaming: frame 0).
TEST_F(SwimmersTest, SwimmersAtTheScreenEdgesPaintWhatTheirPictureDrawsThere) {
  S().Difficulty = kNeverDarts;
  S().BoatX = S().BoatY = 1e6f;  // far away: monsters roam and raid no one
  Surface16& screen = fx.DXDraw.Surface();
  const int32_t w = screen.Width(), h = screen.Height();
  for (const bool monster : {false, true}) {
    TPictureCollectionItem& picture = fx.objects.Find(monster ? S().MonsterKind : "fish");
    const int32_t fw = picture.FrameWidth(), fh = picture.FrameHeight();
    S().LastFishIndex = monster ? -1 : 0;
    S().LastMonsterIndex = monster ? 0 : -1;
    for (const int32_t x : {-fw - 1, -fw, -fw + 1, w / 2, w - 1, w, w + 1}) {
      for (const int32_t y : {-fh - 1, -fh, -fh + 1, h / 2, h - 1, h, h + 1}) {
        screen.Fill(0);
        Surface16 want = screen;
        picture.Draw(want, x, y, 0);
        S().Monsters[0] = fx.RestingFish(0, static_cast<float>(x + picture.PatternWidth / 2),
                                         static_cast<float>(y + picture.PatternHeight / 2));
        monster ? UpdateMonsters(fx.Ctx) : UpdateFish(fx.Ctx);
        ASSERT_TRUE(std::equal(want.Pixels(), want.Pixels() + w * h, screen.Pixels()))
            << (monster ? "monster" : "fish") << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(SwimmersTest, DriftingFishSlowsToAStop) {
  S().Difficulty = kNeverDarts;
  FishRecord& f = fx.RestingFish(0, 600, 400, 64);
  f.Speed = 0.1f;
  for (int i = 0; i < 6; ++i) UpdateFish(fx.Ctx);
  EXPECT_NEAR(f.Speed, 0.01, 1e-4);
  UpdateFish(fx.Ctx);
  EXPECT_EQ(f.Speed, 0);
}

TEST_F(SwimmersTest, BiteGoesToTheHighestFishInsideTheBox) {
  S().LastFishIndex = 6;
  S().LureLevel = 1;  // the box reaches 5 pixels either way
  for (int32_t i = 0; i <= 6; ++i) fx.RestingFish(i, 100.0f * i, 900);
  fx.RestingFish(2, 500, 300);
  fx.RestingFish(5, 504, 296);
  fx.RestingFish(6, 505, 300);  // on the edge: outside
  EXPECT_EQ(FishTakingLure(S(), 500, 300), 5);
  S().Fish[5].Taken = 1;
  EXPECT_EQ(FishTakingLure(S(), 500, 300), 2);
  S().LureLevel = 4;
  EXPECT_EQ(FishTakingLure(S(), 500, 300), 6);
  EXPECT_EQ(FishTakingLure(S(), 2000, 2000), -1);
  S().LastFishIndex = -1;
  EXPECT_EQ(FishTakingLure(S(), 500, 300), -1);
}

TEST_F(SwimmersTest, MonsterModesSwitchBelowThreeHundredAndOneHundredFifty) {
  S().LastMonsterIndex = 0;
  S().BoatX = 300;
  S().BoatY = 600;
  const struct {
    float dx;
    int32_t mode;
  } cases[] = {{300, 0}, {299, 1}, {150, 1}, {149, 2}, {50, 2}};
  for (const auto& c : cases) {
    FishRecord& m = S().Monsters[0];
    m = FishRecord{300 + c.dx, 600, 300 + c.dx, 600, 0, 1.0f, 0, 0};
    UpdateMonsters(fx.Ctx);
    EXPECT_EQ(m.Mode, c.mode) << c.dx;
    EXPECT_EQ(m.Taken, 0);
    if (c.mode > 0) {
      EXPECT_EQ(m.Dir, 128) << "heads straight for the boat";
    }
  }
}

TEST_F(SwimmersTest, MonsterShowsItsAttackFrameWhenClose) {
  S().LastMonsterIndex = 0;
  S().BoatX = 300;
  S().BoatY = 600;
  S().ViewX = 0;
  S().ViewY = 300;
  S().Monsters[0] = FishRecord{400, 600, 400, 600, 128, 1.0f, 0, 0};
  UpdateMonsters(fx.Ctx);
  EXPECT_EQ(fx.DXDraw.Surface().At(400, 300), fx.ObjectColor("Monster", Sector(128) * 2 + 1));
}

TEST_F(SwimmersTest, MonsterReachingTheBoatEatsTheCatch) {
  fx.AnswerPopups();
  S().LastMonsterIndex = 0;
  S().BoatX = 300;
  S().BoatY = 600;
  S().BoatSpeed = 2;
  S().FishCaught = 3;
  S().CatchPounds = 14;
  S().CatchInches = 40;
  S().FishSpent = 4;
  S().Monsters[0] = FishRecord{340, 600, 340, 600, 0, 1.0f, 0, 0};
  UpdateMonsters(fx.Ctx);
  EXPECT_EQ(S().Monsters[0].Taken, 1);
  EXPECT_EQ(S().FishCaught, 0);
  EXPECT_EQ(S().CatchPounds, 0);
  EXPECT_EQ(S().CatchInches, 0);
  EXPECT_EQ(S().FishSpent, 4);
  EXPECT_EQ(S().BoatSpeed, 0);
  EXPECT_EQ(S().Message, "THE MONSTER ATE YOUR FISH");
  EXPECT_EQ(S().MessageTimer, 90);
  EXPECT_TRUE(fx.Sounding("Monster"));
  // Gone: it neither moves nor raids again.
  const float x = S().Monsters[0].X;
  S().Message.clear();
  UpdateMonsters(fx.Ctx);
  EXPECT_EQ(S().Monsters[0].X, x);
  EXPECT_EQ(S().Message, "");
}

TEST_F(SwimmersTest, MonsterOnLandTurnsBackAtOnePixelAFrame) {
  S().LastMonsterIndex = 0;
  S().BoatX = 1200;
  S().BoatY = 1800;
  const float wx = FishingFixture::CellCentreX(S(), 5, 20),
              wy = FishingFixture::CellCentreY(S(), 20);
  fx.SetTile(5, 20, 10);
  FishRecord& m = S().Monsters[0];
  m = FishRecord{wx, wy, wx - 50, wy, 0, 1.875f, 0, 0};
  UpdateMonsters(fx.Ctx);
  EXPECT_EQ(m.LastX, wx - 50);
  EXPECT_EQ(m.Speed, 1);
  EXPECT_TRUE(m.Dir == 128 || m.Dir == 129);
  EXPECT_NEAR(std::hypot(m.X - (wx - 50), (m.Y - wy) * 2), 1.0, 0.02);
}

class PlacementTest : public SwimmersTest {};

TEST_F(PlacementTest, RandomFishAndMonstersStartOnOpenWaterAwayFromTheBoat) {
  fx.FillCells(0, 0, 20, 30, 10);  // the upper half is land
  fx.SetTile(0, 0, -1);            // an empty cell counts as water here
  S().LastFishIndex = 40;
  S().LastMonsterIndex = 30;
  S().BoatX = 640;
  S().BoatY = 800;
  PlaceFishAndMonsters(fx.Ctx);
  for (int32_t i = 0; i <= 40; ++i) {
    const FishRecord& f = S().Fish[i];
    const MapPick p = PickCell(S().Header, Round(f.X), Round(f.Y));
    EXPECT_LT(S().Cell(p.Column, p.Row).Tile, 4);
    EXPECT_EQ(f.LastX, f.X);
    EXPECT_EQ(f.Mode, 0);
    EXPECT_EQ(f.Taken, 0);
    EXPECT_GE(f.Speed, 0);
    EXPECT_LE(f.Speed, 1.875f);
    EXPECT_EQ(f.Speed * 8, std::floor(f.Speed * 8));
  }
  for (int32_t i = 0; i <= 30; ++i) {
    const FishRecord& m = S().Monsters[i];
    const MapPick p = PickCell(S().Header, Round(m.X), Round(m.Y));
    EXPECT_LT(S().Cell(p.Column, p.Row).Tile, 4);
    EXPECT_GT(IsoDistance(Round(m.X), Round(m.Y), 640, 800), 100);
  }
}

TEST_F(PlacementTest, PlacedFishCirclesForeverWithoutLookingAtTheShore) {
  fx.PlaceObject(0, "singlefish", 4, 10, "3");
  fx.PlaceObject(1, "monster", 6, 12, "1");
  S().LastFishIndex = 5;
  S().LastMonsterIndex = 2;
  PlaceFishAndMonsters(fx.Ctx);
  FishRecord& f = S().Fish[3];
  EXPECT_EQ(f.X, 5 * 64);
  EXPECT_EQ(f.Y, 11 * 16);
  EXPECT_EQ(f.Mode, 1);
  EXPECT_GE(f.Speed, 0.25f);
  EXPECT_LE(f.Speed, 1.125f);
  EXPECT_EQ(S().Monsters[1].X, 7 * 64);
  EXPECT_EQ(S().Monsters[1].Y, 13 * 16);
  EXPECT_EQ(S().Monsters[1].Speed, 0.75f);

  // All land now: the circling fish does not care.
  fx.FillCells(0, 0, 20, 60, 10);
  const float speed = f.Speed;
  uint8_t lastDir = f.Dir;
  for (int i = 0; i < 300; ++i) {
    const float x = f.X, y = f.Y;
    UpdateFish(fx.Ctx);
    const int turn = static_cast<uint8_t>(f.Dir - lastDir);
    EXPECT_LE(turn, 2);
    EXPECT_EQ(f.Speed, speed);
    EXPECT_NEAR(std::hypot(f.X - x, (f.Y - y) * 2), speed, 1e-3);
    lastDir = f.Dir;
  }
}

TEST_F(PlacementTest, LakeWithoutOpenWaterIsRefusedInsteadOfSearchedForever) {
  fx.FillCells(0, 0, 20, 60, 10);
  S().LastFishIndex = 0;
  try {
    PlaceFishAndMonsters(fx.Ctx);
    FAIL() << "no error";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Lake has no open water for fish");
  }
  // Water only right by the boat: nowhere for a monster.
  fx.MakeLake(1, 2);
  S().LastMonsterIndex = 0;
  S().BoatX = 64;
  S().BoatY = 32;
  EXPECT_THROW(PlaceFishAndMonsters(fx.Ctx), GameError);
}

TEST_F(PlacementTest, PlacedSlotMustBeANumberInsideTheTables) {
  const FishRecord before = S().Fish[5];
  for (const char* param : {"abc", "", "3x"}) {
    fx.PlaceObject(0, "singlefish", 4, 10, param);
    try {
      PlaceFishAndMonsters(fx.Ctx);
      FAIL() << param;
    } catch (const GameError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(param) + "' is not a valid integer value");
    }
  }
  for (const char* param : {"257", "-1"}) {
    fx.PlaceObject(0, "monster", 4, 10, param);
    EXPECT_THROW(PlaceFishAndMonsters(fx.Ctx), GameError) << param;
  }
  EXPECT_EQ(S().Fish[5].X, before.X);
  // Slot 256 is the last one and is fine, though play never moves it.
  fx.PlaceObject(0, "singlefish", 4, 10, "256");
  PlaceFishAndMonsters(fx.Ctx);
  EXPECT_EQ(S().Fish[256].Mode, 1);
}

TEST_F(PlacementTest, OversizedPopulationsStayInsideTheTables) {
  S().LastFishIndex = 1000;
  S().LastMonsterIndex = 1000;
  S().BoatX = -5000;
  PlaceFishAndMonsters(fx.Ctx);
  UpdateFish(fx.Ctx);
  UpdateMonsters(fx.Ctx);
  EXPECT_EQ(FishTakingLure(S(), -9999, -9999), -1);
}

}  // namespace
}  // namespace tw
