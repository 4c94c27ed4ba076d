#pragma once

#include "vorlent/model/item_style.h"

namespace vorlent {

// What the host lets the user do with one item, whether it is drawn
// highlighted, and its own style. The chart area grants an operation only
// when its own flag, this item flag and the per-type entry all allow it.
struct GanttChartItemSettings {
  bool isHighlighted = false;
  bool allowsMovingBar = true;

  // Resizing is coupled: every assignment through `setAllowsResizingBar` also
  // assigns `allowsResizingBarAtStart`, so a host that wants resizing at the
  // finish only sets `allowsResizingBar` first and then clears the other.
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
