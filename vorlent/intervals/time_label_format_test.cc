#include "vorlent/intervals/time_label_format.h"

#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <unicode/datefmt.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <limits>

#include "vorlent/intervals/duration_time_label_generator.h"
#include "vorlent/intervals/formatted_time_label_generator.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent {
namespace {

using Kind = TimeLabelFormat::Kind;

// Tuesday 5 March 2024, 14:07:09.123 (the fraction is not exact in binary).
const Time kInstant = Time::fromYearMonthDay(2024, 3, 5, 14, 7, 9).addingDuration(0.123);

std::string labelOf(const TimeLabelFormat& format, const char* locale, const Time& time) {
  const auto generator = TimeSelector::labelGeneratorFor(format, Locale(locale));
  return generator->label(TimeRange(time, time.addingDays(1))).value_or("<none>");
}

// A case of a named format carries the format's name, for the test's name.
struct PatternCase {
  const char* name;
  Kind kind;
  const char* expected;
};
#define VORLENT_PATTERN_CASE(kind, expected) \
  PatternCase { #kind, Kind::kind, expected }

void PrintTo(const PatternCase& c, std::ostream* out) {
  *out << c.name << " gives \"" << c.expected << "\"";
}

class NamedFormatInEnglish : public testing::TestWithParam<PatternCase> {};

TEST_P(NamedFormatInEnglish, FormatsTheFixedInstant) {
  EXPECT_EQ(labelOf(TimeLabelFormat(GetParam().kind), "en_US", kInstant), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NamedFormatInEnglish,
    testing::Values(
        VORLENT_PATTERN_CASE(day, "5"), VORLENT_PATTERN_CASE(dayWithLeadingZero, "05"),
        VORLENT_PATTERN_CASE(dayMonth, "5 March"),
        VORLENT_PATTERN_CASE(dayMonthYear, "5 March 2024"), VORLENT_PATTERN_CASE(dayOfYear, "65"),
        VORLENT_PATTERN_CASE(dayOfYearWithLeadingZeroes, "065"),
        VORLENT_PATTERN_CASE(dayOfWeek, "Tuesday"),
        VORLENT_PATTERN_CASE(dayOfWeekShortAbbreviation, "T"),
        VORLENT_PATTERN_CASE(dayOfWeekAbbreviation, "Tu"),
        VORLENT_PATTERN_CASE(dayOfWeekLongAbbreviation, "Tue"),
        VORLENT_PATTERN_CASE(weekOfMonth, "2"), VORLENT_PATTERN_CASE(weekOfYear, "10"),
        VORLENT_PATTERN_CASE(weekOfYearWithLeadingZero, "10"), VORLENT_PATTERN_CASE(month, "March"),
        VORLENT_PATTERN_CASE(monthShortAbbreviation, "M"),
        VORLENT_PATTERN_CASE(monthAbbreviation, "Mar"), VORLENT_PATTERN_CASE(monthNumber, "3"),
        VORLENT_PATTERN_CASE(monthNumberWithLeadingZero, "03"),
        VORLENT_PATTERN_CASE(monthYear, "March 2024"), VORLENT_PATTERN_CASE(quarter, "Q1"),
        VORLENT_PATTERN_CASE(quarterNumber, "1"), VORLENT_PATTERN_CASE(quarterYear, "Q1 2024"),
        VORLENT_PATTERN_CASE(year, "2024"), VORLENT_PATTERN_CASE(yearOfCentury, "24"),
        VORLENT_PATTERN_CASE(periodOfDay, "PM"), VORLENT_PATTERN_CASE(hour, "14"),
        VORLENT_PATTERN_CASE(hourWithLeadingZero, "14"), VORLENT_PATTERN_CASE(hourOfPeriod, "2"),
        VORLENT_PATTERN_CASE(hourOfPeriodWithLeadingZero, "02"), VORLENT_PATTERN_CASE(minute, "7"),
        VORLENT_PATTERN_CASE(minuteWithLeadingZero, "07"), VORLENT_PATTERN_CASE(second, "9"),
        VORLENT_PATTERN_CASE(secondWithLeadingZero, "09"), VORLENT_PATTERN_CASE(decisecond, "1"),
        VORLENT_PATTERN_CASE(centisecond, "12"), VORLENT_PATTERN_CASE(millisecond, "123"),
        VORLENT_PATTERN_CASE(secondWithDecisecond, "09.1"),
        VORLENT_PATTERN_CASE(secondWithCentisecond, "09.12"),
        VORLENT_PATTERN_CASE(secondWithMillisecond, "09.123"), VORLENT_PATTERN_CASE(none, "")),
    [](const auto& c) { return c.param.name; });
#undef VORLENT_PATTERN_CASE

// ICU's own text for a date and a time style in the locale, in GMT and the
// proleptic Gregorian calendar.
std::string icuStyled(icu::DateFormat::EStyle dateStyle, icu::DateFormat::EStyle timeStyle,
                      const char* locale, const Time& time) {
  const icu::Locale icuLocale(locale);
  std::unique_ptr<icu::DateFormat> format(
      icu::DateFormat::createDateTimeInstance(dateStyle, timeStyle, icuLocale));
  UErrorCode status = U_ZERO_ERROR;
  auto calendar = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::createTimeZone("GMT"),
                                                           icuLocale, status);
  calendar->setGregorianChange(std::numeric_limits<double>::lowest(), status);
  format->adoptCalendar(calendar.release());
  icu::UnicodeString text;
  format->format(makeDate(time).timeIntervalSince1970() * 1000.0, text);
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

struct StyleCase {
  const char* name;
  Kind kind;
  icu::DateFormat::EStyle dateStyle;
  icu::DateFormat::EStyle timeStyle;
};

void PrintTo(const StyleCase& c, std::ostream* out) {
  *out << c.name << " (ICU date style " << c.dateStyle << ", time style " << c.timeStyle << ")";
}

class StyledFormat : public testing::TestWithParam<StyleCase> {};

TEST_P(StyledFormat, FormatsAsIcuStylesForTheLocale) {
  for (const char* locale : {"en_US", "de_DE"}) {
    const Time onTheSecond = Time::fromYearMonthDay(2024, 3, 5, 14, 7, 9);
    const std::string expected =
        icuStyled(GetParam().dateStyle, GetParam().timeStyle, locale, onTheSecond);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(labelOf(TimeLabelFormat(GetParam().kind), locale, onTheSecond), expected) << locale;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, StyledFormat,
    testing::Values(
        StyleCase{"dateTime", Kind::dateTime, icu::DateFormat::kShort, icu::DateFormat::kShort},
        StyleCase{"longDate", Kind::longDate, icu::DateFormat::kFull, icu::DateFormat::kNone},
        StyleCase{"date", Kind::date, icu::DateFormat::kMedium, icu::DateFormat::kNone},
        StyleCase{"shortDate", Kind::shortDate, icu::DateFormat::kShort, icu::DateFormat::kNone},
        StyleCase{"time", Kind::time, icu::DateFormat::kNone, icu::DateFormat::kMedium},
        StyleCase{"shortTime", Kind::shortTime, icu::DateFormat::kNone, icu::DateFormat::kShort}),
    [](const auto& c) { return c.param.name; });

TEST(TimeLabelFormat, ThereAreFortyFiveDateFormatsBesidesNumericallyAndNone) {
  const int named = static_cast<int>(Kind::none) - static_cast<int>(Kind::numerically) - 1;
  EXPECT_EQ(named, 45);
}

TEST(TimeLabelFormat, StylesFollowTheLocale) {
  const Time t = Time::fromYearMonthDay(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(labelOf(TimeLabelFormat::shortDate(), "en_US", t), "3/5/24");
  EXPECT_EQ(labelOf(TimeLabelFormat::shortDate(), "de_DE", t), "05.03.24");
  EXPECT_EQ(labelOf(TimeLabelFormat::longDate(), "en_US", t), "Tuesday, March 5, 2024");
}

TEST(TimeLabelFormat, WeekNumbersAndNamesFollowTheLocale) {
  // Saturday 2 January 2021 lies in the first week of 2021 counted from
  // Sunday, but in ISO week 53 of 2020 as German counts.
  const Time t = Time::fromYearMonthDay(2021, 1, 2, 0, 0, 0);
  EXPECT_EQ(labelOf(TimeLabelFormat::weekOfYear(), "en_US", t), "1");
  EXPECT_EQ(labelOf(TimeLabelFormat::weekOfYearWithLeadingZero(), "en_US", t), "01");
  EXPECT_EQ(labelOf(TimeLabelFormat::weekOfYear(), "de_DE", t), "53");
  EXPECT_EQ(labelOf(TimeLabelFormat::dayOfWeek(), "de_DE", t), "Samstag");
  EXPECT_EQ(labelOf(TimeLabelFormat::month(), "de_DE", t), "Januar");
  EXPECT_EQ(labelOf(TimeLabelFormat::dayMonthYear(), "de_DE", t), "2 Januar 2021");
  EXPECT_EQ(labelOf(TimeLabelFormat::weekOfYearWithLeadingZero(), "de_DE",
                    Time::fromYearMonthDay(2021, 1, 5, 0, 0, 0)),
            "01");
}

TEST(TimeLabelFormat, SubSecondLabelsDoNotShowBinaryNoiseAsAMillisecondLow) {
  for (int ms : {1, 7, 123, 999}) {
    const Time t = Time::fromYearMonthDay(2024, 3, 5, 23, 59, 59).addingDuration(ms / 1000.0);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%03d", ms);
    EXPECT_EQ(labelOf(TimeLabelFormat::millisecond(), "en_US", t), expected) << ms;
  }
}

TEST(TimeLabelFormat, NumericallyCountsAndIgnoresTheLocale) {
  const auto format = TimeLabelFormat::numeric(Time::reference(), TimeUnit::days);
  ASSERT_NE(format.asNumerically(), nullptr);
  EXPECT_EQ(format.asNumerically()->unit, TimeUnit::days);
  EXPECT_EQ(labelOf(format, "de_DE", Time(0, 2, 0)), "3");
  EXPECT_EQ(TimeLabelFormat::dayMonth().asNumerically(), nullptr);
}

TEST(TimeLabelFormat, FactoriesChooseTheGeneratorByTheIntervalsFlag) {
  const auto counter = TimeSelector::labelGeneratorFor(
      TimeLabelFormat::numeric(Time::reference(), TimeUnit::days), std::nullopt, true);
  ASSERT_NE(dynamic_cast<const DurationTimeIntervalLabelGenerator*>(counter.get()), nullptr);
  EXPECT_EQ(counter->label(TimeRange({0, 0, 0}, {0, 3, 0})), "1-3");

  const auto day =
      TimeSelector::labelGeneratorFor(TimeLabelFormat::day(), Locale("en_US"), std::nullopt, "/");
  ASSERT_NE(dynamic_cast<const FormattedTimeLabelGenerator*>(day.get()), nullptr);
  EXPECT_EQ(day->label(TimeRange({0, 1, 0}, {0, 3, 0})), "1");

  const auto days =
      TimeSelector::labelGeneratorFor(TimeLabelFormat::day(), Locale("en_US"), true, "/");
  ASSERT_NE(dynamic_cast<const FormattedTimeIntervalLabelGenerator*>(days.get()), nullptr);
  EXPECT_EQ(days->label(TimeRange({0, 1, 0}, {0, 3, 0})), "1/2");
}

}  // namespace
}  // namespace vorlent
