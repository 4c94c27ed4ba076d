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

// An item source's dependencies by item: whether an item is one of the
// source's items, and which dependencies leave and which reach it, each in
// the order of the dependency array. The source keeps it up to date as items
// and dependencies come and go, so that neither filtering a viewport nor a
// behaviour asking for an item's links scans the array. It is rebuilt only
// when a dependency may have been relinked behind the source's back (the link
// generation moved on) or when the source hears that its data changed.
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
  [[nodiscard]] uint64_t revision() const { return revision_; }

  void rebuild(const std::vector<GanttChartItemPtr>& items,
               const std::vector<GanttChartDependencyPtr>& dependencies);
  // Drops everything until the next rebuild.
  void invalidate();

  // Each of these keeps a current index current and leaves any other one as
  // it is (to be rebuilt).
  void itemAdded(const GanttChartItem* item);
  // Every occurrence of the item has left the array; its links stay.
  void itemRemoved(const GanttChartItem* item);
  // `linksBefore` is the link generation read just before the dependency
  // was made. Making it advanced the generation by one (its constructor
  // assigns both ends); any further step may have relinked an indexed
  // dependency, so the index then falls out of date.
  void dependencyAppended(const GanttChartDependencyPtr& dependency, uint64_t linksBefore);
  // Every occurrence of the dependency has left the array.
  void dependencyRemoved(const GanttChartDependencyPtr& dependency);

  // Only meaningful while current.
  [[nodiscard]] bool isMember(const GanttChartItem* item) const;
  // Links from (to) `item` in array order; a dependency from an item to
  // itself is in both lists. Empty for an item without any. Valid until the
  // index next changes.
  [[nodiscard]] std::span<const Link> outgoing(const GanttChartItem* item) const;
  [[nodiscard]] std::span<const Link> incoming(const GanttChartItem* item) const;

 private:
  // An item's links in one array, the outgoing ones first: at a hundred
  // thousand items one allocation per item instead of two adds up.
  struct Slot {
    size_t occurrences = 0;
    size_t outgoingCount = 0;
    std::vector<Link> links;
  };
  void append(const GanttChartDependencyPtr& dependency);
  [[nodiscard]] const Slot* slotOf(const GanttChartItem* item) const;

  std::unordered_map<const GanttChartItem*, Slot, AddressHash> slots_;
  bool built_ = false;
  uint64_t linkGeneration_ = 0;
  uint64_t nextOrder_ = 0;
  uint64_t revision_ = 0;
};

}  // namespace vorlent::detail
