#pragma once

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// Seconds of `value` units of working time in `schedule`: a day is its working
// hours of one day, a half day half of that, a week its working hours of one
// week; the other units are fixed numbers of seconds. A calendar without
// working time has days and weeks of 0 seconds.
[[nodiscard]] double seconds(double value, TimeUnit unit, const ScheduleDefinition& schedule);

// How many units of working time `seconds` make in `schedule`: the inverse of
// `seconds(value, unit, schedule)`.
[[nodiscard]] double valueIn(double seconds, TimeUnit unit, const ScheduleDefinition& schedule);

}  // namespace vorlent
