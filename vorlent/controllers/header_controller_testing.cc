#include "vorlent/controllers/header_controller_testing.h"

#include <any>
#include <sstream>

namespace vorlent::testing {

namespace {

std::string nameOf(const std::any& context) {
  const auto* name = std::any_cast<std::string>(&context);
  return name ? *name : "?";
}

std::string nameOf(const TimeSelector& selector, const GanttChartHeaderRow& row) {
  return nameOf(selector.context) + "/" + nameOf(row.context);
}

// A style shown by its background colour, the field that tells the presets
// apart best.
std::string backgroundOf(const GanttChartHeaderBaseStyle& style) {
  if (!style.backgroundColor) return "none";
  std::ostringstream out;
  out << *style.backgroundColor;
  return out.str();
}

}  // namespace

void RecordingHeaderObserver::record(std::string entry) {
  log_->push_back(entry);
  if (onCall) onCall(entry);
}

void RecordingHeaderObserver::totalDiagramHeaderSizeDidChange() {
  record("observer.totalDiagramHeaderSizeDidChange");
}
void RecordingHeaderObserver::highlightedScheduleAreasDidChange() {
  record("observer.highlightedScheduleAreasDidChange");
}
void RecordingHeaderObserver::cellsDidChange() { record("observer.cellsDidChange"); }
void RecordingHeaderObserver::zoomDidChange() { record("observer.zoomDidChange"); }
void RecordingHeaderObserver::settingsDidChange() { record("observer.settingsDidChange"); }
void RecordingHeaderObserver::rowCountDidChange() { record("rowArray.rowCountDidChange"); }
void RecordingHeaderObserver::timelineDidChange() { record("timeline.timelineDidChange"); }
void RecordingHeaderObserver::visibleTimelineDidChange() {
  record("timeline.visibleTimelineDidChange");
}
void RecordingHeaderObserver::viewportDidChange(const Rectangle& to, const Rectangle& from) {
  std::ostringstream out;
  out << "viewport.viewportDidChange(" << to << ", " << from << ")";
  record(out.str());
}
void RecordingHeaderObserver::zoomDidChange(double to, double from) {
  std::ostringstream out;
  out << "viewport.zoomDidChange(" << to << ", " << from << ")";
  record(out.str());
}
void RecordingHeaderObserver::defaultStyleDidChange(const GanttChartHeaderBaseStyle& to,
                                                    const GanttChartHeaderBaseStyle& from) {
  std::ostringstream out;
  out << "style.defaultStyleDidChange(" << backgroundOf(to) << " from " << backgroundOf(from)
      << ")";
  record(out.str());
}

HeaderRecording::HeaderRecording(GanttChartHeaderController& controller) {
  controller.setObserver(observer);
  controller.setRowArrayObserver(observer);
  controller.setTimelineObserver(observer);
  controller.setViewportObserver(observer);
  controller.setStyleObserver(observer);
}

HeaderCallLog HeaderRecording::take() {
  HeaderCallLog taken = std::move(*log);
  log->clear();
  return taken;
}

void RecordingHeaderPresenter::record(std::string line) {
  calls.push_back(std::move(line));
  if (onCall) onCall();
}

void RecordingHeaderPresenter::drawBackground(const Color& color, const Size& size) {
  std::ostringstream out;
  out << "background " << color << " " << size;
  record(out.str());
}

void RecordingHeaderPresenter::drawBorder(const Rectangle& rectangle, const Line& line,
                                          double lineWidth, const Color& color) {
  std::ostringstream out;
  out << "border " << rectangle << " " << line << " " << lineWidth << " " << color;
  record(out.str());
}

void RecordingHeaderPresenter::drawTimeArea(const ScheduleTimeSelector& selector,
                                            const Rectangle& rectangle, const Color& fillColor) {
  std::ostringstream out;
  out << "area " << nameOf(selector.context) << " " << rectangle << " " << fillColor;
  record(out.str());
}

void RecordingHeaderPresenter::drawCell(const TimeSelector& selector,
                                        const GanttChartHeaderRow& row, const Rectangle& rectangle,
                                        const Color& backgroundColor) {
  std::ostringstream out;
  out << "cell " << nameOf(selector, row) << " " << rectangle << " " << backgroundColor;
  record(out.str());
}

void RecordingHeaderPresenter::drawCellBorder(const TimeSelector& selector,
                                              const GanttChartHeaderRow& row,
                                              const Rectangle& rectangle, const Line& line,
                                              double lineWidth, const Color& color) {
  std::ostringstream out;
  out << "cellBorder " << nameOf(selector, row) << " " << rectangle << " " << line << " "
      << lineWidth << " " << color;
  record(out.str());
}

void RecordingHeaderPresenter::drawCellLabel(const TimeSelector& selector,
                                             const GanttChartHeaderRow& row,
                                             const Rectangle& rectangle, const std::string& text,
                                             const Color& foregroundColor, TextAlignment alignment,
                                             const Font& font,
                                             VerticalTextAlignment verticalAlignment) {
  std::ostringstream out;
  out << "label " << nameOf(selector, row) << " " << rectangle << " \"" << text << "\" "
      << foregroundColor << " " << alignment << " " << font << " " << verticalAlignment;
  record(out.str());
}

}  // namespace vorlent::testing
