// Boxes that come up while the menu is held, and files where something else
// than a file lies, met through the application's own loop with the
// platform's events: the player can always answer, nothing waits for ever.
#include <sys/stat.h>

#include "app/front_fixture.h"
#include "core/pipe_watch.h"

namespace tw::test {
namespace {

class FaultHeldMenu : public FrontTest {
 protected:
  // A press and release in the middle of a control, queued as the platform
  // delivers them, then handled by the loop.
  void ClickThroughLoop(const Control& c) {
    const Rect r = c.FrameBounds();
    const int32_t x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    platform_.Push(Event::MouseEvent(EventType::MouseMove, x, y));
    platform_.Push(Event::MouseEvent(EventType::MouseDown, x, y));
    platform_.Push(Event::MouseEvent(EventType::MouseUp, x, y));
    app_.ProcessMessages();
  }
  void KeyThroughLoop(int32_t key) {
    platform_.Push(Event::KeyDownEvent(static_cast<uint16_t>(key)));
    platform_.Push(Event::KeyUpEvent(static_cast<uint16_t>(key)));
    app_.ProcessMessages();
  }
};

// The player cannot afford the lake: the notice comes up in the game's own
// box, Enter answers it, and the game goes on to another lake. Any box after
// the first (the notice again, or an error) closes the window, so the test
// fails instead of waiting for ever.
TEST_F(FaultHeldMenu, TheNoticeOfTooLittleMoneyIsAnsweredAndAnotherLakeIsPlayed) {
  const std::string folder = GeneratedProgramFolder();
  if (folder.empty()) GTEST_SKIP() << "no generated program folder";
  Start(folder);
  F().SetModalHost(nullptr);  // the application's own box loop
  ClickThroughLoop(*F().title);
  ClickThroughLoop(*F().go);
  ASSERT_GE(F().lakes->Count(), 2);
  F().lakes->SetItemIndex(1);
  F().lakesClick();
  ASSERT_GT(S().EntryFee, 0);
  S().Cash = S().EntryFee - 1;

  std::vector<std::string> seen;
  platform_.WhenIdle = [&] {
    if (&Scr().TopLayer() == &Scr().Root()) return;
    seen.push_back(BoxText(Scr().TopLayer()));
    if (seen.size() > 1) return platform_.Push(Event::Simple(EventType::Close));
    platform_.Push(Event::KeyDownEvent(vk::kReturn));
    platform_.Push(Event::KeyUpEvent(vk::kReturn));
  };
  ClickThroughLoop(*F().showgo);
  ASSERT_FALSE(seen.empty()) << "no box came up";
  EXPECT_NE(seen[0].find("You don't have enough money to enter!"), std::string::npos) << seen[0];
  EXPECT_EQ(seen.size(), 1u) << "Enter did not answer the box: " << seen.back();
  ASSERT_FALSE(app_.Terminated());
  EXPECT_EQ(S().EntryFee - 1, S().Cash);
  EXPECT_FALSE(F().DXTimer.Enabled());
  EXPECT_FALSE(F().loadingbox->Visible());

  // The menu listens again: the first lake (free) is fished and left.
  F().lakes->SetItemIndex(0);
  F().lakesClick();
  ASSERT_LE(S().EntryFee, S().Cash);
  ClickThroughLoop(*F().showgo);
  ASSERT_TRUE(F().DXTimer.Enabled()) << "the next lake started";
  S().LastMonsterIndex = -1;  // no raid may wait for the player
  KeyThroughLoop(vk::kEscape);
  KeyThroughLoop(vk::kReturn);
  for (int i = 0; i < 500 && F().DXTimer.Enabled(); ++i) app_.HandleMessage();
  EXPECT_FALSE(F().DXTimer.Enabled());
  EXPECT_TRUE(F().lakepanel->Visible()) << "back at the lake panel";
  EXPECT_EQ(seen.size(), 1u) << seen.back();
}

TEST_F(FaultHeldMenu, PipesWhereTheSettingsOrASavedGameBelongNeverHoldTheGame) {
  const std::string settings = (dir_ / "tarnwick.ini").string();
  ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
  {
    PipeWatch watch(settings);
    Start();
    EXPECT_FALSE(watch.Stop()) << "the start waited on the pipe";
  }
  EXPECT_EQ(F().speed->ItemIndex(), 0) << "the options keep their defaults";
  EXPECT_TRUE(F().soundon->Checked());
  EXPECT_EQ(F().lakes->Count(), 2) << "the rest of the start ran";

  // A saved game that is a pipe is refused; the game in hand stays.
  Click(*F().title);
  const std::string save = (dir_ / "Pipe.sav").string();
  ASSERT_EQ(::mkfifo(save.c_str(), 0600), 0);
  S().Cash = 321;
  std::string told;
  ChooseFileInBox(save);
  ReadBoxThenOk(told);
  {
    PipeWatch watch(save);
    ClickThroughLoop(*F().loadbutton);
    EXPECT_FALSE(watch.Stop()) << "loading waited on the pipe";
  }
  EXPECT_EQ(told, "Cannot open file " + save + ".");
  EXPECT_EQ(S().Cash, 321);
  EXPECT_EQ(F().playername->Text(), "Player");
}

}  // namespace
}  // namespace tw::test
