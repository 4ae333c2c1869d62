#include "app/main_form.h"

#include <cstring>
#include <ctime>
#include <exception>
#include <utility>

#include "app/ad_form.h"
#include "app/replay_watch.h"
#include "core/build_info.h"
#include "core/error.h"
#include "core/files.h"
#include "core/log.h"
#include "media/picture.h"
#include "play/input.h"
#include "play/pause.h"
#include "tournament/setup.h"
#include "ui/font.h"

namespace tw {

namespace {

// Dialogs and boxes wait in a nested loop of the application that keeps the
// menu painted while they are up.
class AppModalHost : public ModalHost {
 public:
  explicit AppModalHost(TMainForm& form) : form_(form) {}
  void RunModal(const std::function<bool()>& done) override {
    form_.App().RunModal([this, &done] {
      form_.GetScreen().Tick(form_.GetPlatform().Milliseconds());
      form_.PaintMenu();
      return done();
    });
  }

 private:
  TMainForm& form_;
};

// The menu's own sounds: one missing from its library (a library that could
// not be read at start) leaves the menu silent instead of stuck.
TWaveCollectionItem* MenuSound(TDXWaveList& list, const char* name) {
  const int32_t index = list.IndexOf(name);
  return index < 0 ? nullptr : &list.Items(index);
}

// F12 during a tournament: keep it as a replay.
constexpr uint16_t kReplayKey = 123;

int32_t ButtonNumber(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return kMouseLeft;
    case MouseButton::Right:
      return kMouseRight;
    case MouseButton::Middle:
      return kMouseMiddle;
  }
  return kMouseLeft;
}

}  // namespace

TMainForm::TMainForm(Application& app, AudioOutput& audio, GamePaths paths)
    : app_(app),
      platform_(app.GetPlatform()),
      paths_(std::move(paths)),
      tournament_(app.GetPlatform(), app.Timers(), audio,
                  LakeFolders{paths_.Data, paths_.PlayerLakes}, *this),
      DXDraw(tournament_.DXDraw),
      DXTimer(tournament_.DXTimer),
      DXCastTimer(tournament_.DXCastTimer),
      DXSound(tournament_.DXSound),
      sounds(tournament_.sounds),
      background(tournament_.background),
      objects(tournament_.objects),
      DXTileList(tournament_.DXTileList),
      fonts_(std::make_unique<FontSet>()),
      state_(&tournament_.State()),
      rng_(tournament_.Rng()),
      ctx_(tournament_.Context()) {
  fonts_->LoadFolder(paths_.Data);
  screen_ = std::make_unique<Screen>(*fonts_);
  appHost_ = std::make_unique<AppModalHost>(*this);

  // Errors go to the game's own box once the menu can be seen; before
  // that (and after the display has been given back) to the system's.
  app_.ShowError = [this](const std::string& text) {
    if (DXDraw.Initialized() && !closed_)
      ShowErrorBox(*screen_, Host(), text);
    else
      platform_.ShowErrorBox(kAppTitle, text);
  };

  BuildMenu();
  SetWindowIcon();
  recorder_.Attach(ctx_);
  recorder_.OnTournamentEnd = [this](const Replay& replay) {
    if (keepReplay_) SaveReplay(replay);
    keepReplay_ = false;
    // A watched replay is over: so is the program.
    if (watch_) app_.Terminate();
  };
  // A pause asked for inside a frame or during a strike starts where the
  // next frame would.
  DXTimer.OnTimer = [this, frame = DXTimer.OnTimer](TDXTimer& t, int32_t lag) {
    if (TakeWaitingPause()) return;
    frame(t, lag);
  };
  help_.OnClosed = [this] { HelpClosed(); };
  savegame.Mode = FileDialog::Kind::Save;
  loadgame.Mode = FileDialog::Kind::Open;
  savegame.InitialDir = loadgame.InitialDir = paths_.SavesFolder;
}

TMainForm::~TMainForm() {
  app_.ShowError = nullptr;
  DXTimer.SetEnabled(false);
  DXCastTimer.SetEnabled(false);
}

ModalHost& TMainForm::Host() {
  return modalHost_ ? *modalHost_ : *appHost_;
}

Picture TMainForm::DesignPicture(const std::string& file) {
  try {
    return LoadBitmapFile(JoinPath(paths_.Data, "ui/" + file));
  } catch (const std::exception& e) {
    LogWarning(std::string(e.what()) + "; the game goes on without that picture");
    return Picture{};
  }
}

void TMainForm::SetWindowIcon() {
  const Picture icon = DesignPicture("icon.bmp");
  if (icon.Width <= 0 || icon.Height <= 0) return;
  // Black is the see-through key, as in every picture of the game.
  std::vector<uint32_t> argb(icon.Pixels.size());
  for (size_t i = 0; i < argb.size(); ++i)
    argb[i] = icon.Pixels[i] == 0 ? 0 : 0xFF000000u | icon.Pixels[i];
  platform_.SetWindowIcon(argb.data(), icon.Width, icon.Height);
}

void TMainForm::PrepareSavesFolder() {
  // Only the folder the game chose is made, not one a test or tool set.
  const std::string& saves = paths_.SavesFolder;
  if (saves.empty() || (savegame.InitialDir != saves && loadgame.InitialDir != saves)) return;
  try {
    MakeFolders(saves);
  } catch (const std::exception& e) {
    // The dialog then starts in the current folder.
    LogWarning(e.what());
  }
}

void TMainForm::BuildMenu() {
  Control& root = screen_->Root();
  root.FontName = "sans-12";

  image = &root.Add<PictureBox>("image");
  image->SetBounds(0, 0, 641, 486);
  image->SetPicture(DesignPicture("menu.bmp"));

  auto menuButton = [&](const char* name, int32_t l, int32_t t, int32_t w, const char* hint) {
    Button& b = root.Add<Button>(name);
    b.SetBounds(l, t, w, 49);
    b.Hint = hint;
    b.Cursor = CursorKind::Hand;
    b.TabStop = false;
    return &b;
  };
  player = menuButton("player", 48, 29, 70, "Player selection and upgrade options.");
  option = menuButton("option", 134, 29, 73, "Set audio video and controller options.");
  go = menuButton("go", 223, 29, 89, "Fish for fun or compete.");
  quit = menuButton("quit", 507, 29, 73, "Exit to desktop.");
  player->OnClick = [this] { playerClick(); };
  option->OnClick = [this] { optionClick(); };
  go->OnClick = [this] { showgoClick(); };
  quit->OnClick = [this] { quitClick(); };

  status = &root.Add<Panel>("status");
  status->SetBounds(88, 376, 441, 41);
  status->FontName = "arial-21";
  status->Caption = "Player    Cash: $100";

  BuildPlayerPanel();
  BuildOptionsPanel();
  BuildLakePanel();

  loadingbox = &root.Add<GroupBox>("loadingbox");
  loadingbox->SetBounds(648, 384, 393, 97);
  loadingbox->Caption = "Loading";
  loadingbox->Fill = kMenuWindow;
  loadingbox->Hide();
  loading = &loadingbox->Add<Label>("loading");
  loading->SetPos(140, 39);
  loading->FontName = "arial-21i";
  loading->Caption = "Loading";

  BuildQuitBox();

  title = &root.Add<PictureBox>("title");
  title->SetBounds(648, 288, 28, 30);
  title->SetPicture(DesignPicture("title.bmp"));
  title->OnClick = [this] { titleClick(); };
  version = &root.Add<Label>("version");
  version->FontName = "sans-11";
  version->Caption = std::string("Version ") + kGameVersion;
  version->AutoSize = false;
  version->Alignment = Align::Right;
  version->SetBounds(440, 462, 192, 14);
}

void TMainForm::BuildQuitBox() {
  quitbox = &screen_->Root().Add<GroupBox>("quitbox");
  quitbox->SetBounds(184, 160, 265, 129);
  quitbox->Caption = "Quit Game?";
  quitbox->Fill = kMenuWindow;
  quitbox->Hide();
  quittext = &quitbox->Add<Label>("quittext");
  quittext->SetPos(36, 38);
  quittext->FontName = "sans-13";
  quittext->Caption = "Exit to system desktop?";
  noquit = &quitbox->Add<Button>("noquit");
  noquit->SetBounds(89, 83, 73, 25);
  noquit->Caption = "Cancel";
  noquit->OnClick = [this] { noquitClick(); };
  okquit = &quitbox->Add<Button>("okquit");
  okquit->SetBounds(169, 83, 73, 25);
  okquit->Caption = "Ok";
  okquit->OnClick = [this] { okquitClick(); };
}

// ---- what the tournament tells the window ----

void TMainForm::ProcessMessages() {
  app_.ProcessMessages();
  screen_->Tick(platform_.Milliseconds());
  PaintMenu();
}

void TMainForm::LoadingBegins() {
  loadingbox->SetPos(120, 160);
  loadingbox->BringToFront();
  loadingbox->Show();
}

void TMainForm::LoadingStep() {
  // The dots stay from one set-up to the next.
  loading->SetCaption(loading->Caption + ".");
}

void TMainForm::LoadingFailed() {
  loadingbox->Hide();
}

void TMainForm::EnterPlay() {
  loading->SetCaption("Loading.");
  HideMenu();
}

void TMainForm::BackToMenu() {
  ShowMenu();
  FillLakeList();
}

void TMainForm::SurfaceReady() {
  UpdateStatus();
  screen_->Invalidate();
}

void TMainForm::SoundReady() {
  if (title->Visible() && bgsound->Checked())
    if (TWaveCollectionItem* music = MenuSound(background, "music")) music->Play();
}

void TMainForm::TakeTournamentOptions() {
  PlayOptions& o = ctx_.Options;
  o.MouseDrive = mousedrive->Checked();
  o.SpeedIndex = speed->ItemIndex();
  o.PageFlip = flip->Checked();
  o.BackgroundSounds = bgsound->Checked();
}

void TMainForm::ShowMessage(const std::string& text) {
  tw::ShowMessage(*screen_, Host(), text);
}

// ---- start-up ----

void TMainForm::FormCreate() {
  // Before anything is written: a player who has neither file is new.
  firstStart_ = !FileExists(paths_.SettingsFile) && !FileExists(paths_.WindowStateFile);
  try {
    rng_.Randomize();
    for (Control* c : std::initializer_list<Control*>{image, options, option, players, player,
                                                      lakepanel, status, go, quit})
      c->Hide();
    title->SetBounds(0, 0, 640, 480);

    ResetToProgramStart(*state_);
    UpdateStatus();

    tournament_.LoadSoundLibraries();
    ReadSettings();
    FillLakeList();
    lakes->SetItemIndex(0);
  } catch (const std::exception& e) {
    // The rest of the start is skipped; the window still comes up.
    app_.ReportError(e.what());
  }
}

void TMainForm::Show() {
  platform_.SetMainWindowVisible(true);
  SaveWindowPlace();
  try {
    DXDraw.Initialize();
  } catch (const std::exception& e) {
    app_.ReportError(e.what());
  }
  screen_->Invalidate();
  PaintMenu();
}

// ---- title, panels and quit ----

void TMainForm::titleClick() {
  quitbox->Hide();
  if (TWaveCollectionItem* music = MenuSound(background, "music")) music->Stop();
  title->Hide();
  version->Hide();
  for (Control* c :
       std::initializer_list<Control*>{image, players, player, status, option, go, quit})
    c->Show();
  // A new player sees the controls once, before anything else.
  if (firstStart_ && !watch_) {
    firstStart_ = false;
    OpenHelp();
  }
}

void TMainForm::PlayClick() {
  if (TWaveCollectionItem* cast = MenuSound(sounds, "cast")) cast->Play();
}

void TMainForm::playerClick() {
  quitbox->Hide();
  PlayClick();
  lakepanel->Hide();
  options->Hide();
  players->SetPos(48, 96);
  players->Show();
}

void TMainForm::optionClick() {
  quitbox->Hide();
  PlayClick();
  players->Hide();
  lakepanel->Hide();
  options->SetPos(48, 96);
  options->Show();
}

void TMainForm::showgoClick() {
  if (lakes->ItemIndex() < 0) lakes->SetItemIndex(0);
  quitbox->Hide();
  PlayClick();
  players->Hide();
  options->Hide();
  lakepanel->SetPos(48, 96);
  lakepanel->Show();
}

void TMainForm::quitClick() {
  PlayClick();
  quitbox->BringToFront();
  quitbox->Show();
}

void TMainForm::noquitClick() {
  quitbox->Hide();
}

void TMainForm::okquitClick() {
  DXSound.Finalize();
  DXDraw.Finalize();
  platform_.SetMainWindowVisible(false);
  closed_ = true;
  if (adForm_) adForm_->ShowModal();
  app_.Terminate();
}

// ---- a tournament and back ----

void TMainForm::HideMenu() {
  for (Control* c :
       std::initializer_list<Control*>{image, options, option, players, player, lakepanel, status,
                                       go, quit, quitbox, loadingbox})
    c->Hide();
  cursor_ = CursorShape::Hidden;
}

void TMainForm::ShowMenu() {
  for (Control* c : std::initializer_list<Control*>{image, option, player, status, go, quit})
    c->Show();
  players->Hide();
  options->Hide();
  lakepanel->SetPos(48, 96);
  lakepanel->Show();
  cursor_ = CursorShape::Hidden;  // set again at the next paint
  ForgetPause();
  screen_->Invalidate();
}

void TMainForm::goClick() {
  if (ctx_.LakeName.empty()) return;
  TakeTournamentOptions();
  keepReplay_ = false;
  StartTournament();
}

bool TMainForm::StartTournament() {
  ForgetPause();
  recorder_.BeginTournament(ctx_);
  bool started = false;
  try {
    started = tw::goClick(tournament_);
  } catch (...) {
    recorder_.SetUpDone(false);
    throw;
  }
  recorder_.SetUpDone(started);
  return started;
}

void TMainForm::SaveReplay(const Replay& replay) {
  try {
    const std::string& dir = paths_.ReplaysFolder;
    MakeFolders(dir);
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    WriteFileAtomic(JoinPath(dir, replay.Header.Lake + "-" + stamp + ".replay"),
                    FormatReplay(replay));
  } catch (const std::exception& e) {
    app_.ReportError(e.what());
  }
}

// ---- events ----

void TMainForm::OnKeyDown(uint16_t key, uint8_t shift) {
  if (watch_) {
    if (!WatchKeyDown(key) && help_.IsOpen()) screen_->KeyDown(key, (shift & kShiftKey) != 0);
    return;
  }
  // The window sees every key before its controls.
  recorder_.Record(ReplayEventKind::KeyDown, key, MouseButton::Left, 0, 0);
  if (key == kReplayKey && recorder_.Recording()) keepReplay_ = !keepReplay_;
  FormKeyDown(ctx_, key);
  if (FrontKeyDown(key)) return;
  if (InTournament() && &screen_->TopLayer() == &screen_->Root()) return;
  if (MenuBlocked()) return;
  screen_->KeyDown(key, (shift & kShiftKey) != 0);
}

void TMainForm::OnKeyUp(uint16_t key, uint8_t) {
  if (watch_) {
    WatchKeyUp(key);
    if (help_.IsOpen()) screen_->KeyUp(key);
    return;
  }
  FrontKeyUp(key);
  recorder_.Record(ReplayEventKind::KeyUp, key, MouseButton::Left, 0, 0);
  FormKeyUp(ctx_, key);
  if (InTournament() || MenuBlocked()) return;
  screen_->KeyUp(key);
}

void TMainForm::OnText(const char* utf8) {
  if (MenuBlocked()) return;
  if (InTournament() && &screen_->TopLayer() == &screen_->Root()) return;
  screen_->Text(Utf8ToCp1252(utf8));
}

void TMainForm::OnMouseMove(uint8_t, int32_t x, int32_t y) {
  if (watch_ && !help_.IsOpen()) return;
  if (InTournament() && &screen_->TopLayer() == &screen_->Root()) {
    recorder_.Record(ReplayEventKind::MouseMove, 0, MouseButton::Left, x, y);
    DXDrawMouseMove(ctx_, x, y);
    return;
  }
  screen_->MouseMove(x, y);
}

void TMainForm::OnMouseDown(MouseButton button, uint8_t, int32_t x, int32_t y) {
  if (watch_ && !help_.IsOpen()) {
    // A click goes on after the watcher's pause, as in play.
    if (wantPause_) {
      wantPause_ = false;
      SettlePause();
    }
    return;
  }
  if (InTournament() && &screen_->TopLayer() == &screen_->Root()) {
    recorder_.Record(ReplayEventKind::MouseDown, 0, button, x, y);
    DXDrawMouseDown(ctx_, button, x, y);
    // A click goes on after the player's pause; the paused game took it as
    // a click made while no frame runs.
    if (wantPause_) {
      wantPause_ = false;
      SettlePause();
    }
    return;
  }
  if (MenuBlocked()) return;
  screen_->MouseDown(ButtonNumber(button), x, y);
}

void TMainForm::OnMouseUp(MouseButton button, uint8_t, int32_t x, int32_t y) {
  if (watch_ && !help_.IsOpen()) return;
  if (InTournament() && &screen_->TopLayer() == &screen_->Root()) {
    recorder_.Record(ReplayEventKind::MouseUp, 0, button, x, y);
    DXDrawMouseUp(ctx_, button, x, y);
    return;
  }
  if (MenuBlocked()) return;
  screen_->MouseUp(ButtonNumber(button), x, y);
}

void TMainForm::OnWheel(int32_t delta, int32_t x, int32_t y) {
  if (InTournament() || MenuBlocked()) return;
  screen_->MouseMove(x, y);
  screen_->Wheel(delta);
}

void TMainForm::OnClose() {
  closed_ = true;
  DXTimer.SetEnabled(false);
  DXCastTimer.SetEnabled(false);
}

void TMainForm::OnActivate(bool active) {
  // Keys let go of while away never say so.
  frontKeysHeld_ = {};
  UpdateEffectsHold();
  if (!InTournament() || ctx_.Paused || !DXDraw.Initialized()) return;
  // Away, the game stands still under "PAUSED"; back, the play field shows
  // until the next frame comes.
  if (!active)
    ShowPausedPicture();
  else if (&screen_->TopLayer() == &screen_->Root())
    DXDraw.PresentPrimary();
}

void TMainForm::OnWindowChanged() {
  SaveWindowPlace();
}

void TMainForm::OnSecondWindowEvent(const Event& event) {
  if (adForm_) adForm_->HandleEvent(event);
}

// ---- painting ----

void TMainForm::PaintMenu() {
  if (closed_ || app_.Terminated() || !DXDraw.Initialized()) return;
  const bool modalUp = &screen_->TopLayer() != &screen_->Root();
  if (InTournament() && !modalUp) return;
  if (!DXDraw.CanDraw()) return;
  if (menuFrame_.Width() != kScreenWidth || menuFrame_.Format() != DXDraw.Format()) {
    menuFrame_ = Surface16(kScreenWidth, kScreenHeight, DXDraw.Format());
    screen_->Invalidate();
  }
  if (InTournament()) {
    // A box over the play field: the field as it stood (with "PAUSED" when
    // paused) under it.
    if (!screen_->NeedsPaint()) return;
    const Surface16& field =
        ctx_.Paused && pausedFrame_.Width() == kScreenWidth ? pausedFrame_ : DXDraw.Primary();
    if (field.Format() == menuFrame_.Format() && field.Height() == menuFrame_.Height())
      std::memcpy(menuFrame_.Pixels(), field.Pixels(),
                  static_cast<size_t>(field.Pitch()) * static_cast<size_t>(field.Height()));
    screen_->Paint(menuFrame_);
    platform_.Present(menuFrame_);
    return;
  }
  if (!InTournament()) {
    const CursorShape want =
        screen_->Cursor() == CursorKind::Hand ? CursorShape::Hand : CursorShape::Arrow;
    if (want != cursor_) {
      cursor_ = want;
      platform_.SetCursor(want);
    }
  }
  if (!screen_->NeedsPaint()) return;
  screen_->Paint(menuFrame_);
  platform_.Present(menuFrame_);
}

void TMainForm::RunOnce() {
  app_.HandleMessage();
  if (watch_) FeedReplay();
  const uint32_t now = platform_.Milliseconds();
  screen_->Tick(now);
  // The sound note on the status line lasts a moment.
  if (statusNoteUntil_ != 0 && static_cast<int32_t>(now - statusNoteUntil_) >= 0) {
    statusNoteUntil_ = 0;
    if (!InTournament()) UpdateStatus();
  }
  PaintMenu();
}

}  // namespace tw
