#pragma once

#include <memory>
#include <vector>

#include "vorlent/time/day_range.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

// Working time that several calendars all have: the days and hours every
// member works, read once at creation, less each member's exclusions, which
// are looked up again on every query (so later changes to a member's
// exclusions show, changes to its days or hours do not). The weak provider
// inherited from `ScheduleDefinition` is ignored.
class ScheduleIntersection : public ScheduleDefinition {
 public:
  // nullptr for an empty list, a list holding nullptr, or members without a
  // working day or a working hour in common. Members whose ranges merely meet
  // (hours 9:00-13:00 and 13:00-18:00, say) still make an intersection, one
  // that has no working time.
  static std::shared_ptr<ScheduleIntersection> create(
      std::vector<std::shared_ptr<ScheduleDefinition>> definitions);

  [[nodiscard]] const std::vector<std::shared_ptr<ScheduleDefinition>>& definitions() const {
    return definitions_;
  }
  [[nodiscard]] const WeekRange& weekIntervalValue() const { return weekIntervalValue_; }
  [[nodiscard]] const DayRange& dayIntervalValue() const { return dayIntervalValue_; }

  [[nodiscard]] WeekRange weekInterval() const override { return weekIntervalValue_; }
  [[nodiscard]] DayRange dayInterval() const override { return dayIntervalValue_; }
  // The members' answers to this query, concatenated in member order.
  [[nodiscard]] std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                            const Time& limit) const override;
  // True when any member's is.
  [[nodiscard]] bool hasExcludedIntervals() const override;

 private:
  ScheduleIntersection(std::vector<std::shared_ptr<ScheduleDefinition>> definitions,
                       WeekRange weekInterval, DayRange dayInterval);

  std::vector<std::shared_ptr<ScheduleDefinition>> definitions_;
  WeekRange weekIntervalValue_;
  DayRange dayIntervalValue_;
};

}  // namespace vorlent
