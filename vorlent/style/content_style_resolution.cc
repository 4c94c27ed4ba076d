#include "vorlent/base/fatal.h"
#include "vorlent/style/content_base_style.h"

// The per-element resolvers of the chart area's style. Each item resolver
// picks the item-level style once, then walks its chain of sources; nothing is
// cached, so a style selector is asked again on every call.
namespace vorlent {

namespace {

const GanttChartItem& checkedItem(const GanttChartItemPtr& item) {
  if (!item) fatalStop("a style was resolved for a null item");
  return *item;
}

const GanttChartDependency& checkedDependency(const GanttChartDependencyPtr& dependency) {
  if (!dependency) fatalStop("a style was resolved for a null dependency");
  return *dependency;
}

// The selector's style for the item when it answers one, else the item's own.
GanttChartItemStyle itemLevelStyle(const GanttChartContentBaseStyle& style,
                                   const GanttChartItemPtr& item) {
  const GanttChartItem& checked = checkedItem(item);
  if (style.itemStyleSelector) {
    if (auto selected = style.itemStyleSelector->style(item)) return *std::move(selected);
  }
  return checked.settings().style;
}

GanttChartDependencyStyle dependencyLevelStyle(const GanttChartContentBaseStyle& style,
                                               const GanttChartDependencyPtr& dependency) {
  const GanttChartDependency& checked = checkedDependency(dependency);
  if (style.dependencyStyleSelector) {
    if (auto selected = style.dependencyStyleSelector->style(dependency)) {
      return *std::move(selected);
    }
  }
  return checked.settings().style;
}

// The entry of `type`, or nullopt when the dictionary has none.
template <class V>
std::optional<V> entry(const PerItemType<V>& dictionary, GanttChartItemType type) {
  const auto found = dictionary.find(type);
  if (found == dictionary.end()) return std::nullopt;
  return found->second;
}

// The first present value of the chain; the last link is always a value.
template <class V>
V firstOf(const std::optional<V>& value, const V& fallback) {
  return value ? *value : fallback;
}
template <class V, class... Rest>
V firstOf(const std::optional<V>& value, const std::optional<V>& next, const Rest&... rest) {
  return value ? *value : firstOf(next, rest...);
}

// Like `firstOf`, but every link may be absent.
template <class V>
std::optional<V> firstPresent(const std::optional<V>& value) {
  return value;
}
template <class V, class... Rest>
std::optional<V> firstPresent(const std::optional<V>& value, const Rest&... rest) {
  return value ? value : firstPresent(rest...);
}

}  // namespace

Color GanttChartContentBaseStyle::barFillColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstOf(own.barFillColor, entry(barFillColorForType, item->type()), barFillColor);
}

Color GanttChartContentBaseStyle::secondaryBarFillColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  const GanttChartItemType type = item->type();
  return firstOf(own.secondaryBarFillColor, own.barFillColor,
                 entry(secondaryBarFillColorForType, type), entry(barFillColorForType, type),
                 secondaryBarFillColor, barFillColor);
}

std::optional<Color> GanttChartContentBaseStyle::barStrokeColorFor(
    const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstPresent(own.barStrokeColor, entry(barStrokeColorForType, item->type()),
                      barStrokeColor);
}

double GanttChartContentBaseStyle::barStrokeWidthFor(const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstOf(own.barStrokeWidth, entry(barStrokeWidthForType, item->type()), barStrokeWidth);
}

Color GanttChartContentBaseStyle::completionBarFillColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstOf(own.completionBarFillColor, entry(completionBarFillColorForType, item->type()),
                 completionBarFillColor);
}

Color GanttChartContentBaseStyle::secondaryCompletionBarFillColorFor(
    const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  const GanttChartItemType type = item->type();
  return firstOf(own.secondaryCompletionBarFillColor, own.completionBarFillColor,
                 entry(secondaryCompletionBarFillColorForType, type),
                 secondaryCompletionBarFillColor, entry(completionBarFillColorForType, type),
                 completionBarFillColor);
}

std::optional<Color> GanttChartContentBaseStyle::completionBarStrokeColorFor(
    const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstPresent(own.completionBarStrokeColor,
                      entry(completionBarStrokeColorForType, item->type()),
                      completionBarStrokeColor);
}

double GanttChartContentBaseStyle::completionBarStrokeWidthFor(
    const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstOf(own.completionBarStrokeWidth, entry(completionBarStrokeWidthForType, item->type()),
                 completionBarStrokeWidth);
}

Color GanttChartContentBaseStyle::focusColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemType type = checkedItem(item).type();
  if (auto color = firstPresent(entry(focusColorForType, type), focusColor)) return *color;
  return barFillColorFor(item);
}

double GanttChartContentBaseStyle::focusWidthFor(const GanttChartItemPtr& item) const {
  return firstOf(entry(focusWidthForType, checkedItem(item).type()), focusWidth);
}

Color GanttChartContentBaseStyle::highlightColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemType type = checkedItem(item).type();
  if (auto color = firstPresent(entry(highlightColorForType, type), highlightColor)) return *color;
  return barFillColorFor(item);
}

double GanttChartContentBaseStyle::highlightWidthFor(const GanttChartItemPtr& item) const {
  return firstOf(entry(highlightWidthForType, checkedItem(item).type()), highlightWidth);
}

Color GanttChartContentBaseStyle::selectionColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemType type = checkedItem(item).type();
  if (auto color = firstPresent(entry(selectionColorForType, type), selectionColor)) return *color;
  return barFillColorFor(item);
}

double GanttChartContentBaseStyle::selectionWidthFor(const GanttChartItemPtr& item) const {
  return firstOf(entry(selectionWidthForType, checkedItem(item).type()), selectionWidth);
}

Color GanttChartContentBaseStyle::labelForegroundColorFor(const GanttChartItemPtr& item) const {
  const GanttChartItemStyle own = itemLevelStyle(*this, item);
  return firstOf(own.labelForegroundColor, entry(labelForegroundColorForType, item->type()),
                 labelForegroundColor);
}

Font GanttChartContentBaseStyle::labelFontFor(const GanttChartItemPtr& item) const {
  return firstOf(itemLevelStyle(*this, item).labelFont, labelFont);
}

Color GanttChartContentBaseStyle::attachmentForegroundColorFor(
    const GanttChartItemPtr& item) const {
  return firstOf(itemLevelStyle(*this, item).attachmentForegroundColor, attachmentForegroundColor);
}

Font GanttChartContentBaseStyle::attachmentFontFor(const GanttChartItemPtr& item) const {
  return firstOf(itemLevelStyle(*this, item).attachmentFont, attachmentFont);
}

Color GanttChartContentBaseStyle::dependencyLineColorFor(
    const GanttChartDependencyPtr& dependency) const {
  const GanttChartDependencyStyle own = dependencyLevelStyle(*this, dependency);
  return firstOf(own.lineColor, dependencyLineColor, barFillColor);
}

double GanttChartContentBaseStyle::dependencyLineWidthFor(
    const GanttChartDependencyPtr& dependency) const {
  return firstOf(dependencyLevelStyle(*this, dependency).lineWidth, dependencyLineWidth);
}

GanttChartRowStyle GanttChartContentBaseStyle::rowStyleFor(int64_t row, int64_t rowCount,
                                                           bool alternativeRowsOnCount) const {
  if (rowStyleSelector) {
    if (auto selected = rowStyleSelector->style(row)) return *std::move(selected);
  }
  if (!alternativeRows || !isAlternateRow(row, rowCount, alternativeRowsOnCount)) return rowStyle;
  GanttChartRowStyle result = rowStyle;
  if (alternativeRowStyle.backgroundColor) {
    result.backgroundColor = alternativeRowStyle.backgroundColor;
  }
  if (alternativeRowStyle.borders) result.borders = alternativeRowStyle.borders;
  return result;
}

}  // namespace vorlent
