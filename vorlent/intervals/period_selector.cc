#include "vorlent/intervals/period_selector.h"

#include <cmath>

#include "vorlent/base/fatal.h"
#include "vorlent/intervals/consecutive_intervals.h"
#include "vorlent/time/time_scale.h"

namespace vorlent {

std::vector<TimeRange> PeriodSelector::times(const TimeRange& range) const {
  // A period that is not positive and finite never steps towards the finish.
  if (!(period > 0) || !std::isfinite(period)) return {};
  if (!schedule) fatalStop("PeriodSelector has no schedule");

  const TimeScale scale =
      TimeScale::intervals(period, unit, origin, FloatingPointRoundingRule::down);
  const Time first = schedule->rounding(schedule->previousTime(range.start), scale).asStart();
  return detail::consecutiveIntervals(first, range.finish, [this](const Time& boundary) {
    return schedule->finish(boundary, period, unit, /*skippingWeeks=*/true);
  });
}

}  // namespace vorlent
