#pragma once

namespace vorlent {

// Moves the view that shows a chart area so that a span of the diagram is
// visible; the view answers by writing its new visible rectangle into the
// controller's `viewport`. Held weakly by the controller. No defaults: a
// scroller must do both.
class GanttChartContentScroller {
 public:
  virtual ~GanttChartContentScroller() = default;
  // Make the horizontal span [startX, finishX] of the diagram visible.
  virtual void scrollTo(double startX, double finishX) = 0;
  // Make the vertical span [startY, finishY] of the diagram visible.
  virtual void scrollVerticallyTo(double startY, double finishY) = 0;
};

}  // namespace vorlent
