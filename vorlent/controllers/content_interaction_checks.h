#pragma once

#include <cmath>

#include "vorlent/graphics/point.h"
#include "vorlent/time/time.h"

namespace vorlent::detail {

// Whether a pointer position can be hit-tested and turned into times and
// rows: hosts may hand over points with infinite or NaN coordinates.
[[nodiscard]] inline bool isFinite(const Point& point) {
  return std::isfinite(point.x) && std::isfinite(point.y);
}

// Whether a time may be handed to the calendar arithmetic and the item
// manager: a finite time of day within `Time::min()`...`Time::max()`.
[[nodiscard]] inline bool isUsable(const Time& time) {
  return std::isfinite(time.timeOfDay) && !(time < Time::min()) && !(Time::max() < time);
}

}  // namespace vorlent::detail
