#include "vorlent/time/working_time_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
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

// A deterministic stream of numbers for random calendars and questions.
class Scatter {
 public:
  explicit Scatter(uint64_t seed) : state_(seed) {}
  int64_t next(int64_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int64_t>((state_ >> 33) % static_cast<uint64_t>(bound));
  }

 private:
  uint64_t state_;
};

// Working days and hours picked at random (now and then reversed, which
// leaves no working time), with up to 40 exclusions of a few minutes to a
// week, some given finish first, all on quarter hours.
std::shared_ptr<Schedule> randomCalendar(Scatter& scatter) {
  const int64_t firstDay = scatter.next(7);
  const int64_t lastDay = scatter.next(7);
  const double from = static_cast<double>(scatter.next(97)) * 900;
  const double to = static_cast<double>(scatter.next(97)) * 900;
  const bool reversed = scatter.next(10) == 0;
  std::vector<TimeRange> exclusions;
  for (int64_t count = scatter.next(41); count > 0; --count) {
    const Time start = Time::fromDayNumber(kWeek * 7 + scatter.next(900) - 300,
                                           static_cast<double>(scatter.next(96)) * 900);
    const Time finish = start.addingDuration(static_cast<double>(1 + scatter.next(672)) * 900);
    exclusions.push_back(scatter.next(5) == 0 ? TimeRange(finish, start)
                                              : TimeRange(start, finish));
  }
  return std::make_shared<Schedule>(
      reversed ? WeekRange(firstDay, lastDay)
               : WeekRange(std::min(firstDay, lastDay), std::max(firstDay, lastDay)),
      reversed ? DayRange(from, to) : DayRange(std::min(from, to), std::max(from, to)),
      exclusions);
}

// Field by field, so that 24:00 and the next day's 0:00 count as different.
::testing::AssertionResult sameAnswer(const std::string& question, const Time& indexed,
                                      const Time& calendar) {
  if (sameFields(indexed, calendar)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << question << ": " << indexed << " but the calendar says "
                                       << calendar;
}

TEST(WorkingTimeIndex, AnswersExactlyAsRandomCalendarsDoForWholeSeconds) {
  Scatter scatter(2024);
  int answered = 0;
  for (int round = 0; round < 24; ++round) {
    const auto schedule = randomCalendar(scatter);
    const Time spanStart = Time::fromDayNumber(kWeek * 7 + scatter.next(400) - 100,
                                               static_cast<double>(scatter.next(96)) * 900);
    const TimeRange span(spanStart, spanStart.addingDays(1 + scatter.next(300)));
    WorkingTimeIndex index;
    index.prepare(schedule, span);
    if (index.isEmpty()) continue;
    // Instants on quarter hours well before, inside and well after the
    // indexed span, now and then the very edge of a working stretch.
    const auto instant = [&] {
      const Time time = Time::fromDayNumber(kWeek * 7 + scatter.next(2400) - 1200,
                                            static_cast<double>(scatter.next(97)) * 900);
      if (scatter.next(6) != 0) return time;
      const std::vector<TimeRange> stretches = schedule->times(TimeRange(time, time.addingDays(30)));
      if (stretches.empty()) return time;
      const TimeRange& stretch = stretches[static_cast<size_t>(
          scatter.next(static_cast<int64_t>(stretches.size())))];
      return scatter.next(2) == 0 ? stretch.start : stretch.finish;
    };
    for (int question = 0; question < 120; ++question) {
      const Time from = instant();
      const Time to = instant();
      if (const std::optional<double> duration = index.duration(from, to)) {
        ++answered;
        EXPECT_EQ(*duration, schedule->duration(from, to)) << from << " to " << to;
      }
      // Whole stretches now and then, so that amounts end on their edges.
      const double working = schedule->duration(from, to);
      const double amount = working > 0 && scatter.next(3) == 0
                                ? working
                                : static_cast<double>(scatter.next(4000)) * 900;
      if (const std::optional<Time> finish = index.finish(from, amount)) {
        EXPECT_TRUE(sameAnswer("finish", *finish, schedule->finish(from, amount)))
            << from << " + " << amount;
      }
      if (const std::optional<Time> start = index.start(from, amount)) {
        EXPECT_TRUE(sameAnswer("start", *start, schedule->start(from, amount)))
            << from << " - " << amount;
      }
      for (const double signedAmount : {amount, -amount, 0.0}) {
        if (const std::optional<Time> next = index.nextTimeAfter(from, signedAmount)) {
          EXPECT_TRUE(sameAnswer("next", *next,
                                 schedule->nextTime(schedule->finish(from, signedAmount))))
              << from << " + " << signedAmount;
        }
      }
    }
  }
  EXPECT_GT(answered, 1500);
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
