#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <variant>

#include "vorlent/time/time.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// How a quotient is turned into a whole number of grid steps.
enum class FloatingPointRoundingRule {
  toNearestOrAwayFromZero,  // halves away from zero
  toNearestOrEven,          // halves to the even neighbour
  up,                       // ceiling
  down,                     // floor
  towardZero,               // truncation
  awayFromZero,             // ceiling for +0 and above, floor below
};

// Rounds `value` to a whole number by `rule`; non-finite values pass through.
[[nodiscard]] double roundedBy(double value, FloatingPointRoundingRule rule);

// Where edited times may land: anywhere (`continuous`, also the default) or
// on multiples of `period` units before and after `origin`, picked by a
// rounding rule.
class TimeScale {
 public:
  struct Intervals {
    double period = 1;
    TimeUnit unit = TimeUnit::days;
    Time origin;
    FloatingPointRoundingRule rule = FloatingPointRoundingRule::toNearestOrAwayFromZero;

    // The origin compares as `Time` does, either spelling of midnight
    // matching.
    friend bool operator==(const Intervals&, const Intervals&) = default;
  };
  struct Continuous {
    friend bool operator==(const Continuous&, const Continuous&) = default;
  };
  using Value = std::variant<Intervals, Continuous>;

  TimeScale() : value_(Continuous{}) {}

  // A valid grid has a finite, non-zero period; snapping on any other is a
  // fatal stop.
  static TimeScale intervals(double period, TimeUnit unit, const Time& origin,
                             FloatingPointRoundingRule rule);
  static TimeScale continuous() { return TimeScale(); }
  // The same as `intervals`.
  static TimeScale intervalsWith(double period, TimeUnit unit, const Time& origin,
                                 FloatingPointRoundingRule rule) {
    return intervals(period, unit, origin, rule);
  }

  [[nodiscard]] const Value& value() const { return value_; }
  [[nodiscard]] bool isContinuous() const { return std::holds_alternative<Continuous>(value_); }
  // The grid, or null for a continuous scale.
  [[nodiscard]] const Intervals* asIntervals() const { return std::get_if<Intervals>(&value_); }

  friend bool operator==(const TimeScale&, const TimeScale&) = default;

 private:
  explicit TimeScale(Value value) : value_(value) {}
  Value value_;
};

std::ostream& operator<<(std::ostream& out, FloatingPointRoundingRule rule);
std::ostream& operator<<(std::ostream& out, const TimeScale& scale);

}  // namespace vorlent

template <>
struct std::hash<vorlent::TimeScale> {
  // Hashes the case and, for a grid, its period, unit, normalised origin and
  // rule, agreeing with `==`.
  size_t operator()(const vorlent::TimeScale& scale) const noexcept;
};
