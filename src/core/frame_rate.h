// The game's clock: everything moves one step per frame, and every time the
// game record keeps (the clock, countdowns, message lifetimes) counts frames.
#pragma once
#include <cstdint>

namespace tw {

constexpr int32_t kFramesPerSecond = 30;

}  // namespace tw
