#pragma once

#include <cstdint>

#include "vorlent/time/time.h"
#include "vorlent/time/working_week.h"

namespace vorlent {
class ScheduleDefinition;
}

// Walks over working stretches that look the excluded intervals up once per
// run of time free of them, not once per stretch, and count the whole weeks
// of such a run at once; not part of the API.
//
// A walk looks ahead over a window of weeks that doubles while no exclusion
// turns up and starts small again after one: sparse exclusions cost a few
// lookups per gap, dense ones small lookups. What a lookup does not return is
// taken to be absent from its span, as providers promise; an interval returned
// beyond the span counts like any other.
namespace vorlent::detail {

// Forward over working time, for one operation. Every time handed to a member
// must lie at or after the times handed to it before.
class ForwardWalk {
 public:
  ForwardWalk(const ScheduleDefinition& schedule, const WorkingWeek& week)
      : schedule_(schedule), week_(week) {}

  // How many whole weeks, `wanted` at most, follow `from` before the next
  // excluded interval begins: each holds exactly the calendar's week of
  // working time. 0 when `wanted` is not positive.
  int64_t clearWeeks(const Time& from, int64_t wanted);

  // The calendar's `nextTime` and `nextTimeout`, skipping the lookup of
  // exclusions where the walk already knows there are none. With a `limit`,
  // they first look ahead from `time` as far as it.
  [[nodiscard]] Time nextTime(const Time& time) const {
    return detail::nextTime(schedule_, week_, time, clear_);
  }
  [[nodiscard]] Time nextTime(const Time& time, const Time& limit) {
    lookAhead(time, limit);
    return nextTime(time);
  }
  [[nodiscard]] Time nextTimeout(const Time& time) const {
    return detail::nextTimeout(schedule_, week_, time, clear_);
  }
  [[nodiscard]] Time nextTimeout(const Time& time, const Time& limit) {
    lookAhead(time, limit);
    return nextTimeout(time);
  }

 private:
  // Makes `clear_` as far from `time` as one lookup, no further than `limit`,
  // shows it to be, unless it is already beyond `time`.
  void lookAhead(const Time& time, const Time& limit);

  const ScheduleDefinition& schedule_;
  const WorkingWeek& week_;
  Time clear_ = Time::min();         // no exclusion still running begins before it
  Time blockedUntil_ = Time::min();  // the end of the exclusion found at `clear_`
  int64_t windowWeeks_ = 1;
};

// The backward mirror: every time handed to a member must lie at or before the
// times handed to it before.
class BackwardWalk {
 public:
  BackwardWalk(const ScheduleDefinition& schedule, const WorkingWeek& week)
      : schedule_(schedule), week_(week) {}

  // How many whole weeks, `wanted` at most, precede `from` after the last
  // excluded interval ends.
  int64_t clearWeeks(const Time& from, int64_t wanted);

  // The calendar's `previousTime` and `previousTimeout`, as `ForwardWalk`'s
  // mirror; with a `limit`, they first look back from `time` as far as it.
  [[nodiscard]] Time previousTime(const Time& time) const {
    return detail::previousTime(schedule_, week_, time, clear_);
  }
  [[nodiscard]] Time previousTime(const Time& time, const Time& limit) {
    lookBack(time, limit);
    return previousTime(time);
  }
  [[nodiscard]] Time previousTimeout(const Time& time) const {
    return detail::previousTimeout(schedule_, week_, time, clear_);
  }
  [[nodiscard]] Time previousTimeout(const Time& time, const Time& limit) {
    lookBack(time, limit);
    return previousTimeout(time);
  }

 private:
  void lookBack(const Time& time, const Time& limit);

  const ScheduleDefinition& schedule_;
  const WorkingWeek& week_;
  Time clear_ = Time::max();         // no exclusion that began before ends after it
  Time blockedAfter_ = Time::max();  // the start of the exclusion found at `clear_`
  int64_t windowWeeks_ = 1;
};

// The most whole weeks that can be added to `from` without passing `to`; 0
// when `to` does not lie after `from`.
int64_t wholeWeeksUntil(const Time& from, const Time& to);

}  // namespace vorlent::detail
