#include "vorlent/time/time_range.h"

#include <gtest/gtest.h>

#include <limits>
#include <unordered_set>
#include <vector>

#include "vorlent/base/clock.h"

namespace vorlent {
namespace {

constexpr double kHour = secondsPerHour;
constexpr double kDay = secondsPerDay;

void expectSameFields(const Time& actual, const Time& expected) {
  EXPECT_EQ(actual.week, expected.week) << actual << " vs " << expected;
  EXPECT_EQ(actual.dayOfWeek, expected.dayOfWeek) << actual << " vs " << expected;
  EXPECT_DOUBLE_EQ(actual.timeOfDay, expected.timeOfDay) << actual << " vs " << expected;
}

TEST(TimeRangeDuration, CountsStoredFieldsAndMayBeNegative) {
  EXPECT_DOUBLE_EQ(TimeRange(Time(0, 6, kDay), Time(1, 0, 0)).duration(), 0);
  EXPECT_DOUBLE_EQ(TimeRange(Time(0, 1, 8 * kHour), Time(0, 1, 16 * kHour)).duration(), 8 * kHour);
  EXPECT_DOUBLE_EQ(TimeRange(Time(0, 1, 0), Time(0, 1, kDay)).duration(), kDay);
  EXPECT_DOUBLE_EQ(TimeRange(Time(2, 3, 0), Time(0, 1, 0)).duration(), -16 * kDay);
  EXPECT_DOUBLE_EQ(TimeRange(Time(0, 1, 0), Time(1, 1, 0)).duration(TimeUnit::days), 7);
  EXPECT_DOUBLE_EQ(TimeRange(Time(0, 1, 0), Time(0, 1, 90)).duration(TimeUnit::minutes), 1.5);
}

TEST(TimeRangeDuration, OverflowStops) {
  const int64_t maxWeek = std::numeric_limits<int64_t>::max();
  EXPECT_DEATH((void)TimeRange(Time(-maxWeek, 0, 0), Time(maxWeek, 0, 0)).duration(), "overflowed");
}

TEST(TimeRangeMoments, DayEndAndNextDayStartAreOneMoment) {
  const TimeRange range(Time(0, 6, kDay), Time(1, 0, 0));
  EXPECT_TRUE(range.isMomentary());
  EXPECT_TRUE(range.isEntropic());
  EXPECT_FALSE(TimeRange(Time(0, 1, 1), Time(0, 1, 0)).isEntropic());
  EXPECT_FALSE(TimeRange(Time(0, 1, 0), Time(0, 1, 1)).isMomentary());
}

TEST(TimeRangeContains, BothEndsInclusive) {
  const TimeRange range(Time(0, 1, 0), Time(0, 2, kDay));
  EXPECT_TRUE(range.contains(Time(0, 1, 0)));
  EXPECT_TRUE(range.contains(Time(0, 3, 0)));     // the finish in its 0:00 form
  EXPECT_TRUE(range.contains(Time(0, 0, kDay)));  // the start in its 24:00 form
  EXPECT_FALSE(range.contains(Time(0, 3, 1)));
  EXPECT_FALSE(range.contains(Time(0, 0, kDay - 1)));
}

TEST(TimeRangeIntersection, TouchingRangesIntersectInOneMoment) {
  const Time a(0, 1, 0), b(0, 2, 0), c(0, 3, 0);
  const TimeRange first(a, b), second(b, c);
  EXPECT_TRUE(first.intersects(second));
  EXPECT_TRUE(second.intersects(first));
  const auto common = first.intersecting(second);
  ASSERT_TRUE(common.has_value());
  EXPECT_EQ(*common, TimeRange(b, b));
  EXPECT_TRUE(common->isMomentary());
}

TEST(TimeRangeIntersection, CasesOfOverlap) {
  struct Case {
    TimeRange self;
    TimeRange other;
    std::optional<TimeRange> expected;
  };
  const Time t0(0, 0, 0), t1(0, 1, 0), t2(0, 2, 0), t3(0, 3, 0), t4(0, 4, 0);
  for (const Case& c : std::vector<Case>{
           {TimeRange(t0, t2), TimeRange(t1, t3), TimeRange(t1, t2)},
           {TimeRange(t1, t3), TimeRange(t0, t2), TimeRange(t1, t2)},
           {TimeRange(t0, t4), TimeRange(t1, t2), TimeRange(t1, t2)},  // other inside
           {TimeRange(t1, t2), TimeRange(t0, t4), TimeRange(t1, t2)},  // self inside
           {TimeRange(t0, t1), TimeRange(t2, t3), std::nullopt},
           {TimeRange(t2, t3), TimeRange(t0, t1), std::nullopt},
       }) {
    SCOPED_TRACE(testing::Message() << c.self << " & " << c.other);
    EXPECT_EQ(c.self.intersects(c.other), c.expected.has_value());
    EXPECT_EQ(c.self.intersecting(c.other), c.expected);
  }
}

TEST(TimeRangeIntersection, EqualMomentsTakeTheStartFromOtherAndTheFinishFromSelf) {
  const TimeRange self(Time(0, 0, kDay), Time(0, 2, kDay));
  const TimeRange other(Time(0, 1, 0), Time(0, 3, 0));
  const auto common = self.intersecting(other);
  ASSERT_TRUE(common.has_value());
  expectSameFields(common->start, Time(0, 1, 0));
  expectSameFields(common->finish, Time(0, 2, kDay));
}

TEST(TimeRangeEquality, ComparesMomentsAndHashesAlike) {
  const TimeRange a(Time(0, 0, kDay), Time(0, 6, kDay));
  const TimeRange b(Time(0, 1, 0), Time(1, 0, 0));
  EXPECT_EQ(a, b);
  EXPECT_EQ(std::hash<TimeRange>{}(a), std::hash<TimeRange>{}(b));
  EXPECT_NE(a, TimeRange(Time(0, 1, 0), Time(1, 0, 1)));
  const std::unordered_set<TimeRange> keys = {a, b, TimeRange(Time(0, 1, 0), Time(0, 2, 0))};
  EXPECT_EQ(keys.size(), 2u);
}

TEST(TimeRangeShifting, MovesEachEnd) {
  const TimeRange range(Time(0, 1, 8 * kHour), Time(0, 5, kDay));
  EXPECT_EQ(range.shiftingByDays(2), TimeRange(Time(0, 3, 8 * kHour), Time(1, 0, kDay)));
  EXPECT_EQ(range.shiftingByWeeks(-1), TimeRange(Time(-1, 1, 8 * kHour), Time(-1, 5, kDay)));
  EXPECT_EQ(range.shiftingByHours(16), TimeRange(Time(0, 2, 0), Time(0, 6, 16 * kHour)));
  EXPECT_EQ(range.shiftingByMinutes(-60), TimeRange(Time(0, 1, 7 * kHour), Time(0, 5, 23 * kHour)));
  EXPECT_EQ(range.shiftingBySeconds(1), range.shiftingByDuration(1));
  EXPECT_EQ(range.shiftingByDuration(1, TimeUnit::halfdays),
            TimeRange(Time(0, 1, 20 * kHour), Time(0, 6, 12 * kHour)));
  // A duration shift turns a 24:00 finish into the next day's 0:00.
  expectSameFields(range.shiftingByDuration(0).finish, Time(0, 6, 0));
}

TEST(TimeRangeShifting, CalendarShiftsMoveEachEndThroughTheCalendar) {
  const TimeRange january(Time::fromYearMonthDay(2001, 1, 1, 0, 0, 0),
                          Time::fromYearMonthDay(2001, 1, 31, 0, 0, 0));
  const TimeRange february = january.shiftingByMonths(1);
  EXPECT_EQ(february.start, Time::fromYearMonthDay(2001, 2, 1, 0, 0, 0));
  EXPECT_EQ(february.finish, Time::fromYearMonthDay(2001, 2, 28, 0, 0, 0));
  EXPECT_DOUBLE_EQ(february.duration(TimeUnit::days), 27);  // not kept at 30 days
  EXPECT_EQ(january.shiftingByYears(3),
            january.shiftingByCalendarDuration(36, CalendarTimeUnit::months));
  EXPECT_EQ(january.shiftingByDuration(1, CalendarTimeUnit::quarters),
            TimeRange(Time::fromYearMonthDay(2001, 4, 1, 0, 0, 0),
                      Time::fromYearMonthDay(2001, 4, 30, 0, 0, 0)));
}

TEST(TimeRangeCurrentWeek, IsTheWeekOfTheWallClockTime) {
  // Wednesday 15 May 2024 22:00 UTC.
  const ScopedClock clock(makeDate(Time::fromYearMonthDay(2024, 5, 15, 22, 0, 0)));
  const int64_t week = Time::fromYearMonthDay(2024, 5, 15, 0, 0, 0).week;
  const TimeRange range = TimeRange::currentWeek();
  expectSameFields(range.start, Time(week, 0, 0));
  expectSameFields(range.finish, Time(week + 1, 0, 0));
  EXPECT_EQ(TimeRange::forZone(TimeZone::fromSecondsFromGMT(2 * 3600)), range);
  // Saturday 22:00 UTC: west of Greenwich it is still Saturday of this week...
  const ScopedClock saturday(makeDate(Time::fromYearMonthDay(2024, 5, 18, 22, 0, 0)));
  EXPECT_EQ(TimeRange::forZone(TimeZone::fromSecondsFromGMT(-3600)), range);
  // ...but it is already Sunday of the next week there.
  EXPECT_EQ(TimeRange::forZone(TimeZone::fromSecondsFromGMT(3 * 3600)), range.shiftingByWeeks(1));
}

}  // namespace
}  // namespace vorlent
