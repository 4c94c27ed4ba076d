// The item manager on a large chart: 100,000 items on 10,000 rows with
// 100,000 dependencies. Filtered reads for a viewport (new and repeated), the
// dependencies of a viewport, a one-item edit with a trivial behaviour, a
// cascade of 100 steps, and the memory the model and the caches take per item.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <vector>

#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

constexpr int64_t kRows = 10000;
constexpr int64_t kItemsPerRow = 10;
constexpr int64_t kItems = kRows * kItemsPerRow;
constexpr int64_t kViewportRows = 50;

// Row r holds ten two-day items, three days apart, starting on day r % 7, so
// a two-week viewport shows about five items a row.
std::vector<GanttChartItemPtr> makeItems() {
  std::vector<GanttChartItemPtr> items;
  items.reserve(kItems);
  for (int64_t i = 0; i < kItems; ++i) {
    const int64_t row = i / kItemsPerRow;
    const Time start = Time(0, 0, 0).addingDays(row % 7 + 3 * (i % kItemsPerRow));
    items.push_back(
        std::make_shared<GanttChartItem>(std::nullopt, row, start, start.addingDays(2), 0.0));
  }
  return items;
}

// Each item links to the next one.
std::vector<GanttChartDependencyPtr> makeDependencies(const std::vector<GanttChartItemPtr>& items) {
  std::vector<GanttChartDependencyPtr> dependencies;
  dependencies.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    dependencies.push_back(std::make_shared<GanttChartDependency>(std::nullopt, items[i],
                                                                  items[(i + 1) % items.size()]));
  }
  return dependencies;
}

// Answers nothing: the manager's own cost of an edit.
class TrivialBehavior : public GanttChartItemBehavior {};

// Answers the time change of item k (k < 100) with a time change of item
// k + 1, so one edit cascades through 100 steps. It never reads the lists it
// is handed.
class ChainBehavior : public GanttChartItemBehavior {
 public:
  explicit ChainBehavior(std::vector<GanttChartItemPtr> chain, bool readsItems = false)
      : chain_(std::move(chain)), readsItems_(readsItems) {}
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange&, bool,
                                            bool, const GanttChartItemList& items,
                                            const GanttChartDependencyList&,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    if (readsItems_) benchmark::DoNotOptimize(items.front());
    for (size_t k = 0; k + 1 < chain_.size(); ++k) {
      if (chain_[k] == item) {
        const auto& next = chain_[k + 1];
        return {GanttChartItemUpdateAction::updateTimeAction(next, next->time().shiftingByHours(1),
                                                             false, true)};
      }
    }
    return {};
  }

 private:
  std::vector<GanttChartItemPtr> chain_;
  bool readsItems_;
};

struct Chart {
  std::vector<GanttChartItemPtr> items = makeItems();
  GanttChartItemSourcePtr source =
      std::make_shared<GanttChartItemSource>(items, makeDependencies(items));
};

Chart& chart() {
  static Chart* const instance = new Chart();
  return *instance;
}

// A viewport of 50 rows and two weeks; `step` moves it so that successive
// steps never hit the cache.
void setViewport(GanttChartItemManager& manager, int64_t step) {
  const int64_t first = (step * 37) % (kRows - kViewportRows);
  manager.setRange(RowRange(first, first + kViewportRows - 1));
  const Time start = Time(0, 0, 0).addingDays(first % 7 + 5);
  manager.setTimeline(TimeRange(start, start.addingDays(14)));
}

void BM_FilteredItemsNewFilter(benchmark::State& state) {
  auto& source = *chart().source;
  (void)source.filteredItems();  // builds the row index once
  int64_t step = 0;
  size_t found = 0;
  for (auto _ : state) {
    setViewport(source, ++step);
    found = source.filteredItems().size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["items"] = static_cast<double>(found);
}
BENCHMARK(BM_FilteredItemsNewFilter)->Unit(benchmark::kMicrosecond);

void BM_FilteredItemsRepeatedFilter(benchmark::State& state) {
  auto& source = *chart().source;
  setViewport(source, 1);
  (void)source.filteredItems();
  for (auto _ : state) benchmark::DoNotOptimize(source.filteredItems());
}
BENCHMARK(BM_FilteredItemsRepeatedFilter)->Unit(benchmark::kNanosecond);

void BM_FilteredDependenciesNewFilter(benchmark::State& state) {
  auto& source = *chart().source;
  (void)source.filteredDependencies();  // builds the dependency index once
  int64_t step = 0;
  size_t found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    setViewport(source, ++step);
    (void)source.filteredItems();
    state.ResumeTiming();
    found = source.filteredDependencies().size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["dependencies"] = static_cast<double>(found);
}
BENCHMARK(BM_FilteredDependenciesNewFilter)->Unit(benchmark::kMicrosecond);

// Moving one item with a behaviour that answers nothing, then reading the
// viewport again as a controller would after the change.
void BM_UpdateTimeTrivialBehavior(benchmark::State& state) {
  auto& c = chart();
  c.source->setBehavior(std::make_shared<TrivialBehavior>());
  const GanttChartItemPtr item = c.items[kItems / 2];
  setViewport(*c.source, 3);
  int64_t step = 0;
  for (auto _ : state) {
    c.source->updateTime(item, Time(0, 0, 0).addingDays(50 + (++step % 2)));
    benchmark::DoNotOptimize(c.source->filteredItems());
  }
  c.source->setBehavior(nullptr);
}
BENCHMARK(BM_UpdateTimeTrivialBehavior)->Unit(benchmark::kMicrosecond);

// One edit that cascades through 100 items.
void BM_CascadeOf100Steps(benchmark::State& state) {
  auto& c = chart();
  const std::vector<GanttChartItemPtr> chain(c.items.begin() + 1000, c.items.begin() + 1100);
  c.source->setBehavior(std::make_shared<ChainBehavior>(chain));
  int64_t step = 0;
  for (auto _ : state) {
    c.source->updateTime(chain.front(), Time(0, 0, 0).addingDays(20 + (++step % 2)));
  }
  c.source->setBehavior(nullptr);
}
BENCHMARK(BM_CascadeOf100Steps)->Unit(benchmark::kMicrosecond);

// The same cascade with a behaviour that reads the sorted available items at
// every step, which makes the manager re-sort after each applied change (a
// few merges over the last order, not a full sort).
void BM_CascadeOf100StepsReadingItems(benchmark::State& state) {
  auto& c = chart();
  const std::vector<GanttChartItemPtr> chain(c.items.begin() + 1000, c.items.begin() + 1100);
  c.source->setBehavior(std::make_shared<ChainBehavior>(chain, true));
  int64_t step = 0;
  for (auto _ : state) {
    c.source->updateTime(chain.front(), Time(0, 0, 0).addingDays(20 + (++step % 2)));
  }
  c.source->setBehavior(nullptr);
}
BENCHMARK(BM_CascadeOf100StepsReadingItems)->Unit(benchmark::kMillisecond);

// Heap bytes per item of a fresh chart: items, dependencies, the source's
// arrays and indexes, the sorted available list and 16 cached viewports.
void BM_MemoryPerItem(benchmark::State& state) {
  double perItem = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    {
      auto items = makeItems();
      auto source = std::make_shared<GanttChartItemSource>(items, makeDependencies(items));
      items.clear();
      for (int64_t step = 0; step < 16; ++step) {
        setViewport(*source, step);
        (void)source->filteredDependencies();
      }
      (void)source->availableItems().size();
      (void)source->totalRowCount();
      const size_t after = mallinfo2().uordblks;
      perItem = static_cast<double>(after - before) / static_cast<double>(kItems);
    }
  }
  state.counters["bytes_per_item"] = perItem;
}
BENCHMARK(BM_MemoryPerItem)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlent
