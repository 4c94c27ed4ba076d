#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_protocols.h"

namespace vorlent::testing {

// One log shared by the recorders of a test, so that the order of calls
// across the header's observers can be checked as a whole.
using HeaderCallLog = std::vector<std::string>;

// Logs every notification of the header's observer protocols as
// "<protocol>.<call>", with arguments where a call has them.
class RecordingHeaderObserver : public GanttChartHeaderObserver,
                                public GanttChartHeaderRowArrayObserver,
                                public GanttChartHeaderTimelineObserver,
                                public GanttChartHeaderViewportObserver,
                                public GanttChartHeaderStyleObserver {
 public:
  explicit RecordingHeaderObserver(std::shared_ptr<HeaderCallLog> log) : log_(std::move(log)) {}

  void totalDiagramHeaderSizeDidChange() override;
  void highlightedScheduleAreasDidChange() override;
  void cellsDidChange() override;
  void zoomDidChange() override;
  void settingsDidChange() override;
  void rowCountDidChange() override;
  void timelineDidChange() override;
  void visibleTimelineDidChange() override;
  void viewportDidChange(const Rectangle& to, const Rectangle& from) override;
  void zoomDidChange(double to, double from) override;
  void defaultStyleDidChange(const GanttChartHeaderBaseStyle& to,
                             const GanttChartHeaderBaseStyle& from) override;

  // Called after each logged notification, for tests that re-enter.
  std::function<void(const std::string&)> onCall;

 private:
  void record(std::string entry);
  std::shared_ptr<HeaderCallLog> log_;
};

// A log and one recorder that listens to a controller as all five of its
// observers (header, row array, timeline, viewport and style).
struct HeaderRecording {
  std::shared_ptr<HeaderCallLog> log = std::make_shared<HeaderCallLog>();
  std::shared_ptr<RecordingHeaderObserver> observer =
      std::make_shared<RecordingHeaderObserver>(log);

  explicit HeaderRecording(GanttChartHeaderController& controller);
  // The calls logged so far; the log starts empty again.
  HeaderCallLog take();
};

// Writes every drawing call as one readable line, its arguments in order.
// Selectors and rows are named by their `context` when it holds a
// std::string ("?" otherwise), so a test gives them names.
class RecordingHeaderPresenter : public GanttChartHeaderPresenter {
 public:
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

  std::vector<std::string> calls;
  // Called after each recorded call, for tests that re-enter.
  std::function<void()> onCall;

 private:
  void record(std::string line);
};

// Keeps each request's startX and finishX.
class RecordingHeaderScroller : public GanttChartHeaderScroller {
 public:
  void scrollTo(double startX, double finishX) override { requests.emplace_back(startX, finishX); }
  std::vector<std::pair<double, double>> requests;
};

}  // namespace vorlent::testing
