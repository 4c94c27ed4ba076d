#include "vorlent/intervals/header_row.h"

#include <type_traits>

namespace vorlent {

namespace {

// The format a band of the type shows when none is given. Periods and
// starting points do not matter.
TimeLabelFormat defaultLabelFormat(const TimeIntervalType& type) {
  using T = TimeIntervalType;
  return std::visit(
      [](const auto& c) -> TimeLabelFormat {
        using Case = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<Case, T::Daily>) {
          return TimeLabelFormat::dayWithLeadingZero();
        } else if constexpr (std::is_same_v<Case, T::Weekly>) {
          return TimeLabelFormat::shortDate();
        } else if constexpr (std::is_same_v<Case, T::Monthly>) {
          return TimeLabelFormat::monthYear();
        } else if constexpr (std::is_same_v<Case, T::Quarterly>) {
          return TimeLabelFormat::quarterYear();
        } else if constexpr (std::is_same_v<Case, T::Yearly> ||
                             std::is_same_v<Case, T::Decennially> ||
                             std::is_same_v<Case, T::Centennially> ||
                             std::is_same_v<Case, T::Millennially>) {
          return TimeLabelFormat::year();
        } else if constexpr (std::is_same_v<Case, T::Halfdaily>) {
          return TimeLabelFormat::periodOfDay();
        } else if constexpr (std::is_same_v<Case, T::Hourly>) {
          return TimeLabelFormat::hourWithLeadingZero();
        } else if constexpr (std::is_same_v<Case, T::Minutely>) {
          return TimeLabelFormat::minuteWithLeadingZero();
        } else if constexpr (std::is_same_v<Case, T::Secondly>) {
          return TimeLabelFormat::secondWithLeadingZero();
        } else if constexpr (std::is_same_v<Case, T::Decisecondly>) {
          return TimeLabelFormat::decisecond();
        } else if constexpr (std::is_same_v<Case, T::Centisecondly>) {
          return TimeLabelFormat::centisecond();
        } else if constexpr (std::is_same_v<Case, T::Millisecondly>) {
          return TimeLabelFormat::millisecond();
        } else if constexpr (std::is_same_v<Case, T::TimeBased>) {
          return c.separating ? TimeLabelFormat::dateTime() : TimeLabelFormat::none();
        } else {
          static_assert(std::is_same_v<Case, T::VisibleTimelineBased>);
          return c.type ? defaultLabelFormat(*c.type) : TimeLabelFormat::none();
        }
      },
      type.value());
}

}  // namespace

GanttChartHeaderRow::GanttChartHeaderRow(TimeSelector selector) : selectors{std::move(selector)} {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         const TimeLabelFormat& format,
                                         const std::optional<Locale>& locale,
                                         std::optional<bool> intervals,
                                         const std::optional<std::string>& separator)
    : GanttChartHeaderRow(TimeSelector(type, format, locale, intervals, separator)) {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         const std::optional<Locale>& locale,
                                         std::optional<bool> intervals,
                                         const std::optional<std::string>& separator)
    : GanttChartHeaderRow(type, defaultLabelFormat(type), locale, intervals, separator) {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         const std::string& dateFormat,
                                         const std::optional<Locale>& locale,
                                         std::optional<bool> intervals,
                                         const std::optional<std::string>& separator)
    : GanttChartHeaderRow(TimeSelector(type, dateFormat, locale, intervals, separator)) {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         std::optional<DateFormatterStyle> dateStyle,
                                         std::optional<DateFormatterStyle> timeStyle,
                                         const std::optional<Locale>& locale,
                                         std::optional<bool> intervals,
                                         const std::optional<std::string>& separator)
    : GanttChartHeaderRow(TimeSelector(type, dateStyle, timeStyle, locale, intervals, separator)) {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         std::shared_ptr<DateFormatter> formatter,
                                         std::optional<bool> intervals,
                                         const std::optional<std::string>& separator)
    : GanttChartHeaderRow(TimeSelector(type, std::move(formatter), intervals, separator)) {}

GanttChartHeaderRow::GanttChartHeaderRow(const TimeIntervalType& type,
                                         std::shared_ptr<const TimeLabelGenerator> labelGenerator)
    : GanttChartHeaderRow(TimeSelector(type, std::move(labelGenerator))) {}

}  // namespace vorlent
