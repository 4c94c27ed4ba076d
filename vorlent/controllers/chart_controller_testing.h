#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"

namespace vorlent::testing {

// One log shared by the recorders of a test, so that the order of calls
// across the header, the content and the chart can be checked as a whole.
using ChartCallLog = std::vector<std::string>;

// Moves a viewport as a scroll view does when asked to show [start, finish]:
// the least movement that shows the span, a span longer than the view
// aligned to its start, and never beyond the document.
double scrolledOrigin(double origin, double length, double documentLength, double start,
                      double finish);

// The header's view: writes the scrolled viewport back into the controller.
class HeaderViewScroller : public GanttChartHeaderScroller {
 public:
  explicit HeaderViewScroller(std::shared_ptr<GanttChartHeaderController> header)
      : header_(std::move(header)) {}
  void scrollTo(double startX, double finishX) override;
  // Every request, in order.
  std::vector<std::pair<double, double>> requests;

 private:
  std::shared_ptr<GanttChartHeaderController> header_;
};

// The content's view, likewise in both directions.
class ContentViewScroller : public GanttChartContentScroller {
 public:
  explicit ContentViewScroller(std::shared_ptr<GanttChartContentController> content)
      : content_(std::move(content)) {}
  void scrollTo(double startX, double finishX) override;
  void scrollVerticallyTo(double startY, double finishY) override;
  std::vector<std::pair<double, double>> requests;

 private:
  std::shared_ptr<GanttChartContentController> content_;
};

// Logs the viewport and zoom changes of one controller as
// "<side>.viewport x=<new x>" and "<side>.zoom <new zoom>".
class ViewportRecorder : public GanttChartHeaderViewportObserver,
                         public GanttChartContentViewportObserver {
 public:
  ViewportRecorder(std::shared_ptr<ChartCallLog> log, std::string side)
      : log_(std::move(log)), side_(std::move(side)) {}

  void viewportDidChange(const Rectangle& to, const Rectangle& from) override;
  void zoomDidChange(double to, double from) override;

  // Called after each logged change, for tests that act then.
  std::function<void(const std::string&)> onCall;

 private:
  void record(std::string entry);
  std::shared_ptr<ChartCallLog> log_;
  std::string side_;
};

// Logs the chart controller's notifications as "<call>".
class RecordingChartObserver : public GanttChartObserver,
                               public GanttChartRangeObserver,
                               public GanttChartTimelineObserver {
 public:
  explicit RecordingChartObserver(std::shared_ptr<ChartCallLog> log) : log_(std::move(log)) {}

  void headerHeightDidChange() override;
  void headerTimelineDidChange() override;
  void headerRowCountDidChange() override;
  void totalContentRowCountDidChange() override;
  void visibleContentRangeDidChange() override;
  void timelineDidChange() override;
  void visibleTimelineDidChange() override;

  // Called after each logged notification, for tests that act then.
  std::function<void(const std::string&)> onCall;

 private:
  void record(std::string entry);
  std::shared_ptr<ChartCallLog> log_;
};

// A chart over real items, as views would show it: the header and content
// with scrollers that write their viewports back, a 400-point-wide view
// (header 50 high), and recorders installed on the chart and on both
// controllers' viewport observers.
struct ChartFixture {
  // Ten two-day items, one a row, starting a day apart from `itemsStart`.
  static std::vector<GanttChartItemPtr> makeItems();
  static const Time itemsStart;

  std::shared_ptr<GanttChartHeaderController> header;
  std::shared_ptr<GanttChartContentController> content;
  std::shared_ptr<GanttChartController> chart;
  std::shared_ptr<HeaderViewScroller> headerScroller;
  std::shared_ptr<ContentViewScroller> contentScroller;
  std::shared_ptr<ChartCallLog> log = std::make_shared<ChartCallLog>();
  std::shared_ptr<ViewportRecorder> headerViewport =
      std::make_shared<ViewportRecorder>(log, "header");
  std::shared_ptr<ViewportRecorder> contentViewport =
      std::make_shared<ViewportRecorder>(log, "content");
  std::shared_ptr<RecordingChartObserver> observer = std::make_shared<RecordingChartObserver>(log);

  // With `timeline`, the content's scrollable timeline; without, it follows
  // its items.
  explicit ChartFixture(std::optional<TimeRange> timeline = std::nullopt);

  // The log so far; it starts empty again.
  ChartCallLog take();
  // The entries of the log that start with `prefix`.
  [[nodiscard]] std::vector<std::string> entries(const std::string& prefix) const;
};

}  // namespace vorlent::testing
