#pragma once

#include <vector>

#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Supplies the intervals a calendar excludes from working time.
class ExcludedTimeIntervalProvider {
 public:
  virtual ~ExcludedTimeIntervalProvider() = default;

  // The excluded intervals that overlap the closed span between `time` and
  // `limit`. The limit may lie before `time` (backward passes ask towards an
  // earlier time). Order, overlaps and orientation are free: the calendar
  // orients, normalises and orders what it gets. Intervals wholly outside the
  // span may be returned; they are harmless.
  [[nodiscard]] virtual std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                                    const Time& limit) const = 0;
};

}  // namespace vorlent
