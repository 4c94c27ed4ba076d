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

// Back-to-back intervals, each `period` units of the schedule's working time
// long, laid on a grid that passes through `origin`. With the continuous
// schedule that is plain elapsed time; with a working calendar an interval
// also spans the nights and weekends between its working hours. The schedule
// is shared rather than copied and must not be null.
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
