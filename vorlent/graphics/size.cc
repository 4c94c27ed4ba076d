#include "vorlent/graphics/size.h"

#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

std::ostream& operator<<(std::ostream& out, const Size& size) {
  return out << size.width << " x " << size.height;
}

}  // namespace vorlent

size_t std::hash<vorlent::Size>::operator()(const vorlent::Size& size) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(size.width));
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(size.height));
  return seed;
}
