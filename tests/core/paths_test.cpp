// Where the data and the player's files are found: the build tree keeps
// everything beside the program, an installed game (or a folder the player
// cannot write) sends the player's files to the XDG folders, and the XDG
// rules for unset or relative variables hold.
#include "core/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace tw {
namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
 protected:
  PathsTest()
      : root_(fs::temp_directory_path() / ("tarnwick-paths-" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    for (const char* d : {"build/bin", "usr/bin", "usr/share/tarnwick"})
      fs::create_directories(root_ / d);
    env_["HOME"] = "/home/angler";
    search_.ProgramFolder = (root_ / "build/bin").string();
    search_.InstalledData = {(root_ / "usr/share/tarnwick").string(), "/nowhere/share/tarnwick"};
    search_.Env = [this](const char* name) { return env_[name]; };
    search_.Writable = [this](const std::string&) { return writable_; };
  }
  ~PathsTest() override { fs::remove_all(root_); }
  void Library(const char* folder) { std::ofstream(root_ / folder / "objects.dxg") << "x"; }

  fs::path root_;
  std::map<std::string, std::string> env_;
  bool writable_ = true;
  PathSearch search_;
};

TEST_F(PathsTest, TheBuildTreeKeepsEverythingBesideTheProgram) {
  Library("build/bin");
  Library("usr/share/tarnwick");
  const GamePaths p = FindGamePaths(search_);
  EXPECT_EQ(p.Data, search_.ProgramFolder);
  EXPECT_TRUE(p.BesideData);
  EXPECT_EQ(p.SettingsFile, search_.ProgramFolder + "/tarnwick.ini");
  EXPECT_EQ(p.WindowStateFile, search_.ProgramFolder + "/window.ini");
  EXPECT_EQ(p.ReplaysFolder, search_.ProgramFolder + "/replays");
  EXPECT_EQ(p.LogFile, search_.ProgramFolder + "/tarnwick.log");
  EXPECT_EQ(p.PlayerLakes, "");

  // The same folder read-only (another user's build): the player's files move out.
  writable_ = false;
  EXPECT_EQ(FindGamePaths(search_).SettingsFile, "/home/angler/.config/tarnwick/tarnwick.ini");
}

TEST_F(PathsTest, AnInstalledGameUsesTheXdgFoldersEvenWhenItsDataIsWritable) {
  Library("usr/share/tarnwick");
  env_["XDG_DATA_HOME"] = "/data/home";
  env_["XDG_CONFIG_HOME"] = "relative/config";  // not absolute: ignored
  const GamePaths p = FindGamePaths(search_);   // writable, as for root
  EXPECT_EQ(p.Data, (root_ / "usr/share/tarnwick").string());
  EXPECT_EQ(p.Source, DataSource::Installed);
  EXPECT_FALSE(p.BesideData);
  EXPECT_EQ(p.SettingsFile, "/home/angler/.config/tarnwick/tarnwick.ini");
  EXPECT_EQ(p.WindowStateFile, "/home/angler/.config/tarnwick/window.ini");
  EXPECT_EQ(p.SavesFolder, "/data/home/tarnwick/saves");
  EXPECT_EQ(p.ReplaysFolder, "/data/home/tarnwick/replays");
  EXPECT_EQ(p.PlayerLakes, "/data/home/tarnwick/lakes");
  EXPECT_EQ(p.LogFile, "/home/angler/.local/state/tarnwick/tarnwick.log");
}

TEST_F(PathsTest, GivenDataWinsAndMissingDataPointsWhereTheErrorShouldSay) {
  Library("build/bin");
  search_.GivenData = (root_ / "usr/../usr/share/tarnwick").string();
  const GamePaths given = FindGamePaths(search_);
  EXPECT_EQ(given.Data, (root_ / "usr/share/tarnwick").string());
  EXPECT_EQ(given.Source, DataSource::Given);
  EXPECT_TRUE(given.BesideData);

  // Nothing anywhere: the installed folder that exists, and without it the
  // program's own folder (where make would have put the data).
  search_.GivenData.clear();
  fs::remove(root_ / "build/bin/objects.dxg");
  EXPECT_EQ(FindGamePaths(search_).Data, (root_ / "usr/share/tarnwick").string());
  fs::remove_all(root_ / "usr/share/tarnwick");
  EXPECT_EQ(FindGamePaths(search_).Data, search_.ProgramFolder);
}

}  // namespace
}  // namespace tw
