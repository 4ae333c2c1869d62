// Drawing for the menu widgets: flat fills, frames, lines, pictures and
// bitmap-font text on the 16-bit menu frame, with an origin and a clip
// rectangle so each control draws in its own coordinates.
#pragma once
#include <cstdint>
#include <string_view>

#include "media/surface.h"
#include "ui/font.h"

namespace tw {

struct Rgb {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const Rgb&) const = default;
};

// The menu's colours: texts and frames, focused and pressed controls.
inline constexpr Rgb kMenuText{191, 191, 0};
inline constexpr Rgb kMenuFocus{77, 77, 57};
inline constexpr Rgb kMenuWindow{0, 0, 0};
inline constexpr Rgb kMenuFace{20, 20, 12};
inline constexpr Rgb kMenuDisabled{110, 110, 60};
inline constexpr Rgb kHintText{0, 0, 0};

class Canvas {
 public:
  Canvas(Surface16& surface, const FontSet& fonts);

  Surface16& Target() { return surface_; }
  const FontSet& Fonts() const { return fonts_; }
  const Font& GetFont(const std::string& name) const { return fonts_.Get(name); }

  // Coordinates given to the drawing calls are relative to the origin; the
  // clip rectangle is in frame coordinates.
  void SetOrigin(int32_t x, int32_t y) { ox_ = x, oy_ = y; }
  int32_t OriginX() const { return ox_; }
  int32_t OriginY() const { return oy_; }
  void SetClip(Rect clip);
  Rect Clip() const { return clip_; }

  void Pixel(int32_t x, int32_t y, Rgb c);
  void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, Rgb c);
  void FrameRect(int32_t x, int32_t y, int32_t w, int32_t h, Rgb c);
  void HLine(int32_t x0, int32_t x1, int32_t y, Rgb c);  // x1 inclusive
  void VLine(int32_t x, int32_t y0, int32_t y1, Rgb c);  // y1 inclusive
  void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Rgb c);
  // A picture of 0x00RRGGBB pixels, row by row.
  void DrawImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint32_t* pixels);

  // Draws `text` with its cell tops at y; returns the advance.
  int32_t DrawText(const Font& font, int32_t x, int32_t y, std::string_view text, Rgb c);
  int32_t DrawText(const std::string& font, int32_t x, int32_t y, std::string_view text, Rgb c) {
    return DrawText(GetFont(font), x, y, text, c);
  }

 private:
  void Blend(int32_t fx, int32_t fy, Rgb c, uint32_t alpha);

  Surface16& surface_;
  const FontSet& fonts_;
  int32_t ox_ = 0, oy_ = 0;
  Rect clip_;
};

// Keeps a canvas's origin and clip for the lifetime of a scope.
class CanvasState {
 public:
  explicit CanvasState(Canvas& c) : c_(c), x_(c.OriginX()), y_(c.OriginY()), clip_(c.Clip()) {}
  ~CanvasState() {
    c_.SetOrigin(x_, y_);
    c_.SetClip(clip_);
  }
  CanvasState(const CanvasState&) = delete;
  CanvasState& operator=(const CanvasState&) = delete;

 private:
  Canvas& c_;
  int32_t x_, y_;
  Rect clip_;
};

Rect Intersect(const Rect& a, const Rect& b);

}  // namespace tw
