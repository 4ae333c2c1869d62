#include "ui/font.h"

#include "core/byte_cursor.h"
#include "core/error.h"
#include "core/files.h"
#include "core/ini.h"

namespace tw {

uint8_t Font::At(uint8_t ch, int32_t x, int32_t y) const {
  if (ch < kFirst || x < 0 || y < 0 || x >= CellWidth || y >= CellHeight) return 0;
  int32_t index = ch - kFirst;
  int32_t ax = (index % kColumns) * CellWidth + x;
  int32_t ay = (index / kColumns) * CellHeight + y;
  return Coverage[static_cast<size_t>(ay) * static_cast<size_t>(AtlasWidth) +
                  static_cast<size_t>(ax)];
}

int32_t Font::TextWidth(std::string_view text) const {
  int32_t w = 0;
  for (char c : text) w += Advance(static_cast<uint8_t>(c));
  return w;
}

namespace {

GameError Damaged(const std::string& name, const std::string& why) {
  return GameError("Font '" + name + "' is damaged: " + why);
}

// The atlas is an uncompressed 8-bit BMP whose palette index is the
// coverage itself, so the palette colours are not looked at.
void ReadAtlas(Font& f, std::span<const uint8_t> bmp) {
  ByteCursor in(bmp, "Font '" + f.Name + "' is damaged: the picture is cut short");
  if (in.U8() != 'B' || in.U8() != 'M') throw Damaged(f.Name, "the picture is not a bitmap");
  in.Skip(8);
  uint32_t dataOffset = in.U32();
  uint32_t infoSize = in.U32();
  if (infoSize < 40) throw Damaged(f.Name, "unsupported bitmap header");
  int32_t width = in.I32();
  int32_t height = in.I32();
  in.Skip(2);
  uint16_t bits = in.U16();
  uint32_t compression = in.U32();
  if (bits != 8 || compression != 0)
    throw Damaged(f.Name, "the picture must be an uncompressed 8-bit bitmap");
  bool topDown = height < 0;
  int64_t rows = topDown ? -static_cast<int64_t>(height) : height;
  if (width <= 0 || rows <= 0 || width > 4096 || rows > 4096)
    throw Damaged(f.Name, "the picture has an impossible size");
  if (width < Font::kColumns * f.CellWidth || rows < (Font::kCount / Font::kColumns) * f.CellHeight)
    throw Damaged(f.Name, "the picture is too small for its cells");
  size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
  in.Seek(dataOffset);
  in.Need(stride * static_cast<size_t>(rows));
  f.AtlasWidth = width;
  f.AtlasHeight = static_cast<int32_t>(rows);
  f.Coverage.assign(static_cast<size_t>(width) * static_cast<size_t>(rows), 0);
  auto data = in.Rest();
  for (int64_t r = 0; r < rows; ++r) {
    int64_t y = topDown ? r : rows - 1 - r;
    const uint8_t* src = data.data() + static_cast<size_t>(r) * stride;
    std::copy(src, src + width, f.Coverage.begin() + static_cast<ptrdiff_t>(y * width));
  }
}

void ReadWidths(Font& f, const std::string& text) {
  size_t count = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    std::string item = text.substr(pos, comma - pos);
    size_t a = item.find_first_not_of(" \t");
    size_t b = item.find_last_not_of(" \t");
    auto v = ParseIniInteger(a == std::string::npos ? "" : item.substr(a, b - a + 1));
    if (!v || *v < 0 || *v > 255) throw Damaged(f.Name, "a width is not a number");
    if (count >= Font::kCount) throw Damaged(f.Name, "too many widths");
    f.Widths[count++] = static_cast<uint8_t>(*v);
    pos = comma + 1;
  }
  if (count != Font::kCount) throw Damaged(f.Name, "the widths list must hold 224 values");
}

}  // namespace

Font MakeFont(const std::string& name, int32_t cellWidth, int32_t cellHeight, int32_t ascent,
              const std::string& widths, std::span<const uint8_t> bmp) {
  Font f;
  f.Name = name;
  if (cellWidth < 1 || cellWidth > 64 || cellHeight < 1 || cellHeight > 64)
    throw Damaged(name, "impossible cell size");
  if (ascent < 0 || ascent > cellHeight) throw Damaged(name, "impossible ascent");
  f.CellWidth = cellWidth;
  f.CellHeight = cellHeight;
  f.Ascent = ascent;
  ReadWidths(f, widths);
  ReadAtlas(f, bmp);
  return f;
}

void FontSet::LoadFolder(const std::string& programFolder) {
  std::string iniPath = JoinPath(programFolder, "ui/fonts.ini");
  if (!FileExists(iniPath)) {
    warnings_.push_back("Menu fonts not found (" + iniPath + "); using the built-in font");
    return;
  }
  IniFile ini = IniFile::Load(iniPath);
  for (const char* name : kFontNames) {
    std::string picture = ini.ReadString(name, "picture", "");
    if (picture.empty()) {
      warnings_.push_back(std::string("Menu font '") + name + "' is missing");
      continue;
    }
    try {
      auto bytes = ReadFileBytes(JoinPath(programFolder, "ui/" + picture), size_t{16} << 20);
      Add(MakeFont(name, ini.ReadInteger(name, "cellwidth", 0),
                   ini.ReadInteger(name, "cellheight", 0), ini.ReadInteger(name, "ascent", 0),
                   ini.ReadString(name, "widths", ""), bytes));
    } catch (const GameError& e) {
      warnings_.push_back(e.what());
    }
  }
}

void FontSet::Add(Font font) {
  std::string name = font.Name;
  fonts_[name] = std::move(font);
}

const Font& FontSet::Get(const std::string& name) const {
  auto it = fonts_.find(name);
  return it == fonts_.end() ? BuiltinFont() : it->second;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    uint8_t b = static_cast<uint8_t>(utf8[i]);
    uint32_t cp = 0;
    size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > utf8.size()) {
      ++i;  // a stray or cut byte: skip it
      continue;
    }
    cp = len == 1 ? b : (b & (0x7F >> len));
    bool ok = true;
    for (size_t k = 1; k < len; ++k) {
      uint8_t c = static_cast<uint8_t>(utf8[i + k]);
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    i += ok ? len : 1;
    if (!ok) continue;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    for (int k = 0; k < 32; ++k)
      if (kHigh[k] == cp) out.push_back(static_cast<char>(0x80 + k));
  }
  return out;
}

}  // namespace tw
