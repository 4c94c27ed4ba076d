#include <memory>
#include <optional>

#include "vorlent/style/header_base_style.h"
#include "vorlent/style/preset_selectors.h"
#include "vorlent/style/theme_constants.h"

// The header's presets of the built-in colour sets.
namespace vorlent {

GanttChartHeaderBaseStyle::GanttChartHeaderBaseStyle(const Theme& theme, Mode mode)
    : GanttChartHeaderBaseStyle() {
  const bool dark = mode == Mode::dark;
  if (dark) backgroundColor = darkBackgroundColor();
  if (!theme.isBuiltInColorSet()) return;

  const bool jewel = std::holds_alternative<Theme::Jewel>(theme.value());
  horizontalLabelInset = 4;
  // The dark header has its own background whatever the platform paints.
  backgroundColor = dark ? darkHeaderBackgroundColor() : Color("#e8e8e8");
  borderColor = jewel ? Color("#c79a6f") : dark ? Color("#cccccc") : Color("#b2b2b2");
  labelBorderColor = borderColor;
  labelForegroundColor = dark ? Color("#f6f6f6") : Color("#264a5a");
  cellStyleSelector = std::make_shared<detail::SpecificHeaderCellStyleSelector>(
      dark ? Color("#9a9a9a") : Color("#e40000"),
      jewel ? std::optional<Color>(Color("#4391a4")) : std::nullopt);
}

}  // namespace vorlent
