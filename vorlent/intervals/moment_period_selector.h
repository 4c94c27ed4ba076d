#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "vorlent/time/time.h"
#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Intervals at given moments: one momentary interval per moment, or, when
// separating, the stretches between consecutive moments (from `Time::min()`
// before the first to `Time::max()` after the last). Absent moments mean the
// current moment, read from the clock on every call; an empty list is no
// moment at all.
//
// The moments are stored as `moments` because `times` is the selector's
// function.
struct MomentPeriodSelector : TimeIntervalSelector {
  std::optional<std::vector<Time>> moments;
  bool separating = false;

  MomentPeriodSelector(std::optional<std::vector<Time>> momentsValue, bool separatingValue)
      : moments(std::move(momentsValue)), separating(separatingValue) {}
  MomentPeriodSelector(const Time& moment, bool separatingValue)
      : moments(std::vector<Time>{moment}), separating(separatingValue) {}

  // Only moments within the range (both ends inclusive) count, in ascending
  // order. Separating with no moment in range gives the one interval
  // [Time::min(), Time::max()]; not separating, none.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const override;
};

}  // namespace vorlent
