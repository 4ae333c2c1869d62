// An installed game: the data folder is only read, and everything the player
// does lands in folders of their own, made when first needed: the options,
// the window, the saved games (the dialogs start there), and the lakes they
// were sent.
#include "app/front_fixture.h"
#include "media/picture.h"

namespace tw::test {
namespace {

using PlayerFilesTest = FrontTest;

TEST_F(PlayerFilesTest, OptionsSavesAndSentLakesLiveInThePlayersFolders) {
  const fs::path home = dir_ / "home";
  GamePaths paths;
  paths.Data = dir_.string();
  paths.BesideData = false;
  paths.SettingsFile = (home / "config/tarnwick/tarnwick.ini").string();
  paths.WindowStateFile = (home / "config/tarnwick/window.ini").string();
  paths.SavesFolder = (home / "share/tarnwick/saves").string();
  paths.ReplaysFolder = (home / "share/tarnwick/replays").string();
  paths.PlayerLakes = (home / "share/tarnwick/lakes").string();
  WriteText(home / "share/tarnwick/lakes/Sent Lake.ini",
            "[Lake Data]\nDescription=From a friend\n");
  WriteText(home / "share/tarnwick/lakes/Sent Lake.iso", "its map");
  // The window's icon: black is see-through.
  Picture icon;
  icon.Width = icon.Height = 2;
  icon.Pixels = {0x000000, 0x20A040, 0x20A040, 0x20A040};
  fs::create_directories(dir_ / "ui");
  WriteBytes(dir_ / "ui/icon.bmp", EncodeBitmapFile(icon));
  newPlayer_ = true;
  StartWith(paths);
  EXPECT_EQ(platform_.Icon, (std::vector<uint32_t>{0, 0xFF20A040, 0xFF20A040, 0xFF20A040}));
  EXPECT_TRUE(fs::exists(paths.WindowStateFile)) << "the window is remembered from the start";
  Click(*F().title);
  ASSERT_TRUE(F().Help().IsOpen()) << "a new player sees the controls first";
  Key(27);

  Click(*F().option);
  Click(*F().keydrive);
  Click(*F().apply);
  EXPECT_NE(ReadText(paths.SettingsFile).find("keydrive=1"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "tarnwick.ini"));

  Click(*F().player);
  ChooseFileInBox("Angler.sav");
  Click(*F().savebutton);
  EXPECT_TRUE(fs::exists(home / "share/tarnwick/saves/Angler.sav"));

  Click(*F().go);
  ASSERT_EQ(F().lakes->Items(), (std::vector<std::string>{"Pine Pond", "Mud Creek", "Sent Lake"}));
  F().lakes->SetItemIndex(2);
  F().lakesClick();
  EXPECT_EQ(F().lakeinfo->Lines().front(), "From a friend");
  EXPECT_TRUE(host_.Steps.empty());
}

}  // namespace
}  // namespace tw::test
