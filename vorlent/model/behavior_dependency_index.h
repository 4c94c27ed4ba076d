#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item_lists.h"

namespace vorlent::detail {

// The positions of a dependency list's members by source item and by target
// item, each in list order, so that a behaviour asking for an item's
// predecessors or successors on every callback does not scan the whole list.
//
// `refresh` keeps the index while it is handed a list over the very same
// elements and no dependency has had its `from` or `to` reassigned since;
// otherwise it builds a new one. An index names the elements it was built
// from by a weak reference, so that their identity cannot be reused by
// another list meanwhile, without keeping its dependencies alive.
class BehaviorDependencyIndex {
 public:
  // One list's positions, never changed once built: a caller holding it may
  // walk it while a re-entrant call refreshes the index to another list.
  class Positions {
   public:
    explicit Positions(const GanttChartDependencyList& dependencies);

    // Whether these are the positions in `dependencies`.
    [[nodiscard]] bool isFor(const GanttChartDependencyList& dependencies) const {
      return dependencies.hasElementsIdentity(list_);
    }
    // Positions in the list of the dependencies from (or to) `item`,
    // ascending; empty for an item without any.
    [[nodiscard]] const std::vector<size_t>& from(const GanttChartItem* item) const;
    [[nodiscard]] const std::vector<size_t>& to(const GanttChartItem* item) const;

   private:
    std::weak_ptr<const void> list_;
    std::unordered_map<const GanttChartItem*, std::vector<size_t>> from_;
    std::unordered_map<const GanttChartItem*, std::vector<size_t>> to_;
  };

  // The index of `dependencies`, kept or built anew as described above.
  [[nodiscard]] std::shared_ptr<const Positions> refresh(
      const GanttChartDependencyList& dependencies);

 private:
  std::shared_ptr<const Positions> positions_;
  uint64_t linkGeneration_ = 0;
};

}  // namespace vorlent::detail
