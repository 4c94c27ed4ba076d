#include "vorlent/time/time.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <unordered_set>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/base/time_zone.h"

namespace vorlent {
namespace {

constexpr double kHour = secondsPerHour;
constexpr double kDay = secondsPerDay;
constexpr int64_t kMaxInt = std::numeric_limits<int64_t>::max();
constexpr int64_t kMinInt = std::numeric_limits<int64_t>::min();

void expectSameFields(const Time& actual, const Time& expected) {
  EXPECT_EQ(actual.week, expected.week) << actual << " vs " << expected;
  EXPECT_EQ(actual.dayOfWeek, expected.dayOfWeek) << actual << " vs " << expected;
  EXPECT_DOUBLE_EQ(actual.timeOfDay, expected.timeOfDay) << actual << " vs " << expected;
}

Time civil(int64_t year, int64_t month, int64_t day, int64_t hour = 0, int64_t minute = 0,
           int64_t second = 0) {
  return Time::fromYearMonthDay(year, month, day, hour, minute, second);
}

// ---- equality, ordering and hashing ------------------------------------

TEST(TimeEquality, DayEndEqualsNextDayStart) {
  EXPECT_EQ(Time(0, 1, 0), Time(0, 0, kDay));
  EXPECT_FALSE(Time(0, 1, 0) < Time(0, 0, kDay));
  EXPECT_FALSE(Time(0, 0, kDay) < Time(0, 1, 0));
  EXPECT_TRUE(Time(0, 1, 0) <= Time(0, 0, kDay));
  EXPECT_TRUE(Time(0, 1, 0) >= Time(0, 0, kDay));
  // Saturday 24:00 is the next week's Sunday 0:00.
  EXPECT_EQ(Time(0, 6, kDay), Time(1, 0, 0));
  EXPECT_FALSE(Time(1, 0, 0) > Time(0, 6, kDay));
}

TEST(TimeEquality, OnlyTheDayEndFormIsNormalised) {
  // Only 24:00 is folded into the next day; other out-of-range fields are
  // compared field by field.
  EXPECT_NE(Time(0, 1, -1), Time(0, 0, kDay - 1));
  EXPECT_NE(Time(0, 7, 0), Time(1, 0, 0));
  EXPECT_EQ(Time(0, 0, 0.0), Time(0, 0, -0.0));
}

TEST(TimeOrdering, ComparesWeekThenDayThenTimeOfDay) {
  const std::vector<Time> ascending = {
      Time(-1, 6, kDay - 1), Time(0, 0, 0),   Time(0, 0, 0.5),      Time(0, 0, kDay - 1),
      Time(0, 1, 1),         Time(0, 6, 0),   Time(0, 6, kDay - 1), Time(1, 0, 1),
      Time(1, 0, kDay),      Time(1, 2, 0.5), Time::max(),
  };
  for (size_t i = 0; i < ascending.size(); ++i) {
    for (size_t j = 0; j < ascending.size(); ++j) {
      EXPECT_EQ(ascending[i] < ascending[j], i < j) << ascending[i] << " < " << ascending[j];
      EXPECT_EQ(ascending[i] == ascending[j], i == j) << ascending[i] << " == " << ascending[j];
      EXPECT_EQ(ascending[i] >= ascending[j], i >= j) << ascending[i] << " >= " << ascending[j];
    }
  }
  EXPECT_LT(Time::min(), Time::reference());
}

TEST(TimeHash, AgreesWithEqualityForBothFormsOfAMoment) {
  const std::hash<Time> hash;
  EXPECT_EQ(hash(Time(0, 0, kDay)), hash(Time(0, 1, 0)));
  EXPECT_EQ(hash(Time(3, 6, kDay)), hash(Time(4, 0, 0)));
  EXPECT_EQ(hash(Time(0, 2, -0.0)), hash(Time(0, 2, 0.0)));

  std::unordered_set<Time> moments = {Time(0, 0, kDay), Time(0, 1, 0), Time(0, 6, kDay),
                                      Time(1, 0, 0), Time(1, 0, 1)};
  EXPECT_EQ(moments.size(), 3u);
  EXPECT_EQ(moments.count(Time(0, 1, -0.0)), 1u);
}

// ---- construction and day numbers --------------------------------------

TEST(TimeConstruction, StoresFieldsUnnormalised) {
  expectSameFields(Time(2, 9, kDay + 5), Time(2, 9, kDay + 5));
  expectSameFields(Time(1, 2, 8, 30, 15), Time(1, 2, 8 * kHour + 30 * 60 + 15));
  EXPECT_DOUBLE_EQ(Time::timeOfDayFromHours(1.5, 2, 3), 1.5 * kHour + 123);
  EXPECT_DOUBLE_EQ(Time::hoursOfDayFromTimeOfDay(5400), 1.5);
}

TEST(TimeConstruction, StaticValues) {
  expectSameFields(Time::min(), Time(-4194303, 0, 0));
  expectSameFields(Time::max(), Time(4194304, 6, kDay));
  expectSameFields(Time::reference(), Time(0, 0, 0));
  expectSameFields(Time::referenceMonthStart(), Time::reference().addingDays(1));
  EXPECT_EQ(civil(2001, 1, 1), Time::referenceMonthStart());
}

TEST(TimeDayNumber, SplitsNegativeDayNumbersByFloorDivision) {
  struct Case {
    int64_t dayNumber;
    int64_t week;
    int64_t dayOfWeek;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0},
                                         {6, 0, 6},
                                         {7, 1, 0},
                                         {-1, -1, 6},
                                         {-7, -1, 0},
                                         {-8, -2, 6},
                                         {kMinInt, kMinInt / 7 - 1, 6},
                                         {kMaxInt, kMaxInt / 7, 0}}) {
    SCOPED_TRACE(c.dayNumber);
    expectSameFields(Time::fromDayNumber(c.dayNumber, 5), Time(c.week, c.dayOfWeek, 5));
    EXPECT_EQ(Time::weekOfDayNumber(c.dayNumber), c.week);
    EXPECT_EQ(Time::dayOfWeekOfDayNumber(c.dayNumber), c.dayOfWeek);
    EXPECT_EQ(Time::fromDayNumber(c.dayNumber, 0).dayNumber(), c.dayNumber);
  }
  expectSameFields(Time::fromDayNumber(-1, 8, 0, 0), Time(-1, 6, 8 * kHour));
}

TEST(TimeDayNumber, SetterKeepsTheTimeOfDay) {
  Time t(5, 3, 7 * kHour);
  t.setDayNumber(-3);
  expectSameFields(t, Time(-1, 4, 7 * kHour));
  EXPECT_EQ(Time::dayNumberFromWeek(2, 3), 17);
  EXPECT_EQ(Time::dayNumber(-1, 6), -1);
  EXPECT_DOUBLE_EQ(Time::hoursOfDay(5400), 1.5);
  t.setHoursOfDay(2.5);
  EXPECT_DOUBLE_EQ(t.timeOfDay, 9000);
  EXPECT_DOUBLE_EQ(t.hoursOfDay(), 2.5);
}

// ---- day forms ---------------------------------------------------------

TEST(TimeDayForms, StartAndFinishForms) {
  expectSameFields(Time(0, 0, kDay).asStart(), Time(0, 1, 0));
  expectSameFields(Time(0, 6, kDay).asStart(), Time(1, 0, 0));
  expectSameFields(Time(1, 0, 0).asFinish(), Time(0, 6, kDay));
  expectSameFields(Time(1, 3, 0).asFinish(), Time(1, 2, kDay));
  expectSameFields(Time(0, 3, 0.5).asFinish(), Time(0, 3, 0.5));
  expectSameFields(Time(0, 3, 100).asStart(), Time(0, 3, 100));
}

TEST(TimeDayForms, DaysOutsideTheWeekMoveOneDayNotToTheWeekBoundary) {
  // (0, 9) is day 9 and (0, -3) day -3: their neighbours are days 10 and -4.
  expectSameFields(Time(0, 9, kDay).asStart(), Time(0, 10, 0));
  expectSameFields(Time(0, -3, 0).asFinish(), Time(0, -4, kDay));
  EXPECT_NE(Time(0, 9, kDay), Time(1, 0, 0));
  EXPECT_EQ(Time(0, 9, kDay), Time(0, 10, 0));
}

TEST(TimeDayForms, WeekAndDayBounds) {
  const Time t(4, 3, 10 * kHour);
  expectSameFields(t.weekStart(), Time(4, 0, 0));
  expectSameFields(t.weekFinish(), Time(5, 0, 0));
  expectSameFields(t.dayStart(), Time(4, 3, 0));
  expectSameFields(t.dayFinish(), Time(4, 4, 0));
  expectSameFields(Time(4, 6, kDay).dayFinish(), Time(5, 0, 0));
  EXPECT_TRUE(Time(0, 1, 0).isDayStart());
  EXPECT_FALSE(t.isDayStart());
  EXPECT_TRUE(Time(0, 1, kDay).isDayFinish());
  EXPECT_FALSE(t.isDayFinish());
}

// ---- day and duration arithmetic --------------------------------------

TEST(TimeArithmetic, AddingDaysKeepsTheDayOfWeekInRange) {
  struct Case {
    Time from;
    int64_t days;
    Time expected;
  };
  for (const Case& c : std::vector<Case>{{Time(0, 5, 0), 3, Time(1, 1, 0)},
                                         {Time(0, 1, 0), -2, Time(-1, 6, 0)},
                                         {Time(0, 0, 7), -7, Time(-1, 0, 7)},
                                         {Time(0, 0, kDay), 1, Time(0, 1, kDay)},
                                         {Time(2, 3, 0), 700, Time(102, 3, 0)},
                                         {Time(0, 0, 0), -15, Time(-3, 6, 0)}}) {
    SCOPED_TRACE(testing::Message() << c.from << " + " << c.days << " days");
    expectSameFields(c.from.addingDays(c.days), c.expected);
  }
  expectSameFields(Time(3, 2, 5).addingWeeks(-4), Time(-1, 2, 5));
}

TEST(TimeArithmetic, AddingDurationNeverYieldsTheDayEndForm) {
  struct Case {
    Time from;
    double seconds;
    Time expected;
  };
  for (const Case& c : std::vector<Case>{
           {Time(0, 0, 23 * kHour), 2 * kHour, Time(0, 1, kHour)},
           {Time(0, 0, 0), -1, Time(-1, 6, kDay - 1)},
           {Time(0, 2, 12 * kHour), 12 * kHour, Time(0, 3, 0)},
           {Time(0, 6, kDay), 0, Time(1, 0, 0)},
           {Time(0, 0, 0), -kDay, Time(-1, 6, 0)},
           {Time(0, 0, 0), 3 * secondsPerWeek + 0.25, Time(3, 0, 0.25)},
           {Time(0, 0, 0), -10 * kDay - 0.5, Time(-2, 3, kDay - 0.5)},
           // A remainder so small that 24 h minus it rounds to 24 h carries into
           // the day instead of producing 24:00.
           {Time(0, 3, 0), -1e-13, Time(0, 3, 0)},
       }) {
    SCOPED_TRACE(testing::Message() << c.from << " + " << c.seconds << " s");
    const Time result = c.from.addingDuration(c.seconds);
    expectSameFields(result, c.expected);
    EXPECT_GE(result.timeOfDay, 0);
    EXPECT_LT(result.timeOfDay, kDay);
    EXPECT_FALSE(std::signbit(result.timeOfDay));
  }
}

// The split of a sum of seconds into days and a time of day, by the exact
// remainder and a day count derived from it: what addition did before whole
// seconds were split in integers, and must still do.
Time addingDurationByRemainder(const Time& from, double seconds) {
  const double total = from.timeOfDay + seconds;
  double rest = std::fmod(total, kDay);
  double days = std::round((total - rest) / kDay);
  if (rest < 0) {
    rest += kDay;
    days -= 1;
  }
  if (rest >= kDay) {
    rest = 0;
    days += 1;
  }
  if (rest == 0) rest = 0;
  Time result = from.addingDays(static_cast<int64_t>(days));
  result.timeOfDay = rest;
  return result;
}

TEST(TimeArithmetic, AddingDurationSplitsLikeTheRemainderOnRandomInputs) {
  std::mt19937_64 random(2024);
  const auto pick = [&](const std::vector<double>& values) {
    return values[random() % values.size()];
  };
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const auto whole = [&](double low, double high) { return std::floor(uniform(low, high)); };
  constexpr double kExact = 9007199254740992.0;  // 2^53
  for (int i = 0; i < 200000; ++i) {
    const std::vector<double> timesOfDay{
        whole(0, kDay), uniform(0, kDay), kDay, 0.0, -0.0, -whole(0, 3 * kDay),
        uniform(-kDay, 2 * kDay), whole(-1e12, 1e12), std::nextafter(kDay, 0.0)};
    const std::vector<double> amounts{
        whole(-1e6, 1e6), whole(-1e15, 1e15), uniform(-1e6, 1e6), uniform(-1e15, 1e15),
        kExact - whole(0, 3), -kExact + whole(0, 3), kExact, -kExact, kExact + 2, -kExact - 2,
        whole(-4e15, 4e15) + 0.5, 0.0, -0.0, -1e-13, 1e-13, 5e-324, -5e-324,
        std::nextafter(-kDay, 0.0), -kDay, kDay * whole(-1e9, 1e9)};
    const Time from(static_cast<int64_t>(random() % (1ULL << 40)) - (1LL << 39),
                    static_cast<int64_t>(random() % 21) - 7, pick(timesOfDay));
    const double seconds = pick(amounts);
    const Time expected = addingDurationByRemainder(from, seconds);
    const Time actual = from.addingDuration(seconds);
    ASSERT_TRUE(actual.week == expected.week && actual.dayOfWeek == expected.dayOfWeek &&
                std::bit_cast<uint64_t>(actual.timeOfDay) ==
                    std::bit_cast<uint64_t>(expected.timeOfDay))
        << from << " + " << seconds << " s: " << actual << " vs " << expected;
  }
}

TEST(TimeArithmetic, UnitShorthands) {
  const Time t(0, 1, 0);
  EXPECT_EQ(t.addingHours(25), Time(0, 2, kHour));
  EXPECT_EQ(t.addingMinutes(-30), Time(0, 0, kDay - 1800));
  EXPECT_EQ(t.addingSeconds(90), Time(0, 1, 90));
  EXPECT_EQ(t.addingDuration(1.5, TimeUnit::halfdays), Time(0, 1, 18 * kHour));
  EXPECT_EQ(t.addingDuration(2, TimeUnit::weeks), Time(2, 1, 0));
  EXPECT_EQ(t.addingDuration(250, TimeUnit::milliseconds), Time(0, 1, 0.25));
}

// ---- calendar conversion -----------------------------------------------

// Days from 1970-01-01 to a proleptic Gregorian date (the well-known
// era-based algorithm), kept here as an oracle independent of the library.
int64_t daysFromCivilOracle(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TEST(TimeCalendar, CivilDatesMapToTheirDayNumbersAndWeekdays) {
  struct Case {
    int64_t year, month, day;
    int64_t weekday;  // known weekday, 0 = Sunday
  };
  const int64_t epochDays = daysFromCivilOracle(2000, 12, 31);
  for (const Case& c : std::vector<Case>{{2000, 12, 31, kSunday},
                                         {2001, 1, 1, kMonday},
                                         {2000, 2, 29, kTuesday},
                                         {2004, 2, 29, kSunday},
                                         {1900, 1, 1, kMonday},
                                         {1900, 3, 1, kThursday},
                                         {2100, 3, 1, kMonday},
                                         {1600, 2, 29, kTuesday},
                                         {1970, 1, 1, kThursday},
                                         {1, 1, 1, kMonday},
                                         {2400, 12, 31, kSunday}}) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    const Time t = civil(c.year, c.month, c.day, 6, 30, 15);
    EXPECT_EQ(t.dayNumber(), daysFromCivilOracle(c.year, c.month, c.day) - epochDays);
    EXPECT_EQ(t.dayOfWeek, c.weekday);
    EXPECT_DOUBLE_EQ(t.timeOfDay, 6 * kHour + 30 * 60 + 15);
    EXPECT_EQ(t.year(), c.year);
    EXPECT_EQ(t.month(), c.month);
    EXPECT_EQ(t.day(), c.day);
    EXPECT_EQ(t.hour(), 6);
    EXPECT_EQ(t.minute(), 30);
    EXPECT_EQ(t.second(), 15);
  }
}

TEST(TimeCalendar, LenientComponentsFollowTheCalendar) {
  EXPECT_EQ(civil(2001, 13, 1), civil(2002, 1, 1));
  EXPECT_EQ(civil(2001, 3, 0), civil(2001, 2, 28));
  EXPECT_EQ(civil(2001, 1, 1, 25), civil(2001, 1, 2, 1));
}

TEST(TimeCalendar, DateConversionAtTheEpoch) {
  expectSameFields(Time(Date(0)), Time(0, 1, 0));
  EXPECT_EQ(makeDate(Time(0, 0, kDay)), Date(0));
  EXPECT_EQ(makeDate(Time(0, 0, 0)), Date(-kDay));
  EXPECT_EQ(makeDate(Time(0, 1, 0.1)), Date(0.1));
}

TEST(TimeCalendar, DatesBeforeTheEpochSplitByFloorDivision) {
  // 36 hours before the epoch: Friday noon of week -1.
  expectSameFields(Time(Date(-kDay - 1.5 * kDay)), Time(-1, 5, 12 * kHour));
  expectSameFields(Time(Date(-kDay - 1)), Time(-1, 6, kDay - 1));
  expectSameFields(Time(Date(-kDay - 7 * kDay)), Time(-1, 0, 0));
}

TEST(TimeCalendar, RoundTripsThroughDate) {
  for (const Time& t :
       {Time(0, 0, 0), Time(0, 3, 0.125), Time(-1, 6, kDay - 0.5), Time(-5000, 2, 12345.75),
        Time(5000, 4, 1), Time::min(), Time(4194304, 6, kDay - 1)}) {
    SCOPED_TRACE(testing::Message() << t);
    expectSameFields(Time(makeDate(t)), t);
  }
  for (double seconds : {0.0, -1.0, 1e9 + 0.1, -3e9 - 0.75, 86399.999}) {
    SCOPED_TRACE(seconds);
    EXPECT_EQ(makeDate(Time(Date(seconds))), Date(seconds));
  }
}

TEST(TimeCalendar, MonthAndYearStarts) {
  struct Case {
    Time time;
    Time monthStart;
    Time yearStart;
  };
  Time jan31DayEnd = civil(2001, 1, 31);
  jan31DayEnd.timeOfDay = kDay;
  Time dec31DayEnd = civil(2001, 12, 31);
  dec31DayEnd.timeOfDay = kDay;
  for (const Case& c : std::vector<Case>{
           {civil(2024, 3, 15, 10, 30), civil(2024, 3, 1), civil(2024, 1, 1)},
           {civil(2024, 2, 29, 23, 59), civil(2024, 2, 1), civil(2024, 1, 1)},
           // Only the day counts: 24:00 on the last day stays in its month.
           {jan31DayEnd, civil(2001, 1, 1), civil(2001, 1, 1)},
           {dec31DayEnd, civil(2001, 12, 1), civil(2001, 1, 1)},
           {Time::reference(), civil(2000, 12, 1), civil(2000, 1, 1)},
           {civil(1999, 7, 15, 12), civil(1999, 7, 1), civil(1999, 1, 1)},
           {civil(1600, 12, 31, 1), civil(1600, 12, 1), civil(1600, 1, 1)},
       }) {
    SCOPED_TRACE(testing::Message() << c.time);
    expectSameFields(c.time.monthStart(), c.monthStart);
    expectSameFields(c.time.yearStart(), c.yearStart);
  }
}

TEST(TimeCalendar, MonthAndYearAdditionClampTheDayOfMonth) {
  struct Case {
    Time from;
    Time result;
  };
  for (const Case& c : std::vector<Case>{
           {civil(2001, 1, 31, 10, 30).addingMonths(1), civil(2001, 2, 28, 10, 30)},
           {civil(2004, 1, 31).addingMonths(1), civil(2004, 2, 29)},
           {civil(2001, 3, 31).addingMonths(-1), civil(2001, 2, 28)},
           {civil(2000, 12, 15).addingMonths(-13), civil(1999, 11, 15)},
           {civil(2004, 2, 29).addingYears(1), civil(2005, 2, 28)},
           {civil(2004, 2, 29).addingYears(4), civil(2008, 2, 29)},
           {civil(2000, 2, 29).addingYears(100), civil(2100, 2, 28)},
           {civil(2001, 5, 31).addingCalendarDuration(1, CalendarTimeUnit::quarters),
            civil(2001, 8, 31)},
           {civil(2001, 5, 31).addingCalendarDuration(-2, CalendarTimeUnit::decades),
            civil(1981, 5, 31)},
           {civil(2001, 1, 1).addingCalendarDuration(1, CalendarTimeUnit::millennia),
            civil(3001, 1, 1)},
           {civil(2004, 2, 29, 12).addingDuration(1, CalendarTimeUnit::years),
            civil(2005, 2, 28, 12)},
       }) {
    expectSameFields(c.from, c.result);
  }
  // A 24:00 form is read as the next day's 0:00 before moving.
  Time jan30DayEnd = civil(2001, 1, 30);
  jan30DayEnd.timeOfDay = kDay;
  expectSameFields(jan30DayEnd.addingMonths(1), civil(2001, 2, 28));
}

TEST(TimeCurrent, ReadsThePinnedClockInTheGivenZone) {
  // Wednesday 15 May 2024 10:00 UTC.
  const ScopedClock clock(makeDate(civil(2024, 5, 15, 10)));
  EXPECT_EQ(Time::forZone(TimeZone::fromSecondsFromGMT(3 * 3600)), civil(2024, 5, 15, 13));
  EXPECT_EQ(Time::forZone(TimeZone::fromSecondsFromGMT(-11 * 3600)), civil(2024, 5, 14, 23));
  TimeZone::setCurrent(TimeZone::fromSecondsFromGMT(3600));
  EXPECT_EQ(Time::current(), civil(2024, 5, 15, 11));
  TimeZone::setCurrent(std::nullopt);
  EXPECT_EQ(Time::current(), civil(2024, 5, 15, 10));
}

// ---- fatal stops -------------------------------------------------------

using TimeDeathTest = testing::Test;

TEST_F(TimeDeathTest, OverflowingWeekOrDayArithmeticStops) {
  EXPECT_DEATH((void)Time(kMaxInt, 6, 0).addingDays(1), "addingDays.*overflowed");
  EXPECT_DEATH((void)Time(kMinInt, 0, 0).addingDays(-1), "addingDays.*overflowed");
  EXPECT_DEATH((void)Time(kMinInt, 0, 0).addingWeeks(-1), "addingWeeks.*overflowed");
  EXPECT_DEATH((void)Time(kMaxInt / 6, 0, 0).dayNumber(), "day number.*overflowed");
  EXPECT_DEATH((void)Time(kMaxInt, 6, kDay).asStart(), "overflowed");
  EXPECT_DEATH((void)(Time(kMaxInt, 6, kDay) == Time(0, 0, 0)), "overflowed");
  EXPECT_DEATH((void)Time(kMaxInt, 0, 0).weekFinish(), "weekFinish.*overflowed");
}

TEST_F(TimeDeathTest, NonFiniteOrHugeDurationsStop) {
  EXPECT_DEATH((void)Time(0, 0, 0).addingDuration(std::numeric_limits<double>::infinity()),
               "non-finite");
  EXPECT_DEATH((void)Time(0, 0, 0).addingDuration(std::nan("")), "non-finite");
  EXPECT_DEATH((void)Time(0, 0, 0).addingDuration(1e300), "addingDuration");
  EXPECT_DEATH((void)Time(Date(std::nan(""))), "Time\\(Date\\).*non-finite");
}

TEST_F(TimeDeathTest, DatesTheCalendarCannotReachStop) {
  EXPECT_DEATH((void)makeDate(Time(kMaxInt / 8, 0, 0)), "no such date");
  EXPECT_DEATH((void)Time(0, 0, 0).addingYears(kMaxInt), "addingYears");
}

}  // namespace
}  // namespace vorlent
