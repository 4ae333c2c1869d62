// What the tournament steps work with: the game record, the media objects,
// the options the frame reads and the window's message pump. A Tournament
// (src/tournament) owns them and fills one in; every step takes it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "core/random.h"
#include "play/game_state.h"
#include "world/lake_files.h"

namespace tw {

class TDXDraw;
class TDXImageList;
class TDXWaveList;
class TDXTimer;

// The options the game runs with. "Sound ON" is kept here for the whole
// program (the options panel writes it whenever it changes); the others are
// taken from the options panel when a tournament is set up and hold for it.
struct PlayOptions {
  bool MouseDrive = false;       // "Mouse Drive": steer toward the cursor
  int32_t SpeedIndex = 0;        // "Game Speed": 0 30FPS, 1 60FPS, 2 as fast as possible
  bool PageFlip = false;         // "Page Flipping"
  bool SoundOn = true;           // "Sound ON"
  bool BackgroundSounds = true;  // "Background Sounds"
};

// The window's message loop as a tournament sees it: set-up and pop-ups let
// pending messages through while they wait, and stop waiting once the
// window is closed. Either may be empty.
struct MessagePump {
  std::function<void()> ProcessMessages;
  std::function<bool()> Closed;
};

struct PlayContext {
  GameState& State;
  TDXDraw& DXDraw;
  TDXImageList& objects;
  TDXImageList& DXTileList;
  TDXWaveList& sounds;
  TDXWaveList& background;
  TDXTimer& DXTimer;
  TDXTimer& DXCastTimer;
  Random& Rng;
  PlayOptions Options;
  std::string LakeName;    // the lake "Fish This Lake" starts
  std::string DataFolder;  // where the libraries and the game's lakes/ lie
  MessagePump Pump{};
  // Set while a tournament is being set up: set-up lets window messages
  // through, and no menu action may start meanwhile.
  bool SettingUp = false;
  std::string PlayerLakes{};  // the player's own lakes folder, or empty
  // The tournament is paused between two frames (play/pause.h).
  bool Paused = false;

  LakeFolders Lakes() const { return {DataFolder, PlayerLakes}; }

  // The pump, safe to call when empty.
  void ProcessMessages() {
    if (Pump.ProcessMessages) Pump.ProcessMessages();
  }
  bool Terminated() const { return Pump.Closed && Pump.Closed(); }
};

}  // namespace tw
