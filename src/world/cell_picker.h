// PickCell for many points on one map in a row (every fish and monster each
// frame): what the tile size allows is worked out once, and the usual point
// is picked in a few instructions without a call. Answers exactly as PickCell.
#pragma once
#include <bit>
#include <cstdint>

#include "world/iso_math.h"

namespace tw {

class CellPicker {
 public:
  // `h` must stay as it is while the picker is used.
  explicit CellPicker(const MapHeader& h) : header_(h) {
    const int32_t w = h.TileWidth, tileH = h.TileHeight;
    // Even tile sizes up to 256 whose half-sizes multiply to a power of two
    // (64 by 32 and the other usual sizes), on a map with cells: PickCell's
    // short test then divides by shifting, and so can the picker. Any other
    // map leaves every point to PickCell.
    if (w < 2 || tileH < 2 || w % 2 != 0 || tileH % 2 != 0 || w > kSide || tileH > kSide) return;
    if (h.MapMaxCol < 0 || h.MapMaxRow < 0) return;
    hw_ = w / 2;
    hh_ = tileH / 2;
    unit_ = hw_ * hh_;
    if ((unit_ & (unit_ - 1)) != 0) return;
    shift_ = std::countr_zero(static_cast<uint32_t>(unit_));
    lastCol_ = static_cast<uint32_t>(h.MapMaxCol);
    lastRow_ = static_cast<uint32_t>(h.MapMaxRow);
    // A point above or left of these may lie in row or column -1.
    fromX_ = static_cast<uint32_t>(w);
    fromY_ = static_cast<uint32_t>(hh_);
    spanX_ = static_cast<uint32_t>(kReach - w);
    spanY_ = static_cast<uint32_t>(kReach - hh_);
  }

  MapPick operator()(int32_t x, int32_t y) const {
    if ((static_cast<uint32_t>(x) - fromX_ >= spanX_) |
        (static_cast<uint32_t>(y) - fromY_ >= spanY_))
      return PickCell(header_, x, y);
    // Turned by 45 degrees every diamond is the square around a point whose
    // two turned coordinates are even multiples of the unit. An odd multiple
    // hit exactly is a border, where the order of PickCell's search decides.
    // Which multiple a point falls on is as good as random, so it is tested
    // without branching on it: a border leaves exactly one unit over two.
    const int32_t u = x * hh_ + y * hw_, v = x * hh_ - y * hw_;
    const int32_t belowTwoUnits = 2 * unit_ - 1;
    if (((u & belowTwoUnits) == unit_) | ((v & belowTwoUnits) == unit_))
      return PickCell(header_, x, y);
    // The even multiples a and b at or above the point; shifting halves
    // them exactly (both even, and so their difference).
    const int32_t qa = u >> shift_, qb = v >> shift_;
    const int32_t a = qa + (qa & 1), b = qb + (qb & 1);
    // Row r and column c lie at a - b = 2r + 2 and a + b = 4c + 2 + 2 (r % 2).
    const int32_t r = ((a - b) >> 1) - 1;
    const int32_t c = (r >> 1) + (b >> 1);
    // Beyond the map's last row or column nothing is covered (and a
    // negative one, compared unsigned, is beyond any).
    if ((static_cast<uint32_t>(r) > lastRow_) | (static_cast<uint32_t>(c) > lastCol_))
      return MapPick{};
    return MapPick{c, r};
  }

 private:
  // PickCell's short test holds for tiles up to this size and points up to
  // this far out, where no product overflows 32 bits.
  static constexpr int32_t kSide = 1 << 8, kReach = 1 << 20;
  const MapHeader& header_;
  int32_t hw_ = 0, hh_ = 0, unit_ = 0, shift_ = 0;
  // The points picked here: fromX_ <= x < fromX_ + spanX_, and so for y
  // (none while the span is 0).
  uint32_t fromX_ = 0, fromY_ = 0, spanX_ = 0, spanY_ = 0;
  uint32_t lastCol_ = 0, lastRow_ = 0;
};

}  // namespace tw
