#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "vorlent/time/excluded_time_interval_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/schedule_intersection.h"
#include "vorlent/time/schedule_testing.h"
#include "vorlent/time/schedule_units.h"

namespace vorlent {
namespace {

using testing::hours;
using testing::kWeek;
using testing::makeSchedule;
using testing::on;
using testing::sameFields;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The standard calendar with a provider that excludes nothing: it must answer
// exactly as the standard calendar, although it walks every stretch.
std::shared_ptr<Schedule> standardWithEmptyProvider() {
  return std::make_shared<Schedule>(
      WeekRange::standard(), DayRange::standard(), std::vector<TimeRange>{},
      std::make_shared<ExcludedTimeIntervalSource>(
          [](const Time&, const Time&) { return std::vector<TimeRange>{}; }));
}

TEST(ScheduleDuration, CountsOnlyWorkingTime) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_EQ(standard->duration(on(kFriday, 12), on(kMonday, 12, 0, kWeek + 1)), hours(8));
  EXPECT_EQ(standard->duration(on(kMonday, 12, 0, kWeek + 1), on(kFriday, 12)), -hours(8));
  EXPECT_EQ(standard->duration(on(kMonday, 12), on(kMonday, 12)), 0);
  EXPECT_EQ(standard->duration(on(kMonday, 8), on(kMonday, 12), TimeUnit::days), 0.5);
  EXPECT_EQ(standard->duration(TimeRange(on(kMonday, 8), on(kMonday, 12)), TimeUnit::halfdays), 1);
  const Time monday = on(kMonday, 8);
  const Time nextMonday = on(kMonday, 8, 0, kWeek + 1);
  EXPECT_EQ(standard->duration(monday, nextMonday, TimeUnit::weeks), 1);
  EXPECT_EQ(standard->duration(monday, nextMonday, TimeUnit::days), 5);
  EXPECT_EQ(standard->duration(monday, nextMonday, TimeUnit::hours), 40);
  EXPECT_EQ(standard->duration(on(kSaturday, 0), on(kSunday, 24, 0, kWeek + 1)), 0);
}

TEST(ScheduleDuration, WholeWeeksCountTheSameAsWalkingEveryStretch) {
  const auto standard = ScheduleDefinition::standard();
  const auto walking = standardWithEmptyProvider();
  const Time from = on(kWednesday, 10, 30);
  for (const Time& to : {on(kTuesday, 9, 0, kWeek + 1), on(kSaturday, 24, 0, kWeek + 3),
                         on(kSunday, 0, 0, kWeek + 7), on(kFriday, 15, 59, kWeek + 52)}) {
    EXPECT_EQ(standard->duration(from, to), walking->duration(from, to)) << to;
  }
  // A century costs no more than a week, and still counts exactly.
  EXPECT_EQ(standard->duration(on(kMonday, 8), on(kMonday, 8, 0, kWeek + 5218), TimeUnit::weeks),
            5218);
}

TEST(ScheduleDuration, JumpsWholeWeeksBeyondTimeMaxAsWell) {
  // A host's "never" sentinel may lie beyond Time::max(): walking there stretch
  // by stretch would cost a lookup per working day, for ever at a far week.
  auto provider = std::make_shared<testing::EverythingProvider>(
      std::vector<TimeRange>{{on(kMonday, 12), on(kMonday, 13)}});
  const auto withHoliday = std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(),
                                                      std::vector<TimeRange>{}, provider);
  const auto standard = ScheduleDefinition::standard();
  const Time from = on(kMonday, 8);
  const Time farBeyond{Time::max().week + 100000, kMonday, 0};
  EXPECT_EQ(withHoliday->duration(from, farBeyond), standard->duration(from, farBeyond) - hours(1));
  EXPECT_LT(provider->queries, 1000);
}

TEST(ScheduleDuration, SubtractsExclusionsInsideWorkingHoursOnly) {
  const auto schedule = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                     {{on(kMonday, 12), on(kMonday, 13)},
                                      {on(kMonday, 15), on(kTuesday, 9)},
                                      {on(kTuesday, 8, 30), on(kTuesday, 10)},   // overlaps
                                      {on(kWednesday, 0), on(kWednesday, 8)},    // before hours
                                      {on(kThursday, 16), on(kThursday, 20)}});  // after hours
  EXPECT_EQ(schedule->duration(on(kMonday, 8), on(kMonday, 16)), hours(6));
  EXPECT_EQ(schedule->duration(on(kMonday, 0), on(kFriday, 0)), hours(6 + 6 + 8 + 8));
}

TEST(ScheduleFinish, LandsOnTheEndOfTheWorkingDayNotTheNextMorning) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 8), hours(8)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 8), hours(40)), on(kFriday, 16)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 8), 1, TimeUnit::days), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 8), 1, TimeUnit::weeks), on(kFriday, 16)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 8), 3, TimeUnit::weeks),
                         on(kFriday, 16, 0, kWeek + 2)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 16), -hours(8)), on(kMonday, 8)));
  EXPECT_TRUE(
      sameFields(standard->finish(on(kSaturday, 3), hours(1)), on(kMonday, 9, 0, kWeek + 1)));
  EXPECT_TRUE(sameFields(standard->finish(on(kMonday, 15), hours(2)), on(kTuesday, 9)));

  const auto continuous = ScheduleDefinition::continuous();
  EXPECT_TRUE(sameFields(continuous->finish(on(kMonday, 0), hours(24)), on(kMonday, 24)));
  EXPECT_TRUE(sameFields(continuous->finish(on(kMonday, 0), 0), on(kSunday, 24)));
  EXPECT_TRUE(sameFields(continuous->finish(on(kMonday, 0), 1, TimeUnit::weeks),
                         on(kSunday, 24, 0, kWeek + 1)));
}

TEST(ScheduleFinish, AZeroAmountStaysAtTheWorkingStart) {
  const auto standard = ScheduleDefinition::standard();
  const auto walking = standardWithEmptyProvider();
  for (const auto& schedule : {std::static_pointer_cast<ScheduleDefinition>(standard),
                               std::static_pointer_cast<ScheduleDefinition>(walking)}) {
    EXPECT_TRUE(sameFields(schedule->finish(on(kMonday, 8), 0), on(kMonday, 8)));
    EXPECT_TRUE(sameFields(schedule->finish(on(kSaturday, 8), 0), on(kMonday, 8, 0, kWeek + 1)));
    EXPECT_TRUE(sameFields(schedule->start(on(kFriday, 16), 0), on(kFriday, 16)));
    EXPECT_TRUE(sameFields(schedule->start(on(kMonday, 12), -0.0), on(kMonday, 12)));
  }
}

TEST(ScheduleFinish, AgreesWithAndWithoutTheWholeWeekShortcut) {
  const auto standard = ScheduleDefinition::standard();
  const auto walking = standardWithEmptyProvider();
  const std::vector<Time> starts = {on(kMonday, 8),  on(kMonday, 0),   on(kWednesday, 12),
                                    on(kFriday, 16), on(kSaturday, 9), on(kSunday, 24)};
  const std::vector<double> amounts = {0,         1,           hours(8),   hours(40),   hours(80),
                                       hours(41), hours(39.5), -hours(40), -hours(120), -1};
  for (const Time& from : starts) {
    for (const double amount : amounts) {
      EXPECT_TRUE(sameFields(standard->finish(from, amount), walking->finish(from, amount)))
          << from << " + " << amount;
      EXPECT_TRUE(sameFields(standard->finish(from, amount, TimeUnit::seconds, false),
                             standard->finish(from, amount)))
          << from << " + " << amount;
      EXPECT_TRUE(sameFields(standard->start(from, amount), walking->start(from, amount)))
          << from << " - " << amount;
    }
  }
}

TEST(ScheduleStart, StepsBackToTheStartOfTheWork) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_TRUE(sameFields(standard->start(on(kFriday, 16), hours(40)), on(kMonday, 8)));
  EXPECT_TRUE(sameFields(standard->start(on(kFriday, 16), hours(8)), on(kFriday, 8)));
  EXPECT_TRUE(sameFields(standard->start(on(kMonday, 9), hours(2)), on(kFriday, 15, 0, kWeek - 1)));
  EXPECT_TRUE(sameFields(standard->start(on(kMonday, 8), -hours(8)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->start(on(kFriday, 16), 2, TimeUnit::weeks),
                         on(kMonday, 8, 0, kWeek - 1)));
  const auto continuous = ScheduleDefinition::continuous();
  EXPECT_TRUE(sameFields(continuous->start(on(kTuesday, 0), hours(24)), on(kMonday, 0)));
  EXPECT_TRUE(sameFields(continuous->start(on(kMonday, 24), hours(24)), on(kMonday, 0)));
  EXPECT_TRUE(sameFields(continuous->start(on(kMonday, 12), -hours(12)), on(kTuesday, 0)));
}

TEST(ScheduleStepping, HonoursExclusionsAtEveryBoundary) {
  const auto schedule = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                     {{on(kMonday, 12), on(kMonday, 13)}});
  EXPECT_EQ(schedule->duration(on(kMonday, 8), on(kMonday, 16)), hours(7));
  EXPECT_TRUE(sameFields(schedule->finish(on(kMonday, 8), hours(4)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->finish(on(kMonday, 8), hours(4) + 1),
                         on(kMonday, 13, 0).addingSeconds(1)));
  EXPECT_TRUE(sameFields(schedule->start(on(kMonday, 16), hours(4)), on(kMonday, 11)));
  EXPECT_TRUE(sameFields(schedule->start(on(kMonday, 16), hours(3)), on(kMonday, 13)));
  EXPECT_TRUE(sameFields(schedule->finish(on(kMonday, 12, 30), hours(3)), on(kMonday, 16)));

  // Exclusions that start or end exactly on the working hours' boundaries.
  const auto edges = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                  {{on(kMonday, 8), on(kMonday, 9)},
                                   {on(kMonday, 15), on(kMonday, 16)},
                                   {on(kFriday, 8), on(kSaturday, 0)}});
  EXPECT_TRUE(sameFields(edges->nextTime(on(kMonday, 8)), on(kMonday, 9)));
  EXPECT_TRUE(sameFields(edges->previousTime(on(kMonday, 16)), on(kMonday, 15)));
  EXPECT_TRUE(sameFields(edges->finish(on(kMonday, 8), hours(6)), on(kMonday, 15)));
  EXPECT_TRUE(sameFields(edges->finish(on(kThursday, 15), hours(1)), on(kThursday, 16)));
  EXPECT_TRUE(sameFields(edges->finish(on(kThursday, 15), hours(2)), on(kMonday, 9, 0, kWeek + 1)));
  EXPECT_TRUE(sameFields(edges->start(on(kMonday, 9, 0, kWeek + 1), hours(2)), on(kThursday, 15)));
  EXPECT_EQ(edges->duration(on(kMonday, 0), on(kMonday, 0, 0, kWeek + 1)), hours(6 + 24));
}

TEST(ScheduleStepping, NonFiniteAmountsAnswerAtOnce) {
  for (const auto& schedule :
       {std::static_pointer_cast<ScheduleDefinition>(ScheduleDefinition::standard()),
        std::static_pointer_cast<ScheduleDefinition>(standardWithEmptyProvider())}) {
    const Time t = on(kWednesday, 10);
    EXPECT_TRUE(sameFields(schedule->finish(t, kNaN), t));
    EXPECT_TRUE(sameFields(schedule->start(t, kNaN), t));
    EXPECT_TRUE(sameFields(schedule->finish(t, kInfinity), Time::max()));
    EXPECT_TRUE(sameFields(schedule->finish(t, -kInfinity), Time::min()));
    EXPECT_TRUE(sameFields(schedule->start(t, kInfinity), Time::min()));
    EXPECT_TRUE(sameFields(schedule->start(t, -kInfinity), Time::max()));
    // Finite amounts beyond the representable span stop at the limits too.
    EXPECT_TRUE(sameFields(schedule->finish(t, 1e300), Time::max()));
    EXPECT_TRUE(sameFields(schedule->start(t, 1e300), Time::min()));
    EXPECT_TRUE(sameFields(schedule->finish(t, 1e300, TimeUnit::weeks), Time::max()));
  }
}

TEST(ScheduleStepping, CalendarsWithoutWorkingTimeAnswerAtOnce) {
  const Time t = on(kWednesday, 10);
  const std::vector<std::shared_ptr<ScheduleDefinition>> calendars = {
      makeSchedule(WeekRange::standard(), DayRange(hours(12), hours(12))),
      makeSchedule(WeekRange::standard(), DayRange(hours(16), hours(8))),
      makeSchedule(WeekRange(5, 2), DayRange::standard()),
      makeSchedule(WeekRange(7, 9), DayRange::standard()),
      makeSchedule(WeekRange::standard(), DayRange(hours(25), hours(30))),
      makeSchedule(WeekRange::standard(), DayRange(kNaN, hours(16))),
      ScheduleIntersection::create(
          {makeSchedule(WeekRange::continuous(), DayRange(0, hours(12))),
           makeSchedule(WeekRange::continuous(), DayRange(hours(12), hours(24)))}),
  };
  for (const auto& calendar : calendars) {
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->duration(t, t.addingDays(30)), 0);
    EXPECT_EQ(calendar->duration(t, t.addingDays(30), TimeUnit::weeks), 0);
    EXPECT_TRUE(sameFields(calendar->finish(t, hours(5)), t));
    EXPECT_TRUE(sameFields(calendar->finish(t, -hours(5)), t));
    EXPECT_TRUE(sameFields(calendar->start(t, 2, TimeUnit::days), t));
    EXPECT_TRUE(calendar->times({t, t.addingDays(3)}).empty());
    EXPECT_EQ(calendar->timeouts({t, t.addingDays(3)}),
              (std::vector<TimeRange>{{t, t.addingDays(3)}}));
    EXPECT_EQ(calendar->nextTimeout(t), t);
    EXPECT_EQ(calendar->previousTimeout(t), t);
    EXPECT_EQ(calendar->nextTime(t), Time::max());
    EXPECT_EQ(calendar->previousTime(t), Time::min());
    const TimeScale scale =
        TimeScale::intervals(1, TimeUnit::days, on(kMonday, 8), FloatingPointRoundingRule::up);
    EXPECT_TRUE(sameFields(calendar->rounding(t, scale), t));
  }
}

TEST(ScheduleStepping, CalendarsPartlyOutsideTheDayAreClipped) {
  // 20:00-30:00 works 20:00-24:00; -2:00-10:00 works 0:00-10:00.
  const auto late = makeSchedule(WeekRange::standard(), DayRange(hours(20), hours(30)));
  EXPECT_EQ(late->duration(on(kMonday, 0), on(kSaturday, 0)), hours(20));
  EXPECT_TRUE(sameFields(late->finish(on(kMonday, 0), hours(4)), on(kMonday, 24)));
  EXPECT_TRUE(sameFields(late->finish(on(kMonday, 0), hours(5)), on(kTuesday, 21)));
  EXPECT_TRUE(sameFields(late->finish(on(kMonday, 0), 1, TimeUnit::days), on(kMonday, 24)));
  const auto early = makeSchedule(WeekRange(-1, 8), DayRange(hours(-2), hours(10)));
  EXPECT_EQ(early->duration(on(kMonday, 0), on(kMonday, 0, 0, kWeek + 1)), hours(70));
  EXPECT_TRUE(sameFields(early->start(on(kMonday, 0), hours(1)), on(kSunday, 9)));
  EXPECT_TRUE(sameFields(early->nextTime(on(kSaturday, 11)), on(kSunday, 0, 0, kWeek + 1)));
}

TEST(ScheduleUnits, ADayIsTheWorkingHoursOfOneDay) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_EQ(seconds(1, TimeUnit::weeks, *standard), hours(40));
  EXPECT_EQ(seconds(1, TimeUnit::days, *standard), hours(8));
  EXPECT_EQ(seconds(1.5, TimeUnit::halfdays, *standard), hours(6));
  EXPECT_EQ(seconds(2, TimeUnit::hours, *standard), hours(2));
  EXPECT_EQ(seconds(250, TimeUnit::milliseconds, *standard), 0.25);
  EXPECT_EQ(valueIn(hours(20), TimeUnit::weeks, *standard), 0.5);
  EXPECT_EQ(valueIn(hours(12), TimeUnit::days, *standard), 1.5);
  EXPECT_EQ(valueIn(hours(12), TimeUnit::halfdays, *standard), 3);
  EXPECT_EQ(valueIn(90, TimeUnit::minutes, *standard), 1.5);
  EXPECT_EQ(valueIn(0.5, TimeUnit::deciseconds, *standard), 5);
  EXPECT_EQ(seconds(1, TimeUnit::days, *ScheduleDefinition::continuous()), hours(24));
}

TEST(ScheduleRounding, SnapsInWorkingTimeToTheNextWorkingStart) {
  const auto standard = ScheduleDefinition::standard();
  const Time origin = on(kMonday, 8);
  const auto daily = [&](FloatingPointRoundingRule rule) {
    return TimeScale::intervals(1, TimeUnit::days, origin, rule);
  };
  EXPECT_TRUE(sameFields(standard->rounding(on(kMonday, 15), daily(FloatingPointRoundingRule::up)),
                         on(kTuesday, 8)));
  EXPECT_TRUE(sameFields(
      standard->rounding(on(kMonday, 15), daily(FloatingPointRoundingRule::down)), origin));
  EXPECT_TRUE(sameFields(
      standard->rounding(on(kTuesday, 11), daily(FloatingPointRoundingRule::toNearestOrEven)),
      on(kTuesday, 8)));
  // Before the origin the grid extends backward.
  EXPECT_TRUE(sameFields(
      standard->rounding(on(kFriday, 13, 0, kWeek - 1), daily(FloatingPointRoundingRule::down)),
      on(kFriday, 8, 0, kWeek - 1)));
  EXPECT_TRUE(sameFields(standard->rounding(on(kMonday, 15, 17), TimeScale::continuous()),
                         on(kMonday, 15, 17)));
  const TimeScale zero =
      TimeScale::intervals(0, TimeUnit::hours, origin, FloatingPointRoundingRule::up);
  EXPECT_TRUE(sameFields(standard->rounding(on(kMonday, 15, 17), zero), on(kMonday, 15, 17)));
}

// A day written outside 0...6 or a negative time of day names the moment it
// lands on, and every operation must read it so rather than order it by its
// week alone.
TEST(ScheduleArguments, OffTheGridNameTheMomentTheyLandOn) {
  const auto standard = ScheduleDefinition::standard();
  const Time monday = on(kMonday, 10);
  const Time tuesday = on(kTuesday, 10);
  const std::vector<TimeRange> working = {{monday, on(kMonday, 16)}, {on(kTuesday, 8), tuesday}};
  const std::vector<TimeRange> idle = {{on(kMonday, 16), on(kTuesday, 8)}};
  for (const Time& from :
       {monday, Time{kWeek, kTuesday, -hours(14)}, Time{kWeek - 1, 8, hours(10)}}) {
    for (const Time& to : {tuesday, Time{kWeek + 1, -5, hours(10)}}) {
      SCOPED_TRACE(::testing::Message() << from << " to " << to);
      EXPECT_EQ(standard->duration(from, to), hours(8));
      EXPECT_EQ(standard->duration(to, from), -hours(8));
      EXPECT_EQ(standard->times({from, to}), working);
      EXPECT_TRUE(sameFields(standard->times({from, to}).back().finish, tuesday));
      EXPECT_EQ(standard->timeouts({from, to}), idle);
      EXPECT_TRUE(sameFields(standard->finish(from, hours(8)), tuesday));
      EXPECT_TRUE(sameFields(standard->start(to, hours(8)), monday));
    }
  }
  const TimeScale daily =
      TimeScale::intervals(1, TimeUnit::days, on(kMonday, 8), FloatingPointRoundingRule::down);
  EXPECT_TRUE(
      sameFields(standard->rounding(Time{kWeek + 1, -5, hours(15)}, daily), on(kTuesday, 8)));
  EXPECT_TRUE(
      sameFields(standard->rounding(Time{kWeek + 1, -5, hours(15)}, TimeScale::continuous()),
                 on(kTuesday, 15)));
  // Midnight keeps its spelling: 24:00 of day 8 is 24:00 of the next Monday.
  const Time mondayEnd{kWeek, 8, hours(24)};
  const std::vector<TimeRange> evening =
      standard->timeouts({on(kMonday, 12, 0, kWeek + 1), mondayEnd});
  ASSERT_EQ(evening.size(), 1u);
  EXPECT_TRUE(sameFields(evening[0].finish, on(kMonday, 24, 0, kWeek + 1)));
}

TEST(ScheduleTimes, ListsWorkingAndIdleIntervals) {
  const auto standard = ScheduleDefinition::standard();
  const TimeRange range(on(kMonday, 0), on(kWednesday, 0));
  EXPECT_EQ(standard->times(range), (std::vector<TimeRange>{{on(kMonday, 8), on(kMonday, 16)},
                                                            {on(kTuesday, 8), on(kTuesday, 16)}}));
  EXPECT_EQ(standard->timeouts(range),
            (std::vector<TimeRange>{{on(kMonday, 0), on(kMonday, 8)},
                                    {on(kMonday, 16), on(kTuesday, 8)},
                                    {on(kTuesday, 16), on(kWednesday, 0)}}));
  const TimeRange backwards(on(kWednesday, 0), on(kMonday, 0));
  EXPECT_TRUE(standard->times(backwards).empty());
  EXPECT_TRUE(standard->timeouts(backwards).empty());

  const auto continuous = ScheduleDefinition::continuous();
  const TimeRange any(on(kMonday, 3), on(kFriday, 17));
  EXPECT_EQ(continuous->times(any), std::vector<TimeRange>{any});
  EXPECT_TRUE(continuous->timeouts(any).empty());
}

TEST(ScheduleTimes, NeverListEmptyIntervals) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_EQ(standard->timeouts({on(kMonday, 8), on(kTuesday, 9)}),
            (std::vector<TimeRange>{{on(kMonday, 16), on(kTuesday, 8)}}));
  EXPECT_EQ(standard->times({on(kMonday, 16), on(kTuesday, 8)}), std::vector<TimeRange>{});
  EXPECT_TRUE(standard->timeouts({on(kMonday, 10), on(kMonday, 10)}).empty());
  EXPECT_TRUE(standard->times({on(kMonday, 10), on(kMonday, 10)}).empty());
}

TEST(ScheduleTimes, KeepTheFormsInWhichTheyWereComputed) {
  const auto fullDay = ScheduleDefinition::fullDay();
  const std::vector<TimeRange> times =
      fullDay->times({on(kSunday, 0), on(kSunday, 0, 0, kWeek + 1)});
  ASSERT_EQ(times.size(), 1u);
  EXPECT_TRUE(sameFields(times[0].start, on(kMonday, 0)));
  EXPECT_TRUE(sameFields(times[0].finish, on(kSaturday, 0)));
  // A range finish given as 24:00 stays 24:00 where it cuts a stretch.
  const std::vector<TimeRange> cut = fullDay->times({on(kMonday, 0), on(kTuesday, 24)});
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_TRUE(sameFields(cut[0].finish, on(kTuesday, 24)));
  const std::vector<TimeRange> idle =
      fullDay->timeouts({on(kWednesday, 0), on(kTuesday, 0, 0, kWeek + 1)});
  ASSERT_EQ(idle.size(), 1u);
  EXPECT_TRUE(sameFields(idle[0].start, on(kSaturday, 0)));
  EXPECT_TRUE(sameFields(idle[0].finish, on(kMonday, 0, 0, kWeek + 1)));
}

TEST(ScheduleTimes, ARangeOverAllOfTimeHoldsTheEarliestIntervalsUpToTheBound) {
  // Millions of weeks lie between the grid's ends, each with its stretches.
  const TimeRange all(Time::min(), Time::max());
  const int64_t first = Time::min().week;

  // Five working days a week: the millionth stretch is a Friday.
  const std::vector<TimeRange> working = ScheduleDefinition::standard()->times(all);
  ASSERT_EQ(working.size(), kMaxSelectedIntervals);
  EXPECT_EQ(working.front(), TimeRange(on(kMonday, 8, 0, first), on(kMonday, 16, 0, first)));
  const int64_t lastWeek = first + static_cast<int64_t>(kMaxSelectedIntervals / 5) - 1;
  EXPECT_EQ(working.back(), TimeRange(on(kFriday, 8, 0, lastWeek), on(kFriday, 16, 0, lastWeek)));

  // One weekend a week, the first cut by the range's start; the same with an
  // excluded interval, so that the walk looking exclusions up is bounded too.
  const auto holiday = makeSchedule(WeekRange::standard(), DayRange::continuous(),
                                    {{on(kWednesday, 0), on(kThursday, 0)}});
  for (const auto& calendar : {ScheduleDefinition::fullDay(), holiday}) {
    const std::vector<TimeRange> idle = calendar->timeouts(all);
    ASSERT_EQ(idle.size(), kMaxSelectedIntervals);
    EXPECT_EQ(idle.front(), TimeRange(Time::min(), on(kMonday, 0, 0, first)));
    const int64_t week = first + static_cast<int64_t>(kMaxSelectedIntervals) - 1;
    EXPECT_EQ(idle.back(), TimeRange(on(kSaturday, 0, 0, week - 1), on(kMonday, 0, 0, week)));
  }
}

TEST(ScheduleTimes, SplitAroundExclusionsOfEveryShape) {
  const auto schedule = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                     {{on(kMonday, 13), on(kMonday, 12)},  // reversed
                                      {on(kMonday, 14), on(kMonday, 14)},  // zero length
                                      {on(kMonday, 15), on(kMonday, 15, 30)},
                                      {on(kMonday, 15, 30), on(kMonday, 16)}});  // adjacent
  EXPECT_EQ(schedule->times({on(kMonday, 0), on(kTuesday, 0)}),
            (std::vector<TimeRange>{{on(kMonday, 8), on(kMonday, 12)},
                                    {on(kMonday, 13), on(kMonday, 15)}}));
  EXPECT_EQ(schedule->timeouts({on(kMonday, 0), on(kTuesday, 0)}),
            (std::vector<TimeRange>{{on(kMonday, 0), on(kMonday, 8)},
                                    {on(kMonday, 12), on(kMonday, 13)},
                                    {on(kMonday, 15), on(kTuesday, 0)}}));
}

}  // namespace
}  // namespace vorlent
