#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <iosfwd>

namespace vorlent {

// A moment in absolute time: seconds since 1 January 2001 00:00:00 UTC (the
// reference date), as a double. Carries no zone and no calendar.
struct Date {
  double timeIntervalSinceReferenceDate = 0;

  Date() = default;
  constexpr explicit Date(double secondsSinceReferenceDate)
      : timeIntervalSinceReferenceDate(secondsSinceReferenceDate) {}

  // Seconds between 1970-01-01 and 2001-01-01, both UTC.
  static constexpr double kSecondsFrom1970ToReferenceDate = 978307200.0;

  static Date fromTimeIntervalSince1970(double seconds) {
    return Date(seconds - kSecondsFrom1970ToReferenceDate);
  }
  [[nodiscard]] double timeIntervalSince1970() const {
    return timeIntervalSinceReferenceDate + kSecondsFrom1970ToReferenceDate;
  }
  [[nodiscard]] Date addingTimeInterval(double seconds) const {
    return Date(timeIntervalSinceReferenceDate + seconds);
  }
  [[nodiscard]] double timeIntervalSince(const Date& other) const {
    return timeIntervalSinceReferenceDate - other.timeIntervalSinceReferenceDate;
  }

  friend bool operator==(const Date&, const Date&) = default;
  friend auto operator<=>(const Date&, const Date&) = default;
};

// Prints the seconds since the reference date, at full precision.
std::ostream& operator<<(std::ostream& os, const Date& date);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Date> {
  size_t operator()(const vorlent::Date& d) const noexcept {
    // -0 and +0 compare equal, so they must hash alike.
    const double v = d.timeIntervalSinceReferenceDate == 0 ? 0.0 : d.timeIntervalSinceReferenceDate;
    return std::hash<double>{}(v);
  }
};
