#include "vorlent/model/item_behavior_set.h"

#include <algorithm>

#include "vorlent/base/fatal.h"

namespace vorlent {
namespace {

// Depth-first walk of nested sets keeping the current path; a set met again
// on its own path closes a cycle. Sets reached twice along different paths
// (shared members) are fine.
void checkAcyclic(const GanttChartItemBehaviorSet& set,
                  std::vector<const GanttChartItemBehaviorSet*>& path) {
  if (std::find(path.begin(), path.end(), &set) != path.end()) {
    fatalStop("GanttChartItemBehaviorSet: a behaviour set contains itself");
  }
  path.push_back(&set);
  for (const auto& member : set.behaviors()) {
    if (const auto* inner = dynamic_cast<const GanttChartItemBehaviorSet*>(member.get())) {
      checkAcyclic(*inner, path);
    }
  }
  path.pop_back();
}

}  // namespace

template <class Ask>
GanttChartItemUpdateActions GanttChartItemBehaviorSet::collect(const Ask& ask) {
  std::vector<const GanttChartItemBehaviorSet*> path;
  checkAcyclic(*this, path);
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
