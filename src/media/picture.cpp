// Decoding bitmaps into pictures. Every size a bitmap claims is checked
// against the bytes really present before anything is allocated.
#include "media/picture.h"

#include <array>
#include <bit>
#include <optional>

#include "core/byte_cursor.h"
#include "core/error.h"
#include "core/files.h"
#include "media/container.h"

namespace tw {
namespace {

constexpr const char* kInvalid = "DIB is invalid";

GameError DibInvalid() {
  return GameError(kInvalid);
}

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::countr_one(m >> shift);
  }
  uint8_t Get(uint32_t px) const {
    if (bits == 0) return 0;
    uint32_t v = (px & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t max = (1u << bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
  }
};

// Decodes the packed bitmap `dib`; `pixelsAt` is where its pixel rows start
// when a file head said so, otherwise they follow the colour table.
Picture Decode(std::span<const uint8_t> dib, std::optional<size_t> pixelsAt) {
  ByteCursor in(dib, kInvalid);
  uint32_t headSize = in.U32();
  int64_t width, height;
  uint16_t bits;
  uint32_t compression = 0, colorsUsed = 0;
  size_t entrySize = 4;
  std::array<uint32_t, 3> masks{};
  bool masksInHead = false;
  if (headSize == 12) {
    width = in.U16();
    height = in.U16();
    in.U16();  // planes
    bits = in.U16();
    entrySize = 3;
  } else if (headSize >= 40 && headSize <= 1024) {
    width = in.I32();
    height = in.I32();
    in.U16();  // planes
    bits = in.U16();
    compression = in.U32();
    in.Skip(12);  // image size and resolution: nothing needs them
    colorsUsed = in.U32();
    in.U32();  // colours important
    if (headSize >= 52) {
      for (auto& m : masks) m = in.U32();
      masksInHead = true;
    }
    in.Seek(headSize);
  } else {
    throw DibInvalid();
  }

  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      width * height > kMaxPicturePixels)
    throw DibInvalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    throw DibInvalid();
  bool bitFields = compression == 3;
  if (compression != 0 && !(bitFields && (bits == 16 || bits == 32))) throw DibInvalid();
  if (bitFields && !masksInHead)
    for (auto& m : masks) m = in.U32();
  if (!bitFields) {
    masks = bits == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                       : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  }

  // The colour table: indexed pictures use it; deeper ones may carry one
  // that nothing reads.
  if (colorsUsed > 256) throw DibInvalid();
  size_t entries = colorsUsed != 0 ? colorsUsed : (bits <= 8 ? size_t{1} << bits : 0);
  std::array<uint32_t, 256> palette{};
  for (size_t i = 0; i < entries; ++i) {
    auto e = in.Bytes(entrySize);
    palette[i] = (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }

  size_t start = pixelsAt ? *pixelsAt : in.Position();
  if (start > dib.size()) throw DibInvalid();
  uint64_t rowBits = static_cast<uint64_t>(width) * bits;
  uint64_t stride = (rowBits + 31) / 32 * 4;
  // The last row may come without its padding.
  uint64_t needed = stride * static_cast<uint64_t>(height - 1) + (rowBits + 7) / 8;
  if (needed > dib.size() - start) throw DibInvalid();

  Picture p;
  p.Width = static_cast<int32_t>(width);
  p.Height = static_cast<int32_t>(height);
  p.Pixels.resize(static_cast<size_t>(width * height));
  Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = dib.data() + start + stride * static_cast<uint64_t>(y);
    int64_t outY = topDown ? y : height - 1 - y;
    uint32_t* out = p.Pixels.data() + outY * width;
    for (int64_t x = 0; x < width; ++x) {
      uint32_t c;
      switch (bits) {
        case 1:
          c = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
          break;
        case 4:
          c = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
          break;
        case 8:
          c = palette[row[x]];
          break;
        case 24:
          c = (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
          break;
        default: {
          uint32_t px = bits == 16 ? uint32_t{row[2 * x]} | (uint32_t{row[2 * x + 1]} << 8)
                                   : uint32_t{row[4 * x]} | (uint32_t{row[4 * x + 1]} << 8) |
                                         (uint32_t{row[4 * x + 2]} << 16) |
                                         (uint32_t{row[4 * x + 3]} << 24);
          c = (uint32_t{red.Get(px)} << 16) | (uint32_t{green.Get(px)} << 8) | blue.Get(px);
        }
      }
      out[x] = c;
    }
  }
  return p;
}

}  // namespace

Picture DecodeDib(std::span<const uint8_t> bytes) {
  return Decode(bytes, std::nullopt);
}

Picture DecodeBitmapFile(std::span<const uint8_t> bytes) {
  ByteCursor in(bytes, kInvalid);
  if (in.U8() != 'B' || in.U8() != 'M') throw DibInvalid();
  in.Skip(8);  // file size and reserved words, often wrong in the wild
  uint32_t pixelsAt = in.U32();
  auto dib = bytes.subspan(14);
  // An offset of zero, or one inside the head, means "right after the head".
  std::optional<size_t> at;
  if (pixelsAt > 14) at = pixelsAt - 14;
  if (at && *at < 12) at.reset();
  return Decode(dib, at);
}

Picture LoadBitmapFile(const std::string& path) {
  return DecodeBitmapFile(ReadFileBytes(path));
}

Picture DecodePictureData(std::span<const uint8_t> bytes) {
  ByteCursor in(bytes, kInvalid);
  std::string kind = in.String(in.U8());
  if (SameName(kind, "TBitmap")) return DecodeBitmapFile(in.Bytes(in.U32()));
  if (SameName(kind, "TDIB")) return DecodeDib(in.Rest());
  throw DibInvalid();
}

}  // namespace tw
