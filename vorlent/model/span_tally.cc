#include "vorlent/model/span_tally.h"

#include <bit>
#include <cstdint>

#include "vorlent/time/time_constants.h"

namespace vorlent::detail {

namespace {

// Where `==` and `<` order times as one line whose only ties are other
// spellings of one moment (midnight as 24:00 or 0:00, 0 as -0), which
// `identical` tells apart: fields in range, nothing past 24:00, no NaN.
bool isPlain(const Time& time) {
  return time.dayOfWeek >= 0 && time.dayOfWeek <= 6 && time.timeOfDay >= 0 &&
         time.timeOfDay <= secondsPerDay;
}

bool identical(const Time& a, const Time& b) {
  return a.week == b.week && a.dayOfWeek == b.dayOfWeek &&
         std::bit_cast<uint64_t>(a.timeOfDay) == std::bit_cast<uint64_t>(b.timeOfDay);
}

// One end of the span: `beyond(a, b)` when `a` lies strictly past `b` on
// this end's side. `held` counts the children at the end, `alike` tells
// whether they all spell it alike.
template <class Beyond>
void addToEnd(Time& end, size_t& held, bool& alike, const Time& time, const Beyond& beyond) {
  if (beyond(time, end)) {
    end = time;
    held = 1;
    alike = true;
  } else if (time == end) {
    alike = alike && identical(time, end);
    ++held;
  }
}

// Follows one child's change at an end whose children all spell it alike.
template <class Beyond>
bool followEnd(Time& end, size_t& held, const Time& from, const Time& to, const Beyond& beyond) {
  if (!isPlain(to)) return false;
  const bool wasAtEnd = from == end;
  if (beyond(to, end)) {
    end = to;
    held = 1;
    return true;
  }
  if (to == end) {
    if (!identical(to, end)) return false;
    if (!wasAtEnd) ++held;
    return true;
  }
  return !wasAtEnd || --held > 0;
}

bool isEarlier(const Time& a, const Time& b) { return a < b; }
bool isLater(const Time& a, const Time& b) { return b < a; }

}  // namespace

void SpanTally::add(const TimeRange& time) {
  plain_ = plain_ && isPlain(time.start) && isPlain(time.finish);
  if (!span_) {
    span_ = time;
    atStart_ = 1;
    atFinish_ = 1;
    return;
  }
  addToEnd(span_->start, atStart_, startAlike_, time.start, isEarlier);
  addToEnd(span_->finish, atFinish_, finishAlike_, time.finish, isLater);
}

bool SpanTally::follow(const TimeRange& from, const TimeRange& to) {
  if (!isFollowable() || !span_ ||
      !followEnd(span_->start, atStart_, from.start, to.start, isEarlier) ||
      !followEnd(span_->finish, atFinish_, from.finish, to.finish, isLater)) {
    plain_ = false;
    return false;
  }
  return true;
}

}  // namespace vorlent::detail
