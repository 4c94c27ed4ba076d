#include "vorlent/controllers/header_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "vorlent/controllers/header_finite.h"
#include "vorlent/controllers/settled_timeline.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"
#include "vorlent/style/theme_constants.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {

namespace {

// Hours from the first to the last moment of the time grid: no working
// amount beyond it can lead anywhere new, and clamping to it keeps the
// schedule's stepping bounded.
double gridHours() {
  static const double hours = TimeRange(Time::min(), Time::max()).duration() / secondsPerHour;
  return hours;
}

// Equal, or both NaN: assigning NaN over NaN is no change.
bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Floor to an integer, saturating at the limits; NaN gives 0.
int64_t saturatingFloor(double value) {
  if (std::isnan(value)) return 0;
  const double floored = std::floor(value);
  constexpr double limit = 9223372036854775808.0;  // 2^63
  if (floored >= limit) return std::numeric_limits<int64_t>::max();
  if (floored <= -limit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(floored);
}

std::vector<GanttChartHeaderRow> defaultRows() {
  std::vector<GanttChartHeaderRow> rows;
  rows.emplace_back(TimeIntervalType::weeks());
  rows.emplace_back(
      TimeSelector(TimeIntervalType::days(), TimeLabelFormat::dayOfWeekShortAbbreviation()));
  return rows;
}

}  // namespace

std::shared_ptr<GanttChartHeaderController> GanttChartHeaderController::create(
    std::optional<TimeRange> scrollableTimeline) {
  return std::shared_ptr<GanttChartHeaderController>(
      new GanttChartHeaderController(scrollableTimeline));
}

GanttChartHeaderController::GanttChartHeaderController(std::optional<TimeRange> scrollableTimeline)
    : scrollableTimeline_(scrollableTimeline ? *scrollableTimeline : TimeRange::currentWeek()),
      visibilitySchedule_(ScheduleDefinition::continuous()),
      rows_(defaultRows()) {}

GanttChartHeaderController::~GanttChartHeaderController() = default;

void GanttChartHeaderController::clearCaches() {
  cachedTotalDiagramWidth_.reset();
  cachedHighlightedScheduleAreas_.clear();
  cachedCells_.clear();
}

// Each notification looks its observer up afresh: an earlier one may have
// released or replaced it.

void GanttChartHeaderController::tellAreasAndCellsDidChange() {
  if (auto o = observer()) o->highlightedScheduleAreasDidChange();
  if (auto o = observer()) o->cellsDidChange();
}

void GanttChartHeaderController::tellLayoutDidChange() {
  if (auto o = observer()) o->totalDiagramHeaderSizeDidChange();
  tellAreasAndCellsDidChange();
}

void GanttChartHeaderController::tellTimelineDidChange() {
  if (auto o = timelineObserver()) o->timelineDidChange();
  if (auto o = timelineObserver()) o->visibleTimelineDidChange();
}

// --- Property reactions -------------------------------------------------------

void GanttChartHeaderController::setScrollableTimeline(const TimeRange& timeline) {
  // NaN over NaN is no change either: the chart controller copies the
  // content's timeline in again whenever this one is told changed.
  if (sameTimeline(timeline, scrollableTimeline_)) return;
  const auto alive = keepAlive();
  scrollableTimeline_ = timeline;
  clearCaches();
  tellLayoutDidChange();
  tellTimelineDidChange();
}

void GanttChartHeaderController::setVisibilitySchedule(
    std::shared_ptr<ScheduleDefinition> schedule) {
  if (!schedule) schedule = ScheduleDefinition::continuous();
  if (schedule == visibilitySchedule_) return;
  const auto alive = keepAlive();
  visibilitySchedule_ = std::move(schedule);
  clearCaches();
  tellLayoutDidChange();
  tellTimelineDidChange();
}

void GanttChartHeaderController::setRowSelector(
    std::shared_ptr<const GanttChartHeaderRowSelector> selector) {
  const auto alive = keepAlive();
  rowSelector_ = std::move(selector);
  clearCaches();
  tellLayoutDidChange();
  if (auto o = rowArrayObserver()) o->rowCountDidChange();
}

void GanttChartHeaderController::setRows(std::vector<GanttChartHeaderRow> rows) {
  const auto alive = keepAlive();
  rows_ = std::move(rows);
  showsCurrentTime_.reset();
  clearCaches();
  tellLayoutDidChange();
  if (auto o = rowArrayObserver()) o->rowCountDidChange();
}

void GanttChartHeaderController::setHourWidth(double hourWidth) {
  if (sameValue(hourWidth, hourWidth_)) return;
  const auto alive = keepAlive();
  hourWidth_ = hourWidth;
  clearCaches();
  tellLayoutDidChange();
  tellTimelineDidChange();
}

void GanttChartHeaderController::setZoom(double zoom) {
  if (sameValue(zoom, zoom_)) return;
  const auto alive = keepAlive();
  const double old = zoom_;
  zoom_ = zoom;
  clearCaches();
  tellLayoutDidChange();
  if (auto o = observer()) o->zoomDidChange();
  if (auto o = timelineObserver()) o->visibleTimelineDidChange();
  // An observer above may have assigned another zoom, whose own pass has
  // told the viewport observer already; this value would reach it stale.
  if (!sameValue(zoom_, zoom)) return;
  if (auto o = viewportObserver()) o->zoomDidChange(zoom, old);
}

void GanttChartHeaderController::setViewport(const Rectangle& viewport) {
  if (!detail::isFinite(viewport) || viewport == viewport_) return;
  const auto alive = keepAlive();
  const Rectangle old = viewport_;
  viewport_ = viewport;
  if (viewport.size.height != old.size.height) {
    clearCaches();
    if (auto o = observer()) o->totalDiagramHeaderSizeDidChange();
  }
  tellAreasAndCellsDidChange();
  tellTimelineDidChange();
  // As for the zoom: a viewport assigned by an observer meanwhile has been
  // reported in full, and would be followed by a stale one.
  if (viewport_ != viewport) return;
  if (auto o = viewportObserver()) o->viewportDidChange(viewport, old);
}

void GanttChartHeaderController::setScheduleHighlighters(
    std::vector<ScheduleTimeSelector> highlighters) {
  scheduleHighlighters_ = std::move(highlighters);
  clearCaches();
  if (auto o = observer()) o->highlightedScheduleAreasDidChange();
}

// --- Rows and scale -------------------------------------------------------------

std::vector<GanttChartHeaderRow> GanttChartHeaderController::actualRows() const {
  if (rowSelector_) {
    if (auto chosen = rowSelector_->rows(actualHourWidth())) return std::move(*chosen);
  }
  return rows_;
}

int64_t GanttChartHeaderController::rowCount() const {
  return static_cast<int64_t>(actualRows().size());
}

double GanttChartHeaderController::rowHeight() const {
  const int64_t count = rowCount();
  return viewport().size.height / static_cast<double>(count > 0 ? count : 1);
}

double GanttChartHeaderController::actualHourWidth() const {
  // As in the chart area: a width that is not a positive number maps every
  // time onto x = 0 rather than running the timeline backwards.
  const double width = zoom() * hourWidth();
  return std::isfinite(width) && width > 0 ? width : 0;
}

double GanttChartHeaderController::hoursFor(double points) const {
  const double hours = points / actualHourWidth();
  if (!std::isfinite(hours)) return 0;
  const double limit = gridHours();
  return hours > limit ? limit : (hours < -limit ? -limit : hours);
}

double GanttChartHeaderController::workingSeconds(const TimeRange& range) const {
  return visibilitySchedule_->duration(range.start, range.finish, TimeUnit::seconds);
}

double GanttChartHeaderController::pointsFor(double seconds) const {
  return seconds / secondsPerHour * actualHourWidth();
}

// --- Geometry -------------------------------------------------------------------

Size GanttChartHeaderController::totalDiagramHeaderSize() const {
  if (!cachedTotalDiagramWidth_) {
    const double width = pointsFor(workingSeconds(scrollableTimeline()));
    cachedTotalDiagramWidth_ = std::isnan(width) ? 0 : std::min(width, unboundedDiagramExtent());
  }
  const int64_t count = rowCount();
  const double height = count > 0 ? rowHeight() * static_cast<double>(count) : 0;
  return Size{*cachedTotalDiagramWidth_,
              std::isnan(height) ? 0 : std::min(height, unboundedDiagramExtent())};
}

double GanttChartHeaderController::x(const Time& time) const {
  return pointsFor(
      visibilitySchedule_->duration(scrollableTimeline().start, time, TimeUnit::seconds));
}

double GanttChartHeaderController::width(const TimeRange& range) const {
  return pointsFor(workingSeconds(range));
}

double GanttChartHeaderController::top(int64_t row) const {
  return rowHeight() * static_cast<double>(row);
}

double GanttChartHeaderController::middle(int64_t row) const {
  const double rowTop = top(row);
  return (rowTop + (rowTop + rowHeight())) * 0.5;
}

double GanttChartHeaderController::bottom(int64_t row) const { return top(row) + rowHeight(); }

Time GanttChartHeaderController::time(double x) const {
  const Time reached =
      visibilitySchedule_->finish(scrollableTimeline().start, hoursFor(x), TimeUnit::hours);
  return visibilitySchedule_->nextTime(reached);
}

int64_t GanttChartHeaderController::row(double y) const { return saturatingFloor(y / rowHeight()); }

TimeRange GanttChartHeaderController::visibleTimeline() const {
  const Rectangle visible = viewport();
  return timeline(visible.origin.x, visible.size.width);
}

TimeRange GanttChartHeaderController::timeline(const Rectangle& rectangle) const {
  return timeline(rectangle.origin.x, rectangle.size.width);
}

TimeRange GanttChartHeaderController::timeline(double left, double width) const {
  const Time start = time(left);
  return TimeRange(start, visibilitySchedule_->finish(start, hoursFor(width), TimeUnit::hours));
}

Rectangle GanttChartHeaderController::bounds(const TimeRange& range,
                                             std::optional<int64_t> row) const {
  const double left = x(range.start);
  const double extent = width(range);
  if (row) return Rectangle(left, top(*row), extent, rowHeight());
  return Rectangle(left, 0, extent, totalDiagramHeaderSize().height);
}

}  // namespace vorlent
