#include "replay/recorder.h"

#include <algorithm>
#include <cstdint>

#include "media/draw.h"
#include "media/timer.h"

namespace tw {

void ReplayRecorder::Attach(PlayContext& ctx) {
  ctx_ = &ctx;
  frameHandler_ = ctx.DXTimer.OnTimer;
  strikeHandler_ = ctx.DXCastTimer.OnTimer;
  processMessages_ = ctx.Pump.ProcessMessages;
  ctx.DXTimer.OnTimer = [this](TDXTimer& t, int32_t lag) { FrameTick(t, lag); };
  ctx.DXCastTimer.OnTimer = [this](TDXTimer& t, int32_t lag) { StrikeTick(t, lag); };
  ctx.Pump.ProcessMessages = [this] { Pump(); };
}

void ReplayRecorder::BeginTournament(const PlayContext& ctx) {
  replay_ = Replay{};
  replay_.Header = CaptureHeader(ctx);
  // A long tournament's mouse moves fit without growing in the middle of play.
  replay_.Events.reserve(1 << 16);
  recording_ = true;
  pauseEvent_ = 0;
  inside_ = true;  // the set-up is frame 0
  frames_ = 0;
  strikeTicks_ = 0;
  pumps_ = 0;
}

void ReplayRecorder::SetUpDone(bool started) {
  inside_ = false;
  pumps_ = 0;
  if (!started) recording_ = false;
}

InputMoment ReplayRecorder::Now() const {
  InputMoment m;
  if (inside_) {
    m.Frame = frames_;
    m.Pump = pumps_ > 0 ? pumps_ : 1;
  } else {
    m.Frame = frames_ + 1;
    m.StrikeTicks = strikeTicks_;
  }
  return m;
}

void ReplayRecorder::Record(ReplayEventKind kind, int32_t key, MouseButton button, int32_t x,
                            int32_t y) {
  if (!recording_) return;
  ReplayEvent e;
  e.When = Now();
  e.Kind = kind;
  e.Key = key;
  e.Button = button;
  e.X = x;
  e.Y = y;
  replay_.Events.push_back(e);
}

void ReplayRecorder::Record(const ReplayEvent& e) {
  if (!recording_) return;
  replay_.Events.push_back(e);
  replay_.Events.back().When = Now();
}

void ReplayRecorder::RecordPause(uint32_t nowMs) {
  if (!recording_) return;
  Record(ReplayEventKind::Pause, 0, MouseButton::Left, 0, 0);
  pauseEvent_ = replay_.Events.size();
  pausedAt_ = nowMs;
}

void ReplayRecorder::RecordResume(uint32_t nowMs) {
  if (!recording_) return;
  if (pauseEvent_ > 0 && pauseEvent_ <= replay_.Events.size()) {
    const uint32_t lasted = nowMs - pausedAt_;  // unsigned: survives the clock wrapping
    replay_.Events[pauseEvent_ - 1].Milliseconds =
        static_cast<int32_t>(std::min<uint32_t>(lasted, INT32_MAX));
  }
  pauseEvent_ = 0;
  Record(ReplayEventKind::Resume, 0, MouseButton::Left, 0, 0);
}

void ReplayRecorder::FrameTick(TDXTimer& timer, int32_t lag) {
  // A tick that finds the display away does nothing and is not a frame.
  const bool advances = ctx_->DXDraw.CanDraw();
  if (advances && recording_) {
    ++frames_;
    strikeTicks_ = 0;
    inside_ = true;
    pumps_ = 0;
  }
  // A frame cut short by an error is still over: later input comes between
  // ticks again.
  struct LeaveFrame {
    ReplayRecorder& r;
    ~LeaveFrame() {
      r.inside_ = false;
      r.pumps_ = 0;
    }
  } leave{*this};
  if (frameHandler_) frameHandler_(timer, lag);
  if (!advances) return;
  if (OnTick) OnTick(true);
  CheckEnded();
}

void ReplayRecorder::StrikeTick(TDXTimer& timer, int32_t lag) {
  if (recording_) ++strikeTicks_;
  if (strikeHandler_) strikeHandler_(timer, lag);
  if (OnTick) OnTick(false);
  CheckEnded();
}

void ReplayRecorder::Pump() {
  if (inside_) {
    ++pumps_;
    if (OnPump) OnPump();
  }
  if (processMessages_) processMessages_();
}

void ReplayRecorder::CheckEnded() {
  if (!recording_ || ctx_->DXTimer.Enabled() || ctx_->DXCastTimer.Enabled()) return;
  // Back at the menu: the tournament is complete.
  recording_ = false;
  if (OnTournamentEnd) OnTournamentEnd(replay_);
}

}  // namespace tw
