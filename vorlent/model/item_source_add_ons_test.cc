#include "vorlent/model/item_source_add_ons.h"

#include <gmock/gmock.h>
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

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::makeItem;
using testing::on;

GanttChartItemPtr item(const char* label) {
  return makeItem(label, 0, on(kMonday, 8), on(kMonday, 16));
}

std::shared_ptr<GanttChartItemSource> emptySource(GanttChartItemBehaviorPtr behavior = nullptr) {
  return std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{},
                                                std::vector<GanttChartDependencyPtr>{}, nullptr,
                                                std::move(behavior));
}

template <class Behavior>
std::vector<std::shared_ptr<Behavior>> managed(GanttChartItemSource& source) {
  std::vector<std::shared_ptr<Behavior>> found;
  for (const auto& member : source.managedBehaviorSet()->behaviors()) {
    if (auto behavior = std::dynamic_pointer_cast<Behavior>(member)) found.push_back(behavior);
  }
  return found;
}

// The (parent, children) pairs of the source's relations, for comparison.
std::vector<std::pair<GanttChartItemPtr, std::vector<GanttChartItemPtr>>> relationsOf(
    const GanttChartItemSource& source) {
  std::vector<std::pair<GanttChartItemPtr, std::vector<GanttChartItemPtr>>> pairs;
  for (const auto& relation :
       source.hierarchicalRelations().value_or(std::vector<GanttChartItemHierarchicalRelation>{})) {
    pairs.emplace_back(relation.parent, relation.children);
  }
  return pairs;
}

using Pair = std::pair<GanttChartItemPtr, std::vector<GanttChartItemPtr>>;

TEST(ItemSourceManagedSet, BecomesTheBehaviourOrJoinsTheHostsOneOnce) {
  const auto bare = emptySource();
  const auto set = bare->managedBehaviorSet();
  EXPECT_EQ(bare->behavior(), set);
  EXPECT_TRUE(set->behaviors().empty());

  const auto host = std::make_shared<GanttChartItemColumnBehavior>();
  const auto hosted = emptySource(host);
  const auto managedSet = hosted->managedBehaviorSet();
  const auto combined = std::dynamic_pointer_cast<GanttChartItemBehaviorSet>(hosted->behavior());
  ASSERT_NE(combined, nullptr);
  EXPECT_THAT(combined->behaviors(),
              ElementsAre(GanttChartItemBehaviorPtr(host), GanttChartItemBehaviorPtr(managedSet)));
  hosted->managedBehaviorSet();
  EXPECT_EQ(hosted->behavior(), combined) << "a second read changes nothing";
}

TEST(ItemSourceManagedSet, ASelfContainingHostSetIsSearchedWithoutEnd) {
  const auto host = std::make_shared<GanttChartItemBehaviorSet>();
  host->setBehaviors({host});
  const auto source = emptySource(host);
  const auto set = source->managedBehaviorSet();
  const auto combined = std::dynamic_pointer_cast<GanttChartItemBehaviorSet>(source->behavior());
  ASSERT_NE(combined, nullptr);
  EXPECT_EQ(combined->behaviors().back(), set);
  host->setBehaviors({});  // breaks the cycle so the set can be freed
}

TEST(ItemSourceAddOns, ColumnSwitchKeepsExactlyOneColumnBehaviour) {
  const auto source = emptySource();
  source->setIsColumn(true);
  source->setIsColumn(true);
  EXPECT_EQ(managed<GanttChartItemColumnBehavior>(*source).size(), 1u);
  source->setIsColumn(false);
  EXPECT_TRUE(managed<GanttChartItemColumnBehavior>(*source).empty());
}

TEST(ItemSourceAddOns, NewBehavioursAreAppendedInSwitchingOrder) {
  const auto source = emptySource();
  source->setConstraints(std::vector<GanttChartItemConstraintDefinition>{});
  source->setIsColumn(true);
  source->setIsAutoScheduling(true);
  source->setHierarchicalRelations(std::vector<GanttChartItemHierarchicalRelation>{});
  const auto& members = source->managedBehaviorSet()->behaviors();
  ASSERT_EQ(members.size(), 4u);
  EXPECT_NE(std::dynamic_pointer_cast<GanttChartItemConstraintBehavior>(members[0]), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<GanttChartItemColumnBehavior>(members[1]), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<GanttChartItemAutoSchedulingBehavior>(members[2]), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<GanttChartItemHierarchicalBehavior>(members[3]), nullptr);
}

TEST(ItemSourceHierarchy, RelationEditsCreateTheHierarchyAndItsBehaviour) {
  const auto source = emptySource();
  const auto p = item("P"), q = item("Q"), a = item("A"), b = item("B"), c = item("C");
  EXPECT_EQ(source->children(p), std::nullopt);

  source->addHierarchicalRelation(p, a);
  ASSERT_NE(source->hierarchy(), nullptr);
  const auto behaviors = managed<GanttChartItemHierarchicalBehavior>(*source);
  ASSERT_EQ(behaviors.size(), 1u);
  EXPECT_EQ(behaviors[0]->provider(), source->hierarchy());
  EXPECT_TRUE(behaviors[0]->aggregatingTime());
  EXPECT_TRUE(behaviors[0]->preservingDurations());

  source->addHierarchicalRelation(p, b);
  source->addHierarchicalRelation(q, b);
  EXPECT_THAT(relationsOf(*source), ElementsAre(Pair{p, {a, b}}, Pair{q, {b}}));
  source->addHierarchicalRelations(p, {c});
  EXPECT_THAT(relationsOf(*source), ElementsAre(Pair{q, {b}}, Pair{p, {a, b, c}}))
      << "the parent's relation moves to the end";
  EXPECT_EQ(source->parent(b), q);
  EXPECT_THAT(*source->children(a), IsEmpty());

  source->removeHierarchicalRelation(p, b);
  EXPECT_THAT(relationsOf(*source), ElementsAre(Pair{q, {b}}, Pair{p, {a, c}}));
  source->removeHierarchicalRelations(q, {b});
  EXPECT_THAT(relationsOf(*source), ElementsAre(Pair{q, {}}, Pair{p, {a, c}}))
      << "an emptied relation stays";
  EXPECT_EQ(managed<GanttChartItemHierarchicalBehavior>(*source), behaviors)
      << "editing the relations keeps the behaviour";
}

TEST(ItemSourceHierarchy, RemovingAnItemDropsItsRelationsAndItsPlaceAsAChild) {
  const auto source = emptySource();
  const auto p = item("P"), q = item("Q"), a = item("A"), b = item("B");
  source->setHierarchicalRelations(
      std::vector<GanttChartItemHierarchicalRelation>{{p, {a}}, {q, {p, b}}});
  source->removeFromHierarchy(p);
  EXPECT_THAT(relationsOf(*source), ElementsAre(Pair{q, {b}}));
}

TEST(ItemSourceHierarchy, ReplacingTheHierarchyReplacesItsBehaviourAndTheSameObjectDoesNot) {
  const auto source = emptySource();
  const auto first = std::make_shared<GanttChartItemHierarchy>();
  source->setHierarchy(first);
  const auto original = managed<GanttChartItemHierarchicalBehavior>(*source);
  source->setHierarchy(first);
  EXPECT_EQ(managed<GanttChartItemHierarchicalBehavior>(*source), original);

  const auto second = std::make_shared<GanttChartItemHierarchy>();
  source->setHierarchy(second);
  const auto replaced = managed<GanttChartItemHierarchicalBehavior>(*source);
  ASSERT_EQ(replaced.size(), 1u);
  EXPECT_EQ(replaced[0]->provider(), second);

  source->setHierarchicalRelations(std::nullopt);
  EXPECT_EQ(source->hierarchy(), nullptr);
  EXPECT_TRUE(managed<GanttChartItemHierarchicalBehavior>(*source).empty());
}

struct LinkedSource {
  GanttChartItemPtr a = item("A");
  GanttChartItemPtr b = item("B");
  GanttChartDependencyPtr d = std::make_shared<GanttChartDependency>(std::nullopt, a, b);
  GanttChartDependencyPtr e = std::make_shared<GanttChartDependency>(std::nullopt, b, a);
  std::shared_ptr<GanttChartItemSource> source = emptySource();

  [[nodiscard]] std::vector<std::shared_ptr<GanttChartItemAutoSchedulingBehavior>> autos() const {
    return managed<GanttChartItemAutoSchedulingBehavior>(*source);
  }
  // Exactly one auto-scheduling behaviour, bound to the current lag set.
  [[nodiscard]] bool hasOneBoundBehavior() const {
    const auto found = autos();
    return found.size() == 1 && found[0]->lagProvider() == source->lagSet();
  }
};

TEST(ItemSourceLags, SettingALagTurnsAutoSchedulingOnBoundToTheNewLagSet) {
  LinkedSource f;
  f.source->setLag(f.d, 3600);
  ASSERT_NE(f.source->lagSet(), nullptr);
  EXPECT_TRUE(f.source->isAutoScheduling());
  EXPECT_TRUE(f.hasOneBoundBehavior());
  EXPECT_EQ(f.source->lag(f.d), 3600);
  EXPECT_EQ(f.source->lag(f.e), std::nullopt);
  const auto behavior = f.autos()[0];
  EXPECT_FALSE(behavior->applyingToUpdatingItems());
  EXPECT_TRUE(behavior->preservingDurations());
  EXPECT_EQ(behavior->aggregatingSources(), std::nullopt);

  f.source->setLag(f.e, 60);
  f.source->setLag(f.d, 7200);
  ASSERT_EQ(f.source->lags()->size(), 2u);
  EXPECT_EQ(f.source->lags()->back().dependency, f.d);
  EXPECT_EQ(f.source->lag(f.d), 7200);

  f.source->setLags(std::nullopt);
  EXPECT_FALSE(f.source->isAutoScheduling());
  EXPECT_EQ(f.source->lagSet(), nullptr);
  EXPECT_TRUE(f.autos().empty());
}

TEST(ItemSourceLags, AutoSchedulingOnWithoutLagsThenGivenALagSetKeepsOneBoundBehaviour) {
  LinkedSource f;
  f.source->setIsAutoScheduling(true);
  ASSERT_EQ(f.autos().size(), 1u);
  EXPECT_EQ(f.autos()[0]->lagProvider(), nullptr);
  f.source->setIsAutoScheduling(true);
  EXPECT_EQ(f.autos().size(), 1u);

  f.source->setLag(f.d, 1800);
  EXPECT_TRUE(f.source->isAutoScheduling());
  EXPECT_TRUE(f.hasOneBoundBehavior());

  const auto other = std::make_shared<GanttChartDependencyLagSet>(
      std::vector<GanttChartDependencyLagDefinition>{{f.e, 900}});
  f.source->setLagSet(other);
  EXPECT_TRUE(f.source->isAutoScheduling());
  EXPECT_TRUE(f.hasOneBoundBehavior());
  EXPECT_EQ(f.source->lag(f.e), 900);

  f.source->setLags(std::vector<GanttChartDependencyLagDefinition>{{f.d, 10}});
  EXPECT_EQ(f.source->lagSet(), other) << "an array goes into the existing set";
  EXPECT_TRUE(f.hasOneBoundBehavior());
}

TEST(ItemSourceLags, TurningAutoSchedulingOffDropsTheLagSet) {
  LinkedSource f;
  f.source->removeLag(f.d);
  ASSERT_NE(f.source->lagSet(), nullptr) << "removing from no set creates an empty one";
  EXPECT_TRUE(f.source->lags()->empty());
  EXPECT_TRUE(f.hasOneBoundBehavior());

  f.source->setIsAutoScheduling(false);
  EXPECT_EQ(f.source->lagSet(), nullptr);
  EXPECT_TRUE(f.autos().empty());
  f.source->setIsAutoScheduling(false);
  EXPECT_FALSE(f.source->isAutoScheduling());
}

TEST(ItemSourceConstraints, EditsKeepOneDefinitionPerItemAndOneBehaviour) {
  const auto source = emptySource();
  const auto a = item("A"), b = item("B");
  source->removeConstraints(a);
  ASSERT_NE(source->constraintSet(), nullptr);
  ASSERT_EQ(managed<GanttChartItemConstraintBehavior>(*source).size(), 1u);
  EXPECT_EQ(managed<GanttChartItemConstraintBehavior>(*source)[0]->provider(),
            source->constraintSet());

  source->setConstraints(a, {on(kMonday, 8), std::nullopt, std::nullopt, std::nullopt});
  source->setConstraints(b, {std::nullopt, on(kFriday, 8), std::nullopt, std::nullopt});
  source->setConstraints(a, {on(kTuesday, 8), std::nullopt, std::nullopt, std::nullopt});
  ASSERT_EQ(source->constraints()->size(), 2u);
  EXPECT_EQ(source->constraints()->back().item, a);
  EXPECT_EQ(source->constraintsOf(a)->minStart, on(kTuesday, 8));
  source->removeConstraints(a);
  EXPECT_EQ(source->constraintsOf(a), std::nullopt);
  EXPECT_EQ(source->constraintsOf(b)->maxStart, on(kFriday, 8));
  EXPECT_EQ(managed<GanttChartItemConstraintBehavior>(*source).size(), 1u);

  source->setConstraints(std::nullopt);
  EXPECT_EQ(source->constraintSet(), nullptr);
  EXPECT_TRUE(managed<GanttChartItemConstraintBehavior>(*source).empty());
}

TEST(ItemSourceAddOns, SwitchingNeitherAppliesRulesNorNotifies) {
  const auto a = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  const auto b = makeItem("B", 1, on(kMonday, 8), on(kMonday, 16));
  const auto d = std::make_shared<GanttChartDependency>(std::nullopt, a, b);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{a, b}, std::vector<GanttChartDependencyPtr>{d});
  source->setIsAutoScheduling(true);
  EXPECT_EQ(b->time(), testing::span(on(kMonday, 8), on(kMonday, 16)));
  source->applyBehavior();
  EXPECT_EQ(b->time(), testing::span(on(kMonday, 16), on(kTuesday, 0)));
}

}  // namespace
}  // namespace vorlent
