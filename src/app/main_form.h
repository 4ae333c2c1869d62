// The main window: owns the tournament (the game record, the random
// generator, the drawing surface, both frame timers, the sound device and
// the four libraries) and every menu control. Its handlers are the game's
// entry points: the menu's clicks and, through the application loop, every
// key and mouse event; the tournament tells it what happens through the
// TournamentWindow calls.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/help_page.h"
#include "core/paths.h"
#include "core/random.h"
#include "media/audio_output.h"
#include "replay/recorder.h"
#include "tournament/tournament.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/file_dialog.h"
#include "ui/lists.h"
#include "ui/modal.h"
#include "ui/panels.h"
#include "ui/picture_box.h"
#include "ui/screen.h"
#include "ui/slider.h"

namespace tw {

class TAdForm;
struct ReplayWatch;
struct Replay;

// Gives a control and everything inside it (group captions excepted) a face.
void SetFontOfTree(Control& c, const std::string& font);

class TMainForm : public EventSink, private TournamentWindow {
  // First, so the tournament is made before the parts below refer to it.
  Application& app_;
  Platform& platform_;
  GamePaths paths_;
  Tournament tournament_;

 public:
  // Builds the window's design (controls, pictures, fonts) from the data
  // folder; the caller then runs FormCreate. Nothing is shown until Show.
  TMainForm(Application& app, AudioOutput& audio, GamePaths paths);
  // Data and the player's files all in one folder, as in the build tree.
  TMainForm(Application& app, AudioOutput& audio, const std::string& programFolder)
      : TMainForm(app, audio, GamePaths::AllIn(programFolder)) {}
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // The first showing: the drawing surface takes the display
  // (DXDrawInitialize runs) and the title is presented.
  void Show();
  // The promotional window shown by "Ok" in the quit box.
  void SetAdForm(TAdForm* ad) { adForm_ = ad; }
  // Dialogs and message boxes run their loop here; tests put in a script.
  void SetModalHost(ModalHost* host) { modalHost_ = host; }
  ModalHost& Host();

  // Repaints the menu when something changed and shows it. Called by the
  // loop after each batch of events and by every modal loop.
  void PaintMenu();
  // One pass of the program's loop: pending events or a timer tick, then
  // the menu's hint clock and paint.
  void RunOnce();

  // Plays a kept replay in the window instead of the menu: its tournament
  // at its recorded speed, F1 for help, P to pause, Right held for four
  // times the speed, Esc to stop; the program ends when it is over. Raises
  // GameError when its lake cannot be found or the tournament not started.
  void WatchReplay(const Replay& replay);
  bool WatchingReplay() const { return watch_ != nullptr; }
  // Whether the replay ran out while the game waited for a key (the
  // program then ends with this text as its error).
  const std::string& WatchFailure() const { return watchFailure_; }

  // The help page, open over the menu or a paused tournament.
  HelpPage& Help() { return help_; }
  void OpenHelp();
  // The tournament is paused (by the player, the help page or a replay).
  bool Paused() const { return ctx_.Paused; }
  // All sound off (M) or on again.
  void ToggleMute();
  bool Muted() const { return DXSound.Muted(); }
  // The first start ever: no settings and no window file were found, so the
  // help page opens once after the title.
  bool FirstStart() const { return firstStart_; }

  // ---- handlers ----
  void FormCreate();
  void titleClick();
  void playerClick();
  void optionClick();
  void showgoClick();
  void quitClick();
  void noquitClick();
  void okquitClick();
  void playertabTabChanged() {}
  // Options (options_panel.cpp).
  void ReadSettings();
  void applyClick();
  void defaultClick();
  void soundonClick();
  // Player (player_panel.cpp).
  void UpdateStatus();
  void playernameChange() { UpdateStatus(); }
  void upluresClick();
  void uprodClick();
  void upboatClick();
  void savebuttonClick();
  void loadbuttonClick();
  // Lakes (lake_panel.cpp).
  void FillLakeList();
  void LoadLakeDefinition(const std::string& lake);
  void lakesClick();
  void goClick();

  // ---- EventSink ----
  void OnKeyDown(uint16_t key, uint8_t shift) override;
  void OnKeyUp(uint16_t key, uint8_t shift) override;
  void OnText(const char* utf8) override;
  void OnMouseMove(uint8_t shift, int32_t x, int32_t y) override;
  void OnMouseDown(MouseButton button, uint8_t shift, int32_t x, int32_t y) override;
  void OnMouseUp(MouseButton button, uint8_t shift, int32_t x, int32_t y) override;
  void OnWheel(int32_t delta, int32_t x, int32_t y) override;
  void OnClose() override;
  void OnActivate(bool active) override;
  void OnWindowChanged() override;
  void OnSecondWindowEvent(const Event& event) override;

  // ---- what the handlers work on (public for scenario tests) ----
  Application& App() { return app_; }
  Platform& GetPlatform() { return platform_; }
  const std::string& Folder() const { return paths_.Data; }
  const GamePaths& Paths() const { return paths_; }
  GameState& State() { return *state_; }
  Random& Rng() { return rng_; }
  Tournament& GetTournament() { return tournament_; }
  Screen& GetScreen() { return *screen_; }
  const FontSet& Fonts() const { return *fonts_; }
  PlayContext& Context() { return ctx_; }
  // The saved games' dialogs; their folder may be set before use.
  FileDialog savegame, loadgame;
  const Surface16& MenuFrame() const { return menuFrame_; }
  // The lake whose definition was read last (what "Fish This Lake" starts).
  const std::string& SelectedLake() const { return ctx_.LakeName; }
  // Whether the program has been told to end (after the promotional window).
  bool Closed() const { return closed_; }
  // Every tournament is recorded; F12 during one keeps it as a replay in
  // the replays folder when it ends.
  ReplayRecorder& Recorder() { return recorder_; }
  bool KeepingReplay() const { return keepReplay_; }

  // The tournament's parts, by the names the handlers use.
  TDXDraw& DXDraw;
  TDXTimer& DXTimer;
  TDXTimer& DXCastTimer;
  TDXSound& DXSound;
  TDXWaveList& sounds;
  TDXWaveList& background;
  TDXImageList& objects;
  TDXImageList& DXTileList;

  // Controls, by their design names.
  PictureBox* image = nullptr;
  PictureBox* title = nullptr;
  Button *player = nullptr, *option = nullptr, *go = nullptr, *quit = nullptr;
  Panel* status = nullptr;
  GroupBox *players = nullptr, *options = nullptr, *lakepanel = nullptr;
  GroupBox *loadingbox = nullptr, *quitbox = nullptr;
  Label *loading = nullptr, *quittext = nullptr;
  Button *noquit = nullptr, *okquit = nullptr;
  // Options panel.
  ComboBox* speed = nullptr;
  CheckBox *flip = nullptr, *bgsound = nullptr;
  RadioButton *mousedrive = nullptr, *keydrive = nullptr, *soundon = nullptr, *soundoff = nullptr;
  Button *defaultbutton = nullptr, *apply = nullptr;
  Slider *effectsvolume = nullptr, *musicvolume = nullptr;
  CheckBox* integerscale = nullptr;
  // The version on the title's corner.
  Label* version = nullptr;
  // Player panel.
  Edit* playername = nullptr;
  Button *savebutton = nullptr, *loadbutton = nullptr;
  TabControl* playertab = nullptr;
  Gauge *luresbar = nullptr, *rodbar = nullptr, *boatbar = nullptr;
  Button *uplures = nullptr, *uprod = nullptr, *upboat = nullptr;
  // Lake panel.
  ListBox* lakes = nullptr;
  Memo* lakeinfo = nullptr;
  PictureBox* map = nullptr;
  Button* showgo = nullptr;

 private:
  // Design of the window and its panels (one builder per panel file).
  void BuildMenu();
  void BuildOptionsPanel();
  void BuildPlayerPanel();
  void BuildLakePanel();
  void BuildQuitBox();
  // A picture of the window's design from the ui folder; a missing one
  // leaves the control blank (and a warning in the log).
  Picture DesignPicture(const std::string& file);
  // The game's icon (ui/icon.bmp) on the window, for the desktop to show.
  void SetWindowIcon();
  // The saved games' folder, made when first needed.
  void PrepareSavesFolder();
  void BuildVolumeGroup();
  // ---- the player's keys of the window (front_keys.cpp) ----
  // F1, P, Pause and M; true when the window took the key.
  bool FrontKeyDown(uint16_t key);
  void FrontKeyUp(uint16_t key);
  // Pauses or resumes as the player's and the help page's wishes say; a
  // pause that cannot start now (inside a frame, during a strike) waits for
  // the next frame tick.
  void SettlePause();
  // At the start of a frame tick: true when a waiting pause took it.
  bool TakeWaitingPause();
  void ForgetPause();
  // "Fish This Lake" as the replay recorder sees it: a fresh pause state, the
  // recording begun, set-up run and its outcome told to the recorder. False
  // when the lake was refused.
  bool StartTournament();
  void HelpClosed();
  // The last picture of the play field with "PAUSED" over it, shown.
  void ShowPausedPicture();
  // The engine and reel hold while paused or while the window is away.
  void UpdateEffectsHold();
  // The sound note of M over a frame of play, while it lasts.
  void DrawSoundNote();
  void ShowStatusNote(const std::string& text);
  // Writes window.ini when the window differs from what was written last.
  void SaveWindowPlace();
  // ---- watching a replay (replay_watch.cpp) ----
  void FeedReplay();
  bool WatchKeyDown(uint16_t key);
  void WatchKeyUp(uint16_t key);
  void SetWatchSpeed(bool fast);
  // ---- TournamentWindow ----
  void ProcessMessages() override;
  bool Terminated() const override { return app_.Terminated(); }
  void Notice(const std::string& text) override { ShowMessage(text); }
  void LoadingBegins() override;
  void LoadingStep() override;
  void LoadingFailed() override;
  void CashChanged() override { UpdateStatus(); }
  void EnterPlay() override;
  void PlayFailed() override { ShowMenu(); }
  void BackToMenu() override;
  void SurfaceReady() override;
  void SoundReady() override;
  void FrameDrawn() override { DrawSoundNote(); }

  // The options a tournament is played with, taken from the options panel
  // when one is set up.
  void TakeTournamentOptions();
  // The gear gauges show the levels of the game record.
  void ShowGear();
  // The button captions for the gear levels (unknown levels keep them).
  void SetUpgradeCaptions();
  void PlayClick();
  void HideMenu();
  void ShowMenu();
  void ShowMessage(const std::string& text);
  bool InTournament() const { return DXDraw.Visible(); }
  // While a tournament is being set up the menu takes no input, but a box
  // raised meanwhile (an error, a notice) is on top and is answered as
  // usual: the set-up waits for it.
  bool MenuBlocked() const { return ctx_.SettingUp && !ModalUp(); }
  bool ModalUp() const { return &screen_->TopLayer() != &screen_->Root(); }

  std::unique_ptr<FontSet> fonts_;
  std::unique_ptr<Screen> screen_;
  GameState* state_;
  Random& rng_;
  PlayContext& ctx_;
  Surface16 menuFrame_;
  ModalHost* modalHost_ = nullptr;
  std::unique_ptr<ModalHost> appHost_;
  TAdForm* adForm_ = nullptr;
  CursorShape cursor_ = CursorShape::Arrow;
  bool closed_ = false;
  ReplayRecorder recorder_;
  bool keepReplay_ = false;
  void SaveReplay(const Replay& replay);

  HelpPage help_;
  bool firstStart_ = false;
  bool wantPause_ = false;       // P or Pause
  bool helpPause_ = false;       // the help page is up over the tournament
  bool pausedByPlayer_ = false;  // the pause now on is the window's, not a replay's
  // F1, P, Pause and M held down: the keyboard's repeats do not toggle again.
  std::array<bool, 4> frontKeysHeld_{};
  Surface16 pausedFrame_;
  uint32_t soundNoteUntil_ = 0;
  uint32_t statusNoteUntil_ = 0;
  std::optional<WindowPlacement> savedPlace_;
  std::unique_ptr<ReplayWatch> watch_;
  std::string watchFailure_;
};

}  // namespace tw
