#include <algorithm>
#include <cmath>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/saturating_math.h"
#include "vorlent/controllers/settled_timeline.h"

namespace vorlent {

namespace {

// Field by field, so that a cached result is reused only for the very value
// it was computed from (24:00 and the next day's 0:00 give results in
// different forms).
bool identical(const Time& a, const Time& b) {
  return a.week == b.week && a.dayOfWeek == b.dayOfWeek && a.timeOfDay == b.timeOfDay;
}
bool identical(const TimeRange& a, const TimeRange& b) {
  return identical(a.start, b.start) && identical(a.finish, b.finish);
}

}  // namespace

// --- Rows ---------------------------------------------------------------------

void GanttChartContentController::setDesiredScrollableRowCount(std::optional<int64_t> count) {
  if (count == desiredScrollableRowCount_) return;
  ReactionScope scope(*this);
  desiredScrollableRowCount_ = count;
  clearCaches();
  updateItemManagerRange();
  tellContentChanged();
  tell(&GanttChartContentRangeObserver::totalRowCountDidChange);
  tell(&GanttChartContentRangeObserver::visibleRangeDidChange);
}

void GanttChartContentController::setExtraRowCount(int64_t count) {
  ReactionScope scope(*this);
  extraRowCount_ = count;
  clearCaches();
  tell(&GanttChartContentObserver::totalDiagramSizeDidChange);
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
  tell(&GanttChartContentRangeObserver::totalRowCountDidChange);
}

int64_t GanttChartContentController::actualRowCount() const {
  if (!managedTotalRowCount_) managedTotalRowCount_ = itemManager_->totalRowCount();
  // The extra rows give a bar dragged below the last row somewhere to go; a
  // desired row count switches them off.
  const int64_t extra =
      !desiredScrollableRowCount_ && settings_.allowsMovingBarsVertically ? extraRowCount_ : 0;
  const int64_t desired = desiredScrollableRowCount_.value_or(0);
  return std::max(saturatingAdd(*managedTotalRowCount_, extra), std::max<int64_t>(desired, 1));
}

RowRange GanttChartContentController::visibleRange() const { return range(viewport_); }

RowRange GanttChartContentController::range(const Rectangle& rectangle) const {
  return range(rectangle.origin.y, rectangle.size.height);
}

RowRange GanttChartContentController::range(double top, double height) const {
  const int64_t rowCount = actualRowCount();
  const double rowHeight = effectiveRowHeight();
  // Rows without height all lie at y 0: any band shows them all.
  if (rowHeight == 0) return RowRange(0, rowCount - 1);
  const int64_t first = std::max<int64_t>(saturatingFloor(top / rowHeight), 0);
  const int64_t last =
      saturatingSubtract(std::min(saturatingCeil((top + height) / rowHeight), rowCount), 1);
  return RowRange(std::min(first, last), std::max(first, last));
}

void GanttChartContentController::updateItemManagerRange() {
  const RowRange visible = range(viewport_.origin.y, viewport_.size.height);
  // An extension that is not a finite number of rows reaches no further.
  const double rows = viewportExtensionHeight_ / effectiveRowHeight();
  const int64_t extension = std::isfinite(rows) ? saturatingCeil(rows) : 0;
  const int64_t first = saturatingSubtract(visible.first(), extension);
  const int64_t last = saturatingAdd(visible.last(), extension);
  // The manager answers the push by calling back into this controller, whose
  // observers may replace the manager meanwhile; keep it alive until its call
  // has returned.
  const GanttChartItemManagerPtr manager = itemManager_;
  manager->setRange(RowRange(std::min(first, last), std::max(first, last)));
}

// --- Timelines -----------------------------------------------------------------

void GanttChartContentController::setScrollableTimeline(std::optional<TimeRange> timeline) {
  // A NaN end given again is no change either (see settled_timeline.h).
  if (timeline.has_value() == scrollableTimeline_.has_value() &&
      (!timeline || sameTimeline(*timeline, *scrollableTimeline_))) {
    return;
  }
  ReactionScope scope(*this);
  scrollableTimeline_ = timeline;
  timelineShapeDidChange();
}

TimeRange GanttChartContentController::actualTimeline() const {
  return scrollableTimeline_ ? *scrollableTimeline_ : preferredTimeline();
}

TimeRange GanttChartContentController::preferredTimeline() const {
  const TimeRange items = itemManager_->preferredTimeline();
  const bool keeps = visibilityScheduleIsFixed();
  if (keeps && preferredTimelineCache_ &&
      identical(preferredTimelineCache_->itemsTimeline, items)) {
    return preferredTimelineCache_->preferredTimeline;
  }
  // Asked of the calendar itself: the working-time table is laid out around
  // this very timeline.
  const ScheduleDefinition& schedule = *visibilitySchedule_;
  const double attachments = showsAttachments_ ? attachmentLabelWidth_ : 0;
  const double after = std::max(preferredTimelineMargin_, attachments);
  const TimeRange preferred(
      schedule.start(items.start, secondsFor(preferredTimelineMargin_), TimeUnit::seconds),
      schedule.finish(items.finish, secondsFor(after), TimeUnit::seconds));
  if (keeps) preferredTimelineCache_ = PreferredTimelineCache{items, preferred};
  return preferred;
}

TimeRange GanttChartContentController::visibleTimeline() const {
  return timeline(viewport_.origin.x, viewport_.size.width);
}

TimeRange GanttChartContentController::timeline(const Rectangle& rectangle) const {
  return timeline(rectangle.origin.x, rectangle.size.width);
}

TimeRange GanttChartContentController::timeline(double left, double width) const {
  const Time start = time(left);
  return TimeRange(start, visibleFinish(start, secondsFor(width)));
}

void GanttChartContentController::updateItemManagerTimeline() {
  const TimeRange visible = timeline(viewport_.origin.x, viewport_.size.width);
  const double extension = secondsFor(viewportExtensionWidth_);
  // Kept alive through its callbacks, as above.
  const GanttChartItemManagerPtr manager = itemManager_;
  manager->setTimeline(TimeRange(visibleStart(visible.start, extension),
                                 visibleFinish(visible.finish, extension)));
}

// --- The item manager's collection notifications --------------------------------

void GanttChartContentController::totalRowCountDidChange() {
  ReactionScope scope(*this);
  clearCaches();
  managedTotalRowCount_ = itemManager_->totalRowCount();
  updateItemManagerRange();
  tell(&GanttChartContentObserver::totalDiagramSizeDidChange);
  tell(&GanttChartContentObserver::highlightedScheduleAreasDidChange);
  tell(&GanttChartContentObserver::highlightedIntervalAreasDidChange);
  tell(&GanttChartContentRangeObserver::totalRowCountDidChange);
  tell(&GanttChartContentRangeObserver::visibleRangeDidChange);
}

void GanttChartContentController::preferredTimelineDidChange() {
  // A scrollable timeline does not follow the items.
  if (scrollableTimeline_) return;
  ReactionScope scope(*this);
  clearCaches();
  updateItemManagerTimeline();
  tell(&GanttChartContentObserver::totalDiagramSizeDidChange);
  tell(&GanttChartContentTimelineObserver::timelineDidChange);
  tell(&GanttChartContentTimelineObserver::visibleTimelineDidChange);
}

void GanttChartContentController::filteredItemsDidChange() {
  // The filtered lists follow from the viewport that keys the caches, so
  // nothing is cleared.
  if (pushingViewportFilter_) return;
  ReactionScope scope(*this);
  tell(&GanttChartContentObserver::visibleBarsDidChange);
}

void GanttChartContentController::filteredDependenciesDidChange() {
  if (pushingViewportFilter_) return;
  ReactionScope scope(*this);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
}

void GanttChartContentController::collectionDidChange() {
  ReactionScope scope(*this);
  // The thumb's item may be gone or moved; hide it whatever changed.
  dependencyLineThumbArea_.reset();
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
  clearCaches();
  tell(&GanttChartContentObserver::totalDiagramSizeDidChange);
  tell(&GanttChartContentObserver::visibleBarsDidChange);
  tell(&GanttChartContentObserver::visibleDependencyLinesDidChange);
}

}  // namespace vorlent
