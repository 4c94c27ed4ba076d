// The time steps of a whole-chart pass, asked once per item in the order of
// the links (see time_pass_order.h for when that gives the plain result).

#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "vorlent/model/item_manager.h"

namespace vorlent {

void GanttChartItemManager::applyTimeStepsInLinkOrder(const GanttChartItemList& items,
                                                      const std::vector<size_t>& order) {
  const std::vector<GanttChartItemPtr>& elements = items.elements();
  std::unordered_map<const GanttChartItem*, size_t> changedAt;   // position in `changed`
  std::vector<std::pair<GanttChartItemPtr, TimeRange>> changed;  // with the original time
  for (const size_t index : order) {
    const GanttChartItemPtr& item = elements[index];
    clearCacheAfterChange();
    const GanttChartItemUpdateActions answer = askAboutTimeOf(item);
    const uint64_t asked = changeMark();
    // Under the pass's conditions the answer moves successors only, each of
    // which is asked later in the order. A second move of the same successor
    // (the item linked to it twice) was worked out from where the first found
    // it, and is dropped as the cascade drops it.
    for (const GanttChartItemUpdateAction& action : answer) {
      if (isOvertaken(action, asked)) continue;
      const auto& change = std::get<GanttChartItemUpdateAction::UpdateTime>(action.variant());
      const TimeRange updated = snappedTime(change.item, change.value);
      const TimeRange old = change.item->time();
      if (updated.start == old.start && updated.finish == old.finish) continue;
      if (changedAt.emplace(change.item.get(), changed.size()).second) {
        changed.emplace_back(change.item, old);
      }
      change.item->setTime(updated);
      timeWasChanged(change.item.get());
      itemPlacementDidChange(change.item, old);
    }
  }
  clearCacheAfterChange();
  // Told once every time is in place, so an observer reading the chart sees
  // it whole; an item back where it started is not told.
  for (const auto& [item, original] : changed) {
    if (item->start() == original.start && item->finish() == original.finish) continue;
    if (auto observer = itemObserver()) observer->timeDidChange(item, original);
  }
}

}  // namespace vorlent
