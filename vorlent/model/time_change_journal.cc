#include "vorlent/model/time_change_journal.h"

#include <memory>

namespace vorlent::detail {

namespace {

// Made on a thread's first listener and kept, so that a thread that never
// schedules pays nothing.
thread_local std::unique_ptr<TimeChangeJournal> journal;
thread_local size_t listeners = 0;

}  // namespace

void TimeChangeJournal::record(uint64_t epoch, const GanttChartItem* item, const TimeRange& from,
                               const TimeRange& to) {
  entries_[recorded_ % kCapacity] = TimeChange{epoch, item, from, to};
  ++recorded_;
}

TimeChangeJournal* listenedTimeChangeJournal() { return listeners > 0 ? journal.get() : nullptr; }

ListeningToTimeChanges::ListeningToTimeChanges() {
  if (!journal) journal = std::make_unique<TimeChangeJournal>();
  ++listeners;
}

ListeningToTimeChanges::~ListeningToTimeChanges() { --listeners; }

}  // namespace vorlent::detail
