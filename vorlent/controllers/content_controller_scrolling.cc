// Zooming, the link thumb, the temporary dependency line and bar, scroll
// requests, shifting the scrollable timeline, and the auto-refresh timer.

#include <cmath>
#include <memory>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_checks.h"
#include "vorlent/controllers/header_finite.h"
#include "vorlent/controllers/saturating_math.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {

namespace {

using detail::isFinite;
using detail::isUsable;

// A margin that is absent or not finite counts as none.
double marginOrZero(std::optional<double> margin) {
  return margin && std::isfinite(*margin) ? *margin : 0;
}

}  // namespace

// --- Zooming ------------------------------------------------------------------------

void GanttChartContentController::beginZooming() {
  if (!settings().allowsZooming) return;
  zoomingFrom_ = zoom();
  zoomingOnTime_ = visibleTimelineCenter();
}

void GanttChartContentController::continueZooming(double factor) {
  if (!zoomingFrom_ || !zoomingOnTime_) return;
  const double zoomed = *zoomingFrom_ * factor;
  if (!std::isfinite(zoomed) || !(zoomed > 0)) return;
  ReactionScope scope(*this);
  // Observers of the zoom may end the gesture; keep the centre to return to.
  const Time centre = *zoomingOnTime_;
  setZoom(zoomed);
  scrollVisibleTimelineToCenterOn(centre);
}

void GanttChartContentController::endZooming() {
  zoomingFrom_.reset();
  zoomingOnTime_.reset();
}

// --- Link thumb ---------------------------------------------------------------------

bool GanttChartContentController::showDependencyLineThumb(const Point& point) {
  ReactionScope scope(*this);
  hideDependencyLineThumb();
  const GanttChartContentSettings& current = settings();
  if (!current.showsDependencyLines || !isFinite(point)) return false;
  const double d = current.maxBarHoveringDistance;
  const std::optional<GanttChartBar> found = bar(point, d);
  if (!found || !current.allowsCreatingDependencyLinesFrom(*found->item)) return false;
  const Rectangle& b = found->bounds;
  if (b.left() <= point.x && point.x >= b.right() - d) {
    showDependencyLineThumb(*found, GanttChartDependencyEndType::finish, d);
    return true;
  }
  if (point.x <= b.right() && point.x <= b.left() + d &&
      current.allowsCreatingDependencyLinesFromStart) {
    showDependencyLineThumb(*found, GanttChartDependencyEndType::start, d);
    return true;
  }
  return false;
}

void GanttChartContentController::showDependencyLineThumb(const GanttChartBar& bar,
                                                          GanttChartDependencyEndType type,
                                                          double distance) {
  const Rectangle& b = bar.bounds;
  const double radius = actualStyle().dependencyLineThumbRadius;
  const double middle = b.top() + b.height() / 2;
  const bool atFinish = type == GanttChartDependencyEndType::finish;
  const double edge = atFinish ? b.right() : b.left();
  const double outer = atFinish ? edge + distance : edge - distance;
  dependencyLineThumbArea_ = GanttChartDependencyLineThumbArea{
      bar.item, type, Rectangle::fromEdges(edge, middle - radius, outer, middle + radius),
      Point{edge, middle}, radius};
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
}

void GanttChartContentController::hideDependencyLineThumb() {
  ReactionScope scope(*this);
  dependencyLineThumbArea_.reset();
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
}

// --- Temporary dependency line ------------------------------------------------------------

void GanttChartContentController::updateTemporaryDependencyLine(
    const GanttChartItemPtr& from, GanttChartDependencyEndType fromType, const Point& pointer) {
  temporaryDependencyLine_.reset();
  tell(&GanttChartContentObserver::temporaryDependencyLineDidChange);
  const Rectangle fromBounds = bounds(from);
  const GanttChartContentSettings& current = settings();

  GanttChartItemPtr to;
  GanttChartDependencyEndType toType = GanttChartDependencyEndType::start;
  Rectangle toBounds(pointer, Size{});
  // The source's own bar is no target: a self-link would make the item push
  // itself along.
  if (const std::optional<GanttChartBar> target = bar(pointer);
      target && target->item != from && current.allowsCreatingDependencyLinesTo(*target->item)) {
    const Rectangle& b = target->bounds;
    const bool beforeFinishEnd =
        pointer.x <=
        b.left() + b.width() - b.width() * current.creatingDependencyLineFinishEndWidthRatio;
    if (beforeFinishEnd || current.allowsCreatingDependencyLinesToFinish) {
      to = target->item;
      toType = beforeFinishEnd ? GanttChartDependencyEndType::start
                               : GanttChartDependencyEndType::finish;
      toBounds = b;
      draggingCompletion_ = GanttChartDraggingCompletion::wouldCreateDependencyLine(to, toType);
    }
  }

  const GanttChartDependencyType type = makeGanttChartDependencyType(fromType, toType);
  std::vector<Point> polyline =
      dependencyPolyline(fromBounds, toBounds, type, from->isMilestone(), to && to->isMilestone());
  temporaryDependencyLine_ =
      GanttChartTemporaryDependencyLine{from, fromType, to, toType, std::move(polyline)};
  tell(&GanttChartContentObserver::temporaryDependencyLineDidChange);
}

// --- Temporary bar ------------------------------------------------------------------

bool GanttChartContentController::showTemporaryBar(const Point& point) {
  ReactionScope scope(*this);
  hideTemporaryBar();
  const GanttChartElement element = this->element(point);
  const auto* area = element.as<GanttChartElement::EmptyArea>();
  if (!area || !area->allowsCreating || !(area->position.row < actualRowCount())) return false;
  const GanttChartContentSettings& current = settings();
  const double inset = current.actualStyle().verticalBarInset;
  const double width = current.temporaryBarWidth.value_or(current.minBarWidth);
  const double h = rowHeight();
  const Rectangle outline(x(area->position.time),
                          h * static_cast<double>(area->position.row) + inset, width,
                          h - 2 * inset);
  // Geometry that is not finite never reaches a presenter.
  if (!isFinite(outline)) return false;
  temporaryBar_ = GanttChartTemporaryBar{outline};
  tell(&GanttChartContentObserver::temporaryBarDidChange);
  return true;
}

void GanttChartContentController::hideTemporaryBar() {
  ReactionScope scope(*this);
  temporaryBar_.reset();
  tell(&GanttChartContentObserver::temporaryBarDidChange);
}

// --- Scroll requests --------------------------------------------------------------------

void GanttChartContentController::requestScroll(double startX, double finishX) const {
  if (!std::isfinite(startX) || !std::isfinite(finishX)) return;
  if (auto target = scroller()) target->scrollTo(startX, finishX);
}

void GanttChartContentController::requestVerticalScroll(double startY, double finishY) const {
  if (!std::isfinite(startY) || !std::isfinite(finishY)) return;
  if (auto target = scroller()) target->scrollVerticallyTo(startY, finishY);
}

void GanttChartContentController::scroll(const TimeRange& range, std::optional<double> margin) {
  if (!isUsable(range.start) || !isUsable(range.finish)) return;
  const double m = marginOrZero(margin);
  requestScroll(x(range.start) - m, x(range.finish) + m);
}

void GanttChartContentController::scroll(const Time& time, std::optional<double> margin) {
  if (!isUsable(time)) return;
  const double m = marginOrZero(margin);
  const double at = x(time);
  requestScroll(at - m, at + m);
}

void GanttChartContentController::scrollVertically(const RowRange& range,
                                                   std::optional<double> margin) {
  const double m = marginOrZero(margin);
  const double h = rowHeight();
  requestVerticalScroll(h * static_cast<double>(range.first()) - m,
                        h * static_cast<double>(range.last()) + h + m);
}

void GanttChartContentController::scrollVertically(int64_t row, std::optional<double> margin) {
  scrollVertically(RowRange(row, row), margin);
}

void GanttChartContentController::scrollBy(double dx, double dy) {
  ReactionScope scope(*this);
  if (dx != 0) {
    const Rectangle visible = viewport();
    requestScroll(visible.left() + dx, visible.right() + dx);
  }
  if (dy != 0) {
    // Read again: the horizontal request may have moved the viewport.
    const Rectangle visible = viewport();
    requestVerticalScroll(visible.top() + dy, visible.bottom() + dy);
  }
}

Time GanttChartContentController::visibleTimelineCenter() const {
  const TimeRange visible = visibleTimeline();
  return visibleFinish(visible.start, visibleDuration(visible.start, visible.finish) / 2);
}

void GanttChartContentController::scrollVisibleTimelineToCenterOn(const Time& time) {
  if (!isUsable(time)) return;
  const TimeRange visible = visibleTimeline();
  const double half = visibleDuration(visible.start, visible.finish) / 2;
  requestScroll(x(visibleStart(time, half)), x(visibleFinish(time, half)));
}

void GanttChartContentController::scrollVisibleTimelineToStartOn(const Time& time) {
  if (!isUsable(time)) return;
  const TimeRange visible = visibleTimeline();
  const double duration = visibleDuration(visible.start, visible.finish);
  requestScroll(x(time), x(visibleFinish(time, duration)));
}

void GanttChartContentController::scrollVisibleTimelineToFinishOn(const Time& time) {
  if (!isUsable(time)) return;
  const TimeRange visible = visibleTimeline();
  const double duration = visibleDuration(visible.start, visible.finish);
  requestScroll(x(visibleStart(time, duration)), x(time));
}

int64_t GanttChartContentController::visibleRangeCenter() const {
  const RowRange visible = visibleRange();
  return saturatingAdd(saturatingSubtract(visible.last(), visible.first()), 1) / 2;
}

void GanttChartContentController::scrollVisibleRangeToCenterOn(int64_t row) {
  const int64_t half = visibleRangeCenter();
  scrollVertically(
      RowRange(saturatingSubtract(row, half), saturatingAdd(saturatingAdd(row, half), 1)));
}

void GanttChartContentController::scrollVisibleRangeToBeginWith(int64_t row) {
  const RowRange visible = visibleRange();
  const int64_t count = saturatingAdd(saturatingSubtract(visible.last(), visible.first()), 1);
  scrollVertically(RowRange(row, saturatingAdd(saturatingAdd(row, count), 1)));
}

void GanttChartContentController::scrollVisibleRangeToEndWith(int64_t row) {
  const int64_t half = visibleRangeCenter();
  scrollVertically(
      RowRange(saturatingAdd(saturatingSubtract(row, saturatingAdd(half, half)), 1), row));
}

// --- Shifting the scrollable timeline -------------------------------------------------------

void GanttChartContentController::shiftScrollableTimelineIfNeeded() {
  const double now = RunLoop::current().monotonicSeconds();
  if (now < nextTimeForShiftingScrollableTimeline_) return;
  nextTimeForShiftingScrollableTimeline_ = now + kShiftingScrollableTimelineAwait;
  const std::optional<double> amount = settings().autoShiftsScrollableTimelineBy;
  if (!amount || !std::isfinite(*amount) || *amount == 0) return;

  const TimeRange timeline = scrollableTimeline() ? *scrollableTimeline() : preferredTimeline();
  const TimeRange visible = visibleTimeline();
  const ScheduleDefinition& schedule = *visibilitySchedule();
  // Strictly beyond an end, as in an elastic scroll past the content.
  const bool pastStart = schedule.nextTime(visible.start) < schedule.nextTime(timeline.start);
  const bool pastEnd =
      schedule.previousTime(timeline.finish) < schedule.previousTime(visible.finish);
  double shift = 0;
  if (pastEnd && !pastStart) {
    shift = *amount;
  } else if (pastStart && !pastEnd) {
    shift = -*amount;
  } else {
    return;
  }
  // Calendar time, so the timeline keeps its length; never past the range
  // the time arithmetic covers.
  const double span = static_cast<double>(Time::max().week - Time::min().week + 1) * secondsPerWeek;
  if (!(std::abs(shift) < span)) return;
  const TimeRange shifted(timeline.start.addingDuration(shift),
                          timeline.finish.addingDuration(shift));
  if (!isUsable(shifted.start) || !isUsable(shifted.finish)) return;
  setScrollableTimeline(shifted);
}

// --- Auto refresh ---------------------------------------------------------------------------

void GanttChartContentController::initializeAutoRefreshTimer(double interval, TimeUnit unit) {
  invalidateAutoRefreshTimer();
  std::weak_ptr<GanttChartContentController> weakSelf = weak_from_this();
  autoRefreshTimer_ = RunLoop::current().scheduleRepeating(seconds(interval, unit), [weakSelf] {
    if (auto self = weakSelf.lock()) self->autoRefreshTimerDidFire();
  });
}

void GanttChartContentController::invalidateAutoRefreshTimer() {
  autoRefreshTimer_ = RepeatingTimer();
}

void GanttChartContentController::autoRefreshTimerDidFire() {
  if (!showsCurrentTime()) return;
  ReactionScope scope(*this);
  cachedHighlightedIntervalAreas_.clear();
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
}

}  // namespace vorlent
