#include "vorlent/controllers/chart_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller_testing.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/model/item_source.h"
#include "vorlent/style/header_base_style.h"
#include "vorlent/style/style_testing.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

using testing::ChartCallLog;
using testing::ChartFixture;
using testing::RecordingChartObserver;

const TimeRange kFiveWeeks(Time::fromYearMonthDay(2024, 3, 3, 0, 0, 0),
                           Time::fromYearMonthDay(2024, 4, 7, 0, 0, 0));

// The fields that differ, leaving out style selectors: each preset makes
// selectors of its own, compared by identity.
template <class Style>
std::vector<std::string> differingValues(const Style& a, const Style& b) {
  std::vector<std::string> fields = testing::differingFields(a, b);
  std::erase_if(
      fields, [](const std::string& field) { return field.find("Selector") != std::string::npos; });
  return fields;
}

// Whether both controllers' default styles are the preset of the theme in
// the mode.
::testing::AssertionResult bothShowPreset(const ChartFixture& f, const Theme& theme, Mode mode) {
  const auto header =
      differingValues(f.header->defaultStyle(), GanttChartHeaderBaseStyle(theme, mode));
  const auto content =
      differingValues(f.content->defaultStyle(), GanttChartContentBaseStyle(theme, mode));
  if (header.empty() && content.empty()) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "differing fields:";
  for (const std::string& field : header) failure << " header." << field;
  for (const std::string& field : content) failure << " content." << field;
  return failure;
}

struct Parts {
  std::shared_ptr<GanttChartHeaderController> header = GanttChartHeaderController::create();
  std::shared_ptr<GanttChartContentController> content = GanttChartContentController::create(
      std::make_shared<GanttChartItemSource>(ChartFixture::makeItems()));
};

// --- Construction --------------------------------------------------------------------

TEST(ChartControllerConstruction, HeaderTakesTheContentsTimelineScheduleAndHourWidth) {
  Parts parts;
  std::shared_ptr<ScheduleDefinition> workdays = ScheduleDefinition::standard();
  parts.content->setVisibilitySchedule(workdays);
  parts.content->setHourWidth(4);
  auto chart = GanttChartController::create(parts.header, parts.content);

  EXPECT_EQ(parts.header->scrollableTimeline(), parts.content->preferredTimeline());
  EXPECT_EQ(parts.header->visibilitySchedule(), workdays);
  EXPECT_EQ(parts.header->hourWidth(), 4);

  Parts scrollable;
  scrollable.content->setScrollableTimeline(kFiveWeeks);
  GanttChartController::create(scrollable.header, scrollable.content);
  EXPECT_EQ(scrollable.header->scrollableTimeline(), kFiveWeeks);
}

struct ZoomCase {
  double contentZoom;
  double expected;
};

class ChartControllerConstructionZoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ChartControllerConstructionZoom, BothTakeTheContentsZoomWithinTheHeadersLimits) {
  Parts parts;
  parts.content->setZoom(GetParam().contentZoom);
  auto chart = GanttChartController::create(parts.header, parts.content);
  EXPECT_EQ(parts.header->zoom(), GetParam().expected);
  EXPECT_EQ(parts.content->zoom(), GetParam().expected);
}

// The content follows its items here, so the clamped zoom moves its
// timeline: the header must start from the moved one, not the first.
TEST_P(ChartControllerConstructionZoom, HeaderAndContentPutATimeAtTheSameXFromTheStart) {
  Parts parts;
  parts.content->setZoom(GetParam().contentZoom);
  auto chart = GanttChartController::create(parts.header, parts.content);
  const Time time = ChartFixture::itemsStart.addingDays(2);

  EXPECT_EQ(parts.header->scrollableTimeline(), parts.content->actualTimeline());
  EXPECT_DOUBLE_EQ(parts.header->x(time), parts.content->x(time));
  parts.content->setViewport(Rectangle(30, 0, 400, 300));
  EXPECT_DOUBLE_EQ(parts.header->x(time), parts.content->x(time));
  parts.content->setZoom(GetParam().contentZoom);
  EXPECT_DOUBLE_EQ(parts.header->x(time), parts.content->x(time));
}

INSTANTIATE_TEST_SUITE_P(Limits, ChartControllerConstructionZoom,
                         ::testing::Values(ZoomCase{10, 6.4}, ZoomCase{0.1, 0.3125}, ZoomCase{2, 2},
                                           ZoomCase{6.4, 6.4}));

TEST(ChartControllerConstruction, ScrollsTheHeaderToTheContentsVisibleTimeline) {
  Parts parts;
  parts.content->setScrollableTimeline(kFiveWeeks);
  parts.header->setViewport(Rectangle(0, 0, 400, 50));
  parts.content->setViewport(Rectangle(300, 0, 400, 300));
  auto headerScroller = std::make_shared<testing::HeaderViewScroller>(parts.header);
  parts.header->setScroller(headerScroller);

  auto chart = GanttChartController::create(parts.header, parts.content);

  ASSERT_EQ(headerScroller->requests.size(), 1u);
  EXPECT_DOUBLE_EQ(headerScroller->requests[0].first, 300);
  EXPECT_DOUBLE_EQ(headerScroller->requests[0].second, 700);
  EXPECT_EQ(parts.header->viewport(), Rectangle(300, 0, 400, 50));
}

TEST(ChartControllerConstruction, InstallsTheAdaptersAndLeavesTheOtherCollaborators) {
  Parts parts;
  auto log = std::make_shared<testing::HeaderCallLog>();
  auto headerObserver = std::make_shared<testing::RecordingHeaderObserver>(log);
  auto headerScroller = std::make_shared<testing::RecordingHeaderScroller>();
  parts.header->setObserver(headerObserver);
  parts.header->setScroller(headerScroller);
  auto contentScroller = std::make_shared<testing::ContentViewScroller>(parts.content);
  parts.content->setScroller(contentScroller);

  auto chart = GanttChartController::create(parts.header, parts.content);

  EXPECT_EQ(parts.header->rowArrayObserver(), chart->headerObserver());
  EXPECT_EQ(parts.header->timelineObserver(), chart->headerObserver());
  EXPECT_EQ(parts.header->presenter(), chart->headerPresenter());
  EXPECT_EQ(parts.content->rangeObserver(), chart->contentObserver());
  EXPECT_EQ(parts.content->timelineObserver(), chart->contentObserver());
  EXPECT_EQ(parts.content->presenter(), chart->contentPresenter());
  EXPECT_EQ(parts.header->observer(), headerObserver);
  EXPECT_EQ(parts.header->scroller(), headerScroller);
  EXPECT_EQ(parts.content->scroller(), contentScroller);
  // Each adapter is made once and refers to its chart.
  EXPECT_EQ(chart->headerObserver(), chart->headerObserver());
  EXPECT_EQ(chart->headerObserver()->target(), chart.get());
  EXPECT_EQ(chart->contentPresenter()->target(), chart.get());
}

TEST(ChartControllerConstruction, KeepsEachControllersOwnThemeAndStartsWithDefaults) {
  Parts parts;
  parts.header->setTheme(Theme::aqua());
  parts.content->setMode(Mode::dark);
  auto chart = GanttChartController::create(parts.header, parts.content);

  EXPECT_EQ(parts.header->theme(), Theme::aqua());
  EXPECT_EQ(parts.content->mode(), Mode::dark);
  EXPECT_EQ(chart->theme(), Theme::standard());
  EXPECT_FALSE(chart->mode());
  EXPECT_EQ(chart->headerRowHeight(), 25);
  EXPECT_FALSE(chart->observer());
  EXPECT_FALSE(chart->rangeObserver());
  EXPECT_FALSE(chart->timelineObserver());
  EXPECT_FALSE(chart->presenter());
}

TEST(ChartControllerConstructionDeathTest, ANullControllerIsAFatalStop) {
  Parts parts;
  EXPECT_DEATH(GanttChartController::create(nullptr, parts.content), "header controller is null");
  EXPECT_DEATH(GanttChartController::create(parts.header, nullptr), "content controller is null");
}

// --- Header height -------------------------------------------------------------------

TEST(ChartControllerHeaderHeight, IsTheRowHeightTimesTheHeadersActualRows) {
  ChartFixture f;
  EXPECT_EQ(f.chart->headerHeight(), 50);  // weeks over days

  f.chart->setHeaderRowHeight(20);
  f.header->setRows({GanttChartHeaderRow(TimeIntervalType::months()),
                     GanttChartHeaderRow(TimeIntervalType::weeks()),
                     GanttChartHeaderRow(TimeIntervalType::days())});
  EXPECT_EQ(f.chart->headerHeight(), 60);

  f.header->setRows({});
  EXPECT_EQ(f.chart->headerHeight(), 0);
}

TEST(ChartControllerHeaderHeight, ARowHeightThatIsNaNOrNegativeGivesNoHeight) {
  ChartFixture f;
  f.chart->setHeaderRowHeight(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(f.chart->headerHeight(), 0);
  f.chart->setHeaderRowHeight(-5);
  EXPECT_EQ(f.chart->headerHeight(), 0);
}

TEST(ChartControllerHeaderHeight, EveryRowHeightAssignmentTellsTheObserverOnce) {
  ChartFixture f;
  f.chart->setHeaderRowHeight(25);
  EXPECT_EQ(f.take(), ChartCallLog{"headerHeightDidChange"});
  f.chart->setHeaderRowHeight(30);
  EXPECT_EQ(f.take(), ChartCallLog{"headerHeightDidChange"});
  EXPECT_EQ(f.chart->headerRowHeight(), 30);
}

TEST(ChartControllerHeaderHeight, ARowCountChangeTellsTheHeightBeforeTheRowCount) {
  ChartFixture f;
  f.header->setRows({GanttChartHeaderRow(TimeIntervalType::days())});
  EXPECT_EQ(f.take(), (ChartCallLog{"headerHeightDidChange", "headerRowCountDidChange"}));
  EXPECT_EQ(f.chart->headerHeight(), 25);
}

TEST(ChartControllerHeaderHeight, ARowHeightAssignedByTheObserverFollowsOnceItHasBeenTold) {
  ChartFixture f;
  std::vector<double> told;
  f.observer->onCall = [&f, &told](const std::string&) {
    told.push_back(f.chart->headerRowHeight());
    if (told.size() == 1) f.chart->setHeaderRowHeight(40);
  };
  f.chart->setHeaderRowHeight(30);
  EXPECT_EQ(told, (std::vector<double>{30, 40}));
  EXPECT_EQ(f.chart->headerRowHeight(), 40);

  // One that always assigns again is told a bounded number of times.
  told.clear();
  f.observer->onCall = [&f, &told](const std::string&) {
    told.push_back(f.chart->headerRowHeight());
    f.chart->setHeaderRowHeight(f.chart->headerRowHeight() + 1);
  };
  f.chart->setHeaderRowHeight(10);
  EXPECT_GT(told.size(), 1u);
  EXPECT_LT(told.size(), 64u);
}

// --- Theme and mode ------------------------------------------------------------------

TEST(ChartControllerTheme, AssigningGivesBothControllersTheThemeForced) {
  ChartFixture f;
  // Styles set by hand, which only a forced update replaces.
  f.header->setDefaultStyle(GanttChartHeaderBaseStyle(Theme::jewel(), Mode::dark));
  f.content->setDefaultStyle(GanttChartContentBaseStyle(Theme::jewel(), Mode::dark));
  ASSERT_FALSE(bothShowPreset(f, Theme::standard(), Mode::light));

  f.chart->setTheme(Theme::standard());  // the value it already has
  EXPECT_EQ(f.header->theme(), Theme::standard());
  EXPECT_EQ(f.content->theme(), Theme::standard());
  EXPECT_TRUE(bothShowPreset(f, Theme::standard(), Mode::light));

  f.chart->setTheme(Theme::aqua());
  EXPECT_EQ(f.chart->theme(), Theme::aqua());
  EXPECT_TRUE(bothShowPreset(f, Theme::aqua(), Mode::light));
}

TEST(ChartControllerTheme, AssigningTheModePassesItOnUnchanged) {
  ChartFixture f;
  f.chart->setMode(Mode::dark);
  EXPECT_EQ(f.chart->mode(), Mode::dark);
  EXPECT_EQ(f.header->mode(), Mode::dark);
  EXPECT_EQ(f.content->mode(), Mode::dark);
  EXPECT_TRUE(bothShowPreset(f, Theme::standard(), Mode::dark));

  // Without a mode each falls back to its provider, then light.
  f.chart->setMode(std::nullopt);
  EXPECT_FALSE(f.header->mode());
  EXPECT_FALSE(f.content->mode());
  EXPECT_TRUE(bothShowPreset(f, Theme::standard(), Mode::light));
}

TEST(ChartControllerTheme, AThemeOrModeAssignedByAStyleObserverMeanwhileEndsUpEverywhere) {
  ChartFixture f;
  auto log = std::make_shared<testing::HeaderCallLog>();
  auto headerStyle = std::make_shared<testing::RecordingHeaderObserver>(log);
  f.header->setStyleObserver(headerStyle);
  int calls = 0;
  // The header hears first; its observer asks for another theme and mode
  // before the content has had the first ones.
  headerStyle->onCall = [&f, &calls](const std::string&) {
    if (++calls > 1) return;
    f.chart->setTheme(Theme::jewel());
    f.chart->setMode(std::nullopt);
  };
  f.chart->setMode(Mode::dark);
  EXPECT_FALSE(f.chart->mode());
  EXPECT_FALSE(f.header->mode());
  EXPECT_FALSE(f.content->mode());

  calls = 0;
  f.chart->setTheme(Theme::aqua());
  EXPECT_EQ(f.chart->theme(), Theme::jewel());
  EXPECT_EQ(f.header->theme(), Theme::jewel());
  EXPECT_EQ(f.content->theme(), Theme::jewel());
  EXPECT_TRUE(bothShowPreset(f, Theme::jewel(), Mode::light));

  // An observer that always assigns again does not recurse for ever.
  calls = 0;
  headerStyle->onCall = [&f, &calls](const std::string&) {
    ++calls;
    f.chart->setTheme(calls % 2 ? Theme::aqua() : Theme::standard());
  };
  f.chart->setTheme(Theme::generic());
  EXPECT_LT(calls, 256);
}

// --- Lifetime ------------------------------------------------------------------------

TEST(ChartControllerLifetime, ReleasingTheChartLeavesTheControllersWorkingOnTheirOwn) {
  ChartFixture f;
  std::shared_ptr<GanttChartController::HeaderObserverAdapter> keptObserver =
      f.chart->headerObserver();
  std::shared_ptr<GanttChartController::ContentPresenterAdapter> keptPresenter =
      f.chart->contentPresenter();
  std::weak_ptr<GanttChartController> chart = f.chart;
  f.chart.reset();
  ASSERT_TRUE(chart.expired());

  // The adapters a host kept no longer reach a chart.
  EXPECT_EQ(keptObserver->target(), nullptr);
  EXPECT_EQ(keptPresenter->target(), nullptr);
  EXPECT_FALSE(f.header->presenter());
  EXPECT_FALSE(f.content->timelineObserver());

  // The two controllers still notify, through the kept adapter too, and
  // nothing keeps them in step any more.
  f.header->setRows({});
  f.header->setViewport(Rectangle(100, 0, 400, 50));
  f.content->setViewport(Rectangle(40, 0, 400, 300));
  EXPECT_EQ(f.take(), (ChartCallLog{"header.viewport x=100", "content.viewport x=40"}));
  EXPECT_TRUE(f.headerScroller->requests.empty());
  EXPECT_TRUE(f.contentScroller->requests.empty());
  keptPresenter->drawBackground(Color(), Size{1, 1});
  EXPECT_FALSE(keptPresenter->toolTip(GanttChartItemPtr()));
}

TEST(ChartControllerLifetime, AnObserverMayReleaseTheChartWhileItIsTold) {
  ChartFixture f;
  std::weak_ptr<GanttChartController> chart = f.chart;
  f.observer->onCall = [&f](const std::string& call) {
    if (call == "headerHeightDidChange") f.chart.reset();
  };
  f.header->setRows({});
  EXPECT_TRUE(chart.expired());
  // The chart finished the call it was in: the range observer heard too.
  EXPECT_EQ(f.take(), (ChartCallLog{"headerHeightDidChange", "headerRowCountDidChange"}));
}

TEST(ChartControllerLifetime, AStyleObserverMayReleaseTheChartWhileTheThemeIsApplied) {
  ChartFixture f;
  auto log = std::make_shared<testing::HeaderCallLog>();
  auto headerStyle = std::make_shared<testing::RecordingHeaderObserver>(log);
  f.header->setStyleObserver(headerStyle);
  std::weak_ptr<GanttChartController> chart = f.chart;
  headerStyle->onCall = [&f](const std::string&) { f.chart.reset(); };

  f.chart->setTheme(Theme::jewel());
  EXPECT_TRUE(chart.expired());
  // The chart finished the assignment: the content has the theme too.
  EXPECT_EQ(f.content->theme(), Theme::jewel());
}

}  // namespace
}  // namespace vorlent
