// Generated lake maps: the header fits the format and the camera, the boat
// starts on open water, everything is placed where play can reach it, the
// shore pieces match their water, and set-up's fish scattering finishes.
#include "bake/map_gen.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "bake/lake_campaign.h"
#include "core/error.h"
#include "core/random.h"
#include "world/iso_math.h"
#include "world/map_file.h"

namespace tw::bake {
namespace {

const LakeMap& MapOf(const LakeSpec& lake) {
  static std::map<std::string, LakeMap> cache;
  auto it = cache.find(lake.name);
  if (it == cache.end()) it = cache.emplace(lake.name, GenerateMap(lake.map)).first;
  return it->second;
}

bool WaterAt(const LakeMap& m, int32_t x, int32_t y) {
  const MapPick p = PickCell(m.header, x, y);
  return IsWaterTile(m.Tile(p.Column, p.Row));
}

// Cells the boat can reach from the start, moving through shared edges.
std::vector<uint8_t> Reachable(const LakeMap& m) {
  std::vector<uint8_t> seen(m.tiles.size(), 0);
  std::vector<std::pair<int32_t, int32_t>> stack{{m.startCol, m.startRow}};
  seen[static_cast<size_t>(m.startCol) * m.Rows() + m.startRow] = 1;
  while (!stack.empty()) {
    auto [c, r] = stack.back();
    stack.pop_back();
    for (int k = 0; k < 4; ++k) {
      int32_t nc, nr;
      DiagonalNeighbour(c, r, k, nc, nr);
      if (!m.Inside(nc, nr) || !IsWaterTile(m.Tile(nc, nr))) continue;
      uint8_t& s = seen[static_cast<size_t>(nc) * m.Rows() + nr];
      if (!s) s = 1, stack.emplace_back(nc, nr);
    }
  }
  return seen;
}

bool NextToReachableWater(const LakeMap& m, const std::vector<uint8_t>& reach, int32_t c,
                          int32_t r) {
  for (int k = 0; k < 4; ++k) {
    int32_t nc, nr;
    DiagonalNeighbour(c, r, k, nc, nr);
    if (m.Inside(nc, nr) && reach[static_cast<size_t>(nc) * m.Rows() + nr]) return true;
  }
  return false;
}

TEST(MapGen, EveryLakeFitsTheFormatAndTheCamera) {
  for (const LakeSpec& lake : Campaign()) {
    SCOPED_TRACE(lake.name);
    const LakeMap& m = MapOf(lake);
    EXPECT_EQ(m.header.TileWidth, 64);
    EXPECT_EQ(m.header.TileHeight, 32);
    EXPECT_LE(m.header.MapMaxCol, 512);
    EXPECT_LE(m.header.MapMaxRow, 2048);
    // The view hides 64 pixels all round and shows 640 by 480.
    EXPECT_GE(m.header.MapMaxCol * 64, 640 + 128 + 256);
    EXPECT_GE(m.header.MapMaxRow * 16, 480 + 128 + 256);
    EXPECT_EQ(m.tiles.size(), static_cast<size_t>(m.Cols()) * m.Rows());
    // Points below the map pick cell (0, 0); it must be real land so set-up
    // draws again.
    EXPECT_GE(m.Tile(0, 0), 4);
    EXPECT_FALSE(IsWaterTile(m.Tile(0, 0)));
  }
}

TEST(MapGen, BoatStartsOnOpenWaterWithMostOfTheLakeReachable) {
  for (const LakeSpec& lake : Campaign()) {
    SCOPED_TRACE(lake.name);
    const LakeMap& m = MapOf(lake);
    int starts = 0;
    for (const MapObject& o : m.objects) {
      if (o.Kind != "levelstart") continue;
      ++starts;
      const int32_t x = o.X * 64, y = o.Y * 16;
      const MapPick p = PickCell(m.header, x, y);
      EXPECT_EQ(p.Column, m.startCol);
      EXPECT_EQ(p.Row, m.startRow);
      for (int32_t dx = -48; dx <= 48; dx += 16) {
        for (int32_t dy = -24; dy <= 24; dy += 8) EXPECT_TRUE(WaterAt(m, x + dx, y + dy));
      }
    }
    EXPECT_EQ(starts, 1);
    const std::vector<uint8_t> reach = Reachable(m);
    size_t reachable = 0, water = 0;
    for (size_t i = 0; i < m.tiles.size(); ++i) {
      reachable += reach[i];
      water += IsWaterTile(m.tiles[i]);
    }
    EXPECT_EQ(reachable, water) << "every patch of water joins the lake";
    EXPECT_GE(reachable * 100, m.tiles.size() * 15);
    EXPECT_GE(reachable, 600u);
  }
}

TEST(MapGen, ObjectsLieOnTheMapWherePlayCanReachThem) {
  for (const LakeSpec& lake : Campaign()) {
    SCOPED_TRACE(lake.name);
    const LakeMap& m = MapOf(lake);
    const std::vector<uint8_t> reach = Reachable(m);
    std::map<std::string, int> count;
    for (const MapObject& o : m.objects) {
      if (o.Kind.empty()) continue;
      ++count[o.Kind];
      SCOPED_TRACE(o.Kind + " at " + std::to_string(o.X) + "," + std::to_string(o.Y));
      ASSERT_TRUE(m.Inside(o.X, o.Y));
      const int32_t tile = m.Tile(o.X, o.Y);
      const bool reached = reach[static_cast<size_t>(o.X) * m.Rows() + o.Y];
      if (o.Kind == "buoy") {
        EXPECT_TRUE(tile == 48 && reached);
      }
      if (o.Kind == "treasure") {
        EXPECT_TRUE(tile == 46 && reached);
      }
      if (o.Kind == "moretime") {
        EXPECT_TRUE(tile == 47 && reached);
      }
      if (o.Kind == "talk") {
        EXPECT_TRUE(tile >= 36 && tile <= 39) << "people stand on docks";
        EXPECT_TRUE(NextToReachableWater(m, reach, o.X, o.Y));
      }
      if (o.Kind == "buoy" || o.Kind == "talk") {
        EXPECT_FALSE(o.Text.empty());
      }
      if (o.Kind == "treasure" || o.Kind == "moretime") {
        EXPECT_GT(std::stoi(o.Param), 0);
      }
      if (o.Kind == "singlefish" || o.Kind == "monster") {
        const int32_t slot = std::stoi(o.Param);
        EXPECT_GE(slot, 0);
        EXPECT_LT(slot, o.Kind == "singlefish" ? lake.rules.MaxFish : lake.rules.Maxmonster);
        const int32_t x = (o.X + 1) * 64, y = (o.Y + 1) * 16;
        // Fixed fish circle about 50 pixels round their spot.
        for (int32_t dx = -64; dx <= 64; dx += 32) {
          for (int32_t dy = -32; dy <= 32; dy += 16) EXPECT_TRUE(WaterAt(m, x + dx, y + dy));
        }
        if (o.Kind == "monster") {
          EXPECT_GT(IsoDistance(x, y, m.startCol * 64 + 64, m.startRow * 16 + 16), 100);
        }
      }
    }
    EXPECT_EQ(count["buoy"], static_cast<int>(lake.map.signs.size()));
    EXPECT_EQ(count["talk"], static_cast<int>(lake.map.people.size()));
    EXPECT_EQ(count["treasure"], static_cast<int>(lake.map.treasures.size()));
    EXPECT_EQ(count["moretime"] > 0, lake.rules.Timed);
  }
}

TEST(MapGen, ShorePiecesShowWhereTheirWaterLies) {
  for (const LakeSpec& lake : Campaign()) {
    SCOPED_TRACE(lake.name);
    const LakeMap& m = MapOf(lake);
    int wrong = 0;
    for (int32_t c = 0; c < m.Cols(); ++c) {
      for (int32_t r = 0; r < m.Rows(); ++r) {
        const int32_t tile = m.Tile(c, r);
        if (IsWaterTile(tile) || (tile >= 32 && tile <= 39)) continue;
        int32_t mask = 0;
        for (int k = 0; k < 4; ++k) {
          int32_t nc, nr;
          DiagonalNeighbour(c, r, k, nc, nr);
          if (m.Inside(nc, nr) && IsWaterTile(m.Tile(nc, nr))) mask |= 1 << k;
        }
        if (mask ? tile != 4 + mask : tile > 4 && tile < 20) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// Set-up scatters fish and monsters by drawing points over twice the map's
// height until one lands on water; on these maps that must finish quickly.
TEST(MapGen, SetUpFindsWaterForEveryFishAndMonsterQuickly) {
  for (const LakeSpec& lake : Campaign()) {
    SCOPED_TRACE(lake.name);
    const LakeMap& m = MapOf(lake);
    Random rng(12345);
    const int32_t boatX = m.startCol * 64 + 64, boatY = m.startRow * 16 + 16;
    int64_t draws = 0;
    const int32_t swimmers = lake.rules.MaxFish + lake.rules.Maxmonster;
    for (int32_t k = 0; k < swimmers; ++k) {
      const bool monster = k >= lake.rules.MaxFish;
      for (;;) {
        ++draws;
        ASSERT_LT(draws, int64_t{400} * swimmers) << "placement barely finds water";
        const int32_t x = rng(m.header.MapMaxCol * 64), y = rng(m.header.MapMaxRow * 32);
        const MapPick p = PickCell(m.header, x, y);
        if (!IsSetupWater(m.Tile(p.Column, p.Row))) continue;
        if (monster && IsoDistance(x, y, boatX, boatY) <= 100) continue;
        break;
      }
    }
  }
}

TEST(MapGen, EncodedMapIsWhatTheGameReadsAndWrites) {
  const LakeSpec& lake = Campaign()[2];
  const LakeMap& m = MapOf(lake);
  const std::vector<uint8_t> bytes = EncodeLakeMap(m);
  EXPECT_EQ(bytes.size(), MapFileSize(m.header.MapMaxCol, m.header.MapMaxRow));
  auto grid = std::make_unique<MapGrid>();
  MapHeader header;
  MapObjects objects;
  ParseMapFile(bytes, lake.name + ".iso", header, *grid, objects);
  EXPECT_EQ(header.MapMaxCol, m.header.MapMaxCol);
  EXPECT_EQ(header.MapMaxRow, m.header.MapMaxRow);
  EXPECT_EQ(header.TileWidth, 64);
  EXPECT_EQ(header.TileHeight, 32);
  for (int32_t c = 0; c < m.Cols(); ++c) {
    for (int32_t r = 0; r < m.Rows(); ++r) ASSERT_EQ((*grid)[c][r].Tile, m.Tile(c, r));
  }
  for (int i = 0; i < kMapObjectCount; ++i) {
    EXPECT_EQ(objects[i].Kind, m.objects[i].Kind);
    EXPECT_EQ(objects[i].Param, m.objects[i].Param);
    EXPECT_EQ(objects[i].Text, m.objects[i].Text);
    EXPECT_EQ(objects[i].X, m.objects[i].X);
    EXPECT_EQ(objects[i].Y, m.objects[i].Y);
    EXPECT_EQ(objects[i].Active, m.objects[i].Active);
  }
  EXPECT_EQ(EncodeMapFile(header, *grid, objects), bytes);
}

TEST(MapGen, SameSeedGivesTheSameBytes) {
  for (size_t i : {size_t{0}, size_t{5}, Campaign().size() - 2}) {
    const LakeSpec& lake = Campaign()[i];
    SCOPED_TRACE(lake.name);
    EXPECT_EQ(EncodeLakeMap(GenerateMap(lake.map)), EncodeLakeMap(MapOf(lake)));
  }
  MapPlan other = Campaign()[0].map;
  other.seed += 1;
  EXPECT_NE(EncodeLakeMap(GenerateMap(other)), EncodeLakeMap(MapOf(Campaign()[0])));
}

TEST(MapGen, ImpossiblePlansAreRefusedWithAReason) {
  MapPlan plan;
  plan.maxCol = 600;
  EXPECT_THROW(GenerateMap(plan), GameError);
  plan.maxCol = 24;
  plan.maxRow = 10;
  EXPECT_THROW(GenerateMap(plan), GameError);
  plan.maxRow = 96;
  plan.signs.assign(70, "SIGN");
  EXPECT_THROW(GenerateMap(plan), GameError);
  plan.signs.clear();
  plan.singleFish = 5;
  plan.maxFish = 3;  // fixed fish in slots play never uses
  EXPECT_THROW(GenerateMap(plan), GameError);
}

}  // namespace
}  // namespace tw::bake
