#include "vorlent/model/source_dependency_index.h"

#include <algorithm>

namespace vorlent::detail {

bool SourceDependencyIndex::isCurrent() const {
  return built_ && linkGeneration_ == dependencyLinkGeneration();
}

void SourceDependencyIndex::rebuild(const std::vector<GanttChartDependencyPtr>& dependencies) {
  slots_.clear();
  slots_.reserve(dependencies.size());
  // Each array sized once, then filled a direction at a time, so that no
  // outgoing link has to be slid in front of incoming ones.
  for (const auto& dependency : dependencies) {
    ++slots_[dependency->from().get()].outgoingCount;
    ++slots_[dependency->to().get()].outgoingCount;
  }
  for (auto& entry : slots_) {
    entry.second.links.reserve(entry.second.outgoingCount);
    entry.second.outgoingCount = 0;
  }
  for (size_t i = 0; i < dependencies.size(); ++i) {
    Slot& from = slots_[dependencies[i]->from().get()];
    from.links.push_back({i, dependencies[i]});
    ++from.outgoingCount;
  }
  for (size_t i = 0; i < dependencies.size(); ++i) {
    slots_[dependencies[i]->to().get()].links.push_back({i, dependencies[i]});
  }
  nextOrder_ = dependencies.size();
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
  const auto isDropped = [&dependency](const Link& link) { return link.dependency == dependency; };
  if (auto it = slots_.find(dependency->from().get()); it != slots_.end()) {
    Slot& slot = it->second;
    const auto outgoingEnd = slot.links.begin() + static_cast<ptrdiff_t>(slot.outgoingCount);
    const auto kept = std::remove_if(slot.links.begin(), outgoingEnd, isDropped);
    slot.outgoingCount -= static_cast<size_t>(outgoingEnd - kept);
    slot.links.erase(kept, outgoingEnd);
  }
  if (auto it = slots_.find(dependency->to().get()); it != slots_.end()) {
    Slot& slot = it->second;
    const auto incomingBegin = slot.links.begin() + static_cast<ptrdiff_t>(slot.outgoingCount);
    slot.links.erase(std::remove_if(incomingBegin, slot.links.end(), isDropped), slot.links.end());
  }
  ++revision_;
}

void SourceDependencyIndex::append(const GanttChartDependencyPtr& dependency) {
  const uint64_t order = nextOrder_++;
  Slot& from = slots_[dependency->from().get()];
  from.links.insert(from.links.begin() + static_cast<ptrdiff_t>(from.outgoingCount),
                    {order, dependency});
  ++from.outgoingCount;
  slots_[dependency->to().get()].links.push_back({order, dependency});
}

const SourceDependencyIndex::Slot* SourceDependencyIndex::slotOf(const GanttChartItem* item) const {
  const auto it = slots_.find(item);
  return it == slots_.end() ? nullptr : &it->second;
}

std::span<const SourceDependencyIndex::Link> SourceDependencyIndex::outgoing(
    const GanttChartItem* item) const {
  const Slot* slot = slotOf(item);
  if (slot == nullptr) return {};
  return std::span(slot->links).first(slot->outgoingCount);
}

std::span<const SourceDependencyIndex::Link> SourceDependencyIndex::incoming(
    const GanttChartItem* item) const {
  const Slot* slot = slotOf(item);
  if (slot == nullptr) return {};
  return std::span(slot->links).subspan(slot->outgoingCount);
}

}  // namespace vorlent::detail
