// Direct pixel access to the locked back buffer, for the fishing line: single
// pixels with clipping, alpha blending and plain or antialiased lines, on
// either 16-bit layout. One surface is locked at a time; every call between
// LockSurface and UnlockSurface works on it, and outside a lock they do
// nothing (GetPixel gives 0).
#pragma once
#include <cstdint>

#include "media/surface.h"

namespace tw {

// False, and nothing locked, when the surface was lost.
bool LockSurface(Surface16& s);
void UnlockSurface();

void PutPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b);
uint16_t GetPixel(int32_t x, int32_t y);

// Channels of a packed pixel of the locked surface's layout, low bits zero.
uint8_t RedOf(uint16_t p);
uint8_t GreenOf(uint16_t p);
uint8_t BlueOf(uint16_t p);

// Moves the pixel alpha/256 of the way toward (r, g, b), rounding down.
void BlendPixel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha);

// A one-pixel line, both ends included.
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g, uint8_t b);

// An antialiased line: two pixels blended across it at every step.
void DrawSmoothLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g,
                    uint8_t b);

}  // namespace tw
