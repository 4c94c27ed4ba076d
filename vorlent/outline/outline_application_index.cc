#include "vorlent/outline/outline_application_index.h"

#include <algorithm>
#include <unordered_set>

#include "vorlent/outline/outline_item.h"

namespace vorlent::detail {

void OutlineApplicationIndex::rebuild(uint64_t reading,
                                      const std::vector<OutlineGanttChartRowPtr>& rows,
                                      const std::vector<GanttChartItemPtr>& available) {
  rowOf_.clear();
  twinsOf_.clear();
  for (const auto& row : rows) {
    if (!row) continue;
    // The first row wins, as a search in chart order would find it.
    for (const auto& item : row->chartItems()) rowOf_.try_emplace(item.get(), row);
  }
  for (size_t i = 0; i < available.size(); ++i) {
    if (!available[i]) continue;
    if (auto outlineItem = outlineGanttChartItemOf(*available[i])) {
      twinsOf_[outlineItem.get()].emplace_back(i, available[i]);
    }
  }
  reading_ = reading;
  built_ = true;
}

OutlineGanttChartRowPtr OutlineApplicationIndex::rowHolding(
    const OutlineGanttChartItem* item) const {
  const auto found = rowOf_.find(item);
  if (found == rowOf_.end()) return nullptr;
  const auto& items = found->second->chartItems();
  const bool stillHeld = std::any_of(items.begin(), items.end(), [item](const auto& candidate) {
    return candidate.get() == item;
  });
  return stillHeld ? found->second : nullptr;
}

std::vector<GanttChartItemPtr> OutlineApplicationIndex::twinsOn(
    const OutlineGanttChartRow& row) const {
  std::unordered_set<const OutlineGanttChartItem*> seen;
  std::vector<std::pair<size_t, GanttChartItemPtr>> placed;
  for (const auto& item : row.chartItems()) {
    if (!seen.insert(item.get()).second) continue;
    const auto found = twinsOf_.find(item.get());
    if (found != twinsOf_.end())
      placed.insert(placed.end(), found->second.begin(), found->second.end());
  }
  std::sort(placed.begin(), placed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<GanttChartItemPtr> twins;
  twins.reserve(placed.size());
  for (auto& entry : placed) twins.push_back(std::move(entry.second));
  return twins;
}

}  // namespace vorlent::detail
