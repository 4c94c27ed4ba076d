#include "vorlent/time/time_formatting.h"

#include <gtest/gtest.h>

namespace vorlent {
namespace {

DateFormatter isoFormatter() {
  DateFormatter formatter;
  formatter.setLocale(Locale("en_US_POSIX"));
  formatter.setDateFormat("yyyy-MM-dd HH:mm:ss");
  return formatter;
}

TEST(TimeFormatting, FormatsTheGridFieldsInTheGmtZone) {
  const DateFormatter formatter = isoFormatter();
  EXPECT_EQ(string(formatter, Time(0, 0, 0)), "2000-12-31 00:00:00");
  EXPECT_EQ(string(formatter, Time(0, 1, 8 * secondsPerHour + 30 * 60)), "2001-01-01 08:30:00");
  // 24:00 shows as the next day's 0:00.
  EXPECT_EQ(string(formatter, Time(0, 0, secondsPerDay)), "2001-01-01 00:00:00");
  EXPECT_EQ(string(formatter, Time::fromYearMonthDay(1999, 7, 15, 12, 0, 5)),
            "1999-07-15 12:00:05");
}

TEST(TimeFormatting, ParsesTextBackToTimes) {
  const DateFormatter formatter = isoFormatter();
  const auto parsed = dateTime(formatter, "2024-02-29 23:59:58");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, Time::fromYearMonthDay(2024, 2, 29, 23, 59, 58));
  EXPECT_EQ(dateTime(formatter, "2000-12-30 12:00:00"), Time(-1, 6, 12 * secondsPerHour));
  EXPECT_EQ(dateTime(formatter, "not a date"), std::nullopt);
}

}  // namespace
}  // namespace vorlent
