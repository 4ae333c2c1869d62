#include "replay/session.h"

#include <chrono>
#include <cstdio>

#include "core/error.h"
#include "core/files.h"
#include "play/input.h"
#include "play/lake_rules.h"
#include "play/pause.h"
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
      slot_(platform_),
      tournament_(platform_, slot_, audio_, lakes_, *this) {
  recorder_.Attach(tournament_.Context());
  recorder_.OnPump = [this] { AtPump(); };
  recorder_.OnTick = [this](bool frameTick) { AfterTick(frameTick); };
  tournament_.LoadSoundLibraries();
  tournament_.DXDraw.Initialize();
}

HeadlessTournament::~HeadlessTournament() {
  tournament_.DXTimer.SetEnabled(false);
  tournament_.DXCastTimer.SetEnabled(false);
}

void HeadlessTournament::Notice(const std::string& text) {
  throw GameError(text);
}

void HeadlessTournament::BackToMenu() {
  // The return to the menu resets the catch when it brings the surface
  // back, so the summary takes it here.
  ended_ = true;
  const GameState& s = tournament_.State();
  caught_ = {s.FishCaught, s.CatchPounds, s.CatchInches};
}

void HeadlessTournament::LoadLakeRules(const std::string& lake) {
  // Anything by the map's name goes on to set-up, which says what is wrong
  // with it; only a lake with nothing there is unknown.
  if (!PathExists(LakePath(lakes_, lake, ".iso"))) {
    std::string where = JoinPath(lakes_.Data, "lakes");
    if (!lakes_.Player.empty()) where += " nor in " + lakes_.Player;
    throw GameError("The lake " + lake + " is not in " + where);
  }
  ApplyLakeDefinition(tournament_.State(), ReadLakeDefinition(LakePath(lakes_, lake, ".ini")));
}

void HeadlessTournament::Start(const ReplayHeader& header, InputSource& source) {
  source_ = &source;
  LoadLakeRules(header.Lake);
  ApplyHeader(header, tournament_.Context());
  lastMessage_.clear();
  ended_ = false;
  recorder_.BeginTournament(tournament_.Context());
  const auto t0 = std::chrono::steady_clock::now();
  bool ok = false;
  try {
    ok = goClick(tournament_);
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
  if (tournament_.Context().Paused) return "paused";
  const TDXTimer* t = slot_.Installed();
  if (t == &tournament_.DXTimer) return "frame";
  if (t == &tournament_.DXCastTimer) return "strike";
  return "none";
}

void HeadlessTournament::Deliver(const ReplayEvent& e) {
  if (e.Kind == ReplayEventKind::Pause || e.Kind == ReplayEventKind::Resume) {
    const bool wasPaused = tournament_.Context().Paused;
    DeliverToGame(tournament_.Context(), e);
    if (tournament_.Context().Paused == wasPaused) return;  // nothing to pause, or not paused
    recorder_.Record(e);  // a pause keeps the length the replay gave it
    if (AfterPauseChange) AfterPauseChange();
    return;
  }
  recorder_.Record(e.Kind, e.Key, e.Button, e.X, e.Y);
  DeliverToGame(tournament_.Context(), e);
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
      tournament_.State().AnyInput == 0) {
    stuck_ = true;
    terminated_ = true;
  }
}

void HeadlessTournament::AfterTick(bool frameTick) {
  if (AfterEachTick) AfterEachTick(frameTick);
  if (!frameTick || ended_) return;
  // The text the message line showed this frame: what is left of it, or the
  // ending's text that is set afresh and drawn once every frame.
  const GameState& s = tournament_.State();
  if (!s.Message.empty())
    lastMessage_ = s.Message;
  else if (s.GameOver && s.FishCaught < s.Limit)
    lastMessage_ = (s.Timed && s.TimeLeft <= 0) ? "TIME EXPIRED" : "GAME OVER";
  else if (s.QuitQuery && !s.GameOver)
    lastMessage_ = "PRESS ENTER TO QUIT GAME";
}

void HeadlessTournament::CollectInput() {
  if (collected_ || !source_) return;
  due_.clear();
  source_->Poll(*this, recorder_.Now(), due_);
  collected_ = true;
}

bool HeadlessTournament::Step() {
  TDXTimer* timer = slot_.Installed();
  if (!started_ || !timer || !timer->OnTimer) return false;
  if (source_) {
    CollectInput();
    for (const ReplayEvent& e : due_) Deliver(e);
  }
  collected_ = false;
  if (tournament_.Context().Paused)
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
  const GameState& s = tournament_.State();
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
  r.Hash = HashSurface(const_cast<Tournament&>(tournament_).DXDraw.Surface());
  return r;
}

}  // namespace tw
