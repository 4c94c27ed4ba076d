#include "vorlent/model/item_source.h"

#include <algorithm>
#include <limits>

#include "vorlent/base/fatal.h"

namespace vorlent {
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

// Both ends inclusive; 24:00 equals the next day's 0:00 throughout.
bool overlapsTimeline(const Time& start, const Time& finish, const TimeRange& timeline) {
  const Time& from = timeline.start;
  const Time& to = timeline.finish;
  return (from <= start && start <= to) || (from <= finish && finish <= to) ||
         (start <= from && from <= finish) || (start <= to && to <= finish);
}

}  // namespace

GanttChartItemSource::GanttChartItemSource(std::vector<GanttChartItemPtr> items,
                                           std::vector<GanttChartDependencyPtr> dependencies,
                                           std::shared_ptr<ScheduleDefinition> schedule,
                                           GanttChartItemBehaviorPtr behavior)
    : GanttChartItemManager(std::weak_ptr<GanttChartCollectionProvider>(), std::move(schedule),
                            std::move(behavior)),
      GanttChartItemSourceAddOns(static_cast<GanttChartItemManager&>(*this)),
      items_(std::move(items)),
      dependencies_(std::move(dependencies)) {
  for (const auto& item : items_) {
    if (!item) fatalStop("GanttChartItemSource: the item array holds a null item");
  }
  for (const auto& dependency : dependencies_) {
    if (!dependency) fatalStop("GanttChartItemSource: the dependency array holds a null entry");
  }
}

std::shared_ptr<GanttChartItemSource> GanttChartItemSource::lockedSelf() {
  return std::static_pointer_cast<GanttChartItemSource>(weakSelf().lock());
}

void GanttChartItemSource::acceptChanges() {
  // Indexed loops: a subclass's flag setter cannot invalidate them.
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->setHasChanged(false);
  for (size_t i = 0; i < dependencies_.size(); ++i) dependencies_[i]->setHasChanged(false);
}

int64_t GanttChartItemSource::sourceTotalRowCount() {
  ensureRowIndex();
  if (rowIndex_.empty()) return 0;
  const int64_t last = rowIndex_.lastRow();
  if (last < 0) return 0;
  return last == std::numeric_limits<int64_t>::max() ? last : last + 1;
}

TimeRange GanttChartItemSource::sourcePreferredTimeline() {
  if (items_.empty()) {
    const Time now = Time::current();
    return TimeRange(now, now);
  }
  Time start = items_.front()->start();
  Time finish = items_.front()->finish();
  for (const auto& item : items_) {
    const Time itemStart = item->start();
    const Time itemFinish = item->finish();
    if (itemStart < start) start = itemStart;
    if (finish < itemFinish) finish = itemFinish;
  }
  return TimeRange(start, finish);
}

std::vector<GanttChartItemPtr> GanttChartItemSource::sourceFilteredItems() {
  ensureRowIndex();
  const RowRange rows = range();
  const TimeRange times = timeline();
  std::vector<size_t> positions = rowIndex_.positionsIn(rows);
  std::erase_if(positions, [&](size_t position) {
    const GanttChartItem& item = *items_[position];
    return !overlapsTimeline(item.start(), item.finish(), times);
  });
  std::sort(positions.begin(), positions.end());
  std::vector<GanttChartItemPtr> result;
  result.reserve(positions.size());
  for (const size_t position : positions) result.push_back(items_[position]);
  return result;
}

std::vector<GanttChartDependencyPtr> GanttChartItemSource::sourceFilteredDependencies() {
  const GanttChartItemList filtered = filteredItems();
  ensureDependencyIndex();
  std::vector<size_t> positions;
  for (const auto& item : filtered) {
    if (const auto* linked = dependencyIndex_.dependenciesOf(item.get())) {
      positions.insert(positions.end(), linked->begin(), linked->end());
    }
  }
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  std::vector<GanttChartDependencyPtr> result;
  result.reserve(positions.size());
  for (const size_t position : positions) {
    const GanttChartDependencyPtr& dependency = dependencies_[position];
    if (dependencyIndex_.isMember(dependency->from().get()) &&
        dependencyIndex_.isMember(dependency->to().get())) {
      result.push_back(dependency);
    }
  }
  return result;
}

GanttChartItemList GanttChartItemSource::availableItems() {
  const uint64_t order = detail::itemOrderGeneration();
  if (availableItems_ && availableItemsOrder_ == order &&
      availableItemsRemovals_ == itemRemovals_ && availableItemsSize_ == items_.size()) {
    return *availableItems_;
  }
  availableItemsOrder_ = order;
  availableItemsRemovals_ = itemRemovals_;
  availableItemsSize_ = items_.size();
  std::weak_ptr<GanttChartItemManager> weak = weakSelf();
  if (weak.expired()) {
    availableItems_ = GanttChartItemList(*sortedItems());
  } else {
    availableItems_ = GanttChartItemList::lazyShared(
        [weak]() -> std::shared_ptr<const std::vector<GanttChartItemPtr>> {
          auto self = std::static_pointer_cast<GanttChartItemSource>(weak.lock());
          return self ? self->sortedItems() : nullptr;
        });
  }
  return *availableItems_;
}

std::shared_ptr<const std::vector<GanttChartItemPtr>> GanttChartItemSource::sortedItems() {
  const bool onlyAppended =
      lastSorted_ && lastSortedRemovals_ == itemRemovals_ && lastSortedSize_ <= items_.size();
  std::shared_ptr<std::vector<GanttChartItemPtr>> sorted;
  if (onlyAppended && lastSorted_.use_count() == 1) {
    // No list refers to the last order any more: continue from it in place.
    sorted = std::move(lastSorted_);
  } else if (onlyAppended) {
    sorted = std::make_shared<std::vector<GanttChartItemPtr>>(*lastSorted_);
  } else {
    sorted = std::make_shared<std::vector<GanttChartItemPtr>>(items_);
  }
  if (!onlyAppended || !repositionPlacedItems(*sorted, lastSortedSize_)) {
    if (onlyAppended) {
      sorted->insert(sorted->end(), items_.begin() + static_cast<std::ptrdiff_t>(lastSortedSize_),
                     items_.end());
    }
    sortForAvailability(*sorted);
  }
  lastSorted_ = sorted;
  lastSortedRemovals_ = itemRemovals_;
  lastSortedSize_ = items_.size();
  placedItems_.clear();
  placedOrder_ = detail::itemOrderGeneration();
  placedTracked_ = true;
  return sorted;
}

void GanttChartItemSource::itemPlacementDidChange(const GanttChartItemPtr& item) {
  if (!placedTracked_) return;
  // Each assignment of an order key advances the generation by one; any
  // other step means a change this source did not hear about.
  const uint64_t order = detail::itemOrderGeneration();
  constexpr size_t kMaxTracked = 64;
  if (order != placedOrder_ + 1 || placedItems_.size() >= kMaxTracked) {
    placedTracked_ = false;
    placedItems_.clear();
    return;
  }
  placedOrder_ = order;
  placedItems_.push_back(item);
}

bool GanttChartItemSource::repositionPlacedItems(std::vector<GanttChartItemPtr>& sorted,
                                                 size_t appendedFrom) {
  if (!placedTracked_ || placedOrder_ != detail::itemOrderGeneration()) return false;
  // Take every occurrence of a placed item out, keeping the rest in order
  // (their keys did not change, so they stay sorted).
  std::vector<const GanttChartItem*> placed;
  placed.reserve(placedItems_.size());
  for (const auto& item : placedItems_) placed.push_back(item.get());
  std::sort(placed.begin(), placed.end());
  placed.erase(std::unique(placed.begin(), placed.end()), placed.end());
  std::vector<GanttChartItemPtr> moving;
  if (!placed.empty()) {
    size_t kept = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
      if (std::binary_search(placed.begin(), placed.end(), sorted[i].get())) {
        moving.push_back(std::move(sorted[i]));
      } else {
        if (kept != i) sorted[kept] = std::move(sorted[i]);
        ++kept;
      }
    }
    sorted.resize(kept);
  }
  moving.insert(moving.end(), items_.begin() + static_cast<std::ptrdiff_t>(appendedFrom),
                items_.end());
  if (moving.empty()) return true;
  std::stable_sort(moving.begin(), moving.end(), isOrderedBefore);
  // Where each moving item goes in the kept order, found by binary search;
  // then one pass from the back opens the gaps.
  std::vector<size_t> places;
  places.reserve(moving.size());
  for (const auto& item : moving) {
    places.push_back(static_cast<size_t>(
        std::upper_bound(sorted.begin(), sorted.end(), item, isOrderedBefore) - sorted.begin()));
  }
  size_t source = sorted.size();
  sorted.resize(sorted.size() + moving.size());
  size_t target = sorted.size();
  for (size_t j = moving.size(); j-- > 0;) {
    while (source > places[j]) sorted[--target] = std::move(sorted[--source]);
    sorted[--target] = std::move(moving[j]);
  }
  return true;
}

GanttChartDependencyList GanttChartItemSource::availableDependencies() {
  if (availableDependencies_ && availableDependenciesRemovals_ == dependencyRemovals_ &&
      availableDependenciesSize_ == dependencies_.size()) {
    return *availableDependencies_;
  }
  availableDependenciesRemovals_ = dependencyRemovals_;
  availableDependenciesSize_ = dependencies_.size();
  std::weak_ptr<GanttChartItemManager> weak = weakSelf();
  if (weak.expired()) {
    availableDependencies_ = GanttChartDependencyList(dependencies_);
  } else {
    availableDependencies_ = GanttChartDependencyList::lazy([weak] {
      auto self = std::static_pointer_cast<GanttChartItemSource>(weak.lock());
      return self ? self->dependencies_ : std::vector<GanttChartDependencyPtr>{};
    });
  }
  return *availableDependencies_;
}

GanttChartItemPtr GanttChartItemSource::addNewSourceItem(int64_t row, const Time& time,
                                                         bool isMilestone) {
  GanttChartItemPtr item = createSourceItem(row, time, isMilestone);
  if (!item) return item;
  items_.push_back(item);
  if (rowIndexValid_) rowIndex_.append(item->row(), items_.size() - 1);
  if (dependencyIndexValid_) dependencyIndex_.itemAdded(item.get());
  return item;
}

void GanttChartItemSource::removeSourceItem(const GanttChartItemPtr& item) {
  if (std::erase(items_, item) == 0) return;
  ++itemRemovals_;
  rowIndexValid_ = false;
  if (dependencyIndexValid_) dependencyIndex_.itemRemoved(item.get());
}

GanttChartDependencyPtr GanttChartItemSource::addNewSourceDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  GanttChartDependencyPtr dependency = createSourceDependency(from, to, type);
  if (!dependency) return dependency;
  dependencies_.push_back(dependency);
  if (dependencyIndexValid_) {
    dependencyIndex_.dependencyAppended(*dependency, dependencies_.size() - 1);
  }
  return dependency;
}

void GanttChartItemSource::removeSourceDependency(const GanttChartDependencyPtr& dependency) {
  if (std::erase(dependencies_, dependency) == 0) return;
  ++dependencyRemovals_;
  dependencyIndexValid_ = false;
}

void GanttChartItemSource::sourceDidChange() {
  ++itemRemovals_;
  ++dependencyRemovals_;
  rowIndexValid_ = false;
  dependencyIndexValid_ = false;
  lastSorted_.reset();
  placedTracked_ = false;
  placedItems_.clear();
}

void GanttChartItemSource::ensureRowIndex() {
  const uint64_t rows = detail::itemRowGeneration();
  if (rowIndexValid_ && rowIndexRows_ == rows) return;
  rowIndex_.rebuild(items_);
  rowIndexValid_ = true;
  rowIndexRows_ = rows;
}

void GanttChartItemSource::ensureDependencyIndex() {
  const uint64_t links = detail::dependencyLinkGeneration();
  if (dependencyIndexValid_ && dependencyIndexLinks_ == links) return;
  dependencyIndex_.rebuild(items_, dependencies_);
  dependencyIndexValid_ = true;
  dependencyIndexLinks_ = links;
}

}  // namespace vorlent
