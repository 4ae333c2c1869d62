// A tournament without a display: a small lake built in the test, sprite and
// sound libraries made in memory, the headless platform, a fixed seed, and
// helpers that press keys and buttons through the real handlers and run
// frames through the real timers.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/files.h"
#include "core/numeric.h"
#include "core/random.h"
#include "fishing/fishing.h"
#include "media/audio_output.h"
#include "media/container.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/library_writer.h"
#include "media/picture.h"
#include "media/sound.h"
#include "media/timer.h"
#include "media/wave.h"
#include "media/wave_list.h"
#include "platform/headless/headless_platform.h"
#include "play/context.h"
#include "play/game_state.h"
#include "play/input.h"
#include "tournament/frame.h"
#include "tournament/setup.h"
#include "world/map_file.h"

namespace tw::test {

// The generated program folder ($TARNWICK_BIN, else "bin") when it holds the
// objects library and the lake catalogue; empty otherwise.
inline std::string GeneratedDataFolder() {
  const char* bin = std::getenv("TARNWICK_BIN");
  const std::string dir = bin ? bin : "bin";
  return FileExists(JoinPath(dir, "objects.dxg")) && FileExists(JoinPath(dir, "lakes/lakes.ini"))
             ? dir
             : std::string();
}

// One picture of a test library: `Frames` frames of FrameWidth by FrameHeight.
struct SpriteSpec {
  std::string Name;
  int32_t Frames = 1;
  int32_t FrameWidth = 16;
  int32_t FrameHeight = 16;
};

// Every picture a tournament looks up, with the frame counts the game needs.
inline std::vector<SpriteSpec> DefaultObjectSprites() {
  return {
      {"boat1", 32, 48, 32},    {"boat1gas", 32, 48, 32}, {"boat2", 32, 48, 32},
      {"boat2gas", 32, 48, 32}, {"boat3", 32, 48, 32},    {"boat3gas", 32, 48, 32},
      {"fishguy", 96, 16, 24},  {"splash", 1, 16, 8},     {"water", 1, 10, 10},
      {"fishdash", 1, 640, 96}, {"fishmeter", 7, 40, 40}, {"powerbar", 20, 8, 40},
      {"mouse", 1, 16, 16},     {"mousegas", 1, 32, 32},  {"mousenofish", 1, 32, 32},
      {"bigfont", 67, 22, 24},  {"font", 67, 8, 10},      {"digital", 12, 12, 16},
      {"infofont", 67, 8, 10},  {"buoy", 1, 200, 150},    {"talk", 1, 220, 150},
      {"fish", 16, 24, 12},     {"Monster", 32, 48, 32},  {"gotMonster", 1, 200, 150},
      {"hook", 1, 200, 100},    {"caught", 1, 200, 150},  {"lost", 1, 200, 150},
      {"bobber", 1, 6, 6},      {"minisplash", 1, 12, 6},
  };
}

// The distinct colour of frame `frame` of the `index`th picture of a test
// library: never black (the transparent colour), and different per frame.
inline uint32_t SpriteColor(int32_t index, int32_t frame) {
  const uint32_t r = 40 + static_cast<uint32_t>(index * 53) % 200;
  const uint32_t g = 40 + static_cast<uint32_t>(frame * 8) % 200;
  const uint32_t b = 40 + static_cast<uint32_t>(index * 11 + frame * 3) % 200;
  return (r << 16) | (g << 8) | b;
}

// A sprite library container whose pictures are filled with SpriteColor.
inline std::vector<uint8_t> BuildSpriteLibrary(const std::vector<SpriteSpec>& specs) {
  std::vector<ContainerItem> items;
  for (size_t i = 0; i < specs.size(); ++i) {
    const SpriteSpec& sprite = specs[i];
    // Frames in one row when that stays narrow, else in rows of a divisor.
    int32_t cols = sprite.Frames;
    if (cols * sprite.FrameWidth > 4096)
      for (cols = 16; sprite.Frames % cols != 0; --cols) {
      }
    const int32_t rows = sprite.Frames / cols;
    Picture pic;
    pic.Width = cols * sprite.FrameWidth;
    pic.Height = rows * sprite.FrameHeight;
    pic.Pixels.resize(static_cast<size_t>(pic.Width) * pic.Height);
    for (int32_t y = 0; y < pic.Height; ++y)
      for (int32_t x = 0; x < pic.Width; ++x) {
        const int32_t frame = (y / sprite.FrameHeight) * cols + x / sprite.FrameWidth;
        pic.Pixels[static_cast<size_t>(y) * pic.Width + x] =
            SpriteColor(static_cast<int32_t>(i), frame);
      }
    items.push_back({{"Name", TextValue(sprite.Name)},
                     {"PatternWidth", IntegerValue(sprite.FrameWidth)},
                     {"PatternHeight", IntegerValue(sprite.FrameHeight)},
                     {"Picture.Data", PictureData(EncodeBitmapFile(pic))}});
  }
  return WriteContainer(SpriteLibraryContainer(std::move(items), std::vector<uint8_t>(1024, 0)));
}

// Tiles 0 to 52 of a lake style, 64 by 32; tile 0 animates over 4 frames and
// tile 1 over 2, the rest are still.
inline std::vector<SpriteSpec> DefaultTileSprites() {
  std::vector<SpriteSpec> tiles;
  for (int32_t t = 0; t <= 52; ++t)
    tiles.push_back({"tile" + std::to_string(t), t == 0 ? 4 : t == 1 ? 2 : 1, 64, 32});
  return tiles;
}

// A sound library of short silent waves with the given names.
inline std::vector<uint8_t> BuildSoundLibrary(const std::vector<std::string>& names) {
  const std::vector<uint8_t> wave =
      EncodeWave(MakePcmWave(1, 22050, 8, std::vector<uint8_t>(2205, 128)));
  std::vector<ContainerItem> items;
  for (const std::string& n : names)
    items.push_back({{"Name", TextValue(n)}, {"Wave.WAVE", BinaryValue(wave)}});
  return WriteContainer(SoundLibraryContainer(std::move(items)));
}

inline std::vector<std::string> DefaultSoundNames() {
  return {"gas",    "startgas", "bell",  "coins",  "cast",    "reel",
          "splash", "hook",     "boing", "caught", "Monster", "minisplash"};
}

// A sound output that opens and renders nothing: the device works, so plays,
// stops and volumes take effect, but nothing is heard.
class SilentAudioOutput : public AudioOutput {
 public:
  bool Open(uint32_t, AudioSource* source) override {
    source_ = source;
    return true;
  }
  void Close() override { source_ = nullptr; }
  bool IsOpen() const override { return source_ != nullptr; }
  void Lock() override {}
  void Unlock() override {}
  bool Lost() const override { return false; }

 private:
  AudioSource* source_ = nullptr;
};

class PlayFixture {
 public:
  explicit PlayFixture(uint32_t seed = 20261207, std::vector<SpriteSpec> extraSprites = {})
      : DXDraw(Platform),
        DXSound(Audio),
        Slot(Platform),
        DXTimer(Slot),
        DXCastTimer(Slot),
        Rng(seed),
        State(std::make_unique<GameState>()),
        Ctx{*State,      DXDraw, objects,       DXTileList, sounds, background, DXTimer,
            DXCastTimer, Rng,    PlayOptions{}, "testlake", "",     "Tester",   PlayHooks{}} {
    std::vector<SpriteSpec> sprites = DefaultObjectSprites();
    sprites.insert(sprites.end(), extraSprites.begin(), extraSprites.end());
    ObjectsBytes = BuildSpriteLibrary(sprites);
    TilesBytes = BuildSpriteLibrary(DefaultTileSprites());
    SoundBytes = BuildSoundLibrary(DefaultSoundNames());
    MusicBytes = BuildSoundLibrary({"music", "canada.dxg"});
    objects.LoadFromBytes(ObjectsBytes);
    DXTileList.LoadFromBytes(TilesBytes);
    sounds.LoadFromBytes(SoundBytes);
    background.LoadFromBytes(MusicBytes);
    DXDraw.AddImageList(&objects);
    DXDraw.AddImageList(&DXTileList);
    DXSound.AddWaveList(&sounds);
    DXSound.AddWaveList(&background);

    // The main window's parts: surface notifications, timers, the pump.
    DXDraw.OnInitialize = [this] {
      ResetTournamentFields(*State);
      if (Ctx.Options.SoundOn) DXSound.Initialize();
    };
    DXDraw.OnFinalize = [this] {
      if (Ctx.Options.SoundOn) DXSound.Finalize();
      DXTimer.SetEnabled(false);
      DXDraw.SetCursorHidden(false);
    };
    DXTimer.OnTimer = [this](TDXTimer&, int32_t lag) { DXTimerTimer(Ctx, lag); };
    DXCastTimer.OnTimer = [this](TDXTimer&, int32_t) { DXCastTimerTimer(Ctx); };
    Ctx.Options.BackgroundSounds = true;
    Ctx.State.ImageLib = "canada.dxg";
    Ctx.State.MonsterKind = "Monster";  // what a lake without the key has
    Ctx.Hooks.ProcessMessages = [this] { Pump(); };
    Ctx.Hooks.Terminated = [this] { return Terminated; };
    Ctx.Hooks.SetStatus = [this](const std::string& t) { Status = t; };
    Ctx.Hooks.ShowLoadingBox = [this](bool show) { LoadingBoxVisible = show; };
    Ctx.Hooks.SetLoadingText = [this](const std::string& t) { LoadingText = t; };
    Ctx.Hooks.LoadingText = [this] { return LoadingText; };
    Ctx.Hooks.HideMenu = [this] { MenuVisible = false; };
    Ctx.Hooks.ShowMenu = [this] { MenuVisible = true; };
    Ctx.Hooks.FillLakeList = [this] { ++LakeListFills; };
    Ctx.Hooks.MessageBox = [this](const std::string& t) { MessageBoxes.push_back(t); };
    DXDraw.Initialize();
  }

  GameState& S() { return *State; }

  // ---- the lake ----

  // An all-water lake of (maxCol + 1) by (maxRow + 1) cells of tile `tile`.
  void MakeLake(int32_t maxCol, int32_t maxRow, int32_t tile = 1, int32_t tileWidth = 64,
                int32_t tileHeight = 32) {
    S().Header = MapHeader{tileHeight, tileWidth, maxCol, maxRow};
    for (int32_t c = 0; c <= maxCol; ++c)
      for (int32_t r = 0; r <= maxRow; ++r) S().Cell(c, r) = MapCell{tile, 0};
    for (MapObject& o : S().MapObjects) o = MapObject{};
  }
  void SetTile(int32_t col, int32_t row, int32_t tile) { S().Cell(col, row) = MapCell{tile, 0}; }
  void FillCells(int32_t c0, int32_t r0, int32_t c1, int32_t r1, int32_t tile) {
    for (int32_t c = c0; c <= c1; ++c)
      for (int32_t r = r0; r <= r1; ++r) SetTile(c, r, tile);
  }
  MapObject& PlaceObject(int32_t slot, const std::string& kind, int32_t col, int32_t row,
                         const std::string& param = "", const std::string& text = "",
                         uint8_t active = 1) {
    MapObject& o = S().MapObjects[slot];
    o = MapObject{col, row, active, kind, param, text};
    return o;
  }
  // The world point at the middle of a cell.
  static float CellCentreX(const GameState& s, int32_t col, int32_t row) {
    return static_cast<float>(col * s.TileWidth() + (row % 2) * (s.TileWidth() / 2) +
                              s.TileWidth() / 2);
  }
  static float CellCentreY(const GameState& s, int32_t row) {
    return static_cast<float>(row * (s.TileHeight() / 2) + s.TileHeight() / 2);
  }

  // ---- a tournament without files ----

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
    PrepareTournament(S());
    if (populate) PlaceFishAndMonsters(Ctx);
    DXDraw.Finalize();
    DXDraw.SetVisible(true);
    DXDraw.Initialize();
    DXTimer.SetEnabled(true);
    DXDraw.SetCursorHidden(true);
  }
  // Puts the boat somewhere and centres the view on it.
  void PutBoat(float x, float y, uint8_t heading = 0) {
    S().BoatX = x;
    S().BoatY = y;
    S().BoatHeading = heading;
  }

  // ---- files for set-up ----

  // Writes the libraries and the map into a fresh program folder and points
  // the context at it.
  std::string WriteProgramFolder(const std::string& lake = "testlake") {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("tarnwick-play-" + std::to_string(::getpid()) + "-" + std::to_string(++folderCount_));
    fs::remove_all(dir);
    fs::create_directories(dir / "lakes");
    WriteFile((dir / "objects.dxg").string(), ObjectsBytes);
    WriteFile((dir / "canada.dxg").string(), TilesBytes);
    WriteFile((dir / "lakes" / (lake + ".iso")).string(),
              EncodeMapFile(S().Header, *S().Map, S().MapObjects));
    Ctx.DataFolder = dir.string();
    Ctx.LakeName = lake;
    folders_.push_back(dir.string());
    return dir.string();
  }
  static void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  // ---- input through the handlers ----

  void KeyDown(int32_t key) { FormKeyDown(Ctx, key); }
  void KeyUp(int32_t key) { FormKeyUp(Ctx, key); }
  void Key(int32_t key) {
    KeyDown(key);
    KeyUp(key);
  }
  void MouseMove(int32_t x, int32_t y) { DXDrawMouseMove(Ctx, x, y); }
  void MouseDown(MouseButton b, int32_t x, int32_t y) { DXDrawMouseDown(Ctx, b, x, y); }
  void MouseUp(MouseButton b, int32_t x, int32_t y) { DXDrawMouseUp(Ctx, b, x, y); }

  // Events waiting in the window's queue; a pop-up's wait or set-up's pumps
  // deliver them.
  void Queue(const Event& e) { Platform.Push(e); }

  // ---- frames ----

  // One tick of whichever timer is in the slot (none: nothing happens).
  // Returns false when no timer was installed.
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

  // The back buffer pixel as 0x00RRGGBB.
  uint32_t BackPixel(int32_t x, int32_t y) {
    return Surface16::UnpackColor(DXDraw.Surface().Format(), DXDraw.Surface().At(x, y));
  }
  // SpriteColor as the back buffer stores it.
  uint16_t Packed(uint32_t rgb) {
    return DXDraw.Surface().Pack(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                 static_cast<uint8_t>(rgb));
  }
  // The packed colour of frame `frame` of a picture of `objects`.
  uint16_t ObjectColor(const std::string& name, int32_t frame) {
    const auto specs = DefaultObjectSprites();
    for (size_t i = 0; i < specs.size(); ++i)
      if (specs[i].Name == name) return Packed(SpriteColor(static_cast<int32_t>(i), frame));
    ADD_FAILURE() << "no test picture " << name;
    return 0;
  }
  uint16_t TileColor(int32_t tile, int32_t frame) { return Packed(SpriteColor(tile, frame)); }
  // Whether the back buffer pixel at (x, y) comes from any frame of a
  // picture of `objects` (the message line's "bigfont", a cursor ...).
  bool FromPicture(const std::string& name, int32_t x, int32_t y) {
    const int32_t frames = objects.Find(name).FrameCount();
    const uint16_t p = DXDraw.Surface().At(x, y);
    for (int32_t f = 0; f < frames; ++f)
      if (p == ObjectColor(name, f)) return true;
    return false;
  }

  ~PlayFixture() {
    DXTimer.SetEnabled(false);
    DXCastTimer.SetEnabled(false);
    DXDraw.OnFinalize = nullptr;
    DXDraw.Finalize();
    DXDraw.RemoveImageList(&objects);
    DXDraw.RemoveImageList(&DXTileList);
    DXSound.Finalize();
    DXSound.RemoveWaveList(&sounds);
    DXSound.RemoveWaveList(&background);
    for (const std::string& f : folders_) std::filesystem::remove_all(f);
  }

  HeadlessPlatform Platform;
  SilentAudioOutput Audio;
  TDXDraw DXDraw;
  TDXSound DXSound;
  TimerSlot Slot;
  TDXTimer DXTimer;
  TDXTimer DXCastTimer;
  TDXImageList objects;
  TDXImageList DXTileList;
  TDXWaveList sounds;
  TDXWaveList background;
  Random Rng;
  std::unique_ptr<GameState> State;
  PlayContext Ctx;
  std::vector<uint8_t> ObjectsBytes, TilesBytes, SoundBytes, MusicBytes;

  // What the fake main window shows.
  std::string Status;
  std::string LoadingText = "Loading";
  bool LoadingBoxVisible = false;
  bool MenuVisible = true;
  int LakeListFills = 0;
  std::vector<std::string> MessageBoxes;

  // The window was closed.
  bool Terminated = false;
  // Pop-ups are answered by a key press once the queued input is used up.
  bool AutoAnswerPopups = true;
  int PopupsAnswered = 0;
  int Pumps = 0;
  // Called on every pump (after the queue was delivered), for tests that act
  // while set-up or a pop-up lets messages through.
  std::function<void(int pump)> OnPump;

 private:
  // The main window's message pump: every queued event to its handler.
  void Pump() {
    ++Pumps;
    Event e;
    while (Platform.PollEvent(e)) Dispatch(e);
    if (OnPump) OnPump(Pumps);
    if (Ctx.State.AnyInput == 0 && AutoAnswerPopups && ++idlePumps_ > 300) {
      idlePumps_ = 0;
      ++PopupsAnswered;
      Key(65);  // 'A'
    }
    // Nothing a test does should wait forever.
    if (Pumps > 1000000) Terminated = true;
  }
  void Dispatch(const Event& e) {
    switch (e.Type) {
      case EventType::KeyDown:
        KeyDown(e.Key);
        break;
      case EventType::KeyUp:
        KeyUp(e.Key);
        break;
      case EventType::MouseMove:
        MouseMove(e.X, e.Y);
        break;
      case EventType::MouseDown:
        MouseDown(e.Button, e.X, e.Y);
        break;
      case EventType::MouseUp:
        MouseUp(e.Button, e.X, e.Y);
        break;
      case EventType::Close:
        Terminated = true;
        break;
      default:
        break;
    }
    idlePumps_ = 0;
  }

  int idlePumps_ = 0;
  int folderCount_ = 0;
  std::vector<std::string> folders_;
};

}  // namespace tw::test
