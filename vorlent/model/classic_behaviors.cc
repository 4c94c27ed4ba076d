#include "vorlent/model/classic_behaviors.h"

#include <utility>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"

namespace vorlent {

std::shared_ptr<GanttChartItemBehaviorSet> GanttChartItemBehaviorSet::classic(
    std::shared_ptr<GanttChartItemHierarchyProvider> hierarchyProvider,
    std::optional<bool> aggregatingTime, std::optional<bool> autoSchedulingApplyingToUpdatingItems,
    std::optional<bool> autoSchedulingAggregatingSources,
    std::shared_ptr<GanttChartDependencyLagProvider> autoSchedulingLagProvider,
    std::shared_ptr<GanttChartItemConstraintProvider> constraintProvider,
    std::optional<bool> preservingDurations) {
  const bool preserving = preservingDurations.value_or(true);
  return std::make_shared<GanttChartItemBehaviorSet>(std::vector<GanttChartItemBehaviorPtr>{
      std::make_shared<GanttChartItemColumnBehavior>(),
      std::make_shared<GanttChartItemHierarchicalBehavior>(
          std::move(hierarchyProvider), aggregatingTime.value_or(true), preserving),
      std::make_shared<GanttChartItemAutoSchedulingBehavior>(
          autoSchedulingApplyingToUpdatingItems.value_or(false), autoSchedulingAggregatingSources,
          preserving, std::move(autoSchedulingLagProvider)),
      std::make_shared<GanttChartItemConstraintBehavior>(std::move(constraintProvider), preserving),
  });
}

std::shared_ptr<GanttChartItemBehaviorSet> GanttChartItemBehaviorSet::classic(
    std::vector<GanttChartItemHierarchicalRelation> hierarchicalRelations,
    std::optional<bool> aggregatingTime, std::optional<bool> autoSchedulingApplyingToUpdatingItems,
    std::optional<bool> autoSchedulingAggregatingSources,
    std::vector<GanttChartDependencyLagDefinition> autoSchedulingLags,
    std::vector<GanttChartItemConstraintDefinition> constraints,
    std::optional<bool> preservingDurations) {
  return classic(
      std::make_shared<GanttChartItemHierarchy>(std::move(hierarchicalRelations)), aggregatingTime,
      autoSchedulingApplyingToUpdatingItems, autoSchedulingAggregatingSources,
      std::make_shared<GanttChartDependencyLagSet>(std::move(autoSchedulingLags)),
      std::make_shared<GanttChartItemConstraintSet>(std::move(constraints)), preservingDurations);
}

std::shared_ptr<GanttChartItemBehaviorSet> GanttChartItemBehaviorSet::classic() {
  return classic(std::vector<GanttChartItemHierarchicalRelation>{}, std::nullopt, std::nullopt,
                 std::nullopt, {}, {}, std::nullopt);
}

}  // namespace vorlent
