// Writing pictures as PNG files, for looking at library contents.
#include <png.h>

#include "core/error.h"
#include "lib/commands.h"

namespace tw::lib {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePng(const Picture& picture) {
  const auto w = static_cast<size_t>(picture.Width), h = static_cast<size_t>(picture.Height);
  // Everything that needs freeing is made before the error jump point.
  std::vector<uint8_t> out;
  std::vector<uint8_t> rgb(w * h * 3);
  std::vector<png_bytep> rows(h);
  for (size_t i = 0; i < w * h; ++i) {
    uint32_t c = picture.Pixels[i];
    rgb[3 * i] = static_cast<uint8_t>(c >> 16);
    rgb[3 * i + 1] = static_cast<uint8_t>(c >> 8);
    rgb[3 * i + 2] = static_cast<uint8_t>(c);
  }
  for (size_t y = 0; y < h; ++y) rows[y] = rgb.data() + y * w * 3;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) throw GameError("Out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw GameError("Cannot write the picture as PNG");
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace tw::lib
