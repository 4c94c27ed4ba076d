#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the dragging.
void GanttChartContentController::beginDragging(const Point& /*point*/,
                                                bool /*acceptScrolling*/) {}

// Built with the dragging.
void GanttChartContentController::continueDragging(const Point& /*point*/) {}

// Built with the dragging.
void GanttChartContentController::endDragging() {}

// Built with the dragging.
void GanttChartContentController::cancelDragging() {}

}  // namespace vorlent
