#pragma once

#include <cstdint>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Told about every single change an item manager makes, once the new value
// is in place; `from` carries the old one. During one operation, follow-up
// changes from the behaviours are reported as they happen, and the change
// the caller asked for is reported after all of them.
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
