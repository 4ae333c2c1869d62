// The owner of a tournament: the game record, the random generator, the
// drawing surface, both frame timers, the sound device and the four
// libraries, wired together the one way the game plays. The main window,
// the replay session, the benchmark and the tests all build one, and learn
// what happens through the TournamentWindow they hand it.
#pragma once
#include <memory>
#include <string>

#include "core/random.h"
#include "media/audio_output.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/sound.h"
#include "media/timer.h"
#include "media/wave_list.h"
#include "play/context.h"
#include "play/game_state.h"
#include "world/lake_files.h"

namespace tw {

// The window around a tournament: what set-up and the frame tell it, in the
// order they happen, and its message loop. Every call does nothing unless
// the window wants it to.
class TournamentWindow {
 public:
  virtual ~TournamentWindow() = default;

  // Handles the window's pending messages once (set-up and pop-ups wait
  // inside the game's own calls).
  virtual void ProcessMessages() {}
  // The window was closed: every wait ends at once.
  virtual bool Terminated() const { return false; }
  // A notice for the player to answer ("You don't have enough money to
  // enter!").
  virtual void Notice(const std::string& /*text*/) {}

  // Set-up began loading the lake, and then took one more step.
  virtual void LoadingBegins() {}
  virtual void LoadingStep() {}
  // Set-up gave up before play began; the fee is back.
  virtual void LoadingFailed() {}
  // The player's cash changed: the entry fee taken or given back.
  virtual void CashChanged() {}
  // The play surface takes over from the menu.
  virtual void EnterPlay() {}
  // The play surface could not start: the menu is wanted back as it was.
  virtual void PlayFailed() {}
  // The tournament is over: the menu comes back with the lake panel, and
  // winning may have opened more lakes. Called inside the frame that ends
  // the tournament (the one call up from a frame to the window).
  virtual void BackToMenu() {}
  // The drawing surface has just been initialised (at the first showing,
  // at each tournament's start and at its end) and the tournament's fields
  // are reset; the sound device starts next.
  virtual void SurfaceReady() {}
  // Then the sound device has started (when "Sound ON" is set).
  virtual void SoundReady() {}
  // A frame of play is drawn and is shown next: the window may draw over it
  // what is its own and not the game's (a note that the sound is off).
  virtual void FrameDrawn() {}
};

class Tournament {
 public:
  // The lakes are looked up in `lakes`; libraries come from its data folder.
  Tournament(Platform& platform, TimerSlot& timers, AudioOutput& audio, LakeFolders lakes,
             TournamentWindow& window);
  ~Tournament();
  Tournament(const Tournament&) = delete;
  Tournament& operator=(const Tournament&) = delete;

  // Reads the effects and the music ("sound.dxw", "music.dxw") of the data
  // folder; raises the library's error when one cannot be read.
  void LoadSoundLibraries();

  // "Sound ON": the one place the switch is kept. Turning it over starts or
  // stops the sound device at once when `now` is set; otherwise the device
  // follows at the next initialisation of the drawing surface.
  bool SoundOn() const { return ctx_.Options.SoundOn; }
  void SetSoundOn(bool on, bool now);

  GameState& State() { return *state_; }
  const GameState& State() const { return *state_; }
  Random& Rng() { return rng_; }
  PlayContext& Context() { return ctx_; }
  const PlayContext& Context() const { return ctx_; }
  PlayOptions& Options() { return ctx_.Options; }
  TournamentWindow& Window() { return window_; }
  const LakeFolders& Lakes() const { return lakes_; }
  // A set-up is under way (it lets the window's messages through).
  bool SettingUp() const { return ctx_.SettingUp; }

  TDXDraw DXDraw;
  TDXTimer DXTimer;
  TDXTimer DXCastTimer;
  TDXSound DXSound;
  TDXWaveList sounds;
  TDXWaveList background;
  TDXImageList objects;
  TDXImageList DXTileList;

 private:
  // The drawing surface came up or went.
  void DXDrawInitialize();
  void DXDrawFinalize();

  LakeFolders lakes_;
  TournamentWindow& window_;
  Random rng_;
  std::unique_ptr<GameState> state_;
  PlayContext ctx_;
};

}  // namespace tw
