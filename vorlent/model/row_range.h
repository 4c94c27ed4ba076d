#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>

namespace vorlent {

// A span of chart rows, both ends inclusive and always ordered: the
// constructor swaps its arguments when needed, so `first() <= last()` holds
// for every value.
class RowRange {
 public:
  RowRange(int64_t from, int64_t to);

  [[nodiscard]] int64_t first() const { return first_; }
  [[nodiscard]] int64_t last() const { return last_; }

  // last - first + 1, so never below 1. Ranges whose size does not fit an
  // int64_t report INT64_MAX instead of overflowing.
  [[nodiscard]] int64_t count() const;
  [[nodiscard]] bool contains(int64_t row) const { return first_ <= row && row <= last_; }
  // True when at least one row lies in both: 2...5 meets 5...9, while
  // neighbours such as 2...5 and 6...9 do not.
  [[nodiscard]] bool intersects(const RowRange& other) const;
  [[nodiscard]] std::optional<RowRange> intersecting(const RowRange& other) const;

  friend bool operator==(const RowRange&, const RowRange&) = default;

 private:
  int64_t first_;
  int64_t last_;
};

// Prints "first...last".
std::ostream& operator<<(std::ostream& out, const RowRange& range);

}  // namespace vorlent

template <>
struct std::hash<vorlent::RowRange> {
  size_t operator()(const vorlent::RowRange& range) const noexcept;
};
