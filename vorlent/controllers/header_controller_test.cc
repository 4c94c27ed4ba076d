#include "vorlent/controllers/header_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/base/time_zone.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"

namespace vorlent {
namespace {

using testing::HeaderCallLog;
using testing::RecordingHeaderObserver;

constexpr int64_t kWeek = 1200;  // Sunday 31 December 2023 to 7 January 2024
const TimeRange kTimeline(Time(kWeek, kSunday, 0), Time(kWeek + 1, kSunday, 0));
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Recorded {
  std::shared_ptr<GanttChartHeaderController> controller =
      GanttChartHeaderController::create(kTimeline);
  testing::HeaderRecording recording{*controller};
  std::shared_ptr<RecordingHeaderObserver>& observer = recording.observer;
  std::shared_ptr<HeaderCallLog>& log = recording.log;

  Recorded() { controller->setViewport(Rectangle(0, 0, 420, 50)); }
  HeaderCallLog take() { return recording.take(); }
};

const HeaderCallLog kAreasAndCells = {"observer.highlightedScheduleAreasDidChange",
                                      "observer.cellsDidChange"};

HeaderCallLog join(std::initializer_list<HeaderCallLog> parts) {
  HeaderCallLog joined;
  for (const HeaderCallLog& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// --- Construction ------------------------------------------------------------------

TEST(HeaderControllerConstruction, WithoutTimelineSpansTheCurrentLocalWeek) {
  // Wednesday 2024-03-13 23:30 UTC is already Thursday in a zone 2 h ahead,
  // still the same week; Saturday 23:30 UTC is Sunday there, the next week.
  const TimeZone previousZone = TimeZone::current();
  TimeZone::setCurrent(TimeZone::fromSecondsFromGMT(2 * 3600));
  {
    ScopedClock wednesday(makeDate(Time::fromYearMonthDay(2024, 3, 13, 23, 30, 0)));
    const TimeRange week = GanttChartHeaderController::create()->scrollableTimeline();
    EXPECT_EQ(week.start, Time::fromYearMonthDay(2024, 3, 10, 0, 0, 0));
    EXPECT_EQ(week.finish, Time::fromYearMonthDay(2024, 3, 17, 0, 0, 0));
  }
  {
    ScopedClock saturdayNight(makeDate(Time::fromYearMonthDay(2024, 3, 16, 23, 30, 0)));
    EXPECT_EQ(GanttChartHeaderController::create()->scrollableTimeline().start,
              Time::fromYearMonthDay(2024, 3, 17, 0, 0, 0));
  }
  TimeZone::setCurrent(previousZone);
}

TEST(HeaderControllerConstruction, KeepsAGivenTimelineAndTheDefaults) {
  const TimeRange reversed(kTimeline.finish, kTimeline.start);
  auto controller = GanttChartHeaderController::create(reversed);
  EXPECT_EQ(controller->scrollableTimeline().start, reversed.start);
  EXPECT_EQ(controller->scrollableTimeline().finish, reversed.finish);
  EXPECT_EQ(controller->visibilitySchedule(), ScheduleDefinition::continuous());
  EXPECT_EQ(controller->hourWidth(), 2.5);
  EXPECT_EQ(controller->zoom(), 1);
  EXPECT_EQ(controller->viewport(), Rectangle());
  EXPECT_EQ(controller->theme(), Theme::standard());
  EXPECT_FALSE(controller->mode());
  EXPECT_FALSE(controller->rowSelector());
  EXPECT_TRUE(controller->scheduleHighlighters().empty());
  EXPECT_FALSE(controller->draggingFromX() || controller->zoomingFrom() ||
               controller->zoomingTime());
}

TEST(HeaderControllerConstruction, HasWeeksOverShortWeekdays) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  ASSERT_EQ(controller->rowCount(), 2);
  const std::vector<GanttChartHeaderRow>& rows = controller->rows();
  ASSERT_EQ(rows[0].selectors.size(), 1u);
  ASSERT_EQ(rows[1].selectors.size(), 1u);
  const TimeRange monday(Time(kWeek, kMonday, 0), Time(kWeek, kTuesday, 0));
  // Labels as the interval types' own selectors give them, in whatever
  // locale the machine has.
  const TimeSelector weeks = GanttChartHeaderRow(TimeIntervalType::weeks()).selectors[0];
  const TimeSelector weekdays(TimeIntervalType::days(),
                              TimeLabelFormat::dayOfWeekShortAbbreviation());
  EXPECT_EQ(rows[0].selectors[0].labelGenerator->label(kTimeline),
            weeks.labelGenerator->label(kTimeline));
  EXPECT_EQ(rows[1].selectors[0].labelGenerator->label(monday),
            weekdays.labelGenerator->label(monday));
  EXPECT_EQ(rows[1].selectors[0].intervalSelector->times(kTimeline).size(), 7u);
  EXPECT_FALSE(rows[1].styleSelector || rows[1].cellStyle || rows[1].context.has_value());
}

TEST(HeaderControllerConstruction, SendsNothing) {
  Recorded recorded;
  recorded.log->clear();
  auto fresh = GanttChartHeaderController::create(kTimeline);
  EXPECT_TRUE(recorded.take().empty());
}

// --- Reactions ----------------------------------------------------------------------

TEST(HeaderControllerReactions, TimelineAndScheduleNotifySizeAreasCellsAndTimeline) {
  const HeaderCallLog expected = {
      "observer.totalDiagramHeaderSizeDidChange", "observer.highlightedScheduleAreasDidChange",
      "observer.cellsDidChange", "timeline.timelineDidChange", "timeline.visibleTimelineDidChange"};
  Recorded r;
  r.take();
  r.controller->setScrollableTimeline(TimeRange(kTimeline.start, Time(kWeek + 2, kSunday, 0)));
  EXPECT_EQ(r.take(), expected);
  // The same moments, the finish in its 24:00 form.
  r.controller->setScrollableTimeline(
      TimeRange(kTimeline.start, Time(kWeek + 1, kSaturday, secondsPerDay)));
  EXPECT_TRUE(r.take().empty());

  r.controller->setVisibilitySchedule(ScheduleDefinition::standard());
  EXPECT_EQ(r.take(), expected);
  r.controller->setVisibilitySchedule(ScheduleDefinition::standard());
  EXPECT_TRUE(r.take().empty());
  // No schedule is the continuous one.
  r.controller->setVisibilitySchedule(nullptr);
  EXPECT_EQ(r.controller->visibilitySchedule(), ScheduleDefinition::continuous());
  EXPECT_EQ(r.take(), expected);

  r.controller->setHourWidth(3);
  EXPECT_EQ(r.take(), expected);
  r.controller->setHourWidth(3);
  EXPECT_TRUE(r.take().empty());
}

TEST(HeaderControllerReactions, RowsAndRowSelectorNotifyOnEveryAssignment) {
  const HeaderCallLog expected = {"observer.totalDiagramHeaderSizeDidChange",
                                  "observer.highlightedScheduleAreasDidChange",
                                  "observer.cellsDidChange", "rowArray.rowCountDidChange"};
  Recorded r;
  r.take();
  const std::vector<GanttChartHeaderRow> rows = r.controller->rows();
  r.controller->setRows(rows);
  EXPECT_EQ(r.take(), expected);
  r.controller->setRowSelector(nullptr);
  EXPECT_EQ(r.take(), expected);
  r.controller->setRowSelector(nullptr);
  EXPECT_EQ(r.take(), expected);
}

TEST(HeaderControllerReactions, ZoomTellsEveryObserverWithNewValueFirst) {
  Recorded r;
  r.take();
  r.controller->setZoom(2);
  EXPECT_EQ(r.take(),
            (HeaderCallLog{"observer.totalDiagramHeaderSizeDidChange",
                           "observer.highlightedScheduleAreasDidChange", "observer.cellsDidChange",
                           "observer.zoomDidChange", "timeline.visibleTimelineDidChange",
                           "viewport.zoomDidChange(2, 1)"}));
  r.controller->setZoom(2);
  EXPECT_TRUE(r.take().empty());
}

TEST(HeaderControllerReactions, ViewportReportsSizeOnlyWhenItsHeightChanges) {
  Recorded r;
  r.take();
  const HeaderCallLog moved = {"observer.highlightedScheduleAreasDidChange",
                               "observer.cellsDidChange", "timeline.timelineDidChange",
                               "timeline.visibleTimelineDidChange"};
  r.controller->setViewport(Rectangle(60, 0, 420, 50));
  EXPECT_EQ(r.take(), join({moved,
                            {"viewport.viewportDidChange([(60, 0) 420 x 50], "
                             "[(0, 0) 420 x 50])"}}));
  r.controller->setViewport(Rectangle(60, 0, 420, 50));
  EXPECT_TRUE(r.take().empty());
  r.controller->setViewport(Rectangle(60, 0, 420, 60));
  EXPECT_EQ(r.take(), join({{"observer.totalDiagramHeaderSizeDidChange"},
                            moved,
                            {"viewport.viewportDidChange([(60, 0) 420 x 60], "
                             "[(60, 0) 420 x 50])"}}));
}

TEST(HeaderControllerReactions, HighlightersSettingsAndSettingsDidChange) {
  Recorded r;
  r.take();
  r.controller->setScheduleHighlighters({});
  EXPECT_EQ(r.take(), HeaderCallLog{"observer.highlightedScheduleAreasDidChange"});
  GanttChartHeaderSettings settings;
  settings.maxZoom = 3;
  r.controller->setSettings(settings);
  EXPECT_TRUE(r.take().empty());
  EXPECT_EQ(r.controller->settings().maxZoom, 3);
  r.controller->settingsDidChange();
  EXPECT_EQ(r.take(), kAreasAndCells);
}

TEST(HeaderControllerReactions, ObserversAreHeldWeakly) {
  Recorded r;
  r.take();
  std::weak_ptr<RecordingHeaderObserver> weak = r.observer;
  r.observer.reset();
  EXPECT_TRUE(weak.expired());
  r.controller->setZoom(3);
  r.controller->setRows({});
  EXPECT_TRUE(r.log->empty());
  EXPECT_FALSE(r.controller->observer());
}

TEST(HeaderControllerReactions, AnObserverMayReadTheControllerDuringANotification) {
  Recorded r;
  std::vector<double> widths;
  r.observer->onCall = [&](const std::string& call) {
    if (call == "observer.totalDiagramHeaderSizeDidChange") {
      widths.push_back(r.controller->totalDiagramHeaderSize().width);
    }
  };
  r.controller->setZoom(2);
  EXPECT_EQ(widths, std::vector<double>{840});
}

TEST(HeaderControllerReactions, AValueAssignedByAnObserverIsTheViewportObserversLastWord) {
  // A view that keeps the header within bounds: it pulls the viewport back
  // to x 0 and the zoom into the limits while it is being told of a change.
  Recorded r;
  r.observer->onCall = [&](const std::string& call) {
    if (call == "observer.cellsDidChange" && r.controller->viewport().left() < 0) {
      r.controller->setViewport(Rectangle(0, 0, 420, 50));
    }
    if (call == "observer.zoomDidChange") r.controller->setZoomCoercing(r.controller->zoom());
  };
  r.take();
  r.controller->setViewport(Rectangle(-50, 0, 420, 50));
  r.controller->setZoom(10);
  HeaderCallLog told;
  for (const std::string& entry : r.take()) {
    if (entry.starts_with("viewport.")) told.push_back(entry);
  }
  EXPECT_EQ(r.controller->viewport(), Rectangle(0, 0, 420, 50));
  EXPECT_EQ(r.controller->zoom(), 6.4);
  EXPECT_EQ(told, (HeaderCallLog{"viewport.viewportDidChange([(0, 0) 420 x 50], "
                                 "[(-50, 0) 420 x 50])",
                                 "viewport.zoomDidChange(6.4, 10)"}));
}

TEST(HeaderControllerReactions, AHostReleasingTheControllerMidCallLetsTheCallFinish) {
  // An observer, style observer or presenter drops the host's only
  // reference while the controller still has notifications to send.
  auto releasedDuring = [](const std::function<void(GanttChartHeaderController&)>& call,
                           const std::string& releasingCall) {
    Recorded r;
    auto presenter = std::make_shared<testing::RecordingHeaderPresenter>();
    r.controller->setPresenter(presenter);
    r.controller->setDefaultStyle(GanttChartHeaderBaseStyle());
    std::weak_ptr<GanttChartHeaderController> weak = r.controller;
    r.observer->onCall = [&](const std::string& entry) {
      if (entry.starts_with(releasingCall)) r.controller.reset();
    };
    presenter->onCall = [&] { r.controller.reset(); };
    call(*r.controller);
    EXPECT_TRUE(weak.expired()) << releasingCall;
  };
  releasedDuring([](auto& c) { c.setZoom(2); }, "observer.totalDiagramHeaderSizeDidChange");
  releasedDuring([](auto& c) { c.setViewport(Rectangle(5, 0, 420, 50)); },
                 "observer.cellsDidChange");
  releasedDuring([](auto& c) { c.setRows({}); }, "observer.highlightedScheduleAreasDidChange");
  releasedDuring([](auto& c) { c.setTheme(Theme::aqua()); }, "observer.cellsDidChange");
  releasedDuring([](auto& c) { c.setZoomCoercing(9); }, "viewport.zoomDidChange");
  releasedDuring([](auto& c) { c.draw(Rectangle(0, 0, 420, 50)); }, "presenter");
  releasedDuring(
      [](auto& c) {
        c.beginDragging(Point{100, 0});
        c.continueDragging(Point{200, 0});
      },
      "observer.zoomDidChange");
}

// --- Geometry ------------------------------------------------------------------------

TEST(HeaderControllerGeometry, RowsShareTheViewportHeight) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setViewport(Rectangle(0, 0, 420, 50));
  EXPECT_EQ(controller->rowHeight(), 25);
  EXPECT_EQ(controller->top(1), 25);
  EXPECT_EQ(controller->middle(1), 37.5);
  EXPECT_EQ(controller->bottom(1), 50);
  EXPECT_EQ(controller->totalDiagramHeaderSize().height, 50);
  EXPECT_EQ(controller->row(24.9), 0);
  EXPECT_EQ(controller->row(25), 1);
  EXPECT_EQ(controller->row(-0.5), -1);

  controller->setRows({});
  EXPECT_EQ(controller->rowCount(), 0);
  EXPECT_EQ(controller->rowHeight(), 50);
  EXPECT_EQ(controller->totalDiagramHeaderSize().height, 0);
}

TEST(HeaderControllerGeometry, MapsTimeAndXThroughTheActualHourWidth) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setZoom(2);
  EXPECT_EQ(controller->actualHourWidth(), 5);
  const Time nextDay = Time(kWeek, kMonday, 0);
  EXPECT_EQ(controller->x(nextDay), 120);
  EXPECT_EQ(controller->time(120), nextDay);
  EXPECT_EQ(controller->x(Time(kWeek - 1, kSaturday, 0)), -120);
  EXPECT_EQ(controller->width(TimeRange(nextDay, Time(kWeek, kTuesday, 12 * 3600))), 180);
  EXPECT_EQ(controller->totalDiagramHeaderSize().width, 7 * 120);
  EXPECT_EQ(controller->bounds(TimeRange(Time(kWeek, kTuesday, 0), nextDay), 1),
            Rectangle(120, 0, 120, 0));
}

TEST(HeaderControllerGeometry, OnlyWorkingTimeTakesRoom) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setVisibilitySchedule(ScheduleDefinition::standard());  // Mon-Fri 8-16
  const Time mondayMorning(kWeek, kMonday, 8 * 3600);
  EXPECT_EQ(controller->x(mondayMorning), 0);
  EXPECT_EQ(controller->x(Time(kWeek, kSunday, 12 * 3600)), 0);
  EXPECT_EQ(controller->x(Time(kWeek, kTuesday, 9 * 3600)), 9 * 2.5);
  // Positions at the end of a working day map to the next morning.
  EXPECT_EQ(controller->time(0), mondayMorning);
  EXPECT_EQ(controller->time(20), Time(kWeek, kTuesday, 8 * 3600));
  EXPECT_EQ(controller->time(10), Time(kWeek, kMonday, 12 * 3600));
  EXPECT_EQ(controller->totalDiagramHeaderSize().width, 5 * 8 * 2.5);

  controller->setViewport(Rectangle(20, 0, 40, 50));
  const TimeRange visible = controller->visibleTimeline();
  EXPECT_EQ(visible.start, Time(kWeek, kTuesday, 8 * 3600));
  EXPECT_EQ(visible.finish, Time(kWeek, kWednesday, 16 * 3600));  // 16 working hours
  EXPECT_EQ(controller->timeline(Rectangle(20, 5, 40, 5)).finish, visible.finish);
}

TEST(HeaderControllerGeometry, BoundsWithoutRowSpanTheHeaderAndAreNormalised) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setViewport(Rectangle(0, 0, 420, 50));
  const TimeRange backwards(Time(kWeek, kTuesday, 0), Time(kWeek, kMonday, 0));
  EXPECT_EQ(controller->bounds(backwards, std::nullopt), Rectangle(60, 0, 60, 50));
  EXPECT_EQ(controller->bounds(backwards, 1), Rectangle(60, 25, 60, 25));
}

// --- Degenerate input ---------------------------------------------------------------

TEST(HeaderControllerDegenerateInput, ZeroOrNonFiniteHourWidthMapsEverythingToTheStart) {
  for (double hourWidth : {0.0, kNaN, kInfinity}) {
    SCOPED_TRACE(hourWidth);
    auto controller = GanttChartHeaderController::create(kTimeline);
    controller->setViewport(Rectangle(100, 0, 420, 50));
    controller->setHourWidth(hourWidth);
    EXPECT_EQ(controller->actualHourWidth(), 0);
    EXPECT_EQ(controller->x(Time(kWeek, kTuesday, 0)), 0);
    EXPECT_EQ(controller->time(100), kTimeline.start);
    EXPECT_EQ(controller->visibleTimeline(), TimeRange(kTimeline.start, kTimeline.start));
    EXPECT_EQ(controller->totalDiagramHeaderSize().width, 0);
    // Period cells have no width and are left out; nothing stops or loops.
    EXPECT_TRUE(controller->cells().empty());
  }
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setZoom(kNaN);
  controller->setZoom(kNaN);  // NaN over NaN is no change
  EXPECT_EQ(controller->time(1e300), kTimeline.start);
}

TEST(HeaderControllerDegenerateInput, TinyHourWidthReachesTheEndOfTimeAtMost) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setHourWidth(1e-300);
  EXPECT_EQ(controller->time(1e6), Time::max());
  EXPECT_EQ(controller->time(-1e6), Time::min());
}

TEST(HeaderControllerDegenerateInput, RowOfSaturatesWithoutARowHeight) {
  auto controller = GanttChartHeaderController::create(kTimeline);  // viewport height 0
  EXPECT_EQ(controller->rowHeight(), 0);
  EXPECT_EQ(controller->row(10), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(controller->row(-10), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(controller->row(0), 0);
  controller->setViewport(Rectangle(0, 0, 100, 20));
  EXPECT_EQ(controller->row(kNaN), 0);
  EXPECT_EQ(controller->row(kInfinity), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(controller->row(1e300), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(controller->row(-1e300), std::numeric_limits<int64_t>::min());
}

TEST(HeaderControllerDegenerateInput, RefusesANonFiniteViewport) {
  Recorded r;
  r.take();
  r.controller->setViewport(Rectangle(kNaN, 0, 100, 20));
  r.controller->setViewport(Rectangle(0, 0, kInfinity, 20));
  EXPECT_TRUE(r.take().empty());
  EXPECT_EQ(r.controller->viewport(), Rectangle(0, 0, 420, 50));
}

TEST(HeaderControllerDegenerateInput, EmptyAndReversedTimelinesStayUsable) {
  auto controller = GanttChartHeaderController::create(TimeRange(kTimeline.start, kTimeline.start));
  controller->setViewport(Rectangle(0, 0, 420, 40));
  EXPECT_EQ(controller->totalDiagramHeaderSize().width, 0);
  EXPECT_FALSE(controller->cells().empty());  // the viewport still shows a week

  controller->setScrollableTimeline(TimeRange(kTimeline.finish, kTimeline.start));
  EXPECT_EQ(controller->totalDiagramHeaderSize().width, -420);
  EXPECT_EQ(controller->x(kTimeline.start), -420);
  EXPECT_EQ(controller->time(-420), kTimeline.start);
}

}  // namespace
}  // namespace vorlent
