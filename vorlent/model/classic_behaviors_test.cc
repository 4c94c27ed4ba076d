#include "vorlent/model/classic_behaviors.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::makeSummary;
using testing::on;
using testing::rowsOf;

template <class Behavior>
std::shared_ptr<Behavior> member(const GanttChartItemBehaviorSet& set, size_t index) {
  return std::dynamic_pointer_cast<Behavior>(set.behaviors().at(index));
}

TEST(ClassicBehaviorSet, HoldsColumnHierarchyAutoSchedulingAndConstraintsInThatOrder) {
  const auto set = GanttChartItemBehaviorSet::classic();
  ASSERT_EQ(set->behaviors().size(), 4u);
  EXPECT_NE(member<GanttChartItemColumnBehavior>(*set, 0), nullptr);
  const auto hierarchical = member<GanttChartItemHierarchicalBehavior>(*set, 1);
  const auto autoScheduling = member<GanttChartItemAutoSchedulingBehavior>(*set, 2);
  const auto constraint = member<GanttChartItemConstraintBehavior>(*set, 3);
  ASSERT_TRUE(hierarchical && autoScheduling && constraint);

  EXPECT_TRUE(hierarchical->aggregatingTime());
  EXPECT_TRUE(hierarchical->preservingDurations());
  const auto hierarchy =
      std::dynamic_pointer_cast<GanttChartItemHierarchy>(hierarchical->provider());
  ASSERT_NE(hierarchy, nullptr);
  EXPECT_TRUE(hierarchy->relations().empty());

  EXPECT_FALSE(autoScheduling->applyingToUpdatingItems());
  EXPECT_TRUE(autoScheduling->preservingDurations());
  EXPECT_EQ(autoScheduling->aggregatingSources(), std::nullopt);
  const auto lags =
      std::dynamic_pointer_cast<GanttChartDependencyLagSet>(autoScheduling->lagProvider());
  ASSERT_NE(lags, nullptr);
  EXPECT_TRUE(lags->lags().empty());

  EXPECT_TRUE(constraint->preservingDurations());
  const auto constraints =
      std::dynamic_pointer_cast<GanttChartItemConstraintSet>(constraint->provider());
  ASSERT_NE(constraints, nullptr);
  EXPECT_TRUE(constraints->constraints().empty());
}

TEST(ClassicBehaviorSet, OnePreservingFlagSetsEveryMemberAndOptionsPassThrough) {
  const auto set = GanttChartItemBehaviorSet::classic(
      std::vector<GanttChartItemHierarchicalRelation>{}, false, true, true, {}, {}, false);
  EXPECT_FALSE(member<GanttChartItemHierarchicalBehavior>(*set, 1)->preservingDurations());
  EXPECT_FALSE(member<GanttChartItemHierarchicalBehavior>(*set, 1)->aggregatingTime());
  const auto autoScheduling = member<GanttChartItemAutoSchedulingBehavior>(*set, 2);
  EXPECT_FALSE(autoScheduling->preservingDurations());
  EXPECT_TRUE(autoScheduling->applyingToUpdatingItems());
  EXPECT_EQ(autoScheduling->aggregatingSources(), true);
  EXPECT_FALSE(member<GanttChartItemConstraintBehavior>(*set, 3)->preservingDurations());
}

TEST(ClassicBehaviorSet, ProvidersAreUsedAsGivenAndMayLackALagProvider) {
  const auto hierarchy = std::make_shared<GanttChartItemHierarchy>();
  const auto constraints = std::make_shared<GanttChartItemConstraintSet>();
  const auto set = GanttChartItemBehaviorSet::classic(hierarchy, std::nullopt, std::nullopt, false,
                                                      nullptr, constraints, std::nullopt);
  EXPECT_EQ(member<GanttChartItemHierarchicalBehavior>(*set, 1)->provider(), hierarchy);
  EXPECT_EQ(member<GanttChartItemAutoSchedulingBehavior>(*set, 2)->lagProvider(), nullptr);
  EXPECT_EQ(member<GanttChartItemAutoSchedulingBehavior>(*set, 2)->aggregatingSources(), false);
  EXPECT_EQ(member<GanttChartItemConstraintBehavior>(*set, 3)->provider(), constraints);
}

TEST(ClassicBehaviorSet, TwoSetsKeepSeparateCollapseRecords) {
  const auto parent = makeSummary("P", 0, on(kMonday, 8), on(kMonday, 16));
  const auto child = makeItem("C", 1, on(kMonday, 8), on(kMonday, 16));
  const std::vector<GanttChartItemHierarchicalRelation> relations{{parent, {child}}};
  const auto first = GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt,
                                                        std::nullopt, {}, {}, std::nullopt);
  const auto second = GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt,
                                                         std::nullopt, {}, {}, std::nullopt);
  EXPECT_NE(first->behaviors()[1], second->behaviors()[1]);

  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{parent, child}, std::vector<GanttChartDependencyPtr>{},
      nullptr, first);
  source->collapse(parent);
  source->setBehavior(second);
  source->expand(parent);
  EXPECT_EQ(child->row(), 0) << "the second set has no record of the first one's collapse";
  source->setBehavior(first);
  source->expand(parent);
  EXPECT_EQ(child->row(), 1);
  EXPECT_TRUE(child->isVisible());
}

}  // namespace
}  // namespace vorlent
