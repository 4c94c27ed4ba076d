#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "vorlent/graphics/rectangle.h"

namespace vorlent {

// What a controller derived for the viewports it showed last, keyed by the
// exact viewport rectangle. Bounded: scrolling through a large chart point by
// point keeps the current viewport's entry and a few recent ones, never
// more, so going back to a viewport just left is still answered from here
// while memory stays flat.
//
// Entries are shared snapshots: a list found here stays valid when the cache
// is cleared or refilled meanwhile (for example by a re-entrant call).
template <class T>
class ViewportCache {
 public:
  static constexpr size_t kCapacity = 4;

  // The entry of `viewport`, which becomes the most recently used; null when
  // there is none.
  [[nodiscard]] std::shared_ptr<const T> find(const Rectangle& viewport) {
    for (size_t i = entries_.size(); i-- > 0;) {
      if (!(entries_[i].viewport == viewport)) continue;
      if (i + 1 != entries_.size()) {
        std::rotate(entries_.begin() + static_cast<std::ptrdiff_t>(i),
                    entries_.begin() + static_cast<std::ptrdiff_t>(i) + 1, entries_.end());
      }
      return entries_.back().value;
    }
    return nullptr;
  }

  // Stores `value` as the entry of `viewport` (replacing an older one of the
  // same viewport), dropping the least recently used entry when full.
  std::shared_ptr<const T> store(const Rectangle& viewport, T value) {
    auto shared = std::make_shared<const T>(std::move(value));
    std::erase_if(entries_, [&](const Entry& entry) { return entry.viewport == viewport; });
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.push_back(Entry{viewport, shared});
    return shared;
  }

  // The entry of `viewport`, or, when there is none, what `build()` returns,
  // stored as that entry. When the cache is cleared while `build()` runs (a
  // callback it makes changed what the list derives from), the result is
  // handed back but not stored, since it may already be out of date.
  template <class Build>
  std::shared_ptr<const T> findOrBuild(const Rectangle& viewport, Build&& build) {
    if (auto found = find(viewport)) return found;
    const uint64_t generation = generation_;
    T value = std::forward<Build>(build)();
    if (generation != generation_) return std::make_shared<const T>(std::move(value));
    return store(viewport, std::move(value));
  }

  void clear() {
    entries_.clear();
    ++generation_;
  }
  [[nodiscard]] size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    Rectangle viewport;
    std::shared_ptr<const T> value;
  };
  std::vector<Entry> entries_;  // least recently used first
  uint64_t generation_ = 0;     // counts the clearings
};

}  // namespace vorlent
