#include "vorlent/controllers/drawing_bounds.h"

#include <algorithm>
#include <cmath>

namespace vorlent::detail {

Rectangle drawingBounds(const Rectangle& viewport, const Size& diagram) {
  const Rectangle shown(viewport.origin, viewport.size);  // normalised
  const double margin = std::min(
      std::max({kMinDrawingMargin, std::abs(shown.size.width), std::abs(shown.size.height)}),
      kMaxDrawingReach);
  const double width = std::isfinite(diagram.width) ? diagram.width : shown.right();
  const double height = std::isfinite(diagram.height) ? diagram.height : shown.bottom();
  const double left = std::min(0.0, shown.left()) - margin;
  const double top = std::min(0.0, shown.top()) - margin;
  const double right = std::max(width, shown.right()) + margin;
  const double bottom = std::max(height, shown.bottom()) + margin;
  return Rectangle::fromEdges(
      std::max(left, shown.left() - kMaxDrawingReach), std::max(top, shown.top() - kMaxDrawingReach),
      std::min(right, shown.right() + kMaxDrawingReach),
      std::min(bottom, shown.bottom() + kMaxDrawingReach));
}

Size paintableDiagramSize(const Rectangle& viewport, const Size& diagram) {
  const Rectangle area = drawingBounds(viewport, diagram);
  // NaN fails every comparison, so it is caught before clamping.
  const auto cut = [](double length, double limit) {
    return length > 0 ? std::min(length, std::max(0.0, limit)) : 0.0;
  };
  return Size{cut(diagram.width, area.right()), cut(diagram.height, area.bottom())};
}

Size filledDiagramSize(const Rectangle& viewport, const Size& diagram) {
  const Rectangle shown(viewport.origin, viewport.size);  // normalised
  // NaN fails the comparison and gives way to the edge.
  const double width = diagram.width >= shown.right() ? diagram.width : shown.right();
  return paintableDiagramSize(viewport, Size{width, diagram.height});
}

}  // namespace vorlent::detail
