// Pictures as the generator holds them (plain 0x00RRGGBB pixels, top row
// first) and the Windows bitmap files the game and the menus read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw::bake {

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top

  Picture() = default;
  Picture(int32_t w, int32_t h, uint32_t fill = 0)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A complete 24-bit BMP file (file header, 40-byte information header,
// bottom-up rows padded to four bytes).
std::vector<uint8_t> EncodeBmp24(const Picture& picture);

// A complete 8-bit BMP file with a grey palette (index n = grey n), for the
// menu fonts whose pixels are glyph coverage.
std::vector<uint8_t> EncodeBmp8Grey(int32_t width, int32_t height,
                                    const std::vector<uint8_t>& coverage);

}  // namespace tw::bake
