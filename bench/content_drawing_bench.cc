// The chart area's drawing pass and hit tests on a large project: 100,000
// items on 10,000 rows (ten per row, some milestones and summaries) linked by
// 100,000 dependencies of all four types, seen through a 1600 × 1000 viewport
// in the middle of the chart. The presenter only counts, and hands bars and
// lines back to the controller's standard drawing as a view does, so every
// style and permission is resolved as in a real pass.
//
// Cold: the controller's caches cleared before each pass (the item
// manager's filtered lists stay; "with manager" clears those too). Warm: the
// viewport's bars, lines and areas come from the cache; the pass must not
// allocate. Scrolling: 2,000 one-point scrolls, each followed by a pass; the
// mean and the 99th percentile of the step are reported as counters.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/allocation_counting.h"
#include "bench/counting_content_presenter.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time_constants.h"

namespace {

using namespace vorlent;

constexpr int64_t kRows = 10'000;
constexpr int64_t kItemsPerRow = 10;
constexpr int64_t kWeek = 1200;

using CountingPresenter = bench::CountingContentPresenter;

Time day(double days) { return Time(kWeek, kSunday, 0).addingDuration(days * secondsPerDay); }

// Ten items a row, two days long every three and a half days, each row
// starting half a day after the one above (in blocks of fifty rows);
// dependencies link each item to the next on its row and one item of each
// row to one of the next, cycling through the four types.
struct Project {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;

  Project() {
    items.reserve(kRows * kItemsPerRow);
    for (int64_t row = 0; row < kRows; ++row) {
      const double offset = static_cast<double>(row % 50) * 0.5;
      for (int64_t k = 0; k < kItemsPerRow; ++k) {
        const double start = offset + static_cast<double>(k) * 3.5;
        std::optional<GanttChartItemType> type;
        double length = 2;
        if (k == 9 && row % 5 == 0) {
          type = GanttChartItemType::milestone;
          length = 0;
        } else if (k == 0 && row % 10 == 0) {
          type = GanttChartItemType::summary;
        }
        auto item = GanttChartItem::create({.label = "Task " + std::to_string(k),
                                            .row = row,
                                            .start = day(start),
                                            .finish = day(start + length),
                                            .completion = static_cast<double>(k % 4) * 0.25,
                                            .type = type});
        if (k == 4) item->setAttachment("Ada");
        items.push_back(std::move(item));
      }
    }
    dependencies.reserve(100'000);
    for (int64_t row = 0; row < kRows; ++row) {
      for (int64_t k = 0; k + 1 < kItemsPerRow; ++k) {
        dependencies.push_back(GanttChartDependency::create(
            {.from = items[row * kItemsPerRow + k], .to = items[row * kItemsPerRow + k + 1]}));
      }
    }
    const GanttChartDependencyType types[] = {
        GanttChartDependencyType::fromFinishToStart, GanttChartDependencyType::fromStartToStart,
        GanttChartDependencyType::fromFinishToFinish, GanttChartDependencyType::fromStartToFinish};
    for (int64_t row = 0; dependencies.size() < 100'000; row = (row + 1) % (kRows - 1)) {
      const int64_t k = row % kItemsPerRow;
      dependencies.push_back(GanttChartDependency::create(
          {.from = items[row * kItemsPerRow + k],
           .to = items[(row + 1) * kItemsPerRow + (k + 3) % kItemsPerRow],
           .type = types[row % 4]}));
    }
  }
};

const Project& project() {
  static const Project* const shared = new Project();
  return *shared;
}

struct Chart {
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<CountingPresenter> presenter;
  Rectangle viewport;

  Chart()
      : source(std::make_shared<GanttChartItemSource>(project().items, project().dependencies)),
        controller(GanttChartContentController::create(source)),
        presenter(std::make_shared<CountingPresenter>(controller)) {
    controller->setPresenter(presenter);
    controller->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::weekends)});
    TimeSelector weeks(std::make_shared<PeriodSelector>(1, TimeUnit::weeks,
                                                        Schedule::continuous(), day(0)));
    controller->setIntervalHighlighters({weeks});
    // Mid-chart: row 5,000 on, from the tenth day.
    viewport = Rectangle(controller->x(day(10)), 25.0 * 5000, 1600, 1000);
    controller->setViewport(viewport);
    controller->draw(viewport);  // applies the theme once
  }
};

void reportCalls(benchmark::State& state, const Chart& chart, int64_t passes) {
  state.counters["calls/pass"] =
      static_cast<double>(chart.presenter->count) / static_cast<double>(passes);
  state.counters["bars"] = static_cast<double>(chart.controller->visibleBars().size());
  state.counters["lines"] = static_cast<double>(chart.controller->visibleDependencyLines().size());
}

void BM_ContentDrawColdPass(benchmark::State& state) {
  Chart chart;
  chart.presenter->count = 0;
  for (auto _ : state) {
    chart.controller->settingsDidChange();
    chart.controller->draw(chart.viewport);
  }
  reportCalls(state, chart, state.iterations());
}
BENCHMARK(BM_ContentDrawColdPass)->Unit(benchmark::kMicrosecond);

void BM_ContentDrawColdPassWithManager(benchmark::State& state) {
  Chart chart;
  chart.presenter->count = 0;
  for (auto _ : state) {
    chart.source->clearCache();
    chart.controller->settingsDidChange();
    chart.controller->draw(chart.viewport);
  }
  reportCalls(state, chart, state.iterations());
}
BENCHMARK(BM_ContentDrawColdPassWithManager)->Unit(benchmark::kMicrosecond);

void BM_ContentDrawWarmPass(benchmark::State& state) {
  Chart chart;
  chart.presenter->count = 0;
  const uint64_t before = vorlent::bench::allocationCounts().allocations;
  for (auto _ : state) chart.controller->draw(chart.viewport);
  const uint64_t allocations = vorlent::bench::allocationCounts().allocations - before;
  state.counters["allocations/pass"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
  reportCalls(state, chart, state.iterations());
}
BENCHMARK(BM_ContentDrawWarmPass)->Unit(benchmark::kMicrosecond);

// One-point scrolls, each followed by a pass over the new viewport: the
// item manager filters again and the controller builds the new viewport's
// lists.
void scrollAndDraw(benchmark::State& state, double dx, double dy) {
  Chart chart;
  std::vector<double> steps;
  steps.reserve(static_cast<size_t>(state.max_iterations));
  Rectangle viewport = chart.viewport;
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    viewport = Rectangle(viewport.left() + dx, viewport.top() + dy, 1600, 1000);
    chart.controller->setViewport(viewport);
    chart.controller->draw(viewport);
    const auto end = std::chrono::steady_clock::now();
    steps.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
  }
  std::sort(steps.begin(), steps.end());
  double total = 0;
  for (double step : steps) total += step;
  state.counters["mean_ms"] = total / static_cast<double>(steps.size());
  state.counters["p99_ms"] = steps[std::min(steps.size() - 1, steps.size() * 99 / 100)];
}

void BM_ContentScrollVerticallyAndDraw(benchmark::State& state) { scrollAndDraw(state, 0, 1); }
BENCHMARK(BM_ContentScrollVerticallyAndDraw)->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_ContentScrollHorizontallyAndDraw(benchmark::State& state) { scrollAndDraw(state, 1, 0); }
BENCHMARK(BM_ContentScrollHorizontallyAndDraw)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Points spread over the viewport, most of them on or near bars and lines.
std::vector<Point> probes(const Rectangle& viewport) {
  std::vector<Point> points;
  for (int i = 0; i < 64; ++i) {
    points.push_back(Point{viewport.left() + 25.0 * i, viewport.top() + 15.6 * i + 12.5});
  }
  return points;
}

// Asks `find` at points spread over the viewport, in turn.
template <class Find>
void findAtPoints(benchmark::State& state, Find find) {
  Chart chart;
  const std::vector<Point> points = probes(chart.viewport);
  size_t index = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(find(*chart.controller, points[index]));
    index = (index + 1) % points.size();
  }
  reportCalls(state, chart, 1);
}

void BM_ContentBarAtPoint(benchmark::State& state) {
  findAtPoints(state, [](const GanttChartContentController& controller, const Point& point) {
    return controller.bar(point, 8.0, false);
  });
}
BENCHMARK(BM_ContentBarAtPoint)->Unit(benchmark::kNanosecond);

void BM_ContentDependencyLineAtPoint(benchmark::State& state) {
  findAtPoints(state, [](const GanttChartContentController& controller, const Point& point) {
    return controller.dependencyLine(point);
  });
}
BENCHMARK(BM_ContentDependencyLineAtPoint)->Unit(benchmark::kNanosecond);

}  // namespace
