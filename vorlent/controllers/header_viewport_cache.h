#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "vorlent/graphics/rectangle.h"

namespace vorlent::detail {

// Lists computed for a viewport, kept for the current viewport and the few
// before it, so that scrolling back and forth reuses them while memory stays
// bounded however far the header scrolls. An entry always belongs to the
// viewport of its key. Lists are shared immutably, so a caller keeps its list
// even when a nested call evicts or clears the entry.
template <class Element>
class HeaderViewportCache {
 public:
  using List = std::shared_ptr<const std::vector<Element>>;

  // Entries kept at most; the oldest goes first.
  static constexpr std::size_t kCapacity = 4;

  // The list stored for the viewport (made the most recent), or null.
  [[nodiscard]] List find(const Rectangle& viewport) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].first == viewport) {
        if (i + 1 != entries_.size()) {
          auto entry = std::move(entries_[i]);
          entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
          entries_.push_back(std::move(entry));
        }
        return entries_.back().second;
      }
    }
    return nullptr;
  }

  // Stores the list as the most recent entry, replacing one of the same key.
  List store(const Rectangle& viewport, std::vector<Element> elements) {
    std::erase_if(entries_, [&](const auto& entry) { return entry.first == viewport; });
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.emplace_back(viewport,
                          std::make_shared<const std::vector<Element>>(std::move(elements)));
    return entries_.back().second;
  }

  // The stored list, or the one `build()` makes, stored.
  template <class Build>
  List findOrBuild(const Rectangle& viewport, Build&& build) {
    if (List cached = find(viewport)) return cached;
    return store(viewport, build());
  }

  void clear() { entries_.clear(); }
  [[nodiscard]] std::size_t size() const { return entries_.size(); }

 private:
  std::vector<std::pair<Rectangle, List>> entries_;  // oldest first
};

}  // namespace vorlent::detail
