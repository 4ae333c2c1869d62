// The menus' bitmap fonts: a greyscale coverage atlas per face, generated
// with the data so the menus look the same on every machine and headless.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One face at one size. Characters 32 to 255 (Windows-1252) lie in 16
// columns of cells; each glyph's baseline is `Ascent` pixels below its
// cell's top.
struct Font {
  static constexpr int32_t kFirst = 32;
  static constexpr int32_t kCount = 224;
  static constexpr int32_t kColumns = 16;

  std::string Name;
  int32_t CellWidth = 0;
  int32_t CellHeight = 0;
  int32_t Ascent = 0;
  std::array<uint8_t, kCount> Widths{};
  int32_t AtlasWidth = 0;
  int32_t AtlasHeight = 0;
  std::vector<uint8_t> Coverage;  // AtlasWidth * AtlasHeight, 0..255

  // Pixels the pen moves for one character; control characters have none.
  int32_t Advance(uint8_t ch) const {
    return ch < kFirst ? 0 : Widths[static_cast<size_t>(ch - kFirst)];
  }
  // Coverage of pixel (x, y) of a character's cell; 0 outside it.
  uint8_t At(uint8_t ch, int32_t x, int32_t y) const;
  int32_t TextWidth(std::string_view text) const;
};

// Reads one face: `widths` is the comma list of 224 advances, `bmp` the
// bytes of the 8-bit atlas picture. Raises a GameError naming the font
// when the data do not fit together.
Font MakeFont(const std::string& name, int32_t cellWidth, int32_t cellHeight, int32_t ascent,
              const std::string& widths, std::span<const uint8_t> bmp);

// A plain 5x7 face that needs no files, used when a menu font is missing.
const Font& BuiltinFont();

// The named faces of the menus. Asking for a face that was never loaded
// gives the built-in one, so a missing font never stops the menus.
class FontSet {
 public:
  // Loads every face listed in FOLDER/ui/fonts.ini. A missing or damaged
  // face is skipped and noted in Warnings().
  void LoadFolder(const std::string& programFolder);
  void Add(Font font);
  const Font& Get(const std::string& name) const;
  bool Has(const std::string& name) const { return fonts_.count(name) != 0; }
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  std::map<std::string, Font, std::less<>> fonts_;
  std::vector<std::string> warnings_;
};

// The face names the menus use.
inline constexpr const char* kFontNames[] = {"sans-11", "sans-11b", "sans-12",  "sans-13",
                                             "sans-21", "arial-21", "arial-21i"};

// Text typed on the keyboard arrives as UTF-8; the menus keep Windows-1252.
// Characters without a Windows-1252 form are dropped.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace tw
