// Watching a kept replay in the game's window: the tournament is set up as
// the replay's header says, and its events reach the game's handlers at
// their recorded moments while the frame timer keeps the recorded speed.
// The watcher's own keys never reach the game.
#include "app/replay_watch.h"

#include <algorithm>

#include "app/main_form.h"
#include "core/error.h"
#include "core/files.h"
#include "play/input.h"
#include "play/lake_rules.h"
#include "play/pause.h"
#include "replay/session.h"
#include "tournament/setup.h"
#include "world/lake_files.h"

namespace tw {

namespace {

constexpr uint16_t kStopKey = 27;  // Esc
constexpr uint16_t kFastKey = 39;  // Right arrow

}  // namespace

void TMainForm::WatchReplay(const Replay& replay) {
  const ReplayHeader& h = replay.Header;
  if (!FileExists(LakePath(ctx_.Lakes(), h.Lake, ".iso")))
    throw GameError("The replay plays on the lake " + h.Lake + ", which is not in " +
                    JoinPath(paths_.Data, "lakes"));
  watch_ = std::make_unique<ReplayWatch>();
  watch_->Recording = replay;
  if (title->Visible()) titleClick();

  // What a headless run does, in its order: the lake's rules, then the
  // header, then "Fish This Lake".
  ApplyLakeDefinition(*state_, ReadLakeDefinition(LakePath(ctx_.Lakes(), h.Lake, ".ini")));
  ApplyHeader(h, ctx_);
  // Heard as the watcher has chosen, whatever the player had.
  tournament_.SetSoundOn(soundon->Checked(), false);
  ctx_.Options.BackgroundSounds = bgsound->Checked();
  recorder_.OnPump = [this] { FeedReplay(); };
  if (!StartTournament()) throw GameError("The tournament on " + h.Lake + " did not start");
  watch_->FrameInterval = DXTimer.Interval();
  watch_->StrikeInterval = DXCastTimer.Interval();
  FeedReplay();
}

void TMainForm::FeedReplay() {
  ReplayWatch& w = *watch_;
  // The watcher's own pause (or the help page) keeps the replay where it is.
  if (wantPause_ || helpPause_ || w.Failed) return;
  const uint32_t now = platform_.Milliseconds();
  if (w.Holding) {
    if (static_cast<int32_t>(now - w.HoldUntil) < 0) return;
    w.Holding = false;
  }
  const std::vector<ReplayEvent>& events = w.Recording.Events;
  const InputMoment at = recorder_.Now();
  while (w.Next < events.size() && !MomentBefore(at, events[w.Next].When)) {
    const ReplayEvent& e = events[w.Next++];
    const bool wasPaused = ctx_.Paused;
    DeliverToGame(ctx_, e);
    if (ctx_.Paused && !wasPaused) {
      // The player paused here: the picture stays up as long as it did.
      UpdateEffectsHold();
      ShowPausedPicture();
      w.Holding = true;
      w.HoldUntil = now + static_cast<uint32_t>(e.Milliseconds) / (w.Fast ? kWatchFastFactor : 1);
      return;
    }
    if (!ctx_.Paused && wasPaused) UpdateEffectsHold();
  }
  // A pop-up that waits for a key the replay does not have would wait for
  // ever: the replay ends there.
  const GameState& s = *state_;
  const bool more = w.Next < events.size() && events[w.Next].When.Frame == at.Frame &&
                    events[w.Next].When.Pump > 0;
  if (at.Pump > 256 && at.Frame > 0 && !more && s.AnyInput == 0) {
    w.Failed = true;
    watchFailure_ =
        "The replay ends in frame " + std::to_string(at.Frame) + " while the game waits for a key";
    app_.Terminate();
  }
}

bool TMainForm::WatchKeyDown(uint16_t key) {
  if (FrontKeyDown(key)) return true;
  if (help_.IsOpen()) return false;
  if (key == kStopKey) {
    app_.Terminate();
    return true;
  }
  if (key == kFastKey) SetWatchSpeed(true);
  return true;
}

void TMainForm::WatchKeyUp(uint16_t key) {
  FrontKeyUp(key);
  if (key == kFastKey) SetWatchSpeed(false);
}

void TMainForm::SetWatchSpeed(bool fast) {
  ReplayWatch& w = *watch_;
  if (w.Fast == fast) return;
  w.Fast = fast;
  const uint32_t f = fast ? kWatchFastFactor : 1;
  DXTimer.SetInterval(w.FrameInterval / f);
  DXCastTimer.SetInterval(w.StrikeInterval / f);
}

}  // namespace tw
