// Pictures written as bitmap files, read back through the game's own reader.
#include <gtest/gtest.h>

#include "core/error.h"
#include "media/picture.h"

namespace tw {
namespace {

Picture Gradient(int32_t w, int32_t h) {
  Picture p(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      p.At(x, y) =
          static_cast<uint32_t>(((x * 7) & 255) << 16 | ((y * 5) & 255) << 8 | ((x + y) & 255));
  return p;
}

TEST(BmpWriter, TwentyFourBitPicturesOfAnyWidthReadBackExactly) {
  for (int32_t w : {1, 2, 3, 5, 64}) {
    const Picture p = Gradient(w, 3);
    const Picture back = DecodeBitmapFile(EncodeBitmapFile(p));
    ASSERT_EQ(back.Width, w);
    ASSERT_EQ(back.Height, 3);
    EXPECT_EQ(back.Pixels, p.Pixels) << "width " << w;
  }
}

TEST(BmpWriter, GreyPicturesKeepTheirCoverage) {
  const std::vector<uint8_t> cov = {0, 1, 127, 128, 254, 255};
  const Picture back = DecodeBitmapFile(EncodeGreyBitmapFile(3, 2, cov));
  ASSERT_EQ(back.Width, 3);
  for (size_t i = 0; i < cov.size(); ++i) EXPECT_EQ(back.Pixels[i], cov[i] * 0x010101u);
}

TEST(BmpWriter, EmptyOrMismatchedPicturesAreRefused) {
  EXPECT_THROW(EncodeBitmapFile(Picture(0, 5)), GameError);
  Picture wrong(4, 4);
  wrong.Pixels.pop_back();
  EXPECT_THROW(EncodeBitmapFile(wrong), GameError);
  EXPECT_THROW(EncodeGreyBitmapFile(2, 2, {1, 2, 3}), GameError);
}

}  // namespace
}  // namespace tw
