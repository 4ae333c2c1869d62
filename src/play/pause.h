// Pausing a tournament between two frames: the frame timer stops, so the
// clock, the fish and the boat stand still, and the effects that were
// sounding (the engine, the reel) hold where they are until it goes on.
// The window pauses for the player (P, Pause, the help page); a replay
// pauses at the same moments, so input that arrives meanwhile is taken
// exactly as it was.
#pragma once
#include "play/context.h"

namespace tw {

// Whether a pause can start now: the frame timer runs (not the strike bar)
// and the tournament is not paused already. Callers inside a frame (a
// pop-up waiting for a key) wait until it is done.
bool CanPauseTournament(const PlayContext& ctx);

// Stops the frame timer and holds the effects. False (and nothing done)
// when CanPauseTournament says no.
bool PauseTournament(PlayContext& ctx);
// Starts the frame timer again, its next tick a whole interval from now, so
// no burst of frames follows; the effects sound on. False when not paused.
bool ResumeTournament(PlayContext& ctx);

}  // namespace tw
