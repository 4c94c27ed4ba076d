#pragma once

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// Seconds in `value` units of `schedule`'s working time. Days and half days
// are measured by its daily working hours and weeks by its weekly ones; every
// other unit has a fixed length in seconds. A calendar without working time
// has days and weeks of 0 seconds.
[[nodiscard]] double seconds(double value, TimeUnit unit, const ScheduleDefinition& schedule);

// How many units of working time `seconds` make in `schedule`: the inverse of
// `seconds(value, unit, schedule)`.
[[nodiscard]] double valueIn(double seconds, TimeUnit unit, const ScheduleDefinition& schedule);

}  // namespace vorlent
