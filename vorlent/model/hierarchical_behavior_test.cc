#include "vorlent/model/hierarchical_behavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

using testing::cascadeFlagsOf;
using ::testing::ElementsAre;
using testing::makeItem;
using testing::makeSummary;
using testing::on;
using testing::rowsOf;
using testing::span;
using testing::visibilityOf;

std::shared_ptr<GanttChartItemSource> sourceWith(
    const std::vector<GanttChartItemPtr>& items,
    const std::shared_ptr<GanttChartItemHierarchicalBehavior>& behavior) {
  return std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{},
                                                ScheduleDefinition::standard(), behavior);
}

// A two-day summary over A (its first day), B (its second day) and C (inside
// the second day), on the standard calendar (Monday to Friday, 8:00-16:00).
struct ParentFixture {
  GanttChartItemPtr parent = makeSummary("P", 0, on(kMonday, 8), on(kTuesday, 16));
  GanttChartItemPtr a = makeItem("A", 1, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr b = makeItem("B", 2, on(kTuesday, 8), on(kTuesday, 16));
  GanttChartItemPtr c = makeItem("C", 3, on(kTuesday, 10), on(kTuesday, 12));
  std::shared_ptr<GanttChartItemHierarchicalBehavior> behavior;
  std::shared_ptr<GanttChartItemSource> source;

  explicit ParentFixture(bool preservingDurations = true) {
    behavior = std::make_shared<GanttChartItemHierarchicalBehavior>(
        std::vector<GanttChartItemHierarchicalRelation>{{parent, {a, b, c}}}, true,
        preservingDurations);
    source = sourceWith({parent, a, b, c}, behavior);
  }
};

TEST(HierarchicalBehaviorTime, MovingAChildStretchesTheParentToSpanItsChildren) {
  ParentFixture f;
  f.source->updateTime(f.b, on(kThursday, 8));
  EXPECT_EQ(f.parent->time(), span(on(kMonday, 8), on(kThursday, 16)));
  f.source->updateTime(f.b, on(kMonday, 8));
  EXPECT_EQ(f.parent->time(), span(on(kMonday, 8), on(kTuesday, 12)))
      << "the parent shrinks to C's finish";
}

// Only the children among the items a call is handed count, so a child the
// chart no longer lists stops counting and counts again once it is back.
TEST(HierarchicalBehaviorTime, OnlyListedChildrenShapeTheParent) {
  ParentFixture f;
  const GanttChartDependencyList none;
  const auto standard = ScheduleDefinition::standard();
  const GanttChartItemList withoutB(std::vector<GanttChartItemPtr>{f.parent, f.a, f.c});
  const GanttChartItemList all(std::vector<GanttChartItemPtr>{f.parent, f.a, f.b, f.c});
  const auto parentTimeOf = [&](const GanttChartItemUpdateActions& actions) {
    return std::get<GanttChartItemUpdateAction::UpdateTime>(actions.at(0).variant()).value;
  };
  f.b->setTime(span(on(kThursday, 8), on(kThursday, 16)));

  EXPECT_EQ(parentTimeOf(f.behavior->timeDidChange(f.a, f.a->time(), true, false, withoutB, none,
                                                   standard)),
            span(on(kMonday, 8), on(kTuesday, 12)));
  EXPECT_EQ(parentTimeOf(f.behavior->timeDidChange(f.a, f.a->time(), true, false, all, none,
                                                   standard)),
            span(on(kMonday, 8), on(kThursday, 16)));
}

// A child the chart removed (the host keeping it in the hierarchy) no longer
// follows its summary. Another chart holding the same items makes the rule
// search the chart's own list rather than ask the source who holds what.
TEST(HierarchicalBehaviorTime, AChildRemovedFromTheChartStaysWhenItsSummaryMoves) {
  ParentFixture f;
  const auto otherChart = sourceWith({f.parent, f.a, f.b, f.c}, nullptr);
  f.source->updateTime(f.b, on(kWednesday, 8));
  f.source->removeItem(f.b);
  const TimeRange removedAt = f.b->time();
  f.source->updateTime(f.parent, on(kTuesday, 8));
  EXPECT_EQ(f.a->time(), span(on(kTuesday, 8), on(kTuesday, 16)));
  EXPECT_EQ(f.b->time(), removedAt);
}

// Lists the items on the rows in view and has no list of available items, so
// the manager hands the behaviours the items in view.
class ViewportOnlyProvider : public GanttChartCollectionProvider {
 public:
  std::vector<GanttChartItemPtr> items;
  int64_t totalRowCount() override { return 0; }
  TimeRange preferredTimeline() override { return {}; }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange& range, const TimeRange&) override {
    std::vector<GanttChartItemPtr> inView;
    for (const auto& item : items) {
      if (range.contains(item->row())) inView.push_back(item);
    }
    return inView;
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange&,
                                                            const TimeRange&) override {
    return {};
  }
};

TEST(HierarchicalBehaviorTime, ChildrenOutOfViewCountWhenOnlyTheItemsInViewAreAvailable) {
  ParentFixture f;
  const auto provider = std::make_shared<ViewportOnlyProvider>();
  provider->items = {f.parent, f.a, f.b, f.c};
  const auto manager =
      std::make_shared<GanttChartItemManager>(provider, ScheduleDefinition::standard(), f.behavior);
  manager->setRange(RowRange(0, 1));
  manager->updateTime(f.a, on(kMonday, 10));
  EXPECT_EQ(f.parent->time(), span(on(kMonday, 10), on(kTuesday, 16)));
}

TEST(HierarchicalBehaviorTime, ParentAlreadySpanningItsChildrenIsLeftAlone) {
  ParentFixture f;
  f.source->applyBehaviorForTimeOf(f.a);
  EXPECT_EQ(f.parent->time(), span(on(kMonday, 8), on(kTuesday, 16)));
  EXPECT_FALSE(f.parent->hasChanged());
}

TEST(HierarchicalBehaviorTime, MovingAParentMovesTouchingChildrenByItsWorkingOffset) {
  ParentFixture f;
  f.source->updateTime(f.parent, on(kTuesday, 8));
  EXPECT_EQ(f.parent->time(), span(on(kTuesday, 8), on(kWednesday, 16)));
  EXPECT_EQ(f.a->time(), span(on(kTuesday, 8), on(kTuesday, 16)));
  EXPECT_EQ(f.b->time(), span(on(kWednesday, 8), on(kWednesday, 16)));
  EXPECT_EQ(f.c->time(), span(on(kTuesday, 10), on(kTuesday, 12)))
      << "a child strictly inside the old and the new time stays";
}

TEST(HierarchicalBehaviorTime, WithoutPreservedDurationsAMoveIsAResize) {
  ParentFixture f(false);
  f.source->updateTime(f.parent, on(kTuesday, 8));
  EXPECT_EQ(f.parent->time(), span(on(kTuesday, 8), on(kWednesday, 16)));
  // A ended before the old finish, so it keeps its finish and takes the new
  // start: the engine makes the inverted range a zero-length item.
  EXPECT_EQ(f.a->time(), span(on(kTuesday, 8), on(kTuesday, 8)));
  EXPECT_EQ(f.b->time(), span(on(kTuesday, 8), on(kWednesday, 16)));
  EXPECT_EQ(f.c->time(), span(on(kTuesday, 10), on(kTuesday, 12)));
}

TEST(HierarchicalBehaviorTime, ResizingTheParentsFinishMovesOnlyChildrenEndingAtIt) {
  ParentFixture f;
  f.source->updateDurationToFinishOn(f.parent, on(kWednesday, 16), false);
  EXPECT_EQ(f.parent->time(), span(on(kMonday, 8), on(kWednesday, 16)));
  EXPECT_EQ(f.a->time(), span(on(kMonday, 8), on(kMonday, 16)));
  EXPECT_EQ(f.b->time(), span(on(kTuesday, 8), on(kWednesday, 16)));
  EXPECT_EQ(f.c->time(), span(on(kTuesday, 10), on(kTuesday, 12)));
}

TEST(HierarchicalBehaviorTime, MovesTravelDownTheWholeSubtree) {
  const auto root = makeSummary("root", 0, on(kMonday, 8), on(kMonday, 16));
  const auto middle = makeSummary("middle", 1, on(kMonday, 8), on(kMonday, 16));
  const auto leaf = makeItem("leaf", 2, on(kMonday, 8), on(kMonday, 16));
  const auto behavior = std::make_shared<GanttChartItemHierarchicalBehavior>(
      std::vector<GanttChartItemHierarchicalRelation>{{root, {middle}}, {middle, {leaf}}});
  const auto source = sourceWith({root, middle, leaf}, behavior);

  source->updateTime(root, on(kWednesday, 8));

  EXPECT_EQ(middle->time(), span(on(kWednesday, 8), on(kWednesday, 16)));
  EXPECT_EQ(leaf->time(), span(on(kWednesday, 8), on(kWednesday, 16)));
}

// A summary's finish is not snapped when it is applied, so a nested summary
// moved a day back must be handed the end of that day, not the start of the
// next working time after it, which lies past the weekend.
TEST(HierarchicalBehaviorTime, ANestedSummaryMovedBackEndsWithItsChildren) {
  const auto root = makeSummary("root", 0, on(kMonday, 8), on(kTuesday, 16));
  const auto middle = makeSummary("middle", 1, on(kMonday, 8), on(kMonday, 16));
  const auto leaf = makeItem("leaf", 2, on(kMonday, 8), on(kMonday, 16));
  const auto other = makeItem("other", 3, on(kTuesday, 8), on(kTuesday, 16));
  const auto behavior = std::make_shared<GanttChartItemHierarchicalBehavior>(
      std::vector<GanttChartItemHierarchicalRelation>{{root, {middle, other}}, {middle, {leaf}}});
  const auto source = sourceWith({root, middle, leaf, other}, behavior);

  source->updateTime(root, on(kFriday, 8, 0));

  EXPECT_EQ(root->time(), span(on(kFriday, 8, 0), on(kMonday, 16)));
  EXPECT_EQ(middle->time(), span(on(kFriday, 8, 0), on(kFriday, 16, 0)));
  EXPECT_EQ(leaf->time(), span(on(kFriday, 8, 0), on(kFriday, 16, 0)));
  EXPECT_EQ(other->time(), span(on(kMonday, 8), on(kMonday, 16)));
}

// Children are told to pass a change on down only and the parent up only, so
// a change never bounces back; each direction is answered only when asked for.
TEST(HierarchicalBehaviorFlags, ChildrenGoDownOnlyAndTheParentUpOnly) {
  const auto root = makeSummary("root", 0, on(kMonday, 8), on(kMonday, 16));
  const auto middle = makeSummary("middle", 1, on(kMonday, 8), on(kMonday, 16));
  const auto leaf = makeItem("leaf", 2, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemHierarchicalBehavior behavior(
      std::vector<GanttChartItemHierarchicalRelation>{{root, {middle}}, {middle, {leaf}}});
  const GanttChartItemList items(std::vector<GanttChartItemPtr>{root, middle, leaf});
  const GanttChartDependencyList none;
  const auto standard = ScheduleDefinition::standard();
  const TimeRange old = middle->time();
  middle->setTime(span(on(kTuesday, 8), on(kTuesday, 16)));
  middle->setCompletion(0.5);
  using Flags = std::tuple<GanttChartItemPtr, bool, bool>;

  EXPECT_THAT(
      cascadeFlagsOf(behavior.timeDidChange(middle, old, true, true, items, none, standard)),
      ElementsAre(Flags{leaf, false, true}, Flags{root, true, false}));
  EXPECT_THAT(
      cascadeFlagsOf(behavior.completionDidChange(middle, 0, true, true, items, none, standard)),
      ElementsAre(Flags{leaf, false, true}, Flags{root, true, false}));
  EXPECT_THAT(
      cascadeFlagsOf(behavior.timeDidChange(middle, old, false, true, items, none, standard)),
      ElementsAre(Flags{leaf, false, true}));
  EXPECT_THAT(
      cascadeFlagsOf(behavior.completionDidChange(middle, 0, true, false, items, none, standard)),
      ElementsAre(Flags{root, true, false}));
}

TEST(HierarchicalBehaviorCompletion, ParentTakesTheMinimumOfItsChildren) {
  const auto parent = makeSummary("P", 0, on(kMonday, 8), on(kMonday, 16));
  const auto a = makeItem("A", 1, on(kMonday, 8), on(kMonday, 16), 0.2);
  const auto b = makeItem("B", 2, on(kMonday, 8), on(kMonday, 16), 0.8);
  const auto c = makeItem("C", 3, on(kMonday, 8), on(kMonday, 16), 1.0);
  const auto behavior = std::make_shared<GanttChartItemHierarchicalBehavior>(
      std::vector<GanttChartItemHierarchicalRelation>{{parent, {a, b, c}}});
  const auto source = sourceWith({parent, a, b, c}, behavior);

  source->applyBehaviorForCompletionOf(b);

  EXPECT_DOUBLE_EQ(parent->completion(), 0.2);
}

TEST(HierarchicalBehaviorCompletion, LoweringAParentLowersOnlyChildrenThatWereNotAhead) {
  const auto parent = makeSummary("P", 0, on(kMonday, 8), on(kMonday, 16));
  parent->setCompletion(0.8);
  const auto ahead = makeItem("ahead", 1, on(kMonday, 8), on(kMonday, 16), 0.9);
  const auto between = makeItem("between", 2, on(kMonday, 8), on(kMonday, 16), 0.7);
  const auto behind = makeItem("behind", 3, on(kMonday, 8), on(kMonday, 16), 0.3);
  const auto behavior = std::make_shared<GanttChartItemHierarchicalBehavior>(
      std::vector<GanttChartItemHierarchicalRelation>{{parent, {ahead, between, behind}}});
  const auto source = sourceWith({parent, ahead, between, behind}, behavior);

  source->updateCompletion(parent, on(kMonday, 12));

  EXPECT_DOUBLE_EQ(parent->completion(), 0.5);
  EXPECT_DOUBLE_EQ(ahead->completion(), 0.9);
  EXPECT_DOUBLE_EQ(between->completion(), 0.5);
  EXPECT_DOUBLE_EQ(behind->completion(), 0.5);
}

TEST(HierarchicalBehaviorTime, WithoutAggregatingTimeNothingFollowsButCollapsingWorks) {
  ParentFixture f;
  f.behavior->setAggregatingTime(false);
  f.source->updateTime(f.parent, on(kWednesday, 8));
  f.source->updateCompletion(f.a, on(kMonday, 16));
  EXPECT_EQ(f.a->time(), span(on(kMonday, 8), on(kMonday, 16)));
  EXPECT_DOUBLE_EQ(f.parent->completion(), 0);

  f.source->collapse(f.parent);
  EXPECT_THAT(visibilityOf({f.a, f.b, f.c}), ElementsAre(false, false, false));
}

// P on row 0 with children on rows 1 and 2, an unrelated item on row 3.
struct CollapseFixture {
  GanttChartItemPtr parent = makeSummary("P", 0, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr a = makeItem("A", 1, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr b = makeItem("B", 2, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr unrelated = makeItem("U", 3, on(kMonday, 8), on(kMonday, 16));
  std::shared_ptr<GanttChartItemSource> source;

  explicit CollapseFixture(std::vector<GanttChartItemPtr> extra = {}) {
    std::vector<GanttChartItemPtr> items{parent, a, b, unrelated};
    items.insert(items.end(), extra.begin(), extra.end());
    source =
        sourceWith(items, std::make_shared<GanttChartItemHierarchicalBehavior>(
                              std::vector<GanttChartItemHierarchicalRelation>{{parent, {a, b}}}));
  }
};

TEST(HierarchicalBehaviorExpansion, CollapsingFoldsChildrenOntoTheParentRowAndClosesTheirRows) {
  CollapseFixture f;
  f.source->collapse(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}), ElementsAre(0, 0, 0, 1));
  EXPECT_THAT(visibilityOf({f.a, f.b}), ElementsAre(false, false));

  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}), ElementsAre(0, 1, 2, 3));
  EXPECT_THAT(visibilityOf({f.a, f.b}), ElementsAre(true, true));
}

TEST(HierarchicalBehaviorExpansion, ARowSharedWithAnUnrelatedVisibleItemStaysOpenAndIsRestored) {
  const auto sharing = makeItem("X", 2, on(kTuesday, 8), on(kTuesday, 16));
  CollapseFixture f({sharing});

  f.source->collapse(f.parent);
  EXPECT_THAT(rowsOf({f.a, f.b, sharing, f.unrelated}), ElementsAre(0, 0, 1, 2))
      << "only row 1 was really emptied";

  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, sharing, f.unrelated}), ElementsAre(0, 1, 2, 2, 3));

  // A second round trip lands on the same rows again: nothing drifts.
  f.source->collapse(f.parent);
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, sharing, f.unrelated}), ElementsAre(0, 1, 2, 2, 3));
}

TEST(HierarchicalBehaviorExpansion, HiddenDescendantsAreNotFoldedButShiftLikeOtherItems) {
  CollapseFixture f;
  f.b->setIsVisible(false);
  f.source->collapse(f.parent);
  EXPECT_THAT(rowsOf({f.a, f.b, f.unrelated}), ElementsAre(0, 1, 2));
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.a, f.b, f.unrelated}), ElementsAre(1, 2, 3));
  EXPECT_TRUE(f.a->isVisible());
  EXPECT_FALSE(f.b->isVisible());
}

TEST(HierarchicalBehaviorExpansion, ExpandingWithoutARecordChangesNothing) {
  CollapseFixture f;
  f.source->expand(f.parent);
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}), ElementsAre(0, 1, 2, 3));

  f.source->collapse(f.parent);
  f.source->expand(f.parent);
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}), ElementsAre(0, 1, 2, 3));
}

// Every re-application of the rules collapses a collapsed item again. Only
// the first record of an item is ever restored from, so a later one must not
// be kept: a chart re-applied after each edit would pile them up for good.
TEST(HierarchicalBehaviorExpansion, CollapsingACollapsedItemAgainKeepsNothingMore) {
  const auto parent = makeSummary("P", 0, on(kMonday, 8), on(kMonday, 16));
  const auto a = makeItem("A", 1, on(kMonday, 8), on(kMonday, 16));
  const auto hierarchy = std::make_shared<GanttChartItemHierarchy>(
      std::vector<GanttChartItemHierarchicalRelation>{{parent, {a}}});
  const auto source =
      sourceWith({parent, a}, std::make_shared<GanttChartItemHierarchicalBehavior>(hierarchy));
  source->collapse(parent);

  auto late = source->addNewItem(1, on(kMonday, 8), false);
  const std::weak_ptr<GanttChartItem> lateAlive = late;
  hierarchy->setRelations({{parent, {a, late}}});
  for (int i = 0; i < 3; ++i) source->applyBehavior();
  EXPECT_FALSE(late->isVisible());

  hierarchy->setRelations({{parent, {a}}});
  source->removeItem(late);
  EXPECT_EQ(source->availableItems().size(), 2u);
  late.reset();
  EXPECT_TRUE(lateAlive.expired()) << "a later record holds what it hid";

  source->expand(parent);
  EXPECT_THAT(rowsOf({parent, a}), ElementsAre(0, 1));
  EXPECT_TRUE(a->isVisible());
}

TEST(HierarchicalBehaviorExpansion, RowsAreRestoredRelativeToTheParentsRowAtExpansion) {
  CollapseFixture f;
  f.source->collapse(f.parent);
  f.parent->setRow(5);
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.a, f.b}), ElementsAre(6, 7));
}

TEST(HierarchicalBehaviorExpansion, RowsAtTheIntegersEndsRoundTripWithoutStopping) {
  constexpr int64_t kLowest = std::numeric_limits<int64_t>::min();
  constexpr int64_t kHighest = std::numeric_limits<int64_t>::max();
  CollapseFixture f;
  f.parent->setRow(kHighest);
  f.a->setRow(kLowest);
  f.b->setRow(kLowest);
  f.unrelated->setRow(kHighest);
  f.source->collapse(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}),
              ElementsAre(kHighest, kHighest, kHighest, kHighest));
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}),
              ElementsAre(kHighest, kLowest, kLowest, kHighest));

  // Moved with a parent that went down, the children are held at the end.
  f.source->collapse(f.parent);
  f.parent->setRow(kLowest);
  f.source->expand(f.parent);
  EXPECT_THAT(rowsOf({f.a, f.b}), ElementsAre(kLowest, kLowest));
}

TEST(HierarchicalBehaviorExpansion, ItemsClosingUpOnTheFirstRowStopAtIt) {
  // A hidden parent frees its own row too: the hidden item below it would be
  // moved up by two rows from one below the first.
  constexpr int64_t kLowest = std::numeric_limits<int64_t>::min();
  CollapseFixture f;
  f.parent->setRow(kLowest);
  f.parent->setIsVisible(false);
  f.a->setRow(kLowest);
  f.b->setRow(kLowest + 1);
  f.unrelated->setRow(kLowest + 1);
  f.unrelated->setIsVisible(false);
  f.source->collapse(f.parent);
  EXPECT_THAT(rowsOf({f.parent, f.a, f.b, f.unrelated}),
              ElementsAre(kLowest, kLowest, kLowest, kLowest));
}

TEST(HierarchicalBehaviorExpansion, NestedSubtreesFoldAtEveryLevel) {
  const auto root = makeSummary("root", 0, on(kMonday, 8), on(kMonday, 16));
  const auto middle = makeSummary("middle", 1, on(kMonday, 8), on(kMonday, 16));
  const auto leaf = makeItem("leaf", 2, on(kMonday, 8), on(kMonday, 16));
  const auto after = makeItem("after", 3, on(kMonday, 8), on(kMonday, 16));
  const auto source = sourceWith(
      {root, middle, leaf, after},
      std::make_shared<GanttChartItemHierarchicalBehavior>(
          std::vector<GanttChartItemHierarchicalRelation>{{root, {middle}}, {middle, {leaf}}}));

  source->collapse(root);
  EXPECT_THAT(rowsOf({root, middle, leaf, after}), ElementsAre(0, 0, 0, 1));
  source->expand(root);
  EXPECT_THAT(rowsOf({root, middle, leaf, after}), ElementsAre(0, 1, 2, 3));
}

}  // namespace
}  // namespace vorlent
