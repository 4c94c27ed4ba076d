#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "vorlent/model/collection_provider.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/filter_cache.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/item_factory.h"
#include "vorlent/model/item_lists.h"
#include "vorlent/model/item_marks.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/row_range.h"
#include "vorlent/model/update_action.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

class GanttChartItemHierarchicalBehavior;

// The model-side hub of a chart. It reads the items and dependencies of a
// host's collection provider (or, in `GanttChartItemSource`, of its own
// arrays), answers the controllers' questions through caches, and makes every
// change: the direct change, snapped to working time where it concerns times;
// then the behaviour's follow-ups, applied depth first and bounded by
// `maxBehaviorRecursivity` (see `performUpdates`); then the item observer
// (cascaded items first, the directly changed item last) and the collection
// observer.
//
// The public operations store and notify even when the value equals the old
// one; only the update engine (the behaviours' follow-ups) and the filter
// setters skip unchanged values. An operation whose own change moves no time
// (a link, a row, a completion) still tells the collection observer of the
// preferred timeline when the behaviour's answer moved an item.
//
// The provider, observers and factory are held weakly and looked up at each
// use; one that has gone counts as not set. Lists handed out are shared
// snapshots, valid and unchanged whatever happens to the caches later, so
// observers and behaviours may call back into the manager (a nested operation
// starts its own cascade). Everything runs on one thread.
//
// Own a manager by `std::shared_ptr` (the lazily produced lists it hands to
// behaviours refer back to it weakly); one that is not so owned works but
// produces those lists eagerly. A manager so owned also holds itself for the
// length of each operation that calls out to hosts, so an observer or a
// behaviour may release the last other owner mid-call; a manager owned
// otherwise must outlive every call made on it.
class GanttChartItemManager;

namespace detail {

// Gives `item` exactly `time` and `completion`, without snapping to working
// time and without asking the behaviour; the item observer hears of it as of
// an update action. For an editor that undoes, within one gesture, what the
// rules made of the item it edits (an end the host put off working time
// stays where it was).
void putBackWithoutRules(GanttChartItemManager& manager, const GanttChartItemPtr& item,
                         const TimeRange& time, double completion);

}  // namespace detail

class GanttChartItemManager : public GanttChartItemFactory,
                              public std::enable_shared_from_this<GanttChartItemManager> {
  friend void detail::putBackWithoutRules(GanttChartItemManager& manager,
                                          const GanttChartItemPtr& item, const TimeRange& time,
                                          double completion);

 public:
  // A null schedule means `ScheduleDefinition::continuous()`. The filter
  // starts at row 0 and the current week.
  GanttChartItemManager(std::weak_ptr<GanttChartCollectionProvider> collectionProvider,
                        std::shared_ptr<ScheduleDefinition> schedule,
                        GanttChartItemBehaviorPtr behavior);
  ~GanttChartItemManager() override = default;
  GanttChartItemManager(const GanttChartItemManager&) = delete;
  GanttChartItemManager& operator=(const GanttChartItemManager&) = delete;

  // --- Filter -------------------------------------------------------------
  // Rows and time range the controllers show. Setting a different value tells
  // the collection observer filteredItemsDidChange, then
  // filteredDependenciesDidChange; an equal one (`Time` equality, so 24:00
  // equals the next day's 0:00) tells nothing. No cache is cleared: the
  // filtered caches are keyed by the filter.
  [[nodiscard]] virtual const RowRange& range() const { return range_; }
  virtual void setRange(const RowRange& range);
  [[nodiscard]] virtual const TimeRange& timeline() const { return timeline_; }
  virtual void setTimeline(const TimeRange& timeline);

  // --- Cached reads -------------------------------------------------------
  [[nodiscard]] virtual int64_t totalRowCount();
  [[nodiscard]] virtual TimeRange preferredTimeline();
  [[nodiscard]] virtual GanttChartItemList filteredItems();
  [[nodiscard]] virtual GanttChartDependencyList filteredDependencies();

  // --- Source hooks: what the caches are filled from ------------------------
  // The base class asks the collection provider: 0 rows, the current week and
  // empty lists without one.
  [[nodiscard]] virtual int64_t sourceTotalRowCount();
  [[nodiscard]] virtual TimeRange sourcePreferredTimeline();
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> sourceFilteredItems();
  [[nodiscard]] virtual std::vector<GanttChartDependencyPtr> sourceFilteredDependencies();

  // Everything the behaviours may consider: the provider's answer when it
  // gives one (an empty list included), else the filtered lists. Evaluated
  // afresh for each behaviour callback.
  [[nodiscard]] virtual GanttChartItemList availableItems();
  [[nodiscard]] virtual GanttChartDependencyList availableDependencies();

  // --- Schedule, behaviour, bound -------------------------------------------
  // Assigning any of these only stores it: nothing is cleared or notified.
  [[nodiscard]] virtual const std::shared_ptr<ScheduleDefinition>& schedule() const {
    return schedule_;
  }
  // Null means `ScheduleDefinition::continuous()`.
  virtual void setSchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // The item's own schedule when it has one, else the manager's. Behaviours
  // are always handed the manager's.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> scheduleFor(
      const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual const GanttChartItemBehaviorPtr& behavior() const { return behavior_; }
  virtual void setBehavior(GanttChartItemBehaviorPtr behavior) { behavior_ = std::move(behavior); }
  // How deep a cascade goes: an operation's own answer is level 0, its
  // follow-ups level 1, and so on. Below the default, a list reaching this
  // level is dropped silently, whatever the rules: 0 (or less) applies no
  // behaviour answer at all, 1 the first answer only, n the levels 0 to n-1.
  // From the default on, the library's own rules (exact types) are cut here
  // only in a change that came back round to its item, so a chain of links
  // of any depth is placed in full, while a host's rule is cut here as
  // below it. A host's rule, and below the default any rule, also loses the
  // follow-ups of an item whose changes came back to it this many times in
  // one cascade; from the default on, a loop of the library's rules that
  // reaches the bound twice in one cascade is stopped as a conflict (see
  // `performUpdates`).
  static constexpr int64_t kDefaultMaxBehaviorRecursivity = 1024;
  [[nodiscard]] virtual int64_t maxBehaviorRecursivity() const { return maxBehaviorRecursivity_; }
  virtual void setMaxBehaviorRecursivity(int64_t bound) { maxBehaviorRecursivity_ = bound; }

  // --- Adding and removing --------------------------------------------------
  // The time is snapped to the manager's schedule's next working instant.
  virtual GanttChartItemPtr addNewItem(int64_t row, const Time& time, bool isMilestone);
  // Removes only what `removeSourceItem` removes: the item's dependencies and
  // other definitions naming it stay.
  virtual void removeItem(const GanttChartItemPtr& item);
  virtual GanttChartDependencyPtr addNewDependency(const GanttChartItemPtr& from,
                                                   const GanttChartItemPtr& to,
                                                   GanttChartDependencyType type);
  virtual void removeDependency(const GanttChartDependencyPtr& dependency);

  // Storage hooks. The base class stores nothing (the provider's owner keeps
  // the items): adding only creates through the factory, removing does
  // nothing.
  virtual GanttChartItemPtr addNewSourceItem(int64_t row, const Time& time, bool isMilestone);
  virtual void removeSourceItem(const GanttChartItemPtr& item);
  virtual GanttChartDependencyPtr addNewSourceDependency(const GanttChartItemPtr& from,
                                                         const GanttChartItemPtr& to,
                                                         GanttChartDependencyType type);
  virtual void removeSourceDependency(const GanttChartDependencyPtr& dependency);
  // Create through `actualItemFactory()`; store nothing.
  virtual GanttChartItemPtr createSourceItem(int64_t row, const Time& time, bool isMilestone);
  virtual GanttChartDependencyPtr createSourceDependency(const GanttChartItemPtr& from,
                                                         const GanttChartItemPtr& to,
                                                         GanttChartDependencyType type);

  // --- Working-time durations of an item, in its schedule -------------------
  [[nodiscard]] virtual double scheduledDuration(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double scheduledDuration(const GanttChartItemPtr& item,
                                                 TimeUnit unit) const;
  // completion × scheduled duration.
  [[nodiscard]] virtual double completedDuration(const GanttChartItemPtr& item) const;
  [[nodiscard]] virtual double completedDuration(const GanttChartItemPtr& item,
                                                 TimeUnit unit) const;
  // Where the completed part ends; always within the item's time range.
  [[nodiscard]] virtual Time timeCompletedUntil(const GanttChartItemPtr& item) const;

  // --- Changing items --------------------------------------------------------
  // Moves the item keeping its working duration (any item type): the start
  // snaps to the next working instant.
  virtual void updateTime(const GanttChartItemPtr& item, const Time& start);
  // New finish (snapped back to working time, never before the start). With
  // `preservingCompletedDuration` the completed working time is kept (the
  // ratio changes); otherwise the ratio is kept.
  virtual void updateDurationToFinishOn(const GanttChartItemPtr& item, const Time& finish,
                                        bool preservingCompletedDuration);
  // New start (snapped forward to working time, never after the finish).
  virtual void updateDurationToStartOn(const GanttChartItemPtr& item, const Time& start,
                                       bool preservingCompletedDuration);
  // The completion that ends at `until`, in 0...1; an item without working
  // time counts as complete.
  virtual void updateCompletion(const GanttChartItemPtr& item, const Time& until);
  virtual void updateRow(const GanttChartItemPtr& item, int64_t row);
  virtual void updateExpansion(const GanttChartItemPtr& item, bool isExpanded);
  virtual void expand(const GanttChartItemPtr& item) { updateExpansion(item, true); }
  virtual void collapse(const GanttChartItemPtr& item) { updateExpansion(item, false); }
  virtual void updateZIndex(const GanttChartItemPtr& item, int64_t zIndex);
  // Above (below) every filtered item; nothing at all when no item is in the
  // filter. At the integer's end the z-index stays there.
  virtual void bringToFront(const GanttChartItemPtr& item);
  virtual void sendToBack(const GanttChartItemPtr& item);
  virtual void bringToFront(const GanttChartDependencyPtr& dependency);
  virtual void sendToBack(const GanttChartDependencyPtr& dependency);
  virtual void show(const GanttChartItemPtr& item);
  virtual void hide(const GanttChartItemPtr& item);
  virtual void show(const GanttChartDependencyPtr& dependency);
  virtual void hide(const GanttChartDependencyPtr& dependency);

  // --- Re-application --------------------------------------------------------
  // Snap the item (or every available item) to working time; an item already
  // on working time is left alone.
  virtual void applySchedule(const GanttChartItemPtr& item);
  virtual void applySchedule();
  // Ask the behaviour about the item as if it had just been set to what it
  // already holds. The item observer hears only of cascaded changes.
  virtual void applyBehaviorForTimeOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorForCompletionOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorForRowOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorUpdatesForRowOf(const GanttChartItemPtr& item);
  // Only a collapsed item asks the behaviour; caches are cleared and the
  // observer told either way.
  virtual void applyBehaviorForExpansionStateOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorUpdatesForExpansionStateOf(const GanttChartItemPtr& item);
  // Row, expansion, time and completion, in that order.
  virtual void applyBehavior(const GanttChartItemPtr& item);
  virtual void applyBehavior();
  // Applies the actions through the update engine, as a behaviour's answer
  // would be; no collection notification.
  virtual void performUpdates(GanttChartItemUpdateActions actions);

  // --- Announcements and caches ----------------------------------------------
  // The host changed the collection (or the items) behind the manager's back:
  // clears the caches and tells the collection observer everything changed.
  virtual void collectionDidChange();
  // Drops every cached answer; tells nobody. The operations call it after
  // each change they make, also before each action of a cascade, so an
  // override sees every clearing. Called from outside the operations (by a
  // host, or by `collectionDidChange()`), it also lets a subclass drop what
  // it derives from its source (`sourceDidChange()`): the operations keep
  // that up to date themselves.
  virtual void clearCache();

  // --- Collaborators, held weakly ---------------------------------------------
  [[nodiscard]] virtual std::shared_ptr<GanttChartCollectionObserver> collectionObserver() const {
    return collectionObserver_.lock();
  }
  virtual void setCollectionObserver(std::weak_ptr<GanttChartCollectionObserver> observer) {
    collectionObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartCollectionProvider> collectionProvider() const {
    return collectionProvider_.lock();
  }
  virtual void setCollectionProvider(std::weak_ptr<GanttChartCollectionProvider> provider) {
    collectionProvider_ = std::move(provider);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartItemFactory> itemFactory() const {
    return itemFactory_.lock();
  }
  virtual void setItemFactory(std::weak_ptr<GanttChartItemFactory> factory) {
    itemFactory_ = std::move(factory);
  }
  // The item factory while it is alive, else the manager itself.
  [[nodiscard]] virtual std::shared_ptr<GanttChartItemFactory> actualItemFactory();
  [[nodiscard]] virtual std::shared_ptr<GanttChartItemObserver> itemObserver() const {
    return itemObserver_.lock();
  }
  virtual void setItemObserver(std::weak_ptr<GanttChartItemObserver> observer) {
    itemObserver_ = std::move(observer);
  }

 protected:
  // Re-application steps without clearing or collection notification.
  virtual void applyScheduleUpdates(const GanttChartItemPtr& item);
  virtual void applyBehaviorUpdatesForTimeOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorUpdatesForCompletionOf(const GanttChartItemPtr& item);
  virtual void applyBehaviorUpdates();

  // The update engine: applies the actions in order, each action's follow-ups
  // (and theirs) before its next sibling. A time (completion) action is
  // skipped when its item's time (completion) was last changed, since the
  // action's list was computed, by the cascade of an earlier action of that
  // list: it was worked out from values that are gone, and the change that
  // overtook it has already been answered. A change made by an earlier
  // action of the same list itself does not count, so of two actions of one
  // list for one item the later wins. Rows and visibility are always
  // applied. Iterative, so a deep cascade cannot exhaust the machine stack;
  // each call keeps its own work list, so a re-entrant call runs a cascade
  // of its own.
  //
  // Bounds end cascades that never settle (see `CascadeBounds`). With a
  // host's rule among the behaviours, or a bound below the default, a list
  // reaching `maxBehaviorRecursivity` levels is dropped, and so are the
  // follow-ups of an item whose changes came back to it along their own
  // follow-ups that many times in the cascade. Under the library's own rules
  // alone (exact types), whose conflicts always come back round, a bound
  // from the default on is reached only by an item already twice on
  // the path that led to it, so a deep plan that settles is placed in full;
  // and the items of a loop found to be a conflict (by either bound) stop
  // being followed up at once, so a conflict ends after work in proportion
  // to its items while the rest of the chart settles.
  virtual void performUpdates(GanttChartItemUpdateActions actions, int64_t recursivity);

  // Where the engine stops a cascade. `levels`: lists are dropped at
  // `maxBehaviorRecursivity` levels as described at `performUpdates`;
  // `returnsPerItem`: with a host's rule among the behaviours, or a level
  // bound below the default, follow-ups of an item whose changes came back to
  // it this many times in one cascade are dropped; `conflictNesting` (0 for
  // none): under the library's rules alone and a level bound from the
  // default on, an item whose change comes back to it while it is already this many
  // times on the path that led there is in a conflict, as is one at least
  // twice on that path that reaches the level bound a second time in one
  // cascade (the first time, only its list is dropped, as a loop that
  // settles may just need more levels); so is every item at least half as
  // often (and at least twice) on that path; no change of them is followed
  // up for the rest of the operation. The manager uses {true,
  // maxBehaviorRecursivity(), kConflictNesting}.
  struct CascadeBounds {
    bool levels = true;
    int64_t returnsPerItem = 0;
    int64_t conflictNesting = 0;
  };
  // A change of the library's rules that settles comes back to its own item
  // along its follow-ups a few times (a constraint or the push behind
  // predecessors correcting it, a summary growing over it), rarely a few
  // dozen (lags of opposite signs round a loop that closes); rules that never
  // settle come back without end. Well above the first; the second get there
  // after work that grows with all the loop drags along each round. Measured
  // on random tangles of 200 items: 0.5 ms at the median, 0.1-0.3 s at the
  // 99th percentile, 0.6-1.2 s at worst on a loaded machine. A cycle of two
  // tasks heading a chain of 10,000 (100,000) tasks stops after 1.3 s (18 s),
  // having pushed the chain 40 (386) years out. Hosts should refuse a link
  // that closes a cycle (`GanttChartContentEditor::canAddNewDependency`).
  static constexpr int64_t kConflictNesting = 256;
  [[nodiscard]] virtual CascadeBounds cascadeBounds() const {
    return {true, maxBehaviorRecursivity(), kConflictNesting};
  }
  // Whether the library's hierarchy rules keep a summary's span (and least
  // completion) through one operation, following its children's changes,
  // instead of counting it after every change.
  [[nodiscard]] virtual bool remembersSummaries() const { return true; }
  // Called when a bound drops the follow-ups of `item`'s change.
  virtual void cascadeWasCut(const GanttChartItemPtr& /*item*/) {}
  // Applies one action of the engine's list `list` (see `isOvertaken`); the
  // follow-up list when the action changed something and asked the
  // behaviour.
  std::optional<GanttChartItemUpdateActions> apply(const GanttChartItemUpdateAction& action,
                                                   uint64_t list);
  // Where an update-time action with `value` puts the item: snapped to its
  // schedule by its type.
  [[nodiscard]] TimeRange snappedTime(const GanttChartItemPtr& item, const TimeRange& value) const;
  // Whether `action`, of the engine's list `list`, was overtaken: its
  // item's time (completion, for a completion action) last changed after
  // `changeMark`, a value of `changeMark()` taken when the list was computed,
  // and not by an action of that list itself.
  [[nodiscard]] bool isOvertaken(const GanttChartItemUpdateAction& action, uint64_t changeMark,
                                 uint64_t list) const;
  [[nodiscard]] uint64_t changeMark() const { return changeSerial_; }
  // Records a change of the item's time (completion) made by the manager;
  // `list` names the engine's list whose own action made it, 0 for any other
  // change.
  void timeWasChanged(const GanttChartItem* item, uint64_t list = 0);
  void completionWasChanged(const GanttChartItem* item, uint64_t list = 0);

  // Called by `clearCache()` when it is called from outside the operations
  // (and so by `collectionDidChange()`): a subclass drops whatever it derives
  // from its source beyond the four caches.
  virtual void sourceDidChange() {}
  // Called right before and right after the manager itself assigns an
  // item's row, time or z-index (the keys that order available items), so
  // that a subclass can update what it derives from them instead of
  // recomputing it all. The pairs nest: a host's item may run code of its own
  // in the setter, and that code may change the chart. `oldTime` is the
  // item's time before the assignment (its current time when only the row or
  // z-index changed).
  virtual void itemPlacementWillChange(const GanttChartItemPtr& /*item*/) {}
  virtual void itemPlacementDidChange(const GanttChartItemPtr& /*item*/,
                                      const TimeRange& /*oldTime*/) {}

  // A weak reference to this manager for lazily produced lists; empty when
  // the manager is not owned by a `std::shared_ptr`.
  [[nodiscard]] std::weak_ptr<GanttChartItemManager> weakSelf() { return weak_from_this(); }

 private:
  enum class CollectionChange {
    collection,
    totalRowCount,
    preferredTimeline,
    filteredItems,
    filteredDependencies,
  };

  // Held by every operation for its length. It holds the manager while the
  // operation calls out to hosts (observers, behaviours, the factory, the
  // provider), any of which may drop the last other owner while the operation
  // still has steps to run (nothing is held when no `std::shared_ptr` owns
  // the manager; its owner then keeps it). And it marks the operation: the
  // outermost one forgets the changes the last one recorded, which every
  // operation nested in it (a step of a larger one, or a host's call from a
  // callback) shares.
  class OperationScope {
   public:
    explicit OperationScope(GanttChartItemManager& manager);
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

   private:
    GanttChartItemManager& manager_;
    std::shared_ptr<GanttChartItemManager> alive_;
    // The enclosing operation's count of stored times, put back at its end.
    uint64_t timesAssignedBefore_;
  };
  [[nodiscard]] OperationScope keepAlive() { return OperationScope(*this); }

  // A behaviour may edit the chart from its callback, and the nested
  // operation asks the behaviour again: questions nested this deep get no
  // answer, so a rule that edits on every change ends (its last edit is made
  // without a cascade).
  static constexpr int64_t kMaxNestedQuestions = 32;
  // Nesting alone still lets such a rule fan out: every answer of every
  // nested operation edits again. So one operation asks at most this many
  // questions from within callbacks; later ones get no answer. The library's
  // rules never edit from a callback, so only a host's rule can reach it.
  static constexpr int64_t kMaxQuestionsFromCallbacks = 128;
  // The operations' clearing: `clearCache()`, marked as following a change
  // the manager made itself.
  void clearCacheAfterChange();
  // Tells the collection observer of each change in turn, and of the
  // preferred timeline too when the operation under way (operations it
  // called included) moved an item although its list leaves the timeline
  // out.
  void notifyCollection(std::initializer_list<CollectionChange> listed);
  // The behaviour's answer for one callback, given the available lists and
  // the manager's schedule; empty without a behaviour.
  template <class Ask>
  GanttChartItemUpdateActions askBehavior(const Ask& ask);
  // The available lists for the question being asked, noted while they are
  // still to be produced (see `produceQuestionLists`).
  GanttChartItemList itemsForQuestion();
  GanttChartDependencyList dependenciesForQuestion();
  // Produces the lists handed to the questions under way that nobody has
  // read yet. An operation started from a callback calls it before it
  // changes anything, so that a list read only after the callback returns
  // (by the next rule of a set) still holds what the chart held when the
  // question was asked, as it would had it been read at once.
  void produceQuestionLists();
  // The behaviour's answer to the item's time re-applied as it is.
  GanttChartItemUpdateActions askAboutTimeOf(const GanttChartItemPtr& item);
  // The behaviour's answer about an item re-applied as it is, applied
  // through the engine.
  template <class Ask>
  void reapply(const GanttChartItemPtr& item, const Ask& ask);
  // The behaviour's answer to a change just made, applied through the engine,
  // with the caches cleared before (so the behaviour sees the collection as
  // it now is) and after.
  template <class Ask>
  void answerChange(const Ask& ask);
  // Runs `run` with the library's hierarchy rules remembering summaries'
  // spans (see `remembersSummaries()`); nested, it just runs it.
  template <class Run>
  void withSummariesRemembered(const Run& run);
  // Stores the item's time and reports the placement, with the time read
  // right before the store, which it returns: a calendar asked while the new
  // time was worked out may have moved the item meanwhile. `list` as for
  // `timeWasChanged`.
  TimeRange assignTime(const GanttChartItemPtr& item, const TimeRange& time, uint64_t list = 0);
  // The row steps of a whole-chart pass (`applyBehaviorUpdates()`) over
  // `items`, computed and stored at once, each changed item told once with
  // its original row, when only the column rule moves rows in that pass (see
  // column_row_pass.h). False, having changed nothing, when the pass has to
  // ask about the rows item by item.
  bool applyColumnRowStepsAtOnce(const GanttChartItemList& items);
  // A whole-chart pass (`applyBehaviorUpdates()`) over `items` that asks
  // about each item's time once, after every item its links depend on, when
  // the order of the steps cannot change where they end (see
  // link_order_time_pass.h): the row and expansion steps first, then the
  // time steps in link order, then the completion steps. False, having
  // changed nothing, when the pass has to take every step item by item.
  bool applyBehaviorUpdatesInLinkOrder(const GanttChartItemList& items);
  // Whether no successor's first placement in `items`, each asked about as
  // it lies, moves it earlier: where pairs are linked twice, the pass's
  // order is sound only then (see `detail::placesNothingEarlier`). True
  // without an auto-scheduling rule among `rules`, the library's own alone.
  bool placesNothingEarlier(const GanttChartItemBehaviorPtr& rules,
                            const std::vector<GanttChartItemPtr>& items);
  // The time steps of that pass, over the positions in `order`. An action of
  // an answer is applied without asking further about its item, which is
  // asked at its own turn, except when it changes the item asked about,
  // which is then asked again at once; an action whose item changed after
  // its answer was given is stale and skipped. Each moved item is told once,
  // with its original time, at the end. With `spanning` set, a child's
  // answer leaves out the span of its summary, which is spanned once
  // instead, in its own turn (after all its children), before it is asked
  // about.
  void applyTimeStepsInLinkOrder(const std::vector<GanttChartItemPtr>& items,
                                 const std::vector<size_t>& order,
                                 GanttChartItemHierarchicalBehavior* spanning);
  // Shared end of updateTime and updateDurationToFinishOn / ToStartOn: stores
  // the range as given, without snapping.
  void updateTimeDirectly(const GanttChartItemPtr& item, const TimeRange& time);
  // Shared bodies of show / hide and of the dependency's bringToFront /
  // sendToBack: store, clear the caches, notify.
  void updateVisibility(const GanttChartItemPtr& item, bool isVisible);
  void updateVisibility(const GanttChartDependencyPtr& dependency, bool isVisible);
  void updateDependencyZIndex(const GanttChartDependencyPtr& dependency, int64_t zIndex);

  RowRange range_{0, 0};
  TimeRange timeline_;
  std::shared_ptr<ScheduleDefinition> schedule_;
  GanttChartItemBehaviorPtr behavior_;
  int64_t maxBehaviorRecursivity_ = kDefaultMaxBehaviorRecursivity;
  std::optional<int64_t> cachedTotalRowCount_;
  std::optional<TimeRange> cachedPreferredTimeline_;
  detail::FilterCache<GanttChartItem> cachedFilteredItems_;
  detail::FilterCache<GanttChartDependency> cachedFilteredDependencies_;
  std::weak_ptr<GanttChartCollectionObserver> collectionObserver_;
  std::weak_ptr<GanttChartCollectionProvider> collectionProvider_;
  std::weak_ptr<GanttChartItemFactory> itemFactory_;
  std::weak_ptr<GanttChartItemObserver> itemObserver_;
  bool clearingAfterChange_ = false;
  int64_t operationDepth_ = 0;
  int64_t questionDepth_ = 0;           // questions to the behaviour in progress
  int64_t questionsFromCallbacks_ = 0;  // asked in this operation while another was
  // The lists handed to the questions under way while they were unproduced,
  // innermost question last.
  // Borrowed: each list lives as the argument of its question, which
  // outlasts its entry here.
  std::vector<GanttChartItemList::Borrowed> questionItems_;
  std::vector<GanttChartDependencyList::Borrowed> questionDependencies_;
  // What the update engine notes per item during an operation.
  struct EngineMarks {
    // When (by `changeSerial_`) the item's time (completion) last changed in
    // this operation, 0 if it did not, and the engine's list whose own action
    // made that change, 0 for none: overtaken actions are told by these.
    uint64_t timeChangedAt = 0;
    uint64_t completionChangedAt = 0;
    uint64_t timeChangedBy = 0;
    uint64_t completionChangedBy = 0;
    // Lists of follow-ups to the item's changes still pending in the
    // outermost engine pass.
    int64_t pending = 0;
  };
  uint64_t changeSerial_ = 0;
  uint64_t listSerial_ = 0;  // the engine's lists, numbered from 1 as they start
  // Times the manager has stored, and how many it had when the innermost
  // operation under way began.
  uint64_t timesAssigned_ = 0;
  uint64_t timesAssignedBeforeOperation_ = 0;
  detail::ItemMarks<EngineMarks> marks_;
  int64_t enginePasses_ = 0;  // `performUpdates` calls in progress
  bool remembersSummaries_ = false;  // within `withSummariesRemembered`
  // Items found in a conflict during this operation.
  std::unordered_set<const GanttChartItem*> conflicting_;
  // Whether the available items last produced by this class came from the
  // filtered lists, whose members depend on the rows (a subclass producing
  // its own never sets it).
  bool availableItemsFromFilter_ = false;
};

using GanttChartItemManagerPtr = std::shared_ptr<GanttChartItemManager>;

}  // namespace vorlent
