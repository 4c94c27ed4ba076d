#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "vorlent/model/address_map.h"
#include "vorlent/model/item.h"

namespace vorlent::detail {

// How many `ItemMarks` have started filling, process-wide.
[[nodiscard]] std::atomic<uint64_t>& itemMarksStarted();

// Values kept per item during one pass over a chart (when each item last
// changed, how many follow-ups it has pending), in the order the items were
// first marked. Each item carries the position of its entry as a hint, so a
// cascade reaching an item finds its marks next to what it reads anyway,
// instead of in a table of addresses the size of the chart.
//
// A hint is trusted only while no other `ItemMarks` has started filling
// since this one did: until then every hint written meanwhile was written
// here, so an item whose hint names no entry of its own has none. Once
// another one starts (a nested operation, another manager) this one finds
// its entries by address instead, for the rest of its fill. `clear()`
// forgets every entry and starts afresh.
template <class Value>
class ItemMarks {
 public:
  [[nodiscard]] bool empty() const { return entries_.empty(); }

  // The marks of `item`, or null. Valid until the next insertion or clear.
  [[nodiscard]] const Value* find(const GanttChartItem* item) const {
    if (entries_.empty()) return nullptr;
    if (!byAddress_ && itemMarksStarted().load(std::memory_order_relaxed) != started_) {
      findByAddress();
    }
    if (byAddress_) {
      const size_t* position = positions_.find(item);
      return position == nullptr ? nullptr : &entries_[*position].value;
    }
    const uint32_t hint = markHintOf(*item);
    return hint < entries_.size() && entries_[hint].item == item ? &entries_[hint].value : nullptr;
  }
  [[nodiscard]] Value* find(const GanttChartItem* item) {
    return const_cast<Value*>(static_cast<const ItemMarks&>(*this).find(item));
  }

  // The marks of `item`, value-initialised when it has none yet.
  Value& operator[](const GanttChartItem* item) {
    if (Value* found = find(item)) return *found;
    if (entries_.empty()) started_ = ++itemMarksStarted();
    // Beyond what a hint holds, entries are found by address.
    if (!byAddress_ && entries_.size() >= std::numeric_limits<uint32_t>::max()) findByAddress();
    const size_t position = entries_.size();
    entries_.push_back(Entry{item, Value{}});
    if (byAddress_) {
      positions_[item] = position;
    } else {
      setMarkHint(*item, static_cast<uint32_t>(position));
    }
    return entries_.back().value;
  }

  void clear() {
    entries_.clear();
    positions_.clear();
    byAddress_ = false;
  }

  // Calls `visit(item, value)` for every entry, in the order of marking.
  template <class Visit>
  void forEach(const Visit& visit) const {
    for (const Entry& entry : entries_) visit(entry.item, entry.value);
  }

 private:
  struct Entry {
    const GanttChartItem* item;
    Value value;
  };

  // Once taken, kept for the rest of the fill.
  void findByAddress() const {
    byAddress_ = true;
    for (size_t i = 0; i < entries_.size(); ++i) positions_[entries_[i].item] = i;
  }

  std::vector<Entry> entries_;
  mutable AddressMap<size_t> positions_;  // filled once hints are not trusted
  mutable bool byAddress_ = false;
  uint64_t started_ = 0;  // `itemMarksStarted()` right after the first entry
};

}  // namespace vorlent::detail
