#pragma once

#include <cmath>

#include "vorlent/graphics/line.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"

namespace vorlent::detail {

// Whether every coordinate is finite: geometry that is not never reaches a
// presenter or the viewport.
inline bool isFinite(const Size& s) { return std::isfinite(s.width) && std::isfinite(s.height); }
inline bool isFinite(const Rectangle& r) {
  return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && isFinite(r.size);
}
inline bool isFinite(const Line& l) {
  return std::isfinite(l.p1.x) && std::isfinite(l.p1.y) && std::isfinite(l.p2.x) &&
         std::isfinite(l.p2.y);
}

}  // namespace vorlent::detail
