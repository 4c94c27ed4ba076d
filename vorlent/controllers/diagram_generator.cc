#include "vorlent/controllers/diagram_generator.h"

namespace vorlent {

Point dependencyLineStartPoint(const Rectangle& from, GanttChartDependencyType type) {
  return Point{isFromEntropic(type) ? from.right() : from.left(), from.centerY()};
}

Point dependencyLineEndPoint(const Rectangle& to, GanttChartDependencyType type) {
  return Point{isToEntropic(type) ? to.left() : to.right(), to.centerY()};
}

std::vector<Point> GanttChartDirectDiagramGenerator::dependencyPolyline(
    const Rectangle& from, const Rectangle& to, GanttChartDependencyType type,
    bool /*fromMilestone*/, bool /*toMilestone*/) const {
  return {dependencyLineStartPoint(from, type), dependencyLineEndPoint(to, type)};
}

}  // namespace vorlent
