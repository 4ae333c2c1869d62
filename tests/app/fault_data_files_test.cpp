// Data files that are damaged or lack a picture, met at start-up and in the
// middle of a tournament: each problem reaches the player in the error box
// and the program carries on from there.
#include "app/front_fixture.h"
#include "play/input.h"

namespace tw::test {
namespace {

using FaultDataFiles = FrontTest;

TEST_F(FaultDataFiles, DamagedMusicLibraryAtStartIsReportedAndTheMenuStillOpens) {
  WriteText(dir_ / "music.dxw", "RIFF this is no library at all");
  Start();
  ASSERT_EQ(platform_.ErrorBoxes().size(), 1u);
  EXPECT_EQ(platform_.ErrorBoxes()[0].Title, "Tarnwick");
  EXPECT_EQ(platform_.ErrorBoxes()[0].Text, "Library file " + (dir_ / "music.dxw").string() +
                                                " is damaged: Invalid stream format.");
  EXPECT_TRUE(F().DXDraw.Initialized());
  Click(*F().title);
  EXPECT_TRUE(F().players->Visible());
}

// A picture the game asks for every frame is missing from the library: each
// frame is reported and cut short, the loop keeps ticking, and once the
// picture is there again play goes on and can be ended as usual.
TEST_F(FaultDataFiles, PictureMissingMidTournamentIsReportedAndPlayGoesOn) {
  const std::string folder = GeneratedProgramFolder();
  if (folder.empty()) GTEST_SKIP() << "no generated program folder";
  Start(folder);
  Click(*F().title);
  Click(*F().go);
  F().lakes->SetItemIndex(0);
  F().lakesClick();
  S().Cash = 1000;
  Click(*F().showgo);
  ASSERT_TRUE(F().DXTimer.Enabled());
  S().LastMonsterIndex = -1;  // no raid may wait for the player meanwhile

  auto loop = [&](int passes) {
    for (int i = 0; i < passes; ++i) {
      platform_.GetClock().Advance(50);
      app_.HandleMessage();
    }
  };
  // The error box of the game's frame comes up once for every frame.
  S().BoatSprite = "boat9";
  for (int frame = 0; frame < 3; ++frame) {
    std::string told;
    ReadBoxThenOk(told);
    loop(1);
    EXPECT_NE(told.find("Image 'boat9' not found."), std::string::npos) << told;
  }
  EXPECT_TRUE(F().DXTimer.Enabled()) << "the frame timer keeps running";

  S().BoatSprite = "boat1";
  const int presents = platform_.PresentCount();
  loop(5);  // no box may come up now: the script has no step for one
  EXPECT_GT(platform_.PresentCount(), presents) << "whole frames are shown again";

  Key(vk::Escape);
  Key(vk::Return);
  for (int i = 0; i < 500 && F().DXTimer.Enabled(); ++i) loop(1);
  EXPECT_FALSE(F().DXTimer.Enabled());
  EXPECT_TRUE(F().lakepanel->Visible()) << "the tournament ended into the menu";
}

}  // namespace
}  // namespace tw::test
