#pragma once

#include <cstdint>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"

namespace vorlent {

// Makes the items and dependencies the user draws. It only creates; storing
// is the caller's business. The defaults make plain objects: a zero-length
// item at `time` (a milestone when asked for, otherwise standard) with
// completion 0 and z-index 0, and a visible dependency of the given type.
class GanttChartItemFactory {
 public:
  virtual ~GanttChartItemFactory() = default;

  virtual GanttChartItemPtr createItem(int64_t row, const Time& time, bool isMilestone);
  virtual GanttChartDependencyPtr createDependency(const GanttChartItemPtr& from,
                                                   const GanttChartItemPtr& to,
                                                   GanttChartDependencyType type);
};

}  // namespace vorlent
