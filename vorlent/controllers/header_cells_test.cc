#include <gtest/gtest.h>

#include <any>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

constexpr int64_t kWeek = 1200;  // Sunday 31 December 2023 to 7 January 2024
const TimeRange kTimeline(Time(kWeek, kSunday, 0), Time(kWeek + 1, kSunday, 0));
const Locale kEnglish("en_US");

Time day(int64_t dayOfWeek, double hours = 0) { return Time(kWeek, dayOfWeek, hours * 3600); }

// A selector of whole days that counts how often it is asked.
struct CountingDays {
  std::shared_ptr<int> calls = std::make_shared<int>(0);
  std::shared_ptr<const TimeIntervalSelector> selector;

  CountingDays() {
    auto days = TimeSelector(TimeIntervalType::days()).intervalSelector;
    selector = std::make_shared<TimeIntervalSource>([calls = calls, days](const TimeRange& r) {
      ++*calls;
      return days->times(r);
    });
  }
};

TimeSelector named(TimeSelector selector, std::string name) {
  selector.context = std::move(name);
  return selector;
}

std::string nameOf(const GanttChartHeaderCell& cell) {
  return std::any_cast<std::string>(cell.area.selector.context);
}

std::shared_ptr<GanttChartHeaderController> controllerWith(std::vector<GanttChartHeaderRow> rows,
                                                           Rectangle viewport = Rectangle(0, 0, 420,
                                                                                          40)) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setRows(std::move(rows));
  controller->setViewport(viewport);
  return controller;
}

TEST(HeaderCells, ComeRowByRowAndSelectorBySelectorWithLabelsAndBounds) {
  const TimeSelector weeks = named(TimeSelector(TimeIntervalType::weeks(), "w", kEnglish), "weeks");
  const TimeSelector noon =
      named(TimeSelector(TimeIntervalType::time(day(kMonday, 12), false), TimeLabelFormat::none()),
            "noon");
  const TimeSelector days =
      named(TimeSelector(TimeIntervalType::days(), TimeLabelFormat::dayOfWeekShortAbbreviation(),
                         kEnglish),
            "days");
  // Show Sunday noon to Tuesday noon.
  auto controller =
      controllerWith({GanttChartHeaderRow(std::vector{weeks, noon}), GanttChartHeaderRow(days)},
                     Rectangle(30, 0, 120, 40));
  const std::vector<GanttChartHeaderCell> cells = controller->cells();
  std::vector<std::string> seen;
  for (const GanttChartHeaderCell& cell : cells) {
    seen.push_back(nameOf(cell) + ":" + cell.area.label.value_or("-"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"weeks:1", "noon:", "days:S", "days:M", "days:T"}));
  EXPECT_EQ(cells[0].area.bounds, Rectangle(0, 0, 420, 20));
  EXPECT_EQ(cells[1].area.bounds, Rectangle(90, 0, 0, 20));  // a moment has no width
  EXPECT_EQ(cells[3].area.bounds, Rectangle(60, 20, 60, 20));
  EXPECT_EQ(cells[3].area.interval, TimeRange(day(kMonday), day(kTuesday)));
  EXPECT_EQ(std::any_cast<std::string>(cells[1].area.selector.context), "noon");
  EXPECT_EQ(cells[1].row.selectors.size(), 2u);  // the cell keeps its whole row
}

TEST(HeaderCells, PeriodCellsWithoutWidthAreLeftOutButMomentsStay) {
  const TimeSelector days = named(TimeSelector(TimeIntervalType::days()), "days");
  const TimeSelector enclosedDays =
      named(TimeSelector(TimeIntervalType::visibleTimeline(TimeIntervalType::days())), "enclosed");
  const TimeSelector evening = named(
      TimeSelector(TimeIntervalType::time(day(kWednesday, 20), false), TimeLabelFormat::none()),
      "moment");
  auto controller = controllerWith({GanttChartHeaderRow(std::vector{days, enclosedDays, evening})});
  controller->setVisibilitySchedule(ScheduleDefinition::standard());
  controller->setViewport(Rectangle(0, 0, 100, 40));  // all five working days
  std::vector<std::string> seen;
  for (const GanttChartHeaderCell& cell : controller->cells()) {
    seen.push_back(nameOf(cell));
  }
  // Sunday and Saturday take no room: only the five working days remain of
  // both period selectors, while the moment in Wednesday's evening is kept.
  EXPECT_EQ(seen,
            (std::vector<std::string>{"days", "days", "days", "days", "days", "enclosed",
                                      "enclosed", "enclosed", "enclosed", "enclosed", "moment"}));
}

TEST(HeaderCells, InARectangleKeepsThoseThatMeetItTouchingIncluded) {
  auto controller = controllerWith({GanttChartHeaderRow(TimeSelector(TimeIntervalType::days()))});
  // Days are 60 points wide; the rectangle touches Monday's right edge.
  const std::vector<GanttChartHeaderCell> cells = controller->cells(Rectangle(70, 5, 50, 1));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].area.interval.start, day(kMonday));
  EXPECT_EQ(cells[1].area.interval.start, day(kTuesday));
  EXPECT_TRUE(controller->cells(Rectangle(0, 41, 400, 5)).empty());
}

TEST(HeaderCells, BadRowsGiveWhatCanBeShown) {
  TimeSelector missing(TimeIntervalType::days());
  missing.intervalSelector = nullptr;
  const TimeSelector nothing(std::make_shared<TimeIntervalSource>(nullptr));
  const TimeSelector emptyLabels(
      TimeIntervalType::weeks(),
      std::make_shared<TimeLabelSource>([](const TimeRange&) { return std::string(); }));
  auto controller = controllerWith(
      {GanttChartHeaderRow(std::vector<TimeSelector>{}),
       GanttChartHeaderRow(std::vector{missing, nothing}), GanttChartHeaderRow(emptyLabels)},
      // wider than the one-week timeline
      Rectangle(-100, 0, 1000, 60));
  const std::vector<GanttChartHeaderCell> cells = controller->cells();
  ASSERT_EQ(cells.size(), 4u);  // four weeks reach into the viewport
  for (const GanttChartHeaderCell& cell : cells) {
    EXPECT_EQ(cell.area.label, std::optional<std::string>(""));
    EXPECT_EQ(cell.area.bounds.top(), 40);
  }
  EXPECT_EQ(cells[0].area.bounds.left(), -420);
  EXPECT_EQ(cells[3].area.bounds.left(), 840);
}

// --- Cell styles ------------------------------------------------------------------------

TimeAreaStyle styleNamed(double shade) {
  TimeAreaStyle style;
  style.backgroundColor = Color(shade, shade, shade, 1);
  return style;
}

TEST(HeaderCellStyles, TheFirstSourceWithAStyleWinsWhole) {
  // Sources in precedence order, each giving a different shade: the
  // selector's style selector, the selector's style, the row's style
  // selector, the row's cell style, the header's cell style selector and the
  // header's cell style. Each case removes the winner before it.
  for (int winner = 0; winner < 6; ++winner) {
    SCOPED_TRACE(winner);
    auto answering = [](double shade, bool answers) {
      return [shade, answers](auto&&...) -> std::optional<TimeAreaStyle> {
        return answers ? std::optional(styleNamed(shade)) : std::nullopt;
      };
    };
    TimeSelector selector(TimeIntervalType::weeks());
    // A style selector that answers nothing lets the next source speak.
    selector.styleSelector = std::make_shared<TimeAreaStyleSource>(answering(0.0, winner <= 0));
    if (winner <= 1) selector.style = styleNamed(0.1);
    GanttChartHeaderRow row(selector);
    row.styleSelector =
        std::make_shared<GanttChartHeaderCellStyleSource>(answering(0.2, winner <= 2));
    if (winner <= 3) row.cellStyle = styleNamed(0.3);
    auto controller = controllerWith({row});
    GanttChartHeaderStyle header;
    header.cellStyleSelector =
        std::make_shared<GanttChartHeaderCellStyleSource>(answering(0.4, winner <= 4));
    header.cellStyle = styleNamed(0.5);
    controller->setStyle(header);

    const std::vector<GanttChartHeaderCell> cells = controller->cells();
    ASSERT_EQ(cells.size(), 1u);
    ASSERT_TRUE(cells[0].area.style);
    EXPECT_DOUBLE_EQ(cells[0].area.style->backgroundColor->red, 0.1 * winner);
  }
}

TEST(HeaderCellStyles, NoSourceLeavesTheCellUnstyled) {
  auto controller = controllerWith({GanttChartHeaderRow(TimeSelector(TimeIntervalType::weeks()))});
  ASSERT_EQ(controller->cells().size(), 1u);
  EXPECT_FALSE(controller->cells()[0].area.style);
}

// --- Row selector -------------------------------------------------------------------------

TEST(HeaderRowSelector, ChoosesRowsByTheActualHourWidth) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setViewport(Rectangle(0, 0, 420, 60));
  std::vector<double> askedWith;
  const std::vector<GanttChartHeaderRow> three(3, GanttChartHeaderRow(TimeIntervalType::weeks()));
  controller->setRowSelector(std::make_shared<GanttChartHeaderRowSource>(
      [&](double hourWidth) -> std::optional<std::vector<GanttChartHeaderRow>> {
        askedWith.push_back(hourWidth);
        if (hourWidth > 4) return std::nullopt;  // keep the stored rows
        return three;
      }));
  controller->setZoom(1.2);
  EXPECT_EQ(controller->rowCount(), 3);
  EXPECT_EQ(controller->rowHeight(), 20);
  EXPECT_EQ(controller->cells().size(), 3u);
  EXPECT_EQ(askedWith.back(), 3);
  controller->setZoom(2);
  EXPECT_EQ(controller->rowCount(), 2);
  EXPECT_EQ(controller->rows().size(), 2u);
}

// --- Highlighted schedule areas -----------------------------------------------------------

TEST(HeaderScheduleAreas, CoverTheWholeHeightOfEachSelectedInterval) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setViewport(Rectangle(0, 0, 420, 40));
  ScheduleTimeSelector weekends(ScheduleTimeType::weekends);
  ScheduleTimeSelector workdays(ScheduleTimeType::workdays);
  ScheduleTimeSelector noSchedule = ScheduleTimeSelector::timesOf(nullptr);
  controller->setScheduleHighlighters({weekends, noSchedule, workdays});
  const std::vector<ScheduleTimeArea> areas = controller->highlightedScheduleAreas();
  ASSERT_EQ(areas.size(), 2u + 5u);
  EXPECT_EQ(areas[0].bounds(), Rectangle(0, 0, 60, 40));    // Sunday
  EXPECT_EQ(areas[1].bounds(), Rectangle(360, 0, 60, 40));  // Saturday
  EXPECT_TRUE(areas[0].selector().forTimeouts);
  EXPECT_EQ(areas[2].bounds(), Rectangle(60 + 20, 0, 20, 40));  // Monday 8-16
  EXPECT_FALSE(areas[2].selector().forTimeouts);

  // Friday's working hours end at 340 and Saturday starts at 360: touching
  // edges count, and the list keeps its order.
  const std::vector<ScheduleTimeArea> inside =
      controller->highlightedScheduleAreas(Rectangle(340, 0, 20, 10));
  ASSERT_EQ(inside.size(), 2u);
  EXPECT_EQ(inside[0].bounds().left(), 360);
  EXPECT_EQ(inside[1].bounds().left(), 320);
}

// However small the hour width, a pass lays out no more cells and areas
// than the header is wide in points: cells narrower than a point are left
// out, and stretches that share a point are merged.
TEST(HeaderCells, AreBoundedByTheWidthWhateverTheHourWidth) {
  auto controller = GanttChartHeaderController::create(kTimeline);  // weeks over days
  controller->setViewport(Rectangle(0, 0, 1600, 40));
  controller->setScheduleHighlighters({ScheduleTimeSelector::timeoutsOf(Schedule::standard()),
                                       ScheduleTimeSelector(ScheduleTimeType::workdays)});
  auto presenter = std::make_shared<testing::RecordingHeaderPresenter>();
  controller->setPresenter(presenter);
  const std::size_t bound = 1600 + 2;
  for (const double hourWidth : {0.01, 1e-300, -3.0}) {  // 18 years, all of time, nonsense
    controller->setHourWidth(hourWidth);
    EXPECT_LE(controller->cells().size(), 2 * bound) << hourWidth;
    EXPECT_LE(controller->highlightedScheduleAreas().size(), 2 * bound) << hourWidth;
    EXPECT_GE(controller->actualHourWidth(), 0) << hourWidth;
    presenter->calls.clear();
    controller->draw(controller->viewport());
    EXPECT_LE(presenter->calls.size(), 8 * bound) << hourWidth;
  }
  // Where a day is wider than a point nothing changes: five nights and the
  // weekend of this week, and all its days.
  controller->setHourWidth(1);
  controller->setViewport(Rectangle(0, 0, 168, 40));
  controller->setScheduleHighlighters({ScheduleTimeSelector::timeoutsOf(Schedule::standard())});
  EXPECT_EQ(controller->highlightedScheduleAreas().size(), 6u);
  EXPECT_EQ(controller->cells().size(), 1u + 7u);
  // A calendar that never works is one stretch of non-working time.
  controller->setScheduleHighlighters({ScheduleTimeSelector::timeoutsOf(
      std::make_shared<Schedule>(WeekRange::standard(), DayRange(0, 0)))});
  ASSERT_EQ(controller->highlightedScheduleAreas().size(), 1u);
  EXPECT_EQ(controller->highlightedScheduleAreas()[0].bounds().width(), 168);
}

// A scroll may leave the view's start a rounding error before (or after)
// a whole second; the cells must stay bounded by the width all the same.
TEST(HeaderCells, StayBoundedByTheWidthWhereverTheViewStarts) {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setRows({GanttChartHeaderRow(TimeIntervalType::seconds())});
  controller->setHourWidth(2.5);
  for (const double hours : {18.8, 7.0}) {
    const double whole = controller->x(day(kMonday, hours));
    for (const double nudge : {-1e-11, -1e-12, 0.0, 1e-12}) {
      controller->setViewport(Rectangle(whole + nudge, 0, 800, 40));
      EXPECT_LE(controller->cells().size(), 2u * 800u + 2u) << hours << "h " << nudge;
    }
    double left = whole;
    for (int ulps = 1; ulps <= 4; ++ulps) {
      left = std::nextafter(left, 0.0);
      controller->setViewport(Rectangle(left, 0, 800, 40));
      EXPECT_LE(controller->cells().size(), 2u * 800u + 2u) << hours << "h -" << ulps << " ulp";
    }
  }
}

// Some 70,000 years before the present, where the selectors' grids are laid
// from, a scroll by whole pixels may leave the view's start a rounding error
// before a whole minute, closer to it than the selectors can tell apart. The
// cells must stay bounded by the width all the same, as many as a view at the
// timeline's start shows.
TEST(HeaderCells, StayBoundedByTheWidthFarFromTheTimelinesStart) {
  auto controller = GanttChartHeaderController::create(TimeRange(Time::min(), Time::max()));
  controller->setRows({GanttChartHeaderRow(TimeIntervalType::minutes(1)),
                       GanttChartHeaderRow(TimeIntervalType::seconds(1))});
  constexpr double kWidth = 562;
  const auto bound = static_cast<std::size_t>(2 * (2 * kWidth + 2));
  // Minutes are a twenty-fourth of a point, then ten points wide; seconds
  // always narrower than a point.
  for (const double hourWidth : {2.5, 600.0}) {
    controller->setHourWidth(hourWidth);
    controller->setViewport(Rectangle(0, 0, kWidth, 36));
    const std::size_t nearStart = controller->cells().size();
    // Whole pixels stand for whole multiples of 24 minutes at the first
    // width; some of them map to a time a hair before one.
    std::vector<double> lefts{1.87349219e8};
    for (int pixel = 0; pixel < 8; ++pixel) lefts.push_back(176160768 + pixel);
    for (double& left : lefts) left *= hourWidth / 2.5;
    for (const double left : lefts) {
      controller->setViewport(Rectangle(left, 0, kWidth, 36));
      const std::size_t count = controller->cells().size();
      EXPECT_LE(count, bound) << hourWidth << " at " << left;
      // A minute starting or finishing in the view may add a cell.
      EXPECT_NEAR(static_cast<double>(count), static_cast<double>(nearStart), 1)
          << hourWidth << " at " << left;
    }
  }
}

// --- Caches ------------------------------------------------------------------------------

TEST(HeaderCaches, EvaluateSelectorsOncePerViewport) {
  CountingDays days;
  auto controller = controllerWith({GanttChartHeaderRow(TimeSelector(days.selector))});
  controller->cells();
  controller->cells(Rectangle(0, 0, 10, 10));
  controller->cells();
  EXPECT_EQ(*days.calls, 1);

  // Scrolling sideways keeps the lists of the viewports seen recently.
  controller->setViewport(Rectangle(60, 0, 420, 40));
  controller->cells();
  controller->setViewport(Rectangle(0, 0, 420, 40));
  EXPECT_EQ(controller->cells().front().area.interval.start, day(kSunday));
  EXPECT_EQ(*days.calls, 2);

  // A new height changes every row's bounds: the lists are rebuilt.
  controller->setViewport(Rectangle(0, 0, 420, 30));
  EXPECT_EQ(controller->cells().front().area.bounds.height(), 30);
  EXPECT_EQ(*days.calls, 3);

  controller->settingsDidChange();
  controller->cells();
  EXPECT_EQ(*days.calls, 4);
}

TEST(HeaderCaches, KeepOnlyAFewRecentViewports) {
  CountingDays days;
  auto controller = controllerWith({GanttChartHeaderRow(TimeSelector(days.selector))});
  controller->cells();
  for (int step = 1; step <= 100; ++step) {
    controller->setViewport(Rectangle(step, 0, 420, 40));
    controller->cells();
  }
  EXPECT_EQ(*days.calls, 101);
  controller->setViewport(Rectangle(99, 0, 420, 40));  // recent: still cached
  controller->cells();
  EXPECT_EQ(*days.calls, 101);
  controller->setViewport(Rectangle(0, 0, 420, 40));  // long gone: built again
  EXPECT_EQ(controller->cells().front().area.bounds, Rectangle(0, 0, 60, 40));
  EXPECT_EQ(*days.calls, 102);
}

}  // namespace
}  // namespace vorlent
