// Generating a whole map and writing it with the game's own map writer.
#include <memory>

#include "bake/map_gen_internal.h"
#include "world/map_file.h"

namespace tw::bake {

LakeMap GenerateMap(const MapPlan& plan) {
  Terrain t = ShapeLake(plan);
  return DressLake(t, plan);
}

std::vector<uint8_t> EncodeLakeMap(const LakeMap& map) {
  auto grid = std::make_unique<MapGrid>();
  for (int32_t c = 0; c < map.Cols(); ++c)
    for (int32_t r = 0; r < map.Rows(); ++r) (*grid)[c][r].Tile = map.Tile(c, r);
  return EncodeMapFile(map.header, *grid, map.objects);
}

}  // namespace tw::bake
