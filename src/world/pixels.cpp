// Pixel and line drawing straight into the locked back buffer.
#include "world/pixels.h"

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

// The one drawing context, valid from LockSurface to UnlockSurface. While
// nothing is locked the bounds are -1, so every pixel is clipped away.
struct DrawContext {
  uint8_t* pixels = nullptr;
  int32_t pitch = 0;
  int32_t maxX = -1, maxY = -1;
  bool is555 = false;  // decided once per lock, never per pixel
  Surface16* surface = nullptr;
};
DrawContext ctx;

inline bool Inside(int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x <= ctx.maxX && y <= ctx.maxY;
}

inline uint16_t* At(int64_t x, int64_t y) {
  return reinterpret_cast<uint16_t*>(ctx.pixels + y * ctx.pitch) + x;
}

inline uint16_t Pack(uint8_t r, uint8_t g, uint8_t b) {
  if (ctx.is555) return static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

inline void Put(int64_t x, int64_t y, uint8_t r, uint8_t g, uint8_t b) {
  if (Inside(x, y)) *At(x, y) = Pack(r, g, b);
}

// Each channel moves floor((target - old) * alpha / 256) toward the target;
// the shift of a negative difference rounds down as well.
inline uint8_t Toward(uint8_t old, uint8_t target, uint8_t alpha) {
  return static_cast<uint8_t>(old + (((target - old) * alpha) >> 8));
}

inline void Blend(int64_t x, int64_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha) {
  if (!Inside(x, y)) return;
  const uint16_t p = *At(x, y);
  Put(x, y, Toward(RedOf(p), r, alpha), Toward(GreenOf(p), g, alpha), Toward(BlueOf(p), b, alpha));
}

// Bresenham along the major axis `a` (the one that moves every step), from
// (a1, b1), da steps of sa and db of sb spread over them. Steps whose major
// coordinate lies off the surface are skipped without walking them: after j
// steps the minor axis has moved floor((2 db j + da) / (2 da)) times, the
// same as stepping one by one would give.
template <typename Plot>
void Bresenham(int64_t a1, int64_t b1, int64_t sa, int64_t sb, int64_t da, int64_t db, int64_t aMax,
               Plot plot) {
  const int64_t jLo = std::max<int64_t>(0, sa > 0 ? -a1 : a1 - aMax);
  const int64_t jHi = std::min<int64_t>(da, sa > 0 ? aMax - a1 : a1);
  if (jLo > jHi) return;
  if (da == 0) {
    plot(a1, b1);
    return;
  }
  const __int128 t = static_cast<__int128>(2 * db) * jLo + da;
  int64_t b = b1 + sb * static_cast<int64_t>(t / (2 * da));
  int64_t err = 2 * db + static_cast<int64_t>(t % (2 * da)) - 2 * da;
  int64_t a = a1 + sa * jLo;
  for (int64_t j = jLo; j <= jHi; ++j) {
    plot(a, b);
    if (err < 0) {
      err += 2 * db;
    } else {
      err += 2 * (db - da);
      b += sb;
    }
    a += sa;
  }
}

// Alphas of the two pixels across the line: (1 - f) * 255 and f * 255 in
// extended precision, truncated and kept to 8 bits (so a negative coordinate,
// whose fraction is negative, wraps instead of saturating). When the running
// coordinate is not tiny its fraction has few enough bits that double
// arithmetic is exact too, and much quicker than the extended kind.
struct Alphas {
  uint8_t nearA, farA;
};
inline Alphas AlphasOf(float coordinate, float f) {
  if (std::fabs(coordinate) >= 0x1p-16f) {
    // f is a multiple of 2^-39 and smaller than 1 in size: 1 - f and the
    // products fit in 53 bits exactly.
    const double fd = f;
    return {static_cast<uint8_t>(static_cast<int64_t>((1.0 - fd) * 255.0)),
            static_cast<uint8_t>(static_cast<int64_t>(fd * 255.0))};
  }
  return {static_cast<uint8_t>(static_cast<int64_t>((1.0L - f) * 255.0L)),
          static_cast<uint8_t>(static_cast<int64_t>(f * 255.0L))};
}

// The antialiased walk along major axis `a` from aStart to aEnd (ascending),
// with the minor coordinate a float advanced by repeated addition. The
// additions before the surface starts still happen, so the pixels drawn are
// the same wherever the line begins; but once an addition no longer changes
// the coordinate (the step is below its precision) none ever will again, and
// the rest of the way to the surface is skipped.
template <typename Plot>
void SmoothWalk(int64_t aStart, int64_t aEnd, float fb, float step, int64_t aMax, Plot plot) {
  for (int64_t a = aStart; a <= aEnd && a <= aMax; ++a) {
    if (a < 0) {
      const float next = fb + step;
      if (next == fb) a = -1;
      fb = next;
      continue;
    }
    const float whole = std::trunc(fb);
    plot(a, static_cast<int64_t>(whole), AlphasOf(fb, fb - whole));
    fb = fb + step;
  }
}

}  // namespace

bool LockSurface(Surface16& s) {
  UnlockSurface();
  if (s.Lost()) return false;
  ctx.pixels = reinterpret_cast<uint8_t*>(s.Pixels());
  ctx.pitch = s.Pitch();
  ctx.maxX = s.Width() - 1;
  ctx.maxY = s.Height() - 1;
  ctx.is555 = s.GreenMask() != 0x07E0;
  ctx.surface = &s;
  return true;
}

void UnlockSurface() {
  ctx = DrawContext{};
}

void PutPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b) {
  Put(x, y, r, g, b);
}

uint16_t GetPixel(int32_t x, int32_t y) {
  return Inside(x, y) ? *At(x, y) : 0;
}

uint8_t RedOf(uint16_t p) {
  return static_cast<uint8_t>((p >> (ctx.is555 ? 10 : 11)) << 3);
}

uint8_t GreenOf(uint16_t p) {
  if (ctx.is555) return static_cast<uint8_t>(((p & 0x03E0) >> 5) << 3);
  return static_cast<uint8_t>(((p & 0x07E0) >> 5) << 2);
}

uint8_t BlueOf(uint16_t p) {
  return static_cast<uint8_t>((p & 0x1F) << 3);
}

void BlendPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha) {
  Blend(x, y, r, g, b, alpha);
}

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g, uint8_t b) {
  const int64_t dx = std::llabs(int64_t{x2} - x1), dy = std::llabs(int64_t{y2} - y1);
  const int64_t sx = x1 > x2 ? -1 : 1, sy = y1 > y2 ? -1 : 1;
  if (dy <= dx) {
    Bresenham(x1, y1, sx, sy, dx, dy, ctx.maxX, [&](int64_t x, int64_t y) { Put(x, y, r, g, b); });
  } else {
    Bresenham(y1, x1, sy, sx, dy, dx, ctx.maxY, [&](int64_t y, int64_t x) { Put(x, y, r, g, b); });
  }
}

void DrawSmoothLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g,
                    uint8_t b) {
  const int64_t dx = std::llabs(int64_t{x2} - x1), dy = std::llabs(int64_t{y2} - y1);
  if (dx == 0 || dy == 0) {
    DrawLine(x1, y1, x2, y2, r, g, b);
    return;
  }
  if (dy < dx) {
    float slope = static_cast<float>(static_cast<long double>(dy) / dx);
    if (y1 < y2) slope = -slope;
    auto plot = [&](int64_t x, int64_t i, Alphas alpha) {
      Blend(x, i, r, g, b, alpha.nearA);
      Blend(x, i + 1, r, g, b, alpha.farA);
    };
    if (x1 > x2) {
      SmoothWalk(x2, x1, static_cast<float>(y2), slope, ctx.maxX, plot);
    } else {
      SmoothWalk(x1, x2, static_cast<float>(y1), -slope, ctx.maxX, plot);
    }
  } else {
    float slope = static_cast<float>(static_cast<long double>(dx) / dy);
    if (x1 < x2) slope = -slope;
    auto plot = [&](int64_t y, int64_t i, Alphas alpha) {
      Blend(i, y, r, g, b, alpha.nearA);
      Blend(i + 1, y, r, g, b, alpha.farA);
    };
    if (y1 > y2) {
      SmoothWalk(y2, y1, static_cast<float>(x2), slope, ctx.maxY, plot);
    } else {
      SmoothWalk(y1, y2, static_cast<float>(x1), -slope, ctx.maxY, plot);
    }
  }
}

}  // namespace tw
