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

// Labels an interval with a counter of the (working) time elapsed from a
// reference to its start, in whole units rounded to the nearest (halves away
// from zero). Only an interval across which the rounded count changes gets a
// label: the count reached at its start, plus one unless `zeroBased`. A
// negative count (a start more than half a unit before the reference) is
// unlabelled unless `includingNegativeValues`, and is then shown as it is,
// never shifted. Each absent setting takes its default: the reference time,
// seconds, the continuous schedule, counting from 1, negatives unlabelled.
// A count that is not finite or beyond 64 bits is a fatal stop.
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

// Labels an interval with the counters of its start and of its finish joined
// by the separator ("-" when absent). The start reads as in
// `DurationTimeLabelGenerator`; the finish is the count of the moment 1 ms
// before it, always zero-based, so the first seven days after the reference
// counted in days read "1-7" (zero-based "0-7"). Unlabelled when either side
// is.
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
