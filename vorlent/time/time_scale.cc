#include "vorlent/time/time_scale.h"

#include <cmath>
#include <ostream>

#include "vorlent/base/fatal.h"
#include "vorlent/base/hashing.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

double roundedBy(double value, FloatingPointRoundingRule rule) {
  if (!std::isfinite(value)) return value;
  switch (rule) {
    case FloatingPointRoundingRule::toNearestOrAwayFromZero:
      return std::round(value);
    case FloatingPointRoundingRule::toNearestOrEven: {
      // Spelled out rather than left to the floating-point environment's
      // current rounding mode.
      const double below = std::floor(value);
      const double fraction = value - below;  // exact, [0, 1)
      if (fraction < 0.5) return below;
      if (fraction > 0.5) return below + 1;
      return std::fmod(below, 2) == 0 ? below : below + 1;
    }
    case FloatingPointRoundingRule::up:
      return std::ceil(value);
    case FloatingPointRoundingRule::down:
      return std::floor(value);
    case FloatingPointRoundingRule::towardZero:
      return std::trunc(value);
    case FloatingPointRoundingRule::awayFromZero:
      return std::signbit(value) ? std::floor(value) : std::ceil(value);
  }
  return std::round(value);
}

TimeScale TimeScale::intervals(double period, TimeUnit unit, const Time& origin,
                               FloatingPointRoundingRule rule) {
  return TimeScale(Intervals{period, unit, origin, rule});
}

Time Time::rounded(const TimeScale& scale) const {
  const TimeScale::Intervals* grid = scale.asIntervals();
  if (grid == nullptr) return *this;
  const Time& origin = grid->origin;
  // Measured from the stored fields, so a 24:00 spelling is a whole day on.
  const double elapsed = TimeRange(origin, *this).duration();
  if (!(std::isfinite(grid->period) && grid->period != 0)) {
    fatalStop("Time::rounded: the scale's period is zero or non-finite");
  }
  const double steps = roundedBy(valueIn(elapsed, grid->unit) / grid->period, grid->rule);
  const double offset = seconds(grid->period * steps, grid->unit);
  // A valid period so small that the step count overflows is a grid finer
  // than a double can tell apart: every time already lies on it.
  if (!std::isfinite(offset)) return *this;
  // A valid period so large that the line lies further from the origin than
  // all of time spans is beyond either end whatever the origin; its day count
  // may not even fit 64 bits. The line is held at the end it lies beyond.
  const double allOfTime = TimeRange(Time::min(), Time::max()).duration();
  if (offset > allOfTime) return Time::max();
  if (offset < -allOfTime) return Time::min();
  return origin.addingDuration(offset);
}

std::ostream& operator<<(std::ostream& out, FloatingPointRoundingRule rule) {
  switch (rule) {
    case FloatingPointRoundingRule::toNearestOrAwayFromZero:
      return out << "toNearestOrAwayFromZero";
    case FloatingPointRoundingRule::toNearestOrEven:
      return out << "toNearestOrEven";
    case FloatingPointRoundingRule::up:
      return out << "up";
    case FloatingPointRoundingRule::down:
      return out << "down";
    case FloatingPointRoundingRule::towardZero:
      return out << "towardZero";
    case FloatingPointRoundingRule::awayFromZero:
      return out << "awayFromZero";
  }
  return out << "FloatingPointRoundingRule(" << static_cast<int>(rule) << ")";
}

std::ostream& operator<<(std::ostream& out, const TimeScale& scale) {
  const TimeScale::Intervals* grid = scale.asIntervals();
  if (grid == nullptr) return out << "continuous";
  return out << "intervals(" << grid->period << " " << grid->unit << " from " << grid->origin
             << ", " << grid->rule << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::TimeScale>::operator()(const vorlent::TimeScale& scale) const noexcept {
  size_t seed = std::hash<size_t>{}(scale.value().index());
  if (const vorlent::TimeScale::Intervals* grid = scale.asIntervals()) {
    vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(grid->period));
    vorlent::detail::hashCombine(seed, std::hash<vorlent::TimeUnit>{}(grid->unit));
    vorlent::detail::hashCombine(seed, std::hash<vorlent::Time>{}(grid->origin));
    vorlent::detail::hashCombine(seed, std::hash<vorlent::FloatingPointRoundingRule>{}(grid->rule));
  }
  return seed;
}
