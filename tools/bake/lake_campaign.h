// The lakes of the campaign, in the order they are earned: their rules (the
// lake definition file), their maps' plans and the story their signs and
// people tell. The campaign is a plain-text file beside the data tool
// (campaign.txt, described in docs/DATA.md), read when the data are made.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "bake/map_gen.h"
#include "world/lake_files.h"

namespace tw::bake {

struct LakeSpec {
  std::string name;      // file name stem and catalogue entry
  LakeDefinition rules;  // written as the lake's definition file
  MapPlan map;
};

// The lakes of a campaign file, catalogue slot 1 first. A mistake in the
// file raises "FILE:LINE: what is wrong"; a missing file "Cannot open file".
std::vector<LakeSpec> ReadCampaign(const std::string& path);
// The same for text already read; `fileName` names it in errors.
std::vector<LakeSpec> ParseCampaign(const std::string& text, const std::string& fileName);

// The campaign file in the source tree, and its lakes, read once: the one
// the build makes its data from.
const std::string& DefaultCampaignFile();
const std::vector<LakeSpec>& Campaign();

// The catalogue file's text.
std::string CatalogueText(const std::vector<LakeSpec>& lakes);

}  // namespace tw::bake
