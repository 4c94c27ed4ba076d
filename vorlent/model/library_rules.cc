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

void survey(const GanttChartItemBehavior& behavior,
            std::vector<const GanttChartItemBehavior*>& path, LibraryRules& rules) {
  const std::type_info& type = typeid(behavior);
  if (type == typeid(GanttChartItemBehaviorSet)) {
    if (std::find(path.begin(), path.end(), &behavior) != path.end()) return;
    path.push_back(&behavior);
    for (const auto& member : static_cast<const GanttChartItemBehaviorSet&>(behavior).behaviors()) {
      if (member) survey(*member, path, rules);
      if (rules.foreign) break;
    }
    path.pop_back();
  } else if (type == typeid(GanttChartItemColumnBehavior)) {
    rules.columns.push_back(static_cast<const GanttChartItemColumnBehavior*>(&behavior));
  } else if (type == typeid(GanttChartItemHierarchicalBehavior)) {
    rules.hierarchies.push_back(static_cast<const GanttChartItemHierarchicalBehavior*>(&behavior));
  } else if (type == typeid(GanttChartItemAutoSchedulingBehavior)) {
    rules.autoScheduling.push_back(
        static_cast<const GanttChartItemAutoSchedulingBehavior*>(&behavior));
  } else if (type == typeid(GanttChartItemConstraintBehavior)) {
    rules.constraints.push_back(static_cast<const GanttChartItemConstraintBehavior*>(&behavior));
  } else {
    rules.foreign = true;
  }
}

}  // namespace

LibraryRules libraryRulesOf(const GanttChartItemBehavior& behavior) {
  LibraryRules rules;
  std::vector<const GanttChartItemBehavior*> path;
  survey(behavior, path, rules);
  return rules;
}

}  // namespace vorlent::detail
