// The lake editor driven as a maker drives it: every step is a key or mouse
// event through the application loop on the headless platform, boxes
// included. Then the saved lake is played by the autopilot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/error.h"
#include "core/files.h"
#include "editor/lake_editor.h"
#include "editor/lake_share.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_platform.h"
#include "replay/autopilot.h"
#include "replay/session.h"
#include "support/program_folder.h"
#include "world/map.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string Generated() {
  return test::GeneratedProgramFolder();
}

std::vector<uint8_t> Bytes(const fs::path& p) {
  return ReadFileBytes(p.string());
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = Generated();
    if (data_.empty()) GTEST_SKIP() << "needs the generated program folder";
    dir_ = fs::temp_directory_path() /
           ("tarnwick-edit-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    paths_ = GamePaths::AllIn(data_);
    paths_.PlayerLakes = (dir_ / "lakes").string();
    paths_.SettingsFile = (dir_ / "tarnwick.ini").string();
    WriteFileAtomic(paths_.SettingsFile, "[Tarnwick]\nspeed=0\nsoundon=0\n");
  }
  void TearDown() override {
    editor_.reset();
    app_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void StartEditor(const std::string& lake) {
    app_ = std::make_unique<Application>(platform_);
    editor_ = std::make_unique<LakeEditor>(*app_, audio_, paths_);
    app_->SetSink(editor_.get());
    app_->ShowError = [this](const std::string& text) { errors_.push_back(text); };
    // A box still waiting when the script has run out is a failure.
    platform_.WhenIdle = [this] {
      Screen& screen = editor_->GetScreen();
      if (&screen.TopLayer() == &screen.Root()) return;
      ADD_FAILURE() << "a box waits for input the script does not give";
      platform_.Push(Event::KeyDownEvent(27));
    };
    editor_->Start(lake);
  }
  // Runs the loop until every queued event has been handled.
  void Run() {
    while (platform_.PendingEvents() > 0) editor_->RunOnce();
  }
  void Key(uint16_t key, uint8_t shift = 0) {
    platform_.Push(Event::KeyDownEvent(key, shift));
    platform_.Push(Event::KeyUpEvent(key, shift));
  }
  void Type(const std::string& text) {
    // As the platform hands typed text over: in pieces its events hold.
    for (size_t at = 0; at < text.size(); at += 16) {
      Event e;
      e.Type = EventType::Text;
      const std::string piece = text.substr(at, 16);
      std::memcpy(e.Text, piece.data(), piece.size());
      platform_.Push(e);
    }
  }
  void Click(int32_t x, int32_t y, MouseButton b = MouseButton::Left) {
    platform_.Push(Event::MouseEvent(EventType::MouseMove, x, y));
    platform_.Push(Event::MouseEvent(EventType::MouseDown, x, y, b));
    platform_.Push(Event::MouseEvent(EventType::MouseUp, x, y, b));
  }
  // A stroke of the brush over cells, the view left where it is.
  void Stroke(const std::vector<CellRef>& cells) {
    int32_t x, y;
    editor_->CellPoint(cells[0].Column, cells[0].Row, x, y);
    platform_.Push(Event::MouseEvent(EventType::MouseMove, x, y));
    platform_.Push(Event::MouseEvent(EventType::MouseDown, x, y));
    for (const CellRef& c : cells) {
      editor_->CellPoint(c.Column, c.Row, x, y);
      platform_.Push(Event::MouseEvent(EventType::MouseMove, x, y));
    }
    platform_.Push(Event::MouseEvent(EventType::MouseUp, x, y));
  }
  void ClickCell(int32_t c, int32_t r) {
    editor_->CentreOn(c, r);
    int32_t x, y;
    editor_->CellPoint(c, r, x, y);
    Click(x, y);
    Run();
  }
  void ChooseKind(int32_t index) {
    ListBox& kinds = *editor_->kinds;
    Click(kinds.FrameLeft() + 20,
          kinds.FrameTop() + 2 + kinds.ItemHeight() * index + kinds.ItemHeight() / 2);
  }

  std::string data_;
  fs::path dir_;
  GamePaths paths_;
  HeadlessPlatform platform_;
  HeadlessAudioOutput audio_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<LakeEditor> editor_;
  std::vector<std::string> errors_;
};

// A lake made from nothing by keys and clicks: new, shore painting, a start,
// a sign, a treasure, a fixed fish, the rules, a clean check, saved; undo
// back to the first map and redo forward; reopened and saved again to the
// same bytes; then played by the autopilot to a verdict.
TEST_F(EditorTest, ALakeMadeByEventsSavesReopensIdenticallyAndPlays) {
  StartEditor("");
  constexpr uint8_t kCtrl = kCtrlKey;
  Key('N', kCtrl);
  Type("Scratch_Lake");
  Key(9);
  Type("30");
  Key(9);
  Type("80");
  Key(13);
  Run();
  LakeDocument& doc = editor_->Document();
  ASSERT_EQ(doc.Name(), "Scratch_Lake");
  ASSERT_EQ(doc.Columns(), 30);
  ASSERT_EQ(doc.Rows(), 80);
  const std::vector<uint8_t> first = doc.MapBytes();
  const LakeDefinition firstRules = doc.Rules();

  // An island of land in the middle, with a bay of water cut back into it.
  Key('L');
  Key('5');
  Run();
  editor_->CentreOn(15, 40);
  Stroke({{14, 36}, {15, 38}, {15, 40}, {15, 42}, {16, 44}});
  Run();
  EXPECT_FALSE(IsWaterTile(doc.Tile(15, 40)));
  Key('W');
  Key('1');
  Run();
  Stroke({{15, 40}});
  Run();
  EXPECT_TRUE(IsWaterTile(doc.Tile(15, 40)));
  // The land around the island wears shore pieces that face the water.
  int32_t shores = 0;
  for (int32_t c = 10; c < 20; ++c)
    for (int32_t r = 30; r < 50; ++r) shores += doc.Tile(c, r) >= 5 && doc.Tile(c, r) <= 19;
  EXPECT_GT(shores, 8);

  // Objects: the start, a sign (its box: the text typed, then Enter), a
  // treasure and a fixed fish.
  Key('O');
  Run();
  ChooseKind(0);
  Run();
  ClickCell(8, 20);
  ChooseKind(3);
  Run();
  editor_->CentreOn(10, 24);
  int32_t sx, sy;
  editor_->CellPoint(10, 24, sx, sy);
  Click(sx, sy);
  Type("WELCOME TO SCRATCH LAKE. MIND THE ISLAND!");
  Key(13);
  Run();
  ChooseKind(5);
  Run();
  ClickCell(20, 60);
  ChooseKind(1);
  Run();
  ClickCell(22, 30);
  const MapObjects& objects = doc.Objects();
  int32_t signs = 0, chests = 0, fish = 0;
  for (const MapObject& o : objects) {
    signs += o.Kind == "buoy" && o.Text == "WELCOME TO SCRATCH LAKE. MIND THE ISLAND!";
    chests += o.Kind == "treasure" && o.Param == "100";
    fish += o.Kind == "singlefish" && o.Param == "0";
  }
  EXPECT_EQ(signs, 1);
  EXPECT_EQ(chests, 1);
  EXPECT_EQ(fish, 1);
  EXPECT_EQ(doc.Tile(20, 60), 46);  // the chest shows on the water

  // The rules: a description, fewer monsters, two minutes on the clock.
  Key(119);  // F8
  Type("Made by keys and clicks");
  Key(9);
  Key(9);
  Type("2");  // monsters
  for (int i = 0; i < 4; ++i) Key(9);
  Type("120");  // seconds
  for (int i = 0; i < 6; ++i) Key(9);
  Key(32);  // timed
  Key(13);
  Run();
  EXPECT_EQ(doc.Rules().Description, "Made by keys and clicks");
  EXPECT_EQ(doc.Rules().Maxmonster, 2);
  EXPECT_TRUE(doc.Rules().Timed);
  EXPECT_EQ(doc.Rules().Time, 120);

  // The check finds the pool left inside the island; a click on the problem
  // takes the view there, where land fills it. Then nothing is left.
  Key(118);  // F7
  Click(20 + 10 + 20, 90 + Form::kCaptionHeight + 8 + 6);
  Run();
  ASSERT_EQ(editor_->Problems().size(), 1u);
  EXPECT_EQ(editor_->Problems()[0].Text, "The boat reaches 1809 of 1810 water cells (99%)");
  EXPECT_EQ(editor_->StatusText(), editor_->Problems()[0].Text);
  Key('L');
  Run();
  Stroke({{15, 40}});
  Key(118);
  Key(27);
  Run();
  for (const LakeProblem& p : editor_->Problems()) ADD_FAILURE() << p.Text;

  Key('S', kCtrl);
  Run();
  const fs::path folder = paths_.PlayerLakes;
  const std::vector<uint8_t> iso = Bytes(folder / "Scratch_Lake.iso");
  const std::vector<uint8_t> ini = Bytes(folder / "Scratch_Lake.ini");
  const std::vector<uint8_t> bmp = Bytes(folder / "Scratch_Lake.bmp");
  EXPECT_EQ(ReadFileBytes((folder / "lakes.ini").string()).size(),
            std::string("[Lakes]\r\nlake1=Scratch_Lake\r\n").size());
  EXPECT_EQ(iso.size(), 40u + 4u * 30 * 80 + 65u * 339);
  EXPECT_EQ(editor_->StatusText().rfind("Saved Scratch_Lake in", 0), 0u) << editor_->StatusText();

  // Undo every step back to the first map and rules, then redo them all.
  int32_t steps = 0;
  while (editor_->History().CanUndo() && steps < 200) {
    Key('Z', kCtrl);
    Run();
    ++steps;
  }
  EXPECT_GE(steps, 9);
  EXPECT_TRUE(doc.MapBytes() == first);
  EXPECT_EQ(doc.Rules(), firstRules);
  while (editor_->History().CanRedo()) {
    Key('Y', kCtrl);
    Run();
  }
  EXPECT_TRUE(doc.MapBytes() == iso);
  EXPECT_FALSE(editor_->History().Modified());

  // Reopened from the open box (the last lake listed) and saved again: the
  // same bytes.
  Key('O', kCtrl);
  Key(35);  // End
  Key(13);
  Run();
  EXPECT_EQ(editor_->Document().Name(), "Scratch_Lake");
  Key('S', kCtrl);
  Run();
  EXPECT_TRUE(Bytes(folder / "Scratch_Lake.iso") == iso);
  EXPECT_TRUE(Bytes(folder / "Scratch_Lake.ini") == ini);
  EXPECT_TRUE(Bytes(folder / "Scratch_Lake.bmp") == bmp);
  EXPECT_TRUE(errors_.empty()) << errors_.front();

  // F5 plays the lake on a test purse; Esc Enter ends it and the editor is
  // back with the lake as it was, nothing of it changed on disk.
  Key(116);
  Run();
  ASSERT_TRUE(editor_->TestPlaying());
  Key(27);
  Key(13);
  for (int i = 0; i < 5000 && editor_->TestPlaying(); ++i) editor_->RunOnce();
  EXPECT_FALSE(editor_->TestPlaying());
  EXPECT_EQ(editor_->StatusText().rfind("Test-play over", 0), 0u) << editor_->StatusText();
  EXPECT_TRUE(editor_->Document().MapBytes() == iso);
  EXPECT_TRUE(Bytes(folder / "Scratch_Lake.iso") == iso);

  // A change left unsaved when the window closes is kept apart.
  Key('L');
  Run();
  editor_->CentreOn(20, 20);
  Stroke({{20, 20}});
  platform_.Push(Event::Simple(EventType::Close));
  Run();
  EXPECT_TRUE(app_->Terminated());
  EXPECT_TRUE(Bytes(folder / "Scratch_Lake.iso") == iso);
  EXPECT_TRUE(fs::exists(folder / "unsaved" / "Scratch_Lake.iso"));

  // The autopilot plays the saved lake to a verdict.
  HeadlessTournament game(LakeFolders{data_, paths_.PlayerLakes});
  ReplayHeader header;
  header.Seed = 7;
  header.Lake = "Scratch_Lake";
  Autopilot pilot;
  game.Start(header, pilot);
  game.Run(30 * 60 * 20);
  EXPECT_TRUE(game.Finished());
  std::printf("autopilot on Scratch_Lake: %s\n", game.Summary().Line().c_str());
}

// Every generated lake opens, checks clean and saves back to the same
// bytes; exported and imported as a folder it lands whole, and a damaged
// map in a folder is refused without anything landing.
TEST_F(EditorTest, EveryGeneratedLakeChecksCleanAndSavesBackIdentically) {
  const LakeFolders game{data_, {}};
  const fs::path out = dir_ / "out";
  for (const std::string& name : ReadLakeCatalogue(data_, 255)) {
    SCOPED_TRACE(name);
    const LakeDocument doc = LakeDocument::Open(game, name);
    for (const LakeProblem& p : CheckLake(doc)) ADD_FAILURE() << p.Text;
    doc.Save(out.string());
    for (const char* ext : {".iso", ".ini", ".bmp"})
      EXPECT_TRUE(Bytes(out / (name + ext)) == Bytes(LakePath(data_, name, ext))) << ext;
  }
  ExportLake(game, "Minnow_Pond", (dir_ / "share").string());
  EXPECT_EQ(ImportLakes((dir_ / "share").string(), (dir_ / "mine").string()),
            std::vector<std::string>{"Minnow_Pond"});
  EXPECT_TRUE(Bytes(dir_ / "mine" / "Minnow_Pond.iso") ==
              Bytes(LakePath(data_, "Minnow_Pond", ".iso")));
  fs::create_directories(dir_ / "bad");
  WriteFileAtomic((dir_ / "bad" / "Broken.iso").string(), "short");
  EXPECT_THROW(ImportLakes((dir_ / "bad").string(), (dir_ / "mine2").string()), GameError);
  EXPECT_FALSE(fs::exists(dir_ / "mine2" / "Broken.iso"));
}

}  // namespace
}  // namespace tw
