#include "vorlent/time/time_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <unordered_set>
#include <vector>

namespace vorlent {
namespace {

using Rule = FloatingPointRoundingRule;
constexpr double kHour = secondsPerHour;
constexpr double kDay = secondsPerDay;

void expectSameFields(const Time& actual, const Time& expected) {
  EXPECT_EQ(actual.week, expected.week) << actual << " vs " << expected;
  EXPECT_EQ(actual.dayOfWeek, expected.dayOfWeek) << actual << " vs " << expected;
  EXPECT_DOUBLE_EQ(actual.timeOfDay, expected.timeOfDay) << actual << " vs " << expected;
}

TEST(RoundingRule, EachRuleOnHalvesAndFractions) {
  struct Case {
    double value;
    double nearestAway, nearestEven, up, down, towardZero, awayFromZero;
  };
  for (const Case& c : std::vector<Case>{
           {2.5, 3, 2, 3, 2, 2, 3},
           {3.5, 4, 4, 4, 3, 3, 4},
           {-2.5, -3, -2, -2, -3, -2, -3},
           {2.2, 2, 2, 3, 2, 2, 3},
           {-2.7, -3, -3, -2, -3, -2, -3},
           {4.0, 4, 4, 4, 4, 4, 4},
           {0.0, 0, 0, 0, 0, 0, 0},
       }) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(roundedBy(c.value, Rule::toNearestOrAwayFromZero), c.nearestAway);
    EXPECT_EQ(roundedBy(c.value, Rule::toNearestOrEven), c.nearestEven);
    EXPECT_EQ(roundedBy(c.value, Rule::up), c.up);
    EXPECT_EQ(roundedBy(c.value, Rule::down), c.down);
    EXPECT_EQ(roundedBy(c.value, Rule::towardZero), c.towardZero);
    EXPECT_EQ(roundedBy(c.value, Rule::awayFromZero), c.awayFromZero);
  }
  EXPECT_TRUE(std::isnan(roundedBy(std::nan(""), Rule::up)));
}

TEST(TimeRounding, ContinuousScaleLeavesTheTimeAlone) {
  expectSameFields(Time(3, 2, 12345.678).rounded(TimeScale::continuous()), Time(3, 2, 12345.678));
  expectSameFields(Time(3, 2, kDay).rounded(TimeScale()), Time(3, 2, kDay));
}

TEST(TimeRounding, QuarterHourGridUnderEachRule) {
  const Time origin(0, 1, 0);
  const Time at1020(0, 1, 10 * kHour + 20 * 60);
  const Time at102230(0, 1, 10 * kHour + 22 * 60 + 30);
  const Time at1015(0, 1, 10 * kHour + 15 * 60);
  const Time at1030(0, 1, 10 * kHour + 30 * 60);
  struct Case {
    Time time;
    Rule rule;
    Time expected;
  };
  for (const Case& c : std::vector<Case>{
           {at1020, Rule::toNearestOrAwayFromZero, at1015},
           {at1020, Rule::toNearestOrEven, at1015},
           {at1020, Rule::up, at1030},
           {at1020, Rule::down, at1015},
           {at1020, Rule::towardZero, at1015},
           {at1020, Rule::awayFromZero, at1030},
           // Quotient 41.5: away from zero and to even both give 42.
           {at102230, Rule::toNearestOrAwayFromZero, at1030},
           {at102230, Rule::toNearestOrEven, at1030},
           // Quotient 40.5: to even gives 40.
           {Time(0, 1, 10 * kHour + 7 * 60 + 30), Rule::toNearestOrEven, Time(0, 1, 10 * kHour)},
           {Time(0, 1, 10 * kHour + 7 * 60 + 30), Rule::toNearestOrAwayFromZero, at1015},
       }) {
    SCOPED_TRACE(testing::Message() << c.time << " " << c.rule);
    expectSameFields(c.time.rounded(TimeScale::intervals(15, TimeUnit::minutes, origin, c.rule)),
                     c.expected);
  }
}

TEST(TimeRounding, TimesBeforeTheOriginSnapToEarlierGridPoints) {
  // Daily grid at 6:00 on Wednesday of week 0.
  const TimeScale daily =
      TimeScale::intervals(1, TimeUnit::days, Time(0, 3, 6 * kHour), Rule::down);
  expectSameFields(Time(0, 3, 5 * kHour).rounded(daily), Time(0, 2, 6 * kHour));
  expectSameFields(Time(0, 3, 7 * kHour).rounded(daily), Time(0, 3, 6 * kHour));
  expectSameFields(Time(0, 5, 23 * kHour).rounded(daily), Time(0, 5, 6 * kHour));
  expectSameFields(Time(-3, 1, 0).rounded(daily), Time(-3, 0, 6 * kHour));
  // Away from zero before the origin goes further back.
  const TimeScale away =
      TimeScale::intervals(2, TimeUnit::hours, Time(0, 0, 0), Rule::awayFromZero);
  expectSameFields(Time(-1, 6, 23 * kHour).rounded(away), Time(-1, 6, 22 * kHour));
  expectSameFields(Time(0, 0, 1).rounded(away), Time(0, 0, 2 * kHour));
}

TEST(TimeRounding, GridPointsComeBackInTheirStartForm) {
  const TimeScale daily =
      TimeScale::intervals(1, TimeUnit::days, Time(0, 0, 0), Rule::toNearestOrAwayFromZero);
  // Measured from the stored fields, 24:00 is a whole day on and snaps to
  // the next day's 0:00.
  expectSameFields(Time(0, 2, kDay).rounded(daily), Time(0, 3, 0));
  expectSameFields(Time(0, 3, 0).rounded(daily), Time(0, 3, 0));
  const TimeScale weekly = TimeScale::intervalsWith(1, TimeUnit::weeks, Time(0, 6, kDay), Rule::up);
  expectSameFields(Time(0, 1, 0).rounded(weekly), Time(1, 0, 0));
}

TEST(TimeRounding, ZeroOrNonFinitePeriodStops) {
  const Time origin(0, 0, 0);
  EXPECT_DEATH((void)Time(0, 1, 0).rounded(
                   TimeScale::intervals(0, TimeUnit::hours, origin, Rule::toNearestOrEven)),
               "non-finite");
  EXPECT_DEATH((void)Time(0, 0, 0).rounded(
                   TimeScale::intervals(0, TimeUnit::hours, origin, Rule::toNearestOrEven)),
               "non-finite");
  EXPECT_DEATH((void)Time(0, 1, 0).rounded(TimeScale::intervals(std::nan(""), TimeUnit::hours,
                                                                origin, Rule::toNearestOrEven)),
               "non-finite");
}

TEST(TimeRounding, PeriodTooFineForTheStepCountLeavesTheTime) {
  // The step count overflows a double; the grid cannot be finer than the time.
  const Time t(3, 2, 5 * kHour);
  for (double period : {1e-300, 5e-324}) {
    expectSameFields(t.rounded(TimeScale::intervals(period, TimeUnit::nanoseconds, Time::min(),
                                                    Rule::toNearestOrEven)),
                     t);
  }
}

TEST(TimeRounding, PeriodOfAeonsHoldsTheLineAtTheEndOfTime) {
  // The next line of such a grid lies beyond either end of time, whatever the
  // origin; its week count would not fit 64 bits.
  const Time t(3, 2, 5 * kHour);
  const TimeScale up = TimeScale::intervals(1e300, TimeUnit::weeks, Time(0, 0, 0), Rule::up);
  expectSameFields(t.rounded(up), Time::max());
  const TimeScale down = TimeScale::intervals(1e300, TimeUnit::weeks, Time(9, 0, 0), Rule::down);
  expectSameFields(t.rounded(down), Time::min());
  // A line just beyond the end is still handed back as the grid has it.
  const TimeScale coarse =
      TimeScale::intervals(1000, TimeUnit::weeks, Time::max().weekStart(), Rule::up);
  expectSameFields(Time(Time::max().week, 1, 0).rounded(coarse),
                   Time(Time::max().week + 1000, 0, 0));
}

TEST(TimeScaleEquality, ComparesCaseAndGridWithNormalisedOrigin) {
  const TimeScale a = TimeScale::intervals(15, TimeUnit::minutes, Time(0, 0, kDay), Rule::up);
  const TimeScale b = TimeScale::intervalsWith(15, TimeUnit::minutes, Time(0, 1, 0), Rule::up);
  EXPECT_EQ(a, b);
  EXPECT_EQ(std::hash<TimeScale>{}(a), std::hash<TimeScale>{}(b));
  EXPECT_EQ(TimeScale::continuous(), TimeScale());
  EXPECT_NE(a, TimeScale::continuous());
  EXPECT_NE(a, TimeScale::intervals(15, TimeUnit::minutes, Time(0, 1, 0), Rule::down));
  EXPECT_NE(a, TimeScale::intervals(15, TimeUnit::seconds, Time(0, 1, 0), Rule::up));
  EXPECT_NE(a, TimeScale::intervals(30, TimeUnit::minutes, Time(0, 1, 0), Rule::up));
  EXPECT_NE(a, TimeScale::intervals(15, TimeUnit::minutes, Time(0, 1, 1), Rule::up));
  const std::unordered_set<TimeScale> scales = {a, b, TimeScale::continuous(), TimeScale()};
  EXPECT_EQ(scales.size(), 2u);
  EXPECT_TRUE(TimeScale().isContinuous());
  ASSERT_NE(a.asIntervals(), nullptr);
  EXPECT_EQ(a.asIntervals()->unit, TimeUnit::minutes);
}

}  // namespace
}  // namespace vorlent
