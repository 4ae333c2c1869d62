// PNG files of pictures, for looking at them outside the game: the data
// tool's contact sheets and lake overviews, the library inspector's extracts,
// replay frames and test snapshots. The game itself never reads or writes
// PNG, so this is a library of its own and only tools and tests link libpng.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"
#include "media/surface.h"

namespace tw {

// Pictures are opaque, or, for the desktop's icons, carry their opacity in
// each pixel's top byte (0xAARRGGBB, colours not premultiplied).
enum class PngAlpha : uint8_t { None, Kept };

// The bytes of an 8-bit RGB (or RGBA) PNG file of the picture. Raises
// "Picture has no pixels" or "Picture size does not match its pixels" like
// the bitmap writer, and "Cannot write the picture as PNG" should the
// encoder fail.
std::vector<uint8_t> EncodePng(const Picture& picture, PngAlpha alpha = PngAlpha::None);

// Writes the picture, or a 16-bit surface as it shows on screen, as a PNG
// file; "Unable to write to PATH" when the file cannot be written.
void WritePng(const std::string& path, const Picture& picture, PngAlpha alpha = PngAlpha::None);
void WritePng(const std::string& path, const Surface16& surface);

}  // namespace tw
