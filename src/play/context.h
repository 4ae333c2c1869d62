// What the tournament steps work with: the game record, the media objects of
// the main window, the options the frame reads and the hooks back into the
// menu screen. The main window fills one in; tests build their own.
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

// The option controls the tournament reads (the menu owns the controls).
struct PlayOptions {
  bool MouseDrive = false;       // "Mouse Drive": steer toward the cursor
  int32_t SpeedIndex = 0;        // "Game Speed": 0 30FPS, 1 60FPS, 2 as fast as possible
  bool PageFlip = false;         // "Page Flipping"
  bool SoundOn = true;           // "Sound ON"
  bool BackgroundSounds = true;  // "Background Sounds"
};

// The main window's side of a tournament. Every hook may be left empty; an
// empty hook does nothing (and `Terminated` then reads as false).
struct PlayHooks {
  // Handle the window messages that are pending, once.
  std::function<void()> ProcessMessages;
  // True once the window was closed: every wait ends at once.
  std::function<bool()> Terminated;
  // The menu's status line ("name    Cash: $50").
  std::function<void(const std::string&)> SetStatus;
  // The loading box: shown at 120, 160 or hidden.
  std::function<void(bool)> ShowLoadingBox;
  // The loading box's label ("Loading", "Loading.", ...).
  std::function<void(const std::string&)> SetLoadingText;
  std::function<std::string()> LoadingText;
  // Hide every menu control for a tournament.
  std::function<void()> HideMenu;
  // Bring the menu back with the lake panel showing.
  std::function<void()> ShowMenu;
  // Rebuild the lake list from the catalogue for the current player level.
  std::function<void()> FillLakeList;
  // A notice to the player with an OK button (modal).
  std::function<void(const std::string&)> MessageBox;
  // Draws what the window shows over a finished frame, just before it is
  // presented (a note that the sound is off); not part of the game.
  std::function<void()> DrawOverlay;
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
  std::string LakeName;    // the selected entry of the lake list
  std::string DataFolder;  // where the libraries and the game's lakes/ lie
  std::string PlayerName;  // for the status line
  PlayHooks Hooks;
  // Set while a tournament is being set up: set-up lets window messages
  // through, and no menu action may start meanwhile.
  bool SettingUp = false;
  std::string PlayerLakes{};  // the player's own lakes folder, or empty
  // The tournament is paused between two frames (play/pause.h).
  bool Paused = false;

  LakeFolders Lakes() const { return {DataFolder, PlayerLakes}; }

  // The hooks, safe to call when empty.
  void ProcessMessages() {
    if (Hooks.ProcessMessages) Hooks.ProcessMessages();
  }
  bool Terminated() const { return Hooks.Terminated && Hooks.Terminated(); }
};

}  // namespace tw
