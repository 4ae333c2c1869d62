#include <gtest/gtest.h>

#include "ui/buttons.h"
#include "ui/panels.h"
#include "ui/screen.h"
#include "ui_support.h"

namespace tw {
namespace {

using test::ClickAt;
using test::ClickOn;
using test::TestFonts;

struct SoundGroup {
  Screen screen{TestFonts()};
  GroupBox& group = screen.Root().Add<GroupBox>("sound");
  RadioButton* on;
  RadioButton* off;
  int onClicks = 0, offClicks = 0;
  SoundGroup() {
    group.SetBounds(10, 10, 200, 100);
    on = &group.Add<RadioButton>("soundon");
    on->SetBounds(16, 24, 121, 17);
    off = &group.Add<RadioButton>("soundoff");
    off->SetBounds(16, 44, 121, 17);
    on->OnClick = [this] { ++onClicks; };
    off->OnClick = [this] { ++offClicks; };
  }
};

TEST(RadioButtons, CheckingOneUnchecksItsSiblingsAndRunsItsHandlerOnlyOnChange) {
  SoundGroup g;
  g.on->SetChecked(true);  // from the program
  EXPECT_TRUE(g.on->Checked());
  EXPECT_EQ(g.onClicks, 1);
  g.off->SetChecked(true);
  EXPECT_FALSE(g.on->Checked());
  EXPECT_TRUE(g.off->Checked());
  EXPECT_EQ(g.offClicks, 1);
  // Checking the one already checked runs nothing.
  g.off->SetChecked(true);
  EXPECT_EQ(g.offClicks, 1);
  // Unchecking from the program runs nothing and leaves none checked.
  g.off->SetChecked(false);
  EXPECT_FALSE(g.on->Checked());
  EXPECT_FALSE(g.off->Checked());
  EXPECT_EQ(g.offClicks, 1);
  EXPECT_EQ(g.onClicks, 1);
}

TEST(RadioButtons, PlayerClicksRunTheHandlerOnlyWhenTheButtonWasNotChecked) {
  SoundGroup g;
  g.on->SetChecked(true);
  g.onClicks = 0;
  ClickOn(g.screen, *g.on);
  EXPECT_EQ(g.onClicks, 0);
  ClickOn(g.screen, *g.off);
  EXPECT_EQ(g.offClicks, 1);
  EXPECT_FALSE(g.on->Checked());
  // Groups are per parent: a radio elsewhere is not touched.
  auto& other = g.screen.Root().Add<RadioButton>("other");
  other.SetChecked(true);
  EXPECT_TRUE(g.off->Checked());
}

TEST(RadioButtons, ArrowsWalkTheGroupAndTabStopsOnlyAtTheCheckedOne) {
  SoundGroup g;
  auto& before = g.screen.Root().Add<Button>("before");
  before.SetBounds(300, 10, 50, 20);
  g.off->SetChecked(true);
  before.SetFocus();
  g.screen.KeyDown(vk::kTab, false);
  EXPECT_EQ(g.screen.Focused(), g.off);  // wraps around: the group comes first
  g.screen.KeyDown(vk::kUp, false);
  EXPECT_EQ(g.screen.Focused(), g.on);
  EXPECT_TRUE(g.on->Checked());
  EXPECT_EQ(g.onClicks, 1);
}

TEST(CheckBoxes, ClickAndSpaceToggleAndRunTheHandler) {
  Screen s(TestFonts());
  auto& box = s.Root().Add<CheckBox>("flip");
  box.SetBounds(15, 48, 98, 17);
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  ClickOn(s, box);
  EXPECT_TRUE(box.Checked());
  s.KeyDown(vk::kSpace, false);
  EXPECT_FALSE(box.Checked());
  box.SetChecked(false);  // no change, no handler
  EXPECT_EQ(clicks, 2);
}

TEST(Gauges, PositionsAreClampedAndStepsStopAtTheMaximum) {
  Gauge g;
  g.SetRange(0, 4);
  g.SetPosition(1);
  g.StepIt();
  g.StepIt();
  g.StepIt();
  EXPECT_EQ(g.Position(), 4);
  g.StepIt();
  EXPECT_EQ(g.Position(), 4);
  g.SetPosition(9);
  EXPECT_EQ(g.Position(), 4);
  g.SetPosition(-3);
  EXPECT_EQ(g.Position(), 0);
  g.StepBy(-1);
  EXPECT_EQ(g.Position(), 0);
  // Narrowing the range pulls the position in; a range given upside down
  // is turned round.
  g.SetPosition(4);
  g.SetRange(3, 0);
  EXPECT_EQ(g.Min(), 0);
  EXPECT_EQ(g.Max(), 3);
  EXPECT_EQ(g.Position(), 3);
  g.StepBy(INT32_MAX);
  EXPECT_EQ(g.Position(), 3);
}

TEST(Buttons, ClickNeedsPressAndReleaseOverTheButton) {
  Screen s(TestFonts());
  auto& b = s.Root().Add<Button>("showgo");
  b.Caption = "Fish This Lake";
  b.SetBounds(242, 228, 169, 25);
  int clicks = 0;
  b.OnClick = [&] { ++clicks; };
  ClickAt(s, 250, 230);
  EXPECT_EQ(clicks, 1);
  // Pressed, dragged off and released elsewhere: no click.
  s.MouseDown(kMouseLeft, 250, 230);
  s.MouseMove(10, 10);
  EXPECT_FALSE(b.Pressed());
  s.MouseUp(kMouseLeft, 10, 10);
  EXPECT_EQ(clicks, 1);
  // The right button does not click; nor does a hidden or disabled button.
  s.MouseDown(kMouseRight, 250, 230);
  s.MouseUp(kMouseRight, 250, 230);
  b.SetEnabled(false);
  ClickAt(s, 250, 230);
  b.SetEnabled(true);
  b.Hide();
  ClickAt(s, 250, 230);
  EXPECT_EQ(clicks, 1);
}

TEST(Buttons, EnterAndSpacePressTheFocusedButton) {
  Screen s(TestFonts());
  auto& a = s.Root().Add<Button>("noquit");
  auto& b = s.Root().Add<Button>("okquit");
  a.SetBounds(89, 83, 73, 25);
  b.SetBounds(169, 83, 73, 25);
  int aClicks = 0, bClicks = 0;
  a.OnClick = [&] { ++aClicks; };
  b.OnClick = [&] { ++bClicks; };
  s.KeyDown(vk::kTab, false);
  EXPECT_EQ(s.Focused(), &a);
  EXPECT_TRUE(s.KeyDown(vk::kReturn, false));
  s.KeyDown(vk::kTab, false);
  EXPECT_TRUE(s.KeyDown(vk::kSpace, false));
  EXPECT_EQ(aClicks, 1);
  EXPECT_EQ(bClicks, 1);
  // Nothing focused: Enter is left to the caller.
  s.SetFocus(nullptr, false);
  EXPECT_FALSE(s.KeyDown(vk::kReturn, false));
}

TEST(Focus, TabFollowsTheTreeOrderSkippingHiddenAndDisabledControls) {
  Screen s(TestFonts());
  auto& a = s.Root().Add<Button>("a");
  auto& panel = s.Root().Add<GroupBox>("panel");
  auto& b = panel.Add<Button>("b");
  auto& c = panel.Add<CheckBox>("c");
  auto& label = s.Root().Add<Label>("label");
  auto& d = s.Root().Add<Button>("d");
  auto& e = s.Root().Add<Button>("e");
  (void)label;
  e.SetEnabled(false);
  std::vector<Control*> seen;
  for (int i = 0; i < 5; ++i) {
    s.KeyDown(vk::kTab, false);
    seen.push_back(s.Focused());
  }
  EXPECT_EQ(seen, (std::vector<Control*>{&a, &b, &c, &d, &a}));
  s.KeyDown(vk::kTab, true);
  EXPECT_EQ(s.Focused(), &d);
  // Hiding a panel takes the focus away from what is inside it.
  b.SetFocus();
  panel.Hide();
  EXPECT_EQ(s.Focused(), nullptr);
  s.KeyDown(vk::kTab, false);
  EXPECT_EQ(s.Focused(), &a);
  s.KeyDown(vk::kTab, false);
  EXPECT_EQ(s.Focused(), &d);
}

TEST(Hints, ShowAfterHalfASecondOfHoverAndGoOnPressOrLeave) {
  Screen s(TestFonts());
  auto& player = s.Root().Add<Button>("player");
  player.SetBounds(48, 29, 70, 49);
  player.Hint = "Player selection and upgrade options.";
  auto& quit = s.Root().Add<Button>("quit");
  quit.SetBounds(507, 29, 73, 49);
  quit.Hint = "Exit to desktop.";
  s.Tick(1000);
  s.MouseMove(60, 40);
  s.Tick(1499);
  EXPECT_FALSE(s.Hint().Visible);
  s.Tick(1500);
  ASSERT_TRUE(s.Hint().Visible);
  EXPECT_EQ(s.Hint().Text, "Player selection and upgrade options.");
  EXPECT_GE(s.Hint().Bounds.Top, 40);  // below the pointer
  // Moving within the same control keeps it; a press hides it for good.
  s.MouseMove(70, 45);
  s.Tick(1600);
  EXPECT_TRUE(s.Hint().Visible);
  s.MouseDown(kMouseLeft, 70, 45);
  EXPECT_FALSE(s.Hint().Visible);
  s.MouseUp(kMouseLeft, 70, 45);
  s.Tick(3000);
  EXPECT_FALSE(s.Hint().Visible);
  // Over another control the wait starts again; the hint stays in the frame.
  s.MouseMove(575, 60);
  s.Tick(3499);
  EXPECT_FALSE(s.Hint().Visible);
  s.Tick(3500);
  ASSERT_TRUE(s.Hint().Visible);
  EXPECT_EQ(s.Hint().Text, "Exit to desktop.");
  EXPECT_LE(s.Hint().Bounds.Right, 640);
  // Off every control with a hint: gone.
  s.MouseMove(300, 300);
  EXPECT_FALSE(s.Hint().Visible);
}

TEST(Cursors, ClickAreasShowAHandAndFieldsAnIBeam) {
  Screen s(TestFonts());
  auto& area = s.Root().Add<Button>("go");
  area.SetBounds(223, 29, 89, 49);
  auto& captioned = s.Root().Add<Button>("apply");
  captioned.Caption = "Save Options";
  captioned.SetBounds(10, 100, 89, 25);
  s.MouseMove(230, 40);
  EXPECT_EQ(s.Cursor(), CursorKind::Hand);
  s.MouseMove(20, 110);
  EXPECT_EQ(s.Cursor(), CursorKind::Arrow);
  s.MouseMove(5, 5);
  EXPECT_EQ(s.Cursor(), CursorKind::Arrow);
}

TEST(Controls, RemovedControlsAreForgottenByTheScreen) {
  Screen s(TestFonts());
  auto& holder = s.Root().Add<GroupBox>("holder");
  holder.SetBounds(0, 0, 100, 100);
  {
    // A control owned outside the tree but shown as a modal layer.
    Control form("form");
    form.SetBounds(0, 0, 50, 50);
    auto& b = form.Add<Button>("b");
    b.SetBounds(0, 0, 20, 20);
    s.PushModal(form);
    b.SetFocus();
    s.MouseDown(kMouseLeft, 5, 5);
  }
  // The layer went with the form: input reaches the main window again.
  EXPECT_EQ(s.Focused(), nullptr);
  EXPECT_EQ(&s.TopLayer(), &s.Root());
  s.MouseUp(kMouseLeft, 5, 5);
  s.KeyDown(vk::kTab, false);
}

}  // namespace
}  // namespace tw
