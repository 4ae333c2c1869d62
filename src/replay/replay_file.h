// A replay: everything a tournament needs to run again identically (the
// generator's seed, the player, the options, the lake, what the last
// tournament left on screen) and every input event with the moment the game
// received it. Plain text, one line per item, so scenarios can be written by
// hand.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/platform.h"
#include "play/context.h"
#include "play/game_state.h"

namespace tw {

// When the game received an event. Frames count the frame timer's ticks
// from 1 for the first of the tournament.
//   "N"    before frame N, while nothing else has ticked since frame N - 1
//   "N+S"  before frame N, after S ticks of the strike bar since frame N - 1
//   "N*P"  inside frame N, at its P-th look at the window's messages (a
//          pop-up waiting for a key); frame 0 is the tournament's set-up.
struct InputMoment {
  int32_t Frame = 1;
  int32_t StrikeTicks = 0;  // for "N+S"
  int32_t Pump = 0;         // for "N*P"; 0 means between ticks
  bool operator==(const InputMoment&) const = default;
};

// Pause and Resume: the player paused the tournament before the frame of
// the moment and went on again; input in between is taken as the paused
// game takes it.
enum class ReplayEventKind : uint8_t {
  KeyDown,
  KeyUp,
  MouseMove,
  MouseDown,
  MouseUp,
  Pause,
  Resume
};

struct ReplayEvent {
  InputMoment When;
  ReplayEventKind Kind = ReplayEventKind::KeyDown;
  int32_t Key = 0;  // virtual-key code
  MouseButton Button = MouseButton::Left;
  int32_t X = 0, Y = 0;
  // For a pause: how long it lasted, in milliseconds (what a replay shown
  // in the window waits); 0 when not known.
  int32_t Milliseconds = 0;
  bool operator==(const ReplayEvent&) const = default;
};

// What the previous tournament leaves behind that a new one does not reset:
// the view, the cursor, held arrow keys, spray and rings still on the water
// and a fish that stayed on the line.
struct CarriedOver {
  int32_t ViewX = 0, ViewY = 0;
  int32_t MouseX = 0, MouseY = 0;
  uint8_t TurnLeftKey = 0, TurnRightKey = 0, AnyInput = 0;
  uint8_t Hooked = 0;
  int32_t HookedFish = 0;
  std::array<WakeParticle, kWakeSlots> Wake{};
  std::array<Splash, kSplashSlots> Splashes{};
  uint8_t SplashNext = 0;
};

struct ReplayHeader {
  uint32_t Seed = 0;
  int32_t Cash = 50;
  int32_t PlayerLevel = 2;
  int32_t LureLevel = 1, RodLevel = 1, BoatLevel = 1;
  std::string BoatSprite = "boat1";
  PlayOptions Options;
  std::string Lake;
  CarriedOver Carry;
};

struct Replay {
  ReplayHeader Header;
  std::vector<ReplayEvent> Events;
};

// The file's text; ParseReplay(FormatReplay(r)) gives r back.
std::string FormatReplay(const Replay& replay);
// Raises GameError naming the line of anything it does not understand:
// unknown words, numbers out of range, events out of order, a missing lake.
Replay ParseReplay(const std::string& text);
Replay LoadReplay(const std::string& path);

// "12", "12+3", "12*300".
std::string FormatMoment(const InputMoment& when);
// Whether `a` comes before `b` in the game's own order of events.
bool MomentBefore(const InputMoment& a, const InputMoment& b);

// Reads the header from the game as it is just before a tournament starts.
ReplayHeader CaptureHeader(const PlayContext& ctx);
// Puts a header's player, carried-over fields and seed into the game.
void ApplyHeader(const ReplayHeader& header, PlayContext& ctx);

}  // namespace tw
