#include "core/numeric.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace tw {
namespace {

TEST(Numeric, RoundsHalvesToEven) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(2.4999), 2);
  EXPECT_EQ(Round(-2.6), -3);
  EXPECT_EQ(Round(1e12), INT32_MAX);
}

TEST(Numeric, RoundsLikeTheLibrarysNearbyint) {
  const auto plain = [](double v) {
    const double r = std::nearbyint(v);
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(r);
  };
  uint64_t bits = 12345;
  for (int n = 0; n < 400000; ++n) {
    bits = bits * 6364136223846793005u + 1442695040888963407u;
    // Halves and their neighbours, fractions, and values up to 2^34.
    const double whole = static_cast<double>(static_cast<int64_t>(bits >> 29) - (int64_t{1} << 34));
    const double v = n % 3 == 0   ? whole / 2
                     : n % 3 == 1 ? std::nextafter(whole / 2, (n & 4) ? 1e300 : -1e300)
                                  : whole / 1024;
    ASSERT_EQ(Round(v), plain(v)) << v;
  }
  for (const double v : std::initializer_list<double>{
           0.0, -0.0, 0x1p52, -0x1p52, 0x1p52 - 0.5, -0x1p52 + 0.5, 0x1p53 + 2, 2147483646.5,
           2147483647.5, -2147483648.5, 1e300, -1e300, INFINITY, -INFINITY})
    EXPECT_EQ(Round(v), plain(v)) << v;
}

// Halves and their neighbours wherever floats have fractions, where they
// stop having them, the 32-bit ends, and random bit patterns.
TEST(Numeric, RoundFloatIsRoundOfTheSameValue) {
  const auto same = [](float v) { return RoundFloat(v) == Round(static_cast<double>(v)); };
  for (int32_t n = -(1 << 22); n <= (1 << 22); ++n) {
    const float half = static_cast<float>(n) + 0.5f;
    for (const float v :
         {static_cast<float>(n), half, std::nextafter(half, 1e30f), std::nextafter(half, -1e30f)})
      ASSERT_TRUE(same(v)) << v;
  }
  uint32_t bits = 99;
  for (int n = 0; n < 4000000; ++n) {
    const float v = std::bit_cast<float>(bits = bits * 1664525u + 1013904223u);
    ASSERT_TRUE(std::isnan(v) || same(v)) << v;
  }
  for (const float v : {0x1p23f - 0.5f, 0x1p24f, 0x1p31f - 128, 0x1p31f, -0x1p31f, -0x1p31f - 256,
                        3e38f, -3e38f, INFINITY, -INFINITY, 1e-45f, -0.0f})
    EXPECT_TRUE(same(v)) << v;
}

TEST(Numeric, TruncatesTowardZero) {
  EXPECT_EQ(Trunc(1.9), 1);
  EXPECT_EQ(Trunc(-1.9), -1);
  EXPECT_EQ(Trunc(-1e12), INT32_MIN);
  EXPECT_EQ(Trunc(std::nan("")), 0);
}

TEST(Numeric, SaturatingAddStopsAtTheLimitsInsteadOfWrapping) {
  EXPECT_EQ(SaturatingAdd(2147483600, 48), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(50, -int64_t{INT32_MIN}), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(-5, INT64_MIN), INT32_MIN);
  EXPECT_EQ(SaturatingAdd(INT32_MIN, INT64_MAX), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(50, -50), 0);
}

TEST(Numeric, WholeNumbersAreSignedDecimalsOnly) {
  EXPECT_EQ(ParseWholeNumber("250"), 250);
  EXPECT_EQ(ParseWholeNumber("-5"), -5);
  EXPECT_EQ(ParseWholeNumber("+7"), 7);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), INT32_MIN);
  EXPECT_FALSE(ParseWholeNumber("2147483648"));
  EXPECT_FALSE(ParseWholeNumber(""));
  EXPECT_FALSE(ParseWholeNumber("-"));
  EXPECT_FALSE(ParseWholeNumber("12a"));
  EXPECT_FALSE(ParseWholeNumber("99999999999999999999"));
}

}  // namespace
}  // namespace tw
