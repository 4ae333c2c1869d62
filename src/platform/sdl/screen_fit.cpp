#include "platform/sdl/screen_fit.h"

#include <algorithm>

namespace tw {

namespace {
// A picture of w by h pixels centred in the output.
Rect Centred(int32_t outputW, int32_t outputH, int64_t w, int64_t h) {
  Rect r;
  r.Left = static_cast<int32_t>((outputW - w) / 2);
  r.Top = static_cast<int32_t>((outputH - h) / 2);
  r.Right = r.Left + static_cast<int32_t>(w);
  r.Bottom = r.Top + static_cast<int32_t>(h);
  return r;
}
}  // namespace

Rect FitFrame(int32_t outputW, int32_t outputH, int32_t frameW, int32_t frameH) {
  if (outputW <= 0 || outputH <= 0 || frameW <= 0 || frameH <= 0) return {};
  // Compare outputW/frameW with outputH/frameH without rounding.
  int64_t w, h;
  if (int64_t{outputW} * frameH <= int64_t{outputH} * frameW) {
    w = outputW;
    h = std::max<int64_t>(1, int64_t{outputW} * frameH / frameW);
  } else {
    h = outputH;
    w = std::max<int64_t>(1, int64_t{outputH} * frameW / frameH);
  }
  return Centred(outputW, outputH, w, h);
}

Rect FitFrameWhole(int32_t outputW, int32_t outputH, int32_t frameW, int32_t frameH) {
  if (outputW <= 0 || outputH <= 0 || frameW <= 0 || frameH <= 0) return {};
  const int32_t scale = std::min(outputW / frameW, outputH / frameH);
  if (scale < 1) return FitFrame(outputW, outputH, frameW, frameH);
  const int64_t w = int64_t{frameW} * scale, h = int64_t{frameH} * scale;
  return Centred(outputW, outputH, w, h);
}

namespace {
int32_t Scale(int32_t pos, int32_t start, int32_t length, int32_t frameLength) {
  if (length <= 0 || frameLength <= 0) return 0;
  const int64_t offset = int64_t{pos} - start;
  // Floor division, so positions left of the frame stay negative and clamp to 0.
  int64_t v = offset * frameLength;
  v = v >= 0 ? v / length : -((-v + length - 1) / length);
  return static_cast<int32_t>(std::clamp<int64_t>(v, 0, frameLength - 1));
}
}  // namespace

void OutputToFrame(const Rect& fit, int32_t frameW, int32_t frameH, int32_t x, int32_t y,
                   int32_t& frameX, int32_t& frameY) {
  frameX = Scale(x, fit.Left, fit.Width(), frameW);
  frameY = Scale(y, fit.Top, fit.Height(), frameH);
}

}  // namespace tw
