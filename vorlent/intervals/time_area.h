#pragma once

#include <optional>
#include <string>
#include <utility>

#include "vorlent/graphics/rectangle.h"
#include "vorlent/intervals/time_area_style.h"
#include "vorlent/time/time_range.h"
#include "vorlent/intervals/time_selector.h"

namespace vorlent {

// One evaluated interval of a time selector, with its label, its style and
// where it lies in the drawing. Made by the controllers.
struct TimeArea {
  TimeSelector selector;
  TimeRange interval;
  std::optional<std::string> label;
  std::optional<TimeAreaStyle> style;
  Rectangle bounds;

  TimeArea(TimeSelector selectorValue, const TimeRange& intervalValue,
           std::optional<std::string> labelValue, std::optional<TimeAreaStyle> styleValue,
           const Rectangle& boundsValue)
      : selector(std::move(selectorValue)),
        interval(intervalValue),
        label(std::move(labelValue)),
        style(std::move(styleValue)),
        bounds(boundsValue) {}
};

}  // namespace vorlent
