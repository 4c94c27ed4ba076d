#include "vorlent/time/schedule_definition.h"

#include <optional>
#include <string>
#include <string_view>

#include "vorlent/base/fatal.h"
#include "vorlent/time/schedule_intersection.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/working_time_index.h"
#include "vorlent/time/working_week.h"

namespace vorlent {

using detail::WorkingWeek;

ScheduleDefinition::ScheduleDefinition(const std::shared_ptr<ScheduleDefinitionProvider>& provider)
    : provider_(provider) {}

WeekRange ScheduleDefinition::weekInterval() const {
  if (const auto provider = provider_.lock()) return provider->weekInterval();
  return WeekRange::continuous();
}

DayRange ScheduleDefinition::dayInterval() const {
  if (const auto provider = provider_.lock()) return provider->dayInterval();
  return DayRange::continuous();
}

std::vector<TimeRange> ScheduleDefinition::excludedIntervalsFor(const Time& time,
                                                                const Time& limit) const {
  if (const auto provider = provider_.lock()) return provider->excludedIntervalsFor(time, limit);
  return {};
}

bool ScheduleDefinition::hasExcludedIntervals() const { return !provider_.expired(); }

Time ScheduleDefinition::nextTime(const Time& time) const {
  if (const WorkingTimeIndex* table = detail::workingTimeTableOf(*this, time)) {
    if (const std::optional<Time> next = table->exactNextTime(time)) return *next;
  }
  return detail::nextTime(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::previousTime(const Time& time) const {
  if (const WorkingTimeIndex* table = detail::workingTimeTableOf(*this, time)) {
    if (const std::optional<Time> previous = table->exactPreviousTime(time)) return *previous;
  }
  return detail::previousTime(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::nextTimeout(const Time& time) const {
  return detail::nextTimeout(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::previousTimeout(const Time& time) const {
  return detail::previousTimeout(*this, WorkingWeek::of(*this), time);
}

double ScheduleDefinition::hoursPerDay() const { return dayDuration() / secondsPerHour; }

int64_t ScheduleDefinition::daysPerWeek() const { return WorkingWeek::of(*this).workingDays(); }

double ScheduleDefinition::hoursPerWeek() const {
  return hoursPerDay() * static_cast<double>(daysPerWeek());
}

double ScheduleDefinition::dayDuration() const { return WorkingWeek::of(*this).daySeconds(); }

double ScheduleDefinition::weekDuration() const { return WorkingWeek::of(*this).weekSeconds(); }

bool ScheduleDefinition::isFullDay() const { return WorkingWeek::of(*this).fullDay; }

bool ScheduleDefinition::isFullWeek() const { return WorkingWeek::of(*this).fullWeek; }

bool ScheduleDefinition::isContinuous() const { return WorkingWeek::of(*this).isContinuous(); }

bool ScheduleDefinition::isContinuous(const TimeRange& during) const {
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.isContinuous()) return false;
  // Asked of the intervals themselves, not of `hasExcludedIntervals`: a
  // subclass may answer intervals while reporting it has none.
  return !detail::hasExclusionBetween(*this, during.start, during.finish);
}

namespace {

// The calendar's own owner, handed out non-const: the calendars that hold it
// (an intersection) never modify it. A calendar that no std::shared_ptr owns
// is a fatal stop naming `caller`.
std::shared_ptr<ScheduleDefinition> sharedSelf(const ScheduleDefinition& schedule,
                                               std::string_view caller) {
  const std::shared_ptr<const ScheduleDefinition> self = schedule.weak_from_this().lock();
  if (!self) {
    fatalStop(std::string(caller) + ": the schedule is not owned by a std::shared_ptr");
  }
  return std::const_pointer_cast<ScheduleDefinition>(self);
}

}  // namespace

std::shared_ptr<ScheduleIntersection> ScheduleDefinition::intersecting(
    const std::shared_ptr<ScheduleDefinition>& other) const {
  // The intersection keeps its members alive.
  return ScheduleIntersection::create(
      {sharedSelf(*this, "ScheduleDefinition::intersecting"), other});
}

std::shared_ptr<ScheduleDefinition> ScheduleDefinition::optionallyIntersecting(
    const std::shared_ptr<ScheduleDefinition>& other) const {
  if (other) {
    if (std::shared_ptr<ScheduleDefinition> intersection = intersecting(other)) return intersection;
  }
  return sharedSelf(*this, "ScheduleDefinition::optionallyIntersecting");
}

}  // namespace vorlent
