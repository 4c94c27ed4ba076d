#include "vorlent/time/time_range.h"

#include <ostream>

#include "vorlent/base/fatal.h"
#include "vorlent/base/hashing.h"

namespace vorlent {

namespace {

bool within(const TimeRange& range, const Time& time) {
  return range.start <= time && time <= range.finish;
}

}  // namespace

TimeRange TimeRange::forZone(const std::optional<TimeZone>& zone) {
  const int64_t week = Time::forZone(zone).week;
  return {Time(week, 0, 0), Time(checkedAdd(week, 1, "TimeRange::forZone: week"), 0, 0)};
}

TimeRange TimeRange::currentWeek() { return forZone(std::nullopt); }

double TimeRange::duration() const {
  const int64_t weeks = checkedSubtract(finish.week, start.week, "TimeRange::duration: weeks");
  const int64_t days = checkedSubtract(finish.dayOfWeek, start.dayOfWeek, "TimeRange::duration");
  const int64_t allDays =
      checkedAdd(checkedMultiply(weeks, 7, "TimeRange::duration"), days, "TimeRange::duration");
  return static_cast<double>(allDays) * secondsPerDay + (finish.timeOfDay - start.timeOfDay);
}

double TimeRange::duration(TimeUnit unit) const { return valueIn(duration(), unit); }

bool TimeRange::contains(const Time& time) const { return within(*this, time); }

bool TimeRange::intersects(const TimeRange& other) const {
  return within(*this, other.start) || within(*this, other.finish) || within(other, start) ||
         within(other, finish);
}

std::optional<TimeRange> TimeRange::intersecting(const TimeRange& other) const {
  if (!intersects(other)) return std::nullopt;
  return TimeRange(other.start >= start ? other.start : start,
                   other.finish >= finish ? finish : other.finish);
}

TimeRange TimeRange::shiftingByDuration(double seconds) const {
  return {start.addingDuration(seconds), finish.addingDuration(seconds)};
}

TimeRange TimeRange::shiftingByDays(int64_t days) const {
  return {start.addingDays(days), finish.addingDays(days)};
}

TimeRange TimeRange::shiftingByWeeks(int64_t weeks) const {
  return {start.addingWeeks(weeks), finish.addingWeeks(weeks)};
}

TimeRange TimeRange::shiftingByHours(double hours) const {
  return {start.addingHours(hours), finish.addingHours(hours)};
}

TimeRange TimeRange::shiftingByMinutes(double minutes) const {
  return {start.addingMinutes(minutes), finish.addingMinutes(minutes)};
}

TimeRange TimeRange::shiftingBySeconds(double seconds) const {
  return {start.addingSeconds(seconds), finish.addingSeconds(seconds)};
}

TimeRange TimeRange::shiftingByDuration(double amount, TimeUnit unit) const {
  return {start.addingDuration(amount, unit), finish.addingDuration(amount, unit)};
}

TimeRange TimeRange::shiftingByMonths(int64_t months) const {
  return {start.addingMonths(months), finish.addingMonths(months)};
}

TimeRange TimeRange::shiftingByYears(int64_t years) const {
  return {start.addingYears(years), finish.addingYears(years)};
}

TimeRange TimeRange::shiftingByCalendarDuration(int64_t amount, CalendarTimeUnit unit) const {
  return {start.addingCalendarDuration(amount, unit), finish.addingCalendarDuration(amount, unit)};
}

std::ostream& operator<<(std::ostream& out, const TimeRange& range) {
  return out << "[" << range.start << ", " << range.finish << "]";
}

}  // namespace vorlent

size_t std::hash<vorlent::TimeRange>::operator()(const vorlent::TimeRange& range) const noexcept {
  size_t seed = std::hash<vorlent::Time>{}(range.start);
  vorlent::detail::hashCombine(seed, std::hash<vorlent::Time>{}(range.finish));
  return seed;
}
