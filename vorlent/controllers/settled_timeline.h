#pragma once

#include <cmath>

#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Whether assigning one timeline over another is no change. Moments compare
// as `==` does (24:00 and the next day's 0:00 are one), and a NaN time of day
// is the same as a NaN on the same day: NaN never equals itself, and a
// timeline an item's NaN time reached would otherwise look new at every
// assignment, so the controllers that copy it back and forth would never stop.
[[nodiscard]] inline bool sameMoment(const Time& a, const Time& b) {
  if (a == b) return true;
  return std::isnan(a.timeOfDay) && std::isnan(b.timeOfDay) && a.week == b.week &&
         a.dayOfWeek == b.dayOfWeek;
}

[[nodiscard]] inline bool sameTimeline(const TimeRange& a, const TimeRange& b) {
  return sameMoment(a.start, b.start) && sameMoment(a.finish, b.finish);
}

}  // namespace vorlent
