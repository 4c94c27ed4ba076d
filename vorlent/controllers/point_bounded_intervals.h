#pragma once

// Laying intervals out on a view whose points each stand for a long span of
// time: a century zoomed to fit, or a far sentinel date, puts tens of
// thousands of nights, weekends or days into a view of a thousand points.
// What falls into one point cannot be told apart there, so the walks below
// merge or leave out what shares a point, and their work grows with the
// view's width in points, not with the span of time it shows. Where the
// intervals are fewer than the points, or each wider than a point, they give
// what the plain lists give.
// Shared by the content and header controllers; not part of the API.

#include <functional>
#include <vector>

#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// A controller's mapping between time and horizontal position, in points.
// `time` must not decrease as x grows.
struct PointScale {
  std::function<double(const Time&)> x;
  std::function<Time(double)> time;
};

// The non-working stretches of `schedule` within `range` (working ones with
// `nonWorking` false), clipped to it, earliest first, as `timeouts` and
// `times` list them, wherever the range holds fewer of them than it covers
// points. In a more crowded range a stretch starting in the point where the
// one before ends is merged into it, so the result reaches from the first's
// start to the last's finish and no further: at most one stretch per point
// of the range, and a bounded number of calendar steps for each.
[[nodiscard]] std::vector<TimeRange> stretchesByPoint(const ScheduleDefinition& schedule,
                                                      bool nonWorking, const TimeRange& range,
                                                      const PointScale& scale);

// `selector.times(range)`, unless the selector lays periods back to back
// (`PeriodSelector`, `CalendarPeriodSelector`, possibly enclosed) so short
// that the range holds more than about two for each of its points: then only
// the periods at least a point wide are listed, found by one look-up per
// point, and the enclosed ones cut to the range.
[[nodiscard]] std::vector<TimeRange> intervalsByPoint(const TimeIntervalSelector& selector,
                                                      const TimeRange& range,
                                                      const PointScale& scale);

}  // namespace vorlent::detail
