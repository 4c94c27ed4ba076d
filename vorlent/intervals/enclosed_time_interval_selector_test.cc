#include "vorlent/intervals/enclosed_time_interval_selector.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "vorlent/time/time_constants.h"

namespace vorlent {
namespace {

std::shared_ptr<const TimeIntervalSelector> fixed(std::vector<TimeRange> intervals) {
  return std::make_shared<const TimeIntervalSource>(
      [intervals](const TimeRange&) { return intervals; });
}

const TimeRange kRange({0, 1, 0}, {0, 3, 0});

TEST(EnclosedTimeIntervalSelector, TheWholeTimelineBecomesTheRange) {
  const EnclosedTimeIntervalSelector selector(fixed({{Time::min(), Time::max()}}));
  EXPECT_EQ(selector.times(kRange), (std::vector<TimeRange>{kRange}));
}

TEST(EnclosedTimeIntervalSelector, ClipsOverlappingIntervalsAndDropsOthersInOrder) {
  const EnclosedTimeIntervalSelector selector(fixed({{{0, 2, 0}, {0, 5, 0}},
                                                     {{0, 0, 0}, {0, 0, 12}},
                                                     {{0, 1, 100}, {0, 1, 200}},
                                                     {{-1, 0, 0}, {0, 1, 300}}}));
  EXPECT_EQ(selector.times(kRange),
            (std::vector<TimeRange>{
                {{0, 2, 0}, {0, 3, 0}}, {{0, 1, 100}, {0, 1, 200}}, {{0, 1, 0}, {0, 1, 300}}}));
}

TEST(EnclosedTimeIntervalSelector, IntervalTouchingTheRangeStartBecomesMomentary) {
  const EnclosedTimeIntervalSelector selector(
      fixed({{{0, 0, 0}, {0, 1, 0}}, {{0, 0, 0}, {0, 0, 12}}}));
  EXPECT_EQ(selector.times(kRange), (std::vector<TimeRange>{{{0, 1, 0}, {0, 1, 0}}}));
}

TEST(EnclosedTimeIntervalSelector, EqualEndsKeepTheRangesStartAndTheIntervalsFinish) {
  // The range starts at 0:00 of Monday; the interval starts at 24:00 of
  // Sunday and finishes at 24:00 of Tuesday, which is the range's finish.
  const EnclosedTimeIntervalSelector selector(
      fixed({{{0, 0, secondsPerDay}, {0, 2, secondsPerDay}}}));
  const auto clipped = selector.times(kRange);
  ASSERT_EQ(clipped.size(), 1u);
  EXPECT_EQ(clipped[0].start.dayOfWeek, 1);
  EXPECT_EQ(clipped[0].start.timeOfDay, 0);
  EXPECT_EQ(clipped[0].finish.dayOfWeek, 2);
  EXPECT_EQ(clipped[0].finish.timeOfDay, secondsPerDay);
}

TEST(EnclosedTimeIntervalSelector, SharesItsInnerSelectorByReference) {
  auto selector = std::make_shared<EnclosedTimeIntervalSelector>(fixed({}));
  const std::shared_ptr<const TimeIntervalSelector> held = selector;
  EXPECT_TRUE(held->times(kRange).empty());
  selector->setSelector(fixed({{Time::min(), Time::max()}}));
  EXPECT_EQ(held->times(kRange).size(), 1u);
  selector->setSelector(nullptr);
  EXPECT_TRUE(held->times(kRange).empty());
}

TEST(EnclosedTimeIntervalSelectorDeathTest, EnclosingItselfStopsInsteadOfRecursingForEver) {
  auto selector = std::make_shared<EnclosedTimeIntervalSelector>(nullptr);
  selector->setSelector(selector);
  EXPECT_DEATH((void)selector->times(kRange), "encloses itself");
  selector->setSelector(nullptr);  // break the cycle so the test does not leak
}

}  // namespace
}  // namespace vorlent
