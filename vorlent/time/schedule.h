#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
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
// Being immutable, a `Schedule` of exactly this class with stored exclusions
// and no provider answers durations, finishes and starts in whole seconds from
// a table of its working time (`WorkingTimeIndex`) instead of walking its
// stretches: built once, when it has been asked a few times, over the years
// around the instant asked about then, and only while the tables of all
// calendars together stay within a fixed memory budget. The answers are the
// walk's, bit for bit; anything else (a subclass, a provider, an instant
// outside the table, a fractional second) walks as before.
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

  // The table to answer from, building it around `near` when its time has
  // come; null for a calendar that walks (see above) and until then.
  [[nodiscard]] const WorkingTimeIndex* workingTimeTable(const Time& near) const;

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

  // The table once built (never changed afterwards), its owner, and the
  // questions asked before; `tableDecided_` once building was tried.
  mutable std::atomic<const WorkingTimeIndex*> table_{nullptr};
  mutable std::atomic<uint32_t> untabledQuestions_{0};
  mutable std::atomic<bool> tableDecided_{false};
  mutable std::mutex tableMutex_;
  mutable std::unique_ptr<WorkingTimeIndex> ownedTable_;
};

}  // namespace vorlent
