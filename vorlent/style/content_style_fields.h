#pragma once

// The one list of the chart area's style fields, in declaration order. The
// complete record (GanttChartContentBaseStyle), its override twin
// (GanttChartContentStyle) and the merge are all generated from it, so a field
// cannot be added to one and forgotten in another.
//
// Each entry is one of three kinds, each given (type, name, default of the
// complete record):
//   REQUIRED(T, name, default)  always set in the complete record; the override
//                               holds std::optional<T>.
//   OPTIONAL(T, name, default)  T may already be absent in the complete record
//                               (a std::optional or a selector pointer); the
//                               override holds the same T.
//   PER_TYPE(V, name, default)  a dictionary from item type to V, the same type
//                               in both records.
// Defaults containing commas are parenthesised so that they pass as one
// macro argument.
#define VORLENT_CONTENT_STYLE_FIELDS(REQUIRED, OPTIONAL, PER_TYPE)                            \
  /* Chart border and row borders. */                                                         \
  OPTIONAL(std::optional<Color>, backgroundColor, std::nullopt)                               \
  REQUIRED(std::vector<Border>, borders, {})                                                  \
  REQUIRED(Color, borderColor, Color::gray())                                                 \
  REQUIRED(double, borderLineWidth, 0.5)                                                      \
  REQUIRED(Color, rowBorderColor, Color::gray())                                              \
  REQUIRED(double, rowBorderLineWidth, 0.25)                                                  \
  /* Bar fill, secondary fill and stroke. */                                                  \
  REQUIRED(Color, barFillColor, Color::lightBlue())                                           \
  PER_TYPE(Color, barFillColorForType,                                                        \
           (PerItemType<Color>{{GanttChartItemType::milestone, Color::blueColor()},           \
                               {GanttChartItemType::summary, Color::black()}}))               \
  OPTIONAL(std::optional<Color>, secondaryBarFillColor, std::nullopt)                         \
  PER_TYPE(Color, secondaryBarFillColorForType, {})                                           \
  OPTIONAL(std::optional<Color>, barStrokeColor, std::nullopt)                                \
  PER_TYPE(Color, barStrokeColorForType, {})                                                  \
  REQUIRED(double, barStrokeWidth, 0.5)                                                       \
  PER_TYPE(double, barStrokeWidthForType, {})                                                 \
  /* Completion bar, corner radii and insets. */                                              \
  REQUIRED(Color, completionBarFillColor, Color::blueColor())                                 \
  PER_TYPE(Color, completionBarFillColorForType,                                              \
           (PerItemType<Color>{{GanttChartItemType::summary, Color::gray()}}))                \
  OPTIONAL(std::optional<Color>, secondaryCompletionBarFillColor, std::nullopt)               \
  PER_TYPE(Color, secondaryCompletionBarFillColorForType, {})                                 \
  OPTIONAL(std::optional<Color>, completionBarStrokeColor, std::nullopt)                      \
  PER_TYPE(Color, completionBarStrokeColorForType, {})                                        \
  REQUIRED(double, completionBarStrokeWidth, 0.5)                                             \
  PER_TYPE(double, completionBarStrokeWidthForType, {})                                       \
  REQUIRED(double, cornerRadius, 2)                                                           \
  OPTIONAL(std::optional<double>, completionCornerRadius, std::nullopt)                       \
  REQUIRED(double, verticalBarInset, 3)                                                       \
  REQUIRED(double, horizontalCompletionBarInset, 1)                                           \
  REQUIRED(double, verticalCompletionBarInset, 1)                                             \
  /* Focus, highlight and selection outlines of bars. */                                      \
  OPTIONAL(std::optional<Color>, focusColor, std::nullopt)                                    \
  PER_TYPE(Color, focusColorForType, {})                                                      \
  REQUIRED(double, focusWidth, 1)                                                             \
  PER_TYPE(double, focusWidthForType, {})                                                     \
  OPTIONAL(std::optional<Color>, highlightColor, std::nullopt)                                \
  PER_TYPE(Color, highlightColorForType, {})                                                  \
  REQUIRED(double, highlightWidth, 0.8)                                                       \
  PER_TYPE(double, highlightWidthForType, {})                                                 \
  OPTIONAL(std::optional<Color>, selectionColor, std::nullopt)                                \
  PER_TYPE(Color, selectionColorForType, {})                                                  \
  REQUIRED(double, selectionWidth, 3)                                                         \
  PER_TYPE(double, selectionWidthForType, {})                                                 \
  /* Bar labels and attachments. */                                                           \
  REQUIRED(Color, labelForegroundColor, Color::white())                                       \
  PER_TYPE(Color, labelForegroundColorForType, {})                                            \
  REQUIRED(TextAlignment, labelAlignment, TextAlignment::left)                                \
  REQUIRED(Font, labelFont, Font::system())                                                   \
  REQUIRED(double, horizontalLabelInset, 2.5)                                                 \
  REQUIRED(double, milestoneHorizontalLabelInset, 5)                                          \
  REQUIRED(double, verticalLabelInset, 2)                                                     \
  REQUIRED(Color, attachmentForegroundColor, Color::gray())                                   \
  REQUIRED(Font, attachmentFont, Font::system())                                              \
  REQUIRED(double, horizontalAttachmentInset, 2.5)                                            \
  REQUIRED(double, verticalAttachmentInset, 2)                                                \
  /* Bar thumbs and summary brackets. */                                                      \
  REQUIRED(double, barThumbDistance, 0.5)                                                     \
  REQUIRED(double, summaryTriangleInset, 2)                                                   \
  REQUIRED(double, summaryTriangleScale, 1)                                                   \
  /* The temporary bar. */                                                                    \
  OPTIONAL(std::optional<Color>, temporaryBarColor, std::nullopt)                             \
  REQUIRED(double, temporaryBarDashWidth, 2)                                                  \
  /* Dependency lines, their thumbs and arrows, and the temporary line. */                    \
  OPTIONAL(std::optional<Color>, dependencyLineColor, std::nullopt)                           \
  REQUIRED(double, dependencyLineWidth, 0.8)                                                  \
  REQUIRED(double, dependencyLineFocusWidth, 0.5)                                             \
  REQUIRED(double, dependencyLineHighlightWidth, 0.2)                                         \
  REQUIRED(double, dependencyLineSelectionWidth, 0.8)                                         \
  OPTIONAL(std::optional<Color>, dependencyLineThumbColor, Color::gray())                     \
  REQUIRED(double, dependencyLineThumbRadius, 4)                                              \
  REQUIRED(double, dependencyLineArrowWidth, 3)                                               \
  REQUIRED(double, dependencyLineArrowLength, 4)                                              \
  REQUIRED(double, dependencyLineEndLength, 8)                                                \
  OPTIONAL(std::optional<Color>, temporaryInvalidDependencyLineColor, Color::gray())          \
  OPTIONAL(std::optional<Color>, temporaryDependencyLineColor, std::nullopt)                  \
  REQUIRED(double, temporaryDependencyLineDashWidth, 2)                                       \
  /* Highlighted time areas and their labels. */                                              \
  REQUIRED(bool, isTimeAreaBackgroundExtending, true)                                         \
  REQUIRED(bool, areTimeAreaBordersExtending, true)                                           \
  REQUIRED(std::vector<Border>, timeAreaBorders,                                              \
           (std::vector<Border>{Border{BorderPosition::left, std::nullopt, std::nullopt},     \
                                Border{BorderPosition::right, std::nullopt, std::nullopt}}))  \
  REQUIRED(Color, timeAreaBorderColor, Color::gray())                                         \
  REQUIRED(double, timeAreaBorderLineWidth, 0.125)                                            \
  REQUIRED(Color, timeAreaForegroundColor, Color::gray())                                     \
  REQUIRED(TextAlignment, timeLabelAlignment, TextAlignment::left)                            \
  REQUIRED(Font, timeLabelFont, Font::system())                                               \
  REQUIRED(VerticalTextAlignment, verticalTimeLabelAlignment, VerticalTextAlignment::top)     \
  REQUIRED(double, horizontalTimeLabelInset, 2.5)                                             \
  REQUIRED(double, verticalTimeLabelInset, 1)                                                 \
  /* Rows. */                                                                                 \
  OPTIONAL(std::shared_ptr<const GanttChartRowStyleSelector>, rowStyleSelector, nullptr)      \
  REQUIRED(GanttChartRowStyle, rowStyle, GanttChartRowStyle(std::nullopt))                    \
  REQUIRED(GanttChartRowStyle, alternativeRowStyle, GanttChartRowStyle(Color::alternative())) \
  REQUIRED(bool, alternativeRows, true)                                                       \
  /* Per-item and per-dependency selectors. */                                                \
  OPTIONAL(std::shared_ptr<const GanttChartItemStyleSelector>, itemStyleSelector, nullptr)    \
  OPTIONAL(std::shared_ptr<const GanttChartDependencyStyleSelector>, dependencyStyleSelector, \
           nullptr)                                                                           \
  /* Fills of highlighted schedule areas: time and time-out. */                               \
  REQUIRED(Color, highlightingTimeFillColor, Color::highlight())                              \
  REQUIRED(Color, highlightingTimeoutFillColor, Color::highlight())                           \
  /* The time-area selector and style. */                                                     \
  OPTIONAL(std::shared_ptr<const TimeAreaStyleSelector>, timeAreaStyleSelector, nullptr)      \
  OPTIONAL(std::optional<TimeAreaStyle>, timeAreaStyle, std::nullopt)
