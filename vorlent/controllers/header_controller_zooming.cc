// Zooming by dragging in the header, and the scrolling requests the header
// sends to its scroller.

#include <cmath>

#include "vorlent/controllers/header_controller.h"

namespace vorlent {

// --- Zooming ----------------------------------------------------------------------

double GanttChartHeaderController::setZoomCoercing(double zoom) {
  if (std::isnan(zoom)) return this->zoom();
  const auto alive = keepAlive();
  const GanttChartHeaderSettings& limits = settings();
  double coerced = zoom;
  if (limits.minZoom > coerced) coerced = limits.minZoom;
  if (limits.maxZoom < coerced) coerced = limits.maxZoom;
  setZoom(coerced);
  return this->zoom();
}

void GanttChartHeaderController::beginDragging(const Point& point) {
  if (!settings().allowsZooming || !std::isfinite(point.x)) return;
  draggingFromX_ = point.x - viewport().origin.x;
  zoomingFrom_ = zoom();
  zoomingTime_ = visibleTimelineCenter();
}

void GanttChartHeaderController::continueDragging(const Point& point) {
  if (!draggingFromX_ || !zoomingFrom_ || !zoomingTime_ || !std::isfinite(point.x)) return;
  const GanttChartHeaderSettings& current = settings();
  const double unit = current.zoomingUnitWidth;
  const double threshold = current.zoomingThresholdWidth / unit;  // the dead zone, in zoom units
  if (!(unit > 0) || !std::isfinite(unit) || !std::isfinite(threshold)) return;
  const auto alive = keepAlive();

  // Drag space stretches zoom 1 over [1 - threshold, 1 + threshold], so the
  // zoom sticks at exactly 1 while the pointer stays near where it would be.
  const double from = *zoomingFrom_;
  const double start = from > 1 ? from + threshold : (from < 1 ? from - threshold : from);
  const double dx = point.x - viewport().origin.x - *draggingFromX_;
  const double dragged = start + dx / unit;
  double zoomed = 1;
  if (dragged > 1 + threshold) {
    zoomed = dragged - threshold;
  } else if (dragged < 1 - threshold) {
    zoomed = dragged + threshold;
  }
  if (!(zoomed < current.maxZoom)) zoomed = current.maxZoom;
  if (current.minZoom > zoomed) zoomed = current.minZoom;
  if (!std::isfinite(zoomed)) return;

  // Observers of the zoom may end the drag; keep the centre to return to.
  const Time centre = *zoomingTime_;
  setZoom(zoomed);
  scrollVisibleTimelineToCenterOn(centre);
}

void GanttChartHeaderController::endDragging() {
  zoomingTime_.reset();
  zoomingFrom_.reset();
  draggingFromX_.reset();
}

// --- Scrolling requests -----------------------------------------------------------

void GanttChartHeaderController::requestScroll(double startX, double finishX) {
  if (!std::isfinite(startX) || !std::isfinite(finishX)) return;
  if (auto s = scroller()) s->scrollTo(startX, finishX);
}

void GanttChartHeaderController::scroll(const TimeRange& range, std::optional<double> margin) {
  const double m = margin && std::isfinite(*margin) ? *margin : 0;
  requestScroll(x(range.start) - m, x(range.finish) + m);
}

void GanttChartHeaderController::scroll(const Time& time, std::optional<double> margin) {
  const double m = margin && std::isfinite(*margin) ? *margin : 0;
  const double at = x(time);
  requestScroll(at - m, at + m);
}

void GanttChartHeaderController::scrollBy(double dx) {
  if (dx == 0 || !std::isfinite(dx)) return;
  const Rectangle visible = viewport();
  requestScroll(visible.left() + dx, visible.left() + visible.width() + dx);
}

Time GanttChartHeaderController::visibleTimelineCenter() const {
  const TimeRange visible = visibleTimeline();
  return visibilitySchedule_->finish(visible.start, workingSeconds(visible) * 0.5,
                                     TimeUnit::seconds);
}

void GanttChartHeaderController::scrollVisibleTimelineToCenterOn(const Time& time) {
  const double half = workingSeconds(visibleTimeline()) * 0.5;
  const Time start = visibilitySchedule_->start(time, half, TimeUnit::seconds);
  const Time finish = visibilitySchedule_->finish(time, half, TimeUnit::seconds);
  requestScroll(x(start), x(finish));
}

void GanttChartHeaderController::scrollVisibleTimelineToStartOn(const Time& time) {
  const Time finish =
      visibilitySchedule_->finish(time, workingSeconds(visibleTimeline()), TimeUnit::seconds);
  requestScroll(x(time), x(finish));
}

void GanttChartHeaderController::scrollVisibleTimelineToFinishOn(const Time& time) {
  const Time start =
      visibilitySchedule_->start(time, workingSeconds(visibleTimeline()), TimeUnit::seconds);
  requestScroll(x(start), x(time));
}

}  // namespace vorlent
