#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent::detail {

// Re-applying the behaviours to a whole chart asks about each item's time in
// list order, and each answer cascades depth first through everything
// downstream, from whatever partial state the items below are in: on an
// unscheduled network an item is re-placed once per path that reaches it,
// which grows exponentially with the chart. When the settled times do not
// depend on the order of the steps, asking about each item once, after every
// item it depends on, reaches the same times; this finds such an order.

// The positions in `items` of its distinct members (a repeat counts at its
// first position), ordered so that every usable link of `dependencies` runs
// from an earlier item to a later one, ties kept in list order. std::nullopt,
// having asked nothing of a host beyond the rules' providers, unless all of
// this holds:
// - `behavior` is set and consists of the library's own rules only (exact
//   types, in behaviour sets nested any way), with at most one
//   auto-scheduling rule;
// - that rule places a successor by the changed link, then pushes it by all
//   its links (`aggregatingSources` std::nullopt), so the successor ends
//   where the latest link puts it whatever the predecessors did before.
//   Placing it by the changed link alone (false) leaves it wherever the last
//   changed link put it; pushing only (true) keeps every earlier push, also
//   one by a predecessor that later settled earlier (say onto working time);
// - every rule preserves durations: moving one end alone may pull it past
//   the other, and the range then keeps the collapse after the end moves
//   back, a trace of an intermediate placement;
// - the hierarchy at most spans summaries over their children, asked about
//   after them (see summary_time_steps.h);
// - no item is null, and every usable link is non-null and joins two items
//   of `items`;
// - the usable links form no cycle, and no two join the same two items in
//   the same direction.
// `schedule` is the chart's calendar, for items without their own.
// Usable links are those the auto-scheduling rule's lag provider does not
// exclude (with no auto-scheduling rule, no link takes part).
[[nodiscard]] std::optional<std::vector<size_t>> linkOrderForTimeSteps(
    const GanttChartItemBehaviorPtr& behavior, const std::vector<GanttChartItemPtr>& items,
    const std::vector<GanttChartDependencyPtr>& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule);

}  // namespace vorlent::detail
