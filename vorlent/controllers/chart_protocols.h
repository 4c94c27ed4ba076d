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
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"

// The interfaces through which a chart controller talks to the view or host
// that shows the whole chart. The chart controller holds each of them weakly
// and looks it up before every call; a call to one that has gone is skipped.

namespace vorlent {

// Layout changes of the chart as a whole.
class GanttChartObserver {
 public:
  virtual ~GanttChartObserver() = default;
  // `headerHeight()` may differ: the row height was assigned or the header
  // shows another number of rows.
  virtual void headerHeightDidChange() {}
  // The header took over the chart area's timeline (also when it was equal).
  virtual void headerTimelineDidChange() {}
};

// The rows of the header and of the chart area.
class GanttChartRangeObserver {
 public:
  virtual ~GanttChartRangeObserver() = default;
  // Always after `GanttChartObserver::headerHeightDidChange()`.
  virtual void headerRowCountDidChange() {}
  virtual void totalContentRowCountDidChange() {}
  virtual void visibleContentRangeDidChange() {}
};

// The chart area's timeline; the header follows it.
class GanttChartTimelineObserver {
 public:
  virtual ~GanttChartTimelineObserver() = default;
  virtual void timelineDidChange() {}
  // Sent once the header has been brought to the chart area's visible
  // timeline.
  virtual void visibleTimelineDidChange() {}
};

// Draws the whole chart: the header's calls under `drawHeader…` names and the
// chart area's under their own, with `drawContent…` where the two would
// clash. Each call carries the arguments of the header or content presenter
// call it stands for, unchanged and in the same order; header calls are in
// header coordinates, content calls in diagram coordinates. Only the tool
// tips have defaults (none).
class GanttChartPresenter {
 public:
  virtual ~GanttChartPresenter() = default;

  virtual void drawHeaderBackground(const Color& color, const Size& size) = 0;
  virtual void drawHeaderBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                const Color& color) = 0;
  virtual void drawContentBackground(const Color& color, const Size& size) = 0;
  virtual void drawContentBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                 const Color& color) = 0;
  virtual void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) = 0;
  virtual void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line,
                          double lineWidth, const Color& color) = 0;

  // A presenter that wants the standard look of a whole bar (line) calls the
  // content controller's own `draw` back.
  virtual void draw(const GanttChartBar& bar) = 0;
  virtual void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                       const Color& fillColor, const Color& secondaryFillColor,
                       const std::optional<Color>& strokeColor, double strokeWidth,
                       double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
                       const Color& highlightColor, const Color& focusColor,
                       const Color& selectionColor, double highlightWidth, double focusWidth,
                       double selectionWidth, bool allowsMoving, bool allowsResizing,
                       bool allowsResizingAtStart, bool allowsMovingVertically,
                       double thumbDistance) = 0;
  virtual void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                              const Color& fillColor, const Color& secondaryFillColor,
                              const std::optional<Color>& strokeColor, double strokeWidth,
                              double triangleInset, double triangleScale, bool isExpanded,
                              bool isHighlighted, bool isFocused, bool isSelected,
                              const Color& highlightColor, const Color& focusColor,
                              const Color& selectionColor, double highlightWidth, double focusWidth,
                              double selectionWidth, bool allowsMoving, bool allowsResizing,
                              bool allowsResizingAtStart, bool allowsMovingVertically,
                              double thumbDistance) = 0;
  virtual void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                             const Color& fillColor, const Color& secondaryFillColor,
                             const std::optional<Color>& strokeColor, double strokeWidth,
                             bool isHighlighted, bool isFocused, bool isSelected,
                             const Color& highlightColor, const Color& focusColor,
                             const Color& selectionColor, double highlightWidth, double focusWidth,
                             double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                             double thumbDistance) = 0;
  virtual void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                 const Color& fillColor, const Color& secondaryFillColor,
                                 const std::optional<Color>& strokeColor, double strokeWidth,
                                 double cornerRadius, bool allowsResizing,
                                 double thumbDistance) = 0;
  virtual void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                            const std::string& text, const Color& foregroundColor,
                            TextAlignment alignment, const Font& font) = 0;
  virtual void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                                   const std::string& text, const Color& foregroundColor,
                                   const Font& font) = 0;

  virtual void draw(const GanttChartDependencyLine& dependencyLine) = 0;
  virtual void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                                  const std::vector<Point>& polyline, const Color& color,
                                  double width, double arrowWidth, double arrowLength,
                                  bool isHighlighted, bool isFocused, bool isSelected,
                                  double highlightWidth, double focusWidth,
                                  double selectionWidth) = 0;
  virtual void drawDependencyLineThumb(const GanttChartItemPtr& item,
                                       GanttChartDependencyEndType type, const Point& center,
                                       double radius, const Color& color) = 0;
  // `to` is null while the line has no target.
  virtual void drawTemporaryDependencyLine(const GanttChartItemPtr& from,
                                           const GanttChartItemPtr& to,
                                           GanttChartDependencyType type,
                                           const std::vector<Point>& polyline, const Color& color,
                                           double width, double arrowWidth, double arrowLength,
                                           double dashWidth) = 0;
  virtual void drawTemporaryBar(const Rectangle& rectangle, const Color& color, double cornerRadius,
                                double dashWidth) = 0;

  virtual void drawHeaderTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                                  const Color& fillColor) = 0;
  virtual void drawContentTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                                   const Color& fillColor) = 0;
  virtual void drawHeaderCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                              const Rectangle& rectangle, const Color& backgroundColor) = 0;
  virtual void drawHeaderCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                    const Rectangle& rectangle, const Line& line, double lineWidth,
                                    const Color& color) = 0;
  virtual void drawHeaderCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                   const Rectangle& rectangle, const std::string& text,
                                   const Color& foregroundColor, TextAlignment alignment,
                                   const Font& font, VerticalTextAlignment verticalAlignment) = 0;
  virtual void drawContentTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                                   const Color& backgroundColor) = 0;
  virtual void drawContentTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                                         const Line& line, double lineWidth,
                                         const Color& color) = 0;
  virtual void drawContentTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                                        const std::string& text, const Color& foregroundColor,
                                        TextAlignment alignment, const Font& font,
                                        VerticalTextAlignment verticalAlignment) = 0;

  virtual std::optional<std::string> toolTip(const GanttChartItemPtr& /*item*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> toolTip(const GanttChartDependencyPtr& /*dependency*/) {
    return std::nullopt;
  }
};

}  // namespace vorlent
