#include <gtest/gtest.h>

#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/lists.h"
#include "ui/picture_box.h"
#include "ui/screen.h"
#include "ui_support.h"

namespace tw {
namespace {

using test::ClickAt;
using test::TestFonts;

struct NameField {
  Screen screen{TestFonts()};
  Edit& edit = screen.Root().Add<Edit>("playername");
  int changes = 0;
  NameField() {
    edit.SetBounds(15, 44, 131, 22);
    edit.OnChange = [this] { ++changes; };
    edit.SetFocus();
  }
};

TEST(Edit, TypingInsertsAtTheCaretAndEditingKeysWork) {
  NameField f;
  f.screen.Text("Bob");
  EXPECT_EQ(f.edit.Text(), "Bob");
  EXPECT_EQ(f.edit.CaretPos(), 3u);
  f.screen.KeyDown(vk::kHome, false);
  f.screen.Text("Big ");
  EXPECT_EQ(f.edit.Text(), "Big Bob");
  f.screen.KeyDown(vk::kDelete, false);
  EXPECT_EQ(f.edit.Text(), "Big ob");
  f.screen.KeyDown(vk::kBack, false);
  EXPECT_EQ(f.edit.Text(), "Bigob");
  f.screen.KeyDown(vk::kEnd, false);
  f.screen.KeyDown(vk::kDelete, false);  // nothing after the caret
  f.screen.KeyDown(vk::kBack, false);
  EXPECT_EQ(f.edit.Text(), "Bigo");
  f.screen.KeyDown(vk::kHome, false);
  f.screen.KeyDown(vk::kBack, false);  // nothing before it
  f.screen.KeyDown(vk::kLeft, false);
  EXPECT_EQ(f.edit.CaretPos(), 0u);
  // Control characters are not typed.
  EXPECT_FALSE(f.screen.Text("\r\t"));
  EXPECT_EQ(f.edit.Text(), "Bigo");
  // Every change, and only a change, runs the change handler.
  EXPECT_EQ(f.changes, 5);  // two typings, three deletions
}

TEST(Edit, ShiftArrowsSelectAndTypingReplacesTheSelection) {
  NameField f;
  f.edit.SetText("Player");
  f.screen.KeyDown(vk::kLeft, true);
  f.screen.KeyDown(vk::kLeft, true);
  EXPECT_EQ(f.edit.SelText(), "er");
  f.screen.Text("s");
  EXPECT_EQ(f.edit.Text(), "Plays");
  f.screen.KeyDown(vk::kHome, true);
  EXPECT_EQ(f.edit.SelLength(), 5u);
  // An arrow without Shift drops the selection at its near end.
  f.screen.KeyDown(vk::kRight, false);
  EXPECT_EQ(f.edit.SelLength(), 0u);
  EXPECT_EQ(f.edit.CaretPos(), 5u);
  f.screen.KeyDown(vk::kLeft, true);
  f.screen.KeyDown(vk::kBack, false);
  EXPECT_EQ(f.edit.Text(), "Play");
}

TEST(Edit, MouseSetsTheCaretDragSelectsAndTabSelectsAll) {
  NameField f;
  f.edit.SetText("abcdef");
  // Characters are 6 pixels wide after a 3-pixel margin.
  int32_t x0 = f.edit.FrameLeft() + 3, y = f.edit.FrameTop() + 10;
  f.screen.MouseDown(kMouseLeft, x0 + 13, y);
  EXPECT_EQ(f.edit.CaretPos(), 2u);
  f.screen.MouseMove(x0 + 31, y);
  f.screen.MouseUp(kMouseLeft, x0 + 31, y);
  EXPECT_EQ(f.edit.SelText(), "cde");
  auto& other = f.screen.Root().Add<Edit>("other");
  other.SetBounds(15, 80, 100, 22);
  other.SetFocus();
  f.screen.KeyDown(vk::kTab, true);
  EXPECT_EQ(f.screen.Focused(), &f.edit);
  EXPECT_EQ(f.edit.SelText(), "abcdef");
}

TEST(Edit, MaxLengthKeepsWhatFitsAndSetTextReportsChanges) {
  NameField f;
  f.edit.MaxLength = 5;
  f.screen.Text("Walleye");
  EXPECT_EQ(f.edit.Text(), "Walle");
  f.changes = 0;
  f.edit.SetText("Walle");
  EXPECT_EQ(f.changes, 0);
  f.edit.SetText("Pike");
  EXPECT_EQ(f.changes, 1);
  // A long text scrolls so the caret stays in the field.
  f.edit.MaxLength = 0;
  f.edit.SetText(std::string(60, 'x'));
  Surface16 s(640, 480);
  f.screen.Paint(s);
  // The glyphs leave their top row empty, so on it only the caret shows.
  int32_t caretX = -1;
  for (int32_t x = f.edit.FrameLeft() + 1; x < f.edit.FrameLeft() + f.edit.Width - 1; ++x)
    if (s.At(x, f.edit.FrameTop() + 7) == s.Pack(191, 191, 0)) caretX = x;
  EXPECT_GT(caretX, f.edit.FrameLeft() + 100);
  EXPECT_LT(caretX, f.edit.FrameLeft() + f.edit.Width - 1);
}

struct LakeList {
  Screen screen{TestFonts()};
  ListBox& list = screen.Root().Add<ListBox>("lakes");
  int clicks = 0;
  LakeList(int n) {
    list.SetBounds(8, 20, 123, 233);
    for (int i = 0; i < n; ++i) list.Add("Lake " + std::to_string(i));
    list.OnClick = [this] { ++clicks; };
  }
  // Row height 9 (8-pixel cells plus one), rows start 2 pixels down.
  int32_t RowY(int32_t row) const { return list.FrameTop() + 2 + row * 9 + 4; }
};

TEST(ListBox, ClickingAnItemSelectsItAndEmptySpaceChangesNothing) {
  LakeList l(3);
  EXPECT_EQ(l.list.ItemIndex(), -1);
  ClickAt(l.screen, 40, l.RowY(5));  // below the three items
  EXPECT_EQ(l.list.ItemIndex(), -1);
  EXPECT_EQ(l.clicks, 0);
  EXPECT_EQ(l.list.ItemAtPos(20, 2 + 5 * 9), -1);
  ClickAt(l.screen, 40, l.RowY(1));
  EXPECT_EQ(l.list.ItemIndex(), 1);
  EXPECT_EQ(l.clicks, 1);
  ClickAt(l.screen, 40, l.RowY(6));
  EXPECT_EQ(l.list.ItemIndex(), 1);
  EXPECT_EQ(l.clicks, 1);
  // From the program: no handler; out of range selects nothing.
  l.list.SetItemIndex(2);
  EXPECT_EQ(l.list.ItemIndex(), 2);
  l.list.SetItemIndex(3);
  EXPECT_EQ(l.list.ItemIndex(), -1);
  EXPECT_EQ(l.clicks, 1);
  l.list.Clear();
  EXPECT_EQ(l.list.Count(), 0);
  EXPECT_EQ(l.list.ItemIndex(), -1);
}

TEST(ListBox, ArrowsMoveTheSelectionAndScrollItIntoView) {
  LakeList l(60);
  l.list.SetFocus();
  int32_t rows = l.list.VisibleRows();
  EXPECT_EQ(rows, (233 - 4) / 9);
  l.screen.KeyDown(vk::kDown, false);
  EXPECT_EQ(l.list.ItemIndex(), 0);
  l.screen.KeyDown(vk::kUp, false);  // already at the top: no new pick
  EXPECT_EQ(l.clicks, 1);
  l.screen.KeyDown(vk::kEnd, false);
  EXPECT_EQ(l.list.ItemIndex(), 59);
  EXPECT_EQ(l.list.TopIndex(), 60 - rows);
  l.screen.KeyDown(vk::kPrior, false);
  EXPECT_EQ(l.list.ItemIndex(), 59 - (rows - 1));
  l.screen.KeyDown(vk::kHome, false);
  EXPECT_EQ(l.list.TopIndex(), 0);
  EXPECT_EQ(l.clicks, 4);
}

TEST(ListBox, WheelAndScrollBarScrollWithoutChangingTheSelection) {
  LakeList l(60);
  l.list.SetItemIndex(0);
  l.screen.MouseMove(40, 100);
  l.screen.Wheel(-120);
  EXPECT_EQ(l.list.TopIndex(), 3);
  l.screen.Wheel(240);
  EXPECT_EQ(l.list.TopIndex(), 0);
  // The bar's lower arrow, then the track below the thumb (a page).
  int32_t barX = l.list.FrameLeft() + l.list.Width - 5;
  ClickAt(l.screen, barX, l.list.FrameTop() + l.list.Height - 5);
  EXPECT_EQ(l.list.TopIndex(), 1);
  ClickAt(l.screen, barX, l.list.FrameTop() + l.list.Height - 30);
  EXPECT_EQ(l.list.TopIndex(), 1 + l.list.VisibleRows());
  // Dragging the thumb to the bottom shows the last rows.
  l.list.SetTopIndex(0);
  l.screen.MouseDown(kMouseLeft, barX, l.list.FrameTop() + 20);
  l.screen.MouseMove(barX, l.list.FrameTop() + 400);
  l.screen.MouseUp(kMouseLeft, barX, l.list.FrameTop() + 400);
  EXPECT_EQ(l.list.TopIndex(), 60 - l.list.VisibleRows());
  EXPECT_EQ(l.list.ItemIndex(), 0);
  EXPECT_EQ(l.clicks, 0);
  // A short list has no bar and ignores the wheel.
  LakeList shortList(2);
  shortList.screen.MouseMove(40, 40);
  shortList.screen.Wheel(-120);
  EXPECT_EQ(shortList.list.TopIndex(), 0);
}

TEST(Memo, LongLinesWrapAtBlanksAndWordsTooWideAreCut) {
  const Font& f = TestFonts().Get("sans-11");
  auto lines = WrapLine(f, "As you complete lakes", 60);  // 10 characters fit
  EXPECT_EQ(lines, (std::vector<std::string>{"As you ", "complete ", "lakes"}));
  EXPECT_EQ(WrapLine(f, "<<<<<<<<<<<<<<<", 60), (std::vector<std::string>{"<<<<<<<<<<", "<<<<<"}));
  EXPECT_EQ(WrapLine(f, "", 60), (std::vector<std::string>{""}));
  EXPECT_EQ(WrapLine(f, "abc", 0), (std::vector<std::string>{"a", "b", "c"}));
  Screen s(TestFonts());
  auto& memo = s.Root().Add<Memo>("lakeinfo");
  memo.SetBounds(137, 20, 186, 198);
  memo.Add("No Description");
  EXPECT_EQ(memo.ShownLines().size(), 1u);
  memo.Add(std::string(40, '<'));  // 240 pixels in a memo 186 wide
  EXPECT_EQ(memo.ShownLines().size(), 3u);
  memo.WordWrap = false;
  memo.Add("x");  // any change of the lines lays them out again
  EXPECT_EQ(memo.ShownLines().size(), 3u);
  memo.Clear();
  for (int i = 0; i < 40; ++i) memo.Add("line");
  memo.SetFocus();
  s.KeyDown(vk::kEnd, false);
  EXPECT_EQ(memo.TopLine(), 40 - (198 - 4) / 8);
}

struct SpeedList {
  Screen screen{TestFonts()};
  ComboBox& speed = screen.Root().Add<ComboBox>("speed");
  Button& below = screen.Root().Add<Button>("below");
  int changes = 0, belowClicks = 0;
  SpeedList() {
    speed.SetBounds(82, 21, 119, 21);
    speed.SetItems({"30FPS", "60FPS", "As fast as possible"});
    speed.OnChange = [this] { ++changes; };
    below.SetBounds(82, 45, 119, 25);
    below.OnClick = [this] { ++belowClicks; };
  }
};

TEST(ComboBox, TheListOpensOverOtherControlsAndPicksAnEntry) {
  SpeedList s;
  s.speed.SetItemIndex(5);
  EXPECT_EQ(s.speed.ItemIndex(), -1);  // shows nothing
  ClickAt(s.screen, 100, 30);
  ASSERT_TRUE(s.speed.DroppedDown());
  EXPECT_EQ(s.screen.Overlay(), &s.speed);
  // Rows of 10 pixels under the box; the second row lies over the button.
  ClickAt(s.screen, 100, 42 + 1 + 15);
  EXPECT_FALSE(s.speed.DroppedDown());
  EXPECT_EQ(s.speed.ItemIndex(), 1);
  EXPECT_EQ(s.changes, 1);
  EXPECT_EQ(s.belowClicks, 0);
  // A press outside only closes the list.
  ClickAt(s.screen, 100, 30);
  ClickAt(s.screen, 400, 400);
  EXPECT_FALSE(s.speed.DroppedDown());
  ClickAt(s.screen, 100, 60);
  EXPECT_EQ(s.belowClicks, 1);
  EXPECT_EQ(s.changes, 1);
}

TEST(ComboBox, KeysChangeTheEntryAndEscapeCloses) {
  SpeedList s;
  s.speed.SetItemIndex(2);
  s.speed.SetFocus();
  s.screen.KeyDown(vk::kDown, false);  // at the end already
  EXPECT_EQ(s.changes, 0);
  s.screen.KeyDown(vk::kUp, false);
  EXPECT_EQ(s.speed.ItemIndex(), 1);
  s.screen.KeyDown(vk::kSpace, false);
  EXPECT_TRUE(s.speed.DroppedDown());
  s.screen.KeyDown(vk::kUp, false);
  s.screen.KeyDown(vk::kEscape, false);
  EXPECT_FALSE(s.speed.DroppedDown());
  EXPECT_EQ(s.speed.ItemIndex(), 1);
  s.screen.KeyDown(vk::kSpace, false);
  s.screen.KeyDown(vk::kUp, false);
  s.screen.KeyDown(vk::kReturn, false);
  EXPECT_EQ(s.speed.ItemIndex(), 0);
  EXPECT_EQ(s.changes, 2);
  // Tab leaves the box and closes a list left open.
  s.screen.KeyDown(vk::kSpace, false);
  s.screen.KeyDown(vk::kTab, false);
  EXPECT_FALSE(s.speed.DroppedDown());
}

TEST(TabControl, TabsChangeByClickAndArrowsAndClampFromTheProgram) {
  Screen s(TestFonts());
  auto& tabs = s.Root().Add<TabControl>("playertab");
  tabs.SetBounds(15, 76, 185, 168);
  tabs.SetTabs({"Man", "Woman"});
  int changes = 0;
  tabs.OnChange = [&] { ++changes; };
  EXPECT_EQ(tabs.TabIndex(), 0);
  // "Man" is 3 * 6 + 16 = 34 wide from x 2; "Woman" follows.
  ClickAt(s, 15 + 2 + 34 + 5, 80);
  EXPECT_EQ(tabs.TabIndex(), 1);
  s.KeyDown(vk::kLeft, false);
  EXPECT_EQ(tabs.TabIndex(), 0);
  s.KeyDown(vk::kLeft, false);
  EXPECT_EQ(changes, 2);
  tabs.SetTabIndex(7);
  EXPECT_EQ(tabs.TabIndex(), 1);
  tabs.SetTabs({"Man"});
  EXPECT_EQ(tabs.TabIndex(), 0);
}

TEST(PictureBox, AReleaseCountsOnlyOverThePictureAfterAPressOnIt) {
  Screen s(TestFonts());
  auto& pic = s.Root().Add<PictureBox>("linkimage");
  pic.SetBounds(0, 0, 512, 384);
  pic.Cursor = CursorKind::Hand;
  std::vector<std::string> seen;
  pic.OnMouseDown = [&](int32_t b, int32_t, int32_t) {
    seen.push_back("down" + std::to_string(b));
  };
  pic.OnMouseUp = [&](int32_t b, int32_t, int32_t) { seen.push_back("up" + std::to_string(b)); };
  s.MouseDown(kMouseLeft, 100, 100);
  s.MouseUp(kMouseLeft, 600, 450);  // released off the picture
  EXPECT_EQ(seen, (std::vector<std::string>{"down0"}));
  s.MouseDown(kMouseRight, 100, 100);
  s.MouseUp(kMouseRight, 110, 100);
  EXPECT_EQ(seen, (std::vector<std::string>{"down0", "down1", "up1"}));
  s.MouseMove(10, 10);
  EXPECT_EQ(s.Cursor(), CursorKind::Hand);
  // A picture whose pixels do not match its size is refused, not drawn.
  pic.SetPicture(Picture{4, 4, std::vector<uint32_t>(3)});
  EXPECT_FALSE(pic.HasPicture());
}

}  // namespace
}  // namespace tw
