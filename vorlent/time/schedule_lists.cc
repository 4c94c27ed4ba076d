#include <cmath>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/stretch_walk.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/working_week.h"

namespace vorlent {

using detail::WorkingWeek;

namespace {

// Whether the calendar has working time throughout the range: a full week and
// day and no excluded interval of any length there.
bool isContinuousWithin(const ScheduleDefinition& schedule, const WorkingWeek& week,
                        const TimeRange& range) {
  if (!week.isContinuous()) return false;
  return !week.hasExclusions || !detail::hasExclusionBetween(schedule, range.start, range.finish);
}

// The range with both ends on the grid, each written as the caller wrote it.
TimeRange onGrid(const TimeRange& range) {
  return {detail::gridForm(range.start), detail::gridForm(range.finish)};
}

}  // namespace

Time ScheduleDefinition::rounding(const Time& given, const TimeScale& scale) const {
  const Time time = detail::gridForm(given);
  const TimeScale::Intervals* grid = scale.asIntervals();
  if (!grid) return time;
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime) return time;
  const double steps =
      roundedBy(duration(grid->origin, time, grid->unit) / grid->period, grid->rule);
  if (!std::isfinite(steps)) return time;  // a zero or non-finite period has no grid
  const Time boundary = finish(grid->origin, grid->period * steps, grid->unit);
  return detail::nextTime(*this, week, boundary);
}

std::vector<TimeRange> ScheduleDefinition::times(const TimeRange& given) const {
  std::vector<TimeRange> result;
  const TimeRange range = onGrid(given);
  if (range.finish < range.start) return result;
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime) return result;
  const bool continuous = isContinuousWithin(*this, week, range);
  detail::ForwardWalk walk(*this, week);
  Time current = detail::nextTime(*this, week, range.start);
  while (current < range.finish && result.size() < kMaxSelectedIntervals) {
    Time end = continuous ? range.finish : walk.nextTimeout(current, range.finish);
    if (end >= range.finish) end = range.finish;
    if (current < end) result.emplace_back(current, end);
    const Time next = walk.nextTime(end, range.finish);
    if (!(current < next)) break;  // no progress
    current = next;
  }
  return result;
}

std::vector<TimeRange> ScheduleDefinition::timeouts(const TimeRange& given) const {
  std::vector<TimeRange> result;
  const TimeRange range = onGrid(given);
  if (range.finish < range.start) return result;
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime) {
    if (range.start < range.finish) result.push_back(range);
    return result;
  }
  if (isContinuousWithin(*this, week, range)) return result;
  Time current = detail::nextTimeout(*this, week, detail::previousTime(*this, week, range.start));
  if (!(range.start < current)) current = range.start;
  detail::ForwardWalk walk(*this, week);
  while (current < range.finish && result.size() < kMaxSelectedIntervals) {
    Time end = walk.nextTime(current, range.finish);
    if (end >= range.finish) end = range.finish;
    // A range that starts where a working stretch starts has no timeout there.
    if (current < end) result.emplace_back(current, end);
    const Time next = walk.nextTimeout(end, range.finish);
    if (!(current < next)) break;  // no progress
    current = next;
  }
  return result;
}

}  // namespace vorlent
