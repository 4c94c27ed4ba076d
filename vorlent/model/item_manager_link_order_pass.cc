// The whole-chart pass of GanttChartItemManager that places each item's time
// once, in link order, where the order of the steps cannot change the result
// (see link_order_time_pass.h).

#include <algorithm>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior_set.h"
#include "vorlent/model/item_manager.h"
#include "vorlent/model/library_rules.h"
#include "vorlent/model/link_order_time_pass.h"

namespace vorlent {

namespace {

// The rule that spans summaries over their children, when it is the
// library's own over the library's own relations, whose answers read
// nothing a host could change meanwhile; null otherwise. The pass admits at
// most one hierarchical rule aggregating times.
std::shared_ptr<GanttChartItemHierarchicalBehavior> spanningRuleOf(
    const GanttChartItemBehaviorPtr& rules) {
  for (const auto& rule : detail::libraryRulesOf(rules).hierarchies) {
    if (rule->aggregatingTime() && rule->provider() != nullptr &&
        typeid(*rule->provider()) == typeid(GanttChartItemHierarchy)) {
      return rule;
    }
  }
  return nullptr;
}

}  // namespace

bool GanttChartItemManager::applyBehaviorUpdatesInLinkOrder(const GanttChartItemList& items) {
  // Filtered lists gain and lose items as rows change, which only asking
  // item by item reproduces.
  if (availableItemsFromFilter_ || maxBehaviorRecursivity() <= 0) return false;
  const std::vector<GanttChartItemPtr>& elements = items.elements();
  // A copy: a hierarchy provider asked below may replace the behaviour.
  const GanttChartItemBehaviorPtr rules = behavior();
  bool pairsLinkedTwice = false;
  const std::optional<std::vector<size_t>> order = detail::linkOrderForTimeSteps(
      rules, elements, availableDependencies().elements(), schedule(), &pairsLinkedTwice);
  if (!order) return false;
  if (pairsLinkedTwice && !placesNothingEarlier(rules, elements)) return false;
  // No time step reads or changes a row or an expansion, and no row or
  // expansion step reads a time: the steps of each kind may run as a phase
  // of their own.
  // The column row pass also takes every collapsed item's expansion step.
  if (!applyColumnRowStepsAtOnce(items)) {
    for (const auto& item : elements) {
      applyBehaviorUpdatesForRowOf(item);
      applyBehaviorUpdatesForExpansionStateOf(item);
    }
  }
  // Every child's answer would span its summary over all its children: the
  // summaries are spanned once each instead.
  applyTimeStepsInLinkOrder(elements, *order, spanningRuleOf(rules).get());
  for (const auto& item : elements) applyBehaviorUpdatesForCompletionOf(item);
  return true;
}

bool GanttChartItemManager::placesNothingEarlier(const GanttChartItemBehaviorPtr& rules,
                                                 const std::vector<GanttChartItemPtr>& items) {
  const detail::LibraryRules census = detail::libraryRulesOf(rules);
  if (census.autoScheduling.empty()) return true;
  GanttChartItemAutoSchedulingBehavior& linking = *census.autoScheduling.front();
  // Copies, held while the rule reads them.
  const GanttChartItemList available = availableItems();
  const GanttChartDependencyList dependencies = availableDependencies();
  const std::shared_ptr<ScheduleDefinition> calendar = schedule();
  std::vector<std::pair<GanttChartItemPtr, TimeRange>> placements;
  for (const GanttChartItemPtr& item : items) {
    clearCacheAfterChange();
    const GanttChartItemUpdateActions answer =
        linking.timeDidChange(item, item->time(), true, true, available, dependencies, calendar);
    for (const GanttChartItemUpdateAction& action : answer) {
      const auto* move = std::get_if<GanttChartItemUpdateAction::UpdateTime>(&action.variant());
      if (move != nullptr) {
        placements.emplace_back(move->item, snappedTime(move->item, move->value));
      }
    }
    if (!detail::placesNothingEarlier(placements)) return false;
    placements.clear();
  }
  return true;
}

void GanttChartItemManager::applyTimeStepsInLinkOrder(
    const std::vector<GanttChartItemPtr>& items, const std::vector<size_t>& order,
    GanttChartItemHierarchicalBehavior* spanning) {
  using Action = GanttChartItemUpdateAction;
  // Changes are stamped in the order made; an answer carries the stamp of
  // the last change before it was given, and a number of its own.
  uint64_t clock = 0;
  uint64_t answersGiven = 0;
  struct Answer {
    GanttChartItemUpdateActions actions;
    size_t next;
    uint64_t givenAt;
    uint64_t number;
  };
  struct Moved {
    size_t index;  // in `moved`
    uint64_t lastChange;
    uint64_t lastChangeBy;  // the number of the answer that made it
  };
  std::vector<std::pair<GanttChartItemPtr, TimeRange>> moved;  // with the original time
  std::unordered_map<const GanttChartItem*, Moved> changes;
  // The answers about the item in turn: its first, then one more for each
  // change of the item itself, nested as deep as the cascade bound allows
  // (the default bound at most).
  std::vector<Answer> answers;
  // The summaries whose span the children's answers left out. Only the
  // pass's own questions leave it out: an operation a callback starts
  // meanwhile asks one question deeper and is answered in full, and a
  // whole-chart application nested in it leaves the deferral as it was.
  std::unordered_set<const GanttChartItem*, detail::AddressHash> unspanned;
  if (spanning != nullptr) spanning->lastDeferredIn_ = nullptr;
  const auto ask = [&](const GanttChartItemPtr& item) {
    clearCacheAfterChange();
    if (spanning == nullptr) {
      answers.push_back(Answer{askAboutTimeOf(item), 0, clock, ++answersGiven});
      return;
    }
    auto* const outerSpans = spanning->deferredSpans_;
    const size_t outerQuestion = spanning->deferredQuestion_;
    spanning->deferredSpans_ = &unspanned;
    spanning->deferredQuestion_ = detail::NewBehaviorQuestion::depth() + 1;
    answers.push_back(Answer{askAboutTimeOf(item), 0, clock, ++answersGiven});
    spanning->deferredSpans_ = outerSpans;
    spanning->deferredQuestion_ = outerQuestion;
  };
  // Applies the answers on the stack; `asked` (null for none) is asked again
  // whenever an answer changes it.
  const auto settle = [&](const GanttChartItem* asked) {
    while (!answers.empty()) {
      Answer& answer = answers.back();
      if (answer.next == answer.actions.size()) {
        answers.pop_back();
        continue;
      }
      const Action action = std::move(answer.actions[answer.next++]);
      const uint64_t givenAt = answer.givenAt;
      const uint64_t number = answer.number;
      const auto* change = std::get_if<Action::UpdateTime>(&action.variant());
      if (change == nullptr) {
        // The rules the pass admits answer a time with times alone; anything
        // else goes through the engine as it would in the plain pass.
        GanttChartItemUpdateActions single;
        single.push_back(action);
        clearCacheAfterChange();
        performUpdates(std::move(single), static_cast<int64_t>(answers.size()));
        continue;
      }
      const GanttChartItemPtr& item = change->item;
      const auto known = changes.find(item.get());
      // Stale when a change since the answer was given came from elsewhere
      // (a nested answer): of two moves in one answer, the later wins.
      if (known != changes.end() && givenAt < known->second.lastChange &&
          known->second.lastChangeBy != number) {
        continue;
      }
      const TimeRange updated = snappedTime(item, change->value);
      const TimeRange current = item->time();
      if (updated.start == current.start && updated.finish == current.finish) continue;
      clearCacheAfterChange();
      assignTime(item, updated);
      ++clock;
      if (known == changes.end()) {
        changes.emplace(item.get(), Moved{moved.size(), clock, number});
        moved.emplace_back(item, current);
      } else {
        known->second.lastChange = clock;
        known->second.lastChangeBy = number;
      }
      // `answers.size()` is the level the new answer would take, and the
      // bound is positive here. Only rules in conflict (a limit against a
      // link, say) move the asked item that often, and they never settle:
      // a larger bound would only let the loop grow the stack for longer,
      // without end under a very large one, where the cascade stops such a
      // loop as a conflict.
      const int64_t nesting = std::min(maxBehaviorRecursivity(), kDefaultMaxBehaviorRecursivity);
      if (item.get() == asked && (change->up || change->down) &&
          static_cast<int64_t>(answers.size()) < nesting) {
        ask(item);
      }
    }
  };
  for (const size_t position : order) {
    const GanttChartItemPtr& asked = items[position];
    if (!unspanned.empty() && unspanned.count(asked.get()) != 0) {
      // Every child is in place: the span the last child's answer would
      // have given it.
      clearCacheAfterChange();
      answers.push_back(Answer{spanning->aggregateChildrenOf(asked, availableItems(), true, false),
                               0, clock, ++answersGiven});
      settle(nullptr);
    }
    ask(asked);
    settle(asked.get());
  }
  clearCacheAfterChange();
  // Told once every time is in place, so an observer reading the chart sees
  // it whole; an item that came back to where it was is not told.
  for (const auto& [item, original] : moved) {
    const TimeRange now = item->time();
    if (now.start == original.start && now.finish == original.finish) continue;
    if (auto observer = itemObserver()) observer->timeDidChange(item, original);
  }
}

}  // namespace vorlent
