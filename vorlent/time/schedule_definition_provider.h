#pragma once

#include "vorlent/time/day_range.h"
#include "vorlent/time/excluded_time_interval_provider.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

// Supplies a whole working-time calendar to a `ScheduleDefinition`, which holds
// it weakly: the host keeps it alive.
class ScheduleDefinitionProvider : public ExcludedTimeIntervalProvider {
 public:
  // The working days.
  [[nodiscard]] virtual WeekRange weekInterval() const = 0;
  // The working hours of each working day.
  [[nodiscard]] virtual DayRange dayInterval() const = 0;
};

}  // namespace vorlent
