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

TEST(GanttChartItemBehaviorSetDeathTest, ACycleIsAFatalStopNotEndlessRecursion) {
  auto a = std::make_shared<GanttChartItemBehaviorSet>();
  auto b = std::make_shared<GanttChartItemBehaviorSet>(std::vector<GanttChartItemBehaviorPtr>{a});
  a->setBehaviors({b});
  EXPECT_DEATH(askTime(*a, kItem), "contains itself");
  a->setBehaviors({});  // break the cycle so both can be freed
}

}  // namespace
}  // namespace vorlent
