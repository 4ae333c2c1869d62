// The keys that belong to the window rather than to the game: F1 opens the
// help page, P and Pause pause a tournament, M turns all sound off and on.
// Also the "PAUSED" picture, the sound note, and window.ini.
#include <cstring>

#include "app/main_form.h"
#include "app/window_state.h"
#include "core/log.h"
#include "media/draw.h"
#include "play/pause.h"
#include "ui/edit.h"
#include "world/font_text.h"

namespace tw {

namespace {

constexpr uint16_t kHelpKey = 112;  // F1
constexpr uint16_t kPauseKey = 'P';
constexpr uint16_t kPauseBreakKey = 19;  // Pause
constexpr uint16_t kMuteKey = 'M';
constexpr uint16_t kFrontKeys[] = {kHelpKey, kPauseKey, kPauseBreakKey, kMuteKey};

// How long the sound note stays, in milliseconds.
constexpr uint32_t kNoteTime = 1500;

// The index of a window key in the held table, or -1.
int32_t FrontKeyIndex(uint16_t key) {
  for (int32_t i = 0; i < 4; ++i)
    if (kFrontKeys[i] == key) return i;
  return -1;
}

// "TEXT" centred on the message line of the play field, in its big font.
void DrawCentredBig(Surface16& surface, TDXImageList& objects, const std::string& text, int32_t y) {
  const auto length = static_cast<int32_t>(text.size());
  DrawFontText(surface, objects, "bigfont", text, 320 - ((length + 1) * 22) / 2, y);
}

}  // namespace

bool TMainForm::FrontKeyDown(uint16_t key) {
  const int32_t index = FrontKeyIndex(key);
  if (index < 0) return false;
  // In the menu P is nobody's, and M a letter while an edit box has the keys.
  if (!InTournament()) {
    if (key == kPauseKey || key == kPauseBreakKey) return false;
    if (key == kMuteKey && dynamic_cast<Edit*>(screen_->Focused())) return false;
  }
  // The keyboard repeats a held key; a toggle happens once per press.
  if (frontKeysHeld_[static_cast<size_t>(index)]) return true;
  frontKeysHeld_[static_cast<size_t>(index)] = true;
  switch (key) {
    case kHelpKey:
      if (help_.IsOpen()) return true;
      if (InTournament()) {
        helpPause_ = true;
        SettlePause();
      } else if (&screen_->TopLayer() == &screen_->Root() && !MenuBlocked()) {
        OpenHelp();
      }
      return true;
    case kMuteKey:
      ToggleMute();
      return true;
    default:  // P and Pause
      if (help_.IsOpen()) return true;
      wantPause_ = !wantPause_;
      SettlePause();
      return true;
  }
}

void TMainForm::FrontKeyUp(uint16_t key) {
  const int32_t index = FrontKeyIndex(key);
  if (index >= 0) frontKeysHeld_[static_cast<size_t>(index)] = false;
}

void TMainForm::OpenHelp() {
  if (help_.IsOpen()) return;
  help_.Open(*screen_);
  if (InTournament()) PaintMenu();
}

void TMainForm::HelpClosed() {
  if (!helpPause_) return;
  helpPause_ = false;
  SettlePause();
  // Still paused by the player: the picture without the page.
  if (ctx_.Paused) ShowPausedPicture();
}

void TMainForm::SettlePause() {
  const bool want = wantPause_ || helpPause_;
  if (want) {
    if (!ctx_.Paused) {
      // Inside a frame (a pop-up) or during a strike the pause waits; the
      // frame timer's next tick takes it.
      if (!InTournament() || recorder_.InsideTick() || !CanPauseTournament(ctx_)) return;
      PauseTournament(ctx_);
      pausedByPlayer_ = true;
      recorder_.RecordPause(platform_.Milliseconds());
      UpdateEffectsHold();
      ShowPausedPicture();
    }
    // Paused now, by the player or by a replay being watched.
    if (helpPause_) OpenHelp();
    return;
  }
  if (!want && ctx_.Paused && pausedByPlayer_) {
    pausedByPlayer_ = false;
    ResumeTournament(ctx_);
    recorder_.RecordResume(platform_.Milliseconds());
    UpdateEffectsHold();
  }
}

bool TMainForm::TakeWaitingPause() {
  if (!(wantPause_ || helpPause_) || ctx_.Paused) return false;
  // Between frames now: the tick that would have drawn the next frame.
  SettlePause();
  return ctx_.Paused;
}

void TMainForm::ForgetPause() {
  // Between tournaments: nothing waits, and the frame timer is left as the
  // caller has it.
  wantPause_ = helpPause_ = pausedByPlayer_ = false;
  ctx_.Paused = false;
  UpdateEffectsHold();
}

void TMainForm::UpdateEffectsHold() {
  const bool away = InTournament() && !app_.Timers().Active();
  DXSound.SetGroupHeld(kEffectsGroup, ctx_.Paused || away);
}

void TMainForm::ShowPausedPicture() {
  if (!DXDraw.Initialized() || !DXDraw.CanDraw()) return;
  const Surface16& field = DXDraw.Primary();
  if (pausedFrame_.Width() != field.Width() || pausedFrame_.Height() != field.Height() ||
      pausedFrame_.Format() != field.Format())
    pausedFrame_ = Surface16(field.Width(), field.Height(), field.Format());
  std::memcpy(pausedFrame_.Pixels(), field.Pixels(),
              static_cast<size_t>(field.Pitch()) * static_cast<size_t>(field.Height()));
  try {
    DrawCentredBig(pausedFrame_, objects, "PAUSED", 200);
    // How to go on, in the menu's small face under the big word.
    Canvas c(pausedFrame_, *fonts_);
    const Font& f = c.GetFont("sans-12");
    const std::string hint = "P, Pause or a click goes on   \xB7   F1 controls";
    const int32_t x = (pausedFrame_.Width() - f.TextWidth(hint)) / 2;
    c.FillRect(x - 6, 236, f.TextWidth(hint) + 12, f.CellHeight + 4, kMenuWindow);
    c.DrawText(f, x, 238, hint, kMenuText);
  } catch (const std::exception& e) {
    // A library without the big font: the field alone, still frozen.
    LogWarning(e.what());
  }
  if (&screen_->TopLayer() == &screen_->Root())
    platform_.Present(pausedFrame_);
  else
    screen_->Invalidate();
}

void TMainForm::ToggleMute() {
  const bool muted = !DXSound.Muted();
  DXSound.SetMuted(muted);
  if (InTournament()) {
    soundNoteUntil_ = platform_.Milliseconds() + kNoteTime;
    // A paused field shows it at once; a running one with its next frame.
    if (ctx_.Paused && &screen_->TopLayer() == &screen_->Root()) {
      ShowPausedPicture();
      try {
        DrawCentredBig(pausedFrame_, objects, muted ? "SOUND OFF" : "SOUND ON", 270);
      } catch (const std::exception&) {
      }
      platform_.Present(pausedFrame_);
    }
    return;
  }
  ShowStatusNote(muted ? "Sound off    M turns it on" : "Sound on");
}

void TMainForm::ShowStatusNote(const std::string& text) {
  status->SetCaption(text);
  statusNoteUntil_ = platform_.Milliseconds() + kNoteTime;
  if (statusNoteUntil_ == 0) statusNoteUntil_ = 1;
}

void TMainForm::DrawSoundNote() {
  if (soundNoteUntil_ == 0) return;
  if (static_cast<int32_t>(platform_.Milliseconds() - soundNoteUntil_) >= 0) {
    soundNoteUntil_ = 0;
    return;
  }
  // Under a message of the game, on the message line itself otherwise.
  const int32_t y = state_->Message.empty() ? 200 : 240;
  try {
    DrawCentredBig(DXDraw.Surface(), objects, DXSound.Muted() ? "SOUND OFF" : "SOUND ON", y);
  } catch (const std::exception& e) {
    // Never at the cost of the frame: the note is left out.
    soundNoteUntil_ = 0;
    LogWarning(e.what());
  }
}

void TMainForm::SaveWindowPlace() {
  const WindowPlacement now = platform_.Placement();
  if (paths_.WindowStateFile.empty() || (savedPlace_ && *savedPlace_ == now)) return;
  try {
    SaveWindowState(paths_.WindowStateFile, now);
    savedPlace_ = now;
  } catch (const std::exception& e) {
    // The window is simply not remembered; the game goes on.
    LogWarning(e.what());
    savedPlace_ = now;
  }
}

}  // namespace tw
