#pragma once

// Small helpers shared by the behaviour tests: times on a fixed week, items,
// and readable output for the values the tests compare.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/update_action.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_range.h"

namespace vorlent::testing {

// `hours` into `day` (kMonday ... kFriday) of `week` (week 1 by default, so
// the moments stay clear of the epoch).
inline Time on(int64_t day, double hours, int64_t week = 1) {
  return Time(week, day, hours * secondsPerHour);
}

inline TimeRange span(const Time& start, const Time& finish) { return {start, finish}; }

inline GanttChartItemPtr makeItem(const std::string& label, int64_t row, const Time& start,
                                  const Time& finish, double completion = 0,
                                  GanttChartItemType type = GanttChartItemType::standard) {
  return std::make_shared<GanttChartItem>(label, row, start, finish, completion, std::nullopt,
                                          std::nullopt, nullptr, true, 0, true, type);
}

inline GanttChartItemPtr makeSummary(const std::string& label, int64_t row, const Time& start,
                                     const Time& finish) {
  return makeItem(label, row, start, finish, 0, GanttChartItemType::summary);
}

// The rows of `items`, in order, for compact comparisons.
inline std::vector<int64_t> rowsOf(const std::vector<GanttChartItemPtr>& items) {
  std::vector<int64_t> rows;
  rows.reserve(items.size());
  for (const auto& item : items) rows.push_back(item->row());
  return rows;
}

inline std::vector<bool> visibilityOf(const std::vector<GanttChartItemPtr>& items) {
  std::vector<bool> visible;
  visible.reserve(items.size());
  for (const auto& item : items) visible.push_back(item->isVisible());
  return visible;
}

// (item, up, down) of each time or completion action, in order; row and
// visibility actions carry no cascade flags and are left out.
inline std::vector<std::tuple<GanttChartItemPtr, bool, bool>> cascadeFlagsOf(
    const GanttChartItemUpdateActions& actions) {
  std::vector<std::tuple<GanttChartItemPtr, bool, bool>> flags;
  for (const auto& action : actions) {
    if (const auto* time = std::get_if<GanttChartItemUpdateAction::UpdateTime>(&action.variant())) {
      flags.emplace_back(time->item, time->up, time->down);
    } else if (const auto* completion =
                   std::get_if<GanttChartItemUpdateAction::UpdateCompletion>(&action.variant())) {
      flags.emplace_back(completion->item, completion->up, completion->down);
    }
  }
  return flags;
}

}  // namespace vorlent::testing
