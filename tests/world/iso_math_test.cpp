#include "world/iso_math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "core/random.h"
#include "world/cell_picker.h"

namespace tw {
namespace {

TEST(IsoMath, StepsUseTheShortPiSoAQuarterTurnIsNotExact) {
  EXPECT_EQ(IsoCos(0), 1.0f);
  EXPECT_EQ(IsoSin(0), 0.0f);
  EXPECT_EQ(IsoSin(64), 0.5f);
  EXPECT_NE(IsoCos(64), 0.0f);
  EXPECT_NEAR(IsoCos(64), 1.3267949e-6f, 1e-11f);
  EXPECT_EQ(IsoCos(128), -1.0f);
  EXPECT_EQ(IsoSin(192), -0.5f);
}

TEST(IsoMath, CosineTableUsesTheRealPiAndWrapsItsIndex) {
  EXPECT_EQ(Cos256(0), 1.0);
  EXPECT_NEAR(Cos256(64), 0.0, 1e-15);  // a true quarter turn here
  EXPECT_NEAR(Sin256(64), 1.0, 1e-15);
  EXPECT_NEAR(Sin256(0), 0.0, 1e-15);
  EXPECT_EQ(Cos256(256 + 10), Cos256(10));
  EXPECT_EQ(Cos256(-1), Cos256(255));
  EXPECT_EQ(Sin256(-64), Sin256(192));
  EXPECT_EQ(Sin256(INT32_MAX), Sin256(255));
  for (int i = 0; i < 256; ++i)
    EXPECT_NEAR(Sin256(i), std::sin(i * 2 * std::numbers::pi / 256), 1e-12) << i;
}

TEST(IsoMath, AtanStepsRoundsAndIsNeverNegative) {
  EXPECT_EQ(AtanSteps(1, 1), 32);
  EXPECT_EQ(AtanSteps(-1, 1), 32);
  EXPECT_EQ(AtanSteps(1e30f, 1), 64);
  EXPECT_EQ(AtanSteps(1, 0), 64);
  EXPECT_EQ(AtanSteps(0, 5), 0);
  EXPECT_EQ(AtanSteps(0, 0), 0);
}

TEST(IsoMath, PointAngleOfTheNinePoints) {
  EXPECT_EQ(PointAngle(10, 0, 0, 0), 0);
  EXPECT_EQ(PointAngle(0, 10, 0, 0), 64);
  EXPECT_EQ(PointAngle(-10, 0, 0, 0), 128);
  EXPECT_EQ(PointAngle(0, -10, 0, 0), 192);
  EXPECT_EQ(PointAngle(0, 0, 0, 0), 192);
  EXPECT_EQ(PointAngle(10, 10, 0, 0), 32);
  EXPECT_EQ(PointAngle(-10, 10, 0, 0), 96);
  EXPECT_EQ(PointAngle(-10, -10, 0, 0), 160);
  EXPECT_EQ(PointAngle(10, -10, 0, 0), 224);
  // Measured from the second point to the first.
  EXPECT_EQ(PointAngle(5, 5, 15, 5), 128);
  // Far-apart points wrap their difference like 32-bit integers instead of failing.
  EXPECT_EQ(PointAngle(INT32_MIN, 0, 1, 0), 0);
}

TEST(IsoMath, PointAngleFollowsAtan2WithinOneStep) {
  Random rng(12345);
  for (int n = 0; n < 20000; ++n) {
    const int32_t x = rng(2001) - 1000, y = rng(2001) - 1000;
    const double exact = std::atan2(double(y), double(x)) * 128 / std::numbers::pi;
    const int got = PointAngle(x, y, 0, 0);
    int diff = std::abs(got - int(std::lround(exact < 0 ? exact + 256 : exact)) % 256);
    diff = std::min(diff, 256 - diff);
    EXPECT_LE(diff, 1) << x << "," << y;
  }
}

TEST(IsoMath, TurnsUpPicksTheShorterWayAndHalfATurnGoesUp) {
  EXPECT_TRUE(TurnsUp(10, 5));
  EXPECT_FALSE(TurnsUp(5, 10));
  EXPECT_TRUE(TurnsUp(133, 5));
  EXPECT_FALSE(TurnsUp(134, 5));
  EXPECT_TRUE(TurnsUp(7, 7));
  EXPECT_TRUE(TurnsUp(2, 250));  // across the wrap
  EXPECT_FALSE(TurnsUp(250, 2));
}

TEST(IsoMath, IsoDistanceCountsYDoubleAndRoundsToNearest) {
  EXPECT_EQ(IsoDistance(0, 0, 30, 20), 50);
  EXPECT_EQ(IsoDistance(0, 0, 0, 50), 100);
  EXPECT_EQ(IsoDistance(3, 3, 3, 3), 0);
  EXPECT_EQ(IsoDistance(0, 0, 1, 1), 2);          // root 5 = 2.24
  EXPECT_EQ(IsoDistance(0, 0, 3, 1), 4);          // root 13 = 3.61
  EXPECT_EQ(IsoDistance(0, 0, 2, 1), 3);          // root 8 = 2.83
  EXPECT_EQ(IsoDistance(0, 0, 4, 1), 4);          // root 20 = 4.47
  EXPECT_EQ(IsoDistance(0, 0, 30000, 0), 30000);  // beyond where 32-bit squares overflow
  EXPECT_EQ(IsoDistance(0, 0, 0, 2000000), 4000000);
  EXPECT_EQ(IsoDistance(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), INT32_MAX);
}

TEST(IsoMath, IsoDistanceBelowAgreesWithTheRoundedDistance) {
  Random rng(5);
  for (int n = 0; n < 300000; ++n) {
    // Around the monsters' thresholds, and far out where squares overflow.
    const int32_t reach = n % 8 == 0 ? 1 << 29 : 700;
    const int32_t x = rng(2 * reach) - reach, y = rng(2 * reach) - reach;
    const int32_t limit = n % 5 == 0 ? rng(1 << 28) - 2 : std::array{0, 1, 2, 50, 150, 300}[n % 6];
    ASSERT_EQ(IsoDistanceBelow(x, y, 0, 0, limit), IsoDistance(x, y, 0, 0) < limit)
        << x << "," << y << " below " << limit;
  }
  EXPECT_FALSE(IsoDistanceBelow(0, 0, 300, 0, 300));
  EXPECT_TRUE(IsoDistanceBelow(0, 0, 299, 0, 300));
  EXPECT_FALSE(IsoDistanceBelow(0, 0, 2, 1, 3));  // 2.83 rounds up to 3
}

TEST(IsoMath, PointInQuadAcceptsBothWindingsAndBorders) {
  // The diamond of tile (0, 0) at 64x32: left, bottom, right, top.
  EXPECT_TRUE(PointInQuad(0, 16, 32, 32, 64, 16, 32, 0, 32, 16));
  EXPECT_TRUE(PointInQuad(32, 0, 64, 16, 32, 32, 0, 16, 32, 16));
  EXPECT_TRUE(PointInQuad(0, 16, 32, 32, 64, 16, 32, 0, 16, 8));  // on an edge
  EXPECT_TRUE(PointInQuad(0, 16, 32, 32, 64, 16, 32, 0, 0, 16));  // a corner
  EXPECT_FALSE(PointInQuad(0, 16, 32, 32, 64, 16, 32, 0, 15, 7));
  EXPECT_FALSE(PointInQuad(0, 16, 32, 32, 64, 16, 32, 0, 65, 16));
}

MapHeader Header(int32_t w, int32_t h, int32_t maxCol, int32_t maxRow) {
  MapHeader hd;
  hd.TileWidth = w;
  hd.TileHeight = h;
  hd.MapMaxCol = maxCol;
  hd.MapMaxRow = maxRow;
  return hd;
}

TEST(IsoMath, PickingTheFirstDiamondsOfA64By32Map) {
  const MapHeader h = Header(64, 32, 100, 100);
  EXPECT_EQ(PickColumn(h, 32, 16), 0);
  EXPECT_EQ(PickRow(h, 32, 16), 0);
  EXPECT_EQ(PickColumn(h, 64, 32), 0);
  EXPECT_EQ(PickRow(h, 64, 32), 1);
  // A corner shared by (0, 0), (-1, 1), (0, 1) and (0, 2): the last tested wins.
  EXPECT_EQ(PickColumn(h, 32, 32), 0);
  EXPECT_EQ(PickRow(h, 32, 32), 2);
  // Far below the last row nothing is covered: column 0, row 0.
  const MapPick far = PickCell(h, 1000, 100000);
  EXPECT_EQ(far.Column, 0);
  EXPECT_EQ(far.Row, 0);
  // A header without a tile size never divides by zero.
  EXPECT_EQ(PickCell(MapHeader{}, 5, 5).Row, 0);
}

// The diamond holding (x, y), found by plain geometry over every tile of the
// map plus row and column -1 just beyond its top and left edge (reported as
// 0): the last one in row-then-column order.
struct GeometryPick {
  bool found = false;
  bool aboveTheMap = false;  // only row -1 holds the point
  MapPick last;
};

GeometryPick BruteForcePick(const MapHeader& h, int32_t x, int32_t y) {
  const int64_t hw = h.TileWidth / 2, hh = h.TileHeight / 2;
  GeometryPick g;
  for (int64_t r = -1; r <= h.MapMaxRow; ++r) {
    for (int64_t c = -1; c <= h.MapMaxCol; ++c) {
      const int64_t cx = c * h.TileWidth + (r % 2) * hw + hw, cy = r * hh + hh;
      if (std::llabs(x - cx) * hh + std::llabs(y - cy) * hw > hw * hh) continue;
      g.found = true;
      g.aboveTheMap = r < 0;
      g.last = {static_cast<int32_t>(std::max<int64_t>(0, c)),
                static_cast<int32_t>(std::max<int64_t>(0, r))};
    }
  }
  return g;
}

// The search looks only around the point, and the half-shifted row -1 can
// fall outside that neighbourhood; a point held by nothing else may then
// pick column 0, row 0 instead, which is as good (it lies off the map).
void ExpectPickMatchesGeometry(const MapHeader& h, int32_t x, int32_t y) {
  const GeometryPick want = BruteForcePick(h, x, y);
  const MapPick got = PickCell(h, x, y);
  ASSERT_EQ(PickColumn(h, x, y), got.Column);
  ASSERT_EQ(PickRow(h, x, y), got.Row);
  const bool exact = got.Column == want.last.Column && got.Row == want.last.Row;
  const bool origin = got.Column == 0 && got.Row == 0;
  ASSERT_TRUE(want.aboveTheMap ? exact || origin : exact)
      << h.TileWidth << "x" << h.TileHeight << " at " << x << "," << y << ": got " << got.Column
      << "," << got.Row << " want " << want.last.Column << "," << want.last.Row;
}

TEST(IsoMath, PickingAgreesWithGeometryEverywhereOnSmallMaps) {
  for (const MapHeader& h :
       {Header(64, 32, 3, 6), Header(16, 8, 4, 7), Header(40, 20, 2, 3), Header(6, 4, 5, 9)}) {
    const int32_t xEnd = (h.MapMaxCol + 3) * h.TileWidth;
    const int32_t yEnd = (h.MapMaxRow + 4) * h.TileHeight / 2;
    for (int32_t y = -h.TileHeight * 2; y <= yEnd; ++y) {
      for (int32_t x = -h.TileWidth * 2; x <= xEnd; ++x) {
        ExpectPickMatchesGeometry(h, x, y);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(IsoMath, PickingAgreesWithGeometryOnAFullSizeMap) {
  const MapHeader h = Header(64, 32, 12, 40);
  // The whole-map brute force is slow, so sample a band of points across the
  // right and bottom edges as well as the interior.
  Random rng(7);
  for (int n = 0; n < 20000; ++n) {
    const int32_t x = rng(15 * 64) - 64, y = rng(44 * 16) - 32;
    ExpectPickMatchesGeometry(h, x, y);
    if (HasFatalFailure()) return;
  }
  const MapHeader big = Header(64, 32, 512, 2048);
  EXPECT_EQ(PickCell(big, 512 * 64 + 32, 2048 * 16 + 16).Column, 512);
  EXPECT_EQ(PickCell(big, 512 * 64 + 32, 2048 * 16 + 16).Row, 2048);
  EXPECT_EQ(PickCell(big, INT32_MAX, INT32_MAX).Row, 0);
  EXPECT_EQ(PickCell(big, INT32_MIN, INT32_MIN).Column, 0);
}

// The pick through the four wrapping edge tests alone, cell by cell in the
// same order: what PickCell answers wherever its short test stands in.
MapPick PickByEdgeTests(const MapHeader& h, int32_t x, int32_t y) {
  const int64_t w = h.TileWidth, hw = w / 2, hh = h.TileHeight / 2;
  const int64_t c0 = std::max<int64_t>(0, x / w - 1), r0 = std::max<int64_t>(0, y / hh - 1);
  auto wrap = [](int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); };
  for (int64_t r = std::min<int64_t>(h.MapMaxRow, r0 + 1); r >= r0 - 1; --r)
    for (int64_t c = std::min<int64_t>(h.MapMaxCol, c0 + 1); c >= c0 - 1; --c) {
      const int32_t left = wrap(c * w + (r % 2) * hw), top = wrap(r * hh);
      const int32_t midX = wrap(left + hw), midY = wrap(top + hh);
      if (PointInQuad(left, midY, midX, wrap(int64_t{top} + h.TileHeight), wrap(left + w), midY,
                      midX, top, x, y))
        return {static_cast<int32_t>(std::clamp<int64_t>(c, 0, std::max(0, h.MapMaxCol))),
                static_cast<int32_t>(std::clamp<int64_t>(r, 0, std::max(0, h.MapMaxRow)))};
    }
  return {};
}

TEST(IsoMath, PickingIsTheSameAsByTheEdgeTestsWhereverThatIsAsked) {
  Random rng(11);
  for (const MapHeader& h : {Header(64, 32, 150, 600), Header(256, 256, 3, 3), Header(2, 2, 9, 9),
                             Header(64, 30, 40, 40), Header(65, 33, 40, 40)}) {
    const CellPicker picker(h);
    for (int n = 0; n < 200000; ++n) {
      // Points over the map and its borders, and around the edge of the
      // short test's reach.
      const bool far = n % 4 == 0;
      const int32_t x = far ? (1 << 20) - 300 + rng(600) : rng(160 * 64) - 300;
      const int32_t y = far ? (1 << 20) - 300 + rng(600) : rng(620 * 16) - 300;
      const MapPick want = PickByEdgeTests(h, x, y), got = PickCell(h, x, y), quick = picker(x, y);
      ASSERT_TRUE(got.Column == want.Column && got.Row == want.Row && quick.Column == want.Column &&
                  quick.Row == want.Row)
          << h.TileWidth << "x" << h.TileHeight << " at " << x << "," << y;
    }
  }
}

// The picker answers as PickCell on every point around the map's corners,
// far out, and for the maps it leaves to PickCell.
TEST(IsoMath, CellPickerAnswersAsPickCellAroundTheCornersAndForOddMaps) {
  for (const MapHeader& h :
       {Header(64, 32, 512, 2048), Header(32, 16, 7, 9), Header(64, 32, 0, 0),
        Header(64, 32, -1, 5), Header(64, 30, 4, 4), Header(0, 0, 5, 5), Header(512, 256, 4, 4)}) {
    const CellPicker picker(h);
    const auto expectSame = [&](int32_t x, int32_t y) {
      const MapPick want = PickCell(h, x, y), got = picker(x, y);
      ASSERT_TRUE(got.Column == want.Column && got.Row == want.Row)
          << h.TileWidth << "x" << h.TileHeight << " at " << x << "," << y;
    };
    const int32_t w = std::max(h.TileWidth, 2), hh = std::max(h.TileHeight / 2, 1);
    for (const int32_t x0 : {-3 * w, (h.MapMaxCol - 2) * w})
      for (const int32_t y0 : {-3 * hh, (h.MapMaxRow - 2) * hh})
        for (int32_t y = y0; y <= y0 + 7 * hh; ++y)
          for (int32_t x = x0; x <= x0 + 6 * w; ++x) ASSERT_NO_FATAL_FAILURE(expectSame(x, y));
    for (const int32_t v : {INT32_MIN, -1, (1 << 20) - 1, 1 << 20, INT32_MAX})
      for (const int32_t u : {v, 100}) {
        ASSERT_NO_FATAL_FAILURE(expectSame(v, u));
        ASSERT_NO_FATAL_FAILURE(expectSame(u, v));
      }
  }
}

}  // namespace
}  // namespace tw
