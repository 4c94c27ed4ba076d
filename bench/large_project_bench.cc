// Whole-project work on large charts, through an item source with the classic
// behaviour set on the standard calendar, at 10,000, 100,000 and 1,000,000
// items (one item a row, as column mode wants, and one dependency per item):
// - re-applying every behaviour to the whole chart (`applyBehavior()`), and
//   applying them to a project whose links are all still to be honoured;
// - the first application on a project laid out ten items a row (by
//   resource) that column mode spreads one item a row, and on a project
//   whose collapsed summaries keep their hidden tasks on their own rows
//   after a few thousand random edits, and on a project loaded with one
//   summary collapsed over visible tasks;
// - adding one dependency, and adding one item on a new last row (also the
//   first such item after loading);
// - loading the project into a new source and reading the first viewport;
// - the first move after that load.
//
// The project is laid out in groups of ten rows: a summary over nine one-day
// tasks chained finish to start with an hour of lag, plus a start-to-start
// and a finish-to-finish link that do not bind. Every task sits exactly where
// the rules put it, so re-applying the behaviours changes nothing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "bench/chart_building.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;
constexpr int64_t kGroup = 10;  // a summary and nine tasks
constexpr int64_t kViewportRows = 50;
// Figures that load the project for every iteration take the mean of this
// many loads, as a load of 1,000,000 items takes seconds.
constexpr int64_t kLoadsPerFigure = 10;

using bench::Clock;
using bench::makeItem;
using bench::makeLink;
using bench::secondsSince;

struct LargeProject {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::vector<GanttChartItemHierarchicalRelation> relations;
  std::vector<GanttChartDependencyLagDefinition> lags;

  // Unscheduled, every task of a group starts where its first task starts,
  // which the links then forbid. `itemsPerRow` items share each row, in
  // their order.
  explicit LargeProject(int64_t itemCount, bool scheduled = true, int64_t itemsPerRow = 1) {
    const auto schedule = ScheduleDefinition::standard();
    const int64_t groups = itemCount / kGroup;
    items.reserve(static_cast<size_t>(groups * kGroup));
    dependencies.reserve(static_cast<size_t>(groups * kGroup));
    for (int64_t g = 0; g < groups; ++g) {
      const int64_t row = g * kGroup;
      Time start = Time(1 + g % 50, 1, 8 * kHour);
      std::vector<GanttChartItemPtr> tasks;
      for (int64_t k = 1; k < kGroup; ++k) {
        const Time finish = schedule->finish(start, 8 * kHour);
        tasks.push_back(makeItem((row + k) / itemsPerRow, start, finish));
        if (scheduled) start = schedule->nextTime(schedule->finish(finish, kHour));
      }
      auto summary = makeItem(row / itemsPerRow, tasks.front()->start(), tasks.back()->finish(),
                              GanttChartItemType::summary);
      items.push_back(summary);
      items.insert(items.end(), tasks.begin(), tasks.end());
      for (size_t k = 0; k + 1 < tasks.size(); ++k) {
        dependencies.push_back(
            makeLink(tasks[k], tasks[k + 1], GanttChartDependencyType::fromFinishToStart));
        lags.emplace_back(dependencies.back(), kHour);
      }
      dependencies.push_back(
          makeLink(tasks[0], tasks[4], GanttChartDependencyType::fromStartToStart));
      dependencies.push_back(
          makeLink(tasks[4], tasks[8], GanttChartDependencyType::fromFinishToFinish));
      relations.emplace_back(summary, std::move(tasks));
    }
  }

  // A new source over the project with a new classic set, as a host loads it.
  [[nodiscard]] std::shared_ptr<GanttChartItemSource> load() const {
    return std::make_shared<GanttChartItemSource>(
        items, dependencies, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt, std::nullopt,
                                           lags, {}, std::nullopt));
  }

  // The first task of the middle group.
  [[nodiscard]] GanttChartItemPtr middleTask() const {
    return items[static_cast<size_t>((static_cast<int64_t>(items.size()) / kGroup / 2) * kGroup +
                                     1)];
  }
};

// Reads what a chart shows first: the row count, the preferred timeline and
// the items and dependencies of the top rows over two weeks.
void readFirstViewport(GanttChartItemSource& source) {
  source.setRange(RowRange(0, kViewportRows - 1));
  source.setTimeline(TimeRange(Time(1, 0, 0), Time(3, 0, 0)));
  benchmark::DoNotOptimize(source.totalRowCount());
  benchmark::DoNotOptimize(source.preferredTimeline());
  benchmark::DoNotOptimize(source.filteredItems().size());
  benchmark::DoNotOptimize(source.filteredDependencies().size());
}

void projectSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(10000)->Arg(100000)->Arg(1000000);
}

// For figures that load the project in every iteration.
void timedPerLoad(benchmark::internal::Benchmark* benchmark) {
  projectSizes(benchmark);
  benchmark->Iterations(kLoadsPerFigure)->UseManualTime()->Unit(benchmark::kMillisecond);
}

void addCounters(benchmark::State& state, const LargeProject& project) {
  state.counters["items"] = static_cast<double>(project.items.size());
  state.counters["links"] = static_cast<double>(project.dependencies.size());
}

// Timed: re-applying every behaviour to a project already scheduled as the
// rules want it; the first application after loading, which also sorts the
// available items once, is left out.
void BM_ApplyBehaviorToWholeChart(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const auto source = project.load();
  readFirstViewport(*source);
  source->applyBehavior();
  for (auto _ : state) source->applyBehavior();
  for (const auto& item : project.items) {
    if (item->hasChanged()) {
      state.SkipWithError("re-applying the behaviours changed the project");
      break;
    }
  }
  addCounters(state, project);
}
BENCHMARK(BM_ApplyBehaviorToWholeChart)->Apply(projectSizes)->Unit(benchmark::kMillisecond);

// Timed: applying every behaviour to a project just loaded whose links are
// all still to be honoured, so that eight tasks of every ten move (and their
// summaries with them).
void BM_ApplyBehaviorToUnscheduledChart(benchmark::State& state) {
  for (auto _ : state) {
    const LargeProject project(state.range(0), false);
    const auto source = project.load();
    readFirstViewport(*source);
    const Time lastStart = project.items[kGroup - 1]->start();
    const auto begin = Clock::now();
    source->applyBehavior();
    state.SetIterationTime(secondsSince(begin));
    if (project.items[kGroup - 1]->start() == lastStart) {
      state.SkipWithError("the links did not move the tasks");
    }
    state.counters["items"] = static_cast<double>(project.items.size());
  }
}
BENCHMARK(BM_ApplyBehaviorToUnscheduledChart)->Apply(timedPerLoad);

// Counts the row changes an operation reports.
class RowChangeCounter : public GanttChartItemObserver {
 public:
  void rowDidChange(const GanttChartItemPtr& /*item*/, int64_t /*from*/) override { ++changes; }
  int64_t changes = 0;
};

// Loads the project, reads the first viewport and times the first
// application of the behaviours, counting the row changes it reports.
void timeFirstApplication(benchmark::State& state, const LargeProject& project) {
  const auto source = project.load();
  const auto counter = std::make_shared<RowChangeCounter>();
  source->setItemObserver(counter);
  readFirstViewport(*source);
  const auto begin = Clock::now();
  source->applyBehavior();
  state.SetIterationTime(secondsSince(begin));
  state.counters["row changes"] = static_cast<double>(counter->changes);
}

// Timed: the first application after loading a project laid out ten items a
// row, every group (a summary and its nine tasks) on one row. Column mode
// spreads the items one a row.
void BM_FirstApplyBehaviorOnSharedRows(benchmark::State& state) {
  for (auto _ : state) {
    const LargeProject project(state.range(0), true, kGroup);
    timeFirstApplication(state, project);
    if (project.items.back()->row() != state.range(0) - 1) {
      state.SkipWithError("the items were not spread one a row");
    }
  }
}
BENCHMARK(BM_FirstApplyBehaviorOnSharedRows)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Timed: the first application after loading the project, one item a row,
// whose first summary a host saved collapsed while its tasks are still
// visible on their own rows. Its collapse folds them in the middle of the
// pass, after which the row steps push the folded group along.
void BM_FirstApplyBehaviorWithOneCollapsedSummary(benchmark::State& state) {
  for (auto _ : state) {
    const LargeProject project(state.range(0));
    project.relations.front().parent->setIsExpanded(false);
    timeFirstApplication(state, project);
    if (project.items[1]->isVisible()) state.SkipWithError("the summary folded nothing");
  }
}
BENCHMARK(BM_FirstApplyBehaviorWithOneCollapsedSummary)
    ->Arg(10000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Timed: applying the behaviours to the 20,000-item project, one item a row,
// after 2,000 random edits through the source: moves, row changes (which
// column mode answers) and collapses or expansions of summaries, whose hidden
// tasks then share their summary's row. The same seed gives the same edits.
void BM_ApplyBehaviorAfterRandomEdits(benchmark::State& state) {
  constexpr int64_t kItems = 20000;
  constexpr int kEdits = 2000;
  for (auto _ : state) {
    const LargeProject project(kItems);
    const auto source = project.load();
    readFirstViewport(*source);
    std::mt19937 random(23);
    const auto pick = [&](int64_t count) {
      return std::uniform_int_distribution<int64_t>(0, count - 1)(random);
    };
    for (int edit = 0; edit < kEdits; ++edit) {
      const GanttChartItemPtr& item = project.items[static_cast<size_t>(pick(kItems))];
      switch (pick(3)) {
        case 0:
          source->updateTime(item, Time(item->start().week, 1 + pick(5), (8 + pick(8)) * kHour));
          break;
        case 1:
          source->updateRow(item, pick(kItems));
          break;
        default: {
          const GanttChartItemPtr& summary =
              project.relations[static_cast<size_t>(pick(kItems / kGroup))].parent;
          source->updateExpansion(summary, !summary->isExpanded());
          break;
        }
      }
    }
    const auto counter = std::make_shared<RowChangeCounter>();
    source->setItemObserver(counter);
    const auto begin = Clock::now();
    source->applyBehavior();
    state.SetIterationTime(secondsSince(begin));
    state.counters["row changes"] = static_cast<double>(counter->changes);
  }
}
BENCHMARK(BM_ApplyBehaviorAfterRandomEdits)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A finish-to-start link from a task to a later task of its group, which it
// already satisfies; timed is the addition, then the link is removed again.
void BM_AddDependency(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const auto source = project.load();
  readFirstViewport(*source);
  const GanttChartItemPtr from = project.middleTask();
  const GanttChartItemPtr& to = project.items[static_cast<size_t>(
      std::find(project.items.begin(), project.items.end(), from) - project.items.begin() + 6)];
  for (auto _ : state) {
    const auto begin = Clock::now();
    const auto link =
        source->addNewDependency(from, to, GanttChartDependencyType::fromFinishToStart);
    state.SetIterationTime(secondsSince(begin));
    source->removeDependency(link);
  }
  if (from->hasChanged() || to->hasChanged()) state.SkipWithError("the link moved its items");
  addCounters(state, project);
}
BENCHMARK(BM_AddDependency)->Apply(projectSizes)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same addition right after a dependency of the chart was relinked
// through its setter (to the item it already had, or to another and back):
// the source's link index must follow the relink, not be rebuilt.
void BM_AddDependencyAfterRelink(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const auto source = project.load();
  readFirstViewport(*source);
  const GanttChartItemPtr from = project.middleTask();
  const GanttChartItemPtr& to = project.items[static_cast<size_t>(
      std::find(project.items.begin(), project.items.end(), from) - project.items.begin() + 6)];
  const GanttChartDependencyPtr relinked = project.dependencies.front();
  const GanttChartItemPtr home = relinked->to();
  for (auto _ : state) {
    relinked->setTo(state.range(1) == 0 ? home : project.items.back());
    relinked->setTo(home);
    const auto begin = Clock::now();
    const auto link =
        source->addNewDependency(from, to, GanttChartDependencyType::fromFinishToStart);
    state.SetIterationTime(secondsSince(begin));
    source->removeDependency(link);
  }
  if (from->hasChanged() || to->hasChanged()) state.SkipWithError("the link moved its items");
  addCounters(state, project);
}
BENCHMARK(BM_AddDependencyAfterRelink)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A move of a chain head in a chart, with its viewport read, right after an
// edit in another, small chart: a time change (0) or a row change (1). Each
// chart's indexes count only their own items' edits, so the big chart keeps
// them.
void BM_MoveAfterEditInAnotherChart(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const LargeProject other(100);
  const auto source = project.load();
  const auto otherSource = other.load();
  readFirstViewport(*source);
  readFirstViewport(*otherSource);
  const GanttChartItemPtr task = project.middleTask();
  const Time home = task->start();
  const Time later = Time(home.week, 2, 8 * kHour);
  const GanttChartItemPtr otherTask = other.middleTask();
  const Time otherHome = otherTask->start();
  const int64_t otherRow = otherTask->row();
  bool moved = false;
  for (auto _ : state) {
    if (state.range(1) == 0) {
      otherSource->updateTime(otherTask, moved ? otherHome : later);
    } else {
      otherSource->updateRow(otherTask, moved ? otherRow : otherRow + 1);
    }
    const auto begin = Clock::now();
    source->updateTime(task, moved ? home : later);
    readFirstViewport(*source);
    state.SetIterationTime(secondsSince(begin));
    moved = !moved;
  }
  addCounters(state, project);
}
BENCHMARK(BM_MoveAfterEditInAnotherChart)
    ->ArgsProduct({{1000000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A task on a new last row, so column mode moves nothing; timed is the
// addition, then the item is removed again.
void BM_AddItem(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const auto source = project.load();
  readFirstViewport(*source);
  const int64_t row = static_cast<int64_t>(project.items.size());
  for (auto _ : state) {
    const auto begin = Clock::now();
    const auto item = source->addNewItem(row, Time(2, 2, 9 * kHour), false);
    state.SetIterationTime(secondsSince(begin));
    source->removeItem(item);
  }
  addCounters(state, project);
}
BENCHMARK(BM_AddItem)->Apply(projectSizes)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Timed: the first item added after loading and reading the first viewport,
// on a new last row. The column rule then reads the available items for the
// first time, so this includes sorting them once.
void BM_FirstAddAfterLoading(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const int64_t row = static_cast<int64_t>(project.items.size());
  for (auto _ : state) {
    auto source = project.load();
    readFirstViewport(*source);
    const auto begin = Clock::now();
    source->addNewItem(row, Time(2, 2, 9 * kHour), false);
    state.SetIterationTime(secondsSince(begin));
    source.reset();
  }
  addCounters(state, project);
}
BENCHMARK(BM_FirstAddAfterLoading)->Apply(timedPerLoad);

// Timed: making the classic set and the source from the host's lists and
// reading the first viewport.
void BM_LoadAndReadFirstViewport(benchmark::State& state) {
  const LargeProject project(state.range(0));
  for (auto _ : state) {
    const auto begin = Clock::now();
    auto source = project.load();
    readFirstViewport(*source);
    state.SetIterationTime(secondsSince(begin));
    source.reset();
  }
  addCounters(state, project);
}
BENCHMARK(BM_LoadAndReadFirstViewport)->Apply(timedPerLoad);

// Timed: the first move after loading and reading the first viewport, a
// working day later for the head of a chain of nine (the group's summary
// follows); the move is undone before the next load.
void BM_FirstMoveAfterLoading(benchmark::State& state) {
  const LargeProject project(state.range(0));
  const GanttChartItemPtr task = project.middleTask();
  const Time home = task->start();
  const Time later = Time(home.week, 2, 8 * kHour);
  const GanttChartItemPtr last = project.items[static_cast<size_t>(
      std::find(project.items.begin(), project.items.end(), task) - project.items.begin() + 8)];
  const Time lastHome = last->start();
  for (auto _ : state) {
    auto source = project.load();
    readFirstViewport(*source);
    const auto begin = Clock::now();
    source->updateTime(task, later);
    state.SetIterationTime(secondsSince(begin));
    if (last->start() == lastHome) state.SkipWithError("the chain did not follow");
    source->updateTime(task, home);
    source.reset();
  }
  addCounters(state, project);
}
BENCHMARK(BM_FirstMoveAfterLoading)->Apply(timedPerLoad);

}  // namespace
}  // namespace vorlent
