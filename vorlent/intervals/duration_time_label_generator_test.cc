#include "vorlent/intervals/duration_time_label_generator.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

constexpr double h = secondsPerHour;
const TimeRange kFirstDay({0, 0, 0}, {0, 1, 0});

TEST(DurationTimeLabelGenerator, CountsFromOneOrZero) {
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days).label(kFirstDay), "1");
  EXPECT_EQ(
      DurationTimeLabelGenerator(std::nullopt, TimeUnit::days, nullptr, true).label(kFirstDay),
      "0");
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days, nullptr, false)
                .label(TimeRange({0, 3, 0}, {0, 4, 0})),
            "4");
}

TEST(DurationTimeLabelGenerator, OnlyIntervalsAcrossWhichTheRoundedCountChangesAreLabelled) {
  const DurationTimeLabelGenerator generator(std::nullopt, TimeUnit::days);
  for (int hour = 0; hour < 24; ++hour) {
    const TimeRange interval({0, 0, hour * h}, {0, 0, (hour + 1) * h});
    // Only the hour ending at noon rounds its finish up to the next day.
    const std::optional<std::string> expected =
        hour == 11 ? std::optional<std::string>("1") : std::nullopt;
    EXPECT_EQ(generator.label(interval), expected) << "hour " << hour;
  }
}

TEST(DurationTimeLabelGenerator, NegativeCountsAreShownOnlyWhenAskedAndNeverShifted) {
  const TimeRange dayBefore({-1, 6, 0}, {0, 0, 0});
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days).label(dayBefore),
            std::nullopt);
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days, nullptr, false, false)
                .label(dayBefore),
            std::nullopt);
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days, nullptr, false, true)
                .label(dayBefore),
            "-1");
  EXPECT_EQ(DurationTimeLabelGenerator(std::nullopt, TimeUnit::days, nullptr, true, true)
                .label(dayBefore),
            "-1");
}

TEST(DurationTimeLabelGenerator, DefaultsCountSecondsFromTheReference) {
  const DurationTimeLabelGenerator generator;
  EXPECT_EQ(generator.label(TimeRange({0, 0, 59}, {0, 0, 60})), "60");
  // A reference of its own, in hours.
  const DurationTimeLabelGenerator fromNoon(Time(0, 0, 12 * h), TimeUnit::hours, nullptr, true);
  EXPECT_EQ(fromNoon.label(TimeRange({0, 1, 0}, {0, 1, 1 * h})), "12");
}

TEST(DurationTimeLabelGenerator, CountsWorkingTimeOfItsSchedule) {
  // Working days counted from Monday 8:00 on the standard schedule.
  const DurationTimeLabelGenerator generator(Time(0, 1, 8 * h), TimeUnit::days,
                                             ScheduleDefinition::standard());
  EXPECT_EQ(generator.label(TimeRange({0, 2, 8 * h}, {0, 3, 8 * h})), "2");
  // Over the weekend no working time passes, so Saturday gets no label.
  EXPECT_EQ(generator.label(TimeRange({0, 6, 0}, {1, 0, 0})), std::nullopt);
  EXPECT_EQ(generator.label(TimeRange({1, 1, 8 * h}, {1, 2, 8 * h})), "6");
}

TEST(DurationTimeIntervalLabelGenerator, JoinsStartAndFinishCountsWithTheFinishZeroBased) {
  EXPECT_EQ(DurationTimeIntervalLabelGenerator(std::nullopt, TimeUnit::days).label(kFirstDay),
            "1-1");
  EXPECT_EQ(DurationTimeIntervalLabelGenerator(std::nullopt, TimeUnit::days, nullptr, true)
                .label(kFirstDay),
            "0-1");
  const TimeRange firstWeek({0, 0, 0}, {1, 0, 0});
  EXPECT_EQ(DurationTimeIntervalLabelGenerator(std::nullopt, TimeUnit::days).label(firstWeek),
            "1-7");
  EXPECT_EQ(DurationTimeIntervalLabelGenerator(std::nullopt, TimeUnit::days, nullptr, true)
                .label(firstWeek),
            "0-7");
}

TEST(DurationTimeIntervalLabelGenerator, SeparatorDefaultsToADashAndMayBeEmpty) {
  const auto withSeparator = [](std::optional<std::string> separator) {
    return DurationTimeIntervalLabelGenerator(std::nullopt, TimeUnit::days, nullptr, std::nullopt,
                                              std::nullopt, std::move(separator))
        .label(TimeRange({0, 0, 0}, {0, 3, 0}));
  };
  EXPECT_EQ(withSeparator(std::nullopt), "1-3");
  EXPECT_EQ(withSeparator(""), "13");
  EXPECT_EQ(withSeparator(" to "), "1 to 3");
}

TEST(DurationTimeIntervalLabelGenerator, UnlabelledWhenEitherSideIs) {
  const DurationTimeIntervalLabelGenerator generator(std::nullopt, TimeUnit::days);
  EXPECT_EQ(generator.label(TimeRange({0, 0, 1 * h}, {0, 0, 2 * h})), std::nullopt);
  EXPECT_EQ(generator.label(TimeRange({-1, 6, 0}, {0, 0, 0})), std::nullopt);
  const DurationTimeIntervalLabelGenerator negatives(std::nullopt, TimeUnit::days, nullptr,
                                                     std::nullopt, true);
  // The finish, 1 ms before the reference, rounds to 0.
  EXPECT_EQ(negatives.label(TimeRange({-1, 5, 0}, {0, 0, 0})), "-2-0");
}

}  // namespace
}  // namespace vorlent
