// What the main window keeps while it shows a kept replay: the replay, how
// far its events have been handed to the game, a pause of the replay being
// waited out, and the watcher's fast-forward.
#pragma once
#include <cstddef>
#include <cstdint>

#include "replay/replay_file.h"

namespace tw {

struct ReplayWatch {
  Replay Recording;
  size_t Next = 0;         // the first event not yet handed over
  uint32_t HoldUntil = 0;  // a pause of the replay shows until then
  bool Holding = false;
  bool Fast = false;                               // Right held: four times the speed
  uint32_t FrameInterval = 0, StrikeInterval = 0;  // the recorded speed
  bool Failed = false;
};

// How much faster the Right arrow plays a replay.
inline constexpr uint32_t kWatchFastFactor = 4;

}  // namespace tw
