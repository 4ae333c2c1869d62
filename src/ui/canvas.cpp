#include "ui/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace tw {

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
         std::min(a.Bottom, b.Bottom)};
  if (r.Empty()) r = Rect{};
  return r;
}

Canvas::Canvas(Surface16& surface, const FontSet& fonts)
    : surface_(surface), fonts_(fonts), clip_{0, 0, surface.Width(), surface.Height()} {}

void Canvas::SetClip(Rect clip) {
  clip_ = Intersect(clip, Rect{0, 0, surface_.Width(), surface_.Height()});
}

void Canvas::Pixel(int32_t x, int32_t y, Rgb c) {
  FillRect(x, y, 1, 1, c);
}

void Canvas::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, Rgb c) {
  Rect r = Intersect(Rect{ox_ + x, oy_ + y, ox_ + x + w, oy_ + y + h}, clip_);
  if (r.Empty()) return;
  uint16_t v = surface_.Pack(c.R, c.G, c.B);
  for (int32_t yy = r.Top; yy < r.Bottom; ++yy)
    std::fill(surface_.Row(yy) + r.Left, surface_.Row(yy) + r.Right, v);
}

void Canvas::FrameRect(int32_t x, int32_t y, int32_t w, int32_t h, Rgb c) {
  if (w <= 0 || h <= 0) return;
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::HLine(int32_t x0, int32_t x1, int32_t y, Rgb c) {
  if (x1 < x0) std::swap(x0, x1);
  FillRect(x0, y, x1 - x0 + 1, 1, c);
}

void Canvas::VLine(int32_t x, int32_t y0, int32_t y1, Rgb c) {
  if (y1 < y0) std::swap(y0, y1);
  FillRect(x, y0, 1, y1 - y0 + 1, c);
}

void Canvas::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb c) {
  int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int32_t err = dx + dy;
  uint16_t v = surface_.Pack(c.R, c.G, c.B);
  for (;;) {
    int32_t fx = ox_ + x0, fy = oy_ + y0;
    if (fx >= clip_.Left && fx < clip_.Right && fy >= clip_.Top && fy < clip_.Bottom)
      surface_.Row(fy)[fx] = v;
    if (x0 == x1 && y0 == y1) break;
    int32_t e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Canvas::DrawImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* pixels) {
  if (!pixels || w <= 0 || h <= 0) return;
  Rect r = Intersect(Rect{ox_ + x, oy_ + y, ox_ + x + w, oy_ + y + h}, clip_);
  for (int32_t fy = r.Top; fy < r.Bottom; ++fy) {
    const uint32_t* src = pixels + static_cast<size_t>(fy - oy_ - y) * static_cast<size_t>(w);
    uint16_t* dst = surface_.Row(fy);
    for (int32_t fx = r.Left; fx < r.Right; ++fx) {
      uint32_t p = src[fx - ox_ - x];
      dst[fx] = surface_.Pack(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                              static_cast<uint8_t>(p));
    }
  }
}

void Canvas::Blend(int32_t fx, int32_t fy, Rgb c, uint32_t alpha) {
  uint16_t* px = surface_.Row(fy) + fx;
  if (alpha >= 255) {
    *px = surface_.Pack(c.R, c.G, c.B);
    return;
  }
  uint32_t under = Surface16::UnpackColor(surface_.Format(), *px);
  auto mix = [alpha](uint32_t back, uint32_t fore) {
    return static_cast<uint8_t>((fore * alpha + back * (255 - alpha) + 127) / 255);
  };
  *px = surface_.Pack(mix((under >> 16) & 255, c.R), mix((under >> 8) & 255, c.G),
                      mix(under & 255, c.B));
}

int32_t Canvas::DrawText(const Font& font, int32_t x, int32_t y, std::string_view text, Rgb c) {
  int32_t pen = x;
  for (char ch : text) {
    uint8_t u = static_cast<uint8_t>(ch);
    int32_t adv = font.Advance(u);
    if (u >= Font::kFirst) {
      int32_t fx0 = ox_ + pen, fy0 = oy_ + y;
      // Skip glyphs wholly outside the clip, which long lists rely on.
      if (fx0 < clip_.Right && fx0 + font.CellWidth > clip_.Left && fy0 < clip_.Bottom &&
          fy0 + font.CellHeight > clip_.Top) {
        for (int32_t gy = 0; gy < font.CellHeight; ++gy) {
          int32_t fy = fy0 + gy;
          if (fy < clip_.Top || fy >= clip_.Bottom) continue;
          for (int32_t gx = 0; gx < font.CellWidth; ++gx) {
            int32_t fx = fx0 + gx;
            if (fx < clip_.Left || fx >= clip_.Right) continue;
            uint8_t a = font.At(u, gx, gy);
            if (a) Blend(fx, fy, c, a);
          }
        }
      }
    }
    pen += adv;
  }
  return pen - x;
}

}  // namespace tw
