#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/source_row_index.h"

namespace vorlent::detail {

// An item source's items in the order of its available items (row, start,
// finish, z-index), carried from one sort to the next: the source reports
// what it appended, removed and re-placed, and the next sort moves just those
// items instead of sorting everything again. A sort after changes it did not
// hear about (the order generation moved on by more than the re-placements)
// starts from the last order, which is still mostly sorted; only a sort
// without any usable last order starts from the items themselves.
//
// Items equal in all four keys keep their earlier relative order, which is
// their order in the item array at the first sort.
class SourceItemOrder {
 public:
  // `counts` is the source's record of its items' edits; it outlives this.
  explicit SourceItemOrder(const ItemChangeCounts& counts) : counts_(counts) {}

  void itemAppended(const GanttChartItemPtr& item);
  // Every occurrence of the item left the array.
  void itemRemoved(const GanttChartItemPtr& item);
  // The source assigned the item's row, time or z-index (one step of the
  // order generation).
  void itemPlaced(const GanttChartItemPtr& item);
  // Anything may have changed: the next sort starts from the items.
  void forget();

  // Whether the next sort starts from the items; it then wants `rowIndex`
  // current for them.
  [[nodiscard]] bool sortsFromScratch() const { return !last_ || !membershipTracked_; }
  // The items in order. The result is shared with the order kept for the
  // next sort, which reuses its storage once nobody else holds it, though
  // always as a new vector: a weak reference to an earlier result never
  // names a later one.
  [[nodiscard]] std::shared_ptr<const std::vector<GanttChartItemPtr>> sorted(
      const std::vector<GanttChartItemPtr>& items, const SourceRowIndex& rowIndex);

 private:
  void applyTrackedChanges(std::vector<GanttChartItemPtr>& sorted);
  // The cheap case of `applyTrackedChanges`: no item joined, left or changed
  // rows, so each re-placed item only moves within its row's run.
  void repositionWithinRows(std::vector<GanttChartItemPtr>& sorted);
  void startTracking();

  const ItemChangeCounts& counts_;
  std::shared_ptr<std::vector<GanttChartItemPtr>> last_;
  // Appended and removed items since the last sort; complete while
  // `membershipTracked_`.
  std::vector<GanttChartItemPtr> appended_;
  std::vector<GanttChartItemPtr> removed_;
  bool membershipTracked_ = false;
  // Re-placed items since the last sort; complete while `placementTracked_`
  // and the order generation equals `placedOrder_`.
  std::vector<GanttChartItemPtr> placed_;
  uint64_t placedOrder_ = 0;
  bool placementTracked_ = false;
  // The row generation at the last sort.
  uint64_t rowGeneration_ = 0;
};

}  // namespace vorlent::detail
