// The drawing hooks of the chart area: each presenter requirement converted
// to Qt values, and its standard look drawn with QPainter.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/paint_clipping.h"

namespace vorlent {

namespace {

using paint::hasNoNaN;

// The outline a bar gets for its state: selected, else focused, else
// highlighted.
struct StateOutline {
  QColor color;
  double width = 0;
};

std::optional<StateOutline> stateOutline(bool isHighlighted, bool isFocused, bool isSelected,
                                         const QColor& highlightColor, const QColor& focusColor,
                                         const QColor& selectionColor, double highlightWidth,
                                         double focusWidth, double selectionWidth) {
  if (isSelected) return StateOutline{selectionColor, selectionWidth};
  if (isFocused) return StateOutline{focusColor, focusWidth};
  if (isHighlighted) return StateOutline{highlightColor, highlightWidth};
  return std::nullopt;
}

double stateWidth(bool isHighlighted, bool isFocused, bool isSelected, double highlightWidth,
                  double focusWidth, double selectionWidth) {
  if (isSelected) return selectionWidth;
  if (isFocused) return focusWidth;
  if (isHighlighted) return highlightWidth;
  return 0;
}

QRectF grown(const QRectF& rect, double by) { return rect.adjusted(-by, -by, by, by); }

// From `top` at the rectangle's top edge to `bottom` at its bottom edge (a
// plain colour when the two are the same, which Qt fills much faster).
// Edges far outside `area` are brought to it, so the gradient's arithmetic
// stays finite; only the invisible part of such a shape changes.
QBrush verticalGradient(const QRectF& rect, const QRectF& area, const QColor& top,
                        const QColor& bottom) {
  if (top == bottom) return QBrush(bottom);
  const double from = std::clamp(rect.top(), area.top() - area.height(), area.bottom());
  const double to = std::clamp(rect.bottom(), area.top(), area.bottom() + area.height());
  QLinearGradient gradient(QPointF(0, from), QPointF(0, to));
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return QBrush(gradient);
}

// Fills the path, then strokes it when a stroke colour is given.
void fillAndStroke(QPainter& painter, const paint::Shape& shape, const QBrush& fill,
                   const std::optional<QColor>& strokeColor, double strokeWidth) {
  if (shape.path.isEmpty()) return;
  paint::fillShape(painter, shape, fill);
  if (strokeColor) {
    paint::strokeShape(painter, shape, paint::solidPen(*strokeColor, paint::penWidth(strokeWidth)));
  }
}

// Strokes the polyline at `width`, dashed when `dashLength` is positive.
void strokePolyline(QPainter& painter, const QPolygonF& polyline, const QColor& color, double width,
                    double dashLength, const QRectF& area) {
  const double penWidth = paint::penWidth(width);
  for (const paint::PolylinePiece& piece : paint::cutPolyline(polyline, area)) {
    QPen pen = paint::solidPen(color, penWidth);
    paint::setDashes(pen, dashLength, piece.offset);
    paint::strokeShape(painter, paint::polylinePath(piece.points, area), pen);
  }
}

// The line under a focused bar that can move between rows: dashes of two
// points, at the default width.
void drawFocusLine(QPainter& painter, double y, double fromX, double toX, const QColor& color,
                   const QRectF& area) {
  constexpr double kDash = 2;
  strokePolyline(painter, QPolygonF{QPointF(fromX, y), QPointF(toX, y)}, color, 1, kDash, area);
}

// The arrow head at the polyline's last point, along its last segment that
// has a length (points coinciding at the end give no direction of their
// own); none when every segment is a point.
void fillArrowHead(QPainter& painter, const QPolygonF& polyline, const QColor& color,
                   double arrowWidth, double arrowLength, const QRectF& area) {
  const qsizetype count = polyline.size();
  if (count < 2 || !std::isfinite(arrowWidth) || !std::isfinite(arrowLength)) return;
  const QPointF tip = polyline.at(count - 1);
  for (qsizetype i = count - 1; i > 0; --i) {
    const QPointF from = polyline.at(i - 1);
    const QPointF to = polyline.at(i);
    if (!hasNoNaN(from) || !hasNoNaN(to)) return;
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    if (!std::isfinite(length)) return;
    if (length == 0) continue;
    const double cos = dx / length;
    const double sin = dy / length;
    const QTransform transform(cos, sin, -sin, cos, tip.x(), tip.y());
    const QPolygonF head =
        transform.map(QPolygonF{QPointF(0, 0), QPointF(-arrowLength, arrowWidth / 2),
                                QPointF(-arrowLength, -arrowWidth / 2)});
    paint::fillShape(painter, paint::polygonPath(head, area), color);
    return;
  }
}

void drawPolylineWithArrow(QPainter& painter, const QPolygonF& polyline, const QColor& color,
                           double width, double dashLength, double arrowWidth, double arrowLength) {
  if (polyline.size() < 2) return;
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty()) return;
  strokePolyline(painter, polyline, color, width, dashLength, area);
  fillArrowHead(painter, polyline, color, arrowWidth, arrowLength, area);
}

// The bracket of a summary: the rectangle with its bottom edge raised by
// `inset` between two slanted tips, each reaching `inset` × `scale` inwards
// and never past the opposite edge.
QPolygonF summaryShape(const QRectF& rect, double inset, double scale) {
  const double reach = inset * scale;
  const double raised = rect.bottom() - inset;
  return QPolygonF{rect.topLeft(),
                   rect.topRight(),
                   rect.bottomRight(),
                   QPointF(std::max(rect.left(), rect.right() - reach), raised),
                   QPointF(std::min(rect.right(), rect.left() + reach), raised),
                   rect.bottomLeft()};
}

QPolygonF diamond(const QRectF& rect) {
  const QPointF center = rect.center();
  return QPolygonF{QPointF(rect.left(), center.y()), QPointF(center.x(), rect.top()),
                   QPointF(rect.right(), center.y()), QPointF(center.x(), rect.bottom())};
}

enum class LineBreak { truncatingTail, clipping };

// The band of the item's row, across the whole width, in which its labels
// are drawn: a label taller than its bar overhangs the bar but never the
// row, so what a pass over a neighbouring row paints stays that row's.
std::optional<QRectF> rowBand(const GanttChartContentController* controller,
                              const GanttChartItemPtr& item) {
  if (controller == nullptr || item == nullptr) return std::nullopt;
  const double top = controller->top(item->row());
  const double bottom = controller->bottom(item->row());
  if (!std::isfinite(top) || !std::isfinite(bottom) || !(bottom > top)) return std::nullopt;
  constexpr double kAcross = 1e12;
  return QRectF(-kAcross, top, 2 * kAcross, bottom - top);
}

// Whether the line's glyphs drawn from `top` could colour a device pixel
// outside `band` that the painter can reach. The glyphs' ink, not the font's
// ascent and descent, decides: outlines may reach beyond those (unhinted
// glyphs, stacked marks). The ink is widened by a device pixel for the
// glyph's placement on whole pixels and its antialiased edge, and by one more
// point when the painter scales, since the glyphs are then shaped (and
// hinted) at another size. A painter that rotates or shears always cuts.
bool inkMayLeave(const QPainter& painter, const TextLineCache::Line& line, double top,
                 const QRectF& band) {
  const QRectF reach = paint::reachableArea(painter, 0);
  const bool above = reach.top() < band.top();
  const bool below = reach.bottom() > band.bottom();
  if (!above && !below) return false;
  const QTransform& toDevice = painter.deviceTransform();
  if (toDevice.type() > QTransform::TxScale || !(toDevice.m22() > 0)) return true;
  const bool scaled = toDevice.type() == QTransform::TxScale;
  const double margin = 1 / toDevice.m22() + (scaled ? 1 : 0);
  return (above && top + line.inkTop - margin < band.top()) ||
         (below && top + line.inkBottom + margin > band.bottom());
}

// One line of text (its first paint::kMostLaidOutCharacters, newlines as
// spaces) in `rect`: aligned horizontally as asked, at the top or
// centred on the line's height, cut short with an ellipsis or clipped at the
// rectangle's edges, and cut at the edges of `band`. The text's place is
// worked out in doubles, so a label of a bar far larger than the device
// still lands where it belongs (and is skipped when that is out of reach).
void drawOneLine(QPainter& painter, TextLineCache& cache, const QRectF& rect, const QString& text,
                 const QColor& color, Qt::Alignment alignment, const QFont& font, bool centred,
                 LineBreak lineBreak, const std::optional<QRectF>& band = std::nullopt) {
  if (text.isEmpty() || !hasNoNaN(rect)) return;
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty()) return;
  const QRectF box = rect.normalized();
  QString single = paint::cutForLayout(text);
  single.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
  const bool truncating = lineBreak == LineBreak::truncatingTail;
  // Nothing fits a box without width; an ellipsis would not either.
  if (truncating && !(box.width() > 0)) return;
  const TextLineCache::Line& line = cache.line(single, font, truncating ? box.width() : 0);
  if (line.width <= 0) return;
  double x = box.left();
  if (alignment.testFlag(Qt::AlignHCenter)) {
    x = box.left() + (box.width() - line.width) / 2;
  } else if (alignment.testFlag(Qt::AlignRight)) {
    x = box.right() - line.width;
  }
  const double y = centred ? box.top() + (box.height() - line.height) / 2 : box.top();
  const QRectF lineBox(x, y, line.width, line.height);
  if (!std::isfinite(x) || !std::isfinite(y) || !lineBox.intersects(area)) return;
  std::optional<QRectF> cut;
  if (lineBreak == LineBreak::clipping && line.width > box.width()) cut = box;
  if (band && inkMayLeave(painter, line, y, *band)) cut = cut ? cut->intersected(*band) : *band;
  std::optional<QRectF> clip;
  if (cut) {
    clip = paint::cutToArea(*cut, area);
    if (!clip) return;
    painter.save();
    painter.setClipRect(*clip, Qt::IntersectClip);
  }
  const QPen pen = painter.pen();
  const QFont previous = painter.font();
  // The painter's font must be the line's, or the line is laid out again.
  painter.setFont(font);
  painter.setPen(color);
  painter.drawStaticText(QPointF(x, y), line.text);
  painter.setFont(previous);
  painter.setPen(pen);
  if (clip) painter.restore();
}

}  // namespace

// --- The pass --------------------------------------------------------------------------

void GanttChartContent::draw(QPainter& painter, const QRectF& within) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  QPainter* const previous = std::exchange(currentPainter_, &painter);
  controller->draw(fromQt(within));
  if (alive != nullptr) currentPainter_ = previous;
}

void GanttChartContent::draw(const GanttChartBar& bar) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->draw(bar);
}

void GanttChartContent::draw(const GanttChartDependencyLine& dependencyLine) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->draw(dependencyLine);
}

// --- Backgrounds and borders ---------------------------------------------------------------

void GanttChartContent::drawBackground(const Color& color, const Size& size) {
  if (currentPainter_ == nullptr) return;
  drawBackground(*currentPainter_, toQt(color), toQt(size));
}

void GanttChartContent::drawBackground(QPainter& painter, const QColor& color, const QSizeF& size) {
  paint::fillWithin(painter, QRectF(QPointF(0, 0), size), color);
}

void GanttChartContent::drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                   const Color& color) {
  if (currentPainter_ == nullptr) return;
  drawBorder(*currentPainter_, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
             toQt(color));
}

void GanttChartContent::drawBorder(QPainter& painter, const QRectF& /*rectangle*/,
                                   const QPointF& p1, const QPointF& p2, double lineWidth,
                                   const QColor& color) {
  paint::strokeLineWithin(painter, p1, p2, lineWidth, color);
}

void GanttChartContent::drawBackground(int64_t row, const Rectangle& rectangle,
                                       const Color& color) {
  if (currentPainter_ == nullptr) return;
  drawBackground(*currentPainter_, row, toQt(rectangle), toQt(color));
}

void GanttChartContent::drawBackground(QPainter& painter, int64_t /*row*/, const QRectF& rectangle,
                                       const QColor& color) {
  paint::fillWithin(painter, rectangle, color);
}

void GanttChartContent::drawBorder(int64_t row, const Rectangle& rectangle, const Line& line,
                                   double lineWidth, const Color& color) {
  if (currentPainter_ == nullptr) return;
  drawBorder(*currentPainter_, row, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
             toQt(color));
}

void GanttChartContent::drawBorder(QPainter& painter, int64_t /*row*/, const QRectF& /*rectangle*/,
                                   const QPointF& p1, const QPointF& p2, double lineWidth,
                                   const QColor& color) {
  paint::strokeLineWithin(painter, p1, p2, lineWidth, color);
}

// --- Bars ----------------------------------------------------------------------------------

void GanttChartContent::drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                const Color& fillColor, const Color& secondaryFillColor,
                                const std::optional<Color>& strokeColor, double strokeWidth,
                                double cornerRadius, bool isHighlighted, bool isFocused,
                                bool isSelected, const Color& highlightColor,
                                const Color& focusColor, const Color& selectionColor,
                                double highlightWidth, double focusWidth, double selectionWidth,
                                bool allowsMoving, bool allowsResizing, bool allowsResizingAtStart,
                                bool allowsMovingVertically, double thumbDistance) {
  if (currentPainter_ == nullptr) return;
  drawBar(*currentPainter_, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
          toQt(strokeColor), strokeWidth, cornerRadius, isHighlighted, isFocused, isSelected,
          toQt(highlightColor), toQt(focusColor), toQt(selectionColor), highlightWidth, focusWidth,
          selectionWidth, allowsMoving, allowsResizing, allowsResizingAtStart,
          allowsMovingVertically, thumbDistance);
}

void GanttChartContent::drawBar(
    QPainter& painter, const GanttChartItemPtr& /*item*/, const QRectF& rectangle,
    const QColor& fillColor, const QColor& secondaryFillColor,
    const std::optional<QColor>& strokeColor, double strokeWidth, double cornerRadius,
    bool isHighlighted, bool isFocused, bool isSelected, const QColor& highlightColor,
    const QColor& focusColor, const QColor& selectionColor, double highlightWidth,
    double focusWidth, double selectionWidth, bool /*allowsMoving*/, bool /*allowsResizing*/,
    bool /*allowsResizingAtStart*/, bool allowsMovingVertically, double thumbDistance) {
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty() || !hasNoNaN(rectangle)) return;
  const QRectF bar = rectangle.normalized();
  if (const auto outline =
          stateOutline(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                       selectionColor, highlightWidth, focusWidth, selectionWidth)) {
    const QRectF outer = grown(bar, outline->width);
    fillAndStroke(painter, paint::roundedRectangle(outer, cornerRadius, area), outline->color,
                  strokeColor, strokeWidth);
    if (isFocused && allowsMovingVertically) {
      // Inset by a point at each end, but never reversed on a narrow bar.
      drawFocusLine(painter, outer.bottom() + thumbDistance, std::min(bar.left() + 1, bar.right()),
                    std::max(bar.right() - 1, bar.left()), outline->color, area);
    }
  }
  fillAndStroke(painter, paint::roundedRectangle(bar, cornerRadius, area),
                verticalGradient(bar, area, secondaryFillColor, fillColor), strokeColor,
                strokeWidth);
}

void GanttChartContent::drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                       const Color& fillColor, const Color& secondaryFillColor,
                                       const std::optional<Color>& strokeColor, double strokeWidth,
                                       double triangleInset, double triangleScale, bool isExpanded,
                                       bool isHighlighted, bool isFocused, bool isSelected,
                                       const Color& highlightColor, const Color& focusColor,
                                       const Color& selectionColor, double highlightWidth,
                                       double focusWidth, double selectionWidth, bool allowsMoving,
                                       bool allowsResizing, bool allowsResizingAtStart,
                                       bool allowsMovingVertically, double thumbDistance) {
  if (currentPainter_ == nullptr) return;
  drawSummaryBar(*currentPainter_, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
                 toQt(strokeColor), strokeWidth, triangleInset, triangleScale, isExpanded,
                 isHighlighted, isFocused, isSelected, toQt(highlightColor), toQt(focusColor),
                 toQt(selectionColor), highlightWidth, focusWidth, selectionWidth, allowsMoving,
                 allowsResizing, allowsResizingAtStart, allowsMovingVertically, thumbDistance);
}

void GanttChartContent::drawSummaryBar(
    QPainter& painter, const GanttChartItemPtr& /*item*/, const QRectF& rectangle,
    const QColor& fillColor, const QColor& secondaryFillColor,
    const std::optional<QColor>& strokeColor, double strokeWidth, double triangleInset,
    double triangleScale, bool isExpanded, bool isHighlighted, bool isFocused, bool isSelected,
    const QColor& highlightColor, const QColor& focusColor, const QColor& selectionColor,
    double highlightWidth, double focusWidth, double selectionWidth, bool /*allowsMoving*/,
    bool /*allowsResizing*/, bool /*allowsResizingAtStart*/, bool allowsMovingVertically,
    double thumbDistance) {
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty() || !hasNoNaN(rectangle)) return;
  const QRectF bar = rectangle.normalized();
  if (const auto outline =
          stateOutline(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                       selectionColor, highlightWidth, focusWidth, selectionWidth)) {
    const QRectF outer = grown(bar, outline->width);
    fillAndStroke(painter,
                  paint::polygonPath(summaryShape(outer, triangleInset, triangleScale), area),
                  outline->color, strokeColor, strokeWidth);
    if (isFocused && allowsMovingVertically) {
      drawFocusLine(painter, outer.bottom() + thumbDistance, bar.left(), bar.right(),
                    outline->color, area);
    }
  }
  if (!isExpanded) {
    paint::strokeLineWithin(painter, bar.bottomLeft(), bar.bottomRight(), 1, fillColor);
  }
  fillAndStroke(painter, paint::polygonPath(summaryShape(bar, triangleInset, triangleScale), area),
                verticalGradient(bar, area, secondaryFillColor, fillColor), strokeColor,
                strokeWidth);
}

void GanttChartContent::drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                      const Color& fillColor, const Color& secondaryFillColor,
                                      const std::optional<Color>& strokeColor, double strokeWidth,
                                      bool isHighlighted, bool isFocused, bool isSelected,
                                      const Color& highlightColor, const Color& focusColor,
                                      const Color& selectionColor, double highlightWidth,
                                      double focusWidth, double selectionWidth, bool allowsMoving,
                                      bool allowsMovingVertically, double thumbDistance) {
  if (currentPainter_ == nullptr) return;
  drawMilestone(*currentPainter_, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
                toQt(strokeColor), strokeWidth, isHighlighted, isFocused, isSelected,
                toQt(highlightColor), toQt(focusColor), toQt(selectionColor), highlightWidth,
                focusWidth, selectionWidth, allowsMoving, allowsMovingVertically, thumbDistance);
}

void GanttChartContent::drawMilestone(
    QPainter& painter, const GanttChartItemPtr& /*item*/, const QRectF& rectangle,
    const QColor& fillColor, const QColor& secondaryFillColor,
    const std::optional<QColor>& strokeColor, double strokeWidth, bool isHighlighted,
    bool isFocused, bool isSelected, const QColor& highlightColor, const QColor& focusColor,
    const QColor& selectionColor, double highlightWidth, double focusWidth, double selectionWidth,
    bool /*allowsMoving*/, bool allowsMovingVertically, double thumbDistance) {
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty() || !hasNoNaN(rectangle)) return;
  const QRectF milestone = rectangle.normalized();
  if (const auto outline =
          stateOutline(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                       selectionColor, highlightWidth, focusWidth, selectionWidth)) {
    const QRectF outer = grown(milestone, outline->width);
    fillAndStroke(painter, paint::polygonPath(diamond(outer), area), outline->color, strokeColor,
                  strokeWidth);
    if (isFocused && allowsMovingVertically) {
      const double middle = milestone.center().x();
      const double quarter = milestone.width() / 4;
      drawFocusLine(painter, outer.bottom() + thumbDistance,
                    std::max(milestone.left(), middle - quarter),
                    std::min(milestone.right(), middle + quarter), outline->color, area);
    }
  }
  fillAndStroke(painter, paint::polygonPath(diamond(milestone), area),
                verticalGradient(milestone, area, secondaryFillColor, fillColor), strokeColor,
                strokeWidth);
}

void GanttChartContent::drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                          const Color& fillColor, const Color& secondaryFillColor,
                                          const std::optional<Color>& strokeColor,
                                          double strokeWidth, double cornerRadius,
                                          bool allowsResizing, double thumbDistance) {
  if (currentPainter_ == nullptr) return;
  drawCompletionBar(*currentPainter_, item, toQt(rectangle), toQt(fillColor),
                    toQt(secondaryFillColor), toQt(strokeColor), strokeWidth, cornerRadius,
                    allowsResizing, thumbDistance);
}

void GanttChartContent::drawCompletionBar(QPainter& painter, const GanttChartItemPtr& /*item*/,
                                          const QRectF& rectangle, const QColor& fillColor,
                                          const QColor& secondaryFillColor,
                                          const std::optional<QColor>& strokeColor,
                                          double strokeWidth, double cornerRadius,
                                          bool /*allowsResizing*/, double /*thumbDistance*/) {
  if (!(rectangle.width() > 0)) return;
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty() || !hasNoNaN(rectangle)) return;
  fillAndStroke(painter, paint::roundedRectangle(rectangle, cornerRadius, area),
                verticalGradient(rectangle.normalized(), area, secondaryFillColor, fillColor),
                strokeColor, strokeWidth);
}

// --- Labels --------------------------------------------------------------------------------

void GanttChartContent::drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                     const std::string& text, const Color& foregroundColor,
                                     TextAlignment alignment, const Font& font) {
  if (currentPainter_ == nullptr) return;
  drawBarLabel(*currentPainter_, item, toQt(rectangle), QString::fromStdString(text),
               toQt(foregroundColor), toQt(alignment), toQt(font));
}

void GanttChartContent::drawBarLabel(QPainter& painter, const GanttChartItemPtr& item,
                                     const QRectF& rectangle, const QString& text,
                                     const QColor& foregroundColor, Qt::Alignment alignment,
                                     const QFont& font) {
  drawOneLine(painter, textLines_, rectangle, text, foregroundColor, alignment, font, true,
              LineBreak::truncatingTail, rowBand(controller_.get(), item));
}

void GanttChartContent::drawAttachmentLabel(const GanttChartItemPtr& item,
                                            const Rectangle& rectangle, const std::string& text,
                                            const Color& foregroundColor, const Font& font) {
  if (currentPainter_ == nullptr) return;
  drawAttachmentLabel(*currentPainter_, item, toQt(rectangle), QString::fromStdString(text),
                      toQt(foregroundColor), toQt(font));
}

void GanttChartContent::drawAttachmentLabel(QPainter& painter, const GanttChartItemPtr& item,
                                            const QRectF& rectangle, const QString& text,
                                            const QColor& foregroundColor, const QFont& font) {
  drawOneLine(painter, textLines_, rectangle, text, foregroundColor, Qt::AlignLeft, font, true,
              LineBreak::truncatingTail, rowBand(controller_.get(), item));
}

// --- Dependency lines ------------------------------------------------------------------------

void GanttChartContent::drawDependencyLine(const GanttChartDependencyPtr& dependency,
                                           const std::vector<Point>& polyline, const Color& color,
                                           double width, double arrowWidth, double arrowLength,
                                           bool isHighlighted, bool isFocused, bool isSelected,
                                           double highlightWidth, double focusWidth,
                                           double selectionWidth) {
  if (currentPainter_ == nullptr) return;
  drawDependencyLine(*currentPainter_, dependency, toQt(polyline), toQt(color), width, arrowWidth,
                     arrowLength, isHighlighted, isFocused, isSelected, highlightWidth, focusWidth,
                     selectionWidth);
}

void GanttChartContent::drawDependencyLine(QPainter& painter,
                                           const GanttChartDependencyPtr& /*dependency*/,
                                           const QPolygonF& polyline, const QColor& color,
                                           double width, double arrowWidth, double arrowLength,
                                           bool isHighlighted, bool isFocused, bool isSelected,
                                           double highlightWidth, double focusWidth,
                                           double selectionWidth) {
  const double extra =
      stateWidth(isHighlighted, isFocused, isSelected, highlightWidth, focusWidth, selectionWidth);
  drawPolylineWithArrow(painter, polyline, color, width + extra, 0, arrowWidth, arrowLength);
}

void GanttChartContent::drawDependencyLineThumb(const GanttChartItemPtr& item,
                                                GanttChartDependencyEndType type,
                                                const Point& center, double radius,
                                                const Color& color) {
  if (currentPainter_ == nullptr) return;
  drawDependencyLineThumb(*currentPainter_, item, type, toQt(center), radius, toQt(color));
}

void GanttChartContent::drawDependencyLineThumb(QPainter& painter, const GanttChartItemPtr& item,
                                                GanttChartDependencyEndType type,
                                                const QPointF& center, double radius,
                                                const QColor& color) {
  if (!hasNoNaN(center) || !(radius > 0) || !std::isfinite(radius)) return;
  const QRectF area = paint::reachableArea(painter);
  if (area.isEmpty()) return;
  // The arc runs, with y downwards, from the start angle to the end angle
  // through smaller angles, so it bulges out of the bar: to the right of a
  // finish, to the left of a start, around three quarters for a milestone.
  const bool milestone = item != nullptr && item->isMilestone();
  const bool finish = type == GanttChartDependencyEndType::finish;
  const double startAngle = finish ? (milestone ? 135 : 90) : (milestone ? -45 : -90);
  const double endAngle = finish ? (milestone ? 225 : 270) : (milestone ? 45 : 90);
  // Qt turns positive angles the other way round on screen.
  const double qtStart = -startAngle;
  const double sweep = std::fmod(startAngle - endAngle + 720, 360);
  const QRectF box(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
  if (!paint::cutToArea(box, area).has_value()) return;
  paint::Shape shape = paint::shapeWithin(area);
  const QRectF near = shape.local(box);
  shape.path.arcMoveTo(near, qtStart);
  shape.path.arcTo(near, qtStart, sweep);
  shape.path.closeSubpath();
  if (!area.contains(box)) {
    shape = paint::polygonPath(shape.path.toFillPolygon().translated(shape.origin), area);
  }
  paint::fillShape(painter, shape, color);
}

void GanttChartContent::drawTemporaryDependencyLine(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type,
    const std::vector<Point>& polyline, const Color& color, double width, double arrowWidth,
    double arrowLength, double dashWidth) {
  if (currentPainter_ == nullptr) return;
  drawTemporaryDependencyLine(*currentPainter_, from, to, type, toQt(polyline), toQt(color), width,
                              arrowWidth, arrowLength, dashWidth);
}

void GanttChartContent::drawTemporaryDependencyLine(
    QPainter& painter, const GanttChartItemPtr& /*from*/, const GanttChartItemPtr& /*to*/,
    GanttChartDependencyType /*type*/, const QPolygonF& polyline, const QColor& color, double width,
    double arrowWidth, double arrowLength, double dashWidth) {
  drawPolylineWithArrow(painter, polyline, color, width, dashWidth, arrowWidth, arrowLength);
}

void GanttChartContent::drawTemporaryBar(const Rectangle& rectangle, const Color& color,
                                         double cornerRadius, double dashWidth) {
  if (currentPainter_ == nullptr) return;
  drawTemporaryBar(*currentPainter_, toQt(rectangle), toQt(color), cornerRadius, dashWidth);
}

void GanttChartContent::drawTemporaryBar(QPainter& painter, const QRectF& rectangle,
                                         const QColor& color, double cornerRadius,
                                         double dashWidth) {
  const paint::Shape shape =
      paint::roundedRectangle(rectangle, cornerRadius, paint::reachableArea(painter));
  QPen pen = paint::solidPen(color, 1);
  paint::setDashes(pen, dashWidth);
  paint::strokeShape(painter, shape, pen);
}

// --- Time areas ----------------------------------------------------------------------------

void GanttChartContent::drawTimeArea(const ScheduleTimeSelector& selector,
                                     const Rectangle& rectangle, const Color& fillColor) {
  if (currentPainter_ == nullptr) return;
  drawTimeArea(*currentPainter_, selector, toQt(rectangle), toQt(fillColor));
}

void GanttChartContent::drawTimeArea(QPainter& painter, const ScheduleTimeSelector& /*selector*/,
                                     const QRectF& rectangle, const QColor& fillColor) {
  paint::fillWithin(painter, rectangle, fillColor);
}

void GanttChartContent::drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                                     const Color& backgroundColor) {
  if (currentPainter_ == nullptr) return;
  drawTimeArea(*currentPainter_, selector, toQt(rectangle), toQt(backgroundColor));
}

void GanttChartContent::drawTimeArea(QPainter& painter, const TimeSelector& /*selector*/,
                                     const QRectF& rectangle, const QColor& backgroundColor) {
  paint::fillWithin(painter, rectangle, backgroundColor);
}

void GanttChartContent::drawTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                                           const Line& line, double lineWidth, const Color& color) {
  if (currentPainter_ == nullptr) return;
  drawTimeAreaBorder(*currentPainter_, selector, toQt(rectangle), toQt(line.p1), toQt(line.p2),
                     lineWidth, toQt(color));
}

void GanttChartContent::drawTimeAreaBorder(QPainter& painter, const TimeSelector& /*selector*/,
                                           const QRectF& /*rectangle*/, const QPointF& p1,
                                           const QPointF& p2, double lineWidth,
                                           const QColor& color) {
  paint::strokeLineWithin(painter, p1, p2, lineWidth, color);
}

void GanttChartContent::drawTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                                          const std::string& text, const Color& foregroundColor,
                                          TextAlignment alignment, const Font& font,
                                          VerticalTextAlignment verticalAlignment) {
  if (currentPainter_ == nullptr) return;
  drawTimeAreaLabel(*currentPainter_, selector, toQt(rectangle), QString::fromStdString(text),
                    toQt(foregroundColor), toQt(alignment), toQt(font), verticalAlignment);
}

void GanttChartContent::drawTimeAreaLabel(QPainter& painter, const TimeSelector& /*selector*/,
                                          const QRectF& rectangle, const QString& text,
                                          const QColor& foregroundColor, Qt::Alignment alignment,
                                          const QFont& font,
                                          VerticalTextAlignment verticalAlignment) {
  drawOneLine(painter, textLines_, rectangle, text, foregroundColor, alignment, font,
              verticalAlignment == VerticalTextAlignment::center, LineBreak::clipping);
}

}  // namespace vorlent
