// Reading the lake catalogue and lake definitions through the INI reader.
#include "world/lake_files.h"

#include <algorithm>

#include "core/files.h"
#include "core/ini.h"

namespace tw {
namespace {

// A saved game may claim any level; the scan never looks at more slots than
// a catalogue could sensibly hold, so a wild level cannot stall the menu.
constexpr int32_t kMaxCatalogueSlots = 65535;

bool StaysInLakesFolder(const std::string& name) {
  return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name.find("..") == std::string::npos;
}

}  // namespace

std::vector<std::string> ReadLakeCatalogue(const std::string& programFolder, int32_t playerLevel) {
  const IniFile ini = IniFile::Load(JoinPath(programFolder, "lakes/lakes.ini"));
  std::vector<std::string> lakes;
  const int32_t slots = std::min(playerLevel, kMaxCatalogueSlots);
  for (int32_t n = 1; n <= slots; ++n) {
    std::string name = ini.ReadString("Lakes", "lake" + std::to_string(n), "NA");
    if (name == "NA" || !StaysInLakesFolder(name)) continue;
    lakes.push_back(std::move(name));
  }
  return lakes;
}

LakeDefinition ReadLakeDefinition(const std::string& iniPath) {
  const IniFile ini = IniFile::Load(iniPath);
  const std::string s = "Lake Data";
  LakeDefinition d;
  d.Description = ini.ReadString(s, "Description", d.Description);
  d.MaxFish = std::clamp(ini.ReadInteger(s, "MaxFish", d.MaxFish), 0, kMaxSwimmers);
  d.Maxmonster = std::clamp(ini.ReadInteger(s, "Maxmonster", d.Maxmonster), 0, kMaxSwimmers);
  d.MonsterKind = ini.ReadString(s, "MonsterKind", d.MonsterKind);
  d.Biggest = ini.ReadInteger(s, "Biggest", d.Biggest);
  d.Difficulty = ini.ReadInteger(s, "Difficulty", d.Difficulty);
  d.Timed = ini.ReadBool(s, "Timed", d.Timed);
  d.Time = ini.ReadInteger(s, "Time", d.Time);
  d.ImageLib = ini.ReadString(s, "ImageLib", d.ImageLib);
  d.EntryFee = ini.ReadInteger(s, "EntryFee", d.EntryFee);
  d.PrizeMoney = ini.ReadInteger(s, "PrizeMoney", d.PrizeMoney);
  d.Limit = ini.ReadInteger(s, "Limit", d.Limit);
  d.WinIf = ini.ReadInteger(s, "WinIf", d.WinIf);
  d.Level = ini.ReadInteger(s, "Level", d.Level);
  return d;
}

int32_t TimeLimitFrames(const LakeDefinition& lake) {
  const int64_t frames = int64_t{lake.Time} * 30;
  return static_cast<int32_t>(std::clamp<int64_t>(frames, INT32_MIN, INT32_MAX));
}

std::string LakePath(const std::string& programFolder, const std::string& lake,
                     const std::string& extension) {
  return JoinPath(programFolder, "lakes/" + lake + extension);
}

}  // namespace tw
