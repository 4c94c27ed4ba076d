#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>

#include "vorlent/base/time_zone.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// A span between two times, both ends inclusive. The ends are stored as given:
// never ordered and never normalised, so a finish held as 24:00 stays 24:00.
struct TimeRange {
  Time start;
  Time finish;

  constexpr TimeRange() = default;
  constexpr TimeRange(const Time& from, const Time& to) : start(from), finish(to) {}

  // The Sunday-to-Sunday week around `Time::forZone(zone)`, from its first
  // 0:00 to the following week's.
  static TimeRange forZone(const std::optional<TimeZone>& zone);
  // `forZone(std::nullopt)`.
  static TimeRange currentWeek();

  // Seconds from start to finish, counting stored fields (so 24:00 is a full
  // day); negative when the finish lies before the start.
  [[nodiscard]] double duration() const;
  [[nodiscard]] double duration(TimeUnit unit) const;
  [[nodiscard]] bool contains(const Time& time) const;
  // Ranges that only touch intersect.
  [[nodiscard]] bool intersects(const TimeRange& other) const;
  // The common part, or std::nullopt when the ranges do not intersect. Where
  // two ends are the same moment, `other` supplies the start and this range
  // the finish; that choice settles whether midnight comes back as 24:00 or
  // 0:00.
  [[nodiscard]] std::optional<TimeRange> intersecting(const TimeRange& other) const;
  [[nodiscard]] bool isMomentary() const { return start == finish; }
  // start <= finish.
  [[nodiscard]] bool isEntropic() const { return !(finish < start); }

  // Shift both ends with the matching `Time::adding...` operation. Month and
  // year shifts go through the calendar end by end, so the range may grow or
  // shrink in seconds.
  [[nodiscard]] TimeRange shiftingByDuration(double seconds) const;
  [[nodiscard]] TimeRange shiftingByDays(int64_t days) const;
  [[nodiscard]] TimeRange shiftingByWeeks(int64_t weeks) const;
  [[nodiscard]] TimeRange shiftingByHours(double hours) const;
  [[nodiscard]] TimeRange shiftingByMinutes(double minutes) const;
  [[nodiscard]] TimeRange shiftingBySeconds(double seconds) const;
  [[nodiscard]] TimeRange shiftingByDuration(double amount, TimeUnit unit) const;
  [[nodiscard]] TimeRange shiftingByMonths(int64_t months) const;
  [[nodiscard]] TimeRange shiftingByYears(int64_t years) const;
  [[nodiscard]] TimeRange shiftingByCalendarDuration(int64_t amount, CalendarTimeUnit unit) const;
  [[nodiscard]] TimeRange shiftingByDuration(int64_t amount, CalendarTimeUnit unit) const {
    return shiftingByCalendarDuration(amount, unit);
  }

  // Compares the ends as `Time` does, so either spelling of midnight
  // matches.
  friend bool operator==(const TimeRange& a, const TimeRange& b) {
    return a.start == b.start && a.finish == b.finish;
  }
};

// Prints "[start, finish]".
std::ostream& operator<<(std::ostream& out, const TimeRange& range);

}  // namespace vorlent

template <>
struct std::hash<vorlent::TimeRange> {
  // Hashes both ends normalised, agreeing with `==`.
  size_t operator()(const vorlent::TimeRange& range) const noexcept;
};
