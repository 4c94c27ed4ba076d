#pragma once

// The one list of the header's style fields, in declaration order. The
// complete record (GanttChartHeaderBaseStyle), its override twin
// (GanttChartHeaderStyle) and the merge are all generated from it.
//
//   REQUIRED(T, name, default)  always set in the complete record; the override
//                               holds std::optional<T>.
//   OPTIONAL(T, name, default)  T may already be absent in the complete record
//                               (a std::optional or a selector pointer); the
//                               override holds the same T.
#define VORLENT_HEADER_STYLE_FIELDS(REQUIRED, OPTIONAL)                                          \
  OPTIONAL(std::optional<Color>, backgroundColor, std::nullopt)                                  \
  REQUIRED(std::vector<Border>, borders,                                                         \
           (std::vector<Border>{Border{BorderPosition::top, std::nullopt, std::nullopt},         \
                                Border{BorderPosition::bottom, std::nullopt, std::nullopt}}))    \
  REQUIRED(Color, borderColor, Color::gray())                                                    \
  REQUIRED(double, borderLineWidth, 0.5)                                                         \
  REQUIRED(bool, isLabelBackgroundExtending, false)                                              \
  REQUIRED(bool, areLabelBordersExtending, false)                                                \
  REQUIRED(std::vector<Border>, labelBorders,                                                    \
           (std::vector<Border>{Border{BorderPosition::left, std::nullopt, std::nullopt},        \
                                Border{BorderPosition::right, std::nullopt, std::nullopt},       \
                                Border{BorderPosition::top, std::nullopt, std::nullopt},         \
                                Border{BorderPosition::bottom, std::nullopt, std::nullopt}}))    \
  REQUIRED(Color, labelBorderColor, Color::gray())                                               \
  REQUIRED(double, labelBorderLineWidth, 0.25)                                                   \
  REQUIRED(Color, labelForegroundColor, Color::gray())                                           \
  REQUIRED(TextAlignment, labelAlignment, TextAlignment::left)                                   \
  REQUIRED(Font, labelFont, Font::system())                                                      \
  REQUIRED(VerticalTextAlignment, verticalLabelAlignment, VerticalTextAlignment::center)         \
  REQUIRED(double, horizontalLabelInset, 2.5)                                                    \
  REQUIRED(double, verticalLabelInset, 1)                                                        \
  REQUIRED(Color, highlightingTimeFillColor, Color::highlight())                                 \
  REQUIRED(Color, highlightingTimeoutFillColor, Color::highlight())                              \
  OPTIONAL(std::shared_ptr<const GanttChartHeaderCellStyleSelector>, cellStyleSelector, nullptr) \
  OPTIONAL(std::optional<TimeAreaStyle>, cellStyle, std::nullopt)
