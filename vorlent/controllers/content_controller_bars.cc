#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the bars.
std::vector<GanttChartBar> GanttChartContentController::visibleBars() const { return {}; }

// Built with the bars.
std::vector<GanttChartBar> GanttChartContentController::visibleBars(
    const Rectangle& /*rectangle*/) const {
  return {};
}

// Built with the bars.
std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines() const {
  return {};
}

// Built with the bars.
std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines(
    const Rectangle& /*rectangle*/) const {
  return {};
}

// Built with the bars.
Rectangle GanttChartContentController::bounds(const GanttChartItemPtr& /*item*/) const {
  return Rectangle();
}

// Built with the bars.
Rectangle GanttChartContentController::completionBounds(const GanttChartItemPtr& /*item*/) const {
  return Rectangle();
}

// Built with the bars.
std::optional<GanttChartBar> GanttChartContentController::bar(
    const Point& /*point*/, std::optional<double> /*maxDistance*/,
    std::optional<bool> /*acceptVerticalDistance*/) const {
  return std::nullopt;
}

// Built with the bars.
GanttChartItemPtr GanttChartContentController::item(const Point& /*point*/) const {
  return nullptr;
}

// Built with the bars.
std::optional<GanttChartDependencyLine> GanttChartContentController::dependencyLine(
    const Point& /*point*/, std::optional<double> /*maxDistance*/) const {
  return std::nullopt;
}

// Built with the bars.
GanttChartDependencyPtr GanttChartContentController::dependency(const Point& /*point*/) const {
  return nullptr;
}

// Built with the bars.
std::vector<Point> GanttChartContentController::polyline(
    const GanttChartDependencyPtr& /*dependency*/) const {
  return {};
}

// Built with the bars.
std::vector<Point> GanttChartContentController::dependencyPolyline(
    const Rectangle& /*from*/, const Rectangle& /*to*/, GanttChartDependencyType /*type*/,
    bool /*fromMilestone*/, bool /*toMilestone*/) const {
  return {};
}

}  // namespace vorlent
