#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_controller_testing.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::hours;
using testing::kWeek;
using testing::makeItem;
using testing::on;
using testing::sameFields;

double gap(const Time& a, const Time& b) { return TimeRange(a, b).duration(); }

// A controller over one item on row 3 (Monday 8:00 to Wednesday 16:00, half
// done) that spans the timeline from Sunday 0:00 for four weeks.
class ContentGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    item = makeItem("A", 3, on(kMonday, 8), on(kWednesday, 16));
    item->setCompletion(0.5);
    controller = GanttChartContentController::create({item});
    controller->setScrollableTimeline(timeline);
  }

  ScopedClock clock{makeDate(on(kThursday, 12, 0, kWeek + 10))};
  TimeRange timeline{on(kSunday, 0), on(kSunday, 0, 0, kWeek + 4)};
  GanttChartItemPtr item;
  std::shared_ptr<GanttChartContentController> controller;
};

TEST_F(ContentGeometryTest, ContinuousTimeIsElapsedHoursAtTheHourWidth) {
  EXPECT_EQ(controller->x(on(kSunday, 0)), 0);
  EXPECT_EQ(controller->x(on(kMonday, 0)), 24 * 2.5);
  EXPECT_EQ(controller->x(on(kSaturday, 12, 0, kWeek - 1)), -12 * 2.5);
  EXPECT_EQ(controller->width(TimeRange(on(kMonday, 0), on(kMonday, 10))), 25);
  EXPECT_EQ(controller->width(TimeRange(on(kMonday, 10), on(kMonday, 0))), -25);
  EXPECT_TRUE(sameFields(controller->time(60), on(kMonday, 0)));
  EXPECT_EQ(controller->time(-30), on(kSaturday, 12, 0, kWeek - 1));
  EXPECT_EQ(controller->startX(item), 32 * 2.5);
  EXPECT_EQ(controller->finishX(item), (3 * 24 + 16) * 2.5);
  // Half of 56 hours done: 28 hours after Monday 8:00.
  EXPECT_EQ(controller->completionX(item), (32 + 28) * 2.5);
  EXPECT_EQ(controller->totalDiagramSize().width, 4 * 7 * 24 * 2.5);
}

TEST_F(ContentGeometryTest, ZoomScalesPositionsAndTheTimeUnderThem) {
  const Time moment = on(kThursday, 6, 30, kWeek + 1);
  const double before = controller->x(moment);
  const double workBefore = ScheduleDefinition::continuous()->duration(timeline.start,
                                                                        controller->time(300));
  controller->setZoom(2);
  EXPECT_EQ(controller->actualHourWidth(), 5);
  EXPECT_EQ(controller->x(moment), 2 * before);
  EXPECT_DOUBLE_EQ(
      ScheduleDefinition::continuous()->duration(timeline.start, controller->time(300)),
      workBefore / 2);
}

TEST_F(ContentGeometryTest, RowsStackDownwardsFromRowZero) {
  EXPECT_EQ(controller->top(3), 75);
  EXPECT_EQ(controller->middle(3), 87.5);
  EXPECT_EQ(controller->bottom(3), 100);
  EXPECT_EQ(controller->topY(item), 75);
  EXPECT_EQ(controller->middleY(item), 87.5);
  EXPECT_EQ(controller->bottomY(item), 100);
  EXPECT_EQ(controller->row(0), 0);
  EXPECT_EQ(controller->row(24.99), 0);
  EXPECT_EQ(controller->row(25), 1);
  // Above row 0 the rows are negative; callers clamp where they need to.
  EXPECT_EQ(controller->row(-0.01), -1);
  EXPECT_EQ(controller->row(-25), -1);
  EXPECT_EQ(controller->row(-25.01), -2);
  EXPECT_EQ(controller->top(-2), -50);
}

TEST_F(ContentGeometryTest, HiddenTimeTakesNoRoom) {
  controller->setVisibilitySchedule(ScheduleDefinition::standard());
  // Sunday is hidden: the first visible hour is Monday 8:00 at x 0.
  EXPECT_EQ(controller->x(on(kMonday, 8)), 0);
  EXPECT_EQ(controller->x(on(kMonday, 16)), controller->x(on(kTuesday, 8)));
  EXPECT_EQ(controller->x(on(kFriday, 16)), controller->x(on(kMonday, 8, 0, kWeek + 1)));
  EXPECT_EQ(controller->x(on(kMonday, 8, 0, kWeek + 1)), 40 * 2.5);
  EXPECT_EQ(controller->x(on(kFriday, 12, 0, kWeek - 1)), -4 * 2.5);
  EXPECT_EQ(controller->width(TimeRange(on(kFriday, 12), on(kMonday, 12, 0, kWeek + 1))),
            8 * 2.5);
  // Across the weekend and back.
  for (const Time& time : {on(kFriday, 15), on(kMonday, 9, 0, kWeek + 1), on(kMonday, 8),
                           on(kWednesday, 11, 15, kWeek + 2)}) {
    EXPECT_NEAR(gap(controller->time(controller->x(time)), time), 0, 1e-6) << time;
  }
  // A position at the end of a working day is the next working morning.
  EXPECT_TRUE(sameFields(controller->time(controller->x(on(kFriday, 16))),
                         on(kMonday, 8, 0, kWeek + 1)));
  EXPECT_TRUE(sameFields(controller->time(controller->x(on(kSaturday, 12))),
                         on(kMonday, 8, 0, kWeek + 1)));
  EXPECT_EQ(controller->totalDiagramSize().width, 4 * 40 * 2.5);
}

TEST_F(ContentGeometryTest, HolidaysAgreeWithTheCalendarsOwnArithmetic) {
  // Ten years of a five-day, eight-hour week with 100 scattered holidays a
  // year: positions come from a table of working stretches, and must match
  // what the calendar itself answers.
  std::vector<TimeRange> holidays;
  for (int64_t day = 0; day < 3650; day += 3) {
    if (day % 7 == 2 || day % 7 == 4) continue;
    holidays.emplace_back(Time::fromDayNumber(kWeek * 7 + day, 0),
                          Time::fromDayNumber(kWeek * 7 + day + 1, 0));
  }
  const auto schedule =
      std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), holidays);
  controller->setScrollableTimeline(TimeRange(on(kSunday, 0), on(kSunday, 0, 0, kWeek + 520)));
  controller->setVisibilitySchedule(schedule);
  controller->setZoom(0.7);
  const double hourWidth = 0.7 * 2.5;
  const Time origin = controller->actualTimeline().start;
  // Times of day run past 24 h too: such times are the calendar's to read.
  for (int64_t step = 0; step < 200; ++step) {
    const Time time = Time::fromDayNumber(kWeek * 7 + step * 18, step * 1977.0);
    const double x = schedule->duration(origin, time) / secondsPerHour * hourWidth;
    EXPECT_NEAR(controller->x(time), x, 1e-6) << time;
    const Time back = schedule->nextTime(schedule->finish(origin, x / hourWidth, TimeUnit::hours));
    EXPECT_NEAR(gap(controller->time(x), back), 0, 1e-3) << x;
  }
  EXPECT_NEAR(controller->totalDiagramSize().width,
              schedule->duration(origin, controller->actualTimeline().finish) / secondsPerHour *
                  hourWidth,
              1e-6);
}

// Exclusions that the host may change at any time, through a provider or a
// calendar of its own.
class ChangingHolidays : public ExcludedTimeIntervalProvider {
 public:
  std::vector<TimeRange> holidays;
  std::vector<TimeRange> excludedIntervalsFor(const Time&, const Time&) const override {
    return holidays;
  }
};

class ChangingCalendar : public ScheduleDefinition {
 public:
  std::vector<TimeRange> holidays;
  WeekRange weekInterval() const override { return WeekRange::standard(); }
  DayRange dayInterval() const override { return DayRange::standard(); }
  std::vector<TimeRange> excludedIntervalsFor(const Time&, const Time&) const override {
    return holidays;
  }
  bool hasExcludedIntervals() const override { return true; }
};

TEST_F(ContentGeometryTest, CalendarsThatChangeTheirExclusionsAreReadAfresh) {
  const auto provider = std::make_shared<ChangingHolidays>();
  const auto calendar = std::make_shared<ChangingCalendar>();
  const std::vector<std::pair<std::shared_ptr<ScheduleDefinition>, std::vector<TimeRange>*>>
      cases = {{std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(),
                                           std::vector<TimeRange>{}, provider),
                &provider->holidays},
               {calendar, &calendar->holidays}};
  const Time friday = on(kFriday, 12, 0, kWeek + 3);
  for (const auto& [schedule, holidays] : cases) {
    *holidays = {TimeRange(on(kMonday, 0, 0, kWeek + 2), on(kTuesday, 0, 0, kWeek + 2))};
    controller->setVisibilitySchedule(schedule);
    const double before = controller->x(friday);
    EXPECT_EQ(before, (3 * 40 - 8 + 4 * 8 + 4) * 2.5);
    // A whole working week more off, with nothing telling the controller.
    holidays->push_back(TimeRange(on(kMonday, 0, 0, kWeek + 1), on(kSaturday, 0, 0, kWeek + 1)));
    EXPECT_EQ(controller->x(friday), before - 40 * 2.5);
    EXPECT_EQ(controller->time(before - 40 * 2.5), friday);
  }

  // The preferred timeline's margins are working hours of that calendar too.
  controller->setScrollableTimeline(std::nullopt);
  controller->setVisibilitySchedule(cases[0].first);
  provider->holidays.clear();
  // 4 working hours before Monday 8:00 are Friday 12:00.
  EXPECT_EQ(controller->actualTimeline().start, on(kFriday, 12, 0, kWeek - 1));
  EXPECT_EQ(controller->startX(item), 10);
  provider->holidays = {TimeRange(on(kFriday, 0, 0, kWeek - 1), on(kSaturday, 0, 0, kWeek - 1))};
  EXPECT_EQ(controller->actualTimeline().start, on(kThursday, 12, 0, kWeek - 1));
  EXPECT_EQ(controller->startX(item), 10);
}

TEST_F(ContentGeometryTest, ThePreferredTimelineKeepsItsMarginsInVisibleHours) {
  controller->setScrollableTimeline(std::nullopt);
  // 10 points before (4 h) and, with attachments, 80 points after (32 h).
  EXPECT_EQ(controller->preferredTimeline(),
            TimeRange(on(kMonday, 4), on(kThursday, 24)));
  controller->setShowsAttachments(false);
  EXPECT_EQ(controller->preferredTimeline(),
            TimeRange(on(kMonday, 4), on(kWednesday, 20)));
  controller->setShowsAttachments(true);
  controller->setVisibilitySchedule(ScheduleDefinition::standard());
  // 4 working hours before Monday 8:00 are Friday 12:00; 32 after Wednesday
  // 16:00 end on Tuesday 16:00.
  EXPECT_EQ(controller->preferredTimeline(),
            TimeRange(on(kFriday, 12, 0, kWeek - 1), on(kTuesday, 16, 0, kWeek + 1)));
  EXPECT_EQ(controller->actualTimeline(), controller->preferredTimeline());
  controller->setZoom(2);
  EXPECT_EQ(controller->preferredTimeline(),
            TimeRange(on(kFriday, 14, 0, kWeek - 1), on(kFriday, 16)));
}

TEST_F(ContentGeometryTest, AnEmptyDiagramIsOneRowAroundThePinnedNow) {
  // Without items the manager's span is the current moment (wall-clock time
  // of the current zone, so the expectation reads it the same way).
  const Time now = Time::current();
  const auto empty = GanttChartContentController::create();
  EXPECT_EQ(empty->preferredTimeline(),
            TimeRange(now.addingDuration(-hours(4)), now.addingDuration(hours(32))));
  EXPECT_EQ(empty->totalDiagramSize(), (Size{36 * 2.5, 25}));
  {
    ScopedClock later(Clock::now().addingTimeInterval(3 * secondsPerDay));
    const Time laterNow = Time::current();
    EXPECT_NE(laterNow, now);
    EXPECT_EQ(GanttChartContentController::create()->preferredTimeline().start,
              laterNow.addingDuration(-hours(4)));
  }
}

TEST_F(ContentGeometryTest, TheTotalSizeIsKeptUntilSomethingShapesItAgain) {
  const Size size = controller->totalDiagramSize();
  EXPECT_EQ(size, (Size{4 * 7 * 24 * 2.5, 5 * 25}));  // rows 0...3 and one extra
  controller->setRowHeight(10);
  EXPECT_EQ(controller->totalDiagramSize(), (Size{size.width, 50}));
  controller->setExtraRowCount(3);
  EXPECT_EQ(controller->totalDiagramSize(), (Size{size.width, 70}));
}

}  // namespace
}  // namespace vorlent
