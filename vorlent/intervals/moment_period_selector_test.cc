#include "vorlent/intervals/moment_period_selector.h"

#include <vector>

#include <gtest/gtest.h>

#include "vorlent/base/clock.h"
#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

const Time a(0, 1, 0);
const Time b(0, 2, 0);
const Time c(0, 3, 0);
const TimeRange kRange(a, c);

TEST(MomentPeriodSelector, SeparatingGivesTheStretchesBetweenSortedMoments) {
  const MomentPeriodSelector selector(std::vector<Time>{c, a, b}, true);
  EXPECT_EQ(selector.times(kRange),
            (std::vector<TimeRange>{{Time::min(), a}, {a, b}, {b, c}, {c, Time::max()}}));
}

TEST(MomentPeriodSelector, NotSeparatingGivesOneMomentPerKeptMoment) {
  const MomentPeriodSelector selector(std::vector<Time>{c, a, b}, false);
  EXPECT_EQ(selector.times(kRange), (std::vector<TimeRange>{{a, a}, {b, b}, {c, c}}));
}

TEST(MomentPeriodSelector, RangeEndsAreInclusiveAndMomentsOutsideAreDropped) {
  const Time justAfter = c.addingDuration(0.001);
  const Time justBefore = a.addingDuration(-0.001);
  const MomentPeriodSelector selector(std::vector<Time>{justAfter, c, justBefore, a}, false);
  EXPECT_EQ(selector.times(kRange), (std::vector<TimeRange>{{a, a}, {c, c}}));
  // The finish held as 24:00 of the day before is the same moment.
  const MomentPeriodSelector dayEnd(Time(0, 2, secondsPerDay), false);
  EXPECT_EQ(dayEnd.times(kRange).size(), 1u);
}

TEST(MomentPeriodSelector, NoKeptMoment) {
  EXPECT_EQ(MomentPeriodSelector(std::vector<Time>{}, true).times(kRange),
            (std::vector<TimeRange>{{Time::min(), Time::max()}}));
  EXPECT_TRUE(MomentPeriodSelector(std::vector<Time>{}, false).times(kRange).empty());
  EXPECT_TRUE(MomentPeriodSelector(Time(5, 0, 0), false).times(kRange).empty());
}

TEST(MomentPeriodSelector, AbsentMomentsMeanTheClocksCurrentMoment) {
  const ScopedClock clock(makeDate(b.addingHours(3)));
  const MomentPeriodSelector now(std::nullopt, false);
  EXPECT_EQ(now.times(kRange), (std::vector<TimeRange>{{b.addingHours(3), b.addingHours(3)}}));
  EXPECT_TRUE(now.times(TimeRange(c, c.addingDays(1))).empty());
  const MomentPeriodSelector separatingNow(std::nullopt, true);
  EXPECT_EQ(separatingNow.times(kRange).size(), 2u);
}

}  // namespace
}  // namespace vorlent
