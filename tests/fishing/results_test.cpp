// The contest: the clock running out, the verdict with its prize and level,
// and the read-outs.
#include <gtest/gtest.h>

#include "fishing_fixture.h"

namespace tw {
namespace {

using test::FishingFixture;

class ResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(20, 60);
    S().Limit = 6;
    S().WinIf = 20;
    S().PrizeMoney = 500;
    S().LakeLevel = 4;
    S().PlayerLevel = 2;
    S().Cash = 100;
  }
  GameState& S() { return fx.S(); }
  void CompleteLimit(int32_t pounds) {
    S().FishCaught = S().Limit;
    S().CatchPounds = pounds;
  }
  FishingFixture fx;
};

TEST_F(ResultsTest, SixtySecondClockRunsDownAndExpiresOnFrame1800) {
  S().Timed = 1;
  S().TimeLeft = 60 * 30;
  for (int frame = 1; frame <= 1800; ++frame) {
    const std::string shown = ClockText(S().TimeLeft);
    if (frame == 1) {
      EXPECT_EQ(shown, "060");
    }
    if (frame == 1771) {
      EXPECT_EQ(shown, "001");
    }
    if (frame == 1772) {
      EXPECT_EQ(shown, "000");
    }
    RunClock(fx.Ctx);
    ASSERT_EQ(S().GameOver, frame == 1800 ? 1 : 0) << frame;
  }
  EXPECT_EQ(S().Message, "TIME EXPIRED");
  EXPECT_EQ(S().TimeLeft, 0);
  EXPECT_EQ(S().GameOverCountdown, 90);
  // It stays expired, and the message is set again every frame.
  S().Message = "GAME OVER";
  S().GameOverCountdown = 50;
  RunClock(fx.Ctx);
  EXPECT_EQ(S().Message, "TIME EXPIRED");
  EXPECT_EQ(S().TimeLeft, 0);
  EXPECT_EQ(S().GameOverCountdown, 50);
  EXPECT_EQ(ClockText(0), "000");
}

TEST_F(ResultsTest, ClockTextShowsThreeDigitsAndNothingFromAThousandSeconds) {
  EXPECT_EQ(ClockText(9 * 30 + 29), "009");
  EXPECT_EQ(ClockText(10 * 30), "010");
  EXPECT_EQ(ClockText(999 * 30 + 29), "999");
  EXPECT_EQ(ClockText(1000 * 30), "");
  EXPECT_EQ(ClockText(-30), "");
}

TEST_F(ResultsTest, UntimedLakeNeverRunsOut) {
  S().Timed = 0;
  S().TimeLeft = 5;
  for (int i = 0; i < 100; ++i) RunClock(fx.Ctx);
  EXPECT_EQ(S().TimeLeft, 5);
  EXPECT_EQ(S().GameOver, 0);
}

TEST_F(ResultsTest, LightCatchWinsNothing) {
  CompleteLimit(17);
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Message, "YOU WERE 3LBS LIGHT");
  EXPECT_EQ(S().Cash, 100);
  EXPECT_EQ(S().PlayerLevel, 2);
  EXPECT_EQ(S().GameOver, 1);
  EXPECT_EQ(S().GameOverCountdown, 120);
}

TEST_F(ResultsTest, LimitAloneIsTheGoalWhenThereIsNoWeightToBeat) {
  S().WinIf = 0;
  CompleteLimit(1);
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Message, "YOU CAUGHT YOUR LIMIT");
  EXPECT_EQ(S().PlayerLevel, 4);
  EXPECT_EQ(S().Cash, 100);
  // A level already higher is kept.
  S().PlayerLevel = 9;
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().PlayerLevel, 9);
}

TEST_F(ResultsTest, WinPaysThePrizeOnceAndHoldsTheVerdict) {
  S().FishCaught = 5;
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().GameOver, 0);
  CompleteLimit(20);
  for (int frame = 0; frame < 5; ++frame) {
    JudgeLimit(fx.Ctx);
    --S().GameOverCountdown;  // the ending counts down in between
    S().Message.clear();
  }
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Message, "YOU WIN $500 FOR 1ST PLACE");
  EXPECT_EQ(S().Cash, 600);
  EXPECT_EQ(S().PlayerLevel, 4);
  // The frame that runs the countdown out (and goes back to the menu) still
  // judges the limit, but pays nothing more.
  S().GameOverCountdown = 0;
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Cash, 600);
}

TEST_F(ResultsTest, NoPrizeWhenAnotherEndingCameFirst) {
  // The clock ran out on the frame the limit was completed.
  S().Timed = 1;
  S().TimeLeft = 1;
  CompleteLimit(25);
  RunClock(fx.Ctx);
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().GameOverCountdown, 90);
  EXPECT_EQ(S().Message, "YOU WIN $500 FOR 1ST PLACE");
  EXPECT_EQ(S().Cash, 100);
  EXPECT_EQ(S().PlayerLevel, 4);
}

TEST_F(ResultsTest, ChampionshipMakesTheGrandChampion) {
  fx.Ctx.LakeName = "World_Championship";
  CompleteLimit(30);
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Message, "YOU ARE THE GRAND CHAMPION");
  EXPECT_EQ(S().PlayerLevel, 255);
  EXPECT_EQ(S().Cash, 600);
  // The name must match exactly.
  fx.Ctx.LakeName = "world_championship";
  S().PlayerLevel = 2;
  S().GameOverCountdown = 0;
  JudgeLimit(fx.Ctx);
  EXPECT_EQ(S().Message, "YOU WIN $500 FOR 1ST PLACE");
  EXPECT_EQ(S().PlayerLevel, 4);
}

TEST_F(ResultsTest, CashIsRightAlignedInSevenCharacters) {
  EXPECT_EQ(CashText(0), "     $0");
  EXPECT_EQ(CashText(5), "     $5");
  EXPECT_EQ(CashText(10), "    $10");
  EXPECT_EQ(CashText(9999), "  $9999");
  EXPECT_EQ(CashText(123456), "$123456");
  EXPECT_EQ(CashText(999999), "$999999");
  EXPECT_EQ(CashText(1000000), "");
  EXPECT_EQ(CashText(-1), "");
}

// Whether anything was drawn in a box of the back buffer.
bool Drawn(test::TournamentFixture& fx, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x)
      if (fx.DXDraw.Surface().At(x, y) != 0) return true;
  return false;
}

TEST_F(ResultsTest, ReadOutsDrawWhereTheDashboardExpectsThem) {
  Surface16& back = fx.DXDraw.Surface();
  back.Fill(0);
  S().Cash = 5;
  DrawCash(fx.Ctx);
  // Seven bigfont characters starting one advance right of 443.
  EXPECT_TRUE(Drawn(fx, 465, 10, 640, 34));
  EXPECT_FALSE(Drawn(fx, 0, 0, 465, 480));
  EXPECT_FALSE(Drawn(fx, 0, 34, 640, 480));
  back.Fill(0);
  S().Cash = 1000000;
  DrawCash(fx.Ctx);
  EXPECT_FALSE(Drawn(fx, 0, 0, 640, 480));
  S().Timed = 1;
  S().TimeLeft = 100 * 30;
  RunClock(fx.Ctx);
  EXPECT_TRUE(Drawn(fx, 548, 416, 640, 432));
  back.Fill(0);
  DrawCatchLine(fx.Ctx);
  EXPECT_TRUE(Drawn(fx, 64, 456, 400, 466));
  EXPECT_FALSE(Drawn(fx, 0, 0, 640, 456));
}

}  // namespace
}  // namespace tw
