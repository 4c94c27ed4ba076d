#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlent::detail {

// A map from object addresses to small values, held in one flat array with
// linear probing. Bookkeeping that looks objects up by the hundred thousand
// (a cascade through a whole chart) then reads one slot where a node-based
// map reads a bucket and then a node somewhere else on the heap, and filling
// it allocates only when it doubles. Entries cannot be erased one by one;
// `clear()` forgets them all.
//
// Any address is a key, null included; only the all-ones address, which no
// object can have, is reserved to mark a free slot.
template <class Value>
class AddressMap {
 public:
  [[nodiscard]] bool empty() const { return size_ == 0; }
  [[nodiscard]] size_t size() const { return size_; }

  // The value held for `key`, or null. A pointer stays valid until the next
  // insertion or `clear()`.
  [[nodiscard]] const Value* find(const void* key) const {
    if (slots_.empty()) return nullptr;
    const uintptr_t wanted = keyOf(key);
    for (size_t at = home(wanted);; at = (at + 1) & mask()) {
      const Slot& slot = slots_[at];
      if (slot.key == wanted) return &slot.value;
      if (slot.key == kFree) return nullptr;
    }
  }
  [[nodiscard]] Value* find(const void* key) {
    return const_cast<Value*>(static_cast<const AddressMap&>(*this).find(key));
  }

  // The value held for `key`, value-initialised when the key is new. The
  // reference stays valid until the next insertion or `clear()`.
  Value& operator[](const void* key) {
    // At most half full, so that probe runs stay short.
    if (2 * (size_ + 1) > slots_.size()) grow();
    const uintptr_t wanted = keyOf(key);
    for (size_t at = home(wanted);; at = (at + 1) & mask()) {
      Slot& slot = slots_[at];
      if (slot.key == wanted) return slot.value;
      if (slot.key == kFree) {
        slot.key = wanted;
        ++size_;
        return slot.value;
      }
    }
  }

  // Forgets every entry, at a cost in proportion to how many there were: a
  // table far larger than its contents is released rather than swept, so
  // that one large operation does not make every later small one pay for
  // its size.
  void clear() {
    if (slots_.size() > kMinSlots && slots_.size() > 8 * size_) {
      slots_ = {};
    } else {
      for (Slot& slot : slots_) slot = Slot{};
    }
    size_ = 0;
  }

  // Calls `visit(key, value)` for every entry, in no particular order.
  template <class Visit>
  void forEach(const Visit& visit) const {
    for (const Slot& slot : slots_) {
      if (slot.key != kFree) visit(reinterpret_cast<const void*>(slot.key), slot.value);
    }
  }

 private:
  static constexpr uintptr_t kFree = ~uintptr_t{0};
  static constexpr size_t kMinSlots = 16;

  struct Slot {
    uintptr_t key = kFree;
    Value value{};
  };

  static uintptr_t keyOf(const void* key) { return reinterpret_cast<uintptr_t>(key); }
  [[nodiscard]] size_t mask() const { return slots_.size() - 1; }
  // Fibonacci hashing: the multiplication spreads addresses that differ in
  // any bits over the whole table, whatever stride the allocator laid
  // objects out with, and the top bits are the best mixed.
  [[nodiscard]] size_t home(uintptr_t key) const {
    const uint64_t mixed = static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(mixed >> shift_);
  }

  // Doubles the table (or makes the first one) and moves every entry over.
  void grow() {
    std::vector<Slot> old = std::move(slots_);
    const size_t count = old.empty() ? kMinSlots : 2 * old.size();
    slots_.assign(count, Slot{});
    shift_ = 64 - std::countr_zero(count);
    for (Slot& slot : old) {
      if (slot.key == kFree) continue;
      size_t at = home(slot.key);
      while (slots_[at].key != kFree) at = (at + 1) & mask();
      slots_[at] = std::move(slot);
    }
  }

  std::vector<Slot> slots_;  // empty, or a power of two long
  int shift_ = 64;           // 64 - log2(slots_.size())
  size_t size_ = 0;
};

}  // namespace vorlent::detail
