#include "vorlent/model/library_rules.h"

#include <algorithm>
#include <typeinfo>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_behavior_set.h"

namespace vorlent::detail {
namespace {

template <class Rule>
void count(const GanttChartItemBehaviorPtr& behavior,
           std::vector<std::shared_ptr<Rule>>& rules) {
  rules.push_back(std::static_pointer_cast<Rule>(behavior));
}

void survey(const GanttChartItemBehaviorPtr& behavior,
            std::vector<const GanttChartItemBehavior*>& path, LibraryRules& rules) {
  const std::type_info& type = typeid(*behavior);
  if (type == typeid(GanttChartItemBehaviorSet)) {
    if (std::find(path.begin(), path.end(), behavior.get()) != path.end()) return;
    path.push_back(behavior.get());
    // A copy of the member list, holding every member for the walk.
    const std::vector<GanttChartItemBehaviorPtr> members =
        static_cast<const GanttChartItemBehaviorSet&>(*behavior).behaviors();
    for (const auto& member : members) {
      if (member) survey(member, path, rules);
      if (rules.foreign) break;
    }
    path.pop_back();
  } else if (type == typeid(GanttChartItemColumnBehavior)) {
    count(behavior, rules.columns);
  } else if (type == typeid(GanttChartItemHierarchicalBehavior)) {
    count(behavior, rules.hierarchies);
  } else if (type == typeid(GanttChartItemAutoSchedulingBehavior)) {
    count(behavior, rules.autoScheduling);
  } else if (type == typeid(GanttChartItemConstraintBehavior)) {
    count(behavior, rules.constraints);
  } else {
    rules.foreign = true;
  }
}

}  // namespace

LibraryRules libraryRulesOf(const GanttChartItemBehaviorPtr& behavior) {
  LibraryRules rules;
  if (!behavior) return rules;
  std::vector<const GanttChartItemBehavior*> path;
  survey(behavior, path, rules);
  return rules;
}

}  // namespace vorlent::detail
