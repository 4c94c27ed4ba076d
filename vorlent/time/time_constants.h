#pragma once

#include <cstddef>
#include <cstdint>

namespace vorlent {

// Seconds in the fixed units of the zone-less time grid. Days are always 24 h
// long: the grid has no zone, so no daylight-saving day is shorter or longer.
inline constexpr double secondsPerHour = 3600.0;
inline constexpr double secondsPerDay = secondsPerHour * 24;
inline constexpr double secondsPerHalfday = secondsPerHour * 12;
inline constexpr double secondsPerWeek = secondsPerDay * 7;

// Days of the week as stored in `Time::dayOfWeek`; weeks start on Sunday.
inline constexpr int64_t kSunday = 0;
inline constexpr int64_t kMonday = 1;
inline constexpr int64_t kTuesday = 2;
inline constexpr int64_t kWednesday = 3;
inline constexpr int64_t kThursday = 4;
inline constexpr int64_t kFriday = 5;
inline constexpr int64_t kSaturday = 6;

// The most intervals a list of the library hands out for one range: a
// calendar's working or non-working intervals, and the cells a period
// selector makes. Nothing could draw or read more, and without a bound a range
// over all of time (or a tiny period) would cost unbounded time and memory;
// past the bound a list holds its earliest intervals only.
inline constexpr std::size_t kMaxSelectedIntervals = 1'000'000;

}  // namespace vorlent
