#pragma once

#include <cstddef>
#include <functional>

namespace vorlent::detail {

// Mixes `value` into `seed` (the boost recipe, widened for 64-bit size_t).
inline void hashCombine(size_t& seed, size_t value) noexcept {
  seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

// -0 and +0 compare equal, so they must hash alike.
inline size_t hashDouble(double value) noexcept {
  return std::hash<double>{}(value == 0 ? 0.0 : value);
}

}  // namespace vorlent::detail
