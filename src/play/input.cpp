#include "play/input.h"

#include "media/draw.h"
#include "media/image_list.h"
#include "media/timer.h"
#include "play/boat.h"

namespace tw {

void DXDrawMouseMove(PlayContext& ctx, int32_t x, int32_t y) {
  GameState& s = ctx.State;
  s.MouseX = x;
  s.MouseY = y;
  s.MouseWorldX = s.ViewX + x;
  s.MouseWorldY = s.ViewY + y;
}

void DXDrawMouseDown(PlayContext& ctx, MouseButton button, int32_t /*x*/, int32_t y) {
  GameState& s = ctx.State;
  s.QuitQuery = 0;
  s.AnyInput = 1;
  if (ctx.DXTimer.Enabled()) {
    switch (button) {
      case MouseButton::Left: {
        // The lowest part of the dashboard is for reading, not for driving.
        const int32_t dashTop =
            ctx.DXDraw.Surface().Height() - ctx.objects.Find("fishdash").FrameHeight();
        if (y < dashTop + 30) s.Gas = 1;
        break;
      }
      case MouseButton::Right:
        // A right press while driving backs up; otherwise it asks for a cast
        // where the cursor was last seen (not where the press happened).
        if (s.Gas) {
          s.Reverse = 1;
        } else {
          s.CastRequest = IsWaterAt(s, s.MouseWorldX, s.MouseWorldY) ? 1 : 0;
        }
        break;
      case MouseButton::Middle:
        break;
    }
  }
  if (ctx.DXCastTimer.Enabled()) s.StrikePress = 1;
}

void DXDrawMouseUp(PlayContext& ctx, MouseButton button, int32_t /*x*/, int32_t /*y*/) {
  GameState& s = ctx.State;
  if (button == MouseButton::Left) s.Gas = 0;
  if (button == MouseButton::Right) s.Reverse = 0;
}

void FormKeyDown(PlayContext& ctx, int32_t key) {
  GameState& s = ctx.State;
  s.AnyInput = 1;
  const bool playing = ctx.DXTimer.Enabled() || ctx.DXCastTimer.Enabled();
  switch (key) {
    case vk::Escape:
      if (playing) s.QuitQuery = s.QuitQuery ? 0 : 1;
      break;
    case vk::Return:
      if (playing && !s.GameOver && s.QuitQuery) {
        s.GameOverCountdown = 60;
        s.GameOver = 1;
      }
      break;
    case vk::Up:
      s.Gas = 1;
      break;
    case vk::Down:
    case vk::Back:
      s.Reverse = 1;
      break;
    case vk::Right:
      s.TurnRightKey = 1;
      break;
    case vk::Left:
      s.TurnLeftKey = 1;
      break;
    case vk::Space:
      if (ctx.DXCastTimer.Enabled()) s.StrikePress = 1;
      s.Gas = 1;
      s.QuitQuery = 0;
      break;
    default:
      break;
  }
}

void FormKeyUp(PlayContext& ctx, int32_t key) {
  GameState& s = ctx.State;
  switch (key) {
    case vk::Up:
    case vk::Space:
      s.Gas = 0;
      break;
    case vk::Down:
    case vk::Back:
      s.Reverse = 0;
      break;
    case vk::Right:
      s.TurnRightKey = 0;
      break;
    case vk::Left:
      s.TurnLeftKey = 0;
      break;
    default:
      break;
  }
}

}  // namespace tw
