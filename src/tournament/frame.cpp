#include "tournament/frame.h"

#include "fishing/fishing.h"
#include "media/draw.h"
#include "play/boat.h"
#include "play/render.h"
#include "tournament/setup.h"
#include "tournament/tournament.h"

namespace tw {

namespace {

// The tournament is ending: the message, the countdown, and the way back to
// the menu once no line is out.
void RunEnding(Tournament& t) {
  GameState& s = t.State();
  if (!s.GameOver) return;
  // "TIME EXPIRED" stays up when the clock ended the tournament.
  if (s.TimeLeft > 0 || !s.Timed) s.Message = "GAME OVER";
  --s.GameOverCountdown;
  // The menu comes back inside this tick; the rest of the frame still runs.
  if (s.GameOverCountdown <= 0 && !s.Reeling && !s.Casting) ReturnToMenu(t);
}

// Every fish has been struck at, landed or lost: nothing is left to catch.
void CheckAllFishSpent(GameState& s) {
  if (s.FishSpent > s.LastFishIndex && !s.GameOver) {
    s.GameOver = 1;
    if (s.GameOverCountdown == 0) s.GameOverCountdown = 120;
  }
}

}  // namespace

void DXTimerTimer(Tournament& t, int32_t /*lagCount*/) {
  PlayContext& ctx = t.Context();
  // A display that is away freezes the game rather than fast-forwarding it.
  if (!ctx.DXDraw.CanDraw()) return;
  GameState& s = ctx.State;

  // With last frame's view; the dashboard, drawn every frame, paints its rows.
  DrawMap(ctx, DashboardTop(ctx));
  const float startX = s.BoatX, startY = s.BoatY;
  s.MouseWorldX = s.ViewX + s.MouseX;
  s.MouseWorldY = s.ViewY + s.MouseY;
  UpdateEngineSound(ctx);
  StartEngine(ctx);
  DriveBoat(ctx);
  TryStartCast(ctx);
  const MapPick movedTo = MoveBoat(ctx, startX, startY);
  VisitMapObjects(ctx, movedTo);
  FollowBoat(ctx);  // everything below uses the new view

  UpdateFish(ctx);
  if (!s.GameOver) UpdateMonsters(ctx);
  if (s.Casting || s.Reeling) DrawWaterLines(ctx);
  DrawSplashes(ctx);
  DrawWakeRear(ctx);
  DrawBoat(ctx);
  DrawAngler(ctx);
  DrawWakeFront(ctx);
  if (s.Reeling) UpdateRetrieve(ctx);
  if (s.Casting) UpdateFlight(ctx);
  DrawDashboard(ctx);
  DrawCatchLine(ctx);
  if (s.Timed) RunClock(ctx);
  if (s.QuitQuery) s.Message = "PRESS ENTER TO QUIT GAME";
  RunEnding(t);
  JudgeLimit(ctx);
  CheckAllFishSpent(s);
  DrawMessageLine(ctx);
  DrawCash(ctx);
  DrawCursor(ctx);
  t.Window().FrameDrawn();
  ctx.DXDraw.Flip();
}

}  // namespace tw
