#include "vorlent/intervals/time_label_format.h"

#include <ostream>
#include <utility>

#include "vorlent/intervals/time_label_format_settings.h"

namespace vorlent {

TimeLabelFormat TimeLabelFormat::numerically(std::optional<Time> reference,
                                             std::optional<TimeUnit> unit,
                                             std::shared_ptr<ScheduleDefinition> schedule,
                                             std::optional<bool> zeroBased,
                                             std::optional<bool> includingNegativeValues) {
  TimeLabelFormat format(Kind::numerically);
  format.numerically_ =
      Numerically{reference, unit, std::move(schedule), zeroBased, includingNegativeValues};
  return format;
}

TimeLabelFormat TimeLabelFormat::numeric(const Time& since, TimeUnit unit,
                                         std::shared_ptr<ScheduleDefinition> schedule,
                                         std::optional<bool> zeroBased,
                                         std::optional<bool> includingNegativeValues) {
  return numerically(since, unit, std::move(schedule), zeroBased, includingNegativeValues);
}

namespace detail {

LabelFormatSettings labelFormatSettings(TimeLabelFormat::Kind kind) {
  using Kind = TimeLabelFormat::Kind;
  using Style = DateFormatterStyle;
  switch (kind) {
    case Kind::numerically:
      return {};
    case Kind::dateTime:
      return {{}, Style::shortStyle, Style::shortStyle};
    case Kind::longDate:
      return {{}, Style::fullStyle, Style::none};
    case Kind::date:
      return {{}, Style::mediumStyle, Style::none};
    case Kind::shortDate:
      return {{}, Style::shortStyle, Style::none};
    case Kind::time:
      return {{}, Style::none, Style::mediumStyle};
    case Kind::shortTime:
      return {{}, Style::none, Style::shortStyle};
    case Kind::day:
      return {"d"};
    case Kind::dayWithLeadingZero:
      return {"dd"};
    case Kind::dayMonth:
      return {"d MMMM"};
    case Kind::dayMonthYear:
      return {"d MMMM yyyy"};
    case Kind::dayOfYear:
      return {"D"};
    case Kind::dayOfYearWithLeadingZeroes:
      return {"DDD"};
    case Kind::dayOfWeek:
      return {"EEEE"};
    case Kind::dayOfWeekShortAbbreviation:
      return {"EEEEE"};
    case Kind::dayOfWeekAbbreviation:
      return {"EEEEEE"};
    case Kind::dayOfWeekLongAbbreviation:
      return {"E"};
    case Kind::weekOfMonth:
      return {"W"};
    case Kind::weekOfYear:
      return {"w"};
    case Kind::weekOfYearWithLeadingZero:
      return {"ww"};
    case Kind::month:
      return {"MMMM"};
    case Kind::monthShortAbbreviation:
      return {"MMMMM"};
    case Kind::monthAbbreviation:
      return {"MMM"};
    case Kind::monthNumber:
      return {"M"};
    case Kind::monthNumberWithLeadingZero:
      return {"MM"};
    case Kind::monthYear:
      return {"MMMM yyyy"};
    case Kind::quarter:
      return {"QQQ"};
    case Kind::quarterNumber:
      return {"Q"};
    case Kind::quarterYear:
      return {"QQQ yyyy"};
    case Kind::year:
      return {"yyyy"};
    case Kind::yearOfCentury:
      return {"yy"};
    case Kind::periodOfDay:
      return {"a"};
    case Kind::hour:
      return {"H"};
    case Kind::hourWithLeadingZero:
      return {"HH"};
    case Kind::hourOfPeriod:
      return {"h"};
    case Kind::hourOfPeriodWithLeadingZero:
      return {"hh"};
    case Kind::minute:
      return {"m"};
    case Kind::minuteWithLeadingZero:
      return {"mm"};
    case Kind::second:
      return {"s"};
    case Kind::secondWithLeadingZero:
      return {"ss"};
    case Kind::decisecond:
      return {"S"};
    case Kind::centisecond:
      return {"SS"};
    case Kind::millisecond:
      return {"SSS"};
    case Kind::secondWithDecisecond:
      return {"ss.S"};
    case Kind::secondWithCentisecond:
      return {"ss.SS"};
    case Kind::secondWithMillisecond:
      return {"ss.SSS"};
    case Kind::none:
      return {};
  }
  return {};
}

}  // namespace detail

std::ostream& operator<<(std::ostream& out, TimeLabelFormat::Kind kind) {
  static constexpr const char* kNames[] = {
      "numerically",
      "dateTime",
      "longDate",
      "date",
      "shortDate",
      "time",
      "shortTime",
      "day",
      "dayWithLeadingZero",
      "dayMonth",
      "dayMonthYear",
      "dayOfYear",
      "dayOfYearWithLeadingZeroes",
      "dayOfWeek",
      "dayOfWeekShortAbbreviation",
      "dayOfWeekAbbreviation",
      "dayOfWeekLongAbbreviation",
      "weekOfMonth",
      "weekOfYear",
      "weekOfYearWithLeadingZero",
      "month",
      "monthShortAbbreviation",
      "monthAbbreviation",
      "monthNumber",
      "monthNumberWithLeadingZero",
      "monthYear",
      "quarter",
      "quarterNumber",
      "quarterYear",
      "year",
      "yearOfCentury",
      "periodOfDay",
      "hour",
      "hourWithLeadingZero",
      "hourOfPeriod",
      "hourOfPeriodWithLeadingZero",
      "minute",
      "minuteWithLeadingZero",
      "second",
      "secondWithLeadingZero",
      "decisecond",
      "centisecond",
      "millisecond",
      "secondWithDecisecond",
      "secondWithCentisecond",
      "secondWithMillisecond",
      "none",
  };
  return out << kNames[static_cast<size_t>(kind)];
}

}  // namespace vorlent
