// Pictures: the decoded form of the game's bitmaps (sprite pictures in the
// libraries, lake previews, menu pictures), and the form the data tool draws
// them in. Windows bitmap files and packed device-independent bitmaps of 1,
// 4, 8, 16, 24 and 32 bits per pixel are read, plain or with bit masks,
// stored bottom-up or top-down; 24-bit colour and 8-bit grey files are
// written.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tw {

struct Picture {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, top row first

  Picture() = default;
  // A picture of one colour; a side of 0 or less gives no pixels.
  Picture(int32_t width, int32_t height, uint32_t fill = 0)
      : Width(width),
        Height(height),
        Pixels(
            width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0,
            fill) {}
  Picture(int32_t width, int32_t height, std::vector<uint32_t> pixels)
      : Width(width), Height(height), Pixels(std::move(pixels)) {}

  // Whether the pixels are exactly Width by Height (a picture to be written
  // must be; a decoded one always is).
  bool Whole() const {
    return Width > 0 && Height > 0 &&
           Pixels.size() == static_cast<size_t>(Width) * static_cast<size_t>(Height);
  }
  uint32_t At(int32_t x, int32_t y) const { return Pixels[Index(x, y)]; }
  uint32_t& At(int32_t x, int32_t y) { return Pixels[Index(x, y)]; }

 private:
  size_t Index(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x);
  }
};

// The largest picture we accept: no side above 16384 and at most 64 Mi pixels.
inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{64} << 20;

// A whole bitmap file, starting with its 14-byte file head ("BM").
Picture DecodeBitmapFile(std::span<const uint8_t> bytes);
// A packed bitmap: information head, bit masks, colour table, pixel rows.
Picture DecodeDib(std::span<const uint8_t> bytes);
// Reads a bitmap file ("Cannot open file PATH" when it cannot be read).
Picture LoadBitmapFile(const std::string& path);
// A library item's picture data: a short string naming the kind, then either
// "TBitmap" (4-byte length and a bitmap file) or "TDIB" (a packed bitmap).
Picture DecodePictureData(std::span<const uint8_t> bytes);

// Everything above raises "DIB is invalid" for a picture it cannot read.

// A complete 24-bit bitmap file of the picture (file head, 40-byte
// information head, bottom-up rows padded to four bytes).
std::vector<uint8_t> EncodeBitmapFile(const Picture& picture);
// A complete 8-bit bitmap file with a grey colour table (index n is grey n),
// for the menu fonts, whose pixels are glyph coverage.
std::vector<uint8_t> EncodeGreyBitmapFile(int32_t width, int32_t height,
                                          const std::vector<uint8_t>& coverage);
// Both raise "Picture has no pixels" for an empty picture and "Picture size
// does not match its pixels" when the pixels are not width by height.

}  // namespace tw
