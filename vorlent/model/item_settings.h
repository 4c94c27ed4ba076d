#pragma once

#include "vorlent/model/item_style.h"

namespace vorlent {

// Per-item permissions, highlighting and style. They form the middle of the
// three permission levels: an edit needs the chart area's consent, this
// item's, and that of its type's entry.
struct GanttChartItemSettings {
  bool isHighlighted = false;
  bool allowsMovingBar = true;

  // `setAllowsResizingBar` writes `allowsResizingBarAtStart` too. To let an
  // item be resized at its finish alone, call the setter first and clear
  // `allowsResizingBarAtStart` afterwards.
  [[nodiscard]] bool allowsResizingBar() const { return allowsResizingBar_; }
  void setAllowsResizingBar(bool allows) {
    allowsResizingBar_ = allows;
    allowsResizingBarAtStart = allows;
  }
  bool allowsResizingBarAtStart = true;

  bool allowsMovingBarVertically = true;
  bool allowsResizingCompletionBar = true;
  bool allowsDeletingBar = true;
  bool allowsCreatingDependencyLinesTo = true;
  bool allowsCreatingDependencyLinesFrom = true;
  bool allowsDeletingDependencyLinesTo = true;
  bool allowsDeletingDependencyLinesFrom = true;
  GanttChartItemStyle style{std::nullopt};

  // True when none of the nine main permissions is set; neither
  // `allowsResizingBarAtStart` (granted only with resizing anyway) nor
  // `isHighlighted` is consulted.
  [[nodiscard]] bool isReadOnly() const;
  // Assigns the negation to all ten permissions, the start-resizing one
  // included; highlight and style stay.
  void setIsReadOnly(bool readOnly);

 private:
  bool allowsResizingBar_ = true;
};

}  // namespace vorlent
