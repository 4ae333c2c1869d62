// The menus' bitmap fonts: DejaVu rendered once into grey coverage sheets
// (ui/NAME.bmp) described by ui/fonts.ini, so menus look the same on every
// machine.
#pragma once
#include <string>
#include <vector>

#include "media/picture.h"

namespace tw::bake {

struct MenuFont {
  std::string name;  // "sans-11"
  int32_t cellWidth = 0, cellHeight = 0, ascent = 0;
  std::vector<int32_t> widths;    // advances of characters 32 .. 255
  std::vector<uint8_t> coverage;  // 16 cells by 14 rows, row by row
  int32_t Width() const { return cellWidth * 16; }
  int32_t Height() const { return cellHeight * 14; }
};

// Renders one font: `face` is a DejaVu style ("Sans", "Sans-Bold"), `size`
// its pixel size.
MenuFont RenderMenuFont(const std::string& name, const std::string& face, double size);

// Every menu font, in the order fonts.ini lists them.
std::vector<MenuFont> RenderMenuFonts();

// The text of fonts.ini for these fonts.
std::string MenuFontsIni(const std::vector<MenuFont>& fonts);

// The Unicode character a Windows-1252 byte stands for (0 for the five
// bytes that have none).
uint32_t Cp1252ToUnicode(uint8_t byte);

}  // namespace tw::bake
