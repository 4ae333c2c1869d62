// Writing Windows bitmap files: 24-bit colour for pictures, 8-bit grey for
// the menu fonts. Both are read back by the game's own bitmap reader.
#include "core/error.h"
#include "media/picture.h"

namespace tw {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

GameError SizeMismatch() {
  return GameError("Picture size does not match its pixels");
}

// The file head and the information head for a picture of `bits` per pixel
// with `paletteEntries` colours; rows are padded to four bytes.
std::vector<uint8_t> Heads(int32_t width, int32_t height, int bits, uint32_t paletteEntries) {
  if (width <= 0 || height <= 0) throw GameError("Picture has no pixels");
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t imageSize = stride * static_cast<uint64_t>(height);
  const uint32_t offset = 14 + 40 + paletteEntries * 4;
  // The file's sizes are 32-bit numbers.
  if (imageSize + offset > UINT32_MAX) throw SizeMismatch();
  std::vector<uint8_t> out;
  out.reserve(offset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + static_cast<uint32_t>(imageSize));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // no compression
  Put32(out, static_cast<uint32_t>(imageSize));
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, paletteEntries);
  Put32(out, 0);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeBitmapFile(const Picture& picture) {
  std::vector<uint8_t> out = Heads(picture.Width, picture.Height, 24, 0);
  if (!picture.Whole()) throw SizeMismatch();
  const size_t pad = (4 - (static_cast<size_t>(picture.Width) * 3) % 4) % 4;
  for (int32_t y = picture.Height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < picture.Width; ++x) {
      const uint32_t c = picture.At(x, y);
      out.push_back(static_cast<uint8_t>(c));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c >> 16));
    }
    out.insert(out.end(), pad, 0);
  }
  return out;
}

std::vector<uint8_t> EncodeGreyBitmapFile(int32_t width, int32_t height,
                                          const std::vector<uint8_t>& coverage) {
  std::vector<uint8_t> out = Heads(width, height, 8, 256);
  if (coverage.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    throw SizeMismatch();
  for (uint32_t i = 0; i < 256; ++i) Put32(out, i * 0x010101u);
  const size_t pad = (4 - static_cast<size_t>(width) % 4) % 4;
  for (int32_t y = height - 1; y >= 0; --y) {
    const uint8_t* row = coverage.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    out.insert(out.end(), row, row + width);
    out.insert(out.end(), pad, 0);
  }
  return out;
}

}  // namespace tw
