#pragma once

#include <cstdint>

#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// The weekdays at the two ends of an interval, as the presets' weekend
// selectors read them. The start is taken in its 0:00 form and a finish on a
// day boundary as 24:00 of the earlier day, so a Sunday cell that ends at
// Monday 0:00 ends on Sunday, and an area that ends at Friday 0:00 ends on
// Thursday. A moment keeps one day for both ends.
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
