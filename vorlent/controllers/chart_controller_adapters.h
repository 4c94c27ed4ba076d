#pragma once

// The four adapters through which a chart controller listens to and draws
// for its header and content controllers. Reached through
// chart_controller.h, which includes this file at its end.

#include "vorlent/controllers/chart_controller.h"

namespace vorlent {

// Each adapter refers back to the chart controller that made it without
// owning it; the chart controller clears that reference when it goes, so a
// host that keeps an adapter alive longer gets calls that do nothing.

// The header's row-array and timeline observer.
class GanttChartController::HeaderObserverAdapter final : public GanttChartHeaderRowArrayObserver,
                                                          public GanttChartHeaderTimelineObserver {
 public:
  // The chart controller, or null once it is gone.
  [[nodiscard]] GanttChartController* target() const { return target_; }

  // Tells `headerHeightDidChange()`, then `headerRowCountDidChange()`.
  void rowCountDidChange() override;
  // The header takes the content's timeline back.
  void timelineDidChange() override;
  // The content follows the header, unless the header is being brought in
  // line with the content.
  void visibleTimelineDidChange() override;

 private:
  friend class GanttChartController;
  explicit HeaderObserverAdapter(GanttChartController* target) : target_(target) {}
  GanttChartController* target_;
};

// The content's range and timeline observer.
class GanttChartController::ContentObserverAdapter final
    : public GanttChartContentRangeObserver,
      public GanttChartContentTimelineObserver {
 public:
  [[nodiscard]] GanttChartController* target() const { return target_; }

  // Forwarded as `totalContentRowCountDidChange()` and
  // `visibleContentRangeDidChange()`.
  void totalRowCountDidChange() override;
  void visibleRangeDidChange() override;
  // The header takes the new timeline; then forwarded.
  void timelineDidChange() override;
  // The header is brought to the content's scale and visible timeline; then
  // forwarded.
  void visibleTimelineDidChange() override;

 private:
  friend class GanttChartController;
  explicit ContentObserverAdapter(GanttChartController* target) : target_(target) {}
  GanttChartController* target_;
};

// The header's presenter: each call goes to the chart's presenter under its
// `drawHeader…` name.
class GanttChartController::HeaderPresenterAdapter final : public GanttChartHeaderPresenter {
 public:
  [[nodiscard]] GanttChartController* target() const { return target_; }

  void drawBackground(const Color& color, const Size& size) override;
  void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                    const Color& fillColor) override;
  void drawCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                const Rectangle& rectangle, const Color& backgroundColor) override;
  void drawCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                      const Rectangle& rectangle, const Line& line, double lineWidth,
                      const Color& color) override;
  void drawCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                     const Rectangle& rectangle, const std::string& text,
                     const Color& foregroundColor, TextAlignment alignment, const Font& font,
                     VerticalTextAlignment verticalAlignment) override;

 private:
  friend class GanttChartController;
  explicit HeaderPresenterAdapter(GanttChartController* target) : target_(target) {}
  GanttChartController* target_;
};

// The content's presenter: each call goes to the chart's presenter under its
// own name, or `drawContent…` for the background, border and time areas.
class GanttChartController::ContentPresenterAdapter final : public GanttChartContentPresenter {
 public:
  [[nodiscard]] GanttChartController* target() const { return target_; }

  void drawBackground(const Color& color, const Size& size) override;
  void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) override;
  void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  void draw(const GanttChartBar& bar) override;
  void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
               const Color& secondaryFillColor, const std::optional<Color>& strokeColor,
               double strokeWidth, double cornerRadius, bool isHighlighted, bool isFocused,
               bool isSelected, const Color& highlightColor, const Color& focusColor,
               const Color& selectionColor, double highlightWidth, double focusWidth,
               double selectionWidth, bool allowsMoving, bool allowsResizing,
               bool allowsResizingAtStart, bool allowsMovingVertically,
               double thumbDistance) override;
  void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                      const Color& fillColor, const Color& secondaryFillColor,
                      const std::optional<Color>& strokeColor, double strokeWidth,
                      double triangleInset, double triangleScale, bool isExpanded,
                      bool isHighlighted, bool isFocused, bool isSelected,
                      const Color& highlightColor, const Color& focusColor,
                      const Color& selectionColor, double highlightWidth, double focusWidth,
                      double selectionWidth, bool allowsMoving, bool allowsResizing,
                      bool allowsResizingAtStart, bool allowsMovingVertically,
                      double thumbDistance) override;
  void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                     const Color& fillColor, const Color& secondaryFillColor,
                     const std::optional<Color>& strokeColor, double strokeWidth,
                     bool isHighlighted, bool isFocused, bool isSelected,
                     const Color& highlightColor, const Color& focusColor,
                     const Color& selectionColor, double highlightWidth, double focusWidth,
                     double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                     double thumbDistance) override;
  void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                         const Color& fillColor, const Color& secondaryFillColor,
                         const std::optional<Color>& strokeColor, double strokeWidth,
                         double cornerRadius, bool allowsResizing, double thumbDistance) override;
  void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                    const std::string& text, const Color& foregroundColor, TextAlignment alignment,
                    const Font& font) override;
  void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                           const std::string& text, const Color& foregroundColor,
                           const Font& font) override;
  void draw(const GanttChartDependencyLine& dependencyLine) override;
  void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                          const std::vector<Point>& polyline, const Color& color, double width,
                          double arrowWidth, double arrowLength, bool isHighlighted, bool isFocused,
                          bool isSelected, double highlightWidth, double focusWidth,
                          double selectionWidth) override;
  void drawDependencyLineThumb(const GanttChartItemPtr& item, GanttChartDependencyEndType type,
                               const Point& center, double radius, const Color& color) override;
  void drawTemporaryDependencyLine(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                                   GanttChartDependencyType type,
                                   const std::vector<Point>& polyline, const Color& color,
                                   double width, double arrowWidth, double arrowLength,
                                   double dashWidth) override;
  void drawTemporaryBar(const Rectangle& rectangle, const Color& color, double cornerRadius,
                        double dashWidth) override;
  void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                    const Color& fillColor) override;
  void drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                    const Color& backgroundColor) override;
  void drawTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                          const Line& line, double lineWidth, const Color& color) override;
  void drawTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                         const std::string& text, const Color& foregroundColor,
                         TextAlignment alignment, const Font& font,
                         VerticalTextAlignment verticalAlignment) override;
  // None without a presenter.
  std::optional<std::string> toolTip(const GanttChartItemPtr& item) override;
  std::optional<std::string> toolTip(const GanttChartDependencyPtr& dependency) override;

 private:
  friend class GanttChartController;
  explicit ContentPresenterAdapter(GanttChartController* target) : target_(target) {}
  GanttChartController* target_;
};

}  // namespace vorlent
