// A manual run loop with 10,000 repeating timers firing 1,000,000 ticks per
// iteration. The global allocation functions are replaced to count what the
// loop allocates while it ticks: the counters `allocations` and
// `live_bytes_growth` must stay at 0, which is what "no memory growth" means.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "vorlent/base/run_loop.h"

namespace {

std::uint64_t allocationCount = 0;
std::int64_t liveBytes = 0;

void* allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++allocationCount;
  liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
  return p;
}

void release(void* p) noexcept {
  if (p == nullptr) return;
  liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

namespace vorlent {
namespace {

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
      allocationsBefore = allocationCount;
      bytesBefore = liveBytes;
      first = false;
    }
    for (int step = 0; step < kStepsPerIteration; ++step) loop.advance(kInterval);
    allocationsAfter = allocationCount;
    bytesAfter = liveBytes;
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
  const std::int64_t bytesBefore = liveBytes;
  for (auto _ : state) {
    RepeatingTimer timer = loop.scheduleRepeating(kInterval, [] {});
    benchmark::DoNotOptimize(timer);
  }
  state.counters["live_bytes_growth"] = static_cast<double>(liveBytes - bytesBefore);
}
BENCHMARK(BM_ManualRunLoopScheduleAndCancel);

}  // namespace
}  // namespace vorlent
