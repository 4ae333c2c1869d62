#include "ui/modal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/file_dialog.h"
#include "ui/lists.h"
#include "ui/panels.h"
#include "ui_support.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::ClickOn;
using test::ScriptHost;
using test::TestFonts;

Control& Part(Screen& s, const char* name) {
  Control* c = s.TopLayer().Find(name);
  if (!c) throw std::runtime_error(std::string("no control ") + name);
  return *c;
}

std::vector<std::string> LabelTexts(Screen& s) {
  std::vector<std::string> out;
  for (auto& c : s.TopLayer().Children())
    if (auto* l = dynamic_cast<Label*>(c.get()); l && l->Name == "text") out.push_back(l->Caption);
  return out;
}

TEST(MessageBox, ShowsTheTextUnderTheTitleAndClosesOnOkOrEnter) {
  Screen s(TestFonts());
  auto& under = s.Root().Add<Button>("uplures");
  under.SetBounds(300, 220, 129, 33);
  under.SetFocus();
  ScriptHost host;
  host.Steps.push_back([&] {
    auto& box = static_cast<Form&>(s.TopLayer());
    EXPECT_EQ(box.Caption, "Tarnwick");
    EXPECT_EQ(LabelTexts(s), (std::vector<std::string>{"You don't have enough money!"}));
    // Centred in the frame and on top of the menu: the button under it
    // does not get the click.
    EXPECT_NEAR(box.Left + box.Width / 2, 320, 1);
    EXPECT_NEAR(box.Top + box.Height / 2, 240, 1);
  });
  host.Steps.push_back([&] { ClickOn(s, Part(s, "ok")); });
  int underClicks = 0;
  under.OnClick = [&] { ++underClicks; };
  ShowMessage(s, host, "You don't have enough money!");
  EXPECT_EQ(host.Loops, 1);
  EXPECT_EQ(&s.TopLayer(), &s.Root());
  EXPECT_EQ(s.Focused(), &under);  // focus comes back
  host.Steps.push_back([&] { s.KeyDown(vk::kReturn, false); });
  ShowMessage(s, host, "You don't have enough money to enter!");
  host.Steps.push_back([&] { s.KeyDown(vk::kEscape, false); });
  ShowMessage(s, host, "x");
  EXPECT_EQ(underClicks, 0);
  EXPECT_TRUE(host.Steps.empty());
}

TEST(MessageBox, ClicksOutsideTheBoxAreIgnoredAndLongTextWraps) {
  Screen s(TestFonts());
  auto& under = s.Root().Add<Button>("under");
  under.SetBounds(0, 0, 100, 100);
  int underClicks = 0;
  under.OnClick = [&] { ++underClicks; };
  ScriptHost host;
  host.Steps.push_back([&] {
    test::ClickAt(s, 50, 50);
    EXPECT_GT(LabelTexts(s).size(), 1u);
  });
  host.Steps.push_back([&] { s.KeyDown(vk::kSpace, false); });
  ShowMessage(s, host, std::string(200, 'a') + " end\nsecond line");
  EXPECT_EQ(underClicks, 0);
}

TEST(MessageBox, OpenedFromAClickHandlerLeavesTheMenuReadyForTheNextClick) {
  Screen s(TestFonts());
  auto& up = s.Root().Add<Button>("uplures");
  up.Caption = "Upgrade Lures $25";
  up.SetBounds(200, 300, 129, 33);
  ScriptHost host;
  int clicks = 0;
  up.OnClick = [&] {
    ++clicks;
    ShowMessage(s, host, "You don't have enough money!");
  };
  host.Steps.push_back([&] { ClickOn(s, Part(s, "ok")); });
  ClickOn(s, up);  // the box runs inside the click
  EXPECT_EQ(host.Loops, 1);
  EXPECT_FALSE(up.Pressed());
  EXPECT_EQ(s.Focused(), &up);
  // Enter on the focused button does it again, and Enter closes the box.
  host.Steps.push_back([&] { s.KeyDown(vk::kReturn, false); });
  s.KeyDown(vk::kReturn, false);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(host.Loops, 2);
  EXPECT_TRUE(host.Steps.empty());
}

TEST(ErrorBox, AddsAFullStopOnlyWhenMissing) {
  EXPECT_EQ(ErrorBoxText("Cannot open file /x/sound.dxw"), "Cannot open file /x/sound.dxw.");
  EXPECT_EQ(ErrorBoxText("Invalid stream format."), "Invalid stream format.");
  EXPECT_EQ(ErrorBoxText(""), ".");
  Screen s(TestFonts());
  ScriptHost host;
  host.Steps.push_back([&] {
    EXPECT_EQ(static_cast<Form&>(s.TopLayer()).Caption, "Tarnwick");
    EXPECT_EQ(LabelTexts(s), (std::vector<std::string>{"Invalid stream format."}));
    s.KeyDown(vk::kReturn, false);
  });
  ShowErrorBox(s, host, "Invalid stream format");
}

TEST(FileDialogParts, ExtensionsPatternsAndFilters) {
  EXPECT_EQ(WithDefaultExtension("Player", "sav"), "Player.sav");
  EXPECT_EQ(WithDefaultExtension("Player.sav", "sav"), "Player.sav");
  EXPECT_EQ(WithDefaultExtension("Player.txt", "sav"), "Player.txt");
  EXPECT_EQ(WithDefaultExtension("Player.", "sav"), "Player.sav");
  EXPECT_EQ(WithDefaultExtension("my.games/Player", "sav"), "my.games/Player.sav");
  EXPECT_TRUE(MatchesPattern("Player.SAV", "*.sav"));
  EXPECT_FALSE(MatchesPattern("Player.sav.bak", "*.sav"));
  EXPECT_TRUE(MatchesPattern("a.sav", "?.sav"));
  EXPECT_TRUE(MatchesPattern("anything", "*"));
  EXPECT_FALSE(MatchesPattern("", "?"));
  EXPECT_EQ(FilterPatterns("Tarnwick Save Games|*.sav"), (std::vector<std::string>{"*.sav"}));
  EXPECT_EQ(FilterPatterns("Both|*.sav; *.bak|All|*.*"),
            (std::vector<std::string>{"*.sav", "*.bak"}));
  EXPECT_EQ(FilterPatterns(""), (std::vector<std::string>{"*"}));
  EXPECT_EQ(Cp1252ToUtf8("Jos\xe9 \x80"), "Jos\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(Utf8ToCp1252("Jos\xc3\xa9 \xe2\x82\xac \xf0\x9f\x90\x9f"), "Jos\xe9 \x80 ");
}

class SavedGames : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tw-ui-dialog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Games");
    fs::create_directories(dir_ / ".hidden");
    for (const char* f : {"Bob.sav", "alice.SAV", "notes.txt", "Games/deep.sav"})
      std::ofstream(dir_ / f) << "[Save Data]\n";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> Listed() {
    return static_cast<ListBox&>(Part(screen_, "files")).Items();
  }
  Edit& NameField() { return static_cast<Edit&>(Part(screen_, "filename")); }
  FileDialog Dialog(FileDialog::Kind kind) {
    FileDialog d;
    d.Mode = kind;
    d.InitialDir = dir_.string();
    d.FileName = "Player.sav";
    return d;
  }

  fs::path dir_;
  Screen screen_{TestFonts()};
  ScriptHost host_;
};

TEST_F(SavedGames, TheListShowsFoldersThenSavedGamesAndTheProposedName) {
  auto d = Dialog(FileDialog::Kind::Save);
  host_.Steps.push_back([&] {
    EXPECT_EQ(static_cast<Form&>(screen_.TopLayer()).Caption, "Save As");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"..", "[Games]", "alice.SAV", "Bob.sav"}));
    EXPECT_EQ(NameField().Text(), "Player.sav");
    EXPECT_EQ(screen_.Focused(), &NameField());
    EXPECT_EQ(NameField().SelText(), "Player.sav");  // typing replaces it
    ClickOn(screen_, Part(screen_, "cancel"));
  });
  EXPECT_EQ(d.Execute(screen_, host_), std::nullopt);
  EXPECT_EQ(d.FileName, "Player.sav");  // untouched by a cancel
}

TEST_F(SavedGames, ATypedNameWithoutExtensionGetsSav) {
  auto d = Dialog(FileDialog::Kind::Save);
  host_.Steps.push_back([&] { screen_.Text("Champion"); });
  host_.Steps.push_back([&] { screen_.KeyDown(vk::kReturn, false); });
  auto chosen = d.Execute(screen_, host_);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(fs::path(*chosen), fs::weakly_canonical(dir_) / "Champion.sav");
  EXPECT_EQ(d.FileName, *chosen);
  // The proposed name taken as it is.
  auto again = Dialog(FileDialog::Kind::Save);
  host_.Steps.push_back([&] { ClickOn(screen_, Part(screen_, "ok")); });
  EXPECT_EQ(fs::path(*again.Execute(screen_, host_)), fs::weakly_canonical(dir_) / "Player.sav");
}

TEST_F(SavedGames, EscapeAndTheCloseBoxCancel) {
  auto d = Dialog(FileDialog::Kind::Open);
  host_.Steps.push_back([&] { screen_.KeyDown(vk::kEscape, false); });
  EXPECT_EQ(d.Execute(screen_, host_), std::nullopt);
  host_.Steps.push_back([&] {
    Rect r = screen_.TopLayer().FrameBounds();
    test::ClickAt(screen_, r.Right - 10, r.Top + 8);
  });
  EXPECT_EQ(d.Execute(screen_, host_), std::nullopt);
}

TEST_F(SavedGames, FoldersOpenByDoubleClickEnterOrTypingAndDotDotGoesUp) {
  auto d = Dialog(FileDialog::Kind::Open);
  auto list = [&]() -> ListBox& { return static_cast<ListBox&>(Part(screen_, "files")); };
  host_.Steps.push_back([&] {
    // Double-click on "[Games]", the second row.
    list().SetFocus();
    ListBox& l = list();
    int32_t x = l.FrameLeft() + 20, y = l.FrameTop() + 2 + 9 + 4;
    test::ClickAt(screen_, x, y);
    test::ClickAt(screen_, x, y);
  });
  host_.Steps.push_back([&] {
    EXPECT_EQ(Listed(), (std::vector<std::string>{"..", "deep.sav"}));
    // Up again with ".." and Enter.
    list().SetItemIndex(0);
    screen_.KeyDown(vk::kReturn, false);
  });
  host_.Steps.push_back([&] {
    EXPECT_EQ(Listed().size(), 4u);
    // Typing a folder's name goes there too; a file click fills the name.
    NameField().SetFocus();
    NameField().SelectAll();
    screen_.Text("Games");
    screen_.KeyDown(vk::kReturn, false);
  });
  host_.Steps.push_back([&] {
    EXPECT_EQ(Listed(), (std::vector<std::string>{"..", "deep.sav"}));
    EXPECT_EQ(NameField().Text(), "");
    ListBox& l = list();
    test::ClickAt(screen_, l.FrameLeft() + 20, l.FrameTop() + 2 + 9 + 4);
    EXPECT_EQ(NameField().Text(), "deep.sav");
    ClickOn(screen_, Part(screen_, "ok"));
  });
  auto chosen = d.Execute(screen_, host_);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(fs::path(*chosen), fs::weakly_canonical(dir_) / "Games" / "deep.sav");
}

TEST_F(SavedGames, AMissingNameIsAcceptedByTheOpenDialogAndAnEmptyOneIsNot) {
  auto d = Dialog(FileDialog::Kind::Open);
  host_.Steps.push_back([&] {
    NameField().SetText("");
    screen_.KeyDown(vk::kReturn, false);  // nothing to open: stays
    EXPECT_FALSE(static_cast<Form&>(screen_.TopLayer()).Closed());
    screen_.Text("nobody");
    screen_.KeyDown(vk::kReturn, false);
  });
  auto chosen = d.Execute(screen_, host_);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(fs::path(*chosen), fs::weakly_canonical(dir_) / "nobody.sav");
}

TEST_F(SavedGames, AWildcardChangesWhatIsListedAndAMissingFolderFallsBack) {
  auto d = Dialog(FileDialog::Kind::Open);
  d.InitialDir = (dir_ / "no such folder").string();
  host_.Steps.push_back([&] {
    // The folder could not be shown; the dialog still works somewhere.
    auto& shown = static_cast<Panel&>(Part(screen_, "folder")).Caption;
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown.find("no such folder"), std::string::npos);
    NameField().SetText((dir_ / "*.txt").string());
    screen_.KeyDown(vk::kReturn, false);
  });
  host_.Steps.push_back([&] {
    EXPECT_EQ(Listed(), (std::vector<std::string>{"..", "[Games]", "notes.txt"}));
    screen_.KeyDown(vk::kEscape, false);
  });
  EXPECT_EQ(d.Execute(screen_, host_), std::nullopt);
}

TEST(FolderListing, AnUnreadableOrMissingFolderListsNothing) {
  EXPECT_TRUE(ListFolder("/definitely/not/here", {"*.sav"}).empty());
}

}  // namespace
}  // namespace tw
