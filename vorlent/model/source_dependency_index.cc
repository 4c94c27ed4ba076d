#include "vorlent/model/source_dependency_index.h"

namespace vorlent::detail {

void SourceDependencyIndex::rebuild(const std::vector<GanttChartItemPtr>& items,
                                    const std::vector<GanttChartDependencyPtr>& dependencies) {
  slots_.clear();
  slots_.reserve(items.size());
  for (const auto& item : items) itemAdded(item.get());
  for (size_t position = 0; position < dependencies.size(); ++position) {
    dependencyAppended(*dependencies[position], position);
  }
}

void SourceDependencyIndex::itemAdded(const GanttChartItem* item) { ++slots_[item].occurrences; }

void SourceDependencyIndex::itemRemoved(const GanttChartItem* item) {
  if (auto it = slots_.find(item); it != slots_.end()) it->second.occurrences = 0;
}

void SourceDependencyIndex::dependencyAppended(const GanttChartDependency& dependency,
                                               size_t position) {
  const GanttChartItem* from = dependency.from().get();
  const GanttChartItem* to = dependency.to().get();
  slots_[from].dependencies.push_back(position);
  if (to != from) slots_[to].dependencies.push_back(position);
}

bool SourceDependencyIndex::isMember(const GanttChartItem* item) const {
  const auto it = slots_.find(item);
  return it != slots_.end() && it->second.occurrences > 0;
}

const std::vector<size_t>* SourceDependencyIndex::dependenciesOf(const GanttChartItem* item) const {
  const auto it = slots_.find(item);
  return it == slots_.end() ? nullptr : &it->second.dependencies;
}

}  // namespace vorlent::detail
