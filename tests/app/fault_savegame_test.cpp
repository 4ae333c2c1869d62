// Damaged and hostile saved games loaded through the player panel as the
// player does it: whatever the file holds, the panel ends in a state the
// game can play with (gear within the gauges, one body, a lake list entry
// or none, a status line that matches), and no error escapes.
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "app/front_fixture.h"
#include "support/program_folder.h"

namespace tw::test {
namespace {

// Seeds and inputs the fuzzer kept for saved games.
std::vector<fs::path> FuzzInputs() {
  std::vector<fs::path> files;
  const std::string source = SourceFolder();
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(source) / "fuzz" / kind / "savegame";
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  return files;
}

class FaultSavegame : public FrontTest {
 protected:
  // Loads `text` as "x.sav" through the open dialog and checks the panel.
  void LoadAndCheck(const std::string& what, const std::string& text) {
    SCOPED_TRACE(what);
    WriteText(dir_ / "x.sav", text);
    ChooseFileInBox("x.sav");
    ASSERT_NO_THROW(Click(*F().loadbutton));
    CheckPanel();
  }

  void CheckPanel() {
    EXPECT_GE(F().luresbar->Position(), 1);
    EXPECT_LE(F().luresbar->Position(), 4);
    EXPECT_GE(F().rodbar->Position(), 1);
    EXPECT_LE(F().rodbar->Position(), 4);
    EXPECT_GE(F().boatbar->Position(), 1);
    EXPECT_LE(F().boatbar->Position(), 3);
    EXPECT_EQ(S().LureLevel, F().luresbar->Position());
    EXPECT_EQ(S().RodLevel, F().rodbar->Position());
    EXPECT_EQ(S().BoatLevel, F().boatbar->Position());
    EXPECT_TRUE(S().BoatSprite == "boat1" || S().BoatSprite == "boat2" || S().BoatSprite == "boat3")
        << S().BoatSprite;
    EXPECT_EQ(F().playertab->TabIndex(), 0);
    EXPECT_LE(F().lakes->Count(), 4);
    EXPECT_GE(F().lakes->ItemIndex(), -1);
    EXPECT_LT(F().lakes->ItemIndex(), F().lakes->Count());
    EXPECT_LE(F().playername->Text().size(), 2047u);
    EXPECT_EQ(F().status->Caption,
              F().playername->Text() + "    Cash: $" + std::to_string(S().Cash));
  }
};

TEST_F(FaultSavegame, FuzzFoundAndSeedSavesLoadIntoAPlayableState) {
  const auto files = FuzzInputs();
  if (files.empty()) GTEST_SKIP() << "TARNWICK_SOURCE names no fuzz folder";
  ToMenu();
  for (const fs::path& file : files) LoadAndCheck(file.filename().string(), ReadText(file));
}

TEST_F(FaultSavegame, HostileValuesAreHeldToWhatTheGameCanPlay) {
  ToMenu();
  const std::string wide(5000, 'W');
  LoadAndCheck("empty file", "");
  LoadAndCheck("binary bytes", std::string("\0\xff[Save Data]\0\nName=\x01\x02\n", 24));
  LoadAndCheck("level at its largest",
               "[Save Data]\nLevel=2147483647\nBoat=$7FFFFFFF\nRod=0x7fffffff\nLures=99\n");
  EXPECT_EQ(F().lakes->ItemIndex(), F().lakes->Count() - 1) << "the last open lake";
  LoadAndCheck("level at its smallest",
               "[Save Data]\nLevel=-2147483648\nBoat=-2147483648\nBody=-1\nCash=-2147483648\n");
  EXPECT_EQ(F().lakes->Count(), 0);
  EXPECT_EQ(F().lakes->ItemIndex(), -1) << "no lake is offered, none is selected";
  LoadAndCheck("numbers out of range", "[Save Data]\nCash=99999999999\nLevel=$100000000\n");
  EXPECT_EQ(S().Cash, 10) << "an unreadable sum is the default";
  LoadAndCheck("a name longer than any value", "[Save Data]\nName=" + wide + "\nBody=$7FFFFFFF\n");
  EXPECT_EQ(F().playername->Text(), std::string(2047, 'W'));
  LoadAndCheck("only a section head", "[Save Data");
  LoadAndCheck("carriage returns alone", "[Save Data]\rName=Ann\rCash=5\r");
}

TEST_F(FaultSavegame, ANameThatIsNoFileLoadsAsTheDefaults) {
  ToMenu();
  S().Cash = 777;
  ChooseFileInBox("gone.sav");
  ASSERT_NO_THROW(Click(*F().loadbutton));
  EXPECT_EQ(F().playername->Text(), "Player");
  EXPECT_EQ(S().Cash, 10);
  EXPECT_EQ(S().PlayerLevel, 1);
  CheckPanel();
}

}  // namespace
}  // namespace tw::test
