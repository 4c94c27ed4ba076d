#include "vorlent/intervals/duration_time_label_generator.h"

#include <cmath>

#include "vorlent/base/fatal.h"

namespace vorlent {

namespace {

struct CounterSettings {
  const std::optional<Time>& reference;
  const std::optional<TimeUnit>& unit;
  const std::shared_ptr<ScheduleDefinition>& schedule;
  bool zeroBased;
  bool includingNegativeValues;
};

// The counter shared by both duration generators: the text of the rounded
// count at `time`, or nullopt when the count does not change between `after`
// (exclusive) and `time`, or between `time` and `before`, or when it is
// negative and negatives are not shown.
std::optional<std::string> durationLabel(const Time& time, const CounterSettings& settings,
                                         const std::optional<Time>& after,
                                         const std::optional<Time>& before) {
  const Time reference = settings.reference.value_or(Time::reference());
  const TimeUnit unit = settings.unit.value_or(TimeUnit::seconds);
  const ScheduleDefinition& schedule =
      settings.schedule ? *settings.schedule : *ScheduleDefinition::continuous();
  const auto count = [&](const Time& moment) {
    // std::round takes halves away from zero.
    return checkedInt64(std::round(schedule.duration(reference, moment, unit)),
                        "duration label count");
  };

  const int64_t value = count(time);
  if (after && !(count(*after) < value)) return std::nullopt;
  if (before && !(value < count(*before))) return std::nullopt;
  if (value < 0) {
    if (!settings.includingNegativeValues) return std::nullopt;
    return std::to_string(value);
  }
  return std::to_string(settings.zeroBased ? value : checkedAdd(value, 1, "duration label count"));
}

}  // namespace

std::optional<std::string> DurationTimeLabelGenerator::label(const TimeRange& interval) const {
  const CounterSettings settings{reference, unit, schedule, zeroBased.value_or(false),
                                 includingNegativeValues.value_or(false)};
  return durationLabel(interval.start, settings, std::nullopt, interval.finish);
}

std::optional<std::string> DurationTimeIntervalLabelGenerator::label(
    const TimeRange& interval) const {
  const CounterSettings startSettings{reference, unit, schedule, zeroBased.value_or(false),
                                      includingNegativeValues.value_or(false)};
  const std::optional<std::string> startText =
      durationLabel(interval.start, startSettings, std::nullopt, interval.finish);
  if (!startText) return std::nullopt;

  CounterSettings finishSettings = startSettings;
  finishSettings.zeroBased = true;
  const std::optional<std::string> finishText = durationLabel(
      interval.finish.addingDuration(-0.001), finishSettings, interval.start, std::nullopt);
  if (!finishText) return std::nullopt;

  return *startText + separator.value_or("-") + *finishText;
}

}  // namespace vorlent
