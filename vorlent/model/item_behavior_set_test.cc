#include "vorlent/model/item_behavior_set.h"

#include <gtest/gtest.h>

#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

// Answers every time change with one row action carrying `row`.
class RowAnswer : public GanttChartItemBehavior {
 public:
  explicit RowAnswer(int64_t row) : row_(row) {}
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange&, bool,
                                            bool, const GanttChartItemList&,
                                            const GanttChartDependencyList&,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    return {GanttChartItemUpdateAction::updateRowAction(item, row_),
            GanttChartItemUpdateAction::updateRowAction(item, row_ + 1)};
  }

 private:
  int64_t row_;
};

GanttChartItemUpdateActions askTime(GanttChartItemBehavior& behavior,
                                    const GanttChartItemPtr& item) {
  return behavior.timeDidChange(item, item->time(), true, true, GanttChartItemList(),
                                GanttChartDependencyList(), ScheduleDefinition::continuous());
}

std::vector<int64_t> rowsOf(const GanttChartItemUpdateActions& actions) {
  std::vector<int64_t> rows;
  for (const auto& action : actions) {
    rows.push_back(std::get<GanttChartItemUpdateAction::UpdateRow>(action.variant()).value);
  }
  return rows;
}

const GanttChartItemPtr kItem = GanttChartItem::fromTime("A", 0, Time());

TEST(GanttChartItemBehavior, DefaultsAnswerNothing) {
  GanttChartItemBehavior behavior;
  EXPECT_TRUE(askTime(behavior, kItem).empty());
  EXPECT_TRUE(behavior.expansionDidChange(kItem, GanttChartItemList()).empty());
  EXPECT_TRUE(GanttChartItemBehaviorSet()
                  .itemWasAdded(kItem, GanttChartItemList(), GanttChartDependencyList(), nullptr)
                  .empty());
}

TEST(GanttChartItemBehaviorSet, ConcatenatesMemberAnswersInMemberOrder) {
  GanttChartItemBehaviorSet set({std::make_shared<RowAnswer>(10),
                                 std::make_shared<GanttChartItemBehavior>(),
                                 std::make_shared<RowAnswer>(20)});
  EXPECT_EQ(rowsOf(askTime(set, kItem)), (std::vector<int64_t>{10, 11, 20, 21}));
}

TEST(GanttChartItemBehaviorSet, NestedSetsActAsTheirMembers) {
  auto inner = std::make_shared<GanttChartItemBehaviorSet>(
      std::vector<GanttChartItemBehaviorPtr>{std::make_shared<RowAnswer>(5)});
  GanttChartItemBehaviorSet outer({std::make_shared<RowAnswer>(1), inner, inner});
  EXPECT_EQ(rowsOf(askTime(outer, kItem)), (std::vector<int64_t>{1, 2, 5, 6, 5, 6}));
  outer.setBehaviors({inner});
  EXPECT_EQ(rowsOf(askTime(outer, kItem)), (std::vector<int64_t>{5, 6}));
}

// Answers each of the eight callbacks with one row action whose value names
// the callback and echoes the argument it was given.
class Echo : public GanttChartItemBehavior {
 public:
  using Actions = GanttChartItemUpdateActions;
  using Schedule = std::shared_ptr<ScheduleDefinition>;
  static GanttChartItemUpdateAction row(const GanttChartItemPtr& item, int64_t value) {
    return GanttChartItemUpdateAction::updateRowAction(item, value);
  }
  Actions itemWasAdded(const GanttChartItemPtr& i, const GanttChartItemList& items,
                       const GanttChartDependencyList&, const Schedule&) override {
    return {row(i, 100 + static_cast<int64_t>(items.size()))};
  }
  Actions itemWasRemoved(const GanttChartItemPtr& i, const GanttChartItemList&,
                         const GanttChartDependencyList& dependencies, const Schedule&) override {
    return {row(i, 200 + static_cast<int64_t>(dependencies.size()))};
  }
  Actions dependencyWasAdded(const GanttChartDependencyPtr& d, const GanttChartItemList&,
                             const GanttChartDependencyList&, const Schedule& s) override {
    return {row(d->from(), 300 + (s ? 1 : 0))};
  }
  Actions dependencyWasRemoved(const GanttChartDependencyPtr& d, const GanttChartItemList&,
                               const GanttChartDependencyList&, const Schedule&) override {
    return {row(d->to(), 400)};
  }
  Actions timeDidChange(const GanttChartItemPtr& i, const TimeRange& from, bool up, bool down,
                        const GanttChartItemList&, const GanttChartDependencyList&,
                        const Schedule&) override {
    return {row(i, 500 + from.start.dayNumber() * 10 + up * 2 + down)};
  }
  Actions completionDidChange(const GanttChartItemPtr& i, double from, bool up, bool down,
                              const GanttChartItemList&, const GanttChartDependencyList&,
                              const Schedule&) override {
    return {row(i, 600 + static_cast<int64_t>(from * 10) * 10 + up * 2 + down)};
  }
  Actions rowDidChange(const GanttChartItemPtr& i, int64_t from, const GanttChartItemList&,
                       const GanttChartDependencyList&, const Schedule&) override {
    return {row(i, 700 + from)};
  }
  Actions expansionDidChange(const GanttChartItemPtr& i, const GanttChartItemList& items) override {
    return {row(i, 800 + static_cast<int64_t>(items.size()))};
  }
};

TEST(GanttChartItemBehaviorSet, HandsEveryCallbackItsArgumentsUnchanged) {
  const auto other = GanttChartItem::fromTime("B", 0, Time());
  const auto dependency = std::make_shared<GanttChartDependency>("D", kItem, other);
  const GanttChartItemList items({kItem, other});
  const GanttChartDependencyList dependencies({dependency});
  const auto schedule = ScheduleDefinition::continuous();
  GanttChartItemBehaviorSet set({std::make_shared<Echo>(), std::make_shared<Echo>()});
  const std::pair<GanttChartItemUpdateActions, int64_t> cases[] = {
      {set.itemWasAdded(kItem, items, dependencies, schedule), 102},
      {set.itemWasRemoved(kItem, items, dependencies, schedule), 201},
      {set.dependencyWasAdded(dependency, items, dependencies, schedule), 301},
      {set.dependencyWasRemoved(dependency, items, dependencies, schedule), 400},
      {set.timeDidChange(kItem, TimeRange(Time(0, 3, 0), Time(0, 4, 0)), true, false, items,
                         dependencies, schedule),
       532},
      {set.completionDidChange(kItem, 0.4, false, true, items, dependencies, schedule), 641},
      {set.rowDidChange(kItem, 7, items, dependencies, schedule), 707},
      {set.expansionDidChange(kItem, items), 802},
  };
  for (const auto& [answer, expected] : cases) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(rowsOf(answer), (std::vector<int64_t>{expected, expected}));
  }
  EXPECT_EQ(cases[3].first[0].item(), other);
}

TEST(GanttChartItemBehaviorSet, ASetThatContainsItselfIsAskedOnceOnTheCallPath) {
  auto a = std::make_shared<GanttChartItemBehaviorSet>();
  auto b = std::make_shared<GanttChartItemBehaviorSet>(
      std::vector<GanttChartItemBehaviorPtr>{std::make_shared<RowAnswer>(3), a});
  a->setBehaviors({std::make_shared<RowAnswer>(1), b, a});
  EXPECT_EQ(rowsOf(askTime(*a, kItem)), (std::vector<int64_t>{1, 2, 3, 4}));
  // Asking again works: nothing is left on the call path.
  EXPECT_EQ(rowsOf(askTime(*b, kItem)), (std::vector<int64_t>{3, 4, 1, 2}));
  a->setBehaviors({});  // break the cycle so both can be freed
}

}  // namespace
}  // namespace vorlent
