#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"

namespace vorlent::detail {

// Which items belong to an item array, and which positions of a dependency
// array link each item, so that the dependencies of a few items are found by
// hash lookups rather than by scanning every dependency. It reflects the
// dependencies' items as they were when indexed; its owner rebuilds it when
// links or dependency positions may have changed.
class SourceDependencyIndex {
 public:
  void rebuild(const std::vector<GanttChartItemPtr>& items,
               const std::vector<GanttChartDependencyPtr>& dependencies);
  void itemAdded(const GanttChartItem* item);
  // Every occurrence of the item has left the array.
  void itemRemoved(const GanttChartItem* item);
  void dependencyAppended(const GanttChartDependency& dependency, size_t position);

  [[nodiscard]] bool isMember(const GanttChartItem* item) const;
  // Positions of the dependencies from or to `item`, in the order they were
  // indexed; a dependency from an item to itself is listed once. Null for an
  // item never indexed.
  [[nodiscard]] const std::vector<size_t>* dependenciesOf(const GanttChartItem* item) const;

 private:
  struct Slot {
    size_t occurrences = 0;
    std::vector<size_t> dependencies;
  };
  std::unordered_map<const GanttChartItem*, Slot> slots_;
};

}  // namespace vorlent::detail
