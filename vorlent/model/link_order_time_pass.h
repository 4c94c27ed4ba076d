#pragma once

#include <cstddef>
#include <optional>
#include <utility>
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
//   the same direction, unless `pairsLinkedTwice` is set (see below).
// `schedule` is the chart's calendar, for items without their own.
// Usable links are those the auto-scheduling rule's lag provider does not
// exclude (with no auto-scheduling rule, no link takes part).
//
// With `pairsLinkedTwice` set, two usable links joining the same two items
// the same way are no reason to decline, provided no item has a constraint
// of any constraint rule and the lag provider is the library's own; it is
// set true when there are such links, and false otherwise. The order is then
// sound only when no first placement moves an item earlier (see
// `placesNothingEarlier`): the caller checks that before using it.
[[nodiscard]] std::optional<std::vector<size_t>> linkOrderForTimeSteps(
    const GanttChartItemBehaviorPtr& behavior, const std::vector<GanttChartItemPtr>& items,
    const std::vector<GanttChartDependencyPtr>& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule, bool* pairsLinkedTwice = nullptr);

// A successor linked twice to one predecessor hears of each change of it
// twice in one answer: placed by the first link (and pushed by all), then
// pushed by all from where it lay before the answer, and the later move wins.
// So it ends no earlier than it lay, and where it lay depends on the order in
// which the steps ran: in general, on the order of the whole history.
//
// But where no item is ever moved earlier, the history does not matter. Say
// every item linked to a predecessor lies, to begin with, no later than the
// links would place it from where its predecessors lie to begin with. A
// placement is monotone in the predecessors' times, so by induction over the
// steps, in whatever order they run, every placement lands no earlier than
// the one before it (or than where the item lay): each item only moves
// later, a push from where it lay is then the placement itself, and the last
// placement of each item, made once its predecessors are done, is the one
// from their final times. Asked item by item or once each in link order, the
// chart then ends alike. A rule that may pull an item back (an upper limit;
// a lower one, too, as the corrected item dips below it whenever a link
// moves it first) keeps such charts out (see `linkOrderForTimeSteps`).
//
// Whether `placements`, the successors' moves the rules answer when asked
// about each predecessor in the chart as it lies, snapped as the manager
// would store them, move nothing earlier: neither end of any precedes where
// the item lies.
[[nodiscard]] bool placesNothingEarlier(
    const std::vector<std::pair<GanttChartItemPtr, TimeRange>>& placements);

}  // namespace vorlent::detail
