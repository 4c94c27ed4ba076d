#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace vorlent::detail {

// Hashes an object by its address without the bits that heap alignment keeps
// at zero: objects made one after another then land in neighbouring buckets,
// so a pass over a chart in the order its items were made walks the table
// almost sequentially instead of jumping across it. It cannot throw, so the
// standard containers recompute it instead of storing it in every node.
struct AddressHash {
  size_t operator()(const void* object) const noexcept {
    return static_cast<size_t>(reinterpret_cast<std::uintptr_t>(object) >> 4);
  }
};

// Positions in a list of definitions, found by the identity of the object a
// definition names; the first position added for an object wins. The last
// answer is remembered, so that asking about the same object several times in
// a row (as the behaviours do for one link or one parent) searches the table
// once, which matters when the table is far larger than the caches.
template <class T>
class IdentityIndex {
 public:
  void clear() {
    positions_.clear();
    remembered_ = false;
  }
  void reserve(size_t count) { positions_.reserve(count); }
  // Ignored when the object already has a position.
  void add(const T* object, size_t position) {
    positions_.try_emplace(object, position);
    remembered_ = false;
  }
  [[nodiscard]] std::optional<size_t> find(const T* object) const {
    if (!remembered_ || object != lastObject_) {
      const auto found = positions_.find(object);
      lastPosition_ = found == positions_.end() ? std::nullopt : std::optional(found->second);
      lastObject_ = object;
      remembered_ = true;
    }
    return lastPosition_;
  }

 private:
  std::unordered_map<const T*, size_t, AddressHash> positions_;
  mutable bool remembered_ = false;
  mutable const T* lastObject_ = nullptr;
  mutable std::optional<size_t> lastPosition_;
};

}  // namespace vorlent::detail
