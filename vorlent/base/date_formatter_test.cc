#include "vorlent/base/date_formatter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "vorlent/base/calendar.h"

namespace vorlent {
namespace {

using Style = DateFormatterStyle;

Date utc(int64_t year, int64_t month, int64_t day, int64_t hour = 0, int64_t minute = 0) {
  return Calendar::gregorianUTC()
      .date({.year = year, .month = month, .day = day, .hour = hour, .minute = minute})
      .value_or(Date(std::nan("")));
}

DateFormatter withPattern(const std::string& pattern, const char* locale = "en_US") {
  DateFormatter formatter;
  formatter.setLocale(Locale(locale));
  formatter.setDateFormat(pattern);
  return formatter;
}

DateFormatter withStyles(Style date, Style time, const char* locale) {
  DateFormatter formatter;
  formatter.setLocale(Locale(locale));
  formatter.setDateStyle(date);
  formatter.setTimeStyle(time);
  return formatter;
}

TEST(DateFormatter, MadeEmptyFormatsNothingAndParsesNothing) {
  const DateFormatter formatter;
  EXPECT_EQ(formatter.timeZone(), TimeZone::gmt());
  EXPECT_EQ(formatter.string(Date(0)), "");
  EXPECT_EQ(formatter.date("2001-01-01"), std::nullopt);
}

TEST(DateFormatter, FormatsPatternsInTheLocale) {
  const Date date = utc(2001, 1, 1, 14, 5);  // a Monday
  const struct {
    const char* pattern;
    const char* locale;
    const char* expected;
  } cases[] = {
      {"yyyy-MM-dd HH:mm:ss", "en_US", "2001-01-01 14:05:00"},
      {"EEEE d MMMM", "en_US", "Monday 1 January"},
      {"EEEE d MMMM", "de_DE", "Montag 1 Januar"},
      {"EEEEE EEEEEE E", "en_US", "M Mo Mon"},
      {"QQQ yyyy", "en_US", "Q1 2001"},
      {"D DDD", "en_US", "1 001"},
      {"h a", "en_US", "2 PM"},
      {"MMMM", "fr", "janvier"},
      {"MMMM", "de-DE", "Januar"},  // a BCP 47 tag
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withPattern(c.pattern, c.locale).string(date), c.expected)
        << c.pattern << " in " << c.locale;
  }
}

TEST(DateFormatter, FormatsDateAndTimeStylesOfTheLocale) {
  const Date date = utc(2001, 1, 1, 14, 5);
  const struct {
    Style date;
    Style time;
    const char* locale;
    const char* expected;
  } cases[] = {
      {Style::shortStyle, Style::none, "en_US", "1/1/01"},
      {Style::fullStyle, Style::none, "en_US", "Monday, January 1, 2001"},
      {Style::none, Style::shortStyle, "en_US", "2:05\u202fPM"},
      {Style::shortStyle, Style::none, "de_DE", "01.01.01"},
      {Style::mediumStyle, Style::none, "de_DE", "01.01.2001"},
      {Style::fullStyle, Style::none, "de_DE", "Montag, 1. Januar 2001"},
      {Style::mediumStyle, Style::shortStyle, "de_DE", "01.01.2001, 14:05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withStyles(c.date, c.time, c.locale).string(date), c.expected) << c.locale;
  }
}

TEST(DateFormatter, APatternWinsOverStyles) {
  DateFormatter formatter = withStyles(Style::fullStyle, Style::fullStyle, "en_US");
  formatter.setDateFormat("yyyy");
  EXPECT_EQ(formatter.string(Date(0)), "2001");
  formatter.setDateFormat("");
  EXPECT_EQ(formatter.string(Date(0)),
            "Monday, January 1, 2001 at 12:00:00\u202fAM Greenwich Mean Time");
}

TEST(DateFormatter, ShowsTheWallClockOfItsZone) {
  DateFormatter formatter = withPattern("yyyy-MM-dd HH:mm");
  formatter.setTimeZone(TimeZone::fromSecondsFromGMT(19800));
  EXPECT_EQ(formatter.string(Date(0)), "2001-01-01 05:30");
  formatter.setTimeZone(*TimeZone::fromIdentifier("Europe/Berlin"));
  EXPECT_EQ(formatter.string(utc(2021, 1, 15)), "2021-01-15 01:00");
  EXPECT_EQ(formatter.string(utc(2021, 7, 1)), "2021-07-01 02:00");
}

TEST(DateFormatter, RoundsToTheNearestMillisecond) {
  const DateFormatter formatter = withPattern("ss.SSS");
  const struct {
    double seconds;
    const char* expected;
  } cases[] = {
      {0.123, "00.123"},  // not 00.122 when stored slightly below
      {0.1 + 0.2, "00.300"}, {1.0009999, "01.001"},
      {59.9996, "00.000"},  // rounds into the next minute
      {-0.0004, "00.000"},   {-0.0006, "59.999"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatter.string(Date(c.seconds)), c.expected) << c.seconds;
  }
  // The same far from the reference date, where doubles are coarser.
  EXPECT_EQ(formatter.string(Date(utc(1850, 6, 1).timeIntervalSinceReferenceDate + 7.045)),
            "07.045");
}

TEST(DateFormatter, UsesTheProlepticGregorianCalendarBefore1582) {
  const DateFormatter formatter = withPattern("yyyy-MM-dd EEEE G");
  EXPECT_EQ(formatter.string(utc(1582, 10, 10)), "1582-10-10 Sunday AD");
  EXPECT_EQ(formatter.string(utc(1000, 3, 1)), "1000-03-01 Saturday AD");
  EXPECT_EQ(formatter.string(utc(0, 3, 1)), "0001-03-01 Wednesday BC");  // year 0 is 1 BC
}

TEST(DateFormatter, StaysGregorianWhateverCalendarTheLocalePrefers) {
  EXPECT_EQ(withPattern("yyyy", "th_TH@calendar=buddhist").string(Date(0)), "2001");
  EXPECT_EQ(withPattern("yyyy", "ja_JP@calendar=japanese").string(Date(0)), "2001");
}

TEST(DateFormatter, FormatsNothingForDatesItCannotShow) {
  const DateFormatter formatter = withPattern("yyyy");
  EXPECT_EQ(formatter.string(Date(std::nan(""))), "");
  EXPECT_EQ(formatter.string(Date(INFINITY)), "");
  EXPECT_EQ(formatter.string(Date(1e300)), "");
}

TEST(DateFormatter, ParsesWhatItFormats) {
  DateFormatter formatter = withPattern("yyyy-MM-dd HH:mm:ss.SSS");
  for (const Date date :
       {Date(0), Date(-0.25), utc(2000, 2, 29, 23, 59), utc(1900, 3, 1), utc(1066, 10, 14, 9)}) {
    const auto parsed = formatter.date(formatter.string(date));
    ASSERT_TRUE(parsed.has_value()) << formatter.string(date);
    EXPECT_EQ(*parsed, date);
  }
  formatter.setTimeZone(*TimeZone::fromIdentifier("Europe/Berlin"));
  EXPECT_EQ(formatter.date("2001-01-01 01:00:00.000"), Date(0));
}

TEST(DateFormatter, ParsesStylesInTheLocale) {
  EXPECT_EQ(withStyles(Style::mediumStyle, Style::none, "de_DE").date("29.02.2000"),
            utc(2000, 2, 29));
  EXPECT_EQ(withStyles(Style::longStyle, Style::none, "en_US").date("February 29, 2000"),
            utc(2000, 2, 29));
}

TEST(DateFormatter, RejectsTextThatDoesNotParseWhole) {
  const DateFormatter formatter = withPattern("yyyy-MM-dd");
  for (const char* text :
       {"", "2001-01-01 and more", "2001-02-30", "2001-13-01", "2001/01/01", "2001-01"}) {
    EXPECT_EQ(formatter.date(text), std::nullopt) << "'" << text << "'";
  }
}

TEST(DateFormatter, CopiesAreIndependent) {
  DateFormatter original = withPattern("yyyy");
  EXPECT_EQ(original.string(Date(0)), "2001");  // builds the ICU formatter
  DateFormatter copy = original;
  copy.setDateFormat("MM");
  EXPECT_EQ(copy.string(Date(0)), "01");
  EXPECT_EQ(original.string(Date(0)), "2001");
  original = copy;
  EXPECT_EQ(original.string(Date(0)), "01");
  const DateFormatter moved = std::move(copy);
  EXPECT_EQ(moved.string(Date(0)), "01");
  EXPECT_EQ(moved.dateFormat(), "MM");
}

}  // namespace
}  // namespace vorlent
