// A 16-bit pixel surface: the back buffer, the visible surface and the
// converted sprite pictures all use it. Pixels are 5-6-5 or 5-5-5 words,
// row by row; the layout is chosen when the surface is made.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

namespace tw {

enum class PixelFormat : uint8_t { RGB565, RGB555 };

struct Rect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom exclusive
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

class Surface16 {
 public:
  Surface16() = default;
  Surface16(int32_t width, int32_t height, PixelFormat format = PixelFormat::RGB565)
      : width_(width > 0 ? width : 0),
        height_(height > 0 ? height : 0),
        format_(format),
        pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0) {}

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Bytes from one row to the next.
  int32_t Pitch() const { return width_ * 2; }
  PixelFormat Format() const { return format_; }
  uint16_t GreenMask() const { return format_ == PixelFormat::RGB565 ? 0x07E0 : 0x03E0; }

  uint16_t* Pixels() { return pixels_.data(); }
  const uint16_t* Pixels() const { return pixels_.data(); }
  uint16_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint16_t* Row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }

  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }
  uint16_t At(int32_t x, int32_t y) const { return Contains(x, y) ? Row(y)[x] : 0; }
  void Set(int32_t x, int32_t y, uint16_t v) {
    if (Contains(x, y)) Row(y)[x] = v;
  }
  void Fill(uint16_t v) { std::fill(pixels_.begin(), pixels_.end(), v); }

  // Packs an 8-bit-per-channel colour into this surface's layout.
  uint16_t Pack(uint8_t r, uint8_t g, uint8_t b) const { return PackColor(format_, r, g, b); }
  static uint16_t PackColor(PixelFormat f, uint8_t r, uint8_t g, uint8_t b) {
    if (f == PixelFormat::RGB565)
      return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
  }
  // Expands a packed pixel to 0x00RRGGBB (low bits replicated for display).
  static uint32_t UnpackColor(PixelFormat f, uint16_t p) {
    uint32_t r, g, b;
    if (f == PixelFormat::RGB565) {
      r = (p >> 11) & 31;
      g = (p >> 5) & 63;
      b = p & 31;
      r = (r << 3) | (r >> 2);
      g = (g << 2) | (g >> 4);
      b = (b << 3) | (b >> 2);
    } else {
      r = (p >> 10) & 31;
      g = (p >> 5) & 31;
      b = p & 31;
      r = (r << 3) | (r >> 2);
      g = (g << 3) | (g >> 2);
      b = (b << 3) | (b >> 2);
    }
    return (r << 16) | (g << 8) | b;
  }

  // A surface whose display was taken away must be restored before use.
  bool Lost() const { return lost_; }
  void SetLost(bool lost) { lost_ = lost; }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  PixelFormat format_ = PixelFormat::RGB565;
  std::vector<uint16_t> pixels_;
  bool lost_ = false;
};

}  // namespace tw
