#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

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
//
// Most questions are about objects the list does not name (every leaf asked
// for its children, every link asked for a lag): a bit per few entries, set
// for the objects named, answers most of those from a small array that stays
// in the cache, without touching the table.
template <class T>
class IdentityIndex {
 public:
  IdentityIndex() = default;
  IdentityIndex(const IdentityIndex&) = default;
  IdentityIndex& operator=(const IdentityIndex&) = default;
  // A move leaves the other index empty, its remembered answer forgotten with
  // the positions it came from.
  IdentityIndex(IdentityIndex&& other) noexcept
      : positions_(std::move(other.positions_)),
        named_(std::move(other.named_)),
        remembered_(other.remembered_),
        lastObject_(other.lastObject_),
        lastPosition_(other.lastPosition_) {
    other.clear();
  }
  IdentityIndex& operator=(IdentityIndex&& other) noexcept {
    if (this == &other) return *this;
    positions_ = std::move(other.positions_);
    named_ = std::move(other.named_);
    remembered_ = other.remembered_;
    lastObject_ = other.lastObject_;
    lastPosition_ = other.lastPosition_;
    other.clear();
    return *this;
  }
  ~IdentityIndex() = default;

  void clear() {
    positions_.clear();
    named_.clear();
    remembered_ = false;
  }
  void reserve(size_t count) {
    positions_.reserve(count);
    if (namedBitsFor(count) > named_.size() * 64) rebuildNamed(count);
  }
  // Ignored when the object already has a position.
  void add(const T* object, size_t position) {
    remembered_ = false;
    if (!positions_.try_emplace(object, position).second) return;
    if (namedBitsFor(positions_.size()) > named_.size() * 64) {
      rebuildNamed(positions_.size());
    } else {
      markNamed(object);
    }
  }
  [[nodiscard]] std::optional<size_t> find(const T* object) const {
    if (!remembered_ || object != lastObject_) {
      lastPosition_ = std::nullopt;
      if (isMaybeNamed(object)) {
        const auto found = positions_.find(object);
        if (found != positions_.end()) lastPosition_ = found->second;
      }
      lastObject_ = object;
      remembered_ = true;
    }
    return lastPosition_;
  }

 private:
  // About eight bits an entry, a power of two, and at least one word.
  static size_t namedBitsFor(size_t count) {
    size_t bits = 64;
    while (bits < 8 * count) bits *= 2;
    return bits;
  }
  // The bit an object sets: its address spread over all bits of the array.
  [[nodiscard]] size_t bitOf(const T* object) const {
    const uint64_t mixed =
        static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(object)) * 0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(mixed >> 32) & (named_.size() * 64 - 1);
  }
  void markNamed(const T* object) {
    const size_t bit = bitOf(object);
    named_[bit / 64] |= uint64_t{1} << (bit % 64);
  }
  [[nodiscard]] bool isMaybeNamed(const T* object) const {
    if (named_.empty()) return false;
    const size_t bit = bitOf(object);
    return (named_[bit / 64] >> (bit % 64) & 1) != 0;
  }
  void rebuildNamed(size_t count) {
    named_.assign(namedBitsFor(count) / 64, 0);
    for (const auto& [object, position] : positions_) markNamed(object);
  }

  std::unordered_map<const T*, size_t, AddressHash> positions_;
  std::vector<uint64_t> named_;  // empty while nothing is named
  mutable bool remembered_ = false;
  mutable const T* lastObject_ = nullptr;
  mutable std::optional<size_t> lastPosition_;
};

}  // namespace vorlent::detail
