#include "platform/FixedText.h"

#include <limits>

#include <gtest/gtest.h>

using platform::FormatFixed2;

// The roster's numbers and the package reader's values share this text, so
// the rounding that a plain formatter gets wrong is pinned here once.
TEST(FixedText, RoundsHalvesAwayFromZeroOnTheDecimalExpansion) {
  EXPECT_EQ(FormatFixed2(0.125), "0.13");  // exact in binary: a tie
  EXPECT_EQ(FormatFixed2(-0.125), "-0.13");
  // 2.675 is 2.67499999999999982... in binary, and 18 digits keep that.
  EXPECT_EQ(FormatFixed2(2.675), "2.67");
  EXPECT_EQ(FormatFixed2(0.5), "0.50");
  EXPECT_EQ(FormatFixed2(9.999), "10.00");
  EXPECT_EQ(FormatFixed2(1e20), "100000000000000000000.00");
}

TEST(FixedText, ZeroHasNoSignAndOddValuesHaveWords) {
  EXPECT_EQ(FormatFixed2(-0.004), "0.00");
  EXPECT_EQ(FormatFixed2(-0.0), "0.00");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatFixed2(-std::numeric_limits<double>::infinity()), "-INF");
}
