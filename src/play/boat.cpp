#include "play/boat.h"

#include <cmath>

#include "core/frame_rate.h"
#include "core/numeric.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/timer.h"
#include "media/wave_list.h"
#include "play/popup.h"
#include "world/font_text.h"
#include "world/sign_text.h"

namespace tw {

namespace {

// Signs and people: the boat stops, the picture and its text show, and the
// game waits for the player with the frame timer stopped.
void ShowSign(PlayContext& ctx, MapObject& object, const SignBoard& board) {
  GameState& s = ctx.State;
  s.Gas = 0;
  ctx.sounds.Find("startgas").Stop();
  ctx.sounds.Find("gas").Stop();
  s.BoatSpeed = 0;
  ctx.sounds.Find("bell").Play();
  ctx.DXTimer.SetEnabled(false);
  ShowPopup(ctx, board.Picture);
  DrawWrapped(ctx.DXDraw.Primary(), ctx.objects, kSignFont, object.Text, board.TextX, board.TextY,
              board.Columns);
  ctx.DXDraw.PresentPrimary();
  WaitForInput(ctx);
  object.Active = 0;
  ctx.DXTimer.SetEnabled(true);
}

// A pick-up leaves plain water behind.
void ClearPickUp(GameState& s, const MapPick& cell) {
  MapCell& c = s.Cell(cell.Column, cell.Row);
  c.Tile = 3;
  c.AnimTick = 0;
}

}  // namespace

bool IsWaterAt(const GameState& s, int32_t worldX, int32_t worldY) {
  const MapPick p = PickCell(s.Header, worldX, worldY);
  return IsWaterTile(s.Cell(p.Column, p.Row).Tile);
}

void UpdateEngineSound(PlayContext& ctx) {
  GameState& s = ctx.State;
  auto& gas = ctx.sounds.Find("gas");
  if (s.BoatSpeed == 0) {
    gas.Stop();
  } else if (s.Reverse) {
    gas.SetVolume(-500);
  } else {
    // Silent at rest, full at top speed.
    gas.SetVolume(Round(static_cast<double>(s.BoatSpeed) / (s.BoatLevel + 4) * 10000) - 10000);
  }
}

void StartEngine(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (s.Gas && s.BoatSpeed == 0 && !s.Reeling && !s.Casting) {
    ctx.sounds.Find("startgas").Play();
    ctx.sounds.Find("gas").Play();
  }
}

void DriveBoat(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (!s.Gas || s.Casting || s.Reeling) {
    s.BoatSpeed = static_cast<float>(static_cast<double>(s.BoatSpeed) - 0.25);
    return;
  }
  const auto turn = static_cast<uint8_t>(s.BoatLevel);
  if (ctx.Options.MouseDrive) {
    const uint8_t target = PointAngle(s.MouseWorldX, s.MouseWorldY, Round(s.BoatX), Round(s.BoatY));
    // A plain difference, not around the circle: 254 and 1 are far apart here.
    if (std::abs(static_cast<int32_t>(target) - static_cast<int32_t>(s.BoatHeading)) >= 4) {
      if (TurnsUp(target, s.BoatHeading))
        s.BoatHeading = static_cast<uint8_t>(s.BoatHeading + turn);
      else
        s.BoatHeading = static_cast<uint8_t>(s.BoatHeading - turn);
    }
  } else {
    // Angles grow clockwise on screen, so Left turns clockwise.
    if (s.TurnLeftKey) s.BoatHeading = static_cast<uint8_t>(s.BoatHeading + turn);
    if (s.TurnRightKey) s.BoatHeading = static_cast<uint8_t>(s.BoatHeading - turn);
  }
  s.BoatSpeed = static_cast<float>(s.BoatLevel * 0.2 + (static_cast<double>(s.BoatSpeed) + 0.2));

  // A drop of spray behind the boat, drifting backwards. The six draws come
  // in this order whatever is drawn.
  s.WakeNext = static_cast<uint8_t>(s.WakeNext + 1);
  if (s.WakeNext > kWakeSlots - 1) s.WakeNext = 0;
  WakeParticle& w = s.Wake[s.WakeNext];
  const int32_t heading = s.BoatHeading;
  const int32_t r1 = ctx.Rng(32);
  const int32_t r2 = ctx.Rng(40);
  w.X = static_cast<float>(s.BoatX - Round(r2 * Cos256((r1 + heading - 144) & 255)));
  const int32_t r3 = ctx.Rng(32);
  const int32_t r4 = ctx.Rng(20);
  w.Y = static_cast<float>(s.BoatY - Round(r4 * Sin256((r3 + heading - 144) & 255)));
  const int32_t r5 = ctx.Rng(64);
  w.Dir = static_cast<uint8_t>(r5 + heading - 160);
  w.Life = 32;
}

MapPick MoveBoat(PlayContext& ctx, float startX, float startY) {
  GameState& s = ctx.State;
  const float top = static_cast<float>(s.BoatLevel + 4);
  if (s.BoatSpeed > top) s.BoatSpeed = top;
  if (s.BoatSpeed < 0) s.BoatSpeed = 0;
  const double ux = IsoCos(s.BoatHeading);
  const double uy = IsoSin(s.BoatHeading);
  if (!s.Reverse) {
    s.BoatX = static_cast<float>(s.BoatX + ux * s.BoatSpeed);
    s.BoatY = static_cast<float>(s.BoatY + uy * s.BoatSpeed);
  } else {
    if (s.BoatSpeed > 2) s.BoatSpeed = 2;
    s.BoatX = static_cast<float>(s.BoatX - ux * s.BoatSpeed);
    s.BoatY = static_cast<float>(s.BoatY - uy * s.BoatSpeed);
  }
  const MapPick cell = PickCell(s.Header, Round(s.BoatX), Round(s.BoatY));
  if (!IsWaterTile(s.Cell(cell.Column, cell.Row).Tile)) {
    // Pressed against the shore: the move is undone, speed and heading stay.
    s.BoatX = startX;
    s.BoatY = startY;
  }
  return cell;
}

void VisitMapObjects(PlayContext& ctx, const MapPick& cell) {
  GameState& s = ctx.State;
  for (MapObject& o : s.MapObjects) {
    if (o.X != cell.Column || o.Y != cell.Row || !o.Active) continue;
    if (o.Kind == "buoy") {
      ShowSign(ctx, o, kSignBoard);
    } else if (o.Kind == "talk") {
      ShowSign(ctx, o, kPersonBoard);
    } else if (o.Kind == "treasure") {
      // A chest whose amount is not a number is empty.
      s.MessageTimer = 90;
      s.Message = "YOU FOUND $" + o.Param;
      s.Cash = SaturatingAdd(s.Cash, ParseWholeNumber(o.Param).value_or(0));
      ctx.sounds.Find("coins").Play();
      o.Active = 0;
      ClearPickUp(s, cell);
    } else if (o.Kind == "moretime" && s.Timed) {
      s.MessageTimer = 90;
      s.TimeLeft = SaturatingAdd(s.TimeLeft,
                                 int64_t{ParseWholeNumber(o.Param).value_or(0)} * kFramesPerSecond);
      s.Message = "ADD " + o.Param + " SECONDS";
      ctx.sounds.Find("coins").Play();
      o.Active = 0;
      ClearPickUp(s, cell);
    }
  }
}

void FollowBoat(PlayContext& ctx) {
  GameState& s = ctx.State;
  const int32_t w = ctx.DXDraw.Surface().Width();
  const int32_t h = ctx.DXDraw.Surface().Height();
  const int32_t dash = ctx.objects.Find("fishdash").FrameHeight();
  // Centred above the dashboard; the outer 64 pixels of the map never show.
  s.ViewX = Round(s.BoatX) - w / 2;
  s.ViewY = Round(s.BoatY) - (h - dash) / 2;
  const int32_t maxX = s.MapMaxCol() * s.TileWidth() - w - 64;
  const int32_t maxY = (s.MapMaxRow() * s.TileHeight()) / 2 - h - 64;
  if (s.ViewX > maxX) s.ViewX = maxX;
  if (s.ViewX < 64) s.ViewX = 64;
  if (s.ViewY > maxY) s.ViewY = maxY;
  if (s.ViewY < 64) s.ViewY = 64;
}

}  // namespace tw
