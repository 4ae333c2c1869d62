#include "media/timer.h"

#include <algorithm>
#include <limits>

#include "core/numeric.h"

namespace tw {

void TimerSlot::Install(TDXTimer* timer) {
  if (timer->ActiveOnly && !active_) {
    // Waits for the program to come back to the front.
    installed_ = nullptr;
    waiting_ = timer;
    return;
  }
  installed_ = timer;
  waiting_ = nullptr;
  timer->Restart();
}

void TimerSlot::Empty() {
  installed_ = nullptr;
  waiting_ = nullptr;
}

void TimerSlot::Forget(TDXTimer* timer) {
  if (installed_ == timer) installed_ = nullptr;
  if (waiting_ == timer) waiting_ = nullptr;
}

void TimerSlot::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (!active) {
    if (installed_ && installed_->ActiveOnly) {
      waiting_ = installed_;
      installed_ = nullptr;
    }
    return;
  }
  TDXTimer* timer = waiting_;
  waiting_ = nullptr;
  if (timer && timer->Enabled()) Install(timer);
}

void TimerSlot::Idle() {
  if (installed_) installed_->DoTimer();
}

uint32_t TimerSlot::MillisecondsUntilDue() {
  if (!installed_) return 0;
  const uint32_t elapsed = Now() - installed_->lastTick_;
  return elapsed >= installed_->interval_ ? 0 : installed_->interval_ - elapsed;
}

TDXTimer::~TDXTimer() {
  slot_.Forget(this);
}

void TDXTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled)
    slot_.Install(this);
  else
    slot_.Empty();
}

void TDXTimer::Restart() {
  lastTick_ = slot_.Now();
  rateStart_ = lastTick_;
  ticksSinceRate_ = 0;
}

void TDXTimer::DoTimer() {
  const uint32_t now = slot_.Now();
  const uint32_t elapsed = now - lastTick_;  // unsigned: survives the clock wrapping
  if (elapsed < interval_) return;
  const uint32_t lag = elapsed / std::max<uint32_t>(interval_, 1);
  const int32_t lagCount =
      static_cast<int32_t>(std::clamp<uint32_t>(lag, 1, std::numeric_limits<int32_t>::max()));
  lastTick_ = now;
  ++ticksSinceRate_;
  const uint32_t measured = now - rateStart_;
  if (measured >= 100) {
    frameRate_ = Round(static_cast<double>(ticksSinceRate_) * 1000.0 / measured);
    ticksSinceRate_ = 0;
    rateStart_ = now;
  }
  if (OnTimer) OnTimer(*this, lagCount);
}

}  // namespace tw
