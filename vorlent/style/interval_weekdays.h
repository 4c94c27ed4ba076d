#pragma once

#include <cstdint>

#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// The days of the week an interval starts and ends on, as the presets'
// weekend selectors need them. A start at midnight belongs to the day that
// begins there; a finish at midnight to the day that ends there: a cell from
// Saturday 0:00 to Sunday 24:00 (or Monday 0:00) covers Saturday to Sunday,
// and one that finishes at Wednesday 0:00 ends on Tuesday. Both ends of a
// zero-length interval get the same day.
struct IntervalWeekdays {
  int64_t startDay = 0;   // 0 Sunday ... 6 Saturday
  int64_t finishDay = 0;  // 0 Sunday ... 6 Saturday
  double length = 0;      // seconds from start to finish

  // The interval starts on Saturday, Sunday or Monday: its left edge lies on
  // or next to a weekend.
  [[nodiscard]] bool startsAtWeekend() const { return startDay > 5 || startDay < 2; }
  // The interval ends on Friday, Saturday or Sunday: its right edge lies on or
  // next to a weekend.
  [[nodiscard]] bool endsAtWeekend() const { return finishDay >= 5 || finishDay < 1; }
  // Both ends on Saturday or Sunday, and no longer than a day.
  [[nodiscard]] bool isWeekendDay() const;
};

// Days are counted on the grid (checked: an interval whose day numbers do not
// fit in 64 bits is a fatal stop).
[[nodiscard]] IntervalWeekdays intervalWeekdays(const TimeRange& interval);

}  // namespace vorlent::detail
