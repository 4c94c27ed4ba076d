#include "vorlent/intervals/moment_period_selector.h"

#include <algorithm>

namespace vorlent {

std::vector<TimeRange> MomentPeriodSelector::times(const TimeRange& range) const {
  std::vector<Time> kept;
  const auto keep = [&](const Time& moment) {
    if (range.start <= moment && moment <= range.finish) kept.push_back(moment);
  };
  if (moments) {
    std::for_each(moments->begin(), moments->end(), keep);
  } else {
    keep(Time::current());
  }
  std::stable_sort(kept.begin(), kept.end());

  std::vector<TimeRange> intervals;
  if (!separating) {
    intervals.reserve(kept.size());
    for (const Time& moment : kept) intervals.emplace_back(moment, moment);
    return intervals;
  }
  intervals.reserve(kept.size() + 1);
  Time previous = Time::min();
  for (const Time& moment : kept) {
    intervals.emplace_back(previous, moment);
    previous = moment;
  }
  intervals.emplace_back(previous, Time::max());
  return intervals;
}

}  // namespace vorlent
