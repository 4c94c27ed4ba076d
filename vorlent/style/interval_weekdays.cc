#include "vorlent/style/interval_weekdays.h"

#include "vorlent/base/fatal.h"
#include "vorlent/time/time_constants.h"

namespace vorlent::detail {

namespace {

bool isWeekend(int64_t day) { return day == kSaturday || day == kSunday; }

}  // namespace

bool IntervalWeekdays::isWeekendDay() const {
  return isWeekend(startDay) && isWeekend(finishDay) && length <= secondsPerDay;
}

IntervalWeekdays intervalWeekdays(const TimeRange& interval) {
  const Time start = interval.start.asStart();
  // Only a finish after the start moves back to 24:00 of the earlier day;
  // otherwise a moment at midnight would end the day before it starts.
  const Time finish =
      start < interval.finish ? interval.finish.asFinish() : interval.finish.asStart();
  const int64_t startDayNumber = start.dayNumber();
  const int64_t finishDayNumber = finish.dayNumber();
  const int64_t days = checkedSubtract(finishDayNumber, startDayNumber, "interval length in days");
  IntervalWeekdays result;
  result.startDay = floorMod(startDayNumber, 7);    // [0, 6]
  result.finishDay = floorMod(finishDayNumber, 7);  // [0, 6]
  result.length = (finish.timeOfDay - start.timeOfDay) + static_cast<double>(days) * secondsPerDay;
  return result;
}

}  // namespace vorlent::detail
