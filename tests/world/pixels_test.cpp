#include "world/pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "core/random.h"

namespace tw {
namespace {

struct PixelsTest : ::testing::Test {
  Surface16 surface{8, 6};
  void SetUp() override { ASSERT_TRUE(LockSurface(surface)); }
  void TearDown() override { UnlockSurface(); }

  std::set<std::pair<int, int>> Lit() const {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < surface.Height(); ++y)
      for (int x = 0; x < surface.Width(); ++x)
        if (surface.At(x, y) != 0) lit.insert({x, y});
    return lit;
  }
};

TEST_F(PixelsTest, PackingInBothLayouts) {
  PutPixel(1, 1, 255, 255, 255);
  EXPECT_EQ(surface.At(1, 1), 0xFFFF);
  PutPixel(2, 1, 8, 4, 8);
  EXPECT_EQ(surface.At(2, 1), 0x0821);
  EXPECT_EQ(GetPixel(2, 1), 0x0821);
  EXPECT_EQ(RedOf(0xFFFF), 248);
  EXPECT_EQ(GreenOf(0xFFFF), 252);
  EXPECT_EQ(BlueOf(0xFFFF), 248);

  Surface16 old(4, 4, PixelFormat::RGB555);
  ASSERT_TRUE(LockSurface(old));
  PutPixel(0, 0, 255, 255, 255);
  EXPECT_EQ(old.At(0, 0), 0x7FFF);
  PutPixel(1, 0, 8, 8, 8);
  EXPECT_EQ(old.At(1, 0), 0x0421);
  EXPECT_EQ(RedOf(0x7FFF), 248);
  EXPECT_EQ(GreenOf(0x7FFF), 248);
  EXPECT_EQ(BlueOf(0x7FFF), 248);
}

TEST_F(PixelsTest, EveryAccessIsClipped) {
  surface.Fill(0x1234);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {8, 0}, {0, 6}, {INT32_MIN, INT32_MAX}}) {
    PutPixel(x, y, 255, 255, 255);
    BlendPixel(x, y, 255, 255, 255, 200);
    EXPECT_EQ(GetPixel(x, y), 0);
  }
  EXPECT_EQ(GetPixel(7, 5), 0x1234);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(surface.At(x, y), 0x1234);
}

TEST_F(PixelsTest, NothingIsTouchedWithoutALockAndALostSurfaceDoesNotLock) {
  UnlockSurface();
  PutPixel(1, 1, 255, 255, 255);
  DrawLine(0, 0, 7, 5, 255, 255, 255);
  DrawSmoothLine(0, 0, 7, 3, 255, 255, 255);
  EXPECT_EQ(GetPixel(1, 1), 0);
  EXPECT_TRUE(Lit().empty());
  surface.SetLost(true);
  EXPECT_FALSE(LockSurface(surface));
  PutPixel(1, 1, 255, 255, 255);
  EXPECT_TRUE(Lit().empty());
}

TEST_F(PixelsTest, BlendMovesPartWayAndRoundsDown) {
  BlendPixel(0, 0, 255, 255, 255, 0);
  EXPECT_EQ(surface.At(0, 0), 0);
  BlendPixel(0, 0, 255, 255, 255, 128);  // channels 127 before packing
  EXPECT_EQ(surface.At(0, 0), surface.Pack(127, 127, 127));
  BlendPixel(1, 0, 255, 255, 255, 255);  // 254, one short of the target
  EXPECT_EQ(surface.At(1, 0), surface.Pack(254, 254, 254));
  PutPixel(2, 0, 255, 255, 255);
  BlendPixel(2, 0, 0, 0, 0, 128);  // 248 - 124 going down
  EXPECT_EQ(surface.At(2, 0), surface.Pack(124, 124, 124));
  PutPixel(3, 0, 255, 255, 255);
  BlendPixel(3, 0, 0, 0, 0, 1);  // floor(-248 / 256) is -1
  EXPECT_EQ(surface.At(3, 0), surface.Pack(247, 251, 247));
}

TEST_F(PixelsTest, LinesIncludeBothEndsInTheirStepOrder) {
  using Lit = std::set<std::pair<int, int>>;
  DrawLine(0, 0, 3, 1, 255, 255, 255);
  EXPECT_EQ(this->Lit(), (Lit{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  surface.Fill(0);
  DrawLine(3, 1, 0, 0, 255, 255, 255);
  EXPECT_EQ(this->Lit(), (Lit{{3, 1}, {2, 1}, {1, 0}, {0, 0}}));
  surface.Fill(0);
  DrawLine(1, 0, 2, 5, 255, 255, 255);
  EXPECT_EQ(this->Lit(), (Lit{{1, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}}));
  surface.Fill(0);
  DrawLine(4, 4, 4, 4, 255, 255, 255);
  EXPECT_EQ(this->Lit(), (Lit{{4, 4}}));
}

// Bresenham exactly as written, one step at a time over the whole line.
void ReferenceLine(Surface16& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  const int64_t dx = std::llabs(x2 - x1), dy = std::llabs(y2 - y1);
  const int64_t sx = x1 > x2 ? -1 : 1, sy = y1 > y2 ? -1 : 1;
  int64_t x = x1, y = y1;
  if (dy <= dx) {
    int64_t err = 2 * dy - dx;
    for (int64_t n = 0; n <= dx; ++n) {
      if (s.Contains(int32_t(x), int32_t(y)) && x == int32_t(x) && y == int32_t(y)) s.Set(x, y, 1);
      if (err < 0) {
        err += 2 * dy;
      } else {
        err += 2 * (dy - dx);
        y += sy;
      }
      x += sx;
    }
  } else {
    int64_t err = 2 * dx - dy;
    for (int64_t n = 0; n <= dy; ++n) {
      if (s.Contains(int32_t(x), int32_t(y)) && x == int32_t(x) && y == int32_t(y)) s.Set(x, y, 1);
      if (err < 0) {
        err += 2 * dx;
      } else {
        err += 2 * (dx - dy);
        x += sx;
      }
      y += sy;
    }
  }
}

TEST(PixelLines, LinesStartingOffTheSurfaceLightTheSamePixelsAsWalkingThemWhole) {
  Random rng(99);
  Surface16 got(40, 30), want(40, 30);
  for (int n = 0; n < 3000; ++n) {
    const int span = n < 2000 ? 120 : 20000;
    const int32_t x1 = rng(span) - span / 2 + 20, y1 = rng(span) - span / 2 + 15;
    const int32_t x2 = rng(span) - span / 2 + 20, y2 = rng(span) - span / 2 + 15;
    got.Fill(0);
    want.Fill(0);
    ASSERT_TRUE(LockSurface(got));
    DrawLine(x1, y1, x2, y2, 8, 0, 0);
    UnlockSurface();
    ReferenceLine(want, x1, y1, x2, y2);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(got.At(x, y) != 0, want.At(x, y) != 0)
            << "line " << x1 << "," << y1 << " to " << x2 << "," << y2 << " at " << x << "," << y;
  }
  // A line across the whole 32-bit range finishes at once.
  ASSERT_TRUE(LockSurface(got));
  got.Fill(0);
  DrawLine(INT32_MIN, 3, INT32_MAX, 3, 255, 255, 255);
  DrawSmoothLine(-5, INT32_MIN, 5, INT32_MAX, 255, 255, 255);
  EXPECT_EQ(got.At(39, 3), 0xFFFF);
  UnlockSurface();
}

// The antialiased walk as written: every step from the first end, each pair
// of pixels blended (and clipped) one by one.
void ReferenceSmoothLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  const int64_t dx = std::llabs(x2 - x1), dy = std::llabs(y2 - y1);
  const bool xMajor = dy < dx;
  float slope = xMajor ? float((long double)dy / dx) : float((long double)dx / dy);
  if (xMajor ? y1 < y2 : x1 < x2) slope = -slope;
  const bool fromSecond = xMajor ? x1 > x2 : y1 > y2;
  const int64_t from = xMajor ? std::min(x1, x2) : std::min(y1, y2);
  const int64_t to = xMajor ? std::max(x1, x2) : std::max(y1, y2);
  float fb = float(fromSecond ? (xMajor ? y2 : x2) : (xMajor ? y1 : x1));
  const float step = fromSecond ? slope : -slope;
  for (int64_t a = from; a <= to; ++a) {
    const int64_t i = int64_t(fb);
    const float f = fb - float(i);
    const auto near = uint8_t(int64_t((1.0L - f) * 255.0L)), far = uint8_t(int64_t(f * 255.0L));
    auto blend = [](int64_t x, int64_t y, uint8_t alpha) {
      if (x == int32_t(x) && y == int32_t(y))
        BlendPixel(int32_t(x), int32_t(y), 255, 255, 255, alpha);
    };
    if (xMajor) {
      blend(a, i, near);
      blend(a, i + 1, far);
    } else {
      blend(i, a, near);
      blend(i + 1, a, far);
    }
    fb = fb + step;
  }
}

TEST(PixelLines, SmoothLinesStartingFarOffTheSurfaceBlendAsIfWalkedWhole) {
  Random rng(5);
  Surface16 got(40, 30), want(40, 30);
  for (int n = 0; n < 400; ++n) {
    const int span = n < 397 ? 20000 : (1 << 24);
    int32_t x1 = rng(span) - span / 2, y1 = rng(span) - span / 2;
    const int32_t x2 = rng(40), y2 = rng(30);
    if (x1 == x2 || y1 == y2) continue;
    got.Fill(0);
    want.Fill(0);
    ASSERT_TRUE(LockSurface(got));
    DrawSmoothLine(x1, y1, x2, y2, 255, 255, 255);
    ASSERT_TRUE(LockSurface(want));
    ReferenceSmoothLine(x1, y1, x2, y2);
    UnlockSurface();
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(got.At(x, y), want.At(x, y))
            << "line " << x1 << "," << y1 << " to " << x2 << "," << y2 << " at " << x << "," << y;
  }
}

TEST_F(PixelsTest, SmoothLineOnAnAxisIsAPlainLine) {
  DrawSmoothLine(1, 2, 6, 2, 255, 255, 255);
  DrawSmoothLine(7, 5, 7, 0, 255, 255, 255);
  const auto smooth = Lit();
  surface.Fill(0);
  DrawLine(1, 2, 6, 2, 255, 255, 255);
  DrawLine(7, 5, 7, 0, 255, 255, 255);
  EXPECT_EQ(Lit(), smooth);
  EXPECT_EQ(surface.At(3, 2), 0xFFFF);  // drawn solid, not blended
}

TEST_F(PixelsTest, SmoothLineBlendsTwoPixelsAcrossEachStep) {
  DrawSmoothLine(0, 0, 4, 2, 255, 255, 255);
  const auto blended = [&](int alpha) {
    const uint8_t c = static_cast<uint8_t>(255 * alpha / 256);
    return surface.Pack(c, c, c);
  };
  // fy runs 0, 0.5, 1, 1.5, 2.
  EXPECT_EQ(surface.At(0, 0), blended(255));
  EXPECT_EQ(surface.At(0, 1), 0);
  EXPECT_EQ(surface.At(1, 0), blended(127));
  EXPECT_EQ(surface.At(1, 1), blended(127));
  EXPECT_EQ(surface.At(2, 1), blended(255));
  EXPECT_EQ(surface.At(3, 1), blended(127));
  EXPECT_EQ(surface.At(3, 2), blended(127));
  EXPECT_EQ(surface.At(4, 2), blended(255));
  // Walked from the other end it covers the same pixels.
  Surface16 other(8, 6);
  ASSERT_TRUE(LockSurface(other));
  DrawSmoothLine(4, 2, 0, 0, 255, 255, 255);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(other.At(x, y), surface.At(x, y)) << x << "," << y;
}

TEST_F(PixelsTest, SmoothLineAlphasWrapAboveTheAxis) {
  // fy = -0.5 at x = 1: the integer part is 0 and the fraction -0.5, so the
  // alphas 382 and -127 wrap to 126 and 129.
  DrawSmoothLine(0, 0, 4, -2, 255, 255, 255);
  EXPECT_EQ(surface.At(1, 0), surface.Pack(125, 125, 125));
  EXPECT_EQ(surface.At(1, 1), surface.Pack(128, 128, 128));
}

TEST_F(PixelsTest, SteepSmoothLineWalksDownTheRows) {
  DrawSmoothLine(0, 0, 2, 4, 255, 255, 255);  // fx runs 0, 0.5, 1, 1.5, 2
  const uint16_t half = surface.Pack(126, 126, 126);
  EXPECT_EQ(surface.At(0, 1), half);
  EXPECT_EQ(surface.At(1, 1), half);
  EXPECT_EQ(surface.At(1, 2), surface.Pack(254, 254, 254));
  EXPECT_EQ(surface.At(2, 2), 0);
  EXPECT_EQ(surface.At(2, 4), surface.Pack(254, 254, 254));
}

}  // namespace
}  // namespace tw
