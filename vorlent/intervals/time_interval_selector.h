#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Chooses the intervals that a header row or a highlighter stands for within
// (or around) a requested range, in the selector's own order. The library's
// selectors hand out at most `kMaxSelectedIntervals` for one range. Held as
// `std::shared_ptr<const TimeIntervalSelector>`, so an implementation that the
// host changes later is seen by every holder.
class TimeIntervalSelector {
 public:
  virtual ~TimeIntervalSelector() = default;
  [[nodiscard]] virtual std::vector<TimeRange> times(const TimeRange& range) const = 0;
};

// An interval selector backed by a function; its answer is the function's,
// order and duplicates kept.
class TimeIntervalSource : public TimeIntervalSelector {
 public:
  using Function = std::function<std::vector<TimeRange>(const TimeRange&)>;

  explicit TimeIntervalSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // An empty function selects nothing.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const override {
    return function_ ? function_(range) : std::vector<TimeRange>{};
  }

 private:
  Function function_;
};

}  // namespace vorlent
