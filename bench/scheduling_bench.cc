// Scheduling whole plans with the classic behaviour set through an item
// source, on a Monday-to-Friday 8:00-16:00 calendar with twenty holidays a
// year:
// - the first `applyBehavior()` on an unscheduled network of 10,000,
//   100,000 and 1,000,000 one-day tasks, one a row in link order, each with
//   one to three finish-to-start predecessors among the twenty rows above,
//   a third of the links with a lag of one or two working days;
// - the same on a chain of 100,000 tasks listed last task first, and on the
//   networks of 10,000 and 100,000 tasks grouped ten by ten under summaries
//   listed above them;
// - the networks of 10,000 and 100,000 tasks listed against their links,
//   plain and with one pair in a hundred linked twice and one task in a
//   hundred on a calendar of its own under a summary, in one run;
// - moving the first task of a settled 100,000-task network a working day
//   later, everything downstream following (a single operation, which
//   takes the depth-first cascade).
// Every task starts at the same instant before the rules run, so nearly all
// of them move.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "bench/chart_building.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

using bench::Clock;
using bench::makeItem;
using bench::makeLink;
using bench::secondsSince;

constexpr double kHour = 3600;
constexpr double kDay = 8 * kHour;  // one working day
constexpr int64_t kFirstWeek = 1;
constexpr int64_t kPredecessorRows = 20;

// Twenty weekday holidays in each year (52 weeks) from kFirstWeek for
// `years` years, the same every run.
std::shared_ptr<ScheduleDefinition> calendarWithHolidays(int64_t years) {
  std::mt19937 random(7);
  std::vector<TimeRange> holidays;
  for (int64_t year = 0; year < years; ++year) {
    std::vector<int64_t> days;  // weekdays of the year, numbered 0...259
    while (days.size() < 20) {
      const auto day = static_cast<int64_t>(random() % 260);
      if (std::find(days.begin(), days.end(), day) == days.end()) days.push_back(day);
    }
    for (const int64_t day : days) {
      const Time start(kFirstWeek + year * 52 + day / 5, 1 + day % 5, 0);
      holidays.emplace_back(start, Time(start.week, start.dayOfWeek + 1, 0));
    }
  }
  return std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), holidays);
}

// A plan whose tasks all start Monday 8:00 of kFirstWeek and last a working
// day, one a row: row i holds tasks[i].
struct Plan {
  std::vector<GanttChartItemPtr> tasks;
  std::vector<GanttChartDependencyPtr> links;
  std::vector<GanttChartDependencyLagDefinition> lags;
  std::shared_ptr<ScheduleDefinition> calendar;
  std::vector<GanttChartItemPtr> summaries;
  std::vector<GanttChartItemHierarchicalRelation> relations;

  // Holidays for as many years as a chain of `count` one-day tasks spans.
  explicit Plan(int64_t count) : calendar(calendarWithHolidays(count / 240 + 2)) {
    tasks.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
      tasks.push_back(makeItem(i, Time(kFirstWeek, 1, 8 * kHour), Time(kFirstWeek, 1, 16 * kHour)));
    }
  }

  void link(size_t from, size_t to, double lag) {
    links.push_back(makeLink(tasks[from], tasks[to], GanttChartDependencyType::fromFinishToStart));
    if (lag != 0) lags.emplace_back(links.back(), lag);
  }

  // Each task after the first has 1-3 distinct predecessors among the rows
  // above it (at most kPredecessorRows up); a third of the links have a lag.
  static Plan network(int64_t count) {
    Plan plan(count);
    std::mt19937 random(11);
    for (size_t i = 1; i < plan.tasks.size(); ++i) {
      const size_t reach = std::min<size_t>(i, kPredecessorRows);
      std::vector<size_t> from;
      for (size_t k = std::min<size_t>(reach, 1 + random() % 3); k > 0; --k) {
        size_t candidate = i - 1 - random() % reach;
        while (std::find(from.begin(), from.end(), candidate) != from.end()) {
          candidate = candidate == i - reach ? i - 1 : candidate - 1;
        }
        from.push_back(candidate);
        plan.link(candidate, i,
                  random() % 3 == 0 ? kDay * static_cast<double>(1 + random() % 2) : 0);
      }
    }
    return plan;
  }

  // A chain listed last task first: task k of the chain is on row count-1-k.
  static Plan chainListedBottomUp(int64_t count) {
    Plan plan(count);
    std::reverse(plan.tasks.begin(), plan.tasks.end());
    for (size_t i = 1; i < plan.tasks.size(); ++i) plan.link(i - 1, i, 0);
    return plan;
  }

  // The network, each ten tasks under a summary listed above them.
  static Plan networkInPhases(int64_t count) {
    Plan plan = network(count);
    constexpr int64_t kPhase = 10;
    for (size_t i = 0; i < plan.tasks.size(); ++i) {
      const auto k = static_cast<int64_t>(i);
      if (k % kPhase == 0) {
        plan.summaries.push_back(makeItem(k / kPhase * (kPhase + 1), plan.tasks[i]->start(),
                                          plan.tasks[i]->finish(), GanttChartItemType::summary));
        plan.relations.emplace_back(plan.summaries.back(), std::vector<GanttChartItemPtr>{});
      }
      plan.tasks[i]->setRow(k / kPhase * (kPhase + 1) + 1 + k % kPhase);
      plan.relations.back().children.push_back(plan.tasks[i]);
    }
    return plan;
  }

  // The network under one summary, listed above it, as a project's own row
  // spans all its tasks.
  static Plan networkUnderOneSummary(int64_t count) {
    Plan plan = network(count);
    for (const auto& task : plan.tasks) task->setRow(task->row() + 1);
    plan.summaries.push_back(makeItem(0, plan.tasks.front()->start(), plan.tasks.front()->finish(),
                                      GanttChartItemType::summary));
    plan.relations.emplace_back(plan.summaries.back(), plan.tasks);
    return plan;
  }

  [[nodiscard]] std::shared_ptr<GanttChartItemSource> load() const {
    std::vector<GanttChartItemPtr> items = tasks;
    items.insert(items.end(), summaries.begin(), summaries.end());
    return std::make_shared<GanttChartItemSource>(
        items, links, calendar,
        GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt, std::nullopt,
                                           lags, {}, std::nullopt));
  }

  // Links whose successor starts before its predecessor's finish (lags are
  // not checked, as they only push further).
  [[nodiscard]] int64_t linksOff() const {
    int64_t off = 0;
    for (const auto& link : links) off += link->to()->start() < link->from()->finish() ? 1 : 0;
    return off;
  }

  // Builds the calendar's working-time table, once per calendar, which its
  // first use would otherwise build inside the timed region.
  void warmUp() const { benchmark::DoNotOptimize(calendar->finish(tasks.front()->start(), kDay)); }

  [[nodiscard]] int64_t moved() const {
    int64_t count = 0;
    for (const auto& task : tasks) count += task->hasChanged() ? 1 : 0;
    return count;
  }
};

void reportPlan(benchmark::State& state, const Plan& plan) {
  state.counters["tasks"] = static_cast<double>(plan.tasks.size());
  state.counters["links"] = static_cast<double>(plan.links.size());
  state.counters["moved"] = static_cast<double>(plan.moved());
  state.counters["links off"] = static_cast<double>(plan.linksOff());
}

// Timed: the first application of the rules to the plan `make` builds.
void timeFirstApplication(benchmark::State& state, Plan (*make)(int64_t)) {
  for (auto _ : state) {
    const Plan plan = make(state.range(0));
    const auto source = plan.load();
    plan.warmUp();
    const auto begin = Clock::now();
    source->applyBehavior();
    state.SetIterationTime(secondsSince(begin));
    reportPlan(state, plan);
  }
}

// One run per figure, timed by hand.
void timedOnce(benchmark::internal::Benchmark* benchmark) {
  benchmark->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

void BM_ApplyBehaviorToUnscheduledNetwork(benchmark::State& state) {
  timeFirstApplication(state, &Plan::network);
}
BENCHMARK(BM_ApplyBehaviorToUnscheduledNetwork)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Apply(timedOnce);

// Asking in list order would move every task of this chain once per task
// above it.
void BM_ApplyBehaviorToChainListedBottomUp(benchmark::State& state) {
  timeFirstApplication(state, &Plan::chainListedBottomUp);
}
BENCHMARK(BM_ApplyBehaviorToChainListedBottomUp)->Arg(100000)->Apply(timedOnce);

void BM_ApplyBehaviorToUnscheduledNetworkInPhases(benchmark::State& state) {
  timeFirstApplication(state, &Plan::networkInPhases);
}
BENCHMARK(BM_ApplyBehaviorToUnscheduledNetworkInPhases)->Arg(10000)->Arg(100000)->Apply(timedOnce);

// Each task's question would span the summary over every task.
void BM_ApplyBehaviorToUnscheduledNetworkUnderOneSummary(benchmark::State& state) {
  timeFirstApplication(state, &Plan::networkUnderOneSummary);
}
BENCHMARK(BM_ApplyBehaviorToUnscheduledNetworkUnderOneSummary)
    ->Arg(10000)
    ->Arg(100000)
    ->Apply(timedOnce);

// The network listed against its links (each task on a row above its
// predecessors), on the calendar without holidays; with `extras`, one pair
// of linked tasks in a hundred linked a second time, start to start, and one
// task in a hundred on a calendar object of its own (the chart's hours)
// under a summary of its own, listed above it.
Plan networkListedAgainstLinks(int64_t count, bool extras) {
  Plan plan = Plan::network(count);
  plan.calendar = std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard());
  const auto own = std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard());
  int64_t row = 0;
  for (size_t i = plan.tasks.size(); i-- > 0;) {
    const bool child = extras && i % 100 == 50;
    if (child) {
      plan.tasks[i]->setSchedule(own);
      plan.summaries.push_back(makeItem(row++, plan.tasks[i]->start(), plan.tasks[i]->finish(),
                                        GanttChartItemType::summary));
      plan.relations.emplace_back(plan.summaries.back(),
                                  std::vector<GanttChartItemPtr>{plan.tasks[i]});
    }
    plan.tasks[i]->setRow(row++);
  }
  const size_t single = plan.links.size();
  for (size_t k = 0; extras && k < single; k += 100) {
    plan.links.push_back(makeLink(plan.links[k]->from(), plan.links[k]->to(),
                                  GanttChartDependencyType::fromStartToStart));
  }
  return plan;
}

// Timed apart in one run: the first application to the plain network listed
// against its links, and to the same with the extras; "ratio" is the second
// time over the first.
void BM_ApplyBehaviorToNetworkListedAgainstLinks(benchmark::State& state) {
  for (auto _ : state) {
    double seconds[2] = {0, 0};
    for (const bool extras : {false, true}) {
      const Plan plan = networkListedAgainstLinks(state.range(0), extras);
      const auto source = plan.load();
      plan.warmUp();
      const auto begin = Clock::now();
      source->applyBehavior();
      seconds[extras ? 1 : 0] = secondsSince(begin);
      if (extras) reportPlan(state, plan);
    }
    state.SetIterationTime(seconds[0] + seconds[1]);
    state.counters["plain ms"] = seconds[0] * 1000;
    state.counters["extras ms"] = seconds[1] * 1000;
    state.counters["ratio"] = seconds[1] / seconds[0];
  }
}
BENCHMARK(BM_ApplyBehaviorToNetworkListedAgainstLinks)->Arg(10000)->Arg(100000)->Apply(timedOnce);

// Counts the time changes an operation reports.
class TimeChangeCounter : public GanttChartItemObserver {
 public:
  void timeDidChange(const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/) override {
    ++changes;
  }
  int64_t changes = 0;
};

// Timed: one move of the first task of `plan`, settled, a working day
// later; the counter "moved" counts the tasks the move changed, "time
// changes" the changes it reported along the way.
void timeMoveOfFirstTask(benchmark::State& state, Plan (*makePlan)(int64_t)) {
  for (auto _ : state) {
    const Plan plan = makePlan(state.range(0));
    const auto source = plan.load();
    source->applyBehavior();
    source->acceptChanges();
    const auto counter = std::make_shared<TimeChangeCounter>();
    source->setItemObserver(counter);
    const GanttChartItemPtr first = plan.tasks.front();
    const auto begin = Clock::now();
    source->updateTime(first, plan.calendar->finish(first->start(), kDay));
    state.SetIterationTime(secondsSince(begin));
    reportPlan(state, plan);
    state.counters["time changes"] = static_cast<double>(counter->changes);
  }
}

void BM_MoveFirstTaskOfSettledNetwork(benchmark::State& state) {
  timeMoveOfFirstTask(state, &Plan::network);
}
BENCHMARK(BM_MoveFirstTaskOfSettledNetwork)->Arg(100000)->Apply(timedOnce);

// The summary's span is asked for after every task's change.
void BM_MoveFirstTaskOfSettledNetworkUnderOneSummary(benchmark::State& state) {
  timeMoveOfFirstTask(state, &Plan::networkUnderOneSummary);
}
BENCHMARK(BM_MoveFirstTaskOfSettledNetworkUnderOneSummary)
    ->Arg(10000)
    ->Arg(100000)
    ->Apply(timedOnce);

}  // namespace
}  // namespace vorlent
