// A scroll step of a whole chart at 100,000 items: the content's viewport
// moves, the chart controller brings the header to the new visible
// timeline (both controllers and every notification included), and both
// then draw their viewports through the chart's presenter, which only
// counts. Warm: the step goes back and forth between two positions, so both
// drawing passes find their viewport's results cached. Moving: every step
// is a new position, as in continuous scrolling. Sync only: the step without
// the drawing passes. The content's drawing pass does not draw anything yet;
// the "with items" case reads the item manager's filtered items and
// dependencies of the new viewport, as that pass will.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

constexpr int64_t kRows = 10000;
constexpr int64_t kItemsPerRow = 10;
constexpr double kViewWidth = 1600;

// Row r holds ten two-day items, three days apart, starting on day r % 7.
std::vector<GanttChartItemPtr> makeItems() {
  std::vector<GanttChartItemPtr> items;
  items.reserve(kRows * kItemsPerRow);
  const Time origin = Time::fromYearMonthDay(2024, 1, 7, 0, 0, 0);
  for (int64_t i = 0; i < kRows * kItemsPerRow; ++i) {
    const int64_t row = i / kItemsPerRow;
    const Time start = origin.addingDays(row % 7 + 3 * (i % kItemsPerRow));
    items.push_back(
        GanttChartItem::create({.row = row, .start = start, .finish = start.addingDays(2)}));
  }
  return items;
}

class CountingPresenter : public GanttChartPresenter {
 public:
  long count = 0;

  void drawHeaderBackground(const Color&, const Size&) override { ++count; }
  void drawHeaderBorder(const Rectangle&, const Line&, double, const Color&) override { ++count; }
  void drawContentBackground(const Color&, const Size&) override { ++count; }
  void drawContentBorder(const Rectangle&, const Line&, double, const Color&) override { ++count; }
  void drawBackground(int64_t, const Rectangle&, const Color&) override { ++count; }
  void drawBorder(int64_t, const Rectangle&, const Line&, double, const Color&) override {
    ++count;
  }
  void draw(const GanttChartBar&) override { ++count; }
  void drawBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
               const std::optional<Color>&, double, double, bool, bool, bool, const Color&,
               const Color&, const Color&, double, double, double, bool, bool, bool, bool,
               double) override {
    ++count;
  }
  void drawSummaryBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                      const std::optional<Color>&, double, double, double, bool, bool, bool, bool,
                      const Color&, const Color&, const Color&, double, double, double, bool, bool,
                      bool, bool, double) override {
    ++count;
  }
  void drawMilestone(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                     const std::optional<Color>&, double, bool, bool, bool, const Color&,
                     const Color&, const Color&, double, double, double, bool, bool,
                     double) override {
    ++count;
  }
  void drawCompletionBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                         const std::optional<Color>&, double, double, bool, double) override {
    ++count;
  }
  void drawBarLabel(const GanttChartItemPtr&, const Rectangle&, const std::string&, const Color&,
                    TextAlignment, const Font&) override {
    ++count;
  }
  void drawAttachmentLabel(const GanttChartItemPtr&, const Rectangle&, const std::string&,
                           const Color&, const Font&) override {
    ++count;
  }
  void draw(const GanttChartDependencyLine&) override { ++count; }
  void drawDependencyLine(const GanttChartDependencyPtr&, const std::vector<Point>&, const Color&,
                          double, double, double, bool, bool, bool, double, double,
                          double) override {
    ++count;
  }
  void drawDependencyLineThumb(const GanttChartItemPtr&, GanttChartDependencyEndType, const Point&,
                               double, const Color&) override {
    ++count;
  }
  void drawTemporaryDependencyLine(const GanttChartItemPtr&, const GanttChartItemPtr&,
                                   GanttChartDependencyType, const std::vector<Point>&,
                                   const Color&, double, double, double, double) override {
    ++count;
  }
  void drawTemporaryBar(const Rectangle&, const Color&, double, double) override { ++count; }
  void drawHeaderTimeArea(const ScheduleTimeSelector&, const Rectangle&, const Color&) override {
    ++count;
  }
  void drawContentTimeArea(const ScheduleTimeSelector&, const Rectangle&, const Color&) override {
    ++count;
  }
  void drawHeaderCell(const TimeSelector&, const GanttChartHeaderRow&, const Rectangle&,
                      const Color&) override {
    ++count;
  }
  void drawHeaderCellBorder(const TimeSelector&, const GanttChartHeaderRow&, const Rectangle&,
                            const Line&, double, const Color&) override {
    ++count;
  }
  void drawHeaderCellLabel(const TimeSelector&, const GanttChartHeaderRow&, const Rectangle&,
                           const std::string&, const Color&, TextAlignment, const Font&,
                           VerticalTextAlignment) override {
    ++count;
  }
  void drawContentTimeArea(const TimeSelector&, const Rectangle&, const Color&) override {
    ++count;
  }
  void drawContentTimeAreaBorder(const TimeSelector&, const Rectangle&, const Line&, double,
                                 const Color&) override {
    ++count;
  }
  void drawContentTimeAreaLabel(const TimeSelector&, const Rectangle&, const std::string&,
                                const Color&, TextAlignment, const Font&,
                                VerticalTextAlignment) override {
    ++count;
  }
};

// The views' part: each scroller writes the span it is asked for back as
// the new viewport, and each observer only counts.
class HeaderView : public GanttChartHeaderScroller, public GanttChartHeaderObserver {
 public:
  explicit HeaderView(std::shared_ptr<GanttChartHeaderController> header)
      : header_(std::move(header)) {}
  void scrollTo(double startX, double /*finishX*/) override {
    Rectangle viewport = header_->viewport();
    viewport.origin.x = startX;
    header_->setViewport(viewport);
  }
  void cellsDidChange() override { ++notifications; }
  long notifications = 0;

 private:
  std::shared_ptr<GanttChartHeaderController> header_;
};

class ContentView : public GanttChartContentScroller, public GanttChartContentObserver {
 public:
  explicit ContentView(std::shared_ptr<GanttChartContentController> content)
      : content_(std::move(content)) {}
  void scrollTo(double startX, double /*finishX*/) override {
    Rectangle viewport = content_->viewport();
    viewport.origin.x = startX;
    content_->setViewport(viewport);
  }
  void scrollVerticallyTo(double startY, double /*finishY*/) override {
    Rectangle viewport = content_->viewport();
    viewport.origin.y = startY;
    content_->setViewport(viewport);
  }
  void visibleBarsDidChange() override { ++notifications; }
  long notifications = 0;

 private:
  std::shared_ptr<GanttChartContentController> content_;
};

class ChartView : public GanttChartObserver,
                  public GanttChartRangeObserver,
                  public GanttChartTimelineObserver {
 public:
  void visibleContentRangeDidChange() override { ++notifications; }
  void visibleTimelineDidChange() override { ++notifications; }
  long notifications = 0;
};

struct Chart {
  std::shared_ptr<GanttChartHeaderController> header = GanttChartHeaderController::create();
  std::shared_ptr<GanttChartContentController> content =
      GanttChartContentController::create(std::make_shared<GanttChartItemSource>(makeItems()));
  std::shared_ptr<GanttChartController> chart;
  std::shared_ptr<HeaderView> headerView = std::make_shared<HeaderView>(header);
  std::shared_ptr<ContentView> contentView = std::make_shared<ContentView>(content);
  std::shared_ptr<ChartView> chartView = std::make_shared<ChartView>();
  std::shared_ptr<CountingPresenter> presenter = std::make_shared<CountingPresenter>();

  Chart() {
    header->setRows({GanttChartHeaderRow(TimeIntervalType::months()),
                     GanttChartHeaderRow(TimeIntervalType::weeks()),
                     GanttChartHeaderRow(TimeIntervalType::days())});
    header->setViewport(Rectangle(0, 0, kViewWidth, 60));
    content->setViewport(Rectangle(0, 125000, kViewWidth, 800));  // rows 5000 to 5032
    header->setScroller(headerView);
    header->setObserver(headerView);
    content->setScroller(contentView);
    content->setObserver(contentView);
    chart = GanttChartController::create(header, content);
    chart->setObserver(chartView);
    chart->setRangeObserver(chartView);
    chart->setTimelineObserver(chartView);
    chart->setPresenter(presenter);
  }

  enum class Pass { none, drawing, drawingWithItems };

  // Moves the content to x and draws both viewports.
  void step(double x, Pass pass) {
    Rectangle viewport = content->viewport();
    viewport.origin.x = x;
    content->setViewport(viewport);
    if (pass == Pass::none) return;
    header->draw(header->viewport());
    content->draw(content->viewport());
    if (pass == Pass::drawingWithItems) {
      benchmark::DoNotOptimize(content->itemManager()->filteredItems());
      benchmark::DoNotOptimize(content->itemManager()->filteredDependencies());
    }
  }
};

void reportCounts(benchmark::State& state, const Chart& chart) {
  const double steps = static_cast<double>(state.iterations());
  state.counters["drawn/step"] = static_cast<double>(chart.presenter->count) / steps;
  state.counters["told/step"] =
      static_cast<double>(chart.headerView->notifications + chart.contentView->notifications +
                          chart.chartView->notifications) /
      steps;
}

void BM_ContentScrollStepWarm(benchmark::State& state) {
  Chart chart;
  chart.step(400, Chart::Pass::drawing);
  chart.step(440, Chart::Pass::drawing);
  chart.presenter->count = 0;
  bool right = false;
  for (auto _ : state) {
    chart.step(right ? 440 : 400, Chart::Pass::drawing);
    right = !right;
  }
  if (chart.header->viewport().origin.x != chart.content->viewport().origin.x) {
    state.SkipWithError("the header did not follow the content");
  }
  reportCounts(state, chart);
}
BENCHMARK(BM_ContentScrollStepWarm)->Unit(benchmark::kMicrosecond);

void moving(benchmark::State& state, Chart::Pass pass) {
  Chart chart;
  chart.step(400, pass);
  chart.presenter->count = 0;
  double x = 400;
  for (auto _ : state) {
    x = x < 8000 ? x + 10 : 400;
    chart.step(x, pass);
  }
  reportCounts(state, chart);
}

void BM_ContentScrollStepMoving(benchmark::State& state) { moving(state, Chart::Pass::drawing); }
BENCHMARK(BM_ContentScrollStepMoving)->Unit(benchmark::kMicrosecond);

void BM_ContentScrollStepMovingWithItems(benchmark::State& state) {
  moving(state, Chart::Pass::drawingWithItems);
}
BENCHMARK(BM_ContentScrollStepMovingWithItems)->Unit(benchmark::kMicrosecond);

void BM_ContentScrollSyncOnly(benchmark::State& state) {
  Chart chart;
  bool right = false;
  for (auto _ : state) {
    chart.step(right ? 440 : 400, Chart::Pass::none);
    right = !right;
  }
  reportCounts(state, chart);
}
BENCHMARK(BM_ContentScrollSyncOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlent
