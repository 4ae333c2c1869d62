#include "media/picture.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace tw {
namespace {

struct Dib {
  int32_t width = 3, height = 2;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t headSize = 40;
  std::vector<uint32_t> masks;    // written after the head when given
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> rows;      // as stored

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> b;
    auto le = [&](uint32_t v, int n) {
      for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    le(headSize, 4);
    if (headSize == 12) {
      le(static_cast<uint32_t>(width), 2);
      le(static_cast<uint32_t>(height), 2);
      le(1, 2);
      le(bits, 2);
    } else {
      le(static_cast<uint32_t>(width), 4);
      le(static_cast<uint32_t>(height), 4);
      le(1, 2);
      le(bits, 2);
      le(compression, 4);
      le(0, 4), le(0, 4), le(0, 4);  // image size, resolution
      le(static_cast<uint32_t>(palette.size()), 4);
      le(0, 4);
      while (b.size() < headSize) b.push_back(0);
    }
    for (uint32_t m : masks) le(m, 4);
    for (uint32_t c : palette) le(c, headSize == 12 ? 3 : 4);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
  }
  std::vector<uint8_t> File() const {
    auto dib = Bytes();
    std::vector<uint8_t> f = {'B', 'M'};
    auto le = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) f.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    le(static_cast<uint32_t>(14 + dib.size()));
    le(0);
    le(static_cast<uint32_t>(14 + dib.size() - rows.size()));
    f.insert(f.end(), dib.begin(), dib.end());
    return f;
  }
};

std::string ErrorOf(const std::vector<uint8_t>& dib) {
  try {
    DecodeDib(dib);
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

TEST(Picture, IndexedDepthsReadThroughTheColourTable) {
  Dib d;
  d.width = 9;
  d.height = 1;
  d.bits = 1;
  d.palette = {0x000000, 0xFF8000};
  d.rows = {0b10100000, 0b10000000, 0, 0};
  Picture p = DecodeDib(d.Bytes());
  ASSERT_EQ(p.Width, 9);
  EXPECT_EQ(p.At(0, 0), 0xFF8000u);
  EXPECT_EQ(p.At(1, 0), 0u);
  EXPECT_EQ(p.At(2, 0), 0xFF8000u);
  EXPECT_EQ(p.At(8, 0), 0xFF8000u);

  d.bits = 4;
  d.width = 3;
  d.palette = {0x111111, 0x222222, 0x333333};
  d.rows = {0x21, 0x00, 0, 0};
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0x333333u);
  EXPECT_EQ(p.At(1, 0), 0x222222u);
  EXPECT_EQ(p.At(2, 0), 0x111111u);

  // An index past a short colour table reads as black, never out of bounds.
  d.bits = 8;
  d.palette = {0x123456};
  d.rows = {0, 200, 0, 0};
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0x123456u);
  EXPECT_EQ(p.At(1, 0), 0u);

  // The small head with three-byte colour entries.
  d.headSize = 12;
  d.bits = 1;
  d.palette = {0xABCDEF, 0x010203};
  d.rows = {0b01000000, 0, 0, 0};
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0xABCDEFu);
  EXPECT_EQ(p.At(1, 0), 0x010203u);
}

TEST(Picture, RowsBottomUpUnlessHeightIsNegative) {
  Dib d;
  d.width = 1;
  d.height = 2;
  d.rows = {0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0};  // stored bottom row first
  Picture p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0x040506u);
  EXPECT_EQ(p.At(0, 1), 0x010203u);
  d.height = -2;
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.Height, 2);
  EXPECT_EQ(p.At(0, 0), 0x010203u);
  EXPECT_EQ(p.At(0, 1), 0x040506u);
}

TEST(Picture, DeepPixelsPlainAndWithBitMasks) {
  Dib d;
  d.width = 2;
  d.height = 1;
  d.bits = 16;  // plain 16-bit pixels are 5-5-5
  d.rows = {0x00, 0x7C, 0x1F, 0x00};
  Picture p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0xFF0000u);
  EXPECT_EQ(p.At(1, 0), 0x0000FFu);

  d.compression = 3;  // 5-6-5 masks after the head
  d.masks = {0xF800, 0x07E0, 0x001F};
  d.rows = {0xE0, 0x07, 0x00, 0xF8};
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0x00FF00u);
  EXPECT_EQ(p.At(1, 0), 0xFF0000u);

  d.bits = 32;
  d.compression = 0;
  d.masks.clear();
  d.rows = {0x30, 0x20, 0x10, 0xFF, 0x01, 0x02, 0x03, 0x00};
  p = DecodeDib(d.Bytes());
  EXPECT_EQ(p.At(0, 0), 0x102030u);
  EXPECT_EQ(p.At(1, 0), 0x030201u);

  // Masks inside a larger head; the byte no mask covers is ignored.
  d.compression = 3;
  d.headSize = 108;
  d.rows = {0x80, 0x11, 0x22, 0x33, 0x00, 0x00, 0x00, 0xFF};
  Dib withMasks = d;
  auto bytes = withMasks.Bytes();
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(40, 0x0000FF00);
  put(44, 0x00FF0000);
  put(48, 0xFF000000);
  p = DecodeDib(bytes);
  EXPECT_EQ(p.At(0, 0), 0x112233u);
  EXPECT_EQ(p.At(1, 0), 0x0000FFu);
}

TEST(Picture, BitmapFilesAndLibraryPictureData) {
  Dib d;
  d.width = 2;
  d.height = 2;
  d.rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  Picture p = DecodeBitmapFile(d.File());
  EXPECT_EQ(p.At(0, 1), 0x030201u);
  EXPECT_EQ(p.At(1, 0), 0x0C0B0Au);
  Picture again = DecodeBitmapFile(EncodeBitmapFile(p));
  EXPECT_EQ(again.Pixels, p.Pixels);

  auto file = d.File();
  std::vector<uint8_t> data = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(file.size() >> (8 * i)));
  data.insert(data.end(), file.begin(), file.end());
  EXPECT_EQ(DecodePictureData(data).Pixels, p.Pixels);
  auto dib = d.Bytes();
  std::vector<uint8_t> packed = {4, 'T', 'D', 'I', 'B'};
  packed.insert(packed.end(), dib.begin(), dib.end());
  EXPECT_EQ(DecodePictureData(packed).Pixels, p.Pixels);

  // A "TBitmap" whose length runs past the data, and kinds we do not know.
  data[8] = 0xFF;
  EXPECT_THROW(DecodePictureData(data), GameError);
  std::vector<uint8_t> jpeg = {5, 'T', 'J', 'P', 'E', 'G', 0, 0};
  EXPECT_THROW(DecodePictureData(jpeg), GameError);
  EXPECT_THROW(DecodePictureData({}), GameError);
}

TEST(Picture, DamagedPicturesAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  auto with = [](auto change) {
    Dib d;
    d.rows.assign(24, 0);
    change(d);
    return d.Bytes();
  };
  std::vector<Case> cases = {
      {"empty", {}},
      {"head size 20", with([](Dib& d) { d.headSize = 20; })},
      {"head larger than the data", with([](Dib& d) { d.headSize = 5000; })},
      {"zero width", with([](Dib& d) { d.width = 0; })},
      {"negative width", with([](Dib& d) { d.width = -3; })},
      {"zero height", with([](Dib& d) { d.height = 0; })},
      {"most negative height", with([](Dib& d) { d.height = INT32_MIN; })},
      {"side too long", with([](Dib& d) { d.width = 16385; })},
      {"too many pixels", with([](Dib& d) { d.width = 16384, d.height = 8193; })},
      {"huge sizes that overflow",
       with([](Dib& d) { d.width = 0x7FFFFFFF, d.height = 0x7FFFFFFF; })},
      {"2 bits per pixel", with([](Dib& d) { d.bits = 2; })},
      {"0 bits per pixel", with([](Dib& d) { d.bits = 0; })},
      {"run-length coded", with([](Dib& d) { d.bits = 8, d.compression = 1; })},
      {"bit masks on 24 bits", with([](Dib& d) {
         d.compression = 3, d.masks = {1, 2, 4};
       })},
      {"compressed", with([](Dib& d) { d.compression = 4; })},
      {"masks cut short", with([](Dib& d) {
         d.bits = 16, d.compression = 3, d.rows.clear();
         d.masks = {0xF800};
       })},
      {"colour table past 256", with([](Dib& d) {
         d.bits = 8;
         d.palette.assign(257, 0);
       })},
      {"rows cut short", with([](Dib& d) { d.rows.resize(11); })},
      {"rows missing", with([](Dib& d) { d.width = 4000, d.height = 4000; })},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(c.bytes), "DIB is invalid") << c.what;
    for (size_t n = 0; n < c.bytes.size(); n += 7)
      EXPECT_EQ(ErrorOf({c.bytes.begin(), c.bytes.begin() + n}), "DIB is invalid") << c.what;
  }
  // The last row may lack its padding; every byte less is refused.
  Dib d;
  d.rows.assign(12 + 9, 0);
  EXPECT_EQ(ErrorOf(d.Bytes()), "");
  d.rows.pop_back();
  EXPECT_EQ(ErrorOf(d.Bytes()), "DIB is invalid");

  std::vector<uint8_t> notBm = {'P', 'K', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_THROW(DecodeBitmapFile(notBm), GameError);
  try {
    LoadBitmapFile("/nonexistent/lakes/canada.bmp");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/lakes/canada.bmp");
  }
}

}  // namespace
}  // namespace tw
