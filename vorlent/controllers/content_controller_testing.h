#pragma once

// Test support: a recorder of every notification the chart area's controller
// sends, in one log, so that tests check the exact order across observers.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_testing.h"
#include "vorlent/model/item_source.h"

namespace vorlent::testing {

// Logs each call as "<role>.<requirement>", for example
// "observer.visibleBarsDidChange", "range.visibleRangeDidChange",
// "timeline.timelineDidChange", "selection.selectionDidChange",
// "viewport.zoomDidChange(2, 1)", "viewport.viewportDidChange",
// "style.defaultStyleDidChange".
class ContentRecorder : public GanttChartContentObserver,
                        public GanttChartContentRangeObserver,
                        public GanttChartContentTimelineObserver,
                        public GanttChartContentSelectionObserver,
                        public GanttChartContentViewportObserver,
                        public GanttChartContentStyleObserver {
 public:
  std::vector<std::string> log;
  // Called after each logged call with its entry, for tests that re-enter.
  std::function<void(const std::string&)> onCall;
  // The styles of the last `defaultStyleDidChange`.
  std::vector<GanttChartContentBaseStyle> lastStyleChange;

  // Installs this recorder in all six roles of `controller`.
  void observe(GanttChartContentController& controller,
               const std::shared_ptr<ContentRecorder>& self);
  // Returns the log and empties it.
  std::vector<std::string> take();

  void totalDiagramSizeDidChange() override;
  void visibleBarsDidChange() override;
  void visibleDependencyLinesDidChange() override;
  void highlightedScheduleAreasDidChange() override;
  void highlightedIntervalAreasDidChange() override;
  void dependencyLineThumbAreaDidChange() override;
  void temporaryDependencyLineDidChange() override;
  void temporaryBarDidChange() override;
  void settingsDidChange() override;

  void totalRowCountDidChange() override;
  void visibleRangeDidChange() override;

  void timelineDidChange() override;
  void visibleTimelineDidChange() override;

  void selectionDidChange() override;

  void viewportDidChange(const Rectangle& to, const Rectangle& from) override;
  void zoomDidChange(double to, double from) override;

  void defaultStyleDidChange(const GanttChartContentBaseStyle& to,
                             const GanttChartContentBaseStyle& from) override;

 private:
  void record(std::string entry);
};


// A controller over a real item source, with a `ContentRecorder` in every
// observing role and the clock pinned to a Thursday noon ten weeks after the
// examples' week.
class ContentControllerFixture : public ::testing::Test {
 protected:
  ContentControllerFixture();
  // Makes the source over the items and dependencies and the controller over
  // it, and installs the recorder.
  void open();

  ScopedClock clock;
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<ContentRecorder> recorder;
};

// The five content notifications in their order.
std::vector<std::string> contentChanged();

// What the item manager's answer to a changed filter makes the controller
// send: visible bars, then visible dependency lines.
std::vector<std::string> filterChanged();

// `a` followed by `b`.
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b);

}  // namespace vorlent::testing
