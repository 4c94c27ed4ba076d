#include "vorlent/intervals/time_label_format.h"

#include <memory>
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

struct PatternCase {
  Kind kind;
  const char* expected;
};

class NamedFormatInEnglish : public testing::TestWithParam<PatternCase> {};

TEST_P(NamedFormatInEnglish, FormatsTheFixedInstant) {
  EXPECT_EQ(labelOf(TimeLabelFormat(GetParam().kind), "en_US", kInstant), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NamedFormatInEnglish,
    testing::Values(
        PatternCase{Kind::day, "5"}, PatternCase{Kind::dayWithLeadingZero, "05"},
        PatternCase{Kind::dayMonth, "5 March"}, PatternCase{Kind::dayMonthYear, "5 March 2024"},
        PatternCase{Kind::dayOfYear, "65"}, PatternCase{Kind::dayOfYearWithLeadingZeroes, "065"},
        PatternCase{Kind::dayOfWeek, "Tuesday"}, PatternCase{Kind::dayOfWeekShortAbbreviation, "T"},
        PatternCase{Kind::dayOfWeekAbbreviation, "Tu"},
        PatternCase{Kind::dayOfWeekLongAbbreviation, "Tue"}, PatternCase{Kind::weekOfMonth, "2"},
        PatternCase{Kind::weekOfYear, "10"}, PatternCase{Kind::weekOfYearWithLeadingZero, "10"},
        PatternCase{Kind::month, "March"}, PatternCase{Kind::monthShortAbbreviation, "M"},
        PatternCase{Kind::monthAbbreviation, "Mar"}, PatternCase{Kind::monthNumber, "3"},
        PatternCase{Kind::monthNumberWithLeadingZero, "03"},
        PatternCase{Kind::monthYear, "March 2024"}, PatternCase{Kind::quarter, "Q1"},
        PatternCase{Kind::quarterNumber, "1"}, PatternCase{Kind::quarterYear, "Q1 2024"},
        PatternCase{Kind::year, "2024"}, PatternCase{Kind::yearOfCentury, "24"},
        PatternCase{Kind::periodOfDay, "PM"}, PatternCase{Kind::hour, "14"},
        PatternCase{Kind::hourWithLeadingZero, "14"}, PatternCase{Kind::hourOfPeriod, "2"},
        PatternCase{Kind::hourOfPeriodWithLeadingZero, "02"}, PatternCase{Kind::minute, "7"},
        PatternCase{Kind::minuteWithLeadingZero, "07"}, PatternCase{Kind::second, "9"},
        PatternCase{Kind::secondWithLeadingZero, "09"}, PatternCase{Kind::decisecond, "1"},
        PatternCase{Kind::centisecond, "12"}, PatternCase{Kind::millisecond, "123"},
        PatternCase{Kind::secondWithDecisecond, "09.1"},
        PatternCase{Kind::secondWithCentisecond, "09.12"},
        PatternCase{Kind::secondWithMillisecond, "09.123"}, PatternCase{Kind::none, ""}));

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
  Kind kind;
  icu::DateFormat::EStyle dateStyle;
  icu::DateFormat::EStyle timeStyle;
};

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
    testing::Values(StyleCase{Kind::dateTime, icu::DateFormat::kShort, icu::DateFormat::kShort},
                    StyleCase{Kind::longDate, icu::DateFormat::kFull, icu::DateFormat::kNone},
                    StyleCase{Kind::date, icu::DateFormat::kMedium, icu::DateFormat::kNone},
                    StyleCase{Kind::shortDate, icu::DateFormat::kShort, icu::DateFormat::kNone},
                    StyleCase{Kind::time, icu::DateFormat::kNone, icu::DateFormat::kMedium},
                    StyleCase{Kind::shortTime, icu::DateFormat::kNone, icu::DateFormat::kShort}));

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
