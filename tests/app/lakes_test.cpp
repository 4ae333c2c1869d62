// The lake list and choosing a lake: catalogue gaps, the definition read
// into the game record, the description and the preview.
#include "app/front_fixture.h"
#include "media/picture.h"

namespace tw::test {
namespace {

using LakesTest = FrontTest;

TEST_F(LakesTest, CatalogueGapsAreSkippedAndOnlyOpenedSlotsListed) {
  WriteText(dir_ / "lakes" / "lakes.ini", "[Lakes]\nlake1=First\nlake3=Third\nlake4=Fourth\n");
  ToMenu();
  EXPECT_EQ(F().lakes->Items(), std::vector<std::string>{"First"})
      << "level 2 offers slots 1 and 2";
  S().PlayerLevel = 3;
  F().FillLakeList();
  EXPECT_EQ(F().lakes->Items(), (std::vector<std::string>{"First", "Third"}));
  EXPECT_EQ(S().CatalogueEntry, "Third");
  S().PlayerLevel = 0;
  F().FillLakeList();
  EXPECT_EQ(F().lakes->Count(), 0);
}

TEST_F(LakesTest, NamesReachingOutsideTheLakesFolderAreLeftOut) {
  WriteText(dir_ / "lakes" / "lakes.ini", "[Lakes]\nlake1=../secret\nlake2=Good\n");
  ToMenu();
  EXPECT_EQ(F().lakes->Items(), std::vector<std::string>{"Good"});
}

TEST_F(LakesTest, ClickingALakeReadsItsRulesDescriptionAndShowsFishThisLake) {
  WriteText(dir_ / "lakes" / "Mud Creek.ini",
            "[Lake Data]\nDescription=Muddy water\nMaxFish=0\nMaxmonster=1000\n"
            "MonsterKind=Gator\nBiggest=30\nDifficulty=4\nTimed=1\nTime=120\n"
            "ImageLib=bayou.dxg\nEntryFee=$20\nPrizeMoney=500\nLimit=5\nWinIf=0\nLevel=4\n");
  ToMenu();
  Click(*F().go);
  F().lakes->SetItemIndex(1);
  F().lakesClick();
  EXPECT_EQ(F().lakeinfo->Lines(), std::vector<std::string>{"Muddy water"});
  EXPECT_EQ(S().LastFishIndex, -1) << "no ordinary fish";
  EXPECT_EQ(S().LastMonsterIndex, 256) << "held to the monster table";
  EXPECT_EQ(S().MonsterKind, "Gator");
  EXPECT_EQ(S().Biggest, 30);
  EXPECT_EQ(S().Difficulty, 4);
  EXPECT_EQ(S().Timed, 1);
  EXPECT_EQ(S().TimeLimit, 3600);
  EXPECT_EQ(S().ImageLib, "bayou.dxg");
  EXPECT_EQ(S().EntryFee, 32);
  EXPECT_EQ(S().PrizeMoney, 500);
  EXPECT_EQ(S().Limit, 5);
  EXPECT_EQ(S().WinIf, 0);
  EXPECT_EQ(S().LakeLevel, 4);
  EXPECT_TRUE(F().showgo->Visible());
}

TEST_F(LakesTest, DefinitionWithOnlyADescriptionTakesEveryDefault) {
  WriteText(dir_ / "lakes" / "Mud Creek.ini", "[Lake Data]\nDescription=Plain\nTimed=yes\n");
  ToMenu();
  F().lakes->SetItemIndex(1);
  F().lakesClick();
  EXPECT_EQ(S().LastFishIndex, 15);
  EXPECT_EQ(S().LastMonsterIndex, 2);
  EXPECT_EQ(S().MonsterKind, "Monster");
  EXPECT_EQ(S().Biggest, 24);
  EXPECT_EQ(S().Timed, 0) << "\"yes\" is not a number";
  EXPECT_EQ(S().ImageLib, "canada.dxg");
  EXPECT_EQ(S().EntryFee, 0);
  EXPECT_EQ(S().PrizeMoney, 0);
  EXPECT_EQ(S().Limit, 6);
  EXPECT_EQ(S().WinIf, 1);
  EXPECT_EQ(S().LakeLevel, 1);
}

TEST_F(LakesTest, MissingDefinitionFileIsNoErrorAndGivesTheDefaults) {
  fs::remove(dir_ / "lakes" / "Mud Creek.ini");
  ToMenu();
  F().lakes->SetItemIndex(1);
  F().lakesClick();
  EXPECT_EQ(F().lakeinfo->Lines(), std::vector<std::string>{"No Description"});
  EXPECT_EQ(S().LastFishIndex, 15);
  EXPECT_TRUE(F().showgo->Visible());
}

TEST_F(LakesTest, ClickingEmptyListSpaceChangesNothing) {
  ToMenu();
  Click(*F().go);
  F().lakes->SetItemIndex(-1);
  const Rect r = F().lakes->FrameBounds();
  const int32_t x = r.Left + 20, y = r.Bottom - 10;  // below the two entries
  F().OnMouseMove(0, x, y);
  F().OnMouseDown(MouseButton::Left, 0, x, y);
  F().OnMouseUp(MouseButton::Left, 0, x, y);
  EXPECT_EQ(F().lakeinfo->Lines().size(), 7u);
  EXPECT_FALSE(F().showgo->Visible());
  EXPECT_EQ(S().LastFishIndex, 128);
}

TEST_F(LakesTest, ClickingAnEntryWithTheMouseReadsIt) {
  ToMenu();
  Click(*F().go);
  const Rect r = F().lakes->FrameBounds();
  const int32_t x = r.Left + 20, y = r.Top + 2 + F().lakes->ItemHeight() / 2;
  F().OnMouseMove(0, x, y);
  F().OnMouseDown(MouseButton::Left, 0, x, y);
  F().OnMouseUp(MouseButton::Left, 0, x, y);
  EXPECT_EQ(F().SelectedLake(), "Pine Pond");
  EXPECT_EQ(S().LastFishIndex, 19);
  EXPECT_EQ(S().EntryFee, 10);
}

TEST_F(LakesTest, PreviewIsShownAndKeptWhenTheNextLakeHasNone) {
  Picture blue;
  blue.Width = 200;
  blue.Height = 198;
  blue.Pixels.assign(200 * 198, 0x2040C0);
  WriteBytes(dir_ / "lakes" / "Pine Pond.bmp", EncodeBitmapFile(blue));
  ToMenu();
  F().lakes->SetItemIndex(0);
  F().lakesClick();
  EXPECT_EQ(F().map->GetPicture().Width, 200);
  EXPECT_EQ(F().map->GetPicture().At(10, 10), 0x2040C0u);
  F().lakes->SetItemIndex(1);
  F().lakesClick();
  EXPECT_EQ(F().map->GetPicture().At(10, 10), 0x2040C0u) << "the last preview stays";
}

TEST_F(LakesTest, DamagedPreviewRaisesAfterTheRulesWereRead) {
  WriteText(dir_ / "lakes" / "Mud Creek.bmp", "not a picture");
  ToMenu();
  F().lakes->SetItemIndex(1);
  EXPECT_ANY_THROW(F().lakesClick());
  EXPECT_EQ(F().lakeinfo->Lines(), std::vector<std::string>{"Muddy water"});
  EXPECT_EQ(S().LastFishIndex, 15);
}

}  // namespace
}  // namespace tw::test
