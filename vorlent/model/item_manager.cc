#include "vorlent/model/item_manager.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "vorlent/model/item_list_origin.h"

namespace vorlent {
namespace {

// The list cached under `key`; otherwise `produce()`'s, now cached under it.
// `manager` owns the cache and is held while a provider may be asked.
template <class T, class Produce>
SharedList<T> cachedFiltered(GanttChartItemManager& manager, detail::FilterCache<T>& cache,
                             const detail::FilterKey& key, const Produce& produce,
                             std::shared_ptr<const SharedListIndex> index = nullptr) {
  if (auto cached = cache.find(key)) return *cached;
  const auto alive = manager.weak_from_this().lock();
  SharedList<T> list(produce(), std::move(index));
  cache.store(key, list);
  return list;
}

// The provider's answer (through `answer`, a member of the provider), or
// `filtered` (a member of the manager) when it gives none; `produced(self,
// fromFilter)` and `origin`, when given, are told which. Produced only when a behaviour reads the list,
// since a provider may compute its answer; eagerly when the manager is not
// owned by a `std::shared_ptr`.
template <class T, class Answer, class Filtered, class Produced>
SharedList<T> availableList(GanttChartItemManager& manager,
                            std::weak_ptr<GanttChartItemManager> weak, Answer answer,
                            Filtered filtered, Produced produced,
                            std::shared_ptr<detail::ItemListOrigin> origin = nullptr) {
  auto produce = [answer, filtered, produced,
                  origin](GanttChartItemManager& self) -> std::vector<std::shared_ptr<T>> {
    if (auto provider = self.collectionProvider()) {
      if (auto answered = ((*provider).*answer)()) {
        produced(self, false);
        return std::move(*answered);
      }
    }
    produced(self, true);
    if (origin) origin->setPartial(true);
    return (self.*filtered)().elements();
  };
  if (weak.expired()) return SharedList<T>(produce(manager), origin);
  return SharedList<T>::lazyShared(
      [weak = std::move(weak), produce] {
        auto self = weak.lock();
        return std::make_shared<const std::vector<std::shared_ptr<T>>>(
            self ? produce(*self) : std::vector<std::shared_ptr<T>>{});
      },
      origin);
}

}  // namespace

GanttChartItemManager::GanttChartItemManager(
    std::weak_ptr<GanttChartCollectionProvider> collectionProvider,
    std::shared_ptr<ScheduleDefinition> schedule, GanttChartItemBehaviorPtr behavior)
    : timeline_(TimeRange::currentWeek()),
      schedule_(schedule ? std::move(schedule) : ScheduleDefinition::continuous()),
      behavior_(std::move(behavior)),
      collectionProvider_(std::move(collectionProvider)) {}

void GanttChartItemManager::setRange(const RowRange& range) {
  if (range == range_) return;
  const auto alive = keepAlive();
  range_ = range;
  notifyCollection({CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::setTimeline(const TimeRange& timeline) {
  if (timeline == timeline_) return;
  const auto alive = keepAlive();
  timeline_ = timeline;
  notifyCollection({CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

int64_t GanttChartItemManager::totalRowCount() {
  if (cachedTotalRowCount_) return *cachedTotalRowCount_;
  const auto alive = keepAlive();
  const int64_t count = sourceTotalRowCount();
  cachedTotalRowCount_ = count;
  return count;
}

TimeRange GanttChartItemManager::preferredTimeline() {
  if (cachedPreferredTimeline_) return *cachedPreferredTimeline_;
  const auto alive = keepAlive();
  const TimeRange timeline = sourcePreferredTimeline();
  cachedPreferredTimeline_ = timeline;
  return timeline;
}

GanttChartItemList GanttChartItemManager::filteredItems() {
  return cachedFiltered(*this, cachedFilteredItems_, detail::FilterKey(range(), timeline()),
                        [this] { return sourceFilteredItems(); },
                        detail::ItemListOrigin::filtered());
}

GanttChartDependencyList GanttChartItemManager::filteredDependencies() {
  return cachedFiltered(*this, cachedFilteredDependencies_,
                        detail::FilterKey(range(), timeline()),
                        [this] { return sourceFilteredDependencies(); });
}

int64_t GanttChartItemManager::sourceTotalRowCount() {
  auto provider = collectionProvider();
  return provider ? provider->totalRowCount() : 0;
}

TimeRange GanttChartItemManager::sourcePreferredTimeline() {
  auto provider = collectionProvider();
  return provider ? provider->preferredTimeline() : TimeRange::currentWeek();
}

std::vector<GanttChartItemPtr> GanttChartItemManager::sourceFilteredItems() {
  auto provider = collectionProvider();
  if (!provider) return {};
  return provider->filteredItems(range(), timeline());
}

std::vector<GanttChartDependencyPtr> GanttChartItemManager::sourceFilteredDependencies() {
  auto provider = collectionProvider();
  if (!provider) return {};
  return provider->filteredDependencies(range(), timeline());
}

GanttChartItemList GanttChartItemManager::availableItems() {
  if (!collectionProvider()) {
    availableItemsFromFilter_ = true;
    return filteredItems();
  }
  return availableList<GanttChartItem>(
      *this, weakSelf(), &GanttChartCollectionProvider::availableItems,
      &GanttChartItemManager::filteredItems,
      [](GanttChartItemManager& self, bool fromFilter) {
        self.availableItemsFromFilter_ = fromFilter;
      },
      std::make_shared<detail::ItemListOrigin>());
}

GanttChartDependencyList GanttChartItemManager::availableDependencies() {
  if (!collectionProvider()) return filteredDependencies();
  return availableList<GanttChartDependency>(
      *this, weakSelf(), &GanttChartCollectionProvider::availableDependencies,
      &GanttChartItemManager::filteredDependencies, [](GanttChartItemManager&, bool) {});
}

void GanttChartItemManager::setSchedule(std::shared_ptr<ScheduleDefinition> schedule) {
  schedule_ = schedule ? std::move(schedule) : ScheduleDefinition::continuous();
}

std::shared_ptr<ScheduleDefinition> GanttChartItemManager::scheduleFor(
    const GanttChartItemPtr& item) const {
  if (item) {
    if (const auto& own = item->schedule()) return own;
  }
  return schedule();
}

GanttChartItemPtr GanttChartItemManager::addNewSourceItem(int64_t row, const Time& time,
                                                          bool isMilestone) {
  return createSourceItem(row, time, isMilestone);
}

void GanttChartItemManager::removeSourceItem(const GanttChartItemPtr& /*item*/) {}

GanttChartDependencyPtr GanttChartItemManager::addNewSourceDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  return createSourceDependency(from, to, type);
}

void GanttChartItemManager::removeSourceDependency(const GanttChartDependencyPtr& /*dependency*/) {}

GanttChartItemPtr GanttChartItemManager::createSourceItem(int64_t row, const Time& time,
                                                          bool isMilestone) {
  return actualItemFactory()->createItem(row, time, isMilestone);
}

GanttChartDependencyPtr GanttChartItemManager::createSourceDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  return actualItemFactory()->createDependency(from, to, type);
}

std::shared_ptr<GanttChartItemFactory> GanttChartItemManager::actualItemFactory() {
  if (auto factory = itemFactory()) return factory;
  if (auto self = weak_from_this().lock()) return self;
  // Not owned by a shared_ptr: a non-owning handle to this manager, which
  // outlives the call that uses it.
  return std::shared_ptr<GanttChartItemFactory>(std::shared_ptr<void>(), this);
}

double GanttChartItemManager::scheduledDuration(const GanttChartItemPtr& item) const {
  return scheduledDuration(item, TimeUnit::seconds);
}

double GanttChartItemManager::scheduledDuration(const GanttChartItemPtr& item,
                                                TimeUnit unit) const {
  return scheduleFor(item)->duration(item->start(), item->finish(), unit);
}

double GanttChartItemManager::completedDuration(const GanttChartItemPtr& item) const {
  return item->completion() * scheduledDuration(item);
}

double GanttChartItemManager::completedDuration(const GanttChartItemPtr& item,
                                                TimeUnit unit) const {
  return item->completion() * scheduledDuration(item, unit);
}

Time GanttChartItemManager::timeCompletedUntil(const GanttChartItemPtr& item) const {
  const Time start = item->start();
  const Time finish = item->finish();
  Time until = scheduleFor(item)->finish(start, completedDuration(item), TimeUnit::seconds);
  if (!(until < finish)) until = finish;
  if (until < start) until = start;
  return until;
}

void GanttChartItemManager::clearCache() {
  cachedTotalRowCount_.reset();
  cachedPreferredTimeline_.reset();
  cachedFilteredItems_.clear();
  cachedFilteredDependencies_.clear();
  if (!clearingAfterChange_) sourceDidChange();
}

void GanttChartItemManager::clearCacheAfterChange() {
  const bool outer = clearingAfterChange_;
  clearingAfterChange_ = true;
  clearCache();
  clearingAfterChange_ = outer;
}

void GanttChartItemManager::notifyCollection(std::initializer_list<CollectionChange> listed) {
  // The rules' answer to any operation may move items (a new link under
  // auto-scheduling moves its successor), and with them the span of time
  // the chart would like to show: an operation that moved an item tells of
  // that too, in its place after the row count (before the filtered lists,
  // else last). Decided before any observer runs.
  bool timelineDue = timesAssigned_ != timesAssignedBeforeOperation_ &&
                     std::find(listed.begin(), listed.end(),
                               CollectionChange::preferredTimeline) == listed.end();
  const auto notify = [this](CollectionChange change) {
    // Looked up again for each call: an earlier notification may have
    // released or replaced the observer.
    auto observer = collectionObserver();
    if (!observer) return;
    switch (change) {
      case CollectionChange::collection:
        observer->collectionDidChange();
        break;
      case CollectionChange::totalRowCount:
        observer->totalRowCountDidChange();
        break;
      case CollectionChange::preferredTimeline:
        observer->preferredTimelineDidChange();
        break;
      case CollectionChange::filteredItems:
        observer->filteredItemsDidChange();
        break;
      case CollectionChange::filteredDependencies:
        observer->filteredDependenciesDidChange();
        break;
    }
  };
  for (const CollectionChange change : listed) {
    if (timelineDue && (change == CollectionChange::filteredItems ||
                        change == CollectionChange::filteredDependencies)) {
      notify(CollectionChange::preferredTimeline);
      timelineDue = false;
    }
    notify(change);
  }
  if (timelineDue) notify(CollectionChange::preferredTimeline);
}

}  // namespace vorlent
