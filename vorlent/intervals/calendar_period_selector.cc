#include "vorlent/intervals/calendar_period_selector.h"

#include "vorlent/base/fatal.h"
#include "vorlent/intervals/consecutive_intervals.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {

CalendarPeriodSelector::CalendarPeriodSelector(int64_t periodValue, CalendarTimeUnit unitValue,
                                               const Time& originValue, int64_t calendarOffset,
                                               CalendarTimeUnit calendarOffsetUnit, double offset,
                                               TimeUnit offsetUnit)
    : period(periodValue), unit(unitValue), origin(originValue) {
  origin = origin.addingCalendarDuration(calendarOffset, calendarOffsetUnit);
  const double offsetSeconds = seconds(offset, offsetUnit);
  // Written so that NaN fails the test and is ignored.
  if (offsetSeconds >= 0 && offsetSeconds < 28 * secondsPerDay) {
    origin = origin.addingDuration(offsetSeconds);
  }
}

std::vector<TimeRange> CalendarPeriodSelector::times(const TimeRange& range) const {
  if (period < 1) return {};

  // The origin's offset inside its month, in seconds.
  const double offsetInMonth = TimeRange(origin.monthStart(), origin).duration();

  // The boundary candidate in the range start's month, and its distance in
  // months from the origin.
  const Time candidate = range.start.monthStart().addingDuration(offsetInMonth);
  const int64_t monthsFromOrigin = checkedAdd(
      checkedMultiply(checkedSubtract(candidate.year(), origin.year(), "calendar period months"),
                      12, "calendar period months"),
      checkedSubtract(candidate.month(), origin.month(), "calendar period months"),
      "calendar period months");
  const int64_t periodMonths = months(period, unit);              // >= 1
  int64_t monthsBack = floorMod(monthsFromOrigin, periodMonths);  // [0, periodMonths)
  Time boundary = candidate.addingMonths(-monthsBack);

  // With an offset inside the month the boundary can lie after the range
  // start (months from the 15th, a range from the 5th); step back a period so
  // the first interval covers the range start instead of leaving a gap before
  // it. Each step moves back at least a month, and the candidate lies less
  // than two months after the range start, so two steps always suffice.
  for (int step = 0; step < 2 && range.start < boundary; ++step) {
    monthsBack = checkedAdd(monthsBack, periodMonths, "calendar period months");
    boundary = candidate.addingMonths(-monthsBack);
  }

  return detail::consecutiveIntervals(boundary, range.finish, [periodMonths](const Time& start) {
    return start.addingMonths(periodMonths);
  });
}

}  // namespace vorlent
