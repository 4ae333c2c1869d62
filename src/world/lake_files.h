// The lake catalogue ("lakes/lakes.ini") and each lake's definition file:
// which lakes the player has opened, and the rules of one lake.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Fish and monster tables hold this many swimmers each.
constexpr int32_t kMaxSwimmers = 257;

// Where lakes are found: lakes/ of the game's data folder, and the player's
// own lakes folder (empty when the player has none).
struct LakeFolders {
  std::string Data;
  std::string Player;
};

// The names in catalogue slots 1 to `playerLevel`, in slot order, skipping
// slots that read "NA" (a missing slot reads "NA" too). Names that would
// reach outside the lakes folder (a path separator or "..") are left out.
std::vector<std::string> ReadLakeCatalogue(const std::string& dataFolder, int32_t playerLevel);
// The game's lakes as above, then every lake of the player's own folder
// whatever the level (they are the player's to play): the slots of its
// lakes.ini in order, or without that file every map in it by name. A name
// already listed is not listed again.
std::vector<std::string> ReadLakeCatalogue(const LakeFolders& folders, int32_t playerLevel);

// One lake's rules, section "Lake Data"; every key may be missing.
struct LakeDefinition {
  std::string Description = "No Description";
  int32_t MaxFish = 16, Maxmonster = 3;  // kept within 0..257, the size of the tables
  std::string MonsterKind = "Monster";
  int32_t Biggest = 24, Difficulty = 10;
  bool Timed = false;
  int32_t Time = 0;  // seconds
  std::string ImageLib = "canada.dxg";
  int32_t EntryFee = 0, PrizeMoney = 0;  // never below 0
  int32_t Limit = 6;                     // at least 1
  int32_t WinIf = 1, Level = 1;

  bool operator==(const LakeDefinition&) const = default;
};

// A missing file gives every default.
LakeDefinition ReadLakeDefinition(const std::string& iniPath);

// The definition file's text: section "Lake Data", every key in the order
// above, numbers in decimal, "Timed" as 1 or 0, lines ending in CR LF. Read
// back it gives the same values whenever they lie in the ranges the reader
// keeps them to.
std::string LakeDefinitionText(const LakeDefinition& lake);

// A catalogue's line for slot `slot` ("lake3=Reed_Pond", CR LF).
std::string CatalogueLine(int32_t slot, const std::string& lake);

// The tournament length in frames (kFramesPerSecond a second), held within 32 bits.
int32_t TimeLimitFrames(const LakeDefinition& lake);

// Data folder + "lakes/" + lake + extension (".ini", ".bmp", ".iso").
std::string LakePath(const std::string& dataFolder, const std::string& lake,
                     const std::string& extension);
// The same from the player's folder when it holds the lake's definition or
// map (the player's copy wins over the game's), else from the game's.
std::string LakePath(const LakeFolders& folders, const std::string& lake,
                     const std::string& extension);

}  // namespace tw
