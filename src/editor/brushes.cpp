#include "editor/brushes.h"

#include <algorithm>
#include <deque>
#include <functional>

#include "world/map.h"
#include "world/shore_rule.h"

namespace tw {

namespace {

// Plain water: the depth tiles the shore brush chooses between.
bool IsDepthTile(int32_t tile) {
  return tile >= 0 && tile <= 2;
}

bool IsShorePiece(int32_t tile) {
  return tile >= kFirstShoreTile && tile <= kLastShoreTile;
}

// Steps from each cell of a window of the map to the nearest land through
// the eight neighbours, up to 4 (4 meaning "4 or more"); cells off the map
// count as land. One search from all the land at once.
class LandSteps {
 public:
  LandSteps(const LakeDocument& doc, int32_t c0, int32_t r0, int32_t c1, int32_t r1)
      : c0_(c0 - 5), r0_(r0 - 10), w_(c1 - c0 + 11), h_(r1 - r0 + 21) {
    steps_.assign(static_cast<size_t>(w_) * static_cast<size_t>(h_), 4);
    std::deque<CellRef> todo;
    for (int32_t c = c0_; c < c0_ + w_; ++c)
      for (int32_t r = r0_; r < r0_ + h_; ++r)
        if (!doc.Inside(c, r) || !IsWaterTile(doc.Tile(c, r))) {
          At(c, r) = 0;
          todo.push_back({c, r});
        }
    while (!todo.empty()) {
      const CellRef at = todo.front();
      todo.pop_front();
      const int32_t next = At(at.Column, at.Row) + 1;
      if (next >= 4) continue;
      for (int k = 0; k < 8; ++k) {
        int32_t nc, nr;
        Neighbour8(at.Column, at.Row, k, nc, nr);
        if (!Holds(nc, nr) || At(nc, nr) <= next) continue;
        At(nc, nr) = next;
        todo.push_back({nc, nr});
      }
    }
  }
  int32_t Of(int32_t c, int32_t r) const {
    return steps_[static_cast<size_t>(c - c0_) * static_cast<size_t>(h_) +
                  static_cast<size_t>(r - r0_)];
  }

 private:
  bool Holds(int32_t c, int32_t r) const {
    return c >= c0_ && r >= r0_ && c < c0_ + w_ && r < r0_ + h_;
  }
  uint8_t& At(int32_t c, int32_t r) {
    return steps_[static_cast<size_t>(c - c0_) * static_cast<size_t>(h_) +
                  static_cast<size_t>(r - r0_)];
  }
  int32_t c0_, r0_, w_, h_;
  std::vector<uint8_t> steps_;
};

// The tile the dressing gives a cell, or its own when it keeps it.
int32_t DressedTile(const LakeDocument& doc, const LandSteps& steps, int32_t c, int32_t r,
                    bool all) {
  const int32_t tile = doc.Tile(c, r);
  if (IsWaterTile(tile)) return IsDepthTile(tile) ? WaterDepthTile(steps.Of(c, r)) : tile;
  if (tile < 0) return tile;
  const auto wet = [&doc](int32_t nc, int32_t nr) {
    return doc.Inside(nc, nr) && IsWaterTile(doc.Tile(nc, nr));
  };
  const int32_t shore = ShoreTile(wet, c, r);
  if (shore >= 0) return IsShorePiece(tile) || tile == kPlainGroundTile || all ? shore : tile;
  return IsShorePiece(tile) ? kPlainGroundTile : tile;
}

void Dress(LakeDocument& doc, int32_t c0, int32_t r0, int32_t c1, int32_t r1, bool all,
           const std::function<void(int32_t, int32_t, int32_t)>& set) {
  c0 = std::max(c0, 0), r0 = std::max(r0, 0);
  c1 = std::min(c1, doc.Columns() - 1), r1 = std::min(r1, doc.Rows() - 1);
  if (c0 > c1 || r0 > r1) return;
  const LandSteps steps(doc, c0, r0, c1, r1);
  // Work out every new tile first, so the order of the cells never matters.
  struct Change {
    int32_t c, r, tile;
  };
  std::vector<Change> changes;
  for (int32_t c = c0; c <= c1; ++c)
    for (int32_t r = r0; r <= r1; ++r) {
      const int32_t tile = DressedTile(doc, steps, c, r, all);
      if (tile != doc.Tile(c, r)) changes.push_back({c, r, tile});
    }
  for (const Change& ch : changes) set(ch.c, ch.r, ch.tile);
}

}  // namespace

std::vector<CellRef> BrushCells(const LakeDocument& doc, int32_t c, int32_t r, int32_t size) {
  std::vector<CellRef> cells;
  if (!doc.Inside(c, r)) return cells;
  cells.push_back({c, r});
  size_t ringStart = 0;
  for (int32_t step = 0; step < (size - 1) / 2; ++step) {
    const size_t ringEnd = cells.size();
    for (size_t i = ringStart; i < ringEnd; ++i) {
      for (int k = 0; k < 8; ++k) {
        int32_t nc, nr;
        Neighbour8(cells[i].Column, cells[i].Row, k, nc, nr);
        const CellRef n{nc, nr};
        if (doc.Inside(nc, nr) && std::find(cells.begin(), cells.end(), n) == cells.end())
          cells.push_back(n);
      }
    }
    ringStart = ringEnd;
  }
  return cells;
}

void PaintTiles(EditHistory& history, int32_t c, int32_t r, int32_t size, int32_t tile) {
  for (const CellRef& at : BrushCells(history.Document(), c, r, size))
    history.SetTile(at.Column, at.Row, tile);
}

void PaintShore(EditHistory& history, int32_t c, int32_t r, int32_t size, bool water) {
  LakeDocument& doc = history.Document();
  const std::vector<CellRef> cells = BrushCells(doc, c, r, size);
  if (cells.empty()) return;
  for (const CellRef& at : cells) {
    const int32_t tile = doc.Tile(at.Column, at.Row);
    if (water && !IsWaterTile(tile)) history.SetTile(at.Column, at.Row, 0);
    if (!water && IsWaterTile(tile)) history.SetTile(at.Column, at.Row, kPlainGroundTile);
  }
  // Depth reaches four steps out and rows lie half a cell apart, so the
  // dressing looks that far around the brush.
  const int32_t reach = (size - 1) / 2 + 5;
  Dress(doc, c - reach, r - 2 * reach, c + reach, r + 2 * reach, false,
        [&history](int32_t cc, int32_t rr, int32_t tile) { history.SetTile(cc, rr, tile); });
}

size_t FillArea(EditHistory& history, int32_t c, int32_t r, int32_t tile) {
  LakeDocument& doc = history.Document();
  if (!doc.Inside(c, r)) return 0;
  const int32_t from = doc.Tile(c, r);
  if (from == tile) return 0;
  size_t changed = 0;
  std::deque<CellRef> todo{{c, r}};
  history.SetTile(c, r, tile);
  while (!todo.empty()) {
    const CellRef at = todo.front();
    todo.pop_front();
    ++changed;
    for (int k = 0; k < 4; ++k) {
      int32_t nc, nr;
      DiagonalNeighbour(at.Column, at.Row, k, nc, nr);
      if (!doc.Inside(nc, nr) || doc.Tile(nc, nr) != from) continue;
      history.SetTile(nc, nr, tile);
      todo.push_back({nc, nr});
    }
  }
  return changed;
}

void DressArea(LakeDocument& doc, int32_t c0, int32_t r0, int32_t c1, int32_t r1, bool all) {
  Dress(doc, c0, r0, c1, r1, all,
        [&doc](int32_t c, int32_t r, int32_t tile) { doc.SetTile(c, r, tile); });
}

}  // namespace tw
