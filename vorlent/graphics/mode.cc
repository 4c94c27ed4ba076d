#include "vorlent/graphics/mode.h"

#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

std::ostream& operator<<(std::ostream& out, Mode mode) {
  switch (mode) {
    case Mode::light:
      return out << "light";
    case Mode::dark:
      return out << "dark";
  }
  return out << "Mode(" << static_cast<int>(mode) << ")";
}

std::ostream& operator<<(std::ostream& out, const CustomThemeReference& reference) {
  out << "CustomThemeReference(\"" << reference.name << "\", ";
  if (reference.mode) {
    out << *reference.mode;
  } else {
    out << "any mode";
  }
  return out << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::CustomThemeReference>::operator()(
    const vorlent::CustomThemeReference& reference) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, std::hash<std::string>{}(reference.name));
  vorlent::detail::hashCombine(seed, reference.mode.has_value());
  if (reference.mode) {
    vorlent::detail::hashCombine(seed, std::hash<vorlent::Mode>{}(*reference.mode));
  }
  return seed;
}
