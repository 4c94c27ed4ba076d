#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <span>

namespace vorlent {

struct Line;
struct Rectangle;

// A position in canvas coordinates, y increasing downwards. An aggregate, so
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
  // A segment whose ends coincide defines no line; the distance to that one
  // point is returned instead.
  [[nodiscard]] double distance(const Line& line) const;

  // Closeness to the segment: the point must lie within the segment's
  // bounding box grown by maxDistance on every side, and (unless the segment
  // is horizontal or vertical, where the box already bounds the distance)
  // within maxDistance of the segment's line. Points beyond a segment's ends
  // are therefore close only inside that grown box.
  [[nodiscard]] bool isClose(const Line& line, double maxDistance) const;

  // True when some segment between neighbouring points passes the
  // single-segment test above. Fewer than two points make no segment and
  // nothing is close.
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
