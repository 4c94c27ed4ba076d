#include "vorlent/intervals/time_interval_type.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace vorlent {
namespace {

using T = TimeIntervalType;

TEST(TimeIntervalType, FactoriesFillAbsentPayloadsWithDefaults) {
  EXPECT_EQ(T::days(std::nullopt, std::nullopt), T::daily(1, 0));
  EXPECT_EQ(T::weeks(std::nullopt, 1), T::weekly(1, 1));
  EXPECT_EQ(T::months(std::nullopt, std::nullopt), T::monthly(1, 1));
  EXPECT_EQ(T::quarters(2, std::nullopt), T::quarterly(2, 1));
  EXPECT_EQ(T::years(std::nullopt, 4), T::yearly(1, 4));
  EXPECT_EQ(T::decades(std::nullopt, std::nullopt), T::decennially(1, 1));
  EXPECT_EQ(T::centuries(std::nullopt, std::nullopt), T::centennially(1, 1));
  EXPECT_EQ(T::millenia(std::nullopt, std::nullopt), T::millennially(1, 1));
  EXPECT_EQ(T::halfdays(std::nullopt, std::nullopt), T::halfdaily(1, 0));
  EXPECT_EQ(T::hours(std::nullopt, 30), T::hourly(1, 30));
  EXPECT_EQ(T::minutes(std::nullopt, std::nullopt), T::minutely(1, 0));
  EXPECT_EQ(T::seconds(std::nullopt, std::nullopt), T::secondly(1, 0));
  EXPECT_EQ(T::deciseconds(std::nullopt, std::nullopt), T::decisecondly(1, 0));
  EXPECT_EQ(T::centiseconds(std::nullopt, std::nullopt), T::centisecondly(1, 0));
  EXPECT_EQ(T::milliseconds(std::nullopt, std::nullopt), T::millisecondly(1, 0));
  EXPECT_EQ(T::time(Time(1, 2, 3), true), T::timeBased(std::vector<Time>{Time(1, 2, 3)}, true));
  EXPECT_EQ(T::visibleTimeline(T::hours()), T::visibleTimelineBased(T::hourly(1, 0)));
  // The start may be left out.
  EXPECT_EQ(T::days(2), T::daily(2, 0));
  EXPECT_EQ(T::months(3), T::monthly(3, 1));
}

TEST(TimeIntervalType, SettableDefaultsStartAsDocumentedAndCanBeReassigned) {
  EXPECT_EQ(T::months(), T::monthly(1, 1));
  EXPECT_EQ(T::weeks(), T::weekly(1, 0));
  EXPECT_EQ(T::millenia(), T::millennially(1, 1));
  EXPECT_EQ(T::time(), T::timeBased(std::nullopt, false));
  EXPECT_EQ(T::visibleTimeline(), T::visibleTimelineBased(T::timeBased(std::vector<Time>{}, true)));

  const T original = T::days();
  T::days() = T::daily(2, 6);
  EXPECT_EQ(T::days(), T::daily(2, 6));
  T::days() = original;
  EXPECT_EQ(T::days(), T::daily(1, 0));
}

TEST(TimeIntervalType, EqualityComparesCaseAndPayload) {
  EXPECT_NE(T::daily(1, 0), T::halfdaily(1, 0));
  EXPECT_NE(T::monthly(1, 1), T::monthly(1, 2));
  EXPECT_NE(T::monthly(1, 1), T::yearly(1, 1));
  EXPECT_EQ(T::daily(1, 0), T::daily(1, -0.0));
  // Absent moments (now) and an empty list (no moment) differ.
  EXPECT_NE(T::timeBased(std::nullopt, false), T::timeBased(std::vector<Time>{}, false));
  EXPECT_NE(T::time(Time(0, 1, 0), false), T::time(Time(0, 1, 0), true));
  // Moments by Time equality: 24:00 is the next day's 0:00.
  EXPECT_EQ(T::time(Time(0, 0, 86400), false), T::time(Time(0, 1, 0), false));
  EXPECT_EQ(T::visibleTimeline(T::months(2, 1)), T::visibleTimeline(T::months(2, 1)));
  EXPECT_NE(T::visibleTimeline(T::months(2, 1)), T::visibleTimeline(T::months(3, 1)));
}

TEST(TimeIntervalType, EqualValuesHashAlike) {
  const std::hash<T> hash;
  EXPECT_EQ(hash(T::daily(1, 0)), hash(T::daily(1, -0.0)));
  EXPECT_EQ(hash(T::time(Time(0, 0, 86400), false)), hash(T::time(Time(0, 1, 0), false)));
  EXPECT_EQ(hash(T::visibleTimeline(T::hours())), hash(T::visibleTimelineBased(T::hourly(1, 0))));
  EXPECT_NE(hash(T::daily(1, 0)), hash(T::halfdaily(1, 0)));
}

TEST(TimeIntervalType, PayloadsAreReachableByCase) {
  const T type = T::weeks(2, 1);
  ASSERT_NE(type.as<T::Weekly>(), nullptr);
  EXPECT_EQ(type.as<T::Weekly>()->period, 2);
  EXPECT_EQ(type.as<T::Weekly>()->startingOn, 1);
  EXPECT_EQ(type.as<T::Daily>(), nullptr);
}

}  // namespace
}  // namespace vorlent
