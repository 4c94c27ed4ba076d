#pragma once

// Helpers the chart benchmarks share: wall-clock timing for figures taken by
// hand, and plain items and links as a host would make them.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"

namespace vorlent::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point begin) {
  return std::chrono::duration<double>(Clock::now() - begin).count();
}

inline GanttChartItemPtr makeItem(int64_t row, const Time& start, const Time& finish,
                                  GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>(std::nullopt, row, start, finish, 0.0, std::nullopt,
                                          std::nullopt, nullptr, true, 0, true, type);
}

inline GanttChartDependencyPtr makeLink(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                                        GanttChartDependencyType type) {
  return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                type);
}

}  // namespace vorlent::bench
