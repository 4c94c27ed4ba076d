#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>

#include "vorlent/graphics/border.h"
#include "vorlent/graphics/line.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/size.h"

namespace vorlent {

// An axis-aligned rectangle in canvas coordinates, where y increases towards
// the bottom and `top()` is therefore the lesser y. Constructors and
// transforms never leave a negative width or height; they shift the origin
// instead: a candidate (x, y, w, h) with w < 0 is
// stored as (x + w, y, -w, h), and likewise for h. Assigning `origin` or
// `size` directly stores what it is given, unnormalised.
struct Rectangle {
  Point origin;
  Size size;

  constexpr Rectangle() = default;
  Rectangle(double x, double y, double width, double height);  // normalised
  Rectangle(Point topLeft, Size extent);                       // normalised
  // Edges may be given in either order: (5, 8, 1, 2) is (1, 2, 4, 6).
  [[nodiscard]] static Rectangle fromEdges(double left, double top, double right, double bottom);

  [[nodiscard]] constexpr double left() const { return origin.x; }
  [[nodiscard]] constexpr double top() const { return origin.y; }
  [[nodiscard]] constexpr double width() const { return size.width; }
  [[nodiscard]] constexpr double height() const { return size.height; }
  [[nodiscard]] constexpr double right() const { return origin.x + size.width; }
  [[nodiscard]] constexpr double bottom() const { return origin.y + size.height; }
  [[nodiscard]] constexpr double centerX() const { return origin.x + size.width * 0.5; }
  [[nodiscard]] constexpr double centerY() const { return origin.y + size.height * 0.5; }

  [[nodiscard]] constexpr Point topLeft() const { return origin; }
  [[nodiscard]] constexpr Point topRight() const { return Point{right(), top()}; }
  [[nodiscard]] constexpr Point bottomLeft() const { return Point{left(), bottom()}; }
  [[nodiscard]] constexpr Point bottomRight() const { return Point{right(), bottom()}; }
  [[nodiscard]] constexpr Point centerLeft() const { return Point{left(), centerY()}; }
  [[nodiscard]] constexpr Point centerRight() const { return Point{right(), centerY()}; }
  [[nodiscard]] constexpr Point topCenter() const { return Point{centerX(), top()}; }
  [[nodiscard]] constexpr Point bottomCenter() const { return Point{centerX(), bottom()}; }
  [[nodiscard]] constexpr Point center() const { return Point{centerX(), centerY()}; }

  [[nodiscard]] Rectangle movedBy(double dx, double dy) const;
  // (x + dx, y + dy, width - 2dx, height - 2dy), normalised. A negative inset
  // enlarges; an inset of more than half the size flips the rectangle over
  // instead of shrinking it to nothing: [0, 4] inset by 3 becomes [1, 3].
  [[nodiscard]] Rectangle insetBy(double dx, double dy) const;
  [[nodiscard]] Rectangle insetBy(double d) const;
  [[nodiscard]] Rectangle insetBy(double dxLeft, double dxRight, double dyTop,
                                  double dyBottom) const;

  // Edges included.
  [[nodiscard]] bool contains(const Point& point) const;
  // Edges included: rectangles that only touch intersect.
  [[nodiscard]] bool intersects(const Rectangle& other) const;
  // A bounding-box test: true when the line's bounding rectangle intersects
  // this one, so a diagonal line that passes beside a corner still counts.
  [[nodiscard]] bool intersects(const Line& line) const;
  // The overlap, or nullopt when the rectangles do not intersect; rectangles
  // sharing only an edge give a zero-width (or zero-height) rectangle on it.
  [[nodiscard]] std::optional<Rectangle> intersecting(const Rectangle& other) const;

  // The edge at `position`, always running left to right or top to bottom.
  [[nodiscard]] Line borderLine(BorderPosition position) const;

  friend bool operator==(const Rectangle&, const Rectangle&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rectangle& rectangle);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Rectangle> {
  // Hashes x, y, width, height in order, with -0 hashed as 0 to agree with ==.
  size_t operator()(const vorlent::Rectangle& rectangle) const noexcept;
};
