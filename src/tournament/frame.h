// One tick of the frame timer: the whole game advances one step and one
// complete picture is drawn and presented, in a fixed order where later
// steps draw over earlier ones and read what they changed.
#pragma once
#include <cstdint>

namespace tw {

class Tournament;

// The frame timer's handler. `lagCount` is ignored: every call is one step,
// so a stall is never caught up.
void DXTimerTimer(Tournament& t, int32_t lagCount = 1);

}  // namespace tw
