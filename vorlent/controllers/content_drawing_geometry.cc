#include "vorlent/controllers/content_drawing_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorlent {

std::optional<Line> arrowHeadSegment(std::span<const Point> polyline) {
  for (size_t end = polyline.size(); end >= 2; --end) {
    const Point& tip = polyline[end - 1];
    const Point& tail = polyline[end - 2];
    if (!(tip == tail)) return Line(tail, tip);
  }
  return std::nullopt;
}

namespace detail {

bool isPlaceable(const Time& time) {
  // Fields far out of their usual ranges are refused before any arithmetic:
  // a day or time of day that carries the moment beyond the grid would make
  // the calendar's checked arithmetic stop.
  constexpr double kTimeOfDayLimit = 1e9;  // about 31 years of seconds
  constexpr int64_t kDayLimit = 10'000'000;
  if (!std::isfinite(time.timeOfDay) || std::abs(time.timeOfDay) > kTimeOfDayLimit) return false;
  if (time.week < Time::min().week || time.week > Time::max().week) return false;
  if (time.dayOfWeek < -kDayLimit || time.dayOfWeek > kDayLimit) return false;
  return !(time < Time::min()) && !(Time::max() < time);
}

bool isFinite(std::span<const Point> polyline) {
  return std::all_of(polyline.begin(), polyline.end(), [](const Point& point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
  });
}

Rectangle boundingBox(std::span<const Point> polyline) {
  if (polyline.empty()) return Rectangle();
  double left = polyline.front().x;
  double right = left;
  double top = polyline.front().y;
  double bottom = top;
  for (const Point& point : polyline.subspan(1)) {
    left = std::min(left, point.x);
    right = std::max(right, point.x);
    top = std::min(top, point.y);
    bottom = std::max(bottom, point.y);
  }
  return Rectangle::fromEdges(left, top, right, bottom);
}

}  // namespace detail

}  // namespace vorlent
