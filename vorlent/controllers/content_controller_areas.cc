#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the highlighted areas.
std::shared_ptr<ScheduleDefinition> GanttChartContentController::timeScaleScheduleFor(
    const GanttChartItemPtr& /*item*/) const {
  return itemManager()->schedule();
}

// Built with the highlighted areas.
std::shared_ptr<ScheduleDefinition> GanttChartContentController::timeScaleScheduleForNewItems()
    const {
  return itemManager()->schedule();
}

// Built with the highlighted areas.
Rectangle GanttChartContentController::bounds(const TimeRange& /*range*/) const {
  return Rectangle();
}

// Built with the highlighted areas.
std::vector<ScheduleTimeArea> GanttChartContentController::highlightedScheduleAreas() const {
  return {};
}

// Built with the highlighted areas.
std::vector<ScheduleTimeArea> GanttChartContentController::highlightedScheduleAreas(
    const Rectangle& /*rectangle*/) const {
  return {};
}

// Built with the highlighted areas.
std::vector<TimeArea> GanttChartContentController::highlightedIntervalAreas() const { return {}; }

// Built with the highlighted areas.
std::vector<TimeArea> GanttChartContentController::highlightedIntervalAreas(
    const Rectangle& /*rectangle*/) const {
  return {};
}

}  // namespace vorlent
