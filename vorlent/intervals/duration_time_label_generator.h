#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/time/time_range.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

// Numbers intervals by how much (working) time separates the reference from
// their start, counted in whole units and rounded half away from zero. The
// label is that count, plus one unless `zeroBased`, and is given only when
// the count at the finish is larger than at the start, so intervals within
// one unit step stay blank. Starts that round below zero (more than half a
// unit before the reference) get a label only with
// `includingNegativeValues`, and then the bare count, without the plus one.
// Settings left std::nullopt (or null) mean: `Time::reference()`, seconds, the
// continuous schedule, counting from 1, no negative labels. A count that is
// not finite or does not fit 64 bits is a fatal stop.
struct DurationTimeLabelGenerator : TimeLabelGenerator {
  std::optional<Time> reference;
  std::optional<TimeUnit> unit;
  std::shared_ptr<ScheduleDefinition> schedule;  // shared, not copied
  std::optional<bool> zeroBased;
  std::optional<bool> includingNegativeValues;

  explicit DurationTimeLabelGenerator(
      std::optional<Time> referenceValue = std::nullopt,
      std::optional<TimeUnit> unitValue = std::nullopt,
      std::shared_ptr<ScheduleDefinition> scheduleValue = nullptr,
      std::optional<bool> zeroBasedValue = std::nullopt,
      std::optional<bool> includingNegativeValuesValue = std::nullopt)
      : reference(referenceValue),
        unit(unitValue),
        schedule(std::move(scheduleValue)),
        zeroBased(zeroBasedValue),
        includingNegativeValues(includingNegativeValuesValue) {}

  [[nodiscard]] std::optional<std::string> label(const TimeRange& interval) const override;
};

// Labels an interval "<start>-<finish>" (the separator defaults to "-"). The
// start is counted as by `DurationTimeLabelGenerator`; the finish is the
// zero-based count one millisecond before it, so a one-based range names its
// first and last unit: a week of days from the reference reads "1-7", or
// "0-7" when zero-based. No label when either side has none.
struct DurationTimeIntervalLabelGenerator : TimeLabelGenerator {
  std::optional<Time> reference;
  std::optional<TimeUnit> unit;
  std::shared_ptr<ScheduleDefinition> schedule;  // shared, not copied
  std::optional<bool> zeroBased;
  std::optional<bool> includingNegativeValues;
  std::optional<std::string> separator;

  explicit DurationTimeIntervalLabelGenerator(
      std::optional<Time> referenceValue = std::nullopt,
      std::optional<TimeUnit> unitValue = std::nullopt,
      std::shared_ptr<ScheduleDefinition> scheduleValue = nullptr,
      std::optional<bool> zeroBasedValue = std::nullopt,
      std::optional<bool> includingNegativeValuesValue = std::nullopt,
      std::optional<std::string> separatorValue = std::nullopt)
      : reference(referenceValue),
        unit(unitValue),
        schedule(std::move(scheduleValue)),
        zeroBased(zeroBasedValue),
        includingNegativeValues(includingNegativeValuesValue),
        separator(std::move(separatorValue)) {}

  [[nodiscard]] std::optional<std::string> label(const TimeRange& interval) const override;
};

}  // namespace vorlent
