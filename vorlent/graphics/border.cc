#include "vorlent/graphics/border.h"

#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

std::ostream& operator<<(std::ostream& out, BorderPosition position) {
  switch (position) {
    case BorderPosition::top:
      return out << "top";
    case BorderPosition::bottom:
      return out << "bottom";
    case BorderPosition::left:
      return out << "left";
    case BorderPosition::right:
      return out << "right";
  }
  return out << "BorderPosition(" << static_cast<int>(position) << ")";
}

std::ostream& operator<<(std::ostream& out, const Border& border) {
  out << "Border(" << border.position << ", ";
  if (border.color) {
    out << *border.color;
  } else {
    out << "no colour";
  }
  out << ", ";
  if (border.lineWidth) {
    out << *border.lineWidth;
  } else {
    out << "no width";
  }
  return out << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::Border>::operator()(const vorlent::Border& border) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, std::hash<vorlent::BorderPosition>{}(border.position));
  vorlent::detail::hashCombine(seed, border.color.has_value());
  if (border.color) vorlent::detail::hashCombine(seed, std::hash<vorlent::Color>{}(*border.color));
  vorlent::detail::hashCombine(seed, border.lineWidth.has_value());
  if (border.lineWidth) {
    vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(*border.lineWidth));
  }
  return seed;
}
