#pragma once

#include <iosfwd>

namespace vorlent {

// The mouse cursor to show over the chart area; the view layer maps each
// case to a cursor of its platform.
enum class Cursor { moveHorizontally, moveVertically, resizeHorizontally, resizeVertically, draw };

std::ostream& operator<<(std::ostream& out, Cursor cursor);

}  // namespace vorlent
