#pragma once

// The classic presets, `GanttChartItemBehaviorSet::classic(...)`, are declared
// with the set; include this header to call them, since it brings in the
// hierarchy, lag and constraint types their arguments name.

#include "vorlent/model/constraints.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior_set.h"
