// The whole main window on the headless platform: a program folder made in
// the test (or the generated one), the real handlers, clicks delivered the
// way the platform delivers them, and a script standing in for the player
// while a dialog or message box is up.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/ad_form.h"
#include "app/application.h"
#include "app/main_form.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_platform.h"
#include "support/libraries.h"
#include "support/program_folder.h"
#include "ui/ui_support.h"

namespace tw::test {

namespace fs = std::filesystem;

inline void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FrontTest : public ::testing::Test {
 protected:
  FrontTest() {
    static int count = 0;
    dir_ = fs::temp_directory_path() /
           ("tarnwick-front-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "lakes");
    WriteBytes(dir_ / "sound.dxw", BuildSoundLibrary(DefaultSoundNames()));
    WriteBytes(dir_ / "music.dxw", BuildSoundLibrary({"music", "canada.dxg"}));
    WriteText(dir_ / "lakes" / "lakes.ini",
              "[Lakes]\nlake1=Pine Pond\nlake2=Mud Creek\nlake3=Deep Bay\nlake4=NA\n"
              "lake5=Far Lake\n");
    WriteText(dir_ / "lakes" / "Pine Pond.ini",
              "[Lake Data]\nDescription=A quiet pond for beginners\nMaxFish=20\nEntryFee=10\n");
    WriteText(dir_ / "lakes" / "Mud Creek.ini", "[Lake Data]\nDescription=Muddy water\n");
  }
  ~FrontTest() override {
    ad_.reset();
    form_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  static void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  // Makes the windows as the program does and shows the main one; the
  // saved-game dialogs start in the test's folder. With another data folder
  // (the generated one) the player's files still go to the test's folder.
  void Start(const std::string& folder = {}) {
    GamePaths paths = GamePaths::AllIn(dir_.string());
    if (!folder.empty()) paths.Data = folder;
    StartWith(paths);
    form_->savegame.InitialDir = dir_.string();
    form_->loadgame.InitialDir = dir_.string();
  }
  // The player has started the game before (a window file is there), so no
  // help page opens after the title; a test of a new player says so.
  void StartAsNewPlayer(const std::string& folder = {}) {
    newPlayer_ = true;
    Start(folder);
  }
  void StartWith(const GamePaths& paths) {
    const std::string& where = paths.Data;
    if (!newPlayer_ && !paths.WindowStateFile.empty() && !fs::exists(paths.WindowStateFile))
      WriteText(paths.WindowStateFile, "[Window]\nfullscreen=1\n");
    form_ = std::make_unique<TMainForm>(app_, audio_, paths);
    form_->SetModalHost(&host_);
    form_->DXSound.SetPlayHook(
        [this](const TWaveCollectionItem& item) { played_.push_back(item.Name); });
    app_.SetSink(form_.get());
    form_->FormCreate();
    form_->Rng().SetSeed(20261207);
    ad_ = std::make_unique<TAdForm>(app_, form_->Fonts(), where);
    form_->SetAdForm(ad_.get());
    form_->Show();
  }

  TMainForm& F() { return *form_; }
  GameState& S() { return form_->State(); }
  Screen& Scr() { return form_->GetScreen(); }

  // A press and release of the left button in the middle of a control,
  // delivered as the platform delivers it.
  void Click(const Control& c, MouseButton button = MouseButton::Left) {
    const Rect r = c.FrameBounds();
    const int32_t x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    form_->OnMouseMove(0, x, y);
    form_->OnMouseDown(button, 0, x, y);
    form_->OnMouseUp(button, 0, x, y);
  }
  void Key(uint16_t key) {
    form_->OnKeyDown(key, 0);
    form_->OnKeyUp(key, 0);
  }
  // Past the title to the menu.
  void ToMenu() {
    Start();
    Click(*F().title);
  }

  // Script steps for the boxes.
  void PressEnterInBox() {
    host_.Steps.push_back([this] { Scr().KeyDown(vk::kReturn, false); });
  }
  void PressEscapeInBox() {
    host_.Steps.push_back([this] { Scr().KeyDown(vk::kEscape, false); });
  }
  // Remembers what the top box says when the script reaches it.
  void ReadBoxThenOk(std::string& text) {
    host_.Steps.push_back([this, &text] {
      text = BoxText(Scr().TopLayer());
      Scr().KeyDown(vk::kReturn, false);
    });
  }
  // Types a file name into the open dialog's name field and presses Enter.
  void ChooseFileInBox(const std::string& name) {
    host_.Steps.push_back([this, name] {
      Edit* field = FindEdit(Scr().TopLayer());
      ASSERT_NE(field, nullptr);
      field->SetText(name);
      Scr().KeyDown(vk::kReturn, false);
    });
  }
  static Edit* FindEdit(Control& c) {
    if (auto* e = dynamic_cast<Edit*>(&c)) return e;
    for (const auto& child : c.Children())
      if (Edit* e = FindEdit(*child)) return e;
    return nullptr;
  }
  static std::string BoxText(Control& c) {
    std::string all;
    if (auto* l = dynamic_cast<Label*>(&c)) all += l->Caption;
    for (const auto& child : c.Children()) all += BoxText(*child);
    return all;
  }
  int Played(const std::string& name) const {
    return static_cast<int>(std::count(played_.begin(), played_.end(), name));
  }

  fs::path dir_;
  bool newPlayer_ = false;
  HeadlessPlatform platform_;
  Application app_{platform_};
  HeadlessAudioOutput audio_;
  ScriptHost host_;
  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<TAdForm> ad_;
  std::vector<std::string> played_;
};

}  // namespace tw::test
