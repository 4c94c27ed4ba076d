#include "vorlent/time/schedule_units.h"

#include "vorlent/time/working_week.h"

namespace vorlent {

double seconds(double value, TimeUnit unit, const ScheduleDefinition& schedule) {
  return detail::workingSeconds(value, unit, detail::WorkingWeek::of(schedule));
}

double valueIn(double seconds, TimeUnit unit, const ScheduleDefinition& schedule) {
  return detail::workingValueIn(seconds, unit, detail::WorkingWeek::of(schedule));
}

}  // namespace vorlent
