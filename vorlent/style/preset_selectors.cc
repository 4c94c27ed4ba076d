#include "vorlent/style/preset_selectors.h"

#include <vector>

#include "vorlent/style/interval_weekdays.h"

namespace vorlent::detail {

namespace {

constexpr double kTimeAreaBorderWidth = 0.25;

// Left and right borders coloured `color` where the flag is set, then
// uncoloured top and bottom borders; nullopt when there is no colour.
std::optional<std::vector<Border>> weekendBorders(const IntervalWeekdays& weekdays,
                                                  const std::optional<Color>& color,
                                                  std::optional<double> width) {
  if (!color) return std::nullopt;
  return std::vector<Border>{
      Border{BorderPosition::left, weekdays.startsAtWeekend() ? color : std::nullopt, width},
      Border{BorderPosition::right, weekdays.endsAtWeekend() ? color : std::nullopt, width},
      Border{BorderPosition::top, std::nullopt, std::nullopt},
      Border{BorderPosition::bottom, std::nullopt, std::nullopt},
  };
}

}  // namespace

std::optional<TimeAreaStyle> SpecificTimeAreaStyleSelector::style(
    const TimeRange& interval, const TimeSelector& /*selector*/) const {
  const IntervalWeekdays weekdays = intervalWeekdays(interval);
  TimeAreaStyle result;
  if (weekdays.length == 0) {
    result.borders =
        std::vector<Border>{Border{BorderPosition::left, momentColor_, kTimeAreaBorderWidth}};
  } else {
    result.borders = weekendBorders(weekdays, weekendColor_, kTimeAreaBorderWidth);
  }
  return result;
}

std::optional<TimeAreaStyle> SpecificHeaderCellStyleSelector::style(
    const TimeRange& interval, const TimeSelector& /*selector*/,
    const GanttChartHeaderRow& /*row*/) const {
  const IntervalWeekdays weekdays = intervalWeekdays(interval);
  TimeAreaStyle result;
  result.borders = weekendBorders(weekdays, weekendBorderColor_, std::nullopt);
  if (weekdays.isWeekendDay()) result.foregroundColor = weekendForegroundColor_;
  return result;
}

}  // namespace vorlent::detail
