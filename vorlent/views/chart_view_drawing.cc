// The chart view's drawing hooks: each library-value hook converts its
// arguments and calls the Qt-value hook of the same name with the painter of
// the header's or the chart area's paint pass; each Qt-value hook hands the
// call to the header or content view's own Qt-value hook.

#include <QPainter>

#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"

namespace vorlent {

QPainter* GanttChart::headerPainter() const {
  return header_ != nullptr ? header_->activePainter() : nullptr;
}

QPainter* GanttChart::contentPainter() const {
  return content_ != nullptr ? content_->activePainter() : nullptr;
}

// --- Backgrounds and borders --------------------------------------------------------

void GanttChart::drawHeaderBackground(const Color& color, const Size& size) {
  if (QPainter* painter = headerPainter()) drawHeaderBackground(*painter, toQt(color), toQt(size));
}

void GanttChart::drawHeaderBackground(QPainter& painter, const QColor& color, const QSizeF& size) {
  if (header_ != nullptr) header_->drawBackground(painter, color, size);
}

void GanttChart::drawHeaderBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                  const Color& color) {
  if (QPainter* painter = headerPainter()) {
    drawHeaderBorder(*painter, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
                     toQt(color));
  }
}

void GanttChart::drawHeaderBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                                  const QPointF& p2, double lineWidth, const QColor& color) {
  if (header_ != nullptr) header_->drawBorder(painter, rectangle, p1, p2, lineWidth, color);
}

void GanttChart::drawContentBackground(const Color& color, const Size& size) {
  if (QPainter* painter = contentPainter()) {
    drawContentBackground(*painter, toQt(color), toQt(size));
  }
}

void GanttChart::drawContentBackground(QPainter& painter, const QColor& color, const QSizeF& size) {
  if (content_ != nullptr) content_->drawBackground(painter, color, size);
}

void GanttChart::drawContentBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                   const Color& color) {
  if (QPainter* painter = contentPainter()) {
    drawContentBorder(*painter, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
                      toQt(color));
  }
}

void GanttChart::drawContentBorder(QPainter& painter, const QRectF& rectangle, const QPointF& p1,
                                   const QPointF& p2, double lineWidth, const QColor& color) {
  if (content_ != nullptr) content_->drawBorder(painter, rectangle, p1, p2, lineWidth, color);
}

void GanttChart::drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) {
  if (QPainter* painter = contentPainter()) {
    drawBackground(*painter, row, toQt(rectangle), toQt(color));
  }
}

void GanttChart::drawBackground(QPainter& painter, int64_t row, const QRectF& rectangle,
                                const QColor& color) {
  if (content_ != nullptr) content_->drawBackground(painter, row, rectangle, color);
}

void GanttChart::drawBorder(int64_t row, const Rectangle& rectangle, const Line& line,
                            double lineWidth, const Color& color) {
  if (QPainter* painter = contentPainter()) {
    drawBorder(*painter, row, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
               toQt(color));
  }
}

void GanttChart::drawBorder(QPainter& painter, int64_t row, const QRectF& rectangle,
                            const QPointF& p1, const QPointF& p2, double lineWidth,
                            const QColor& color) {
  if (content_ != nullptr) content_->drawBorder(painter, row, rectangle, p1, p2, lineWidth, color);
}

// --- Bars ---------------------------------------------------------------------------------

void GanttChart::draw(const GanttChartBar& bar) {
  if (content_ != nullptr) content_->draw(bar);
}

void GanttChart::drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                         const Color& fillColor, const Color& secondaryFillColor,
                         const std::optional<Color>& strokeColor, double strokeWidth,
                         double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                         const Color& highlightColor, const Color& focusColor,
                         const Color& selectionColor, double highlightWidth, double focusWidth,
                         double selectionWidth, bool allowsMoving, bool allowsResizing,
                         bool allowsResizingAtStart, bool allowsMovingVertically,
                         double thumbDistance) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawBar(*painter, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
          toQt(strokeColor), strokeWidth, cornerRadius, isHighlighted, isFocused, isSelected,
          toQt(highlightColor), toQt(focusColor), toQt(selectionColor), highlightWidth, focusWidth,
          selectionWidth, allowsMoving, allowsResizing, allowsResizingAtStart,
          allowsMovingVertically, thumbDistance);
}

void GanttChart::drawBar(QPainter& painter, const GanttChartItemPtr& item, const QRectF& rectangle,
                         const QColor& fillColor, const QColor& secondaryFillColor,
                         const std::optional<QColor>& strokeColor, double strokeWidth,
                         double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                         const QColor& highlightColor, const QColor& focusColor,
                         const QColor& selectionColor, double highlightWidth, double focusWidth,
                         double selectionWidth, bool allowsMoving, bool allowsResizing,
                         bool allowsResizingAtStart, bool allowsMovingVertically,
                         double thumbDistance) {
  if (content_ == nullptr) return;
  content_->drawBar(painter, item, rectangle, fillColor, secondaryFillColor, strokeColor,
                    strokeWidth, cornerRadius, isHighlighted, isFocused, isSelected, highlightColor,
                    focusColor, selectionColor, highlightWidth, focusWidth, selectionWidth,
                    allowsMoving, allowsResizing, allowsResizingAtStart, allowsMovingVertically,
                    thumbDistance);
}

void GanttChart::drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                const Color& fillColor, const Color& secondaryFillColor,
                                const std::optional<Color>& strokeColor, double strokeWidth,
                                double triangleInset, double triangleScale, bool isExpanded,
                                bool isHighlighted, bool isFocused, bool isSelected,
                                const Color& highlightColor, const Color& focusColor,
                                const Color& selectionColor, double highlightWidth,
                                double focusWidth, double selectionWidth, bool allowsMoving,
                                bool allowsResizing, bool allowsResizingAtStart,
                                bool allowsMovingVertically, double thumbDistance) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawSummaryBar(*painter, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
                 toQt(strokeColor), strokeWidth, triangleInset, triangleScale, isExpanded,
                 isHighlighted, isFocused, isSelected, toQt(highlightColor), toQt(focusColor),
                 toQt(selectionColor), highlightWidth, focusWidth, selectionWidth, allowsMoving,
                 allowsResizing, allowsResizingAtStart, allowsMovingVertically, thumbDistance);
}

void GanttChart::drawSummaryBar(QPainter& painter, const GanttChartItemPtr& item,
                                const QRectF& rectangle, const QColor& fillColor,
                                const QColor& secondaryFillColor,
                                const std::optional<QColor>& strokeColor, double strokeWidth,
                                double triangleInset, double triangleScale, bool isExpanded,
                                bool isHighlighted, bool isFocused, bool isSelected,
                                const QColor& highlightColor, const QColor& focusColor,
                                const QColor& selectionColor, double highlightWidth,
                                double focusWidth, double selectionWidth, bool allowsMoving,
                                bool allowsResizing, bool allowsResizingAtStart,
                                bool allowsMovingVertically, double thumbDistance) {
  if (content_ == nullptr) return;
  content_->drawSummaryBar(painter, item, rectangle, fillColor, secondaryFillColor, strokeColor,
                           strokeWidth, triangleInset, triangleScale, isExpanded, isHighlighted,
                           isFocused, isSelected, highlightColor, focusColor, selectionColor,
                           highlightWidth, focusWidth, selectionWidth, allowsMoving, allowsResizing,
                           allowsResizingAtStart, allowsMovingVertically, thumbDistance);
}

void GanttChart::drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                               const Color& fillColor, const Color& secondaryFillColor,
                               const std::optional<Color>& strokeColor, double strokeWidth,
                               bool isHighlighted, bool isFocused, bool isSelected,
                               const Color& highlightColor, const Color& focusColor,
                               const Color& selectionColor, double highlightWidth,
                               double focusWidth, double selectionWidth, bool allowsMoving,
                               bool allowsMovingVertically, double thumbDistance) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawMilestone(*painter, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
                toQt(strokeColor), strokeWidth, isHighlighted, isFocused, isSelected,
                toQt(highlightColor), toQt(focusColor), toQt(selectionColor), highlightWidth,
                focusWidth, selectionWidth, allowsMoving, allowsMovingVertically, thumbDistance);
}

void GanttChart::drawMilestone(QPainter& painter, const GanttChartItemPtr& item,
                               const QRectF& rectangle, const QColor& fillColor,
                               const QColor& secondaryFillColor,
                               const std::optional<QColor>& strokeColor, double strokeWidth,
                               bool isHighlighted, bool isFocused, bool isSelected,
                               const QColor& highlightColor, const QColor& focusColor,
                               const QColor& selectionColor, double highlightWidth,
                               double focusWidth, double selectionWidth, bool allowsMoving,
                               bool allowsMovingVertically, double thumbDistance) {
  if (content_ == nullptr) return;
  content_->drawMilestone(painter, item, rectangle, fillColor, secondaryFillColor, strokeColor,
                          strokeWidth, isHighlighted, isFocused, isSelected, highlightColor,
                          focusColor, selectionColor, highlightWidth, focusWidth, selectionWidth,
                          allowsMoving, allowsMovingVertically, thumbDistance);
}

void GanttChart::drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                   const Color& fillColor, const Color& secondaryFillColor,
                                   const std::optional<Color>& strokeColor, double strokeWidth,
                                   double cornerRadius, bool allowsResizing, double thumbDistance) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawCompletionBar(*painter, item, toQt(rectangle), toQt(fillColor), toQt(secondaryFillColor),
                    toQt(strokeColor), strokeWidth, cornerRadius, allowsResizing, thumbDistance);
}

void GanttChart::drawCompletionBar(QPainter& painter, const GanttChartItemPtr& item,
                                   const QRectF& rectangle, const QColor& fillColor,
                                   const QColor& secondaryFillColor,
                                   const std::optional<QColor>& strokeColor, double strokeWidth,
                                   double cornerRadius, bool allowsResizing, double thumbDistance) {
  if (content_ == nullptr) return;
  content_->drawCompletionBar(painter, item, rectangle, fillColor, secondaryFillColor, strokeColor,
                              strokeWidth, cornerRadius, allowsResizing, thumbDistance);
}

void GanttChart::drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                              const std::string& text, const Color& foregroundColor,
                              TextAlignment alignment, const Font& font) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawBarLabel(*painter, item, toQt(rectangle), QString::fromStdString(text), toQt(foregroundColor),
               toQt(alignment), toQt(font));
}

void GanttChart::drawBarLabel(QPainter& painter, const GanttChartItemPtr& item,
                              const QRectF& rectangle, const QString& text,
                              const QColor& foregroundColor, Qt::Alignment alignment,
                              const QFont& font) {
  if (content_ == nullptr) return;
  content_->drawBarLabel(painter, item, rectangle, text, foregroundColor, alignment, font);
}

void GanttChart::drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                     const std::string& text, const Color& foregroundColor,
                                     const Font& font) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawAttachmentLabel(*painter, item, toQt(rectangle), QString::fromStdString(text),
                      toQt(foregroundColor), toQt(font));
}

void GanttChart::drawAttachmentLabel(QPainter& painter, const GanttChartItemPtr& item,
                                     const QRectF& rectangle, const QString& text,
                                     const QColor& foregroundColor, const QFont& font) {
  if (content_ == nullptr) return;
  content_->drawAttachmentLabel(painter, item, rectangle, text, foregroundColor, font);
}

// --- Dependency lines -------------------------------------------------------------------

void GanttChart::draw(const GanttChartDependencyLine& dependencyLine) {
  if (content_ != nullptr) content_->draw(dependencyLine);
}

void GanttChart::drawDependencyLine(const GanttChartDependencyPtr& dependency,
                                    const std::vector<Point>& polyline, const Color& color,
                                    double width, double arrowWidth, double arrowLength,
                                    bool isHighlighted, bool isFocused, bool isSelected,
                                    double highlightWidth, double focusWidth,
                                    double selectionWidth) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawDependencyLine(*painter, dependency, toQt(polyline), toQt(color), width, arrowWidth,
                     arrowLength, isHighlighted, isFocused, isSelected, highlightWidth, focusWidth,
                     selectionWidth);
}

void GanttChart::drawDependencyLine(QPainter& painter, const GanttChartDependencyPtr& dependency,
                                    const QPolygonF& polyline, const QColor& color, double width,
                                    double arrowWidth, double arrowLength, bool isHighlighted,
                                    bool isFocused, bool isSelected, double highlightWidth,
                                    double focusWidth, double selectionWidth) {
  if (content_ == nullptr) return;
  content_->drawDependencyLine(painter, dependency, polyline, color, width, arrowWidth, arrowLength,
                               isHighlighted, isFocused, isSelected, highlightWidth, focusWidth,
                               selectionWidth);
}

void GanttChart::drawDependencyLineThumb(const GanttChartItemPtr& item,
                                         GanttChartDependencyEndType type, const Point& center,
                                         double radius, const Color& color) {
  if (QPainter* painter = contentPainter()) {
    drawDependencyLineThumb(*painter, item, type, toQt(center), radius, toQt(color));
  }
}

void GanttChart::drawDependencyLineThumb(QPainter& painter, const GanttChartItemPtr& item,
                                         GanttChartDependencyEndType type, const QPointF& center,
                                         double radius, const QColor& color) {
  if (content_ != nullptr)
    content_->drawDependencyLineThumb(painter, item, type, center, radius, color);
}

void GanttChart::drawTemporaryDependencyLine(const GanttChartItemPtr& from,
                                             const GanttChartItemPtr& to,
                                             GanttChartDependencyType type,
                                             const std::vector<Point>& polyline, const Color& color,
                                             double width, double arrowWidth, double arrowLength,
                                             double dashWidth) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawTemporaryDependencyLine(*painter, from, to, type, toQt(polyline), toQt(color), width,
                              arrowWidth, arrowLength, dashWidth);
}

void GanttChart::drawTemporaryDependencyLine(QPainter& painter, const GanttChartItemPtr& from,
                                             const GanttChartItemPtr& to,
                                             GanttChartDependencyType type,
                                             const QPolygonF& polyline, const QColor& color,
                                             double width, double arrowWidth, double arrowLength,
                                             double dashWidth) {
  if (content_ == nullptr) return;
  content_->drawTemporaryDependencyLine(painter, from, to, type, polyline, color, width, arrowWidth,
                                        arrowLength, dashWidth);
}

void GanttChart::drawTemporaryBar(const Rectangle& rectangle, const Color& color,
                                  double cornerRadius, double dashWidth) {
  if (QPainter* painter = contentPainter()) {
    drawTemporaryBar(*painter, toQt(rectangle), toQt(color), cornerRadius, dashWidth);
  }
}

void GanttChart::drawTemporaryBar(QPainter& painter, const QRectF& rectangle, const QColor& color,
                                  double cornerRadius, double dashWidth) {
  if (content_ != nullptr)
    content_->drawTemporaryBar(painter, rectangle, color, cornerRadius, dashWidth);
}

// --- Highlighted schedule areas --------------------------------------------------------

void GanttChart::drawHeaderTimeArea(const ScheduleTimeSelector& selector,
                                    const Rectangle& rectangle, const Color& fillColor) {
  if (QPainter* painter = headerPainter()) {
    drawHeaderTimeArea(*painter, selector, toQt(rectangle), toQt(fillColor));
  }
}

void GanttChart::drawHeaderTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                                    const QRectF& rectangle, const QColor& fillColor) {
  if (header_ != nullptr) header_->drawTimeArea(painter, selector, rectangle, fillColor);
}

void GanttChart::drawContentTimeArea(const ScheduleTimeSelector& selector,
                                     const Rectangle& rectangle, const Color& fillColor) {
  if (QPainter* painter = contentPainter()) {
    drawContentTimeArea(*painter, selector, toQt(rectangle), toQt(fillColor));
  }
}

void GanttChart::drawContentTimeArea(QPainter& painter, const ScheduleTimeSelector& selector,
                                     const QRectF& rectangle, const QColor& fillColor) {
  if (content_ != nullptr) content_->drawTimeArea(painter, selector, rectangle, fillColor);
}

// --- Header cells -------------------------------------------------------------------------

void GanttChart::drawHeaderCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                const Rectangle& rectangle, const Color& backgroundColor) {
  if (QPainter* painter = headerPainter()) {
    drawHeaderCell(*painter, selector, row, toQt(rectangle), toQt(backgroundColor));
  }
}

void GanttChart::drawHeaderCell(QPainter& painter, const TimeSelector& selector,
                                const GanttChartHeaderRow& row, const QRectF& rectangle,
                                const QColor& backgroundColor) {
  if (header_ != nullptr) header_->drawCell(painter, selector, row, rectangle, backgroundColor);
}

void GanttChart::drawHeaderCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                      const Rectangle& rectangle, const Line& line,
                                      double lineWidth, const Color& color) {
  if (QPainter* painter = headerPainter()) {
    drawHeaderCellBorder(*painter, selector, row, toQt(rectangle), toQt(line.p1), toQt(line.p2),
                         lineWidth, toQt(color));
  }
}

void GanttChart::drawHeaderCellBorder(QPainter& painter, const TimeSelector& selector,
                                      const GanttChartHeaderRow& row, const QRectF& rectangle,
                                      const QPointF& p1, const QPointF& p2, double lineWidth,
                                      const QColor& color) {
  if (header_ == nullptr) return;
  header_->drawCellBorder(painter, selector, row, rectangle, p1, p2, lineWidth, color);
}

void GanttChart::drawHeaderCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                     const Rectangle& rectangle, const std::string& text,
                                     const Color& foregroundColor, TextAlignment alignment,
                                     const Font& font, VerticalTextAlignment verticalAlignment) {
  QPainter* painter = headerPainter();
  if (painter == nullptr) return;
  drawHeaderCellLabel(*painter, selector, row, toQt(rectangle), QString::fromStdString(text),
                      toQt(foregroundColor), toQt(alignment), toQt(font), verticalAlignment);
}

void GanttChart::drawHeaderCellLabel(QPainter& painter, const TimeSelector& selector,
                                     const GanttChartHeaderRow& row, const QRectF& rectangle,
                                     const QString& text, const QColor& foregroundColor,
                                     Qt::Alignment alignment, const QFont& font,
                                     VerticalTextAlignment verticalAlignment) {
  if (header_ == nullptr) return;
  header_->drawCellLabel(painter, selector, row, rectangle, text, foregroundColor, alignment, font,
                         verticalAlignment);
}

// --- The chart area's time intervals --------------------------------------------------

void GanttChart::drawContentTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                                     const Color& backgroundColor) {
  if (QPainter* painter = contentPainter()) {
    drawContentTimeArea(*painter, selector, toQt(rectangle), toQt(backgroundColor));
  }
}

void GanttChart::drawContentTimeArea(QPainter& painter, const TimeSelector& selector,
                                     const QRectF& rectangle, const QColor& backgroundColor) {
  if (content_ != nullptr) content_->drawTimeArea(painter, selector, rectangle, backgroundColor);
}

void GanttChart::drawContentTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                                           const Line& line, double lineWidth, const Color& color) {
  if (QPainter* painter = contentPainter()) {
    drawContentTimeAreaBorder(*painter, selector, toQt(rectangle), toQt(line.p1), toQt(line.p2),
                              lineWidth, toQt(color));
  }
}

void GanttChart::drawContentTimeAreaBorder(QPainter& painter, const TimeSelector& selector,
                                           const QRectF& rectangle, const QPointF& p1,
                                           const QPointF& p2, double lineWidth,
                                           const QColor& color) {
  if (content_ == nullptr) return;
  content_->drawTimeAreaBorder(painter, selector, rectangle, p1, p2, lineWidth, color);
}

void GanttChart::drawContentTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                                          const std::string& text, const Color& foregroundColor,
                                          TextAlignment alignment, const Font& font,
                                          VerticalTextAlignment verticalAlignment) {
  QPainter* painter = contentPainter();
  if (painter == nullptr) return;
  drawContentTimeAreaLabel(*painter, selector, toQt(rectangle), QString::fromStdString(text),
                           toQt(foregroundColor), toQt(alignment), toQt(font), verticalAlignment);
}

void GanttChart::drawContentTimeAreaLabel(QPainter& painter, const TimeSelector& selector,
                                          const QRectF& rectangle, const QString& text,
                                          const QColor& foregroundColor, Qt::Alignment alignment,
                                          const QFont& font,
                                          VerticalTextAlignment verticalAlignment) {
  if (content_ == nullptr) return;
  content_->drawTimeAreaLabel(painter, selector, rectangle, text, foregroundColor, alignment, font,
                              verticalAlignment);
}

// --- Tool tips ----------------------------------------------------------------------------

std::optional<std::string> GanttChart::toolTip(const GanttChartItemPtr& item) {
  if (content_ == nullptr) return std::nullopt;
  return content_->toolTip(item);
}

std::optional<std::string> GanttChart::toolTip(const GanttChartDependencyPtr& dependency) {
  if (content_ == nullptr) return std::nullopt;
  return content_->toolTip(dependency);
}

}  // namespace vorlent
