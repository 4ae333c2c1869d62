// Generating a whole map and writing it in the map file's layout.
#include <algorithm>

#include "bake/map_gen_internal.h"

namespace tw::bake {
namespace {

void Put32(std::vector<uint8_t>& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

// A length byte, then exactly `room` character bytes (unused ones zero).
void PutText(std::vector<uint8_t>& out, const std::string& text, size_t room) {
  const size_t n = std::min(text.size(), room);
  out.push_back(static_cast<uint8_t>(n));
  for (size_t i = 0; i < room; ++i) out.push_back(i < n ? static_cast<uint8_t>(text[i]) : 0);
}

}  // namespace

LakeMap GenerateMap(const MapPlan& plan) {
  Terrain t = ShapeLake(plan);
  return DressLake(t, plan);
}

std::vector<uint8_t> EncodeLakeMap(const LakeMap& map) {
  std::vector<uint8_t> out;
  out.reserve(40 + map.tiles.size() * 4 + kMapObjectCount * 339);
  Put32(out, map.header.MapMaxCol);
  Put32(out, map.header.MapMaxRow);
  Put32(out, map.header.TileWidth);
  Put32(out, map.header.TileHeight);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int32_t tile : map.tiles) Put32(out, tile);
  for (const MapObject& o : map.objects) {
    Put32(out, o.X);
    Put32(out, o.Y);
    PutText(out, o.Kind, 36);
    PutText(out, o.Param, 36);
    out.push_back(o.Active);
    PutText(out, o.Text, 255);
  }
  return out;
}

}  // namespace tw::bake
