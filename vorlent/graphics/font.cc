#include "vorlent/graphics/font.h"

#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

const Font& Font::system() {
  static const Font font{};
  return font;
}

std::ostream& operator<<(std::ostream& out, const Font& font) {
  out << "Font(";
  if (font.name) {
    out << '"' << *font.name << '"';
  } else {
    out << "system";
  }
  out << ", ";
  if (font.size) {
    out << *font.size;
  } else {
    out << "system size";
  }
  return out << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::Font>::operator()(const vorlent::Font& font) const noexcept {
  size_t seed = 0;
  vorlent::detail::hashCombine(seed, font.name.has_value());
  if (font.name) vorlent::detail::hashCombine(seed, std::hash<std::string>{}(*font.name));
  vorlent::detail::hashCombine(seed, font.size.has_value());
  if (font.size) vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(*font.size));
  return seed;
}
