#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>

#include "vorlent/graphics/color.h"

namespace vorlent {

// Which edge of a rectangle a border runs along.
enum class BorderPosition { top, bottom, left, right };

// Every BorderPosition in declaration order: top, bottom, left, right.
constexpr std::array<BorderPosition, 4> allBorderPositions() {
  return {BorderPosition::top, BorderPosition::bottom, BorderPosition::left, BorderPosition::right};
}

// A line along one edge. Colour and width may stay std::nullopt, in which
// case the drawing style fills them in. `Border{position, color, lineWidth}` or
// `Border(position, color, lineWidth)` store the three values.
struct Border {
  BorderPosition position = BorderPosition::top;
  std::optional<Color> color = std::nullopt;
  std::optional<double> lineWidth = std::nullopt;

  friend bool operator==(const Border&, const Border&) = default;
};

std::ostream& operator<<(std::ostream& out, BorderPosition position);
std::ostream& operator<<(std::ostream& out, const Border& border);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Border> {
  // Hashes the position, then the colour (its absence, or its four
  // components), then the width (or its absence).
  size_t operator()(const vorlent::Border& border) const noexcept;
};
