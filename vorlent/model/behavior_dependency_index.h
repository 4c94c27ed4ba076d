#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item_lists.h"

namespace vorlent::detail {

// The positions of a dependency list's members by source item and by target
// item, each in list order, so that a behaviour asking for an item's
// predecessors or successors on every callback does not scan the whole list.
//
// `refresh` keeps the index while it is handed the very same list snapshot and
// no dependency has had its `from` or `to` reassigned since; otherwise it
// rebuilds it. The index keeps the snapshot it was built from, so that the
// snapshot's identity cannot be reused by another list meanwhile.
class BehaviorDependencyIndex {
 public:
  void refresh(const GanttChartDependencyList& dependencies);

  [[nodiscard]] const GanttChartDependencyList& dependencies() const { return dependencies_; }
  // Positions in `dependencies()` of the dependencies from (or to) `item`,
  // ascending; empty for an item without any.
  [[nodiscard]] const std::vector<size_t>& positionsFrom(const GanttChartItem* item) const;
  [[nodiscard]] const std::vector<size_t>& positionsTo(const GanttChartItem* item) const;

 private:
  void rebuild();

  GanttChartDependencyList dependencies_;
  uint64_t linkGeneration_ = 0;
  bool isBuilt_ = false;
  std::unordered_map<const GanttChartItem*, std::vector<size_t>> from_;
  std::unordered_map<const GanttChartItem*, std::vector<size_t>> to_;
};

}  // namespace vorlent::detail
