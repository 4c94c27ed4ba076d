#include "vorlent/time/period_selector.h"

#include <cmath>

#include "vorlent/base/fatal.h"
#include "vorlent/time/time_scale.h"

namespace vorlent {

std::vector<TimeRange> PeriodSelector::times(const TimeRange& range) const {
  // A period that is not positive and finite never steps towards the finish.
  if (!(period > 0) || !std::isfinite(period)) return {};
  if (!schedule) fatalStop("PeriodSelector has no schedule");

  const TimeScale scale =
      TimeScale::intervals(period, unit, origin, FloatingPointRoundingRule::down);
  Time boundary = schedule->rounding(schedule->previousTime(range.start), scale).asStart();

  std::vector<TimeRange> intervals;
  while (boundary < range.finish && intervals.size() < kMaxSelectedIntervals) {
    const Time next = schedule->finish(boundary, period, unit, /*skippingWeeks=*/true);
    const Time nextStart = next.asStart();
    // A period too small to move a time (lost to rounding) would repeat the
    // same boundary for ever.
    if (!(boundary < nextStart)) break;
    intervals.emplace_back(boundary, next);
    boundary = nextStart <= range.finish ? nextStart : range.finish;
  }
  return intervals;
}

}  // namespace vorlent
