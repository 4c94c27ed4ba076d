#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/outline/outline_row.h"

namespace vorlent::detail {

// What the outline chart's hierarchy answers look up while the rules are
// applied: which row holds an outline item, and the available twins of each
// outline item with their places in the available list. Built once per
// application from the list that application reads, so that asking for an
// item's parent or children costs the item's own row and not a pass over
// every row and every available item.
class OutlineApplicationIndex {
 public:
  void rebuild(uint64_t reading, const std::vector<OutlineGanttChartRowPtr>& rows,
               const std::vector<GanttChartItemPtr>& available);
  [[nodiscard]] bool isBuiltFor(uint64_t reading) const { return built_ && reading_ == reading; }

  // The first row (in chart order) that held `item` at the build, if it
  // still does; null otherwise (the caller then searches itself).
  [[nodiscard]] OutlineGanttChartRowPtr rowHolding(const OutlineGanttChartItem* item) const;
  // The available twins of the row's outline items, in available order.
  [[nodiscard]] std::vector<GanttChartItemPtr> twinsOn(const OutlineGanttChartRow& row) const;

 private:
  bool built_ = false;
  uint64_t reading_ = 0;
  std::unordered_map<const OutlineGanttChartItem*, OutlineGanttChartRowPtr> rowOf_;
  std::unordered_map<const OutlineGanttChartItem*,
                     std::vector<std::pair<size_t, GanttChartItemPtr>>>
      twinsOf_;
};

}  // namespace vorlent::detail
