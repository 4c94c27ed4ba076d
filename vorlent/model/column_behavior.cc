#include "vorlent/model/column_behavior.h"

#include <algorithm>

#include "vorlent/base/fatal.h"

namespace vorlent {

namespace {

// One row change of `delta` for every item other than `item` whose row passes
// `qualifies`, in list order.
template <class Qualifies>
GanttChartItemUpdateActions shiftRows(const GanttChartItemPtr& item,
                                      const GanttChartItemList& items, int64_t delta,
                                      const Qualifies& qualifies) {
  GanttChartItemUpdateActions actions;
  for (const GanttChartItemPtr& other : items) {
    if (other == nullptr || other == item) continue;
    const int64_t row = other->row();
    if (!qualifies(row)) continue;
    actions.push_back(GanttChartItemUpdateAction::updateRowAction(
        other, checkedAdd(row, delta, "column behaviour row shift")));
  }
  return actions;
}

}  // namespace

GanttChartItemUpdateActions GanttChartItemColumnBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  const int64_t addedRow = item->row();
  return shiftRows(item, items, 1, [addedRow](int64_t row) { return row >= addedRow; });
}

GanttChartItemUpdateActions GanttChartItemColumnBehavior::itemWasRemoved(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  const int64_t removedRow = item->row();
  return shiftRows(item, items, -1, [removedRow](int64_t row) { return row > removedRow; });
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
  return shiftRows(item, items, delta,
                   [low, high](int64_t row) { return low <= row && row <= high; });
}

}  // namespace vorlent
