#include "vorlent/base/clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorlent {
namespace {

TEST(Clock, PinnedTimeIsReturnedUntilReleased) {
  Clock::setNow(Date(1234.5));
  EXPECT_EQ(Clock::now(), Date(1234.5));
  EXPECT_EQ(Clock::now(), Date(1234.5));
  EXPECT_EQ(Clock::pinned(), Date(1234.5));
  Clock::setNow(std::nullopt);
  EXPECT_EQ(Clock::pinned(), std::nullopt);
  const Date live = Clock::now();
  EXPECT_TRUE(std::isfinite(live.timeIntervalSinceReferenceDate));
  EXPECT_NE(live, Date(1234.5));
}

TEST(ScopedClock, NestsAndRestoresThePreviousSetting) {
  {
    const ScopedClock outer(Date(10));
    {
      const ScopedClock inner(Date(20));
      EXPECT_EQ(Clock::now(), Date(20));
    }
    EXPECT_EQ(Clock::now(), Date(10));
  }
  // Released again: the system clock, not a pinned value.
  EXPECT_NE(Clock::now(), Date(10));
}

}  // namespace
}  // namespace vorlent
