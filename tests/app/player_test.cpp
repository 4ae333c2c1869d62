// The player panel: upgrades at their prices, the status line, and saved
// games written and read through the dialogs.
#include "app/front_fixture.h"
#include "core/error.h"

namespace tw::test {
namespace {

using PlayerTest = FrontTest;

TEST_F(PlayerTest, LureUpgradeAtThePriceBoundary) {
  ToMenu();
  S().Cash = 24;
  std::string told;
  ReadBoxThenOk(told);
  Click(*F().uplures);
  EXPECT_EQ(told, "You don't have enough money!");
  EXPECT_EQ(S().Cash, 24);
  EXPECT_EQ(F().luresbar->Position(), 1);
  EXPECT_EQ(F().uplures->Caption, "Upgrade Lures $25");

  S().Cash = 25;
  Click(*F().uplures);
  EXPECT_EQ(S().Cash, 0);
  EXPECT_EQ(F().luresbar->Position(), 2);
  EXPECT_EQ(S().LureLevel, 2);
  EXPECT_EQ(F().uplures->Caption, "Upgrade Lures $50");
  EXPECT_EQ(F().status->Caption, "Player    Cash: $0");
}

TEST_F(PlayerTest, AllLureStepsCostOneHundredSeventyFiveThenNothing) {
  ToMenu();
  S().Cash = 200;
  for (int i = 0; i < 3; ++i) Click(*F().uplures);
  EXPECT_EQ(S().Cash, 25);
  EXPECT_EQ(F().luresbar->Position(), 4);
  EXPECT_EQ(F().uplures->Caption, "No More Lure Upgrades");
  F().status->SetCaption("stale");
  Click(*F().uplures);  // no box: the script is empty and would fail
  EXPECT_EQ(S().Cash, 25);
  EXPECT_EQ(F().luresbar->Position(), 4);
  EXPECT_EQ(F().status->Caption, "Player    Cash: $25") << "the status line is rewritten";
}

TEST_F(PlayerTest, RodStepsFollowTheirPriceTable) {
  ToMenu();
  S().Cash = 1749;
  Click(*F().uprod);
  Click(*F().uprod);
  EXPECT_EQ(F().uprod->Caption, "Upgrade Rod/Reel $1000");
  EXPECT_EQ(S().Cash, 999);
  std::string told;
  ReadBoxThenOk(told);
  Click(*F().uprod);
  EXPECT_EQ(told, "You don't have enough money!");
  EXPECT_EQ(F().rodbar->Position(), 3);
}

TEST_F(PlayerTest, BothBoatUpgradesGiveTheThirdBoatAndThenNothing) {
  ToMenu();
  S().Cash = 20000;
  Click(*F().upboat);
  EXPECT_EQ(S().BoatSprite, "boat2");
  EXPECT_EQ(F().upboat->Caption, "Upgrade Boat $15,000");
  Click(*F().upboat);
  EXPECT_EQ(S().BoatSprite, "boat3");
  EXPECT_EQ(F().upboat->Caption, "No More Boat Upgrades");
  EXPECT_EQ(S().Cash, 0);
  S().Cash = 100000;
  Click(*F().upboat);
  EXPECT_EQ(S().Cash, 100000);
  EXPECT_EQ(F().boatbar->Position(), 3);
  EXPECT_EQ(S().BoatLevel, 3);
}

TEST_F(PlayerTest, TypingTheNameRewritesTheStatusLine) {
  ToMenu();
  Click(*F().playername);
  F().playername->SelectAll();
  F().OnText("Ann");
  EXPECT_EQ(F().playername->Text(), "Ann");
  EXPECT_EQ(F().status->Caption, "Ann    Cash: $50");
}

TEST_F(PlayerTest, SaveThenLoadRestoresEverything) {
  WriteText(dir_ / "lakes" / "Deep Bay.ini", "[Lake Data]\nDescription=Deep and cold\n");
  ToMenu();
  S().Cash = 5400;
  Click(*F().uplures);
  Click(*F().upboat);
  S().PlayerLevel = 3;
  PressEnterInBox();  // the proposed name, Player.sav
  Click(*F().savebutton);
  const std::string saved = ReadText(dir_ / "Player.sav");
  EXPECT_EQ(saved, "[Save Data]\nName=Player\nCash=375\nBody=0\nLevel=3\nBoat=2\nRod=1\nLures=2\n");

  // Everything changes, then the game comes back.
  F().playername->SetText("Someone");
  S().Cash = 1;
  S().PlayerLevel = 1;
  S().BoatSprite = "boat1";
  F().luresbar->SetPosition(4);
  F().boatbar->SetPosition(1);
  F().FillLakeList();
  ChooseFileInBox("Player.sav");
  Click(*F().loadbutton);
  EXPECT_EQ(F().playername->Text(), "Player");
  EXPECT_EQ(S().Cash, 375);
  EXPECT_EQ(S().PlayerLevel, 3);
  EXPECT_EQ(F().luresbar->Position(), 2);
  EXPECT_EQ(F().boatbar->Position(), 2);
  EXPECT_EQ(S().LureLevel, 2);
  EXPECT_EQ(S().BoatSprite, "boat2");
  EXPECT_EQ(F().uplures->Caption, "Upgrade Lures $50");
  EXPECT_EQ(F().upboat->Caption, "Upgrade Boat $15,000");
  EXPECT_EQ(F().lakes->Items(), (std::vector<std::string>{"Pine Pond", "Mud Creek", "Deep Bay"}));
  EXPECT_EQ(F().lakes->ItemIndex(), 2);
  EXPECT_TRUE(F().showgo->Visible());
  EXPECT_EQ(F().lakeinfo->Lines(), std::vector<std::string>{"Deep and cold"});
  EXPECT_EQ(F().SelectedLake(), "Deep Bay");
  EXPECT_EQ(F().status->Caption, "Player    Cash: $375");
}

TEST_F(PlayerTest, SavingKeepsOtherSectionsOfAnExistingFile) {
  WriteText(dir_ / "Player.sav", "[Notes]\nbest=pike\n[Save Data]\nCash=1\n");
  ToMenu();
  PressEnterInBox();
  Click(*F().savebutton);
  const std::string text = ReadText(dir_ / "Player.sav");
  EXPECT_NE(text.find("best=pike"), std::string::npos);
  EXPECT_NE(text.find("Cash=50"), std::string::npos);
  EXPECT_EQ(text.find("Cash=1\n"), std::string::npos);
}

TEST_F(PlayerTest, CancelledSaveWritesNothing) {
  ToMenu();
  PressEscapeInBox();
  Click(*F().savebutton);
  EXPECT_FALSE(fs::exists(dir_ / "Player.sav"));
}

TEST_F(PlayerTest, SaveWhereNothingCanBeWrittenIsReported) {
  ToMenu();
  ChooseFileInBox("/proc/Player.sav");
  try {
    F().savebuttonClick();
    FAIL() << "the save should have failed";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to /proc/Player.sav");
  }
}

TEST_F(PlayerTest, CancelledLoadStillRefreshesCaptionsAndLakes) {
  ToMenu();
  S().LureLevel = 3;  // the record holds the level; the gauge shows it
  F().uplures->SetCaption("stale");
  PressEscapeInBox();
  Click(*F().loadbutton);
  EXPECT_EQ(S().Cash, 50);
  EXPECT_EQ(F().uplures->Caption, "Upgrade Lures $100");
  EXPECT_EQ(F().lakes->ItemIndex(), 1) << "the last of the two offered lakes";
  EXPECT_EQ(F().SelectedLake(), "Mud Creek");
  EXPECT_TRUE(F().showgo->Visible());
}

TEST_F(PlayerTest, MissingKeysLoadAsTheDefaultsAndLevelsAreKeptInRange) {
  WriteText(dir_ / "odd.sav",
            "[save data]\nName=Bob\nBody=5\nLures=9\nRod=$3\nBoat=0\nCash=lots\n");
  ToMenu();
  S().BoatSprite = "boat2";
  ChooseFileInBox("odd.sav");
  Click(*F().loadbutton);
  EXPECT_EQ(F().playername->Text(), "Bob");
  EXPECT_EQ(S().Cash, 10);
  EXPECT_EQ(S().PlayerLevel, 1);
  EXPECT_EQ(F().playertab->TabIndex(), 0) << "clamped to the one body";
  EXPECT_EQ(F().luresbar->Position(), 4);
  EXPECT_EQ(F().rodbar->Position(), 3);
  // A boat level of 0 would leave a boat that cannot turn and no upgrade
  // ever offered: it reads as the first boat.
  EXPECT_EQ(F().boatbar->Position(), 1);
  EXPECT_EQ(S().LureLevel * 100 + S().RodLevel * 10 + S().BoatLevel, 431) << "as the gauges show";
  EXPECT_EQ(S().BoatSprite, "boat1");
  EXPECT_EQ(F().upboat->Caption, "Upgrade Boat $5,000");
  EXPECT_EQ(F().lakes->Items(), std::vector<std::string>{"Pine Pond"});
  EXPECT_EQ(F().lakes->ItemIndex(), 0);
}

TEST_F(PlayerTest, NegativeGearLevelsReadAsTheFirstLevel) {
  WriteText(dir_ / "neg.sav", "[Save Data]\nLures=-2\nRod=0\nBoat=-7\n");
  ToMenu();
  ChooseFileInBox("neg.sav");
  Click(*F().loadbutton);
  EXPECT_EQ(F().luresbar->Position(), 1);
  EXPECT_EQ(F().rodbar->Position(), 1);
  EXPECT_EQ(F().boatbar->Position(), 1);
  S().Cash = 25;
  Click(*F().uplures);
  EXPECT_EQ(F().luresbar->Position(), 2) << "the shop is open again";
}

TEST_F(PlayerTest, LoadAtLevel255ListsEveryNamedSlot) {
  std::string catalogue = "[Lakes]\n";
  for (int n = 1; n <= 300; ++n)
    catalogue +=
        "lake" + std::to_string(n) + "=" + (n % 50 == 0 ? "NA" : "L" + std::to_string(n)) + "\n";
  WriteText(dir_ / "lakes" / "lakes.ini", catalogue);
  WriteText(dir_ / "max.sav", "[Save Data]\nLevel=255\n");
  ToMenu();
  ChooseFileInBox("max.sav");
  Click(*F().loadbutton);
  ASSERT_EQ(F().lakes->Count(), 250);
  EXPECT_EQ(F().lakes->Items().back(), "L255");
  EXPECT_EQ(F().lakes->ItemIndex(), 249);
  EXPECT_EQ(F().SelectedLake(), "L255");
}

}  // namespace
}  // namespace tw::test
