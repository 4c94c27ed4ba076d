#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/model/identity_index.h"
#include "vorlent/model/item.h"
#include "vorlent/model/library_rules.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent::detail {

// Summaries that only ever span their children, for the whole-chart pass
// that asks about each item once (see link_order_time_pass.h).
//
// Asked about a summary, the hierarchy fits its children into the summary's
// current time; asked about a child, it spans the child's summary over its
// children. Where fitting can move nothing, asking about a summary after all
// its children reaches what the item-by-item cascade reaches, whenever it
// asks. That holds when:
// - at most one hierarchical rule aggregates times over the items;
// - each summary (an item with children among `items`) is no milestone, has
//   no parent among `items`, no usable link and no constraint of any
//   constraint rule;
// - each of its children among `items` has it as its parent (a child listed
//   by two summaries has one parent), is a standard item without children,
//   lies within the summary's current time, and starts and finishes where the
//   manager would snap it to (`nextTime` of its start and `previousTime` of
//   its finish in its calendar, `schedule` unless it has its own): moved or
//   not, it then stays where fitting would put it;
// - each such child snaps to a calendar that works only where the one its
//   summary snaps to works (the same object, or calendars of the library's
//   own class whose working days and hours nest, the child's excluding every
//   interval the summary's excludes): wherever the child comes to start,
//   the summary's calendar then works there, and the span the summary is
//   given starts no later.
// Answers, by position in `items`, each (child, summary) pair whose child the
// hierarchy must be asked about before the summary: the children the
// summary spans and the items that name it as their parent. std::nullopt
// when any of the above fails. `linked` holds the positions of the items
// some usable link joins.
[[nodiscard]] std::optional<std::vector<std::pair<size_t, size_t>>> summaryTimeStepEdges(
    const LibraryRules& census, const std::vector<GanttChartItemPtr>& items,
    const std::unordered_map<const GanttChartItem*, size_t, AddressHash>& positionOf,
    const std::vector<bool>& linked, const std::shared_ptr<ScheduleDefinition>& schedule);

}  // namespace vorlent::detail
