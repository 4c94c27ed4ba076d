#include "vorlent/graphics/cursor.h"

#include <ostream>

namespace vorlent {

std::ostream& operator<<(std::ostream& out, Cursor cursor) {
  switch (cursor) {
    case Cursor::moveHorizontally:
      return out << "moveHorizontally";
    case Cursor::moveVertically:
      return out << "moveVertically";
    case Cursor::resizeHorizontally:
      return out << "resizeHorizontally";
    case Cursor::resizeVertically:
      return out << "resizeVertically";
    case Cursor::draw:
      return out << "draw";
  }
  return out << "Cursor(" << static_cast<int>(cursor) << ")";
}

}  // namespace vorlent
