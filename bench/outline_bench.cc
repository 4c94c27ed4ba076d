// The outline chart on Qt's offscreen platform, over a host of 10,000 root
// rows of 10 children each (one bar per row), with paging of root rows on.
// First show: a new 1200 x 700 outline chart shown, given the data source
// and painted once. Scroll step: the outline moves by one row, the chart
// follows, and the whole view repaints. Expand: a root row of 1,000
// children expands (the rows and the chart synchronised; collapsing again
// is not timed), then the view repaints. Drag flowing back: one drag step
// of the content controller moves a child's bar by a day, and the change
// reaches the host's outline item, its row and its summary parent.
// Chained scroll step: an outline of 500 to 2,000 root rows of one task
// each, chained finish to start, with out-of-row-range items available,
// auto-scheduling and automatic re-application of the behaviours on; one
// scroll by a row re-applies them to every task, which should grow linearly;
// also that re-application alone. Expand all and collapse all: see below.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTreeView>
#include <QWindow>

#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "bench/bench_application.h"
#include "vorlent/graphics/point.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_data_source.h"
#include "vorlent/time/time_range.h"

namespace vorlent {
namespace {

OutlineGanttChartRowPtr makeRow(const std::string& label, Time start, int days,
                                GanttChartItemType type = GanttChartItemType::standard) {
  auto item = OutlineGanttChartItem::create(label, start, start.addingDays(days), 0, std::nullopt,
                                            std::nullopt, nullptr, 0, true, type, std::nullopt,
                                            {});
  return OutlineGanttChartRow::create(label, {item}, std::nullopt, {});
}

class Host : public OutlineGanttChartDataSource {
 public:
  Host(int rootCount, int childrenPerRoot) {
    const Time week = TimeRange::currentWeek().start;
    for (int r = 0; r < rootCount; ++r) {
      auto root = makeRow("Task " + std::to_string(r), week, 7, GanttChartItemType::summary);
      auto& children = childrenOf[root.get()];
      for (int c = 0; c < childrenPerRoot; ++c) {
        children.push_back(makeRow("Step " + std::to_string(c), week.addingDays(c % 5), 1));
      }
      this->roots.push_back(std::move(root));
    }
  }
  const std::vector<OutlineGanttChartRowPtr>& listOf(const OutlineGanttChartRowPtr& row) {
    return row ? childrenOf[row.get()] : roots;
  }
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& /*chart*/, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    return listOf(ofItem)[static_cast<size_t>(index)];
  }
  bool outlineGanttChartIsItemExpandable(OutlineGanttChart& /*chart*/,
                                         const OutlineGanttChartRowPtr& item) override {
    return !listOf(item).empty();
  }
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& /*chart*/,
                                                  const OutlineGanttChartRowPtr& item) override {
    return int64_t(listOf(item).size());
  }
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& /*chart*/, int /*column*/,
                                           const OutlineGanttChartRowPtr& byItem) override {
    return QString::fromStdString(byItem->label().value_or(""));
  }

  std::vector<OutlineGanttChartRowPtr> roots;
  std::map<const OutlineGanttChartRow*, std::vector<OutlineGanttChartRowPtr>> childrenOf;
};

const std::shared_ptr<Host>& bigHost() {
  static const auto* const host = new std::shared_ptr<Host>(std::make_shared<Host>(10000, 10));
  return *host;
}

std::unique_ptr<OutlineGanttChart> showChart(const std::shared_ptr<Host>& host) {
  auto chart = std::make_unique<OutlineGanttChart>();
  chart->resize(1200, 700);
  chart->show();
  while (!chart->windowHandle()->isExposed()) QApplication::processEvents();
  chart->setIsPagingEnabled(true);
  chart->setDataSource(host);
  QApplication::processEvents();
  chart->repaint();
  return chart;
}

void BM_OutlineFirstShow(benchmark::State& state) {
  ensureApplication();
  const auto& host = bigHost();
  for (auto _ : state) {
    auto chart = showChart(host);
    state.PauseTiming();
    chart.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OutlineFirstShow)->Unit(benchmark::kMillisecond);

void BM_OutlineScrollStep(benchmark::State& state) {
  ensureApplication();
  auto chart = showChart(bigHost());
  QScrollBar* bar = chart->outlineView()->verticalScrollBar();
  const int step = static_cast<int>(chart->rowHeight());
  int direction = 1;
  for (auto _ : state) {
    // Back and forth over the first pages, which paging keeps loaded.
    if (bar->value() + step > 2000) direction = -1;
    if (bar->value() - step < 0) direction = 1;
    bar->setValue(bar->value() + direction * step);
    chart->repaint();
  }
}
BENCHMARK(BM_OutlineScrollStep)->Unit(benchmark::kMillisecond);

void BM_OutlineExpandThousandChildren(benchmark::State& state) {
  ensureApplication();
  // The benchmark host, but with 1,000 children under its first root row.
  auto host = std::make_shared<Host>(10000, 10);
  auto& children = host->childrenOf[host->roots[0].get()];
  children.clear();
  const Time week = TimeRange::currentWeek().start;
  for (int c = 0; c < 1000; ++c) children.push_back(makeRow("Step", week.addingDays(c % 5), 1));
  auto chart = showChart(host);
  QTreeView* tree = chart->outlineView();
  for (auto _ : state) {
    const QModelIndex first = chart->outlineModel()->indexOfDisplayedRow(0);
    tree->expand(first);
    chart->repaint();
    state.PauseTiming();
    tree->collapse(first);
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OutlineExpandThousandChildren)->Unit(benchmark::kMillisecond);

// Expand all and collapse all: 100 to 10,000 root rows of 10 children each
// (1,100 to 110,000 rows), without paging; each call returns with both sides
// synchronised. The other one of the pair is not timed.
void expandAllOrCollapseAll(benchmark::State& state, bool timeExpanding) {
  ensureApplication();
  const auto roots = static_cast<int>(state.range(0));
  auto chart = std::make_unique<OutlineGanttChart>();
  chart->resize(1200, 700);
  chart->show();
  while (!chart->windowHandle()->isExposed()) QApplication::processEvents();
  auto host = std::make_shared<Host>(roots, 10);
  chart->setDataSource(host);
  QApplication::processEvents();
  QTreeView* tree = chart->outlineView();
  for (auto _ : state) {
    if (!timeExpanding) state.PauseTiming();
    tree->expandAll();
    if (!timeExpanding) state.ResumeTiming();
    if (timeExpanding) state.PauseTiming();
    if (chart->ganttChartItemManager()->totalRowCount() != roots * 11) {
      state.SkipWithError("the chart did not follow the expansion");
    }
    QApplication::processEvents();
    if (timeExpanding) state.ResumeTiming();
    if (timeExpanding) state.PauseTiming();
    tree->collapseAll();
    if (timeExpanding) state.ResumeTiming();
    if (!timeExpanding) state.PauseTiming();
    if (chart->ganttChartItemManager()->totalRowCount() != roots) {
      state.SkipWithError("the chart did not follow the collapse");
    }
    QApplication::processEvents();
    if (!timeExpanding) state.ResumeTiming();
  }
  state.counters["rows"] = roots * 11;
}

void BM_OutlineExpandAll(benchmark::State& state) { expandAllOrCollapseAll(state, true); }
BENCHMARK(BM_OutlineExpandAll)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

void BM_OutlineCollapseAll(benchmark::State& state) { expandAllOrCollapseAll(state, false); }
BENCHMARK(BM_OutlineCollapseAll)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

void BM_OutlineDragFlowsBack(benchmark::State& state) {
  ensureApplication();
  auto chart = showChart(bigHost());
  chart->outlineView()->expand(chart->outlineModel()->indexOfDisplayedRow(0));
  QApplication::processEvents();
  const auto& content = chart->ganttChartContentController();
  (void)chart->ganttChartItemManager()->filteredItems();
  const auto child = bigHost()->childrenOf[bigHost()->roots[0].get()][0]->chartItems()[0];
  const GanttChartItemPtr twin = child->ganttChartItem();
  const double day = content->x(twin->start().addingDays(1)) - content->x(twin->start());
  const Point grab((content->startX(twin) + content->finishX(twin)) / 2, content->middle(1));
  content->beginDragging(grab, false);
  int steps = 0;
  for (auto _ : state) {
    // One drag step, a day to the right and back again.
    content->continueDragging(Point(grab.x + day * (++steps % 2), grab.y));
  }
  content->endDragging();
  if (child->time() != twin->time()) state.SkipWithError("the drag did not reach the host");
}
BENCHMARK(BM_OutlineDragFlowsBack)->Unit(benchmark::kMicrosecond);

// Root rows of one task each, every task linked finish to start to the next.
class ChainHost : public OutlineGanttChartDataSource {
 public:
  explicit ChainHost(int count) {
    const Time week = TimeRange::currentWeek().start;
    for (int r = 0; r < count; ++r) {
      rows.push_back(makeRow("Task " + std::to_string(r), week, 1));
      if (r > 0) {
        links.push_back(OutlineGanttChartDependency::create(
            std::nullopt, rows[static_cast<size_t>(r) - 1]->chartItems()[0],
            rows.back()->chartItems()[0], std::nullopt, 0, true, std::nullopt, std::nullopt, {}));
      }
    }
  }
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& /*chart*/, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override {
    return ofItem ? nullptr : rows[static_cast<size_t>(index)];
  }
  bool outlineGanttChartIsItemExpandable(OutlineGanttChart& /*chart*/,
                                         const OutlineGanttChartRowPtr& /*item*/) override {
    return false;
  }
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& /*chart*/,
                                                  const OutlineGanttChartRowPtr& item) override {
    return item ? 0 : int64_t(rows.size());
  }
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& /*chart*/, int /*column*/,
                                           const OutlineGanttChartRowPtr& byItem) override {
    return QString::fromStdString(byItem->label().value_or(""));
  }
  std::vector<OutlineGanttChartDependencyPtr> outlineGanttChartDependenciesFor(
      OutlineGanttChart& /*chart*/, const std::vector<OutlineGanttChartItemPtr>& items) override {
    const std::unordered_set<const OutlineGanttChartItem*> shown = [&] {
      std::unordered_set<const OutlineGanttChartItem*> set;
      for (const auto& item : items) set.insert(item.get());
      return set;
    }();
    std::vector<OutlineGanttChartDependencyPtr> result;
    for (const auto& link : links) {
      if (shown.contains(link->from().get()) && shown.contains(link->to().get())) {
        result.push_back(link);
      }
    }
    return result;
  }

  std::vector<OutlineGanttChartRowPtr> rows;
  std::vector<OutlineGanttChartDependencyPtr> links;
};

std::unique_ptr<OutlineGanttChart> showChainedChart(const std::shared_ptr<ChainHost>& host) {
  auto chart = std::make_unique<OutlineGanttChart>();
  chart->resize(1200, 700);
  chart->show();
  while (!chart->windowHandle()->isExposed()) QApplication::processEvents();
  chart->setAreOutOfRowRangeItemsAvailable(true);
  chart->setIsAutoScheduling(true);
  chart->setAutoApplyBehavior(true);
  chart->setDataSource(host);
  QApplication::processEvents();
  chart->repaint();
  return chart;
}

void BM_OutlineChainedScrollStep(benchmark::State& state) {
  ensureApplication();
  auto host = std::make_shared<ChainHost>(static_cast<int>(state.range(0)));
  auto chart = showChainedChart(host);
  const auto& first = host->rows.front()->chartItems()[0];
  const auto& last = host->rows.back()->chartItems()[0];
  if (!(first->finish() <= last->start())) state.SkipWithError("the chain was not scheduled");
  QScrollBar* bar = chart->outlineView()->verticalScrollBar();
  const int step = static_cast<int>(chart->rowHeight());
  int direction = 1;
  for (auto _ : state) {
    if (bar->value() + step > bar->maximum()) direction = -1;
    if (bar->value() - step < 0) direction = 1;
    bar->setValue(bar->value() + direction * step);
    chart->repaint();
  }
  state.counters["tasks"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OutlineChainedScrollStep)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);

// The re-application alone, without the scroll and the painting around it.
void BM_OutlineChainedApplyBehavior(benchmark::State& state) {
  ensureApplication();
  auto host = std::make_shared<ChainHost>(static_cast<int>(state.range(0)));
  auto chart = showChainedChart(host);
  for (auto _ : state) chart->applyBehavior();
  state.counters["tasks"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OutlineChainedApplyBehavior)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlent
