#include "vorlent/controllers/content_controller_testing.h"

#include <sstream>
#include <utility>

#include "vorlent/time/schedule_testing.h"

namespace vorlent::testing {

void ContentRecorder::observe(GanttChartContentController& controller,
                              const std::shared_ptr<ContentRecorder>& self) {
  controller.setObserver(self);
  controller.setRangeObserver(self);
  controller.setTimelineObserver(self);
  controller.setSelectionObserver(self);
  controller.setViewportObserver(self);
  controller.setStyleObserver(self);
}

std::vector<std::string> ContentRecorder::take() { return std::exchange(log, {}); }

void ContentRecorder::record(std::string entry) {
  log.push_back(entry);
  if (onCall) onCall(entry);
}

void ContentRecorder::totalDiagramSizeDidChange() { record("observer.totalDiagramSizeDidChange"); }
void ContentRecorder::visibleBarsDidChange() { record("observer.visibleBarsDidChange"); }
void ContentRecorder::visibleDependencyLinesDidChange() {
  record("observer.visibleDependencyLinesDidChange");
}
void ContentRecorder::highlightedScheduleAreasDidChange() {
  record("observer.highlightedScheduleAreasDidChange");
}
void ContentRecorder::highlightedIntervalAreasDidChange() {
  record("observer.highlightedIntervalAreasDidChange");
}
void ContentRecorder::dependencyLineThumbAreaDidChange() {
  record("observer.dependencyLineThumbAreaDidChange");
}
void ContentRecorder::temporaryDependencyLineDidChange() {
  record("observer.temporaryDependencyLineDidChange");
}
void ContentRecorder::temporaryBarDidChange() { record("observer.temporaryBarDidChange"); }
void ContentRecorder::settingsDidChange() { record("observer.settingsDidChange"); }

void ContentRecorder::totalRowCountDidChange() { record("range.totalRowCountDidChange"); }
void ContentRecorder::visibleRangeDidChange() { record("range.visibleRangeDidChange"); }

void ContentRecorder::timelineDidChange() { record("timeline.timelineDidChange"); }
void ContentRecorder::visibleTimelineDidChange() { record("timeline.visibleTimelineDidChange"); }

void ContentRecorder::selectionDidChange() { record("selection.selectionDidChange"); }

void ContentRecorder::viewportDidChange(const Rectangle& to, const Rectangle& from) {
  std::ostringstream entry;
  entry << "viewport.viewportDidChange(" << to << ", " << from << ")";
  record(entry.str());
}

void ContentRecorder::zoomDidChange(double to, double from) {
  std::ostringstream entry;
  entry << "viewport.zoomDidChange(" << to << ", " << from << ")";
  record(entry.str());
}

void ContentRecorder::defaultStyleDidChange(const GanttChartContentBaseStyle& to,
                                            const GanttChartContentBaseStyle& from) {
  lastStyleChange = {to, from};
  record("style.defaultStyleDidChange");
}

ContentControllerFixture::ContentControllerFixture()
    : clock(makeDate(on(kThursday, 12, 0, kWeek + 10))) {}

void ContentControllerFixture::open() {
  source = std::make_shared<GanttChartItemSource>(items, dependencies);
  controller = GanttChartContentController::create(source);
  recorder = std::make_shared<ContentRecorder>();
  recorder->observe(*controller, recorder);
}

std::vector<std::string> filterChanged() {
  return {"observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange"};
}

std::vector<std::string> contentChanged() {
  return {"observer.totalDiagramSizeDidChange", "observer.visibleBarsDidChange",
          "observer.visibleDependencyLinesDidChange", "observer.highlightedScheduleAreasDidChange",
          "observer.highlightedIntervalAreasDidChange"};
}

std::vector<std::string> operator+(std::vector<std::string> a,
                                   const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace vorlent::testing
