#include <memory>

#include "vorlent/time/schedule.h"

namespace vorlent {

// Each preset is made once and never released: it is immutable, and every
// caller shares the one instance.

std::shared_ptr<Schedule> ScheduleDefinition::continuous() {
  static const auto* const preset = new std::shared_ptr<Schedule>(
      std::make_shared<Schedule>(WeekRange::continuous(), DayRange::continuous()));
  return *preset;
}

std::shared_ptr<Schedule> ScheduleDefinition::standard() {
  static const auto* const preset = new std::shared_ptr<Schedule>(
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard()));
  return *preset;
}

std::shared_ptr<Schedule> ScheduleDefinition::fullWeek() {
  static const auto* const preset = new std::shared_ptr<Schedule>(
      std::make_shared<Schedule>(WeekRange::continuous(), DayRange::standard()));
  return *preset;
}

std::shared_ptr<Schedule> ScheduleDefinition::fullDay() {
  static const auto* const preset = new std::shared_ptr<Schedule>(
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::continuous()));
  return *preset;
}

}  // namespace vorlent
