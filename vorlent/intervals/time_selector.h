#pragma once

#include <any>
#include <memory>
#include <optional>
#include <string>

#include "vorlent/base/date_formatter.h"
#include "vorlent/base/locale.h"
#include "vorlent/time/time.h"
#include "vorlent/intervals/time_area_style.h"
#include "vorlent/intervals/time_area_style_selector.h"
#include "vorlent/intervals/time_interval_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/time/time_unit.h"

namespace vorlent {

class ScheduleDefinition;

// Describes a header row's band or a highlighter: which intervals it stands
// for, how each is labelled and styled. A plain value; its selector, generator
// and style selector are shared, so a reference-type implementation changed
// later is seen by every copy. `intervalSelector` must not be null.
//
// Labels are formatted at GMT+0, which makes them read the grid's own fields
// on any machine; the host contributes only the locale (when absent, ICU's
// default).
struct TimeSelector {
  std::shared_ptr<const TimeIntervalSelector> intervalSelector;
  std::shared_ptr<const TimeLabelGenerator> labelGenerator;  // null: unlabelled
  std::shared_ptr<const TimeAreaStyleSelector> styleSelector;
  std::optional<TimeAreaStyle> style;
  std::any context;  // host data, carried unchanged

  // Style selector, style and context stay empty in every constructor.
  explicit TimeSelector(std::shared_ptr<const TimeIntervalSelector> intervalSelectorValue,
                        std::shared_ptr<const TimeLabelGenerator> labelGeneratorValue = nullptr);

  // The intervals of `type`, unlabelled.
  explicit TimeSelector(const TimeIntervalType& type);
  TimeSelector(const TimeIntervalType& type,
               std::shared_ptr<const TimeLabelGenerator> labelGeneratorValue);
  // The intervals of `type` labelled as `labelGeneratorFor` of the same
  // arguments would label them.
  TimeSelector(const TimeIntervalType& type, const TimeLabelFormat& format,
               const std::optional<Locale>& locale = std::nullopt,
               std::optional<bool> intervals = std::nullopt,
               const std::optional<std::string>& separator = std::nullopt);
  TimeSelector(const TimeIntervalType& type, const std::string& dateFormat,
               const std::optional<Locale>& locale = std::nullopt,
               std::optional<bool> intervals = std::nullopt,
               const std::optional<std::string>& separator = std::nullopt);
  TimeSelector(const TimeIntervalType& type, std::optional<DateFormatterStyle> dateStyle,
               std::optional<DateFormatterStyle> timeStyle,
               const std::optional<Locale>& locale = std::nullopt,
               std::optional<bool> intervals = std::nullopt,
               const std::optional<std::string>& separator = std::nullopt);
  TimeSelector(const TimeIntervalType& type, std::shared_ptr<DateFormatter> formatter,
               std::optional<bool> intervals = std::nullopt,
               const std::optional<std::string>& separator = std::nullopt);

  // The base formatter of every formatted label: a new formatter in the zone
  // of 0 s from GMT with the given locale (ICU's default when absent) and no
  // pattern or style, so it formats everything as the empty text until one is
  // set.
  [[nodiscard]] static DateFormatter formatter(const std::optional<Locale>& locale = std::nullopt);
  // The base formatter with a date pattern (ICU / Unicode date symbols).
  [[nodiscard]] static DateFormatter formatter(const std::string& dateFormat,
                                               const std::optional<Locale>& locale = std::nullopt);
  // The base formatter with ICU's styles for the locale; an absent style is
  // left unset.
  [[nodiscard]] static DateFormatter formatter(std::optional<DateFormatterStyle> dateStyle,
                                               std::optional<DateFormatterStyle> timeStyle,
                                               const std::optional<Locale>& locale = std::nullopt);

  // The label generator of a format. `numerically` counts with its payload
  // (the locale unused); every other case formats with its pattern or styles,
  // `none` giving every interval an empty label. With `intervals` true the
  // label shows start and finish joined by `separator` ("-" when absent);
  // otherwise the start alone and the separator is unused.
  [[nodiscard]] static std::shared_ptr<const TimeLabelGenerator> labelGeneratorFor(
      const TimeLabelFormat& format, const std::optional<Locale>& locale = std::nullopt,
      std::optional<bool> intervals = std::nullopt,
      const std::optional<std::string>& separator = std::nullopt);
  [[nodiscard]] static std::shared_ptr<const TimeLabelGenerator> labelGeneratorFor(
      const std::string& dateFormat, const std::optional<Locale>& locale = std::nullopt,
      std::optional<bool> intervals = std::nullopt,
      const std::optional<std::string>& separator = std::nullopt);
  [[nodiscard]] static std::shared_ptr<const TimeLabelGenerator> labelGeneratorFor(
      std::optional<DateFormatterStyle> dateStyle, std::optional<DateFormatterStyle> timeStyle,
      const std::optional<Locale>& locale = std::nullopt,
      std::optional<bool> intervals = std::nullopt,
      const std::optional<std::string>& separator = std::nullopt);
  // Formats with the given formatter itself (shared, not copied).
  [[nodiscard]] static std::shared_ptr<const TimeLabelGenerator> labelGeneratorFor(
      std::shared_ptr<DateFormatter> formatter, std::optional<bool> intervals = std::nullopt,
      const std::optional<std::string>& separator = std::nullopt);
  // A counter of elapsed (working) time; see `DurationTimeLabelGenerator`.
  [[nodiscard]] static std::shared_ptr<const TimeLabelGenerator> durationLabelGenerator(
      std::optional<Time> reference = std::nullopt, std::optional<TimeUnit> unit = std::nullopt,
      std::shared_ptr<ScheduleDefinition> schedule = nullptr,
      std::optional<bool> zeroBased = std::nullopt,
      std::optional<bool> includingNegativeValues = std::nullopt,
      std::optional<bool> intervals = std::nullopt,
      const std::optional<std::string>& separator = std::nullopt);

 private:
  // A new interval selector for the type: fixed periods on the continuous
  // schedule from the reference time, calendar periods from the first month
  // start after it: a `yearly` type that starts in month 7 yields years from
  // 1 July, and a `decennially` type that starts in year 1 yields decades
  // beginning 2001, 2011, and so on.
  static std::shared_ptr<const TimeIntervalSelector> intervalSelectorFor(
      const TimeIntervalType& type);
  // The base formatter set up for a named format.
  static DateFormatter formatterFor(const TimeLabelFormat& format,
                                    const std::optional<Locale>& locale);
  static std::shared_ptr<const TimeLabelGenerator> formattedLabelGenerator(
      std::shared_ptr<DateFormatter> formatter, std::optional<bool> intervals,
      const std::optional<std::string>& separator);
};

}  // namespace vorlent
