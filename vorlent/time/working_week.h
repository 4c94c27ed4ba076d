#pragma once

#include <cstdint>
#include <optional>

#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {
class ScheduleDefinition;
}

// The machinery behind `ScheduleDefinition`'s arithmetic; not part of the API.
namespace vorlent::detail {

// A calendar's definition members read once for one operation, with the
// working days clipped to the week and the working hours to the day.
struct WorkingWeek {
  int64_t firstDay = 0;        // [0, ...): the first working day
  int64_t lastDay = 6;         // (..., 6]: the last working day, may precede firstDay
  double dayStart = 0;         // [0, ...): working hours begin
  double dayFinish = 0;        // (..., secondsPerDay]: working hours end
  bool fullWeek = true;        // every day of the week is a working day
  bool fullDay = true;         // working hours cover the whole day
  bool hasWorkingTime = true;  // some working day has some working hours
  bool hasExclusions = false;  // `hasExcludedIntervals`

  static WorkingWeek of(const ScheduleDefinition& schedule);

  // Working days of one week, [1, 7]; 0 when `lastDay` precedes `firstDay`.
  [[nodiscard]] int64_t workingDays() const;
  // Working seconds of one day and one week; 0 without working time.
  [[nodiscard]] double daySeconds() const;
  [[nodiscard]] double weekSeconds() const;
  [[nodiscard]] bool isContinuous() const { return fullWeek && fullDay; }
};

// `gridForm` of a time off the grid, at or past 24:00, or not finite.
Time gridFormOfUnusual(const Time& time);

// `time` on the grid, written as the caller wrote it: a day of the week
// outside 0...6 and a negative time of day are carried into the right week and
// day, 24:00 stays 24:00 (of a day within 0...6), and a time of day past 24:00
// reads as 24:00, since comparisons drop the excess. Every operation takes its
// arguments through this first. A non-finite time of day is returned as it is.
// Inline for the usual case, which needs nothing.
inline Time gridForm(const Time& time) {
  if (0 <= time.timeOfDay && time.timeOfDay < secondsPerDay && 0 <= time.dayOfWeek &&
      time.dayOfWeek <= 6) {
    return time;
  }
  return gridFormOfUnusual(time);
}
// `gridForm(time)` as 0:00 of the next day when it reads 24:00, so its time of
// day lies in [0, secondsPerDay).
Time startForm(const Time& time);
// `gridForm(time)` as 24:00 of the previous day when it reads 0:00.
Time finishForm(const Time& time);

// Seconds of `value` units of working time, and the inverse.
double workingSeconds(double value, TimeUnit unit, const WorkingWeek& week);
double workingValueIn(double seconds, TimeUnit unit, const WorkingWeek& week);

// The excluded interval (oriented, start in 0:00 form, finish in 24:00 form,
// never of zero length) that the forward pass finds for `time`: with
// `containing`, the one holding `time` that reaches furthest; otherwise the
// first one that has not ended by `time`. `limit` bounds the query.
std::optional<TimeRange> nextExcludedInterval(const ScheduleDefinition& schedule, const Time& time,
                                              bool containing, const Time& limit);
// The backward mirror: with `containing`, the one holding `time` (start before
// it, finish at or after it) that reaches back furthest; otherwise the one
// that started before `time` and ends last.
std::optional<TimeRange> previousExcludedInterval(const ScheduleDefinition& schedule,
                                                  const Time& time, bool containing,
                                                  const Time& limit);
// Whether any interval of non-zero length is excluded between the two times.
bool hasExclusionBetween(const ScheduleDefinition& schedule, const Time& from, const Time& to);

// The instant operations of `ScheduleDefinition` on a calendar read once.
//
// A walk that already knows where the exclusions lie passes it on so that no
// lookup is repeated: forward, `clearUntil` promises that no excluded interval
// still running at `time` begins before it; backward, `clearAfter` promises
// that none that began before `time` ends after it. The defaults promise
// nothing. A wrong promise gives wrong answers.
Time nextTime(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
              const Time& clearUntil = Time::min());
Time previousTime(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                  const Time& clearAfter = Time::max());
// A time that is not working comes back as `gridForm(time)`: the caller's way
// of writing midnight is kept.
Time nextTimeout(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                 const Time& clearUntil = Time::min());
Time previousTimeout(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                     const Time& clearAfter = Time::max());

}  // namespace vorlent::detail
