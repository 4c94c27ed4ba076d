#include "vorlent/base/calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>

#include "vorlent/base/fatal.h"

namespace vorlent {

namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr int64_t kMicrosecondsPerSecond = 1'000'000;
// 1970-01-01 to 2001-01-01, as an integer for the exact arithmetic here.
constexpr auto kSecondsFrom1970ToReference =
    static_cast<int64_t>(Date::kSecondsFrom1970ToReferenceDate);
// Beyond 2^53 a double no longer holds every whole second.
constexpr double kMaxMagnitude = 9007199254740992.0;  // 2^53
// Years that can be in range at all; keeps daysFromCivil far from overflow.
constexpr int64_t kMaxAbsYear = int64_t{1} << 32;

bool within(int64_t value, int64_t limit) { return value >= -limit && value <= limit; }

bool inRange(double seconds) {
  return std::isfinite(seconds) && std::fabs(seconds) <= kMaxMagnitude;
}

std::optional<Date> dateIfInRange(double seconds) {
  if (!inRange(seconds)) return std::nullopt;
  return Date(seconds);
}

std::optional<int64_t> add(int64_t a, int64_t b) {
  int64_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) return std::nullopt;
  return result;
}

std::optional<int64_t> multiply(int64_t a, int64_t b) {
  int64_t result = 0;
  if (__builtin_mul_overflow(a, b, &result)) return std::nullopt;
  return result;
}

bool isLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int64_t daysInMonth(int64_t year, int64_t month) {
  static constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// The day (from 1970) that holds a date in range, for arithmetic: the exact
// floor, no rounding, so that whole days added keep the time of day exactly.
int64_t dayOf(double seconds) {
  const double whole = std::floor(seconds);  // exact, |whole| <= 2^53
  return floorDiv(static_cast<int64_t>(whole) + kSecondsFrom1970ToReference, kSecondsPerDay);
}

// A date in range taken apart for display: whole seconds since 1970 and the
// fraction in microseconds, rounded so that 0.3 does not show as 0.2999999.
struct RoundedSeconds {
  int64_t since1970;     // |since1970| <= 2^53 + 2^30
  int64_t microseconds;  // [0, 999999]
};

RoundedSeconds splitForDisplay(double seconds) {
  double whole = std::floor(seconds);
  int64_t micro = std::llround((seconds - whole) * 1e6);  // [0, 1e6]
  if (micro == kMicrosecondsPerSecond) {
    whole += 1;
    micro = 0;
  }
  return {static_cast<int64_t>(whole) + kSecondsFrom1970ToReference, micro};
}

std::optional<double> addingMonths(double seconds, int64_t months) {
  const int64_t days = dayOf(seconds);  // |days| < 2^38
  const Calendar::CivilDay civil = Calendar::civilFromDays(days);
  const auto monthIndex = add(civil.year * 12 + (civil.month - 1), months);
  if (!monthIndex) return std::nullopt;
  const int64_t year = floorDiv(*monthIndex, 12);
  if (!within(year, kMaxAbsYear)) return std::nullopt;
  const int64_t month = floorMod(*monthIndex, 12) + 1;
  const int64_t day = std::min(civil.day, daysInMonth(year, month));
  const int64_t deltaDays = Calendar::daysFromCivil(year, month, day) - days;
  const double result = seconds + static_cast<double>(deltaDays * kSecondsPerDay);
  if (!inRange(result)) return std::nullopt;
  return result;
}

// How many steps of `stepMonths` months fit between `from` and `to` without
// passing `to`, counted toward `to` (negative when `to` is earlier).
int64_t countMonthSteps(double from, double to, int64_t stepMonths) {
  const Calendar::CivilDay a = Calendar::civilFromDays(dayOf(from));
  const Calendar::CivilDay b = Calendar::civilFromDays(dayOf(to));
  const int64_t monthDelta = (b.year - a.year) * 12 + (b.month - a.month);  // |.| < 2^40
  const bool forward = to >= from;
  const auto passes = [&](int64_t steps) {
    const auto moved = addingMonths(from, steps * stepMonths);
    if (!moved) return true;
    return forward ? *moved > to : *moved < to;
  };
  // The calendar estimate is off by at most one step either way, because a
  // step moves the day of month by at most three days; the bounded loops
  // only correct it.
  int64_t steps = monthDelta / stepMonths;
  const int64_t toward = forward ? 1 : -1;
  for (int i = 0; i < 3 && steps != 0 && passes(steps); ++i) steps -= toward;
  for (int i = 0; i < 3 && !passes(steps + toward); ++i) steps += toward;
  return steps;
}

}  // namespace

std::optional<int64_t> DateComponents::value(CalendarComponent component) const {
  switch (component) {
    case CalendarComponent::era:
      return era;
    case CalendarComponent::year:
      return year;
    case CalendarComponent::month:
      return month;
    case CalendarComponent::day:
      return day;
    case CalendarComponent::hour:
      return hour;
    case CalendarComponent::minute:
      return minute;
    case CalendarComponent::second:
      return second;
    case CalendarComponent::nanosecond:
      return nanosecond;
    case CalendarComponent::weekday:
      return weekday;
  }
  return std::nullopt;
}

void DateComponents::setValue(CalendarComponent component, std::optional<int64_t> newValue) {
  switch (component) {
    case CalendarComponent::era:
      era = newValue;
      return;
    case CalendarComponent::year:
      year = newValue;
      return;
    case CalendarComponent::month:
      month = newValue;
      return;
    case CalendarComponent::day:
      day = newValue;
      return;
    case CalendarComponent::hour:
      hour = newValue;
      return;
    case CalendarComponent::minute:
      minute = newValue;
      return;
    case CalendarComponent::second:
      second = newValue;
      return;
    case CalendarComponent::nanosecond:
      nanosecond = newValue;
      return;
    case CalendarComponent::weekday:
      weekday = newValue;
      return;
  }
}

std::ostream& operator<<(std::ostream& os, const DateComponents& components) {
  static constexpr std::pair<CalendarComponent, const char*> kNames[] = {
      {CalendarComponent::era, "era"},        {CalendarComponent::year, "year"},
      {CalendarComponent::month, "month"},    {CalendarComponent::day, "day"},
      {CalendarComponent::hour, "hour"},      {CalendarComponent::minute, "minute"},
      {CalendarComponent::second, "second"},  {CalendarComponent::nanosecond, "nanosecond"},
      {CalendarComponent::weekday, "weekday"}};
  os << "{";
  const char* separator = "";
  for (const auto& [component, name] : kNames) {
    if (const auto value = components.value(component)) {
      os << separator << name << ": " << *value;
      separator = ", ";
    }
  }
  return os << "}";
}

const Calendar& Calendar::gregorianUTC() {
  static const Calendar calendar;
  return calendar;
}

int64_t Calendar::daysFromCivil(int64_t year, int64_t month, int64_t day) {
  constexpr std::string_view kWhat = "Calendar::daysFromCivil";
  if (month < 1 || month > 12) fatalStop("Calendar::daysFromCivil: month outside 1...12");
  const int64_t y = month <= 2 ? checkedSubtract(year, 1, kWhat) : year;
  const int64_t era = floorDiv(y, 400);
  const int64_t yearOfEra = y - era * 400;  // [0, 399]
  const int64_t dayOfYear = checkedAdd((153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 - 1, day,
                                       kWhat);  // March-based
  const int64_t dayOfEra =
      checkedAdd(yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100, dayOfYear, kWhat);
  return checkedAdd(checkedMultiply(era, 146097, kWhat), checkedSubtract(dayOfEra, 719468, kWhat),
                    kWhat);
}

Calendar::CivilDay Calendar::civilFromDays(int64_t days) {
  const int64_t z = checkedAdd(days, 719468, "Calendar::civilFromDays");  // from 0000-03-01
  const int64_t era = floorDiv(z, 146097);
  const int64_t dayOfEra = z - era * 146097;  // [0, 146096]
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
  const int64_t dayOfYear =
      dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);                   // [0, 365]
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;                             // [0, 11]
  const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;                   // [1, 31]
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;  // [1, 12]
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

std::optional<Date> Calendar::date(const DateComponents& components) const {
  const int64_t month = components.month.value_or(1);
  const auto monthFromZero = add(month, -1);
  if (!monthFromZero) return std::nullopt;
  const auto year = add(components.year.value_or(1), floorDiv(*monthFromZero, 12));
  if (!year || !within(*year, kMaxAbsYear)) return std::nullopt;
  const int64_t monthOfYear = floorMod(*monthFromZero, 12) + 1;

  const auto dayOffset = add(components.day.value_or(1), -1);
  if (!dayOffset) return std::nullopt;
  const auto days = add(daysFromCivil(*year, monthOfYear, 1), *dayOffset);
  if (!days) return std::nullopt;

  const int64_t nanosecond = components.nanosecond.value_or(0);
  std::optional<int64_t> seconds = multiply(*days, kSecondsPerDay);
  const std::pair<std::optional<int64_t>, int64_t> terms[] = {
      {components.hour, kSecondsPerHour},
      {components.minute, kSecondsPerMinute},
      {components.second, 1},
  };
  for (const auto& [value, scale] : terms) {
    if (!seconds) return std::nullopt;
    const auto product = multiply(value.value_or(0), scale);
    seconds = product ? add(*seconds, *product) : std::nullopt;
  }
  if (seconds) seconds = add(*seconds, floorDiv(nanosecond, kNanosecondsPerSecond));
  if (seconds) seconds = add(*seconds, -kSecondsFrom1970ToReference);
  if (!seconds || !within(*seconds, static_cast<int64_t>(kMaxMagnitude))) return std::nullopt;
  const double fraction =
      static_cast<double>(floorMod(nanosecond, kNanosecondsPerSecond)) / 1e9;  // [0, 1)
  return dateIfInRange(static_cast<double>(*seconds) + fraction);
}

int64_t Calendar::component(CalendarComponent which, Date date) const {
  const double seconds = date.timeIntervalSinceReferenceDate;
  if (!inRange(seconds)) {
    fatalStop("calendar component asked of a date that is not finite or lies beyond 2^53 s: " +
              std::to_string(seconds));
  }
  const DateComponents all = components(date);
  return *all.value(which);
}

DateComponents Calendar::components(Date date) const {
  const double seconds = date.timeIntervalSinceReferenceDate;
  if (!inRange(seconds)) return {};
  const RoundedSeconds rounded = splitForDisplay(seconds);
  const int64_t days = floorDiv(rounded.since1970, kSecondsPerDay);
  const int64_t secondOfDay = floorMod(rounded.since1970, kSecondsPerDay);
  const CivilDay civil = civilFromDays(days);
  DateComponents result;
  result.era = civil.year >= 1 ? 1 : 0;
  result.year = civil.year;
  result.month = civil.month;
  result.day = civil.day;
  result.hour = secondOfDay / kSecondsPerHour;
  result.minute = secondOfDay % kSecondsPerHour / kSecondsPerMinute;
  result.second = secondOfDay % kSecondsPerMinute;
  result.nanosecond = rounded.microseconds * 1000;
  // 1970-01-01 was a Thursday: weekday 5 when Sunday is 1.
  result.weekday = floorMod(days + 4, 7) + 1;
  return result;
}

std::optional<Date> Calendar::dateByAdding(CalendarComponent component, int64_t value,
                                           Date date) const {
  const double seconds = date.timeIntervalSinceReferenceDate;
  if (!inRange(seconds)) return std::nullopt;
  const auto addingSeconds = [&](int64_t scale) -> std::optional<Date> {
    const auto delta = multiply(value, scale);
    if (!delta) return std::nullopt;
    return dateIfInRange(seconds + static_cast<double>(*delta));
  };
  switch (component) {
    case CalendarComponent::year: {
      const auto months = multiply(value, 12);
      if (!months) return std::nullopt;
      const auto result = addingMonths(seconds, *months);
      return result ? std::optional<Date>(Date(*result)) : std::nullopt;
    }
    case CalendarComponent::month: {
      const auto result = addingMonths(seconds, value);
      return result ? std::optional<Date>(Date(*result)) : std::nullopt;
    }
    case CalendarComponent::day:
      return addingSeconds(kSecondsPerDay);
    case CalendarComponent::hour:
      return addingSeconds(kSecondsPerHour);
    case CalendarComponent::minute:
      return addingSeconds(kSecondsPerMinute);
    case CalendarComponent::second:
      return addingSeconds(1);
    case CalendarComponent::nanosecond:
      return dateIfInRange(seconds + static_cast<double>(value) / 1e9);
    case CalendarComponent::era:
    case CalendarComponent::weekday:
      return std::nullopt;
  }
  return std::nullopt;
}

DateComponents Calendar::dateComponents(std::initializer_list<CalendarComponent> components,
                                        Date from, Date to) const {
  DateComponents result;
  const double end = to.timeIntervalSinceReferenceDate;
  double base = from.timeIntervalSinceReferenceDate;
  if (!inRange(base) || !inRange(end)) return result;
  const auto wanted = [&](CalendarComponent c) {
    return std::find(components.begin(), components.end(), c) != components.end();
  };

  // Calendar fields first: each moves the base as far as it counts.
  for (const auto& [component, stepMonths] : {std::pair{CalendarComponent::year, int64_t{12}},
                                              std::pair{CalendarComponent::month, int64_t{1}}}) {
    if (!wanted(component)) continue;
    const int64_t steps = countMonthSteps(base, end, stepMonths);
    // The steps counted do not pass `end`, so the moved base is in range.
    const auto moved = addingMonths(base, steps * stepMonths);
    if (!moved) return {};
    result.setValue(component, steps);
    base = *moved;
  }

  // Fixed-length fields from the rest, in whole seconds and microseconds with
  // the sign of the difference.
  const double remaining = end - base;  // |.| <= 2^54, exact enough
  double whole = std::trunc(remaining);
  int64_t micro = std::llround((remaining - whole) * 1e6);  // [-1e6, 1e6]
  if (std::llabs(micro) == kMicrosecondsPerSecond) {
    whole += micro > 0 ? 1 : -1;
    micro = 0;
  }
  int64_t rest = static_cast<int64_t>(whole);
  for (const auto& [component, scale] : {std::pair{CalendarComponent::day, kSecondsPerDay},
                                         std::pair{CalendarComponent::hour, kSecondsPerHour},
                                         std::pair{CalendarComponent::minute, kSecondsPerMinute},
                                         std::pair{CalendarComponent::second, int64_t{1}}}) {
    if (!wanted(component)) continue;
    result.setValue(component, rest / scale);
    rest %= scale;
  }
  if (wanted(CalendarComponent::nanosecond)) {
    const auto nanos = multiply(rest, kNanosecondsPerSecond);
    const auto total = nanos ? add(*nanos, micro * 1000) : std::nullopt;
    result.nanosecond = total;
  }
  return result;
}

}  // namespace vorlent
