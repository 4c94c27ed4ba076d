#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_testing.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using testing::InteractionChart;
using testing::monday;
using testing::mondayPlus;
using Strings = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// "task" on row 0 at x 100...200 and "other" on row 1 at x 300...400, at 10
// points an hour on a scrollable timeline of four weeks (6,720 points);
// viewport 0, 0, 1000 × 250.
struct ScrollChart : InteractionChart {
  ScopedManualRunLoop loop;
  GanttChartItemPtr task = add("task", 0, monday(10), monday(20));
  GanttChartItemPtr other = add("other", 1, monday(30), monday(40));

  ScrollChart() { create(); }

  Strings requests() { return std::exchange(scroller->requests, {}); }
};

// --- Zooming -------------------------------------------------------------------------

TEST(ContentZooming, FactorsAreRelativeToTheZoomAtTheBeginning) {
  ScrollChart chart;
  chart.controller->setZoom(1.5);
  chart.controller->setViewport(Rectangle(600, 0, 1000, 250));
  const Time centre = chart.controller->visibleTimelineCenter();
  chart.controller->beginZooming();
  chart.controller->continueZooming(2);
  chart.controller->continueZooming(2);
  EXPECT_EQ(chart.controller->zoom(), 3);
  // The time at the centre stays there.
  const Rectangle viewport = chart.controller->viewport();
  EXPECT_NEAR(chart.controller->x(centre), viewport.centerX(), 1e-6);
  chart.controller->continueZooming(0.5);
  EXPECT_EQ(chart.controller->zoom(), 0.75);
  chart.controller->endZooming();
  chart.controller->continueZooming(2);
  EXPECT_EQ(chart.controller->zoom(), 0.75);
}

TEST(ContentZooming, RefusesFactorsThatAreNotPositiveNumbersAndZoomingWhenNotAllowed) {
  ScrollChart chart;
  chart.controller->continueZooming(2);  // not begun
  EXPECT_EQ(chart.controller->zoom(), 1);
  chart.controller->beginZooming();
  for (const double factor : {0.0, -1.0, -kInfinity, kNaN, kInfinity}) {
    chart.controller->continueZooming(factor);
    EXPECT_EQ(chart.controller->zoom(), 1) << factor;
  }
  chart.controller->endZooming();

  chart.configure([](GanttChartContentSettings& s) { s.allowsZooming = false; });
  chart.controller->beginZooming();
  chart.controller->continueZooming(2);
  EXPECT_EQ(chart.controller->zoom(), 1);
}

// --- Link thumb --------------------------------------------------------------------------

TEST(ContentLinkThumb, ShowsTheFinishThumbRightOfABar) {
  ScrollChart chart;
  chart.recorder->take();
  EXPECT_TRUE(chart.controller->showDependencyLineThumb(Point{210, 12.5}));
  ASSERT_TRUE(chart.controller->dependencyLineThumbArea());
  const GanttChartDependencyLineThumbArea& thumb = *chart.controller->dependencyLineThumbArea();
  EXPECT_EQ(thumb.item, chart.task);
  EXPECT_EQ(thumb.type, GanttChartDependencyEndType::finish);
  EXPECT_EQ(thumb.bounds, Rectangle(200, 8.5, 12, 8));
  EXPECT_EQ(thumb.center, (Point{200, 12.5}));
  EXPECT_EQ(thumb.radius, 4);
  EXPECT_EQ(chart.recorder->take(), (Strings{"observer.dependencyLineThumbAreaDidChange",
                                             "observer.dependencyLineThumbAreaDidChange"}));
  // Near the finish inside a bar too.
  EXPECT_TRUE(chart.controller->showDependencyLineThumb(Point{190, 10}));
}

TEST(ContentLinkThumb, ShowsTheStartThumbOnlyWhenLinesMayStartThere) {
  ScrollChart chart;
  EXPECT_TRUE(chart.controller->showDependencyLineThumb(Point{90, 12.5}));
  EXPECT_EQ(chart.controller->dependencyLineThumbArea()->type, GanttChartDependencyEndType::start);
  EXPECT_EQ(chart.controller->dependencyLineThumbArea()->bounds, Rectangle(88, 8.5, 12, 8));

  chart.configure(
      [](GanttChartContentSettings& s) { s.allowsCreatingDependencyLinesFromStart = false; });
  chart.recorder->take();
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{90, 12.5}));
  EXPECT_FALSE(chart.controller->dependencyLineThumbArea());
  EXPECT_EQ(chart.recorder->take(), (Strings{"observer.dependencyLineThumbAreaDidChange"}));
}

TEST(ContentLinkThumb, ShowsNoThumbInTheMiddleAwayFromBarsOrWhereLinesAreNotAllowed) {
  ScrollChart chart;
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{150, 12.5}));
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{213, 12.5}));
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{kNaN, 12.5}));

  GanttChartItemSettings own = chart.task->settings();
  own.allowsCreatingDependencyLinesFrom = false;
  chart.task->setSettings(own);
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{210, 12.5}));
  EXPECT_TRUE(chart.controller->showDependencyLineThumb(Point{410, 37.5}));

  chart.configure([](GanttChartContentSettings& s) { s.showsDependencyLines = false; });
  chart.recorder->take();
  EXPECT_FALSE(chart.controller->showDependencyLineThumb(Point{410, 37.5}));
  EXPECT_EQ(chart.recorder->take(), (Strings{"observer.dependencyLineThumbAreaDidChange"}));

  chart.controller->hideDependencyLineThumb();
  EXPECT_EQ(chart.recorder->take(), (Strings{"observer.dependencyLineThumbAreaDidChange"}));
}

// --- Temporary bar -------------------------------------------------------------------------

TEST(ContentTemporaryBar, OutlinesTheBarANewItemWouldGet) {
  ScrollChart chart;
  chart.recorder->take();
  EXPECT_TRUE(chart.controller->showTemporaryBar(Point{505, 37}));
  ASSERT_TRUE(chart.controller->temporaryBar());
  EXPECT_EQ(chart.controller->temporaryBar()->bounds, Rectangle(505, 28, 4, 19));
  EXPECT_EQ(chart.recorder->take(),
            (Strings{"observer.temporaryBarDidChange", "observer.temporaryBarDidChange"}));

  chart.controller->setTimeScale(
      TimeScale::intervals(1, TimeUnit::hours, monday(0), FloatingPointRoundingRule::down));
  chart.configure([](GanttChartContentSettings& s) { s.temporaryBarWidth = 30; });
  EXPECT_TRUE(chart.controller->showTemporaryBar(Point{505, 62}));
  EXPECT_EQ(chart.controller->temporaryBar()->bounds, Rectangle(500, 53, 30, 19));

  chart.controller->hideTemporaryBar();
  EXPECT_FALSE(chart.controller->temporaryBar());
}

TEST(ContentTemporaryBar, IsRefusedOnBarsBelowTheRowsAndWhereCreatingIsNotAllowed) {
  ScrollChart chart;
  EXPECT_FALSE(chart.controller->showTemporaryBar(Point{150, 10}));
  // Rows 0 and 1 and one extra row exist.
  EXPECT_TRUE(chart.controller->showTemporaryBar(Point{505, 70}));
  EXPECT_FALSE(chart.controller->showTemporaryBar(Point{505, 80}));
  EXPECT_FALSE(chart.controller->temporaryBar());
  EXPECT_FALSE(chart.controller->showTemporaryBar(Point{kNaN, 10}));
  chart.configure([](GanttChartContentSettings& s) { s.allowsCreatingBars = false; });
  EXPECT_FALSE(chart.controller->showTemporaryBar(Point{505, 37}));
}

// --- Scroll requests -------------------------------------------------------------------------

TEST(ContentScrolling, SendsTheRequestedSpansWithTheirMargins) {
  ScrollChart chart;
  chart.controller->scroll(TimeRange(monday(10), monday(20)), 5);
  chart.controller->scroll(monday(30));
  chart.controller->scrollVertically(RowRange(2, 4), 3);
  chart.controller->scrollVertically(2);
  EXPECT_EQ(chart.requests(),
            (Strings{"scrollTo(95, 205)", "scrollTo(300, 300)", "scrollVerticallyTo(47, 128)",
                     "scrollVerticallyTo(50, 75)"}));
  // A margin that is not finite counts as none; a time that is not usable
  // sends nothing.
  chart.controller->scroll(monday(30), kNaN);
  chart.controller->scroll(Time(1201, 1, kNaN), 5);
  chart.controller->scroll(TimeRange(monday(0), Time(1201, 1, kInfinity)));
  EXPECT_EQ(chart.requests(), (Strings{"scrollTo(300, 300)"}));

  chart.controller->setScroller({});
  chart.controller->scroll(monday(30));
}

TEST(ContentScrolling, ScrollsByTheDistancesThatAreNotZero) {
  ScrollChart chart;
  chart.controller->scrollBy(0, 0);
  EXPECT_TRUE(chart.requests().empty());
  chart.controller->scrollBy(10, 0);
  chart.controller->scrollBy(0, -5);
  chart.controller->scrollBy(20, 30);
  EXPECT_EQ(chart.requests(), (Strings{"scrollTo(10, 1010)", "scrollVerticallyTo(-5, 245)",
                                       "scrollTo(30, 1030)", "scrollVerticallyTo(25, 275)"}));
}

TEST(ContentScrolling, CentresStartsAndFinishesTheVisibleTimelineOnATime) {
  ScrollChart chart;
  EXPECT_EQ(chart.controller->visibleTimelineCenter(), monday(50));
  chart.controller->setViewport(Rectangle(0, 0, 600, 250));
  chart.controller->scrollVisibleTimelineToCenterOn(monday(200));
  chart.controller->scrollVisibleTimelineToStartOn(monday(200));
  chart.controller->scrollVisibleTimelineToFinishOn(monday(200));
  chart.controller->scrollVisibleTimelineToCenterOn(Time(1201, 1, kNaN));
  EXPECT_EQ(chart.requests(),
            (Strings{"scrollTo(1700, 2300)", "scrollTo(2000, 2600)", "scrollTo(1400, 2000)"}));
}

TEST(ContentScrolling, CountsOnlyVisibleWorkingTimeAroundTheCentre) {
  ScrollChart chart;
  chart.controller->setVisibilitySchedule(ScheduleDefinition::standard());
  // 100 visible hours from Monday 8:00: to Monday 12:00 two weeks later.
  chart.controller->setViewport(Rectangle(0, 0, 1000, 250));
  EXPECT_EQ(chart.controller->visibleTimelineCenter(), mondayPlus(8, 10));
  chart.controller->scrollVisibleTimelineToCenterOn(mondayPlus(4, 12));
  EXPECT_EQ(chart.requests(), (Strings{"scrollTo(-140, 860)"}));
}

TEST(ContentScrolling, CentresBeginsAndEndsTheVisibleRowsOnARow) {
  ScrollChart chart;
  EXPECT_EQ(chart.controller->visibleRangeCenter(), 1);  // rows 0-2 exist
  chart.controller->setDesiredScrollableRowCount(100);
  EXPECT_EQ(chart.controller->visibleRangeCenter(), 5);  // rows 0-9 visible
  chart.controller->scrollVisibleRangeToCenterOn(50);
  chart.controller->scrollVisibleRangeToBeginWith(50);
  chart.controller->scrollVisibleRangeToEndWith(50);
  EXPECT_EQ(chart.requests(),
            (Strings{"scrollVerticallyTo(1125, 1425)", "scrollVerticallyTo(1250, 1550)",
                     "scrollVerticallyTo(1025, 1275)"}));
  // Rows at the end of the integers saturate instead of overflowing.
  chart.scroller->follows = false;
  chart.controller->scrollVisibleRangeToBeginWith(std::numeric_limits<int64_t>::max());
  chart.controller->scrollVisibleRangeToEndWith(std::numeric_limits<int64_t>::min());
  EXPECT_EQ(chart.requests().size(), 2u);
}

// --- Shifting the scrollable timeline ---------------------------------------------------------

TEST(ContentTimelineShifting, ShiftsByAWeekPastTheEndAtMostOnceInThreeQuartersOfASecond) {
  ScrollChart chart;
  chart.configure(
      [](GanttChartContentSettings& s) { s.autoShiftsScrollableTimelineBy = secondsPerWeek; });
  chart.controller->setViewport(Rectangle(6000, 0, 1000, 250));  // past the end
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline(), TimeRange(mondayPlus(7, 0), mondayPlus(35, 0)));
  chart.controller->shiftScrollableTimelineIfNeeded();
  chart.loop->advance(0.7);
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(7, 0));
  chart.loop->advance(0.1);
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(14, 0));

  // A call after the pause renews it, even when there is nothing to shift.
  chart.loop->advance(0.8);
  chart.controller->setViewport(Rectangle(100, 0, 1000, 250));
  chart.controller->shiftScrollableTimelineIfNeeded();
  chart.controller->setViewport(Rectangle(6000, 0, 1000, 250));
  chart.loop->advance(0.5);
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(14, 0));
  chart.loop->advance(0.3);
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(21, 0));
}

TEST(ContentTimelineShifting, ShiftsBackPastTheStartAndNotWhenBothEndsAreVisible) {
  ScrollChart chart;
  chart.configure(
      [](GanttChartContentSettings& s) { s.autoShiftsScrollableTimelineBy = secondsPerWeek; });
  chart.controller->setViewport(Rectangle(-100, 0, 1000, 250));
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(-7, 0));

  chart.loop->advance(1);
  chart.controller->setViewport(Rectangle(-100, 0, 8000, 250));
  chart.controller->shiftScrollableTimelineIfNeeded();
  chart.loop->advance(1);
  chart.controller->setViewport(Rectangle(100, 0, 1000, 250));
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->start, mondayPlus(-7, 0));
}

TEST(ContentTimelineShifting, DoesNothingWithoutAShiftOrWithOneThatCannotBeMade) {
  ScrollChart chart;
  chart.controller->setViewport(Rectangle(6000, 0, 1000, 250));
  for (const std::optional<double> shift :
       std::vector<std::optional<double>>{std::nullopt, 0.0, kNaN, kInfinity, 1e300}) {
    chart.configure(
        [shift](GanttChartContentSettings& s) { s.autoShiftsScrollableTimelineBy = shift; });
    chart.loop->advance(1);
    chart.controller->shiftScrollableTimelineIfNeeded();
    EXPECT_EQ(chart.controller->scrollableTimeline()->start, monday(0));
  }
  // Nor past the end of time.
  chart.controller->setScrollableTimeline(TimeRange(Time::max().addingDays(-28), Time::max()));
  chart.configure(
      [](GanttChartContentSettings& s) { s.autoShiftsScrollableTimelineBy = secondsPerWeek; });
  chart.loop->advance(1);
  chart.controller->shiftScrollableTimelineIfNeeded();
  EXPECT_EQ(chart.controller->scrollableTimeline()->finish, Time::max());
}

// --- Auto refresh ------------------------------------------------------------------------------

TEST(ContentAutoRefresh, RedrawsTheIntervalAreasWhileTheCurrentMomentIsShown) {
  ScrollChart chart;
  chart.controller->initializeAutoRefreshTimer(1, TimeUnit::minutes);
  chart.recorder->take();
  chart.loop->advance(180);
  EXPECT_TRUE(chart.recorder->take().empty());

  const auto now = std::make_shared<MomentPeriodSelector>(std::nullopt, false);
  chart.controller->setIntervalHighlighters(
      {TimeSelector(std::make_shared<EnclosedTimeIntervalSelector>(now))});
  chart.recorder->take();
  chart.loop->advance(180);
  EXPECT_EQ(chart.recorder->take(), (Strings(3, "observer.highlightedIntervalAreasDidChange")));

  // A second timer replaces the first.
  chart.controller->initializeAutoRefreshTimer(30, TimeUnit::seconds);
  EXPECT_EQ(chart.loop->activeTimerCount(), 1u);
  chart.loop->advance(60);
  EXPECT_EQ(chart.recorder->take().size(), 2u);

  chart.controller->invalidateAutoRefreshTimer();
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  chart.controller->initializeAutoRefreshTimer(-1, TimeUnit::seconds);
  chart.controller->initializeAutoRefreshTimer(kNaN, TimeUnit::seconds);
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentAutoRefresh, MomentsGivenByTheHostNeedNoRefresh) {
  ScrollChart chart;
  chart.controller->setIntervalHighlighters(
      {TimeSelector(std::make_shared<MomentPeriodSelector>(std::vector<Time>{monday(12)}, false))});
  chart.controller->initializeAutoRefreshTimer(1, TimeUnit::seconds);
  chart.recorder->take();
  chart.loop->advance(5);
  EXPECT_TRUE(chart.recorder->take().empty());
}

}  // namespace
}  // namespace vorlent
