#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the hit testing.
GanttChartElement GanttChartContentController::element(const Point& /*point*/) const {
  return GanttChartElement::emptyArea(GanttChartPosition{}, false, false);
}

// Built with the hit testing.
void GanttChartContentController::activate(const Point& /*point*/) {}

// Built with the hit testing.
void GanttChartContentController::select(const Point& /*point*/) {}

// Built with the hit testing.
void GanttChartContentController::focusElement(const Point& /*point*/, bool /*selecting*/,
                                               bool /*bringingToFront*/) {}

// Built with the hit testing.
void GanttChartContentController::cancelFocus() {}

// Built with the hit testing.
std::optional<GanttChartElement> GanttChartContentController::elementFocusing(
    const Point& /*point*/, bool /*bringingToFront*/) {
  return std::nullopt;
}

// Built with the hit testing.
GanttChartItemPtr GanttChartContentController::focusedItem() const { return nullptr; }

// Built with the hit testing.
GanttChartDependencyPtr GanttChartContentController::focusedDependency() const { return nullptr; }

// Built with the hit testing.
std::optional<GanttChartPosition> GanttChartContentController::focusedEmptyAreaPosition() const {
  return std::nullopt;
}

// Built with the hit testing.
GanttChartItemPtr GanttChartContentController::selectedItem() const { return nullptr; }

// Built with the hit testing.
void GanttChartContentController::setSelectedItem(GanttChartItemPtr /*item*/) {}

// Built with the hit testing.
GanttChartDependencyPtr GanttChartContentController::selectedDependency() const {
  return nullptr;
}

// Built with the hit testing.
void GanttChartContentController::setSelectedDependency(GanttChartDependencyPtr /*dependency*/) {}

// Built with the hit testing.
void GanttChartContentController::initialize(const GanttChartItemPtr& /*item*/) {}

// Built with the hit testing.
void GanttChartContentController::initialize(const GanttChartDependencyPtr& /*dependency*/) {}

// Built with the hit testing.
bool GanttChartContentController::canEdit(const GanttChartItemPtr& /*item*/) const {
  return false;
}

// Built with the hit testing.
bool GanttChartContentController::canEdit(const GanttChartDependencyPtr& /*dependency*/) const {
  return false;
}

// Built with the hit testing.
void GanttChartContentController::edit(const GanttChartItemPtr& /*item*/) {}

// Built with the hit testing.
void GanttChartContentController::edit(const GanttChartDependencyPtr& /*dependency*/) {}

// Built with the hit testing.
void GanttChartContentController::addNewItem(int64_t /*row*/, const Time& /*time*/,
                                             bool /*isMilestone*/) {}

// Built with the hit testing.
void GanttChartContentController::removeItem(const GanttChartItemPtr& /*item*/) {}

// Built with the hit testing.
void GanttChartContentController::removeDependency(
    const GanttChartDependencyPtr& /*dependency*/) {}

// Built with the hit testing.
void GanttChartContentController::selectedElementDidChange() {}

}  // namespace vorlent
