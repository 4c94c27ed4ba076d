#include "vorlent/model/item_behavior_set.h"

#include <algorithm>
#include <cstddef>

#include "vorlent/model/small_copy.h"

namespace vorlent {
namespace {

// The sets answering the current question, outermost first. A set found
// here is already answering further up (it contains itself, directly or
// through nested sets), so it answers nothing instead of recursing without
// end. A new question (a manager's operation nested in a member's callback)
// sets the outer ones aside.
thread_local std::vector<const GanttChartItemBehaviorSet*> setsBeingAsked;
// Where the current question's sets begin in `setsBeingAsked`.
thread_local size_t questionBegin = 0;
// The questions open, outermost included.
thread_local size_t openQuestions = 0;

class AskingScope {
 public:
  explicit AskingScope(const GanttChartItemBehaviorSet* set) { setsBeingAsked.push_back(set); }
  ~AskingScope() { setsBeingAsked.pop_back(); }
  AskingScope(const AskingScope&) = delete;
  AskingScope& operator=(const AskingScope&) = delete;
};

}  // namespace

namespace detail {

NewBehaviorQuestion::NewBehaviorQuestion() : outerBegin_(questionBegin) {
  questionBegin = setsBeingAsked.size();
  ++openQuestions;
}

NewBehaviorQuestion::~NewBehaviorQuestion() {
  questionBegin = outerBegin_;
  --openQuestions;
}

size_t NewBehaviorQuestion::depth() { return openQuestions; }

}  // namespace detail

template <class Ask>
GanttChartItemUpdateActions GanttChartItemBehaviorSet::collect(const Ask& ask) {
  const auto begin = setsBeingAsked.begin() + static_cast<std::ptrdiff_t>(questionBegin);
  if (std::find(begin, setsBeingAsked.end(), this) != setsBeingAsked.end()) {
    return {};
  }
  const AskingScope scope(this);
  // A copy of the member list, so a member that edits this set while it is
  // asked neither invalidates the loop nor is freed before it returns.
  // Sets are asked once per change, and nearly all have a few members.
  const detail::SmallCopy<GanttChartItemBehaviorPtr, 8> members(behaviors());
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
