// Bitmap-font text: character tables and the three text drawers.
#include "world/font_text.h"

#include <array>

namespace tw {
namespace {

// The font pictures are drawn to this table position by position, so it keeps
// every entry, even the ones never chosen: lower-case a and t (text is
// upper-cased first), the second space and the second equals sign.
constexpr unsigned char kCharacters[] = {
    'A',  'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L',  'M',  'N',  'O', 'P', 'Q',
    'R',  'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', '"', 'a', 't',  ' ',  ' ',  '0', '1', '2',
    '3',  '4', '5', '6', '7', '8', '9', '<', '>', '=', '(', ')',  '-',  '\'', '!', '_', '+',
    '\\', '/', '{', '}', '^', '&', '%', '.', '=', '$', '#', 0xC5, 0xD6, 0xC4, '?', '*'};
static_assert(sizeof kCharacters == 67);

constexpr unsigned char kDigits[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '-'};

// The frame of a character not in a table: the table's second space.
constexpr int32_t kMissingFrame = 30;

// Byte to frame, the first occurrence in the table counting.
template <size_t N>
constexpr std::array<uint8_t, 256> FrameLookup(const unsigned char (&table)[N]) {
  std::array<uint8_t, 256> frames{};
  frames.fill(kMissingFrame);
  for (size_t i = N; i-- > 0;) frames[table[i]] = static_cast<uint8_t>(i);
  return frames;
}
constexpr auto kFontFrames = FrameLookup(kCharacters);
constexpr auto kDigitFrames = FrameLookup(kDigits);

inline unsigned char Upper(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// Glyph positions are formed in 64 bits; a glyph that would lie beyond the
// 32-bit range could never be on a surface anyway.
inline void DrawGlyph(const TPictureCollectionItem& font, Surface16& surface, int64_t x, int64_t y,
                      int32_t frame) {
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
  font.Draw(surface, static_cast<int32_t>(x), static_cast<int32_t>(y), frame);
}

template <typename FrameOf>
void DrawLines(Surface16& surface, TDXImageList& library, const std::string& fontName,
               std::string_view text, int32_t x, int32_t y, FrameOf frameOf) {
  const TPictureCollectionItem& font = library.Find(fontName);
  const int64_t advance = font.PatternWidth, lineAdvance = int64_t{font.PatternHeight} + 1;
  int64_t lineY = y, col = 1;
  for (char c : text) {
    if (c == '|') {
      lineY += lineAdvance;
      col = 1;
      continue;
    }
    DrawGlyph(font, surface, x + advance * col, lineY, frameOf(c));
    ++col;
  }
}

}  // namespace

int32_t FontFrame(char c) {
  return kFontFrames[Upper(c)];
}

int32_t DigitFrame(char c) {
  return kDigitFrames[Upper(c)];
}

void DrawFontText(Surface16& surface, TDXImageList& library, const std::string& font,
                  std::string_view text, int32_t x, int32_t y) {
  DrawLines(surface, library, font, text, x, y, FontFrame);
}

void DrawDigits(Surface16& surface, TDXImageList& library, const std::string& font,
                std::string_view text, int32_t x, int32_t y) {
  DrawLines(surface, library, font, text, x, y, DigitFrame);
}

void DrawWrapped(Surface16& surface, TDXImageList& library, const std::string& fontName,
                 const std::string& text, int32_t x, int32_t y, int32_t limit) {
  const TPictureCollectionItem& font = library.Find(fontName);
  const int64_t advance = font.PatternWidth, lineAdvance = int64_t{font.PatternHeight} + 1;
  int64_t lineY = y, col = 1;
  for (char c : text) {
    if (col > limit && c == ' ') {
      lineY += lineAdvance;
      col = 1;
      continue;
    }
    DrawGlyph(font, surface, x + advance * col, lineY, FontFrame(c));
    ++col;
  }
}

}  // namespace tw
