#include "vorlent/graphics/line.h"

#include <cmath>
#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

// hypot is exact for axis-parallel lines (|dx| or |dy|) and cannot overflow
// on squaring.
double Line::length() const { return std::hypot(x2() - x1(), y2() - y1()); }

std::vector<Line> lines(std::span<const Point> points) {
  std::vector<Line> result;
  if (points.size() < 2) return result;
  result.reserve(points.size() - 1);
  for (size_t i = 1; i < points.size(); ++i) result.emplace_back(points[i - 1], points[i]);
  return result;
}

std::ostream& operator<<(std::ostream& out, const Line& line) {
  return out << line.p1 << "-" << line.p2;
}

}  // namespace vorlent

size_t std::hash<vorlent::Line>::operator()(const vorlent::Line& line) const noexcept {
  size_t seed = 0;
  for (double value : {line.x1(), line.y1(), line.x2(), line.y2()}) {
    vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(value));
  }
  return seed;
}
