// The drawing pass: background, header borders, highlighted schedule areas
// and cells, handed to the presenter in that order.

#include <algorithm>
#include <cmath>
#include <vector>

#include "vorlent/controllers/drawing_bounds.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_finite.h"
#include "vorlent/style/recorded_theme_access.h"

namespace vorlent {

namespace {

// The edge of a rectangle at a position, from its origin and size as they
// stand.
Line edge(const Rectangle& r, BorderPosition position) {
  const double left = r.origin.x;
  const double top = r.origin.y;
  const double right = left + r.size.width;
  const double bottom = top + r.size.height;
  switch (position) {
    case BorderPosition::top:
      return Line(left, top, right, top);
    case BorderPosition::bottom:
      return Line(left, bottom, right, bottom);
    case BorderPosition::left:
      return Line(left, top, left, bottom);
    case BorderPosition::right:
      break;
  }
  return Line(right, top, right, bottom);
}

// The full-height column of a cell or area: from `top` down to the bottom of
// the header, across the full width of `bounds`.
Rectangle column(const Rectangle& bounds, double top, double headerHeight) {
  return Rectangle(bounds.left(), top, bounds.width(), std::max(0.0, headerHeight - top));
}

}  // namespace

void GanttChartHeaderController::draw(const Rectangle& within) {
  if (!within.intersects(viewport())) return;
  const auto alive = keepAlive();
  if (!settings().usesCache) {
    clearCaches();
  } else if (showsCurrentTime()) {
    // Cells that mark the current moment follow the clock.
    cachedCells_.clear();
  }
  updateDefaultStyle(false);
  drawBackground(within);
  drawHighlightedScheduleAreas(within);
  drawCells(within);
}

void GanttChartHeaderController::drawBackground(const Rectangle& /*within*/) {
  // An unbounded header (a huge hour width) still gets its background and
  // borders, cut to what the pass can paint around the viewport; one
  // narrower than the viewport gets them on to the viewport's edge.
  const Size size = detail::filledDiagramSize(viewport(), totalDiagramHeaderSize());
  const GanttChartHeaderSettings& current = settings();
  if (detail::RecordedThemeAccess::theme(current) == Theme::none()) {
    // A style set by hand may leave the background open; start from plain
    // white, or near-black in dark mode.
    const double grey = detail::RecordedThemeAccess::mode(current) == Mode::dark ? 0.125 : 1.0;
    if (auto p = presenter()) p->drawBackground(Color(grey, grey, grey, 1), size);
  }
  // Copied: a presenter may change the settings while it draws.
  const GanttChartHeaderBaseStyle headerStyle = actualStyle();
  if (headerStyle.backgroundColor) {
    if (auto p = presenter()) p->drawBackground(*headerStyle.backgroundColor, size);
  }
  const Rectangle box(0, 0, size.width, size.height);
  for (const Border& border : headerStyle.borders) {
    const Color color = border.color.value_or(headerStyle.borderColor);
    const double lineWidth = border.lineWidth.value_or(headerStyle.borderLineWidth);
    if (auto p = presenter()) p->drawBorder(box, edge(box, border.position), lineWidth, color);
  }
}

void GanttChartHeaderController::drawHighlightedScheduleAreas(const Rectangle& within) {
  const std::vector<ScheduleTimeArea> areas = highlightedScheduleAreas(within);
  if (areas.empty()) return;
  const double headerHeight = totalDiagramHeaderSize().height;
  const GanttChartHeaderBaseStyle headerStyle = actualStyle();
  for (const ScheduleTimeArea& area : areas) {
    const ScheduleTimeSelector& selector = area.selector();
    const Color fill =
        selector.color.value_or(selector.forTimeouts ? headerStyle.highlightingTimeoutFillColor
                                                     : headerStyle.highlightingTimeFillColor);
    const Rectangle rectangle = column(area.bounds(), area.bounds().top(), headerHeight);
    if (!detail::isFinite(rectangle)) continue;
    if (auto p = presenter()) p->drawTimeArea(selector, rectangle, fill);
  }
}

void GanttChartHeaderController::drawCells(const Rectangle& within) {
  const std::vector<GanttChartHeaderCell> visibleCells = cells(within);
  if (visibleCells.empty()) return;
  const double headerHeight = totalDiagramHeaderSize().height;
  const GanttChartHeaderBaseStyle header = actualStyle();
  for (const GanttChartHeaderCell& cell : visibleCells) {
    const Rectangle& b = cell.area.bounds;
    if (!detail::isFinite(b)) continue;
    const TimeSelector& selector = cell.area.selector;
    const GanttChartHeaderRow& headerRow = cell.row;
    const std::optional<TimeAreaStyle>& s = cell.area.style;

    if (s && s->backgroundColor) {
      const bool extending = s->isBackgroundExtending.value_or(header.isLabelBackgroundExtending);
      const Rectangle rectangle = extending ? column(b, 0, headerHeight) : b;
      if (auto p = presenter()) p->drawCell(selector, headerRow, rectangle, *s->backgroundColor);
    }

    const std::vector<Border>& borders = s && s->borders ? *s->borders : header.labelBorders;
    const bool bordersExtending =
        s && s->areBordersExtending ? *s->areBordersExtending : header.areLabelBordersExtending;
    const Rectangle borderBox = bordersExtending ? column(b, 0, headerHeight) : b;
    for (const Border& border : borders) {
      const Color color = border.color.value_or(header.labelBorderColor);
      const double lineWidth = border.lineWidth.value_or(header.labelBorderLineWidth);
      if (auto p = presenter()) {
        p->drawCellBorder(selector, headerRow, borderBox, edge(borderBox, border.position),
                          lineWidth, color);
      }
    }

    const double hi = header.horizontalLabelInset;
    if (cell.area.label && 2 * hi < b.width()) {
      const double vi = header.verticalLabelInset;
      const Rectangle textBox(b.left() + hi, b.top() + vi, b.width() - 2 * hi, b.height() - 2 * vi);
      if (!detail::isFinite(textBox)) continue;
      const Color foreground =
          s && s->foregroundColor ? *s->foregroundColor : header.labelForegroundColor;
      const TextAlignment alignment =
          s && s->labelAlignment ? *s->labelAlignment : header.labelAlignment;
      const Font font = s && s->labelFont ? *s->labelFont : header.labelFont;
      const VerticalTextAlignment verticalAlignment = s && s->verticalLabelAlignment
                                                          ? *s->verticalLabelAlignment
                                                          : header.verticalLabelAlignment;
      if (auto p = presenter()) {
        p->drawCellLabel(selector, headerRow, textBox, *cell.area.label, foreground, alignment,
                         font, verticalAlignment);
      }
    }
  }
}

}  // namespace vorlent
