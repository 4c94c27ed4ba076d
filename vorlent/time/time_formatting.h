#pragma once

#include <optional>
#include <string>

#include "vorlent/base/date_formatter.h"
#include "vorlent/time/time.h"

namespace vorlent {

// The formatter's text for `makeDate(time)`. With the formatter in the zone of
// 0 s from GMT the text shows the time's own grid fields.
[[nodiscard]] std::string string(const DateFormatter& formatter, const Time& time);

// The time of the date the formatter parses from `text`, or std::nullopt
// when the text does not parse.
[[nodiscard]] std::optional<Time> dateTime(const DateFormatter& formatter, const std::string& text);

}  // namespace vorlent
