#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/model/row_range.h"
#include "vorlent/time/time_range.h"

namespace vorlent {

// Where an item manager's items and dependencies come from when the host owns
// them. The manager holds its provider weakly and caches the answers until the
// next change.
class GanttChartCollectionProvider {
 public:
  virtual ~GanttChartCollectionProvider() = default;

  [[nodiscard]] virtual int64_t totalRowCount() = 0;
  // The time range the chart would like to show.
  [[nodiscard]] virtual TimeRange preferredTimeline() = 0;
  // What to show for the rows `range` (both ends inclusive) and `timeline`.
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> filteredItems(const RowRange& range,
                                                                     const TimeRange& timeline) = 0;
  [[nodiscard]] virtual std::vector<GanttChartDependencyPtr> filteredDependencies(
      const RowRange& range, const TimeRange& timeline) = 0;
  // Everything the behaviours may consider; nullopt lets the manager fall back
  // on the filtered lists, while an empty list means none.
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemPtr>> availableItems() {
    return std::nullopt;
  }
  [[nodiscard]] virtual std::optional<std::vector<GanttChartDependencyPtr>>
  availableDependencies() {
    return std::nullopt;
  }
};

// Hears that an item manager's collection or its filtered views changed. The
// manager's caches are already cleared when it calls, so fresh values can be
// read at once. After a change `collectionDidChange()` comes first, then the
// specific notifications in declaration order.
class GanttChartCollectionObserver {
 public:
  virtual ~GanttChartCollectionObserver() = default;
  virtual void totalRowCountDidChange() {}
  virtual void preferredTimelineDidChange() {}
  virtual void filteredItemsDidChange() {}
  virtual void filteredDependenciesDidChange() {}
  virtual void collectionDidChange() {}
};

}  // namespace vorlent
