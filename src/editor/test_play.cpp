#include "editor/test_play.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/ini.h"
#include "core/log.h"
#include "editor/lake_editor.h"
#include "media/sound.h"
#include "play/input.h"
#include "play/lake_rules.h"
#include "tournament/setup.h"

namespace tw {

namespace fs = std::filesystem;

TestPlay::TestPlay(LakeEditor& editor, AudioOutput& audio) : editor_(editor), audio_(audio) {}

TestPlay::~TestPlay() {
  tournament_.reset();
  std::error_code ec;
  if (!folder_.empty()) fs::remove_all(folder_, ec);
}

void TestPlay::Start() {
  if (tournament_) return;
  LakeEditor& e = editor_;
  LakeDocument& doc = e.Document();
  if (folder_.empty())
    folder_ =
        (fs::temp_directory_path() / ("tarnwick-test-play-" + std::to_string(::getpid()))).string();
  std::error_code ec;
  fs::remove_all(folder_, ec);
  doc.Save(folder_);

  // The tournament takes the display; the editor has it back at Close.
  e.DXTimer.SetEnabled(false);
  e.DXDraw.Finalize();
  tournament_ = std::make_unique<Tournament>(e.platform_, e.app_.Timers(), audio_,
                                             LakeFolders{e.Paths().Data, folder_}, *this);
  Tournament& t = *tournament_;
  try {
    t.LoadSoundLibraries();
  } catch (const std::exception& ex) {
    LogWarning(std::string(ex.what()) + "; test-play goes on without sound");
  }
  // The player's own options, as the game's options panel keeps them.
  const IniFile ini = IniFile::Load(e.Paths().SettingsFile);
  PlayOptions& options = t.Options();
  options.PageFlip = ini.ReadBool("Tarnwick", "flip", false);
  options.SpeedIndex = ini.ReadInteger("Tarnwick", "speed", 0);
  options.MouseDrive = ini.ReadBool("Tarnwick", "mousedrive", true);
  options.BackgroundSounds = ini.ReadBool("Tarnwick", "bgsound", true);
  t.SetSoundOn(ini.ReadBool("Tarnwick", "soundon", true), false);
  t.DXSound.SetGroupVolume(kEffectsGroup, ini.ReadInteger("Tarnwick", "effectsvolume", 100));
  t.DXSound.SetGroupVolume(kMusicGroup, ini.ReadInteger("Tarnwick", "musicvolume", 100));

  GameState& s = t.State();
  ApplyLakeDefinition(s, doc.Rules());
  s.Cash = std::max(0, doc.Rules().EntryFee) + kTestPurse;
  s.PlayerLevel = 255;
  t.Context().LakeName = doc.Name();
  notice_.clear();
  running_ = true;
  bool started = false;
  try {
    started = goClick(t);
  } catch (...) {
    running_ = false;
    Close();
    throw;
  }
  if (!started) {
    running_ = false;
    Close();
  }
}

void TestPlay::Close() {
  if (!tournament_) return;
  LakeEditor& e = editor_;
  const GameState& s = tournament_->State();
  std::string line = "Test-play over: " + std::to_string(s.FishCaught) + " fish, " +
                     std::to_string(s.CatchPounds) + " lbs";
  if (!s.Message.empty()) line += " (" + s.Message + ")";
  if (!notice_.empty()) line = notice_;
  running_ = false;
  // Its surface goes with it, and the display with the surface.
  tournament_.reset();
  if (e.closed_) return;
  e.DXDraw.Initialize();
  e.DXTimer.SetEnabled(true);
  e.SetStatus(line);
  e.screen_->Invalidate();
}

void TestPlay::ProcessMessages() {
  editor_.app_.ProcessMessages();
}

bool TestPlay::Terminated() const {
  return abandoned_ || editor_.app_.Terminated();
}

void TestPlay::Notice(const std::string& text) {
  notice_ = text;
}

void TestPlay::KeyDown(uint16_t key) {
  if (running_) FormKeyDown(tournament_->Context(), key);
}

void TestPlay::KeyUp(uint16_t key) {
  if (running_) FormKeyUp(tournament_->Context(), key);
}

void TestPlay::MouseMove(int32_t x, int32_t y) {
  if (running_) DXDrawMouseMove(tournament_->Context(), x, y);
}

void TestPlay::MouseDown(MouseButton button, int32_t x, int32_t y) {
  if (running_) DXDrawMouseDown(tournament_->Context(), button, x, y);
}

void TestPlay::MouseUp(MouseButton button, int32_t x, int32_t y) {
  if (running_) DXDrawMouseUp(tournament_->Context(), button, x, y);
}

}  // namespace tw
