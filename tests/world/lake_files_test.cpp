#include "world/lake_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tw {
namespace {

struct LakeFilesTest : ::testing::Test {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tw_world_lakes_" + std::to_string(::getpid()));
  void SetUp() override { std::filesystem::create_directories(folder / "lakes"); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void Write(const std::string& relative, const std::string& text) {
    std::ofstream(folder / relative) << text;
  }
  std::vector<std::string> Catalogue(int32_t level) {
    return ReadLakeCatalogue(folder.string(), level);
  }
};

TEST_F(LakeFilesTest, CatalogueSkipsEmptySlotsAndStopsAtThePlayerLevel) {
  Write("lakes/lakes.ini", "[Lakes]\nlake1=Pine Pond\nlake3=Big Bayou\nlake4=Canyon\nlake5=X\n");
  EXPECT_EQ(Catalogue(3), (std::vector<std::string>{"Pine Pond", "Big Bayou"}));
  EXPECT_EQ(Catalogue(2), (std::vector<std::string>{"Pine Pond"}));
  EXPECT_EQ(Catalogue(255).size(), 4u);
  EXPECT_TRUE(Catalogue(0).empty());
  EXPECT_TRUE(Catalogue(-5).empty());
  EXPECT_EQ(Catalogue(INT32_MAX).size(), 4u);  // a wild saved level still returns promptly
}

TEST_F(LakeFilesTest, CatalogueSkipsOnlyAnExactNAAndNamesLeavingTheFolder) {
  Write("lakes/lakes.ini",
        "[LAKES]\nLAKE1=NA\nlake2=na\nlake3=../secret\nlake4=sub/lake\nlake5=a\\b\nlake6=Ok\n");
  EXPECT_EQ(Catalogue(6), (std::vector<std::string>{"na", "Ok"}));
}

TEST_F(LakeFilesTest, MissingCatalogueListsNothing) {
  EXPECT_TRUE(Catalogue(10).empty());
}

TEST_F(LakeFilesTest, DefinitionWithOnlyADescriptionTakesEveryDefault) {
  Write("lakes/Pine.ini", "[Lake Data]\nDescription=  A quiet pond  \n");
  const LakeDefinition d = ReadLakeDefinition(LakePath(folder.string(), "Pine", ".ini"));
  EXPECT_EQ(d.Description, "A quiet pond");
  EXPECT_EQ(d.MaxFish, 16);
  EXPECT_EQ(d.Maxmonster, 3);
  EXPECT_EQ(d.MonsterKind, "Monster");
  EXPECT_EQ(d.Biggest, 24);
  EXPECT_EQ(d.Difficulty, 10);
  EXPECT_FALSE(d.Timed);
  EXPECT_EQ(d.Time, 0);
  EXPECT_EQ(d.ImageLib, "canada.dxg");
  EXPECT_EQ(d.EntryFee, 0);
  EXPECT_EQ(d.PrizeMoney, 0);
  EXPECT_EQ(d.Limit, 6);
  EXPECT_EQ(d.WinIf, 1);
  EXPECT_EQ(d.Level, 1);
  EXPECT_EQ(ReadLakeDefinition((folder / "lakes/none.ini").string()).Description, "No Description");
}

TEST_F(LakeFilesTest, DefinitionReadsEveryKeyAndKeepsCountsInsideTheTables) {
  Write("lakes/Bayou.ini",
        "[Lake Data]\nDescription=Swamp\nMaxFish=0\nMaxmonster=9999\nMonsterKind=Gator\n"
        "Biggest=40\nDifficulty=$10\nTimed=1\nTime=120\nImageLib=bayou.dxg\nEntryFee=50\n"
        "PrizeMoney=500\nLimit=10\nWinIf=0\nLevel=4\n");
  const LakeDefinition d = ReadLakeDefinition(LakePath(folder.string(), "Bayou", ".ini"));
  EXPECT_EQ(d.MaxFish, 0);
  EXPECT_EQ(d.Maxmonster, 257);
  EXPECT_EQ(d.MonsterKind, "Gator");
  EXPECT_EQ(d.Biggest, 40);
  EXPECT_EQ(d.Difficulty, 16);
  EXPECT_TRUE(d.Timed);
  EXPECT_EQ(TimeLimitFrames(d), 3600);
  EXPECT_EQ(d.ImageLib, "bayou.dxg");
  EXPECT_EQ(d.EntryFee, 50);
  EXPECT_EQ(d.PrizeMoney, 500);
  EXPECT_EQ(d.Limit, 10);
  EXPECT_EQ(d.WinIf, 0);
  EXPECT_EQ(d.Level, 4);

  Write("lakes/Odd.ini", "[Lake Data]\nMaxFish=-3\nTimed=yes\nTime=99999999\nLimit=ten\n");
  const LakeDefinition odd = ReadLakeDefinition(LakePath(folder.string(), "Odd", ".ini"));
  EXPECT_EQ(odd.MaxFish, 0);
  EXPECT_FALSE(odd.Timed);
  EXPECT_EQ(TimeLimitFrames(odd), INT32_MAX);
  EXPECT_EQ(odd.Limit, 6);
}

TEST_F(LakeFilesTest, LakePathsLieInTheLakesFolder) {
  EXPECT_EQ(LakePath("/games/tw", "Pine Pond", ".iso"), "/games/tw/lakes/Pine Pond.iso");
  EXPECT_EQ(LakePath("/games/tw/", "x", ".bmp"), "/games/tw/lakes/x.bmp");
}

// The player's own lakes come after the game's opened ones whatever the
// level; a name in both is listed once and played from the player's copy.
TEST_F(LakeFilesTest, PlayerLakesFollowTheGamesAndTheirCopiesWin) {
  Write("lakes/lakes.ini", "[Lakes]\nlake1=Pine Pond\nlake2=Mud Creek\nlake3=Deep Bay\n");
  std::filesystem::create_directories(folder / "mine");
  Write("mine/Sent Lake.iso", "map");
  Write("mine/Mud Creek.ini", "[Lake Data]\nDescription=Mine\n");
  Write("mine/.hidden.iso", "map");
  const LakeFolders both{folder.string(), (folder / "mine").string()};
  // Without a catalogue of its own, every map in the folder by name.
  EXPECT_EQ(ReadLakeCatalogue(both, 1), (std::vector<std::string>{"Pine Pond", "Sent Lake"}));
  EXPECT_EQ(LakePath(both, "Mud Creek", ".iso"), (folder / "mine/Mud Creek.iso").string());
  EXPECT_EQ(LakePath(both, "Pine Pond", ".iso"), (folder / "lakes/Pine Pond.iso").string());

  Write("mine/lakes.ini", "[Lakes]\nlake1=Mud Creek\nlake2=../../etc\nlake3=Sent Lake\n");
  EXPECT_EQ(ReadLakeCatalogue(both, 2),
            (std::vector<std::string>{"Pine Pond", "Mud Creek", "Sent Lake"}));
  EXPECT_EQ(ReadLakeCatalogue(LakeFolders{folder.string(), ""}, 2).size(), 2u);
}

}  // namespace
}  // namespace tw
