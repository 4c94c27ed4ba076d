#include "vorlent/base/time_zone.h"

#include <gtest/gtest.h>

#include <unicode/timezone.h>

#include <cmath>

#include "vorlent/base/calendar.h"

namespace vorlent {
namespace {

Date utc(int64_t year, int64_t month, int64_t day, int64_t hour = 12) {
  return Calendar::gregorianUTC()
      .date({.year = year, .month = month, .day = day, .hour = hour})
      .value_or(Date(std::nan("")));
}

TEST(TimeZoneFixedOffset, IsNamedAfterItsOffsetAndHoldsItAllYear) {
  const struct {
    int seconds;
    const char* identifier;
  } cases[] = {{0, "GMT"},
               {19800, "GMT+05:30"},
               {-28800, "GMT-08:00"},
               {3601, "GMT+01:00:01"},
               {-18 * 3600, "GMT-18:00"}};
  for (const auto& c : cases) {
    const TimeZone zone = TimeZone::fromSecondsFromGMT(c.seconds);
    EXPECT_EQ(zone.identifier(), c.identifier);
    EXPECT_EQ(zone.secondsFromGMT(utc(2021, 1, 15)), c.seconds);
    EXPECT_EQ(zone.secondsFromGMT(utc(2021, 7, 1)), c.seconds);
    EXPECT_EQ(zone.secondsFromGMT(Date(std::nan(""))), c.seconds);
  }
  EXPECT_EQ(TimeZone::gmt(), TimeZone::fromSecondsFromGMT(0));
}

TEST(TimeZoneFixedOffsetDeathTest, BeyondEighteenHoursIsAFatalStop) {
  EXPECT_DEATH(TimeZone::fromSecondsFromGMT(18 * 3600 + 1), "vorlent: fatal: time zone offset");
  EXPECT_DEATH(TimeZone::fromSecondsFromGMT(-2'000'000'000), "vorlent: fatal: time zone offset");
}

TEST(TimeZoneIdentifier, FollowsDaylightSavingInSummerAndWinter) {
  const struct {
    const char* identifier;
    int january;
    int july;
  } cases[] = {{"Europe/Berlin", 3600, 7200},
               {"America/New_York", -18000, -14400},
               {"Australia/Sydney", 39600, 36000},  // southern summer in January
               {"Asia/Kolkata", 19800, 19800}};
  for (const auto& c : cases) {
    const auto zone = TimeZone::fromIdentifier(c.identifier);
    ASSERT_TRUE(zone.has_value()) << c.identifier;
    EXPECT_EQ(zone->identifier(), c.identifier);
    EXPECT_EQ(zone->secondsFromGMT(utc(2021, 1, 15)), c.january) << c.identifier;
    EXPECT_EQ(zone->secondsFromGMT(utc(2021, 7, 1)), c.july) << c.identifier;
  }
}

TEST(TimeZoneIdentifier, SwitchesAtTheTransitionInstant) {
  // Central Europe moved its clocks forward at 01:00 UTC on 28 March 2021.
  const auto berlin = TimeZone::fromIdentifier("Europe/Berlin");
  ASSERT_TRUE(berlin.has_value());
  const Date transition = utc(2021, 3, 28, 1);
  EXPECT_EQ(berlin->secondsFromGMT(transition.addingTimeInterval(-1)), 3600);
  EXPECT_EQ(berlin->secondsFromGMT(transition), 7200);
  // Not finite: the standard offset rather than a guess.
  EXPECT_EQ(berlin->secondsFromGMT(Date(INFINITY)), 3600);
}

TEST(TimeZoneIdentifier, OffsetFormsBecomeFixedOffsets) {
  EXPECT_EQ(TimeZone::fromIdentifier("GMT+5"), TimeZone::fromSecondsFromGMT(5 * 3600));
  EXPECT_EQ(TimeZone::fromIdentifier("GMT-08:30"), TimeZone::fromSecondsFromGMT(-30600));
  EXPECT_EQ(TimeZone::fromIdentifier("GMT"), TimeZone::gmt());
}

TEST(TimeZoneIdentifier, UnknownIsAbsent) {
  for (const char* identifier : {"Mars/Olympus_Mons", "", "Etc/Unknown", "Europe/Berlin "}) {
    EXPECT_EQ(TimeZone::fromIdentifier(identifier), std::nullopt) << "'" << identifier << "'";
  }
}

TEST(TimeZoneIdentifier, CopiesAreEqualAndAgree) {
  const auto zone = TimeZone::fromIdentifier("America/New_York");
  ASSERT_TRUE(zone.has_value());
  const TimeZone copy = *zone;
  EXPECT_EQ(copy, *zone);
  EXPECT_EQ(copy.secondsFromGMT(utc(2021, 7, 1)), -14400);
  EXPECT_NE(copy, TimeZone::fromSecondsFromGMT(-14400));
}

// The only test here that reads the current zone, so the system zone is
// first read after the machine's zone is set to Auckland.
TEST(TimeZoneCurrent, IsTheSystemZoneUntilSetAndResets) {
  icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("Pacific/Auckland"));
  EXPECT_EQ(TimeZone::current().identifier(), "Pacific/Auckland");
  TimeZone::setCurrent(TimeZone::fromIdentifier("Europe/Berlin"));
  EXPECT_EQ(TimeZone::current().identifier(), "Europe/Berlin");
  EXPECT_EQ(TimeZone::current().secondsFromGMT(utc(2021, 7, 1)), 7200);
  TimeZone::setCurrent(std::nullopt);
  EXPECT_EQ(TimeZone::current().identifier(), "Pacific/Auckland");
}

}  // namespace
}  // namespace vorlent
