#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <optional>

#include "vorlent/base/date.h"

namespace vorlent {

enum class CalendarComponent { era, year, month, day, hour, minute, second, nanosecond, weekday };

// Broken-down calendar fields; absent fields are nullopt. `weekday` counts
// 1 (Sunday) to 7 (Saturday). The `{}` initialisers let designated
// initialisers name only some fields without -Wextra warnings.
struct DateComponents {
  std::optional<int64_t> era{};
  std::optional<int64_t> year{};
  std::optional<int64_t> month{};
  std::optional<int64_t> day{};
  std::optional<int64_t> hour{};
  std::optional<int64_t> minute{};
  std::optional<int64_t> second{};
  std::optional<int64_t> nanosecond{};
  std::optional<int64_t> weekday{};

  [[nodiscard]] std::optional<int64_t> value(CalendarComponent component) const;
  void setValue(CalendarComponent component, std::optional<int64_t> value);

  friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

// Prints the present fields, e.g. "{year: 2001, month: 1}".
std::ostream& operator<<(std::ostream& os, const DateComponents& components);

// The proleptic Gregorian calendar fixed to UTC (no Julian switch, no zone
// offset, no leap seconds), on std::chrono civil dates. Years are
// astronomical: year 0 is 1 BC; `era` is 1 for year >= 1 and 0 before.
// The calendar works on dates that are finite and within 2^53 seconds of the
// reference date (about 285 million years either way), where every whole
// second is exact. Every operation returns nullopt (or absent fields) instead
// of a date when an argument or the result would leave that range.
class Calendar {
 public:
  // The shared instance.
  static const Calendar& gregorianUTC();

  // The date of the given fields. Absent fields take their smallest value
  // (year 1, month 1, day 1, 0 for the time fields); `era` and `weekday` are
  // ignored. Fields out of their usual ranges are resolved leniently: month
  // 13 is January of the next year, day 0 is the last day of the previous
  // month, hour 25 is 1:00 of the next day, and so on.
  [[nodiscard]] std::optional<Date> date(const DateComponents& components) const;

  // One field of the date in UTC. The nanosecond is the fraction of the
  // second in whole nanoseconds (rounded to the nearest microsecond first, so
  // binary noise of the double does not show; a fraction that rounds up to a
  // whole second carries into the second). A date outside the calendar's
  // range (or not finite) is a fatal stop.
  [[nodiscard]] int64_t component(CalendarComponent component, Date date) const;

  // All fields of the date in UTC, rounded as `component` rounds; every field
  // absent for a date outside the calendar's range.
  [[nodiscard]] DateComponents components(Date date) const;

  // The date `value` units later (negative: earlier), without wrapping. Adding
  // months or years keeps the time of day and clamps the day of month to the
  // target month's length (31 January + 1 month = 28/29 February). Days,
  // hours, minutes, seconds and nanoseconds are exact multiples of seconds.
  // `era` and `weekday` cannot be added (nullopt).
  [[nodiscard]] std::optional<Date> dateByAdding(CalendarComponent component, int64_t value,
                                                 Date date) const;

  // The difference from `from` to `to` expressed in the requested fields,
  // largest first, each truncated toward zero so that every field has the
  // sign of the difference (as a wall clock would count it). Years and months
  // count how often they can be added to `from` (with the day-of-month
  // clamping of `dateByAdding`) without passing `to`; the remaining seconds
  // are split into the fixed-length fields, rounded to the nearest
  // microsecond first so binary noise does not lose a unit. Fields not
  // requested, `era` and `weekday`, and every field when a date lies outside
  // the calendar's range, are absent. A nanosecond count that would not fit
  // 64 bits (when seconds are not requested) is absent too.
  [[nodiscard]] DateComponents dateComponents(std::initializer_list<CalendarComponent> components,
                                              Date from, Date to) const;

  // Days from 1970-01-01 for a civil date and back: the algorithms that
  // std::chrono uses, in 64 bits so that they cover years far beyond
  // std::chrono::year's +-32767. `daysFromCivil` wants a month in 1...12 and
  // |year| up to 2^40; its day may lie outside the month (day 0 is the last
  // day of the previous month). `civilFromDays` takes |days| up to 2^50.
  // Beyond those ranges a month outside 1...12 or a result that overflows 64
  // bits is a fatal stop.
  static int64_t daysFromCivil(int64_t year, int64_t month, int64_t day);
  struct CivilDay {
    int64_t year;
    int64_t month;
    int64_t day;
  };
  static CivilDay civilFromDays(int64_t days);
};

}  // namespace vorlent
