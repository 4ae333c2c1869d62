#include "play/pause.h"

#include "media/sound.h"
#include "media/timer.h"
#include "media/wave_list.h"

namespace tw {

namespace {

void HoldEffects(PlayContext& ctx, bool held) {
  if (TDXSound* device = ctx.sounds.DXSound()) device->SetGroupHeld(ctx.sounds.Group, held);
}

}  // namespace

bool CanPauseTournament(const PlayContext& ctx) {
  return !ctx.Paused && !ctx.SettingUp && ctx.DXTimer.Enabled() && !ctx.DXCastTimer.Enabled();
}

bool PauseTournament(PlayContext& ctx) {
  if (!CanPauseTournament(ctx)) return false;
  ctx.Paused = true;
  ctx.DXTimer.SetEnabled(false);
  HoldEffects(ctx, true);
  return true;
}

bool ResumeTournament(PlayContext& ctx) {
  if (!ctx.Paused) return false;
  ctx.Paused = false;
  HoldEffects(ctx, false);
  // Enabling restarts the timer's count from now.
  ctx.DXTimer.SetEnabled(true);
  return true;
}

}  // namespace tw
