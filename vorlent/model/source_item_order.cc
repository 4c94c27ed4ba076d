#include "vorlent/model/source_item_order.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <utility>

namespace vorlent::detail {
namespace {

// The order of available items: row, start, finish, z-index.
bool isOrderedBefore(const GanttChartItemPtr& a, const GanttChartItemPtr& b) {
  if (a->row() != b->row()) return a->row() < b->row();
  const Time aStart = a->start();
  const Time bStart = b->start();
  if (!(aStart == bStart)) return aStart < bStart;
  const Time aFinish = a->finish();
  const Time bFinish = b->finish();
  if (!(aFinish == bFinish)) return aFinish < bFinish;
  return a->zIndex() < b->zIndex();
}

// A stable sort that is cheap on lists that are mostly sorted already: after
// a few items changed, the last sorted list falls into a few ascending runs,
// which are merged pairwise. Many runs fall back to a plain stable sort.
void sortForAvailability(std::vector<GanttChartItemPtr>& items) {
  constexpr size_t kMaxRuns = 64;
  std::vector<size_t> bounds{0};
  for (size_t i = 1; i < items.size(); ++i) {
    if (!isOrderedBefore(items[i], items[i - 1])) continue;
    bounds.push_back(i);
    if (bounds.size() > kMaxRuns) {
      std::stable_sort(items.begin(), items.end(), isOrderedBefore);
      return;
    }
  }
  bounds.push_back(items.size());
  const auto at = [&](size_t index) { return items.begin() + static_cast<std::ptrdiff_t>(index); };
  while (bounds.size() > 2) {
    std::vector<size_t> merged{bounds.front()};
    size_t k = 0;
    for (; k + 2 < bounds.size(); k += 2) {
      std::inplace_merge(at(bounds[k]), at(bounds[k + 1]), at(bounds[k + 2]), isOrderedBefore);
      merged.push_back(bounds[k + 2]);
    }
    if (k + 1 < bounds.size()) merged.push_back(bounds.back());
    bounds = std::move(merged);
  }
}

// The items' addresses, sorted and without repeats, for binary searches.
std::vector<const GanttChartItem*> identities(const std::vector<GanttChartItemPtr>& items) {
  std::vector<const GanttChartItem*> result;
  result.reserve(items.size());
  for (const auto& item : items) result.push_back(item.get());
  std::sort(result.begin(), result.end(), std::less<>());
  result.erase(std::unique(result.begin(), result.end()), result.end());
  return result;
}

// An empty list with room for `count` items and a few more, so that the next
// additions fit without moving every element.
std::shared_ptr<std::vector<GanttChartItemPtr>> listWithRoom(size_t count) {
  auto list = std::make_shared<std::vector<GanttChartItemPtr>>();
  list->reserve(count + count / 8 + 16);
  return list;
}

// The stable sort of `items` by the full order, built from the row index:
// the index lists the items by row, in array order within a row, so only the
// items sharing a row still need comparing.
void sortByRowIndex(const std::vector<GanttChartItemPtr>& items, const SourceRowIndex& rowIndex,
                    std::vector<GanttChartItemPtr>& sorted) {
  const auto& entries = rowIndex.entries();
  for (const auto& entry : entries) sorted.push_back(items[entry.second]);
  const auto at = [&](size_t index) { return sorted.begin() + static_cast<std::ptrdiff_t>(index); };
  size_t rowBegin = 0;
  for (size_t i = 1; i <= entries.size(); ++i) {
    if (i < entries.size() && entries[i].first == entries[rowBegin].first) continue;
    if (i - rowBegin > 1) std::stable_sort(at(rowBegin), at(i), isOrderedBefore);
    rowBegin = i;
  }
}

bool isIn(const std::vector<const GanttChartItem*>& set, const GanttChartItem* item) {
  return std::binary_search(set.begin(), set.end(), item, std::less<>());
}

// Puts `moving` (in any order) into the sorted run that starts at `begin`:
// its first `kept` elements are in order, and room for `moving` follows them.
// Each moving item goes after the kept items equal to it.
void insertInOrder(std::vector<GanttChartItemPtr>::iterator begin, size_t kept,
                   std::vector<GanttChartItemPtr>& moving) {
  if (moving.empty()) return;
  std::stable_sort(moving.begin(), moving.end(), isOrderedBefore);
  // Where each moving item goes among the kept ones, found by binary search;
  // then one pass from the back opens the gaps.
  const auto keptEnd = begin + static_cast<std::ptrdiff_t>(kept);
  std::vector<size_t> places;
  places.reserve(moving.size());
  for (const auto& item : moving) {
    places.push_back(
        static_cast<size_t>(std::upper_bound(begin, keptEnd, item, isOrderedBefore) - begin));
  }
  const auto at = [begin](size_t index) -> GanttChartItemPtr& {
    return *(begin + static_cast<std::ptrdiff_t>(index));
  };
  size_t source = kept;
  size_t target = kept + moving.size();
  for (size_t j = moving.size(); j-- > 0;) {
    while (source > places[j]) at(--target) = std::move(at(--source));
    at(--target) = std::move(moving[j]);
  }
}

}  // namespace

void SourceItemOrder::itemAppended(const GanttChartItemPtr& item) {
  if (membershipTracked_) appended_.push_back(item);
}

void SourceItemOrder::itemRemoved(const GanttChartItemPtr& item) {
  if (!membershipTracked_) return;
  std::erase(appended_, item);
  std::erase(placed_, item);
  removed_.push_back(item);
}

void SourceItemOrder::itemPlaced(const GanttChartItemPtr& item) {
  if (!placementTracked_) return;
  // Each assignment of an order key advances the generation by one; any
  // other step means a change this order did not hear about.
  const uint64_t order = counts_.orderGeneration();
  constexpr size_t kMaxTracked = 4096;
  if (order != placedOrder_ + 1 || placed_.size() >= kMaxTracked) {
    placementTracked_ = false;
    placed_.clear();
    return;
  }
  placedOrder_ = order;
  placed_.push_back(item);
}

void SourceItemOrder::forget() {
  last_.reset();
  membershipTracked_ = false;
  placementTracked_ = false;
  appended_.clear();
  removed_.clear();
  placed_.clear();
}

std::shared_ptr<const std::vector<GanttChartItemPtr>> SourceItemOrder::sorted(
    const std::vector<GanttChartItemPtr>& items, const SourceRowIndex& rowIndex) {
  std::shared_ptr<std::vector<GanttChartItemPtr>> result;
  if (sortsFromScratch()) {
    result = listWithRoom(items.size());
    sortByRowIndex(items, rowIndex, *result);
  } else {
    if (last_.use_count() == 1) {
      // No list refers to the last order any more: continue from its storage
      // in place, under a new name. Readers name a list's elements by their
      // owner (`SharedList::elementsIdentity`) to keep what they derived from
      // them; the old name must not come to stand for other elements.
      result = std::make_shared<std::vector<GanttChartItemPtr>>(std::move(*last_));
      last_.reset();
    } else {
      result = listWithRoom(last_->size() + appended_.size());
      result->assign(last_->begin(), last_->end());
    }
    applyTrackedChanges(*result);
  }
  last_ = result;
  startTracking();
  return result;
}

void SourceItemOrder::applyTrackedChanges(std::vector<GanttChartItemPtr>& sorted) {
  const bool placementKnown = placementTracked_ && placedOrder_ == counts_.orderGeneration();
  if (placementKnown && appended_.empty() && removed_.empty() &&
      rowGeneration_ == counts_.rowGeneration()) {
    // Only times and z-indexes changed: every re-placed item stays within its
    // row's run.
    repositionWithinRows(sorted);
    return;
  }
  // One pass drops the removed items and takes every occurrence of a
  // re-placed one out, keeping the rest in order (their keys did not change,
  // so they stay sorted). Most items are neither, and an address outside the
  // span of the few that are needs no search.
  const std::vector<const GanttChartItem*> removed = identities(removed_);
  const std::vector<const GanttChartItem*> placed =
      placementKnown ? identities(placed_) : std::vector<const GanttChartItem*>{};
  std::vector<GanttChartItemPtr> moving;
  if (!removed.empty() || !placed.empty()) {
    const GanttChartItem* lowest = std::min(removed.empty() ? placed.front() : removed.front(),
                                            placed.empty() ? removed.front() : placed.front());
    const GanttChartItem* highest = std::max(removed.empty() ? placed.back() : removed.back(),
                                             placed.empty() ? removed.back() : placed.back());
    size_t kept = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
      const GanttChartItem* item = sorted[i].get();
      const bool mayMove = !std::less<>()(item, lowest) && !std::less<>()(highest, item);
      if (mayMove && isIn(removed, item)) continue;
      if (mayMove && isIn(placed, item)) {
        moving.push_back(std::move(sorted[i]));
        continue;
      }
      if (kept != i) sorted[kept] = std::move(sorted[i]);
      ++kept;
    }
    sorted.resize(kept);
  }
  moving.insert(moving.end(), appended_.begin(), appended_.end());
  if (!placementKnown) {
    // Items changed unseen: what is left is still mostly in order.
    sorted.insert(sorted.end(), moving.begin(), moving.end());
    sortForAvailability(sorted);
    return;
  }
  const size_t kept = sorted.size();
  sorted.resize(kept + moving.size());
  insertInOrder(sorted.begin(), kept, moving);
}

void SourceItemOrder::repositionWithinRows(std::vector<GanttChartItemPtr>& sorted) {
  const std::vector<const GanttChartItem*> placed = identities(placed_);
  std::vector<int64_t> rows;
  rows.reserve(placed.size());
  for (const GanttChartItem* item : placed) rows.push_back(item->row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const auto rowBelow = [](const GanttChartItemPtr& item, int64_t row) {
    return item->row() < row;
  };
  const auto rowAbove = [](int64_t row, const GanttChartItemPtr& item) {
    return row < item->row();
  };
  for (const int64_t row : rows) {
    const auto begin = std::lower_bound(sorted.begin(), sorted.end(), row, rowBelow);
    const auto end = std::upper_bound(begin, sorted.end(), row, rowAbove);
    // The row's re-placed items out, the others closed up in order, then the
    // re-placed ones back in, as the whole-list pass would place them.
    std::vector<GanttChartItemPtr> moving;
    auto kept = begin;
    for (auto it = begin; it != end; ++it) {
      if (isIn(placed, it->get())) {
        moving.push_back(std::move(*it));
      } else {
        if (kept != it) *kept = std::move(*it);
        ++kept;
      }
    }
    insertInOrder(begin, static_cast<size_t>(kept - begin), moving);
  }
}

void SourceItemOrder::startTracking() {
  appended_.clear();
  removed_.clear();
  placed_.clear();
  membershipTracked_ = true;
  placementTracked_ = true;
  placedOrder_ = counts_.orderGeneration();
  rowGeneration_ = counts_.rowGeneration();
}

}  // namespace vorlent::detail
