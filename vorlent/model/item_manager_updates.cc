// The changing half of GanttChartItemManager: the public operations, the
// re-application operations and the update engine with its cascade.
//
// Every public operation runs the same steps: the direct change; clearing the
// caches, so that the behaviour already sees the collection as it is after the
// change (a provider falling back on the filtered lists would otherwise show a
// removed item); the behaviour's answer through the engine; clearing the
// caches again; the item observer; the collection observer. Every clearing
// goes through the overridable `clearCache()`.

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vorlent/base/fatal.h"
#include "vorlent/base/scoped_count.h"
#include "vorlent/model/address_map.h"
#include "vorlent/model/column_row_pass.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_behavior_set.h"
#include "vorlent/model/item_manager.h"
#include "vorlent/model/library_rules.h"

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

// A finish snapped back before the start collapses onto the start.
TimeRange rangeNotBefore(const Time& start, const Time& finish) {
  return TimeRange(start, finish < start ? start : finish);
}

// One above the highest (below the lowest) z-index in `list`; nullopt for an
// empty list. Saturates: an element already at the integer's end stays there
// rather than overflowing.
template <class List>
std::optional<int64_t> frontZIndex(const List& list) {
  if (list.empty()) return std::nullopt;
  int64_t highest = std::numeric_limits<int64_t>::min();
  for (const auto& element : list) highest = std::max(highest, element->zIndex());
  return highest == std::numeric_limits<int64_t>::max() ? highest : highest + 1;
}
template <class List>
std::optional<int64_t> backZIndex(const List& list) {
  if (list.empty()) return std::nullopt;
  int64_t lowest = std::numeric_limits<int64_t>::max();
  for (const auto& element : list) lowest = std::min(lowest, element->zIndex());
  return lowest == std::numeric_limits<int64_t>::min() ? lowest : lowest - 1;
}

}  // namespace

GanttChartItemManager::OperationScope::OperationScope(GanttChartItemManager& manager)
    : manager_(manager),
      alive_(manager.weak_from_this().lock()),
      timesAssignedBefore_(
          std::exchange(manager.timesAssignedBeforeOperation_, manager.timesAssigned_)) {
  if (manager_.operationDepth_++ == 0) {
    // Kept while an engine pass of an outer call is still counting in them;
    // earlier change times compare as before anything this operation does.
    if (manager_.enginePasses_ == 0 && !manager_.marks_.empty()) manager_.marks_.clear();
    if (!manager_.conflicting_.empty()) manager_.conflicting_.clear();
    manager_.questionsFromCallbacks_ = 0;
  }
  // Called back from a question: the lists handed to it must keep showing
  // the chart as it was asked about, whatever this operation changes.
  if (manager_.questionDepth_ > 0) manager_.produceQuestionLists();
}

GanttChartItemManager::OperationScope::~OperationScope() {
  --manager_.operationDepth_;
  manager_.timesAssignedBeforeOperation_ = timesAssignedBefore_;
}

void GanttChartItemManager::timeWasChanged(const GanttChartItem* item, uint64_t list) {
  EngineMarks& marks = marks_[item];
  marks.timeChangedAt = ++changeSerial_;
  marks.timeChangedBy = list;
}

void GanttChartItemManager::completionWasChanged(const GanttChartItem* item, uint64_t list) {
  EngineMarks& marks = marks_[item];
  marks.completionChangedAt = ++changeSerial_;
  marks.completionChangedBy = list;
}

bool GanttChartItemManager::isOvertaken(const GanttChartItemUpdateAction& action,
                                        uint64_t changeMark, uint64_t list) const {
  // Nothing changed since: the usual case for the first action of a list,
  // which needs no look-up then.
  if (changeMark == changeSerial_) return false;
  using Action = GanttChartItemUpdateAction;
  const bool time = std::holds_alternative<Action::UpdateTime>(action.variant());
  if (!time && !std::holds_alternative<Action::UpdateCompletion>(action.variant())) return false;
  const EngineMarks* marks = marks_.find(action.item().get());
  if (marks == nullptr) return false;
  // A change made by an action of the list itself does not count. Had a
  // cascade changed the item after it, every later action of the list for
  // the item would have been skipped, leaving the cascade's change the last:
  // a last change by the list means no cascade of it has changed the item.
  if (time) return changeMark < marks->timeChangedAt && marks->timeChangedBy != list;
  return changeMark < marks->completionChangedAt && marks->completionChangedBy != list;
}

template <class Ask>
GanttChartItemUpdateActions GanttChartItemManager::askBehavior(const Ask& ask) {
  // Copies, so that a callback that replaces the behaviour or the schedule
  // keeps the ones it runs with alive until it returns.
  const GanttChartItemBehaviorPtr behavior = this->behavior();
  if (!behavior || kMaxNestedQuestions <= questionDepth_) return {};
  if (questionDepth_ > 0 && kMaxQuestionsFromCallbacks < ++questionsFromCallbacks_) return {};
  const std::shared_ptr<ScheduleDefinition> schedule = this->schedule();
  // A behaviour that edits the chart from this callback starts an operation
  // nested in this one, whose own question the behaviour answers in full.
  const detail::NewBehaviorQuestion question;
  const size_t itemsBefore = questionItems_.size();
  const size_t dependenciesBefore = questionDependencies_.size();
  ++questionDepth_;
  GanttChartItemUpdateActions answer = ask(*behavior, schedule);
  --questionDepth_;
  while (questionItems_.size() > itemsBefore) questionItems_.pop_back();
  while (questionDependencies_.size() > dependenciesBefore) questionDependencies_.pop_back();
  return answer;
}

GanttChartItemList GanttChartItemManager::itemsForQuestion() {
  GanttChartItemList items = availableItems();
  if (!items.isProduced()) questionItems_.push_back(items.borrowed());
  return items;
}

GanttChartDependencyList GanttChartItemManager::dependenciesForQuestion() {
  GanttChartDependencyList dependencies = availableDependencies();
  if (!dependencies.isProduced()) questionDependencies_.push_back(dependencies.borrowed());
  return dependencies;
}

void GanttChartItemManager::produceQuestionLists() {
  // By position, each handle copied first: producing a list may ask a host,
  // whose own questions then add (and take back) lists of theirs.
  for (size_t i = 0; i < questionItems_.size(); ++i) {
    const GanttChartItemList::Borrowed items = questionItems_[i];
    items.produce();
  }
  for (size_t i = 0; i < questionDependencies_.size(); ++i) {
    const GanttChartDependencyList::Borrowed dependencies = questionDependencies_[i];
    dependencies.produce();
  }
}

template <class Run>
void GanttChartItemManager::withSummariesRemembered(const Run& run) {
  if (remembersSummaries_ || !remembersSummaries()) {
    run();
    return;
  }
  // Held strongly, as a provider asked below may replace the rules.
  const detail::LibraryRules census = detail::libraryRulesOf(behavior());
  std::vector<std::shared_ptr<GanttChartItemHierarchicalBehavior>> remembering;
  if (!census.foreign) {
    for (const auto& rule : census.hierarchies) {
      // Shared with a chart whose operation is under way.
      if (rule->remembering_) continue;
      rule->startRemembering();
      remembering.push_back(rule);
    }
  }
  remembersSummaries_ = true;
  run();
  remembersSummaries_ = false;
  for (const auto& rule : remembering) rule->forget();
}

template <class Ask>
void GanttChartItemManager::reapply(const GanttChartItemPtr& /*item*/, const Ask& ask) {
  withSummariesRemembered([&] { performUpdates(askBehavior(ask)); });
}

template <class Ask>
void GanttChartItemManager::answerChange(const Ask& ask) {
  clearCacheAfterChange();
  withSummariesRemembered([&] { performUpdates(askBehavior(ask)); });
  clearCacheAfterChange();
}

// --- Update engine --------------------------------------------------------

void GanttChartItemManager::performUpdates(GanttChartItemUpdateActions actions) {
  // Within an operation, a scope for no actions would come and go without a
  // trace; the pass below still runs, as an override may count on it.
  std::optional<OperationScope> alive;
  if (!actions.empty() || operationDepth_ == 0) alive.emplace(*this);
  withSummariesRemembered([&] { performUpdates(std::move(actions), 0); });
}

void GanttChartItemManager::performUpdates(GanttChartItemUpdateActions actions,
                                           int64_t recursivity) {
  // Nothing to apply within an operation: a scope of its own would come and
  // go without a trace (the whole-chart pass asks about every item, and most
  // answers are empty).
  if (actions.empty() && operationDepth_ > 0) return;
  const auto alive = keepAlive();
  if (maxBehaviorRecursivity() <= recursivity || actions.empty()) return;
  const CascadeBounds bounds = cascadeBounds();
  // Worked out when a list first reaches the level bound, as most cascades
  // never get there.
  std::optional<bool> libraryRulesAlone;
  const auto onlyLibraryRules = [&] {
    if (!libraryRulesAlone) {
      const GanttChartItemBehaviorPtr behavior = this->behavior();
      libraryRulesAlone = behavior && !detail::libraryRulesOf(behavior).foreign;
    }
    return *libraryRulesAlone;
  };
  // The recursion of a depth-first walk made explicit: the top frame is the
  // list being applied; an action's follow-ups are pushed above it and run to
  // the end before its next sibling.
  struct Frame {
    GanttChartItemUpdateActions actions;
    size_t next;
    int64_t level;
    // Whose change these follow up; null at the root. A rule answering may
    // remove it from the chart, leaving the action that changed it its last
    // owner: that action stays in the list below until this frame is done.
    const GanttChartItem* cause;
    uint64_t computedAt;  // `changeMark()` right after the list was computed
    uint64_t list;        // the list's number, from `listSerial_`
  };
  std::vector<Frame> stack;
  stack.push_back(Frame{std::move(actions), 0, recursivity, nullptr, changeMark(), ++listSerial_});
  // Conflicting rules (say a dependency from a summary to its own child under
  // hierarchy and auto-scheduling) make an item's changes come back to that
  // same item along their own follow-ups, each time with several changes that
  // all come back again: bounded by depth alone, that tree grows exponentially.
  // So an item whose changes came back to it `returnsPerItem` times in this
  // cascade gets no further follow-ups when they come back again. Only such
  // returns count: an item merely reached along many independent paths (many
  // predecessors of one task) is followed up every time, as it must be.
  //
  // The outermost pass counts the frames each item caused in its marks; a
  // pass nested in it (a callback's own operation) counts apart.
  const bool outermost = enginePasses_ == 0;
  const detail::ScopedCount pass(enginePasses_);
  detail::AddressMap<int64_t> nestedPending;
  const auto pendingOf = [&](const GanttChartItem* item) -> int64_t& {
    return outermost ? marks_[item].pending : nestedPending[item];
  };
  std::unordered_map<const GanttChartItem*, int64_t> returned;  // follow-ups taken on return
  // Items of loops whose lists the level bound has dropped once in this pass.
  std::unordered_set<const GanttChartItem*> stoppedAtLevels;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.actions.size()) {
      if (frame.cause != nullptr) --pendingOf(frame.cause);
      stack.pop_back();
      continue;
    }
    // Left in its list, which holds the item for the frames above (see
    // `Frame::cause`) without touching its reference count at every step.
    const GanttChartItemUpdateAction& action = frame.actions[frame.next++];
    const int64_t level = frame.level;
    if (isOvertaken(action, frame.computedAt, frame.list)) continue;
    clearCacheAfterChange();
    std::optional<GanttChartItemUpdateActions> followUps = apply(action, frame.list);
    if (!followUps || followUps->empty()) continue;
    const GanttChartItem* cause = action.item().get();
    // Nothing below marks a new item before the count is raised or the list
    // dropped, so the reference stays valid; `depth` keeps the count before.
    int64_t& pending = pendingOf(cause);
    const int64_t depth = pending;
    // `level` < bound <= INT64_MAX, so level + 1 cannot overflow. Under the
    // library's rules alone, from the default bound on, only a change that
    // came back round twice is cut by level: a chain of distinct items
    // settles however deep it is. A lower bound is the host's choice and cuts
    // every list that reaches it, and no more than it would a host's rule:
    // a loop that settles may reach it again and again.
    const int64_t bound = maxBehaviorRecursivity();
    // Below the default, the library's rules are bounded as a host's are.
    const auto plainBounds = [&] {
      return bound < kDefaultMaxBehaviorRecursivity || !onlyLibraryRules();
    };
    const bool pastLevels = bounds.levels && bound <= level + 1 && (depth >= 2 || plainBounds());
    bool cut = pastLevels;
    if (!cut && !conflicting_.empty() && conflicting_.count(cause) != 0) cut = true;
    const bool nestedTooOften =
        depth > 0 && bounds.conflictNesting > 0 && bounds.conflictNesting <= depth;
    // Under the library's rules the level bound is reached at depth 2 only by
    // a loop; a loop of several items can reach it before any of them comes
    // round `conflictNesting` times. But a loop that settles (a summary growing
    // over a child, a constraint correcting a pushed item) reaches a small
    // bound as well, and then only its list is dropped, as for any rule: its
    // items go on being followed up below the bound. A loop that climbs back
    // to the bound in the same pass, set going again by a pending sibling
    // below, is a conflict: cutting just its list would let every sibling
    // restart it.
    if (((pastLevels && depth >= 2) || (!cut && nestedTooOften)) && !plainBounds()) {
      // The loop is the path since `cause` first changed; its other items
      // have come round about as often as `cause`: all of them stop at once,
      // rather than one by one after a walk each. An item on the path before
      // the loop (say, upstream of it) is not part of it, however often it
      // came round itself.
      const int64_t least = std::max<int64_t>(2, depth - depth / 2);
      const bool conflict = nestedTooOften || stoppedAtLevels.count(cause) != 0;
      std::unordered_set<const GanttChartItem*>& loop = conflict ? conflicting_ : stoppedAtLevels;
      size_t loopStart = stack.size();
      for (size_t k = stack.size(); k-- > 0;) {
        if (stack[k].cause == cause) loopStart = k;
      }
      for (size_t k = loopStart; k < stack.size(); ++k) {
        const GanttChartItem* item = stack[k].cause;
        if (least <= pendingOf(item)) loop.insert(item);
      }
      loop.insert(cause);
      cut = true;
    }
    if (!cut && depth > 0 && plainBounds()) {
      int64_t& returns = returned[cause];
      cut = bounds.returnsPerItem <= returns;
      if (!cut) ++returns;
    }
    if (cut) {
      cascadeWasCut(action.item());
      continue;
    }
    ++pending;
    const int64_t next = level < std::numeric_limits<int64_t>::max() ? level + 1 : level;
    stack.push_back(Frame{std::move(*followUps), 0, next, cause, changeMark(), ++listSerial_});
  }
}

TimeRange GanttChartItemManager::snappedTime(const GanttChartItemPtr& item,
                                             const TimeRange& value) const {
  if (item->type() == GanttChartItemType::milestone) return TimeRange(value.start, value.start);
  const auto schedule = scheduleFor(item);
  if (item->type() == GanttChartItemType::summary) {
    return rangeNotBefore(schedule->nextTime(value.start), value.finish);
  }
  return rangeNotBefore(schedule->nextTime(value.start), schedule->previousTime(value.finish));
}

std::optional<GanttChartItemUpdateActions> GanttChartItemManager::apply(
    const GanttChartItemUpdateAction& action, uint64_t list) {
  using Action = GanttChartItemUpdateAction;
  if (const auto* change = std::get_if<Action::UpdateTime>(&action.variant())) {
    const GanttChartItemPtr& item = change->item;
    const TimeRange updated = snappedTime(item, change->value);
    const TimeRange current = item->time();
    if (updated.start == current.start && updated.finish == current.finish) return std::nullopt;
    const TimeRange old = assignTime(item, updated, list);
    if (auto observer = itemObserver()) observer->timeDidChange(item, old);
    if (!change->up && !change->down) return std::nullopt;
    return askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
      return behavior.timeDidChange(item, old, change->up, change->down, itemsForQuestion(),
                                    dependenciesForQuestion(), managerSchedule);
    });
  }
  if (const auto* change = std::get_if<Action::UpdateCompletion>(&action.variant())) {
    const GanttChartItemPtr& item = change->item;
    const double old = item->completion();
    const double updated = clampedCompletion(change->value);
    if (updated == old) return std::nullopt;
    item->setCompletion(updated);
    completionWasChanged(item.get(), list);
    if (auto observer = itemObserver()) observer->completionDidChange(item, old);
    if (!change->up && !change->down) return std::nullopt;
    return askBehavior([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
      return behavior.completionDidChange(item, old, change->up, change->down, itemsForQuestion(),
                                          dependenciesForQuestion(), managerSchedule);
    });
  }
  if (const auto* change = std::get_if<Action::UpdateRow>(&action.variant())) {
    const int64_t old = change->item->row();
    if (change->value == old) return std::nullopt;
    itemPlacementWillChange(change->item);
    change->item->setRow(change->value);
    itemPlacementDidChange(change->item, change->item->time());
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
  const auto alive = keepAlive();
  const Time start = schedule()->nextTime(time);
  GanttChartItemPtr item = addNewSourceItem(row, start, isMilestone);
  require(item, "addNewItem (the item factory made no item)");
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.itemWasAdded(item, itemsForQuestion(), dependenciesForQuestion(), schedule);
  });
  if (auto observer = itemObserver()) observer->itemWasAdded(item);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
  return item;
}

void GanttChartItemManager::removeItem(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  require(item, "removeItem");
  // A copy: the caller's reference may point into a list the removal changes.
  const GanttChartItemPtr removed = item;
  removeSourceItem(removed);
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.itemWasRemoved(removed, itemsForQuestion(), dependenciesForQuestion(),
                                   schedule);
  });
  if (auto observer = itemObserver()) observer->itemWasRemoved(removed);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

GanttChartDependencyPtr GanttChartItemManager::addNewDependency(
    const GanttChartItemPtr& fromArgument, const GanttChartItemPtr& toArgument,
    GanttChartDependencyType type) {
  const GanttChartItemPtr from = require(fromArgument, "addNewDependency");
  const auto alive = keepAlive();
  const GanttChartItemPtr to = require(toArgument, "addNewDependency");
  GanttChartDependencyPtr dependency = addNewSourceDependency(from, to, type);
  require(dependency, "addNewDependency (the item factory made no dependency)");
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.dependencyWasAdded(dependency, itemsForQuestion(), dependenciesForQuestion(),
                                       schedule);
  });
  if (auto observer = itemObserver()) observer->dependencyWasAdded(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
  return dependency;
}

void GanttChartItemManager::removeDependency(const GanttChartDependencyPtr& dependency) {
  const auto alive = keepAlive();
  require(dependency, "removeDependency");
  const GanttChartDependencyPtr removed = dependency;
  removeSourceDependency(removed);
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.dependencyWasRemoved(removed, itemsForQuestion(), dependenciesForQuestion(),
                                         schedule);
  });
  if (auto observer = itemObserver()) observer->dependencyWasRemoved(removed);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

// --- Times and completion -------------------------------------------------

TimeRange GanttChartItemManager::assignTime(const GanttChartItemPtr& item, const TimeRange& time,
                                            uint64_t list) {
  const TimeRange old = item->time();
  itemPlacementWillChange(item);
  item->setTime(time);
  ++timesAssigned_;
  timeWasChanged(item.get(), list);
  itemPlacementDidChange(item, old);
  return old;
}

void detail::putBackWithoutRules(GanttChartItemManager& manager, const GanttChartItemPtr& item,
                                 const TimeRange& time, double completion) {
  const auto alive = manager.keepAlive();
  if (!(item->time() == time)) {
    manager.clearCacheAfterChange();
    const TimeRange old = manager.assignTime(item, time);
    if (auto observer = manager.itemObserver()) observer->timeDidChange(item, old);
  }
  // A completion is only clamped, never snapped: the engine's own action
  // puts it back exactly.
  manager.performUpdates(
      {GanttChartItemUpdateAction::updateCompletionAction(item, completion, false, false)});
}

void GanttChartItemManager::updateTimeDirectly(const GanttChartItemPtr& item,
                                               const TimeRange& time) {
  const TimeRange old = assignTime(item, time);
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.timeDidChange(item, old, true, true, itemsForQuestion(),
                                  dependenciesForQuestion(), schedule);
  });
  if (auto observer = itemObserver()) observer->timeDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateTime(const GanttChartItemPtr& itemArgument, const Time& start) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "updateTime");
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const double duration = schedule->duration(old.start, old.finish, TimeUnit::seconds);
  const Time newStart = schedule->nextTime(start);
  const Time finish = schedule->finish(newStart, duration, TimeUnit::seconds);
  updateTimeDirectly(item, rangeNotBefore(newStart, finish));
}

void GanttChartItemManager::updateDurationToFinishOn(const GanttChartItemPtr& itemArgument,
                                                     const Time& finish,
                                                     bool preservingCompletedDuration) {
  const GanttChartItemPtr item = require(itemArgument, "updateDurationToFinishOn");
  const auto alive = keepAlive();
  const auto schedule = scheduleFor(item);
  const TimeRange old = item->time();
  const Time completedUntil = timeCompletedUntil(item);
  const double completion = item->completion();
  const Time snapped = schedule->previousTime(finish);
  updateTimeDirectly(item, rangeNotBefore(old.start, snapped));
  if (preservingCompletedDuration && completion > 0) updateCompletion(item, completedUntil);
}

void GanttChartItemManager::updateDurationToStartOn(const GanttChartItemPtr& itemArgument,
                                                    const Time& start,
                                                    bool preservingCompletedDuration) {
  const GanttChartItemPtr item = require(itemArgument, "updateDurationToStartOn");
  const auto alive = keepAlive();
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
  const auto alive = keepAlive();
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
  completionWasChanged(item.get());
  answerChange([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
    return behavior.completionDidChange(item, old, true, true, itemsForQuestion(),
                                        dependenciesForQuestion(), managerSchedule);
  });
  if (auto observer = itemObserver()) observer->completionDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

// --- Rows, expansion, drawing order, visibility ----------------------------

void GanttChartItemManager::updateRow(const GanttChartItemPtr& itemArgument, int64_t row) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "updateRow");
  const int64_t old = item->row();
  itemPlacementWillChange(item);
  item->setRow(row);
  itemPlacementDidChange(item, item->time());
  answerChange([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.rowDidChange(item, old, itemsForQuestion(), dependenciesForQuestion(),
                                 schedule);
  });
  if (auto observer = itemObserver()) observer->rowDidChange(item, old);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateExpansion(const GanttChartItemPtr& itemArgument,
                                            bool isExpanded) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "updateExpansion");
  item->setIsExpanded(isExpanded);
  answerChange([&](GanttChartItemBehavior& behavior, const auto& /*schedule*/) {
    return behavior.expansionDidChange(item, itemsForQuestion());
  });
  if (auto observer = itemObserver()) observer->expansionDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::updateZIndex(const GanttChartItemPtr& itemArgument, int64_t zIndex) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "updateZIndex");
  itemPlacementWillChange(item);
  item->setZIndex(zIndex);
  itemPlacementDidChange(item, item->time());
  clearCacheAfterChange();
  if (auto observer = itemObserver()) observer->zIndexDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::bringToFront(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "bringToFront");
  if (const auto zIndex = frontZIndex(filteredItems())) updateZIndex(item, *zIndex);
}

void GanttChartItemManager::sendToBack(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "sendToBack");
  if (const auto zIndex = backZIndex(filteredItems())) updateZIndex(item, *zIndex);
}

void GanttChartItemManager::bringToFront(const GanttChartDependencyPtr& dependencyArgument) {
  const auto alive = keepAlive();
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "bringToFront");
  if (const auto zIndex = frontZIndex(filteredDependencies())) {
    updateDependencyZIndex(dependency, *zIndex);
  }
}

void GanttChartItemManager::sendToBack(const GanttChartDependencyPtr& dependencyArgument) {
  const auto alive = keepAlive();
  const GanttChartDependencyPtr dependency = require(dependencyArgument, "sendToBack");
  if (const auto zIndex = backZIndex(filteredDependencies())) {
    updateDependencyZIndex(dependency, *zIndex);
  }
}

void GanttChartItemManager::updateDependencyZIndex(const GanttChartDependencyPtr& dependency,
                                                   int64_t zIndex) {
  dependency->setZIndex(zIndex);
  clearCacheAfterChange();
  if (auto observer = itemObserver()) observer->zIndexDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::show(const GanttChartItemPtr& item) {
  updateVisibility(require(item, "show"), true);
}

void GanttChartItemManager::hide(const GanttChartItemPtr& item) {
  updateVisibility(require(item, "hide"), false);
}

void GanttChartItemManager::show(const GanttChartDependencyPtr& dependency) {
  updateVisibility(require(dependency, "show"), true);
}

void GanttChartItemManager::hide(const GanttChartDependencyPtr& dependency) {
  updateVisibility(require(dependency, "hide"), false);
}

void GanttChartItemManager::updateVisibility(const GanttChartItemPtr& item, bool isVisible) {
  const auto alive = keepAlive();
  item->setIsVisible(isVisible);
  clearCacheAfterChange();
  if (auto observer = itemObserver()) observer->visibilityDidChange(item);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::updateVisibility(const GanttChartDependencyPtr& dependency,
                                             bool isVisible) {
  const auto alive = keepAlive();
  dependency->setIsVisible(isVisible);
  clearCacheAfterChange();
  if (auto observer = itemObserver()) observer->visibilityDidChange(dependency);
  notifyCollection({CollectionChange::collection, CollectionChange::filteredDependencies});
}

// --- Re-application ---------------------------------------------------------

void GanttChartItemManager::applyScheduleUpdates(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "applySchedule");
  const auto schedule = scheduleFor(item);
  const TimeRange unsnapped = item->time();
  const TimeRange snapped =
      rangeNotBefore(schedule->nextTime(unsnapped.start), schedule->previousTime(unsnapped.finish));
  if (snapped.start == unsnapped.start && snapped.finish == unsnapped.finish) return;
  const TimeRange old = assignTime(item, snapped);
  answerChange([&](GanttChartItemBehavior& behavior, const auto& managerSchedule) {
    return behavior.timeDidChange(item, old, true, true, itemsForQuestion(),
                                  dependenciesForQuestion(), managerSchedule);
  });
  if (auto observer = itemObserver()) observer->timeDidChange(item, old);
}

void GanttChartItemManager::applySchedule(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  applyScheduleUpdates(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applySchedule() {
  const auto alive = keepAlive();
  // Read once: the snapshot stays as it was while the items change.
  const GanttChartItemList items = availableItems();
  for (const auto& item : items) applyScheduleUpdates(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForTimeOf(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForTimeOf");
  performUpdates(askAboutTimeOf(item));
}

GanttChartItemUpdateActions GanttChartItemManager::askAboutTimeOf(const GanttChartItemPtr& item) {
  const TimeRange current = item->time();
  return askBehavior([&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.timeDidChange(item, current, true, true, itemsForQuestion(),
                                  dependenciesForQuestion(), schedule);
  });
}

void GanttChartItemManager::applyBehaviorForTimeOf(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  applyBehaviorUpdatesForTimeOf(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::preferredTimeline,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForCompletionOf(
    const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForCompletionOf");
  const auto alive = keepAlive();
  const double current = item->completion();
  reapply(item, [&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.completionDidChange(item, current, true, true, itemsForQuestion(),
                                        dependenciesForQuestion(), schedule);
  });
}

void GanttChartItemManager::applyBehaviorForCompletionOf(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  applyBehaviorUpdatesForCompletionOf(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::filteredItems});
}

void GanttChartItemManager::applyBehaviorUpdatesForRowOf(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForRowOf");
  const int64_t current = item->row();
  reapply(item, [&](GanttChartItemBehavior& behavior, const auto& schedule) {
    return behavior.rowDidChange(item, current, itemsForQuestion(), dependenciesForQuestion(),
                                 schedule);
  });
}

void GanttChartItemManager::applyBehaviorForRowOf(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  applyBehaviorUpdatesForRowOf(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehaviorUpdatesForExpansionStateOf(
    const GanttChartItemPtr& itemArgument) {
  const GanttChartItemPtr item = require(itemArgument, "applyBehaviorForExpansionStateOf");
  const auto alive = keepAlive();
  if (item->isExpanded()) return;
  reapply(item, [&](GanttChartItemBehavior& behavior, const auto& /*schedule*/) {
    return behavior.expansionDidChange(item, itemsForQuestion());
  });
}

void GanttChartItemManager::applyBehaviorForExpansionStateOf(const GanttChartItemPtr& item) {
  const auto alive = keepAlive();
  applyBehaviorUpdatesForExpansionStateOf(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::filteredItems, CollectionChange::filteredDependencies});
}

void GanttChartItemManager::applyBehavior(const GanttChartItemPtr& itemArgument) {
  const auto alive = keepAlive();
  const GanttChartItemPtr item = require(itemArgument, "applyBehavior");
  applyBehaviorUpdatesForRowOf(item);
  applyBehaviorUpdatesForExpansionStateOf(item);
  applyBehaviorUpdatesForTimeOf(item);
  applyBehaviorUpdatesForCompletionOf(item);
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

bool GanttChartItemManager::applyColumnRowStepsAtOnce(const GanttChartItemList& items) {
  const GanttChartItemBehaviorPtr behavior = this->behavior();
  if (!behavior || maxBehaviorRecursivity() <= 0) return false;
  const std::vector<GanttChartItemPtr>& elements = items.elements();
  // Filtered lists gain and lose items as rows change, which only asking
  // item by item reproduces.
  if (availableItemsFromFilter_) return false;
  const std::optional<detail::ColumnPassRules> rules = detail::ColumnPassRules::of(behavior);
  if (!rules) return false;
  detail::ColumnPassHooks hooks;
  hooks.storeRow = [this](const GanttChartItemPtr& item, int64_t row) {
    itemPlacementWillChange(item);
    item->setRow(row);
    itemPlacementDidChange(item, item->time());
  };
  // The rules answer a collapse with rows and visibilities only, about items
  // they were handed, so the pass reports every change it makes.
  hooks.askExpansion = [this](const GanttChartItemPtr& item) {
    clearCacheAfterChange();
    bool changed = false;
    for (const auto& action : askBehavior([&](GanttChartItemBehavior& rule, const auto&) {
           return rule.expansionDidChange(item, itemsForQuestion());
         })) {
      using Action = GanttChartItemUpdateAction;
      if (const auto* row = std::get_if<Action::UpdateRow>(&action.variant())) {
        if (row->item->row() == row->value) continue;
        itemPlacementWillChange(row->item);
        row->item->setRow(row->value);
        itemPlacementDidChange(row->item, row->item->time());
        changed = true;
      } else if (const auto* shown = std::get_if<Action::UpdateVisibility>(&action.variant())) {
        if (shown->item->isVisible() == shown->value) continue;
        shown->item->setIsVisible(shown->value);
        changed = true;
      }
    }
    return changed;
  };
  const auto changes = detail::runColumnPass(elements, *rules, hooks);
  if (!changes) return false;
  clearCacheAfterChange();
  // Told once every row is in place, so an observer reading the chart sees
  // it whole.
  for (const auto& [item, row, wasVisible] : *changes) {
    const auto observer = itemObserver();
    if (observer && item->row() != row) observer->rowDidChange(item, row);
    if (observer && item->isVisible() != wasVisible) observer->visibilityDidChange(item);
  }
  return true;
}


void GanttChartItemManager::applyBehaviorUpdates() {
  const auto alive = keepAlive();
  const GanttChartItemList items = availableItems();
  withSummariesRemembered([&] {
    // Asking about each item once places every chain in full, as the
    // cascade does only from the default bound on.
    if (maxBehaviorRecursivity() >= kDefaultMaxBehaviorRecursivity &&
        applyBehaviorUpdatesInLinkOrder(items)) {
      return;
    }
    // The pass also took every collapsed item's expansion step in its place.
    if (applyColumnRowStepsAtOnce(items)) {
      for (const auto& item : items) {
        applyBehaviorUpdatesForTimeOf(item);
        applyBehaviorUpdatesForCompletionOf(item);
      }
      return;
    }
    for (const auto& item : items) {
      applyBehaviorUpdatesForRowOf(item);
      applyBehaviorUpdatesForExpansionStateOf(item);
      applyBehaviorUpdatesForTimeOf(item);
      applyBehaviorUpdatesForCompletionOf(item);
    }
  });
}

void GanttChartItemManager::applyBehavior() {
  const auto alive = keepAlive();
  applyBehaviorUpdates();
  clearCacheAfterChange();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

void GanttChartItemManager::collectionDidChange() {
  const auto alive = keepAlive();
  clearCache();
  notifyCollection({CollectionChange::collection, CollectionChange::totalRowCount,
                    CollectionChange::preferredTimeline, CollectionChange::filteredItems,
                    CollectionChange::filteredDependencies});
}

}  // namespace vorlent
