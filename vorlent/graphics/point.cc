#include "vorlent/graphics/point.h"

#include <cmath>
#include <ostream>

#include "vorlent/base/hashing.h"
#include "vorlent/graphics/line.h"
#include "vorlent/graphics/rectangle.h"

namespace vorlent {

namespace {

// |y1·x2 + (Δy·x − Δx·y) − x1·y2|: the perpendicular distance to the line
// through `line`, scaled by the line's length.
double scaledDistanceToLine(const Point& point, const Line& line) {
  const double dx = line.x2() - line.x1();
  const double dy = line.y2() - line.y1();
  return std::abs(line.y1() * line.x2() + (dy * point.x - dx * point.y) - line.x1() * line.y2());
}

}  // namespace

bool Point::isContained(const Rectangle& rectangle) const { return rectangle.contains(*this); }

bool Point::isClose(const Rectangle& rectangle, double maxDx, double maxDy) const {
  return rectangle.insetBy(-maxDx, -maxDy).contains(*this);
}

double Point::distance(const Point& other) const { return std::hypot(other.x - x, other.y - y); }

bool Point::isClose(const Point& other, double maxDistance) const {
  return distance(other) <= maxDistance;
}

double Point::distance(const Line& line) const {
  const double length = line.length();
  if (length == 0) return distance(line.p1);
  return scaledDistanceToLine(*this, line) / length;
}

bool Point::isClose(const Line& line, double maxDistance) const {
  const Rectangle box = Rectangle::fromEdges(line.x1(), line.y1(), line.x2(), line.y2());
  if (!isClose(box, maxDistance, maxDistance)) return false;
  // Inside the grown box the distance to an axis-parallel segment is bounded
  // already; any other segment has a length, so `distance` divides by it.
  if (line.isHorizontal() || line.isVertical()) return true;
  return distance(line) <= maxDistance;
}

bool Point::isClose(std::span<const Point> polyline, double maxDistance) const {
  for (size_t i = 1; i < polyline.size(); ++i) {
    if (isClose(Line(polyline[i - 1], polyline[i]), maxDistance)) return true;
  }
  return false;
}

std::ostream& operator<<(std::ostream& out, const Point& point) {
  return out << "(" << point.x << ", " << point.y << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::Point>::operator()(const vorlent::Point& point) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(point.x));
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(point.y));
  return seed;
}
