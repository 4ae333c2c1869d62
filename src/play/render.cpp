#include "play/render.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/numeric.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "play/boat.h"
#include "world/font_text.h"
#include "world/iso_math.h"

namespace tw {

namespace {

// Wake drops above this line lie behind the boat, those below it in front.
// It dips by up to 16 pixels as the boat turns toward or away from the viewer.
double WakeDepthLine(const GameState& s) {
  return std::abs(Sin256(s.BoatHeading) * 16) + s.BoatY;
}

void DrawWakeDrop(PlayContext& ctx, TPictureCollectionItem& water, const WakeParticle& w) {
  const GameState& s = ctx.State;
  const int32_t side = (w.Life * 10) >> 5;
  const int32_t x = Round(w.X) - s.ViewX;
  const int32_t y = Round(w.Y) - s.ViewY;
  water.StretchDraw(ctx.DXDraw.Surface(), Rect{x, y, x + side, y + side}, 0);
}

// The cells DrawMap draws: one column and one row more above and to the
// left, for the pictures that rise or reach into view.
struct CellRange {
  int32_t col0, col1, row0, row1;
};

CellRange DrawnCells(const GameState& s, int32_t w, int32_t h) {
  const int32_t tileW = s.TileWidth(), halfH = s.TileHeight() / 2;
  const int32_t col0 = std::max(0, s.ViewX / tileW - 1);
  const int32_t row0 = std::max(0, s.ViewY / halfH - 1);
  return {col0, std::min(s.MapMaxCol(), w / tileW + col0 + 2), row0,
          std::min(s.MapMaxRow(), row0 + h / halfH)};
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

int32_t BoatFrame(uint8_t heading) {
  return 31 - (heading - 4) / 8;
}

int32_t AnglerFrame(uint8_t facing, int32_t step) {
  return (15 - (facing - 15) / 16) * 6 + step;
}

void MapCoveredRows(PlayContext& ctx, std::span<uint8_t> covered) {
  std::fill(covered.begin(), covered.end(), uint8_t{0});
  const GameState& s = ctx.State;
  const int32_t tileW = s.TileWidth(), tileH = s.TileHeight(), halfH = tileH / 2;
  // Only diamonds twice as wide as high leave no gaps on rows half a tile apart.
  if (tileH < 2 || tileH % 2 != 0 || tileW != 2 * tileH || !s.Map) return;
  const int32_t w = ctx.DXDraw.Width(), h = static_cast<int32_t>(covered.size());
  const CellRange cells = DrawnCells(s, w, ctx.DXDraw.Height());
  // Grid row r's diamonds cross the screen rows from r * halfH - ViewY on,
  // tileH of them; these are the grid rows that reach the screen.
  const int64_t first = FloorDiv(int64_t{s.ViewY} - tileH, halfH) + 1;
  const int64_t last = FloorDiv(int64_t{s.ViewY} + h - 1, halfH);
  std::array<uint8_t, kScreenHeight + 2> whole{};  // grid rows painted across the screen
  if (last - first + 1 > static_cast<int64_t>(whole.size())) return;
  const int32_t count = ctx.DXTileList.Count();
  // Each tile is asked once: 0 not yet, 1 it fills its diamond, 2 it does not.
  std::array<uint8_t, 256> fills{};
  auto fillsDiamond = [&](int32_t tile) {
    if (tile < 0 || tile >= count) return false;
    if (tile >= static_cast<int32_t>(fills.size()))
      return ctx.DXTileList.Items(tile).CoversDiamond(tileW, tileH);
    uint8_t& known = fills[static_cast<size_t>(tile)];
    if (known == 0) known = ctx.DXTileList.Items(tile).CoversDiamond(tileW, tileH) ? 1 : 2;
    return known == 1;
  };
  for (int64_t r = first; r <= last; ++r) {
    bool painted = r >= cells.row0 && r <= cells.row1;
    const int64_t shift = (r % 2) * (tileW / 2);
    // The cells whose diamonds reach into the screen's width.
    const int64_t c0 = FloorDiv(s.ViewX - shift - tileW, tileW) + 1;
    const int64_t c1 = FloorDiv(s.ViewX - shift + w - 1, tileW);
    painted = painted && c0 >= cells.col0 && c1 <= cells.col1;
    for (int64_t c = c0; painted && c <= c1; ++c) {
      painted = fillsDiamond(s.Cell(static_cast<int32_t>(c), static_cast<int32_t>(r)).Tile);
    }
    whole[static_cast<size_t>(r - first)] = painted;
  }
  // A screen row lies on the diamonds of two grid rows; going down the
  // screen, the grid row moves on every halfH rows.
  int64_t r = FloorDiv(s.ViewY, halfH);
  int64_t into = int64_t{s.ViewY} - r * halfH;
  for (int32_t y = 0; y < h; ++y) {
    covered[static_cast<size_t>(y)] =
        whole[static_cast<size_t>(r - first)] && whole[static_cast<size_t>(r - 1 - first)];
    if (++into == halfH) ++r, into = 0;
  }
}

void DrawMap(PlayContext& ctx) {
  DrawMap(ctx, ctx.DXDraw.Height());
}

void DrawMap(PlayContext& ctx, int32_t coveredFrom) {
  GameState& s = ctx.State;
  const int32_t tileW = s.TileWidth(), halfH = s.TileHeight() / 2;
  if (tileW < 1 || halfH < 1) return;  // no map loaded
  // What the last frame left shows only where the tiles leave gaps, and
  // not at all in the rows the frame paints over later.
  std::array<uint8_t, kScreenHeight> covered;
  MapCoveredRows(ctx, covered);
  for (int32_t y = std::max(coveredFrom, 0); y < kScreenHeight; ++y)
    covered[static_cast<size_t>(y)] = 1;
  Surface16& surface = ctx.DXDraw.SurfaceToCover(covered);
  const int32_t h = surface.Height();
  const int32_t count = ctx.DXTileList.Count();
  // What each of the first tiles needs, asked once per frame rather than
  // once per cell.
  struct TileFacts {
    TPictureCollectionItem* item;
    int32_t frames, height;
  };
  std::array<TileFacts, 256> facts;
  const int32_t known = std::min<int32_t>(count, static_cast<int32_t>(facts.size()));
  for (int32_t i = 0; i < known; ++i) {
    TPictureCollectionItem& tile = ctx.DXTileList.Items(i);
    facts[static_cast<size_t>(i)] = {&tile, tile.FrameCount(), tile.FrameHeight()};
  }
  const auto [col0, col1, row0, row1] = DrawnCells(s, surface.Width(), h);
  for (int32_t row = row0; row <= row1; ++row) {
    const int32_t shift = (row % 2) * (tileW / 2);
    const int32_t baseY = s.TileHeight() + row * halfH - s.ViewY;
    for (int32_t col = col0; col <= col1; ++col) {
      MapCell& cell = s.Cell(col, row);
      // Empty cells (and any other negative number) draw nothing and leave
      // whatever the previous frame left there.
      if (cell.Tile < 0 || cell.Tile >= count) continue;
      TileFacts fact;
      if (cell.Tile < known) {
        fact = facts[static_cast<size_t>(cell.Tile)];
      } else {
        TPictureCollectionItem& tile = ctx.DXTileList.Items(cell.Tile);
        fact = {&tile, tile.FrameCount(), tile.FrameHeight()};
      }
      const int32_t frames = fact.frames;
      fact.item->Draw(surface, shift + col * tileW - s.ViewX, baseY - fact.height,
                      std::min<int32_t>(cell.AnimTick >> 3, frames - 1), coveredFrom);
      // Each frame shows for 8 ticks, the last for 9; every cell counts alone.
      if (frames > 1) {
        cell.AnimTick = static_cast<uint8_t>(cell.AnimTick + 1);
        if (cell.AnimTick > frames * 8) cell.AnimTick = 0;
      }
    }
  }
}

int32_t DashboardTop(PlayContext& ctx) {
  const int32_t w = ctx.DXDraw.Width(), h = ctx.DXDraw.Height();
  // Asked without raising: a library without a dashboard fails where it
  // is drawn, as it always has.
  const int32_t index = ctx.objects.IndexOf("fishdash");
  if (index < 0) return h;
  const TPictureCollectionItem& dash = ctx.objects.Items(index);
  // Drawn with its bottom on the screen's, from the left edge (DrawDashboard).
  const int32_t top = h - dash.FrameHeight();
  int32_t from = h;
  while (from > std::max(top, 0) && dash.PaintsRow(0, from - 1 - top, w)) --from;
  return from;
}

void DrawSplashes(PlayContext& ctx) {
  GameState& s = ctx.State;
  TPictureCollectionItem& splash = ctx.objects.Find("splash");
  for (Splash& p : s.Splashes) {
    if (p.Life == 0) continue;
    const int32_t x = Round(p.X) - s.ViewX;
    const int32_t y = Round(p.Y) - s.ViewY;
    splash.StretchDraw(ctx.DXDraw.Surface(), Rect{x, y, x + 16 - p.Life, y + 8 - (p.Life >> 1)}, 0);
    --p.Life;
  }
}

void DrawWakeRear(PlayContext& ctx) {
  GameState& s = ctx.State;
  TPictureCollectionItem& water = ctx.objects.Find("water");
  const double line = WakeDepthLine(s);
  for (WakeParticle& w : s.Wake) {
    if (w.Life == 0) continue;
    w.X = static_cast<float>(w.X + Cos256(w.Dir) * 1.5);
    w.Y = static_cast<float>(w.Y + Sin256(w.Dir) * 0.75);
    if (line > w.Y) DrawWakeDrop(ctx, water, w);
    --w.Life;
  }
}

void DrawWakeFront(PlayContext& ctx) {
  GameState& s = ctx.State;
  TPictureCollectionItem& water = ctx.objects.Find("water");
  const double line = WakeDepthLine(s);
  for (const WakeParticle& w : s.Wake) {
    if (w.Life > 0 && line < w.Y) DrawWakeDrop(ctx, water, w);
  }
}

void DrawBoat(PlayContext& ctx) {
  GameState& s = ctx.State;
  TPictureCollectionItem& boat = ctx.objects.Find(s.BoatSprite);
  // The throttle picture, except while the line is out and in the water.
  const bool throttle = s.Gas && !(s.Casting && s.Reeling);
  TPictureCollectionItem& picture = throttle ? ctx.objects.Find(s.BoatSprite + "gas") : boat;
  picture.Draw(ctx.DXDraw.Surface(), Round(s.BoatX) - s.ViewX - boat.PatternWidth / 2,
               Round(s.BoatY) - s.ViewY - boat.PatternHeight / 2, BoatFrame(s.BoatHeading));
}

void DrawAngler(PlayContext& ctx) {
  GameState& s = ctx.State;
  uint8_t facing;
  int32_t step = 0;
  if (s.Gas) {
    facing = s.BoatHeading;
  } else if (s.Casting || s.Reeling) {
    // Toward the lure, from just above the boat's centre.
    facing = PointAngle(Round(s.LureX), Round(s.LureY), Round(s.BoatX), Round(s.BoatY) - 16);
    step = s.CastFrame;
  } else {
    facing = PointAngle(s.MouseWorldX, s.MouseWorldY, Round(s.BoatX), Round(s.BoatY));
  }
  TPictureCollectionItem& angler = ctx.objects.Find(s.AnglerSprite);
  // His feet stand on the boat's centre.
  angler.Draw(ctx.DXDraw.Surface(), Round(s.BoatX) - s.ViewX - angler.PatternWidth / 2,
              Round(s.BoatY) - s.ViewY - angler.PatternHeight - s.AnglerYOffset,
              AnglerFrame(facing, step));
}

void DrawDashboard(PlayContext& ctx) {
  GameState& s = ctx.State;
  Surface16& surface = ctx.DXDraw.Surface();
  TPictureCollectionItem& dash = ctx.objects.Find("fishdash");
  dash.Draw(surface, 0, surface.Height() - dash.FrameHeight(), 0);
  ctx.objects.Find("fishmeter").Draw(surface, 58, 389, std::min(s.FishCaught, 6));
  if (s.Hooked) ctx.objects.Find("powerbar").Draw(surface, 284, 419, s.PowerFrame);
}

void DrawMessageLine(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (s.Message.empty()) return;
  // Centred for 22-pixel characters.
  const auto length = static_cast<int32_t>(s.Message.size());
  DrawFontText(ctx.DXDraw.Surface(), ctx.objects, "bigfont", s.Message,
               320 - ((length + 1) * 22) / 2, 200);
  --s.MessageTimer;
  if (s.MessageTimer <= 0) {
    s.Message.clear();
    s.MessageTimer = 0;
  }
}

void DrawCursor(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (s.Casting || s.Reeling) return;
  Surface16& surface = ctx.DXDraw.Surface();
  if (s.Gas) {
    ctx.objects.Find("mousegas").Draw(surface, s.MouseX - 16, s.MouseY - 16, 0);
  } else if (IsWaterAt(s, s.MouseWorldX, s.MouseWorldY)) {
    // The arrow's tip is its top-left corner.
    ctx.objects.Find("mouse").Draw(surface, s.MouseX, s.MouseY, 0);
  } else {
    ctx.objects.Find("mousenofish").Draw(surface, s.MouseX - 16, s.MouseY - 16, 0);
  }
}

}  // namespace tw
