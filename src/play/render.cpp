#include "play/render.h"

#include <algorithm>
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

}  // namespace

int32_t BoatFrame(uint8_t heading) {
  return 31 - (heading - 4) / 8;
}

int32_t AnglerFrame(uint8_t facing, int32_t step) {
  return (15 - (facing - 15) / 16) * 6 + step;
}

void DrawMap(PlayContext& ctx) {
  GameState& s = ctx.State;
  const int32_t tileW = s.TileWidth(), halfH = s.TileHeight() / 2;
  if (tileW < 1 || halfH < 1) return;  // no map loaded
  Surface16& surface = ctx.DXDraw.Surface();
  const int32_t w = surface.Width(), h = surface.Height();
  const int32_t count = ctx.DXTileList.Count();
  // One column and one row more above and to the left, for the pictures that
  // rise or reach into view.
  const int32_t col0 = std::max(0, s.ViewX / tileW - 1);
  const int32_t row0 = std::max(0, s.ViewY / halfH - 1);
  const int32_t row1 = std::min(s.MapMaxRow(), row0 + h / halfH);
  const int32_t col1 = std::min(s.MapMaxCol(), w / tileW + col0 + 2);
  for (int32_t row = row0; row <= row1; ++row) {
    const int32_t shift = (row % 2) * (tileW / 2);
    const int32_t baseY = s.TileHeight() + row * halfH - s.ViewY;
    for (int32_t col = col0; col <= col1; ++col) {
      MapCell& cell = s.Cell(col, row);
      // Empty cells (and any other negative number) draw nothing and leave
      // whatever the previous frame left there.
      if (cell.Tile < 0 || cell.Tile >= count) continue;
      TPictureCollectionItem& tile = ctx.DXTileList.Items(cell.Tile);
      const int32_t frames = tile.FrameCount();
      tile.Draw(surface, shift + col * tileW - s.ViewX, baseY - tile.FrameHeight(),
                std::min<int32_t>(cell.AnimTick >> 3, frames - 1));
      // Each frame shows for 8 ticks, the last for 9; every cell counts alone.
      if (frames > 1) {
        cell.AnimTick = static_cast<uint8_t>(cell.AnimTick + 1);
        if (cell.AnimTick > frames * 8) cell.AnimTick = 0;
      }
    }
  }
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
