#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// Consecutive intervals of a fixed length measured in a schedule's working
// time, on a grid through `origin`. On the continuous schedule each interval
// is `period` units of elapsed time; on a working-time schedule each holds
// `period` units of working time, so non-working time falls inside the
// intervals. The schedule is shared, not copied, and must not be null.
struct PeriodSelector : TimeIntervalSelector {
  double period = 1;  // in `unit`; not positive and finite selects nothing
  TimeUnit unit = TimeUnit::days;
  std::shared_ptr<ScheduleDefinition> schedule;
  Time origin;  // a boundary of the grid

  // Stores the four values as given.
  PeriodSelector(double periodValue, TimeUnit unitValue,
                 std::shared_ptr<ScheduleDefinition> scheduleValue, const Time& originValue)
      : period(periodValue),
        unit(unitValue),
        schedule(std::move(scheduleValue)),
        origin(originValue) {}
  // The origin moved by `offset` in `offsetUnit`, negative offsets included.
  PeriodSelector(double periodValue, TimeUnit unitValue,
                 std::shared_ptr<ScheduleDefinition> scheduleValue, const Time& originValue,
                 double offset, TimeUnit offsetUnit)
      : PeriodSelector(periodValue, unitValue, std::move(scheduleValue),
                       originValue.addingDuration(offset, offsetUnit)) {}

  // Ascending, consecutive intervals covering `range`: the first starts at the
  // last boundary at or before the range start, the last may finish after the
  // range finish. Finishes are kept as the schedule computes them (a day
  // boundary in its 24:00 form); the next interval starts at its 0:00 form. A
  // range that ends on or before the first boundary gives none. At most
  // `kMaxSelectedIntervals` intervals, the earliest.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const override;
};

}  // namespace vorlent
