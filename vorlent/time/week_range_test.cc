#include "vorlent/time/week_range.h"

#include <gtest/gtest.h>

#include <limits>
#include <unordered_set>
#include <vector>

namespace vorlent {
namespace {

TEST(WeekRange, MissingEndsCoverTheWholeWeek) {
  const WeekRange all(std::nullopt, std::nullopt);
  EXPECT_EQ(all, WeekRange(0, 6));
  EXPECT_TRUE(all.isContinuous());
  EXPECT_EQ(WeekRange(2, std::nullopt), WeekRange(2, 6));
  EXPECT_EQ(WeekRange(std::nullopt, 3), WeekRange(0, 3));
}

TEST(WeekRange, Presets) {
  EXPECT_EQ(WeekRange::continuous(), WeekRange(0, 6));
  EXPECT_EQ(WeekRange::standard(), WeekRange(1, 5));
  EXPECT_TRUE(WeekRange::continuous().isContinuous());
  EXPECT_FALSE(WeekRange::standard().isContinuous());
  EXPECT_EQ(WeekRange::standard().duration(), 5);
}

TEST(WeekRange, DurationContainsAndEntropy) {
  EXPECT_EQ(WeekRange(3, 3).duration(), 1);
  EXPECT_EQ(WeekRange(4, 2).duration(), -1);
  EXPECT_FALSE(WeekRange(4, 2).isEntropic());
  EXPECT_TRUE(WeekRange(3, 3).isEntropic());
  EXPECT_TRUE(WeekRange(1, 5).contains(1));
  EXPECT_TRUE(WeekRange(1, 5).contains(5));
  EXPECT_FALSE(WeekRange(1, 5).contains(6));
  EXPECT_FALSE(WeekRange(1, 5).contains(0));
}

TEST(WeekRange, DurationOverflowStops) {
  const int64_t max = std::numeric_limits<int64_t>::max();
  EXPECT_DEATH((void)WeekRange(-max, max).duration(), "overflowed");
}

TEST(WeekRange, IntersectionTouchingCountsAndTakesTheInnerBounds) {
  struct Case {
    WeekRange a;
    WeekRange b;
    std::optional<WeekRange> expected;
  };
  for (const Case& c : std::vector<Case>{{WeekRange(1, 3), WeekRange(3, 5), WeekRange(3, 3)},
                                         {WeekRange(1, 5), WeekRange(2, 3), WeekRange(2, 3)},
                                         {WeekRange(2, 3), WeekRange(0, 6), WeekRange(2, 3)},
                                         {WeekRange(1, 3), WeekRange(4, 5), std::nullopt}}) {
    SCOPED_TRACE(testing::Message() << c.a << " & " << c.b);
    EXPECT_EQ(c.a.intersects(c.b), c.expected.has_value());
    EXPECT_EQ(c.b.intersects(c.a), c.expected.has_value());
    EXPECT_EQ(c.a.intersecting(c.b), c.expected);
    EXPECT_EQ(c.b.intersecting(c.a), c.expected);
  }
}

TEST(WeekRange, HashAgreesWithEquality) {
  const std::unordered_set<WeekRange> ranges = {WeekRange(1, 5), WeekRange::standard(),
                                                WeekRange(std::nullopt, std::nullopt),
                                                WeekRange::continuous()};
  EXPECT_EQ(ranges.size(), 2u);
}

}  // namespace
}  // namespace vorlent
