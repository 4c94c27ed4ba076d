#include "vorlent/model/source_dependency_index.h"

#include <algorithm>

namespace vorlent::detail {

bool SourceDependencyIndex::isCurrent() const {
  return built_ && linkGeneration_ == dependencyLinkGeneration();
}

void SourceDependencyIndex::rebuild(const std::vector<GanttChartDependencyPtr>& dependencies) {
  slots_.clear();
  slots_.reserve(dependencies.size());
  nextOrder_ = 0;
  for (const auto& dependency : dependencies) append(dependency);
  built_ = true;
  linkGeneration_ = dependencyLinkGeneration();
  ++revision_;
}

void SourceDependencyIndex::invalidate() {
  slots_.clear();
  built_ = false;
  ++revision_;
}

void SourceDependencyIndex::dependencyAppended(const GanttChartDependencyPtr& dependency,
                                               uint64_t linksBefore) {
  if (!built_ || linkGeneration_ != linksBefore || dependencyLinkGeneration() != linksBefore) {
    invalidate();
    return;
  }
  append(dependency);
  ++revision_;
}

void SourceDependencyIndex::dependencyRemoved(const GanttChartDependencyPtr& dependency) {
  if (!isCurrent()) {
    invalidate();
    return;
  }
  const auto drop = [&dependency](std::vector<Link>& links) {
    std::erase_if(links, [&dependency](const Link& link) { return link.dependency == dependency; });
  };
  if (auto it = slots_.find(dependency->from().get()); it != slots_.end())
    drop(it->second.outgoing);
  if (auto it = slots_.find(dependency->to().get()); it != slots_.end()) drop(it->second.incoming);
  ++revision_;
}

void SourceDependencyIndex::append(const GanttChartDependencyPtr& dependency) {
  const uint64_t order = nextOrder_++;
  slots_[dependency->from().get()].outgoing.push_back({order, dependency});
  slots_[dependency->to().get()].incoming.push_back({order, dependency});
}

const SourceDependencyIndex::Slot* SourceDependencyIndex::slotOf(const GanttChartItem* item) const {
  const auto it = slots_.find(item);
  return it == slots_.end() ? nullptr : &it->second;
}

const std::vector<SourceDependencyIndex::Link>& SourceDependencyIndex::outgoing(
    const GanttChartItem* item) const {
  static const std::vector<Link> kNone;
  const Slot* slot = slotOf(item);
  return slot == nullptr ? kNone : slot->outgoing;
}

const std::vector<SourceDependencyIndex::Link>& SourceDependencyIndex::incoming(
    const GanttChartItem* item) const {
  static const std::vector<Link> kNone;
  const Slot* slot = slotOf(item);
  return slot == nullptr ? kNone : slot->incoming;
}

}  // namespace vorlent::detail
