#include "world/sign_text.h"

#include <algorithm>

#include "world/font_text.h"

namespace tw {

WrappedSize MeasureWrapped(const std::string& text, int32_t columns) {
  WrappedSize size;
  if (text.empty()) return size;
  int32_t col = 1;
  size.lines = 1;
  for (char ch : text) {
    if (col > columns && ch == ' ') {
      ++size.lines;
      col = 1;
    } else {
      size.widest = std::max(size.widest, col);
      ++col;
    }
  }
  return size;
}

std::string BoardFault(const std::string& text, const SignBoard& board) {
  const WrappedSize size = MeasureWrapped(text, board.Columns);
  if (size.lines > kBoardLines)
    return std::to_string(size.lines) + " lines, the board holds " + std::to_string(kBoardLines);
  if (size.widest > board.Glyphs)
    return "a line of " + std::to_string(size.widest) + " letters, the board holds " +
           std::to_string(board.Glyphs);
  for (char ch : text) {
    // Frame 30 is the font's blank for anything it has no letter for.
    if (FontFrame(ch) == 30) return std::string("the sign font has no '") + ch + "'";
  }
  return {};
}

}  // namespace tw
