#include "vorlent/model/filter_cache.h"

#include "vorlent/base/hashing.h"

namespace vorlent::detail {

size_t hashFilterKey(const FilterKey& key) noexcept {
  size_t seed = std::hash<RowRange>{}(key.range);
  hashCombine(seed, std::hash<TimeRange>{}(key.timeline));
  return seed;
}

}  // namespace vorlent::detail
