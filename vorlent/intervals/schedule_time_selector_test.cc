#include "vorlent/intervals/schedule_time_selector.h"

#include <memory>

#include <gtest/gtest.h>

namespace vorlent {
namespace {

TEST(ScheduleTimeSelector, PresetsHoldThePresetSchedulesThemselves) {
  const struct {
    ScheduleTimeType type;
    std::shared_ptr<ScheduleDefinition> schedule;
    bool forTimeouts;
  } cases[] = {
      {ScheduleTimeType::workdays, ScheduleDefinition::standard(), false},
      {ScheduleTimeType::workbreaks, ScheduleDefinition::standard(), true},
      {ScheduleTimeType::days, ScheduleDefinition::fullWeek(), false},
      {ScheduleTimeType::nights, ScheduleDefinition::fullWeek(), true},
      {ScheduleTimeType::weekdays, ScheduleDefinition::fullDay(), false},
      {ScheduleTimeType::weekends, ScheduleDefinition::fullDay(), true},
  };
  for (const auto& c : cases) {
    const ScheduleTimeSelector selector(c.type);
    EXPECT_EQ(selector.schedule, c.schedule) << c.type;
    EXPECT_EQ(selector.forTimeouts, c.forTimeouts) << c.type;
    EXPECT_FALSE(selector.color.has_value());
    EXPECT_FALSE(selector.context.has_value());
  }
}

TEST(ScheduleTimeSelector, TimesAndTimeoutsOfAScheduleShareIt) {
  const std::shared_ptr<ScheduleDefinition> schedule = std::make_shared<Schedule>(WeekRange(1, 3));
  const auto times = ScheduleTimeSelector::timesOf(schedule);
  const auto timeouts = ScheduleTimeSelector::timeoutsOf(schedule);
  EXPECT_EQ(times.schedule, schedule);
  EXPECT_FALSE(times.forTimeouts);
  EXPECT_EQ(timeouts.schedule, schedule);
  EXPECT_TRUE(timeouts.forTimeouts);
  EXPECT_FALSE(times.color.has_value());
}

TEST(ScheduleTimeArea, KeepsItsSelectorAndBounds) {
  ScheduleTimeSelector selector(ScheduleTimeType::weekends);
  selector.color = Color::gray();
  const ScheduleTimeArea area(selector, Rectangle(1, 2, 3, 4));
  EXPECT_EQ(area.selector().color, Color::gray());
  EXPECT_EQ(area.bounds().height(), 4);
}

}  // namespace
}  // namespace vorlent
