// The campaign's files: the catalogue and each lake's definition, and the
// way the game wraps sign and person texts.
#include "bake/lake_campaign.h"

#include <algorithm>

#include "core/files.h"

namespace tw::bake {

const std::string& DefaultCampaignFile() {
  static const std::string path = TARNWICK_CAMPAIGN_FILE;
  return path;
}

const std::vector<LakeSpec>& Campaign() {
  static const std::vector<LakeSpec> lakes = ReadCampaign(DefaultCampaignFile());
  return lakes;
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

std::string CatalogueText(const std::vector<LakeSpec>& lakes) {
  std::string text = "[Lakes]\r\n";
  for (size_t i = 0; i < lakes.size(); ++i) {
    text += "lake" + std::to_string(i + 1) + "=" + lakes[i].name + "\r\n";
  }
  return text;
}

WrappedSize MeasureWrapped(const std::string& text, int32_t limit) {
  WrappedSize size;
  if (text.empty()) return size;
  int32_t col = 1;
  size.lines = 1;
  for (char ch : text) {
    if (col > limit && ch == ' ') {
      ++size.lines;
      col = 1;
    } else {
      size.widest = std::max(size.widest, col);
      ++col;
    }
  }
  return size;
}

}  // namespace tw::bake
