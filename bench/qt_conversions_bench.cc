// The conversions between the library's drawing values and Qt's run on
// every drawing call, so the ones for points, rectangles and colours must
// not allocate. Each benchmark reports `allocations_per_conversion`, which
// must read 0.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "bench/allocation_counting.h"
#include "vorlent/views/conversions.h"

namespace vorlent {
namespace {

using bench::allocationCounts;

template <typename Value, typename Convert>
void measureConversion(benchmark::State& state, Value value, Convert convert) {
  const std::uint64_t before = allocationCounts().allocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    auto converted = convert(value);
    benchmark::DoNotOptimize(converted);
  }
  state.counters["allocations_per_conversion"] =
      static_cast<double>(allocationCounts().allocations - before) /
      static_cast<double>(state.iterations());
}

constexpr double kInf = std::numeric_limits<double>::infinity();

void BM_PointToQt(benchmark::State& state) {
  measureConversion(state, Point{12.5, -kInf}, [](const Point& p) { return toQt(p); });
}
BENCHMARK(BM_PointToQt);

void BM_PointFromQt(benchmark::State& state) {
  measureConversion(state, QPointF(12.5, 3), [](const QPointF& p) { return fromQt(p); });
}
BENCHMARK(BM_PointFromQt);

void BM_RectangleToQt(benchmark::State& state) {
  measureConversion(state, Rectangle(1, 2, 300, 20),
                    [](const Rectangle& r) { return toQt(r); });
}
BENCHMARK(BM_RectangleToQt);

void BM_RectangleFromQt(benchmark::State& state) {
  measureConversion(state, QRectF(10, 20, -4, 6), [](const QRectF& r) { return fromQt(r); });
}
BENCHMARK(BM_RectangleFromQt);

void BM_ColorToQt(benchmark::State& state) {
  measureConversion(state, Color(0.25, 0.5, 1.5, 1), [](const Color& c) { return toQt(c); });
}
BENCHMARK(BM_ColorToQt);

}  // namespace
}  // namespace vorlent
