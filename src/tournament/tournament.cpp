#include "tournament/tournament.h"

#include <utility>

#include "core/files.h"
#include "fishing/fishing.h"
#include "tournament/frame.h"
#include "tournament/setup.h"

namespace tw {

Tournament::Tournament(Platform& platform, TimerSlot& timers, AudioOutput& audio, LakeFolders lakes,
                       TournamentWindow& window)
    : DXDraw(platform),
      DXTimer(timers),
      DXCastTimer(timers),
      DXSound(audio),
      sounds(&DXSound),
      background(&DXSound),
      lakes_(std::move(lakes)),
      window_(window),
      state_(std::make_unique<GameState>()),
      ctx_{*state_, DXDraw,      objects, DXTileList,    sounds, background,
           DXTimer, DXCastTimer, rng_,    PlayOptions{}, "",     lakes_.Data} {
  ctx_.PlayerLakes = lakes_.Player;
  // The music and the lake's sounds answer the music volume, the rest the
  // effects volume.
  background.Group = kMusicGroup;
  ctx_.Pump.ProcessMessages = [this] { window_.ProcessMessages(); };
  ctx_.Pump.Closed = [this] { return window_.Terminated(); };
  DXDraw.AddImageList(&objects);
  DXDraw.AddImageList(&DXTileList);
  DXDraw.OnInitialize = [this] { DXDrawInitialize(); };
  DXDraw.OnFinalize = [this] { DXDrawFinalize(); };
  DXTimer.SetInterval(0);
  DXTimer.OnTimer = [this](TDXTimer&, int32_t lag) { DXTimerTimer(*this, lag); };
  DXCastTimer.SetInterval(15);
  DXCastTimer.OnTimer = [this](TDXTimer&, int32_t) { DXCastTimerTimer(ctx_); };
}

Tournament::~Tournament() {
  DXTimer.SetEnabled(false);
  DXCastTimer.SetEnabled(false);
  DXDraw.OnInitialize = nullptr;
  DXDraw.OnFinalize = nullptr;
  DXDraw.RemoveImageList(&objects);
  DXDraw.RemoveImageList(&DXTileList);
}

void Tournament::LoadSoundLibraries() {
  sounds.LoadFromFile(JoinPath(lakes_.Data, "sound.dxw"));
  background.LoadFromFile(JoinPath(lakes_.Data, "music.dxw"));
}

void Tournament::SetSoundOn(bool on, bool now) {
  ctx_.Options.SoundOn = on;
  if (!now) return;
  if (on)
    DXSound.Initialize();
  else
    DXSound.Finalize();
}

void Tournament::DXDrawInitialize() {
  ResetOnSurface(*state_);
  window_.SurfaceReady();
  if (ctx_.Options.SoundOn) DXSound.Initialize();
  window_.SoundReady();
}

void Tournament::DXDrawFinalize() {
  if (ctx_.Options.SoundOn) DXSound.Finalize();
  DXTimer.SetEnabled(false);
  DXDraw.SetCursorHidden(false);
}

}  // namespace tw
