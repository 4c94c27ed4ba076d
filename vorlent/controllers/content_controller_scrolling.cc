#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Built with the scrolling.
void GanttChartContentController::beginZooming() {}

// Built with the scrolling.
void GanttChartContentController::continueZooming(double /*factor*/) {}

// Built with the scrolling.
void GanttChartContentController::endZooming() {}

// Built with the scrolling.
bool GanttChartContentController::showDependencyLineThumb(const Point& /*point*/) {
  return false;
}

// Built with the scrolling.
void GanttChartContentController::hideDependencyLineThumb() {}

// Built with the scrolling.
bool GanttChartContentController::showTemporaryBar(const Point& /*point*/) { return false; }

// Built with the scrolling.
void GanttChartContentController::hideTemporaryBar() {}

// Built with the scrolling.
void GanttChartContentController::scroll(const TimeRange& /*range*/,
                                         std::optional<double> /*margin*/) {}

// Built with the scrolling.
void GanttChartContentController::scroll(const Time& /*time*/,
                                         std::optional<double> /*margin*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVertically(const RowRange& /*range*/,
                                                   std::optional<double> /*margin*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVertically(int64_t /*row*/,
                                                   std::optional<double> /*margin*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollBy(double /*dx*/, double /*dy*/) {}

// Built with the scrolling.
Time GanttChartContentController::visibleTimelineCenter() const { return Time(); }

// Built with the scrolling.
void GanttChartContentController::scrollVisibleTimelineToCenterOn(const Time& /*time*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVisibleTimelineToStartOn(const Time& /*time*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVisibleTimelineToFinishOn(const Time& /*time*/) {}

// Built with the scrolling.
int64_t GanttChartContentController::visibleRangeCenter() const { return 0; }

// Built with the scrolling.
void GanttChartContentController::scrollVisibleRangeToCenterOn(int64_t /*row*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVisibleRangeToBeginWith(int64_t /*row*/) {}

// Built with the scrolling.
void GanttChartContentController::scrollVisibleRangeToEndWith(int64_t /*row*/) {}

// Built with the scrolling.
void GanttChartContentController::shiftScrollableTimelineIfNeeded() {}

// Built with the scrolling.
void GanttChartContentController::initializeAutoRefreshTimer(double /*interval*/,
                                                             TimeUnit /*unit*/) {}

// Built with the scrolling.
void GanttChartContentController::invalidateAutoRefreshTimer() {}

}  // namespace vorlent
