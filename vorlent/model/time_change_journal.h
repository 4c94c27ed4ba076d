#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "vorlent/time/time_range.h"

namespace vorlent {
class GanttChartItem;
}  // namespace vorlent

namespace vorlent::detail {

// One change of an item's time, with the scheduling epoch it advanced to.
struct TimeChange {
  uint64_t epoch = 0;
  const GanttChartItem* item = nullptr;
  TimeRange from;
  TimeRange to;
};

// The latest item time changes made on this thread, kept while some rule
// listens (see `ListeningToTimeChanges`): a rule that worked something out at
// one scheduling epoch can bring it up to date by going through the changes
// since, instead of working it out again. Only the library's own items
// record their changes, in `GanttChartItem::setTime`.
class TimeChangeJournal {
 public:
  static constexpr size_t kCapacity = 256;

  void record(uint64_t epoch, const GanttChartItem* item, const TimeRange& from,
              const TimeRange& to);
  // Calls `visit(change)` for the changes that advanced the epoch from
  // `since` to `until`, oldest first, and returns true; visits nothing and
  // returns false unless the journal holds one for every step between (an
  // epoch also advances for changes it does not record, on other threads
  // too, and it forgets all but the latest kCapacity).
  template <class Visit>
  bool replay(uint64_t since, uint64_t until, const Visit& visit) const {
    if (until < since) return false;
    const uint64_t steps = until - since;
    if (steps > kCapacity || steps > recorded_) return false;
    if (steps == 0) return true;
    // Epochs only grow, so the last `steps` entries cover exactly the steps
    // when the newest is `until` and the oldest of them follows `since`.
    const uint64_t first = recorded_ - steps;
    if (entries_[(recorded_ - 1) % kCapacity].epoch != until ||
        entries_[first % kCapacity].epoch != since + 1) {
      return false;
    }
    for (uint64_t k = first; k < recorded_; ++k) visit(entries_[k % kCapacity]);
    return true;
  }

 private:
  std::array<TimeChange, kCapacity> entries_{};
  uint64_t recorded_ = 0;  // entries ever recorded; the newest is at (recorded_ - 1) % kCapacity
};

// This thread's journal while some rule listens, null otherwise.
[[nodiscard]] TimeChangeJournal* listenedTimeChangeJournal();

// Keeps this thread's journal recording for as long as it lives.
class ListeningToTimeChanges {
 public:
  ListeningToTimeChanges();
  ~ListeningToTimeChanges();
  ListeningToTimeChanges(const ListeningToTimeChanges&) = delete;
  ListeningToTimeChanges& operator=(const ListeningToTimeChanges&) = delete;
};

}  // namespace vorlent::detail
