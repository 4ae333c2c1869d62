#include "core/numeric.h"

#include <gtest/gtest.h>

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
