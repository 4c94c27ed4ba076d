#include "vorlent/base/fatal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vorlent {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

TEST(FatalStopDeathTest, PrintsTheMessageAndAborts) {
  EXPECT_DEATH(fatalStop("lost the outline view"), "^vorlent: fatal: lost the outline view\n");
}

TEST(CheckedArithmetic, ReturnsResultsThatFit) {
  EXPECT_EQ(checkedAdd(kMax - 1, 1), kMax);
  EXPECT_EQ(checkedSubtract(kMin + 1, 1), kMin);
  EXPECT_EQ(checkedMultiply(-4194303, 7), -29360121);
  EXPECT_EQ(checkedInt64(-2.9), -2);
  EXPECT_EQ(checkedInt64(-9223372036854775808.0), kMin);
}

TEST(CheckedArithmeticDeathTest, OverflowIsAFatalStopNamingTheOperation) {
  EXPECT_DEATH(checkedAdd(kMax, 1, "week addition"), "vorlent: fatal: week addition overflowed");
  EXPECT_DEATH(checkedSubtract(kMin, 1), "integer subtraction overflowed");
  EXPECT_DEATH(checkedMultiply(kMax / 7 + 1, 7), "integer multiplication overflowed");
  EXPECT_DEATH(checkedMultiply(kMin, -1), "overflowed");
}

TEST(CheckedArithmeticDeathTest, DoublesThatAreNotFiniteOrTooLargeNeverBecomeIntegers) {
  EXPECT_DEATH(checkedInt64(std::nan(""), "day count"),
               "vorlent: fatal: day count got a value that is not finite");
  EXPECT_DEATH(checkedInt64(-INFINITY), "not finite");
  EXPECT_DEATH(checkedInt64(9223372036854775808.0), "beyond the 64-bit range");
  EXPECT_DEATH(checkedInt64(-1e19), "beyond the 64-bit range");
}

TEST(FloorDivision, RoundsTowardNegativeInfinityWithANonNegativeRemainder) {
  const struct {
    int64_t a, b, quotient, remainder;
  } cases[] = {{7, 7, 1, 0},   {6, 7, 0, 6},   {-1, 7, -1, 6},
               {-7, 7, -1, 0}, {-8, 7, -2, 6}, {kMin, 7, kMin / 7 - 1, 6}};
  for (const auto& c : cases) {
    EXPECT_EQ(floorDiv(c.a, c.b), c.quotient) << c.a;
    EXPECT_EQ(floorMod(c.a, c.b), c.remainder) << c.a;
  }
}

}  // namespace
}  // namespace vorlent
