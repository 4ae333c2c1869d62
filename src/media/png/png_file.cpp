// PNG writing through libpng: 8-bit RGB or RGBA, default compression and filters.
#include "media/png/png_file.h"

#include <png.h>

#include "core/error.h"
#include "core/files.h"

namespace tw {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePng(const Picture& picture, PngAlpha alpha) {
  if (picture.Width <= 0 || picture.Height <= 0) throw GameError("Picture has no pixels");
  if (!picture.Whole()) throw GameError("Picture size does not match its pixels");
  const auto w = static_cast<size_t>(picture.Width), h = static_cast<size_t>(picture.Height);
  // Everything that needs freeing is made before libpng's error jump point,
  // so a jump leaks nothing.
  const size_t channels = alpha == PngAlpha::Kept ? 4 : 3;
  std::vector<uint8_t> out;
  std::vector<uint8_t> bytes(w * h * channels);
  std::vector<png_bytep> rows(h);
  for (size_t i = 0; i < w * h; ++i) {
    const uint32_t c = picture.Pixels[i];
    uint8_t* px = bytes.data() + channels * i;
    px[0] = static_cast<uint8_t>(c >> 16);
    px[1] = static_cast<uint8_t>(c >> 8);
    px[2] = static_cast<uint8_t>(c);
    if (channels == 4) px[3] = static_cast<uint8_t>(c >> 24);
  }
  for (size_t y = 0; y < h; ++y) rows[y] = bytes.data() + y * w * channels;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) throw GameError("Out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw GameError("Cannot write the picture as PNG");
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

void WritePng(const std::string& path, const Picture& picture, PngAlpha alpha) {
  const std::vector<uint8_t> bytes = EncodePng(picture, alpha);
  WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()));
}

void WritePng(const std::string& path, const Surface16& surface) {
  Picture picture(surface.Width(), surface.Height());
  for (int32_t y = 0; y < surface.Height(); ++y) {
    const uint16_t* row = surface.Row(y);
    for (int32_t x = 0; x < surface.Width(); ++x)
      picture.At(x, y) = Surface16::UnpackColor(surface.Format(), row[x]);
  }
  WritePng(path, picture);
}

}  // namespace tw
