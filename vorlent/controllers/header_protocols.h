#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"
#include "vorlent/graphics/line.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"
#include "vorlent/graphics/text_alignment.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/style/header_base_style.h"
#include "vorlent/style/theme.h"

// The interfaces through which the header controller talks to its view, to
// the chart controller and to the host. The controller holds every one of
// them weakly, except the row selector, which it owns.

namespace vorlent {

// Draws what the header controller asks for, in header coordinates. Every
// geometry handed over is finite.
class GanttChartHeaderPresenter {
 public:
  virtual ~GanttChartHeaderPresenter() = default;
  // Fills (0, 0, size) with the colour.
  virtual void drawBackground(const Color& color, const Size& size) = 0;
  // One border line of the rectangle.
  virtual void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                          const Color& color) = 0;
  // A highlighted working or non-working stretch of a schedule.
  virtual void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                            const Color& fillColor) = 0;
  virtual void drawCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                        const Rectangle& rectangle, const Color& backgroundColor) = 0;
  virtual void drawCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                              const Rectangle& rectangle, const Line& line, double lineWidth,
                              const Color& color) = 0;
  // The rectangle is the cell inset by the style's label insets.
  virtual void drawCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                             const Rectangle& rectangle, const std::string& text,
                             const Color& foregroundColor, TextAlignment alignment,
                             const Font& font, VerticalTextAlignment verticalAlignment) = 0;
};

// Moves the visible part of the header so that the span from startX to
// finishX is shown; the view answers by writing the controller's viewport.
class GanttChartHeaderScroller {
 public:
  virtual ~GanttChartHeaderScroller() = default;
  virtual void scrollTo(double startX, double finishX) = 0;
};

// What the header's view redraws or resizes for.
class GanttChartHeaderObserver {
 public:
  virtual ~GanttChartHeaderObserver() = default;
  virtual void totalDiagramHeaderSizeDidChange() {}
  virtual void highlightedScheduleAreasDidChange() {}
  virtual void cellsDidChange() {}
  virtual void zoomDidChange() {}
  // Never sent by the controller itself; hosts may use it.
  virtual void settingsDidChange() {}
};

class GanttChartHeaderRowArrayObserver {
 public:
  virtual ~GanttChartHeaderRowArrayObserver() = default;
  virtual void rowCountDidChange() {}
};

class GanttChartHeaderTimelineObserver {
 public:
  virtual ~GanttChartHeaderTimelineObserver() = default;
  virtual void timelineDidChange() {}
  virtual void visibleTimelineDidChange() {}
};

class GanttChartHeaderViewportObserver {
 public:
  virtual ~GanttChartHeaderViewportObserver() = default;
  virtual void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) {}
  virtual void zoomDidChange(double /*to*/, double /*from*/) {}
};

// Adjusts a theme's header style before the controller adopts it.
class GanttChartHeaderStyleProvider {
 public:
  virtual ~GanttChartHeaderStyleProvider() = default;
  [[nodiscard]] virtual GanttChartHeaderBaseStyle style(const GanttChartHeaderBaseStyle& basedOn,
                                                        const Theme& theme, Mode mode) = 0;
};

class GanttChartHeaderStyleObserver {
 public:
  virtual ~GanttChartHeaderStyleObserver() = default;
  // Sent after every theme application, even when the two styles are alike.
  virtual void defaultStyleDidChange(const GanttChartHeaderBaseStyle& /*to*/,
                                     const GanttChartHeaderBaseStyle& /*from*/) {}
};

// Chooses the header rows for an actual hour width (zoom included), so a
// host can show coarser bands when zoomed out; std::nullopt keeps the rows
// stored in the controller.
class GanttChartHeaderRowSelector {
 public:
  virtual ~GanttChartHeaderRowSelector() = default;
  [[nodiscard]] virtual std::optional<std::vector<GanttChartHeaderRow>> rows(
      double hourWidth) const = 0;
};

// A row selector backed by a function, whose answer it returns unchanged.
class GanttChartHeaderRowSource : public GanttChartHeaderRowSelector {
 public:
  using Function = std::function<std::optional<std::vector<GanttChartHeaderRow>>(double)>;

  explicit GanttChartHeaderRowSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // An empty function keeps the stored rows.
  [[nodiscard]] std::optional<std::vector<GanttChartHeaderRow>> rows(
      double hourWidth) const override {
    return function_ ? function_(hourWidth) : std::nullopt;
  }

 private:
  Function function_;
};

}  // namespace vorlent
