// Text on the play field, drawn glyph by glyph from font pictures in the
// object library: each frame of a font picture is one character, in the order
// of the game's character table.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "media/image_list.h"
#include "media/surface.h"

namespace tw {

// The frame of character `c` in a font picture (a to z use the capitals;
// anything not in the table is frame 30, a blank), and in a digits-only font
// ("0123456789-", the same frame 30 for anything else).
int32_t FontFrame(char c);
int32_t DigitFrame(char c);

// Draws `text` with the font picture named `font`: the first glyph of every
// line one character advance right of x, a vertical bar starting a new line
// one glyph height plus a pixel lower. "Image 'FONT' not found" when the
// library has no such picture.
void DrawFontText(Surface16& surface, TDXImageList& library, const std::string& font,
                  std::string_view text, int32_t x, int32_t y);

// The same for the clock's digits-only font.
void DrawDigits(Surface16& surface, TDXImageList& library, const std::string& font,
                std::string_view text, int32_t x, int32_t y);

// Word-wrapped text for signs and people: a line breaks at the first space
// after at least `limit` glyphs (the space itself is not drawn); a word that
// runs past the limit finishes on its line. The vertical bar is an ordinary
// character here.
void DrawWrapped(Surface16& surface, TDXImageList& library, const std::string& font,
                 const std::string& text, int32_t x, int32_t y, int32_t limit);

}  // namespace tw
