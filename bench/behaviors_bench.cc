// The scheduling behaviours on large charts, through an item source with the
// classic behaviour set (column, hierarchy, auto-scheduling with lags,
// constraints) on the standard calendar:
// - moving a task whose 100 successors follow it, among 10,000 and 100,000
//   items, to show that the cost grows with the items touched, not with the
//   chart;
// - moving the head of a chain of 1,000 linked tasks;
// - collapsing and expanding a parent with 1,000 descendants among 100,000
//   items.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;
constexpr int64_t kSuccessors = 100;
// A summary, a hub task and the hub's successors.
constexpr int64_t kGroupSize = kSuccessors + 2;

Time monday(int64_t week, double hours) { return Time(week, 1, hours * kHour); }

GanttChartItemPtr makeTask(int64_t row, const Time& start, const Time& finish,
                           GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>(std::nullopt, row, start, finish, 0.0, std::nullopt,
                                          std::nullopt, nullptr, true, 0, true, type);
}

struct Project {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::vector<GanttChartItemHierarchicalRelation> relations;
  std::vector<GanttChartDependencyLagDefinition> lags;

  std::shared_ptr<GanttChartItemSource> makeSource(int64_t maxRecursivity = 1024) const {
    auto source = std::make_shared<GanttChartItemSource>(
        items, dependencies, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt, std::nullopt,
                                           lags, {}, std::nullopt));
    source->setMaxBehaviorRecursivity(maxRecursivity);
    return source;
  }
};

// Groups of a summary over a hub task and its 100 successors, one item a row.
// The hub (Monday 8:00-16:00) links finish to start, with two working hours
// of lag, to each successor, which starts exactly there (Tuesday 10:00), so
// the project is scheduled as the rules want it. Returns the hubs.
Project makeFanProject(int64_t itemCount, std::vector<GanttChartItemPtr>& hubs) {
  Project project;
  const int64_t groups = itemCount / kGroupSize;
  project.items.reserve(static_cast<size_t>(groups * kGroupSize));
  for (int64_t g = 0; g < groups; ++g) {
    const int64_t row = g * kGroupSize;
    const int64_t week = 1 + g % 50;
    auto summary =
        makeTask(row, monday(week, 8), Time(week, 2, 14 * kHour), GanttChartItemType::summary);
    auto hub = makeTask(row + 1, monday(week, 8), monday(week, 16));
    std::vector<GanttChartItemPtr> children{hub};
    project.items.push_back(summary);
    project.items.push_back(hub);
    for (int64_t s = 0; s < kSuccessors; ++s) {
      auto successor = makeTask(row + 2 + s, Time(week, 2, 10 * kHour), Time(week, 2, 14 * kHour));
      auto link = std::make_shared<GanttChartDependency>(std::nullopt, hub, successor);
      project.items.push_back(successor);
      project.dependencies.push_back(link);
      project.lags.emplace_back(link, 2 * kHour);
      children.push_back(successor);
    }
    project.relations.emplace_back(summary, std::move(children));
    hubs.push_back(hub);
  }
  return project;
}

// Moves one hub a working day later and back in turns; each move carries its
// 100 successors and the summary along.
void BM_MoveTaskWithHundredSuccessors(benchmark::State& state) {
  std::vector<GanttChartItemPtr> hubs;
  const Project project = makeFanProject(state.range(0), hubs);
  const auto source = project.makeSource();
  const GanttChartItemPtr hub = hubs[hubs.size() / 2];
  const Time home = hub->start();
  const Time later = Time(home.week, 2, 8 * kHour);
  // The successors must really follow, or the figure would measure nothing.
  const GanttChartItemPtr watched =
      source->dependencies()[static_cast<size_t>((hubs.size() / 2) * kSuccessors)]->to();
  const Time before = watched->start();
  source->updateTime(hub, later);
  if (watched->start() == before) state.SkipWithError("the successors did not follow");
  source->updateTime(hub, home);
  bool forward = true;
  for (auto _ : state) {
    source->updateTime(hub, forward ? later : home);
    forward = !forward;
  }
  state.counters["items"] = static_cast<double>(project.items.size());
  state.counters["links"] = static_cast<double>(project.dependencies.size());
  state.SetLabel("touches ~102 items per move");
}
BENCHMARK(BM_MoveTaskWithHundredSuccessors)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A chain of 1,000 one-day tasks linked finish to start with an hour of lag
// each; moving the head a day later and back moves all of them.
void BM_MoveHeadOfChainOfThousand(benchmark::State& state) {
  constexpr int64_t kChain = 1000;
  Project project;
  const auto schedule = ScheduleDefinition::standard();
  Time start = monday(1, 8);
  for (int64_t i = 0; i < kChain; ++i) {
    const Time finish = schedule->finish(start, 8 * kHour);
    auto task = makeTask(i, start, finish);
    if (!project.items.empty()) {
      auto link = std::make_shared<GanttChartDependency>(std::nullopt, project.items.back(), task);
      project.dependencies.push_back(link);
      project.lags.emplace_back(link, kHour);
    }
    project.items.push_back(task);
    start = schedule->nextTime(schedule->finish(finish, kHour));
  }
  const auto source = project.makeSource(2000);
  const GanttChartItemPtr head = project.items.front();
  const GanttChartItemPtr tail = project.items.back();
  const Time home = head->start();
  const Time later = Time(home.week, 2, 8 * kHour);
  const Time tailHome = tail->start();
  source->updateTime(head, later);
  if (tail->start() == tailHome) state.SkipWithError("the chain did not follow");
  source->updateTime(head, home);
  bool forward = true;
  for (auto _ : state) {
    source->updateTime(head, forward ? later : home);
    forward = !forward;
  }
}
BENCHMARK(BM_MoveHeadOfChainOfThousand)->Unit(benchmark::kMillisecond);

// One parent at the top with ten sub-summaries of 99 tasks each (1,000
// descendants), then 99,000 more items in groups under their own summaries,
// one item a row: collapsing shifts every item below the parent up.
struct CollapseProject {
  Project project;
  GanttChartItemPtr parent;
};

CollapseProject makeCollapseProject() {
  CollapseProject result;
  Project& project = result.project;
  int64_t row = 0;
  const auto addGroup = [&](int64_t size) {
    auto summary = makeTask(row++, monday(1, 8), monday(1, 16), GanttChartItemType::summary);
    std::vector<GanttChartItemPtr> children;
    project.items.push_back(summary);
    for (int64_t i = 0; i < size; ++i) {
      children.push_back(makeTask(row++, monday(1, 8), monday(1, 16)));
      project.items.push_back(children.back());
    }
    project.relations.emplace_back(summary, std::move(children));
    return summary;
  };
  result.parent = makeTask(row++, monday(1, 8), monday(1, 16), GanttChartItemType::summary);
  project.items.push_back(result.parent);
  std::vector<GanttChartItemPtr> subSummaries;
  for (int i = 0; i < 10; ++i) subSummaries.push_back(addGroup(99));
  project.relations.emplace_back(result.parent, subSummaries);
  while (static_cast<int64_t>(project.items.size()) < 100000) addGroup(99);
  return result;
}

// Times the collapse (or the expansion) only; the other half of the round
// trip restores the chart between iterations.
void BM_CollapseOrExpandThousandDescendants(benchmark::State& state) {
  const bool timesCollapse = state.range(0) == 0;
  const CollapseProject chart = makeCollapseProject();
  const auto source = chart.project.makeSource();
  const GanttChartItemPtr last = chart.project.items.back();
  const int64_t lastRow = last->row();
  source->collapse(chart.parent);
  if (last->row() != lastRow - 1000) state.SkipWithError("the collapse did not close the rows");
  source->expand(chart.parent);
  if (last->row() != lastRow) state.SkipWithError("the expansion did not reopen the rows");
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    source->collapse(chart.parent);
    const auto middle = std::chrono::steady_clock::now();
    source->expand(chart.parent);
    const auto end = std::chrono::steady_clock::now();
    const auto timed = timesCollapse ? middle - begin : end - middle;
    state.SetIterationTime(std::chrono::duration<double>(timed).count());
  }
  state.SetLabel(timesCollapse ? "collapse" : "expand");
  state.counters["items"] = static_cast<double>(chart.project.items.size());
}
BENCHMARK(BM_CollapseOrExpandThousandDescendants)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlent
