// The lakes of the campaign, in the order they are earned: their rules (the
// lake definition file), their maps' plans and the story their signs and
// people tell.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "bake/map_gen.h"

namespace tw::bake {

struct LakeSpec {
  std::string name;  // file name stem and catalogue entry
  std::string description;
  std::string imageLib;
  int32_t maxFish = 16, maxMonster = 3;
  std::string monsterKind = "Monster";
  int32_t biggest = 24, difficulty = 10;
  bool timed = false;
  int32_t time = 0;  // seconds
  int32_t entryFee = 0, prizeMoney = 0, limit = 6, winIf = 1, level = 1;
  MapPlan map;
};

// Every lake, catalogue slot 1 first; the last is "World_Championship".
const std::vector<LakeSpec>& Campaign();

// The lake definition file's text.
std::string LakeDefinitionText(const LakeSpec& lake);
// The catalogue file's text.
std::string CatalogueText(const std::vector<LakeSpec>& lakes);

// Lines a sign or person's text takes when wrapped at `limit` columns the
// way the game wraps it (a line breaks at the first space past the limit),
// and the longest line in glyphs.
struct WrappedSize {
  int32_t lines = 0, widest = 0;
};
WrappedSize MeasureWrapped(const std::string& text, int32_t limit);

// Column limits the game wraps sign and person texts at, the glyphs a line
// of the sign board and the speech bubble holds, and the lines both hold.
constexpr int32_t kSignColumns = 25, kPersonColumns = 29;
constexpr int32_t kSignGlyphs = 31, kPersonGlyphs = 35, kTextLines = 8;

}  // namespace tw::bake
