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

BehaviorDependencyIndex::Positions::Positions(const GanttChartDependencyList& dependencies)
    : list_(dependencies.elementsIdentity()) {
  const auto& elements = dependencies.elements();
  for (size_t i = 0; i < elements.size(); ++i) {
    const GanttChartDependencyPtr& dependency = elements[i];
    if (dependency == nullptr) continue;
    from_[dependency->from().get()].push_back(i);
    to_[dependency->to().get()].push_back(i);
  }
}

const std::vector<size_t>& BehaviorDependencyIndex::Positions::from(
    const GanttChartItem* item) const {
  return positionsIn(from_, item);
}

const std::vector<size_t>& BehaviorDependencyIndex::Positions::to(
    const GanttChartItem* item) const {
  return positionsIn(to_, item);
}

std::shared_ptr<const BehaviorDependencyIndex::Positions> BehaviorDependencyIndex::refresh(
    const GanttChartDependencyList& dependencies) {
  const uint64_t generation = dependencyLinkGeneration();
  if (positions_ && positions_->isFor(dependencies) && linkGeneration_ == generation) {
    return positions_;
  }
  positions_ = std::make_shared<const Positions>(dependencies);
  linkGeneration_ = generation;
  return positions_;
}

}  // namespace vorlent::detail
