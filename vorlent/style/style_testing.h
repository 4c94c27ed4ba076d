#pragma once

// Test support: field-by-field comparison of complete styles and a value
// "different from" any given field value, both generated from the field lists
// so that a new field is covered without touching the tests.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/style/content_base_style.h"
#include "vorlent/style/header_base_style.h"
#include "vorlent/style/row_style.h"
#include "vorlent/intervals/time_area_style.h"

namespace vorlent::testing {

template <class T>
bool sameValue(const T& a, const T& b) {
  return a == b;
}
inline bool sameValue(const GanttChartRowStyle& a, const GanttChartRowStyle& b) {
  return a.backgroundColor == b.backgroundColor && a.borders == b.borders;
}
inline bool sameValue(const TimeAreaStyle& a, const TimeAreaStyle& b) {
  return a.backgroundColor == b.backgroundColor &&
         a.isBackgroundExtending == b.isBackgroundExtending &&
         a.areBordersExtending == b.areBordersExtending && a.borders == b.borders &&
         a.foregroundColor == b.foregroundColor && a.labelAlignment == b.labelAlignment &&
         a.labelFont == b.labelFont && a.verticalLabelAlignment == b.verticalLabelAlignment;
}
inline bool sameValue(const std::optional<TimeAreaStyle>& a,
                      const std::optional<TimeAreaStyle>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  return sameValue(*a, *b);
}

// A colour that no preset or default uses.
inline Color sampleColor() { return Color(0.1, 0.2, 0.3, 0.4); }

inline bool differentFrom(bool value) { return !value; }
inline double differentFrom(double value) { return value + 1.5; }
inline Color otherSampleColor() { return Color(0.9, 0.8, 0.7, 0.6); }

// A value of the same type that differs from `value`.
inline Color differentFrom(const Color& value) {
  return value == sampleColor() ? otherSampleColor() : sampleColor();
}
inline std::optional<Color> differentFrom(const std::optional<Color>& value) {
  return differentFrom(value.value_or(Color()));
}
inline std::optional<double> differentFrom(const std::optional<double>& value) {
  return value.value_or(0) + 42.25;
}
inline Font differentFrom(const Font& value) {
  return Font{value.name.value_or("") + "Sample", 99};
}
inline std::vector<Border> differentFrom(const std::vector<Border>& value) {
  std::vector<Border> result = value;
  result.push_back(Border{BorderPosition::top, Color::redColor(), 7});
  return result;
}
inline TextAlignment differentFrom(TextAlignment value) {
  return value == TextAlignment::right ? TextAlignment::left : TextAlignment::right;
}
inline VerticalTextAlignment differentFrom(VerticalTextAlignment value) {
  return value == VerticalTextAlignment::top ? VerticalTextAlignment::center
                                             : VerticalTextAlignment::top;
}
inline GanttChartRowStyle differentFrom(const GanttChartRowStyle& value) {
  return GanttChartRowStyle(differentFrom(value.backgroundColor));
}
inline std::optional<TimeAreaStyle> differentFrom(const std::optional<TimeAreaStyle>& value) {
  return TimeAreaStyle(differentFrom(value ? value->backgroundColor : std::nullopt), std::nullopt,
                       std::nullopt);
}
inline std::shared_ptr<const GanttChartRowStyleSelector> differentFrom(
    const std::shared_ptr<const GanttChartRowStyleSelector>&) {
  return std::make_shared<GanttChartRowStyleSource>(nullptr);
}
inline std::shared_ptr<const GanttChartItemStyleSelector> differentFrom(
    const std::shared_ptr<const GanttChartItemStyleSelector>&) {
  return std::make_shared<GanttChartItemStyleSource>(nullptr);
}
inline std::shared_ptr<const GanttChartDependencyStyleSelector> differentFrom(
    const std::shared_ptr<const GanttChartDependencyStyleSelector>&) {
  return std::make_shared<GanttChartDependencyStyleSource>(nullptr);
}
inline std::shared_ptr<const TimeAreaStyleSelector> differentFrom(
    const std::shared_ptr<const TimeAreaStyleSelector>&) {
  return std::make_shared<TimeAreaStyleSource>(nullptr);
}
inline std::shared_ptr<const GanttChartHeaderCellStyleSelector> differentFrom(
    const std::shared_ptr<const GanttChartHeaderCellStyleSelector>&) {
  return std::make_shared<GanttChartHeaderCellStyleSource>(nullptr);
}
template <class V>
PerItemType<V> differentFrom(const PerItemType<V>& value) {
  PerItemType<V> result;
  const auto found = value.find(GanttChartItemType::standard);
  result[GanttChartItemType::standard] = differentFrom(found != value.end() ? found->second : V{});
  return result;
}

// The names of the fields in which `a` and `b` differ, in declaration order.
inline std::vector<std::string> differingFields(const GanttChartContentBaseStyle& a,
                                                const GanttChartContentBaseStyle& b) {
  std::vector<std::string> names;
#define VORLENT_COMPARE_FIELD(type, name, init) \
  if (!sameValue(a.name, b.name)) names.emplace_back(#name);
  VORLENT_CONTENT_STYLE_FIELDS(VORLENT_COMPARE_FIELD, VORLENT_COMPARE_FIELD, VORLENT_COMPARE_FIELD)
#undef VORLENT_COMPARE_FIELD
  return names;
}

inline std::vector<std::string> differingFields(const GanttChartHeaderBaseStyle& a,
                                                const GanttChartHeaderBaseStyle& b) {
  std::vector<std::string> names;
#define VORLENT_COMPARE_FIELD(type, name, init) \
  if (!sameValue(a.name, b.name)) names.emplace_back(#name);
  VORLENT_HEADER_STYLE_FIELDS(VORLENT_COMPARE_FIELD, VORLENT_COMPARE_FIELD)
#undef VORLENT_COMPARE_FIELD
  return names;
}

}  // namespace vorlent::testing
