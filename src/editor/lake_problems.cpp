#include "editor/lake_problems.h"

#include <algorithm>
#include <deque>
#include <optional>

#include "core/ini.h"
#include "world/iso_math.h"
#include "world/map.h"
#include "world/shore_rule.h"
#include "world/sign_text.h"

namespace tw {

namespace {

std::optional<int32_t> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  for (char ch : text)
    if ((ch < '0' || ch > '9') && ch != '-') return std::nullopt;
  return ParseIniInteger(text);
}

std::string Where(int32_t slot, const MapObject& o) {
  return "Slot " + std::to_string(slot) + " (" + o.Kind + " at " + std::to_string(o.X) + ", " +
         std::to_string(o.Y) + ")";
}

// A sign, person or pick-up fires when the boat's cell is the object's:
// reachable water, or land the boat can run into from reachable water.
bool CanFire(const LakeDocument& doc, const Reach& reach, int32_t c, int32_t r) {
  if (!doc.Inside(c, r)) return false;
  if (reach.At(doc, c, r)) return true;
  for (int k = 0; k < 4; ++k) {
    int32_t nc, nr;
    DiagonalNeighbour(c, r, k, nc, nr);
    if (reach.At(doc, nc, nr)) return true;
  }
  return false;
}

}  // namespace

BoatStart FindBoatStart(const LakeDocument& doc) {
  BoatStart start;
  const MapObjects& objects = doc.Objects();
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = objects[static_cast<size_t>(i)];
    if (o.Kind != "levelstart") continue;
    start.Placed = true;
    start.Slot = i;
    // Held within the world's limits, so a start far off the map (which the
    // check reports) never overflows.
    start.X = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{o.X} * doc.Header().TileWidth, -kWorldLimit, kWorldLimit));
    start.Y = static_cast<int32_t>(std::clamp<int64_t>(int64_t{o.Y} * (doc.Header().TileHeight / 2),
                                                       -kWorldLimit, kWorldLimit));
  }
  const MapPick cell = PickCell(doc.Header(), start.X, start.Y);
  start.Column = cell.Column;
  start.Row = cell.Row;
  return start;
}

Reach ReachableWater(const LakeDocument& doc) {
  Reach reach;
  const int32_t cols = doc.Columns(), rows = doc.Rows();
  reach.Cells.assign(static_cast<size_t>(cols) * static_cast<size_t>(rows), 0);
  for (int32_t c = 0; c < cols; ++c)
    for (int32_t r = 0; r < rows; ++r) reach.Water += IsWaterTile(doc.Tile(c, r)) ? 1 : 0;
  const BoatStart start = FindBoatStart(doc);
  if (!IsWaterTile(doc.Tile(start.Column, start.Row))) return reach;
  auto mark = [&](int32_t c, int32_t r) {
    uint8_t& m =
        reach.Cells[static_cast<size_t>(c) * static_cast<size_t>(rows) + static_cast<size_t>(r)];
    if (m) return false;
    m = 1;
    ++reach.Reached;
    return true;
  };
  std::deque<std::pair<int32_t, int32_t>> todo{{start.Column, start.Row}};
  mark(start.Column, start.Row);
  while (!todo.empty()) {
    const auto [c, r] = todo.front();
    todo.pop_front();
    for (int k = 0; k < 4; ++k) {
      int32_t nc, nr;
      DiagonalNeighbour(c, r, k, nc, nr);
      if (doc.Inside(nc, nr) && IsWaterTile(doc.Tile(nc, nr)) && mark(nc, nr))
        todo.push_back({nc, nr});
    }
  }
  return reach;
}

std::vector<LakeProblem> CheckLake(const LakeDocument& doc) {
  std::vector<LakeProblem> out;
  const MapHeader& h = doc.Header();
  if (h.MapMaxCol < 0 || h.MapMaxCol >= kMapCols || h.MapMaxRow < 0 || h.MapMaxRow >= kMapRows)
    out.push_back({"The map is " + std::to_string(h.MapMaxCol + 1) + " by " +
                   std::to_string(h.MapMaxRow + 1) + " cells; a map holds at most " +
                   std::to_string(kMapCols) + " by " + std::to_string(kMapRows)});
  if (h.TileWidth < 1 || h.TileHeight < 2 || h.TileWidth > kMaxTileSize ||
      h.TileHeight > kMaxTileSize)
    out.push_back({"The tile size " + std::to_string(h.TileWidth) + " by " +
                   std::to_string(h.TileHeight) + " is outside the map's limits"});
  if (!out.empty()) return out;

  const LakeDefinition& rules = doc.Rules();
  const BoatStart start = FindBoatStart(doc);
  if (!start.Placed)
    out.push_back({"No boat start: the boat starts at (300, 300), cell " +
                       std::to_string(start.Column) + ", " + std::to_string(start.Row),
                   start.Column, start.Row});
  const bool startWet = IsWaterTile(doc.Tile(start.Column, start.Row));
  if (!startWet)
    out.push_back({"The boat starts on land (cell " + std::to_string(start.Column) + ", " +
                       std::to_string(start.Row) + ")",
                   start.Column, start.Row, start.Slot});
  const Reach reach = ReachableWater(doc);
  if (startWet && reach.Reached < reach.Water) {
    const int64_t share = reach.Reached * 100 / std::max<int64_t>(reach.Water, 1);
    // Point at the first water cell the boat cannot reach.
    int32_t fc = -1, fr = -1;
    for (int32_t c = 0; c < doc.Columns() && fc < 0; ++c)
      for (int32_t r = 0; r < doc.Rows(); ++r)
        if (IsWaterTile(doc.Tile(c, r)) && !reach.At(doc, c, r)) {
          fc = c, fr = r;
          break;
        }
    out.push_back({"The boat reaches " + std::to_string(reach.Reached) + " of " +
                       std::to_string(reach.Water) + " water cells (" + std::to_string(share) +
                       "%)",
                   fc, fr});
  }
  int64_t fishWater = 0;
  for (int32_t c = 0; c < doc.Columns(); ++c)
    for (int32_t r = 0; r < doc.Rows(); ++r) {
      const int32_t t = doc.Tile(c, r);
      fishWater += (t >= 0 && t < 4) ? 1 : 0;
    }
  if (fishWater == 0) out.push_back({"The lake has no water for fish (tiles 0 to 3)"});
  if (rules.Maxmonster > 0 && fishWater > 0) {
    bool far = false;
    for (int32_t c = 0; c < doc.Columns() && !far; ++c)
      for (int32_t r = 0; r < doc.Rows() && !far; ++r) {
        const int32_t t = doc.Tile(c, r);
        if (t < 0 || t >= 4) continue;
        const int32_t x = c * h.TileWidth + (r & 1) * (h.TileWidth / 2) + h.TileWidth / 2;
        const int32_t y = r * (h.TileHeight / 2) + h.TileHeight / 2;
        far = IsoDistance(x, y, start.X, start.Y) > 100;
      }
    if (!far) out.push_back({"Monsters need water farther than 100 from the boat's start"});
  }

  const MapObjects& objects = doc.Objects();
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = objects[static_cast<size_t>(i)];
    if (o.Kind.empty()) continue;
    auto add = [&](const std::string& what) {
      out.push_back({Where(i, o) + ": " + what, o.X, o.Y, i});
    };
    const bool inside = doc.Inside(o.X, o.Y);
    if (o.Kind == "levelstart") {
      if (!inside) add("outside the map");
    } else if (o.Kind == "singlefish" || o.Kind == "monster") {
      const bool fish = o.Kind == "singlefish";
      const std::optional<int32_t> slot = Number(o.Param);
      const int32_t count = fish ? rules.MaxFish : rules.Maxmonster;
      if (!inside) add("outside the map");
      if (inside) {
        // Set-up puts it at the corner below and right of its cell.
        const MapPick at = PickCell(h, (o.X + 1) * h.TileWidth, (o.Y + 1) * (h.TileHeight / 2));
        if (!IsWaterTile(doc.Tile(at.Column, at.Row)))
          add("it is put on land (cell " + std::to_string(at.Column) + ", " +
              std::to_string(at.Row) + ")");
      }
      if (!slot)
        add("the " + std::string(fish ? "fish" : "monster") + " slot \"" + o.Param +
            "\" is not a number");
      else if (*slot < 0 || *slot >= kMaxSwimmers)
        add("slot " + std::to_string(*slot) + " is outside 0 to " +
            std::to_string(kMaxSwimmers - 1));
      else if (*slot >= count)
        add(std::string(fish ? "fish" : "monster") + " slot " + std::to_string(*slot) +
            " is beyond the lake's " + std::to_string(count) + (fish ? " fish" : " monsters") +
            ", so it never swims");
    } else if (o.Kind == "buoy" || o.Kind == "talk" || o.Kind == "treasure" ||
               o.Kind == "moretime") {
      if (!o.Active)
        add("not armed, so it never fires");
      else if (!CanFire(doc, reach, o.X, o.Y))
        add(inside ? "the boat can never reach its cell" : "outside the map");
      if (o.Kind == "buoy" || o.Kind == "talk") {
        const std::string fault = BoardFault(o.Text, o.Kind == "buoy" ? kSignBoard : kPersonBoard);
        if (!fault.empty()) add("the text does not fit: " + fault);
        if (o.Text.empty()) add("the text is empty");
      } else if (!Number(o.Param)) {
        add("\"" + o.Param + "\" is not a whole number of " +
            (o.Kind == "treasure" ? "dollars" : "seconds"));
      }
      if (o.Kind == "moretime" && !rules.Timed) add("extra time only counts on a timed lake");
    } else {
      add("the game knows no object of this kind");
    }
  }
  return out;
}

}  // namespace tw
