#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/span_tally.h"
#include "vorlent/model/time_change_journal.h"

namespace vorlent {

namespace detail {
class ItemListOrigin;
class RowOrderedItems;
}  // namespace detail

// Keeps a tree of items consistent. When an item's time or completion changes
// it adjusts the item's children (actions flagged down only) and re-aggregates
// the parent from its children (flagged up only), so one change travels down
// the whole subtree and up to the root, one level per cascade step, without
// bouncing back. Collapsing an item hides its visible descendants, folds them
// onto its row and closes the rows they leave empty; expanding restores them
// from the record kept at the collapse and reopens their rows. These records
// are the only state this behaviour keeps between calls, besides a lookup of
// the last item list it was handed.
//
// Relations to items the manager no longer holds stay (an item may come
// back), but only children among the `items` a call is handed count: for a
// parent's span and completion, for following a parent's change and for
// folding and restoring; a parent outside them is left alone. A list that
// holds only the items in view (the manager's filtered items standing in)
// tells nothing about the others, which then all count.
class GanttChartItemHierarchicalBehavior : public GanttChartItemBehavior {
 public:
  // A flag left at std::nullopt is true. A null provider is a fatal stop:
  // without relations the behaviour could answer nothing.
  explicit GanttChartItemHierarchicalBehavior(
      std::shared_ptr<GanttChartItemHierarchyProvider> provider,
      std::optional<bool> aggregatingTime = std::nullopt,
      std::optional<bool> preservingDurations = std::nullopt);
  // Over a new `GanttChartItemHierarchy` of `relations`.
  explicit GanttChartItemHierarchicalBehavior(
      std::vector<GanttChartItemHierarchicalRelation> relations,
      std::optional<bool> aggregatingTime = std::nullopt,
      std::optional<bool> preservingDurations = std::nullopt);

  [[nodiscard]] const std::shared_ptr<GanttChartItemHierarchyProvider>& provider() const {
    return provider_;
  }
  // Whether time and completion changes are answered at all; collapsing and
  // expanding work either way.
  [[nodiscard]] virtual bool aggregatingTime() const { return aggregatingTime_; }
  virtual void setAggregatingTime(bool aggregating) { aggregatingTime_ = aggregating; }
  // Whether a change that keeps the item's working duration moves its
  // children by the same working time (otherwise every change is a resize).
  [[nodiscard]] virtual bool preservingDurations() const { return preservingDurations_; }
  virtual void setPreservingDurations(bool preserving) { preservingDurations_ = preserving; }

  // The parent of the item added (removed) is given the span and the
  // completion of its children as they are now.
  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  // Children are moved (a move) or follow the changed ends (a resize), each
  // clamped into the item's new time; a child strictly inside both the old and
  // the new time stays. The parent is given the span of its children.
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  // Children below the new value are raised to it; children above it are
  // lowered only when they were not above the old value too. The parent gets
  // the minimum of its children's completions.
  GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr& item, double from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  // Collapsing records and folds the visible descendants; expanding restores
  // the record for the item and drops it. Collapsing an item again before it
  // is expanded folds what became visible meanwhile but records nothing more
  // (the first record is the one restored). Expanding
  // reopens exactly the rows the collapse closed (those below the item), so
  // collapsing and expanding again restores every row, also where hidden
  // items shared rows with other visible items. Expanding an item without a
  // record answers nothing. Rows freed or reopened are found by searching
  // sorted rows, so the cost grows with the items, not with items times rows.
  GanttChartItemUpdateActions expansionDidChange(const GanttChartItemPtr& item,
                                                 const GanttChartItemList& items) override;

 private:
  friend class GanttChartItemManager;

  struct CollapseItemStateDefinition {
    GanttChartItemPtr item;
    int64_t row;  // the descendant's row at the collapse
  };
  struct CollapseStateDefinition {
    GanttChartItemPtr parent;
    // The parent's row at the collapse: rows are restored relative to it.
    // Kept absolute, with the difference taken only when restoring, because
    // the difference of two rows need not fit 64 bits.
    int64_t parentRow;
    std::vector<CollapseItemStateDefinition> itemStates;
    // The rows the collapse emptied and closed: exactly these (moved with the
    // parent) are reopened on expansion, so that a row the hidden items shared
    // with other visible items is not opened twice.
    std::vector<int64_t> freedRows;
  };

  // Whether `item` is among `items`: told by the item source that made the
  // list, or else looked up in a set of the list's items, built once per
  // list.
  bool isAmong(const GanttChartItemPtr& item, const GanttChartItemList& items);
  bool isAmong(const GanttChartItem& item, const GanttChartItemList& items);
  // `visit` for every item of `list` that is among `items`, in order.
  template <class Visit>
  void forEachAmong(const std::vector<GanttChartItemPtr>& list, const GanttChartItemList& items,
                    const Visit& visit);
  // The index of the list as a source's, null for any other list.
  const detail::RowOrderedItems* sourceIndexOf(const GanttChartItemList& items);
  // The actions giving the item's parent the span (`time`) and the minimum
  // completion (`completion`) of its children among `items`.
  GanttChartItemUpdateActions aggregateParentOf(const GanttChartItemPtr& item,
                                                const GanttChartItemList& items, bool time,
                                                bool completion);
  // The same for `parent` itself.
  GanttChartItemUpdateActions aggregateChildrenOf(const GanttChartItemPtr& parent,
                                                  const GanttChartItemList& items, bool time,
                                                  bool completion);
  GanttChartItemUpdateActions collapse(const GanttChartItemPtr& item,
                                       const GanttChartItemList& items);
  GanttChartItemUpdateActions expand(const GanttChartItemPtr& item,
                                     const GanttChartItemList& items);

  std::shared_ptr<GanttChartItemHierarchyProvider> provider_;
  bool aggregatingTime_;
  bool preservingDurations_;
  std::vector<CollapseStateDefinition> collapseStates_;

  // A whole-chart application asks about every child, and each answer
  // spans (gives the least completion to) its summary over all its
  // children: n questions of n children each. The manager sets these for
  // the length of one. While `deferredSpans_` is set, a child's time
  // question leaves out its summary's span and adds the summary to it; the
  // manager's pass, which asks about every child before its summary, then
  // spans the summary once, in its turn. Only a question at
  // `deferredQuestion_` (see `detail::NewBehaviorQuestion::depth()`), the
  // pass's own, does: a callback may start an operation of its own
  // meanwhile, whose questions are answered in full.
  std::unordered_set<const GanttChartItem*, detail::AddressHash>* deferredSpans_ = nullptr;
  size_t deferredQuestion_ = 0;
  // The summary added last and the set it went to, as children mostly come
  // one after another.
  const GanttChartItem* lastDeferredSpan_ = nullptr;
  const void* lastDeferredIn_ = nullptr;

  // A cascade of changes under one summary (a move spreading over a plan
  // under a project row, a whole-chart application step by step) asks for
  // its span after every child's change: n spans over n children each.
  // While remembering (the manager's operations, over the library's
  // relations), a summary's span and least completion are kept until a
  // completion, the items a source holds, the item list or the relations
  // change; a span also follows its children's time changes one by one
  // from the journal, and is counted again only when it cannot.
  void startRemembering();
  // Stops remembering and forgets.
  void forget();
  bool remembering_ = false;
  std::optional<detail::ListeningToTimeChanges> listening_;
  static constexpr size_t kLeastChildrenRemembered = 32;
  struct RememberedCompletion {
    std::optional<double> value;
    uint64_t completionEpoch;
    uint64_t revision;  // of the hierarchy
  };
  struct RememberedSpan {
    detail::SpanTally tally;
    uint64_t schedulingEpoch;
    uint64_t completionEpoch;
    uint64_t revision;
    size_t relation;  // where the summary's children are listed
    // Each child is listed once and there only, so the journal's changes
    // can be told apart by their item's first relation.
    bool followsChanges;
  };
  std::unordered_map<const GanttChartItem*, RememberedSpan> spans_;
  // Brings `known` up to the scheduling epoch `now` from the journal; false
  // when only counting again can.
  bool catchUp(RememberedSpan& known, uint64_t now, size_t children,
               const GanttChartItemList& items);
  std::unordered_map<const GanttChartItem*, RememberedCompletion> leastCompletions_;
  std::weak_ptr<const void> rememberedOf_;  // the list they were counted among
  // Whether what is remembered counts for `items`, forgetting it otherwise;
  // false when not remembering or for another hierarchy than the library's.
  bool remembersFor(const GanttChartItemList& items);
  // The elements of the list `members_` holds the items of, when it is not
  // a source's; named only, so that a rule kept beyond its chart keeps none
  // of its items. The items are alive whenever a list over them is asked
  // about again.
  std::weak_ptr<const void> membersOf_;
  std::unordered_set<const GanttChartItem*> members_;
  // The index of the last list asked about, and that index as a source's.
  std::shared_ptr<const SharedListIndex> castIndex_;
  const detail::RowOrderedItems* sourceIndex_ = nullptr;
  const detail::ItemListOrigin* origin_ = nullptr;
};

}  // namespace vorlent
