// TEMPORARY stand-in for the bars and dependency lines, so that the
// interaction code can be tested before the real implementation is merged.
// Geometry as the bars' own code will compute it; the router only joins the
// two end points.

#include <algorithm>

#include "vorlent/controllers/content_controller.h"

namespace vorlent {

std::vector<GanttChartBar> GanttChartContentController::visibleBars() const {
  if (auto cached = cachedVisibleBars_.find(viewport())) return *cached;
  std::vector<GanttChartBar> bars;
  for (const GanttChartItemPtr& item : itemManager()->filteredItems()) {
    if (item->isVisible()) bars.push_back(GanttChartBar{item, Rectangle()});
  }
  std::stable_sort(bars.begin(), bars.end(), [](const GanttChartBar& a, const GanttChartBar& b) {
    return a.item->zIndex() < b.item->zIndex();
  });
  for (GanttChartBar& bar : bars) bar.bounds = bounds(bar.item);
  return *cachedVisibleBars_.store(viewport(), std::move(bars));
}

std::vector<GanttChartBar> GanttChartContentController::visibleBars(
    const Rectangle& rectangle) const {
  std::vector<GanttChartBar> bars;
  for (const GanttChartBar& bar : visibleBars()) {
    if (bar.bounds.intersects(rectangle)) bars.push_back(bar);
  }
  return bars;
}

std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines() const {
  if (!settings().showsDependencyLines) return {};
  if (auto cached = cachedVisibleDependencyLines_.find(viewport())) return *cached;
  std::vector<GanttChartDependencyLine> lines;
  for (const GanttChartDependencyPtr& dependency : itemManager()->filteredDependencies()) {
    if (dependency->isVisible() && dependency->from()->isVisible() &&
        dependency->to()->isVisible()) {
      lines.push_back(GanttChartDependencyLine{dependency, {}});
    }
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const GanttChartDependencyLine& a, const GanttChartDependencyLine& b) {
                     return a.dependency->zIndex() < b.dependency->zIndex();
                   });
  for (GanttChartDependencyLine& line : lines) line.polyline = polyline(line.dependency);
  return *cachedVisibleDependencyLines_.store(viewport(), std::move(lines));
}

std::vector<GanttChartDependencyLine> GanttChartContentController::visibleDependencyLines(
    const Rectangle& rectangle) const {
  std::vector<GanttChartDependencyLine> lines;
  for (const GanttChartDependencyLine& line : visibleDependencyLines()) {
    for (size_t i = 1; i < line.polyline.size(); ++i) {
      if (rectangle.intersects(Line{line.polyline[i - 1], line.polyline[i]})) {
        lines.push_back(line);
        break;
      }
    }
  }
  return lines;
}

Rectangle GanttChartContentController::bounds(const GanttChartItemPtr& item) const {
  const double h = rowHeight();
  const double inset = actualStyle().verticalBarInset;
  const double m = item->isMilestone() ? std::max(h * 0.5 - inset, 0.0) : 0.0;
  return Rectangle(x(item->start()) - m, h * static_cast<double>(item->row()) + inset,
                   std::max(settings().minBarWidth, width(item->time()) + 2 * m),
                   std::max(h - 2 * inset, 0.25));
}

Rectangle GanttChartContentController::completionBounds(const GanttChartItemPtr& item) const {
  const double h = rowHeight();
  const double inset = actualStyle().verticalBarInset;
  const Time until = itemManager()->timeCompletedUntil(item);
  double height = h - 2 * inset;
  if (item->isSummary()) height -= actualStyle().summaryTriangleInset;
  return Rectangle(x(item->start()), h * static_cast<double>(item->row()) + inset,
                   width(TimeRange(item->start(), until)), height);
}

std::optional<GanttChartBar> GanttChartContentController::bar(
    const Point& point, std::optional<double> maxDistance,
    std::optional<bool> acceptVerticalDistance) const {
  if (!cachedVisibleBars_.find(viewport())) visibleBars();
  const auto snapshot = cachedVisibleBars_.find(viewport());
  const std::vector<GanttChartBar>& bars = *snapshot;
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    if (it->bounds.contains(point)) return *it;
  }
  const double d = maxDistance.value_or(0);
  const double dy = acceptVerticalDistance.value_or(false) ? d : 0;
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    if (it->bounds.insetBy(-d, -dy).contains(point)) return *it;
  }
  return std::nullopt;
}

GanttChartItemPtr GanttChartContentController::item(const Point& point) const {
  const auto found = bar(point);
  return found ? found->item : nullptr;
}

std::optional<GanttChartDependencyLine> GanttChartContentController::dependencyLine(
    const Point& point, std::optional<double> maxDistance) const {
  const double d = maxDistance.value_or(settings().maxLineHoveringDistance);
  if (!settings().showsDependencyLines) return std::nullopt;
  if (!cachedVisibleDependencyLines_.find(viewport())) visibleDependencyLines();
  const auto snapshot = cachedVisibleDependencyLines_.find(viewport());
  const std::vector<GanttChartDependencyLine>& lines = *snapshot;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (point.isClose(it->polyline, d)) return *it;
  }
  return std::nullopt;
}

GanttChartDependencyPtr GanttChartContentController::dependency(const Point& point) const {
  const auto found = dependencyLine(point);
  return found ? found->dependency : nullptr;
}

std::vector<Point> GanttChartContentController::polyline(
    const GanttChartDependencyPtr& dependency) const {
  return actualDiagramGenerator()->dependencyPolyline(
      bounds(dependency->from()), bounds(dependency->to()), dependency->type(),
      dependency->from()->isMilestone(), dependency->to()->isMilestone());
}

std::vector<Point> GanttChartContentController::dependencyPolyline(
    const Rectangle& from, const Rectangle& to, GanttChartDependencyType type,
    bool /*fromMilestone*/, bool /*toMilestone*/) const {
  const bool leavesStart = type == GanttChartDependencyType::fromStartToStart ||
                           type == GanttChartDependencyType::fromStartToFinish;
  const bool entersStart = type == GanttChartDependencyType::fromFinishToStart ||
                           type == GanttChartDependencyType::fromStartToStart;
  return {Point{leavesStart ? from.left() : from.right(), from.centerY()},
          Point{entersStart ? to.left() : to.right(), to.centerY()}};
}

}  // namespace vorlent
