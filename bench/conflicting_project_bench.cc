// A project whose rules can never all hold: a summary over two tasks, linked
// finish to start to its own first child (or that child to the summary), with
// the classic behaviours
// (hierarchy and auto-scheduling among them) through an item source, on the
// Monday-to-Friday 8:00-16:00 calendar with one holiday, under the default
// recursion bound. Every move pushes the child past the summary's finish, the
// summary grows to cover it, and so on until the engine finds the items in
// a conflict and stops following them up. The summary ends up about a hundred times the child's
// length, so the cascade's durations and steps span ever longer stretches of
// working time; with the holiday in the calendar they still cost what the
// holiday costs, not what the span costs.
//
// A second project of 200 (or 10,000) items, also with rules that cannot all
// hold: a summary pushed later by start-to-start links from all but ten of
// them, while one of its nine children is held by a maximum finish; classic
// behaviours with auto-scheduling applied to the updating items too. Timed is
// its first `applyBehavior()`.
//
// A third, a cycle of links upstream of a long chain: two one-day tasks
// linked finish to start each to the other, the second heading a chain of
// the rest, under auto-scheduling alone. Every time the cycle comes round,
// the chain behind it follows; timed is the first `applyBehavior()`.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;
constexpr int64_t kWeek = 100;

Time monday(int64_t week, double hours) { return Time(week, kMonday, hours * kHour); }

GanttChartItemPtr makeTask(int64_t row, const Time& start, const Time& finish,
                           GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>(std::nullopt, row, start, finish, 0.0, std::nullopt,
                                          std::nullopt, nullptr, true, 0, true, type);
}

struct ConflictingProject {
  GanttChartItemPtr summary;
  GanttChartItemPtr first;
  GanttChartItemPtr second;
  std::shared_ptr<GanttChartItemSource> source;

  // The first child lasts `childWeeks` working weeks from Monday of kWeek;
  // the second one day. The link runs from the summary to the first child,
  // or the other way with `fromChild`.
  ConflictingProject(int64_t childWeeks, bool fromChild)
      : summary(makeTask(0, monday(kWeek, 8), monday(kWeek + childWeeks, 8),
                         GanttChartItemType::summary)),
        first(makeTask(1, monday(kWeek, 8), monday(kWeek + childWeeks, 8))),
        second(makeTask(2, monday(kWeek, 8), monday(kWeek, 16))) {
    // The holiday is the Wednesday of the project's first week.
    const auto calendar = std::make_shared<Schedule>(
        WeekRange::standard(), DayRange::standard(),
        std::vector<TimeRange>{{Time(kWeek, kWednesday, 0), Time(kWeek, kThursday, 0)}});
    auto link = std::make_shared<GanttChartDependency>(
        std::nullopt, fromChild ? first : summary, fromChild ? summary : first, std::nullopt, 0,
        true, GanttChartDependencyType::fromFinishToStart);
    source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{summary, first, second},
        std::vector<GanttChartDependencyPtr>{link}, calendar,
        GanttChartItemBehaviorSet::classic({{summary, {first, second}}}, std::nullopt, std::nullopt,
                                           std::nullopt, {}, {}, std::nullopt));
  }

  // Where the cascade left the items, to show that the result is unchanged.
  [[nodiscard]] std::string outcome() const {
    std::ostringstream text;
    for (const auto& item : {summary, first, second}) {
      text << item->start() << "-" << item->finish() << " ";
    }
    return text.str();
  }
};

// Arguments: the first child's length in working weeks, and 1 for the link
// from the child to the summary (0: from the summary to the child). Moves the summary one
// working day later, once per iteration on a new project; the label shows
// where the items ended.
void BM_ConflictingProjectMove(benchmark::State& state) {
  std::string outcome;
  for (auto _ : state) {
    state.PauseTiming();
    ConflictingProject project(state.range(0), state.range(1) == 1);
    state.ResumeTiming();
    project.source->updateTime(project.summary, Time(kWeek, kTuesday, 8 * kHour));
    state.PauseTiming();
    outcome = project.outcome();
    state.ResumeTiming();
  }
  state.SetLabel(outcome);
}
BENCHMARK(BM_ConflictingProjectMove)
    ->Args({1, 0})
    ->Args({52, 0})
    ->Args({520, 0})
    ->Args({52, 1})
    ->Args({520, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Counts the changes of time an operation reports.
class TimeChangeCounter : public GanttChartItemObserver {
 public:
  void timeDidChange(const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/) override {
    ++changes;
  }
  int64_t changes = 0;
};

// The summary (row 0) spans nine one-day children from Monday of kWeek; the
// first child may not finish later than it does. Each of the other tasks
// starts a working day or two later and links start to start into the
// summary, so the summary has to start later, which takes its children along,
// which the first child's limit forbids.
struct PushedSummaryProject {
  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;

  explicit PushedSummaryProject(int64_t size) {
    constexpr int64_t kChildren = 9;
    const auto summary =
        makeTask(0, monday(kWeek, 8), monday(kWeek, 16), GanttChartItemType::summary);
    items.push_back(summary);
    std::vector<GanttChartItemPtr> children;
    for (int64_t k = 1; k <= kChildren; ++k) {
      children.push_back(makeTask(k, monday(kWeek, 8), monday(kWeek, 16)));
      items.push_back(children.back());
    }
    std::vector<GanttChartDependencyPtr> links;
    for (int64_t k = kChildren + 1; k < size; ++k) {
      const Time start(kWeek, kTuesday + k % 2, 8 * kHour);
      items.push_back(makeTask(k, start, Time(start.week, start.dayOfWeek, 16 * kHour)));
      links.push_back(std::make_shared<GanttChartDependency>(
          std::nullopt, items.back(), summary, std::nullopt, 0, true,
          GanttChartDependencyType::fromStartToStart));
    }
    const GanttChartItemConstraints limit(std::nullopt, std::nullopt, std::nullopt,
                                          children.front()->finish());
    source = std::make_shared<GanttChartItemSource>(
        items, links, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic({{summary, children}}, std::nullopt, true, std::nullopt,
                                           {}, {{children.front(), limit}}, std::nullopt));
  }
};

// Argument: the number of items.
void BM_ConflictingRulesPushingASummary(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    PushedSummaryProject project(state.range(0));
    const auto counter = std::make_shared<TimeChangeCounter>();
    project.source->setItemObserver(counter);
    state.ResumeTiming();
    project.source->applyBehavior();
    state.PauseTiming();
    Time latest = project.items.front()->finish();
    for (const auto& item : project.items) latest = std::max(latest, item->finish());
    state.counters["changes"] = static_cast<double>(counter->changes);
    state.counters["latest week"] = static_cast<double>(latest.week);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConflictingRulesPushingASummary)
    ->Arg(200)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Argument: the number of items.
void BM_ConflictingCycleHeadingAChain(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<GanttChartItemPtr> items;
    std::vector<GanttChartDependencyPtr> links;
    const auto link = [&](const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
      links.push_back(
          std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                 GanttChartDependencyType::fromFinishToStart));
    };
    for (int64_t k = 0; k < state.range(0); ++k) {
      items.push_back(makeTask(k, monday(kWeek, 8), monday(kWeek, 16)));
      if (k > 0) link(items[static_cast<size_t>(k - 1)], items.back());
    }
    link(items[1], items[0]);
    const auto source = std::make_shared<GanttChartItemSource>(
        items, links, ScheduleDefinition::standard(),
        std::make_shared<GanttChartItemAutoSchedulingBehavior>());
    const auto counter = std::make_shared<TimeChangeCounter>();
    source->setItemObserver(counter);
    state.ResumeTiming();
    source->applyBehavior();
    state.PauseTiming();
    state.counters["changes"] = static_cast<double>(counter->changes);
    state.counters["last week"] = static_cast<double>(items.back()->finish().week);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConflictingCycleHeadingAChain)
    ->Arg(200)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace vorlent
