// Shared between the stages of the map generator.
#pragma once
#include <cstdint>
#include <vector>

#include "bake/map_gen.h"
#include "bake/synth.h"

namespace tw::bake {

// What a cell is while the lake is being shaped.
enum CellKind : uint8_t { kLand = 0, kWater = 1, kDock = 2 };

struct Terrain {
  int32_t cols = 0, rows = 0;
  std::vector<uint8_t> kind;  // CellKind, column by column
  std::vector<int32_t> dist;  // steps to the nearest land or dock (0 on land)
  int32_t startCol = 0, startRow = 0;

  size_t At(int32_t c, int32_t r) const { return static_cast<size_t>(c) * rows + r; }
  bool Inside(int32_t c, int32_t r) const { return c >= 0 && r >= 0 && c < cols && r < rows; }
  bool IsWater(int32_t c, int32_t r) const { return Inside(c, r) && kind[At(c, r)] == kWater; }
};

// Shapes the lake: land and water, the boat's start, and only water the
// boat can reach from it.
Terrain ShapeLake(const MapPlan& plan);

// Recomputes every cell's distance to land.
void MeasureShore(Terrain& t);

// Turns water the boat cannot reach from the start into land; returns the
// number of water cells left.
size_t KeepReachableWater(Terrain& t);

// Places docks, signs, pick-ups, fish and monsters, and gives every cell its
// tile number.
LakeMap DressLake(Terrain& t, const MapPlan& plan);

}  // namespace tw::bake
