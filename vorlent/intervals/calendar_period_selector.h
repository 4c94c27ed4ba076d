#pragma once

#include <cstdint>
#include <vector>

#include "vorlent/time/time.h"
#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// Intervals made of whole calendar months (quarters, years and longer units
// are multiples of months). Boundaries fall in the origin's month and every
// `period` units from it, each at the day and time the origin has within its
// month, so "months" may run from the 15th to the 15th. Boundaries step from one to the next through
// the calendar, so a day-of-month that a short month clamps stays clamped.
struct CalendarPeriodSelector : TimeIntervalSelector {
  int64_t period = 1;  // units per interval; below 1 selects nothing
  CalendarTimeUnit unit = CalendarTimeUnit::months;
  Time origin;

  CalendarPeriodSelector(int64_t periodValue, CalendarTimeUnit unitValue, const Time& originValue)
      : period(periodValue), unit(unitValue), origin(originValue) {}
  // The origin moved first by `calendarOffset` whole calendar units, then by
  // `offset` in `offsetUnit`. The second offset applies only when it lies in
  // [0, 28 days), so that it can never push a boundary out of its month; any
  // other value is ignored.
  CalendarPeriodSelector(int64_t periodValue, CalendarTimeUnit unitValue, const Time& originValue,
                         int64_t calendarOffset, CalendarTimeUnit calendarOffsetUnit, double offset,
                         TimeUnit offsetUnit);

  // Consecutive intervals in ascending order covering `range`: the first
  // starts at the last boundary at or before the range start, the last may
  // finish after the range finish. A range that ends on or before the first
  // boundary (a momentary range on a boundary, say) gives none. At most
  // `kMaxSelectedIntervals` intervals, the earliest. Month
  // arithmetic that overflows 64 bits is a fatal stop.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const override;
};

}  // namespace vorlent
