#include "vorlent/model/plain_cascade_testing.h"

namespace vorlent::testing {

GanttChartItemManager::CascadeBounds PlainCascadeSource::cascadeBounds() const {
  // Settling charts of a few dozen items come back to an item a handful of
  // times; anything near this is running in circles.
  return {false, 4096, 2 * kConflictNesting};
}

void PlainCascadeSource::applyBehaviorUpdates() {
  const GanttChartItemList items = availableItems();
  for (const auto& item : items) {
    applyBehaviorUpdatesForRowOf(item);
    applyBehaviorUpdatesForExpansionStateOf(item);
    applyBehaviorUpdatesForTimeOf(item);
    applyBehaviorUpdatesForCompletionOf(item);
  }
}

}  // namespace vorlent::testing
