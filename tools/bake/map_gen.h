// Our lake map generator: seeded noise shapes a lake (coastline, bays,
// islands, channels), the shore and decorations get their tile numbers, and
// the boat start, signs, people, pick-ups, fish and monsters are placed on
// cells the boat can reach.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/lake_preview.h"
#include "world/map.h"
#include "world/shore_rule.h"

namespace tw::bake {

constexpr int32_t kTileWidth = 64, kTileHeight = 32;

// What a lake's map should hold.
struct MapPlan {
  uint32_t seed = 1;
  int32_t maxCol = 24, maxRow = 96;
  LakeStyle style = LakeStyle::Canada;
  double water = 0.45;              // share of the map under water before the shore is tidied
  double islands = 0.3;             // 0: none, 1: many
  std::vector<std::string> signs;   // "buoy" texts; the first ones lie near the start
  std::vector<std::string> people;  // "talk" texts, each on a dock
  std::vector<int32_t> treasures;   // dollars in each treasure chest
  std::vector<int32_t> moreTime;    // seconds of each time bonus (timed lakes)
  int32_t maxFish = 16;             // fixed fish take the top fish slots
  int32_t singleFish = 0;           // circling fish at fixed spots
  int32_t fixedMonsters = 0;        // monsters at fixed spots, slots 0 up
};

// A generated map: the header, every cell's tile column by column, the 65
// object slots.
struct LakeMap {
  MapHeader header;
  std::vector<int32_t> tiles;
  MapObjects objects;
  int32_t startCol = 0, startRow = 0;  // the water cell under the boat's start

  int32_t Cols() const { return header.MapMaxCol + 1; }
  int32_t Rows() const { return header.MapMaxRow + 1; }
  bool Inside(int32_t c, int32_t r) const { return c >= 0 && r >= 0 && c < Cols() && r < Rows(); }
  int32_t& Tile(int32_t c, int32_t r) { return tiles[static_cast<size_t>(c) * Rows() + r]; }
  int32_t Tile(int32_t c, int32_t r) const { return tiles[static_cast<size_t>(c) * Rows() + r]; }
};

// Raises a GameError when the plan cannot make a map (a size outside the
// format, or a lake too small for its objects).
LakeMap GenerateMap(const MapPlan& plan);

// The map file bytes.
std::vector<uint8_t> EncodeLakeMap(const LakeMap& map);

// The world point at the centre of a cell.
inline void CellCentre(int32_t c, int32_t r, int32_t& x, int32_t& y) {
  x = c * kTileWidth + (r & 1) * (kTileWidth / 2) + kTileWidth / 2;
  y = r * (kTileHeight / 2) + kTileHeight / 2;
}

}  // namespace tw::bake
