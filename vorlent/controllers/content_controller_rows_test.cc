#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_controller_testing.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::ContentRecorder;
using testing::filterChanged;
using testing::hours;
using testing::kWeek;
using testing::makeItem;
using testing::on;
using testing::operator+;
using ::testing::IsEmpty;

using Log = std::vector<std::string>;

// Items on rows 0 to 2 (so the manager reports 3 rows) over one week.
class ContentRowsTest : public testing::ContentControllerFixture {
 protected:
  void SetUp() override {
    items = {makeItem("A", 0, on(kMonday, 8), on(kTuesday, 16)),
             makeItem("B", 1, on(kTuesday, 8), on(kThursday, 16)),
             makeItem("C", 2, on(kWednesday, 8), on(kFriday, 16))};
    dependencies = {std::make_shared<GanttChartDependency>("A-B", items[0], items[1])};
    open();
  }

  void allowMovingBarsVertically(bool allows) {
    GanttChartContentSettings settings = controller->settings();
    settings.allowsMovingBarsVertically = allows;
    controller->setSettings(settings);
  }
};

// --- Rows -------------------------------------------------------------------------------

TEST_F(ContentRowsTest, ExtraRowsComeOnlyWhileBarsMayMoveBetweenRows) {
  EXPECT_EQ(controller->actualRowCount(), 4);
  allowMovingBarsVertically(false);
  EXPECT_EQ(controller->actualRowCount(), 3);
  allowMovingBarsVertically(true);
  controller->setExtraRowCount(5);
  EXPECT_EQ(controller->actualRowCount(), 8);
}

TEST_F(ContentRowsTest, ADesiredRowCountSwitchesTheExtraRowsOff) {
  controller->setDesiredScrollableRowCount(10);
  EXPECT_EQ(controller->actualRowCount(), 10);
  controller->setDesiredScrollableRowCount(2);
  EXPECT_EQ(controller->actualRowCount(), 3);
  controller->setDesiredScrollableRowCount(-4);
  EXPECT_EQ(controller->actualRowCount(), 3);
  controller->setDesiredScrollableRowCount(std::nullopt);
  EXPECT_EQ(controller->actualRowCount(), 4);
}

TEST_F(ContentRowsTest, AnEmptyDiagramHasOneRow) {
  EXPECT_EQ(GanttChartContentController::create()->actualRowCount(), 1);
  const auto empty = GanttChartContentController::create();
  empty->setExtraRowCount(0);
  EXPECT_EQ(empty->actualRowCount(), 1);
}

TEST_F(ContentRowsTest, ABandTouchesTheRowsItOverlaps) {
  controller->setDesiredScrollableRowCount(10);
  EXPECT_EQ(controller->range(0, 50), RowRange(0, 1));
  EXPECT_EQ(controller->range(0, 51), RowRange(0, 2));
  EXPECT_EQ(controller->range(-30, 40), RowRange(0, 0));
  EXPECT_EQ(controller->range(Rectangle(7, 30, 100, 10)), RowRange(1, 1));
  // Below the last row: from the last row to the band's first.
  EXPECT_EQ(controller->range(1000, 50), RowRange(9, 40));
  // Wholly above row 0: from row 0 up to the row above the band's end.
  EXPECT_EQ(controller->range(-100, 50), RowRange(-3, 0));
}

TEST_F(ContentRowsTest, TheRowFilterReachesTheExtensionBeyondTheViewport) {
  controller->setDesiredScrollableRowCount(20);
  controller->setViewport(Rectangle(0, 0, 400, 250));
  EXPECT_EQ(controller->visibleRange(), RowRange(0, 9));
  EXPECT_EQ(source->range(), RowRange(-4, 13));
  controller->setViewportExtensionHeight(30);
  EXPECT_EQ(source->range(), RowRange(-2, 11));
  controller->setRowHeight(50);
  EXPECT_EQ(source->range(), RowRange(-1, 5));
}

// --- Timelines ---------------------------------------------------------------------------

TEST_F(ContentRowsTest, TheTimelineFilterReachesTheExtensionBeyondTheViewport) {
  controller->setViewport(Rectangle(100, 0, 400, 100));
  const Time start = controller->actualTimeline().start;
  EXPECT_EQ(controller->visibleTimeline(),
            TimeRange(start.addingDuration(hours(40)), start.addingDuration(hours(200))));
  // 80 points at 2.5 points an hour on either side.
  EXPECT_EQ(source->timeline(),
            TimeRange(start.addingDuration(hours(8)), start.addingDuration(hours(232))));

  controller->setVisibilitySchedule(ScheduleDefinition::standard());
  const TimeRange visible = controller->visibleTimeline();
  const auto& standard = ScheduleDefinition::standard();
  EXPECT_EQ(standard->duration(visible.start, visible.finish), hours(160));
  EXPECT_EQ(source->timeline(), TimeRange(standard->start(visible.start, hours(32)),
                                          standard->finish(visible.finish, hours(32))));
  EXPECT_EQ(controller->timeline(Rectangle(100, 7, 400, 3)), visible);
}

TEST_F(ContentRowsTest, AScrollableTimelineStopsFollowingTheItems) {
  const TimeRange fixed(on(kSunday, 0), on(kSunday, 0, 0, kWeek + 2));
  controller->setScrollableTimeline(fixed);
  EXPECT_EQ(controller->actualTimeline(), fixed);
  recorder->take();
  source->updateTime(items[2], on(kMonday, 8, 0, kWeek + 5));
  for (const std::string& entry : recorder->take()) {
    EXPECT_NE(entry, "timeline.timelineDidChange");
  }
  controller->setScrollableTimeline(std::nullopt);
  EXPECT_EQ(controller->actualTimeline().finish,
            on(kWednesday, 16, 0, kWeek + 5).addingDuration(hours(32)));
}

// --- The manager's notifications -----------------------------------------------------------

TEST_F(ContentRowsTest, AMovedItemRedrawsAndFollowsThePreferredTimeline) {
  controller->setViewport(Rectangle(0, 0, 400, 100));
  recorder->take();
  // Moving the last item later stretches the end of the timeline only.
  source->updateTime(items[2], on(kWednesday, 8, 0, kWeek + 1));
  const Log expected = {
      // collectionDidChange
      "observer.dependencyLineThumbAreaDidChange", "observer.totalDiagramSizeDidChange",
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
      // preferredTimelineDidChange
      "observer.totalDiagramSizeDidChange", "timeline.timelineDidChange",
      "timeline.visibleTimelineDidChange",
      // filteredItemsDidChange, filteredDependenciesDidChange
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange"};
  EXPECT_EQ(recorder->take(), expected);
  EXPECT_EQ(controller->preferredTimeline().finish,
            on(kFriday, 16, 0, kWeek + 1).addingDuration(hours(32)));
}

TEST_F(ContentRowsTest, AnAddedItemOnANewRowTellsEveryone) {
  controller->setViewport(Rectangle(0, 0, 400, 100));
  recorder->take();
  source->addNewItem(7, on(kTuesday, 8), false);
  const Log expected = {
      // collectionDidChange
      "observer.dependencyLineThumbAreaDidChange", "observer.totalDiagramSizeDidChange",
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
      // totalRowCountDidChange
      "observer.totalDiagramSizeDidChange", "observer.highlightedScheduleAreasDidChange",
      "observer.highlightedIntervalAreasDidChange", "range.totalRowCountDidChange",
      "range.visibleRangeDidChange",
      // preferredTimelineDidChange
      "observer.totalDiagramSizeDidChange", "timeline.timelineDidChange",
      "timeline.visibleTimelineDidChange",
      // filteredItemsDidChange, filteredDependenciesDidChange
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange"};
  EXPECT_EQ(recorder->take(), expected);
  EXPECT_EQ(controller->actualRowCount(), 9);
}

TEST_F(ContentRowsTest, AMoveOfTheTimelineStartPushesTheFilterAgain) {
  controller->setViewport(Rectangle(0, 0, 400, 100));
  const TimeRange before = source->timeline();
  recorder->take();
  source->updateTime(items[0], on(kMonday, 8, 0, kWeek - 1));
  // The new start moves the time under every x, so the filter moved inside
  // the answer to the preferred timeline.
  const Log expected = {
      "observer.dependencyLineThumbAreaDidChange", "observer.totalDiagramSizeDidChange",
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
      "observer.totalDiagramSizeDidChange", "timeline.timelineDidChange",
      "timeline.visibleTimelineDidChange",
      "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange"};
  EXPECT_EQ(recorder->take(), expected);
  EXPECT_EQ(source->timeline().start, before.start.addingDays(-7));
}

TEST_F(ContentRowsTest, FilteredListsRedrawWithoutForgettingWhatTheyShape) {
  const Size size = controller->totalDiagramSize();
  // Changed behind the manager's back: only the cached size would show it.
  items[2]->setRow(20);
  source->clearCache();
  controller->filteredItemsDidChange();
  controller->filteredDependenciesDidChange();
  EXPECT_EQ(recorder->take(), filterChanged());
  EXPECT_EQ(controller->totalDiagramSize(), size);
  controller->totalRowCountDidChange();
  EXPECT_EQ(controller->totalDiagramSize().height, 22 * 25);
}

TEST_F(ContentRowsTest, ACollectionChangeAlwaysHidesTheLinkThumb) {
  controller->collectionDidChange();
  EXPECT_EQ(recorder->take(), (Log{"observer.dependencyLineThumbAreaDidChange",
                                   "observer.totalDiagramSizeDidChange",
                                   "observer.visibleBarsDidChange",
                                   "observer.visibleDependencyLinesDidChange"}));
  EXPECT_FALSE(controller->dependencyLineThumbArea().has_value());
}

TEST_F(ContentRowsTest, ExpandingAnItemIsHeardThroughTheManager) {
  controller->setViewport(Rectangle(0, 0, 400, 100));
  recorder->take();
  source->updateExpansion(items[0], false);
  const Log log = recorder->take();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "observer.dependencyLineThumbAreaDidChange");
  EXPECT_EQ(log.back(), "observer.visibleDependencyLinesDidChange");
  EXPECT_NE(std::find(log.begin(), log.end(), "range.totalRowCountDidChange"), log.end());
}

TEST_F(ContentRowsTest, NothingIsHeardFromAManagerThatWasLetGo) {
  controller->setItemManager(std::make_shared<GanttChartItemSource>());
  recorder->take();
  source->addNewItem(1, on(kMonday, 8), true);
  EXPECT_THAT(recorder->take(), IsEmpty());
}

}  // namespace
}  // namespace vorlent
