#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/item_lists.h"

namespace vorlent::detail {

// Re-applying the rules to a whole chart asks about each item's time in list
// order and follows every answer depth first at once, so an item is moved
// again for every predecessor that moves after it: the work grows
// exponentially with the chart. Where the rules' settled result does not
// depend on the order of the steps, each item can instead be asked once,
// after everything it depends on, and its answer stored without following
// it up: the items it moved are asked in their turn.
//
// The order in which to ask about `items` (positions in `items`), or nullopt
// when the pass must go item by item. It is given when, and only when:
// - `behavior` is made of the library's own rules alone (exact types, in
//   behaviour sets), with exactly one auto-scheduling rule, which neither
//   pushes the changed item itself (`applyingToUpdatingItems` false) nor
//   places successors by the changed link alone (`aggregatingSources` not
//   false), which keeps durations, and whose lag provider is none or a
//   `GanttChartDependencyLagSet`;
//   its answer about an item then depends only on the times of the item's
//   predecessors and of the successor itself, not on which was asked last;
// - no hierarchical rule answers a change of time (each aggregates no time,
//   or has a `GanttChartItemHierarchy` relating none of `items`) and no
//   constraint rule does (each has a `GanttChartItemConstraintSet`
//   constraining none of `items`), so nothing but the successors moves;
// - `items` holds no item twice, both ends of every usable dependency are
//   among `items` (so every item moved is asked in its turn), and the usable
//   dependencies form no cycle. The order is topological: predecessors
//   first.
// The manager adds one condition of its own: every item lies on its working
// time already (see `GanttChartItemManager::onWorkingTime`).
[[nodiscard]] std::optional<std::vector<size_t>> timePassOrder(
    const GanttChartItemBehavior& behavior, const std::vector<GanttChartItemPtr>& items,
    const GanttChartDependencyList& dependencies);

}  // namespace vorlent::detail
