#pragma once

#include <string_view>

#include "vorlent/base/date_formatter.h"
#include "vorlent/intervals/time_label_format.h"

namespace vorlent::detail {

// What a named label format sets on the base formatter: a date pattern, or a
// date style and a time style (a style left `none` is unset). `none` and
// `numerically` set nothing.
struct LabelFormatSettings {
  std::string_view pattern;
  DateFormatterStyle dateStyle = DateFormatterStyle::none;
  DateFormatterStyle timeStyle = DateFormatterStyle::none;
};

[[nodiscard]] LabelFormatSettings labelFormatSettings(TimeLabelFormat::Kind kind);

}  // namespace vorlent::detail
