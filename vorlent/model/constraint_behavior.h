#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/constraints.h"
#include "vorlent/model/item_behavior.h"

namespace vorlent {

// Holds items within their minimum and maximum start and finish. When an
// item's time changes, an item is added or a dependency is added (its `to`
// item only), the item is checked against its constraints and, when it lies
// outside them, answered with one time change (both cascade flags) that moves
// it back inside. The limits are checked in the order minimum finish, maximum
// start, maximum finish, minimum start, each against what the earlier ones
// left, so the minimum start wins every conflict. With preserved durations
// the other end follows so that the working duration measured before the
// check is kept; otherwise each end is clamped on its own. The limits are
// used unsnapped: the manager snaps the range it applies.
class GanttChartItemConstraintBehavior : public GanttChartItemBehavior {
 public:
  // `preservingDurations` left at std::nullopt is true. A null provider is a
  // fatal stop: there would be no limits to hold items to.
  explicit GanttChartItemConstraintBehavior(
      std::shared_ptr<GanttChartItemConstraintProvider> provider,
      std::optional<bool> preservingDurations = std::nullopt);
  // Over a new `GanttChartItemConstraintSet` of `constraints`.
  explicit GanttChartItemConstraintBehavior(
      std::vector<GanttChartItemConstraintDefinition> constraints,
      std::optional<bool> preservingDurations = std::nullopt);

  [[nodiscard]] const std::shared_ptr<GanttChartItemConstraintProvider>& provider() const {
    return provider_;
  }
  [[nodiscard]] bool preservingDurations() const { return preservingDurations_; }
  void setPreservingDurations(bool preserving) { preservingDurations_ = preserving; }

  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;

 private:
  GanttChartItemUpdateActions constrain(const GanttChartItemPtr& item,
                                        const std::shared_ptr<ScheduleDefinition>& schedule) const;

  std::shared_ptr<GanttChartItemConstraintProvider> provider_;
  bool preservingDurations_;
};

}  // namespace vorlent
