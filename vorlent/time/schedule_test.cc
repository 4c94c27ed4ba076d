#include "vorlent/time/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "vorlent/time/excluded_time_interval_source.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::hours;
using testing::kWeek;
using testing::on;

TEST(Schedule, MadeWithDefaultsIsContinuous) {
  const Schedule schedule;
  EXPECT_EQ(schedule.weekInterval(), WeekRange(0, 6));
  EXPECT_EQ(schedule.dayInterval(), DayRange(0.0, secondsPerDay));
  EXPECT_FALSE(schedule.hasExcludedIntervals());
  EXPECT_TRUE(schedule.excludedIntervals().empty());
  EXPECT_EQ(schedule.excludedIntervalProvider(), nullptr);
  EXPECT_EQ(schedule.provider(), nullptr);
  EXPECT_TRUE(schedule.isContinuous());
}

TEST(Schedule, StoresItsIntervalsUnchanged) {
  const std::vector<TimeRange> stored = {{on(kTuesday, 13), on(kTuesday, 12)},
                                         {on(kMonday, 12), on(kMonday, 24)}};
  const Schedule schedule(WeekRange::standard(), DayRange::standard(), stored);
  ASSERT_EQ(schedule.excludedIntervals().size(), 2u);
  EXPECT_TRUE(testing::sameFields(schedule.excludedIntervals()[0].start, on(kTuesday, 13)));
  EXPECT_TRUE(testing::sameFields(schedule.excludedIntervals()[1].finish, on(kMonday, 24)));
  EXPECT_EQ(schedule.weekIntervalValue(), WeekRange::standard());
  EXPECT_EQ(schedule.dayIntervalValue(), DayRange::standard());
}

TEST(ScheduleExcludedIntervals, KeepsStoredIntervalsThatMeetTheSpanEitherWay) {
  const TimeRange lunch(on(kMonday, 12), on(kMonday, 13));
  const Schedule schedule(WeekRange::standard(), DayRange::standard(), {lunch});
  const std::vector<TimeRange> just = {lunch};
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 8), on(kMonday, 16)), just);
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 16), on(kMonday, 8)), just);
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 13), on(kMonday, 16)), just);  // touching
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 11), on(kMonday, 12)), just);
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 12, 30), on(kMonday, 12, 30)), just);
  EXPECT_TRUE(schedule.excludedIntervalsFor(on(kMonday, 14), on(kMonday, 16)).empty());
  EXPECT_TRUE(schedule.excludedIntervalsFor(on(kMonday, 11), on(kMonday, 8)).empty());
}

TEST(ScheduleExcludedIntervals, FindsATimeInsideAReversedInterval) {
  const TimeRange reversed(on(kMonday, 13), on(kMonday, 12));
  const Schedule schedule(WeekRange::standard(), DayRange::standard(), {reversed});
  const auto found = schedule.excludedIntervalsFor(on(kMonday, 12, 30), on(kMonday, 12, 30));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(testing::sameFields(found[0].start, reversed.start));  // returned unchanged
}

TEST(ScheduleExcludedIntervals, AppendsTheProvidersAnswerAfterTheStoredOnes) {
  std::vector<std::pair<Time, Time>> calls;
  const TimeRange provided(on(kFriday, 10), on(kFriday, 11));
  const auto source =
      std::make_shared<ExcludedTimeIntervalSource>([&](const Time& time, const Time& limit) {
        calls.emplace_back(time, limit);
        return std::vector<TimeRange>{provided};
      });
  const TimeRange stored(on(kMonday, 12), on(kMonday, 13));
  const Schedule schedule(WeekRange::standard(), DayRange::standard(), {stored}, source);
  EXPECT_EQ(schedule.excludedIntervalsFor(on(kMonday, 16), on(kMonday, 8)),
            (std::vector<TimeRange>{stored, provided}));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, on(kMonday, 16));
  EXPECT_EQ(calls[0].second, on(kMonday, 8));
  EXPECT_EQ(schedule.excludedIntervalProvider(), source);
}

TEST(ScheduleExcludedIntervals, AnEmptyProviderStillCountsAsExcludedIntervals) {
  const Schedule schedule(WeekRange::standard(), DayRange::standard(), {},
                          std::make_shared<ExcludedTimeIntervalSource>(
                              [](const Time&, const Time&) { return std::vector<TimeRange>{}; }));
  EXPECT_TRUE(schedule.hasExcludedIntervals());
  const ExcludedTimeIntervalSource empty(nullptr);
  EXPECT_TRUE(empty.excludedIntervalsFor(on(kMonday, 0), on(kMonday, 1)).empty());
}

// The index must answer exactly what a scan of the stored list answers.
TEST(ScheduleExcludedIntervals, AnswersAsAScanOfTheStoredListWould) {
  std::mt19937_64 random(20240611);
  const auto randomTime = [&] {
    const int64_t minutes = static_cast<int64_t>(random() % (3 * 7 * 24 * 4)) * 15;
    Time time = Time{kWeek, 0, 0}.addingMinutes(static_cast<double>(minutes));
    if (time.timeOfDay == 0 && random() % 2 == 0) time = time.asFinish();  // 24:00 forms too
    return time;
  };
  for (int round = 0; round < 50; ++round) {
    std::vector<TimeRange> stored;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      const Time start = randomTime();
      const Time finish = random() % 4 == 0 ? randomTime() : start.addingHours(random() % 30);
      stored.emplace_back(start, finish);
    }
    const Schedule schedule(WeekRange::standard(), DayRange::standard(), stored);
    for (int query = 0; query < 40; ++query) {
      const Time a = randomTime();
      const Time b = randomTime();
      const Time& low = b < a ? b : a;
      const Time& high = b < a ? a : b;
      std::vector<TimeRange> expected;
      for (const TimeRange& interval : stored) {
        const Time& s = interval.finish < interval.start ? interval.finish : interval.start;
        const Time& f = interval.finish < interval.start ? interval.start : interval.finish;
        if ((s <= a && a <= f) || (s <= b && b <= f) || (low <= s && s <= high) ||
            (low <= f && f <= high)) {
          expected.push_back(interval);
        }
      }
      const std::vector<TimeRange> actual = schedule.excludedIntervalsFor(a, b);
      ASSERT_EQ(actual.size(), expected.size()) << a << " " << b;
      for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_TRUE(testing::sameFields(actual[i].start, expected[i].start));
        EXPECT_TRUE(testing::sameFields(actual[i].finish, expected[i].finish));
      }
    }
  }
}

// A table is built once a calendar has been asked a few hundred questions.
void askOften(const Schedule& schedule) {
  for (int64_t week = 0; week < 300; ++week) (void)schedule.nextTime(Time{week, 1, 0});
}

// Every calendar without exclusions asked often enough holds a table of its
// own; hundreds of them (a calendar per resource) must not take the memory
// that calendars with holidays, which walk far more slowly, answer from.
TEST(ScheduleTables, ManyCalendarsWithoutExclusionsLeaveRoomForOnesWithHolidays) {
  std::vector<std::shared_ptr<Schedule>> plain;
  for (int i = 0; i < 500; ++i) {
    // Seven stretches a week, the most a table of such a calendar holds.
    plain.push_back(std::make_shared<Schedule>(WeekRange::continuous(),
                                               DayRange(hours(i % 20), hours(i % 20 + 1))));
    askOften(*plain.back());
  }
  const Schedule withHolidays(
      WeekRange::standard(), DayRange::standard(),
      {{on(1, 0), on(2, 0)}, {on(3, 0, 0, kWeek + 50), on(4, 0, 0, kWeek + 50)}});
  askOften(withHolidays);
  EXPECT_NE(withHolidays.workingTimeTable(on(1, 9)), nullptr);
}

TEST(SchedulePresets, AreSharedInstancesOfTheStandardCalendars) {
  EXPECT_EQ(ScheduleDefinition::standard(), ScheduleDefinition::standard());
  EXPECT_EQ(ScheduleDefinition::continuous(), ScheduleDefinition::continuous());
  EXPECT_NE(ScheduleDefinition::fullWeek(), ScheduleDefinition::fullDay());
  struct Case {
    std::shared_ptr<Schedule> preset;
    WeekRange days;
    DayRange hours;
  };
  const std::vector<Case> cases = {
      {ScheduleDefinition::continuous(), {0, 6}, {0.0, hours(24)}},
      {ScheduleDefinition::standard(), {1, 5}, {hours(8), hours(16)}},
      {ScheduleDefinition::fullWeek(), {0, 6}, {hours(8), hours(16)}},
      {ScheduleDefinition::fullDay(), {1, 5}, {0.0, hours(24)}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.preset->weekInterval(), c.days);
    EXPECT_EQ(c.preset->dayInterval(), c.hours);
    EXPECT_FALSE(c.preset->hasExcludedIntervals());
    EXPECT_EQ(c.preset->excludedIntervalProvider(), nullptr);
  }
  EXPECT_TRUE(ScheduleDefinition::continuous()->isContinuous());
}

}  // namespace
}  // namespace vorlent
