#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/identity_index.h"
#include "vorlent/model/item.h"

namespace vorlent::detail {

// An item source's dependencies by item: which dependencies leave and which
// reach it, each in the order of the dependency array. The source keeps it up
// to date as dependencies come and go, and its dependencies report their
// relinks to it, so that neither filtering a viewport nor a behaviour asking
// for an item's links scans the array. Whether the source holds an item is
// not its concern: links may name items the source does not hold. It is
// rebuilt only when the source hears that its data changed, or, once one of
// its dependencies is held by another source as well (and reports to
// neither), when any dependency anywhere was relinked.
//
// `revision()` advances with every change of what it describes (dependencies
// added or removed, a rebuild, invalidation), so that a list of the
// dependencies made at one revision can tell whether the index still
// describes it.
class SourceDependencyIndex {
 public:
  struct Link {
    uint64_t order;  // ascends with the position in the dependency array
    GanttChartDependencyPtr dependency;
  };

  // Built and not outdated by a relinked dependency.
  [[nodiscard]] bool isCurrent() const;
  // One of its dependencies is held by another source too: from now on any
  // relink anywhere outdates it.
  void watchShared() { watchesShared_ = true; }
  [[nodiscard]] uint64_t revision() const { return revision_; }

  void rebuild(const std::vector<GanttChartDependencyPtr>& dependencies);
  // Drops everything until the next rebuild.
  void invalidate();

  void dependencyAppended(const GanttChartDependencyPtr& dependency);
  // `dependency`, held here, was `oldFrom` -> `oldTo` until now: its links
  // move to its new items, keeping their order.
  void dependencyRelinked(const GanttChartDependency& dependency, const GanttChartItem* oldFrom,
                          const GanttChartItem* oldTo);
  // Every occurrence of the dependency has left the array.
  void dependencyRemoved(const GanttChartDependencyPtr& dependency);

  // Only meaningful while current. Links from (to) `item` in array order; a
  // dependency from an item to itself is in both lists. Empty for an item
  // without any. Valid until the index next changes.
  [[nodiscard]] std::span<const Link> outgoing(const GanttChartItem* item) const;
  [[nodiscard]] std::span<const Link> incoming(const GanttChartItem* item) const;

 private:
  // An item's links in one array, the outgoing ones first: at a hundred
  // thousand items one allocation per item instead of two adds up.
  struct Slot {
    const GanttChartItem* item = nullptr;
    size_t outgoingCount = 0;
    std::vector<Link> links;
  };
  void append(const GanttChartDependencyPtr& dependency);
  // Null for an item without a slot. The item's hint is checked first and
  // refreshed after a search.
  [[nodiscard]] const Slot* slotOf(const GanttChartItem* item) const;
  // Made on first use. A reference into `slots_`: valid until a slot is added.
  Slot& slotFor(const GanttChartItem* item);

  // Slots in the order items were first named; never removed before a
  // rebuild, so a position stays an item's for as long as the slot exists.
  std::vector<Slot> slots_;
  std::unordered_map<const GanttChartItem*, size_t, AddressHash> positions_;
  bool built_ = false;
  bool watchesShared_ = false;
  // The process-wide link count at the last build, for `watchesShared_`.
  uint64_t linkGeneration_ = 0;
  uint64_t nextOrder_ = 0;
  uint64_t revision_ = 0;
};

}  // namespace vorlent::detail
