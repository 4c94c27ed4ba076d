#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "vorlent/model/row_range.h"
#include "vorlent/model/shared_list.h"
#include "vorlent/time/time_range.h"

namespace vorlent::detail {

// A filter as a cache key. The timeline's ends are kept in their 0:00 form, so
// 24:00 of a day and 0:00 of the next (which compare equal) make one key and
// one hash.
struct FilterKey {
  RowRange range;
  TimeRange timeline;

  FilterKey(const RowRange& rows, const TimeRange& times)
      : range(rows), timeline(times.start.asStart(), times.finish.asStart()) {}

  friend bool operator==(const FilterKey&, const FilterKey&) = default;
};

[[nodiscard]] size_t hashFilterKey(const FilterKey& key) noexcept;

// The filtered lists of the most recently used filters. It is bounded, so a
// user scrolling pixel by pixel through a large chart does not grow memory
// without end; the capacity is far above the few filters a chart alternates
// between, so reading, changing the filter and changing it back still finds
// every earlier answer.
template <class T>
class FilterCache {
 public:
  static constexpr size_t kCapacity = 16;

  // The list stored under `key`, which becomes the most recently used.
  [[nodiscard]] std::optional<SharedList<T>> find(const FilterKey& key) {
    const size_t hash = hashFilterKey(key);
    for (size_t i = entries_.size(); i-- > 0;) {
      if (entries_[i].hash != hash || !(entries_[i].key == key)) continue;
      if (i + 1 != entries_.size()) {
        std::rotate(entries_.begin() + static_cast<std::ptrdiff_t>(i),
                    entries_.begin() + static_cast<std::ptrdiff_t>(i) + 1, entries_.end());
      }
      return entries_.back().list;
    }
    return std::nullopt;
  }

  // Stores `list` as the most recently used entry, dropping the least recently
  // used one when full.
  void store(const FilterKey& key, SharedList<T> list) {
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.push_back(Entry{key, hashFilterKey(key), std::move(list)});
  }

  void clear() { entries_.clear(); }
  [[nodiscard]] size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    FilterKey key;
    size_t hash;
    SharedList<T> list;
  };
  std::vector<Entry> entries_;  // least recently used first
};

}  // namespace vorlent::detail
