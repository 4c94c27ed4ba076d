#include "vorlent/intervals/formatted_time_label_generator.h"

#include <memory>

#include <gtest/gtest.h>

#include "vorlent/intervals/time_selector.h"

namespace vorlent {
namespace {

Time date(int64_t year, int64_t month, int64_t day, int64_t hour = 0) {
  return Time::fromYearMonthDay(year, month, day, hour, 0, 0);
}

std::shared_ptr<DateFormatter> formatter(const std::string& pattern) {
  return std::make_shared<DateFormatter>(TimeSelector::formatter(pattern, Locale("en_US")));
}

TEST(FormattedTimeLabelGenerator, LabelsTheStart) {
  const FormattedTimeLabelGenerator generator(formatter("d MMMM yyyy HH:mm"));
  EXPECT_EQ(generator.label(TimeRange(date(2024, 3, 1, 6), date(2024, 3, 2))),
            "1 March 2024 06:00");
}

TEST(FormattedTimeLabelGenerator, WithoutAFormatterEveryLabelIsEmptyNotMissing) {
  EXPECT_EQ(FormattedTimeLabelGenerator().label(TimeRange(date(2024, 3, 1), date(2024, 3, 2))), "");
  EXPECT_EQ(
      FormattedTimeIntervalLabelGenerator().label(TimeRange(date(2024, 3, 1), date(2024, 3, 2))),
      "-");
}

TEST(FormattedTimeLabelGenerator, SharesItsFormatter) {
  const auto shared = formatter("d");
  const FormattedTimeLabelGenerator generator(shared);
  const TimeRange interval(date(2024, 3, 7), date(2024, 3, 8));
  EXPECT_EQ(generator.label(interval), "7");
  shared->setDateFormat("MMM");
  EXPECT_EQ(generator.label(interval), "Mar");
}

TEST(FormattedTimeIntervalLabelGenerator, ShowsTheFinishOneMillisecondEarly) {
  const FormattedTimeIntervalLabelGenerator days(formatter("d MMMM"));
  EXPECT_EQ(days.label(TimeRange(date(2024, 3, 1), date(2024, 3, 2))), "1 March-1 March");
  // A finish held as 24:00 reads the same.
  const Time endOfFirst(date(2024, 3, 1).week, date(2024, 3, 1).dayOfWeek, secondsPerDay);
  EXPECT_EQ(days.label(TimeRange(date(2024, 3, 1), endOfFirst)), "1 March-1 March");
  const FormattedTimeIntervalLabelGenerator milliseconds(formatter("HH:mm:ss.SSS"));
  EXPECT_EQ(milliseconds.label(TimeRange(date(2024, 3, 1, 10), date(2024, 3, 1, 11))),
            "10:00:00.000-10:59:59.999");
}

TEST(FormattedTimeIntervalLabelGenerator, SeparatorDefaultsToADashAndMayBeEmpty) {
  const TimeRange interval(date(2024, 3, 1), date(2024, 3, 4));
  EXPECT_EQ(FormattedTimeIntervalLabelGenerator(formatter("d")).label(interval), "1-3");
  EXPECT_EQ(FormattedTimeIntervalLabelGenerator(formatter("d"), "").label(interval), "13");
  EXPECT_EQ(FormattedTimeIntervalLabelGenerator(formatter("d"), " – ").label(interval), "1 – 3");
}

TEST(FormattedTimeLabelGenerator, LabelsShowTheGridTimeInProlepticGregorianBeforeFifteenEightyTwo) {
  const FormattedTimeLabelGenerator generator(formatter("d MMMM yyyy"));
  EXPECT_EQ(generator.label(TimeRange(date(1500, 3, 1), date(1500, 3, 2))), "1 March 1500");
}

}  // namespace
}  // namespace vorlent
