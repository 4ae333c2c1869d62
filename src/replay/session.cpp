#include "replay/session.h"

#include <chrono>
#include <cstdio>

#include "core/error.h"
#include "core/files.h"
#include "fishing/fishing.h"
#include "play/input.h"
#include "play/lake_rules.h"
#include "play/pause.h"
#include "tournament/frame.h"
#include "tournament/setup.h"
#include "world/lake_files.h"

namespace tw {

// ---- input from a replay ----

void ReplaySource::Poll(HeadlessTournament&, const InputMoment& now,
                        std::vector<ReplayEvent>& out) {
  while (next_ < replay_.Events.size() && !MomentBefore(now, replay_.Events[next_].When))
    out.push_back(replay_.Events[next_++]);
}

bool ReplaySource::MoreInFrame(int32_t frame) const {
  return next_ < replay_.Events.size() && replay_.Events[next_].When.Frame == frame &&
         replay_.Events[next_].When.Pump > 0;
}

void DeliverToGame(PlayContext& ctx, const ReplayEvent& e) {
  switch (e.Kind) {
    case ReplayEventKind::KeyDown:
      FormKeyDown(ctx, e.Key);
      break;
    case ReplayEventKind::KeyUp:
      FormKeyUp(ctx, e.Key);
      break;
    case ReplayEventKind::MouseMove:
      DXDrawMouseMove(ctx, e.X, e.Y);
      break;
    case ReplayEventKind::MouseDown:
      DXDrawMouseDown(ctx, e.Button, e.X, e.Y);
      break;
    case ReplayEventKind::MouseUp:
      DXDrawMouseUp(ctx, e.Button, e.X, e.Y);
      break;
    case ReplayEventKind::Pause:
      PauseTournament(ctx);
      break;
    case ReplayEventKind::Resume:
      ResumeTournament(ctx);
      break;
  }
}

// ---- summary ----

uint64_t HashSurface(const Surface16& surface) {
  uint64_t h = 14695981039346656037ull;
  for (int32_t y = 0; y < surface.Height(); ++y) {
    const uint16_t* row = surface.Row(y);
    for (int32_t x = 0; x < surface.Width(); ++x) {
      h = (h ^ (row[x] & 0xFF)) * 1099511628211ull;
      h = (h ^ (row[x] >> 8)) * 1099511628211ull;
    }
  }
  return h;
}

std::string TournamentSummary::Line() const {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Hash));
  return "frames=" + std::to_string(Frames) + " fish=" + std::to_string(FishCaught) +
         " lbs=" + std::to_string(CatchPounds) + " in=" + std::to_string(CatchInches) +
         " cash=" + std::to_string(Cash) + " level=" + std::to_string(PlayerLevel) + " message=\"" +
         LastMessage + "\" hash=" + hash;
}

// ---- the tournament ----

HeadlessTournament::HeadlessTournament(LakeFolders folders)
    : lakes_(std::move(folders)),
      DXDraw_(platform_),
      DXSound_(audio_),
      slot_(platform_),
      DXTimer_(slot_),
      DXCastTimer_(slot_),
      sounds_(&DXSound_),
      background_(&DXSound_),
      state_(std::make_unique<GameState>()),
      ctx_{*state_,      DXDraw_, objects_,      tiles_, sounds_,     background_, DXTimer_,
           DXCastTimer_, rng_,    PlayOptions{}, "",     lakes_.Data, "Player",    PlayHooks{}} {
  ctx_.PlayerLakes = lakes_.Player;
  DXDraw_.AddImageList(&objects_);
  DXDraw_.AddImageList(&tiles_);
  // What the main window does when the surface comes and goes.
  DXDraw_.OnInitialize = [this] {
    ResetTournamentFields(*state_);
    if (ctx_.Options.SoundOn) DXSound_.Initialize();
  };
  DXDraw_.OnFinalize = [this] {
    if (ctx_.Options.SoundOn) DXSound_.Finalize();
    DXTimer_.SetEnabled(false);
    DXDraw_.SetCursorHidden(false);
  };
  DXTimer_.SetInterval(0);
  DXTimer_.OnTimer = [this](TDXTimer&, int32_t lag) { DXTimerTimer(ctx_, lag); };
  DXCastTimer_.OnTimer = [this](TDXTimer&, int32_t) { DXCastTimerTimer(ctx_); };
  PlayHooks& h = ctx_.Hooks;
  h.ProcessMessages = [] {};
  h.Terminated = [this] { return terminated_; };
  h.MessageBox = [](const std::string& text) { throw GameError(text); };
  // The return to the menu resets the catch when it brings the surface
  // back, so the summary takes it here.
  h.ShowMenu = [this] {
    ended_ = true;
    caught_ = {state_->FishCaught, state_->CatchPounds, state_->CatchInches};
  };
  recorder_.Attach(ctx_);
  recorder_.OnPump = [this] { AtPump(); };
  recorder_.OnTick = [this](bool frameTick) { AfterTick(frameTick); };

  sounds_.LoadFromFile(JoinPath(lakes_.Data, "sound.dxw"));
  background_.LoadFromFile(JoinPath(lakes_.Data, "music.dxw"));
  DXDraw_.Initialize();
}

HeadlessTournament::~HeadlessTournament() {
  DXTimer_.SetEnabled(false);
  DXCastTimer_.SetEnabled(false);
  DXDraw_.OnFinalize = nullptr;
  DXDraw_.OnInitialize = nullptr;
  DXDraw_.Finalize();
  DXSound_.Finalize();
  DXDraw_.RemoveImageList(&objects_);
  DXDraw_.RemoveImageList(&tiles_);
}

void HeadlessTournament::LoadLakeRules(const std::string& lake) {
  // Anything by the map's name goes on to set-up, which says what is wrong
  // with it; only a lake with nothing there is unknown.
  if (!PathExists(LakePath(lakes_, lake, ".iso"))) {
    std::string where = JoinPath(lakes_.Data, "lakes");
    if (!lakes_.Player.empty()) where += " nor in " + lakes_.Player;
    throw GameError("The lake " + lake + " is not in " + where);
  }
  ApplyLakeDefinition(*state_, ReadLakeDefinition(LakePath(lakes_, lake, ".ini")));
}

void HeadlessTournament::Start(const ReplayHeader& header, InputSource& source) {
  source_ = &source;
  LoadLakeRules(header.Lake);
  ApplyHeader(header, ctx_);
  lastMessage_.clear();
  ended_ = false;
  recorder_.BeginTournament(ctx_);
  const auto t0 = std::chrono::steady_clock::now();
  bool ok = false;
  try {
    ok = goClick(ctx_);
  } catch (...) {
    recorder_.SetUpDone(false);
    throw;
  }
  setUpMs_ =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  recorder_.SetUpDone(ok);
  if (!ok) throw GameError("The tournament on " + header.Lake + " did not start");
  started_ = true;
}

bool HeadlessTournament::Finished() const {
  return !started_ || slot_.Installed() == nullptr;
}

const char* HeadlessTournament::RunningTimer() const {
  if (ctx_.Paused) return "paused";
  const TDXTimer* t = slot_.Installed();
  if (t == &DXTimer_) return "frame";
  if (t == &DXCastTimer_) return "strike";
  return "none";
}

void HeadlessTournament::Deliver(const ReplayEvent& e) {
  if (e.Kind == ReplayEventKind::Pause || e.Kind == ReplayEventKind::Resume) {
    const bool wasPaused = ctx_.Paused;
    DeliverToGame(ctx_, e);
    if (ctx_.Paused == wasPaused) return;  // nothing to pause, or not paused
    recorder_.Record(e);                   // a pause keeps the length the replay gave it
    if (AfterPauseChange) AfterPauseChange();
    return;
  }
  recorder_.Record(e.Kind, e.Key, e.Button, e.X, e.Y);
  DeliverToGame(ctx_, e);
}

void HeadlessTournament::AtPump() {
  if (!source_) return;
  due_.clear();
  const InputMoment now = recorder_.Now();
  source_->Poll(*this, now, due_);
  for (const ReplayEvent& e : due_) Deliver(e);
  // Inside a frame only a pop-up looks at the messages; once it has let the
  // queued input through and nothing more can come, it would wait for ever.
  if (due_.empty() && now.Frame > 0 && now.Pump > 256 && !source_->MoreInFrame(now.Frame) &&
      state_->AnyInput == 0) {
    stuck_ = true;
    terminated_ = true;
  }
}

void HeadlessTournament::AfterTick(bool frameTick) {
  if (AfterEachTick) AfterEachTick(frameTick);
  if (!frameTick || ended_) return;
  // The text the message line showed this frame: what is left of it, or the
  // ending's text that is set afresh and drawn once every frame.
  const GameState& s = *state_;
  if (!s.Message.empty())
    lastMessage_ = s.Message;
  else if (s.GameOver && s.FishCaught < s.Limit)
    lastMessage_ = (s.Timed && s.TimeLeft <= 0) ? "TIME EXPIRED" : "GAME OVER";
  else if (s.QuitQuery && !s.GameOver)
    lastMessage_ = "PRESS ENTER TO QUIT GAME";
}

bool HeadlessTournament::Step() {
  TDXTimer* timer = slot_.Installed();
  if (!started_ || !timer || !timer->OnTimer) return false;
  if (source_) {
    due_.clear();
    source_->Poll(*this, recorder_.Now(), due_);
    for (const ReplayEvent& e : due_) Deliver(e);
  }
  if (ctx_.Paused)
    throw GameError("The replay ends in frame " + std::to_string(recorder_.Frames()) +
                    " while the game is paused");
  timer = slot_.Installed();
  if (!timer) return false;
  timer->OnTimer(*timer, 1);
  if (stuck_)
    throw GameError("The replay ends in frame " + std::to_string(recorder_.Frames()) +
                    " while the game waits for a key");
  return true;
}

void HeadlessTournament::Run(int64_t maxTicks) {
  for (int64_t i = 0; i < maxTicks && Step(); ++i) {
  }
}

TournamentSummary HeadlessTournament::Summary() const {
  const GameState& s = *state_;
  TournamentSummary r;
  r.Frames = recorder_.Frames();
  const std::array<int32_t, 3> catchNow = {s.FishCaught, s.CatchPounds, s.CatchInches};
  const std::array<int32_t, 3>& c = ended_ ? caught_ : catchNow;
  r.FishCaught = c[0];
  r.CatchPounds = c[1];
  r.CatchInches = c[2];
  r.Cash = s.Cash;
  r.PlayerLevel = s.PlayerLevel;
  r.LastMessage = lastMessage_;
  r.Hash = HashSurface(const_cast<TDXDraw&>(DXDraw_).Surface());
  return r;
}

}  // namespace tw
