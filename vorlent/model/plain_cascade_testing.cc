#include "vorlent/model/plain_cascade_testing.h"

#include <cstddef>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>
#include <variant>

namespace vorlent::testing {

namespace {

// Settling charts of a few dozen items come back to an item a handful of
// times, rarely a few dozen: an item on the path that led to its change
// this many times, or whose changes came back to it this many times in one
// cascade, is running in circles.
constexpr int64_t kMostTimesOnThePath = 128;
constexpr int64_t kMostReturns = 2048;

// One answer being applied, and what the cascades of its actions so far
// changed (held, as a rule may remove an item from the chart meanwhile).
struct Answer {
  Answer(GanttChartItemUpdateActions list, GanttChartItemPtr causedBy)
      : actions(std::move(list)), cause(std::move(causedBy)) {}
  GanttChartItemUpdateActions actions;
  size_t next = 0;
  GanttChartItemPtr cause;  // whose change this answer follows up; null at the root
  // Changed by the cascades of the actions applied so far.
  std::set<GanttChartItemPtr> timesOvertaken;
  std::set<GanttChartItemPtr> completionsOvertaken;
  // Changed by this answer's own actions or their cascades.
  std::set<GanttChartItemPtr> timesChanged;
  std::set<GanttChartItemPtr> completionsChanged;
};

}  // namespace

void PlainCascadeSource::applyBehaviorUpdates() {
  const GanttChartItemList items = availableItems();
  for (const auto& item : items) {
    applyBehaviorUpdatesForRowOf(item);
    applyBehaviorUpdatesForExpansionStateOf(item);
    applyBehaviorUpdatesForTimeOf(item);
    applyBehaviorUpdatesForCompletionOf(item);
  }
}

void PlainCascadeSource::sourceDidChange() {
  if (!cascading_) CountingSource::sourceDidChange();
}

void PlainCascadeSource::performUpdates(GanttChartItemUpdateActions actions,
                                        int64_t /*recursivity*/) {
  using Action = GanttChartItemUpdateAction;
  std::vector<Answer> stack;
  stack.emplace_back(std::move(actions), nullptr);
  std::unordered_map<const GanttChartItem*, int64_t> onThePath;
  std::unordered_map<const GanttChartItem*, int64_t> returns;
  while (!stack.empty()) {
    Answer& answer = stack.back();
    if (answer.next == answer.actions.size()) {
      Answer done = std::move(answer);
      stack.pop_back();
      if (done.cause != nullptr) --onThePath[done.cause.get()];
      if (stack.empty()) break;
      Answer& below = stack.back();
      for (const auto& item : done.timesChanged) {
        below.timesOvertaken.insert(item);
        below.timesChanged.insert(item);
      }
      for (const auto& item : done.completionsChanged) {
        below.completionsOvertaken.insert(item);
        below.completionsChanged.insert(item);
      }
      continue;
    }
    const Action action = answer.actions[answer.next++];
    const GanttChartItemPtr item = action.item();
    const bool time = std::holds_alternative<Action::UpdateTime>(action.variant());
    const bool completion = std::holds_alternative<Action::UpdateCompletion>(action.variant());
    if ((time && answer.timesOvertaken.count(item) != 0) ||
        (completion && answer.completionsOvertaken.count(item) != 0)) {
      continue;
    }
    const TimeRange timeBefore = item->time();
    const double completionBefore = item->completion();
    const bool outer = std::exchange(cascading_, true);
    clearCache();
    cascading_ = outer;
    std::optional<GanttChartItemUpdateActions> followUps = apply(action, 0);
    if (time && !(item->start() == timeBefore.start && item->finish() == timeBefore.finish)) {
      answer.timesChanged.insert(item);
    }
    if (completion && item->completion() != completionBefore) {
      answer.completionsChanged.insert(item);
    }
    if (!followUps || followUps->empty()) continue;
    int64_t& times = onThePath[item.get()];
    if (times > 0 && (kMostTimesOnThePath <= times || kMostReturns <= ++returns[item.get()])) {
      cascadeWasCut(item);
      return;
    }
    ++times;
    stack.emplace_back(std::move(*followUps), item);
  }
}

}  // namespace vorlent::testing
