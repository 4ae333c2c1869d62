// tarnwick-bake OUTDIR [--campaign FILE] [--preview DIR] [--icons DIR]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bake/bake.h"
#include "bake/lake_campaign.h"

namespace {
constexpr const char* kUsage =
    "usage: tarnwick-bake OUTDIR [--campaign FILE] [--preview DIR] [--icons DIR]\n";
}  // namespace

int main(int argc, char** argv) {
  tw::bake::BakeContext ctx;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--preview" && i + 1 < argc) {
      ctx.preview = argv[++i];
    } else if (a == "--campaign" && i + 1 < argc) {
      ctx.campaign = argv[++i];
    } else if (a == "--icons" && i + 1 < argc) {
      ctx.icons = argv[++i];
    } else if (ctx.out.empty() && !a.starts_with("--")) {
      ctx.out = a;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (ctx.out.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    // A mistake in the campaign is reported before anything is written.
    if (ctx.campaign.empty()) ctx.campaign = tw::bake::DefaultCampaignFile();
    tw::bake::ReadCampaign(ctx.campaign);
    std::filesystem::create_directories(ctx.out);
    if (!ctx.preview.empty()) std::filesystem::create_directories(ctx.preview);
    if (!ctx.icons.empty()) std::filesystem::create_directories(ctx.icons);
    tw::bake::BakeObjects(ctx);
    tw::bake::BakeTiles(ctx);
    tw::bake::BakeUi(ctx);
    tw::bake::BakeSounds(ctx);
    tw::bake::BakeLakes(ctx);
    tw::bake::BakeIcons(ctx);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarnwick-bake: %s\n", e.what());
    return 1;
  }
  return 0;
}
