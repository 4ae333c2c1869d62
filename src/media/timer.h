// Frame timers that run in the message loop's idle time. The program has one
// idle-handler slot: at most one timer ticks at a time, the one enabled last,
// so the frame timer and the strike timer hand control to each other simply
// by stopping one and starting the other.
#pragma once
#include <cstdint>
#include <functional>

#include "media/platform.h"

namespace tw {

class TDXTimer;

// The one idle-handler slot, the application-active flag and the clock the
// timers read.
class TimerSlot {
 public:
  explicit TimerSlot(Clock& clock) : clock_(clock) {}
  TimerSlot(const TimerSlot&) = delete;
  TimerSlot& operator=(const TimerSlot&) = delete;

  uint32_t Now() { return clock_.Milliseconds(); }

  // The timer that ticks on idle passes, or null: then the loop may sleep.
  TDXTimer* Installed() const { return installed_; }

  bool Active() const { return active_; }
  // Switching to another program takes the timer out of the slot (when it
  // runs only while the program is active); coming back puts it in again
  // with its last tick reset, so no burst of catch-up ticks follows.
  void SetActive(bool active);

  // One idle pass of the message loop: the installed timer ticks if due.
  void Idle();
  // Milliseconds until the installed timer is due (0: due now or no timer).
  uint32_t MillisecondsUntilDue();

 private:
  friend class TDXTimer;
  void Install(TDXTimer* timer);
  void Empty();
  void Forget(TDXTimer* timer);

  Clock& clock_;
  TDXTimer* installed_ = nullptr;
  // The timer that goes back into the slot when the program is active again.
  TDXTimer* waiting_ = nullptr;
  bool active_ = true;
};

class TDXTimer {
 public:
  explicit TDXTimer(TimerSlot& slot) : slot_(slot) {}
  ~TDXTimer();
  TDXTimer(const TDXTimer&) = delete;
  TDXTimer& operator=(const TDXTimer&) = delete;

  bool Enabled() const { return enabled_; }
  // Enabling puts this timer in the slot, replacing any other; disabling
  // empties the slot whichever timer is in it. Setting the current value
  // again does nothing.
  void SetEnabled(bool enabled);

  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval) { interval_ = interval; }

  // Ticks measured over the last tenth of a second or more, per second.
  int32_t FrameRate() const { return frameRate_; }

  // When set, the timer pauses while the program is not the active one.
  bool ActiveOnly = true;
  // Called once per tick with the number of intervals that have passed
  // (at least 1); the game advances one step per call whatever it says.
  std::function<void(TDXTimer&, int32_t lagCount)> OnTimer;

 private:
  friend class TimerSlot;
  void Restart();  // last tick := now, rate measurement starts again
  void DoTimer();

  TimerSlot& slot_;
  bool enabled_ = false;
  uint32_t interval_ = 0;
  uint32_t lastTick_ = 0;
  uint32_t rateStart_ = 0;
  uint32_t ticksSinceRate_ = 0;
  int32_t frameRate_ = 0;
};

}  // namespace tw
