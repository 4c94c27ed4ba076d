#include "vorlent/intervals/enclosed_time_interval_selector.h"

#include "vorlent/base/fatal.h"

namespace vorlent {

std::vector<TimeRange> EnclosedTimeIntervalSelector::times(const TimeRange& range) const {
  if (!selector_) return {};
  if (evaluating_) fatalStop("EnclosedTimeIntervalSelector encloses itself");
  std::vector<TimeRange> inner;
  {
    // Reset even when the inner selector throws, so the next call still works.
    struct Evaluating {
      bool& flag;
      explicit Evaluating(bool& f) : flag(f) { flag = true; }
      ~Evaluating() { flag = false; }
      Evaluating(const Evaluating&) = delete;
      Evaluating& operator=(const Evaluating&) = delete;
    } guard(evaluating_);
    inner = selector_->times(range);
  }

  std::vector<TimeRange> clipped;
  clipped.reserve(inner.size());
  for (const TimeRange& interval : inner) {
    if (!interval.intersects(range)) continue;
    const Time& start = interval.start <= range.start ? range.start : interval.start;
    const Time& finish = interval.finish <= range.finish ? interval.finish : range.finish;
    clipped.emplace_back(start, finish);
  }
  return clipped;
}

}  // namespace vorlent
