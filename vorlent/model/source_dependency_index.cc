#include "vorlent/model/source_dependency_index.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vorlent::detail {
namespace {

// Where a dependency held by several sources reports its relinks: never
// built, so it ignores them.
SourceDependencyIndex& sharedOwner() {
  static auto* const shared = new SourceDependencyIndex();
  return *shared;
}

// Takes `dependency`'s links out of `links[begin, end)`, keeping the rest in
// order, and returns them.
std::vector<SourceDependencyIndex::Link> extractLinks(
    std::vector<SourceDependencyIndex::Link>& links, size_t begin, size_t end,
    const GanttChartDependency& dependency) {
  std::vector<SourceDependencyIndex::Link> taken;
  size_t kept = begin;
  for (size_t i = begin; i < end; ++i) {
    if (links[i].dependency.get() == &dependency) {
      taken.push_back(std::move(links[i]));
    } else {
      if (kept != i) links[kept] = std::move(links[i]);
      ++kept;
    }
  }
  links.erase(links.begin() + static_cast<ptrdiff_t>(kept),
              links.begin() + static_cast<ptrdiff_t>(end));
  return taken;
}

// Positions past what a hint holds are always searched for.
void remember(const GanttChartItem& item, size_t position) {
  if (position <= std::numeric_limits<uint32_t>::max()) {
    setLinkSlotHint(item, static_cast<uint32_t>(position));
  }
}

// Inserts `moving` (ascending) into `links[begin, end)` (ascending by order).
void insertLinks(std::vector<SourceDependencyIndex::Link>& links, size_t begin, size_t end,
                 std::vector<SourceDependencyIndex::Link>& moving) {
  for (auto& link : moving) {
    const auto at = std::upper_bound(
        links.begin() + static_cast<ptrdiff_t>(begin), links.begin() + static_cast<ptrdiff_t>(end),
        link.order, [](uint64_t order, const auto& other) { return order < other.order; });
    links.insert(at, std::move(link));
    ++end;
  }
}

}  // namespace

void attachDependency(GanttChartDependency& dependency, SourceDependencyIndex& index) {
  SourceDependencyIndex*& owner = dependency.owner_;
  if (owner == &index) return;
  if (owner == nullptr) {
    owner = &index;
    return;
  }
  // A second source: relinks now reach neither index, which both watch the
  // process-wide count instead.
  index.watchShared();
  owner->watchShared();
  owner = &sharedOwner();
}

void detachDependency(GanttChartDependency& dependency, const SourceDependencyIndex& index) {
  if (dependency.owner_ == &index) dependency.owner_ = nullptr;
}

bool SourceDependencyIndex::isCurrent() const {
  return built_ && (!watchesShared_ || linkGeneration_ == dependencyLinkGeneration());
}

void SourceDependencyIndex::rebuild(const std::vector<GanttChartDependencyPtr>& dependencies) {
  slots_.clear();
  positions_.clear();
  positions_.reserve(dependencies.size());
  // The items numbered first, so that the slots are made at their final
  // count; each array is then sized once and filled a direction at a time,
  // so that no outgoing link has to be slid in front of incoming ones.
  std::vector<std::pair<size_t, size_t>> ends;  // slot positions of each link's ends
  ends.reserve(dependencies.size());
  std::vector<const GanttChartItem*> named;
  const auto positionOf = [&](const GanttChartItem* item) {
    const auto [it, added] = positions_.try_emplace(item, named.size());
    if (added) named.push_back(item);
    return it->second;
  };
  for (const auto& dependency : dependencies) {
    const size_t from = positionOf(dependency->from().get());
    ends.emplace_back(from, positionOf(dependency->to().get()));
  }
  slots_.resize(named.size());
  // Hints are left to the first look-up, which reads the item anyway.
  for (size_t i = 0; i < named.size(); ++i) slots_[i].item = named[i];
  for (const auto& [from, to] : ends) {
    ++slots_[from].outgoingCount;
    ++slots_[to].outgoingCount;
  }
  for (Slot& slot : slots_) {
    slot.links.reserve(slot.outgoingCount);
    slot.outgoingCount = 0;
  }
  for (size_t i = 0; i < dependencies.size(); ++i) {
    Slot& from = slots_[ends[i].first];
    from.links.push_back({i, dependencies[i]});
    ++from.outgoingCount;
  }
  for (size_t i = 0; i < dependencies.size(); ++i) {
    slots_[ends[i].second].links.push_back({i, dependencies[i]});
  }
  nextOrder_ = dependencies.size();
  built_ = true;
  linkGeneration_ = dependencyLinkGeneration();
  ++revision_;
}

void SourceDependencyIndex::invalidate() {
  slots_.clear();
  positions_.clear();
  built_ = false;
  ++revision_;
}

void SourceDependencyIndex::dependencyAppended(const GanttChartDependencyPtr& dependency) {
  if (!isCurrent()) {
    invalidate();
    return;
  }
  append(dependency);
  ++revision_;
}

void SourceDependencyIndex::dependencyRelinked(const GanttChartDependency& dependency,
                                               const GanttChartItem* oldFrom,
                                               const GanttChartItem* oldTo) {
  // Outdated anyway: the next rebuild sees the new ends.
  if (!isCurrent()) return;
  const GanttChartItem* newFrom = dependency.from().get();
  const GanttChartItem* newTo = dependency.to().get();
  if (oldFrom != newFrom) {
    std::vector<Link> moving;
    if (auto it = positions_.find(oldFrom); it != positions_.end()) {
      Slot& slot = slots_[it->second];
      moving = extractLinks(slot.links, 0, slot.outgoingCount, dependency);
      slot.outgoingCount -= moving.size();
    }
    // Looked up after the old slot is done with: adding a slot may move them.
    Slot& slot = slotFor(newFrom);
    insertLinks(slot.links, 0, slot.outgoingCount, moving);
    slot.outgoingCount += moving.size();
  }
  if (oldTo != newTo) {
    std::vector<Link> moving;
    if (auto it = positions_.find(oldTo); it != positions_.end()) {
      Slot& slot = slots_[it->second];
      moving = extractLinks(slot.links, slot.outgoingCount, slot.links.size(), dependency);
    }
    Slot& slot = slotFor(newTo);
    insertLinks(slot.links, slot.outgoingCount, slot.links.size(), moving);
  }
  ++revision_;
}

void SourceDependencyIndex::dependencyRemoved(const GanttChartDependencyPtr& dependency) {
  if (!isCurrent()) {
    invalidate();
    return;
  }
  const auto isDropped = [&dependency](const Link& link) { return link.dependency == dependency; };
  if (auto it = positions_.find(dependency->from().get()); it != positions_.end()) {
    Slot& slot = slots_[it->second];
    const auto outgoingEnd = slot.links.begin() + static_cast<ptrdiff_t>(slot.outgoingCount);
    const auto kept = std::remove_if(slot.links.begin(), outgoingEnd, isDropped);
    slot.outgoingCount -= static_cast<size_t>(outgoingEnd - kept);
    slot.links.erase(kept, outgoingEnd);
  }
  if (auto it = positions_.find(dependency->to().get()); it != positions_.end()) {
    Slot& slot = slots_[it->second];
    const auto incomingBegin = slot.links.begin() + static_cast<ptrdiff_t>(slot.outgoingCount);
    slot.links.erase(std::remove_if(incomingBegin, slot.links.end(), isDropped), slot.links.end());
  }
  ++revision_;
}

void SourceDependencyIndex::append(const GanttChartDependencyPtr& dependency) {
  const uint64_t order = nextOrder_++;
  Slot& from = slotFor(dependency->from().get());
  from.links.insert(from.links.begin() + static_cast<ptrdiff_t>(from.outgoingCount),
                    {order, dependency});
  ++from.outgoingCount;
  // Looked up after `from` is done with: adding a slot may move it.
  slotFor(dependency->to().get()).links.push_back({order, dependency});
}

const SourceDependencyIndex::Slot* SourceDependencyIndex::slotOf(const GanttChartItem* item) const {
  // Each item has at most one slot, so a slot naming it is its own.
  const uint32_t hint = linkSlotHintOf(*item);
  if (hint < slots_.size() && slots_[hint].item == item) return &slots_[hint];
  const auto it = positions_.find(item);
  if (it == positions_.end()) return nullptr;
  remember(*item, it->second);
  return &slots_[it->second];
}

SourceDependencyIndex::Slot& SourceDependencyIndex::slotFor(const GanttChartItem* item) {
  const auto [it, added] = positions_.try_emplace(item, slots_.size());
  if (added) slots_.push_back(Slot{item, 0, {}});
  remember(*item, it->second);
  return slots_[it->second];
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
