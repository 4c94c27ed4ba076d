#include "vorlent/intervals/formatted_time_label_generator.h"

#include "vorlent/time/time_formatting.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent {

namespace {

std::string formatted(const std::shared_ptr<DateFormatter>& formatter, const Time& time) {
  if (formatter) return string(*formatter, time);
  return string(TimeSelector::formatter(std::nullopt), time);
}

}  // namespace

std::optional<std::string> FormattedTimeLabelGenerator::label(const TimeRange& interval) const {
  return formatted(formatter, interval.start);
}

std::optional<std::string> FormattedTimeIntervalLabelGenerator::label(
    const TimeRange& interval) const {
  std::string text = formatted(formatter, interval.start);
  text += separator.value_or("-");
  text += formatted(formatter, interval.finish.addingDuration(-0.001));
  return text;
}

}  // namespace vorlent
