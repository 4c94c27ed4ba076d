#include "vorlent/model/item_settings.h"

namespace vorlent {

bool GanttChartItemSettings::isReadOnly() const {
  return !(allowsMovingBar || allowsResizingBar_ || allowsMovingBarVertically ||
           allowsResizingCompletionBar || allowsDeletingBar || allowsCreatingDependencyLinesTo ||
           allowsCreatingDependencyLinesFrom || allowsDeletingDependencyLinesTo ||
           allowsDeletingDependencyLinesFrom);
}

void GanttChartItemSettings::setIsReadOnly(bool readOnly) {
  const bool allows = !readOnly;
  allowsMovingBar = allows;
  setAllowsResizingBar(allows);
  allowsResizingBarAtStart = allows;
  allowsMovingBarVertically = allows;
  allowsResizingCompletionBar = allows;
  allowsDeletingBar = allows;
  allowsCreatingDependencyLinesTo = allows;
  allowsCreatingDependencyLinesFrom = allows;
  allowsDeletingDependencyLinesTo = allows;
  allowsDeletingDependencyLinesFrom = allows;
}

}  // namespace vorlent
