// The texts of signs ("buoy") and people ("talk") on their boards: where the
// game writes them, the column it wraps them at, and how much a board holds.
// Play draws them with these; the editor and the data generator measure them
// the same way.
#pragma once
#include <cstdint>
#include <string>

namespace tw {

struct SignBoard {
  const char* Picture;   // the pop-up picture in the object library
  int32_t TextX, TextY;  // where the wrapped text starts on the screen
  int32_t Columns;       // a line breaks at the first space after this many glyphs
  int32_t Glyphs;        // the glyphs a line of the board has room for
};

inline constexpr SignBoard kSignBoard{"buoy", 285, 145, 25, 31};
inline constexpr SignBoard kPersonBoard{"talk", 280, 148, 29, 35};
// Lines either board holds.
inline constexpr int32_t kBoardLines = 8;
// The font both are written in.
inline constexpr const char* kSignFont = "infofont";

// Lines a text takes when wrapped at `columns` the way the game wraps it (a
// line breaks at the first space past the limit, a word is finished on its
// line), and its longest line in glyphs.
struct WrappedSize {
  int32_t lines = 0, widest = 0;
};
WrappedSize MeasureWrapped(const std::string& text, int32_t columns);

// What keeps a text from showing whole on its board, in the maker's words
// ("9 lines, the board holds 8"), or empty when it fits. Letters the sign
// font lacks are named too: they show as blanks.
std::string BoardFault(const std::string& text, const SignBoard& board);

}  // namespace tw
