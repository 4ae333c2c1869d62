// A tournament without a display: the game's own Tournament on the headless
// platform, libraries made in memory, a fixed seed and a lake built in the
// test. Input goes through the real handlers and frames through the real
// timers; what the tournament tells its window is kept in `Window`.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fishing/fishing.h"
#include "platform/headless/headless_audio.h"
#include "support/libraries.h"
#include "support/test_lake.h"
#include "support/test_window.h"
#include "tournament/setup.h"

namespace tw::test {

// The parts made before the lake helpers refer to the game record.
struct TournamentParts {
  explicit TournamentParts(uint32_t seed) { T.Rng().SetSeed(seed); }
  HeadlessPlatform Platform;
  HeadlessAudioOutput Audio;
  TimerSlot Slot{Platform};
  TestWindow Window{Platform};
  Tournament T{Platform, Slot, Audio, LakeFolders{}, Window};
};

class TournamentFixture : public TournamentParts, public TestLake {
 public:
  explicit TournamentFixture(uint32_t seed = 20261207, std::vector<SpriteSpec> extraSprites = {})
      : TournamentParts(seed), TestLake(T.State()) {
    Window.Ctx = &Ctx;
    std::vector<SpriteSpec> sprites = DefaultObjectSprites();
    sprites.insert(sprites.end(), extraSprites.begin(), extraSprites.end());
    ObjectsBytes = BuildSpriteLibrary(sprites);
    TilesBytes = BuildSpriteLibrary(DefaultTileSprites());
    objects.LoadFromBytes(ObjectsBytes);
    DXTileList.LoadFromBytes(TilesBytes);
    sounds.LoadFromBytes(BuildSoundLibrary(DefaultSoundNames()));
    background.LoadFromBytes(BuildSoundLibrary({"music", "canada.dxg"}));
    Ctx.LakeName = "testlake";
    S().ImageLib = "canada.dxg";
    S().MonsterKind = "Monster";  // what a lake without the key has
    DXDraw.Initialize();
  }
  GameState& S() { return T.State(); }
  PlayContext& Ctx = T.Context();
  TDXDraw& DXDraw = T.DXDraw;
  TDXTimer& DXTimer = T.DXTimer;
  TDXTimer& DXCastTimer = T.DXCastTimer;
  TDXImageList& objects = T.objects;
  TDXImageList& DXTileList = T.DXTileList;
  TDXWaveList& sounds = T.sounds;
  TDXWaveList& background = T.background;
  std::vector<uint8_t> ObjectsBytes, TilesBytes;

  // What set-up does after loading: the resets, the boat on its start, and
  // (when `populate`) the fish and monsters; then the play surface and the
  // frame timer. Unless populated there is one fish, resting in the map's
  // top-left corner, and no monster, so tests see only what they set up.
  void StartTournament(bool populate = false) {
    if (!populate) {
      S().LastFishIndex = 0;
      S().LastMonsterIndex = -1;
      S().Fish[0] = FishRecord{};
    }
    tw::ResetForTournament(S());
    if (populate) PlaceFishAndMonsters(Ctx);
    DXDraw.Finalize();
    DXDraw.SetVisible(true);
    DXDraw.Initialize();
    DXTimer.SetEnabled(true);
    DXDraw.SetCursorHidden(true);
  }

  // Writes the libraries and the map into a fresh program folder and points
  // the tournament at it.
  std::string WriteProgramFolder(const std::string& lake = "testlake") {
    Ctx.DataFolder = WriteFolder(lake, ObjectsBytes, TilesBytes);
    Ctx.LakeName = lake;
    return Ctx.DataFolder;
  }

  // Input through the handlers, at once; or queued for the next pump (a
  // pop-up's wait or set-up's pumps deliver it).
  void KeyDown(int32_t key) { FormKeyDown(Ctx, key); }
  void KeyUp(int32_t key) { FormKeyUp(Ctx, key); }
  void Key(int32_t key) {
    KeyDown(key);
    KeyUp(key);
  }
  void MouseMove(int32_t x, int32_t y) { DXDrawMouseMove(Ctx, x, y); }
  void MouseDown(MouseButton b, int32_t x, int32_t y) { DXDrawMouseDown(Ctx, b, x, y); }
  void MouseUp(MouseButton b, int32_t x, int32_t y) { DXDrawMouseUp(Ctx, b, x, y); }
  void Queue(const Event& e) { Platform.Push(e); }
  // Each pop-up from now on is answered with `key` once it waits.
  void AnswerPopups(int32_t key = 'A') { Window.PopupAnswer = key; }

  // One tick of whichever timer is in the slot; false when none runs.
  bool Tick() {
    TDXTimer* t = Slot.Installed();
    if (!t || !t->OnTimer) return false;
    t->OnTimer(*t, 1);
    return true;
  }
  // Runs `n` ticks; stops early when no timer runs (the menu came back).
  int Step(int n = 1) {
    int done = 0;
    while (done < n && Tick()) ++done;
    return done;
  }

  // The colour of frame `frame` of a picture of `objects` or of a tile, as
  // the surfaces store it.
  uint16_t ObjectColor(const std::string& name, int32_t frame) {
    return Packed(ObjectSpriteColor(name, frame));
  }
  uint16_t TileColor(int32_t tile, int32_t frame) { return Packed(SpriteColor(tile, frame)); }
  uint16_t Packed(uint32_t rgb) {
    return DXDraw.Surface().Pack(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                 static_cast<uint8_t>(rgb));
  }
  // Whether the back buffer pixel at (x, y) comes from any frame of a
  // picture of `objects` (the message line's "bigfont", a cursor ...).
  bool FromPicture(const std::string& name, int32_t x, int32_t y) {
    const uint16_t p = DXDraw.Surface().At(x, y);
    for (int32_t f = 0; f < objects.Find(name).FrameCount(); ++f)
      if (p == ObjectColor(name, f)) return true;
    return false;
  }
};

}  // namespace tw::test
