// Start-up, the title, the menu panels and the way out through the quit box
// and the promotional window.
#include "app/front_fixture.h"

namespace tw::test {
namespace {

using StartMenuTest = FrontTest;

TEST_F(StartMenuTest, FirstStartWithoutSettingsShowsTitleWithMusicAndDefaults) {
  StartAsNewPlayer();
  EXPECT_FALSE(fs::exists(dir_ / "tarnwick.ini"));
  // Only the title, over the whole screen.
  EXPECT_TRUE(F().title->Visible());
  EXPECT_EQ(F().title->FrameBounds().Left, 0);
  EXPECT_EQ(F().title->Width, 640);
  EXPECT_EQ(F().title->Height, 480);
  for (Control* c : {static_cast<Control*>(F().image), static_cast<Control*>(F().players),
                     static_cast<Control*>(F().options), static_cast<Control*>(F().lakepanel),
                     static_cast<Control*>(F().status), static_cast<Control*>(F().go),
                     static_cast<Control*>(F().quit)})
    EXPECT_FALSE(c->Visible()) << c->Name;
  EXPECT_TRUE(F().version->Visible()) << "the version on the title's corner";
  // Options at their defaults, sound running, the title music on.
  EXPECT_EQ(F().speed->ItemIndex(), 0) << "thirty frames a second, the game's own speed";
  EXPECT_EQ(F().effectsvolume->Position(), 100);
  EXPECT_EQ(F().musicvolume->Position(), 100);
  EXPECT_FALSE(F().integerscale->Checked());
  EXPECT_FALSE(F().flip->Checked());
  EXPECT_TRUE(F().mousedrive->Checked());
  EXPECT_TRUE(F().soundon->Checked());
  EXPECT_TRUE(F().bgsound->Checked());
  EXPECT_TRUE(F().DXSound.Initialized());
  EXPECT_EQ(Played("music"), 1);
  // The start values and the first two catalogue slots, nothing read yet.
  EXPECT_EQ(S().Cash, 50);
  EXPECT_EQ(S().PlayerLevel, 2);
  EXPECT_EQ(S().LastFishIndex, 128);
  EXPECT_EQ(S().BoatSprite, "boat1");
  EXPECT_EQ(F().status->Caption, "Player    Cash: $50");
  EXPECT_EQ(F().lakes->Items(), (std::vector<std::string>{"Pine Pond", "Mud Creek"}));
  EXPECT_EQ(F().lakes->ItemIndex(), 0);
  EXPECT_FALSE(F().showgo->Visible());
  // The title was presented on the display.
  EXPECT_TRUE(platform_.DisplayTaken());
  EXPECT_GT(platform_.PresentCount(), 0);
}

TEST_F(StartMenuTest, TitleClickStopsMusicAndShowsPlayerPanel) {
  Start();
  Click(*F().title);
  EXPECT_FALSE(F().title->Visible());
  EXPECT_FALSE(F().background.Find("music").Sounding());
  for (Control* c : {static_cast<Control*>(F().image), static_cast<Control*>(F().players),
                     static_cast<Control*>(F().player), static_cast<Control*>(F().status),
                     static_cast<Control*>(F().option), static_cast<Control*>(F().go),
                     static_cast<Control*>(F().quit)})
    EXPECT_TRUE(c->Visible()) << c->Name;
  EXPECT_EQ(F().players->Left, 48);
  EXPECT_EQ(F().players->Top, 96);
}

TEST_F(StartMenuTest, BackgroundSoundsOffSilencesTitleButPanelsStillClick) {
  WriteText(dir_ / "tarnwick.ini", "[Tarnwick]\nbgsound=0\n");
  Start();
  EXPECT_EQ(Played("music"), 0);
  Click(*F().title);
  Click(*F().option);
  Click(*F().player);
  EXPECT_EQ(Played("cast"), 2);
}

TEST_F(StartMenuTest, MissingSoundLibraryIsReportedAndTheRestOfStartIsSkipped) {
  fs::remove(dir_ / "sound.dxw");
  WriteText(dir_ / "tarnwick.ini", "[Tarnwick]\nsoundon=0\nsoundoff=1\n");
  Start();
  ASSERT_EQ(platform_.ErrorBoxes().size(), 1u);
  EXPECT_EQ(platform_.ErrorBoxes()[0].Title, "Tarnwick");
  EXPECT_EQ(platform_.ErrorBoxes()[0].Text,
            "Cannot open file " + (dir_ / "sound.dxw").string() + ".");
  // The settings were never read and the lake list never filled.
  EXPECT_TRUE(F().soundon->Checked());
  EXPECT_EQ(F().lakes->Count(), 0);
  // The program still starts: the title is up and a click reaches the menu.
  EXPECT_TRUE(F().DXDraw.Initialized());
  Click(*F().title);
  EXPECT_TRUE(F().players->Visible());
}

TEST_F(StartMenuTest, PanelsShareOnePlaceAndOneShowsAtATime) {
  ToMenu();
  Click(*F().option);
  EXPECT_TRUE(F().options->Visible());
  EXPECT_FALSE(F().players->Visible());
  EXPECT_EQ(F().options->Left, 48);
  EXPECT_EQ(F().options->Top, 96);
  Click(*F().go);
  EXPECT_TRUE(F().lakepanel->Visible());
  EXPECT_FALSE(F().options->Visible());
  EXPECT_EQ(F().lakepanel->Left, 48);
  Click(*F().player);
  EXPECT_TRUE(F().players->Visible());
  EXPECT_FALSE(F().lakepanel->Visible());
  EXPECT_EQ(Played("cast"), 3);
}

TEST_F(StartMenuTest, GoRightAfterStartSelectsFirstLakeWithoutReadingIt) {
  ToMenu();
  F().lakes->SetItemIndex(-1);
  Click(*F().go);
  EXPECT_EQ(F().lakes->ItemIndex(), 0);
  EXPECT_EQ(F().lakeinfo->Lines().size(), 7u);
  EXPECT_EQ(F().lakeinfo->Lines()[1], " Choose a lake from the list on the left");
  EXPECT_FALSE(F().showgo->Visible());
  EXPECT_EQ(S().LastFishIndex, 128);
}

TEST_F(StartMenuTest, QuitBoxLiesOverAnyPanelAndPanelButtonsHideIt) {
  ToMenu();
  Click(*F().quit);
  EXPECT_TRUE(F().quitbox->Visible());
  EXPECT_TRUE(F().players->Visible());
  EXPECT_EQ(Played("cast"), 1);
  Click(*F().player);
  EXPECT_FALSE(F().quitbox->Visible());
  EXPECT_TRUE(F().players->Visible());

  Click(*F().quit);
  Click(*F().noquit);
  EXPECT_FALSE(F().quitbox->Visible());
  EXPECT_FALSE(app_.Terminated());
}

// ---- the way out ----

class QuitTest : public FrontTest {
 protected:
  // "Ok" in the quit box, with the promotional window's events queued.
  void OkQuitWith(const std::vector<Event>& adEvents) {
    ToMenu();
    Click(*F().quit);
    for (Event e : adEvents) {
      e.Window = WindowId::Second;
      platform_.Push(e);
    }
    // Should the script not close the window, the main window's close
    // ends the loop instead of hanging the test.
    platform_.Push(Event::Simple(EventType::Close));
    Click(*F().okquit);
  }
  static Event At(EventType type, int32_t x, int32_t y, MouseButton b = MouseButton::Left) {
    return Event::MouseEvent(type, x, y, b);
  }
  size_t Pending() const { return platform_.PendingEvents(); }
};

TEST_F(QuitTest, ClickOnPictureOpensStorePageClosesAndEnds) {
  OkQuitWith({At(EventType::MouseMove, 100, 100), At(EventType::MouseDown, 100, 100),
              At(EventType::MouseUp, 100, 100)});
  EXPECT_EQ(platform_.OpenedUrls(), std::vector<std::string>{TAdForm::kStoreUrl});
  EXPECT_EQ(Pending(), 1u) << "the window closed on the release";
  EXPECT_TRUE(app_.Terminated());
  EXPECT_TRUE(F().Closed());
  // Shown on the desktop: the display had been given back, the main
  // window hidden, the sound device stopped.
  EXPECT_FALSE(platform_.DisplayTaken());
  EXPECT_FALSE(platform_.MainWindowVisible());
  EXPECT_FALSE(F().DXSound.Initialized());
  EXPECT_FALSE(platform_.SecondWindowOpen());
  EXPECT_EQ(platform_.SecondWidth(), 512);
  EXPECT_EQ(platform_.SecondHeight(), 384);
}

TEST_F(QuitTest, PressOnPictureReleasedElsewhereLeavesWindowOpen) {
  OkQuitWith({At(EventType::MouseDown, 100, 100), At(EventType::MouseMove, 600, 500),
              At(EventType::MouseUp, 600, 500), At(EventType::MouseMove, 50, 50)});
  // The main window's close had to end the loop: the ad stayed up.
  EXPECT_EQ(Pending(), 0u);
  EXPECT_TRUE(ad_->Armed());
  EXPECT_EQ(platform_.OpenedUrls().size(), 1u);
}

TEST_F(QuitTest, ReleaseOverPictureAfterArmingCloses) {
  OkQuitWith({At(EventType::MouseDown, 100, 100, MouseButton::Right),
              At(EventType::MouseUp, 100, 100, MouseButton::Right)});
  // Any button arms; only the left one opens the page.
  EXPECT_TRUE(platform_.OpenedUrls().empty());
  EXPECT_EQ(Pending(), 1u);
}

TEST_F(QuitTest, CloseButtonAndCloseBoxEndWithoutOpeningAnyPage) {
  OkQuitWith({At(EventType::MouseMove, 470, 368), At(EventType::MouseDown, 470, 368),
              At(EventType::MouseUp, 470, 368)});
  EXPECT_TRUE(platform_.OpenedUrls().empty());
  EXPECT_EQ(Pending(), 1u);
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(QuitTest, CloseBoxOfPromotionalWindowEnds) {
  OkQuitWith({Event::Simple(EventType::Close, WindowId::Second)});
  EXPECT_TRUE(platform_.OpenedUrls().empty());
  EXPECT_EQ(Pending(), 1u);
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(QuitTest, NothingIsSavedOnTheWayOut) {
  OkQuitWith({Event::Simple(EventType::Close, WindowId::Second)});
  EXPECT_FALSE(fs::exists(dir_ / "tarnwick.ini"));
}

}  // namespace
}  // namespace tw::test
