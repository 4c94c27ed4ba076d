#include "vorlent/controllers/diagram_generator.h"

namespace vorlent {

// Built with the bars.
std::vector<Point> GanttChartDirectDiagramGenerator::dependencyPolyline(
    const Rectangle& /*from*/, const Rectangle& /*to*/, GanttChartDependencyType /*type*/,
    bool /*fromMilestone*/, bool /*toMilestone*/) const {
  return {};
}

}  // namespace vorlent
