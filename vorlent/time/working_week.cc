#include "vorlent/time/working_week.h"

#include <cmath>
#include <utility>
#include <vector>

#include "vorlent/base/fatal.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_constants.h"

namespace vorlent::detail {

namespace {

// Whether `time` (0:00 form) is inside working days and hours, asked forward:
// the start of the hours counts as working, their end does not.
bool isWorkingForward(const WorkingWeek& week, const Time& time) {
  return week.firstDay <= time.dayOfWeek && time.dayOfWeek <= week.lastDay &&
         week.dayStart <= time.timeOfDay && time.timeOfDay < week.dayFinish;
}

// The same asked backward of `time` in 24:00 form: the end of the hours
// counts as working, their start does not.
bool isWorkingBackward(const WorkingWeek& week, const Time& time) {
  return week.firstDay <= time.dayOfWeek && time.dayOfWeek <= week.lastDay &&
         week.dayStart < time.timeOfDay && time.timeOfDay <= week.dayFinish;
}

// 0:00 of the first working day at or after the day of `time` (0:00 form);
// `time` itself on a working day.
Time alignDayForward(const WorkingWeek& week, const Time& time) {
  if (time.dayOfWeek < week.firstDay) return {time.week, week.firstDay, 0};
  if (time.dayOfWeek > week.lastDay) {
    return {checkedAdd(time.week, 1, "ScheduleDefinition: week"), week.firstDay, 0};
  }
  return time;
}

// 24:00 of the last working day at or before the day of `time` (24:00 form);
// `time` itself on a working day.
Time alignDayBackward(const WorkingWeek& week, const Time& time) {
  if (time.dayOfWeek > week.lastDay) return {time.week, week.lastDay, secondsPerDay};
  if (time.dayOfWeek < week.firstDay) {
    return {checkedSubtract(time.week, 1, "ScheduleDefinition: week"), week.lastDay, secondsPerDay};
  }
  return time;
}

// The first instant at or after `time` (0:00 form) inside working days and
// hours, exclusions aside. Needs working time.
Time alignForward(const WorkingWeek& week, const Time& time) {
  Time aligned = alignDayForward(week, time);
  if (aligned.timeOfDay < week.dayStart) return {aligned.week, aligned.dayOfWeek, week.dayStart};
  if (aligned.timeOfDay < week.dayFinish) return aligned;
  // After the working hours: the next working day's start. Its 0:00 lies
  // before `dayFinish`, so one more alignment of the day is enough.
  aligned = alignDayForward(week, Time{aligned.week, aligned.dayOfWeek, 0}.addingDays(1));
  return {aligned.week, aligned.dayOfWeek, week.dayStart};
}

// The last instant at or before `time` (24:00 form) inside working days and
// hours, exclusions aside. Needs working time.
Time alignBackward(const WorkingWeek& week, const Time& time) {
  Time aligned = alignDayBackward(week, time);
  if (aligned.timeOfDay > week.dayFinish) {
    return {aligned.week, aligned.dayOfWeek, week.dayFinish};
  }
  if (aligned.timeOfDay > week.dayStart) return aligned;
  aligned = alignDayBackward(week, Time{aligned.week, aligned.dayOfWeek, 0}.asFinish());
  return {aligned.week, aligned.dayOfWeek, week.dayFinish};
}

// An excluded interval in order, start in 0:00 form and finish in 24:00 form;
// std::nullopt when it has no length (it excludes nothing).
std::optional<TimeRange> orientedInterval(const TimeRange& interval) {
  Time low = interval.start;
  Time high = interval.finish;
  if (high < low) std::swap(low, high);
  low = low.asStart();
  high = high.asFinish();
  if (!(low < high)) return std::nullopt;
  return TimeRange(low, high);
}

}  // namespace

WorkingWeek WorkingWeek::of(const ScheduleDefinition& schedule) {
  const WeekRange days = schedule.weekInterval();
  const DayRange hours = schedule.dayInterval();
  WorkingWeek week;
  week.firstDay = days.start > 0 ? days.start : 0;
  week.lastDay = days.finish < 6 ? days.finish : 6;
  week.dayStart = hours.start > 0 ? hours.start : 0;
  week.dayFinish = hours.finish < secondsPerDay ? hours.finish : secondsPerDay;
  if (std::isnan(hours.start) || std::isnan(hours.finish)) {
    week.dayStart = 0;  // hours that are not numbers leave no working time
    week.dayFinish = 0;
  }
  week.fullWeek = days.start <= 0 && days.finish >= 6;
  week.fullDay = hours.start <= 0 && hours.finish >= secondsPerDay;
  week.hasWorkingTime = week.firstDay <= week.lastDay && week.dayStart < week.dayFinish;
  week.hasExclusions = schedule.hasExcludedIntervals();
  return week;
}

double WorkingWeek::daySeconds() const {
  if (!(dayStart < dayFinish)) return 0;
  return dayFinish - dayStart;  // (0, secondsPerDay]
}

int64_t WorkingWeek::workingDays() const {
  if (firstDay > lastDay) return 0;
  return lastDay + 1 - firstDay;  // [1, 7]
}

double WorkingWeek::weekSeconds() const {
  if (!hasWorkingTime) return 0;
  return daySeconds() * static_cast<double>(workingDays());
}

Time gridFormOfUnusual(const Time& time) {
  if (!std::isfinite(time.timeOfDay)) return time;
  if (time.timeOfDay >= secondsPerDay) {
    Time day = Time{time.week, time.dayOfWeek, 0}.addingDays(0);
    day.timeOfDay = secondsPerDay;
    return day;
  }
  return time.addingDuration(0);  // a negative time of day or a day outside 0...6
}

Time startForm(const Time& time) {
  const Time onGrid = gridForm(time);
  return onGrid.timeOfDay >= secondsPerDay ? onGrid.asStart() : onGrid;
}

Time finishForm(const Time& time) {
  const Time onGrid = gridForm(time);
  return onGrid.timeOfDay <= 0 ? onGrid.asFinish() : onGrid;
}

double workingSeconds(double value, TimeUnit unit, const WorkingWeek& week) {
  switch (unit) {
    case TimeUnit::weeks:
      return value * week.weekSeconds();
    case TimeUnit::days:
      return value * week.daySeconds();
    case TimeUnit::halfdays:
      return week.daySeconds() * value * 0.5;
    case TimeUnit::hours:
      return value * secondsPerHour;
    default:
      return seconds(value, unit);
  }
}

double workingValueIn(double seconds, TimeUnit unit, const WorkingWeek& week) {
  switch (unit) {
    case TimeUnit::weeks:
      return seconds / week.weekSeconds();
    case TimeUnit::days:
      return seconds / week.daySeconds();
    case TimeUnit::halfdays:
      return (seconds / week.daySeconds()) * 2;
    case TimeUnit::hours:
      return seconds / secondsPerHour;
    default:
      return valueIn(seconds, unit);
  }
}

std::optional<TimeRange> nextExcludedInterval(const ScheduleDefinition& schedule, const Time& time,
                                              bool containing, const Time& limit) {
  std::optional<TimeRange> best;
  for (const TimeRange& given : schedule.excludedIntervalsFor(time, limit)) {
    const std::optional<TimeRange> interval = orientedInterval(given);
    if (!interval || !(time < interval->finish)) continue;
    if (containing) {
      if (!(interval->start <= time)) continue;
      // Any interval holding `time` may be skipped; the longest goes furthest.
      if (!best || best->finish < interval->finish) best = interval;
    } else if (!best || interval->start < best->start) {
      best = interval;
    }
  }
  return best;
}

std::optional<TimeRange> previousExcludedInterval(const ScheduleDefinition& schedule,
                                                  const Time& time, bool containing,
                                                  const Time& limit) {
  std::optional<TimeRange> best;
  for (const TimeRange& given : schedule.excludedIntervalsFor(time, limit)) {
    const std::optional<TimeRange> interval = orientedInterval(given);
    if (!interval || !(interval->start < time)) continue;
    if (containing) {
      if (!(time <= interval->finish)) continue;
      if (!best || interval->start < best->start) best = interval;
    } else if (!best || best->finish < interval->finish) {
      best = interval;
    }
  }
  return best;
}

bool hasExclusionBetween(const ScheduleDefinition& schedule, const Time& from, const Time& to) {
  for (const TimeRange& given : schedule.excludedIntervalsFor(from, to)) {
    if (orientedInterval(given)) return true;
  }
  return false;
}

Time nextTime(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
              const Time& clearUntil) {
  if (!std::isfinite(time.timeOfDay)) return time;
  if (!week.hasWorkingTime) return Time::max();
  Time current = alignForward(week, startForm(time));
  if (!week.hasExclusions || current < clearUntil) return current;
  // Iterative, not recursive: a chain of adjacent or overlapping exclusions
  // may be arbitrarily long. Each step ends strictly later than the last.
  for (;;) {
    const std::optional<TimeRange> excluded =
        nextExcludedInterval(schedule, current, /*containing=*/true, current);
    if (!excluded) return current;
    if (excluded->finish >= Time::max()) return Time::max();
    const Time next = alignForward(week, excluded->finish.asStart());
    if (!(current < next)) return current;
    current = next;
  }
}

Time previousTime(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                  const Time& clearAfter) {
  if (!std::isfinite(time.timeOfDay)) return time;
  if (!week.hasWorkingTime) return Time::min();
  Time current = alignBackward(week, finishForm(time));
  if (!week.hasExclusions || clearAfter < current) return current;
  for (;;) {
    const std::optional<TimeRange> excluded =
        previousExcludedInterval(schedule, current, /*containing=*/true, current);
    if (!excluded) return current;
    if (excluded->start <= Time::min()) return Time::min();
    const Time next = alignBackward(week, excluded->start.asFinish());
    if (!(next < current)) return current;
    current = next;
  }
}

Time nextTimeout(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                 const Time& clearUntil) {
  if (!std::isfinite(time.timeOfDay)) return time;
  const Time given = gridForm(time);
  // Midnight spelt 24:00 closes its day; only spelt 0:00 can it fall within
  // the following day's working hours.
  const Time current = startForm(given);
  if (!week.hasWorkingTime || !isWorkingForward(week, current)) return given;
  Time end;
  if (week.isContinuous()) {
    end = Time::max();
  } else if (week.fullDay) {
    end = Time{current.week, week.lastDay, 0}.addingDays(1);
  } else {
    end = Time{current.week, current.dayOfWeek, 0}.addingDuration(week.dayFinish);
  }
  if (week.hasExclusions && clearUntil < end) {
    const std::optional<TimeRange> excluded =
        nextExcludedInterval(schedule, current, /*containing=*/false, end.asFinish());
    if (excluded) {
      if (excluded->start <= current) return given;
      // A provider may return intervals beyond the stretch; they end nothing.
      if (excluded->start < end) return excluded->start;
    }
  }
  return end;
}

Time previousTimeout(const ScheduleDefinition& schedule, const WorkingWeek& week, const Time& time,
                     const Time& clearAfter) {
  if (!std::isfinite(time.timeOfDay)) return time;
  const Time given = gridForm(time);
  const Time current = finishForm(given);
  if (!week.hasWorkingTime || !isWorkingBackward(week, current)) return given;
  Time begin;
  if (week.isContinuous()) {
    begin = Time::min();
  } else if (week.fullDay) {
    begin = Time{current.week, week.firstDay, 0};
  } else {
    begin = Time{current.week, current.dayOfWeek, week.dayStart};
  }
  if (week.hasExclusions && begin < clearAfter) {
    const std::optional<TimeRange> excluded =
        previousExcludedInterval(schedule, current, /*containing=*/false, begin);
    if (excluded) {
      if (excluded->finish >= current) return given;
      if (begin < excluded->finish) return excluded->finish;
    }
  }
  return begin;
}

}  // namespace vorlent::detail
