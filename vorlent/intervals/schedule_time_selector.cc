#include "vorlent/intervals/schedule_time_selector.h"

#include <ostream>
#include <utility>

namespace vorlent {

namespace {

std::shared_ptr<ScheduleDefinition> presetSchedule(ScheduleTimeType type) {
  switch (type) {
    case ScheduleTimeType::workdays:
    case ScheduleTimeType::workbreaks:
      return ScheduleDefinition::standard();
    case ScheduleTimeType::days:
    case ScheduleTimeType::nights:
      return ScheduleDefinition::fullWeek();
    case ScheduleTimeType::weekdays:
    case ScheduleTimeType::weekends:
      return ScheduleDefinition::fullDay();
  }
  return ScheduleDefinition::standard();
}

bool presetSelectsTimeouts(ScheduleTimeType type) {
  return type == ScheduleTimeType::workbreaks || type == ScheduleTimeType::nights ||
         type == ScheduleTimeType::weekends;
}

}  // namespace

ScheduleTimeSelector::ScheduleTimeSelector(ScheduleTimeType type)
    : ScheduleTimeSelector(presetSchedule(type), presetSelectsTimeouts(type)) {}

ScheduleTimeSelector ScheduleTimeSelector::timesOf(std::shared_ptr<ScheduleDefinition> schedule) {
  return ScheduleTimeSelector(std::move(schedule), false);
}

ScheduleTimeSelector ScheduleTimeSelector::timeoutsOf(
    std::shared_ptr<ScheduleDefinition> schedule) {
  return ScheduleTimeSelector(std::move(schedule), true);
}

std::ostream& operator<<(std::ostream& out, ScheduleTimeType type) {
  switch (type) {
    case ScheduleTimeType::workdays:
      return out << "workdays";
    case ScheduleTimeType::workbreaks:
      return out << "workbreaks";
    case ScheduleTimeType::days:
      return out << "days";
    case ScheduleTimeType::nights:
      return out << "nights";
    case ScheduleTimeType::weekdays:
      return out << "weekdays";
    case ScheduleTimeType::weekends:
      return out << "weekends";
  }
  return out << "ScheduleTimeType(" << static_cast<int>(type) << ')';
}

}  // namespace vorlent
