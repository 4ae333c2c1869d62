#include "play/frame.h"

#ifdef TW_WITH_FISHING
#include "fishing/fishing.h"
#endif
#include "media/draw.h"
#include "play/boat.h"
#include "play/render.h"
#include "play/setup.h"

namespace tw {

namespace {

// The tournament is ending: the message, the countdown, and the way back to
// the menu once no line is out.
void RunEnding(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (!s.GameOver) return;
  // "TIME EXPIRED" stays up when the clock ended the tournament.
  if (s.TimeLeft > 0 || !s.Timed) s.Message = "GAME OVER";
  --s.GameOverCountdown;
  if (s.GameOverCountdown <= 0 && !s.Reeling && !s.Casting) ReturnToMenu(ctx);
}

// Every fish has been struck at, landed or lost: nothing is left to catch.
void CheckAllFishSpent(GameState& s) {
  if (s.FishSpent > s.LastFishIndex && !s.GameOver) {
    s.GameOver = 1;
    if (s.GameOverCountdown == 0) s.GameOverCountdown = 120;
  }
}

}  // namespace

void DXTimerTimer(PlayContext& ctx, int32_t /*lagCount*/) {
  // A display that is away freezes the game rather than fast-forwarding it.
  if (!ctx.DXDraw.CanDraw()) return;
  GameState& s = ctx.State;

  DrawMap(ctx);  // with last frame's view
  const float startX = s.BoatX, startY = s.BoatY;
  s.MouseWorldX = s.ViewX + s.MouseX;
  s.MouseWorldY = s.ViewY + s.MouseY;
  UpdateEngineSound(ctx);
  StartEngine(ctx);
  DriveBoat(ctx);
#ifdef TW_WITH_FISHING
  TryStartCast(ctx);
#endif
  const MapPick movedTo = MoveBoat(ctx, startX, startY);
  VisitMapObjects(ctx, movedTo);
  FollowBoat(ctx);  // everything below uses the new view

#ifdef TW_WITH_FISHING
  UpdateFish(ctx);
  if (!s.GameOver) UpdateMonsters(ctx);
  if (s.Casting || s.Reeling) DrawWaterLines(ctx);
#endif
  DrawSplashes(ctx);
  DrawWakeRear(ctx);
  DrawBoat(ctx);
  DrawAngler(ctx);
  DrawWakeFront(ctx);
#ifdef TW_WITH_FISHING
  if (s.Reeling) UpdateRetrieve(ctx);
  if (s.Casting) UpdateFlight(ctx);
#endif
  DrawDashboard(ctx);
#ifdef TW_WITH_FISHING
  DrawCatchLine(ctx);
  if (s.Timed) RunClock(ctx);
#endif
  if (s.QuitQuery) s.Message = "PRESS ENTER TO QUIT GAME";
  RunEnding(ctx);
#ifdef TW_WITH_FISHING
  JudgeLimit(ctx);
#endif
  CheckAllFishSpent(s);
  DrawMessageLine(ctx);
#ifdef TW_WITH_FISHING
  DrawCash(ctx);
#endif
  DrawCursor(ctx);
  if (ctx.Hooks.DrawOverlay) ctx.Hooks.DrawOverlay();
  ctx.DXDraw.Flip();
}

}  // namespace tw
