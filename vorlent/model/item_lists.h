#pragma once

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/model/shared_list.h"

namespace vorlent {

// The lists the item manager hands out: shared immutable snapshots.
using GanttChartItemList = SharedList<GanttChartItem>;
using GanttChartDependencyList = SharedList<GanttChartDependency>;

}  // namespace vorlent
