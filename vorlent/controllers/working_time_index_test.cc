#include "vorlent/controllers/working_time_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::hours;
using testing::kWeek;
using testing::on;
using testing::sameFields;

// Monday to Friday 8:00-16:00 with about 100 whole-day holidays a year,
// spread over the weekdays of ten years from `kWeek`.
std::shared_ptr<Schedule> standardWithHolidays() {
  std::vector<TimeRange> holidays;
  uint64_t state = 12345;
  for (int64_t week = kWeek; week < kWeek + 520; ++week) {
    for (int64_t day = kMonday; day <= kFriday; ++day) {
      state = state * 6364136223846793005ULL + 1442695040888963407ULL;
      if ((state >> 33) % 13 < 5) {
        holidays.emplace_back(Time(week, day, 0), Time(week, day, secondsPerDay));
      }
    }
  }
  return std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), holidays);
}

// The seconds between two instants, so that answers can be compared to the
// rounding of summed seconds.
double gap(const Time& a, const Time& b) { return TimeRange(a, b).duration(); }

class WorkingTimeIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    schedule = standardWithHolidays();
    span = TimeRange(on(kMonday, 0, 0, kWeek + 50), on(kMonday, 0, 0, kWeek + 450));
    index.prepare(schedule, span);
    ASSERT_FALSE(index.isEmpty());
  }

  // Instants on a lattice of about three days across the span, on and off
  // working time and at every time of day.
  std::vector<Time> samples() const {
    std::vector<Time> result;
    for (Time time = span.start; time < span.finish; time = time.addingDuration(261013)) {
      result.push_back(time);
    }
    return result;
  }

  std::shared_ptr<Schedule> schedule;
  TimeRange span;
  WorkingTimeIndex index;
};

TEST_F(WorkingTimeIndexTest, DurationsAgreeWithTheCalendar) {
  const std::vector<Time> times = samples();
  const Time anchor = on(kWednesday, 11, 30, kWeek + 200);
  for (const Time& time : times) {
    const std::optional<double> indexed = index.duration(anchor, time);
    ASSERT_TRUE(indexed.has_value());
    EXPECT_NEAR(*indexed, schedule->duration(anchor, time), 1e-6) << time;
  }
}

TEST_F(WorkingTimeIndexTest, SteppingAgreesWithTheCalendar) {
  const Time from = on(kTuesday, 9, 15, kWeek + 60);
  for (double amount : {hours(0.25), hours(7.75), hours(8), hours(16), hours(40), hours(1234.5),
                        hours(8000)}) {
    const std::optional<Time> finish = index.finish(from, amount);
    ASSERT_TRUE(finish.has_value());
    EXPECT_NEAR(gap(*finish, schedule->finish(from, amount)), 0, 1e-6) << amount;

    const Time late = on(kThursday, 14, 0, kWeek + 440);
    const std::optional<Time> start = index.start(late, amount);
    ASSERT_TRUE(start.has_value());
    EXPECT_NEAR(gap(*start, schedule->start(late, amount)), 0, 1e-6) << amount;

    // Both ways from the middle of the span, while the answer stays inside.
    if (amount > hours(2000)) continue;
    for (double signedAmount : {amount, -amount}) {
      const std::optional<Time> next = index.nextTimeAfter(on(kMonday, 12, 0, kWeek + 250),
                                                           signedAmount);
      ASSERT_TRUE(next.has_value());
      const Time expected = schedule->nextTime(
          schedule->finish(on(kMonday, 12, 0, kWeek + 250), signedAmount));
      EXPECT_NEAR(gap(*next, expected), 0, 1e-6) << signedAmount;
    }
  }
}

TEST_F(WorkingTimeIndexTest, AnAmountFillingAStretchEndsThereOrStartsTheNextOne) {
  // Find a Monday and a Tuesday that are both working days.
  int64_t week = kWeek + 100;
  while (schedule->duration(on(kMonday, 0, 0, week), on(kWednesday, 0, 0, week)) != hours(16)) {
    ++week;
  }
  const Time monday = on(kMonday, 8, 0, week);
  EXPECT_TRUE(sameFields(*index.finish(monday, hours(8)), on(kMonday, 16, 0, week)));
  EXPECT_TRUE(sameFields(*index.nextTimeAfter(monday, hours(8)), on(kTuesday, 8, 0, week)));
  EXPECT_TRUE(sameFields(*index.start(on(kTuesday, 8, 0, week), hours(8)), monday));
}

TEST_F(WorkingTimeIndexTest, AnswersBeyondItsSpanAsTheCalendarDoes) {
  // The span with its margin runs from week kWeek - 50 to kWeek + 550.
  const Time before = on(kWednesday, 10, 0, kWeek - 70);
  const Time inside = on(kThursday, 15, 0, kWeek + 300);
  const Time beyond = on(kTuesday, 9, 30, kWeek + 580);
  EXPECT_NEAR(*index.duration(inside, beyond), schedule->duration(inside, beyond), 1e-6);
  EXPECT_NEAR(*index.duration(before, inside), schedule->duration(before, inside), 1e-6);
  EXPECT_NEAR(*index.duration(before, beyond), schedule->duration(before, beyond), 1e-6);
  for (double amount : {hours(1), hours(3000), hours(12000)}) {
    for (const Time& from : {before, inside, beyond}) {
      EXPECT_NEAR(gap(*index.finish(from, amount), schedule->finish(from, amount)), 0, 1e-6)
          << from << " + " << amount;
      EXPECT_NEAR(gap(*index.start(from, amount), schedule->start(from, amount)), 0, 1e-6)
          << from << " - " << amount;
      for (double signedAmount : {amount, -amount}) {
        const Time expected = schedule->nextTime(schedule->finish(from, signedAmount));
        EXPECT_NEAR(gap(*index.nextTimeAfter(from, signedAmount), expected), 0, 1e-6)
            << from << " + " << signedAmount;
      }
    }
  }
  // A zero amount's answer depends on the direction the calendar looks in.
  EXPECT_FALSE(index.finish(inside, 0).has_value());
  EXPECT_FALSE(index.start(inside, 0).has_value());
  // Times held outside their usual ranges are the calendar's to read.
  EXPECT_FALSE(index.duration(inside, Time(kWeek + 300, 9, 0)).has_value());
  EXPECT_FALSE(index.duration(inside, Time(kWeek + 300, 1, 90000)).has_value());
}

TEST_F(WorkingTimeIndexTest, EndsOfTheSpanAreAnsweredLikeAnyOtherInstant) {
  const std::vector<Time> ends = {on(kSunday, 0, 0, kWeek - 50), on(kSunday, 0, 0, kWeek + 550)};
  for (const Time& end : ends) {
    for (double amount : {hours(0.5), hours(8), hours(40)}) {
      for (double signedAmount : {amount, -amount}) {
        const Time expected = schedule->nextTime(schedule->finish(end, signedAmount));
        EXPECT_NEAR(gap(*index.nextTimeAfter(end, signedAmount), expected), 0, 1e-6)
            << end << " + " << signedAmount;
      }
      EXPECT_NEAR(gap(*index.finish(end, amount), schedule->finish(end, amount)), 0, 1e-6);
      EXPECT_NEAR(gap(*index.start(end, amount), schedule->start(end, amount)), 0, 1e-6);
    }
  }
}

TEST_F(WorkingTimeIndexTest, IsRebuiltForAnotherCalendarOrAWiderSpan) {
  const auto other = std::make_shared<Schedule>(WeekRange::standard(), DayRange::continuous(),
                                                std::vector<TimeRange>{});
  index.prepare(other, span);
  EXPECT_TRUE(index.isFor(other.get()));
  EXPECT_NEAR(*index.duration(on(kMonday, 0, 0, kWeek + 100), on(kMonday, 0, 0, kWeek + 101)),
              hours(120), 1e-9);

  // A wider span is laid out anew; the old one stays when it suffices.
  index.prepare(other, TimeRange(span.start, on(kMonday, 0, 0, kWeek + 2000)));
  EXPECT_TRUE(index.isFor(other.get()));
  EXPECT_NEAR(*index.duration(span.start, on(kMonday, 0, 0, kWeek + 1900)),
              other->duration(span.start, on(kMonday, 0, 0, kWeek + 1900)), 1e-6);
}

TEST(WorkingTimeIndex, RefusesSpansItCannotHold) {
  const auto schedule = standardWithHolidays();
  WorkingTimeIndex index;
  index.prepare(schedule, TimeRange(on(kMonday, 0, 0, kWeek + 10), on(kMonday, 0, 0, kWeek)));
  EXPECT_TRUE(index.isEmpty());
  index.prepare(schedule, TimeRange(on(kMonday, 0, 0, kWeek), on(kMonday, 0, 0, kWeek + 60000)));
  EXPECT_TRUE(index.isEmpty());
  index.prepare(schedule, TimeRange(Time::min(), on(kMonday, 0, 0, kWeek)));
  EXPECT_TRUE(index.isEmpty());
  index.prepare(nullptr, TimeRange(on(kMonday, 0, 0, kWeek), on(kMonday, 0, 0, kWeek + 1)));
  EXPECT_TRUE(index.isEmpty());
  EXPECT_FALSE(index.duration(on(kMonday, 0, 0, kWeek), on(kMonday, 0, 0, kWeek + 1)));
  // A calendar without any working time in the span has nothing to index.
  const auto idle = std::make_shared<Schedule>(
      WeekRange::standard(), DayRange::standard(),
      std::vector<TimeRange>{TimeRange(on(kSunday, 0, 0, kWeek - 100), on(kSunday, 0, 0, kWeek + 100))});
  index.prepare(idle, TimeRange(on(kMonday, 0, 0, kWeek - 10), on(kMonday, 0, 0, kWeek + 10)));
  EXPECT_FALSE(index.finish(on(kMonday, 0, 0, kWeek), hours(1)).has_value());
  EXPECT_FALSE(index.nextTimeAfter(on(kMonday, 0, 0, kWeek), hours(1)).has_value());
}

}  // namespace
}  // namespace vorlent
