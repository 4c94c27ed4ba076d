#pragma once

#include <memory>
#include <vector>

#include "vorlent/time/day_range.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

// The working time common to several calendars: the working days and hours
// they all share (taken once, when made), minus every member's excluded
// intervals (asked afresh on every query). The inherited provider is never
// consulted.
class ScheduleIntersection : public ScheduleDefinition {
 public:
  // Null when the list is empty, holds a null calendar, or the calendars share
  // no working days or hours. Ranges that only touch (8:00-12:00 and
  // 12:00-16:00) make an intersection without working time.
  static std::shared_ptr<ScheduleIntersection> create(
      std::vector<std::shared_ptr<ScheduleDefinition>> definitions);

  [[nodiscard]] const std::vector<std::shared_ptr<ScheduleDefinition>>& definitions() const {
    return definitions_;
  }
  [[nodiscard]] const WeekRange& weekIntervalValue() const { return weekIntervalValue_; }
  [[nodiscard]] const DayRange& dayIntervalValue() const { return dayIntervalValue_; }

  [[nodiscard]] WeekRange weekInterval() const override { return weekIntervalValue_; }
  [[nodiscard]] DayRange dayInterval() const override { return dayIntervalValue_; }
  // Every member's intervals for the same two times, in member order.
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
