#pragma once

#include <cmath>
#include <optional>
#include <span>

#include "vorlent/controllers/header_finite.h"
#include "vorlent/graphics/line.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// The segment an arrow head of a dependency line points along: the last one
// of the polyline whose two ends differ, or none when every point coincides
// (or there are fewer than two). An arrow drawn along a segment of no length
// would have no direction.
[[nodiscard]] std::optional<Line> arrowHeadSegment(std::span<const Point> polyline);

namespace detail {

// Whether the calendar can place the moment: a finite time of day, and a
// moment between `Time::min()` and `Time::max()`. Geometry is computed only
// for such moments; anything else would reach the calendar's checked
// arithmetic (a fatal stop) or give coordinates that are not finite.
[[nodiscard]] bool isPlaceable(const Time& time);
[[nodiscard]] inline bool isPlaceable(const TimeRange& range) {
  return isPlaceable(range.start) && isPlaceable(range.finish);
}

[[nodiscard]] bool isFinite(std::span<const Point> polyline);

// The smallest rectangle holding every point (all of them finite).
[[nodiscard]] Rectangle boundingBox(std::span<const Point> polyline);

// Whether an area, reaching down without end, meets the rectangle (touching
// edges count): a rectangle below the diagram still meets the time areas
// above it.
[[nodiscard]] inline bool meetsExtendedDownwards(const Rectangle& area,
                                                 const Rectangle& rectangle) {
  return area.left() <= rectangle.right() && rectangle.left() <= area.right() &&
         area.top() <= rectangle.bottom();
}

// The part of `rectangle` inside `area`, or none when they do not meet
// (touching counts: the result then has no width or height).
[[nodiscard]] inline std::optional<Rectangle> clipped(const Rectangle& rectangle,
                                                      const Rectangle& area) {
  return rectangle.intersecting(area);
}

}  // namespace detail

}  // namespace vorlent
