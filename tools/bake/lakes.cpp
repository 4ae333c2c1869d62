// lakes/: the campaign's catalogue, and every lake's definition, map and
// preview.
#include <filesystem>

#include "bake/bake.h"
#include "bake/container_writer.h"
#include "bake/lake_campaign.h"
#include "core/error.h"
#include "core/files.h"
#include "media/png/png_file.h"
#include "world/lake_preview.h"

namespace tw::bake {

void BakeLakes(const BakeContext& ctx) {
  const std::string folder = JoinPath(ctx.out, "lakes");
  std::filesystem::create_directories(folder);
  const std::vector<LakeSpec> lakes =
      ReadCampaign(ctx.campaign.empty() ? DefaultCampaignFile() : ctx.campaign);
  WriteFileAtomic(JoinPath(folder, "lakes.ini"), CatalogueText(lakes));
  for (const LakeSpec& lake : lakes) {
    LakeMap map;
    try {
      map = GenerateMap(lake.map);
    } catch (const GameError& e) {
      throw GameError("Lake " + lake.name + ": " + e.what());
    }
    WriteFileAtomic(JoinPath(folder, lake.name + ".ini"), LakeDefinitionText(lake.rules));
    WriteBytes(JoinPath(folder, lake.name + ".iso"), EncodeLakeMap(map));
    const TileAt tile = [&map](int32_t c, int32_t r) { return map.Tile(c, r); };
    WriteBytes(JoinPath(folder, lake.name + ".bmp"),
               EncodeBitmapFile(RenderLakePicture(map.header, tile, map.objects, lake.map.style,
                                                  kPreviewWidth, kPreviewHeight)));
    if (!ctx.preview.empty()) {
      WritePng(JoinPath(ctx.preview, "lake-" + lake.name + ".png"),
               RenderLakePicture(map.header, tile, map.objects, lake.map.style, 800, 800, 1));
    }
  }
}

}  // namespace tw::bake
