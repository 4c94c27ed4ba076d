#include "vorlent/model/column_behavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using testing::makeItem;
using testing::on;
using testing::rowsOf;

// Six items on rows 0 to 5 in a source whose only behaviour is column mode.
struct ColumnFixture {
  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;

  explicit ColumnFixture(int64_t count = 6) {
    for (int64_t row = 0; row < count; ++row) {
      items.push_back(makeItem("item", row, on(kMonday, 8), on(kMonday, 16)));
    }
    source = std::make_shared<GanttChartItemSource>(
        items, std::vector<GanttChartDependencyPtr>{}, nullptr,
        std::make_shared<GanttChartItemColumnBehavior>());
  }
};

TEST(ColumnBehavior, AddingAnItemPushesItsRowAndEveryRowBelowDown) {
  ColumnFixture fixture;
  const GanttChartItemPtr added = fixture.source->addNewItem(3, on(kMonday, 8), false);
  EXPECT_EQ(added->row(), 3);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2, 4, 5, 6));
}

TEST(ColumnBehavior, RemovingAnItemPullsTheRowsBelowUpButLeavesItsRowMates) {
  ColumnFixture fixture;
  const GanttChartItemPtr rowMate = makeItem("mate", 3, on(kMonday, 8), on(kMonday, 16));
  auto items = fixture.items;
  items.push_back(rowMate);
  auto source =
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}, nullptr,
                                             std::make_shared<GanttChartItemColumnBehavior>());

  source->removeItem(fixture.items[3]);

  EXPECT_THAT(rowsOf({fixture.items[0], fixture.items[1], fixture.items[2], fixture.items[4],
                      fixture.items[5]}),
              ElementsAre(0, 1, 2, 3, 4));
  EXPECT_EQ(rowMate->row(), 3);
}

TEST(ColumnBehavior, MovingAnItemDownPullsThePassedRowsUpAndBackPushesThemDown) {
  ColumnFixture fixture;
  const GanttChartItemPtr moved = fixture.items[1];

  fixture.source->updateRow(moved, 4);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 4, 1, 2, 3, 5));

  fixture.source->updateRow(moved, 1);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2, 3, 4, 5));
}

TEST(ColumnBehavior, ReapplyingToAnUnmovedItemPushesItsRowMatesDown) {
  ColumnFixture fixture(3);
  const GanttChartItemPtr rowMate = makeItem("mate", 1, on(kMonday, 8), on(kMonday, 16));
  auto items = fixture.items;
  items.push_back(rowMate);
  auto source =
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}, nullptr,
                                             std::make_shared<GanttChartItemColumnBehavior>());

  source->applyBehaviorForRowOf(fixture.items[1]);

  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2));
  EXPECT_EQ(rowMate->row(), 2);
}

TEST(ColumnBehavior, HiddenAndCollapsedItemsShiftLikeTheOthers) {
  ColumnFixture fixture(3);
  fixture.items[1]->setIsVisible(false);
  fixture.items[2]->setIsExpanded(false);
  fixture.source->addNewItem(0, on(kMonday, 8), false);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(1, 2, 3));
}

TEST(ColumnBehavior, AnswersNothingWithoutOtherItemsOrForOtherCallbacks) {
  GanttChartItemColumnBehavior behavior;
  const GanttChartItemPtr item = makeItem("alone", 2, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemList items(std::vector<GanttChartItemPtr>{item});
  const GanttChartDependencyList none;
  EXPECT_TRUE(behavior.itemWasAdded(item, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.rowDidChange(item, 0, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.timeDidChange(item, item->time(), true, true, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.expansionDidChange(item, items).empty());
}

}  // namespace
}  // namespace vorlent
