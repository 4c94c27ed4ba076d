#include "vorlent/time/schedule_intersection.h"

#include <utility>

namespace vorlent {

std::shared_ptr<ScheduleIntersection> ScheduleIntersection::create(
    std::vector<std::shared_ptr<ScheduleDefinition>> definitions) {
  if (definitions.empty()) return nullptr;
  for (const auto& definition : definitions) {
    if (!definition) return nullptr;
  }
  WeekRange days = definitions.front()->weekInterval();
  DayRange hours = definitions.front()->dayInterval();
  for (size_t i = 1; i < definitions.size(); ++i) {
    const WeekRange memberDays = definitions[i]->weekInterval();
    const DayRange memberHours = definitions[i]->dayInterval();
    if (memberDays.start > days.start) days.start = memberDays.start;
    if (memberDays.finish < days.finish) days.finish = memberDays.finish;
    if (memberHours.start > hours.start) hours.start = memberHours.start;
    if (memberHours.finish < hours.finish) hours.finish = memberHours.finish;
  }
  // Coinciding ends are accepted: meeting ranges leave an intersection with
  // no working time rather than none at all.
  if (days.start > days.finish || hours.start > hours.finish) return nullptr;
  return std::shared_ptr<ScheduleIntersection>(
      new ScheduleIntersection(std::move(definitions), days, hours));
}

ScheduleIntersection::ScheduleIntersection(
    std::vector<std::shared_ptr<ScheduleDefinition>> definitions, WeekRange weekInterval,
    DayRange dayInterval)
    : ScheduleDefinition(nullptr),
      definitions_(std::move(definitions)),
      weekIntervalValue_(weekInterval),
      dayIntervalValue_(dayInterval) {}

std::vector<TimeRange> ScheduleIntersection::excludedIntervalsFor(const Time& time,
                                                                  const Time& limit) const {
  std::vector<TimeRange> result;
  for (const auto& definition : definitions_) {
    std::vector<TimeRange> member = definition->excludedIntervalsFor(time, limit);
    result.insert(result.end(), member.begin(), member.end());
  }
  return result;
}

bool ScheduleIntersection::hasExcludedIntervals() const {
  for (const auto& definition : definitions_) {
    if (definition->hasExcludedIntervals()) return true;
  }
  return false;
}

}  // namespace vorlent
