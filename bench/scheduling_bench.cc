// Scheduling a whole plan through an item source with the classic behaviour
// set, on the Monday-to-Friday 8:00-16:00 calendar with 20 holidays a year:
// - the first `applyBehavior()` of an unscheduled connected network (every
//   task one working day from the same Monday, with one to three
//   predecessors among the 20 rows above it, rows in link order, a whole
//   working day of lag on every third link) of 10,000, 100,000 and
//   1,000,000 tasks;
// - the same for a chain of 100,000 tasks listed bottom-up (each task a row
//   above its predecessor);
// - moving the first task of the settled 100,000-task network a working day
//   later, everything downstream following.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;
constexpr int64_t kWeek = 100;

std::shared_ptr<Schedule> calendarWithHolidays() {
  std::vector<TimeRange> holidays;
  // 20 holidays a year, on changing weekdays, for the 40 years a million
  // tasks can span.
  for (int64_t year = 0; year < 40; ++year) {
    for (int64_t k = 0; k < 20; ++k) {
      // From the second week on: the plan starts on the first Monday.
      const Time day(kWeek + 1 + year * 52 + k * 52 / 20, kMonday + k % 5, 0);
      holidays.emplace_back(day, day.addingHours(24));
    }
  }
  return std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(),
                                    std::move(holidays));
}

struct Plan {
  std::vector<GanttChartItemPtr> tasks;  // in link order
  std::vector<GanttChartDependencyPtr> links;
  std::vector<GanttChartDependencyLagDefinition> lags;

  void addTask(int64_t row) {
    tasks.push_back(std::make_shared<GanttChartItem>(
        std::nullopt, row, Time(kWeek, kMonday, 8 * kHour), Time(kWeek, kMonday, 16 * kHour), 0.0,
        std::nullopt, std::nullopt, nullptr, true, 0, true, GanttChartItemType::standard));
  }
  void link(size_t from, size_t to) {
    links.push_back(std::make_shared<GanttChartDependency>(
        std::nullopt, tasks[from], tasks[to], std::nullopt, 0, true,
        GanttChartDependencyType::fromFinishToStart));
    if (links.size() % 3 == 0) lags.emplace_back(links.back(), 8 * kHour);
  }
  [[nodiscard]] std::shared_ptr<GanttChartItemSource> source() const {
    return std::make_shared<GanttChartItemSource>(
        tasks, links, calendarWithHolidays(),
        GanttChartItemBehaviorSet::classic({}, std::nullopt, std::nullopt, std::nullopt, lags, {},
                                           std::nullopt));
  }
};

Plan network(int64_t size) {
  Plan plan;
  std::mt19937 random(1);
  for (int64_t i = 0; i < size; ++i) {
    plan.addTask(i);
    const auto index = static_cast<size_t>(i);
    for (size_t k = 0; i > 0 && k < 1 + random() % 3; ++k) {
      plan.link(index - 1 - random() % std::min<size_t>(index, 20), index);
    }
  }
  return plan;
}

Plan chainListedBottomUp(int64_t size) {
  Plan plan;
  for (int64_t i = 0; i < size; ++i) {
    plan.addTask(size - 1 - i);
    if (i > 0) plan.link(static_cast<size_t>(i - 1), static_cast<size_t>(i));
  }
  return plan;
}

void applyOnce(benchmark::State& state, const Plan& plan) {
  for (auto _ : state) {
    state.PauseTiming();
    const auto source = plan.source();
    state.ResumeTiming();
    source->applyBehavior();
    state.PauseTiming();
    state.counters["last finish week"] = static_cast<double>(plan.tasks.back()->finish().week);
    state.ResumeTiming();
  }
}

void BM_FirstApplyToNetwork(benchmark::State& state) {
  const Plan plan = network(state.range(0));
  applyOnce(state, plan);
}
BENCHMARK(BM_FirstApplyToNetwork)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_FirstApplyToChainListedBottomUp(benchmark::State& state) {
  const Plan plan = chainListedBottomUp(state.range(0));
  applyOnce(state, plan);
}
BENCHMARK(BM_FirstApplyToChainListedBottomUp)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_MoveFirstTaskOfSettledNetwork(benchmark::State& state) {
  const Plan plan = network(state.range(0));
  const auto source = plan.source();
  source->applyBehavior();
  int64_t day = 1;
  for (auto _ : state) {
    source->updateTime(plan.tasks.front(), Time(kWeek, kMonday + day % 5, 8 * kHour));
    ++day;
  }
  state.counters["last finish week"] = static_cast<double>(plan.tasks.back()->finish().week);
}
BENCHMARK(BM_MoveFirstTaskOfSettledNetwork)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

}  // namespace
}  // namespace vorlent
