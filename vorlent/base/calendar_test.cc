#include "vorlent/base/calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>

namespace vorlent {
namespace {

using C = CalendarComponent;

const Calendar& calendar() { return Calendar::gregorianUTC(); }

// Seconds since 2001-01-01 of a civil UTC time, computed by std::chrono as an
// independent reference (years within std::chrono's range only).
double chronoSeconds(int year, unsigned month, unsigned day, int64_t hour = 0, int64_t minute = 0,
                     int64_t second = 0) {
  using namespace std::chrono;
  const sys_days civil{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
  const sys_days reference{2001y / January / 1};
  return static_cast<double>((civil - reference).count() * 86400 + hour * 3600 + minute * 60 +
                             second);
}

Date dateOf(int64_t year, int64_t month, int64_t day, int64_t hour = 0, int64_t minute = 0,
            int64_t second = 0) {
  const auto date = calendar().date(
      {.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second});
  EXPECT_TRUE(date.has_value()) << year << "-" << month << "-" << day;
  return date.value_or(Date(std::nan("")));
}

DateComponents civil(int64_t year, int64_t month, int64_t day, int64_t hour = 0, int64_t minute = 0,
                     int64_t second = 0) {
  return {
      .year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
}

// Only the year...second fields of a date's components.
DateComponents civilOf(Date date) {
  DateComponents all = calendar().components(date);
  all.era.reset();
  all.nanosecond.reset();
  all.weekday.reset();
  return all;
}

TEST(CivilDays, AgreeWithStdChronoOverTwoThousandYearsAroundTheEpoch) {
  using namespace std::chrono;
  const int64_t first = sys_days{year{-400} / January / 1}.time_since_epoch().count();
  const int64_t last = sys_days{year{2800} / December / 31}.time_since_epoch().count();
  for (int64_t days = first; days <= last; ++days) {
    const year_month_day expected{sys_days{std::chrono::days{days}}};
    const Calendar::CivilDay got = Calendar::civilFromDays(days);
    ASSERT_EQ(got.year, static_cast<int>(expected.year())) << days;
    ASSERT_EQ(got.month, static_cast<unsigned>(expected.month())) << days;
    ASSERT_EQ(got.day, static_cast<unsigned>(expected.day())) << days;
    ASSERT_EQ(Calendar::daysFromCivil(got.year, got.month, got.day), days);
  }
}

TEST(CivilDays, RoundTripAndKeepLeapRulesFarBeyondStdChronoYears) {
  const struct {
    int64_t year;
    int64_t lastDayOfFebruary;
  } cases[] = {{-100'000'000, 29}, {-80'001, 28}, {-32'800, 29},    {32'900, 28},
               {80'000, 29},       {84'100, 28},  {100'000'000, 29}};
  for (const auto& c : cases) {
    for (const int64_t month : {1, 2, 3, 12}) {
      const Calendar::CivilDay back =
          Calendar::civilFromDays(Calendar::daysFromCivil(c.year, month, 1));
      EXPECT_EQ(back.year, c.year);
      EXPECT_EQ(back.month, month);
      EXPECT_EQ(back.day, 1);
    }
    const Calendar::CivilDay beforeMarch =
        Calendar::civilFromDays(Calendar::daysFromCivil(c.year, 3, 0));
    EXPECT_EQ(beforeMarch.month, 2) << c.year;
    EXPECT_EQ(beforeMarch.day, c.lastDayOfFebruary) << c.year;
  }
}

TEST(CivilDaysDeathTest, ArgumentsBeyondTheRangeStopInsteadOfOverflowing) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_DEATH((void)Calendar::civilFromDays(kMax), "civilFromDays");
  EXPECT_DEATH((void)Calendar::daysFromCivil(kMax, kMax, kMax), "month outside");
  EXPECT_DEATH((void)Calendar::daysFromCivil(2001, 1, kMax), "daysFromCivil");
  EXPECT_DEATH((void)Calendar::daysFromCivil(kMax / 2, 6, 1), "daysFromCivil");
}

struct CivilCase {
  int year;
  unsigned month;
  unsigned day;
  int64_t hour;
  int64_t minute;
  int64_t second;
  int64_t weekday;  // 1 Sunday ... 7 Saturday
};

void PrintTo(const CivilCase& c, std::ostream* out) {
  char text[64];
  std::snprintf(text, sizeof text, "%d-%02u-%02u %02lld:%02lld:%02lld, weekday %lld", c.year,
                c.month, c.day, static_cast<long long>(c.hour), static_cast<long long>(c.minute),
                static_cast<long long>(c.second), static_cast<long long>(c.weekday));
  *out << text;
}

// "y2001_01_01_000000"; a negative year reads "yMinus100_...".
std::string civilCaseName(const testing::TestParamInfo<CivilCase>& info) {
  const CivilCase& c = info.param;
  char text[64];
  std::snprintf(text, sizeof text, "y%s%d_%02u_%02u_%02lld%02lld%02lld", c.year < 0 ? "Minus" : "",
                std::abs(c.year), c.month, c.day, static_cast<long long>(c.hour),
                static_cast<long long>(c.minute), static_cast<long long>(c.second));
  return text;
}

class CalendarConversion : public testing::TestWithParam<CivilCase> {};

TEST_P(CalendarConversion, BuildsTheDateStdChronoGivesAndTakesItApartAgain) {
  const CivilCase& c = GetParam();
  const Date date = dateOf(c.year, c.month, c.day, c.hour, c.minute, c.second);
  EXPECT_EQ(date.timeIntervalSinceReferenceDate,
            chronoSeconds(c.year, c.month, c.day, c.hour, c.minute, c.second));
  EXPECT_EQ(civilOf(date), civil(c.year, c.month, c.day, c.hour, c.minute, c.second));
  EXPECT_EQ(calendar().component(C::weekday, date), c.weekday);
  const std::chrono::sys_days chronoDay{std::chrono::year{c.year} / std::chrono::month{c.month} /
                                        std::chrono::day{c.day}};
  EXPECT_EQ(calendar().component(C::weekday, date),
            std::chrono::weekday{chronoDay}.c_encoding() + 1);
  EXPECT_EQ(calendar().component(C::era, date), c.year >= 1 ? 1 : 0);
  EXPECT_EQ(calendar().component(C::nanosecond, date), 0);
}

INSTANTIATE_TEST_SUITE_P(
    LeapYearsCenturiesAndTheDistantPast, CalendarConversion,
    testing::Values(CivilCase{2001, 1, 1, 0, 0, 0, 2},       // the reference date, a Monday
                    CivilCase{2000, 12, 31, 23, 59, 59, 1},  // the second before it
                    CivilCase{1970, 1, 1, 0, 0, 0, 5},       // Thursday
                    CivilCase{2000, 2, 29, 12, 0, 0, 3},     // 2000 is a leap year
                    CivilCase{2000, 3, 1, 0, 0, 0, 4},
                    CivilCase{1900, 2, 28, 6, 30, 0, 4},  // 1900 is not
                    CivilCase{1900, 3, 1, 0, 0, 0, 5}, CivilCase{2100, 3, 1, 0, 0, 0, 2},
                    CivilCase{2024, 2, 29, 23, 0, 0, 5},
                    CivilCase{1582, 10, 10, 0, 0, 0, 1},  // proleptic: no Julian gap
                    CivilCase{1, 1, 1, 0, 0, 0, 2},
                    CivilCase{0, 2, 29, 0, 0, 0, 3},  // year 0 (1 BC) is a leap year
                    CivilCase{-1, 12, 31, 18, 0, 0, 6},
                    CivilCase{-100, 2, 28, 0, 0, 0, 4},  // -100 is not a leap year
                    CivilCase{-100, 3, 1, 0, 0, 0, 5}, CivilCase{-4000, 6, 15, 8, 15, 45, 5}),
    civilCaseName);

TEST(CalendarConversion, CoversTheWholeTimeGrid) {
  // Roughly the earliest and latest moments the chart's time grid can hold.
  for (const int64_t year : {-80'000LL, 84'000LL}) {
    const Date date = dateOf(year, 2, 29, 13, 14, 15);
    EXPECT_EQ(civilOf(date), civil(year, 2, 29, 13, 14, 15));
  }
}

TEST(CalendarComponents, NanosecondsAreRoundedToTheMicrosecondSoNoiseDoesNotShow) {
  const struct {
    double seconds;
    int64_t second;
    int64_t nanosecond;
  } cases[] = {
      {0.3, 0, 300'000'000},   {0.1 + 0.2, 0, 300'000'000},
      {-0.3, 59, 700'000'000},  // 23:59:59.7 of 31 December 2000
      {1.9999999, 2, 0},        // rounds up and carries into the second
      {59.0000004, 59, 0},     {12.000250, 12, 250'000},
  };
  for (const auto& c : cases) {
    const DateComponents components = calendar().components(Date(c.seconds));
    EXPECT_EQ(components.second, c.second) << c.seconds;
    EXPECT_EQ(components.nanosecond, c.nanosecond) << c.seconds;
  }
  EXPECT_EQ(calendar().components(Date(-0.3)).day, 31);
  EXPECT_EQ(calendar().components(Date(86399.9999999)).day, 2);
}

TEST(CalendarComponents, DatesOutsideTheRangeHaveNoFields) {
  for (const double seconds : {std::nan(""), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 1e16, -1e16}) {
    EXPECT_EQ(calendar().components(Date(seconds)), DateComponents{}) << seconds;
  }
}

TEST(CalendarComponentDeathTest, OfANonFiniteDateIsAFatalStop) {
  EXPECT_DEATH((void)calendar().component(C::year, Date(std::nan(""))),
               "vorlent: fatal: calendar component");
}

struct LenientCase {
  const char* name;
  DateComponents given;
  DateComponents expected;
};

void PrintTo(const LenientCase& c, std::ostream* out) {
  *out << c.name << ": " << c.given << " resolves to " << c.expected;
}

class LenientComponents : public testing::TestWithParam<LenientCase> {};

TEST_P(LenientComponents, ResolveLikeACalendarWould) {
  const auto date = calendar().date(GetParam().given);
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(civilOf(*date), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRangeFields, LenientComponents,
    testing::Values(
        LenientCase{"month13", {.year = 2000, .month = 13, .day = 5}, civil(2001, 1, 5)},
        LenientCase{"month0", {.year = 2000, .month = 0, .day = 5}, civil(1999, 12, 5)},
        LenientCase{"monthMinus11", {.year = 2000, .month = -11, .day = 5}, civil(1999, 1, 5)},
        LenientCase{"month25", {.year = 2000, .month = 25, .day = 1}, civil(2002, 1, 1)},
        LenientCase{
            "day0OfMarchInLeapYear", {.year = 2000, .month = 3, .day = 0}, civil(2000, 2, 29)},
        LenientCase{"day0OfMarch1900", {.year = 1900, .month = 3, .day = 0}, civil(1900, 2, 28)},
        LenientCase{"day32", {.year = 2001, .month = 1, .day = 32}, civil(2001, 2, 1)},
        LenientCase{"day366", {.year = 2000, .month = 1, .day = 366}, civil(2000, 12, 31)},
        LenientCase{"dayMinus1", {.year = 2001, .month = 1, .day = -1}, civil(2000, 12, 30)},
        LenientCase{
            "hour25", {.year = 2001, .month = 1, .day = 1, .hour = 25}, civil(2001, 1, 2, 1)},
        LenientCase{"hourMinus1",
                    {.year = 2001, .month = 1, .day = 1, .hour = -1},
                    civil(2000, 12, 31, 23)},
        LenientCase{"minute90",
                    {.year = 2001, .month = 1, .day = 1, .minute = 90},
                    civil(2001, 1, 1, 1, 30)},
        LenientCase{"secondMinus1",
                    {.year = 2001, .month = 1, .day = 1, .second = -1},
                    civil(2000, 12, 31, 23, 59, 59)},
        LenientCase{"nanosecondsOverflowIntoSeconds",
                    {.year = 2001, .month = 1, .day = 1, .nanosecond = 2'000'000'000},
                    civil(2001, 1, 1, 0, 0, 2)},
        LenientCase{"negativeNanoseconds",
                    {.year = 2001, .month = 1, .day = 1, .nanosecond = -1'000'000'000},
                    civil(2000, 12, 31, 23, 59, 59)},
        LenientCase{"absentFieldsAreSmallest", {}, civil(1, 1, 1)}),
    [](const auto& c) { return c.param.name; });

TEST(CalendarDate, KeepsTheNanosecondFraction) {
  const auto date = calendar().date({.year = 2001, .nanosecond = 250'000'000});
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(date->timeIntervalSinceReferenceDate, 0.25);
}

TEST(CalendarDate, IsAbsentRatherThanOverflowing) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const DateComponents cases[] = {
      {.year = kMax},
      {.year = kMin},
      {.year = 300'000'000},  // beyond 2^53 seconds
      {.year = 2001, .month = kMin},
      {.year = 2001, .month = kMax},
      {.year = 2001, .day = kMin},
      {.year = 2001, .day = kMax},
      {.year = 2001, .hour = kMax},
      {.year = 2001, .minute = kMin},
      {.year = 2001, .second = kMax},
      {.year = 2001, .second = kMax, .nanosecond = kMax},
  };
  for (const DateComponents& c : cases) EXPECT_EQ(calendar().date(c), std::nullopt) << c;
}

struct AddCase {
  const char* name;
  DateComponents start;
  CalendarComponent component;
  int64_t value;
  DateComponents expected;
};

void PrintTo(const AddCase& c, std::ostream* out) {
  *out << c.name << ": " << c.start << " plus " << c.value << " gives " << c.expected;
}

class CalendarAdding : public testing::TestWithParam<AddCase> {};

TEST_P(CalendarAdding, MovesByCalendarUnitsAndClampsTheDayOfMonth) {
  const AddCase& c = GetParam();
  const auto start = calendar().date(c.start);
  ASSERT_TRUE(start.has_value());
  const auto result = calendar().dateByAdding(c.component, c.value, *start);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(civilOf(*result), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    MonthsYearsAndDays, CalendarAdding,
    testing::Values(
        AddCase{"jan31PlusMonth", civil(2001, 1, 31, 10, 30), C::month, 1,
                civil(2001, 2, 28, 10, 30)},
        AddCase{"jan31PlusMonthLeap", civil(2000, 1, 31), C::month, 1, civil(2000, 2, 29)},
        AddCase{"jan31PlusMonth1900", civil(1900, 1, 31), C::month, 1, civil(1900, 2, 28)},
        AddCase{"mar31MinusMonth", civil(2001, 3, 31, 23, 59, 59), C::month, -1,
                civil(2001, 2, 28, 23, 59, 59)},
        AddCase{"aug31PlusMonth", civil(2001, 8, 31), C::month, 1, civil(2001, 9, 30)},
        AddCase{"acrossYearBackwards", civil(2001, 1, 15), C::month, -13, civil(1999, 12, 15)},
        AddCase{"feb29PlusYear", civil(2000, 2, 29), C::year, 1, civil(2001, 2, 28)},
        AddCase{"feb29PlusFourYears", civil(2000, 2, 29), C::year, 4, civil(2004, 2, 29)},
        AddCase{"feb29PlusCentury", civil(2000, 2, 29), C::year, 100, civil(2100, 2, 28)},
        AddCase{"feb29PlusFourCenturies", civil(2000, 2, 29), C::year, 400, civil(2400, 2, 29)},
        AddCase{"intoNegativeYears", civil(1, 3, 1), C::year, -5, civil(-4, 3, 1)},
        AddCase{"dayAfterFeb28In1900IsMarch1", civil(1900, 2, 28), C::day, 1, civil(1900, 3, 1)},
        AddCase{"dayIntoLeapDay", civil(2000, 2, 28), C::day, 1, civil(2000, 2, 29)},
        AddCase{"daysBackAcrossCentury", civil(2000, 1, 1), C::day, -1, civil(1999, 12, 31)},
        AddCase{"hours", civil(2000, 12, 31, 22), C::hour, 3, civil(2001, 1, 1, 1)},
        AddCase{"minutes", civil(2001, 1, 1), C::minute, -1, civil(2000, 12, 31, 23, 59)},
        AddCase{"seconds", civil(2001, 1, 1), C::second, 86400 * 366, civil(2002, 1, 2)}),
    [](const auto& c) { return c.param.name; });

TEST(CalendarAdding, MonthsKeepTheTimeOfDayToTheSubSecond) {
  const Date start = Date(dateOf(1850, 1, 31, 7, 8, 9).timeIntervalSinceReferenceDate + 0.375);
  const auto result = calendar().dateByAdding(C::month, 1, start);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->timeIntervalSinceReferenceDate,
            dateOf(1850, 2, 28, 7, 8, 9).timeIntervalSinceReferenceDate + 0.375);
}

TEST(CalendarAdding, NanosecondsAreFractionsOfASecond) {
  const auto result = calendar().dateByAdding(C::nanosecond, 500'000'000, Date(10));
  EXPECT_EQ(result, Date(10.5));
}

TEST(CalendarAdding, IsAbsentWhenItCannotBeDone) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(calendar().dateByAdding(C::day, 1, Date(std::nan(""))), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::month, 1, Date(1e300)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::year, kMax, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::month, kMax, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::month, 12 * 300'000'000LL, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::second, kMax, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::day, -kMax, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::era, 1, Date(0)), std::nullopt);
  EXPECT_EQ(calendar().dateByAdding(C::weekday, 1, Date(0)), std::nullopt);
}

TEST(CalendarDifference, SplitsSecondsIntoDaysSecondsAndNanoseconds) {
  const auto d = calendar().dateComponents({C::day, C::second, C::nanosecond}, Date(-86400),
                                           Date(86400 * 3 + 7200.25));
  EXPECT_EQ(d, (DateComponents{.day = 4, .second = 7200, .nanosecond = 250'000'000}));
}

TEST(CalendarDifference, IsTruncatedTowardZeroSoEveryFieldHasTheSignOfTheDifference) {
  const Date from = dateOf(2001, 1, 1);
  const Date later = Date(from.timeIntervalSinceReferenceDate + 1.5 * 86400);
  const Date earlier = Date(from.timeIntervalSinceReferenceDate - 1.5 * 86400);
  EXPECT_EQ(calendar().dateComponents({C::day, C::hour}, from, later),
            (DateComponents{.day = 1, .hour = 12}));
  EXPECT_EQ(calendar().dateComponents({C::day, C::hour}, from, earlier),
            (DateComponents{.day = -1, .hour = -12}));
  EXPECT_EQ(calendar().dateComponents({C::day, C::second, C::nanosecond}, Date(0), Date(-0.3)),
            (DateComponents{.day = 0, .second = 0, .nanosecond = -300'000'000}));
}

TEST(CalendarDifference, CountsMonthsAsAddingThemWould) {
  const struct {
    DateComponents from;
    DateComponents to;
    DateComponents expected;
  } cases[] = {
      {civil(2001, 1, 31), civil(2001, 2, 28), {.month = 1, .day = 0}},  // clamped step lands on it
      {civil(2001, 1, 31), civil(2001, 2, 27), {.month = 0, .day = 27}},
      {civil(2001, 1, 15, 12), civil(2001, 2, 15, 6), {.month = 0, .day = 30}},
      {civil(2001, 3, 31), civil(2001, 2, 28), {.month = -1, .day = 0}},
      {civil(2001, 3, 15, 12), civil(2001, 1, 15, 13), {.month = -1, .day = -30}},
      {civil(1999, 11, 20), civil(2001, 2, 10), {.month = 14, .day = 21}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(calendar().dateComponents({C::month, C::day}, *calendar().date(c.from),
                                        *calendar().date(c.to)),
              c.expected)
        << c.from << " -> " << c.to;
  }
}

TEST(CalendarDifference, CountsYearsAcrossLeapDaysAndEras) {
  EXPECT_EQ(calendar().dateComponents({C::year, C::month, C::day}, dateOf(2000, 2, 29),
                                      dateOf(2001, 2, 28)),
            (DateComponents{.year = 1, .month = 0, .day = 0}));
  EXPECT_EQ(calendar().dateComponents({C::year, C::day}, dateOf(2000, 3, 1), dateOf(1900, 3, 2)),
            (DateComponents{.year = -99, .day = -364}));
  EXPECT_EQ(calendar().dateComponents({C::year}, dateOf(-10, 6, 1), dateOf(10, 6, 1)),
            (DateComponents{.year = 20}));
}

TEST(CalendarDifference, DaysAcrossCenturiesMatchStdChrono) {
  const struct {
    int fromYear;
    int toYear;
  } cases[] = {{1900, 2100}, {1600, 2000}, {-400, 2001}, {2001, 1}};
  for (const auto& c : cases) {
    const double expected =
        (chronoSeconds(c.toYear, 1, 1) - chronoSeconds(c.fromYear, 1, 1)) / 86400;
    EXPECT_EQ(
        calendar().dateComponents({C::day}, dateOf(c.fromYear, 1, 1), dateOf(c.toYear, 1, 1)).day,
        static_cast<int64_t>(expected));
  }
  EXPECT_EQ(calendar().dateComponents({C::day}, dateOf(1900, 1, 1), dateOf(2100, 1, 1)).day, 73049);
}

TEST(CalendarDifference, LeavesUnrequestedAndUncountableFieldsAbsent) {
  EXPECT_EQ(calendar().dateComponents({C::hour}, Date(0), Date(7200)), (DateComponents{.hour = 2}));
  EXPECT_EQ(calendar().dateComponents({C::era, C::weekday}, Date(0), Date(1e6)), DateComponents{});
  EXPECT_EQ(calendar().dateComponents({C::day}, Date(0), Date(std::nan(""))), DateComponents{});
  // Too many nanoseconds for 64 bits.
  EXPECT_EQ(calendar().dateComponents({C::nanosecond}, Date(-4e15), Date(4e15)), DateComponents{});
}

}  // namespace
}  // namespace vorlent
