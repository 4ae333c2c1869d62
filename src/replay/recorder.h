// Keeps count of where a tournament is (frames, swings of the strike bar,
// looks at the window's messages inside a frame) and writes down every input
// event the game receives at that moment, so the tournament can be played
// again. The game window and the headless runner both use it.
#pragma once
#include <cstdint>
#include <functional>

#include "play/context.h"
#include "replay/replay_file.h"

namespace tw {

class ReplayRecorder {
 public:
  // Wraps the handlers of both timers and the message hook of `ctx`, which
  // must all be set already. The recorder must outlive the context's use.
  void Attach(PlayContext& ctx);

  // Called just before "Fish This Lake" runs its set-up: the header is taken
  // from the game as it is now and the set-up counts as frame 0.
  void BeginTournament(const PlayContext& ctx);
  // The set-up is over; when nothing started the recording is dropped.
  void SetUpDone(bool started);

  bool Recording() const { return recording_; }
  // Where the tournament is now: the moment an event arriving now gets.
  InputMoment Now() const;
  // Frames of the current (or last) tournament.
  int32_t Frames() const { return frames_; }
  // Inside a frame or the set-up (a pop-up or the loading box lets messages
  // through).
  bool InsideTick() const { return inside_; }
  int32_t PumpsThisTick() const { return pumps_; }

  // The game received an event; kept only while a tournament runs.
  void Record(ReplayEventKind kind, int32_t key, MouseButton button, int32_t x, int32_t y);
  // The same for an event taken from a replay: all but its moment is kept.
  void Record(const ReplayEvent& e);
  // The tournament was paused or went on again, at the clock's `nowMs`; the
  // pause's line is given its length when it ends.
  void RecordPause(uint32_t nowMs);
  void RecordResume(uint32_t nowMs);

  const Replay& Current() const { return replay_; }

  // Called after the tick in which the tournament returned to the menu,
  // with the finished recording.
  std::function<void(const Replay&)> OnTournamentEnd;
  // Called after every frame tick and strike tick (for traces).
  std::function<void(bool frameTick)> OnTick;
  // Called at every look at the messages inside a frame, before the
  // messages are handled (the headless runner delivers its input here).
  std::function<void()> OnPump;

 private:
  void FrameTick(TDXTimer& timer, int32_t lag);
  void StrikeTick(TDXTimer& timer, int32_t lag);
  void Pump();
  void CheckEnded();

  PlayContext* ctx_ = nullptr;
  std::function<void(TDXTimer&, int32_t)> frameHandler_, strikeHandler_;
  std::function<void()> processMessages_;
  Replay replay_;
  bool recording_ = false;
  bool inside_ = false;
  int32_t frames_ = 0;       // frame ticks that advanced the game
  int32_t strikeTicks_ = 0;  // since the last frame tick
  int32_t pumps_ = 0;        // inside the current tick
  size_t pauseEvent_ = 0;    // the open pause's index in the events, plus one
  uint32_t pausedAt_ = 0;
};

}  // namespace tw
