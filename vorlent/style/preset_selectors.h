#pragma once

#include <optional>

#include "vorlent/graphics/color.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/intervals/time_area_style.h"
#include "vorlent/intervals/time_area_style_selector.h"
#include "vorlent/time/time_range.h"
#include "vorlent/intervals/time_selector.h"

// The style selectors that the built-in theme presets install. Made only by
// the presets; hosts see them as the plain selector interfaces.
namespace vorlent::detail {

// Draws the edges of highlighted time areas: a line at each single moment,
// and lines where an area meets a weekend.
// Every answer is a style with only `borders` set: a moment gets a single left
// border in `momentColor`; any other interval gets, when `weekendColor` is
// set, left and right borders coloured where the interval starts or ends at a
// weekend (uncoloured otherwise), plus uncoloured top and bottom borders, and
// no borders at all when `weekendColor` is nullopt.
class SpecificTimeAreaStyleSelector final : public TimeAreaStyleSelector {
 public:
  SpecificTimeAreaStyleSelector(Color momentColor, std::optional<Color> weekendColor)
      : momentColor_(momentColor), weekendColor_(weekendColor) {}

  [[nodiscard]] const Color& momentColor() const { return momentColor_; }
  [[nodiscard]] const std::optional<Color>& weekendColor() const { return weekendColor_; }

  // The selector argument is not consulted.
  [[nodiscard]] std::optional<TimeAreaStyle> style(const TimeRange& interval,
                                                   const TimeSelector& selector) const override;

 private:
  Color momentColor_;
  std::optional<Color> weekendColor_;
};

// Colours the header's weekend cells. Every answer is a style with only
// `borders` and `foregroundColor` set: borders as the chart area's weekend
// edges (without line widths; none when `weekendBorderColor` is nullopt), and
// `weekendForegroundColor` for a cell that lies on a single weekend day.
class SpecificHeaderCellStyleSelector final : public GanttChartHeaderCellStyleSelector {
 public:
  SpecificHeaderCellStyleSelector(Color weekendForegroundColor,
                                  std::optional<Color> weekendBorderColor)
      : weekendForegroundColor_(weekendForegroundColor), weekendBorderColor_(weekendBorderColor) {}

  [[nodiscard]] const Color& weekendForegroundColor() const { return weekendForegroundColor_; }
  [[nodiscard]] const std::optional<Color>& weekendBorderColor() const {
    return weekendBorderColor_;
  }

  // The selector and the row arguments are not consulted.
  [[nodiscard]] std::optional<TimeAreaStyle> style(const TimeRange& interval,
                                                   const TimeSelector& selector,
                                                   const GanttChartHeaderRow& row) const override;

 private:
  Color weekendForegroundColor_;
  std::optional<Color> weekendBorderColor_;
};

}  // namespace vorlent::detail
