#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "vorlent/model/item.h"
#include "vorlent/model/shared_list.h"
#include "vorlent/model/source_dependency_index.h"

namespace vorlent::detail {

// Attached by an item source to the available-item lists it hands out, which
// it produces sorted by row first. Tells a reader whether the produced
// elements are still in row order: none of the source's items has had its
// row assigned since they were produced.
class RowOrderedItems : public SharedListIndex {
 public:
  // `counts` is the source's record of its items' edits.
  explicit RowOrderedItems(std::shared_ptr<const ItemChangeCounts> counts)
      : counts_(std::move(counts)) {}

  // Called by the producer right after it put the elements in order.
  void elementsProduced() {
    produced_ = true;
    rowGeneration_ = counts_->rowGeneration();
  }
  // Read the list's elements first: a lazy list is produced only then.
  [[nodiscard]] bool isOrderedByRow() const {
    return produced_ && !counts_->released && rowGeneration_ == counts_->rowGeneration();
  }

  // Whether the source holds `item` now, told by the record the item's
  // edits count in; std::nullopt when the source is gone or the item is held
  // by several sources, so that the list itself has to be searched. Asked
  // about a list just handed out, that is whether the list names the item.
  [[nodiscard]] std::optional<bool> holdsNow(const GanttChartItem& item) const {
    // A source that is gone has let go of its items.
    const ItemChangeCounts* counts = changeCountsOf(item);
    if (counts == counts_.get()) return true;
    if (counts == nullptr || counts != &sharedItemChangeCounts()) return false;
    return std::nullopt;
  }

  // Where a reader's last search in the list ended, so that the next one can
  // start there: whole-chart passes ask about the items in list order, and a
  // search from near the last answer touches only nearby items.
  [[nodiscard]] size_t searchHint() const { return searchHint_; }
  void setSearchHint(size_t position) const { searchHint_ = position; }

 private:
  std::shared_ptr<const ItemChangeCounts> counts_;
  bool produced_ = false;
  uint64_t rowGeneration_ = 0;
  mutable size_t searchHint_ = 0;
};

// Attached by an item source to the dependency lists it hands out: the
// source's dependency index as it was when the list was made, for as long as
// it still describes the list.
class SourceDependencyLinks final : public SharedListIndex {
 public:
  SourceDependencyLinks(std::shared_ptr<const SourceDependencyIndex> index, uint64_t revision)
      : index_(std::move(index)), revision_(revision) {}

  // Null once a dependency was added, removed or relinked since the list was
  // made: the list must then be read itself.
  [[nodiscard]] const SourceDependencyIndex* current() const {
    return index_->revision() == revision_ && index_->isCurrent() ? index_.get() : nullptr;
  }

 private:
  std::shared_ptr<const SourceDependencyIndex> index_;
  uint64_t revision_;
};

}  // namespace vorlent::detail
