#pragma once

#include <any>
#include <iosfwd>
#include <memory>
#include <optional>
#include <utility>

#include "vorlent/graphics/color.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {

// Preset highlighters of working or non-working time.
enum class ScheduleTimeType {
  workdays,    // working hours of working days (standard schedule)
  workbreaks,  // everything outside them
  days,        // working hours of every day (full-week schedule)
  nights,      // the hours outside them
  weekdays,    // whole working days (full-day schedule)
  weekends,    // whole non-working days
};

std::ostream& operator<<(std::ostream& out, ScheduleTimeType type);

// Asks for a schedule's working time to be highlighted, or with
// `forTimeouts` the time it does not work. The schedule is shared, not copied: the
// presets hold the very preset objects, and a schedule changed later is seen
// by every copy.
struct ScheduleTimeSelector {
  std::shared_ptr<ScheduleDefinition> schedule;
  bool forTimeouts = false;
  std::optional<Color> color;  // absent: the style's highlight colour
  std::any context;            // host data, carried unchanged

  // The preset of the type: workdays and workbreaks on the standard
  // schedule, days and nights on the full-week one, weekdays and weekends on
  // the full-day one; the second of each pair selects the timeouts.
  explicit ScheduleTimeSelector(ScheduleTimeType type);

  // The working intervals of the schedule.
  static ScheduleTimeSelector timesOf(std::shared_ptr<ScheduleDefinition> schedule);
  // The non-working intervals of the schedule.
  static ScheduleTimeSelector timeoutsOf(std::shared_ptr<ScheduleDefinition> schedule);

 private:
  ScheduleTimeSelector(std::shared_ptr<ScheduleDefinition> scheduleValue, bool forTimeoutsValue)
      : schedule(std::move(scheduleValue)), forTimeouts(forTimeoutsValue) {}
};

// Where a schedule highlighter's area lies in the drawing. Made by the
// controllers; read-only.
class ScheduleTimeArea {
 public:
  ScheduleTimeArea(ScheduleTimeSelector selector, const Rectangle& bounds)
      : selector_(std::move(selector)), bounds_(bounds) {}

  [[nodiscard]] const ScheduleTimeSelector& selector() const { return selector_; }
  [[nodiscard]] const Rectangle& bounds() const { return bounds_; }

 private:
  ScheduleTimeSelector selector_;
  Rectangle bounds_;
};

}  // namespace vorlent
