#include "vorlent/style/theme.h"

#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

const std::string* Theme::customName() const {
  const auto* custom = std::get_if<Custom>(&value_);
  return custom != nullptr ? &custom->name : nullptr;
}

std::ostream& operator<<(std::ostream& out, const Theme& theme) {
  switch (theme.ordinal()) {
    case 0:
      return out << "standard";
    case 1:
      return out << "aqua";
    case 2:
      return out << "jewel";
    case 3:
      return out << "generic";
    case 4:
      return out << "none";
    default:
      return out << "custom(" << *theme.customName() << ")";
  }
}

}  // namespace vorlent

size_t std::hash<vorlent::Theme>::operator()(const vorlent::Theme& theme) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, theme.ordinal());
  if (const std::string* name = theme.customName()) {
    vorlent::detail::hashCombine(seed, std::hash<std::string>{}(*name));
  }
  return seed;
}
