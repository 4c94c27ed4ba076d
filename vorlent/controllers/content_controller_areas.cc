// The time scale's schedules and the highlighted schedule and interval
// areas, built per viewport over the visible timeline.

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_geometry.h"
#include "vorlent/controllers/point_bounded_intervals.h"
#include "vorlent/intervals/selector_kinds.h"

namespace vorlent {

namespace {

// The controller's own mapping, for walks that lay intervals onto points.
detail::PointScale pointScaleOf(const GanttChartContentController& controller) {
  return {[&controller](const Time& time) { return controller.x(time); },
          [&controller](double x) { return controller.time(x); }};
}

template <class Area, class BoundsOf>
std::vector<Area> meeting(const std::vector<Area>& areas, const Rectangle& rectangle,
                          BoundsOf boundsOf) {
  std::vector<Area> found;
  for (const Area& area : areas) {
    if (detail::meetsExtendedDownwards(boundsOf(area), rectangle)) found.push_back(area);
  }
  return found;
}

}  // namespace

// --- Time scale ----------------------------------------------------------------

std::shared_ptr<ScheduleDefinition> GanttChartContentController::timeScaleScheduleFor(
    const GanttChartItemPtr& item) const {
  if (timeScaleSchedule_) return timeScaleSchedule_;
  if (item && item->schedule()) return item->schedule();
  return itemManager()->schedule();
}

std::shared_ptr<ScheduleDefinition> GanttChartContentController::timeScaleScheduleForNewItems()
    const {
  if (timeScaleSchedule_) return timeScaleSchedule_;
  return itemManager()->schedule();
}

Rectangle GanttChartContentController::bounds(const TimeRange& range) const {
  const double height = totalDiagramSize().height;
  if (!detail::isPlaceable(range)) {
    constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
    return Rectangle(kNotANumber, 0, kNotANumber, height);
  }
  return Rectangle(x(range.start), 0, width(range), height);
}

// --- Schedule areas -------------------------------------------------------------

std::vector<ScheduleTimeArea> GanttChartContentController::buildHighlightedScheduleAreas() const {
  std::vector<ScheduleTimeArea> areas;
  if (scheduleHighlighters_.empty()) return areas;
  const TimeRange visible = visibleTimeline();
  // A copy: a host's calendar, asked below, may assign the highlighters.
  const std::vector<ScheduleTimeSelector> highlighters = scheduleHighlighters_;
  for (const ScheduleTimeSelector& highlighter : highlighters) {
    if (!highlighter.schedule) continue;
    // Stretches sharing a point are one area there, so a long timeline in
    // view gives no more areas than the view has points.
    const std::vector<TimeRange> intervals = detail::stretchesByPoint(
        *highlighter.schedule, highlighter.forTimeouts, visible, pointScaleOf(*this));
    for (const TimeRange& interval : intervals) {
      const Rectangle areaBounds = bounds(interval);
      if (!detail::isFinite(areaBounds)) continue;
      areas.emplace_back(highlighter, areaBounds);
    }
  }
  return areas;
}

std::shared_ptr<const std::vector<ScheduleTimeArea>>
GanttChartContentController::scheduleAreasOfViewport() const {
  return cachedHighlightedScheduleAreas_.findOrBuild(
      viewport(), [this] { return buildHighlightedScheduleAreas(); });
}

std::vector<ScheduleTimeArea> GanttChartContentController::highlightedScheduleAreas() const {
  return *scheduleAreasOfViewport();
}

std::vector<ScheduleTimeArea> GanttChartContentController::highlightedScheduleAreas(
    const Rectangle& rectangle) const {
  return meeting(*scheduleAreasOfViewport(), rectangle,
                 [](const ScheduleTimeArea& area) { return area.bounds(); });
}

// --- Interval areas ---------------------------------------------------------------

std::optional<TimeAreaStyle> GanttChartContentController::intervalAreaStyle(
    const TimeRange& interval, const TimeSelector& highlighter) const {
  // The first source that has a style gives it whole; the drawing pass falls
  // back to the chart style field by field.
  if (highlighter.styleSelector) {
    if (auto chosen = highlighter.styleSelector->style(interval, highlighter)) return chosen;
  }
  if (highlighter.style) return highlighter.style;
  // Held while it is asked: it may replace the chart style, its only owner.
  if (const std::shared_ptr<const TimeAreaStyleSelector> chooser =
          actualStyle().timeAreaStyleSelector) {
    if (auto chosen = chooser->style(interval, highlighter)) return chosen;
  }
  return actualStyle().timeAreaStyle;
}

TimeRange GanttChartContentController::intervalAreaExtent(const TimeRange& interval,
                                                          const TimeRange& reach) {
  // Selectors such as separating moments open their first and last
  // intervals at the ends of time. Laid out in full they would span millions
  // of weeks (and as many calendar steps); such an end stops where the
  // areas can still be seen instead.
  // An interval lying wholly beyond the reach keeps no width.
  TimeRange extent = interval;
  if (!(Time::min() < extent.start)) {
    extent.start = reach.start < extent.finish ? reach.start : extent.finish;
  }
  if (!(extent.finish < Time::max())) {
    extent.finish = extent.start < reach.finish ? reach.finish : extent.start;
  }
  return extent;
}

std::vector<TimeArea> GanttChartContentController::buildHighlightedIntervalAreas() const {
  std::vector<TimeArea> areas;
  if (intervalHighlighters_.empty()) return areas;
  const TimeRange visible = visibleTimeline();
  const double margin = drawingMargin();
  const Rectangle shown = viewport();
  const TimeRange reach = timeline(shown.left() - margin, shown.width() + 2 * margin);
  // A copy: the selectors, label generators and style selectors asked below
  // are a host's and may assign the highlighters meanwhile.
  const std::vector<TimeSelector> highlighters = intervalHighlighters_;
  for (const TimeSelector& highlighter : highlighters) {
    if (!highlighter.intervalSelector) continue;
    const bool dropsEmpty = dropsEmptyAreas(highlighter);
    // Periods too narrow to be told apart are left out when they crowd the view.
    for (const TimeRange& interval :
         detail::intervalsByPoint(*highlighter.intervalSelector, visible, pointScaleOf(*this))) {
      const Rectangle areaBounds = bounds(intervalAreaExtent(interval, reach));
      if (!detail::isFinite(areaBounds)) continue;
      if (dropsEmpty && !(areaBounds.width() > 0)) continue;
      std::optional<std::string> label;
      if (highlighter.labelGenerator) label = highlighter.labelGenerator->label(interval);
      areas.emplace_back(highlighter, interval, std::move(label),
                         intervalAreaStyle(interval, highlighter), areaBounds);
    }
  }
  return areas;
}

std::shared_ptr<const std::vector<TimeArea>>
GanttChartContentController::intervalAreasOfViewport() const {
  return cachedHighlightedIntervalAreas_.findOrBuild(
      viewport(), [this] { return buildHighlightedIntervalAreas(); });
}

std::vector<TimeArea> GanttChartContentController::highlightedIntervalAreas() const {
  return *intervalAreasOfViewport();
}

std::vector<TimeArea> GanttChartContentController::highlightedIntervalAreas(
    const Rectangle& rectangle) const {
  return meeting(*intervalAreasOfViewport(), rectangle,
                 [](const TimeArea& area) { return area.bounds; });
}

bool GanttChartContentController::showsCurrentTime() const {
  if (!showsCurrentTime_) {
    showsCurrentTime_ = selectsCurrentMoment(intervalHighlighters_);
  }
  return *showsCurrentTime_;
}

}  // namespace vorlent
