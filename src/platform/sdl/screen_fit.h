// Fitting the 640x480 frame into a window or screen of any size: the largest
// 4:3 area that fits, or the largest whole multiple of the frame that fits,
// centred, with black bars on the other sides; and the way back from window
// positions to frame pixels for the mouse.
#pragma once
#include <cstdint>

#include "media/surface.h"

namespace tw {

// Where a `frameW` by `frameH` frame is drawn in an output of the given size.
Rect FitFrame(int32_t outputW, int32_t outputH, int32_t frameW, int32_t frameH);

// The largest whole multiple of the frame that fits, centred, so every
// frame pixel is the same square of output pixels; an output smaller than
// the frame itself gets FitFrame's picture instead.
Rect FitFrameWhole(int32_t outputW, int32_t outputH, int32_t frameW, int32_t frameH);

// A position in the output (window pixels) as a frame pixel, clamped to the
// frame: positions on the black bars land on the nearest edge.
void OutputToFrame(const Rect& fit, int32_t frameW, int32_t frameH, int32_t x, int32_t y,
                   int32_t& frameX, int32_t& frameY);

}  // namespace tw
