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

// The lake definition file's text.
std::string LakeDefinitionText(const LakeDefinition& rules);
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
