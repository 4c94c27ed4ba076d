#include "vorlent/model/source_row_index.h"

#include <algorithm>

namespace vorlent::detail {

void SourceRowIndex::rebuild(const std::vector<GanttChartItemPtr>& items) {
  entries_.clear();
  entries_.reserve(items.size());
  if (items.empty()) return;
  int64_t lowest = items.front()->row();
  int64_t highest = lowest;
  for (const auto& item : items) {
    const int64_t row = item->row();
    lowest = std::min(lowest, row);
    highest = std::max(highest, row);
  }
  // The difference of two ordered int64 values always fits in uint64.
  const uint64_t span = static_cast<uint64_t>(highest) - static_cast<uint64_t>(lowest);
  if (span > 4 * static_cast<uint64_t>(items.size()) + 1024) {
    // Sparse rows: a comparison sort.
    for (size_t position = 0; position < items.size(); ++position) {
      entries_.emplace_back(items[position]->row(), position);
    }
    std::sort(entries_.begin(), entries_.end());
    return;
  }
  // Dense rows, the usual case: a counting sort in linear time, which keeps
  // positions ascending within a row.
  std::vector<size_t> offsets(static_cast<size_t>(span) + 2, 0);
  for (const auto& item : items) {
    ++offsets[static_cast<size_t>(static_cast<uint64_t>(item->row()) -
                                  static_cast<uint64_t>(lowest)) +
              1];
  }
  for (size_t i = 1; i < offsets.size(); ++i) offsets[i] += offsets[i - 1];
  entries_.resize(items.size());
  for (size_t position = 0; position < items.size(); ++position) {
    const int64_t row = items[position]->row();
    const auto bucket =
        static_cast<size_t>(static_cast<uint64_t>(row) - static_cast<uint64_t>(lowest));
    entries_[offsets[bucket]++] = {row, position};
  }
}

void SourceRowIndex::append(int64_t row, size_t position) {
  const auto at = std::upper_bound(entries_.begin(), entries_.end(), std::make_pair(row, position));
  entries_.insert(at, {row, position});
}

std::vector<size_t> SourceRowIndex::positionsIn(const RowRange& range) const {
  std::vector<size_t> positions;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), range.first(),
                             [](const auto& entry, int64_t row) { return entry.first < row; });
  for (; it != entries_.end() && it->first <= range.last(); ++it) positions.push_back(it->second);
  return positions;
}

}  // namespace vorlent::detail
