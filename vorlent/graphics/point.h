#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <span>

namespace vorlent {

struct Line;
struct Rectangle;

// A point on the chart's flipped canvas: y grows downward. An aggregate, so
// `Point{x, y}` and `Point(x, y)` both work; equality compares both fields
// exactly (so -0 equals 0, and a NaN coordinate equals nothing).
struct Point {
  double x = 0;
  double y = 0;

  static constexpr Point origin() { return Point{0, 0}; }

  [[nodiscard]] constexpr Point movedBy(double dx, double dy) const {
    return Point{x + dx, y + dy};
  }

  // Edges count: a rectangle contains its own corners.
  [[nodiscard]] bool isContained(const Rectangle& rectangle) const;

  // True when the rectangle, grown by maxDx left and right and maxDy above
  // and below, contains the point. Negative amounts shrink the rectangle
  // (normalised, so an over-shrunk rectangle turns inside out, not empty).
  [[nodiscard]] bool isClose(const Rectangle& rectangle, double maxDx, double maxDy) const;

  // Euclidean distance; exactly |dx| or |dy| when the points share a row or
  // column.
  [[nodiscard]] double distance(const Point& other) const;
  [[nodiscard]] bool isClose(const Point& other, double maxDistance) const;

  // Perpendicular distance to the infinite line through the segment's ends.
  // For a line of zero length (p1 == p2) there is no direction, so this is
  // the distance to that single point instead.
  [[nodiscard]] double distance(const Line& line) const;

  // Closeness to the segment: the point must lie within the segment's
  // bounding box grown by maxDistance on every side, and (unless the segment
  // is horizontal or vertical, where the box already bounds the distance)
  // within maxDistance of the segment's line. Points beyond a segment's ends
  // are therefore close only inside that grown box.
  [[nodiscard]] bool isClose(const Line& line, double maxDistance) const;

  // Closeness to a polyline: close, by the segment rule, to any of its
  // consecutive segments. A polyline of fewer than two points has no
  // segments, so nothing is close to it.
  [[nodiscard]] bool isClose(std::span<const Point> polyline, double maxDistance) const;

  friend bool operator==(const Point&, const Point&) = default;
};

std::ostream& operator<<(std::ostream& out, const Point& point);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Point> {
  // Hashes x then y, with -0 hashed as 0 to agree with ==.
  size_t operator()(const vorlent::Point& point) const noexcept;
};
