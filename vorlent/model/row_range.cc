#include "vorlent/model/row_range.h"

#include <algorithm>
#include <limits>
#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

RowRange::RowRange(int64_t from, int64_t to)
    : first_(std::min(from, to)), last_(std::max(from, to)) {}

int64_t RowRange::count() const {
  // last - first + 1 may exceed int64; compute in unsigned, where the
  // difference of two ordered int64 values always fits.
  const uint64_t span = static_cast<uint64_t>(last_) - static_cast<uint64_t>(first_);
  constexpr auto kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  if (span >= kMax) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(span + 1);
}

bool RowRange::intersects(const RowRange& other) const {
  return first_ <= other.last_ && other.first_ <= last_;
}

std::optional<RowRange> RowRange::intersecting(const RowRange& other) const {
  if (!intersects(other)) return std::nullopt;
  return RowRange(std::max(first_, other.first_), std::min(last_, other.last_));
}

std::ostream& operator<<(std::ostream& out, const RowRange& range) {
  return out << range.first() << "..." << range.last();
}

}  // namespace vorlent

size_t std::hash<vorlent::RowRange>::operator()(const vorlent::RowRange& range) const noexcept {
  size_t seed = std::hash<int64_t>{}(range.first());
  vorlent::detail::hashCombine(seed, std::hash<int64_t>{}(range.last()));
  return seed;
}
