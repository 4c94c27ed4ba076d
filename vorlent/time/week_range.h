#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>

namespace vorlent {

// A run of days of the week, both ends inclusive (0 Sunday ... 6 Saturday):
// the working days of a schedule.
struct WeekRange {
  int64_t start = 0;
  int64_t finish = 6;

  constexpr WeekRange() = default;
  // A std::nullopt start means Sunday (0), a std::nullopt finish Saturday (6).
  constexpr WeekRange(std::optional<int64_t> from, std::optional<int64_t> to)
      : start(from.value_or(0)), finish(to.value_or(6)) {}

  // Sunday to Saturday.
  static constexpr WeekRange continuous() { return {0, 6}; }
  // Monday to Friday.
  static constexpr WeekRange standard() { return {1, 5}; }

  // Days in the range, finish + 1 - start; overflow is a fatal stop.
  [[nodiscard]] int64_t duration() const;
  // Covers Sunday through Saturday (or more).
  [[nodiscard]] bool isContinuous() const { return start < 1 && finish > 5; }
  [[nodiscard]] bool contains(int64_t day) const { return start <= day && day <= finish; }
  // Ranges that only touch (share one day) intersect.
  [[nodiscard]] bool intersects(const WeekRange& other) const;
  [[nodiscard]] std::optional<WeekRange> intersecting(const WeekRange& other) const;
  [[nodiscard]] bool isEntropic() const { return finish >= start; }

  friend bool operator==(const WeekRange&, const WeekRange&) = default;
};

std::ostream& operator<<(std::ostream& out, const WeekRange& range);

}  // namespace vorlent

template <>
struct std::hash<vorlent::WeekRange> {
  size_t operator()(const vorlent::WeekRange& range) const noexcept;
};
