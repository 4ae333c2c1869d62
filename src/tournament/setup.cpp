#include "tournament/setup.h"

#include "core/error.h"
#include "core/files.h"
#include "core/numeric.h"
#include "fishing/fishing.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/timer.h"
#include "media/wave_list.h"
#include "play/boat.h"
#include "tournament/lake_check.h"
#include "tournament/tournament.h"
#include "world/lake_files.h"
#include "world/map_file.h"

namespace tw {

namespace {

// The window was closed while set-up let messages through.
struct SetupAbandoned {};

class SetupGuard {
 public:
  explicit SetupGuard(PlayContext& ctx) : ctx_(ctx) { ctx_.SettingUp = true; }
  ~SetupGuard() { ctx_.SettingUp = false; }
  SetupGuard(const SetupGuard&) = delete;
  SetupGuard& operator=(const SetupGuard&) = delete;

 private:
  PlayContext& ctx_;
};

void Pump(PlayContext& ctx) {
  ctx.ProcessMessages();
  if (ctx.Terminated()) throw SetupAbandoned{};
}

// One more step of loading for the window to show, then let it repaint.
void LoadingStep(Tournament& t) {
  t.Window().LoadingStep();
  Pump(t.Context());
}

// The lake's ambient loop: the background sound named like its tile
// library. A library a lake maker brought along may have none; the lake is
// then simply quiet, and ending the tournament never depends on it.
TWaveCollectionItem* AmbientLoop(PlayContext& ctx) {
  const int32_t index = ctx.background.IndexOf(ctx.State.ImageLib);
  return index < 0 ? nullptr : &ctx.background.Items(index);
}

// Everything between taking the fee and switching to the play surface. What
// the lake needs is checked on the way, so a lake that cannot be played is
// refused here, once, and never fails frame after frame.
void LoadLake(Tournament& t) {
  PlayContext& ctx = t.Context();
  GameState& s = ctx.State;
  ctx.sounds.Find("cast").Play();
  CheckTileLibraryName(ctx);
  LoadingStep(t);
  ctx.DXTileList.LoadFromFile(JoinPath(ctx.DataFolder, s.ImageLib));
  CheckTileLibrary(ctx);
  LoadingStep(t);
  ctx.objects.LoadFromFile(JoinPath(ctx.DataFolder, "objects.dxg"));
  LoadingStep(t);
  const std::string mapPath = LakePath(ctx.Lakes(), ctx.LakeName, ".iso");
  ReadMapFile(mapPath, s.Header, *s.Map, s.MapObjects, [&](int32_t) { Pump(ctx); });
  LoadingStep(t);

  CheckPlacedObjects(s, mapPath);
  CheckLakeMedia(ctx);
  ResetForTournament(s);
  PlaceFishAndMonsters(ctx);
}

}  // namespace

int32_t FrameIntervalFor(int32_t speedIndex) {
  switch (speedIndex) {
    case 0:
      return 33;
    case 1:
      return 15;
    case 2:
      return 0;
    default:
      return -1;
  }
}

bool goClick(Tournament& t) {
  PlayContext& ctx = t.Context();
  TournamentWindow& window = t.Window();
  // Set-up lets messages through; a second press meanwhile is ignored.
  if (ctx.SettingUp) return false;
  GameState& s = ctx.State;
  // The player is told before set-up holds the menu, so the box can be
  // answered like any other.
  if (s.Cash < s.EntryFee) {
    window.Notice("You don't have enough money to enter!");
    return false;
  }
  SetupGuard guard(ctx);
  window.LoadingBegins();
  const int32_t fee = s.EntryFee;
  s.Cash = SaturatingAdd(s.Cash, -int64_t{fee});
  window.CashChanged();

  // A lake that fails to load costs nothing.
  auto refund = [&] {
    s.Cash = SaturatingAdd(s.Cash, fee);
    window.CashChanged();
    window.LoadingFailed();
  };
  try {
    Pump(ctx);
    LoadLake(t);
    const int32_t interval = FrameIntervalFor(ctx.Options.SpeedIndex);
    if (interval >= 0) ctx.DXTimer.SetInterval(static_cast<uint32_t>(interval));
    LoadingStep(t);
  } catch (const SetupAbandoned&) {
    refund();
    return false;
  } catch (...) {
    refund();
    throw;
  }

  window.EnterPlay();
  ctx.DXDraw.Finalize();
  if (ctx.Options.PageFlip) {
    ctx.DXDraw.PageFlip = true;
    ctx.DXDraw.WaitVBlank = true;
  }
  ctx.DXDraw.SetVisible(true);
  try {
    ctx.DXDraw.Initialize();
    if (TWaveCollectionItem* ambient = AmbientLoop(ctx); ambient && ctx.Options.BackgroundSounds)
      ambient->Play();
  } catch (...) {
    // No play surface after all: back to the menu, and the tournament
    // costs nothing.
    ctx.DXDraw.SetVisible(false);
    window.PlayFailed();
    refund();
    throw;
  }
  ctx.DXTimer.SetEnabled(true);
  ctx.DXDraw.SetCursorHidden(true);
  return true;
}

void ReturnToMenu(Tournament& t) {
  PlayContext& ctx = t.Context();
  if (TWaveCollectionItem* ambient = AmbientLoop(ctx)) ambient->Stop();
  ctx.DXTimer.SetEnabled(false);
  ctx.DXDraw.Finalize();
  ctx.DXDraw.SetVisible(false);
  ctx.DXDraw.SetCursorHidden(false);
  // The one call from inside a frame up to the window: the menu comes back
  // (with a refilled lake list) while this frame's tick is still running.
  t.Window().BackToMenu();
  ctx.DXDraw.Initialize();
}

}  // namespace tw
