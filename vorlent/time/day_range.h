#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>

#include "vorlent/time/time_constants.h"

namespace vorlent {

// A span of the day in seconds since 0:00, both ends inclusive: the working
// hours of a schedule.
struct DayRange {
  double start = 0;
  double finish = secondsPerDay;

  constexpr DayRange() = default;
  // A std::nullopt start means 0:00, a std::nullopt finish 24:00.
  constexpr DayRange(std::optional<double> from, std::optional<double> to)
      : start(from.value_or(0)), finish(to.value_or(secondsPerDay)) {}

  // 0:00 to 24:00.
  static constexpr DayRange continuous() { return {0.0, secondsPerDay}; }
  // 8:00 to 16:00.
  static constexpr DayRange standard() { return {8 * secondsPerHour, 16 * secondsPerHour}; }

  // Seconds, finish - start (negative when reversed).
  [[nodiscard]] double duration() const { return finish - start; }
  // Covers the whole day (or more).
  [[nodiscard]] bool isContinuous() const { return start <= 0 && finish >= secondsPerDay; }
  [[nodiscard]] bool contains(double seconds) const {
    return start <= seconds && seconds <= finish;
  }
  // Ranges that only touch intersect.
  [[nodiscard]] bool intersects(const DayRange& other) const;
  [[nodiscard]] std::optional<DayRange> intersecting(const DayRange& other) const;
  [[nodiscard]] bool isEntropic() const { return start <= finish; }
  [[nodiscard]] bool isMomentary() const { return start == finish; }

  friend bool operator==(const DayRange&, const DayRange&) = default;
};

std::ostream& operator<<(std::ostream& out, const DayRange& range);

}  // namespace vorlent

template <>
struct std::hash<vorlent::DayRange> {
  // -0 hashes as 0, agreeing with `==`.
  size_t operator()(const vorlent::DayRange& range) const noexcept;
};
