// A manual run loop with 10,000 repeating timers firing 1,000,000 ticks per
// iteration. The global allocation functions are replaced to count what the
// loop allocates while it ticks: the counters `allocations` and
// `live_bytes_growth` must stay at 0, which is what "no memory growth" means.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/allocation_counting.h"
#include "vorlent/base/run_loop.h"

namespace vorlent {
namespace {

using bench::allocationCounts;

constexpr int kTimers = 10'000;
constexpr double kInterval = 0.01;
constexpr int kStepsPerIteration = 100;  // 100 intervals x 10,000 timers

void BM_ManualRunLoopTicks(benchmark::State& state) {
  ManualRunLoop loop;
  std::uint64_t ticks = 0;
  std::vector<RepeatingTimer> timers;
  timers.reserve(kTimers);
  for (int i = 0; i < kTimers; ++i) {
    // Spread the timers over one interval so that every tick reorders the
    // queue, as timers started at different moments do.
    timers.push_back(loop.scheduleRepeating(kInterval, [&ticks] { ++ticks; }));
    loop.advance(kInterval / kTimers);
  }
  loop.advance(kInterval);  // warm up: every timer has ticked once

  // Sampled inside the timed loop so that the framework's own bookkeeping
  // around it does not count.
  std::uint64_t allocationsBefore = 0;
  std::uint64_t allocationsAfter = 0;
  std::int64_t bytesBefore = 0;
  std::int64_t bytesAfter = 0;
  bool first = true;
  const std::uint64_t ticksBefore = ticks;
  for (auto _ : state) {
    if (first) {
      allocationsBefore = allocationCounts().allocations;
      bytesBefore = allocationCounts().liveBytes;
      first = false;
    }
    for (int step = 0; step < kStepsPerIteration; ++step) loop.advance(kInterval);
    allocationsAfter = allocationCounts().allocations;
    bytesAfter = allocationCounts().liveBytes;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ticks_per_iteration"] = static_cast<double>(ticks - ticksBefore) / iterations;
  state.counters["allocations"] = static_cast<double>(allocationsAfter - allocationsBefore);
  state.counters["live_bytes_growth"] = static_cast<double>(bytesAfter - bytesBefore);
  state.SetItemsProcessed(static_cast<std::int64_t>(ticks - ticksBefore));
}
BENCHMARK(BM_ManualRunLoopTicks)->Unit(benchmark::kMillisecond);

// Scheduling and cancelling without ever advancing (a drag that starts and
// stops its auto-scroll over and over) must not pile up stopped timers:
// `live_bytes_growth` stays bounded, whatever the iteration count, by the
// stopped timers awaiting compaction (never more than the running ones).
void BM_ManualRunLoopScheduleAndCancel(benchmark::State& state) {
  ManualRunLoop loop;
  std::vector<RepeatingTimer> running;
  for (int i = 0; i < kTimers; ++i) running.push_back(loop.scheduleRepeating(kInterval, [] {}));
  for (int i = 0; i < 1000; ++i) loop.scheduleRepeating(kInterval, [] {}).invalidate();
  const std::int64_t bytesBefore = allocationCounts().liveBytes;
  for (auto _ : state) {
    RepeatingTimer timer = loop.scheduleRepeating(kInterval, [] {});
    benchmark::DoNotOptimize(timer);
  }
  state.counters["live_bytes_growth"] =
      static_cast<double>(allocationCounts().liveBytes - bytesBefore);
}
BENCHMARK(BM_ManualRunLoopScheduleAndCancel);

}  // namespace
}  // namespace vorlent
