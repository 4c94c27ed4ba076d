#pragma once

#include <memory>

#include "vorlent/model/item.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent::detail {

// The calendar that governs `item` inside a behaviour: its own schedule when
// it has one, else the manager's `fallback`; a continuous calendar when
// neither is set, so a behaviour called without a schedule still answers.
// Shared rather than referenced: a host callback reached while the behaviour
// works (a lag provider, say) may give the item another schedule and so
// release the one being used.
inline std::shared_ptr<const ScheduleDefinition> behaviorScheduleOf(
    const GanttChartItem& item, const std::shared_ptr<ScheduleDefinition>& fallback) {
  if (const auto& own = item.schedule()) return own;
  if (fallback) return fallback;
  return ScheduleDefinition::continuous();
}

}  // namespace vorlent::detail
