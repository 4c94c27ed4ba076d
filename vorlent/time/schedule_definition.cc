#include "vorlent/time/schedule_definition.h"

#include "vorlent/base/fatal.h"
#include "vorlent/time/schedule_intersection.h"
#include "vorlent/time/time_constants.h"
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
  return detail::nextTime(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::previousTime(const Time& time) const {
  return detail::previousTime(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::nextTimeout(const Time& time) const {
  return detail::nextTimeout(*this, WorkingWeek::of(*this), time);
}

Time ScheduleDefinition::previousTimeout(const Time& time) const {
  return detail::previousTimeout(*this, WorkingWeek::of(*this), time);
}

double ScheduleDefinition::hoursPerDay() const { return dayDuration() / secondsPerHour; }

int64_t ScheduleDefinition::daysPerWeek() const {
  const WorkingWeek week = WorkingWeek::of(*this);
  if (week.firstDay > week.lastDay) return 0;
  return week.lastDay + 1 - week.firstDay;  // [1, 7]
}

double ScheduleDefinition::hoursPerWeek() const {
  return hoursPerDay() * static_cast<double>(daysPerWeek());
}

double ScheduleDefinition::dayDuration() const { return WorkingWeek::of(*this).daySeconds(); }

double ScheduleDefinition::weekDuration() const {
  return dayDuration() * static_cast<double>(daysPerWeek());
}

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

std::shared_ptr<ScheduleIntersection> ScheduleDefinition::intersecting(
    const std::shared_ptr<ScheduleDefinition>& other) const {
  const std::shared_ptr<const ScheduleDefinition> self = weak_from_this().lock();
  if (!self) {
    fatalStop("ScheduleDefinition::intersecting: the schedule is not owned by a std::shared_ptr");
  }
  // The intersection keeps its members alive; members are never modified
  // through it.
  return ScheduleIntersection::create({std::const_pointer_cast<ScheduleDefinition>(self), other});
}

std::shared_ptr<ScheduleDefinition> ScheduleDefinition::optionallyIntersecting(
    const std::shared_ptr<ScheduleDefinition>& other) const {
  std::shared_ptr<ScheduleDefinition> result;
  if (other) result = intersecting(other);
  if (!result) {
    const std::shared_ptr<const ScheduleDefinition> self = weak_from_this().lock();
    if (!self) {
      fatalStop(
          "ScheduleDefinition::optionallyIntersecting: the schedule is not owned by a "
          "std::shared_ptr");
    }
    result = std::const_pointer_cast<ScheduleDefinition>(self);
  }
  return result;
}

}  // namespace vorlent
