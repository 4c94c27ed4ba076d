#include "vorlent/controllers/chart_controller_adapters.h"

namespace vorlent {

using HeaderObserverAdapter = GanttChartController::HeaderObserverAdapter;
using ContentObserverAdapter = GanttChartController::ContentObserverAdapter;
using HeaderPresenterAdapter = GanttChartController::HeaderPresenterAdapter;
using ContentPresenterAdapter = GanttChartController::ContentPresenterAdapter;

namespace {

// The chart's presenter, or null without one or once the chart has gone.
std::shared_ptr<GanttChartPresenter> presenterOf(const GanttChartController* chart) {
  return chart ? chart->presenter() : nullptr;
}

}  // namespace

// --- Observers ----------------------------------------------------------------------

void HeaderObserverAdapter::rowCountDidChange() {
  if (target_) target_->answerHeaderRowCountChange();
}

void HeaderObserverAdapter::timelineDidChange() {
  if (target_) target_->answerHeaderTimelineChange();
}

void HeaderObserverAdapter::visibleTimelineDidChange() {
  if (target_) target_->answerHeaderVisibleTimelineChange();
}

void ContentObserverAdapter::totalRowCountDidChange() {
  if (target_) target_->answerContentTotalRowCountChange();
}

void ContentObserverAdapter::visibleRangeDidChange() {
  if (target_) target_->answerContentVisibleRangeChange();
}

void ContentObserverAdapter::timelineDidChange() {
  if (target_) target_->answerContentTimelineChange();
}

void ContentObserverAdapter::visibleTimelineDidChange() {
  if (target_) target_->answerContentVisibleTimelineChange();
}

// --- Header presenter -----------------------------------------------------------------

void HeaderPresenterAdapter::drawBackground(const Color& color, const Size& size) {
  if (auto p = presenterOf(target_)) p->drawHeaderBackground(color, size);
}

void HeaderPresenterAdapter::drawBorder(const Rectangle& rectangle, const Line& line,
                                        double lineWidth, const Color& color) {
  if (auto p = presenterOf(target_)) p->drawHeaderBorder(rectangle, line, lineWidth, color);
}

void HeaderPresenterAdapter::drawTimeArea(const ScheduleTimeSelector& selector,
                                          const Rectangle& rectangle, const Color& fillColor) {
  if (auto p = presenterOf(target_)) p->drawHeaderTimeArea(selector, rectangle, fillColor);
}

void HeaderPresenterAdapter::drawCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                      const Rectangle& rectangle, const Color& backgroundColor) {
  if (auto p = presenterOf(target_)) p->drawHeaderCell(selector, row, rectangle, backgroundColor);
}

void HeaderPresenterAdapter::drawCellBorder(const TimeSelector& selector,
                                            const GanttChartHeaderRow& row,
                                            const Rectangle& rectangle, const Line& line,
                                            double lineWidth, const Color& color) {
  if (auto p = presenterOf(target_))
    p->drawHeaderCellBorder(selector, row, rectangle, line, lineWidth, color);
}

void HeaderPresenterAdapter::drawCellLabel(const TimeSelector& selector,
                                           const GanttChartHeaderRow& row,
                                           const Rectangle& rectangle, const std::string& text,
                                           const Color& foregroundColor, TextAlignment alignment,
                                           const Font& font,
                                           VerticalTextAlignment verticalAlignment) {
  if (auto p = presenterOf(target_)) {
    p->drawHeaderCellLabel(selector, row, rectangle, text, foregroundColor, alignment, font,
                           verticalAlignment);
  }
}

// --- Content presenter ----------------------------------------------------------------

void ContentPresenterAdapter::drawBackground(const Color& color, const Size& size) {
  if (auto p = presenterOf(target_)) p->drawContentBackground(color, size);
}

void ContentPresenterAdapter::drawBorder(const Rectangle& rectangle, const Line& line,
                                         double lineWidth, const Color& color) {
  if (auto p = presenterOf(target_)) p->drawContentBorder(rectangle, line, lineWidth, color);
}

void ContentPresenterAdapter::drawBackground(int64_t row, const Rectangle& rectangle,
                                             const Color& color) {
  if (auto p = presenterOf(target_)) p->drawBackground(row, rectangle, color);
}

void ContentPresenterAdapter::drawBorder(int64_t row, const Rectangle& rectangle, const Line& line,
                                         double lineWidth, const Color& color) {
  if (auto p = presenterOf(target_)) p->drawBorder(row, rectangle, line, lineWidth, color);
}

void ContentPresenterAdapter::draw(const GanttChartBar& bar) {
  if (auto p = presenterOf(target_)) p->draw(bar);
}

void ContentPresenterAdapter::drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                      const Color& fillColor, const Color& secondaryFillColor,
                                      const std::optional<Color>& strokeColor, double strokeWidth,
                                      double cornerRadius, bool isHighlighted, bool isFocused,
                                      bool isSelected, const Color& highlightColor,
                                      const Color& focusColor, const Color& selectionColor,
                                      double highlightWidth, double focusWidth,
                                      double selectionWidth, bool allowsMoving, bool allowsResizing,
                                      bool allowsResizingAtStart, bool allowsMovingVertically,
                                      double thumbDistance) {
  if (auto p = presenterOf(target_)) {
    p->drawBar(item, rectangle, fillColor, secondaryFillColor, strokeColor, strokeWidth,
               cornerRadius, isHighlighted, isFocused, isSelected, highlightColor, focusColor,
               selectionColor, highlightWidth, focusWidth, selectionWidth, allowsMoving,
               allowsResizing, allowsResizingAtStart, allowsMovingVertically, thumbDistance);
  }
}

void ContentPresenterAdapter::drawSummaryBar(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    double triangleInset, double triangleScale, bool isExpanded, bool isHighlighted, bool isFocused,
    bool isSelected, const Color& highlightColor, const Color& focusColor,
    const Color& selectionColor, double highlightWidth, double focusWidth, double selectionWidth,
    bool allowsMoving, bool allowsResizing, bool allowsResizingAtStart, bool allowsMovingVertically,
    double thumbDistance) {
  if (auto p = presenterOf(target_)) {
    p->drawSummaryBar(item, rectangle, fillColor, secondaryFillColor, strokeColor, strokeWidth,
                      triangleInset, triangleScale, isExpanded, isHighlighted, isFocused,
                      isSelected, highlightColor, focusColor, selectionColor, highlightWidth,
                      focusWidth, selectionWidth, allowsMoving, allowsResizing,
                      allowsResizingAtStart, allowsMovingVertically, thumbDistance);
  }
}

void ContentPresenterAdapter::drawMilestone(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    bool isHighlighted, bool isFocused, bool isSelected, const Color& highlightColor,
    const Color& focusColor, const Color& selectionColor, double highlightWidth, double focusWidth,
    double selectionWidth, bool allowsMoving, bool allowsMovingVertically, double thumbDistance) {
  if (auto p = presenterOf(target_)) {
    p->drawMilestone(item, rectangle, fillColor, secondaryFillColor, strokeColor, strokeWidth,
                     isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                     selectionColor, highlightWidth, focusWidth, selectionWidth, allowsMoving,
                     allowsMovingVertically, thumbDistance);
  }
}

void ContentPresenterAdapter::drawCompletionBar(const GanttChartItemPtr& item,
                                                const Rectangle& rectangle, const Color& fillColor,
                                                const Color& secondaryFillColor,
                                                const std::optional<Color>& strokeColor,
                                                double strokeWidth, double cornerRadius,
                                                bool allowsResizing, double thumbDistance) {
  if (auto p = presenterOf(target_)) {
    p->drawCompletionBar(item, rectangle, fillColor, secondaryFillColor, strokeColor, strokeWidth,
                         cornerRadius, allowsResizing, thumbDistance);
  }
}

void ContentPresenterAdapter::drawBarLabel(const GanttChartItemPtr& item,
                                           const Rectangle& rectangle, const std::string& text,
                                           const Color& foregroundColor, TextAlignment alignment,
                                           const Font& font) {
  if (auto p = presenterOf(target_))
    p->drawBarLabel(item, rectangle, text, foregroundColor, alignment, font);
}

void ContentPresenterAdapter::drawAttachmentLabel(const GanttChartItemPtr& item,
                                                  const Rectangle& rectangle,
                                                  const std::string& text,
                                                  const Color& foregroundColor, const Font& font) {
  if (auto p = presenterOf(target_))
    p->drawAttachmentLabel(item, rectangle, text, foregroundColor, font);
}

void ContentPresenterAdapter::draw(const GanttChartDependencyLine& dependencyLine) {
  if (auto p = presenterOf(target_)) p->draw(dependencyLine);
}

void ContentPresenterAdapter::drawDependencyLine(const GanttChartDependencyPtr& dependency,
                                                 const std::vector<Point>& polyline,
                                                 const Color& color, double width,
                                                 double arrowWidth, double arrowLength,
                                                 bool isHighlighted, bool isFocused,
                                                 bool isSelected, double highlightWidth,
                                                 double focusWidth, double selectionWidth) {
  if (auto p = presenterOf(target_)) {
    p->drawDependencyLine(dependency, polyline, color, width, arrowWidth, arrowLength,
                          isHighlighted, isFocused, isSelected, highlightWidth, focusWidth,
                          selectionWidth);
  }
}

void ContentPresenterAdapter::drawDependencyLineThumb(const GanttChartItemPtr& item,
                                                      GanttChartDependencyEndType type,
                                                      const Point& center, double radius,
                                                      const Color& color) {
  if (auto p = presenterOf(target_)) p->drawDependencyLineThumb(item, type, center, radius, color);
}

void ContentPresenterAdapter::drawTemporaryDependencyLine(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type,
    const std::vector<Point>& polyline, const Color& color, double width, double arrowWidth,
    double arrowLength, double dashWidth) {
  if (auto p = presenterOf(target_)) {
    p->drawTemporaryDependencyLine(from, to, type, polyline, color, width, arrowWidth, arrowLength,
                                   dashWidth);
  }
}

void ContentPresenterAdapter::drawTemporaryBar(const Rectangle& rectangle, const Color& color,
                                               double cornerRadius, double dashWidth) {
  if (auto p = presenterOf(target_)) p->drawTemporaryBar(rectangle, color, cornerRadius, dashWidth);
}

void ContentPresenterAdapter::drawTimeArea(const ScheduleTimeSelector& selector,
                                           const Rectangle& rectangle, const Color& fillColor) {
  if (auto p = presenterOf(target_)) p->drawContentTimeArea(selector, rectangle, fillColor);
}

void ContentPresenterAdapter::drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                                           const Color& backgroundColor) {
  if (auto p = presenterOf(target_)) p->drawContentTimeArea(selector, rectangle, backgroundColor);
}

void ContentPresenterAdapter::drawTimeAreaBorder(const TimeSelector& selector,
                                                 const Rectangle& rectangle, const Line& line,
                                                 double lineWidth, const Color& color) {
  if (auto p = presenterOf(target_))
    p->drawContentTimeAreaBorder(selector, rectangle, line, lineWidth, color);
}

void ContentPresenterAdapter::drawTimeAreaLabel(const TimeSelector& selector,
                                                const Rectangle& rectangle, const std::string& text,
                                                const Color& foregroundColor,
                                                TextAlignment alignment, const Font& font,
                                                VerticalTextAlignment verticalAlignment) {
  if (auto p = presenterOf(target_)) {
    p->drawContentTimeAreaLabel(selector, rectangle, text, foregroundColor, alignment, font,
                                verticalAlignment);
  }
}

std::optional<std::string> ContentPresenterAdapter::toolTip(const GanttChartItemPtr& item) {
  if (auto p = presenterOf(target_)) return p->toolTip(item);
  return std::nullopt;
}

std::optional<std::string> ContentPresenterAdapter::toolTip(
    const GanttChartDependencyPtr& dependency) {
  if (auto p = presenterOf(target_)) return p->toolTip(dependency);
  return std::nullopt;
}

}  // namespace vorlent
