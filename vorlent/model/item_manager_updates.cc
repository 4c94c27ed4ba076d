// The changing half of GanttChartItemManager: the public operations, the
// re-application operations and the update engine with its cascade.
//
// Every public operation runs the same steps: the direct change; clearing the
// caches, so that the behaviour already sees the collection as it is after the
// change (a provider falling back on the filtered lists would otherwise show a
// removed item); the behaviour's answer through the engine; clearing the
// caches again; the item observer; the collection observer.

#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>

#include "vorlent/base/fatal.h"
#include "vorlent/model/item_manager.h"

namespace vorlent {
namespace {

// Returns a copy, which the operation holds to its end: the caller's reference
// may point into a list (say the source's `items()`) that an observer or a
// behaviour changes meanwhile.
template <class Pointer>
Pointer require(const Pointer& object, const char* operation) {
  if (!object) {
    fatalStop(std::string("GanttChartItemManager::") + operation + ": null argument");
  }
  return object;
}

// Completion as the engine stores it: at most 1 (NaN counts as 1), at least 0.
double clampedCompletion(double value) {
  if (std::isnan(value) || value > 1) return 1;
  if (value < 0) return 0;
  return value;
}

// One past the end (or before the start) saturates: an item already at the
// integer's end stays there rather than overflowing.
int64_t frontOf(int64_t highest) {
  return highest == std::numeric_limits<int64_t>::max() ? highest : highest + 1;
}
int64_t backOf(int64_t lowest) {
  return lowest == std::numeric_limits<int64_t>::min() ? lowest : lowest - 1;
}

}  // namespace

template <class Ask>
GanttChartItemUpdateActions GanttChartItemManager::askBehavior(const Ask& ask) {
  // Copies, so that a callback that replaces the behaviour or the schedule
  // keeps the ones it runs with alive until it returns.
  const GanttChartItemBehaviorPtr behavior = this->behavior();
  if (!behavior) return {};
  const std::shared_ptr<ScheduleDefinition> schedule = this->schedule();
  return ask(*behavior, schedule);
}

// --- Update engine --------------------------------------------------------

void GanttChartItemManager::performUpdates(GanttChartItemUpdateActions actions) {
  performUpdates(std::move(actions), 0);
}

void GanttChartItemManager::performUpdates(GanttChartItemUpdateActions actions,
                                           int64_t recursivity) {
  if (maxBehaviorRecursivity() <= recursivity || actions.empty()) return;
  // The recursion of a depth-first walk made explicit: the top frame is the
  // list being applied; an action's follow-ups are pushed above it and run to
  // the end before its next sibling.
  struct Frame {
    GanttChartItemUpdateActions actions;
    size_t next;
    int64_t level;
    const GanttChartItem* cause;  // whose change these follow up; null at the root
  };
  std::vector<Frame> stack;
  stack.push_back(Frame{std::move(actions), 0, recursivity, nullptr});
  // Conflicting rules (say a dependency from a summary to its own child under
  // hierarchy and auto-scheduling) make an item's changes come back to that
  // same item along their own follow-ups, each time with several changes that
  // all come back again: bounded by depth alone, that tree grows exponentially.
  // So an item whose changes came back to it `maxBehaviorRecursivity` times in
  // this cascade gets no further follow-ups when they come back again. Only
  // such returns count: an item merely reached along many independent paths
  // (many predecessors of one task) is followed up every time, as it must be.
  std::unordered_map<const GanttChartItem*, int64_t> onPath;    // frames caused by the item
  std::unordered_map<const GanttChartItem*, int64_t> returned;  // follow-ups taken on return
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.actions.size()) {
      if (frame.cause != nullptr) --onPath[frame.cause];
      stack.pop_back();
      continue;
    }
    const GanttChartItemUpdateAction action = std::move(frame.actions[frame.next++]);
    const int64_t level = frame.level;
    resetCaches();
    std::optional<GanttChartItemUpdateActions> followUps = apply(action);
    // `level` < bound <= INT64_MAX, so level + 1 cannot overflow.
    if (!followUps || followUps->empty() || maxBehaviorRecursivity() <= level + 1) continue;
    const GanttChartItem* cause = action.item().get();
    int64_t& depth = onPath[cause];
    if (depth > 0) {
      int64_t& returns = returned[cause];
      if (maxBehaviorRecursivity() <= returns) continue;
      ++returns;
    }
    ++depth;
    stack.push_back(Frame{std::move(*followUps), 0, level + 1, cause});
  }
}

std::optional<GanttChartItemUpdateActions> GanttChartItemManager::apply(
    const GanttChartItemUpdateAction& action) {
  using Action = GanttChartItemUpdateAction;
  if (const auto* change = std::get_if<Action::UpdateTime>(&action.variant())) {
    const GanttChartItemPtr& item = change->item;
    const TimeRange old = item->time();
    const auto schedule = scheduleFor(item);
    TimeRange updated;
    switch (item->type()) {
      case GanttChartItemType::milestone:
        updated = TimeRange(change->value.start, change->value.start);
        break;
      case GanttChartItemType::standard: {
        const Time start = schedule->nextTime(change->value.start);
        const Time finish = schedule->previousTime(change->value.finish);
        updated = TimeRange(start, finish < start ? start : finish);
        break;
      }
      case GanttChartItemType::summary: {
        const Time start = schedule->nextTime(change->value.start);
        const Time finish = change->value.finish;
        updated = TimeRange(start, finish < start ? start : finish);
        break;
      }
    }
    if (updated.start == old.start && updated.finish == old.finish) return std::nullopt;
    item->setTime(updated);
    itemPlacementDidChange(item);
    if (auto observer = itemObserver()) observer->timeDidChange(item, old);
    if (!change->up && !change->down) return std::nullopt;
    return askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
      return behavior.timeDidChange(item, old, change->up, change->down, availableItems(),
                                    availableDependencies(), managerSchedule);
    });
  }
  if (const auto* change = std::get_if<Action::UpdateCompletion>(&action.variant())) {
    const GanttChartItemPtr& item = change->item;
    const double old = item->completion();
    const double updated = clampedCompletion(change->value);
    if (updated == old) return std::nullopt;
    item->setCompletion(updated);
    if (auto observer = itemObserver()) observer->completionDidChange(item, old);
    if (!change->up && !change->down) return std::nullopt;
    return askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
      return behavior.completionDidChange(item, old, change->up, change->down, availableItems(),
                                          availableDependencies(), managerSchedule);
    });
  }
  if (const auto* change = std::get_if<Action::UpdateRow>(&action.variant())) {
    const int64_t old = change->item->row();
    if (change->value == old) return std::nullopt;
    change->item->setRow(change->value);
    itemPlacementDidChange(change->item);
    if (auto observer = itemObserver()) observer->rowDidChange(change->item, old);
    return std::nullopt;
  }
  const auto& change = std::get<Action::UpdateVisibility>(action.variant());
  if (change.value == change.item->isVisible()) return std::nullopt;
  change.item->setIsVisible(change.value);
  if (auto observer = itemObserver()) observer->visibilityDidChange(change.item);
  return std::nullopt;
}

// --- Adding and removing --------------------------------------------------

GanttChartItemPtr GanttChartItemManager::addNewItem(int64_t row, const Time& time,
                                                    bool isMilestone) {
  const Time start = schedule()->nextTime(time);
  GanttChartItemPtr item = addNewSourceItem(row, start, isMilestone);
  require(item, "addNewItem (the item factory made no item)");
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.itemWasAdded(item, availableItems(), availableDependencies(), schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->itemWasAdded(item);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
  return item;
}

void GanttChartItemManager::removeItem(const GanttChartItemPtr& item) {
  require(item, "removeItem");
  // A copy: the caller's reference may point into a list the removal changes.
  const GanttChartItemPtr removed = item;
  removeSourceItem(removed);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.itemWasRemoved(removed, availableItems(), availableDependencies(), schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->itemWasRemoved(removed);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

GanttChartDependencyPtr GanttChartItemManager::addNewDependency(
    const GanttChartItemPtr& fromArgument, const GanttChartItemPtr& toArgument,
    GanttChartDependencyType type) {
  const GanttChartItemPtr from = require(fromArgument, "addNewDependency");
  const GanttChartItemPtr to = require(toArgument, "addNewDependency");
  GanttChartDependencyPtr dependency = addNewSourceDependency(from, to, type);
  require(dependency, "addNewDependency (the item factory made no dependency)");
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.dependencyWasAdded(dependency, availableItems(), availableDependencies(),
                                       schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->dependencyWasAdded(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
  return dependency;
}

void GanttChartItemManager::removeDependency(const GanttChartDependencyPtr& dependency) {
  require(dependency, "removeDependency");
  const GanttChartDependencyPtr removed = dependency;
  removeSourceDependency(removed);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.dependencyWasRemoved(removed, availableItems(), availableDependencies(),
                                         schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->dependencyWasRemoved(removed);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

// --- Times and completion -------------------------------------------------

void GanttChartItemManager::updateTimeDirectly(const GanttChartItemPtr& item,
                                               const TimeRange& time) {
  const TimeRange old = item->time();
  item->setTime(time);
  itemPlacementDidChange(item);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.timeDidChange(item, old, true, true, availableItems(), availableDependencies(),
                                  schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->timeDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateTime(const GanttChartItemPtr& itemArgument, const Time& start) {
  const GanttChartItemPtr item = require(itemArgument, "updateTime");
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const double duration = schedule->duration(old.start, old.finish, TimeUnit::seconds);
  const Time newStart = schedule->nextTime(start);
  const Time finish = schedule->finish(newStart, duration, TimeUnit::seconds);
  updateTimeDirectly(item, TimeRange(newStart, finish < newStart ? newStart : finish));
}

void GanttChartItemManager::updateDurationToFinishOn(const GanttChartItemPtr& itemArgument,
                                                     const Time& finish,
                                                     bool preservingCompletedDuration) {
  const GanttChartItemPtr item = require(itemArgument, "updateDurationToFinishOn");
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const Time completedUntil = timeCompletedUntil(item);
  const double completion = item->completion();
  const Time snapped = schedule->previousTime(finish);
  updateTimeDirectly(item, TimeRange(old.start, snapped < old.start ? old.start : snapped));
  if (preservingCompletedDuration && completion > 0) updateCompletion(item, completedUntil);
}

void GanttChartItemManager::updateDurationToStartOn(const GanttChartItemPtr& itemArgument,
                                                    const Time& start,
                                                    bool preservingCompletedDuration) {
  const GanttChartItemPtr item = require(itemArgument, "updateDurationToStartOn");
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const Time completedUntil = timeCompletedUntil(item);
  const double completion = item->completion();
  const Time snapped = schedule->nextTime(start);
  updateTimeDirectly(item, TimeRange(snapped < old.finish ? snapped : old.finish, old.finish));
  if (preservingCompletedDuration && completion > 0) updateCompletion(item, completedUntil);
}

void GanttChartItemManager::updateCompletion(const GanttChartItemPtr& itemArgument,
                                             const Time& until) {
  const GanttChartItemPtr item = require(itemArgument, "updateCompletion");
  const auto schedule = scheduleFor(item);
  const Time start = item->start();
  const Time finish = item->finish();
  const double total = schedule->duration(start, finish, TimeUnit::seconds);
  Time completedUntil = schedule->previousTime(until);
  if (!(completedUntil < finish)) completedUntil = finish;
  if (completedUntil < start) completedUntil = start;
  // 0 / 0 (no working time) is NaN and counts as complete.
  const double ratio =
      clampedCompletion(schedule->duration(start, completedUntil, TimeUnit::seconds) / total);
  const double old = item->completion();
  item->setCompletion(ratio);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
    return behavior.completionDidChange(item, old, true, true, availableItems(),
                                        availableDependencies(), managerSchedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->completionDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

// --- Rows, expansion, drawing order, visibility ----------------------------

void GanttChartItemManager::updateRow(const GanttChartItemPtr& itemArgument, int64_t row) {
  const GanttChartItemPtr item = require(itemArgument, "updateRow");
  const int64_t old = item->row();
  item->setRow(row);
  itemPlacementDidChange(item);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.rowDidChange(item, old, availableItems(), availableDependencies(), schedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->rowDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateExpansion(const GanttChartItemPtr& itemArgument,
                                            bool isExpanded) {
  const GanttChartItemPtr item = require(itemArgument, "updateExpansion");
  item->setIsExpanded(isExpanded);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& /*schedule*/) {
    return behavior.expansionDidChange(item, availableItems());
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->expansionDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateZIndex(const GanttChartItemPtr& itemArgument, int64_t zIndex) {
  const GanttChartItemPtr item = require(itemArgument, "updateZIndex");
  item->setZIndex(zIndex);
  itemPlacementDidChange(item);
  resetCaches();
  if (auto observer = itemObserver()) observer->zIndexDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::bringToFront(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "bringToFront");
  const GanttChartItemList items = filteredItems();
  if (items.empty()) return;
  int64_t highest = std::numeric_limits<int64_t>::min();
  for (const auto& other : items) highest = std::max(highest, other->zIndex());
  updateZIndex(item, frontOf(highest));
}

void GanttChartItemManager::sendToBack(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "sendToBack");
  const GanttChartItemList items = filteredItems();
  if (items.empty()) return;
  int64_t lowest = std::numeric_limits<int64_t>::max();
  for (const auto& other : items) lowest = std::min(lowest, other->zIndex());
  updateZIndex(item, backOf(lowest));
}

void GanttChartItemManager::bringToFront(const GanttChartDependencyPtr& dependencyArgument) {
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "bringToFront");
  const GanttChartDependencyList dependencies = filteredDependencies();
  if (dependencies.empty()) return;
  int64_t highest = std::numeric_limits<int64_t>::min();
  for (const auto& other : dependencies) highest = std::max(highest, other->zIndex());
  dependency->setZIndex(frontOf(highest));
  resetCaches();
  if (auto observer = itemObserver()) observer->zIndexDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::sendToBack(const GanttChartDependencyPtr& dependencyArgument) {
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "sendToBack");
  const GanttChartDependencyList dependencies = filteredDependencies();
  if (dependencies.empty()) return;
  int64_t lowest = std::numeric_limits<int64_t>::max();
  for (const auto& other : dependencies) lowest = std::min(lowest, other->zIndex());
  dependency->setZIndex(backOf(lowest));
  resetCaches();
  if (auto observer = itemObserver()) observer->zIndexDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::show(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "show");
  item->setIsVisible(true);
  resetCaches();
  if (auto observer = itemObserver()) observer->visibilityDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::hide(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "hide");
  item->setIsVisible(false);
  resetCaches();
  if (auto observer = itemObserver()) observer->visibilityDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::show(const GanttChartDependencyPtr& dependencyArgument) {
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "show");
  dependency->setIsVisible(true);
  resetCaches();
  if (auto observer = itemObserver()) observer->visibilityDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::hide(const GanttChartDependencyPtr& dependencyArgument) {
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "hide");
  dependency->setIsVisible(false);
  resetCaches();
  if (auto observer = itemObserver()) observer->visibilityDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

// --- Re-application ---------------------------------------------------------

void GanttChartItemManager::applyScheduleUpdates(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applySchedule");
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const Time start = schedule->nextTime(old.start);
  Time finish = schedule->previousTime(old.finish);
  if (finish < start) finish = start;
  if (start == old.start && finish == old.finish) return;
  item->setTime(TimeRange(start, finish));
  itemPlacementDidChange(item);
  resetCaches();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
    return behavior.timeDidChange(item, old, true, true, availableItems(), availableDependencies(),
                                  managerSchedule);
  }));
  resetCaches();
  if (auto observer = itemObserver()) observer->timeDidChange(item, old);
}

void GanttChartItemManager::applySchedule(const GanttChartItemPtr& item) {
  applyScheduleUpdates(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applySchedule() {
  // Read once: the snapshot stays as it was while the items change.
  const GanttChartItemList items = availableItems();
  for (const auto& item : items) applyScheduleUpdates(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForTimeOf(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForTimeOf");
  const TimeRange current = item->time();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.timeDidChange(item, current, true, true, availableItems(),
                                  availableDependencies(), schedule);
  }));
}

void GanttChartItemManager::applyBehaviorForTimeOf(const GanttChartItemPtr& item) {
  applyBehaviorUpdatesForTimeOf(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForCompletionOf(
    const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForCompletionOf");
  const double current = item->completion();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.completionDidChange(item, current, true, true, availableItems(),
                                        availableDependencies(), schedule);
  }));
}

void GanttChartItemManager::applyBehaviorForCompletionOf(const GanttChartItemPtr& item) {
  applyBehaviorUpdatesForCompletionOf(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::applyBehaviorUpdatesForRowOf(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForRowOf");
  const int64_t current = item->row();
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.rowDidChange(item, current, availableItems(), availableDependencies(),
                                 schedule);
  }));
}

void GanttChartItemManager::applyBehaviorForRowOf(const GanttChartItemPtr& item) {
  applyBehaviorUpdatesForRowOf(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForExpansionStateOf(
    const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForExpansionStateOf");
  if (item->isExpanded()) return;
  performUpdates(askBehavior([&](GanttChartItemBehavior& behavior, const auto& /*schedule*/) {
    return behavior.expansionDidChange(item, availableItems());
  }));
}

void GanttChartItemManager::applyBehaviorForExpansionStateOf(const GanttChartItemPtr& item) {
  applyBehaviorUpdatesForExpansionStateOf(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehavior(const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehavior");
  applyBehaviorUpdatesForRowOf(item);
  applyBehaviorUpdatesForExpansionStateOf(item);
  applyBehaviorUpdatesForTimeOf(item);
  applyBehaviorUpdatesForCompletionOf(item);
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdates() {
  const GanttChartItemList items = availableItems();
  for (const auto& item : items) {
    applyBehaviorUpdatesForRowOf(item);
    applyBehaviorUpdatesForExpansionStateOf(item);
    applyBehaviorUpdatesForTimeOf(item);
    applyBehaviorUpdatesForCompletionOf(item);
  }
}

void GanttChartItemManager::applyBehavior() {
  applyBehaviorUpdates();
  resetCaches();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

void GanttChartItemManager::collectionDidChange() {
  clearCache();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

}  // namespace vorlent
