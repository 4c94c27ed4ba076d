#pragma once

#include <cstdint>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"

namespace vorlent {

// Lets a host veto or complete the user's edits of the chart area. Held
// weakly and asked only while set: without an editor, adding and removing
// proceed while the controller's `canEdit` answers false. The checks default
// to allowing, the notifications to doing nothing.
class GanttChartContentEditor {
 public:
  virtual ~GanttChartContentEditor() = default;

  // Asked with the time under the pointer, before it is snapped.
  virtual bool canAddNewItem(int64_t /*row*/, const Time& /*time*/, bool /*isMilestone*/) {
    return true;
  }
  virtual bool canAddNewDependency(const GanttChartItemPtr& /*from*/,
                                   const GanttChartItemPtr& /*to*/,
                                   GanttChartDependencyType /*type*/) {
    return true;
  }
  virtual bool canRemoveItem(const GanttChartItemPtr& /*item*/) { return true; }
  virtual bool canRemoveDependency(const GanttChartDependencyPtr& /*dependency*/) { return true; }

  // A new item (milestone, dependency) made by the controller, for the host
  // to fill in.
  virtual void initializeItem(const GanttChartItemPtr& /*item*/) {}
  virtual void initializeMilestone(const GanttChartItemPtr& /*milestone*/) {}
  virtual void initialize(const GanttChartDependencyPtr& /*dependency*/) {}

  virtual bool canEdit(const GanttChartItemPtr& /*item*/) { return true; }
  virtual bool canEdit(const GanttChartDependencyPtr& /*dependency*/) { return true; }
  // Open the host's editor for the item or dependency.
  virtual void edit(const GanttChartItemPtr& /*item*/) {}
  virtual void edit(const GanttChartDependencyPtr& /*dependency*/) {}
};

}  // namespace vorlent
