#include "vorlent/time/week_range.h"

#include <algorithm>
#include <ostream>

#include "vorlent/base/fatal.h"
#include "vorlent/base/hashing.h"

namespace vorlent {

int64_t WeekRange::duration() const {
  return checkedAdd(checkedSubtract(finish, start, "WeekRange::duration"), 1,
                    "WeekRange::duration");
}

bool WeekRange::intersects(const WeekRange& other) const {
  return contains(other.start) || contains(other.finish) || other.contains(start) ||
         other.contains(finish);
}

std::optional<WeekRange> WeekRange::intersecting(const WeekRange& other) const {
  if (!intersects(other)) return std::nullopt;
  return WeekRange(std::max(start, other.start), std::min(finish, other.finish));
}

std::ostream& operator<<(std::ostream& out, const WeekRange& range) {
  return out << "WeekRange(" << range.start << ", " << range.finish << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::WeekRange>::operator()(const vorlent::WeekRange& range) const noexcept {
  size_t seed = std::hash<int64_t>{}(range.start);
  vorlent::detail::hashCombine(seed, std::hash<int64_t>{}(range.finish));
  return seed;
}
