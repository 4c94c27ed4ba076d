// What a large project costs on the heap, in bytes per element: 100,000
// items on their own rows (labelled, as a host's tasks are), a finish-to-start
// dependency from each item to the next, and the item source over them with
// the classic behaviours after a first viewport was read (which builds its
// indexes). Bytes are the allocator's usable sizes, so padding that a
// request rounds up to counts too.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/allocation_counting.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr int64_t kItems = 100'000;

int64_t liveBytes() { return bench::allocationCounts().liveBytes; }

void BM_ModelBytesPerElement(benchmark::State& state) {
  for (auto _ : state) {
    const int64_t atStart = liveBytes();
    std::vector<GanttChartItemPtr> items;
    items.reserve(kItems);
    for (int64_t i = 0; i < kItems; ++i) {
      const Time start(1 + i / 5, i % 5, 8 * 3600);
      items.push_back(GanttChartItem::create({.label = "Task " + std::to_string(i),
                                              .row = i,
                                              .start = start,
                                              .finish = start.addingHours(8)}));
    }
    const int64_t afterItems = liveBytes();
    std::vector<GanttChartDependencyPtr> dependencies;
    dependencies.reserve(kItems - 1);
    for (size_t i = 0; i + 1 < items.size(); ++i) {
      dependencies.push_back(
          GanttChartDependency::create({.from = items[i],
                                        .to = items[i + 1],
                                        .type = GanttChartDependencyType::fromFinishToStart}));
    }
    const int64_t afterDependencies = liveBytes();
    const auto source = std::make_shared<GanttChartItemSource>(
        items, dependencies, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic(std::vector<GanttChartItemHierarchicalRelation>{},
                                           std::nullopt, std::nullopt, std::nullopt, {}, {},
                                           std::nullopt));
    source->setRange(RowRange(0, 49));
    source->setTimeline(TimeRange(Time(1, 0, 0), Time(3, 0, 0)));
    benchmark::DoNotOptimize(source->totalRowCount());
    benchmark::DoNotOptimize(source->filteredItems().size());
    benchmark::DoNotOptimize(source->filteredDependencies().size());
    const int64_t afterSource = liveBytes();

    state.counters["item_B"] = static_cast<double>(afterItems - atStart) / kItems;
    state.counters["dependency_B"] =
        static_cast<double>(afterDependencies - afterItems) / static_cast<double>(kItems - 1);
    state.counters["source_B_per_item"] =
        static_cast<double>(afterSource - afterDependencies) / kItems;
  }
}
BENCHMARK(BM_ModelBytesPerElement)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vorlent
