// Driving the boat through the real handlers and frames: throttle, coasting,
// reverse, steering, the shore, the objects on the water and the camera.
#include "play/boat.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/numeric.h"
#include "support/tournament_fixture.h"
#include "world/iso_math.h"

namespace tw {
namespace {

using test::TournamentFixture;

class BoatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);  // 2560 by 960 pixels of open water
    fx.StartTournament();
    fx.PutBoat(1000, 500);
    fx.S().BoatSpeed = 0;
  }
  // The first land pixel met going right along y from x = 1000.
  int32_t FirstLandX(int32_t y) {
    for (int32_t x = 1000; x < 2500; ++x)
      if (!IsWaterAt(fx.S(), x, y)) return x;
    ADD_FAILURE() << "no shore";
    return 0;
  }
  TournamentFixture fx;
};

TEST_F(BoatTest, ThrottleReachesTopSpeedInThirteenFramesAndCoastsToRestInTwenty) {
  fx.KeyDown(vk::Up);
  fx.Step(1);
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 0.4f);
  fx.Step(11);
  EXPECT_NEAR(fx.S().BoatSpeed, 4.8f, 1e-4);
  fx.Step(1);
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 5.0f);
  fx.Step(5);
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 5.0f);
  fx.KeyUp(vk::Up);
  fx.Step(19);
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 0.25f);
  fx.Step(1);
  EXPECT_EQ(fx.S().BoatSpeed, 0.0f);
  // The engine falls silent on the next frame that starts at rest.
  fx.Step(1);
  EXPECT_FALSE(fx.sounds.Find("gas").Sounding());
}

TEST_F(BoatTest, EngineVolumeFollowsSpeedAndReverseRunsAtTwoPixelsAtMinus500) {
  fx.KeyDown(vk::Up);
  fx.Step(2);  // the second frame starts at 0.4 of 5
  EXPECT_EQ(fx.sounds.Find("gas").Volume(), Round(0.4 / 5 * 10000) - 10000);
  fx.KeyUp(vk::Up);
  fx.S().BoatSpeed = 0;
  fx.Step(1);

  fx.KeyDown(vk::Up);
  fx.KeyDown(vk::Down);
  fx.Step(10);
  const float x = fx.S().BoatX;
  fx.Step(1);
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 2.0f);
  EXPECT_FLOAT_EQ(fx.S().BoatX, x - 2.0f);  // heading 0 backs straight left
  EXPECT_EQ(fx.sounds.Find("gas").Volume(), -500);
}

TEST_F(BoatTest, DownArrowAloneTurnsAGlideRoundAtMostTwo) {
  fx.S().BoatSpeed = 4;
  fx.KeyDown(vk::Down);
  const float x = fx.S().BoatX;
  fx.Step(1);
  // Coasting took 0.25 off, then reverse capped it at 2.
  EXPECT_FLOAT_EQ(fx.S().BoatSpeed, 2.0f);
  EXPECT_FLOAT_EQ(fx.S().BoatX, x - 2.0f);
}

// The world point the boat would see at heading `target`.
static void AimMouse(GameState& s, uint8_t target) {
  for (int32_t r = 150; r < 160; ++r)
    for (int32_t a = 0; a < 4096; ++a) {
      const double rad = a / 4096.0 * 6.283185307179586;
      const int32_t x = Round(s.BoatX) + static_cast<int32_t>(std::lround(r * std::cos(rad)));
      const int32_t y = Round(s.BoatY) + static_cast<int32_t>(std::lround(r * std::sin(rad)));
      if (PointAngle(x, y, Round(s.BoatX), Round(s.BoatY)) == target) {
        s.MouseWorldX = x;
        s.MouseWorldY = y;
        return;
      }
    }
  FAIL() << "no point at heading " << int{target};
}

TEST_F(BoatTest, MouseDriveTurnsThroughZeroAndIgnoresSmallPlainDifferences) {
  fx.Ctx.Options.MouseDrive = true;
  GameState& s = fx.S();
  s.Gas = 1;
  s.BoatHeading = 1;
  AimMouse(s, 254);
  const uint8_t expected[] = {0, 255, 255};  // 255 is within 3 of 254
  for (uint8_t h : expected) {
    DriveBoat(fx.Ctx);
    EXPECT_EQ(s.BoatHeading, h);
  }
  // Within three steps (plain difference) nothing turns.
  s.BoatHeading = 100;
  AimMouse(s, 103);
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 100);
  AimMouse(s, 104);
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 101);
  // Exactly opposite turns by growing; a faster boat turns faster.
  s.BoatLevel = 3;
  s.BoatHeading = 10;
  AimMouse(s, 138);
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 13);
}

TEST_F(BoatTest, KeyDriveLeftTurnsClockwiseAndBothKeysCancel) {
  GameState& s = fx.S();
  s.Gas = 1;
  s.BoatHeading = 0;
  s.TurnLeftKey = 1;
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 1);
  s.TurnRightKey = 1;
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 1);
  s.TurnLeftKey = 0;
  DriveBoat(fx.Ctx);
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.BoatHeading, 255);
}

TEST_F(BoatTest, WakeDropsAreDrawnInOrderFromSixDraws) {
  GameState& s = fx.S();
  s.Gas = 1;
  s.BoatHeading = 0;
  Random copy(fx.T.Rng().Seed());
  DriveBoat(fx.Ctx);
  const WakeParticle& w = s.Wake[1];
  const int32_t r1 = copy(32), r2 = copy(40), r3 = copy(32), r4 = copy(20), r5 = copy(64);
  EXPECT_EQ(s.WakeNext, 1);
  EXPECT_FLOAT_EQ(w.X, static_cast<float>(1000 - Round(r2 * Cos256((r1 - 144) & 255))));
  EXPECT_FLOAT_EQ(w.Y, static_cast<float>(500 - Round(r4 * Sin256((r3 - 144) & 255))));
  EXPECT_EQ(w.Dir, static_cast<uint8_t>(r5 - 160));
  EXPECT_EQ(w.Life, 32);
  EXPECT_EQ(fx.T.Rng().Seed(), copy.Seed());
  // The slot index runs 1 ... 128, then back to 0.
  s.WakeNext = 128;
  DriveBoat(fx.Ctx);
  EXPECT_EQ(s.WakeNext, 0);
}

TEST_F(BoatTest, ShoreStopsTheBoatButNotItsEngine) {
  // Land from column 20 on; the boat heads right toward it.
  fx.FillCells(20, 0, 40, 120, 20);
  fx.KeyDown(vk::Up);
  fx.Step(200);
  GameState& s = fx.S();
  const MapPick p = PickCell(s.Header, Round(s.BoatX), Round(s.BoatY));
  EXPECT_TRUE(IsWaterTile(s.Cell(p.Column, p.Row).Tile));
  EXPECT_FLOAT_EQ(s.BoatSpeed, 5.0f);
  const int32_t shore = FirstLandX(500);
  EXPECT_LT(s.BoatX, shore);
  EXPECT_GT(s.BoatX, shore - 6);
  // A boat standing on land may still drive onto water.
  fx.PutBoat(static_cast<float>(shore + 1), 500, 128);
  fx.Step(1);
  EXPECT_FLOAT_EQ(s.BoatX, static_cast<float>(shore + 1 - 5));
}

TEST_F(BoatTest, TreasureFiresOnceAndLeavesPlainWater) {
  GameState& s = fx.S();
  const MapPick here = PickCell(s.Header, 1000, 500);
  fx.SetTile(here.Column, here.Row, 46);
  fx.PlaceObject(7, "treasure", here.Column, here.Row, "250");
  s.Cash = 50;
  fx.Step(1);
  EXPECT_EQ(s.Cash, 300);
  EXPECT_EQ(s.Message, "YOU FOUND $250");
  EXPECT_EQ(s.Cell(here.Column, here.Row).Tile, 3);
  EXPECT_EQ(s.MapObjects[7].Active, 0);
  fx.Step(120);
  EXPECT_EQ(s.Cash, 300);
  EXPECT_EQ(s.Message, "");
}

TEST_F(BoatTest, TreasureWithoutANumberPaysNothingAndHugeOnesStopAtTheTop) {
  GameState& s = fx.S();
  const MapPick here = PickCell(s.Header, 1000, 500);
  fx.PlaceObject(0, "treasure", here.Column, here.Row, "lots");
  fx.PlaceObject(1, "treasure", here.Column, here.Row, "2147483647");
  s.Cash = 10;
  fx.Step(1);
  EXPECT_EQ(s.Cash, INT32_MAX);
  EXPECT_EQ(s.Message, "YOU FOUND $2147483647");
}

TEST_F(BoatTest, MoreTimeCountsOnlyOnTimedLakes) {
  GameState& s = fx.S();
  const MapPick here = PickCell(s.Header, 1000, 500);
  fx.PlaceObject(3, "moretime", here.Column, here.Row, "15");
  s.Timed = 0;
  s.TimeLeft = 100;
  fx.Step(1);
  EXPECT_EQ(s.TimeLeft, 100);
  EXPECT_EQ(s.MapObjects[3].Active, 1);
  EXPECT_EQ(s.Message, "");

  MapPick pick{here.Column, here.Row};
  s.Timed = 1;
  VisitMapObjects(fx.Ctx, pick);
  EXPECT_EQ(s.TimeLeft, 100 + 15 * 30);
  EXPECT_EQ(s.Message, "ADD 15 SECONDS");
  EXPECT_EQ(s.MessageTimer, 90);
  EXPECT_EQ(s.MapObjects[3].Active, 0);
}

TEST_F(BoatTest, PersonOnTheShoreSpeaksWhenTheBoatBumpsIntoIt) {
  fx.AnswerPopups();
  GameState& s = fx.S();
  fx.FillCells(20, 0, 40, 120, 20);
  const MapPick shore = PickCell(s.Header, FirstLandX(500), 500);
  ASSERT_EQ(s.Cell(shore.Column, shore.Row).Tile, 20);
  fx.PlaceObject(12, "talk", shore.Column, shore.Row, "", "Nice day for it");
  fx.KeyDown(vk::Up);
  for (int i = 0; i < 200 && s.MapObjects[12].Active; ++i) fx.Step(1);
  EXPECT_EQ(s.MapObjects[12].Active, 0);
  EXPECT_EQ(fx.Window.PopupsAnswered, 1);
  // The boat stopped and stays on the water; the frame timer runs again.
  EXPECT_TRUE(fx.DXTimer.Enabled());
  EXPECT_EQ(s.Gas, 0);  // the sign let go of the throttle; Up must be pressed again
  const MapPick p = PickCell(s.Header, Round(s.BoatX), Round(s.BoatY));
  EXPECT_TRUE(IsWaterTile(s.Cell(p.Column, p.Row).Tile));
}

TEST_F(BoatTest, CameraStopsSixtyFourPixelsShortOfEveryEdge) {
  GameState& s = fx.S();
  const int32_t dash = fx.objects.Find("fishdash").FrameHeight();
  fx.PutBoat(1000, 500);
  FollowBoat(fx.Ctx);
  EXPECT_EQ(s.ViewX, 1000 - 320);
  EXPECT_EQ(s.ViewY, 500 - (480 - dash) / 2);
  fx.PutBoat(10, 10);
  FollowBoat(fx.Ctx);
  EXPECT_EQ(s.ViewX, 64);
  EXPECT_EQ(s.ViewY, 64);
  fx.PutBoat(2550, 1915);
  FollowBoat(fx.Ctx);
  EXPECT_EQ(s.ViewX, 40 * 64 - 640 - 64);
  EXPECT_EQ(s.ViewY, (120 * 32) / 2 - 480 - 64);
  // A lake smaller than the screen: the lower limit wins.
  fx.MakeLake(5, 5);
  FollowBoat(fx.Ctx);
  EXPECT_EQ(s.ViewX, 64);
  EXPECT_EQ(s.ViewY, 64);
}

}  // namespace
}  // namespace tw
