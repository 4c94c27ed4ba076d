#pragma once

#include <iosfwd>

namespace vorlent {

// Which pointer shape the chart area wants; the views translate it into the
// toolkit's own cursor.
enum class Cursor { moveHorizontally, moveVertically, resizeHorizontally, resizeVertically, draw };

std::ostream& operator<<(std::ostream& out, Cursor cursor);

}  // namespace vorlent
