// A whole visit to a lake on the generated data: the menu hands over to the
// frame timer, the tournament ends on the player's word, and the menu comes
// back with the lake panel.
#include "app/front_fixture.h"
#include "play/input.h"

namespace tw::test {
namespace {

class TournamentTest : public FrontTest {
 protected:
  void SetUp() override {
    folder_ = GeneratedProgramFolder();
    if (folder_.empty()) GTEST_SKIP() << "no generated program folder";
    Start(folder_);
    Click(*F().title);
    Click(*F().go);
    F().lakes->SetItemIndex(0);
    F().lakesClick();
  }
  // Runs the timer in the slot up to `n` times; stops when none runs.
  int Frames(int n) {
    int done = 0;
    for (; done < n; ++done) {
      TDXTimer* t = app_.Timers().Installed();
      if (!t || !t->OnTimer) break;
      t->OnTimer(*t, 1);
    }
    return done;
  }
  // Starts the chosen lake and quits it at once through the quit prompt.
  void PlayAndQuit() {
    S().Cash = 1000;
    Click(*F().showgo);
    ASSERT_TRUE(F().DXDraw.Visible());
    S().LastMonsterIndex = -1;
    Key(vk::Escape);
    Key(vk::Return);
    ASSERT_LT(Frames(500), 500);
  }
  std::string folder_;
};

TEST_F(TournamentTest, FishThisLakeStartsPlayAndQuittingReturnsToTheLakePanel) {
  S().Cash = 1000;
  const int32_t fee = S().EntryFee;
  Click(*F().showgo);
  ASSERT_TRUE(F().DXDraw.Visible()) << "the play surface took over";
  EXPECT_TRUE(F().DXTimer.Enabled());
  EXPECT_EQ(S().Cash, 1000 - fee);
  EXPECT_FALSE(F().image->Visible());
  EXPECT_FALSE(F().lakepanel->Visible());
  EXPECT_FALSE(F().loadingbox->Visible());
  EXPECT_EQ(F().status->Caption, "Player    Cash: $" + std::to_string(1000 - fee));
  // No monster may raid while the test drives: a raid waits for the player.
  S().LastMonsterIndex = -1;

  const int presents = platform_.PresentCount();
  EXPECT_EQ(Frames(10), 10);
  EXPECT_GE(platform_.PresentCount(), presents + 10);

  // Mouse over the play surface goes to the tournament, not the menu.
  F().OnMouseMove(0, 200, 150);
  EXPECT_EQ(S().MouseX, 200);
  EXPECT_EQ(S().MouseY, 150);

  Key(vk::Escape);
  EXPECT_EQ(S().QuitQuery, 1);
  Key(vk::Return);
  EXPECT_EQ(S().GameOver, 1);
  EXPECT_LT(Frames(500), 500) << "the tournament ended";

  EXPECT_FALSE(F().DXDraw.Visible());
  EXPECT_TRUE(F().DXDraw.Initialized());
  EXPECT_FALSE(F().DXTimer.Enabled());
  EXPECT_TRUE(F().lakepanel->Visible());
  EXPECT_FALSE(F().players->Visible());
  EXPECT_TRUE(F().image->Visible());
  EXPECT_TRUE(F().status->Visible());
  EXPECT_GT(F().lakes->Count(), 0);
  // The menu is painted again.
  const int before = platform_.PresentCount();
  F().PaintMenu();
  EXPECT_GT(platform_.PresentCount(), before);
}

TEST_F(TournamentTest, PageFlippingOnceChosenStaysForLaterTournaments) {
  F().flip->SetChecked(true);
  PlayAndQuit();
  EXPECT_TRUE(platform_.LastOptions().PageFlip);
  F().flip->SetChecked(false);
  S().Cash = 1000;
  Click(*F().showgo);
  EXPECT_TRUE(platform_.LastOptions().PageFlip);
  EXPECT_TRUE(platform_.LastOptions().WaitVBlank);
}

TEST_F(TournamentTest, GameSpeedSetsTheFrameIntervalAndNoChoiceKeepsIt) {
  F().speed->SetItemIndex(0);
  PlayAndQuit();
  EXPECT_EQ(F().DXTimer.Interval(), 33u);
  F().speed->SetItemIndex(-1);
  S().Cash = 1000;
  Click(*F().showgo);
  EXPECT_EQ(F().DXTimer.Interval(), 33u);
}

TEST_F(TournamentTest, TooLittleCashForTheFeeIsRefused) {
  S().EntryFee = 100;
  S().Cash = 99;
  std::string told;
  ReadBoxThenOk(told);
  Click(*F().showgo);
  EXPECT_EQ(told, "You don't have enough money to enter!");
  EXPECT_FALSE(F().DXDraw.Visible());
  EXPECT_TRUE(F().lakepanel->Visible());
  EXPECT_EQ(S().Cash, 99);
}

TEST_F(TournamentTest, FishThisLakeUsesTheLakeReadLastEvenAfterTheListWasRefilled) {
  F().FillLakeList();
  EXPECT_EQ(F().lakes->ItemIndex(), -1);
  S().Cash = 1000;
  Click(*F().showgo);
  EXPECT_TRUE(F().DXDraw.Visible());
}

// The main window shows set-up's steps: one more dot on the loading box per
// step, kept from one set-up to the next, and "Loading." once play begins.
// A lake whose tiles are missing is refused after the first step and the
// fee is given back on the status line.
TEST_F(FrontTest, LoadingBoxCountsSetUpStepsAndTheStatusLineFollowsTheFee) {
  ToMenu();
  Click(*F().go);
  F().lakes->SetItemIndex(0);
  F().lakesClick();  // Pine Pond: fee 10, no tile library in this folder
  ASSERT_EQ(F().loading->Caption, "Loading");
  for (const char* dots : {"Loading.", "Loading.."}) {
    EXPECT_THROW(Click(*F().showgo), GameError);
    EXPECT_EQ(F().loading->Caption, dots);
    EXPECT_FALSE(F().loadingbox->Visible());
    EXPECT_EQ(F().status->Caption, "Player    Cash: $50");
    EXPECT_TRUE(F().lakepanel->Visible());
  }
}

}  // namespace
}  // namespace tw::test
