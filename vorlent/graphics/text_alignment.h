#pragma once

#include <iosfwd>

namespace vorlent {

// Horizontal placement of text in its rectangle.
enum class TextAlignment { left, center, right };

// Vertical placement of text in its rectangle; there is deliberately no
// bottom alignment.
enum class VerticalTextAlignment { top, center };

std::ostream& operator<<(std::ostream& out, TextAlignment alignment);
std::ostream& operator<<(std::ostream& out, VerticalTextAlignment alignment);

}  // namespace vorlent
