#pragma once

#include <cstdint>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior.h"

namespace vorlent::detail {

// Re-applying the behaviours to a whole chart asks the column rule about
// every item in turn, and each answer pushes every other item of that item's
// row one row down: on a chart whose items share rows, items are pushed along
// row after row, which makes the number of row changes grow with the square
// of the items. These two functions let the manager compute where the row
// steps of such a pass leave every item in one go and store each final row
// once.

// Whether, in a whole-chart pass of `behavior` over `items` (for each item:
// row, expansion, time and completion steps), rows change only through the
// row steps of exactly one column rule, and nothing else in the pass reads
// rows: every member is one of the library's own rules (the column,
// hierarchical, auto-scheduling and constraint behaviours, in behaviour sets,
// compared by exact type, so a host's subclass is not trusted), and no
// collapsed item has a visible descendant for the hierarchy to fold. False
// also when an item is null, so that the item-by-item pass reports it.
[[nodiscard]] bool columnRuleAloneMovesRows(const GanttChartItemBehavior& behavior,
                                            const std::vector<GanttChartItemPtr>& items);

// The rows that the column rule's row step, applied to each of `items` in
// list order (each step pushing every other item still on that item's row
// one row down), leaves the items on, by position in `items`. Any order is
// taken, repeats included. A push past the last representable row leaves the
// pushed items where they are, as the column rule itself does. Groups of
// items that share a row move as one, so the cost is about linear in the
// items, whatever the number of pushes.
[[nodiscard]] std::vector<int64_t> rowsAfterColumnRowSteps(
    const std::vector<GanttChartItemPtr>& items);

}  // namespace vorlent::detail
