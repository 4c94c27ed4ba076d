#include "vorlent/time/day_range.h"

#include <algorithm>
#include <ostream>

#include "vorlent/base/hashing.h"

namespace vorlent {

bool DayRange::intersects(const DayRange& other) const {
  return contains(other.start) || contains(other.finish) || other.contains(start) ||
         other.contains(finish);
}

std::optional<DayRange> DayRange::intersecting(const DayRange& other) const {
  if (!intersects(other)) return std::nullopt;
  return DayRange(std::max(start, other.start), std::min(finish, other.finish));
}

std::ostream& operator<<(std::ostream& out, const DayRange& range) {
  return out << "DayRange(" << range.start << ", " << range.finish << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::DayRange>::operator()(const vorlent::DayRange& range) const noexcept {
  size_t seed = vorlent::detail::hashDouble(range.start);
  vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(range.finish));
  return seed;
}
