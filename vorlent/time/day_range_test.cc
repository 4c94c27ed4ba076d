#include "vorlent/time/day_range.h"

#include <gtest/gtest.h>

#include <unordered_set>
#include <vector>

namespace vorlent {
namespace {

constexpr double kHour = secondsPerHour;

TEST(DayRange, MissingEndsCoverTheWholeDay) {
  EXPECT_EQ(DayRange(std::nullopt, std::nullopt), DayRange(0.0, secondsPerDay));
  EXPECT_EQ(DayRange(8 * kHour, std::nullopt), DayRange(8 * kHour, 24 * kHour));
  EXPECT_EQ(DayRange(std::nullopt, 12 * kHour), DayRange(0.0, 12 * kHour));
}

TEST(DayRange, Presets) {
  EXPECT_EQ(DayRange::continuous(), DayRange(0.0, secondsPerDay));
  EXPECT_EQ(DayRange::standard(), DayRange(8 * kHour, 16 * kHour));
  EXPECT_TRUE(DayRange::continuous().isContinuous());
  EXPECT_FALSE(DayRange::standard().isContinuous());
  EXPECT_DOUBLE_EQ(DayRange::standard().duration(), 8 * kHour);
}

TEST(DayRange, ContainsEntropyAndMoments) {
  const DayRange hours = DayRange::standard();
  EXPECT_TRUE(hours.contains(8 * kHour));
  EXPECT_TRUE(hours.contains(16 * kHour));
  EXPECT_FALSE(hours.contains(16 * kHour + 1));
  EXPECT_TRUE(DayRange(5.0, 5.0).isMomentary());
  EXPECT_TRUE(DayRange(5.0, 5.0).isEntropic());
  EXPECT_FALSE(DayRange(6.0, 5.0).isEntropic());
  EXPECT_DOUBLE_EQ(DayRange(6.0, 5.0).duration(), -1);
  EXPECT_TRUE(DayRange(-1.0, secondsPerDay + 1).isContinuous());
}

TEST(DayRange, IntersectionTouchingCountsAndTakesTheInnerBounds) {
  struct Case {
    DayRange a;
    DayRange b;
    std::optional<DayRange> expected;
  };
  for (const Case& c : std::vector<Case>{
           {DayRange(8 * kHour, 12 * kHour), DayRange(12 * kHour, 16 * kHour),
            DayRange(12 * kHour, 12 * kHour)},
           {DayRange(8 * kHour, 16 * kHour), DayRange(0.0, 10 * kHour),
            DayRange(8 * kHour, 10 * kHour)},
           {DayRange(9 * kHour, 10 * kHour), DayRange::continuous(),
            DayRange(9 * kHour, 10 * kHour)},
           {DayRange(8 * kHour, 9 * kHour), DayRange(10 * kHour, 11 * kHour), std::nullopt}}) {
    SCOPED_TRACE(testing::Message() << c.a << " & " << c.b);
    EXPECT_EQ(c.a.intersects(c.b), c.expected.has_value());
    EXPECT_EQ(c.b.intersects(c.a), c.expected.has_value());
    EXPECT_EQ(c.a.intersecting(c.b), c.expected);
    EXPECT_EQ(c.b.intersecting(c.a), c.expected);
  }
}

TEST(DayRange, HashAgreesWithEqualityIncludingNegativeZero) {
  EXPECT_EQ(DayRange(-0.0, 5.0), DayRange(0.0, 5.0));
  EXPECT_EQ(std::hash<DayRange>{}(DayRange(-0.0, 5.0)), std::hash<DayRange>{}(DayRange(0.0, 5.0)));
  const std::unordered_set<DayRange> ranges = {DayRange::standard(),
                                               DayRange(8 * kHour, 16 * kHour), DayRange(-0.0, 1.0),
                                               DayRange(0.0, 1.0)};
  EXPECT_EQ(ranges.size(), 2u);
}

}  // namespace
}  // namespace vorlent
