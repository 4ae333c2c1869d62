// Pictures of the menus as the player sees them, written as PNG files into
// the build's snapshots folder for a person to look at. Runs on the
// generated data only.
#include "app/front_fixture.h"
#include "media/png/png_file.h"

namespace tw::test {
namespace {

class MenuSnapshotTest : public FrontTest {
 protected:
  void SetUp() override {
    folder_ = GeneratedProgramFolder();
    if (folder_.empty()) GTEST_SKIP() << "no generated program folder";
    out_ = fs::path(folder_).parent_path() / "snapshots";
    fs::create_directories(out_);
    Start(folder_);
  }
  // The frame as presented, or the screen painted now while a box is up.
  void Shot(const std::string& name) {
    F().PaintMenu();
    ASSERT_NO_THROW(WritePng((out_ / (name + ".png")).string(), platform_.LastFrame()));
  }
  void ShotOfScreen(const std::string& name) {
    Surface16 frame(640, 480, F().DXDraw.Format());
    Scr().Paint(frame);
    ASSERT_NO_THROW(WritePng((out_ / (name + ".png")).string(), frame));
  }
  // The frame differs from plain black somewhere inside `r`.
  bool Drawn(const Rect& r) {
    const Surface16& f = platform_.LastFrame();
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x)
        if (f.At(x, y) != 0) return true;
    return false;
  }
  std::string folder_;
  fs::path out_;
};

TEST_F(MenuSnapshotTest, TitlePanelsQuitBoxAndBoxes) {
  Shot("menu_title");
  EXPECT_TRUE(Drawn(Rect{0, 0, 640, 480}));

  Click(*F().title);
  Shot("menu_player");
  EXPECT_TRUE(Drawn(F().status->FrameBounds()));
  Click(*F().option);
  Shot("menu_options");
  Click(*F().go);
  F().lakes->SetItemIndex(0);
  F().lakesClick();
  Shot("menu_lakes");
  EXPECT_TRUE(Drawn(F().map->FrameBounds()));
  Click(*F().quit);
  Shot("menu_quit");

  Click(*F().player);
  S().Cash = 3;
  host_.Steps.push_back([this] {
    ShotOfScreen("menu_message");
    Scr().KeyDown(vk::kReturn, false);
  });
  Click(*F().uplures);
  host_.Steps.push_back([this] {
    ShotOfScreen("menu_save_dialog");
    Scr().KeyDown(vk::kEscape, false);
  });
  Click(*F().savebutton);
}

// The real player panel with the pointer resting on the save button: the
// hint lies over everything else. Then the real speed list, opened, covers
// what is below it and highlights the chosen row.
TEST_F(MenuSnapshotTest, PlayerPanelHintAndOpenSpeedList) {
  Click(*F().title);
  Click(*F().playername);
  const Rect save = F().savebutton->FrameBounds();
  F().OnMouseMove(0, (save.Left + save.Right) / 2, (save.Top + save.Bottom) / 2);
  Scr().Tick(600);
  Surface16 out(640, 480, F().DXDraw.Format());
  Scr().Paint(out);
  ASSERT_NO_THROW(WritePng((out_ / "menu_player_hint.png").string(), out));
  const uint16_t text = out.Pack(191, 191, 0);
  ASSERT_TRUE(Scr().Hint().Visible);
  EXPECT_EQ(Scr().Hint().Text, "Save game...");
  EXPECT_EQ(out.At(Scr().Hint().Bounds.Left + 1, Scr().Hint().Bounds.Top + 1), text);
  const Control* gear = F().players->Find("gear");
  ASSERT_NE(gear, nullptr);
  const Rect gearBox = gear->FrameBounds();
  EXPECT_EQ(out.At(gearBox.Left, gearBox.Bottom - 1), text) << "the gear group's frame";

  Click(*F().option);
  F().speed->SetItemIndex(2);
  Click(*F().speed);
  ASSERT_TRUE(F().speed->DroppedDown());
  EXPECT_FALSE(Scr().Hint().Visible);
  Scr().Paint(out);
  ASSERT_NO_THROW(WritePng((out_ / "menu_speed_list.png").string(), out));
  // Below the list's top edge, the first highlighted line is the chosen
  // (third) row, whatever the font's height.
  const Rect box = F().speed->FrameBounds();
  int32_t firstLit = -1;
  for (int32_t y = box.Bottom + 1; y < box.Bottom + 120 && firstLit < 0; ++y)
    if (out.At(box.Left + 1, y) == text) firstLit = y;
  ASSERT_GT(firstLit, box.Bottom + 1);
  const int32_t rowHeight = (firstLit - box.Bottom - 1) / 2;
  EXPECT_GE(rowHeight, 8);
  EXPECT_EQ(out.At(box.Left + 1, firstLit + rowHeight - 1), text);
  EXPECT_NE(out.At(box.Left + 1, firstLit + rowHeight + 1), text);
  Key(27);
}

// Every control of the options panel lies inside its group, clear of its
// neighbours, and shows its whole caption in the menu's face: the speed list
// once cut "As fast as possible" short.
TEST_F(MenuSnapshotTest, OptionsPanelControlsOverlapNothingAndShowWholeCaptions) {
  Click(*F().title);
  Click(*F().option);
  F().speed->SetItemIndex(2);
  Shot("menu_options_fast");
  const FontSet& fonts = F().Fonts();
  std::function<void(Control&)> check = [&](Control& parent) {
    const auto& kids = parent.Children();
    for (size_t i = 0; i < kids.size(); ++i) {
      const Control& a = *kids[i];
      EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Left + a.Width <= parent.Width &&
                  a.Top + a.Height <= parent.Height)
          << a.Name << " leaves " << parent.Name;
      for (size_t j = i + 1; j < kids.size(); ++j) {
        const Control& b = *kids[j];
        const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                           a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
        EXPECT_TRUE(apart) << a.Name << " overlaps " << b.Name;
      }
      const Font& f = fonts.Get(a.FontName);
      if (auto* t = dynamic_cast<const ToggleControl*>(&a)) {
        EXPECT_LE(18 + f.TextWidth(t->Caption), a.Width) << a.Name;
      }
      if (auto* l = dynamic_cast<const Label*>(&a)) {
        EXPECT_LE(f.TextWidth(l->Caption), a.Width) << a.Name;
      }
      if (auto* c = dynamic_cast<const ComboBox*>(&a)) {
        for (const std::string& item : c->Items()) {
          EXPECT_LE(4 + f.TextWidth(item) + 16 + 1, a.Width) << item;
        }
      }
      check(*kids[i]);
    }
  };
  check(*F().options);
  F().PaintMenu();

  // The help page over the menu, F1 as the player presses it.
  Key(112);
  ASSERT_TRUE(F().Help().IsOpen());
  Shot("menu_help");
  Key(27);
}

TEST_F(MenuSnapshotTest, PromotionalWindow) {
  Click(*F().title);
  Click(*F().quit);
  Event move = Event::MouseEvent(EventType::MouseMove, 200, 200);
  move.Window = WindowId::Second;
  platform_.Push(move);
  platform_.Push(Event::Simple(EventType::Close));
  Click(*F().okquit);
  const std::vector<uint32_t>& px = platform_.SecondFrame();
  ASSERT_EQ(px.size(), 512u * 384u);
  ASSERT_NO_THROW(WritePng((out_ / "promo_window.png").string(), Picture(512, 384, px)));
}

}  // namespace
}  // namespace tw::test
