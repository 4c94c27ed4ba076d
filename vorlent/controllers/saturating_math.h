#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vorlent {

// Integer results of the controllers' geometry. Positions come from doubles
// that a host may make huge, infinite or NaN (a zero row height, a viewport
// scrolled to the end of the world); these turn them into the nearest 64-bit
// value instead of overflowing, so a row index is always defined.

// The value truncated toward zero; NaN gives 0 and anything beyond the 64-bit
// range (infinities included) gives the nearest end of it.
[[nodiscard]] inline int64_t saturatingInt64(double value) {
  if (std::isnan(value)) return 0;
  // 2^63 is the first double above INT64_MAX; -2^63 is INT64_MIN itself.
  constexpr double kLimit = 9223372036854775808.0;
  if (value >= kLimit) return std::numeric_limits<int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

// floor(value) and ceil(value) as integers, saturating as above.
[[nodiscard]] inline int64_t saturatingFloor(double value) {
  return saturatingInt64(std::floor(value));
}
[[nodiscard]] inline int64_t saturatingCeil(double value) {
  return saturatingInt64(std::ceil(value));
}

// a + b and a - b, clamped to the 64-bit range.
[[nodiscard]] inline int64_t saturatingAdd(int64_t a, int64_t b) {
  int64_t sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}
[[nodiscard]] inline int64_t saturatingSubtract(int64_t a, int64_t b) {
  int64_t difference = 0;
  if (!__builtin_sub_overflow(a, b, &difference)) return difference;
  return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

// a × b, clamped to the 64-bit range.
[[nodiscard]] inline int64_t saturatingMultiply(int64_t a, int64_t b) {
  int64_t product = 0;
  if (!__builtin_mul_overflow(a, b, &product)) return product;
  return (a < 0) != (b < 0) ? std::numeric_limits<int64_t>::min()
                            : std::numeric_limits<int64_t>::max();
}

}  // namespace vorlent
