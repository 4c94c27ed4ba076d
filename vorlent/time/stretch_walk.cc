#include "vorlent/time/stretch_walk.h"

#include <limits>
#include <optional>

#include "vorlent/base/fatal.h"
#include "vorlent/time/time_range.h"

namespace vorlent::detail {

namespace {

// Windows stop growing here, far beyond the span of valid times, so that
// doubling cannot overflow.
constexpr int64_t kLargestWindowWeeks = int64_t{1} << 40;

int64_t grown(int64_t windowWeeks) {
  return windowWeeks < kLargestWindowWeeks ? windowWeeks * 2 : windowWeeks;
}

// `time` moved by `weeks` (either way), held within the valid times. A time
// already beyond them (a far sentinel a host walks to) is held within the
// 64-bit weeks instead, so that the walk still looks ahead there rather than
// stepping through every stretch.
Time weeksAway(const Time& time, int64_t weeks) {
  constexpr int64_t kLastWeek = std::numeric_limits<int64_t>::max();
  constexpr int64_t kFirstWeek = std::numeric_limits<int64_t>::min();
  if (weeks >= 0) {
    if (time.week <= Time::max().week) {
      if (time.week > Time::max().week - weeks) return Time::max();
    } else if (time.week > kLastWeek - weeks) {
      return {kLastWeek, 0, 0};
    }
  } else if (time.week >= Time::min().week) {
    if (time.week < Time::min().week - weeks) return Time::min();
  } else if (time.week < kFirstWeek - weeks) {
    return {kFirstWeek, 0, 0};
  }
  return {time.week + weeks, time.dayOfWeek, time.timeOfDay};
}

// The most whole weeks that can be taken from `from` without passing back
// over `to`; 0 when `to` does not lie before `from`.
int64_t wholeWeeksBack(const Time& from, const Time& to) {
  if (!(to < from)) return 0;
  int64_t weeks = checkedSubtract(from.week, to.week, "ScheduleDefinition: weeks");
  if (weeks <= 0) return 0;
  if (Time{to.week, from.dayOfWeek, from.timeOfDay} < to) --weeks;
  return weeks;
}

}  // namespace

int64_t wholeWeeksUntil(const Time& from, const Time& to) {
  if (!(from < to)) return 0;
  int64_t weeks = checkedSubtract(to.week, from.week, "ScheduleDefinition: weeks");
  if (weeks <= 0) return 0;
  if (to < Time{to.week, from.dayOfWeek, from.timeOfDay}) --weeks;
  return weeks;
}

int64_t ForwardWalk::clearWeeks(const Time& from, int64_t wanted) {
  if (wanted <= 0) return 0;
  const Time limit = weeksAway(from, wanted);
  lookAhead(from, limit);
  return wholeWeeksUntil(from, clear_ < limit ? clear_ : limit);
}

void ForwardWalk::lookAhead(const Time& time, const Time& limit) {
  if (!week_.hasExclusions) {
    clear_ = Time::max();
    return;
  }
  // Already known; or still at the exclusion found last, where only passing
  // it tells more.
  if (time < clear_ || time < blockedUntil_) return;
  Time windowEnd = weeksAway(time, windowWeeks_);
  if (limit < windowEnd) windowEnd = limit;
  if (!(time < windowEnd)) return;  // nothing to look at, or beyond the valid times
  const std::optional<TimeRange> excluded =
      nextExcludedInterval(schedule_, time, /*containing=*/false, windowEnd);
  if (excluded && excluded->start < windowEnd) {
    clear_ = excluded->start;  // may be `time` itself
    blockedUntil_ = excluded->finish;
    windowWeeks_ = 1;
  } else {
    clear_ = windowEnd;
    windowWeeks_ = grown(windowWeeks_);
  }
}

int64_t BackwardWalk::clearWeeks(const Time& from, int64_t wanted) {
  if (wanted <= 0) return 0;
  const Time limit = weeksAway(from, -wanted);
  lookBack(from, limit);
  return wholeWeeksBack(from, limit < clear_ ? clear_ : limit);
}

void BackwardWalk::lookBack(const Time& time, const Time& limit) {
  if (!week_.hasExclusions) {
    clear_ = Time::min();
    return;
  }
  if (clear_ < time || blockedAfter_ < time) return;
  Time windowStart = weeksAway(time, -windowWeeks_);
  if (windowStart < limit) windowStart = limit;
  if (!(windowStart < time)) return;
  const std::optional<TimeRange> excluded =
      previousExcludedInterval(schedule_, time, /*containing=*/false, windowStart);
  if (excluded && windowStart < excluded->finish) {
    clear_ = excluded->finish;
    blockedAfter_ = excluded->start;
    windowWeeks_ = 1;
  } else {
    clear_ = windowStart;
    windowWeeks_ = grown(windowWeeks_);
  }
}

}  // namespace vorlent::detail
