#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the drawing pass.
void GanttChartContentController::draw(const Rectangle& /*within*/) {}

// Built with the drawing pass.
void GanttChartContentController::draw(const GanttChartBar& /*bar*/) {}

// Built with the drawing pass.
void GanttChartContentController::draw(const GanttChartDependencyLine& /*dependencyLine*/) {}

// Built with the drawing pass.
std::optional<std::string> GanttChartContentController::toolTip(const Point& /*point*/) {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartItemPtr& /*item*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartDependencyPtr& /*dependency*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<Cursor> GanttChartContentController::cursor(const Point& /*point*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
void GanttChartContentController::drawBackground() {}

// Built with the drawing pass.
std::optional<Color> GanttChartContentController::backgroundColor(int64_t /*row*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::vector<Border>> GanttChartContentController::borders(int64_t /*row*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
void GanttChartContentController::drawHighlightedScheduleAreas(const Rectangle& /*rectangle*/) {}

// Built with the drawing pass.
void GanttChartContentController::drawHighlightedIntervalAreas(const Rectangle& /*rectangle*/) {}

// Built with the drawing pass.
void GanttChartContentController::drawDependencyLineThumb() {}

// Built with the drawing pass.
void GanttChartContentController::drawTemporaryDependencyLine() {}

// Built with the drawing pass.
void GanttChartContentController::drawTemporaryBar() {}

// Built with the drawing pass.
std::optional<Cursor> GanttChartContentController::cursor(
    const GanttChartElement& /*element*/) const {
  return std::nullopt;
}

}  // namespace vorlent
