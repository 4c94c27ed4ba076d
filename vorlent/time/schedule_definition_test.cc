#include "vorlent/time/schedule_definition.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_intersection.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::EverythingProvider;
using testing::FixedProvider;
using testing::hours;
using testing::kWeek;
using testing::makeSchedule;
using testing::on;
using testing::sameFields;

struct InstantCase {
  Time given;
  Time expected;
};

std::shared_ptr<Schedule> standardWithLunch() {
  return makeSchedule(WeekRange::standard(), DayRange::standard(),
                      {{on(kMonday, 12), on(kMonday, 13)}});
}

TEST(ScheduleNextTime, MovesToTheNextWorkingStartOnTheStandardCalendar) {
  const auto standard = ScheduleDefinition::standard();
  const std::vector<InstantCase> cases = {
      {on(kSaturday, 10), on(kMonday, 8, 0, kWeek + 1)},
      {on(kFriday, 16), on(kMonday, 8, 0, kWeek + 1)},
      {on(kFriday, 20), on(kMonday, 8, 0, kWeek + 1)},
      {on(kMonday, 8), on(kMonday, 8)},
      {on(kMonday, 7, 59), on(kMonday, 8)},
      {on(kMonday, 15, 59), on(kMonday, 15, 59)},
      {on(kSunday, 0), on(kMonday, 8)},
      {on(kSunday, 24), on(kMonday, 8)},  // Sunday 24:00 is Monday 0:00
      {on(kSaturday, 24), on(kMonday, 8, 0, kWeek + 1)},
  };
  for (const auto& c : cases) {
    const Time result = standard->nextTime(c.given);
    EXPECT_TRUE(sameFields(result, c.expected)) << c.given << " -> " << result;
  }
}

TEST(SchedulePreviousTime, MovesToTheLastWorkingEndInTwentyFourHourForm) {
  const auto standard = ScheduleDefinition::standard();
  const std::vector<InstantCase> cases = {
      {on(kMonday, 8), on(kFriday, 16, 0, kWeek - 1)},
      {on(kMonday, 12), on(kMonday, 12)},
      {on(kMonday, 16), on(kMonday, 16)},
      {on(kMonday, 16, 1), on(kMonday, 16)},
      {on(kSaturday, 0), on(kFriday, 16)},
      {on(kTuesday, 0), on(kMonday, 16)},
  };
  for (const auto& c : cases) {
    const Time result = standard->previousTime(c.given);
    EXPECT_TRUE(sameFields(result, c.expected)) << c.given << " -> " << result;
  }
  // Continuous: midnight comes back spelt 24:00 looking backward and 0:00
  // looking forward.
  EXPECT_TRUE(
      sameFields(ScheduleDefinition::continuous()->previousTime(on(kTuesday, 0)), on(kMonday, 24)));
  EXPECT_TRUE(
      sameFields(ScheduleDefinition::continuous()->nextTime(on(kMonday, 24)), on(kTuesday, 0)));
}

TEST(ScheduleNextTime, SkipsNonWorkingDaysAcrossTheWeekBoundary) {
  const auto mondayToSaturday = makeSchedule(WeekRange(1, 6), DayRange::standard());
  EXPECT_TRUE(
      sameFields(mondayToSaturday->nextTime(on(kSaturday, 18)), on(kMonday, 8, 0, kWeek + 1)));
  const auto sundayToFriday = makeSchedule(WeekRange(0, 5), DayRange::standard());
  EXPECT_TRUE(
      sameFields(sundayToFriday->previousTime(on(kSunday, 6)), on(kFriday, 16, 0, kWeek - 1)));
  EXPECT_TRUE(sameFields(sundayToFriday->nextTime(on(kFriday, 17)), on(kSunday, 8, 0, kWeek + 1)));
}

TEST(ScheduleTimeouts, EndAndStartTheWorkingStretch) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_TRUE(sameFields(standard->nextTimeout(on(kMonday, 10)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->nextTimeout(on(kSaturday, 10)), on(kSaturday, 10)));
  EXPECT_TRUE(sameFields(standard->nextTimeout(on(kMonday, 16)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->nextTimeout(on(kMonday, 8)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(standard->previousTimeout(on(kMonday, 10)), on(kMonday, 8)));
  EXPECT_TRUE(sameFields(standard->previousTimeout(on(kMonday, 8)), on(kMonday, 8)));
  EXPECT_TRUE(sameFields(standard->previousTimeout(on(kMonday, 16)), on(kMonday, 8)));

  const auto continuous = ScheduleDefinition::continuous();
  for (const Time& t : {on(kMonday, 0), on(kWednesday, 13.5), on(kSaturday, 24)}) {
    EXPECT_TRUE(sameFields(continuous->nextTimeout(t), Time::max()));
    EXPECT_TRUE(sameFields(continuous->previousTimeout(t), Time::min()));
  }
}

TEST(ScheduleTimeouts, AFullDayCalendarRunsFromTheFirstToTheLastWorkingDay) {
  const auto fullDay = ScheduleDefinition::fullDay();
  EXPECT_TRUE(sameFields(fullDay->nextTimeout(on(kWednesday, 5)), on(kSaturday, 0)));
  EXPECT_TRUE(sameFields(fullDay->previousTimeout(on(kWednesday, 5)), on(kMonday, 0)));
  EXPECT_TRUE(sameFields(fullDay->nextTimeout(on(kSunday, 5)), on(kSunday, 5)));
}

TEST(ScheduleTimeouts, ReadMidnightTheSameWhicheverWayItIsWritten) {
  const auto fullDay = ScheduleDefinition::fullDay();
  // Tuesday 24:00 is Wednesday 0:00, inside the Monday-to-Friday stretch.
  EXPECT_TRUE(sameFields(fullDay->nextTimeout(on(kTuesday, 24)), on(kSaturday, 0)));
  EXPECT_TRUE(sameFields(fullDay->nextTimeout(on(kWednesday, 0)), on(kSaturday, 0)));
  // Wednesday 0:00 is Tuesday 24:00, the end of a working day.
  EXPECT_TRUE(sameFields(fullDay->previousTimeout(on(kWednesday, 0)), on(kMonday, 0)));
  EXPECT_TRUE(sameFields(fullDay->previousTimeout(on(kTuesday, 24)), on(kMonday, 0)));
  // Friday 24:00 ends the stretch; Saturday 0:00 looked at forward is idle.
  EXPECT_EQ(fullDay->nextTimeout(on(kFriday, 24)), on(kSaturday, 0));
  EXPECT_EQ(fullDay->previousTimeout(on(kSaturday, 0)), on(kMonday, 0));
}

// An idle moment is its own timeout, handed back as the caller wrote it even
// where the other way of writing that midnight would be read differently.
TEST(ScheduleTimeouts, AnIdleMidnightComesBackAsWritten) {
  const Time fridayEnd{1300, kFriday, secondsPerDay};
  EXPECT_TRUE(sameFields(ScheduleDefinition::fullDay()->nextTimeout(fridayEnd), fridayEnd));
  const Time saturdayStart{1300, kSaturday, 0};
  EXPECT_TRUE(sameFields(ScheduleDefinition::fullDay()->nextTimeout(saturdayStart), saturdayStart));

  const auto untilFour = makeSchedule(WeekRange::continuous(), DayRange(0, hours(16)));
  const Time wednesdayStart{1300, kWednesday, 0};
  EXPECT_TRUE(sameFields(untilFour->previousTimeout(wednesdayStart), wednesdayStart));
  const Time tuesdayEnd{1300, kTuesday, secondsPerDay};
  EXPECT_TRUE(sameFields(untilFour->previousTimeout(tuesdayEnd), tuesdayEnd));

  // Idle because excluded.
  const auto night = makeSchedule(WeekRange::continuous(), DayRange::continuous(),
                                  {{on(kTuesday, 20), on(kWednesday, 4)}});
  EXPECT_TRUE(sameFields(night->nextTimeout(on(kTuesday, 24)), on(kTuesday, 24)));
  EXPECT_TRUE(sameFields(night->previousTimeout(on(kWednesday, 0)), on(kWednesday, 0)));
}

TEST(ScheduleExclusions, MoveInstantsPastTheExcludedInterval) {
  const auto schedule = standardWithLunch();
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kMonday, 12, 30)), on(kMonday, 13)));
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kMonday, 12)), on(kMonday, 13)));
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kMonday, 13)), on(kMonday, 13)));
  EXPECT_TRUE(sameFields(schedule->previousTime(on(kMonday, 12, 30)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->previousTime(on(kMonday, 13)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->previousTime(on(kMonday, 12)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->nextTimeout(on(kMonday, 10)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->nextTimeout(on(kMonday, 12, 30)), on(kMonday, 12, 30)));
  EXPECT_TRUE(sameFields(schedule->previousTimeout(on(kMonday, 15)), on(kMonday, 13)));
  EXPECT_TRUE(sameFields(schedule->previousTimeout(on(kMonday, 12, 30)), on(kMonday, 12, 30)));
}

TEST(ScheduleExclusions, ATimeOutsideWorkingHoursIsItsOwnTimeout) {
  const auto schedule = standardWithLunch();
  EXPECT_TRUE(sameFields(schedule->nextTimeout(on(kMonday, 6)), on(kMonday, 6)));
  EXPECT_TRUE(sameFields(schedule->previousTimeout(on(kMonday, 18)), on(kMonday, 18)));
  EXPECT_TRUE(sameFields(schedule->nextTimeout(on(kSunday, 12)), on(kSunday, 12)));
}

TEST(ScheduleExclusions, IntervalsFarBeyondTheStretchEndNothing) {
  // A provider that answers every holiday whatever it is asked about.
  const std::vector<TimeRange> holidays = {
      {on(kWednesday, 0, 0, kWeek + 2), on(kThursday, 0, 0, kWeek + 2)},
      {on(kFriday, 0, 0, kWeek + 3), on(kSaturday, 0, 0, kWeek + 3)},
      {on(kMonday, 0, 0, kWeek + 5), on(kTuesday, 0, 0, kWeek + 5)},
  };
  const auto careless = std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(),
                                                   std::vector<TimeRange>{},
                                                   std::make_shared<EverythingProvider>(holidays));
  const auto careful = makeSchedule(WeekRange::standard(), DayRange::standard(), holidays);
  EXPECT_TRUE(sameFields(careless->nextTimeout(on(kMonday, 10)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(careless->previousTimeout(on(kFriday, 10, 0, kWeek + 5)),
                         on(kFriday, 8, 0, kWeek + 5)));
  const Time from = on(kMonday, 0);
  const Time to = on(kMonday, 0, 0, kWeek + 6);
  EXPECT_EQ(careless->duration(from, to), hours(6 * 40 - 3 * 8));
  EXPECT_EQ(careful->duration(from, to), hours(6 * 40 - 3 * 8));
  EXPECT_EQ(careless->times({from, to}), careful->times({from, to}));
  EXPECT_EQ(careless->timeouts({from, to}), careful->timeouts({from, to}));
}

TEST(ScheduleExclusions, AReversedIntervalActsAsTheSameIntervalInOrder) {
  const auto reversed = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                     {{on(kMonday, 13), on(kMonday, 12)}});
  const auto ordered = standardWithLunch();
  for (const Time& t :
       {on(kMonday, 10), on(kMonday, 12), on(kMonday, 12, 30), on(kMonday, 13), on(kMonday, 15)}) {
    EXPECT_TRUE(sameFields(reversed->nextTime(t), ordered->nextTime(t))) << t;
    EXPECT_TRUE(sameFields(reversed->previousTime(t), ordered->previousTime(t))) << t;
    EXPECT_TRUE(sameFields(reversed->nextTimeout(t), ordered->nextTimeout(t))) << t;
    EXPECT_TRUE(sameFields(reversed->previousTimeout(t), ordered->previousTimeout(t))) << t;
  }
}

TEST(ScheduleExclusions, AZeroLengthIntervalExcludesNothing) {
  const auto schedule = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                     {{on(kMonday, 12), on(kMonday, 12)}});
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kMonday, 12)), on(kMonday, 12)));
  EXPECT_TRUE(sameFields(schedule->nextTimeout(on(kMonday, 10)), on(kMonday, 16)));
  EXPECT_TRUE(sameFields(schedule->previousTimeout(on(kMonday, 15)), on(kMonday, 8)));
  EXPECT_EQ(schedule->times({on(kMonday, 0), on(kTuesday, 0)}),
            (std::vector<TimeRange>{{on(kMonday, 8), on(kMonday, 16)}}));
}

TEST(ScheduleExclusions, ChainsOfAdjacentAndOverlappingIntervalsAreFollowedToTheirEnd) {
  // Ten thousand adjacent one-minute exclusions plus overlapping hours: a
  // recursive pass would exhaust the stack under the sanitizers.
  std::vector<TimeRange> chain;
  Time t = on(kMonday, 0);
  for (int i = 0; i < 10000; ++i) {
    const Time next = t.addingMinutes(1);
    chain.emplace_back(t, next);
    t = next;
  }
  chain.emplace_back(on(kMonday, 1), on(kMonday, 5));
  const Time chainEnd = t;
  const auto schedule = makeSchedule(WeekRange::continuous(), DayRange::continuous(), chain);
  EXPECT_EQ(schedule->nextTime(on(kMonday, 0)), chainEnd);
  EXPECT_EQ(schedule->previousTime(chainEnd), on(kMonday, 0));
  EXPECT_EQ(schedule->nextTimeout(on(kSunday, 12)), on(kMonday, 0));
  EXPECT_EQ(schedule->previousTimeout(on(kMonday, 0, 0, kWeek + 2)), chainEnd);
  EXPECT_EQ(schedule->duration(on(kSunday, 0), chainEnd.addingHours(1)), hours(24 + 1));
}

TEST(ScheduleExclusions, IntervalsCoveringAllLaterTimeStopAtTheLimits) {
  const auto forward =
      makeSchedule(WeekRange::standard(), DayRange::standard(), {{on(kMonday, 12), Time::max()}});
  EXPECT_TRUE(sameFields(forward->nextTime(on(kMonday, 13)), Time::max()));
  EXPECT_TRUE(sameFields(forward->finish(on(kMonday, 8), hours(5)), Time::max()));
  EXPECT_TRUE(sameFields(forward->finish(on(kMonday, 8), hours(4)), on(kMonday, 12)));
  const auto backward =
      makeSchedule(WeekRange::standard(), DayRange::standard(), {{Time::min(), on(kMonday, 12)}});
  EXPECT_TRUE(sameFields(backward->previousTime(on(kMonday, 11)), Time::min()));
  EXPECT_TRUE(sameFields(backward->start(on(kMonday, 16), hours(5)), Time::min()));
  EXPECT_EQ(backward->duration(Time::min(), on(kMonday, 16)), hours(4));
}

TEST(ScheduleDerivedValues, ComeFromTheWorkingDaysAndHours) {
  const auto standard = ScheduleDefinition::standard();
  EXPECT_EQ(standard->hoursPerDay(), 8);
  EXPECT_EQ(standard->daysPerWeek(), 5);
  EXPECT_EQ(standard->hoursPerWeek(), 40);
  EXPECT_EQ(standard->dayDuration(), hours(8));
  EXPECT_EQ(standard->weekDuration(), hours(40));
  EXPECT_FALSE(standard->isContinuous());
  EXPECT_TRUE(ScheduleDefinition::fullWeek()->isFullWeek());
  EXPECT_FALSE(ScheduleDefinition::fullWeek()->isFullDay());
  EXPECT_TRUE(ScheduleDefinition::fullDay()->isFullDay());
  EXPECT_FALSE(ScheduleDefinition::fullDay()->isFullWeek());
}

TEST(ScheduleDerivedValues, AreClippedToTheDayAndTheWeek) {
  const auto early = makeSchedule(WeekRange(-3, 4), DayRange(hours(-2), hours(10)));
  EXPECT_EQ(early->hoursPerDay(), 10);
  EXPECT_EQ(early->daysPerWeek(), 5);
  const auto late = makeSchedule(WeekRange(2, 9), DayRange(hours(20), hours(30)));
  EXPECT_EQ(late->hoursPerDay(), 4);
  EXPECT_EQ(late->daysPerWeek(), 5);
  EXPECT_TRUE(sameFields(late->nextTimeout(on(kTuesday, 21)), on(kWednesday, 0)));
  const auto none = makeSchedule(WeekRange(5, 2), DayRange(hours(16), hours(8)));
  EXPECT_EQ(none->hoursPerDay(), 0);
  EXPECT_EQ(none->daysPerWeek(), 0);
  EXPECT_EQ(none->weekDuration(), 0);
}

TEST(ScheduleContinuity, IgnoresExclusionsButIsContinuousDuringOnlyWithoutThem) {
  const auto schedule =
      makeSchedule(WeekRange::continuous(), DayRange::continuous(),
                   {{on(kMonday, 12), on(kMonday, 13)}, {on(kTuesday, 12), on(kTuesday, 12)}});
  EXPECT_TRUE(schedule->isContinuous());
  EXPECT_FALSE(schedule->isContinuous({on(kMonday, 0), on(kMonday, 12, 30)}));
  EXPECT_TRUE(schedule->isContinuous({on(kMonday, 14), on(kMonday, 20)}));
  // A zero-length interval excludes nothing.
  EXPECT_TRUE(schedule->isContinuous({on(kTuesday, 0), on(kWednesday, 0)}));
  EXPECT_FALSE(ScheduleDefinition::standard()->isContinuous({on(kMonday, 9), on(kMonday, 10)}));
}

// Answers an excluded interval but claims to have none.
class SilentExclusions : public ScheduleDefinition {
 public:
  std::vector<TimeRange> excludedIntervalsFor(const Time&, const Time&) const override {
    return {{on(kMonday, 12), on(kMonday, 13)}};
  }
  bool hasExcludedIntervals() const override { return false; }
};

TEST(ScheduleContinuity, DuringARangeAsksTheIntervalsThemselves) {
  const auto schedule = std::make_shared<SilentExclusions>();
  EXPECT_FALSE(schedule->isContinuous({on(kMonday, 0), on(kMonday, 20)}));
  // The walks skip exclusions when there are said to be none.
  EXPECT_EQ(schedule->duration(on(kMonday, 0), on(kMonday, 20)), hours(20));
}

TEST(ScheduleProvider, SuppliesTheCalendarUntilItIsReleased) {
  auto provider = std::make_shared<FixedProvider>(WeekRange::standard(), DayRange::standard());
  const auto schedule = std::make_shared<ScheduleDefinition>(provider);
  EXPECT_EQ(schedule->provider(), provider);
  EXPECT_TRUE(schedule->hasExcludedIntervals());
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kSaturday, 10)), on(kMonday, 8, 0, kWeek + 1)));
  EXPECT_EQ(schedule->duration(on(kFriday, 12), on(kMonday, 12, 0, kWeek + 1)), hours(8));
  EXPECT_TRUE(sameFields(schedule->finish(on(kMonday, 8), 0), on(kMonday, 8)));

  provider.reset();
  EXPECT_EQ(schedule->provider(), nullptr);
  EXPECT_FALSE(schedule->hasExcludedIntervals());
  EXPECT_TRUE(schedule->isContinuous());
  EXPECT_TRUE(sameFields(schedule->nextTime(on(kSaturday, 10)), on(kSaturday, 10)));
  EXPECT_EQ(schedule->duration(on(kFriday, 12), on(kMonday, 12, 0, kWeek + 1)), hours(72));
}

TEST(ScheduleProvider, ABaseScheduleWithoutProviderIsContinuous) {
  const auto schedule = std::make_shared<ScheduleDefinition>();
  EXPECT_EQ(schedule->weekInterval(), WeekRange::continuous());
  EXPECT_EQ(schedule->dayInterval(), DayRange::continuous());
  EXPECT_TRUE(schedule->excludedIntervalsFor(on(kMonday, 0), on(kFriday, 0)).empty());
  EXPECT_FALSE(schedule->hasExcludedIntervals());
}

// A host subclass that redefines only the working hours: every operation
// follows, because they all read the definition members.
class MorningsOnly : public ScheduleDefinition {
 public:
  DayRange dayInterval() const override { return {hours(6), hours(10)}; }
};

TEST(ScheduleSubclass, OverridingADefinitionMemberChangesEveryOperation) {
  const auto mornings = std::make_shared<MorningsOnly>();
  EXPECT_TRUE(sameFields(mornings->nextTime(on(kMonday, 11)), on(kTuesday, 6)));
  EXPECT_EQ(mornings->duration(on(kMonday, 0), on(kWednesday, 0)), hours(8));
  EXPECT_EQ(mornings->hoursPerDay(), 4);
}

TEST(ScheduleIntersecting, BuildsTheCommonCalendarOrFallsBackToItself) {
  const auto standard = ScheduleDefinition::standard();
  const auto fullWeek = ScheduleDefinition::fullWeek();
  const auto both = standard->intersecting(fullWeek);
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->weekInterval(), WeekRange::standard());
  EXPECT_EQ(both->dayInterval(), DayRange::standard());
  ASSERT_EQ(both->definitions().size(), 2u);
  EXPECT_EQ(both->definitions()[0], standard);
  EXPECT_EQ(both->definitions()[1], fullWeek);

  const auto weekend = makeSchedule(WeekRange(6, 6), DayRange::continuous());
  EXPECT_EQ(standard->intersecting(weekend), nullptr);
  EXPECT_EQ(standard->optionallyIntersecting(weekend), standard);
  EXPECT_EQ(standard->optionallyIntersecting(nullptr), standard);
  const auto optional = standard->optionallyIntersecting(fullWeek);
  EXPECT_NE(optional, standard);
  EXPECT_EQ(optional->weekInterval(), WeekRange::standard());
}

}  // namespace
}  // namespace vorlent
