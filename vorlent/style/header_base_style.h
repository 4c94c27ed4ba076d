#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/style/header_style_fields.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"
#include "vorlent/intervals/header_row.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/text_alignment.h"
#include "vorlent/intervals/time_area_style.h"

namespace vorlent {

// The complete look of the time-scale header: every field set (optional ones
// may still say "none", such as a missing background). Made by default, from a
// theme preset, or by laying a `GanttChartHeaderStyle` onto another one.
struct GanttChartHeaderBaseStyle {
#define VORLENT_HEADER_BASE_FIELD(type, name, init) type name = init;
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_HEADER_BASE_FIELD, VORLENT_HEADER_BASE_FIELD)
#undef VORLENT_HEADER_BASE_FIELD

  // The plain defaults, which are also the `generic` theme in light mode.
  GanttChartHeaderBaseStyle() = default;
  // The preset of `theme` in `mode`. `generic`, `none` and custom themes give
  // the plain defaults (with the dark background in dark mode); custom styles
  // come from the controllers' own registries, not from here.
  GanttChartHeaderBaseStyle(const Theme& theme, Mode mode);
};

}  // namespace vorlent
