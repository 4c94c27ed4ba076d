#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "vorlent/graphics/border.h"
#include "vorlent/graphics/color.h"
#include "vorlent/graphics/font.h"
#include "vorlent/graphics/text_alignment.h"

namespace vorlent {

// Overrides for the look of one time area (a header cell or a highlighted
// interval). An absent field is not overridden: the chart's or the header's
// style supplies it.
struct TimeAreaStyle {
  std::optional<Color> backgroundColor;
  std::optional<bool> isBackgroundExtending;
  std::optional<bool> areBordersExtending;
  std::optional<std::vector<Border>> borders;
  std::optional<Color> foregroundColor;  // the label's colour
  std::optional<TextAlignment> labelAlignment;
  std::optional<Font> labelFont;
  std::optional<VerticalTextAlignment> verticalLabelAlignment;

  TimeAreaStyle() = default;
  // The five other fields stay absent.
  TimeAreaStyle(std::optional<Color> backgroundColorValue,
                std::optional<std::vector<Border>> bordersValue,
                std::optional<Color> foregroundColorValue)
      : backgroundColor(std::move(backgroundColorValue)),
        borders(std::move(bordersValue)),
        foregroundColor(std::move(foregroundColorValue)) {}
};

}  // namespace vorlent
