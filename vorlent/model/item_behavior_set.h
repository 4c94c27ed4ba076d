#pragma once

#include <vector>

#include "vorlent/model/item_behavior.h"

namespace vorlent {

// Several behaviours acting as one: each callback asks every member in list
// order with the same arguments and answers their actions concatenated in
// member order, unchanged (no member sees another's answer; duplicates and
// conflicts are left to the manager, which applies them in order). A set may
// contain other sets. Null members are skipped.
//
// The member graph must be free of cycles: a set asked while it contains
// itself, directly or through nested sets, is a fatal stop rather than a
// recursion without end. Re-entrant use (a member that makes the manager ask
// the same set again) is fine.
class GanttChartItemBehaviorSet : public GanttChartItemBehavior {
 public:
  explicit GanttChartItemBehaviorSet(std::vector<GanttChartItemBehaviorPtr> behaviors = {})
      : behaviors_(std::move(behaviors)) {}

  [[nodiscard]] virtual const std::vector<GanttChartItemBehaviorPtr>& behaviors() const {
    return behaviors_;
  }
  // Takes effect at the next callback.
  virtual void setBehaviors(std::vector<GanttChartItemBehaviorPtr> behaviors) {
    behaviors_ = std::move(behaviors);
  }

  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions dependencyWasRemoved(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr& item, double from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions rowDidChange(
      const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions expansionDidChange(const GanttChartItemPtr& item,
                                                 const GanttChartItemList& items) override;

 private:
  // Asks every member through `ask` and concatenates the answers, after
  // checking that the member graph has no cycle.
  template <class Ask>
  GanttChartItemUpdateActions collect(const Ask& ask);

  std::vector<GanttChartItemBehaviorPtr> behaviors_;
};

}  // namespace vorlent
