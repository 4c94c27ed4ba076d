#pragma once

#include <cstdint>
#include <optional>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/style/content_base_style.h"
#include "vorlent/style/content_strings.h"
#include "vorlent/style/content_style.h"
#include "vorlent/style/per_item_type.h"
#include "vorlent/style/theme.h"
#include "vorlent/graphics/mode.h"

namespace vorlent {

namespace detail {
struct RecordedThemeAccess;
}

// Everything the chart area's controller is configured with, as one value:
// display switches, editing permissions (for the whole chart and per item
// type), the distances behind hit testing, dragging and edge scrolling,
// caching, the three-level style and the context-menu texts. To change it, a
// host copies it, edits the copy, assigns it back and notifies the controller.
//
// An edit is allowed only when all three levels grant it, asked in this order
// until one refuses: the member here, the item's `settings()`, then the
// per-type dictionary, whose missing entries grant. Lengths are in points,
// intervals in seconds.
class GanttChartContentSettings {
 public:
  bool showsLabels = true;
  bool showsToolTips = true;
  bool showsCompletionBars = true;
  bool showsCompletionBarsForSummaryItems = true;
  bool showsDependencyLines = true;
  // Routing options of dependency lines.
  bool drawsVerticallyEndingDependencyLinesWhenApplicable = true;
  bool drawsDependencyLinesSpanningHorizontalDistancePrimarilyOnSourceRow = false;
  bool allowsZooming = true;
  bool allowsActivatingBars = true;
  bool allowsActivatingDependencyLines = true;
  // Whether activating a summary toggles it between expanded and collapsed.
  bool activationTogglesExpansionForSummaryItems = false;
  bool allowsMovingBars = true;
  PerItemType<bool> allowsMovingBarsForType;
  // `allowsResizingBars` and `allowsResizingBarsForType`: see their setters.
  bool allowsResizingBarsAtStart = true;
  PerItemType<bool> allowsResizingBarsAtStartForType;
  bool allowsMovingBarsVertically = true;
  PerItemType<bool> allowsMovingBarsVerticallyForType;
  bool allowsResizingCompletionBars = true;
  PerItemType<bool> allowsResizingCompletionBarsForType;
  // Resizing a bar keeps its completed duration.
  bool preservesCompletedDurationUponResizingBars = true;
  // Whether the controller may bring an item it works with to the front.
  bool allowsUpdatingZIndexes = true;
  bool allowsCreatingBars = true;
  bool allowsCreatingMilestones = true;
  bool allowsDeletingBars = true;
  PerItemType<bool> allowsDeletingBarsForType;
  bool allowsCreatingDependencyLines = true;
  PerItemType<bool> allowsCreatingDependencyLinesForType;
  // Whether a line the user draws may start at an item's start, or end at
  // an item's finish. The permission functions below ignore both; the code
  // that draws new lines reads them.
  bool allowsCreatingDependencyLinesFromStart = true;
  bool allowsCreatingDependencyLinesToFinish = true;
  bool allowsDeletingDependencyLines = true;
  PerItemType<bool> allowsDeletingDependencyLinesForType;
  bool editsNewlyCreatedItems = true;
  bool editsNewlyCreatedDependencies = true;
  bool allowsSelectingElements = false;
  bool allowsEditingElements = false;
  bool allowsEditingItems = true;
  bool allowsEditingDependencies = true;
  bool selectsNewlyCreatedElements = false;
  bool selectsEditedElements = false;
  // The smallest drawn bar width.
  double minBarWidth = 4;
  // The width of the temporary bar; nullopt lets the controller choose.
  std::optional<double> temporaryBarWidth;
  // How close to either end of a bar a drag resizes it instead of moving it.
  double resizingBarAreaWidth = 8;
  // Fraction of a bar's height that serves as the handle for dragging it to
  // another row.
  double movingBarVerticallyAreaHeightRatio = 0.25;
  // Width ratio of a bar's finish end from which a dependency line is drawn.
  double creatingDependencyLineFinishEndWidthRatio = 0.25;
  // Largest distances at which a bar or a dependency line counts as hit.
  double maxBarHoveringDistance = 12;
  double maxLineHoveringDistance = 5;
  int64_t numberOfClicksRequiredToActivateElements = 1;
  // Which rows alternate; see `isAlternateRow`.
  bool alternativeRowsOnCount = true;
  // Space kept between the point being dragged and the viewport's edge when
  // the view scrolls along.
  double autoScrollMargin = 25;
  // Interval of the repeated drag step while the pointer rests.
  double autoScrollInterval = 0.04;
  // Seconds by which the scrollable timeline moves once the viewport has
  // passed one of its ends; std::nullopt keeps it where it is.
  std::optional<double> autoShiftsScrollableTimelineBy;
  bool usesCache = true;
  GanttChartContentStrings strings;

  GanttChartContentSettings() = default;

  // Chart-wide permission to resize bars. The setter copies the value into
  // `allowsResizingBarsAtStart` as well; to allow resizing at the finish
  // alone, set this one and clear the other afterwards.
  [[nodiscard]] bool allowsResizingBars() const { return allowsResizingBars_; }
  void setAllowsResizingBars(bool allows);
  // Per-type permission to resize bars. Setting it also writes each of its
  // entries into `allowsResizingBarsAtStartForType`, leaving that
  // dictionary's other entries as they were.
  [[nodiscard]] const PerItemType<bool>& allowsResizingBarsForType() const {
    return allowsResizingBarsForType_;
  }
  void setAllowsResizingBarsForType(PerItemType<bool> allows);

  // Permission queries for one item.
  [[nodiscard]] bool allowsMovingBar(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsResizingBar(const GanttChartItem& item) const;
  // Never true where `allowsResizingBar` is false.
  [[nodiscard]] bool allowsResizingBarAtStart(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsMovingBarVertically(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsResizingCompletionBar(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsDeletingBar(const GanttChartItem& item) const;
  // The item as the source, or as the target, of a new dependency line.
  [[nodiscard]] bool allowsCreatingDependencyLinesFrom(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsCreatingDependencyLinesTo(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsDeletingDependencyLinesFrom(const GanttChartItem& item) const;
  [[nodiscard]] bool allowsDeletingDependencyLinesTo(const GanttChartItem& item) const;
  // Deleting from the source item, deleting to the target item, then the
  // dependency's own flag.
  [[nodiscard]] bool allowsDeletingDependencyLine(const GanttChartDependency& dependency) const;

  // True when neither `allowsCreatingDependencyLinesFromStart` nor
  // `allowsCreatingDependencyLinesToFinish` is set; setting it writes the
  // negation into both.
  [[nodiscard]] bool allowsCreatingDependencyLinesFromStartToFinishOnly() const;
  void setAllowsCreatingDependencyLinesFromStartToFinishOnly(bool only);

  // True when all twelve chart-wide editing flags are false (moving, resizing,
  // resizing completion, moving vertically, updating z-indexes, creating bars
  // and milestones, deleting bars, creating and deleting dependency lines,
  // creating from the start and to the finish). Setting it writes the negation
  // into those twelve and, through the resizing coupling, into
  // `allowsResizingBarsAtStart`; nothing else changes.
  [[nodiscard]] bool isReadOnly() const;
  void setIsReadOnly(bool readOnly);

  // One entry per item type, true exactly when the seven per-type dictionaries
  // of moving, resizing, resizing completion, moving vertically, deleting
  // bars, creating and deleting dependency lines all hold an explicit false
  // for it. Setting it writes, for every type, the negation of its entry (an
  // absent entry counting as false) into those seven and, through the
  // resizing coupling, into `allowsResizingBarsAtStartForType`; afterwards all
  // eight hold explicit entries for all three types.
  [[nodiscard]] PerItemType<bool> isTypeReadOnly() const;
  void setIsTypeReadOnly(const PerItemType<bool>& readOnly);

  // The complete style, normally a theme's. Setting it also marks the
  // recorded theme `none` (a style assigned by hand is no theme's, so the next
  // theme application replaces it) and recomputes `actualStyle`.
  [[nodiscard]] const GanttChartContentBaseStyle& defaultStyle() const { return defaultStyle_; }
  void setDefaultStyle(GanttChartContentBaseStyle defaultStyle);
  // The host's overrides. Setting them recomputes `actualStyle`; the recorded
  // theme stays.
  [[nodiscard]] const GanttChartContentStyle& style() const { return style_; }
  void setStyle(GanttChartContentStyle style);
  // `style().applyingTo(defaultStyle())`, stored, so reading it never merges.
  [[nodiscard]] const GanttChartContentBaseStyle& actualStyle() const { return actualStyle_; }

 private:
  friend struct detail::RecordedThemeAccess;

  bool allowsResizingBars_ = true;
  PerItemType<bool> allowsResizingBarsForType_;
  GanttChartContentBaseStyle defaultStyle_;
  // Which theme and mode produced `defaultStyle_`; written only by the
  // controller that applies themes.
  Theme theme_ = Theme::generic();
  Mode mode_ = Mode::light;
  GanttChartContentStyle style_;
  GanttChartContentBaseStyle actualStyle_;
};

}  // namespace vorlent
