#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/constraints.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior_set.h"

namespace vorlent {

// The usual combination of scheduling rules in one new set, members in this
// order: column mode, hierarchy (summaries span and roll up their children,
// collapsing folds them), auto-scheduling along dependencies, constraints.
// So for a changed time the hierarchy's adjustments come first, the
// successors' moves next and the constraint correction last.
//
// `aggregatingTime` nullopt means true; `autoSchedulingApplyingToUpdatingItems`
// nullopt means false; `autoSchedulingAggregatingSources` is passed on as
// given; `preservingDurations` (nullopt true) sets the hierarchical,
// auto-scheduling and constraint members alike. Every call builds new
// members, so two sets never share collapse records.
std::shared_ptr<GanttChartItemBehaviorSet> classicBehaviorSet(
    std::shared_ptr<GanttChartItemHierarchyProvider> hierarchyProvider,
    std::optional<bool> aggregatingTime, std::optional<bool> autoSchedulingApplyingToUpdatingItems,
    std::optional<bool> autoSchedulingAggregatingSources,
    std::shared_ptr<GanttChartDependencyLagProvider> autoSchedulingLagProvider,
    std::shared_ptr<GanttChartItemConstraintProvider> constraintProvider,
    std::optional<bool> preservingDurations);

// As above over a new hierarchy, lag set and constraint set of the given
// lists.
std::shared_ptr<GanttChartItemBehaviorSet> classicBehaviorSet(
    std::vector<GanttChartItemHierarchicalRelation> hierarchicalRelations,
    std::optional<bool> aggregatingTime, std::optional<bool> autoSchedulingApplyingToUpdatingItems,
    std::optional<bool> autoSchedulingAggregatingSources,
    std::vector<GanttChartDependencyLagDefinition> autoSchedulingLags,
    std::vector<GanttChartItemConstraintDefinition> constraints,
    std::optional<bool> preservingDurations);

// Empty hierarchy, lags and constraints; every option at its default.
std::shared_ptr<GanttChartItemBehaviorSet> classicBehaviorSet();

}  // namespace vorlent
