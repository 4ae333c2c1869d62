// Dressing a shaped lake: docks with people, signs and pick-ups, fixed fish
// and monsters, then the tile number of every cell (water by depth, shore
// pieces from the neighbouring water, ground, trees, buildings, reeds).
#include <algorithm>
#include <cmath>

#include "bake/map_gen_internal.h"
#include "core/error.h"

namespace tw::bake {
namespace {

struct Spot {
  int32_t c, r;
};

int64_t IsoSquared(Spot a, Spot b) {
  int32_t ax, ay, bx, by;
  CellCentre(a.c, a.r, ax, ay);
  CellCentre(b.c, b.r, bx, by);
  const int64_t dx = ax - bx, dy = 2 * (ay - by);
  return dx * dx + dy * dy;
}

// Picks the candidate farthest from everything placed so far, so objects
// spread over the whole lake.
bool PickSpread(const std::vector<Spot>& candidates, std::vector<Spot>& placed, Spot& out,
                int64_t minSquared = 0, int64_t maxSquaredFromFirst = INT64_MAX) {
  int64_t best = -1;
  for (const Spot& s : candidates) {
    if (!placed.empty() && IsoSquared(s, placed.front()) > maxSquaredFromFirst) continue;
    int64_t nearest = INT64_MAX;
    for (const Spot& p : placed) nearest = std::min(nearest, IsoSquared(s, p));
    if (nearest > best && nearest >= minSquared) best = nearest, out = s;
  }
  if (best < 0) return false;
  placed.push_back(out);
  return true;
}

std::vector<Spot> Cells(const Terrain& t, int32_t minDist, int32_t maxDist, bool oddRowsOnly) {
  std::vector<Spot> out;
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = oddRowsOnly ? 1 : 0; r < t.rows; r += oddRowsOnly ? 2 : 1) {
      const int32_t d = t.dist[t.At(c, r)];
      if (t.kind[t.At(c, r)] == kWater && d >= minDist && d <= maxDist) out.push_back({c, r});
    }
  }
  return out;
}

MapObject Object(const char* kind, int32_t x, int32_t y, std::string param, std::string text) {
  MapObject o;
  o.X = x;
  o.Y = y;
  o.Active = 1;
  o.Kind = kind;
  o.Param = std::move(param);
  o.Text = std::move(text);
  return o;
}

// Water tiles by depth, with reeds, lily pads, stumps and driftwood in the
// shallows, more of them in the bayou.
int32_t WaterTile(const Terrain& t, int32_t c, int32_t r, LakeStyle style, Noise& rng) {
  const int32_t d = t.dist[t.At(c, r)];
  const float roll = rng.Unit();
  struct Weed {
    int32_t tile;
    float share;
  };
  std::vector<Weed> weeds;
  if (style == LakeStyle::Bayou) {
    if (d == 1) weeds = {{45, 0.12f}, {44, 0.08f}, {49, 0.05f}, {50, 0.03f}, {51, 0.01f}};
    if (d == 2 || d == 3) weeds = {{44, 0.06f}, {50, 0.02f}, {49, 0.02f}};
  } else if (style == LakeStyle::Canada) {
    if (d == 1) weeds = {{45, 0.06f}, {44, 0.03f}, {51, 0.01f}, {49, 0.005f}};
    if (d == 2) weeds = {{44, 0.02f}, {50, 0.01f}};
    if (d >= 5) weeds = {{52, 0.0015f}};
  } else {
    if (d == 1) weeds = {{51, 0.03f}, {49, 0.02f}, {45, 0.02f}};
    if (d >= 4) weeds = {{52, 0.002f}};
  }
  float acc = 0.0f;
  for (const Weed& w : weeds) {
    acc += w.share;
    if (roll < acc) return w.tile;
  }
  return WaterDepthTile(d);
}

// Inland ground: mostly plain ground, with trees and rocks (and, by the
// water, the odd shed or cabin the people live in).
int32_t LandTile(LakeStyle style, Noise& rng) {
  const float roll = rng.Unit();
  const float tall = style == LakeStyle::Canada ? 0.45f : style == LakeStyle::Bayou ? 0.35f : 0.18f;
  if (roll < tall) return 24 + static_cast<int32_t>(rng.Next() % 8);
  if (roll < tall + 0.06f) return 40 + static_cast<int32_t>(rng.Next() % 4);
  return 20 + static_cast<int32_t>(rng.Next() % 4);
}

}  // namespace

LakeMap DressLake(Terrain& t, const MapPlan& plan) {
  const size_t objectCount = 1 + plan.signs.size() + plan.people.size() + plan.treasures.size() +
                             plan.moreTime.size() + plan.singleFish + plan.fixedMonsters;
  if (objectCount > kMapObjectCount) throw GameError("A lake map holds at most 65 objects");
  if (plan.singleFish > plan.maxFish) throw GameError("More fixed fish than the lake's fish");

  LakeMap map;
  map.header = MapHeader{kTileHeight, kTileWidth, t.cols - 1, t.rows - 1};
  map.startCol = t.startCol;
  map.startRow = t.startRow;
  const Spot start{t.startCol, t.startRow};
  std::vector<MapObject> objects;
  objects.push_back(Object("levelstart", start.c + 1, start.r + 1, "", ""));

  // People stand at the end of short piers that reach out from the shore.
  std::vector<Spot> placed{start};
  std::vector<Spot> piers;
  std::vector<Spot> cabins;
  for (const std::string& text : plan.people) {
    Spot tip{};
    if (!PickSpread(Cells(t, 1, 1, false), placed, tip)) throw GameError("No shore for a dock");
    t.kind[t.At(tip.c, tip.r)] = kDock;
    piers.push_back(tip);
    objects.push_back(Object("talk", tip.c, tip.r, "", text));
    // A cabin on the nearest inland cell behind the pier.
    for (int k = 0; k < 4; ++k) {
      int32_t sc, sr;
      DiagonalNeighbour(tip.c, tip.r, k, sc, sr);
      if (!t.Inside(sc, sr) || t.kind[t.At(sc, sr)] != kLand) continue;
      int32_t bc, br;
      DiagonalNeighbour(sc, sr, k, bc, br);
      if (t.Inside(bc, br) && t.kind[t.At(bc, br)] == kLand) cabins.push_back({bc, br});
      break;
    }
  }
  KeepReachableWater(t);
  MeasureShore(t);

  std::vector<uint8_t> reserved(t.kind.size(), 0);
  auto take = [&](Spot s) { reserved[t.At(s.c, s.r)] = 1; };
  take(start);
  // Signs: the first ones a short drive from the start, to teach the
  // controls; the rest spread over the lake to tell its story.
  std::vector<Spot> open = Cells(t, 1, 1000, false);
  std::vector<Spot> near = {start};
  for (size_t i = 0; i < plan.signs.size(); ++i) {
    Spot s{};
    bool ok = false;
    if (i < 3) ok = PickSpread(open, near, s, 160 * 160, 420 * 420);
    if (!ok && !PickSpread(open, placed, s)) throw GameError("No room for a sign");
    if (ok) placed.push_back(s);
    take(s);
    objects.push_back(Object("buoy", s.c, s.r, "", plan.signs[i]));
  }
  for (int32_t value : plan.treasures) {
    Spot s{};
    if (!PickSpread(Cells(t, 1, 2, false), placed, s)) throw GameError("No room for treasure");
    take(s);
    objects.push_back(Object("treasure", s.c, s.r, std::to_string(value), ""));
  }
  for (int32_t seconds : plan.moreTime) {
    Spot s{};
    if (!PickSpread(Cells(t, 2, 1000, false), placed, s)) throw GameError("No room for more time");
    take(s);
    objects.push_back(Object("moretime", s.c, s.r, std::to_string(seconds), ""));
  }
  // Fixed fish circle on the spot, so they need room all round; fixed
  // monsters lurk far from the start.
  const std::vector<Spot> deep = Cells(t, 4, 1000, true);
  for (int32_t k = 0; k < plan.singleFish; ++k) {
    Spot s{};
    if (!PickSpread(deep, placed, s)) throw GameError("No room for a fish");
    objects.push_back(Object("singlefish", s.c, s.r, std::to_string(plan.maxFish - 1 - k), ""));
  }
  for (int32_t k = 0; k < plan.fixedMonsters; ++k) {
    Spot s{};
    if (!PickSpread(deep, placed, s, 400 * 400)) throw GameError("No room for a monster");
    objects.push_back(Object("monster", s.c, s.r, std::to_string(k), ""));
  }
  for (size_t i = 0; i < objects.size(); ++i) map.objects[i] = objects[i];

  // Tiles.
  Noise rng(plan.seed * 31 + 5);
  std::vector<uint8_t> water(t.kind.size());
  for (size_t i = 0; i < water.size(); ++i) water[i] = t.kind[i] == kWater;
  auto wet = [&](int32_t c, int32_t r) { return t.Inside(c, r) && water[t.At(c, r)]; };
  map.tiles.assign(t.kind.size(), 20);
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = 0; r < t.rows; ++r) {
      const size_t i = t.At(c, r);
      int32_t& tile = map.tiles[i];
      if (t.kind[i] == kWater) {
        const bool nearStart = std::abs(c - start.c) <= 3 && std::abs(r - start.r) <= 6;
        tile = reserved[i] || nearStart ? WaterDepthTile(t.dist[i])
                                        : WaterTile(t, c, r, plan.style, rng);
      } else if (t.kind[i] == kDock) {
        tile = 36;
      } else {
        const int32_t shore = ShoreTile(wet, c, r);
        tile = shore >= 0 ? shore : LandTile(plan.style, rng);
      }
    }
  }
  // A pier runs out from its shore: the wide platform where the shore lies
  // north-east or south-west, the narrow walk where it lies north-west or
  // south-east.
  for (const Spot& p : piers) {
    for (int k = 0; k < 4; ++k) {
      int32_t nc, nr;
      DiagonalNeighbour(p.c, p.r, k, nc, nr);
      if (t.Inside(nc, nr) && t.kind[t.At(nc, nr)] == kLand) {
        map.Tile(p.c, p.r) = k % 2 == 0 ? 38 : 37;
        break;
      }
    }
  }
  for (size_t i = 0; i < cabins.size(); ++i) {
    int32_t& tile = map.Tile(cabins[i].c, cabins[i].r);
    if (tile >= 20) tile = 32 + static_cast<int32_t>(i % 4);
  }
  for (const MapObject& o : objects) {
    if (o.Kind == "treasure") map.Tile(o.X, o.Y) = 46;
    if (o.Kind == "moretime") map.Tile(o.X, o.Y) = 47;
    if (o.Kind == "buoy") map.Tile(o.X, o.Y) = 48;
  }
  return map;
}

}  // namespace tw::bake
