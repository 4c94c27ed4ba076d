#pragma once

#include <cstddef>
#include <optional>

#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// A summary's span over its children, counted child by child in list order,
// with what is needed to follow the children's later changes one at a time:
// how many children sit at each end. The span is the first child's time,
// each end then moved only by a child strictly beyond it, so that among
// children at the same moment the first one's spelling of it stands.
//
// Changes can be followed while every child's time is on the plain grid (a
// day 0...6 and a time of day in 0...24:00) and the children at each end
// spell it alike; otherwise only counting again tells the span.
class SpanTally {
 public:
  // The next child's time, in list order.
  void add(const TimeRange& time);
  // False, leaving the tally unusable, when `from` -> `to` of a counted
  // child can no longer be followed: it leaves an end held by nobody else,
  // or it brings a time off the plain grid or another spelling of an end.
  [[nodiscard]] bool follow(const TimeRange& from, const TimeRange& to);

  [[nodiscard]] const std::optional<TimeRange>& span() const { return span_; }
  [[nodiscard]] bool isFollowable() const { return plain_ && startAlike_ && finishAlike_; }

 private:
  std::optional<TimeRange> span_;
  size_t atStart_ = 0;
  size_t atFinish_ = 0;
  bool plain_ = true;  // every child's time so far
  // The children at each end spell it alike.
  bool startAlike_ = true;
  bool finishAlike_ = true;
};

}  // namespace vorlent::detail
