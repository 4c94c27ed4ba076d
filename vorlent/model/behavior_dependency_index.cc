#include "vorlent/model/behavior_dependency_index.h"

namespace vorlent::detail {

namespace {

const std::vector<size_t>& positionsIn(
    const std::unordered_map<const GanttChartItem*, std::vector<size_t>>& index,
    const GanttChartItem* item) {
  static const std::vector<size_t> kNone;
  const auto found = index.find(item);
  return found == index.end() ? kNone : found->second;
}

}  // namespace

void BehaviorDependencyIndex::refresh(const GanttChartDependencyList& dependencies) {
  const uint64_t generation = dependencyLinkGeneration();
  if (isBuilt_ && dependencies_.isSameList(dependencies) && linkGeneration_ == generation) return;
  dependencies_ = dependencies;
  linkGeneration_ = generation;
  rebuild();
}

const std::vector<size_t>& BehaviorDependencyIndex::positionsFrom(
    const GanttChartItem* item) const {
  return positionsIn(from_, item);
}

const std::vector<size_t>& BehaviorDependencyIndex::positionsTo(const GanttChartItem* item) const {
  return positionsIn(to_, item);
}

void BehaviorDependencyIndex::rebuild() {
  from_.clear();
  to_.clear();
  const auto& elements = dependencies_.elements();
  for (size_t i = 0; i < elements.size(); ++i) {
    const GanttChartDependencyPtr& dependency = elements[i];
    if (dependency == nullptr) continue;
    from_[dependency->from().get()].push_back(i);
    to_[dependency->to().get()].push_back(i);
  }
  isBuilt_ = true;
}

}  // namespace vorlent::detail
