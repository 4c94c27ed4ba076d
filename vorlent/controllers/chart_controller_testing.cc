#include "vorlent/controllers/chart_controller_testing.h"

#include <algorithm>
#include <sstream>

#include "vorlent/model/item_source.h"

namespace vorlent::testing {

double scrolledOrigin(double origin, double length, double documentLength, double start,
                      double finish) {
  double moved = origin;
  if (finish - start >= length || start < origin) {
    moved = start;
  } else if (finish > origin + length) {
    moved = finish - length;
  }
  return std::max(0.0, std::min(moved, documentLength - length));
}

namespace {

// The viewport moved along x as a scroll view moves it to show the span.
Rectangle scrolledAlongX(Rectangle viewport, double documentWidth, double startX, double finishX) {
  viewport.origin.x =
      scrolledOrigin(viewport.origin.x, viewport.size.width, documentWidth, startX, finishX);
  return viewport;
}

}  // namespace

void HeaderViewScroller::scrollTo(double startX, double finishX) {
  requests.emplace_back(startX, finishX);
  header_->setViewport(scrolledAlongX(header_->viewport(), header_->totalDiagramHeaderSize().width,
                                      startX, finishX));
}

void ContentViewScroller::scrollTo(double startX, double finishX) {
  requests.emplace_back(startX, finishX);
  content_->setViewport(
      scrolledAlongX(content_->viewport(), content_->totalDiagramSize().width, startX, finishX));
}

void ContentViewScroller::scrollVerticallyTo(double startY, double finishY) {
  Rectangle viewport = content_->viewport();
  viewport.origin.y = scrolledOrigin(viewport.origin.y, viewport.size.height,
                                     content_->totalDiagramSize().height, startY, finishY);
  content_->setViewport(viewport);
}

void ViewportRecorder::record(std::string entry) {
  log_->push_back(entry);
  if (onCall) onCall(entry);
}

void ViewportRecorder::viewportDidChange(const Rectangle& to, const Rectangle& /*from*/) {
  std::ostringstream out;
  out << side_ << ".viewport x=" << to.origin.x;
  record(out.str());
}

void ViewportRecorder::zoomDidChange(double to, double /*from*/) {
  std::ostringstream out;
  out << side_ << ".zoom " << to;
  record(out.str());
}

void RecordingChartObserver::record(std::string entry) {
  log_->push_back(entry);
  if (onCall) onCall(entry);
}

void RecordingChartObserver::headerHeightDidChange() { record("headerHeightDidChange"); }
void RecordingChartObserver::headerTimelineDidChange() { record("headerTimelineDidChange"); }
void RecordingChartObserver::headerRowCountDidChange() { record("headerRowCountDidChange"); }
void RecordingChartObserver::totalContentRowCountDidChange() {
  record("totalContentRowCountDidChange");
}
void RecordingChartObserver::visibleContentRangeDidChange() {
  record("visibleContentRangeDidChange");
}
void RecordingChartObserver::timelineDidChange() { record("timelineDidChange"); }
void RecordingChartObserver::visibleTimelineDidChange() { record("visibleTimelineDidChange"); }

const Time ChartFixture::itemsStart = Time::fromYearMonthDay(2024, 3, 4, 0, 0, 0);

std::vector<GanttChartItemPtr> ChartFixture::makeItems() {
  std::vector<GanttChartItemPtr> items;
  for (int64_t row = 0; row < 10; ++row) {
    const Time start = itemsStart.addingDays(row);
    items.push_back(
        GanttChartItem::create({.row = row, .start = start, .finish = start.addingDays(2)}));
  }
  return items;
}

ChartFixture::ChartFixture(std::optional<TimeRange> timeline) {
  header = GanttChartHeaderController::create();
  content =
      GanttChartContentController::create(std::make_shared<GanttChartItemSource>(makeItems()));
  if (timeline) content->setScrollableTimeline(timeline);
  header->setViewport(Rectangle(0, 0, 400, 50));
  content->setViewport(Rectangle(0, 0, 400, 300));
  headerScroller = std::make_shared<HeaderViewScroller>(header);
  contentScroller = std::make_shared<ContentViewScroller>(content);
  header->setScroller(headerScroller);
  content->setScroller(contentScroller);
  chart = GanttChartController::create(header, content);
  header->setViewportObserver(headerViewport);
  content->setViewportObserver(contentViewport);
  chart->setObserver(observer);
  chart->setRangeObserver(observer);
  chart->setTimelineObserver(observer);
  headerScroller->requests.clear();
  contentScroller->requests.clear();
}

ChartCallLog ChartFixture::take() { return std::exchange(*log, {}); }

std::vector<std::string> ChartFixture::entries(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& entry : *log) {
    if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
  }
  return found;
}

}  // namespace vorlent::testing
