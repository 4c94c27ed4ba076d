#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>

namespace vorlent {

// Units in which durations, lags and periods are stated. Each is a fixed
// number of seconds on the zone-less grid (a day is always 24 h); there is no
// microsecond unit.
enum class TimeUnit {
  weeks,
  days,
  halfdays,
  hours,
  minutes,
  seconds,
  deciseconds,
  centiseconds,
  milliseconds,
  nanoseconds,
};

// Every `TimeUnit`, largest first.
inline constexpr std::array<TimeUnit, 10> allTimeUnits() {
  return {TimeUnit::weeks,       TimeUnit::days,         TimeUnit::halfdays,
          TimeUnit::hours,       TimeUnit::minutes,      TimeUnit::seconds,
          TimeUnit::deciseconds, TimeUnit::centiseconds, TimeUnit::milliseconds,
          TimeUnit::nanoseconds};
}

// Calendar periods, each a whole number of months.
enum class CalendarTimeUnit { months, quarters, years, decades, centuries, millennia };

// Every `CalendarTimeUnit`, smallest first.
inline constexpr std::array<CalendarTimeUnit, 6> allCalendarTimeUnits() {
  return {CalendarTimeUnit::months,  CalendarTimeUnit::quarters,  CalendarTimeUnit::years,
          CalendarTimeUnit::decades, CalendarTimeUnit::centuries, CalendarTimeUnit::millennia};
}

// Seconds in `value` units. Sub-second units divide (by 10, 100, 1000, 10^9)
// rather than multiply by an inexact fraction, so 250 ms is exactly 0.25 s.
[[nodiscard]] double seconds(double value, TimeUnit unit);

// The inverse of `seconds`: how many units `seconds` makes.
[[nodiscard]] double valueIn(double seconds, TimeUnit unit);

// Months in `value` units; a result beyond 64 bits is a fatal stop.
[[nodiscard]] int64_t months(int64_t value, CalendarTimeUnit unit);

// How many units `months` makes, as a double (18 months is 1.5 years).
[[nodiscard]] double valueIn(int64_t months, CalendarTimeUnit unit);

std::ostream& operator<<(std::ostream& out, TimeUnit unit);
std::ostream& operator<<(std::ostream& out, CalendarTimeUnit unit);

}  // namespace vorlent
