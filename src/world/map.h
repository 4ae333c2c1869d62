// The lake map: a staggered isometric grid of tile numbers plus the 65 placed
// objects (boat start, fixed fish and monsters, signs, people, pick-ups).
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tw {

// The four header words kept together because tile picking takes them as one.
struct MapHeader {
  int32_t TileHeight = 0, TileWidth = 0, MapMaxCol = 0, MapMaxRow = 0;
};

struct MapCell {
  int32_t Tile = 0;      // picture index in the lake's tile library; -1 is an empty cell
  uint8_t AnimTick = 0;  // the cell's animation counter
};

struct MapObject {
  int32_t X = 0, Y = 0;           // column and row of the cell the object stands on
  uint8_t Active = 0;             // non-zero: armed for play
  std::string Kind, Param, Text;  // Kind is stored lower-cased and trimmed
  bool operator==(const MapObject&) const = default;
};

constexpr int32_t kMapCols = 513, kMapRows = 2049, kMapObjectCount = 65;
// The largest tile a map may ask for, each way. Far beyond any tile picture,
// and small enough that every world position on the largest map stays well
// inside 32 bits, with room for the camera and the sprites around it.
constexpr int32_t kMaxTileSize = 1024;
// Every world position of a lake lies far inside this either way (the
// largest map spans 525,312 by 1,049,088 pixels), so positions, the camera
// and the sprites drawn around them never overflow 32 bits.
constexpr int32_t kWorldLimit = 1 << 24;

// Indexed [column][row]. About 8 MB: whoever owns one keeps it on the heap.
using MapGrid = std::array<std::array<MapCell, kMapRows>, kMapCols>;
using MapObjects = std::array<MapObject, kMapObjectCount>;

// Water for the boat, the cursor, the cast target and the fish: tiles 0 to 3
// and the floating pieces 44 to 52. Compared unsigned, so the empty tile -1
// counts as land.
inline bool IsWaterTile(int32_t tile) {
  const uint32_t t = static_cast<uint32_t>(tile);
  return t < 4u || (t >= 44u && t <= 52u);
}

// Set-up's looser test when it scatters fish and monsters: anything below 4,
// empty cells included.
inline bool IsSetupWater(int32_t tile) {
  return tile < 4;
}

}  // namespace tw
