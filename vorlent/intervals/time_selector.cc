#include "vorlent/intervals/time_selector.h"

#include <type_traits>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/intervals/calendar_period_selector.h"
#include "vorlent/intervals/duration_time_label_generator.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/formatted_time_label_generator.h"
#include "vorlent/intervals/moment_period_selector.h"
#include "vorlent/intervals/period_selector.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/intervals/time_label_format_settings.h"

namespace vorlent {

TimeSelector::TimeSelector(std::shared_ptr<const TimeIntervalSelector> intervalSelectorValue,
                           std::shared_ptr<const TimeLabelGenerator> labelGeneratorValue)
    : intervalSelector(std::move(intervalSelectorValue)),
      labelGenerator(std::move(labelGeneratorValue)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type)
    : TimeSelector(intervalSelectorFor(type)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type,
                           std::shared_ptr<const TimeLabelGenerator> labelGeneratorValue)
    : TimeSelector(intervalSelectorFor(type), std::move(labelGeneratorValue)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type, const TimeLabelFormat& format,
                           const std::optional<Locale>& locale, std::optional<bool> intervals,
                           const std::optional<std::string>& separator)
    : TimeSelector(intervalSelectorFor(type),
                   labelGeneratorFor(format, locale, intervals, separator)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type, const std::string& dateFormat,
                           const std::optional<Locale>& locale, std::optional<bool> intervals,
                           const std::optional<std::string>& separator)
    : TimeSelector(intervalSelectorFor(type),
                   labelGeneratorFor(dateFormat, locale, intervals, separator)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type,
                           std::optional<DateFormatterStyle> dateStyle,
                           std::optional<DateFormatterStyle> timeStyle,
                           const std::optional<Locale>& locale, std::optional<bool> intervals,
                           const std::optional<std::string>& separator)
    : TimeSelector(intervalSelectorFor(type),
                   labelGeneratorFor(dateStyle, timeStyle, locale, intervals, separator)) {}

TimeSelector::TimeSelector(const TimeIntervalType& type, std::shared_ptr<DateFormatter> formatter,
                           std::optional<bool> intervals,
                           const std::optional<std::string>& separator)
    : TimeSelector(intervalSelectorFor(type),
                   labelGeneratorFor(std::move(formatter), intervals, separator)) {}

DateFormatter TimeSelector::formatter(const std::optional<Locale>& locale) {
  DateFormatter result;
  result.setTimeZone(TimeZone::fromSecondsFromGMT(0));
  result.setLocale(locale);
  return result;
}

DateFormatter TimeSelector::formatter(const std::string& dateFormat,
                                      const std::optional<Locale>& locale) {
  DateFormatter result = formatter(locale);
  result.setDateFormat(dateFormat);
  return result;
}

DateFormatter TimeSelector::formatter(std::optional<DateFormatterStyle> dateStyle,
                                      std::optional<DateFormatterStyle> timeStyle,
                                      const std::optional<Locale>& locale) {
  DateFormatter result = formatter(locale);
  if (dateStyle) result.setDateStyle(*dateStyle);
  if (timeStyle) result.setTimeStyle(*timeStyle);
  return result;
}

DateFormatter TimeSelector::formatterFor(const TimeLabelFormat& format,
                                         const std::optional<Locale>& locale) {
  DateFormatter result = formatter(locale);
  const detail::LabelFormatSettings settings = detail::labelFormatSettings(format.kind());
  if (!settings.pattern.empty()) result.setDateFormat(std::string(settings.pattern));
  if (settings.dateStyle != DateFormatterStyle::none) result.setDateStyle(settings.dateStyle);
  if (settings.timeStyle != DateFormatterStyle::none) result.setTimeStyle(settings.timeStyle);
  return result;
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::formattedLabelGenerator(
    std::shared_ptr<DateFormatter> formatter, std::optional<bool> intervals,
    const std::optional<std::string>& separator) {
  if (intervals.value_or(false)) {
    return std::make_shared<const FormattedTimeIntervalLabelGenerator>(std::move(formatter),
                                                                       separator);
  }
  return std::make_shared<const FormattedTimeLabelGenerator>(std::move(formatter));
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::labelGeneratorFor(
    const TimeLabelFormat& format, const std::optional<Locale>& locale,
    std::optional<bool> intervals, const std::optional<std::string>& separator) {
  if (const TimeLabelFormat::Numerically* counter = format.asNumerically()) {
    return durationLabelGenerator(counter->reference, counter->unit, counter->schedule,
                                  counter->zeroBased, counter->includingNegativeValues, intervals,
                                  separator);
  }
  return formattedLabelGenerator(std::make_shared<DateFormatter>(formatterFor(format, locale)),
                                 intervals, separator);
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::labelGeneratorFor(
    const std::string& dateFormat, const std::optional<Locale>& locale,
    std::optional<bool> intervals, const std::optional<std::string>& separator) {
  return formattedLabelGenerator(std::make_shared<DateFormatter>(formatter(dateFormat, locale)),
                                 intervals, separator);
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::labelGeneratorFor(
    std::optional<DateFormatterStyle> dateStyle, std::optional<DateFormatterStyle> timeStyle,
    const std::optional<Locale>& locale, std::optional<bool> intervals,
    const std::optional<std::string>& separator) {
  return formattedLabelGenerator(
      std::make_shared<DateFormatter>(formatter(dateStyle, timeStyle, locale)), intervals,
      separator);
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::labelGeneratorFor(
    std::shared_ptr<DateFormatter> formatter, std::optional<bool> intervals,
    const std::optional<std::string>& separator) {
  return formattedLabelGenerator(std::move(formatter), intervals, separator);
}

std::shared_ptr<const TimeLabelGenerator> TimeSelector::durationLabelGenerator(
    std::optional<Time> reference, std::optional<TimeUnit> unit,
    std::shared_ptr<ScheduleDefinition> schedule, std::optional<bool> zeroBased,
    std::optional<bool> includingNegativeValues, std::optional<bool> intervals,
    const std::optional<std::string>& separator) {
  if (intervals.value_or(false)) {
    return std::make_shared<const DurationTimeIntervalLabelGenerator>(
        reference, unit, std::move(schedule), zeroBased, includingNegativeValues, separator);
  }
  return std::make_shared<const DurationTimeLabelGenerator>(reference, unit, std::move(schedule),
                                                            zeroBased, includingNegativeValues);
}

namespace {

// A fixed-period selector on the continuous schedule whose grid passes
// through the reference time moved by `originSeconds`.
std::shared_ptr<const TimeIntervalSelector> fixedPeriods(double period, TimeUnit unit,
                                                         double originSeconds) {
  return std::make_shared<const PeriodSelector>(period, unit, ScheduleDefinition::continuous(),
                                                Time::reference().addingDuration(originSeconds));
}

// Calendar periods from the first month start after the reference time.
std::shared_ptr<const TimeIntervalSelector> calendarPeriods(int64_t period, CalendarTimeUnit unit,
                                                            int64_t calendarOffset,
                                                            CalendarTimeUnit calendarOffsetUnit,
                                                            double dayOffset) {
  return std::make_shared<const CalendarPeriodSelector>(period, unit, Time::referenceMonthStart(),
                                                        calendarOffset, calendarOffsetUnit,
                                                        dayOffset, TimeUnit::days);
}

// The payload's start counted from 1 as an offset from 0.
int64_t offsetFromOne(int64_t start) {
  return checkedSubtract(start, 1, "interval type start offset");
}

}  // namespace

std::shared_ptr<const TimeIntervalSelector> TimeSelector::intervalSelectorFor(
    const TimeIntervalType& type) {
  using T = TimeIntervalType;
  return std::visit(
      [](const auto& c) -> std::shared_ptr<const TimeIntervalSelector> {
        using Case = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<Case, T::Daily>) {
          return fixedPeriods(c.period, TimeUnit::days, c.startingAtHours * secondsPerHour);
        } else if constexpr (std::is_same_v<Case, T::Weekly>) {
          return fixedPeriods(c.period, TimeUnit::weeks,
                              static_cast<double>(c.startingOn) * secondsPerDay);
        } else if constexpr (std::is_same_v<Case, T::Halfdaily>) {
          return fixedPeriods(c.period, TimeUnit::halfdays, c.startingAtHour * secondsPerHour);
        } else if constexpr (std::is_same_v<Case, T::Hourly>) {
          return fixedPeriods(c.period, TimeUnit::hours, c.startingAtMinute * 60);
        } else if constexpr (std::is_same_v<Case, T::Minutely>) {
          return fixedPeriods(c.period, TimeUnit::minutes, c.startingAtSecond);
        } else if constexpr (std::is_same_v<Case, T::Secondly>) {
          return fixedPeriods(c.period, TimeUnit::seconds, c.startingAtMillisecond / 1000);
        } else if constexpr (std::is_same_v<Case, T::Decisecondly>) {
          return fixedPeriods(c.period, TimeUnit::deciseconds,
                              c.startingAtMillisecondOfDecisecond / 1000);
        } else if constexpr (std::is_same_v<Case, T::Centisecondly>) {
          return fixedPeriods(c.period, TimeUnit::centiseconds,
                              c.startingAtMillisecondOfCentisecond / 1000);
        } else if constexpr (std::is_same_v<Case, T::Millisecondly>) {
          return fixedPeriods(c.period, TimeUnit::milliseconds,
                              c.startingAtNanosecondOfMillisecond / 1e9);
        } else if constexpr (std::is_same_v<Case, T::Monthly>) {
          return calendarPeriods(c.period, CalendarTimeUnit::months, 0, CalendarTimeUnit::months,
                                 static_cast<double>(offsetFromOne(c.startingOn)));
        } else if constexpr (std::is_same_v<Case, T::Quarterly>) {
          return calendarPeriods(c.period, CalendarTimeUnit::quarters,
                                 offsetFromOne(c.startingOnMonthOfQuarter),
                                 CalendarTimeUnit::months, 0);
        } else if constexpr (std::is_same_v<Case, T::Yearly>) {
          return calendarPeriods(c.period, CalendarTimeUnit::years,
                                 offsetFromOne(c.startingOnMonth), CalendarTimeUnit::months, 0);
        } else if constexpr (std::is_same_v<Case, T::Decennially>) {
          return calendarPeriods(c.period, CalendarTimeUnit::decades,
                                 offsetFromOne(c.startingOnYearOfDecade), CalendarTimeUnit::years,
                                 0);
        } else if constexpr (std::is_same_v<Case, T::Centennially>) {
          return calendarPeriods(c.period, CalendarTimeUnit::centuries,
                                 offsetFromOne(c.startingOnYearOfCentury), CalendarTimeUnit::years,
                                 0);
        } else if constexpr (std::is_same_v<Case, T::Millennially>) {
          return calendarPeriods(c.period, CalendarTimeUnit::millennia,
                                 offsetFromOne(c.startingOnYearOfMillennium),
                                 CalendarTimeUnit::years, 0);
        } else if constexpr (std::is_same_v<Case, T::TimeBased>) {
          return std::make_shared<const MomentPeriodSelector>(c.values, c.separating);
        } else {
          static_assert(std::is_same_v<Case, T::VisibleTimelineBased>);
          if (!c.type) fatalStop("visibleTimelineBased interval type without an inner type");
          return std::make_shared<const EnclosedTimeIntervalSelector>(intervalSelectorFor(*c.type));
        }
      },
      type.value());
}

}  // namespace vorlent
