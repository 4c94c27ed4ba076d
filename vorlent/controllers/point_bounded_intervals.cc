#include "vorlent/controllers/point_bounded_intervals.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include "vorlent/intervals/calendar_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/intervals/selector_kinds.h"

namespace vorlent::detail {

namespace {

// Periods shorter than this are not expected; a look-up around one instant
// spans it, so it returns the period there and few others.
constexpr double kProbeSeconds = 1e-6;
// A selector steps its grid in seconds counted from the grid's origin, so it
// cannot tell apart times closer than a rounding error of that count: about
// a thousandth of a second at the ends of the time grid, 80,000 years from a
// grid near the present. A look-up that finds nothing is widened tenfold,
// this many times, up to a second, which spans any such error many times over.
constexpr int kProbeWidenings = 6;

// The points a range covers, for bounding a walk over it: 0 when the
// mapping gives nothing usable.
double pointsAcross(const TimeRange& range, const PointScale& scale) {
  const double points = scale.x(range.finish) - scale.x(range.start);
  return std::isfinite(points) && points > 0 ? points : 0;
}

// The time at the left edge of the point after the one holding `time`;
// `time` itself when the mapping cannot go further.
Time nextPoint(const Time& time, const PointScale& scale) {
  const double x = scale.x(time);
  if (!std::isfinite(x)) return time;
  const Time next = scale.time(std::floor(x) + 1);
  return time < next ? next : time;
}

// Walks stretches of one kind: "inside" is non-working time for timeouts,
// working time for times.
class StretchWalk {
 public:
  StretchWalk(const ScheduleDefinition& schedule, bool nonWorking)
      : schedule_(schedule), nonWorking_(nonWorking) {}

  bool inside(const Time& time) const {
    const bool working = schedule_.nextTime(time) == time;
    return working != nonWorking_;
  }
  // The start of the first stretch at or after `time`.
  Time startFrom(const Time& time) const {
    if (inside(time)) return time;
    return nonWorking_ ? schedule_.nextTimeout(time) : schedule_.nextTime(time);
  }
  // Where the stretch starting at (or running through) `time` ends.
  Time endOf(const Time& time) const {
    return nonWorking_ ? schedule_.nextTime(time) : schedule_.nextTimeout(time);
  }
  // The end of the last stretch before `time`, which lies outside; `time`
  // itself when a stretch runs up to it.
  Time lastEndBefore(const Time& time) const {
    return nonWorking_ ? schedule_.previousTimeout(time) : schedule_.previousTime(time);
  }
  // Whether `range` holds fewer stretches than `count`, found by walking
  // through no more than that many (and at most ten million).
  bool fewerThan(double count, const TimeRange& range) const {
    const double most = std::min(count, 1e7);
    double found = 0;
    Time cursor = range.start;
    while (cursor < range.finish) {
      const Time start = startFrom(cursor);
      if (!(start < range.finish)) break;
      if (!(++found < most)) return false;
      const Time end = endOf(start);
      // A calendar that does not move on is left to the bounded walk.
      if (!(cursor < end)) return false;
      cursor = end;
    }
    return found < count;
  }

 private:
  const ScheduleDefinition& schedule_;
  bool nonWorking_;
};

bool isPeriodic(const TimeIntervalSelector* selector) {
  return dynamic_cast<const PeriodSelector*>(selector) != nullptr ||
         dynamic_cast<const CalendarPeriodSelector*>(selector) != nullptr;
}

// The period of a back-to-back selector that holds `time`. A time a
// rounding error before a boundary may be rounded onto it by the selector,
// which then starts its list there: the period just after is taken instead.
// Far from the selector's origin that error may outgrow the look-up, which
// then lists nothing and is widened until it reaches past the boundary.
std::optional<TimeRange> periodAt(const TimeIntervalSelector& selector, const Time& time) {
  double probe = kProbeSeconds;
  for (int widening = 0; widening <= kProbeWidenings; ++widening, probe *= 10) {
    const std::vector<TimeRange> periods =
        selector.times(TimeRange(time, time.addingSeconds(probe)));
    for (const TimeRange& period : periods) {
      if (time < period.finish) return period;
    }
    if (!periods.empty()) break;  // a wider look-up lists the same periods first
  }
  return std::nullopt;
}

}  // namespace

std::vector<TimeRange> stretchesByPoint(const ScheduleDefinition& schedule, bool nonWorking,
                                        const TimeRange& range, const PointScale& scale) {
  const auto plainList = [&] {
    return nonWorking ? schedule.timeouts(range) : schedule.times(range);
  };
  // A calendar that never works steps nowhere; its lists say it all at once.
  if (!(schedule.hoursPerWeek() > 0)) return plainList();
  const StretchWalk walk(schedule, nonWorking);
  const double points = pointsAcross(range, scale);
  if (walk.fewerThan(points, range)) return plainList();
  std::vector<TimeRange> stretches;
  // Each pass of either loop moves on by a stretch that ends in a later
  // point, or by a point; the bound only guards against a mapping that
  // does not behave.
  const auto mostSteps = static_cast<std::size_t>(std::min(4 * points, 1e7)) + 64;
  std::size_t steps = 0;
  Time cursor = range.start;
  while (cursor < range.finish && ++steps < mostSteps) {
    const Time start = walk.startFrom(cursor);
    if (!(start < range.finish)) break;
    Time end = walk.endOf(start);
    while (end < range.finish && ++steps < mostSteps) {
      const Time pointEnd = nextPoint(end, scale);
      if (!(end < pointEnd) || !(walk.startFrom(end) < pointEnd)) break;
      // Another stretch starts in this point: the two are one there. In the
      // range's last point that is the last stretch to start before its
      // finish, which may end before it.
      if (!(pointEnd < range.finish)) {
        const Time lastEnd = walk.lastEndBefore(range.finish);
        if (end < lastEnd) end = lastEnd;
        break;
      }
      end = walk.inside(pointEnd) ? walk.endOf(pointEnd) : walk.lastEndBefore(pointEnd);
    }
    if (range.finish < end) end = range.finish;
    if (!(start < end)) break;
    stretches.emplace_back(start, end);
    cursor = end;
  }
  return stretches;
}

std::vector<TimeRange> intervalsByPoint(const TimeIntervalSelector& selector,
                                        const TimeRange& range, const PointScale& scale) {
  const TimeIntervalSelector* inner = innermostSelector(&selector);
  if (!isPeriodic(inner) || !(range.start < range.finish)) return selector.times(range);
  const double points = pointsAcross(range, scale);
  const std::optional<TimeRange> first = periodAt(*inner, range.start);
  if (!first) return selector.times(range);
  const double length = first->duration();
  if (length > 0 && range.duration() / length <= 2 * points + 64) return selector.times(range);

  std::vector<TimeRange> periods;
  const auto mostSteps = static_cast<std::size_t>(std::min(2 * points, 1e7)) + 64;
  Time cursor = range.start;
  for (std::size_t step = 0; cursor < range.finish && step < mostSteps; ++step) {
    const std::optional<TimeRange> period = periodAt(*inner, cursor);
    if (!period) break;
    Time next;
    if (scale.x(period->finish) - scale.x(period->start) >= 1) {
      periods.push_back(*period);
      next = period->finish.asStart();
    } else {
      next = nextPoint(cursor, scale);  // too narrow to be seen apart: left out
    }
    if (!(cursor < next)) break;
    cursor = next;
  }
  // An enclosing selector cuts its periods to the range.
  if (inner != &selector) {
    for (TimeRange& period : periods) {
      if (period.start < range.start) period.start = range.start;
      if (range.finish < period.finish) period.finish = range.finish;
    }
  }
  return periods;
}

}  // namespace vorlent::detail
