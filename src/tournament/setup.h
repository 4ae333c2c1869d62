// Starting a tournament ("Fish This Lake") and ending one: the entry fee,
// loading the lake, placing the boat, fish and monsters, switching between
// the menu and the play surface (the record's own resets are in
// play/game_state.h).
#pragma once
#include <cstdint>

#include "play/game_state.h"

namespace tw {

class Tournament;

// Sets up and starts a tournament on the context's lake. Returns false when
// nothing started: not enough money (the player is told), a set-up already
// under way, or the window closed meanwhile. A lake that cannot be loaded
// refunds the fee, hides the loading box and raises the error for the
// application to show; the menu stays usable.
bool goClick(Tournament& t);

// The end of a tournament: the ambient loop stops, the play surface goes and
// the window brings the menu back; then the surface comes up again.
void ReturnToMenu(Tournament& t);

// The frame timer's interval for the "Game Speed" choice, or -1 to leave it.
int32_t FrameIntervalFor(int32_t speedIndex);

}  // namespace tw
