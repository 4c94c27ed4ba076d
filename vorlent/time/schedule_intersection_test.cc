#include "vorlent/time/schedule_intersection.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::FixedProvider;
using testing::hours;
using testing::kWeek;
using testing::makeSchedule;
using testing::on;
using testing::sameFields;

TEST(ScheduleIntersection, SharesTheCommonDaysAndHours) {
  const auto both =
      ScheduleIntersection::create({ScheduleDefinition::standard(), ScheduleDefinition::fullDay()});
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->weekInterval(), WeekRange(1, 5));
  EXPECT_EQ(both->dayInterval(), DayRange(hours(8), hours(16)));
  EXPECT_EQ(both->weekIntervalValue(), WeekRange(1, 5));
  EXPECT_EQ(both->provider(), nullptr);
  EXPECT_FALSE(both->hasExcludedIntervals());
}

TEST(ScheduleIntersection, FailsWithoutCommonWorkingDaysOrHours) {
  EXPECT_EQ(ScheduleIntersection::create({}), nullptr);
  EXPECT_EQ(ScheduleIntersection::create({ScheduleDefinition::standard(), nullptr}), nullptr);
  EXPECT_EQ(ScheduleIntersection::create({makeSchedule(WeekRange(1, 3), DayRange::standard()),
                                          makeSchedule(WeekRange(4, 5), DayRange::standard())}),
            nullptr);
  EXPECT_EQ(ScheduleIntersection::create(
                {makeSchedule(WeekRange::standard(), DayRange(hours(8), hours(11))),
                 makeSchedule(WeekRange::standard(), DayRange(hours(12), hours(16)))}),
            nullptr);
  // Touching hours make an intersection without working time.
  const auto touching = ScheduleIntersection::create(
      {makeSchedule(WeekRange::standard(), DayRange(hours(8), hours(12))),
       makeSchedule(WeekRange::standard(), DayRange(hours(12), hours(16)))});
  ASSERT_NE(touching, nullptr);
  EXPECT_EQ(touching->dayInterval(), DayRange(hours(12), hours(12)));
  EXPECT_EQ(touching->duration(on(kMonday, 0), on(kMonday, 0, 0, kWeek + 4)), 0);
}

TEST(ScheduleIntersection, ExcludesTheIntervalsOfEveryMember) {
  const auto first = makeSchedule(WeekRange::standard(), DayRange::standard(),
                                  {{on(kMonday, 9), on(kMonday, 10)}});
  const auto second = makeSchedule(WeekRange::continuous(), DayRange(hours(6), hours(15)),
                                   {{on(kMonday, 12), on(kMonday, 13)}});
  const auto both = ScheduleIntersection::create({first, second});
  ASSERT_NE(both, nullptr);
  EXPECT_TRUE(both->hasExcludedIntervals());
  EXPECT_EQ(both->excludedIntervalsFor(on(kMonday, 0), on(kTuesday, 0)),
            (std::vector<TimeRange>{{on(kMonday, 9), on(kMonday, 10)},
                                    {on(kMonday, 12), on(kMonday, 13)}}));
  EXPECT_EQ(both->duration(on(kMonday, 0), on(kTuesday, 0)), hours(7 - 2));
  EXPECT_EQ(both->times({on(kMonday, 0), on(kTuesday, 0)}),
            (std::vector<TimeRange>{{on(kMonday, 8), on(kMonday, 9)},
                                    {on(kMonday, 10), on(kMonday, 12)},
                                    {on(kMonday, 13), on(kMonday, 15)}}));
  EXPECT_TRUE(sameFields(both->finish(on(kMonday, 8), hours(3)), on(kMonday, 12)));
  const auto onlySecond = ScheduleIntersection::create({ScheduleDefinition::standard(), second});
  ASSERT_NE(onlySecond, nullptr);
  EXPECT_TRUE(onlySecond->hasExcludedIntervals());
}

TEST(ScheduleIntersection, SnapshotsRangesButFollowsExclusionsOfMembers) {
  auto provider =
      std::make_shared<FixedProvider>(WeekRange::standard(), DayRange::standard(),
                                      std::vector<TimeRange>{{on(kMonday, 12), on(kMonday, 13)}});
  const auto member = std::make_shared<ScheduleDefinition>(provider);
  const auto both = ScheduleIntersection::create({member, ScheduleDefinition::continuous()});
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->duration(on(kMonday, 8), on(kMonday, 16)), hours(7));
  provider.reset();  // the member becomes continuous without exclusions
  EXPECT_EQ(both->dayInterval(), DayRange::standard());
  EXPECT_FALSE(both->hasExcludedIntervals());
  EXPECT_EQ(both->duration(on(kMonday, 8), on(kMonday, 16)), hours(8));
}

}  // namespace
}  // namespace vorlent
