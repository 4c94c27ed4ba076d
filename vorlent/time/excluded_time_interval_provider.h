#pragma once

#include <vector>

#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Supplies the intervals a calendar excludes from working time.
class ExcludedTimeIntervalProvider {
 public:
  virtual ~ExcludedTimeIntervalProvider() = default;

  // Every exclusion touching the span from `time` to `limit`, ends included.
  // `limit` is earlier than `time` when the calendar walks backwards. The
  // answer needs no particular order, may overlap itself and may contain
  // reversed ranges, since the calendar sorts and straightens it; extra
  // intervals outside the span do no harm.
  [[nodiscard]] virtual std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                                    const Time& limit) const = 0;
};

}  // namespace vorlent
