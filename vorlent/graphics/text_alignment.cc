#include "vorlent/graphics/text_alignment.h"

#include <ostream>

namespace vorlent {

std::ostream& operator<<(std::ostream& out, TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::left:
      return out << "left";
    case TextAlignment::center:
      return out << "center";
    case TextAlignment::right:
      return out << "right";
  }
  return out << "TextAlignment(" << static_cast<int>(alignment) << ")";
}

std::ostream& operator<<(std::ostream& out, VerticalTextAlignment alignment) {
  switch (alignment) {
    case VerticalTextAlignment::top:
      return out << "top";
    case VerticalTextAlignment::center:
      return out << "center";
  }
  return out << "VerticalTextAlignment(" << static_cast<int>(alignment) << ")";
}

}  // namespace vorlent
