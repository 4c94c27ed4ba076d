#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_drawing_testing.h"
#include "vorlent/controllers/content_observers.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/intervals/time_area_style_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::at;
using testing::kChartWeek;

// A week-long chart of one row (420 × 25 points with the extra row) whose
// viewport shows all of it.
struct Chart {
  std::shared_ptr<GanttChartContentController> controller = GanttChartContentController::create();

  Chart() {
    controller->setScrollableTimeline(TimeRange(at(kSunday), Time(kChartWeek + 1, kSunday, 0)));
    controller->setViewport(Rectangle(0, 0, 420, 250));
  }
};

std::vector<Rectangle> boundsOf(const std::vector<ScheduleTimeArea>& areas) {
  std::vector<Rectangle> result;
  for (const ScheduleTimeArea& area : areas) result.push_back(area.bounds());
  return result;
}

std::vector<Rectangle> boundsOf(const std::vector<TimeArea>& areas) {
  std::vector<Rectangle> result;
  for (const TimeArea& area : areas) result.push_back(area.bounds);
  return result;
}

std::shared_ptr<const TimeIntervalSelector> days() {
  return std::make_shared<PeriodSelector>(1, TimeUnit::days, Schedule::continuous(), at(kSunday));
}

std::shared_ptr<const TimeIntervalSelector> moments(std::optional<std::vector<Time>> times,
                                                    bool separating = false) {
  return std::make_shared<MomentPeriodSelector>(std::move(times), separating);
}

TimeAreaStyle styleNamed(double red) {
  TimeAreaStyle style;
  style.foregroundColor = Color(red, 0, 0, 1);
  return style;
}

double redOf(const std::optional<TimeAreaStyle>& style) {
  return style && style->foregroundColor ? style->foregroundColor->red : -1;
}

// --- Time scale ---------------------------------------------------------------------

TEST(ContentTimeScale, TheScheduleOfAnItemIsTheTimeScalesThenItsOwnThenTheManagers) {
  const auto own = Schedule::standard();
  const auto item = GanttChartItem::create({.label = "task", .schedule = own});
  const auto plain = GanttChartItem::create({.label = "plain"});
  auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{item, plain},
                                                       std::vector<GanttChartDependencyPtr>{},
                                                       Schedule::fullWeek());
  auto controller = GanttChartContentController::create(source);
  EXPECT_EQ(controller->timeScaleScheduleFor(item), own);
  EXPECT_EQ(controller->timeScaleScheduleFor(plain), source->schedule());
  EXPECT_EQ(controller->timeScaleScheduleForNewItems(), source->schedule());

  const auto scale = Schedule::fullDay();
  controller->setTimeScaleSchedule(scale);
  EXPECT_EQ(controller->timeScaleScheduleFor(item), scale);
  EXPECT_EQ(controller->timeScaleScheduleForNewItems(), scale);
}

TEST(ContentTimeScale, ATimeRangeCoversTheWholeHeightOfTheDiagram) {
  Chart chart;
  chart.controller->setDesiredScrollableRowCount(8);
  EXPECT_EQ(chart.controller->bounds(TimeRange(at(kMonday), at(kTuesday, 12))),
            Rectangle(60, 0, 90, 200));
  // Reversed: the same rectangle, standardised.
  EXPECT_EQ(chart.controller->bounds(TimeRange(at(kTuesday, 12), at(kMonday))),
            Rectangle(60, 0, 90, 200));
}

// --- Schedule areas ------------------------------------------------------------------

TEST(ContentScheduleAreas, NoHighlightersNoAreas) {
  Chart chart;
  EXPECT_THAT(chart.controller->highlightedScheduleAreas(), IsEmpty());
  EXPECT_THAT(chart.controller->highlightedScheduleAreas(Rectangle(0, 0, 420, 25)), IsEmpty());
  EXPECT_THAT(chart.controller->highlightedIntervalAreas(), IsEmpty());
  EXPECT_THAT(chart.controller->highlightedIntervalAreas(Rectangle(0, 0, 420, 25)), IsEmpty());
}

TEST(ContentScheduleAreas, OneAreaPerStretchOfTheVisibleWeekInHighlighterOrder) {
  Chart chart;
  chart.controller->setDesiredScrollableRowCount(4);
  chart.controller->setScheduleHighlighters(
      {ScheduleTimeSelector(ScheduleTimeType::weekends),
       ScheduleTimeSelector::timesOf(std::make_shared<Schedule>(
           WeekRange(kWednesday, kWednesday), DayRange(8 * secondsPerHour, 12 * secondsPerHour)))});
  EXPECT_THAT(boundsOf(chart.controller->highlightedScheduleAreas()),
              ElementsAre(Rectangle(0, 0, 60, 100), Rectangle(360, 0, 60, 100),
                          Rectangle(200, 0, 10, 100)));
}

TEST(ContentScheduleAreas, InARectangleAreThoseAboveItReachingDownWithoutEnd) {
  Chart chart;
  chart.controller->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::weekends)});
  // Far below the diagram's single row, over Saturday.
  EXPECT_THAT(boundsOf(chart.controller->highlightedScheduleAreas(Rectangle(300, 900, 60, 10))),
              ElementsAre(Rectangle(360, 0, 60, 25)));
  EXPECT_THAT(chart.controller->highlightedScheduleAreas(Rectangle(300, -20, 59, 10)), IsEmpty());
  EXPECT_THAT(chart.controller->highlightedScheduleAreas(Rectangle(100, 0, 100, 25)), IsEmpty());
}

TEST(ContentScheduleAreas, AreComputedOverTheVisibleTimelineOnly) {
  Chart chart;
  chart.controller->setViewport(Rectangle(90, 0, 60, 250));  // Monday 12:00 to Tuesday 12:00
  chart.controller->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::workdays)});
  EXPECT_THAT(boundsOf(chart.controller->highlightedScheduleAreas()),
              ElementsAre(Rectangle(90, 0, 10, 25), Rectangle(140, 0, 10, 25)));
}

// A century zoomed to fit: areas that would share a point are merged (the
// shading) or left out (periods narrower than a point), so a pass never
// lays out more of them than the view is wide.
TEST(ContentScheduleAreas, ACenturyInViewGivesNoMoreAreasThanTheViewIsWide) {
  // A century, and a sentinel date far in the future, zoomed to fit.
  for (const int64_t lastYear : {2100, 9999}) {
    auto controller = GanttChartContentController::create();
    const TimeRange timeline(Time::fromYearMonthDay(2000, 1, 1, 0, 0, 0),
                             Time::fromYearMonthDay(lastYear, 1, 1, 0, 0, 0));
    controller->setScrollableTimeline(timeline);
    controller->setHourWidth(1600 / (timeline.duration() / secondsPerHour));
    controller->setViewport(Rectangle(0, 0, 1600, 500));
    controller->setScheduleHighlighters({ScheduleTimeSelector::timeoutsOf(Schedule::standard()),
                                         ScheduleTimeSelector(ScheduleTimeType::weekends)});
    controller->setIntervalHighlighters(
        {TimeSelector(TimeIntervalType::weeks()), TimeSelector(TimeIntervalType::days())});
    const std::size_t bound = 2 * (1600 + 2);
    EXPECT_LE(controller->highlightedScheduleAreas().size(), bound) << lastYear;
    EXPECT_GE(controller->highlightedScheduleAreas().size(), 2u) << lastYear;
    EXPECT_LE(controller->highlightedIntervalAreas().size(), bound) << lastYear;
  }
}

// An ordinary working calendar drawn at random: a run of working days,
// from two to ten working hours a day, and a few breaks, some of them
// leaving minutes of work between them.
std::shared_ptr<Schedule> randomCalendar(std::mt19937& random) {
  const auto draw = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int firstDay = draw(0, 2);
  const int lastDay = draw(firstDay + 2, 6);
  const double opens = draw(0, 14 * 4) * 900.0;
  const double closes = opens + draw(2 * 4, 10 * 4) * 900.0;
  std::vector<TimeRange> breaks;
  for (int count = draw(0, 6); count > 0; --count) {
    const Time start = at(draw(0, 6) + 7 * draw(0, 6), opens / 3600 + draw(0, 60) / 10.0);
    breaks.emplace_back(start, start.addingMinutes(draw(1, 90)));
  }
  return std::make_shared<Schedule>(WeekRange(firstDay, lastDay), DayRange(opens, closes),
                                    std::move(breaks));
}

// Whether `x` is one of `edges`, but for rounding.
bool nearOneOf(const std::set<double>& edges, double x) {
  const auto after = edges.lower_bound(x - 1e-6);
  return after != edges.end() && *after <= x + 1e-6;
}

// Where the view holds fewer stretches than it is wide in points, the areas
// are one per stretch, as the calendar lists them; only more crowded views
// merge, and a merged area still starts and ends where stretches do.
TEST(ContentScheduleAreas, AreTheCalendarsStretchesUnlessTheyOutnumberThePoints) {
  std::size_t plainViews = 0;
  std::size_t crowdedViews = 0;
  for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
    std::mt19937 random(seed);
    const std::shared_ptr<Schedule> calendar = randomCalendar(random);
    auto controller = GanttChartContentController::create();
    controller->setScrollableTimeline(TimeRange(at(kSunday), at(kSunday + 7 * 8)));
    if (random() % 2 == 0) {  // nights and weekends hidden
      const double opens = std::uniform_int_distribution<int>(4, 9)(random) * 3600.0;
      const double closes = std::uniform_int_distribution<int>(16, 22)(random) * 3600.0;
      controller->setVisibilitySchedule(
          std::make_shared<Schedule>(WeekRange::standard(), DayRange(opens, closes)));
    }
    controller->setHourWidth(std::pow(10.0, std::uniform_real_distribution<>(-1.7, 1.6)(random)));
    const double width = std::uniform_real_distribution<>(50, 1200)(random);
    const double left = std::uniform_real_distribution<>(0, 1)(random) *
                        std::max(0.0, controller->totalDiagramSize().width - width);
    controller->setViewport(Rectangle(left, 0, width, 100));
    controller->setScheduleHighlighters(
        {ScheduleTimeSelector::timeoutsOf(calendar), ScheduleTimeSelector::timesOf(calendar)});
    const TimeRange visible = controller->visibleTimeline();
    const double points = controller->x(visible.finish) - controller->x(visible.start);
    const std::vector<ScheduleTimeArea> areas = controller->highlightedScheduleAreas();
    for (const bool timeouts : {true, false}) {
      std::vector<Rectangle> expected;
      for (const TimeRange& stretch :
           timeouts ? calendar->timeouts(visible) : calendar->times(visible)) {
        expected.push_back(controller->bounds(stretch));
      }
      std::vector<Rectangle> shown;
      for (const ScheduleTimeArea& area : areas) {
        if (area.selector().forTimeouts == timeouts) shown.push_back(area.bounds());
      }
      if (static_cast<double>(expected.size()) < points) {
        ++plainViews;
        EXPECT_EQ(shown, expected) << "seed " << seed << (timeouts ? " timeouts" : " times");
        continue;
      }
      ++crowdedViews;
      EXPECT_LE(static_cast<double>(shown.size()), points + 2) << "seed " << seed;
      std::set<double> starts;
      std::set<double> finishes;
      for (const Rectangle& stretch : expected) {
        starts.insert(stretch.left());
        finishes.insert(stretch.right());
      }
      for (const Rectangle& area : shown) {
        EXPECT_TRUE(nearOneOf(starts, area.left())) << "seed " << seed << " at " << area.left();
        EXPECT_TRUE(nearOneOf(finishes, area.right())) << "seed " << seed << " to " << area.right();
      }
    }
  }
  EXPECT_GT(plainViews, 1000u);
  EXPECT_GT(crowdedViews, 100u);
}

// --- Interval areas ------------------------------------------------------------------

TEST(ContentIntervalAreas, ALabelledAreaPerIntervalOfEachHighlighter) {
  Chart chart;
  TimeSelector daily(days(), std::make_shared<TimeLabelSource>([](const TimeRange& interval) {
                       return std::optional<std::string>("day " +
                                                         std::to_string(interval.start.dayOfWeek));
                     }));
  TimeSelector noon(moments(std::vector<Time>{at(kWednesday, 12)}));
  chart.controller->setIntervalHighlighters({daily, noon});
  const std::vector<TimeArea> areas = chart.controller->highlightedIntervalAreas();
  ASSERT_EQ(areas.size(), 8U);
  EXPECT_EQ(areas[1].label, "day 1");
  EXPECT_EQ(areas[1].interval, TimeRange(at(kMonday), at(kTuesday)));
  EXPECT_EQ(areas[1].bounds, Rectangle(60, 0, 60, 25));
  // The moment: no width, no label.
  EXPECT_EQ(areas[7].bounds, Rectangle(210, 0, 0, 25));
  EXPECT_EQ(areas[7].label, std::nullopt);
}

TEST(ContentIntervalAreas, PeriodsInHiddenTimeHaveNoAreaWhileMomentsThereKeepTheirs) {
  Chart chart;
  // Working hours only, Monday to Friday, 8 to 16, with a holiday on
  // Wednesday: 20 points per working day.
  chart.controller->setVisibilitySchedule(
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(),
                                 std::vector<TimeRange>{TimeRange(at(kWednesday), at(kThursday))}));
  chart.controller->setViewport(Rectangle(0, 0, 80, 250));
  // Looked through an enclosing selector, days are still periods.
  TimeSelector daily(std::make_shared<EnclosedTimeIntervalSelector>(days()));
  daily.context = std::string("days");
  TimeSelector holidayNoon(moments(std::vector<Time>{at(kWednesday, 12)}));
  chart.controller->setIntervalHighlighters({daily, holidayNoon});
  std::vector<TimeRange> intervals;
  for (const TimeArea& area : chart.controller->highlightedIntervalAreas()) {
    intervals.push_back(area.interval);
  }
  // Enclosed: cut to the visible timeline, Monday 8:00 to Friday 16:00.
  EXPECT_THAT(intervals, ElementsAre(TimeRange(at(kMonday, 8), at(kTuesday)),
                                     TimeRange(at(kTuesday), at(kWednesday)),
                                     TimeRange(at(kThursday), at(kFriday)),
                                     TimeRange(at(kFriday), at(kFriday, 16)),
                                     TimeRange(at(kWednesday, 12), at(kWednesday, 12))));
  EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
              ElementsAre(Rectangle(0, 0, 20, 25), Rectangle(20, 0, 20, 25),
                          Rectangle(40, 0, 20, 25), Rectangle(60, 0, 20, 25),
                          Rectangle(40, 0, 0, 25)));
}

TEST(ContentIntervalAreas, TakeTheFirstStyleFoundForEachInterval) {
  Chart chart;
  auto chooser = [](double red, const TimeRange& only) {
    return std::make_shared<TimeAreaStyleSource>(
        [red, only](const TimeRange& interval, const TimeSelector&) -> std::optional<TimeAreaStyle> {
          if (!(interval == only)) return std::nullopt;
          return styleNamed(red);
        });
  };
  const TimeRange monday(at(kMonday), at(kTuesday));
  const TimeRange tuesday(at(kTuesday), at(kWednesday));
  const TimeRange wednesday(at(kWednesday), at(kThursday));
  TimeSelector own(days());
  own.styleSelector = chooser(0.1, monday);
  own.style = styleNamed(0.2);
  TimeSelector plain(days());
  GanttChartContentStyle style;
  style.timeAreaStyleSelector = chooser(0.3, tuesday);
  style.timeAreaStyle = styleNamed(0.4);
  chart.controller->setStyle(style);
  chart.controller->setIntervalHighlighters({own, plain});
  const std::vector<TimeArea> areas = chart.controller->highlightedIntervalAreas();
  ASSERT_EQ(areas.size(), 14U);
  EXPECT_EQ(redOf(areas[1].style), 0.1);  // the highlighter's selector
  EXPECT_EQ(redOf(areas[2].style), 0.2);  // its own style
  EXPECT_EQ(redOf(areas[9].style), 0.3);  // the chart style's selector
  EXPECT_EQ(redOf(areas[10].style), 0.4);  // the chart style's time-area style
  ASSERT_EQ(areas[10].interval, wednesday);

  GanttChartContentStyle withoutStyle;
  chart.controller->setStyle(withoutStyle);
  chart.controller->settingsDidChange();
  EXPECT_EQ(chart.controller->highlightedIntervalAreas()[10].style, std::nullopt);
}

TEST(ContentIntervalAreas, AHostMayAssignTheHighlightersWhileTheyAreEvaluated) {
  Chart chart;
  std::weak_ptr<GanttChartContentController> weak = chart.controller;
  auto clearing = std::make_shared<TimeLabelSource>([weak](const TimeRange&) {
    if (auto controller = weak.lock()) controller->setIntervalHighlighters({});
    return std::optional<std::string>("day");
  });
  chart.controller->setIntervalHighlighters({TimeSelector(days(), clearing), TimeSelector(days())});
  // The areas of the highlighters in force when they were asked for.
  EXPECT_EQ(chart.controller->highlightedIntervalAreas().size(), 14U);
  EXPECT_THAT(chart.controller->intervalHighlighters(), IsEmpty());
}

TEST(ContentIntervalAreas, AreasOpenToTheEndsOfTimeStopBeyondTheVisibleTimeline) {
  Chart chart;
  chart.controller->setIntervalHighlighters(
      {TimeSelector(moments(std::vector<Time>{at(kWednesday, 12)}, true))});
  // The viewport is 420 points wide: the areas reach as far again beyond it.
  EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
              ElementsAre(Rectangle(-420, 0, 630, 25), Rectangle(210, 0, 630, 25)));
  // Scrolled on past the moment, the one stretch left follows the viewport.
  chart.controller->setViewport(Rectangle(420, 0, 420, 250));
  EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
              ElementsAre(Rectangle(0, 0, 1260, 25)));
}

TEST(ContentIntervalAreas, AreKeptPerViewportAndRecomputedAfterTheHighlightersChange) {
  Chart chart;
  struct Observer : GanttChartContentObserver {
    int intervalAreasChanges = 0;
    void highlightedIntervalAreasDidChange() override { ++intervalAreasChanges; }
  };
  auto observer = std::make_shared<Observer>();
  chart.controller->setObserver(observer);
  ScopedClock tuesday(makeDate(at(kTuesday, 10.5)));
  const TimeSelector now(moments(std::nullopt));
  chart.controller->setIntervalHighlighters({now});
  chart.controller->setIntervalHighlighters({now});  // equal, still told
  EXPECT_EQ(observer->intervalAreasChanges, 2);
  EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
              ElementsAre(Rectangle(146.25, 0, 0, 25)));
  {
    // Outside a drawing pass the viewport's areas stay as computed.
    ScopedClock later(makeDate(at(kTuesday, 12)));
    EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
                ElementsAre(Rectangle(146.25, 0, 0, 25)));
    chart.controller->setIntervalHighlighters({now});
    EXPECT_THAT(boundsOf(chart.controller->highlightedIntervalAreas()),
                ElementsAre(Rectangle(150, 0, 0, 25)));
  }
}

}  // namespace
}  // namespace vorlent
