#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "vorlent/model/item.h"
#include "vorlent/model/row_range.h"

namespace vorlent::detail {

// The positions of an item array ordered by row, so that the items of a few
// rows are found without scanning the whole array. It reflects the rows the
// items had when it was built; its owner rebuilds it when rows may have
// changed.
class SourceRowIndex {
 public:
  void rebuild(const std::vector<GanttChartItemPtr>& items);
  // Records an item appended at `position` (the largest so far).
  void append(int64_t row, size_t position);

  // Positions of the items on rows in `range`, ordered by row (not by
  // position).
  [[nodiscard]] std::vector<size_t> positionsIn(const RowRange& range) const;
  [[nodiscard]] bool empty() const { return entries_.empty(); }
  // (row, position) pairs ordered by row, positions ascending within a row.
  [[nodiscard]] const std::vector<std::pair<int64_t, size_t>>& entries() const { return entries_; }
  // The largest row; only valid when not empty.
  [[nodiscard]] int64_t lastRow() const { return entries_.back().first; }

 private:
  std::vector<std::pair<int64_t, size_t>> entries_;  // (row, position), ascending
};

}  // namespace vorlent::detail
