// Pictures: the decoded form of the game's bitmaps (sprite pictures in the
// libraries, lake previews, menu pictures). Windows bitmap files and packed
// device-independent bitmaps of 1, 4, 8, 16, 24 and 32 bits per pixel are
// read, plain or with bit masks, stored bottom-up or top-down.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tw {

struct Picture {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int32_t x, int32_t y) const {
    return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
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

// Writes a 24-bit bottom-up bitmap file of the picture.
std::vector<uint8_t> EncodeBitmapFile(const Picture& picture);

}  // namespace tw
