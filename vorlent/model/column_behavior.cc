#include "vorlent/model/column_behavior.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>

#include "vorlent/model/source_list_indexes.h"

namespace vorlent {

namespace {

constexpr int64_t kLastRow = std::numeric_limits<int64_t>::max();

// std::partition_point for a range in which `before` holds up to the point
// and fails from there on, searched outwards from `hint` by doubling steps:
// the cost grows with the logarithm of the distance from the hint, and a
// search that ends near the hint touches only nearby elements.
template <class Iterator, class Predicate>
Iterator partitionPointFrom(Iterator begin, Iterator end, Iterator hint, Predicate before) {
  using Distance = typename std::iterator_traits<Iterator>::difference_type;
  Distance step = 1;
  if (hint != end && before(*hint)) {
    Iterator low = hint + 1;  // every element before `low` is before the point
    while (step < end - low && before(*(low + (step - 1)))) {
      low += step;
      step *= 2;
    }
    return std::partition_point(low, low + std::min(step, end - low), before);
  }
  Iterator high = hint;  // no element from `high` on is before the point
  while (step <= high - begin && !before(*(high - step))) {
    high -= step;
    step *= 2;
  }
  return std::partition_point(high - std::min(step, high - begin), high, before);
}

// One row change of `delta` for every item other than `item` whose row lies
// in [low, high], in list order. A list that its producer keeps in row order
// holds those items as one run, found by searching from where the last search
// in that list ended, so a whole-chart pass is not a scan of every item for
// every item; any other list is scanned.
GanttChartItemUpdateActions shiftRows(const GanttChartItemPtr& item,
                                      const GanttChartItemList& items, int64_t delta, int64_t low,
                                      int64_t high) {
  const auto& elements = items.elements();  // produced before the order is asked
  auto first = elements.begin();
  auto last = elements.end();
  const auto* order = dynamic_cast<const detail::RowOrderedItems*>(items.index().get());
  const bool ordered = order != nullptr && order->isOrderedByRow();
  if (ordered) {
    const auto hint =
        first + static_cast<std::ptrdiff_t>(std::min(order->searchHint(), elements.size()));
    first = partitionPointFrom(first, last, hint,
                               [low](const GanttChartItemPtr& x) { return x->row() < low; });
    if (high != kLastRow) {
      last = partitionPointFrom(first, last, first,
                                [high](const GanttChartItemPtr& x) { return x->row() <= high; });
    }
    order->setSearchHint(static_cast<size_t>(first - elements.begin()));
  }
  GanttChartItemUpdateActions actions;
  for (auto it = first; it != last; ++it) {
    const GanttChartItemPtr& other = *it;
    if (other == nullptr || other == item) continue;
    const int64_t row = other->row();
    if (!ordered && (row < low || high < row)) continue;
    int64_t shifted = 0;
    // An item on the first or last row has nowhere to go: the rows cannot
    // all shift, so none does (a partial shift would leave the column
    // neither as it was nor as the rule wants it).
    if (__builtin_add_overflow(row, delta, &shifted)) return {};
    actions.push_back(GanttChartItemUpdateAction::updateRowAction(other, shifted));
  }
  return actions;
}

}  // namespace

GanttChartItemUpdateActions GanttChartItemColumnBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  const int64_t addedRow = item->row();
  return shiftRows(item, items, 1, addedRow, kLastRow);
}

GanttChartItemUpdateActions GanttChartItemColumnBehavior::itemWasRemoved(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  const int64_t removedRow = item->row();
  if (removedRow == kLastRow) return {};
  return shiftRows(item, items, -1, removedRow + 1, kLastRow);
}

GanttChartItemUpdateActions GanttChartItemColumnBehavior::rowDidChange(
    const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  const int64_t to = item->row();
  const int64_t low = std::min(from, to);
  const int64_t high = std::max(from, to);
  // Moving down closes the gap by pulling the passed items up; moving up (or
  // staying) makes room by pushing them down.
  const int64_t delta = to > from ? -1 : 1;
  return shiftRows(item, items, delta, low, high);
}

}  // namespace vorlent
