// A tournament without a window: the real libraries and lake files of a
// program folder, the headless platform, and the game's own handlers, fed
// by an input source (a replay or the autopilot) at exact moments. Every
// event also goes through a recorder, so any run can be saved and replayed.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_platform.h"
#include "replay/recorder.h"
#include "replay/replay_file.h"
#include "tournament/tournament.h"
#include "world/lake_files.h"

namespace tw {

class HeadlessTournament;

// Where a tournament's input comes from.
class InputSource {
 public:
  virtual ~InputSource() = default;
  // Appends the events the game receives at `now` (between ticks, or at a
  // look at the messages inside a frame).
  virtual void Poll(HeadlessTournament& game, const InputMoment& now,
                    std::vector<ReplayEvent>& out) = 0;
  // Whether anything may still come in frame `frame` at a later look at the
  // messages; when not, a pop-up waiting there would wait for ever.
  virtual bool MoreInFrame(int32_t frame) const = 0;
};

// Plays the events of a replay at their moments. Events whose moment has
// gone by unseen (a hand-written strike that ended sooner) come at the
// first moment after it.
class ReplaySource : public InputSource {
 public:
  explicit ReplaySource(const Replay& replay) : replay_(replay) {}
  void Poll(HeadlessTournament& game, const InputMoment& now,
            std::vector<ReplayEvent>& out) override;
  bool MoreInFrame(int32_t frame) const override;

 private:
  const Replay& replay_;
  size_t next_ = 0;
};

// Hands one recorded event to the game as the main window does during a
// tournament: keys to the form's handlers, the mouse to the drawing
// surface's, a pause or resume to the tournament's pause. Not recorded.
void DeliverToGame(PlayContext& ctx, const ReplayEvent& e);

// One line per finished tournament.
struct TournamentSummary {
  int32_t Frames = 0;
  int32_t FishCaught = 0, CatchPounds = 0, CatchInches = 0;
  int32_t Cash = 0, PlayerLevel = 0;
  std::string LastMessage;
  uint64_t Hash = 0;
  // "frames=... fish=... lbs=... in=... cash=... level=... message=\"...\" hash=..."
  std::string Line() const;
};

// FNV-1a over the pixels, row by row.
uint64_t HashSurface(const Surface16& surface);

class HeadlessTournament : private TournamentWindow {
 public:
  // Loads the sound libraries of the data folder; lakes are looked up in
  // the player's folder too when one is given.
  explicit HeadlessTournament(LakeFolders folders);
  explicit HeadlessTournament(std::string dataFolder)
      : HeadlessTournament(LakeFolders{std::move(dataFolder), {}}) {}
  ~HeadlessTournament();
  HeadlessTournament(const HeadlessTournament&) = delete;
  HeadlessTournament& operator=(const HeadlessTournament&) = delete;

  // Reads the lake's rules, puts the header into the game and runs "Fish
  // This Lake". Raises GameError when the lake cannot be found or played.
  void Start(const ReplayHeader& header, InputSource& source);
  // One tick of whichever timer runs, with the input due before it. False
  // once the tournament is over (nothing ticked). Raises GameError when the
  // input ran out while the game waits for a key.
  bool Step();
  // Asks the input source (the replay or the autopilot) for the input due
  // before the next tick; Step asks by itself when this was not called.
  // The benchmark asks first, so that the player's choosing is not timed
  // with the game's frame.
  void CollectInput();
  // Steps until the tournament ends or `maxTicks` ticks have run.
  void Run(int64_t maxTicks = INT64_MAX);
  bool Finished() const;

  TournamentSummary Summary() const;
  // "frame", "strike", "paused" or "none".
  const char* RunningTimer() const;

  GameState& State() { return tournament_.State(); }
  const GameState& State() const { return tournament_.State(); }
  PlayContext& Context() { return tournament_.Context(); }
  Tournament& GetTournament() { return tournament_; }
  ReplayRecorder& Recorder() { return recorder_; }
  TDXDraw& Draw() { return tournament_.DXDraw; }
  TDXImageList& Objects() { return tournament_.objects; }
  const std::string& Folder() const { return lakes_.Data; }
  // Milliseconds the set-up took (reading the libraries and the map,
  // placing the fish).
  double SetUpMilliseconds() const { return setUpMs_; }

  // Called after every tick (true for a frame, false for a strike swing).
  std::function<void(bool frameTick)> AfterEachTick;
  // Called when the replay pauses the tournament or lets it go on.
  std::function<void()> AfterPauseChange;

 private:
  // ---- TournamentWindow ----
  bool Terminated() const override { return terminated_; }
  // A notice would wait for the player: here it ends the run.
  void Notice(const std::string& text) override;
  void BackToMenu() override;

  void Deliver(const ReplayEvent& e);
  void AtPump();
  void AfterTick(bool frameTick);
  void LoadLakeRules(const std::string& lake);

  LakeFolders lakes_;
  HeadlessPlatform platform_;
  HeadlessAudioOutput audio_;
  TimerSlot slot_;
  Tournament tournament_;
  ReplayRecorder recorder_;
  InputSource* source_ = nullptr;
  std::vector<ReplayEvent> due_;
  bool terminated_ = false;
  bool stuck_ = false;
  bool started_ = false;
  bool collected_ = false;  // due_ holds the input for the next tick
  std::string lastMessage_;
  bool ended_ = false;
  std::array<int32_t, 3> caught_{};  // fish, pounds, inches at the return
  double setUpMs_ = 0;
};

}  // namespace tw
