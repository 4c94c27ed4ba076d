#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "vorlent/base/date_formatter.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Labels an interval with its start, formatted. The formatter is shared, not
// copied: changing it later changes the labels of every holder. Without one, a
// fresh default formatter (zone GMT, default locale, no format) is made per
// label, which formats everything as the empty text. Never answers nullopt.
struct FormattedTimeLabelGenerator : TimeLabelGenerator {
  std::shared_ptr<DateFormatter> formatter;

  explicit FormattedTimeLabelGenerator(std::shared_ptr<DateFormatter> formatterValue = nullptr)
      : formatter(std::move(formatterValue)) {}

  [[nodiscard]] std::optional<std::string> label(const TimeRange& interval) const override;
};

// Labels an interval with its start and finish, formatted and joined by the
// separator ("-" when absent). The finish is shown as the moment 1 ms before
// it, so a day ending at the next 0:00 reads as that same day. The formatter
// is shared as in `FormattedTimeLabelGenerator`. Never answers nullopt.
struct FormattedTimeIntervalLabelGenerator : TimeLabelGenerator {
  std::shared_ptr<DateFormatter> formatter;
  std::optional<std::string> separator;

  explicit FormattedTimeIntervalLabelGenerator(
      std::shared_ptr<DateFormatter> formatterValue = nullptr,
      std::optional<std::string> separatorValue = std::nullopt)
      : formatter(std::move(formatterValue)), separator(std::move(separatorValue)) {}

  [[nodiscard]] std::optional<std::string> label(const TimeRange& interval) const override;
};

}  // namespace vorlent
