#pragma once

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/base/date_formatter.h"
#include "vorlent/base/locale.h"
#include "vorlent/intervals/time_area_style.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"
#include "vorlent/intervals/time_label_generator.h"
#include "vorlent/time/time_range.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent {

class GanttChartHeaderCellStyleSelector;

// One band of the time-scale header (months above days, say): the selectors
// whose intervals, evaluated in order over the visible timeline, make the
// band's cells, plus the band's own optional cell style and style selector and
// host data. A plain value. Every constructor leaves the style selector, the
// cell style and the context empty; all but the first make a one-selector
// band whose selector is built with the `TimeSelector` constructor of the same
// arguments.
struct GanttChartHeaderRow {
  std::vector<TimeSelector> selectors;
  std::shared_ptr<const GanttChartHeaderCellStyleSelector> styleSelector;
  std::optional<TimeAreaStyle> cellStyle;
  std::any context;  // host data, never read by the library

  // An empty list makes a band without cells.
  explicit GanttChartHeaderRow(std::vector<TimeSelector> selectorsValue)
      : selectors(std::move(selectorsValue)) {}
  explicit GanttChartHeaderRow(TimeSelector selector);
  GanttChartHeaderRow(const TimeIntervalType& type, const TimeLabelFormat& format,
                      const std::optional<Locale>& locale = std::nullopt,
                      std::optional<bool> intervals = std::nullopt,
                      const std::optional<std::string>& separator = std::nullopt);
  // Labelled in the type's default format: days by their two-digit day of the
  // month, weeks by their short date, months by month and year, quarters by
  // quarter and year, years and longer by the year, half days by the period of
  // the day, hours, minutes and seconds by two digits, sub-second units by
  // their fraction digits; given moments by date and time when they separate
  // (else unlabelled but for an empty text), and the visible timeline as the
  // type it wraps.
  explicit GanttChartHeaderRow(const TimeIntervalType& type,
                               const std::optional<Locale>& locale = std::nullopt,
                               std::optional<bool> intervals = std::nullopt,
                               const std::optional<std::string>& separator = std::nullopt);
  GanttChartHeaderRow(const TimeIntervalType& type, const std::string& dateFormat,
                      const std::optional<Locale>& locale = std::nullopt,
                      std::optional<bool> intervals = std::nullopt,
                      const std::optional<std::string>& separator = std::nullopt);
  GanttChartHeaderRow(const TimeIntervalType& type, std::optional<DateFormatterStyle> dateStyle,
                      std::optional<DateFormatterStyle> timeStyle,
                      const std::optional<Locale>& locale = std::nullopt,
                      std::optional<bool> intervals = std::nullopt,
                      const std::optional<std::string>& separator = std::nullopt);
  GanttChartHeaderRow(const TimeIntervalType& type, std::shared_ptr<DateFormatter> formatter,
                      std::optional<bool> intervals = std::nullopt,
                      const std::optional<std::string>& separator = std::nullopt);
  GanttChartHeaderRow(const TimeIntervalType& type,
                      std::shared_ptr<const TimeLabelGenerator> labelGenerator);
};

// Chooses the style of one header cell: the interval, the selector that
// produced it and the band it belongs to; nullopt when there is none.
class GanttChartHeaderCellStyleSelector {
 public:
  virtual ~GanttChartHeaderCellStyleSelector() = default;
  [[nodiscard]] virtual std::optional<TimeAreaStyle> style(
      const TimeRange& interval, const TimeSelector& selector,
      const GanttChartHeaderRow& row) const = 0;
};

// A header cell style selector backed by a function, whose answer it returns
// unchanged.
class GanttChartHeaderCellStyleSource : public GanttChartHeaderCellStyleSelector {
 public:
  using Function = std::function<std::optional<TimeAreaStyle>(const TimeRange&, const TimeSelector&,
                                                              const GanttChartHeaderRow&)>;

  explicit GanttChartHeaderCellStyleSource(Function function) : function_(std::move(function)) {}

  [[nodiscard]] const Function& function() const { return function_; }
  // An empty function styles nothing.
  [[nodiscard]] std::optional<TimeAreaStyle> style(const TimeRange& interval,
                                                   const TimeSelector& selector,
                                                   const GanttChartHeaderRow& row) const override {
    return function_ ? function_(interval, selector, row) : std::nullopt;
  }

 private:
  Function function_;
};

}  // namespace vorlent
