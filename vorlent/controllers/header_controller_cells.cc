// The header's cells and highlighted schedule areas, built per viewport.

#include <optional>
#include <utility>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/point_bounded_intervals.h"
#include "vorlent/intervals/selector_kinds.h"

namespace vorlent {

namespace {

// The elements whose bounds meet the rectangle (touching edges count), in
// their order.
template <class Element, class BoundsOf>
std::vector<Element> meeting(const std::vector<Element>& elements, const Rectangle& rectangle,
                             BoundsOf boundsOf) {
  std::vector<Element> found;
  for (const Element& element : elements) {
    if (boundsOf(element).intersects(rectangle)) found.push_back(element);
  }
  return found;
}

// The controller's own mapping, for walks that lay intervals onto points.
detail::PointScale pointScaleOf(const GanttChartHeaderController& controller) {
  return {[&controller](const Time& time) { return controller.x(time); },
          [&controller](double x) { return controller.time(x); }};
}

}  // namespace

bool GanttChartHeaderController::showsCurrentTime() const {
  if (!showsCurrentTime_) {
    bool marks = false;
    for (const GanttChartHeaderRow& headerRow : rows_) {
      marks = marks || selectsCurrentMoment(headerRow.selectors);
    }
    showsCurrentTime_ = marks;
  }
  return *showsCurrentTime_;
}

// --- Highlighted schedule areas ------------------------------------------------------

std::vector<ScheduleTimeArea> GanttChartHeaderController::buildHighlightedScheduleAreas() const {
  std::vector<ScheduleTimeArea> areas;
  // A copy: a host's calendar, asked many times below, may assign the
  // highlighters meanwhile.
  const std::vector<ScheduleTimeSelector> highlighters = scheduleHighlighters();
  if (highlighters.empty()) return areas;
  const TimeRange visible = visibleTimeline();
  for (const ScheduleTimeSelector& highlighter : highlighters) {
    if (!highlighter.schedule) continue;
    // Stretches sharing a point are one area there.
    const std::vector<TimeRange> intervals = detail::stretchesByPoint(
        *highlighter.schedule, highlighter.forTimeouts, visible, pointScaleOf(*this));
    for (const TimeRange& interval : intervals) {
      areas.emplace_back(highlighter, bounds(interval, std::nullopt));
    }
  }
  return areas;
}

std::shared_ptr<const std::vector<ScheduleTimeArea>> GanttChartHeaderController::areasForViewport()
    const {
  const Rectangle key = viewport();
  if (auto cached = cachedHighlightedScheduleAreas_.find(key)) return cached;
  return cachedHighlightedScheduleAreas_.store(key, buildHighlightedScheduleAreas());
}

std::vector<ScheduleTimeArea> GanttChartHeaderController::highlightedScheduleAreas() const {
  return *areasForViewport();
}

std::vector<ScheduleTimeArea> GanttChartHeaderController::highlightedScheduleAreas(
    const Rectangle& rectangle) const {
  return meeting(*areasForViewport(), rectangle,
                 [](const ScheduleTimeArea& area) { return area.bounds(); });
}

// --- Cells -----------------------------------------------------------------------------

std::optional<TimeAreaStyle> GanttChartHeaderController::cellStyle(
    const TimeRange& interval, const TimeSelector& selector, const GanttChartHeaderRow& row) const {
  // The first source that has a style gives it whole; the drawing pass falls
  // back to the header style field by field.
  if (selector.styleSelector) {
    if (auto chosen = selector.styleSelector->style(interval, selector)) return chosen;
  }
  if (selector.style) return selector.style;
  if (row.styleSelector) {
    if (auto chosen = row.styleSelector->style(interval, selector, row)) return chosen;
  }
  if (row.cellStyle) return row.cellStyle;
  const GanttChartHeaderBaseStyle& headerStyle = actualStyle();
  if (headerStyle.cellStyleSelector) {
    if (auto chosen = headerStyle.cellStyleSelector->style(interval, selector, row)) return chosen;
  }
  return headerStyle.cellStyle;
}

std::vector<GanttChartHeaderCell> GanttChartHeaderController::buildCells() const {
  std::vector<GanttChartHeaderCell> built;
  const std::vector<GanttChartHeaderRow> headerRows = actualRows();
  if (headerRows.empty()) return built;
  const TimeRange visible = visibleTimeline();
  for (std::size_t index = 0; index < headerRows.size(); ++index) {
    const GanttChartHeaderRow& headerRow = headerRows[index];
    const auto rowIndex = static_cast<int64_t>(index);
    for (const TimeSelector& selector : headerRow.selectors) {
      if (!selector.intervalSelector) continue;
      const bool dropsEmpty = dropsEmptyAreas(selector);
      // Cells too narrow to be told apart are left out when they crowd a row.
      for (const TimeRange& interval :
           detail::intervalsByPoint(*selector.intervalSelector, visible, pointScaleOf(*this))) {
        const Rectangle cellBounds = bounds(interval, rowIndex);
        if (dropsEmpty && !(cellBounds.size.width > 0)) continue;
        std::optional<std::string> label;
        if (selector.labelGenerator) label = selector.labelGenerator->label(interval);
        built.emplace_back(headerRow,
                           TimeArea(selector, interval, std::move(label),
                                    cellStyle(interval, selector, headerRow), cellBounds));
      }
    }
  }
  return built;
}

std::shared_ptr<const std::vector<GanttChartHeaderCell>>
GanttChartHeaderController::cellsForViewport() const {
  return cachedCells_.findOrBuild(viewport(), [&] { return buildCells(); });
}

std::vector<GanttChartHeaderCell> GanttChartHeaderController::cells() const {
  return *cellsForViewport();
}

std::vector<GanttChartHeaderCell> GanttChartHeaderController::cells(
    const Rectangle& rectangle) const {
  return meeting(*cellsForViewport(), rectangle,
                 [](const GanttChartHeaderCell& cell) { return cell.area.bounds; });
}

}  // namespace vorlent
