#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>

#include "vorlent/base/calendar.h"
#include "vorlent/base/date.h"
#include "vorlent/base/time_zone.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

class TimeScale;

// A moment on the library's grid, which knows no time zones: a count of weeks
// from the epoch, a day within that week (0 Sunday ... 6 Saturday) and the
// seconds since that day's midnight. The epoch (0, 0, 0) falls on Sunday,
// 31 December 2000, at 00:00 UTC.
//
// Midnight has two spellings: `timeOfDay == secondsPerDay` (24:00, the end of
// a day) and 0:00 of the following day. Finishes the library computes use the
// first (`asFinish`), starts the second (`asStart`), and `==`, `<` and the
// hash treat both as one moment. No other normalisation happens on
// construction: out-of-range fields (a negative `timeOfDay`, a `dayOfWeek`
// beyond 0...6) are kept and compared field by field.
//
// Week and day arithmetic is checked: a fatal stop ends the program when a
// result overflows 64 bits, a duration is not finite or the calendar has no
// such date; times between `min()` and `max()` never cause one.
struct Time {
  int64_t week = 0;
  int64_t dayOfWeek = 0;
  double timeOfDay = 0;

  constexpr Time() = default;
  constexpr Time(int64_t weeks, int64_t day, double seconds)
      : week(weeks), dayOfWeek(day), timeOfDay(seconds) {}
  // The time of day given as hours, minutes and seconds (any may exceed its
  // usual range; they are simply summed).
  Time(int64_t weeks, int64_t day, double hours, double minutes, double seconds);
  // The moment `date` denotes on the grid. Dates before the epoch are split by
  // floor division, so `dayOfWeek` is always 0...6 and `timeOfDay` in
  // [0, secondsPerDay). A non-finite date is a fatal stop.
  explicit Time(const Date& date);

  // Day numbers count days since the epoch; negative ones are split by floor
  // division (day -1 is Saturday of week -1).
  static Time fromDayNumber(int64_t dayNumber, double timeOfDay);
  static Time fromDayNumber(int64_t dayNumber, double hours, double minutes, double seconds);
  // The moment of the given Gregorian calendar fields in UTC. Fields out of
  // their usual range are resolved leniently (month 13 is January of the next
  // year, day 0 the last day of the previous month).
  static Time fromYearMonthDay(int64_t year, int64_t month, int64_t day, int64_t hour,
                               int64_t minute, int64_t second);
  // Now, read on the wall clock of `zone` (std::nullopt: the machine's zone)
  // and put on the zone-less grid as it reads.
  static Time forZone(const std::optional<TimeZone>& zone);

  // Sunday 0:00 of week -4194303.
  static constexpr Time min() { return {-4194303, 0, 0}; }
  // Saturday 24:00 of week 2^22.
  static constexpr Time max() { return {4194304, 6, secondsPerDay}; }
  // The epoch, (0, 0, 0).
  static constexpr Time reference() { return {0, 0, 0}; }
  // Monday 1 January 2001 0:00, one day after the epoch: the earliest month
  // boundary at or after it.
  static constexpr Time referenceMonthStart() { return {0, 1, 0}; }
  // `forZone(std::nullopt)`.
  static Time current();
  // The Gregorian calendar in UTC through which every calendar operation of
  // the grid goes.
  static const Calendar& calendar();

  // Days since the epoch, 7 × week + dayOfWeek; a fatal stop when that does
  // not fit 64 bits.
  static int64_t dayNumberFromWeek(int64_t week, int64_t dayOfWeek);
  // The week and the day of the week of a day number, by floor division.
  static int64_t weekOfDayNumber(int64_t dayNumber);
  static int64_t dayOfWeekOfDayNumber(int64_t dayNumber);
  static double timeOfDayFromHours(double hours, double minutes, double seconds);
  static double hoursOfDayFromTimeOfDay(double timeOfDay);
  // The same as `dayNumberFromWeek` and `hoursOfDayFromTimeOfDay`, under the
  // names of the members they compute for a given time.
  static int64_t dayNumber(int64_t week, int64_t dayOfWeek) {
    return dayNumberFromWeek(week, dayOfWeek);
  }
  static double hoursOfDay(double timeOfDay) { return hoursOfDayFromTimeOfDay(timeOfDay); }

  // Days since the epoch; overflow is a fatal stop. The setter keeps
  // `timeOfDay` and splits the number by floor division.
  [[nodiscard]] int64_t dayNumber() const;
  void setDayNumber(int64_t dayNumber);
  [[nodiscard]] double hoursOfDay() const { return timeOfDay / secondsPerHour; }
  void setHoursOfDay(double hours) { timeOfDay = hours * secondsPerHour; }

  // 24:00 (or later) becomes 0:00 of the next day; anything else is returned
  // unchanged. Inline for that usual case: every computed start and finish
  // passes through here.
  [[nodiscard]] Time asStart() const {
    if (!(timeOfDay >= secondsPerDay)) return *this;
    return carriedToNextDay();
  }
  // 0:00 (or earlier) becomes 24:00 of the previous day; anything else is
  // returned unchanged.
  [[nodiscard]] Time asFinish() const {
    if (!(timeOfDay <= 0)) return *this;
    return carriedToPreviousDay();
  }
  // Sunday 0:00 of this week.
  [[nodiscard]] Time weekStart() const;
  // Sunday 0:00 of the next week (not Saturday 24:00).
  [[nodiscard]] Time weekFinish() const;
  // 0:00 of this day; a 24:00 form gives 0:00 of the same (earlier) day.
  [[nodiscard]] Time dayStart() const;
  // 0:00 of the next day.
  [[nodiscard]] Time dayFinish() const;
  [[nodiscard]] bool isDayStart() const { return timeOfDay <= 0; }
  [[nodiscard]] bool isDayFinish() const { return timeOfDay >= secondsPerDay; }
  // 0:00 on the first of this day's month (of the year). Only the day counts:
  // the 24:00 spelling of a month's last day still gives that month's first.
  [[nodiscard]] Time monthStart() const;
  [[nodiscard]] Time yearStart() const;

  // Calendar fields of the moment in UTC (24:00 reads as the next day's 0:00).
  [[nodiscard]] int64_t year() const;
  [[nodiscard]] int64_t month() const;
  [[nodiscard]] int64_t day() const;
  [[nodiscard]] int64_t hour() const;
  [[nodiscard]] int64_t minute() const;
  [[nodiscard]] int64_t second() const;
  [[nodiscard]] int64_t component(CalendarComponent component) const;

  // Day and time kept.
  [[nodiscard]] Time addingWeeks(int64_t weeks) const;
  // Time of day kept; the result's `dayOfWeek` is always 0...6.
  [[nodiscard]] Time addingDays(int64_t days) const;
  // Always yields a time of day in [0, secondsPerDay), so landing exactly on
  // midnight gives the 0:00 spelling. A non-finite result is a fatal stop.
  [[nodiscard]] Time addingDuration(double seconds) const;
  [[nodiscard]] Time addingHours(double hours) const;
  [[nodiscard]] Time addingMinutes(double minutes) const;
  [[nodiscard]] Time addingSeconds(double seconds) const;
  [[nodiscard]] Time addingDuration(double amount, TimeUnit unit) const;
  // Calendar months and years: the day of the month is clamped to the target
  // month's length (31 May + 1 month is 30 June; 29 February + 1 year is
  // 28 February). The time of day is kept, a 24:00 form being read as
  // the next day's 0:00 first.
  [[nodiscard]] Time addingMonths(int64_t months) const;
  [[nodiscard]] Time addingYears(int64_t years) const;
  // `addingMonths` of `amount` units; overflow of the month count is a fatal
  // stop.
  [[nodiscard]] Time addingCalendarDuration(int64_t amount, CalendarTimeUnit unit) const;
  [[nodiscard]] Time addingDuration(int64_t amount, CalendarTimeUnit unit) const {
    return addingCalendarDuration(amount, unit);
  }

  // Snaps to the scale's grid in calendar time; a continuous scale returns the
  // time unchanged. A zero or non-finite period is a fatal stop.
  [[nodiscard]] Time rounded(const TimeScale& scale) const;

  // The two spellings of midnight compare equal; apart from that the time of
  // day is compared exactly.
  // Inline, for the schedule walks and sorted lookups that compare times by
  // the million: a time of day before 24:00 needs no normalising, and only a
  // 24:00 spelling (or a NaN) takes the out-of-line path.
  friend bool operator==(const Time& a, const Time& b) {
    if (a.timeOfDay < secondsPerDay && b.timeOfDay < secondsPerDay) {
      return a.week == b.week && a.dayOfWeek == b.dayOfWeek && a.timeOfDay == b.timeOfDay;
    }
    return equalNormalising(a, b);
  }
  friend bool operator<(const Time& a, const Time& b) {
    if (a.timeOfDay < secondsPerDay && b.timeOfDay < secondsPerDay) {
      if (a.week != b.week) return a.week < b.week;
      if (a.dayOfWeek != b.dayOfWeek) return a.dayOfWeek < b.dayOfWeek;
      return a.timeOfDay < b.timeOfDay;
    }
    return lessNormalising(a, b);
  }
  friend bool operator>(const Time& a, const Time& b) { return b < a; }
  friend bool operator<=(const Time& a, const Time& b) { return !(b < a); }
  friend bool operator>=(const Time& a, const Time& b) { return !(a < b); }

 private:
  // `asStart` and `asFinish` of a time that needs changing.
  [[nodiscard]] Time carriedToNextDay() const;
  [[nodiscard]] Time carriedToPreviousDay() const;
  // `==` and `<` with either spelling of midnight read as the next day's 0:00.
  static bool equalNormalising(const Time& a, const Time& b);
  static bool lessNormalising(const Time& a, const Time& b);
};

// The `Date` of a time; 24:00 gives the next day's 0:00.
[[nodiscard]] Date makeDate(const Time& time);

// Prints "(week, dayOfWeek, timeOfDay)".
std::ostream& operator<<(std::ostream& out, const Time& time);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Time> {
  // Hashes the moment with midnight in one spelling, agreeing with `==`.
  size_t operator()(const vorlent::Time& time) const noexcept;
};
