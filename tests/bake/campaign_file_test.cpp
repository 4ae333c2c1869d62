// The campaign file as a lake maker writes it: fields by name in any letter
// case, texts carried over lines, comments, the derived fields, and every
// mistake reported with the file and line it is on.
#include <gtest/gtest.h>

#include "bake/lake_campaign.h"
#include "core/error.h"

namespace tw::bake {
namespace {

std::string ErrorOf(const std::string& text) {
  try {
    ParseCampaign(text, "c.txt");
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

TEST(CampaignFile, FieldsTextsCommentsAndWhatFollowsFromThem) {
  const std::vector<LakeSpec> lakes = ParseCampaign(
      "# a comment\r\n"
      "[Reed_Pond]\r\n"
      "description = Two lines\r\n"
      "   joined by one space.\r\n"
      "  # a comment inside a text is no part of it\n"
      "Style = bayou\n"
      "Seed = 4294967295\n"
      "Water = 0.3\n"
      "Time = 90\n"
      "MaxFish = 257\n"
      "Treasures = 5  10\n"
      "MoreTime = 30\n"
      "Sign = FIRST\n"
      "Sign = SECOND = WITH AN EQUALS\n"
      "Person = HI\n"
      "\n"
      "[Dry_Lake]\n"
      "Time = 0\n"
      "ImageLib = other.dxg\n"
      "Timed = 1\n"
      "Treasures =\n",
      "c.txt");
  ASSERT_EQ(lakes.size(), 2u);
  const LakeSpec& a = lakes[0];
  EXPECT_EQ(a.name, "Reed_Pond");
  EXPECT_EQ(a.rules.Description, "Two lines joined by one space.");
  EXPECT_EQ(a.map.style, LakeStyle::Bayou);
  EXPECT_EQ(a.rules.ImageLib, "bayou.dxg") << "the style names the library";
  EXPECT_TRUE(a.rules.Timed) << "a clock makes the lake timed";
  EXPECT_EQ(a.map.seed, 4294967295u);
  EXPECT_EQ(a.map.water, 0.3);
  EXPECT_EQ(a.map.maxFish, 257) << "the map places the lake's fish";
  EXPECT_EQ(a.map.treasures, (std::vector<int32_t>{5, 10}));
  EXPECT_EQ(a.map.moreTime, std::vector<int32_t>{30});
  EXPECT_EQ(a.map.signs, (std::vector<std::string>{"FIRST", "SECOND = WITH AN EQUALS"}));
  EXPECT_EQ(a.map.people, std::vector<std::string>{"HI"});
  EXPECT_EQ(a.rules.Limit, LakeDefinition{}.Limit) << "what is not given keeps its default";

  const LakeSpec& b = lakes[1];
  EXPECT_EQ(b.rules.ImageLib, "other.dxg");
  EXPECT_TRUE(b.rules.Timed) << "said outright, it stands";
  EXPECT_TRUE(b.map.treasures.empty());
}

TEST(CampaignFile, MistakesNameTheFileAndLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "c.txt: there is no lake in the campaign"},
      {"# only a comment\nSeed = 1\n", "c.txt:2: Seed comes before the first lake's [NAME]"},
      {"[A]\nColour = red\n", "c.txt:2: there is no field Colour"},
      {"[A]\nSeed 5\n", "c.txt:2: expected FIELD = VALUE"},
      {"[A]\n\nMaxFish = 258\n", "c.txt:3: MaxFish must lie between 0 and 257"},
      {"[A]\nLimit = 6x\n", "c.txt:2: Limit: '6x' is not a whole number"},
      {"[A]\nLimit = 0\n", "c.txt:2: Limit must lie between 1 and 2147483647"},
      {"[A]\nWinIf = 99999999999\n", "c.txt:2: WinIf must lie between -2147483648 and 2147483647"},
      {"[A]\nWater = 1.5\n", "c.txt:2: Water must lie between 0 and 1"},
      {"[A]\nTreasures = 5 -1\n", "c.txt:2: Treasures must lie between 0 and 2147483647"},
      {"[A]\nStyle = Desert\n", "c.txt:2: Style must be Canada, Bayou or Canyon, not 'Desert'"},
      {"[A]\nlevel = 2\nLevel = 3\n", "c.txt:3: Level is given twice"},
      {"[A]\nSign =\n", "c.txt:2: Sign has no value"},
      {"[A]\nLevel = 2\n  3\n",
       "c.txt:3: only a text (Description, Sign, Person) carries on over lines"},
      {"[A]\nMoreTime = 30\nSign = X\n", "c.txt:2: MoreTime needs a timed lake (Time above 0)"},
      {"[A]\n[a]\n", "c.txt:2: the lake a comes twice"},
      {"[../A]\n", "c.txt:1: a lake's name is a file name: no '/', '\\', ':' or '..'"},
      {"[A\n", "c.txt:1: a lake's block starts with [NAME]"},
      {"[ ]\n", "c.txt:1: the lake has no name"},
  };
  for (const auto& [text, error] : cases) EXPECT_EQ(ErrorOf(text), error) << text;
  EXPECT_THROW(ReadCampaign("/nonexistent/campaign.txt"), GameError);
}

}  // namespace
}  // namespace tw::bake
