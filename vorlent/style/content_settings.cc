#include "vorlent/style/content_settings.h"

#include <utility>

namespace vorlent {

namespace {

// An absent entry places no restriction on the type.
bool allowsType(const PerItemType<bool>& dictionary, GanttChartItemType type) {
  const auto found = dictionary.find(type);
  return found == dictionary.end() || found->second;
}

// Only an explicit false counts.
bool forbidsType(const PerItemType<bool>& dictionary, GanttChartItemType type) {
  const auto found = dictionary.find(type);
  return found != dictionary.end() && !found->second;
}

}  // namespace

void GanttChartContentSettings::setAllowsResizingBars(bool allows) {
  allowsResizingBars_ = allows;
  allowsResizingBarsAtStart = allows;
}

void GanttChartContentSettings::setAllowsResizingBarsForType(PerItemType<bool> allows) {
  allowsResizingBarsForType_ = std::move(allows);
  for (const auto& [type, value] : allowsResizingBarsForType_) {
    allowsResizingBarsAtStartForType.insert_or_assign(type, value);
  }
}

bool GanttChartContentSettings::allowsMovingBar(const GanttChartItem& item) const {
  return allowsMovingBars && item.settings().allowsMovingBar &&
         allowsType(allowsMovingBarsForType, item.type());
}

bool GanttChartContentSettings::allowsResizingBar(const GanttChartItem& item) const {
  return allowsResizingBars_ && item.settings().allowsResizingBar() &&
         allowsType(allowsResizingBarsForType_, item.type());
}

bool GanttChartContentSettings::allowsResizingBarAtStart(const GanttChartItem& item) const {
  return allowsResizingBar(item) && allowsResizingBarsAtStart &&
         item.settings().allowsResizingBarAtStart &&
         allowsType(allowsResizingBarsAtStartForType, item.type());
}

bool GanttChartContentSettings::allowsMovingBarVertically(const GanttChartItem& item) const {
  return allowsMovingBarsVertically && item.settings().allowsMovingBarVertically &&
         allowsType(allowsMovingBarsVerticallyForType, item.type());
}

bool GanttChartContentSettings::allowsResizingCompletionBar(const GanttChartItem& item) const {
  return allowsResizingCompletionBars && item.settings().allowsResizingCompletionBar &&
         allowsType(allowsResizingCompletionBarsForType, item.type());
}

bool GanttChartContentSettings::allowsDeletingBar(const GanttChartItem& item) const {
  return allowsDeletingBars && item.settings().allowsDeletingBar &&
         allowsType(allowsDeletingBarsForType, item.type());
}

bool GanttChartContentSettings::allowsCreatingDependencyLinesFrom(
    const GanttChartItem& item) const {
  return allowsCreatingDependencyLines && item.settings().allowsCreatingDependencyLinesFrom &&
         allowsType(allowsCreatingDependencyLinesForType, item.type());
}

bool GanttChartContentSettings::allowsCreatingDependencyLinesTo(const GanttChartItem& item) const {
  return allowsCreatingDependencyLines && item.settings().allowsCreatingDependencyLinesTo &&
         allowsType(allowsCreatingDependencyLinesForType, item.type());
}

bool GanttChartContentSettings::allowsDeletingDependencyLinesFrom(
    const GanttChartItem& item) const {
  return allowsDeletingDependencyLines && item.settings().allowsDeletingDependencyLinesFrom &&
         allowsType(allowsDeletingDependencyLinesForType, item.type());
}

bool GanttChartContentSettings::allowsDeletingDependencyLinesTo(const GanttChartItem& item) const {
  return allowsDeletingDependencyLines && item.settings().allowsDeletingDependencyLinesTo &&
         allowsType(allowsDeletingDependencyLinesForType, item.type());
}

bool GanttChartContentSettings::allowsDeletingDependencyLine(
    const GanttChartDependency& dependency) const {
  return allowsDeletingDependencyLinesFrom(*dependency.from()) &&
         allowsDeletingDependencyLinesTo(*dependency.to()) &&
         dependency.settings().allowsDeletingDependencyLine;
}

bool GanttChartContentSettings::allowsCreatingDependencyLinesFromStartToFinishOnly() const {
  return !allowsCreatingDependencyLinesFromStart && !allowsCreatingDependencyLinesToFinish;
}

void GanttChartContentSettings::setAllowsCreatingDependencyLinesFromStartToFinishOnly(bool only) {
  allowsCreatingDependencyLinesFromStart = !only;
  allowsCreatingDependencyLinesToFinish = !only;
}

bool GanttChartContentSettings::isReadOnly() const {
  return !allowsMovingBars && !allowsResizingBars_ && !allowsResizingCompletionBars &&
         !allowsMovingBarsVertically && !allowsUpdatingZIndexes && !allowsCreatingBars &&
         !allowsDeletingBars && !allowsCreatingMilestones && !allowsCreatingDependencyLines &&
         !allowsDeletingDependencyLines && !allowsCreatingDependencyLinesFromStart &&
         !allowsCreatingDependencyLinesToFinish;
}

void GanttChartContentSettings::setIsReadOnly(bool readOnly) {
  const bool allows = !readOnly;
  allowsMovingBars = allows;
  setAllowsResizingBars(allows);
  allowsResizingCompletionBars = allows;
  allowsMovingBarsVertically = allows;
  allowsUpdatingZIndexes = allows;
  allowsCreatingBars = allows;
  allowsDeletingBars = allows;
  allowsCreatingMilestones = allows;
  allowsCreatingDependencyLines = allows;
  allowsDeletingDependencyLines = allows;
  allowsCreatingDependencyLinesFromStart = allows;
  allowsCreatingDependencyLinesToFinish = allows;
}

PerItemType<bool> GanttChartContentSettings::isTypeReadOnly() const {
  PerItemType<bool> result;
  for (const GanttChartItemType type : allGanttChartItemTypes()) {
    result[type] = forbidsType(allowsMovingBarsForType, type) &&
                   forbidsType(allowsResizingBarsForType_, type) &&
                   forbidsType(allowsResizingCompletionBarsForType, type) &&
                   forbidsType(allowsMovingBarsVerticallyForType, type) &&
                   forbidsType(allowsDeletingBarsForType, type) &&
                   forbidsType(allowsCreatingDependencyLinesForType, type) &&
                   forbidsType(allowsDeletingDependencyLinesForType, type);
  }
  return result;
}

void GanttChartContentSettings::setIsTypeReadOnly(const PerItemType<bool>& readOnly) {
  for (const GanttChartItemType type : allGanttChartItemTypes()) {
    const auto found = readOnly.find(type);
    const bool allows = !(found != readOnly.end() && found->second);
    allowsMovingBarsForType[type] = allows;
    PerItemType<bool> resizing = allowsResizingBarsForType_;
    resizing[type] = allows;
    setAllowsResizingBarsForType(std::move(resizing));
    allowsResizingCompletionBarsForType[type] = allows;
    allowsMovingBarsVerticallyForType[type] = allows;
    allowsDeletingBarsForType[type] = allows;
    allowsCreatingDependencyLinesForType[type] = allows;
    allowsDeletingDependencyLinesForType[type] = allows;
  }
}

void GanttChartContentSettings::setDefaultStyle(GanttChartContentBaseStyle defaultStyle) {
  defaultStyle_ = std::move(defaultStyle);
  theme_ = Theme::none();
  actualStyle_ = style_.applyingTo(defaultStyle_);
}

void GanttChartContentSettings::setStyle(GanttChartContentStyle style) {
  style_ = std::move(style);
  actualStyle_ = style_.applyingTo(defaultStyle_);
}

}  // namespace vorlent
