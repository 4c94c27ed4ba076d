// The drawing pass: what lies in a rectangle of the chart area, resolved to
// colours, widths and permissions and handed to the presenter back to front.
//
// A presenter may change the settings or the data while it draws. The pass
// therefore keeps the lists it walks (shared snapshots), copies each value
// before handing it over, and walks the style's lists by index, reading them
// afresh, so a change meanwhile is never a dangling reference.

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_geometry.h"
#include "vorlent/controllers/drawing_bounds.h"
#include "vorlent/controllers/saturating_math.h"
#include "vorlent/style/recorded_theme_access.h"

namespace vorlent {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// No pass draws more rows than this, however thin they are.
constexpr int64_t kMaxRowsPerPass = int64_t{1} << 20;

bool isBarOf(const std::optional<GanttChartElement>& element, const GanttChartItemPtr& item) {
  if (!element) return false;
  const auto* bar = element->as<GanttChartElement::Bar>();
  return bar != nullptr && bar->item == item;
}

bool isLineOf(const std::optional<GanttChartElement>& element,
              const GanttChartDependencyPtr& dependency) {
  if (!element) return false;
  const auto* line = element->as<GanttChartElement::DependencyLine>();
  return line != nullptr && line->dependency == dependency;
}

bool isFinite(const Point& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

// `length` brought into [0, limit]; 0 for a length or limit that is not a
// number.
double boundedLength(double length, double limit) {
  if (!(limit > 0) || !(length > 0)) return 0;
  return std::min(length, limit);
}

}  // namespace

// --- The pass ------------------------------------------------------------------

void GanttChartContentController::draw(const Rectangle& within) {
  if (!detail::isFinite(within)) return;
  const Rectangle dirty(within.origin, within.size);
  const Rectangle shown(viewport().origin, viewport().size);
  // Below the viewport counts: the diagram may continue under it.
  if (!(shown.left() <= dirty.right() && dirty.left() <= shown.right() &&
        shown.top() <= dirty.bottom())) {
    return;
  }
  ReactionScope scope(*this);
  if (!settings().usesCache) {
    clearCaches();
  } else if (showsCurrentTime()) {
    // The current moment moves on between passes.
    cachedHighlightedIntervalAreas_.clear();
  }
  updateDefaultStyle(false);
  drawBackground();
  drawDiagramBorders();
  drawRows(dirty);
  drawHighlightedScheduleAreas(dirty);
  drawHighlightedIntervalAreas(dirty);
  drawDependencyLines(dirty);
  drawTemporaryDependencyLine();
  drawBars(dirty);
  drawDependencyLineThumb();
  drawTemporaryBar();
}

double GanttChartContentController::drawingMargin() const {
  const Rectangle shown = viewport();
  return std::min(std::max({detail::kMinDrawingMargin, std::abs(shown.size.width),
                            std::abs(shown.size.height)}),
                  detail::kMaxDrawingReach);
}

Rectangle GanttChartContentController::drawingBounds() const {
  return detail::drawingBounds(viewport(), totalDiagramSize());
}

// --- Background, borders and rows --------------------------------------------------

void GanttChartContentController::drawBackground() {
  const Size size = detail::filledDiagramSize(viewport(), totalDiagramSize());
  const GanttChartContentSettings& current = settings();
  if (detail::RecordedThemeAccess::theme(current) == Theme::none()) {
    // A style assigned by hand may leave the background open.
    const double grey = detail::RecordedThemeAccess::mode(current) == Mode::dark ? 0.125 : 1.0;
    if (auto p = presenter()) p->drawBackground(Color(grey, grey, grey, 1), size);
  }
  if (const std::optional<Color> color = actualStyle().backgroundColor) {
    if (auto p = presenter()) p->drawBackground(*color, size);
  }
}

void GanttChartContentController::drawDiagramBorders() {
  // Around what the view shows of the diagram, the background's rectangle.
  const Size diagram = detail::filledDiagramSize(viewport(), totalDiagramSize());
  const std::optional<Rectangle> box =
      detail::clipped(Rectangle(0, 0, diagram.width, diagram.height), drawingBounds());
  if (!box) return;
  for (size_t index = 0; index < actualStyle().borders.size(); ++index) {
    const GanttChartContentBaseStyle& style = actualStyle();
    const Border border = style.borders[index];
    const Color color = border.color.value_or(style.borderColor);
    const double lineWidth = border.lineWidth.value_or(style.borderLineWidth);
    if (auto p = presenter()) p->drawBorder(*box, box->borderLine(border.position), lineWidth, color);
  }
}

std::optional<Color> GanttChartContentController::backgroundColor(int64_t row) const {
  return actualStyle()
      .rowStyleFor(row, actualRowCount(), settings().alternativeRowsOnCount)
      .backgroundColor;
}

std::optional<std::vector<Border>> GanttChartContentController::borders(int64_t row) const {
  return actualStyle().rowStyleFor(row, actualRowCount(), settings().alternativeRowsOnCount).borders;
}

void GanttChartContentController::drawRows(const Rectangle& rectangle) {
  const double rowHeight = effectiveRowHeight();
  if (rowHeight == 0) return;
  const Rectangle area = drawingBounds();
  const std::optional<Rectangle> band = detail::clipped(rectangle, area);
  if (!band) return;
  // Not limited to the rows that hold data: the row look continues below
  // the last one.
  int64_t first = std::max<int64_t>(0, saturatingFloor(band->top() / rowHeight));
  int64_t last = saturatingSubtract(saturatingCeil(band->bottom() / rowHeight), 1);
  if (first > last) std::swap(first, last);
  // Across the diagram, and on to the viewport's right edge where the view
  // shows more than the diagram is wide.
  const double diagramWidth = totalDiagramSize().width;
  const double left = std::min(0.0, diagramWidth);
  const Rectangle shown(viewport().origin, viewport().size);
  const double right = std::max({0.0, diagramWidth, shown.right()});
  // Rows thinner than a point cannot be told apart within it: only the first
  // row starting in each point is drawn, so a pass's work grows with its
  // height in points, not with the number of rows it spans.
  const bool thin = rowHeight < 1;
  int64_t drawn = 0;
  for (int64_t row = first;;) {
    const std::optional<Rectangle> rowBounds = detail::clipped(
        Rectangle(left, rowHeight * static_cast<double>(row), right - left, rowHeight), area);
    if (rowBounds) {
      if (const std::optional<Color> color = backgroundColor(row)) {
        if (auto p = presenter()) p->drawBackground(row, *rowBounds, *color);
      }
      if (const std::optional<std::vector<Border>> rowBorders = borders(row)) {
        for (const Border& border : *rowBorders) {
          const GanttChartContentBaseStyle& style = actualStyle();
          const Color color = border.color.value_or(style.rowBorderColor);
          const double lineWidth = border.lineWidth.value_or(style.rowBorderLineWidth);
          if (auto p = presenter()) {
            p->drawBorder(row, *rowBounds, rowBounds->borderLine(border.position), lineWidth,
                          color);
          }
        }
      }
    }
    if (row == last || ++drawn == kMaxRowsPerPass) break;
    int64_t next = saturatingAdd(row, 1);
    if (thin) {
      const double nextPoint = std::floor(rowHeight * static_cast<double>(row)) + 1;
      next = std::max(next, saturatingCeil(nextPoint / rowHeight));
    }
    row = std::min(next, last);
  }
}

// --- Highlighted areas -----------------------------------------------------------

void GanttChartContentController::drawHighlightedScheduleAreas(const Rectangle& rectangle) {
  const auto areas = scheduleAreasOfViewport();
  if (areas->empty()) return;
  const Rectangle area = drawingBounds();
  for (const ScheduleTimeArea& scheduleArea : *areas) {
    const Rectangle& b = scheduleArea.bounds();
    if (!detail::meetsExtendedDownwards(b, rectangle)) continue;
    const ScheduleTimeSelector& selector = scheduleArea.selector();
    const GanttChartContentBaseStyle& style = actualStyle();
    const Color fill = selector.color.value_or(selector.forTimeouts
                                                   ? style.highlightingTimeoutFillColor
                                                   : style.highlightingTimeFillColor);
    // Reaching down without end, cut at the bottom of the drawing bounds.
    const std::optional<Rectangle> column =
        detail::clipped(Rectangle(b.left(), b.top(), b.width(), kInfinity), area);
    if (!column) continue;
    if (auto p = presenter()) p->drawTimeArea(selector, *column, fill);
  }
}

void GanttChartContentController::drawHighlightedIntervalAreas(const Rectangle& rectangle) {
  const auto areas = intervalAreasOfViewport();
  if (areas->empty()) return;
  const Rectangle area = drawingBounds();
  for (const TimeArea& timeArea : *areas) {
    const Rectangle& b = timeArea.bounds;
    if (!detail::meetsExtendedDownwards(b, rectangle)) continue;
    const TimeSelector& selector = timeArea.selector;
    const std::optional<TimeAreaStyle>& s = timeArea.style;
    const Rectangle column(b.left(), 0, b.width(), kInfinity);

    if (s && s->backgroundColor) {
      const bool extending =
          s->isBackgroundExtending.value_or(actualStyle().isTimeAreaBackgroundExtending);
      const Color background = *s->backgroundColor;
      if (const std::optional<Rectangle> fill = detail::clipped(extending ? column : b, area)) {
        if (auto p = presenter()) p->drawTimeArea(selector, *fill, background);
      }
    }

    const bool bordersExtending =
        s && s->areBordersExtending ? *s->areBordersExtending
                                    : actualStyle().areTimeAreaBordersExtending;
    if (const std::optional<Rectangle> frame = detail::clipped(bordersExtending ? column : b, area)) {
      const bool ownBorders = s && s->borders;
      const size_t count = ownBorders ? s->borders->size() : actualStyle().timeAreaBorders.size();
      for (size_t index = 0; index < count; ++index) {
        const GanttChartContentBaseStyle& style = actualStyle();
        const std::vector<Border>& list = ownBorders ? *s->borders : style.timeAreaBorders;
        // The chart style's list may have changed during the previous call.
        if (index >= list.size()) break;
        const Border border = list[index];
        const Color color = border.color.value_or(style.timeAreaBorderColor);
        const double lineWidth = border.lineWidth.value_or(style.timeAreaBorderLineWidth);
        if (auto p = presenter()) {
          p->drawTimeAreaBorder(selector, *frame, frame->borderLine(border.position), lineWidth,
                                color);
        }
      }
    }

    const GanttChartContentBaseStyle& style = actualStyle();
    const double horizontalInset = style.horizontalTimeLabelInset;
    if (timeArea.label && 2 * horizontalInset < b.width()) {
      const std::optional<Rectangle> textBox =
          detail::clipped(b.insetBy(horizontalInset, style.verticalTimeLabelInset), area);
      if (!textBox) continue;
      const Color foreground =
          s && s->foregroundColor ? *s->foregroundColor : style.timeAreaForegroundColor;
      const TextAlignment alignment =
          s && s->labelAlignment ? *s->labelAlignment : style.timeLabelAlignment;
      const Font font = s && s->labelFont ? *s->labelFont : style.timeLabelFont;
      const VerticalTextAlignment verticalAlignment =
          s && s->verticalLabelAlignment ? *s->verticalLabelAlignment
                                         : style.verticalTimeLabelAlignment;
      if (auto p = presenter()) {
        p->drawTimeAreaLabel(selector, *textBox, *timeArea.label, foreground, alignment, font,
                             verticalAlignment);
      }
    }
  }
}

// --- Dependency lines and bars --------------------------------------------------------

void GanttChartContentController::drawDependencyLines(const Rectangle& rectangle) {
  const auto visible = linesOfViewport();
  for (size_t index = 0; index < visible->lines.size(); ++index) {
    if (!passesThrough(visible->lines[index].polyline, visible->boxes[index], rectangle)) continue;
    if (auto p = presenter()) p->draw(visible->lines[index]);
  }
}

void GanttChartContentController::drawBars(const Rectangle& rectangle) {
  // Widened to the left, so that a bar whose attachment text alone reaches
  // into the rectangle is drawn too. No further than a pass may paint at all:
  // a huge room would swallow the rectangle's own extent in rounding (and so
  // miss every bar in it), and a negative one would narrow it.
  const double attachmentWidth = attachmentLabelWidth();
  const double reach =
      attachmentWidth > 0 ? std::min(attachmentWidth, detail::kMaxDrawingReach) : 0;
  const Rectangle widened = Rectangle::fromEdges(rectangle.left() - reach, rectangle.top(),
                                                 rectangle.right(), rectangle.bottom());
  // A label taller than its bar reaches to its row's edges, so a bar is
  // drawn too when the rectangle overlaps only the margin between it and
  // its row's edges: a pass over that margin alone must draw what a whole
  // pass draws there.
  const double rowMargin = boundedLength(actualStyle().verticalBarInset, effectiveRowHeight());
  const auto rowMeets = [&](const Rectangle& bounds) {
    return bounds.left() <= widened.right() && widened.left() <= bounds.right() &&
           bounds.top() - rowMargin < widened.bottom() &&
           widened.top() < bounds.bottom() + rowMargin;
  };
  const auto visible = barsOfViewport();
  for (const GanttChartBar& bar : visible->bars) {
    if (!bar.bounds.intersects(widened) && !rowMeets(bar.bounds)) continue;
    if (auto p = presenter()) p->draw(bar);
  }
}

void GanttChartContentController::draw(const GanttChartDependencyLine& dependencyLine) {
  if (!dependencyLine.dependency || dependencyLine.polyline.size() < 2 ||
      !detail::isFinite(dependencyLine.polyline)) {
    return;
  }
  const GanttChartDependencyPtr dependency = dependencyLine.dependency;
  const GanttChartContentBaseStyle& style = actualStyle();
  const Color color = style.dependencyLineColorFor(dependency);
  const double width = style.dependencyLineWidthFor(dependency);
  const double arrowWidth = style.dependencyLineArrowWidth;
  const double arrowLength = style.dependencyLineArrowLength;
  const double highlightWidth = style.dependencyLineHighlightWidth;
  const double focusWidth = style.dependencyLineFocusWidth;
  const double selectionWidth = style.dependencyLineSelectionWidth;
  const bool isHighlighted = dependency->settings().isHighlighted;
  const bool isFocused = isLineOf(focusedElement(), dependency);
  const bool isSelected = isLineOf(selectedElement(), dependency);
  if (auto p = presenter()) {
    p->drawDependencyLine(dependency, dependencyLine.polyline, color, width, arrowWidth,
                          arrowLength, isHighlighted, isFocused, isSelected, highlightWidth,
                          focusWidth, selectionWidth);
  }
}

void GanttChartContentController::draw(const GanttChartBar& bar) {
  if (!bar.item || !detail::isFinite(bar.bounds)) return;
  // Held: the presenter may drop the bar's list while it draws.
  const GanttChartItemPtr item = bar.item;
  const Rectangle bounds = bar.bounds;
  const Rectangle area = drawingBounds();
  const std::optional<Rectangle> shape = detail::clipped(bounds, area);
  if (!shape) return;

  const GanttChartContentBaseStyle& style = actualStyle();
  const GanttChartContentSettings& current = settings();
  const GanttChartItem& subject = *item;
  const Color fill = style.barFillColorFor(item);
  const Color secondaryFill = style.secondaryBarFillColorFor(item);
  const std::optional<Color> stroke = style.barStrokeColorFor(item);
  const double strokeWidth = style.barStrokeWidthFor(item);
  const bool isHighlighted = subject.settings().isHighlighted;
  const bool isFocused = isBarOf(focusedElement(), item);
  const bool isSelected = isBarOf(selectedElement(), item);
  const Color highlightColor = style.highlightColorFor(item);
  const Color focusColor = style.focusColorFor(item);
  const Color selectionColor = style.selectionColorFor(item);
  const double highlightWidth = style.highlightWidthFor(item);
  const double focusWidth = style.focusWidthFor(item);
  const double selectionWidth = style.selectionWidthFor(item);
  const double thumbDistance = style.barThumbDistance;
  const bool allowsMoving = current.allowsMovingBar(subject);
  const bool allowsMovingVertically = current.allowsMovingBarVertically(subject);

  switch (subject.type()) {
    case GanttChartItemType::milestone:
      if (auto p = presenter()) {
        p->drawMilestone(item, *shape, fill, secondaryFill, stroke, strokeWidth, isHighlighted,
                         isFocused, isSelected, highlightColor, focusColor, selectionColor,
                         highlightWidth, focusWidth, selectionWidth, allowsMoving,
                         allowsMovingVertically, thumbDistance);
      }
      break;
    case GanttChartItemType::summary: {
      const double triangleInset = style.summaryTriangleInset;
      const double triangleScale = style.summaryTriangleScale;
      const bool allowsResizing = current.allowsResizingBar(subject);
      const bool allowsResizingAtStart = current.allowsResizingBarAtStart(subject);
      if (auto p = presenter()) {
        p->drawSummaryBar(item, *shape, fill, secondaryFill, stroke, strokeWidth, triangleInset,
                          triangleScale, subject.isExpanded(), isHighlighted, isFocused,
                          isSelected, highlightColor, focusColor, selectionColor, highlightWidth,
                          focusWidth, selectionWidth, allowsMoving, allowsResizing,
                          allowsResizingAtStart, allowsMovingVertically, thumbDistance);
      }
      break;
    }
    case GanttChartItemType::standard: {
      const double cornerRadius = style.cornerRadius;
      const bool allowsResizing = current.allowsResizingBar(subject);
      const bool allowsResizingAtStart = current.allowsResizingBarAtStart(subject);
      if (auto p = presenter()) {
        p->drawBar(item, *shape, fill, secondaryFill, stroke, strokeWidth, cornerRadius,
                   isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                   selectionColor, highlightWidth, focusWidth, selectionWidth, allowsMoving,
                   allowsResizing, allowsResizingAtStart, allowsMovingVertically, thumbDistance);
      }
      break;
    }
  }

  if (showsCompletionBar(subject)) drawCompletionBar(item, completionOfBar(item), area);
  drawLabels(item, bounds, area);
}

void GanttChartContentController::drawCompletionBar(const GanttChartItemPtr& item,
                                                    const Rectangle& completed,
                                                    const Rectangle& area) {
  if (!detail::isFinite(completed)) return;
  const GanttChartContentSettings& current = settings();
  const GanttChartItem& subject = *item;
  const GanttChartContentBaseStyle& style = actualStyle();
  double horizontalInset = style.horizontalCompletionBarInset;
  if (2 * horizontalInset > completed.width()) horizontalInset = completed.width() / 2;
  const double verticalInset =
      std::min(completed.height() / 2 - 0.25, style.verticalCompletionBarInset);
  const std::optional<Rectangle> shape = detail::clipped(
      Rectangle(completed.left() + horizontalInset, completed.top() + verticalInset,
                completed.width() - 2 * horizontalInset,
                std::max(0.0, completed.height() - 2 * verticalInset)),
      area);
  if (!shape || !detail::isFinite(*shape)) return;
  const Color fill = style.completionBarFillColorFor(item);
  const Color secondaryFill = style.secondaryCompletionBarFillColorFor(item);
  const std::optional<Color> stroke = style.completionBarStrokeColorFor(item);
  const double strokeWidth = style.completionBarStrokeWidthFor(item);
  const double cornerRadius = style.completionCornerRadius.value_or(style.cornerRadius);
  const bool allowsResizing = current.allowsResizingCompletionBar(subject);
  const double thumbDistance = style.barThumbDistance;
  if (auto p = presenter()) {
    p->drawCompletionBar(item, *shape, fill, secondaryFill, stroke, strokeWidth, cornerRadius,
                         allowsResizing, thumbDistance);
  }
}

void GanttChartContentController::drawLabels(const GanttChartItemPtr& item,
                                             const Rectangle& bounds, const Rectangle& area) {
  const GanttChartItem& subject = *item;
  // The texts are copies: the presenter (or a style selector asked on the
  // way) may change the item's label or attachment while it is drawn, which
  // would leave a reference into the item dangling.
  {
    const GanttChartContentBaseStyle& style = actualStyle();
    const double inset =
        subject.isMilestone() ? style.milestoneHorizontalLabelInset : style.horizontalLabelInset;
    if (settings().showsLabels && subject.label() && 2 * inset < bounds.width()) {
      const std::optional<std::string> label = subject.label();
      // A summary's bracket shows the row under its raised bottom edge: its
      // label is centred on the body above, where its colour is meant to be
      // read against the bar's.
      Rectangle labelled = bounds;
      if (subject.isSummary()) {
        labelled.size.height -= boundedLength(style.summaryTriangleInset, bounds.height());
      }
      const std::optional<Rectangle> textBox =
          detail::clipped(labelled.insetBy(inset, style.verticalLabelInset), area);
      if (textBox && detail::isFinite(*textBox)) {
        const Color foreground = style.labelForegroundColorFor(item);
        const TextAlignment alignment = style.labelAlignment;
        const Font font = style.labelFontFor(item);
        if (auto p = presenter()) p->drawBarLabel(item, *textBox, *label, foreground, alignment, font);
      }
    }
  }

  const GanttChartContentBaseStyle& style = actualStyle();
  const double attachmentWidth = attachmentLabelWidth();
  const double inset = style.horizontalAttachmentInset;
  if (!showsAttachments() || !subject.attachment() || !(2 * inset < attachmentWidth)) return;
  const std::optional<std::string> attachment = subject.attachment();
  const Rectangle room(bounds.right(), bounds.top(), attachmentWidth, bounds.height());
  const std::optional<Rectangle> textBox =
      detail::clipped(room.insetBy(inset, style.verticalAttachmentInset), area);
  if (!textBox || !detail::isFinite(*textBox)) return;
  const Color foreground = style.attachmentForegroundColorFor(item);
  const Font font = style.attachmentFontFor(item);
  if (auto p = presenter()) p->drawAttachmentLabel(item, *textBox, *attachment, foreground, font);
}

// --- Interaction feedback --------------------------------------------------------------

void GanttChartContentController::drawTemporaryDependencyLine() {
  if (!temporaryDependencyLine() || !temporaryDependencyLine()->from) return;
  // A copy: the presenter may end the drag while it draws.
  const GanttChartTemporaryDependencyLine line = *temporaryDependencyLine();
  if (line.polyline.empty() || !detail::isFinite(line.polyline)) return;
  const GanttChartContentBaseStyle& style = actualStyle();
  const Color plain = style.dependencyLineColor.value_or(style.barFillColor);
  // A line resting on a valid target looks different from one that has none.
  const Color color = line.to ? style.temporaryDependencyLineColor.value_or(plain)
                              : style.temporaryInvalidDependencyLineColor.value_or(plain);
  const double width = style.dependencyLineWidth;
  const double arrowWidth = style.dependencyLineArrowWidth;
  const double arrowLength = style.dependencyLineArrowLength;
  const double dashWidth = style.temporaryDependencyLineDashWidth;
  if (auto p = presenter()) {
    p->drawTemporaryDependencyLine(line.from, line.to,
                                   makeGanttChartDependencyType(line.fromType, line.toType),
                                   line.polyline, color, width, arrowWidth, arrowLength, dashWidth);
  }
}

void GanttChartContentController::drawDependencyLineThumb() {
  if (!dependencyLineThumbArea() || !dependencyLineThumbArea()->item) return;
  const GanttChartDependencyLineThumbArea thumb = *dependencyLineThumbArea();
  if (!isFinite(thumb.center) || !std::isfinite(thumb.radius)) return;
  const GanttChartContentBaseStyle& style = actualStyle();
  const Color color = style.dependencyLineThumbColor.value_or(
      style.temporaryInvalidDependencyLineColor.value_or(
          style.dependencyLineColor.value_or(style.barFillColor)));
  if (auto p = presenter()) {
    p->drawDependencyLineThumb(thumb.item, thumb.type, thumb.center, thumb.radius, color);
  }
}

void GanttChartContentController::drawTemporaryBar() {
  if (!temporaryBar() || !detail::isFinite(temporaryBar()->bounds)) return;
  const std::optional<Rectangle> shape =
      detail::clipped(temporaryBar()->bounds, drawingBounds());
  if (!shape) return;
  const GanttChartContentBaseStyle& style = actualStyle();
  const Color color = style.temporaryBarColor.value_or(style.barFillColor);
  const double cornerRadius = style.cornerRadius;
  const double dashWidth = style.temporaryBarDashWidth;
  if (auto p = presenter()) p->drawTemporaryBar(*shape, color, cornerRadius, dashWidth);
}

// --- Tool tips and cursors ----------------------------------------------------------------

std::optional<std::string> GanttChartContentController::toolTip(const Point& point) {
  if (!settings().showsToolTips) return std::nullopt;
  const GanttChartElement hit = element(point);
  const std::shared_ptr<GanttChartContentPresenter> p = presenter();
  if (!p) return std::nullopt;
  if (const auto* bar = hit.as<GanttChartElement::Bar>()) return p->toolTip(bar->item);
  if (const auto* line = hit.as<GanttChartElement::DependencyLine>()) {
    return p->toolTip(line->dependency);
  }
  return std::nullopt;
}

std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartItemPtr& item) const {
  if (!item) return std::nullopt;
  return item->details();
}

std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartDependencyPtr& dependency) const {
  if (!dependency) return std::nullopt;
  return dependency->details();
}

std::optional<Cursor> GanttChartContentController::cursor(const Point& point) const {
  return cursor(element(point));
}

std::optional<Cursor> GanttChartContentController::cursor(const GanttChartElement& element) const {
  const auto* bar = element.as<GanttChartElement::Bar>();
  if (!bar) return std::nullopt;
  switch (bar->action) {
    case GanttChartBarElementAction::none:
      return std::nullopt;
    case GanttChartBarElementAction::move:
      return Cursor::moveHorizontally;
    case GanttChartBarElementAction::resize:
    case GanttChartBarElementAction::resizeAtStart:
    case GanttChartBarElementAction::resizeCompletion:
      return Cursor::resizeHorizontally;
    case GanttChartBarElementAction::createDependencyLine:
    case GanttChartBarElementAction::createDependencyLineFromStart:
      return Cursor::draw;
    case GanttChartBarElementAction::moveVertically:
      return Cursor::moveVertically;
  }
  return std::nullopt;
}

}  // namespace vorlent
