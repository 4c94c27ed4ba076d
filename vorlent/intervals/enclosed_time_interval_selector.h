#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Wraps a selector and cuts each of its intervals to the range asked for. A
// reference type: every holder sees a later change of `selector`.
class EnclosedTimeIntervalSelector : public TimeIntervalSelector {
 public:
  explicit EnclosedTimeIntervalSelector(std::shared_ptr<const TimeIntervalSelector> selector)
      : selector_(std::move(selector)) {}

  [[nodiscard]] const std::shared_ptr<const TimeIntervalSelector>& selector() const {
    return selector_;
  }
  void setSelector(std::shared_ptr<const TimeIntervalSelector> selector) {
    selector_ = std::move(selector);
  }

  // Each inner interval that meets the range (touching counts), clipped to it,
  // in the inner order; the others are dropped. On equal moments the start is
  // the range's and the finish the inner interval's, each kept in the form it
  // was given (24:00 or 0:00). Without an inner selector there are none. A
  // selector that encloses itself, directly or not, is a fatal stop rather
  // than an endless recursion.
  [[nodiscard]] std::vector<TimeRange> times(const TimeRange& range) const override;

 private:
  std::shared_ptr<const TimeIntervalSelector> selector_;
  mutable bool evaluating_ = false;
};

}  // namespace vorlent
