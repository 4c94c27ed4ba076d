#include "vorlent/intervals/selector_kinds.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

std::shared_ptr<const TimeIntervalSelector> enclosedTwice(
    std::shared_ptr<const TimeIntervalSelector> inner) {
  return std::make_shared<EnclosedTimeIntervalSelector>(
      std::make_shared<EnclosedTimeIntervalSelector>(std::move(inner)));
}

TEST(SelectorKinds, LookThroughEnclosingSelectorsToTheInnermostOne) {
  const auto now = std::make_shared<MomentPeriodSelector>(std::nullopt, false);
  const auto days = std::make_shared<PeriodSelector>(1, TimeUnit::days,
                                                     ScheduleDefinition::continuous(), Time());
  const auto fixed = std::make_shared<MomentPeriodSelector>(Time(), false);

  EXPECT_EQ(innermostSelector(enclosedTwice(now).get()), now.get());
  EXPECT_EQ(innermostSelector(nullptr), nullptr);

  EXPECT_TRUE(selectsCurrentMoment(TimeSelector(enclosedTwice(now))));
  EXPECT_FALSE(selectsCurrentMoment(TimeSelector(enclosedTwice(fixed))));
  EXPECT_FALSE(selectsCurrentMoment(TimeSelector(days)));
  EXPECT_TRUE(selectsCurrentMoment(std::vector{TimeSelector(days), TimeSelector(now)}));
  EXPECT_FALSE(selectsCurrentMoment(std::vector<TimeSelector>{}));

  EXPECT_TRUE(dropsEmptyAreas(TimeSelector(enclosedTwice(days))));
  EXPECT_FALSE(dropsEmptyAreas(TimeSelector(enclosedTwice(now))));
}

TEST(SelectorKinds, AChainThatComesBackOnItselfEndsAtABound) {
  auto loop = std::make_shared<EnclosedTimeIntervalSelector>(nullptr);
  loop->setSelector(loop);
  EXPECT_NE(innermostSelector(loop.get()), nullptr);
  EXPECT_FALSE(selectsCurrentMoment(TimeSelector(loop)));
  loop->setSelector(nullptr);  // break the cycle so the selector is freed
}

}  // namespace
}  // namespace vorlent
