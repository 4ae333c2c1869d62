// The options panel and the settings file beside the program.
#include "app/front_fixture.h"
#include "core/error.h"
#include "tournament/setup.h"

namespace tw::test {
namespace {

using OptionsTest = FrontTest;

TEST_F(OptionsTest, BothRadioButtonsTrueLeavesTheLaterOneChecked) {
  WriteText(dir_ / "tarnwick.ini", "[Tarnwick]\nmousedrive=1\nkeydrive=1\nsoundon=1\nsoundoff=1\n");
  Start();
  EXPECT_FALSE(F().mousedrive->Checked());
  EXPECT_TRUE(F().keydrive->Checked());
  EXPECT_FALSE(F().soundon->Checked());
  EXPECT_TRUE(F().soundoff->Checked());
  // Sound off: the device never started and the title is silent.
  EXPECT_FALSE(F().DXSound.Initialized());
  EXPECT_TRUE(played_.empty());
}

TEST_F(OptionsTest, BothRadioButtonsFalseLeavesNeitherCheckedMeaningKeysAndSilence) {
  WriteText(dir_ / "tarnwick.ini", "[Tarnwick]\nmousedrive=0\nkeydrive=0\nsoundon=0\nsoundoff=0\n");
  Start();
  EXPECT_FALSE(F().mousedrive->Checked());
  EXPECT_FALSE(F().keydrive->Checked());
  EXPECT_FALSE(F().soundon->Checked());
  EXPECT_FALSE(F().soundoff->Checked());
  EXPECT_FALSE(F().DXSound.Initialized());
  EXPECT_FALSE(F().GetTournament().SoundOn()) << "no click said so, and still sound is off";
}

TEST_F(OptionsTest, OnlySpeedZeroGivesThirtyFramesAndDefaultsElsewhere) {
  WriteText(dir_ / "tarnwick.ini", "[tarnwick]\nSPEED=0\n");
  Start();
  EXPECT_EQ(F().speed->ItemIndex(), 0);
  EXPECT_EQ(FrameIntervalFor(F().speed->ItemIndex()), 33);
  EXPECT_FALSE(F().flip->Checked());
  EXPECT_TRUE(F().mousedrive->Checked());
  EXPECT_TRUE(F().soundon->Checked());
  EXPECT_TRUE(F().bgsound->Checked());
}

TEST_F(OptionsTest, SpeedOutsideTheListSelectsNothingAndIsSavedAsMinusOne) {
  WriteText(dir_ / "tarnwick.ini", "[Tarnwick]\nspeed=7\nflip=yes\n");
  Start();
  EXPECT_EQ(F().speed->ItemIndex(), -1);
  EXPECT_FALSE(F().flip->Checked()) << "a value that is not a number takes the default";
  F().applyClick();
  EXPECT_NE(ReadText(dir_ / "tarnwick.ini").find("speed=-1"), std::string::npos);
}

TEST_F(OptionsTest, DefaultWhileSoundIsOffTurnsSoundOnButWritesNothing) {
  const std::string saved =
      "[Tarnwick]\nflip=1\nspeed=1\nmousedrive=0\nkeydrive=1\nsoundon=0\nsoundoff=1\n"
      "bgsound=0\neffectsvolume=35\nmusicvolume=0\nintegerscale=1\n";
  WriteText(dir_ / "tarnwick.ini", saved);
  Start();
  ASSERT_FALSE(F().DXSound.Initialized());
  EXPECT_EQ(F().DXSound.GroupVolume(kEffectsGroup), 35);
  EXPECT_EQ(F().DXSound.GroupVolume(kMusicGroup), 0);
  EXPECT_TRUE(platform_.WholePixels) << "the saved scaling is used from the start";
  Click(*F().title);
  Click(*F().option);
  Click(*F().defaultbutton);
  EXPECT_TRUE(F().soundon->Checked());
  EXPECT_TRUE(F().DXSound.Initialized()) << "the Sound ON handler ran";
  EXPECT_EQ(F().speed->ItemIndex(), 0) << "thirty frames a second, the game's own speed";
  EXPECT_TRUE(F().mousedrive->Checked());
  EXPECT_TRUE(F().bgsound->Checked());
  EXPECT_FALSE(F().flip->Checked());
  EXPECT_EQ(F().effectsvolume->Position(), 100);
  EXPECT_EQ(F().musicvolume->Position(), 100);
  EXPECT_FALSE(F().integerscale->Checked());
  EXPECT_FALSE(platform_.WholePixels);
  EXPECT_EQ(ReadText(dir_ / "tarnwick.ini"), saved);

  // A restart without saving brings back the saved choices.
  form_.reset();
  Start();
  EXPECT_TRUE(F().soundoff->Checked());
  EXPECT_EQ(F().speed->ItemIndex(), 1);
}

TEST_F(OptionsTest, DefaultWhileSoundIsOnDoesNotRestartTheDevice) {
  ToMenu();
  const int32_t opens = audio_.OpenCount();
  F().defaultClick();
  EXPECT_EQ(audio_.OpenCount(), opens);
}

TEST_F(OptionsTest, SoundRadioButtonsStopAndStartTheDevice) {
  ToMenu();
  Click(*F().option);
  Click(*F().soundoff);
  EXPECT_FALSE(F().DXSound.Initialized());
  // The surface coming back (a tournament's start or end) leaves it off.
  F().DXDraw.Finalize();
  F().DXDraw.Initialize();
  EXPECT_FALSE(F().DXSound.Initialized());
  played_.clear();
  Click(*F().player);
  EXPECT_TRUE(played_.empty()) << "every sound call is silent with sound off";
  Click(*F().option);
  Click(*F().soundon);
  EXPECT_TRUE(F().DXSound.Initialized());
}

TEST_F(OptionsTest, SaveOptionsWritesEveryKeyInOrderAndKeepsOtherLines) {
  WriteText(dir_ / "tarnwick.ini", "[Other]\nkeep=me\n");
  ToMenu();
  Click(*F().option);
  Click(*F().flip);
  Click(*F().keydrive);
  Click(*F().apply);
  const std::string text = ReadText(dir_ / "tarnwick.ini");
  EXPECT_NE(text.find("[Other]"), std::string::npos);
  EXPECT_NE(text.find("keep=me"), std::string::npos);
  const size_t section = text.find("[Tarnwick]");
  ASSERT_NE(section, std::string::npos);
  EXPECT_EQ(text.substr(section),
            "[Tarnwick]\nflip=1\nspeed=0\nmousedrive=0\nkeydrive=1\nsoundon=1\nsoundoff=0\n"
            "bgsound=1\neffectsvolume=100\nmusicvolume=100\nintegerscale=0\n");
  // Read back at the next start.
  form_.reset();
  Start();
  EXPECT_TRUE(F().flip->Checked());
  EXPECT_TRUE(F().keydrive->Checked());
}

TEST_F(OptionsTest, UnwritableSettingsFileIsReportedAndControlsKeepTheirStates) {
  fs::create_directories(dir_ / "tarnwick.ini");  // a folder cannot be replaced by a file
  ToMenu();
  F().flip->SetChecked(true);
  try {
    F().applyClick();
    FAIL() << "the save should have failed";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir_ / "tarnwick.ini").string());
  }
  EXPECT_TRUE(F().flip->Checked());
}

TEST_F(OptionsTest, SaveFailureThroughTheLoopShowsTheGameErrorBox) {
  fs::create_directories(dir_ / "tarnwick.ini");
  ToMenu();
  Click(*F().option);
  std::string shown;
  ReadBoxThenOk(shown);
  // Delivered by the application loop, which reports what the handler raised.
  const Rect r = F().apply->FrameBounds();
  const int32_t x = r.Left + 5, y = r.Top + 5;
  platform_.Push(Event::MouseEvent(EventType::MouseMove, x, y));
  platform_.Push(Event::MouseEvent(EventType::MouseDown, x, y));
  platform_.Push(Event::MouseEvent(EventType::MouseUp, x, y));
  app_.ProcessMessages();
  EXPECT_EQ(shown, "Unable to write to " + (dir_ / "tarnwick.ini").string() + ".");
  EXPECT_TRUE(platform_.ErrorBoxes().empty()) << "the game's own box, not the system's";
}

}  // namespace
}  // namespace tw::test
