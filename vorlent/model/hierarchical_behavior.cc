#include "vorlent/model/hierarchical_behavior.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/model/behavior_schedule.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior_set.h"
#include "vorlent/model/item_list_origin.h"
#include "vorlent/model/scheduling_epoch.h"
#include "vorlent/model/source_list_indexes.h"
#include "vorlent/model/span_tally.h"
#include "vorlent/model/time_change_journal.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {

namespace {

// `row` moved by as many rows as the parent moved from `parentWas` to
// `parentIs`, exact (also when both differences exceed 64 bits) and held at
// the integer's ends, where rows then share the end row rather than stop.
int64_t movedRow(int64_t row, int64_t parentWas, int64_t parentIs) {
  __extension__ using Wide = __int128;
  const Wide moved = Wide{row} + (Wide{parentIs} - Wide{parentWas});
  if (moved > Wide{std::numeric_limits<int64_t>::max()}) {
    return std::numeric_limits<int64_t>::max();
  }
  if (moved < Wide{std::numeric_limits<int64_t>::min()}) {
    return std::numeric_limits<int64_t>::min();
  }
  return static_cast<int64_t>(moved);
}

// The child's new time when its parent moved by `offset` seconds of working
// time: the child moves by as much in its own calendar, then is clamped into
// the parent's new time.
TimeRange movedChildTime(const GanttChartItem& child, const TimeRange& parentTime, double offset,
                         const std::shared_ptr<ScheduleDefinition>& schedule) {
  const auto childSchedule = detail::behaviorScheduleOf(child, schedule);
  const Time& parentStart = parentTime.start;
  const Time& parentFinish = parentTime.finish;
  const Time movedStart = childSchedule->finish(child.start(), offset);
  Time movedFinish = childSchedule->finish(child.finish(), offset);
  // Counted back to the end of a working day, the finish reads as the start
  // of the next working time, the morning after or past a weekend. The
  // engine snaps other items' finishes to the working time before them, but
  // keeps a summary's as given: it must be handed that end itself.
  if (child.type() == GanttChartItemType::summary) {
    const Time end = childSchedule->previousTime(movedFinish);
    if (!(end < movedStart)) movedFinish = end;
  }
  Time start = movedStart < parentFinish ? movedStart : parentFinish;
  if (start < parentStart) start = parentStart;
  Time finish = movedFinish < parentStart ? parentStart : movedFinish;
  if (!(finish < parentFinish)) finish = parentFinish;
  return {start, finish};
}

// The child's new time when its parent was resized from `old` to
// `parentTime`: an end that lay inside the parent keeps its place (cut at the
// parent's new finish), any other follows the parent's end.
TimeRange resizedChildTime(const GanttChartItem& child, const TimeRange& parentTime,
                           const TimeRange& old) {
  const Time cs = child.start();
  const Time cf = child.finish();
  const Time start = (old.start < cs && parentTime.start < cs) ? cs : parentTime.start;
  Time finish = parentTime.finish;
  if (cf < old.finish) finish = parentTime.finish < cf ? parentTime.finish : cf;
  return {start, finish};
}

}  // namespace

GanttChartItemHierarchicalBehavior::GanttChartItemHierarchicalBehavior(
    std::shared_ptr<GanttChartItemHierarchyProvider> provider, std::optional<bool> aggregatingTime,
    std::optional<bool> preservingDurations)
    : provider_(std::move(provider)),
      aggregatingTime_(aggregatingTime.value_or(true)),
      preservingDurations_(preservingDurations.value_or(true)) {
  if (provider_ == nullptr) fatalStop("GanttChartItemHierarchicalBehavior: a provider is required");
}

GanttChartItemHierarchicalBehavior::GanttChartItemHierarchicalBehavior(
    std::vector<GanttChartItemHierarchicalRelation> relations, std::optional<bool> aggregatingTime,
    std::optional<bool> preservingDurations)
    : GanttChartItemHierarchicalBehavior(
          std::make_shared<GanttChartItemHierarchy>(std::move(relations)), aggregatingTime,
          preservingDurations) {}

const detail::RowOrderedItems* GanttChartItemHierarchicalBehavior::sourceIndexOf(
    const GanttChartItemList& items) {
  // The cast is remembered for the index it was made for, which is held so
  // that its address cannot come back as another index.
  if (items.index() != castIndex_) {
    castIndex_ = items.index();
    // A source hands out a new index with every list, so this runs about
    // once per call; the second cast fails slowly and is not needed then.
    sourceIndex_ = dynamic_cast<const detail::RowOrderedItems*>(castIndex_.get());
    origin_ = sourceIndex_ != nullptr
                  ? nullptr
                  : dynamic_cast<const detail::ItemListOrigin*>(castIndex_.get());
  }
  return sourceIndex_;
}

template <class Visit>
void GanttChartItemHierarchicalBehavior::forEachAmong(const std::vector<GanttChartItemPtr>& list,
                                                      const GanttChartItemList& items,
                                                      const Visit& visit) {
  // Asked once per list: a source's record answers most items inline.
  const detail::RowOrderedItems* source = sourceIndexOf(items);
  for (const GanttChartItemPtr& item : list) {
    if (item == nullptr) continue;
    if ((source != nullptr && source->holdsNow(*item) == true) || isAmong(item, items)) {
      visit(item);
    }
  }
}

bool GanttChartItemHierarchicalBehavior::isAmong(const GanttChartItemPtr& item,
                                                 const GanttChartItemList& items) {
  return isAmong(*item, items);
}

bool GanttChartItemHierarchicalBehavior::isAmong(const GanttChartItem& item,
                                                 const GanttChartItemList& items) {
  if (sourceIndexOf(items) != nullptr) {
    if (const std::optional<bool> held = sourceIndex_->holdsNow(item)) return *held;
  }
  // Part of the chart only: an item it does not name may just be out of
  // view. A lazy list learns that when it is produced.
  if (origin_ != nullptr) {
    static_cast<void>(items.elements());
    if (origin_->isPartial()) return true;
  }
  if (!items.hasElementsIdentity(membersOf_)) {
    members_.clear();
    for (const GanttChartItemPtr& member : items) members_.insert(member.get());
    membersOf_ = items.elementsIdentity();
  }
  return members_.count(&item) != 0;
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::aggregateParentOf(
    const GanttChartItemPtr& item, const GanttChartItemList& items, bool time, bool completion) {
  const GanttChartItemPtr parent = provider_->parent(item);
  if (parent == nullptr || !isAmong(parent, items)) return {};
  if (time && deferredSpans_ != nullptr &&
      detail::NewBehaviorQuestion::depth() == deferredQuestion_) {
    if (parent.get() != lastDeferredSpan_ || deferredSpans_ != lastDeferredIn_) {
      deferredSpans_->insert(parent.get());
      lastDeferredSpan_ = parent.get();
      lastDeferredIn_ = deferredSpans_;
    }
    if (!completion) return {};
    time = false;
  }
  return aggregateChildrenOf(parent, items, time, completion);
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::aggregateChildrenOf(
    const GanttChartItemPtr& parent, const GanttChartItemList& items, bool time, bool completion) {
  std::optional<TimeRange> span;
  std::optional<double> minimum;
  // The library's relations lend their list of the children (null for any
  // other provider).
  const auto* hierarchy = typeid(*provider_) == typeid(GanttChartItemHierarchy)
                              ? static_cast<const GanttChartItemHierarchy*>(provider_.get())
                              : nullptr;
  const std::vector<GanttChartItemPtr>* lent =
      hierarchy != nullptr ? hierarchy->lentChildren(parent.get()) : nullptr;
  // Remembered answers are for one question at a time (a span, or a least
  // completion) about a summary with children enough to be worth it: for a
  // few, looking the answer up costs about what counting it does.
  const bool remembers = time != completion && lent != nullptr &&
                         lent->size() >= kLeastChildrenRemembered && remembersFor(items);
  uint64_t schedulingEpoch = 0;
  uint64_t completionEpoch = 0;
  uint64_t revision = 0;
  if (remembers) {
    schedulingEpoch = detail::schedulingEpoch();
    completionEpoch = detail::completionEpoch();
    revision = hierarchy->revision_;
  }
  bool recalled = false;
  if (remembers && time) {
    const auto known = spans_.find(parent.get());
    if (known != spans_.end() && known->second.completionEpoch == completionEpoch &&
        known->second.revision == revision &&
        (known->second.schedulingEpoch == schedulingEpoch ||
         catchUp(known->second, schedulingEpoch, lent->size(), items))) {
      span = known->second.tally.span();
      recalled = true;
    }
  } else if (remembers) {
    const auto known = leastCompletions_.find(parent.get());
    if (known != leastCompletions_.end() && known->second.completionEpoch == completionEpoch &&
        known->second.revision == revision) {
      minimum = known->second.value;
      recalled = true;
    }
  }
  if (!recalled) {
    // Only values are read below, so the library's hierarchy may lend its
    // list while every sibling is the library's own item (whose getters
    // cannot reach a host that replaces the relations); otherwise a copy.
    const std::vector<GanttChartItemPtr>* siblings = lent;
    if (siblings != nullptr &&
        !std::all_of(siblings->begin(), siblings->end(), [](const GanttChartItemPtr& sibling) {
          return sibling == nullptr || typeid(*sibling) == typeid(GanttChartItem);
        })) {
      siblings = nullptr;
    }
    // Only a lent list of the library's own items is known to change with
    // the counts compared above.
    const bool ownItems = siblings != nullptr;
    std::vector<GanttChartItemPtr> copied;
    if (siblings == nullptr) {
      copied = provider_->children(parent);
      siblings = &copied;
    }
    detail::SpanTally tally;
    forEachAmong(*siblings, items, [&](const GanttChartItemPtr& sibling) {
      if (completion) {
        const double done = sibling->completion();
        if (!minimum || done < *minimum) minimum = done;
      }
      if (time) tally.add(sibling->time());
    });
    span = tally.span();
    if (remembers && ownItems) {
      if (time) {
        const size_t relation = *hierarchy->relationOfParent_.find(parent.get());
        spans_.insert_or_assign(parent.get(),
                                RememberedSpan{tally, schedulingEpoch, completionEpoch, revision,
                                               relation, hierarchy->listsEachChildOnce(relation)});
      } else {
        leastCompletions_[parent.get()] = {minimum, completionEpoch, revision};
      }
    }
  }
  GanttChartItemUpdateActions actions;
  if (span && !(parent->start() == span->start && parent->finish() == span->finish)) {
    actions.push_back(GanttChartItemUpdateAction::updateTimeAction(parent, *span, true, false));
  }
  if (minimum && parent->completion() != *minimum) {
    actions.push_back(
        GanttChartItemUpdateAction::updateCompletionAction(parent, *minimum, true, false));
  }
  return actions;
}

bool GanttChartItemHierarchicalBehavior::catchUp(RememberedSpan& known, uint64_t now,
                                                 size_t children, const GanttChartItemList& items) {
  const detail::TimeChangeJournal* journal = detail::listenedTimeChangeJournal();
  // Past as many changes as there are children, counting again costs less.
  if (journal == nullptr || !known.followsChanges || !known.tally.isFollowable() ||
      now - known.schedulingEpoch > children) {
    return false;
  }
  const auto& hierarchy = static_cast<const GanttChartItemHierarchy&>(*provider_);
  // A tally that could not follow is counted again, replacing it.
  bool followed = true;
  const bool replayed =
      journal->replay(known.schedulingEpoch, now, [&](const detail::TimeChange& change) {
        if (!followed || hierarchy.relationOfChild_.find(change.item) != known.relation ||
            !isAmong(*change.item, items)) {
          return;
        }
        followed = known.tally.follow(change.from, change.to);
      });
  if (!replayed || !followed) return false;
  known.schedulingEpoch = now;
  return true;
}

bool GanttChartItemHierarchicalBehavior::remembersFor(const GanttChartItemList& items) {
  if (!remembering_ || typeid(*provider_) != typeid(GanttChartItemHierarchy)) return false;
  // A list of the items in view may yet name more items.
  static_cast<void>(sourceIndexOf(items));
  if (origin_ != nullptr) return false;
  if (!items.hasIdentity(rememberedOf_)) {
    spans_.clear();
    leastCompletions_.clear();
    rememberedOf_ = items.identity();
  }
  return true;
}

void GanttChartItemHierarchicalBehavior::startRemembering() {
  remembering_ = true;
  listening_.emplace();
}

void GanttChartItemHierarchicalBehavior::forget() {
  remembering_ = false;
  listening_.reset();
  spans_.clear();
  leastCompletions_.clear();
  rememberedOf_.reset();
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  if (!aggregatingTime()) return {};
  return aggregateParentOf(item, items, true, true);
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::itemWasRemoved(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  if (!aggregatingTime()) return {};
  return aggregateParentOf(item, items, true, true);
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::timeDidChange(
    const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
    const GanttChartItemList& items, const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  if (!aggregatingTime()) return {};
  const TimeRange now = item->time();

  // A change that keeps the working duration exactly is a move, whose offset
  // in working time the children follow; anything else (or any change when
  // durations are not preserved) a resize. Worked out for the first child
  // that has to follow, since most changed items have none.
  struct Kind {
    bool isMove = false;
    double offset = 0;
  };
  std::optional<Kind> kind;
  const auto kindOfChange = [&]() -> const Kind& {
    if (kind) return *kind;
    kind.emplace();
    const auto itemSchedule = detail::behaviorScheduleOf(*item, schedule);
    if (preservingDurations() && itemSchedule->duration(now.start, now.finish) ==
                                     itemSchedule->duration(from.start, from.finish)) {
      kind->isMove = true;
      kind->offset = itemSchedule->duration(from.start, now.start);
    }
    return *kind;
  };

  GanttChartItemUpdateActions actions;
  if (down) {
    forEachAmong(provider_->children(item), items, [&](const GanttChartItemPtr& child) {
      const Time cs = child->start();
      const Time cf = child->finish();
      const bool insideBoth =
          now.start < cs && cf < now.finish && from.start < cs && cf < from.finish;
      if (insideBoth) return;
      const Kind& change = kindOfChange();
      const TimeRange target = change.isMove
                                   ? movedChildTime(*child, now, change.offset, schedule)
                                   : resizedChildTime(*child, now, from);
      if (target.start == cs && target.finish == cf) return;
      actions.push_back(GanttChartItemUpdateAction::updateTimeAction(child, target, false, true));
    });
  }
  if (up) {
    GanttChartItemUpdateActions parent = aggregateParentOf(item, items, true, false);
    actions.insert(actions.end(), parent.begin(), parent.end());
  }
  return actions;
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::completionDidChange(
    const GanttChartItemPtr& item, double from, bool up, bool down,
    const GanttChartItemList& items, const GanttChartDependencyList& /*dependencies*/,
    const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
  if (!aggregatingTime()) return {};
  GanttChartItemUpdateActions actions;
  if (down) {
    const double value = item->completion();
    forEachAmong(provider_->children(item), items, [&](const GanttChartItemPtr& child) {
      const double completion = child->completion();
      if (completion == value) return;
      // A child that was further than its parent before and after the change
      // keeps its own progress.
      if (completion > value && completion > from) return;
      actions.push_back(
          GanttChartItemUpdateAction::updateCompletionAction(child, value, false, true));
    });
  }
  if (up) {
    GanttChartItemUpdateActions parent = aggregateParentOf(item, items, false, true);
    actions.insert(actions.end(), parent.begin(), parent.end());
  }
  return actions;
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::expansionDidChange(
    const GanttChartItemPtr& item, const GanttChartItemList& items) {
  return item->isExpanded() ? expand(item, items) : collapse(item, items);
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::collapse(
    const GanttChartItemPtr& item, const GanttChartItemList& items) {
  const int64_t row = item->row();
  std::vector<GanttChartItemPtr> hidden = provider_->allLevelChildren(item);
  std::erase_if(hidden, [&](const GanttChartItemPtr& d) {
    return d == nullptr || !d->isVisible() || !isAmong(d, items);
  });

  CollapseStateDefinition record{item, row, {}, {}};
  record.itemStates.reserve(hidden.size());
  GanttChartItemUpdateActions actions;
  std::unordered_set<const GanttChartItem*> hiddenSet;
  std::unordered_set<int64_t> hiddenRows;
  for (const GanttChartItemPtr& d : hidden) {
    record.itemStates.push_back({d, d->row()});
    actions.push_back(GanttChartItemUpdateAction::updateVisibilityAction(d, false));
    actions.push_back(GanttChartItemUpdateAction::updateRowAction(d, row));
    hiddenSet.insert(d.get());
    hiddenRows.insert(d->row());
  }

  // A row is freed when no visible item outside the collapsed subtree stays
  // on it. One pass marks the occupied rows; the freed ones are then sorted so
  // that each later item counts those at or above it by a binary search.
  const auto isHidden = [&hiddenSet](const GanttChartItemPtr& x) {
    return hiddenSet.count(x.get()) != 0;
  };
  std::unordered_set<int64_t> occupied;
  for (const GanttChartItemPtr& x : hiddenRows.empty() ? GanttChartItemList() : items) {
    if (x == nullptr || !x->isVisible() || isHidden(x)) continue;
    if (hiddenRows.count(x->row()) != 0) occupied.insert(x->row());
  }
  std::vector<int64_t> freedRows;
  for (const int64_t hiddenRow : hiddenRows) {
    if (occupied.count(hiddenRow) == 0) freedRows.push_back(hiddenRow);
  }
  std::sort(freedRows.begin(), freedRows.end());

  // With no row freed every item below would keep its row: nothing to say.
  for (const GanttChartItemPtr& x : freedRows.empty() ? GanttChartItemList() : items) {
    if (x == nullptr || x->row() <= row || isHidden(x)) continue;
    const auto freedAtOrAbove =
        std::upper_bound(freedRows.begin(), freedRows.end(), x->row()) - freedRows.begin();
    // Saturating: hidden items may sit on freed rows right down to the first.
    actions.push_back(GanttChartItemUpdateAction::updateRowAction(
        x, movedRow(x->row(), static_cast<int64_t>(freedAtOrAbove), 0)));
  }
  // Expanding restores from an item's first record and then drops them all,
  // so a record made while one is kept for the item would never be read.
  // Re-applying the rules collapses every collapsed item again: kept, such
  // records would pile up with every re-application.
  const bool recorded =
      std::any_of(collapseStates_.begin(), collapseStates_.end(),
                  [&item](const CollapseStateDefinition& state) { return state.parent == item; });
  if (!recorded) {
    record.freedRows = std::move(freedRows);
    collapseStates_.push_back(std::move(record));
  }
  return actions;
}

GanttChartItemUpdateActions GanttChartItemHierarchicalBehavior::expand(
    const GanttChartItemPtr& item, const GanttChartItemList& items) {
  const auto recordOf = [&item](const CollapseStateDefinition& state) {
    return state.parent == item;
  };
  const auto found = std::find_if(collapseStates_.begin(), collapseStates_.end(), recordOf);
  if (found == collapseStates_.end()) return {};
  // Moved out before the records are dropped, which happens now rather than at
  // the end so that nothing is left behind whatever follows.
  const std::vector<CollapseItemStateDefinition> itemStates = std::move(found->itemStates);
  const int64_t parentRow = found->parentRow;
  const std::vector<int64_t> freedRows = std::move(found->freedRows);
  std::erase_if(collapseStates_, recordOf);

  const int64_t row = item->row();
  GanttChartItemUpdateActions actions;
  std::unordered_set<const GanttChartItem*> restored;
  std::vector<int64_t> reopened;
  for (const CollapseItemStateDefinition& state : itemStates) {
    if (!isAmong(state.item, items)) continue;
    const int64_t target = movedRow(state.row, parentRow, row);
    actions.push_back(GanttChartItemUpdateAction::updateRowAction(state.item, target));
    actions.push_back(GanttChartItemUpdateAction::updateVisibilityAction(state.item, true));
    restored.insert(state.item.get());
  }
  // Only rows below the item shift others down, as only they were closed by
  // moving the items below them up.
  for (const int64_t freedRow : freedRows) {
    const int64_t target = movedRow(freedRow, parentRow, row);
    if (target > row) reopened.push_back(target);
  }
  std::sort(reopened.begin(), reopened.end());
  reopened.erase(std::unique(reopened.begin(), reopened.end()), reopened.end());

  // The i-th reopened row (ascending) shifts every other item from row
  // t(i) - i on by i + 1. Those thresholds never decrease, so an item's final
  // shift is the number of thresholds at or below its row.
  std::vector<int64_t> thresholds(reopened.size());
  for (size_t i = 0; i < reopened.size(); ++i) {
    thresholds[i] = checkedSubtract(reopened[i], static_cast<int64_t>(i));
  }
  // Items grouped by shift, each group in list order: the order in which the
  // shifts would have been given out one reopened row at a time.
  std::vector<std::vector<GanttChartItemPtr>> byShift(reopened.size() + 1);
  for (const GanttChartItemPtr& x : items) {
    if (x == nullptr || restored.count(x.get()) != 0) continue;
    const auto shift =
        std::upper_bound(thresholds.begin(), thresholds.end(), x->row()) - thresholds.begin();
    if (shift > 0) byShift[static_cast<size_t>(shift)].push_back(x);
  }
  for (size_t shift = 1; shift < byShift.size(); ++shift) {
    for (const GanttChartItemPtr& x : byShift[shift]) {
      actions.push_back(GanttChartItemUpdateAction::updateRowAction(
          x, movedRow(x->row(), 0, static_cast<int64_t>(shift))));
    }
  }
  return actions;
}

}  // namespace vorlent
