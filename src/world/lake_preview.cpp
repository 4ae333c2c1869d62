#include "world/lake_preview.h"

#include <algorithm>

#include "world/iso_math.h"

namespace tw {
namespace {

struct Rgb {
  int r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
          static_cast<int>(a.b + (b.b - a.b) * t)};
}

struct Palette {
  Rgb deep, shallow, beach, ground, trees, rock;
};

Palette PaletteOf(LakeStyle s) {
  switch (s) {
    case LakeStyle::Bayou:
      return {{34, 62, 50}, {78, 104, 70}, {118, 104, 66},
              {74, 96, 48}, {40, 66, 34},  {96, 84, 60}};
    case LakeStyle::Canyon:
      return {{26, 74, 118},  {66, 132, 160}, {214, 168, 112},
              {186, 104, 62}, {150, 78, 46},  {120, 60, 40}};
    case LakeStyle::Canada:
      break;
  }
  return {{22, 52, 104}, {70, 124, 170}, {196, 182, 136},
          {78, 118, 62}, {32, 78, 44},   {120, 120, 112}};
}

Rgb TileColour(int32_t tile, const Palette& p) {
  if (tile == 0) return p.deep;
  if (tile == 1 || tile == 3) return Mix(p.deep, p.shallow, 0.4);
  if (tile == 2) return p.shallow;
  if (tile >= 4 && tile <= 19) return p.beach;
  if (tile >= 20 && tile <= 23) return p.ground;
  if (tile >= 24 && tile <= 31) return p.trees;
  if (tile >= 32 && tile <= 35) return {150, 62, 48};
  if (tile >= 36 && tile <= 39) return {128, 94, 58};
  if (tile >= 40 && tile <= 43) return p.rock;
  if (tile == 44 || tile == 45 || tile == 50) return Mix(p.shallow, {60, 130, 50}, 0.6);
  if (tile == 49 || tile == 51) return Mix(p.shallow, {100, 80, 50}, 0.6);
  if (tile >= 46 && tile <= 52) return p.shallow;
  return p.ground;
}

void Dot(Picture& pic, int32_t cx, int32_t cy, uint32_t colour, int32_t radius) {
  for (int32_t y = cy - radius; y <= cy + radius; ++y) {
    for (int32_t x = cx - radius; x <= cx + radius; ++x) {
      if (x >= 0 && y >= 0 && x < pic.Width && y < pic.Height) pic.At(x, y) = colour;
    }
  }
}

}  // namespace

LakeStyle StyleOfLibrary(const std::string& imageLib) {
  if (imageLib == "bayou.dxg") return LakeStyle::Bayou;
  if (imageLib == "canyon.dxg") return LakeStyle::Canyon;
  return LakeStyle::Canada;
}

const char* LibraryOfStyle(LakeStyle style) {
  switch (style) {
    case LakeStyle::Bayou:
      return "bayou.dxg";
    case LakeStyle::Canyon:
      return "canyon.dxg";
    case LakeStyle::Canada:
      break;
  }
  return "canada.dxg";
}

PreviewFit FitPreview(const MapHeader& header, int32_t width, int32_t height) {
  // The map's pictures reach half a tile right of the last column and half
  // a tile below the last row.
  const double worldW = (header.MapMaxCol + 1.0) * header.TileWidth + header.TileWidth / 2;
  const double worldH = (header.MapMaxRow + 1.0) * (header.TileHeight / 2) + header.TileHeight / 2;
  PreviewFit fit;
  fit.Scale = std::min(width / worldW, height / worldH);
  fit.OffsetX = (width - worldW * fit.Scale) / 2;
  fit.OffsetY = (height - worldH * fit.Scale) / 2;
  return fit;
}

Picture RenderLakePicture(const MapHeader& header, const TileAt& tile, const MapObjects& objects,
                          LakeStyle style, int32_t width, int32_t height, int32_t samples) {
  const Palette pal = PaletteOf(style);
  const int32_t tileW = header.TileWidth, halfH = header.TileHeight / 2;
  const double worldW = (header.MapMaxCol + 1.0) * tileW + tileW / 2;
  const double worldH = (header.MapMaxRow + 1.0) * halfH + header.TileHeight / 2;
  const PreviewFit fit = FitPreview(header, width, height);
  const double scale = fit.Scale, offX = fit.OffsetX, offY = fit.OffsetY;
  const uint32_t ground =
      static_cast<uint32_t>(pal.ground.r << 16 | pal.ground.g << 8 | pal.ground.b);
  Picture pic(width, height, ground);
  for (int32_t py = 0; py < height; ++py) {
    for (int32_t px = 0; px < width; ++px) {
      int r = 0, g = 0, b = 0, n = 0;
      for (int32_t sy = 0; sy < samples; ++sy) {
        for (int32_t sx = 0; sx < samples; ++sx) {
          const double wx = (px + (sx + 0.5) / samples - offX) / scale;
          const double wy = (py + (sy + 0.5) / samples - offY) / scale;
          if (wx < 0 || wy < 0 || wx >= worldW || wy >= worldH) continue;
          const MapPick cell = PickCell(header, static_cast<int32_t>(wx), static_cast<int32_t>(wy));
          const Rgb c = TileColour(tile(cell.Column, cell.Row), pal);
          r += c.r, g += c.g, b += c.b, ++n;
        }
      }
      if (n) pic.At(px, py) = static_cast<uint32_t>((r / n) << 16 | (g / n) << 8 | (b / n));
    }
  }
  const int32_t radius = width >= 400 ? 2 : 1;
  auto markAt = [&](int64_t x, int64_t y, uint32_t colour) {
    Dot(pic, static_cast<int32_t>(offX + static_cast<double>(x) * scale),
        static_cast<int32_t>(offY + static_cast<double>(y) * scale), colour, radius);
  };
  // A cell's centre.
  auto mark = [&](int32_t c, int32_t r, uint32_t colour) {
    markAt(int64_t{c} * tileW + (r & 1) * (tileW / 2) + tileW / 2, int64_t{r} * halfH + halfH,
           colour);
  };
  // The boat starts at (300, 300) unless a "levelstart" says otherwise.
  int64_t startX = 300, startY = 300;
  for (const MapObject& o : objects) {
    if (o.Kind == "buoy") mark(o.X, o.Y, 0xE0503C);
    if (o.Kind == "talk") mark(o.X, o.Y, 0xF0E0C0);
    if (o.Kind == "treasure") mark(o.X, o.Y, 0xF0C83C);
    if (o.Kind == "moretime") mark(o.X, o.Y, 0x50DC50);
    if (o.Kind == "levelstart") startX = int64_t{o.X} * tileW, startY = int64_t{o.Y} * halfH;
  }
  markAt(startX, startY, 0xFFFFFF);
  return pic;
}

}  // namespace tw
