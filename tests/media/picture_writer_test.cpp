// Pictures written as bitmap files, read back through the game's own reader,
// and as PNG files, read back through libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "core/error.h"
#include "core/files.h"
#include "media/picture.h"
#include "media/png/png_file.h"
#include "support/libraries.h"

namespace tw {
namespace {

using test::Gradient;

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

// The PNG's pixels as 0x00RRGGBB, or 0xAARRGGBB when `alpha`, read with
// libpng's own reader.
Picture ReadPng(const std::vector<uint8_t>& bytes, bool alpha = false) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = alpha ? PNG_FORMAT_ARGB : PNG_FORMAT_RGB;
  const size_t n = alpha ? 4 : 3;
  std::vector<uint8_t> px(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, px.data(), 0, nullptr)) return {};
  Picture p(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  for (size_t i = 0; i < p.Pixels.size(); ++i)
    for (size_t k = 0; k < n; ++k) p.Pixels[i] = p.Pixels[i] << 8 | px[n * i + k];
  return p;
}

TEST(PngWriter, PicturesAndSurfacesReadBackAsTheyShow) {
  const Picture p = Gradient(5, 3);
  const Picture back = ReadPng(EncodePng(p));
  ASSERT_EQ(back.Width, 5);
  ASSERT_EQ(back.Height, 3);
  EXPECT_EQ(back.Pixels, p.Pixels);
  // Icons keep their opacity, colours untouched by it.
  const Picture icon(2, 1, std::vector<uint32_t>{0x80FF2010u, 0x00000000u});
  EXPECT_EQ(ReadPng(EncodePng(icon, PngAlpha::Kept), true).Pixels, icon.Pixels);

  // A 5-6-5 surface is written with its low bits widened, as the screen shows it.
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tw-png-" + std::to_string(::getpid()) + ".png"))
          .string();
  Surface16 s(2, 1);
  s.Set(0, 0, s.Pack(255, 0, 0));
  s.Set(1, 0, 0x0821);  // the smallest step of every channel
  WritePng(path, s);
  const Picture shown = ReadPng(ReadFileBytes(path));
  std::filesystem::remove(path);
  ASSERT_EQ(shown.Pixels.size(), 2u);
  EXPECT_EQ(shown.Pixels[0], 0xFF0000u);
  EXPECT_EQ(shown.Pixels[1], 0x080408u);
}

TEST(PngWriter, EmptyMismatchedAndUnwritableAreErrorsInTheGamesWords) {
  EXPECT_THROW(EncodePng(Picture()), GameError);
  EXPECT_THROW(EncodePng(Picture(3, 3, std::vector<uint32_t>(8))), GameError);
  try {
    WritePng("/nonexistent/folder/x.png", Gradient(2, 2));
    ADD_FAILURE() << "no error";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to /nonexistent/folder/x.png");
  }
}

}  // namespace
}  // namespace tw
