#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/item_manager.h"
#include "vorlent/model/item_source_add_ons.h"
#include "vorlent/model/source_dependency_index.h"
#include "vorlent/model/source_item_extent.h"
#include "vorlent/model/source_item_order.h"
#include "vorlent/model/source_row_index.h"

namespace vorlent {

// The item manager for a host that simply has its items at hand: it owns an
// array of items and one of dependencies (kept in insertion order, matched by
// identity) and answers the manager's source questions from them. Hidden
// items count everywhere here; hiding is for drawing, not for the shape of
// the chart.
//
// - Total row count: the last row plus one; 0 without items or when every
//   row is negative, so a chart never reports a negative height.
// - Preferred timeline: the earliest start to the latest finish; without
//   items a zero-length range at the current time, so a view following it
//   still opens somewhere sensible.
// - Filtered items: in array order, those on a row of `range` touching
//   `timeline`, ends included, so that a bar ending exactly where the view
//   starts is still drawn.
// - Filtered dependencies: in array order, those touching a filtered item
//   whose two ends the source both holds; a link left pointing at a removed
//   item is not drawn to nowhere.
// - Available items: all items ordered by row, start, finish and z-index, the
//   order in which the rules visit them; available dependencies: the array as
//   it stands.
//
// The arrays change only through the manager's operations (adding and
// removing), which keep row and dependency indexes, the order of the
// available items and the span of the items' times up to date, so filtering
// a viewport of a large chart does not scan it, a change does not re-sort it
// and moving an item does not search every item for the new timeline. The lists handed to the
// behaviours carry what the source knows (the items' row order, the links of
// each item), so the shipped rules answer without scanning the chart either.
// The indexes notice changes of rows and links made through the items'
// setters; a host that changes items by other means calls
// `collectionDidChange()` or `clearCache()`.
//
// Its switchable scheduling rules (column mode, hierarchy, auto-scheduling
// with lags, constraints) come from `GanttChartItemSourceAddOns`.
class GanttChartItemSource : public GanttChartItemManager, public GanttChartItemSourceAddOns {
 public:
  // The arrays are taken as they are: nothing is sorted, deduplicated or
  // scheduled, so loading saved data keeps it exactly; call `applySchedule()`
  // or `applyBehavior()` to bring it in line with the rules. A null element
  // is a fatal stop, as every later answer would trip over it.
  explicit GanttChartItemSource(std::vector<GanttChartItemPtr> items = {},
                                std::vector<GanttChartDependencyPtr> dependencies = {},
                                std::shared_ptr<ScheduleDefinition> schedule = nullptr,
                                GanttChartItemBehaviorPtr behavior = nullptr);
  // Lets go of its items and dependencies, whose edits then count nowhere.
  ~GanttChartItemSource() override;

  [[nodiscard]] virtual const std::vector<GanttChartItemPtr>& items() const { return items_; }
  [[nodiscard]] virtual const std::vector<GanttChartDependencyPtr>& dependencies() const {
    return dependencies_;
  }

  // Clears `hasChanged` on every item, then on every dependency. Nothing is
  // notified and no cache is cleared.
  virtual void acceptChanges();

  [[nodiscard]] int64_t sourceTotalRowCount() override;
  [[nodiscard]] TimeRange sourcePreferredTimeline() override;
  [[nodiscard]] std::vector<GanttChartItemPtr> sourceFilteredItems() override;
  [[nodiscard]] std::vector<GanttChartDependencyPtr> sourceFilteredDependencies() override;
  // The same snapshot is handed out for as long as no item is added, removed,
  // moved to another row or time, or given another z-index; it is sorted only
  // when read, by moving what changed since the last sort. Items equal in all
  // four keys keep their earlier relative order (insertion order at first).
  [[nodiscard]] GanttChartItemList availableItems() override;
  // The same snapshot for as long as no dependency is added, removed or
  // relinked.
  [[nodiscard]] GanttChartDependencyList availableDependencies() override;

  // Appends the factory's new item (dependency) to the array.
  GanttChartItemPtr addNewSourceItem(int64_t row, const Time& time, bool isMilestone) override;
  // Removes every occurrence of that very item, keeping the others' order;
  // its dependencies stay. An item not in the array changes nothing.
  void removeSourceItem(const GanttChartItemPtr& item) override;
  GanttChartDependencyPtr addNewSourceDependency(const GanttChartItemPtr& from,
                                                 const GanttChartItemPtr& to,
                                                 GanttChartDependencyType type) override;
  void removeSourceDependency(const GanttChartDependencyPtr& dependency) override;

 protected:
  void sourceDidChange() override;
  void itemPlacementWillChange(const GanttChartItemPtr& item) override;
  void itemPlacementDidChange(const GanttChartItemPtr& item, const TimeRange& oldTime) override;

 private:
  std::shared_ptr<GanttChartItemSource> lockedSelf();
  // The items sorted for `availableItems`, moved on from the last order.
  std::shared_ptr<const std::vector<GanttChartItemPtr>> sortedItems();
  void ensureRowIndex();
  void ensureDependencyIndex();

  // Where the edits of the items held here count; shared with the item lists
  // handed out.
  std::shared_ptr<detail::ItemChangeCounts> itemCounts_ =
      std::make_shared<detail::ItemChangeCounts>();
  std::vector<GanttChartItemPtr> items_;
  std::vector<GanttChartDependencyPtr> dependencies_;
  // Bumped whenever items are removed or everything is invalidated; appends
  // are applied to the indexes directly.
  uint64_t itemRemovals_ = 0;
  // The order generation right before each assignment of the manager still
  // under way, innermost last.
  std::vector<uint64_t> placementsUnderWay_;

  // Available lists and the state they were made for.
  std::optional<GanttChartItemList> availableItems_;
  uint64_t availableItemsOrder_ = 0;
  uint64_t availableItemsRemovals_ = 0;
  size_t availableItemsSize_ = 0;
  detail::SourceItemOrder itemOrder_{*itemCounts_};
  std::optional<GanttChartDependencyList> availableDependencies_;
  uint64_t availableDependenciesRevision_ = 0;

  // Which items the array holds and the span of their times: removals,
  // filtered dependencies and the preferred timeline ask it.
  detail::SourceItemExtent extent_{*itemCounts_};
  detail::SourceRowIndex rowIndex_;
  bool rowIndexValid_ = false;
  uint64_t rowIndexRows_ = 0;
  // Shared with the dependency lists handed out, which carry it.
  std::shared_ptr<detail::SourceDependencyIndex> dependencyIndex_ =
      std::make_shared<detail::SourceDependencyIndex>();
};

using GanttChartItemSourcePtr = std::shared_ptr<GanttChartItemSource>;

}  // namespace vorlent
