#include "vorlent/model/item_behavior_set.h"

#include <algorithm>

namespace vorlent {
namespace {

// The sets being asked right now, outermost first. A set found here is
// already answering further up the call path (it contains itself, directly or
// through nested sets, or a member re-entered it through the manager), so it
// answers nothing instead of recursing without end.
thread_local std::vector<const GanttChartItemBehaviorSet*> setsBeingAsked;

class AskingScope {
 public:
  explicit AskingScope(const GanttChartItemBehaviorSet* set) { setsBeingAsked.push_back(set); }
  ~AskingScope() { setsBeingAsked.pop_back(); }
  AskingScope(const AskingScope&) = delete;
  AskingScope& operator=(const AskingScope&) = delete;
};

}  // namespace

template <class Ask>
GanttChartItemUpdateActions GanttChartItemBehaviorSet::collect(const Ask& ask) {
  if (std::find(setsBeingAsked.begin(), setsBeingAsked.end(), this) != setsBeingAsked.end()) {
    return {};
  }
  const AskingScope scope(this);
  // A copy of the member list, so a member that edits this set while it is
  // asked neither invalidates the loop nor is freed before it returns.
  const std::vector<GanttChartItemBehaviorPtr> members = behaviors();
  GanttChartItemUpdateActions result;
  for (const auto& member : members) {
    if (!member) continue;
    GanttChartItemUpdateActions answer = ask(*member);
    if (result.empty()) {
      result = std::move(answer);
    } else {
      result.insert(result.end(), std::make_move_iterator(answer.begin()),
                    std::make_move_iterator(answer.end()));
    }
  }
  return result;
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.itemWasAdded(item, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::itemWasRemoved(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.itemWasRemoved(item, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::dependencyWasAdded(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.dependencyWasAdded(dependency, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::dependencyWasRemoved(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.dependencyWasRemoved(dependency, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::timeDidChange(
    const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
    const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.timeDidChange(item, from, up, down, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::completionDidChange(
    const GanttChartItemPtr& item, double from, bool up, bool down, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.completionDidChange(item, from, up, down, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::rowDidChange(
    const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule) {
  return collect([&](GanttChartItemBehavior& member) {
    return member.rowDidChange(item, from, items, dependencies, schedule);
  });
}

GanttChartItemUpdateActions GanttChartItemBehaviorSet::expansionDidChange(
    const GanttChartItemPtr& item, const GanttChartItemList& items) {
  return collect(
      [&](GanttChartItemBehavior& member) { return member.expansionDidChange(item, items); });
}

}  // namespace vorlent
