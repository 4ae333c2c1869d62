// Reading the lake catalogue and lake definitions through the INI reader.
#include "world/lake_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "core/frame_rate.h"
#include "core/ini.h"

namespace tw {
namespace {

// A saved game may claim any level; the scan never looks at more slots than
// a catalogue could sensibly hold, so a wild level cannot stall the menu.
constexpr int32_t kMaxCatalogueSlots = 65535;
// The player's own catalogue is read whole; this many slots is plenty.
constexpr int32_t kMaxPlayerSlots = 255;

bool StaysInLakesFolder(const std::string& name) {
  return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name.find("..") == std::string::npos;
}

// The player's own catalogue: its lakes.ini, or every map in the folder.
std::vector<std::string> PlayerCatalogue(const std::string& folder) {
  std::vector<std::string> lakes;
  const std::string catalogue = JoinPath(folder, "lakes.ini");
  if (FileExists(catalogue)) {
    const IniFile ini = IniFile::Load(catalogue);
    for (int32_t n = 1; n <= kMaxPlayerSlots; ++n) {
      std::string name = ini.ReadString("Lakes", "lake" + std::to_string(n), "NA");
      if (name != "NA" && StaysInLakesFolder(name)) lakes.push_back(std::move(name));
    }
    return lakes;
  }
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::filesystem::path& p = entry.path();
    const std::string name = p.stem().string();
    if (p.extension() == ".iso" && !name.starts_with('.') && StaysInLakesFolder(name) &&
        entry.is_regular_file(ec))
      lakes.push_back(name);
  }
  std::sort(lakes.begin(), lakes.end());
  return lakes;
}

}  // namespace

std::vector<std::string> ReadLakeCatalogue(const std::string& dataFolder, int32_t playerLevel) {
  const IniFile ini = IniFile::Load(JoinPath(dataFolder, "lakes/lakes.ini"));
  std::vector<std::string> lakes;
  const int32_t slots = std::min(playerLevel, kMaxCatalogueSlots);
  for (int32_t n = 1; n <= slots; ++n) {
    std::string name = ini.ReadString("Lakes", "lake" + std::to_string(n), "NA");
    if (name == "NA" || !StaysInLakesFolder(name)) continue;
    lakes.push_back(std::move(name));
  }
  return lakes;
}

std::vector<std::string> ReadLakeCatalogue(const LakeFolders& folders, int32_t playerLevel) {
  std::vector<std::string> lakes = ReadLakeCatalogue(folders.Data, playerLevel);
  if (folders.Player.empty()) return lakes;
  for (std::string& name : PlayerCatalogue(folders.Player))
    if (std::find(lakes.begin(), lakes.end(), name) == lakes.end())
      lakes.push_back(std::move(name));
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
  // Entering never pays, winning never costs, and a tournament needs at
  // least one fish to complete; the lake itself stays in the list.
  d.EntryFee = std::max(ini.ReadInteger(s, "EntryFee", d.EntryFee), 0);
  d.PrizeMoney = std::max(ini.ReadInteger(s, "PrizeMoney", d.PrizeMoney), 0);
  d.Limit = std::max(ini.ReadInteger(s, "Limit", d.Limit), 1);
  d.WinIf = ini.ReadInteger(s, "WinIf", d.WinIf);
  d.Level = ini.ReadInteger(s, "Level", d.Level);
  return d;
}

std::string LakeDefinitionText(const LakeDefinition& d) {
  auto line = [](const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
  };
  auto num = [&](const char* key, int32_t v) { return line(key, std::to_string(v)); };
  return "[Lake Data]\r\n" + line("Description", d.Description) + num("MaxFish", d.MaxFish) +
         num("Maxmonster", d.Maxmonster) + line("MonsterKind", d.MonsterKind) +
         num("Biggest", d.Biggest) + num("Difficulty", d.Difficulty) +
         num("Timed", d.Timed ? 1 : 0) + num("Time", d.Time) + line("ImageLib", d.ImageLib) +
         num("EntryFee", d.EntryFee) + num("PrizeMoney", d.PrizeMoney) + num("Limit", d.Limit) +
         num("WinIf", d.WinIf) + num("Level", d.Level);
}

std::string CatalogueLine(int32_t slot, const std::string& lake) {
  return "lake" + std::to_string(slot) + "=" + lake + "\r\n";
}

int32_t TimeLimitFrames(const LakeDefinition& lake) {
  const int64_t frames = int64_t{lake.Time} * kFramesPerSecond;
  return static_cast<int32_t>(std::clamp<int64_t>(frames, INT32_MIN, INT32_MAX));
}

std::string LakePath(const std::string& dataFolder, const std::string& lake,
                     const std::string& extension) {
  return JoinPath(dataFolder, "lakes/" + lake + extension);
}

std::string LakePath(const LakeFolders& folders, const std::string& lake,
                     const std::string& extension) {
  if (!folders.Player.empty()) {
    const std::string own = JoinPath(folders.Player, lake);
    if (FileExists(own + ".ini") || FileExists(own + ".iso")) return own + extension;
  }
  return LakePath(folders.Data, lake, extension);
}

}  // namespace tw
