// The tile art of the lake styles: water, shore and ground computed pixel by
// pixel (so neighbouring diamonds join without seams) and the decorations
// that stand on them, drawn with Cairo.
#pragma once
#include <cstdint>
#include <string>

#include "bake/art_canvas.h"

namespace tw::bake {

enum class Flora { Pine, Bayou, Desert };

struct TileStyle {
  std::string file;   // the library's file name, the lakes' ImageLib value
  std::string title;  // for the contact sheet
  Flora flora;
  Rgb deep, open, shallow, plain;  // the four water tiles
  Rgb sand, ground, groundDark, dirt, bloom;
  Rgb leaf, leafDark, bark, rock, rockDark;
  Rgb wall, wallDark, roof, plank;
  uint32_t seed;
};

// Tiles are diamonds 64 wide and 32 high; a taller picture keeps its diamond
// at the bottom.
constexpr int32_t kTileW = 64, kTileH = 32;

// True when the pixel (x, y) of a diamond lies inside it. Pixel centres never
// fall on a diamond's edge, so neighbouring diamonds share out every pixel.
bool InDiamond(int32_t x, int32_t y);

// Water tile `index` (0 deep, 1 open, 2 shallow, 3 plain), frame `frame` of
// `frames`, at diamond pixel (x, y).
Rgb WaterAt(const TileStyle& s, int32_t index, int32_t x, int32_t y, int32_t frame, int32_t frames);
// Plain ground at diamond pixel (x, y); `variant` 0..3 adds its own features
// away from the edges (flowers, darker patches, a bare path, stones).
Rgb GroundAt(const TileStyle& s, int32_t variant, int32_t x, int32_t y);
// Shore tile 4 + m: water along the edges whose bits are set in m (1 north
// east, 2 south east, 4 south west, 8 north west), sand between; m = 0 keeps
// small water corners only.
Rgb ShoreAt(const TileStyle& s, int32_t m, int32_t x, int32_t y);

// Fills the diamond at the bottom of `c` with a computed colour.
template <typename F>
void FillDiamond(Canvas& c, F colour) {
  const int32_t top = c.Height() - kTileH;
  for (int32_t y = 0; y < kTileH; ++y)
    for (int32_t x = 0; x < kTileW; ++x)
      if (InDiamond(x, y)) c.PutPixel(x, top + y, colour(x, y));
}

// The diamond's centre: the foot of whatever stands on a tile.
struct Foot {
  double x, y;  // the diamond's centre
};
inline Foot FootOf(const Canvas& c) {
  return {32, c.Height() - 16.0};
}

// Sets a straight colour ramp from (x0, y0) to (x1, y1) as the source.
inline void Gradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb a, Rgb b) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

// Decorations, drawn with the diamond's centre at (32, c.Height() - 16).
void DrawTallDecoration(Canvas& c, const TileStyle& s, int32_t tile);  // 24 .. 31, 40 .. 43
void DrawBuilding(Canvas& c, const TileStyle& s, int32_t tile);        // 32 .. 35
void DrawDock(Canvas& c, const TileStyle& s, int32_t tile);            // 36 .. 39
void DrawFloating(Canvas& c, const TileStyle& s, int32_t tile);        // 44 .. 52
// How tall the picture of a tile is (32 for a flat one).
int32_t TileHeightOf(int32_t tile);

}  // namespace tw::bake
