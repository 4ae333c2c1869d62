// The campaign's rules: the files read back as written, every lake's style
// and monster exist in the data, texts fit their boards, and a player who
// starts with $50 can win through to the championship and buy every upgrade.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "bake/container_writer.h"
#include "bake/lake_campaign.h"
#include "bake/sound_effects.h"
#include "core/files.h"
#include "media/container.h"
#include "support/program_folder.h"
#include "world/lake_files.h"
#include "world/sign_text.h"

namespace tw::bake {
namespace {

namespace fs = std::filesystem;

// Pounds a landed fish weighs on average: its length (3 to Biggest - 1
// inches) divided by 2, 3 or 4, plus one.
double AveragePounds(int32_t biggest) {
  double sum = 0;
  int n = 0;
  for (int32_t inches = 3; inches < biggest; ++inches) {
    for (int32_t d = 2; d <= 4; ++d, ++n) sum += inches / d + 1;
  }
  return sum / n;
}

TEST(Campaign, CatalogueAndDefinitionsReadBackThroughTheGamesReaders) {
  const fs::path folder = fs::temp_directory_path() / "tarnwick-campaign-test";
  fs::create_directories(folder / "lakes");
  const auto& lakes = Campaign();
  WriteFileAtomic((folder / "lakes" / "lakes.ini").string(), CatalogueText(lakes));
  std::vector<std::string> names;
  for (const LakeSpec& l : lakes) {
    names.push_back(l.name);
    EXPECT_EQ(l.name.find_first_of("/\\:"), std::string::npos);
    EXPECT_EQ(l.name.find(".."), std::string::npos);
    const std::string path = (folder / "lakes" / (l.name + ".ini")).string();
    WriteFileAtomic(path, LakeDefinitionText(l.rules));
    SCOPED_TRACE(l.name);
    EXPECT_EQ(ReadLakeDefinition(path), l.rules);
  }
  EXPECT_EQ(ReadLakeCatalogue(folder.string(), 255), names);
  EXPECT_EQ(ReadLakeCatalogue(folder.string(), 2),
            std::vector<std::string>(names.begin(), names.begin() + 2));
  EXPECT_GE(names.size(), 10u);
  EXPECT_EQ(names.back(), "World_Championship");
  fs::remove_all(folder);
}

TEST(Campaign, RulesGrowHarderAndEveryTargetCanBeMet) {
  const auto& lakes = Campaign();
  bool timed = false, untimed = false, limitOnly = false, weighed = false;
  for (size_t i = 0; i < lakes.size(); ++i) {
    const LakeSpec& l = lakes[i];
    SCOPED_TRACE(l.name);
    timed |= l.rules.Timed;
    untimed |= !l.rules.Timed;
    limitOnly |= l.rules.WinIf == 0;
    weighed |= l.rules.WinIf > 0;
    if (l.rules.Timed) {
      EXPECT_GE(l.rules.Time, 120);
    }
    EXPECT_GE(l.rules.Biggest, 4);
    EXPECT_LT(l.rules.Difficulty, 100) << "fish would dart every frame";
    EXPECT_GE(l.rules.MaxFish, l.rules.Limit * 3);
    EXPECT_LE(l.rules.MaxFish, 257);
    EXPECT_LE(l.rules.Maxmonster, 257);
    EXPECT_GT(l.rules.Limit, 0);
    // A weight target an average catch of the limit reaches.
    EXPECT_LE(l.rules.WinIf, l.rules.Limit * AveragePounds(l.rules.Biggest));
    if (l.rules.WinIf > 0) {
      EXPECT_GT(l.rules.PrizeMoney, l.rules.EntryFee);
    }
    if (i > 0) {
      EXPECT_GE(l.rules.Biggest, lakes[i - 1].rules.Biggest);
      EXPECT_GE(l.rules.Difficulty, lakes[i - 1].rules.Difficulty);
      EXPECT_GE(l.rules.EntryFee, lakes[i - 1].rules.EntryFee);
    }
  }
  EXPECT_TRUE(timed && untimed && limitOnly && weighed);
}

TEST(Campaign, FromFiftyDollarsWinsOpenEverySlotAndPayForEveryUpgrade) {
  const auto& lakes = Campaign();
  const int32_t n = static_cast<int32_t>(lakes.size());
  int64_t cash = 50;
  int32_t level = 2;
  std::vector<int32_t> upgrades = {25, 50, 100, 250, 500, 1000, 5000, 15000};
  std::vector<bool> won(lakes.size(), false);
  // Win the first open lake not yet won, buying upgrades as soon as the
  // money allows while keeping the next fee.
  for (int round = 0; round < n; ++round) {
    int32_t pick = -1;
    for (int32_t i = 0; i < std::min(level, n) && pick < 0; ++i) {
      if (!won[i]) pick = i;
    }
    ASSERT_GE(pick, 0) << "no open lake left with $" << cash << " at level " << level;
    const LakeSpec& l = lakes[pick];
    ASSERT_GE(cash, l.rules.EntryFee) << "cannot afford " << l.name;
    cash -= l.rules.EntryFee;
    if (l.rules.WinIf > 0) cash += l.rules.PrizeMoney;
    level = l.name == "World_Championship" ? 255 : std::max(level, l.rules.Level);
    if (pick + 1 < n) {
      EXPECT_GT(l.rules.Level, pick + 1) << l.name << " must open a further slot";
    }
    won[pick] = true;
    while (!upgrades.empty()) {
      int32_t nextFee = 0;
      for (int32_t i = 0; i < std::min(level, n); ++i) {
        if (!won[i]) nextFee = std::max(nextFee, lakes[i].rules.EntryFee);
      }
      if (cash - upgrades.front() < nextFee) break;
      cash -= upgrades.front();
      upgrades.erase(upgrades.begin());
    }
  }
  EXPECT_TRUE(std::all_of(won.begin(), won.end(), [](bool w) { return w; }));
  EXPECT_EQ(level, 255);
  EXPECT_TRUE(upgrades.empty()) << upgrades.size() << " upgrades left unpaid, $" << cash;
  EXPECT_LE(lakes[0].rules.EntryFee, 50);
  EXPECT_LE(lakes[1].rules.EntryFee, 50);
}

// The sign font's table: letters (any case), digits and these marks.
bool InFontTable(char ch) {
  const std::string marks = "\"'!_+\\/{}^&%.$#?*<>=()- ";
  return std::isalnum(static_cast<unsigned char>(ch)) || marks.find(ch) != std::string::npos;
}

TEST(Campaign, SignAndPersonTextsFitTheirBoards) {
  for (const LakeSpec& l : Campaign()) {
    struct Board {
      const std::vector<std::string>* texts;
      int32_t limit, glyphs;
    };
    for (const Board& board : {Board{&l.map.signs, kSignBoard.Columns, kSignBoard.Glyphs},
                               Board{&l.map.people, kPersonBoard.Columns, kPersonBoard.Glyphs}}) {
      for (const std::string& text : *board.texts) {
        SCOPED_TRACE(l.name + ": " + text);
        EXPECT_LE(text.size(), 255u);
        const WrappedSize size = MeasureWrapped(text, board.limit);
        EXPECT_LE(size.lines, kBoardLines);
        EXPECT_LE(size.widest, board.glyphs) << "a long word runs off the board";
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), InFontTable));
      }
    }
  }
  // Wrapping the way the game draws: a line breaks at the first space past
  // the limit, and a word is finished on its line.
  const WrappedSize s = MeasureWrapped("ABCD EF GH", 3);
  EXPECT_EQ(s.lines, 2);
  EXPECT_EQ(s.widest, 5);
  EXPECT_EQ(MeasureWrapped("", 25).lines, 0);
}

TEST(Campaign, EveryStyleAndMonsterHasItsSoundsAndPictures) {
  std::set<std::string> effects, music;
  for (const SoundItemSpec& s : MakeEffects()) effects.insert(s.name);
  for (const SoundItemSpec& s : MakeMusic()) music.insert(s.name);
  const std::string bin = test::GeneratedProgramFolder();
  ASSERT_FALSE(bin.empty()) << "the tests read the generated program folder";
  std::set<std::string> pictures;
  for (const ContainerItem& item : LoadContainer(JoinPath(bin, "objects.dxg")).Items) {
    if (const ContainerValue* v = FindProperty(item, "Name")) pictures.insert(PropertyString(*v));
  }
  for (const LakeSpec& l : Campaign()) {
    SCOPED_TRACE(l.name);
    EXPECT_TRUE(effects.count(l.rules.MonsterKind));
    EXPECT_TRUE(pictures.count(l.rules.MonsterKind));
    EXPECT_TRUE(pictures.count("got" + l.rules.MonsterKind));
    EXPECT_TRUE(music.count(l.rules.ImageLib));
    EXPECT_TRUE(FileExists(JoinPath(bin, l.rules.ImageLib)));
  }
}

}  // namespace
}  // namespace tw::bake
