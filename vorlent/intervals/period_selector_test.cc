#include "vorlent/intervals/period_selector.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

constexpr double h = secondsPerHour;

PeriodSelector continuousDays(double period, const Time& origin = Time::reference()) {
  return PeriodSelector(period, TimeUnit::days, ScheduleDefinition::continuous(), origin);
}

TEST(PeriodSelector, DailyIntervalsStartBeforeTheRangeAndFinishInTheDayEndForm) {
  const auto intervals = continuousDays(1).times(TimeRange({0, 2, 12 * h}, {0, 4, 0}));
  ASSERT_EQ(intervals.size(), 2u);
  EXPECT_EQ(intervals[0], TimeRange({0, 2, 0}, {0, 3, 0}));
  EXPECT_EQ(intervals[1], TimeRange({0, 3, 0}, {0, 4, 0}));
  // Finishes keep the 24:00 form the schedule computes; starts are 0:00 forms.
  EXPECT_EQ(intervals[0].finish.dayOfWeek, 2);
  EXPECT_EQ(intervals[0].finish.timeOfDay, secondsPerDay);
  EXPECT_EQ(intervals[1].start.dayOfWeek, 3);
  EXPECT_EQ(intervals[1].start.timeOfDay, 0);
}

TEST(PeriodSelector, MomentaryRangeOnABoundaryGivesNothingAndInsideGivesItsPeriod) {
  EXPECT_TRUE(continuousDays(1).times(TimeRange({0, 3, 0}, {0, 3, 0})).empty());
  const auto inside = continuousDays(1).times(TimeRange({0, 3, 5 * h}, {0, 3, 5 * h}));
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0], TimeRange({0, 3, 0}, {0, 4, 0}));
}

TEST(PeriodSelector, RangeEndingOnABoundaryGetsNoIntervalAfterIt) {
  const auto intervals = continuousDays(1).times(TimeRange({0, 1, 0}, {0, 3, 0}));
  ASSERT_EQ(intervals.size(), 2u);
  EXPECT_EQ(intervals.back(), TimeRange({0, 2, 0}, {0, 3, 0}));
}

TEST(PeriodSelector, GridRunsFromTheOriginInBothDirections) {
  // Two-day periods through Tuesday noon of week 0.
  const auto selector = continuousDays(2, Time(0, 2, 12 * h));
  const auto after = selector.times(TimeRange({0, 5, 0}, {0, 5, 1}));
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0], TimeRange({0, 4, 12 * h}, {0, 6, 12 * h}));
  const auto before = selector.times(TimeRange({-3, 1, 0}, {-3, 1, 1}));
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(before[0], TimeRange({-4, 6, 12 * h}, {-3, 1, 12 * h}));
}

TEST(PeriodSelector, IntervalsAreConsecutiveAndTheLastMayEndAfterTheRange) {
  const PeriodSelector selector(6, TimeUnit::hours, ScheduleDefinition::continuous(),
                                Time::reference());
  const auto intervals = selector.times(TimeRange({0, 1, 1 * h}, {0, 2, 1 * h}));
  ASSERT_EQ(intervals.size(), 5u);
  EXPECT_EQ(intervals.front().start, Time(0, 1, 0));
  EXPECT_EQ(intervals.back().finish, Time(0, 2, 6 * h));
  for (size_t i = 1; i < intervals.size(); ++i) {
    EXPECT_EQ(intervals[i].start, intervals[i - 1].finish);
  }
}

TEST(PeriodSelector, OffsetMovesTheOriginEitherWay) {
  const PeriodSelector later(1, TimeUnit::days, ScheduleDefinition::continuous(), Time::reference(),
                             6, TimeUnit::hours);
  EXPECT_EQ(later.origin, Time(0, 0, 6 * h));
  const PeriodSelector earlier(1, TimeUnit::days, ScheduleDefinition::continuous(),
                               Time::reference(), -6, TimeUnit::hours);
  EXPECT_EQ(earlier.origin, Time(-1, 6, 18 * h));
  const auto intervals = earlier.times(TimeRange({0, 1, 0}, {0, 1, 1}));
  ASSERT_EQ(intervals.size(), 1u);
  EXPECT_EQ(intervals[0], TimeRange({0, 0, 18 * h}, {0, 1, 18 * h}));
}

TEST(PeriodSelector, WorkingTimePeriodsHoldNonWorkingTimeInside) {
  const auto standard = ScheduleDefinition::standard();
  const PeriodSelector selector(1, TimeUnit::days, standard, Time(0, 1, 8 * h));
  // Monday 0:00 to Saturday 0:00 of week 1.
  const auto intervals = selector.times(TimeRange({1, 1, 0}, {1, 6, 0}));
  ASSERT_GE(intervals.size(), 5u);
  for (size_t i = 0; i < intervals.size(); ++i) {
    if (i > 0) {
      EXPECT_EQ(intervals[i].start, intervals[i - 1].finish);
    }
    // Each interval holds one working day, whatever non-working time it spans.
    EXPECT_DOUBLE_EQ(standard->duration(intervals[i], TimeUnit::days), 1) << intervals[i];
  }
  // The interval across the weekend is far longer than a day of elapsed time,
  // and the last one reaches past the range.
  EXPECT_GT(intervals.back().duration(), 2 * secondsPerDay);
  EXPECT_TRUE(intervals.back().contains(Time(1, 6, 0)));
}

TEST(PeriodSelector, DegeneratePeriodsSelectNothing) {
  const TimeRange week({0, 0, 0}, {1, 0, 0});
  for (double period : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_TRUE(continuousDays(period).times(week).empty()) << period;
  }
}

TEST(PeriodSelector, ATinyPeriodReturnsTheFirstIntervalsOnlyInBoundedTime) {
  // 1e-12 days is about 86 ns: a week would need some 7e12 intervals.
  const auto intervals = continuousDays(1e-12).times(TimeRange({0, 0, 0}, {1, 0, 0}));
  ASSERT_EQ(intervals.size(), kMaxSelectedIntervals);
  EXPECT_EQ(intervals.front().start, Time(0, 0, 0));
  EXPECT_EQ(intervals.back().finish, intervals.back().start.addingDuration(1e-12 * secondsPerDay));
}

TEST(PeriodSelector, RangeFinishingBeforeItsStartSelectsNothing) {
  EXPECT_TRUE(continuousDays(1).times(TimeRange({0, 4, 0}, {0, 2, 0})).empty());
}

}  // namespace
}  // namespace vorlent
