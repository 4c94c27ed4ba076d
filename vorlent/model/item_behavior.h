#pragma once

#include <cstdint>
#include <memory>

#include "vorlent/model/item_lists.h"
#include "vorlent/model/update_action.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

class ScheduleDefinition;

// A scheduling rule: answers one change of the chart model with the further
// changes it requires. A behaviour never changes items itself; the item
// manager applies the answers and asks again about each applied time or
// completion change that carries a cascade flag, depth first.
//
// `items` and `dependencies` are the manager's available ones at the time of
// the call, as shared snapshots: they cost nothing until read, and while the
// model does not change the manager hands out the very same list (see
// `SharedList::isSameList`), so a behaviour may keep an index keyed by it.
// `schedule` is always the manager's; an item's own schedule is read from the
// item. The item passed already holds its new value; `from` is the old one.
//
// Every callback answers no changes by default.
class GanttChartItemBehavior {
 public:
  virtual ~GanttChartItemBehavior() = default;

  virtual GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& /*item*/, const GanttChartItemList& /*items*/,
      const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& /*item*/, const GanttChartItemList& /*items*/,
      const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& /*dependency*/, const GanttChartItemList& /*items*/,
      const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions dependencyWasRemoved(
      const GanttChartDependencyPtr& /*dependency*/, const GanttChartItemList& /*items*/,
      const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
      const GanttChartItemList& /*items*/, const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr& /*item*/, double /*from*/, bool /*up*/, bool /*down*/,
      const GanttChartItemList& /*items*/, const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions rowDidChange(
      const GanttChartItemPtr& /*item*/, int64_t /*from*/, const GanttChartItemList& /*items*/,
      const GanttChartDependencyList& /*dependencies*/,
      const std::shared_ptr<ScheduleDefinition>& /*schedule*/) {
    return {};
  }
  virtual GanttChartItemUpdateActions expansionDidChange(const GanttChartItemPtr& /*item*/,
                                                         const GanttChartItemList& /*items*/) {
    return {};
  }
};

using GanttChartItemBehaviorPtr = std::shared_ptr<GanttChartItemBehavior>;

}  // namespace vorlent
