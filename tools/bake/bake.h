// tarnwick-bake: generates every data file of the program folder.
#pragma once
#include <string>
#include <utility>

namespace tw::bake {

struct BakeContext {
  explicit BakeContext(std::string outFolder = "") : out(std::move(outFolder)) {}
  std::string out;       // the program folder to write into
  std::string preview;   // when not empty: write PNG contact sheets and lake overviews here
  std::string icons;     // when not empty: write the desktop icons (PNG, 32 to 256 pixels) here
  std::string campaign;  // the campaign file; empty: the one in the source tree
};

void BakeObjects(const BakeContext& ctx);  // objects.dxg: the game's own pictures and fonts
void BakeTiles(const BakeContext& ctx);    // one tile library per lake style
void BakeUi(const BakeContext& ctx);       // ui/: menu pictures, promotional picture, menu fonts
void BakeSounds(const BakeContext& ctx);   // sound.dxw and music.dxw
void BakeLakes(const BakeContext& ctx);    // lakes/: the campaign's lakes and their previews
void BakeIcons(const BakeContext& ctx);    // ui/icon.bmp, and the desktop icons

}  // namespace tw::bake
