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

  // The number of rows covered, at least 1. A range too wide for 64 bits
  // (from near the smallest to near the largest integer) saturates at
  // INT64_MAX rather than overflowing.
  [[nodiscard]] int64_t count() const;
  [[nodiscard]] bool contains(int64_t row) const { return first_ <= row && row <= last_; }
  // Ranges that share a row intersect, so 0...10 and 10...20 do; adjacent
  // ranges such as 3...4 and 5...6 do not.
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
