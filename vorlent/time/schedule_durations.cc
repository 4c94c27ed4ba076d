#include <cmath>
#include <limits>
#include <optional>

#include "vorlent/base/fatal.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/stretch_walk.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/working_time_index.h"
#include "vorlent/time/working_week.h"

namespace vorlent {

using detail::WorkingWeek;

namespace {

// The walks below look exclusions up ahead of them, over a window that grows
// while none turns up, rather than at each working stretch: a lookup costs
// far more than the few stretches of a typical span.
constexpr Time kUnbounded = Time::max();
constexpr Time kUnboundedBack = Time::min();

// Working seconds from `from` to `to` (from <= to), one working stretch at a
// time. With `skippingWeeks`, every run of whole weeks in which the calendar
// excludes nothing is counted at once, so the cost follows the exclusions
// between the two times rather than the time between them.
double walkedSeconds(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& from,
                     const Time& to, bool skippingWeeks) {
  detail::ForwardWalk walk(schedule, week);
  double total = 0;
  Time current = walk.nextTime(from, to);
  while (current < to) {
    if (skippingWeeks) {
      const int64_t weeks = walk.clearWeeks(current, detail::wholeWeeksUntil(current, to));
      if (weeks > 0) {
        total += week.weekSeconds() * static_cast<double>(weeks);
        current.week += weeks;  // not beyond `to`
        current = walk.nextTime(current, to);
        continue;
      }
    }
    Time end = walk.nextTimeout(current, to);
    if (end >= to) end = to;
    total += TimeRange(current, end).duration();
    if (!(end < to)) break;  // whatever follows lies beyond `to`
    const Time next = walk.nextTime(end, to);
    if (!(current < next)) break;  // no progress: nothing more can be counted
    current = next;
  }
  return total;
}

// Working seconds from `from` to `to` (from <= to). Without exclusions every
// week holds the same working time, so the weeks between the first and the
// last are counted at once.
double workingSecondsBetween(const ScheduleDefinition& schedule, const WorkingWeek& week,
                             const Time& from, const Time& to, bool skippingWeeks) {
  if (skippingWeeks && !week.hasExclusions) {
    const Time first = detail::startForm(from);
    const Time last = detail::startForm(to);
    const Time nextWeek{checkedAdd(first.week, 1, "ScheduleDefinition::duration: week"), 0, 0};
    if (nextWeek < last) {
      const double head = walkedSeconds(schedule, week, from, nextWeek, false);
      const int64_t weeks =
          checkedSubtract(last.week, nextWeek.week, "ScheduleDefinition::duration: weeks");
      const double tail = walkedSeconds(schedule, week, Time{last.week, 0, 0}, to, false);
      return head + week.weekSeconds() * static_cast<double>(weeks) + tail;
    }
    return walkedSeconds(schedule, week, from, to, false);
  }
  return walkedSeconds(schedule, week, from, to, skippingWeeks);
}

// How many whole weeks of `weekSeconds` (> 0) fit in `amount` (finite, >= 0),
// never more: the quotient is corrected when the division rounded it up.
double wholeWeeksIn(double amount, double weekSeconds) {
  const double weeks = std::floor(amount / weekSeconds);
  return weekSeconds * weeks > amount ? weeks - 1 : weeks;
}

// The finish of `amount` working seconds (finite, >= 0) counted from `from`.
Time stepForward(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& from,
                 double amount, bool skippingWeeks) {
  Time current = detail::nextTime(schedule, week, from);
  double left = amount;
  const double weekSeconds = week.weekSeconds();  // > 0: the calendar has working time
  // No week holds more than `weekSeconds`, so an amount beyond the working
  // time left before `Time::max()` cannot finish within it.
  const double weeksLeft =
      static_cast<double>(Time::max().week) - static_cast<double>(current.week) + 1;
  if (left > weekSeconds * weeksLeft) return Time::max();

  if (skippingWeeks && !week.hasExclusions) {
    const double weeks = wholeWeeksIn(left, weekSeconds);
    if (weeks >= 1) {
      current.week = checkedAdd(current.week, checkedInt64(weeks), "ScheduleDefinition::finish");
      left -= weekSeconds * weeks;
      // Whole weeks with nothing left over stop at the close of the last
      // stretch counted, not at the opening of the one after.
      if (left <= 0) current = detail::previousTime(schedule, week, current);
    }
  }
  detail::ForwardWalk walk(schedule, week);
  for (;;) {
    if (left <= 0) return current.asFinish();
    if (current >= Time::max()) return Time::max();
    if (skippingWeeks && week.hasExclusions) {
      // As above, over the weeks before the next exclusion. Fewer weeks are
      // wanted than are left before `Time::max()`.
      const int64_t weeks =
          walk.clearWeeks(current, static_cast<int64_t>(wholeWeeksIn(left, weekSeconds)));
      if (weeks > 0) {
        current.week += weeks;
        left -= weekSeconds * static_cast<double>(weeks);
        current = left <= 0 ? detail::previousTime(schedule, week, current)
                            : walk.nextTime(current, kUnbounded);
        continue;
      }
    }
    const Time end = walk.nextTimeout(current, kUnbounded);
    const double span = TimeRange(current, end).duration();
    // Inclusive: an amount that fills the stretch ends at its end.
    if (left <= span) return current.addingDuration(left).asFinish();
    const Time next = walk.nextTime(end, kUnbounded);
    if (!(current < next)) return current.asFinish();
    left -= span;
    current = next;
  }
}

// The start of `amount` working seconds (finite, >= 0) ending at `to`.
Time stepBackward(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& to,
                  double amount, bool skippingWeeks) {
  Time current = detail::previousTime(schedule, week, to);
  double left = amount;
  const double weekSeconds = week.weekSeconds();
  const double weeksLeft =
      static_cast<double>(current.week) - static_cast<double>(Time::min().week) + 1;
  if (left > weekSeconds * weeksLeft) return Time::min();

  if (skippingWeeks && !week.hasExclusions) {
    const double weeks = wholeWeeksIn(left, weekSeconds);
    if (weeks >= 1) {
      current.week =
          checkedSubtract(current.week, checkedInt64(weeks), "ScheduleDefinition::start");
      left -= weekSeconds * weeks;
      if (left <= 0) current = detail::nextTime(schedule, week, current);
    }
  }
  detail::BackwardWalk walk(schedule, week);
  for (;;) {
    if (left <= 0) return current.asStart();
    if (current <= Time::min()) return Time::min();
    if (skippingWeeks && week.hasExclusions) {
      const int64_t weeks =
          walk.clearWeeks(current, static_cast<int64_t>(wholeWeeksIn(left, weekSeconds)));
      if (weeks > 0) {
        current.week -= weeks;
        left -= weekSeconds * static_cast<double>(weeks);
        current = left <= 0 ? detail::nextTime(schedule, week, current)
                            : walk.previousTime(current, kUnboundedBack);
        continue;
      }
    }
    const Time begin = walk.previousTimeout(current, kUnboundedBack);
    const double span = TimeRange(begin, current).duration();
    if (left <= span) return current.addingDuration(-left);
    const Time next = walk.previousTime(begin, kUnboundedBack);
    if (!(next < current)) return current.asStart();
    left -= span;
    current = next;
  }
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

double ScheduleDefinition::duration(const Time& fromTime, const Time& toTime, TimeUnit unit) const {
  // Compared and measured on the grid: a day written outside 0...6 would
  // otherwise order by its week alone.
  const Time from = detail::gridForm(fromTime);
  const Time to = detail::gridForm(toTime);
  if (to < from) return -duration(to, from, unit);
  // Read off the table where it knows the walk's answer.
  const WorkingTimeIndex* table = detail::workingTimeTableOf(*this, from);
  const std::optional<double> tabled = table ? table->exactDuration(from, to) : std::nullopt;
  if (tabled && unit == TimeUnit::seconds) return *tabled;
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime) return 0;
  const double seconds =
      tabled ? *tabled : workingSecondsBetween(*this, week, from, to, /*skippingWeeks=*/true);
  return detail::workingValueIn(seconds, unit, week);
}

double ScheduleDefinition::duration(const TimeRange& range, TimeUnit unit) const {
  return duration(range.start, range.finish, unit);
}

Time ScheduleDefinition::finish(const Time& from, double amount, TimeUnit unit) const {
  return finish(from, amount, unit, /*skippingWeeks=*/true);
}

Time ScheduleDefinition::finish(const Time& fromTime, double amount, TimeUnit unit,
                                bool skippingWeeks) const {
  const Time from = detail::gridForm(fromTime);
  // Non-finite amounts are settled here: handed between `finish` and `start`
  // they would never shrink.
  if (std::isnan(amount)) return from;
  if (amount == kInfinity) return Time::max();
  if (amount == -kInfinity) return Time::min();
  const WorkingTimeIndex* table = skippingWeeks ? detail::workingTimeTableOf(*this, from) : nullptr;
  if (table != nullptr && unit == TimeUnit::seconds) {
    if (const std::optional<Time> finish = table->exactFinish(from, amount)) return *finish;
  }
  // No working time at all runs out where the next begins.
  if (table != nullptr && amount == 0) {
    if (const std::optional<Time> next = table->exactNextTime(from)) return next->asFinish();
  }
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime || !std::isfinite(from.timeOfDay)) return from;
  if (amount < 0) return start(from, -amount, unit, skippingWeeks).asFinish();
  const double seconds = detail::workingSeconds(amount, unit, week);
  if (std::isnan(seconds)) return from;
  if (seconds == kInfinity) return Time::max();
  if (table != nullptr && unit != TimeUnit::seconds) {
    if (const std::optional<Time> finish = table->exactFinish(from, seconds)) return *finish;
  }
  return stepForward(*this, week, from, seconds, skippingWeeks);
}

Time ScheduleDefinition::start(const Time& to, double amount, TimeUnit unit) const {
  return start(to, amount, unit, /*skippingWeeks=*/true);
}

Time ScheduleDefinition::start(const Time& toTime, double amount, TimeUnit unit,
                               bool skippingWeeks) const {
  const Time to = detail::gridForm(toTime);
  if (std::isnan(amount)) return to;
  if (amount == kInfinity) return Time::min();
  if (amount == -kInfinity) return Time::max();
  const WorkingTimeIndex* table = skippingWeeks ? detail::workingTimeTableOf(*this, to) : nullptr;
  if (table != nullptr && unit == TimeUnit::seconds) {
    if (const std::optional<Time> start = table->exactStart(to, amount)) return *start;
  }
  if (table != nullptr && amount == 0) {
    if (const std::optional<Time> previous = table->exactPreviousTime(to)) {
      return previous->asStart();
    }
  }
  const WorkingWeek week = WorkingWeek::of(*this);
  if (!week.hasWorkingTime || !std::isfinite(to.timeOfDay)) return to;
  if (amount < 0) return finish(to, -amount, unit, skippingWeeks).asStart();
  const double seconds = detail::workingSeconds(amount, unit, week);
  if (std::isnan(seconds)) return to;
  if (seconds == kInfinity) return Time::min();
  if (table != nullptr && unit != TimeUnit::seconds) {
    if (const std::optional<Time> start = table->exactStart(to, seconds)) return *start;
  }
  return stepBackward(*this, week, to, seconds, skippingWeeks);
}

}  // namespace vorlent
