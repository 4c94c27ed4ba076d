#pragma once

#include <vector>

#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"

// Shared by the period selectors; not part of the API.
namespace vorlent::detail {

// Consecutive intervals from `boundary` until one reaches `finish`: each ends
// at `finishAfter(start)`, kept in the form given (a day boundary may be
// 24:00), and the next starts at that end's 0:00 form. Stops after
// `kMaxSelectedIntervals` intervals, or when a step no longer advances (a
// period lost to rounding, a calendar at its end), which would otherwise
// repeat the same boundary for ever.
template <class FinishAfter>
std::vector<TimeRange> consecutiveIntervals(Time boundary, const Time& finish,
                                            FinishAfter finishAfter) {
  std::vector<TimeRange> intervals;
  while (boundary < finish && intervals.size() < kMaxSelectedIntervals) {
    const Time next = finishAfter(boundary);
    const Time nextStart = next.asStart();
    if (!(boundary < nextStart)) break;
    intervals.emplace_back(boundary, next);
    boundary = nextStart;
  }
  return intervals;
}

}  // namespace vorlent::detail
