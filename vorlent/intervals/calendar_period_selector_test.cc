#include "vorlent/intervals/calendar_period_selector.h"

#include <vector>

#include <gtest/gtest.h>

#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

Time date(int64_t year, int64_t month, int64_t day, int64_t hour = 0) {
  return Time::fromYearMonthDay(year, month, day, hour, 0, 0);
}

TimeRange span(const Time& from, const Time& to) { return TimeRange(from, to); }

const Time kJanuary2001 = Time::referenceMonthStart();

TEST(CalendarPeriodSelector, MonthsCoverTheRangeFromTheMonthOfItsStart) {
  const CalendarPeriodSelector months(1, CalendarTimeUnit::months, kJanuary2001);
  EXPECT_EQ(months.times(span(date(2024, 1, 15), date(2024, 3, 10))),
            (std::vector<TimeRange>{span(date(2024, 1, 1), date(2024, 2, 1)),
                                    span(date(2024, 2, 1), date(2024, 3, 1)),
                                    span(date(2024, 3, 1), date(2024, 4, 1))}));
}

TEST(CalendarPeriodSelector, RangeAcrossTheThirtyFirstAndTheLeapDayEndsOnTheBoundary) {
  const CalendarPeriodSelector months(1, CalendarTimeUnit::months, kJanuary2001);
  EXPECT_EQ(months.times(span(date(2024, 1, 31, 12), date(2024, 3, 1))),
            (std::vector<TimeRange>{span(date(2024, 1, 1), date(2024, 2, 1)),
                                    span(date(2024, 2, 1), date(2024, 3, 1))}));
  const CalendarPeriodSelector years(1, CalendarTimeUnit::years, kJanuary2001);
  EXPECT_EQ(years.times(span(date(2024, 2, 29), date(2024, 3, 1))),
            (std::vector<TimeRange>{span(date(2024, 1, 1), date(2025, 1, 1))}));
}

TEST(CalendarPeriodSelector, RangeAcrossAYearEnd) {
  const CalendarPeriodSelector months(1, CalendarTimeUnit::months, kJanuary2001);
  EXPECT_EQ(months.times(span(date(2023, 12, 31, 12), date(2024, 1, 1, 12))),
            (std::vector<TimeRange>{span(date(2023, 12, 1), date(2024, 1, 1)),
                                    span(date(2024, 1, 1), date(2024, 2, 1))}));
}

TEST(CalendarPeriodSelector, QuartersBeforeAndAfterTheOrigin) {
  const CalendarPeriodSelector quarters(1, CalendarTimeUnit::quarters, kJanuary2001);
  // May 1999 lies 20 months before the origin; the quarter began in April.
  const auto before = quarters.times(span(date(1999, 5, 10), date(1999, 5, 11)));
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(before[0], span(date(1999, 4, 1), date(1999, 7, 1)));
  const auto after = quarters.times(span(date(2001, 2, 15), date(2001, 2, 16)));
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0], span(date(2001, 1, 1), date(2001, 4, 1)));
}

TEST(CalendarPeriodSelector, CalendarOffsetShiftsTheBoundaryMonths) {
  // Quarters from February: a January range falls in the November quarter.
  const CalendarPeriodSelector quarters(1, CalendarTimeUnit::quarters, kJanuary2001, 1,
                                        CalendarTimeUnit::months, 0, TimeUnit::days);
  EXPECT_EQ(quarters.origin, date(2001, 2, 1));
  const auto intervals = quarters.times(span(date(2024, 1, 10), date(2024, 2, 10)));
  EXPECT_EQ(intervals, (std::vector<TimeRange>{span(date(2023, 11, 1), date(2024, 2, 1)),
                                               span(date(2024, 2, 1), date(2024, 5, 1))}));
}

TEST(CalendarPeriodSelector, DayOffsetAppliesOnlyWithinTheFirstTwentyEightDays) {
  const auto origin = [](double days) {
    return CalendarPeriodSelector(1, CalendarTimeUnit::months, kJanuary2001, 0,
                                  CalendarTimeUnit::months, days, TimeUnit::days)
        .origin;
  };
  EXPECT_EQ(origin(27), date(2001, 1, 28));
  EXPECT_EQ(origin(30), kJanuary2001);
  EXPECT_EQ(origin(28), kJanuary2001);
  EXPECT_EQ(origin(-1), kJanuary2001);
}

TEST(CalendarPeriodSelector, MonthsFromTheFifteenthCoverARangeStartingBeforeIt) {
  const CalendarPeriodSelector months(1, CalendarTimeUnit::months, date(2001, 1, 15));
  // Starting on the 5th, the range lies partly in the month that began on
  // 15 February; no gap may open at its left.
  EXPECT_EQ(months.times(span(date(2024, 3, 5), date(2024, 3, 20))),
            (std::vector<TimeRange>{span(date(2024, 2, 15), date(2024, 3, 15)),
                                    span(date(2024, 3, 15), date(2024, 4, 15))}));
  const auto momentary = months.times(span(date(2024, 3, 5), date(2024, 3, 5)));
  ASSERT_EQ(momentary.size(), 1u);
  EXPECT_EQ(momentary[0], span(date(2024, 2, 15), date(2024, 3, 15)));
  // Across months of every length.
  EXPECT_EQ(
      months.times(span(date(2024, 2, 10), date(2024, 4, 20))),
      (std::vector<TimeRange>{
          span(date(2024, 1, 15), date(2024, 2, 15)), span(date(2024, 2, 15), date(2024, 3, 15)),
          span(date(2024, 3, 15), date(2024, 4, 15)), span(date(2024, 4, 15), date(2024, 5, 15))}));
}

TEST(CalendarPeriodSelector, LongerPeriodsStartOnTheOriginsGrid) {
  // Two-year periods from 2001: 2023 and 2024 share the one from 2023.
  const CalendarPeriodSelector twoYears(2, CalendarTimeUnit::years, kJanuary2001);
  EXPECT_EQ(twoYears.times(span(date(2024, 6, 1), date(2024, 7, 1))),
            (std::vector<TimeRange>{span(date(2023, 1, 1), date(2025, 1, 1))}));
  const CalendarPeriodSelector decades(1, CalendarTimeUnit::decades, kJanuary2001);
  EXPECT_EQ(decades.times(span(date(1995, 6, 1), date(1995, 7, 1))),
            (std::vector<TimeRange>{span(date(1991, 1, 1), date(2001, 1, 1))}));
}

TEST(CalendarPeriodSelector, MomentaryRangeOnABoundaryGivesNothing) {
  const CalendarPeriodSelector months(1, CalendarTimeUnit::months, kJanuary2001);
  EXPECT_TRUE(months.times(span(date(2024, 3, 1), date(2024, 3, 1))).empty());
  // The same moment held as 24:00 of the day before is the end of February.
  const Time lastDayEnd(date(2024, 2, 29).week, date(2024, 2, 29).dayOfWeek, secondsPerDay);
  EXPECT_EQ(months.times(span(lastDayEnd, lastDayEnd)),
            (std::vector<TimeRange>{span(date(2024, 2, 1), date(2024, 3, 1))}));
}

TEST(CalendarPeriodSelector, PeriodsBelowOneSelectNothing) {
  const TimeRange range(date(2024, 1, 1), date(2025, 1, 1));
  EXPECT_TRUE(
      CalendarPeriodSelector(0, CalendarTimeUnit::months, kJanuary2001).times(range).empty());
  EXPECT_TRUE(
      CalendarPeriodSelector(-3, CalendarTimeUnit::years, kJanuary2001).times(range).empty());
}

}  // namespace
}  // namespace vorlent
