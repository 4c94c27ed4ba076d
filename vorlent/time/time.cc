#include "vorlent/time/time.h"

#include <cmath>
#include <ostream>
#include <string>
#include <string_view>

#include "vorlent/base/clock.h"
#include "vorlent/base/fatal.h"
#include "vorlent/base/hashing.h"

namespace vorlent {

namespace {

// The grid's epoch as a `Date`: a day before `Date`'s own zero, 1 January
// 2001 00:00 UTC.
constexpr Date kReferenceDate(-secondsPerDay);

struct DaysAndSeconds {
  int64_t days;    // any 64-bit value
  double seconds;  // [0, secondsPerDay), never -0
};

// Below this magnitude every whole number of seconds converts to int64_t and
// back exactly.
constexpr double kExactWholeSeconds = 9007199254740992.0;  // 2^53

// Splits a count of seconds into whole days (floor) and the seconds left.
// `fmod` is exact, and the day count is derived from it rather than from a
// separately rounded division, so the two always agree; a tiny negative
// remainder that rounds up to a whole day when shifted carries into the day.
DaysAndSeconds splitSeconds(double seconds, std::string_view what) {
  // Whole seconds, which is what the calendars' tables step by, split in
  // integers: for them `fmod`, the division and the carry below are all
  // exact, so they come to this floor division and remainder, only slower.
  if (std::fabs(seconds) < kExactWholeSeconds) {
    const auto whole = static_cast<int64_t>(seconds);
    if (static_cast<double>(whole) == seconds) {
      constexpr auto kDay = static_cast<int64_t>(secondsPerDay);
      return {floorDiv(whole, kDay), static_cast<double>(floorMod(whole, kDay))};
    }
  }
  if (!std::isfinite(seconds)) fatalStop(std::string(what) + ": non-finite number of seconds");
  double rest = std::fmod(seconds, secondsPerDay);             // (-secondsPerDay, secondsPerDay)
  double days = std::round((seconds - rest) / secondsPerDay);  // whole, toward zero
  if (rest < 0) {
    rest += secondsPerDay;  // (0, secondsPerDay]
    days -= 1;
  }
  if (rest >= secondsPerDay) {
    rest = 0;
    days += 1;
  }
  if (rest == 0) rest = 0;  // drops -0
  return {checkedInt64(days, what), rest};
}

// 0:00 of the day after the given one. Only Saturday wraps into the next
// week; a day outside 0...6 just counts on, so (0, 9) becomes (0, 10), the
// same day as (1, 3), rather than jumping to the next Sunday.
Time nextDayStart(int64_t week, int64_t dayOfWeek, std::string_view what) {
  if (dayOfWeek == kSaturday) return {checkedAdd(week, 1, what), kSunday, 0};
  return {week, checkedAdd(dayOfWeek, 1, what), 0};
}

// 24:00 of the day before the given one; the mirror of `nextDayStart`.
Time previousDayFinish(int64_t week, int64_t dayOfWeek, std::string_view what) {
  if (dayOfWeek == kSunday) return {checkedSubtract(week, 1, what), kSaturday, secondsPerDay};
  return {week, checkedSubtract(dayOfWeek, 1, what), secondsPerDay};
}

// 24:00 (or any time of day past it) as 0:00 of the next day; the excess is
// dropped. Anything else is returned as stored.
Time normalisedMoment(const Time& time) {
  if (!(time.timeOfDay >= secondsPerDay)) return time;
  return nextDayStart(time.week, time.dayOfWeek, "Time: week");
}

Time timeOfDate(std::optional<Date> date, std::string_view what) {
  if (!date) fatalStop(std::string(what) + ": the calendar has no such date");
  return Time(*date);
}

}  // namespace

Time::Time(int64_t weeks, int64_t day, double hours, double minutes, double seconds)
    : week(weeks), dayOfWeek(day), timeOfDay(timeOfDayFromHours(hours, minutes, seconds)) {}

Time::Time(const Date& date) {
  const auto [days, seconds] =
      splitSeconds(date.timeIntervalSinceReferenceDate, "Time(Date): day count");
  // Days since the platform's reference date; the epoch is one day earlier.
  const int64_t dayNumber = checkedAdd(days, 1, "Time(Date): day count");
  week = weekOfDayNumber(dayNumber);
  dayOfWeek = dayOfWeekOfDayNumber(dayNumber);
  timeOfDay = seconds;
}

Time Time::fromDayNumber(int64_t dayNumber, double timeOfDay) {
  return {weekOfDayNumber(dayNumber), dayOfWeekOfDayNumber(dayNumber), timeOfDay};
}

Time Time::fromDayNumber(int64_t dayNumber, double hours, double minutes, double seconds) {
  return fromDayNumber(dayNumber, timeOfDayFromHours(hours, minutes, seconds));
}

Time Time::fromYearMonthDay(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                            int64_t second) {
  DateComponents components;
  components.year = year;
  components.month = month;
  components.day = day;
  components.hour = hour;
  components.minute = minute;
  components.second = second;
  return timeOfDate(calendar().date(components), "Time::fromYearMonthDay");
}

Time Time::forZone(const std::optional<TimeZone>& zone) {
  const Date now = Clock::now();
  const TimeZone& inZone = zone ? *zone : TimeZone::current();
  return Time(now.addingTimeInterval(inZone.secondsFromGMT(now)));
}

Time Time::current() { return forZone(std::nullopt); }

const Calendar& Time::calendar() { return Calendar::gregorianUTC(); }

int64_t Time::dayNumberFromWeek(int64_t week, int64_t dayOfWeek) {
  // For negative weeks, (week + 1) × 7 + (dayOfWeek − 7): the same number,
  // but it does not overflow for the lowest weeks whose day numbers still fit.
  if (week < 0) {
    return checkedAdd(checkedMultiply(week + 1, 7, "Time: day number"),
                      checkedSubtract(dayOfWeek, 7, "Time: day number"), "Time: day number");
  }
  return checkedAdd(checkedMultiply(week, 7, "Time: day number"), dayOfWeek, "Time: day number");
}

int64_t Time::weekOfDayNumber(int64_t dayNumber) { return floorDiv(dayNumber, 7); }

// floorMod is built on `%`, so even the lowest 64-bit day numbers cannot
// overflow here.
int64_t Time::dayOfWeekOfDayNumber(int64_t dayNumber) { return floorMod(dayNumber, 7); }

double Time::timeOfDayFromHours(double hours, double minutes, double seconds) {
  return minutes * 60 + hours * secondsPerHour + seconds;
}

double Time::hoursOfDayFromTimeOfDay(double timeOfDay) { return timeOfDay / secondsPerHour; }

int64_t Time::dayNumber() const { return dayNumberFromWeek(week, dayOfWeek); }

void Time::setDayNumber(int64_t dayNumber) {
  week = weekOfDayNumber(dayNumber);
  dayOfWeek = dayOfWeekOfDayNumber(dayNumber);
}

Time Time::carriedToNextDay() const {
  return vorlent::nextDayStart(week, dayOfWeek, "Time::asStart: week");
}

Time Time::carriedToPreviousDay() const {
  return vorlent::previousDayFinish(week, dayOfWeek, "Time::asFinish: week");
}

Time Time::weekStart() const { return {week, 0, 0}; }

Time Time::weekFinish() const { return {checkedAdd(week, 1, "Time::weekFinish: week"), 0, 0}; }

Time Time::dayStart() const { return {week, dayOfWeek, 0}; }

Time Time::dayFinish() const { return dayStart().addingDays(1); }

Time Time::monthStart() const {
  const Date dayDate = makeDate(dayStart());
  const int64_t dayOfMonth = calendar().component(CalendarComponent::day, dayDate);  // [1, 31]
  return timeOfDate(calendar().dateByAdding(CalendarComponent::day, 1 - dayOfMonth, dayDate),
                    "Time::monthStart");
}

Time Time::yearStart() const {
  const Date monthDate = makeDate(monthStart());
  const int64_t month = calendar().component(CalendarComponent::month, monthDate);  // [1, 12]
  return timeOfDate(calendar().dateByAdding(CalendarComponent::month, 1 - month, monthDate),
                    "Time::yearStart");
}

int64_t Time::year() const { return component(CalendarComponent::year); }
int64_t Time::month() const { return component(CalendarComponent::month); }
int64_t Time::day() const { return component(CalendarComponent::day); }
int64_t Time::hour() const { return component(CalendarComponent::hour); }
int64_t Time::minute() const { return component(CalendarComponent::minute); }
int64_t Time::second() const { return component(CalendarComponent::second); }

int64_t Time::component(CalendarComponent calendarComponent) const {
  return calendar().component(calendarComponent, makeDate(*this));
}

Time Time::addingWeeks(int64_t weeks) const {
  return {checkedAdd(week, weeks, "Time::addingWeeks: week"), dayOfWeek, timeOfDay};
}

Time Time::addingDays(int64_t days) const {
  const int64_t day = checkedAdd(dayOfWeek, days, "Time::addingDays: day");
  return {checkedAdd(week, weekOfDayNumber(day), "Time::addingDays: week"),
          dayOfWeekOfDayNumber(day), timeOfDay};
}

Time Time::addingDuration(double seconds) const {
  const auto [days, rest] = splitSeconds(timeOfDay + seconds, "Time::addingDuration: day count");
  Time result = addingDays(days);
  result.timeOfDay = rest;
  return result;
}

Time Time::addingHours(double hours) const { return addingDuration(hours * secondsPerHour); }

Time Time::addingMinutes(double minutes) const { return addingDuration(minutes * 60); }

Time Time::addingSeconds(double seconds) const { return addingDuration(seconds); }

Time Time::addingDuration(double amount, TimeUnit unit) const {
  return addingDuration(vorlent::seconds(amount, unit));
}

Time Time::addingMonths(int64_t months) const {
  return timeOfDate(calendar().dateByAdding(CalendarComponent::month, months, makeDate(*this)),
                    "Time::addingMonths");
}

Time Time::addingYears(int64_t years) const {
  return timeOfDate(calendar().dateByAdding(CalendarComponent::year, years, makeDate(*this)),
                    "Time::addingYears");
}

Time Time::addingCalendarDuration(int64_t amount, CalendarTimeUnit unit) const {
  return addingMonths(months(amount, unit));
}

bool Time::equalNormalising(const Time& a, const Time& b) {
  const Time x = normalisedMoment(a);
  const Time y = normalisedMoment(b);
  return x.week == y.week && x.dayOfWeek == y.dayOfWeek && x.timeOfDay == y.timeOfDay;
}

bool Time::lessNormalising(const Time& a, const Time& b) {
  const Time x = normalisedMoment(a);
  const Time y = normalisedMoment(b);
  if (x.week != y.week) return x.week < y.week;
  if (x.dayOfWeek != y.dayOfWeek) return x.dayOfWeek < y.dayOfWeek;
  return x.timeOfDay < y.timeOfDay;
}

Date makeDate(const Time& time) {
  const std::optional<Date> day =
      Time::calendar().dateByAdding(CalendarComponent::day, time.dayNumber(), kReferenceDate);
  if (!day) fatalStop("makeDate(Time): the calendar has no such date");
  // The seconds are added to the day's date, so a 24:00 spelling becomes the
  // following day's midnight.
  return day->addingTimeInterval(time.timeOfDay);
}

std::ostream& operator<<(std::ostream& out, const Time& time) {
  const auto precision = out.precision(15);
  out << "(" << time.week << ", " << time.dayOfWeek << ", " << time.timeOfDay << ")";
  out.precision(precision);
  return out;
}

}  // namespace vorlent

size_t std::hash<vorlent::Time>::operator()(const vorlent::Time& time) const noexcept {
  const vorlent::Time moment = vorlent::normalisedMoment(time);
  size_t seed = std::hash<int64_t>{}(moment.week);
  vorlent::detail::hashCombine(seed, std::hash<int64_t>{}(moment.dayOfWeek));
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(moment.timeOfDay));
  return seed;
}
