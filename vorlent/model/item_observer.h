#pragma once

#include <cstdint>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Hears of each individual change an item manager makes, after the new value
// is stored; `from` is the value before. Within one operation the items
// changed by the behaviour cascade are reported first, each as its change is
// applied, and the item the operation changed comes last.
class GanttChartItemObserver {
 public:
  virtual ~GanttChartItemObserver() = default;
  virtual void itemWasAdded(const GanttChartItemPtr& /*item*/) {}
  virtual void itemWasRemoved(const GanttChartItemPtr& /*item*/) {}
  virtual void dependencyWasAdded(const GanttChartDependencyPtr& /*dependency*/) {}
  virtual void dependencyWasRemoved(const GanttChartDependencyPtr& /*dependency*/) {}
  virtual void timeDidChange(const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/) {}
  virtual void completionDidChange(const GanttChartItemPtr& /*item*/, double /*from*/) {}
  virtual void rowDidChange(const GanttChartItemPtr& /*item*/, int64_t /*from*/) {}
  virtual void expansionDidChange(const GanttChartItemPtr& /*item*/) {}
  virtual void zIndexDidChange(const GanttChartItemPtr& /*item*/) {}
  virtual void zIndexDidChange(const GanttChartDependencyPtr& /*dependency*/) {}
  virtual void visibilityDidChange(const GanttChartItemPtr& /*item*/) {}
  virtual void visibilityDidChange(const GanttChartDependencyPtr& /*dependency*/) {}
};

}  // namespace vorlent
