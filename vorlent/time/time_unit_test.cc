#include "vorlent/time/time_unit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <unordered_set>
#include <vector>

#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

TEST(TimeUnitConversion, SecondsInEachUnitAndBack) {
  struct Case {
    TimeUnit unit;
    double secondsInOne;
  };
  const std::vector<Case> cases = {
      {TimeUnit::weeks, 604800},       {TimeUnit::days, 86400},
      {TimeUnit::halfdays, 43200},     {TimeUnit::hours, 3600},
      {TimeUnit::minutes, 60},         {TimeUnit::seconds, 1},
      {TimeUnit::deciseconds, 0.1},    {TimeUnit::centiseconds, 0.01},
      {TimeUnit::milliseconds, 0.001}, {TimeUnit::nanoseconds, 1e-9},
  };
  ASSERT_EQ(cases.size(), allTimeUnits().size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(testing::Message() << cases[i].unit);
    EXPECT_EQ(allTimeUnits()[i], cases[i].unit);  // largest first
    EXPECT_DOUBLE_EQ(seconds(1, cases[i].unit), cases[i].secondsInOne);
    EXPECT_DOUBLE_EQ(valueIn(cases[i].secondsInOne, cases[i].unit), 1);
    EXPECT_DOUBLE_EQ(valueIn(seconds(37.5, cases[i].unit), cases[i].unit), 37.5);
  }
}

TEST(TimeUnitConversion, SubSecondUnitsAreExactDivisions) {
  EXPECT_EQ(seconds(1.5, TimeUnit::halfdays), 64800);
  EXPECT_EQ(seconds(250, TimeUnit::milliseconds), 0.25);
  EXPECT_EQ(seconds(3, TimeUnit::deciseconds), 0.3);  // 3 / 10, not 3 × 0.1
  EXPECT_EQ(valueIn(90.0, TimeUnit::minutes), 1.5);
  EXPECT_EQ(valueIn(0.3, TimeUnit::deciseconds), 3);
}

TEST(CalendarTimeUnitConversion, MonthsInEachUnitAndBack) {
  struct Case {
    CalendarTimeUnit unit;
    int64_t monthsInOne;
  };
  const std::vector<Case> cases = {
      {CalendarTimeUnit::months, 1},       {CalendarTimeUnit::quarters, 3},
      {CalendarTimeUnit::years, 12},       {CalendarTimeUnit::decades, 120},
      {CalendarTimeUnit::centuries, 1200}, {CalendarTimeUnit::millennia, 12000},
  };
  ASSERT_EQ(cases.size(), allCalendarTimeUnits().size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(testing::Message() << cases[i].unit);
    EXPECT_EQ(allCalendarTimeUnits()[i], cases[i].unit);  // smallest first
    EXPECT_EQ(months(1, cases[i].unit), cases[i].monthsInOne);
    EXPECT_EQ(months(-2, cases[i].unit), -2 * cases[i].monthsInOne);
    EXPECT_DOUBLE_EQ(valueIn(cases[i].monthsInOne, cases[i].unit), 1);
  }
  EXPECT_EQ(months(2, CalendarTimeUnit::decades), 240);
  EXPECT_DOUBLE_EQ(valueIn(int64_t{18}, CalendarTimeUnit::years), 1.5);
}

TEST(CalendarTimeUnitConversion, MonthOverflowStops) {
  EXPECT_DEATH((void)months(std::numeric_limits<int64_t>::max() / 2, CalendarTimeUnit::quarters),
               "overflowed");
}

TEST(TimeUnitHash, UnitsAreUsableAsKeys) {
  constexpr auto kUnits = allTimeUnits();
  const std::unordered_set<TimeUnit> units(kUnits.begin(), kUnits.end());
  EXPECT_EQ(units.size(), 10u);
  constexpr auto kCalendarUnits = allCalendarTimeUnits();
  const std::unordered_set<CalendarTimeUnit> calendarUnits(kCalendarUnits.begin(),
                                                           kCalendarUnits.end());
  EXPECT_EQ(calendarUnits.size(), 6u);
}

}  // namespace
}  // namespace vorlent
