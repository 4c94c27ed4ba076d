#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <typeinfo>
#include <vector>

#include "vorlent/time/day_range.h"
#include "vorlent/time/excluded_time_interval_provider.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

class WorkingTimeIndex;

// A calendar held as plain values: its working days and hours, a stored list
// of exclusions, and optionally an `ExcludedTimeIntervalProvider` asked for
// more. Nothing changes after construction; the weak provider inherited from
// `ScheduleDefinition` is ignored.
//
// Being immutable, a `Schedule` of exactly this class without a provider
// (and not worked around the clock) answers durations, finishes and starts in
// whole seconds from tables of its working time (`WorkingTimeIndex`) instead
// of walking its stretches. Each decade asked about often enough gets a table
// of its own (reaching five years into its neighbours), so a plan of any
// length is answered from tables; without exclusions every week is alike,
// and one table answers about all of them. Tables are built only while those
// of all calendars together stay within a fixed memory budget, one for
// calendars with exclusions and a smaller one for those without, so that
// neither kind can crowd out the other. The answers are the walk's, bit for
// bit; anything else (a subclass, a provider, an instant beyond the budget or
// near the ends of time, a fractional second) walks as before.
class Schedule : public ScheduleDefinition {
 public:
  // The defaults make a continuous calendar. `excludedIntervals` are stored
  // as given (any orientation, overlaps allowed); the provider is kept alive.
  explicit Schedule(
      WeekRange weekInterval = WeekRange::continuous(),
      DayRange dayInterval = DayRange::continuous(), std::vector<TimeRange> excludedIntervals = {},
      std::shared_ptr<const ExcludedTimeIntervalProvider> excludedIntervalProvider = nullptr);

  [[nodiscard]] const WeekRange& weekIntervalValue() const { return weekIntervalValue_; }
  [[nodiscard]] const DayRange& dayIntervalValue() const { return dayIntervalValue_; }
  [[nodiscard]] const std::vector<TimeRange>& excludedIntervals() const {
    return excludedIntervals_;
  }
  [[nodiscard]] const std::shared_ptr<const ExcludedTimeIntervalProvider>&
  excludedIntervalProvider() const {
    return excludedIntervalProvider_;
  }

  [[nodiscard]] WeekRange weekInterval() const override { return weekIntervalValue_; }
  [[nodiscard]] DayRange dayInterval() const override { return dayIntervalValue_; }
  // The stored intervals that meet the closed span between `time` and `limit`
  // (either may be the earlier; touching ends count), unchanged and in stored
  // order, followed by whatever the provider returns for `time` and `limit`.
  [[nodiscard]] std::vector<TimeRange> excludedIntervalsFor(const Time& time,
                                                            const Time& limit) const override;
  // True when intervals are stored or a provider is set.
  [[nodiscard]] bool hasExcludedIntervals() const override;

  ~Schedule() override;

  // The table to answer from about `near`, building it when its time has
  // come; null for a calendar that walks (see above), until then, and where
  // no table can be had.
  [[nodiscard]] const WorkingTimeIndex* workingTimeTable(const Time& near) const {
    // Inline for the usual case, a question about the decade asked last.
    if (const TableChunk* last = lastChunk_.load(std::memory_order_acquire);
        last != nullptr && near.week >= last->fromWeek && near.week < last->untilWeek) {
      return last->table.get();
    }
    return findWorkingTimeTable(near);
  }

 private:
  // A stored interval in order, for the index.
  struct IndexEntry {
    Time low;
    Time high;
    size_t position;  // in excludedIntervals_
  };

  WeekRange weekIntervalValue_;
  DayRange dayIntervalValue_;
  std::vector<TimeRange> excludedIntervals_;
  std::shared_ptr<const ExcludedTimeIntervalProvider> excludedIntervalProvider_;
  // The stored intervals with finite ends, ordered by their earlier end, and
  // the latest later end among each entry and those before it; long lists of
  // holidays are then searched, not scanned.
  std::vector<IndexEntry> index_;
  std::vector<Time> reach_;
  // Positions of intervals with a non-finite time of day, which cannot be
  // ordered; tested one by one.
  std::vector<size_t> unindexed_;

  // `workingTimeTable` for a question about another decade than the last.
  [[nodiscard]] const WorkingTimeIndex* findWorkingTimeTable(const Time& near) const;
  // The table covering `covered`; null when it cannot be built or would
  // exceed the budget.
  [[nodiscard]] std::unique_ptr<WorkingTimeIndex> buildTable(const TimeRange& covered) const;

  // Weeks in the core of one table: about a decade.
  static constexpr int64_t kChunkWeeks = 522;
  // One decade's table, or null where none could be built.
  struct TableChunk {
    int64_t firstWeek;   // the decade's first week; its last is firstWeek + kChunkWeeks - 1
    uint32_t questions;  // asked about the decade before its table was tried
    bool tried;          // the table was built, or could not be
    std::unique_ptr<WorkingTimeIndex> table;
    // The weeks it answers about: its decade, or nearly all of them for a
    // calendar whose weeks are all alike.
    int64_t fromWeek;
    int64_t untilWeek;  // the first week after them
  };

  // The chunk answered from last, once tried (a hint: chunks live as long as
  // the calendar), and whether this calendar is one that tables at all, once
  // decided.
  mutable std::atomic<const TableChunk*> lastChunk_{nullptr};
  mutable std::atomic<bool> walksAlways_{false};
  mutable std::mutex tableMutex_;
  // Guarded by tableMutex_: every chunk tried, by its first week.
  mutable std::map<int64_t, TableChunk> chunks_;
};

namespace detail {

// The table a plain `Schedule` answers from about `near`; null for every
// other calendar, which walks.
inline const WorkingTimeIndex* workingTimeTableOf(const ScheduleDefinition& schedule,
                                                  const Time& near) {
  if (typeid(schedule) != typeid(Schedule)) return nullptr;
  return static_cast<const Schedule&>(schedule).workingTimeTable(near);
}

}  // namespace detail

}  // namespace vorlent
