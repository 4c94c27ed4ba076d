#pragma once

#include "vorlent/graphics/rectangle.h"

namespace vorlent {

// The notifications of the chart area's controller. The controller holds each
// of these weakly, looks it up before every call and skips the call once the
// object has gone. Every requirement has a default that does nothing, so an
// implementation overrides only what it needs. All calls are synchronous, on
// the thread that changed the controller, after the new state is in place.

// What a view redraws or resizes on.
class GanttChartContentObserver {
 public:
  virtual ~GanttChartContentObserver() = default;
  // The whole diagram may have another size (geometry, rows, timeline, data).
  virtual void totalDiagramSizeDidChange() {}
  // The bars (or dependency lines) to draw may differ: the viewport, the
  // filtered items, focus, selection, edits.
  virtual void visibleBarsDidChange() {}
  virtual void visibleDependencyLinesDidChange() {}
  virtual void highlightedScheduleAreasDidChange() {}
  // Also sent on each tick of the current-time refresh.
  virtual void highlightedIntervalAreasDidChange() {}
  virtual void dependencyLineThumbAreaDidChange() {}
  virtual void temporaryDependencyLineDidChange() {}
  virtual void temporaryBarDidChange() {}
  // Sent first by the controller's `settingsDidChange()`, before the other
  // notifications that step sends.
  virtual void settingsDidChange() {}
};

// The rows of the diagram and the rows the viewport shows.
class GanttChartContentRangeObserver {
 public:
  virtual ~GanttChartContentRangeObserver() = default;
  virtual void totalRowCountDidChange() {}
  virtual void visibleRangeDidChange() {}
};

// The timeline the diagram spans and the part of it the viewport shows.
class GanttChartContentTimelineObserver {
 public:
  virtual ~GanttChartContentTimelineObserver() = default;
  virtual void timelineDidChange() {}
  virtual void visibleTimelineDidChange() {}
};

// The selected element changed; sent before the redraw notifications.
class GanttChartContentSelectionObserver {
 public:
  virtual ~GanttChartContentSelectionObserver() = default;
  virtual void selectionDidChange() {}
};

// A new viewport or zoom was stored; each call carries the new value and the
// one it replaced.
class GanttChartContentViewportObserver {
 public:
  virtual ~GanttChartContentViewportObserver() = default;
  virtual void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) {}
  virtual void zoomDidChange(double /*to*/, double /*from*/) {}
};

}  // namespace vorlent
