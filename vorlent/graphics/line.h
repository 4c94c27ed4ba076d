#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <span>
#include <vector>

#include "vorlent/graphics/point.h"

namespace vorlent {

// A segment from p1 to p2 (direction kept: p1 need not be the top-left end).
struct Line {
  Point p1;
  Point p2;

  constexpr Line() = default;
  constexpr Line(Point from, Point to) : p1(from), p2(to) {}
  constexpr Line(double x1, double y1, double x2, double y2) : p1{x1, y1}, p2{x2, y2} {}

  [[nodiscard]] constexpr double x1() const { return p1.x; }
  [[nodiscard]] constexpr double y1() const { return p1.y; }
  [[nodiscard]] constexpr double x2() const { return p2.x; }
  [[nodiscard]] constexpr double y2() const { return p2.y; }

  [[nodiscard]] constexpr bool isHorizontal() const { return p1.y == p2.y; }
  [[nodiscard]] constexpr bool isVertical() const { return p1.x == p2.x; }

  // Euclidean length; exactly |x2 - x1| for a horizontal line and |y2 - y1|
  // for a vertical one.
  [[nodiscard]] double length() const;

  friend bool operator==(const Line&, const Line&) = default;
};

// A polyline cut into its segments, one per pair of neighbouring points: n
// points give n - 1 lines, and a single point or none gives no line.
[[nodiscard]] std::vector<Line> lines(std::span<const Point> points);

std::ostream& operator<<(std::ostream& out, const Line& line);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Line> {
  // Hashes x1, y1, x2, y2 in order, with -0 hashed as 0 to agree with ==.
  size_t operator()(const vorlent::Line& line) const noexcept;
};
