#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>

namespace vorlent {

// A width and a height. A bare Size may be negative; only Rectangle
// normalises its size.
struct Size {
  double width = 0;
  double height = 0;

  static constexpr Size zero() { return Size{0, 0}; }

  // Not normalised: the result may be negative.
  [[nodiscard]] constexpr Size increasedBy(double dx, double dy) const {
    return Size{width + dx, height + dy};
  }

  friend bool operator==(const Size&, const Size&) = default;
};

std::ostream& operator<<(std::ostream& out, const Size& size);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Size> {
  // Hashes width then height, with -0 hashed as 0 to agree with ==.
  size_t operator()(const vorlent::Size& size) const noexcept;
};
