#include "vorlent/graphics/rectangle.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "vorlent/base/fatal.h"
#include "vorlent/base/hashing.h"

namespace vorlent {

Rectangle::Rectangle(double x, double y, double width, double height)
    : origin{x + width < x ? x + width : x, y + height < y ? y + height : y},
      size{std::abs(width), std::abs(height)} {}

Rectangle::Rectangle(Point topLeft, Size extent)
    : Rectangle(topLeft.x, topLeft.y, extent.width, extent.height) {}

Rectangle Rectangle::fromEdges(double left, double top, double right, double bottom) {
  return Rectangle(left, top, right - left, bottom - top);
}

Rectangle Rectangle::movedBy(double dx, double dy) const {
  return Rectangle(left() + dx, top() + dy, width(), height());
}

Rectangle Rectangle::insetBy(double dx, double dy) const {
  return Rectangle(left() + dx, top() + dy, width() - 2 * dx, height() - 2 * dy);
}

Rectangle Rectangle::insetBy(double d) const { return insetBy(d, d); }

Rectangle Rectangle::insetBy(double dxLeft, double dxRight, double dyTop, double dyBottom) const {
  return Rectangle(left() + dxLeft, top() + dyTop, width() - (dxLeft + dxRight),
                   height() - (dyTop + dyBottom));
}

bool Rectangle::contains(const Point& point) const {
  return left() <= point.x && point.x <= right() && top() <= point.y && point.y <= bottom();
}

bool Rectangle::intersects(const Rectangle& other) const {
  return left() <= other.right() && other.left() <= right() && other.top() <= bottom() &&
         top() <= other.bottom();
}

bool Rectangle::intersects(const Line& line) const {
  return intersects(fromEdges(line.x1(), line.y1(), line.x2(), line.y2()));
}

std::optional<Rectangle> Rectangle::intersecting(const Rectangle& other) const {
  if (!intersects(other)) return std::nullopt;
  const double newLeft = std::max(left(), other.left());
  const double newTop = std::max(top(), other.top());
  return Rectangle(newLeft, newTop, std::min(right(), other.right()) - newLeft,
                   std::min(bottom(), other.bottom()) - newTop);
}

Line Rectangle::borderLine(BorderPosition position) const {
  switch (position) {
    case BorderPosition::top:
      return Line(topLeft(), topRight());
    case BorderPosition::bottom:
      return Line(bottomLeft(), bottomRight());
    case BorderPosition::left:
      return Line(topLeft(), bottomLeft());
    case BorderPosition::right:
      return Line(topRight(), bottomRight());
  }
  fatalStop("Rectangle::borderLine: unknown BorderPosition");
}

std::ostream& operator<<(std::ostream& out, const Rectangle& rectangle) {
  return out << "[" << rectangle.origin << " " << rectangle.size << "]";
}

}  // namespace vorlent

size_t std::hash<vorlent::Rectangle>::operator()(
    const vorlent::Rectangle& rectangle) const noexcept {
  size_t seed = 0;
  for (double value :
       {rectangle.origin.x, rectangle.origin.y, rectangle.size.width, rectangle.size.height}) {
    vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(value));
  }
  return seed;
}
