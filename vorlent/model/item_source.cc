#include "vorlent/model/item_source.h"

#include <algorithm>
#include <limits>

#include "vorlent/base/fatal.h"
#include "vorlent/model/source_list_indexes.h"

namespace vorlent {
namespace {

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
    detail::attachItem(*item, *itemCounts_);
  }
  for (const auto& dependency : dependencies_) {
    if (!dependency) fatalStop("GanttChartItemSource: the dependency array holds a null entry");
    detail::attachDependency(*dependency, *dependencyIndex_);
  }
}

GanttChartItemSource::~GanttChartItemSource() {
  // Lists handed out may outlive the source; they must not trust it then.
  itemCounts_->released = true;
  for (const auto& item : items_) detail::detachItem(*item, *itemCounts_);
  for (const auto& dependency : dependencies_) {
    detail::detachDependency(*dependency, *dependencyIndex_);
  }
}

std::shared_ptr<GanttChartItemSource> GanttChartItemSource::lockedSelf() {
  return std::static_pointer_cast<GanttChartItemSource>(weakSelf().lock());
}

void GanttChartItemSource::acceptChanges() {
  // A subclass's flag setter may release the last other owner.
  const auto alive = lockedSelf();
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
  if (const auto span = extent_.timeline(items_)) return *span;
  const Time now = Time::current();
  return TimeRange(now, now);
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
  const detail::SourceDependencyIndex& index = *dependencyIndex_;
  // (array order, dependency) of every link of a filtered item.
  std::vector<std::pair<uint64_t, const GanttChartDependencyPtr*>> links;
  for (const auto& item : filtered) {
    for (const auto& link : index.outgoing(item.get()))
      links.emplace_back(link.order, &link.dependency);
    for (const auto& link : index.incoming(item.get()))
      links.emplace_back(link.order, &link.dependency);
  }
  // Array order; a link reached from both of its items is listed once.
  const auto sameOrder = [](const auto& a, const auto& b) { return a.first == b.first; };
  std::sort(links.begin(), links.end());
  links.erase(std::unique(links.begin(), links.end(), sameOrder), links.end());
  std::vector<GanttChartDependencyPtr> result;
  result.reserve(links.size());
  for (const auto& link : links) {
    const GanttChartDependencyPtr& dependency = *link.second;
    if (extent_.holds(dependency->from().get(), items_) &&
        extent_.holds(dependency->to().get(), items_)) {
      result.push_back(dependency);
    }
  }
  return result;
}

GanttChartItemList GanttChartItemSource::availableItems() {
  const uint64_t order = itemCounts_->orderGeneration();
  // A list nobody has read yet sorts the items as they are when it is read,
  // so an order key's change alone leaves it as good as a new one: a cascade
  // that changes item after item then hands out one list, not one a change.
  if (availableItems_ && (availableItemsOrder_ == order || !availableItems_->isProduced()) &&
      availableItemsRemovals_ == itemRemovals_ && availableItemsSize_ == items_.size()) {
    availableItemsOrder_ = order;
    return *availableItems_;
  }
  availableItemsOrder_ = order;
  availableItemsRemovals_ = itemRemovals_;
  availableItemsSize_ = items_.size();
  // Readers that look for items by row (the column rule) search for them
  // while the rows stay as they were sorted.
  auto rowOrder = std::make_shared<detail::RowOrderedItems>(itemCounts_);
  std::weak_ptr<GanttChartItemManager> weak = weakSelf();
  if (weak.expired()) {
    auto sorted = sortedItems();
    rowOrder->elementsProduced();
    availableItems_ = GanttChartItemList(*sorted, rowOrder);
  } else {
    availableItems_ = GanttChartItemList::lazyShared(
        [weak, rowOrder]() -> std::shared_ptr<const std::vector<GanttChartItemPtr>> {
          auto self = std::static_pointer_cast<GanttChartItemSource>(weak.lock());
          if (!self) return nullptr;
          auto sorted = self->sortedItems();
          rowOrder->elementsProduced();
          return sorted;
        },
        rowOrder);
  }
  return *availableItems_;
}

std::shared_ptr<const std::vector<GanttChartItemPtr>> GanttChartItemSource::sortedItems() {
  if (itemOrder_.sortsFromScratch()) ensureRowIndex();
  return itemOrder_.sorted(items_, rowIndex_);
}

void GanttChartItemSource::itemPlacementWillChange(const GanttChartItemPtr& /*item*/) {
  placementsUnderWay_.push_back(itemCounts_->orderGeneration());
}

void GanttChartItemSource::itemPlacementDidChange(const GanttChartItemPtr& item,
                                                  const TimeRange& oldTime) {
  std::optional<uint64_t> before;
  if (!placementsUnderWay_.empty()) {
    before = placementsUnderWay_.back();
    placementsUnderWay_.pop_back();
  }
  // The order and the extent take a report as the one step of the order
  // generation it explains, so it is passed on only when the assignment was
  // the one step made while the setter ran. The manager also moves items this
  // source does not count (one it let go of, still named by a link, or one of
  // another chart), whose assignment advanced nothing here; and a host's item
  // may read the chart and edit other items from its setter. Passed on, such
  // a report would stand for a host's edit and hide it; held back, the order
  // and the extent find the generation ahead of them and work the items out
  // afresh.
  const detail::ItemChangeCounts* counts = detail::changeCountsOf(*item);
  const bool countsHere =
      counts == itemCounts_.get() ||
      (counts == &detail::sharedItemChangeCounts() && itemCounts_->watchesShared);
  if (!countsHere || !before || itemCounts_->orderGeneration() != *before + 1) return;
  itemOrder_.itemPlaced(item);
  extent_.itemPlaced(*item, oldTime);
}

GanttChartDependencyList GanttChartItemSource::availableDependencies() {
  // Kept current so that the list can carry it: a behaviour then finds an
  // item's links without reading (or copying) the list.
  ensureDependencyIndex();
  const uint64_t revision = dependencyIndex_->revision();
  if (availableDependencies_ && availableDependenciesRevision_ == revision) {
    return *availableDependencies_;
  }
  availableDependenciesRevision_ = revision;
  auto links = std::make_shared<detail::SourceDependencyLinks>(dependencyIndex_, revision);
  std::weak_ptr<GanttChartItemManager> weak = weakSelf();
  if (weak.expired()) {
    availableDependencies_ = GanttChartDependencyList(dependencies_, std::move(links));
  } else {
    availableDependencies_ = GanttChartDependencyList::lazyShared(
        [weak]() -> std::shared_ptr<const std::vector<GanttChartDependencyPtr>> {
          auto self = std::static_pointer_cast<GanttChartItemSource>(weak.lock());
          if (!self) return nullptr;
          return std::make_shared<const std::vector<GanttChartDependencyPtr>>(self->dependencies_);
        },
        std::move(links));
  }
  return *availableDependencies_;
}

GanttChartItemPtr GanttChartItemSource::addNewSourceItem(int64_t row, const Time& time,
                                                         bool isMilestone) {
  // The factory may release the last other owner.
  const auto alive = lockedSelf();
  GanttChartItemPtr item = createSourceItem(row, time, isMilestone);
  if (!item) return item;
  items_.push_back(item);
  detail::attachItem(*item, *itemCounts_);
  if (rowIndexValid_) rowIndex_.append(item->row(), items_.size() - 1);
  itemOrder_.itemAppended(item);
  extent_.itemAppended(*item);
  return item;
}

void GanttChartItemSource::removeSourceItem(const GanttChartItemPtr& itemArgument) {
  // A copy: the caller's reference may point into the array being erased.
  const GanttChartItemPtr item = itemArgument;
  // Asked of the extent first: an item the source does not hold then costs
  // no pass over the array.
  if (!item || !extent_.holds(item.get(), items_)) return;
  std::erase(items_, item);
  detail::detachItem(*item, *itemCounts_);
  extent_.itemRemoved(*item);
  ++itemRemovals_;
  rowIndexValid_ = false;
  itemOrder_.itemRemoved(item);
}

GanttChartDependencyPtr GanttChartItemSource::addNewSourceDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  const auto alive = lockedSelf();
  GanttChartDependencyPtr dependency = createSourceDependency(from, to, type);
  if (!dependency) return dependency;
  dependencies_.push_back(dependency);
  detail::attachDependency(*dependency, *dependencyIndex_);
  dependencyIndex_->dependencyAppended(dependency);
  return dependency;
}

void GanttChartItemSource::removeSourceDependency(
    const GanttChartDependencyPtr& dependencyArgument) {
  // A copy, as for items.
  const GanttChartDependencyPtr dependency = dependencyArgument;
  if (std::erase(dependencies_, dependency) == 0) return;
  detail::detachDependency(*dependency, *dependencyIndex_);
  dependencyIndex_->dependencyRemoved(dependency);
}

void GanttChartItemSource::sourceDidChange() {
  ++itemRemovals_;
  rowIndexValid_ = false;
  dependencyIndex_->invalidate();
  itemOrder_.forget();
  extent_.forget();
}

void GanttChartItemSource::ensureRowIndex() {
  const uint64_t rows = itemCounts_->rowGeneration();
  if (rowIndexValid_ && rowIndexRows_ == rows) return;
  rowIndex_.rebuild(items_);
  rowIndexValid_ = true;
  rowIndexRows_ = rows;
}

void GanttChartItemSource::ensureDependencyIndex() {
  if (!dependencyIndex_->isCurrent()) dependencyIndex_->rebuild(dependencies_);
}

}  // namespace vorlent
