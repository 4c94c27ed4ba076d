// Keeping the header and the chart area in step: who moves whom, how often,
// and that neither side echoes the other.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/chart_controller_testing.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

using testing::ChartCallLog;
using testing::ChartFixture;

const TimeRange kFiveWeeks(Time::fromYearMonthDay(2024, 3, 3, 0, 0, 0),
                           Time::fromYearMonthDay(2024, 4, 7, 0, 0, 0));

// Whether the header shows the content's visible timeline: the header's
// viewport starts where the content's first visible moment lies on the
// header and is as wide as the content's.
::testing::AssertionResult inStep(const ChartFixture& f) {
  const Rectangle header = f.header->viewport();
  const Rectangle content = f.content->viewport();
  const double contentStart = f.header->x(f.content->visibleTimeline().start);
  if (std::abs(header.origin.x - contentStart) < 1e-6 && header.size.width == content.size.width) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "header " << header << " content " << content
                                       << " whose start lies at header x " << contentStart;
}

// Both cases: the content's timeline given, or following its items (which
// the zoom then moves too).
class ChartSync : public ::testing::TestWithParam<bool> {
 protected:
  ChartSync() : f(GetParam() ? std::optional<TimeRange>(kFiveWeeks) : std::nullopt) {}
  ChartFixture f;
};

INSTANTIATE_TEST_SUITE_P(Timelines, ChartSync, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Given" : "OfItems"; });

TEST_P(ChartSync, AContentViewportChangeMovesTheHeaderOnceWithoutEcho) {
  f.content->setViewport(Rectangle(120, 0, 400, 300));

  EXPECT_EQ(f.entries("header."), ChartCallLog{"header.viewport x=120"});
  EXPECT_EQ(f.entries("content."), ChartCallLog{"content.viewport x=120"});
  EXPECT_TRUE(f.contentScroller->requests.empty());
  EXPECT_TRUE(inStep(f));
  // The chart hears of the visible timeline once the header has moved.
  const ChartCallLog log = f.take();
  const auto moved = std::find(log.begin(), log.end(), "header.viewport x=120");
  const auto told = std::find(log.begin(), log.end(), "visibleTimelineDidChange");
  EXPECT_LT(moved, told);
  EXPECT_EQ(std::count(log.begin(), log.end(), "visibleTimelineDidChange"), 1);
}

TEST_P(ChartSync, AContentViewportChangeMovesTheHeaderOnceAlsoWhenTheHeaderClampsTheZoom) {
  GanttChartHeaderSettings settings = f.header->settings();
  settings.minZoom = 2;  // stored only: the next sync applies it
  f.header->setSettings(settings);

  f.content->setViewport(Rectangle(120, 0, 400, 300));

  EXPECT_EQ(f.header->zoom(), 2);
  EXPECT_EQ(f.content->zoom(), 2);
  EXPECT_EQ(f.entries("header.viewport").size(), 1u);
  EXPECT_EQ(f.entries("content.viewport"), ChartCallLog{"content.viewport x=120"});
  EXPECT_TRUE(f.contentScroller->requests.empty());
  EXPECT_TRUE(inStep(f));
}

TEST_P(ChartSync, AHeaderMoveWhileTheContentAnswersTheClampDoesNotMoveTheContent) {
  GanttChartHeaderSettings settings = f.header->settings();
  settings.minZoom = 2;
  f.header->setSettings(settings);
  // The content's zoom answer comes from inside the header's update; a host
  // nudges the header right then.
  f.contentViewport->onCall = [this](const std::string& entry) {
    if (entry.rfind("content.zoom", 0) == 0) f.header->scrollBy(7);
  };

  f.content->setViewport(Rectangle(120, 0, 400, 300));

  EXPECT_TRUE(f.contentScroller->requests.empty());
  EXPECT_EQ(f.entries("content.viewport"), ChartCallLog{"content.viewport x=120"});
  // The update finishes by bringing the header back in line.
  EXPECT_TRUE(inStep(f));
}

TEST_P(ChartSync, AContentZoomOutsideTheHeadersLimitsIsPulledInsideOnBothSides) {
  f.content->setViewport(Rectangle(100, 0, 400, 300));
  f.content->setZoom(10);
  EXPECT_EQ(f.header->zoom(), 6.4);
  EXPECT_EQ(f.content->zoom(), 6.4);
  EXPECT_TRUE(inStep(f));

  // So far out the whole diagram is narrower than the view.
  f.content->setViewport(Rectangle(0, 0, 400, 300));
  f.content->setZoom(0.1);
  EXPECT_EQ(f.header->zoom(), 0.3125);
  EXPECT_EQ(f.content->zoom(), 0.3125);
  EXPECT_TRUE(inStep(f));
}

TEST_P(ChartSync, AUserScrollOfTheHeaderMovesTheContentWhichDoesNotMoveTheHeaderBack) {
  f.header->setViewport(Rectangle(80, 0, 400, 50));  // as the header's view does

  ASSERT_EQ(f.contentScroller->requests.size(), 1u);
  EXPECT_EQ(f.entries("content.viewport"), ChartCallLog{"content.viewport x=80"});
  EXPECT_EQ(f.entries("header.viewport"), ChartCallLog{"header.viewport x=80"});
  EXPECT_TRUE(inStep(f));
}

TEST_P(ChartSync, AHeaderZoomDragMovesTheContent) {
  f.content->setViewport(Rectangle(200, 0, 400, 300));
  const Time centre = f.header->visibleTimelineCenter();
  f.take();

  f.header->beginDragging(Point{300, 20});
  f.header->continueDragging(Point{348, 20});  // 48 points right: zoom 2
  f.header->endDragging();

  EXPECT_EQ(f.header->zoom(), 2);
  EXPECT_EQ(f.content->zoom(), 2);
  EXPECT_FALSE(f.contentScroller->requests.empty());
  EXPECT_FALSE(f.entries("content.viewport").empty());
  EXPECT_TRUE(inStep(f));
  // The time at the centre when the drag began is at the centre still, in
  // the content too.
  const double halfWidth = 200;
  EXPECT_NEAR(f.content->x(centre), f.content->viewport().origin.x + halfWidth, 1e-6);
}

TEST_P(ChartSync, TheHeaderFollowsTheContentsScheduleAndHourWidthAndTheContentTheHeaders) {
  std::shared_ptr<ScheduleDefinition> workdays = ScheduleDefinition::standard();
  f.content->setVisibilitySchedule(workdays);
  f.content->setHourWidth(4);
  EXPECT_EQ(f.header->visibilitySchedule(), workdays);
  EXPECT_EQ(f.header->hourWidth(), 4);
  EXPECT_EQ(f.header->scrollableTimeline(), f.content->actualTimeline());
  EXPECT_TRUE(inStep(f));

  f.header->setHourWidth(3);
  f.header->setVisibilitySchedule(ScheduleDefinition::continuous());
  EXPECT_EQ(f.content->hourWidth(), 3);
  EXPECT_EQ(f.content->visibilitySchedule(), ScheduleDefinition::continuous());
  EXPECT_EQ(f.header->scrollableTimeline(), f.content->actualTimeline());
  EXPECT_TRUE(inStep(f));
}

TEST_P(ChartSync, AHeaderZoomBeyondItsLimitsEndsWithinThemOnBothSides) {
  // The content takes the zoom as it is, and its answer brings both back.
  f.header->setZoom(9);
  EXPECT_EQ(f.content->zoom(), 6.4);
  EXPECT_EQ(f.header->zoom(), 6.4);
  EXPECT_TRUE(inStep(f));
}

// --- Timelines ---------------------------------------------------------------------------

TEST(ChartSyncTimeline, TheContentsNewTimelineReachesTheHeaderAndBothObservers) {
  ChartFixture f(kFiveWeeks);
  const TimeRange sixWeeks(kFiveWeeks.start, kFiveWeeks.finish.addingDays(7));
  f.content->setScrollableTimeline(sixWeeks);

  EXPECT_EQ(f.header->scrollableTimeline(), sixWeeks);
  const ChartCallLog log = f.take();
  EXPECT_NE(std::find(log.begin(), log.end(), "headerTimelineDidChange"), log.end());
  EXPECT_EQ(std::count(log.begin(), log.end(), "timelineDidChange"), 1);
  EXPECT_TRUE(inStep(f));
}

TEST(ChartSyncTimeline, TheHeadersOwnTimelineIsReplacedByTheContents) {
  ChartFixture f(kFiveWeeks);
  f.header->setScrollableTimeline(TimeRange(kFiveWeeks.start, kFiveWeeks.start.addingDays(3)));

  EXPECT_EQ(f.header->scrollableTimeline(), kFiveWeeks);
  const ChartCallLog log = f.take();
  EXPECT_NE(std::find(log.begin(), log.end(), "headerTimelineDidChange"), log.end());
  // The chart's timeline is the content's, which did not change.
  EXPECT_EQ(std::count(log.begin(), log.end(), "timelineDidChange"), 0);
}

TEST(ChartSyncTimeline, ATimelineEndingInNaNSettlesOnBothSides) {
  ChartFixture f(kFiveWeeks);
  const TimeRange broken(kFiveWeeks.start, Time(kFiveWeeks.finish.week, 2, std::nan("")));
  f.content->setScrollableTimeline(broken);

  const TimeRange header = f.header->scrollableTimeline();
  EXPECT_EQ(header.start, broken.start);
  EXPECT_TRUE(std::isnan(header.finish.timeOfDay));
  f.take();

  // Given again, it is no change.
  f.content->setScrollableTimeline(broken);
  f.header->setScrollableTimeline(broken);
  EXPECT_TRUE(f.take().empty());
}

// Edits that set no time themselves, whose rules move items: a link under
// auto-scheduling pulls a far successor in, a link closing a loop pushes the
// loop out on every round of its conflict.
TEST(ChartSyncTimeline, ItemsTheRulesMoveAfterALinkTakeTheHeaderAlong) {
  ChartFixture f;
  auto source = std::static_pointer_cast<GanttChartItemSource>(f.content->itemManager());
  const std::vector<GanttChartItemPtr> items = source->items();
  source->updateTime(items[9], ChartFixture::itemsStart.addingWeeks(52 * 300));
  source->setIsAutoScheduling(true);
  const double longWidth = f.content->totalDiagramSize().width;

  source->addNewDependency(items[0], items[9], GanttChartDependencyType::fromFinishToStart);
  ASSERT_LT(f.content->totalDiagramSize().width, longWidth / 1000);
  EXPECT_EQ(f.header->scrollableTimeline(), f.content->actualTimeline());
  EXPECT_TRUE(inStep(f));

  source->addNewDependency(items[1], items[2], GanttChartDependencyType::fromFinishToStart);
  source->addNewDependency(items[2], items[1], GanttChartDependencyType::fromFinishToStart);
  ASSERT_GT(f.content->totalDiagramSize().width, longWidth / 1000);
  EXPECT_EQ(f.header->scrollableTimeline(), f.content->actualTimeline());
  EXPECT_TRUE(inStep(f));
}

// A host keeping a plan of its own in step answers the notice of the
// header's timeline by moving an item again, each move answering the notice
// of the one before, deeper than the chart area tells of its own changes.
// Once they end, the header spans the chart area's timeline, and the chart
// area's observer has heard of its last size.
TEST(ChartSyncTimeline, AHostsEditsNestedInTheNoticesLeaveTheHeaderOnTheChartAreasTimeline) {
  struct EditingHost : GanttChartObserver {
    std::function<void()> edit;
    void headerTimelineDidChange() override { edit(); }
  };
  struct SizeWatcher : GanttChartContentObserver {
    std::shared_ptr<GanttChartContentController> content;
    Size heard;
    void totalDiagramSizeDidChange() override { heard = content->totalDiagramSize(); }
  };
  ChartFixture f;
  auto source = std::static_pointer_cast<GanttChartItemSource>(f.content->itemManager());
  const GanttChartItemPtr last = source->items().back();
  const auto host = std::make_shared<EditingHost>();
  int nesting = 0;
  int edits = 0;
  host->edit = [&] {
    if (nesting != edits || edits == 100) return;
    ++nesting;
    ++edits;
    source->updateTime(last, last->start().addingWeeks(1));
    --nesting;
  };
  f.chart->setObserver(host);
  const auto watcher = std::make_shared<SizeWatcher>();
  watcher->content = f.content;
  f.content->setObserver(watcher);

  host->edit();
  ASSERT_GT(edits, 10);
  EXPECT_EQ(f.header->scrollableTimeline(), f.content->actualTimeline());
  EXPECT_TRUE(inStep(f));
  EXPECT_EQ(watcher->heard, f.content->totalDiagramSize());
}

// --- Rows ----------------------------------------------------------------------------------

TEST(ChartSyncRows, TheContentsRowEventsReachTheRangeObserver) {
  ChartFixture f(kFiveWeeks);
  auto source = std::static_pointer_cast<GanttChartItemSource>(f.content->itemManager());
  const Time start = ChartFixture::itemsStart;
  source->addNewItem(20, start, false);
  EXPECT_EQ(f.entries("totalContentRowCountDidChange").size(), 1u);
  f.take();

  f.content->setViewport(Rectangle(0, 100, 400, 300));
  EXPECT_EQ(f.entries("visibleContentRangeDidChange").size(), 1u);
}

// Three rows while an hour is wider than 4 points, else the stored two.
class ThreeRowsWhenWide : public GanttChartHeaderRowSelector {
 public:
  std::optional<std::vector<GanttChartHeaderRow>> rows(double hourWidth) const override {
    if (hourWidth <= 4) return std::nullopt;
    return std::vector<GanttChartHeaderRow>{GanttChartHeaderRow(TimeIntervalType::months()),
                                            GanttChartHeaderRow(TimeIntervalType::weeks()),
                                            GanttChartHeaderRow(TimeIntervalType::days())};
  }
};

TEST(ChartSyncRows, AZoomThatMakesTheRowSelectorChooseOtherRowsTellsTheNewHeight) {
  ChartFixture f(kFiveWeeks);
  f.header->setRowSelector(std::make_shared<ThreeRowsWhenWide>());
  f.take();

  f.content->setZoom(2);  // 5 points an hour
  EXPECT_EQ(f.chart->headerHeight(), 75);
  EXPECT_EQ(f.entries("headerHeightDidChange"), ChartCallLog{"headerHeightDidChange"});
  EXPECT_EQ(f.entries("headerRowCount"), ChartCallLog{"headerRowCountDidChange"});
  // Told once the header and the content are in step again.
  const ChartCallLog log = f.take();
  const auto synced = std::find(log.begin(), log.end(), "visibleTimelineDidChange");
  const auto told = std::find(log.begin(), log.end(), "headerHeightDidChange");
  EXPECT_LT(synced, told);
  EXPECT_TRUE(inStep(f));

  f.content->setZoom(3);  // still three rows
  EXPECT_TRUE(f.entries("headerHeightDidChange").empty());

  f.header->beginDragging(Point{200, 10});
  f.header->continueDragging(Point{110, 10});  // into the dead zone: zoom 1
  f.header->endDragging();
  EXPECT_EQ(f.header->zoom(), 1);
  EXPECT_EQ(f.chart->headerHeight(), 50);
  EXPECT_EQ(f.entries("headerHeightDidChange"), ChartCallLog{"headerHeightDidChange"});
  EXPECT_EQ(f.entries("headerRowCount"), ChartCallLog{"headerRowCountDidChange"});
}

TEST(ChartSyncRows, AnObserverThatZoomsOnEveryHeightChangeCannotRecurseForEver) {
  ChartFixture f(kFiveWeeks);
  f.header->setRowSelector(std::make_shared<ThreeRowsWhenWide>());
  f.observer->onCall = [&f](const std::string& call) {
    if (call == "headerHeightDidChange") f.content->setZoom(f.content->zoom() > 1 ? 1 : 2);
  };
  f.take();

  f.content->setZoom(2);
  EXPECT_LT(f.entries("headerHeightDidChange").size(), 64u);
}

}  // namespace
}  // namespace vorlent
