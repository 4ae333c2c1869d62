#include "media/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tw {
namespace {

class FakeClock : public Clock {
 public:
  uint32_t Milliseconds() override { return now; }
  uint32_t now = 1000;
};

struct Timers : ::testing::Test {
  FakeClock clock;
  TimerSlot slot{clock};
  TDXTimer frame{slot};
  TDXTimer cast{slot};
  int frameTicks = 0, castTicks = 0;
  std::vector<int32_t> lags;

  void SetUp() override {
    frame.OnTimer = [this](TDXTimer&, int32_t lag) {
      ++frameTicks;
      lags.push_back(lag);
    };
    cast.OnTimer = [this](TDXTimer&, int32_t) { ++castTicks; };
    cast.SetInterval(15);
  }
  // Idle passes of the loop, `step` milliseconds apart, for `ms` in all.
  void Spin(uint32_t ms, uint32_t step = 1) {
    for (uint32_t t = 0; t < ms; t += step) {
      slot.Idle();
      clock.now += step;
    }
  }
};

TEST_F(Timers, EnablingTheStrikeTimerTakesTheSlotAndDisablingItLeavesNoneRunning) {
  frame.SetEnabled(true);
  slot.Idle();
  EXPECT_EQ(frameTicks, 1);

  cast.SetEnabled(true);
  EXPECT_EQ(slot.Installed(), &cast);
  Spin(300);
  EXPECT_EQ(frameTicks, 1) << "the frame timer must not tick while the strike timer runs";
  EXPECT_GT(castTicks, 0);

  cast.SetEnabled(false);
  EXPECT_EQ(slot.Installed(), nullptr);
  EXPECT_TRUE(frame.Enabled()) << "the frame timer keeps its flag, it only lost the slot";
  const int before = frameTicks + castTicks;
  Spin(300);
  EXPECT_EQ(frameTicks + castTicks, before);

  // Disabling a timer that is not in the slot empties it all the same.
  cast.SetEnabled(true);
  frame.SetEnabled(false);
  EXPECT_EQ(slot.Installed(), nullptr);
}

TEST_F(Timers, SettingEnabledToItsCurrentValueChangesNothing) {
  frame.SetEnabled(true);
  cast.SetEnabled(true);
  frame.SetEnabled(true);  // already on: does not take the slot back
  EXPECT_EQ(slot.Installed(), &cast);
  frame.SetEnabled(false);
  cast.SetEnabled(false);
  frame.SetEnabled(false);
  EXPECT_EQ(slot.Installed(), nullptr);
}

TEST_F(Timers, IntervalPacesTicksAndZeroTicksOnEveryPass) {
  frame.SetInterval(33);
  frame.SetEnabled(true);
  Spin(1000);
  EXPECT_GE(frameTicks, 29);
  EXPECT_LE(frameTicks, 30);
  for (int32_t lag : lags) EXPECT_EQ(lag, 1);

  frame.SetEnabled(false);
  frame.SetInterval(0);
  frameTicks = 0;
  frame.SetEnabled(true);
  for (int i = 0; i < 50; ++i) slot.Idle();  // the clock stands still
  EXPECT_EQ(frameTicks, 50);
}

TEST_F(Timers, LagCountsWholeIntervalsAndIsAtLeastOne) {
  frame.SetInterval(15);
  frame.SetEnabled(true);
  clock.now += 100;  // a stall
  slot.Idle();
  clock.now += 16;
  slot.Idle();
  ASSERT_EQ(lags.size(), 2u);
  EXPECT_EQ(lags[0], 6);
  EXPECT_EQ(lags[1], 1);

  frame.SetEnabled(false);
  frame.SetInterval(0);
  frame.SetEnabled(true);
  slot.Idle();  // no time passed
  clock.now += 40;
  slot.Idle();
  EXPECT_EQ(lags[2], 1);
  EXPECT_EQ(lags[3], 40);
}

TEST_F(Timers, ClockWrappingAroundKeepsTicking) {
  clock.now = 0xFFFFFFF0u;
  frame.SetInterval(33);
  frame.SetEnabled(true);
  Spin(200);
  EXPECT_GE(frameTicks, 5);
  EXPECT_LE(frameTicks, 7);
  for (int32_t lag : lags) EXPECT_EQ(lag, 1);
}

TEST_F(Timers, FrameRateIsMeasuredOverATenthOfASecondOrMore) {
  frame.SetInterval(33);
  frame.SetEnabled(true);
  EXPECT_EQ(frame.FrameRate(), 0);
  Spin(1000);
  EXPECT_GE(frame.FrameRate(), 29);
  EXPECT_LE(frame.FrameRate(), 31);

  cast.SetInterval(10);
  cast.SetEnabled(true);
  Spin(500, 5);
  EXPECT_EQ(cast.FrameRate(), 100);
}

TEST_F(Timers, SwitchingAwayPausesAndComingBackResumesWithoutCatchingUp) {
  frame.SetInterval(33);
  frame.SetEnabled(true);
  Spin(100);
  const int before = frameTicks;

  slot.SetActive(false);
  EXPECT_EQ(slot.Installed(), nullptr);
  Spin(5000);
  EXPECT_EQ(frameTicks, before);

  slot.SetActive(true);
  EXPECT_EQ(slot.Installed(), &frame);
  slot.Idle();
  EXPECT_EQ(frameTicks, before) << "the last tick is reset on return: no tick at once";
  Spin(100);
  EXPECT_LE(frameTicks, before + 4);
  EXPECT_EQ(lags.back(), 1) << "no large lag for the pause";
}

TEST_F(Timers, TimersChangedWhileAwayFollowTheSameRules) {
  slot.SetActive(false);
  frame.SetEnabled(true);  // waits for the program to come back
  EXPECT_EQ(slot.Installed(), nullptr);
  slot.SetActive(true);
  EXPECT_EQ(slot.Installed(), &frame);

  slot.SetActive(false);
  frame.SetEnabled(false);  // disabled while away: nothing comes back
  slot.SetActive(true);
  EXPECT_EQ(slot.Installed(), nullptr);

  // A timer that runs whatever the program's state is not paused.
  cast.ActiveOnly = false;
  cast.SetEnabled(true);
  slot.SetActive(false);
  EXPECT_EQ(slot.Installed(), &cast);
}

TEST_F(Timers, ATimerDestroyedInTheSlotLeavesItEmpty) {
  auto temporary = std::make_unique<TDXTimer>(slot);
  temporary->SetEnabled(true);
  temporary.reset();
  EXPECT_EQ(slot.Installed(), nullptr);
  slot.Idle();  // must not touch the destroyed timer
}

TEST_F(Timers, MillisecondsUntilDueLetsTheLoopSleep) {
  EXPECT_EQ(slot.MillisecondsUntilDue(), 0u);
  frame.SetInterval(33);
  frame.SetEnabled(true);
  clock.now += 10;
  EXPECT_EQ(slot.MillisecondsUntilDue(), 23u);
  clock.now += 30;
  EXPECT_EQ(slot.MillisecondsUntilDue(), 0u);
}

}  // namespace
}  // namespace tw
