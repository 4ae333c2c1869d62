// Windows bitmap files: 24-bit colour and 8-bit grey.
#include "bake/bmp_writer.h"

#include "core/error.h"

namespace tw::bake {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// File header and information header for a picture of `bits` per pixel with
// `paletteEntries` colours; rows are padded to four bytes.
std::vector<uint8_t> Headers(int32_t width, int32_t height, int bits, uint32_t paletteEntries) {
  if (width <= 0 || height <= 0) throw GameError("Picture has no pixels");
  const uint32_t stride = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
  const uint32_t imageSize = stride * static_cast<uint32_t>(height);
  const uint32_t offset = 14 + 40 + paletteEntries * 4;
  std::vector<uint8_t> out;
  out.reserve(offset + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // no compression
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, paletteEntries);
  Put32(out, 0);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Picture& picture) {
  if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height)
    throw GameError("Picture size does not match its pixels");
  std::vector<uint8_t> out = Headers(picture.width, picture.height, 24, 0);
  const size_t pad = (4 - (static_cast<size_t>(picture.width) * 3) % 4) % 4;
  for (int32_t y = picture.height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      uint32_t c = picture.At(x, y);
      out.push_back(static_cast<uint8_t>(c));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c >> 16));
    }
    out.insert(out.end(), pad, 0);
  }
  return out;
}

std::vector<uint8_t> EncodeBmp8Grey(int32_t width, int32_t height,
                                    const std::vector<uint8_t>& coverage) {
  if (width <= 0 || height <= 0 || coverage.size() != static_cast<size_t>(width) * height)
    throw GameError("Picture size does not match its pixels");
  std::vector<uint8_t> out = Headers(width, height, 8, 256);
  for (uint32_t i = 0; i < 256; ++i) Put32(out, i * 0x010101u);
  const size_t pad = (4 - static_cast<size_t>(width) % 4) % 4;
  for (int32_t y = height - 1; y >= 0; --y) {
    const uint8_t* row = coverage.data() + static_cast<size_t>(y) * width;
    out.insert(out.end(), row, row + width);
    out.insert(out.end(), pad, 0);
  }
  return out;
}

}  // namespace tw::bake
