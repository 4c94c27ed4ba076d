#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"
#include "vorlent/graphics/line.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"
#include "vorlent/graphics/text_alignment.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"

namespace vorlent {

// Draws what the chart area's controller decides, one primitive per call, in
// diagram coordinates (y downwards). The controller resolves every colour,
// width, inset and permission before calling; a presenter only paints. Held
// weakly and looked up before every call.
//
// `draw(bar)` and `draw(dependencyLine)` hand over a whole element; a
// presenter that wants the standard look calls the controller's own
// `draw(bar)` / `draw(dependencyLine)` back, which resolve the element's style
// and call the detailed requirements. Only the two tool tips have defaults
// (no tool tip).
class GanttChartContentPresenter {
 public:
  virtual ~GanttChartContentPresenter() = default;

  // Fill the rectangle from (0, 0) of `size`.
  virtual void drawBackground(const Color& color, const Size& size) = 0;
  // One border line of the whole diagram (`rectangle`).
  virtual void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                          const Color& color) = 0;
  // Fill the rectangle of row `row`.
  virtual void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) = 0;
  // One border line of row `row`, whose rectangle is `rectangle`.
  virtual void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line,
                          double lineWidth, const Color& color) = 0;

  // The whole bar.
  virtual void draw(const GanttChartBar& bar) = 0;
  // The bar of a standard item.
  virtual void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                       const Color& fillColor, const Color& secondaryFillColor,
                       const std::optional<Color>& strokeColor, double strokeWidth,
                       double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                       const Color& highlightColor, const Color& focusColor,
                       const Color& selectionColor, double highlightWidth, double focusWidth,
                       double selectionWidth, bool allowsMoving, bool allowsResizing,
                       bool allowsResizingAtStart, bool allowsMovingVertically,
                       double thumbDistance) = 0;
  // The bracket of a summary item.
  virtual void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                              const Color& fillColor, const Color& secondaryFillColor,
                              const std::optional<Color>& strokeColor, double strokeWidth,
                              double triangleInset, double triangleScale, bool isExpanded,
                              bool isHighlighted, bool isFocused, bool isSelected,
                              const Color& highlightColor, const Color& focusColor,
                              const Color& selectionColor, double highlightWidth,
                              double focusWidth, double selectionWidth, bool allowsMoving,
                              bool allowsResizing, bool allowsResizingAtStart,
                              bool allowsMovingVertically, double thumbDistance) = 0;
  // The diamond of a milestone.
  virtual void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                             const Color& fillColor, const Color& secondaryFillColor,
                             const std::optional<Color>& strokeColor, double strokeWidth,
                             bool isHighlighted, bool isFocused, bool isSelected,
                             const Color& highlightColor, const Color& focusColor,
                             const Color& selectionColor, double highlightWidth,
                             double focusWidth, double selectionWidth, bool allowsMoving,
                             bool allowsMovingVertically, double thumbDistance) = 0;
  // The completed part of a bar.
  virtual void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                 const Color& fillColor, const Color& secondaryFillColor,
                                 const std::optional<Color>& strokeColor, double strokeWidth,
                                 double cornerRadius, bool allowsResizing,
                                 double thumbDistance) = 0;
  // The item's label inside its bar.
  virtual void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                            const std::string& text, const Color& foregroundColor,
                            TextAlignment alignment, const Font& font) = 0;
  // The item's attachment text right of its bar.
  virtual void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                   const std::string& text, const Color& foregroundColor,
                                   const Font& font) = 0;

  // The whole dependency line.
  virtual void draw(const GanttChartDependencyLine& dependencyLine) = 0;
  // The polyline with its arrow head.
  virtual void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                                  const std::vector<Point>& polyline, const Color& color,
                                  double width, double arrowWidth, double arrowLength,
                                  bool isHighlighted, bool isFocused, bool isSelected,
                                  double highlightWidth, double focusWidth,
                                  double selectionWidth) = 0;
  // The link thumb at the `type` end of the item's bar.
  virtual void drawDependencyLineThumb(const GanttChartItemPtr& item,
                                       GanttChartDependencyEndType type, const Point& center,
                                       double radius, const Color& color) = 0;
  // The dashed line being dragged; `to` is null while it has no target.
  virtual void drawTemporaryDependencyLine(const GanttChartItemPtr& from,
                                           const GanttChartItemPtr& to,
                                           GanttChartDependencyType type,
                                           const std::vector<Point>& polyline,
                                           const Color& color, double width, double arrowWidth,
                                           double arrowLength, double dashWidth) = 0;
  // The dashed outline of the bar about to be created.
  virtual void drawTemporaryBar(const Rectangle& rectangle, const Color& color,
                                double cornerRadius, double dashWidth) = 0;

  // Fill a highlighted schedule area.
  virtual void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                            const Color& fillColor) = 0;
  // Fill a highlighted interval area.
  virtual void drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                            const Color& backgroundColor) = 0;
  // One border line of an interval area.
  virtual void drawTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                                  const Line& line, double lineWidth, const Color& color) = 0;
  // The label of an interval area.
  virtual void drawTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                                 const std::string& text, const Color& foregroundColor,
                                 TextAlignment alignment, const Font& font,
                                 VerticalTextAlignment verticalAlignment) = 0;

  // The tool tips of a bar and of a dependency line; none by default.
  virtual std::optional<std::string> toolTip(const GanttChartItemPtr& /*item*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> toolTip(const GanttChartDependencyPtr& /*dependency*/) {
    return std::nullopt;
  }
};

}  // namespace vorlent
