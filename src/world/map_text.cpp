#include "world/map_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "core/error.h"
#include "world/map_file.h"

namespace tw {
namespace {

constexpr const char* kFirstLine = "tarnwick map 1";

void AppendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char ch : text) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += ch;
    }
  }
  out += '"';
}

bool IsEmptySlot(const MapObject& o) {
  return o.X == 0 && o.Y == 0 && o.Active == 0 && o.Kind.empty() && o.Param.empty() &&
         o.Text.empty();
}

// One line being read: its words, numbers and quoted texts in turn.
class LineReader {
 public:
  LineReader(const std::string& file, int32_t number, std::string_view line)
      : file_(file), number_(number), line_(line) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw GameError(file_ + ":" + std::to_string(number_) + ": " + what);
  }
  void SkipBlanks() {
    while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= line_.size();
  }
  std::string_view Word() {
    SkipBlanks();
    const size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ' ' && line_[pos_] != '\t') ++pos_;
    return line_.substr(start, pos_ - start);
  }
  int32_t Number(const char* what, int64_t low, int64_t high) {
    const std::string_view w = Word();
    if (w.empty()) Fail(std::string(what) + " is missing");
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size())
      Fail(std::string(what) + ": '" + std::string(w) + "' is not a whole number");
    if (v < low || v > high)
      Fail(std::string(what) + " " + std::to_string(v) + " is outside " + std::to_string(low) +
           " to " + std::to_string(high));
    return static_cast<int32_t>(v);
  }
  std::string Quoted(const char* what, size_t limit) {
    SkipBlanks();
    if (pos_ >= line_.size() || line_[pos_] != '"')
      Fail(std::string(what) + " must be written in double quotes");
    ++pos_;
    std::string out;
    for (;;) {
      if (pos_ >= line_.size()) Fail(std::string(what) + " has no closing quote");
      const char ch = line_[pos_++];
      if (ch == '"') break;
      if (ch != '\\') {
        out += ch;
        continue;
      }
      if (pos_ >= line_.size()) Fail(std::string(what) + " ends in a lone backslash");
      const char e = line_[pos_++];
      if (e == '"' || e == '\\') {
        out += e;
      } else if (e == 'n') {
        out += '\n';
      } else if (e == 'r') {
        out += '\r';
      } else if (e == 't') {
        out += '\t';
      } else if (e == 'x' && pos_ + 2 <= line_.size() && std::isxdigit(Byte(pos_)) &&
                 std::isxdigit(Byte(pos_ + 1))) {
        out += static_cast<char>(std::stoi(std::string(line_.substr(pos_, 2)), nullptr, 16));
        pos_ += 2;
      } else {
        Fail(std::string(what) + ": unknown escape \\" + e);
      }
    }
    if (out.size() > limit)
      Fail(std::string(what) + " has " + std::to_string(out.size()) + " characters, at most " +
           std::to_string(limit) + " fit");
    return out;
  }

 private:
  int Byte(size_t i) const { return static_cast<unsigned char>(line_[i]); }
  const std::string& file_;
  int32_t number_;
  std::string_view line_;
  size_t pos_ = 0;
};

}  // namespace

std::string MapText(const MapHeader& h, const MapGrid& map, const MapObjects& objects) {
  const int32_t cols = h.MapMaxCol + 1, rows = h.MapMaxRow + 1;
  std::string out;
  out.reserve(static_cast<size_t>(cols) * static_cast<size_t>(rows) * 3 + 4096);
  out += kFirstLine;
  out += "\ncolumns " + std::to_string(cols) + "\nrows " + std::to_string(rows) + "\ntilesize " +
         std::to_string(h.TileWidth) + " " + std::to_string(h.TileHeight) + "\n";
  out += "# one line per row, top to bottom: the tile of each column (-1: an empty cell)\n";
  char buf[16];
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < cols; ++c) {
      const auto [end, ec] = std::to_chars(
          buf, buf + sizeof buf, map[static_cast<size_t>(c)][static_cast<size_t>(r)].Tile);
      if (c) out += ' ';
      out.append(buf, end);
    }
    out += '\n';
  }
  out += "# object slot column row active \"kind\" \"param\" \"text\"\n";
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = objects[static_cast<size_t>(i)];
    if (IsEmptySlot(o)) continue;
    out += "object " + std::to_string(i) + " " + std::to_string(o.X) + " " + std::to_string(o.Y) +
           " " + std::to_string(o.Active) + " ";
    AppendQuoted(out, o.Kind);
    out += ' ';
    AppendQuoted(out, o.Param);
    out += ' ';
    AppendQuoted(out, o.Text);
    out += '\n';
  }
  return out;
}

void ParseMapText(const std::string& text, const std::string& fileName, MapHeader& header,
                  MapGrid& map, MapObjects& objects) {
  std::optional<int32_t> cols, rows, tileW, tileH;
  std::vector<int32_t> tiles;  // row by row, as written
  int32_t rowsRead = 0;
  MapObjects read{};
  std::array<bool, kMapObjectCount> seen{};
  bool first = true;
  int32_t number = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    LineReader in(fileName, number, line);
    if (in.AtEnd()) continue;
    LineReader peek = in;
    const std::string_view word = peek.Word();
    if (word.starts_with('#')) continue;
    if (first) {
      if (line != kFirstLine)
        in.Fail("a map's text starts with the line \"" + std::string(kFirstLine) + "\"");
      first = false;
      continue;
    }
    const bool headerDone = cols && rows && tileW;
    if (word == "columns" || word == "rows" || word == "tilesize") {
      if (rowsRead > 0) in.Fail(std::string(word) + " must come before the tiles");
      in.Word();
      if (word == "columns") {
        if (cols) in.Fail("columns is given twice");
        cols = in.Number("columns", 1, kMapCols);
      } else if (word == "rows") {
        if (rows) in.Fail("rows is given twice");
        rows = in.Number("rows", 1, kMapRows);
      } else {
        if (tileW) in.Fail("tilesize is given twice");
        tileW = in.Number("tile width", 1, kMaxTileSize);
        tileH = in.Number("tile height", 2, kMaxTileSize);
      }
    } else if (word == "object") {
      if (!headerDone) in.Fail("objects come after the header and the tiles");
      if (rowsRead < *rows)
        in.Fail("objects come after the " + std::to_string(*rows) + " rows of tiles");
      in.Word();
      const int32_t slot = in.Number("slot", 0, kMapObjectCount - 1);
      if (seen[static_cast<size_t>(slot)])
        in.Fail("slot " + std::to_string(slot) + " is given twice");
      seen[static_cast<size_t>(slot)] = true;
      MapObject& o = read[static_cast<size_t>(slot)];
      o.X = in.Number("column", INT32_MIN, INT32_MAX);
      o.Y = in.Number("row", INT32_MIN, INT32_MAX);
      o.Active = static_cast<uint8_t>(in.Number("active", 0, 255));
      o.Kind = in.Quoted("kind", kMapObjectKindChars);
      o.Param = in.Quoted("param", kMapObjectKindChars);
      o.Text = in.Quoted("text", kMapObjectTextChars);
    } else {
      if (!(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-'))
        in.Fail("'" + std::string(word) +
                "' starts no line of a map's text (columns, rows, tilesize, tiles or object)");
      if (!headerDone) in.Fail("columns, rows and tilesize come before the tiles");
      if (rowsRead >= *rows)
        in.Fail("the map has " + std::to_string(*rows) + " rows; this line is one too many");
      for (int32_t c = 0; c < *cols; ++c) {
        if (in.AtEnd())
          in.Fail("row " + std::to_string(rowsRead) + " has " + std::to_string(c) +
                  " tiles, the map has " + std::to_string(*cols) + " columns");
        tiles.push_back(in.Number("tile", INT32_MIN, INT32_MAX));
      }
      if (!in.AtEnd())
        in.Fail("row " + std::to_string(rowsRead) + " has more than " + std::to_string(*cols) +
                " tiles");
      ++rowsRead;
      continue;
    }
    if (!in.AtEnd()) in.Fail("'" + std::string(in.Word()) + "' after the end of the line's values");
  }
  LineReader atEnd(fileName, std::max(number, 1), {});
  if (first) atEnd.Fail("the text is empty");
  if (!cols || !rows || !tileW) atEnd.Fail("columns, rows and tilesize must all be given");
  if (rowsRead < *rows)
    atEnd.Fail("the map has " + std::to_string(*rows) + " rows but only " +
               std::to_string(rowsRead) + " lines of tiles");

  header = MapHeader{*tileH, *tileW, *cols - 1, *rows - 1};
  for (int32_t r = 0; r < *rows; ++r)
    for (int32_t c = 0; c < *cols; ++c)
      map[static_cast<size_t>(c)][static_cast<size_t>(r)] = {
          tiles[static_cast<size_t>(r) * static_cast<size_t>(*cols) + static_cast<size_t>(c)], 0};
  objects = read;
}

}  // namespace tw
