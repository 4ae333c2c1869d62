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
#include "world/lake_files.h"

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
    WriteFileAtomic(path, LakeDefinitionText(l));
    const LakeDefinition d = ReadLakeDefinition(path);
    SCOPED_TRACE(l.name);
    EXPECT_EQ(d.Description, l.description);
    EXPECT_EQ(d.MaxFish, l.maxFish);
    EXPECT_EQ(d.Maxmonster, l.maxMonster);
    EXPECT_EQ(d.MonsterKind, l.monsterKind);
    EXPECT_EQ(d.Biggest, l.biggest);
    EXPECT_EQ(d.Difficulty, l.difficulty);
    EXPECT_EQ(d.Timed, l.timed);
    EXPECT_EQ(d.Time, l.time);
    EXPECT_EQ(d.ImageLib, l.imageLib);
    EXPECT_EQ(d.EntryFee, l.entryFee);
    EXPECT_EQ(d.PrizeMoney, l.prizeMoney);
    EXPECT_EQ(d.Limit, l.limit);
    EXPECT_EQ(d.WinIf, l.winIf);
    EXPECT_EQ(d.Level, l.level);
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
    timed |= l.timed;
    untimed |= !l.timed;
    limitOnly |= l.winIf == 0;
    weighed |= l.winIf > 0;
    if (l.timed) {
      EXPECT_GE(l.time, 120);
    }
    EXPECT_GE(l.biggest, 4);
    EXPECT_LT(l.difficulty, 100) << "fish would dart every frame";
    EXPECT_GE(l.maxFish, l.limit * 3);
    EXPECT_LE(l.maxFish, 257);
    EXPECT_LE(l.maxMonster, 257);
    EXPECT_GT(l.limit, 0);
    // A weight target an average catch of the limit reaches.
    EXPECT_LE(l.winIf, l.limit * AveragePounds(l.biggest));
    if (l.winIf > 0) {
      EXPECT_GT(l.prizeMoney, l.entryFee);
    }
    if (i > 0) {
      EXPECT_GE(l.biggest, lakes[i - 1].biggest);
      EXPECT_GE(l.difficulty, lakes[i - 1].difficulty);
      EXPECT_GE(l.entryFee, lakes[i - 1].entryFee);
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
    ASSERT_GE(cash, l.entryFee) << "cannot afford " << l.name;
    cash -= l.entryFee;
    if (l.winIf > 0) cash += l.prizeMoney;
    level = l.name == "World_Championship" ? 255 : std::max(level, l.level);
    if (pick + 1 < n) {
      EXPECT_GT(l.level, pick + 1) << l.name << " must open a further slot";
    }
    won[pick] = true;
    while (!upgrades.empty()) {
      int32_t nextFee = 0;
      for (int32_t i = 0; i < std::min(level, n); ++i) {
        if (!won[i]) nextFee = std::max(nextFee, lakes[i].entryFee);
      }
      if (cash - upgrades.front() < nextFee) break;
      cash -= upgrades.front();
      upgrades.erase(upgrades.begin());
    }
  }
  EXPECT_TRUE(std::all_of(won.begin(), won.end(), [](bool w) { return w; }));
  EXPECT_EQ(level, 255);
  EXPECT_TRUE(upgrades.empty()) << upgrades.size() << " upgrades left unpaid, $" << cash;
  EXPECT_LE(lakes[0].entryFee, 50);
  EXPECT_LE(lakes[1].entryFee, 50);
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
    for (const Board& board : {Board{&l.map.signs, kSignColumns, kSignGlyphs},
                               Board{&l.map.people, kPersonColumns, kPersonGlyphs}}) {
      for (const std::string& text : *board.texts) {
        SCOPED_TRACE(l.name + ": " + text);
        EXPECT_LE(text.size(), 255u);
        const WrappedSize size = MeasureWrapped(text, board.limit);
        EXPECT_LE(size.lines, kTextLines);
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
  const char* bin = std::getenv("TARNWICK_BIN");
  ASSERT_NE(bin, nullptr) << "the tests read the generated program folder";
  std::set<std::string> pictures;
  for (const ContainerItem& item : LoadContainer(JoinPath(bin, "objects.dxg")).Items) {
    if (const ContainerValue* v = FindProperty(item, "Name")) pictures.insert(PropertyString(*v));
  }
  for (const LakeSpec& l : Campaign()) {
    SCOPED_TRACE(l.name);
    EXPECT_TRUE(effects.count(l.monsterKind));
    EXPECT_TRUE(pictures.count(l.monsterKind));
    EXPECT_TRUE(pictures.count("got" + l.monsterKind));
    EXPECT_TRUE(music.count(l.imageLib));
    EXPECT_TRUE(FileExists(JoinPath(bin, l.imageLib)));
  }
}

}  // namespace
}  // namespace tw::bake
