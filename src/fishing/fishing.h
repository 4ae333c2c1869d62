// Fishing: the fish and monsters of the lake, the cast and the retrieve, the
// strike bar and the landing, and the tournament's clock, read-outs and
// verdict. Each step is called by the frame loop at its place in the frame.
#pragma once
#include <cstdint>
#include <string>

#include "play/context.h"

namespace tw {

// ---- fish and monsters ----

// Fills the fish and monster slots for a new tournament: random ones on open
// water (monsters away from the boat's start), then the fish and monsters
// the map places, which replace the slot they name. Raises an error when the
// lake has no open water or a placed slot is not a number from 0 to 256.
void PlaceFishAndMonsters(PlayContext& ctx);
// Moves and draws every fish still in the lake.
void UpdateFish(PlayContext& ctx);
// Moves and draws every monster still about; one that reaches the boat raids
// the catch.
void UpdateMonsters(PlayContext& ctx);
// The slot of the fish that takes a lure at (lureX, lureY): the highest one
// inside the catching box, or -1 when none does.
int32_t FishTakingLure(const GameState& s, float lureX, float lureY);
// The one of 16 facing pictures for a heading.
int32_t Sector(uint8_t dir);

// ---- the line ----

// Starts a requested cast once the boat is at rest, no line is out and the
// cursor is far enough away; until then the request waits.
void TryStartCast(PlayContext& ctx);
// The line's shadow on the water and the rod; holds the throttle off.
void DrawWaterLines(PlayContext& ctx);
// The lure drawn in toward the rod tip: the line, splash rings, bites and
// the lure coming home.
void UpdateRetrieve(PlayContext& ctx);
// The line in flight: drawn, grown by one point, sagging, and landing.
void UpdateFlight(PlayContext& ctx);

// ---- strike and landing ----

// A fish took the lure: the frame freezes and the strike bar starts swinging.
void BeginStrike(PlayContext& ctx, int32_t fish);
// One swing of the strike bar (the strike timer's tick).
void DXCastTimerTimer(PlayContext& ctx);
// The lure came home with a fish on: landed or lost by where the bar stopped.
void ResolveCatch(PlayContext& ctx);
// A monster reached the boat and eats the whole catch.
void MonsterRaid(PlayContext& ctx, int32_t monster);
// Whether the bar's frame lands the fish, for a bar of `frames` frames.
bool StrikeLands(int32_t powerFrame, int32_t frames);

// ---- clock, read-outs and verdict ----

void DrawCatchLine(PlayContext& ctx);
// Draws the clock and counts one frame off it; at 0 the time has expired.
void RunClock(PlayContext& ctx);
// Once the catch limit is complete: the verdict, the prize and the level.
void JudgeLimit(PlayContext& ctx);
void DrawCash(PlayContext& ctx);
// The clock's three digits for a number of frames ("" from 1000 seconds on).
std::string ClockText(int32_t timeLeft);
// The cash read-out, seven characters wide ("" when it does not fit).
std::string CashText(int32_t cash);

}  // namespace tw
