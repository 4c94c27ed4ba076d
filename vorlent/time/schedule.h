#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "vorlent/time/day_range.h"
#include "vorlent/time/excluded_time_interval_provider.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/week_range.h"

namespace vorlent {

// A calendar held as plain values: its working days and hours, a stored list
// of exclusions, and optionally an `ExcludedTimeIntervalProvider` asked for
// more. Nothing changes after construction; the weak provider inherited from
// `ScheduleDefinition` is ignored.
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
};

}  // namespace vorlent
