#pragma once

#include <vector>

#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/model/dependency.h"

namespace vorlent {

// Routes dependency lines: given the bars of a dependency's two items, the
// polyline along which the line is drawn and hit, from the source end to the
// target end. The chart area's controller is one (its own router); a host may
// set another one on the controller, which holds it weakly.
class GanttChartDiagramGenerator {
 public:
  virtual ~GanttChartDiagramGenerator() = default;
  [[nodiscard]] virtual std::vector<Point> dependencyPolyline(const Rectangle& from,
                                                              const Rectangle& to,
                                                              GanttChartDependencyType type,
                                                              bool fromMilestone,
                                                              bool toMilestone) const = 0;
};

// Straight lines: the polyline is the source end point and the target end
// point.
class GanttChartDirectDiagramGenerator : public GanttChartDiagramGenerator {
 public:
  GanttChartDirectDiagramGenerator() = default;

  [[nodiscard]] std::vector<Point> dependencyPolyline(const Rectangle& from, const Rectangle& to,
                                                      GanttChartDependencyType type,
                                                      bool fromMilestone,
                                                      bool toMilestone) const override;
};

// Where a dependency line of `type` leaves its source bar `from` and enters
// its target bar `to`: the left edge for the start end, the right edge for
// the finish end, each at the bar's vertical middle.
[[nodiscard]] Point dependencyLineStartPoint(const Rectangle& from, GanttChartDependencyType type);
[[nodiscard]] Point dependencyLineEndPoint(const Rectangle& to, GanttChartDependencyType type);

}  // namespace vorlent
