// The picker must answer exactly as PickCell everywhere: over the map, on
// every border between diamonds, beyond the edges, far out and for tile
// sizes it leaves to PickCell.
#include "world/cell_picker.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/random.h"

namespace tw {
namespace {

MapHeader Header(int32_t w, int32_t h, int32_t maxCol, int32_t maxRow) {
  MapHeader hd;
  hd.TileWidth = w;
  hd.TileHeight = h;
  hd.MapMaxCol = maxCol;
  hd.MapMaxRow = maxRow;
  return hd;
}

void ExpectSame(const MapHeader& h, const CellPicker& pick, int32_t x, int32_t y) {
  const MapPick want = PickCell(h, x, y), got = pick(x, y);
  ASSERT_TRUE(got.Column == want.Column && got.Row == want.Row)
      << h.TileWidth << "x" << h.TileHeight << " map " << h.MapMaxCol << "x" << h.MapMaxRow
      << " at " << x << "," << y << ": got " << got.Column << "," << got.Row << " want "
      << want.Column << "," << want.Row;
}

TEST(CellPicker, AnswersAsPickCellEverywhere) {
  Random rng(5);
  for (const MapHeader& h :
       {Header(64, 32, 512, 2048), Header(64, 32, 12, 40), Header(32, 16, 7, 9),
        Header(128, 64, 5, 5), Header(2, 2, 9, 9), Header(256, 256, 3, 3), Header(8, 32, 6, 6),
        Header(64, 30, 40, 40), Header(40, 20, 6, 6), Header(65, 33, 40, 40),
        Header(512, 256, 4, 4), Header(64, 32, 0, 0), Header(64, 32, -1, 5), Header(64, 32, 5, -3),
        Header(0, 0, 5, 5), Header(64, 1, 5, 5), Header(-64, -32, 5, 5)}) {
    const CellPicker pick(h);
    // Every point of the first and last tiles and a little beyond each edge,
    // where rows -1 and columns -1 and the map's end come in.
    const int32_t w = std::max(h.TileWidth, 2), hh = std::max(h.TileHeight / 2, 1);
    const int64_t endX = (int64_t{h.MapMaxCol} + 1) * w, endY = (int64_t{h.MapMaxRow} + 2) * hh;
    for (int64_t x0 : {int64_t{-3} * w, endX - 3 * w}) {
      for (int64_t y0 : {int64_t{-3} * hh, endY - 4 * hh}) {
        for (int64_t y = y0; y <= y0 + 7 * hh; ++y) {
          for (int64_t x = x0; x <= x0 + 6 * w; ++x) {
            ExpectSame(h, pick, static_cast<int32_t>(x), static_cast<int32_t>(y));
            if (HasFatalFailure()) return;
          }
        }
      }
    }
    // Anywhere over the map, around the reach where PickCell's short test
    // ends, and at the far ends of the number range.
    for (int n = 0; n < 200000; ++n) {
      const int32_t x =
          n % 4 == 0 ? (1 << 20) - 300 + rng(600) : rng(static_cast<int32_t>(endX + 2 * w)) - w;
      const int32_t y =
          n % 4 == 0 ? (1 << 20) - 300 + rng(600) : rng(static_cast<int32_t>(endY + 2 * hh)) - hh;
      ExpectSame(h, pick, x, y);
      if (HasFatalFailure()) return;
    }
    for (int32_t x : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX})
      for (int32_t y : {INT32_MIN, -1, 0, 1, 17, INT32_MAX}) ExpectSame(h, pick, x, y);
  }
}

}  // namespace
}  // namespace tw
