#include <memory>
#include <optional>

#include "vorlent/style/content_base_style.h"
#include "vorlent/style/preset_selectors.h"
#include "vorlent/style/theme_constants.h"

// The chart area's presets of the built-in colour sets.
namespace vorlent {

namespace {

// The colours in which the built-in themes differ; colours of the summary
// type come in a light and a dark variant.
struct ContentPalette {
  const char* borderColor;
  const char* barFillColor;
  const char* completionBarFillColor;
  const char* milestoneBarFillColor;
  const char* milestoneBarStrokeColor;
  const char* highlightColor;
  const char* selectionColor;
  const char* dependencyLineColor;               // null: left unset
  const char* summaryBarFillColor[2];            // light, dark
  const char* summaryCompletionBarFillColor[2];  // light, dark
  const char* weekendColor;                      // null: weekends unmarked
};

constexpr ContentPalette kStandardPalette = {"#b2b2b2",
                                             "#e0328cc0",
                                             "#a00b3c5d",
                                             "#e0f2c232",
                                             "#38761c",
                                             "#f2c232",
                                             "#76d6ff",
                                             nullptr,
                                             {"#e0586072", "#e0404854"},
                                             {"#a0464c5a", "#a05d667c"},
                                             nullptr};
constexpr ContentPalette kAquaPalette = {"#b2b2b2",
                                         "#e00392e3",
                                         "#e0007849",
                                         "#e0ff9900",
                                         "#38761c",
                                         "#ff9900",
                                         "#76d6ff",
                                         nullptr,
                                         {"#e0596175", "#e0414755"},
                                         {"#e0414755", "#e05d667c"},
                                         nullptr};
constexpr ContentPalette kJewelPalette = {"#c79a6f",
                                          "#e0741b47",
                                          "#e038761d",
                                          "#e0f6b26b",
                                          "#38761c",
                                          "#f6b26b",
                                          "#a9a9a9",
                                          "#e038761d",
                                          {"#e0586072", "#e0404854"},
                                          {"#e0464c5a", "#e05d667c"},
                                          "#4391a4"};

const ContentPalette& paletteOf(const Theme& theme) {
  if (std::holds_alternative<Theme::Aqua>(theme.value())) return kAquaPalette;
  if (std::holds_alternative<Theme::Jewel>(theme.value())) return kJewelPalette;
  return kStandardPalette;
}

std::optional<Color> colorOrNone(const char* text) {
  return text != nullptr ? std::optional<Color>(Color(text)) : std::nullopt;
}

}  // namespace

GanttChartContentBaseStyle::GanttChartContentBaseStyle(const Theme& theme, Mode mode)
    : GanttChartContentBaseStyle() {
  const bool dark = mode == Mode::dark;
  if (dark) backgroundColor = darkBackgroundColor();
  if (!theme.isBuiltInColorSet()) return;

  const ContentPalette& palette = paletteOf(theme);
  const int variant = dark ? 1 : 0;
  cornerRadius = 4;
  summaryTriangleInset = 4;
  summaryTriangleScale = 2;
  borderColor = Color(palette.borderColor);
  timeAreaBorderColor = borderColor;
  barFillColor = Color(palette.barFillColor);
  completionBarFillColor = Color(palette.completionBarFillColor);
  barFillColorForType.insert_or_assign(GanttChartItemType::milestone,
                                       Color(palette.milestoneBarFillColor));
  barStrokeColorForType.insert_or_assign(GanttChartItemType::milestone,
                                         Color(palette.milestoneBarStrokeColor));
  highlightColor = Color(palette.highlightColor);
  selectionColor = Color(palette.selectionColor);
  if (auto lineColor = colorOrNone(palette.dependencyLineColor)) dependencyLineColor = lineColor;

  barFillColorForType.insert_or_assign(GanttChartItemType::summary,
                                       Color(palette.summaryBarFillColor[variant]));
  completionBarFillColorForType.insert_or_assign(
      GanttChartItemType::summary, Color(palette.summaryCompletionBarFillColor[variant]));
  attachmentForegroundColor = dark ? Color("#c0c0c0") : Color("#264c5c");
  highlightingTimeFillColor = dark ? darkHighlightingTimeFillColor() : Color("#80efefef");
  highlightingTimeoutFillColor = highlightingTimeFillColor;
  alternativeRowStyle.backgroundColor = dark ? Color("#10808080") : Color("#40dfdfdf");

  timeAreaStyleSelector = std::make_shared<detail::SpecificTimeAreaStyleSelector>(
      Color::orange(), colorOrNone(palette.weekendColor));
}

}  // namespace vorlent
