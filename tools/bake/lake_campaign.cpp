// The campaign's lakes as the build reads them, and its catalogue file.
#include "bake/lake_campaign.h"

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

std::string CatalogueText(const std::vector<LakeSpec>& lakes) {
  std::string text = "[Lakes]\r\n";
  for (size_t i = 0; i < lakes.size(); ++i) {
    text += CatalogueLine(static_cast<int32_t>(i + 1), lakes[i].name);
  }
  return text;
}

}  // namespace tw::bake
