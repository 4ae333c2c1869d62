// The tile libraries, one per lake style. Every style numbers its tiles the
// same way, so one map can be played in any of them:
//   0-3 water (deep, open, shallow, plain), 4-19 shore (4 + which edges meet
//   water), 20-23 ground, 24-31 trees, rocks and bushes, 32-35 buildings,
//   36-39 docks, 40-43 more of the style's own scenery, 44-52 things on the
//   water that the boat can cross.
#include <vector>

#include "bake/art_tiles.h"
#include "bake/bake.h"
#include "bake/library_builder.h"
#include "core/files.h"

namespace tw::bake {
namespace {

std::vector<TileStyle> Styles() {
  return {
      {"canada.dxg",  "canada.dxg: northern pine lake",
       Flora::Pine,   Hex(0x255B7D),
       Hex(0x2A6688), Hex(0x3C7F94),
       Hex(0x2E6A8A), Hex(0xD8C9A0),
       Hex(0x5E8C3A), Hex(0x44702C),
       Hex(0x8A6E4A), Hex(0xF2E25A),
       Hex(0x2F6B3A), Hex(0x1E4A2A),
       Hex(0x6A4A2E), Hex(0x9A9CA0),
       Hex(0x5E6268), Hex(0x9A6A3E),
       Hex(0x7A5232), Hex(0x8A3A2E),
       Hex(0xB08A5A), 101},
      {"bayou.dxg",   "bayou.dxg: southern bayou",
       Flora::Bayou,  Hex(0x2F3F38),
       Hex(0x384A40), Hex(0x5A6448),
       Hex(0x3A4C42), Hex(0xB8A47A),
       Hex(0x6E8E3C), Hex(0x56742E),
       Hex(0x6A5A3A), Hex(0xE86AA0),
       Hex(0x5A7A36), Hex(0x3A5426),
       Hex(0x5A4632), Hex(0x7A7A6A),
       Hex(0x4E5044), Hex(0x8A8270),
       Hex(0x6A6254), Hex(0x7A6A5A),
       Hex(0x9A8460), 202},
      {"canyon.dxg",  "canyon.dxg: desert canyon reservoir",
       Flora::Desert, Hex(0x23789A),
       Hex(0x2A86A0), Hex(0x4AA6AE),
       Hex(0x2E8AA2), Hex(0xE8CFA0),
       Hex(0xC8875A), Hex(0xA86A44),
       Hex(0xD8AA7A), Hex(0xF0D040),
       Hex(0x6A9A5A), Hex(0x3E6E3E),
       Hex(0x7A5A3A), Hex(0xB8643E),
       Hex(0x7E3E26), Hex(0xD8B088),
       Hex(0xB88E6A), Hex(0xA84A2E),
       Hex(0xB89A6A), 303},
  };
}

// How many animation frames each water tile has.
int32_t WaterFrames(int32_t index) {
  static constexpr int32_t kFrames[4] = {4, 4, 3, 1};
  return kFrames[index];
}

Picture WaterTile(const TileStyle& s, int32_t index) {
  const int32_t n = WaterFrames(index);
  std::vector<Picture> frames;
  for (int32_t f = 0; f < n; ++f) {
    Canvas c(kTileW, kTileH);
    FillDiamond(c, [&](int32_t x, int32_t y) { return WaterAt(s, index, x, y, f, n); });
    frames.push_back(c.ToKeyed(s.open, 0.5));
  }
  return FrameStrip(frames, n);
}

Picture Tile(const TileStyle& s, int32_t tile) {
  Canvas c(kTileW, TileHeightOf(tile));
  Rgb matte = s.ground;
  if (tile < 20) {
    FillDiamond(c, [&](int32_t x, int32_t y) { return ShoreAt(s, tile - 4, x, y); });
  } else if (tile < 24) {
    FillDiamond(c, [&](int32_t x, int32_t y) { return GroundAt(s, tile - 20, x, y); });
  } else if (tile < 36 || (tile >= 40 && tile < 44)) {
    FillDiamond(c, [&](int32_t x, int32_t y) { return GroundAt(s, 0, x, y); });
    if (tile >= 32 && tile < 36)
      DrawBuilding(c, s, tile);
    else
      DrawTallDecoration(c, s, tile);
  } else {
    FillDiamond(c, [&](int32_t x, int32_t y) { return WaterAt(s, 3, x, y, 0, 1); });
    matte = s.plain;
    if (tile < 40)
      DrawDock(c, s, tile);
    else
      DrawFloating(c, s, tile);
  }
  return c.ToKeyed(matte, 0.4);
}

// A small made-up shore drawn the way the game draws maps, so reviewers can
// see the coastlines run on from tile to tile.
void WriteSample(const LibraryBuilder& lib, const std::string& path) {
  constexpr int32_t kCols = 10, kRows = 28;
  auto land = [](int32_t col, int32_t row) {
    const double x = (row % 2) * 32 + col * 64 + 32.0, y = row * 16 + 16.0;
    const double dx = (x - 330) / 200, dy = (y - 230) / 120;
    const double bay = ((x - 420) / 60) * ((x - 420) / 60) + ((y - 170) / 50) * ((y - 170) / 50);
    return dx * dx + dy * dy < 1 && bay > 1;
  };
  auto water = [&](int32_t col, int32_t row) {
    return col < 0 || row < 0 || col >= kCols || row >= kRows || !land(col, row);
  };
  Picture out(kCols * 64 + 32, kRows * 16 + 64 + 64);
  for (int32_t row = 0; row < kRows; ++row)
    for (int32_t col = 0; col < kCols; ++col) {
      int32_t tile;
      const int32_t odd = row % 2;
      if (!land(col, row)) {
        tile = (col + row) % 5 == 0 ? 0 : 1;
        if (row == 20 && col == 2) tile = 44;
        if (row == 22 && col == 6) tile = 46;
        if (row == 5 && col == 2) tile = 45;
        if (row == 4 && col == 7) tile = 48;
      } else {
        const int32_t m =
            (water(col + odd, row - 1) ? 1 : 0) | (water(col + odd, row + 1) ? 2 : 0) |
            (water(col - 1 + odd, row + 1) ? 4 : 0) | (water(col - 1 + odd, row - 1) ? 8 : 0);
        tile = m ? 4 + m : 20 + (col * 7 + row * 3) % 4;
        if (!m && (col * 5 + row) % 6 == 0) tile = 24 + (col + row) % 8;
        if (!m && row == 14 && col == 4) tile = 32;
      }
      const Picture& pic = lib.Items()[static_cast<size_t>(tile)].picture;
      const int32_t fw = lib.Items()[static_cast<size_t>(tile)].patternWidth > 0 ? 64 : pic.Width;
      const int32_t fh = lib.Items()[static_cast<size_t>(tile)].patternHeight > 0 ? 32 : pic.Height;
      const int32_t x0 = odd * 32 + col * 64, y0 = 64 + 32 + row * 16 - fh;
      for (int32_t y = 0; y < fh; ++y)
        for (int32_t x = 0; x < fw; ++x) {
          const uint32_t c = pic.At(x, y);
          const int32_t ox = x0 + x, oy = y0 + y;
          if (c != 0 && ox >= 0 && oy >= 0 && ox < out.Width && oy < out.Height) out.At(ox, oy) = c;
        }
    }
  LibraryBuilder sample;
  sample.Add("sample shore", std::move(out));
  sample.WritePreview(path, "How the tiles join");
}

}  // namespace

void BakeTiles(const BakeContext& ctx) {
  for (const TileStyle& s : Styles()) {
    LibraryBuilder lib;
    for (int32_t i = 0; i < 4; ++i)
      lib.Add("tile" + std::to_string(i), WaterTile(s, i), kTileW, kTileH);
    for (int32_t t = 4; t <= 52; ++t) lib.Add("tile" + std::to_string(t), Tile(s, t));
    lib.Write(JoinPath(ctx.out, s.file));
    if (!ctx.preview.empty()) {
      const std::string stem = JoinPath(ctx.preview, s.file.substr(0, s.file.find('.')));
      lib.WritePreview(stem + ".png", s.title);
      WriteSample(lib, stem + "-sample.png");
    }
  }
}

}  // namespace tw::bake
