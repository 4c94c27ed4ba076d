#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/behavior_dependency_index.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/link_push_cache.h"

namespace vorlent {

namespace detail {
struct AutoSchedulingTestPeer;
}  // namespace detail

// Keeps items in the order their dependencies demand. When an item's time
// changes, or an item or a dependency is added, it places the item's
// successors where each link's type and lag (working time, counted in the
// successor's calendar from the predecessor's linked end) put them, and, when
// `applyingToUpdatingItems`, first pushes the item itself behind its own
// predecessors. Its actions carry both cascade flags, so the manager's cascade
// carries a change along the whole chain, one link per level; a cycle of
// links goes on until the cascade bound stops it.
//
// Dependencies excluded by the lag provider take no part at all. Item types
// are not looked at: the manager snaps what it is given.
//
// Predecessors and successors are found through the index an item source
// attaches to its dependency lists, which it keeps up to date as links come
// and go; for any other list, through an index of the list by item, kept
// while the manager hands out the same list and rebuilt when it changes.
// Either is a cache, not state that changes any answer.
class GanttChartItemAutoSchedulingBehavior : public GanttChartItemBehavior {
 public:
  // `applyingToUpdatingItems` left at std::nullopt is false and
  // `preservingDurations` true; `aggregatingSources` keeps std::nullopt, a
  // placement mode of its own.
  explicit GanttChartItemAutoSchedulingBehavior(
      std::optional<bool> applyingToUpdatingItems = std::nullopt,
      std::optional<bool> aggregatingSources = std::nullopt,
      std::optional<bool> preservingDurations = std::nullopt,
      std::shared_ptr<GanttChartDependencyLagProvider> lagProvider = nullptr);
  // Over a new `GanttChartDependencyLagSet` of `lags`.
  GanttChartItemAutoSchedulingBehavior(std::optional<bool> applyingToUpdatingItems,
                                       std::optional<bool> aggregatingSources,
                                       std::optional<bool> preservingDurations,
                                       std::vector<GanttChartDependencyLagDefinition> lags);

  // Whether the changed item itself is pushed behind its predecessors.
  [[nodiscard]] bool applyingToUpdatingItems() const { return applyingToUpdatingItems_; }
  void setApplyingToUpdatingItems(bool applying) { applyingToUpdatingItems_ = applying; }
  // Whether a moved item keeps its working duration; otherwise only the
  // linked end moves.
  [[nodiscard]] bool preservingDurations() const { return preservingDurations_; }
  void setPreservingDurations(bool preserving) { preservingDurations_ = preserving; }
  // How a successor with several predecessors is placed when one of them
  // changes: false places it exactly where the changed link puts it, earlier
  // or later; true only pushes it later, to the latest of its position and
  // all its predecessors' times; std::nullopt places it by the changed link and
  // then pushes it by all its predecessors, so it may move earlier when all of
  // them allow it.
  [[nodiscard]] std::optional<bool> aggregatingSources() const { return aggregatingSources_; }
  void setAggregatingSources(std::optional<bool> aggregating) { aggregatingSources_ = aggregating; }
  // Held strongly; null for no lags and no exclusions.
  [[nodiscard]] const std::shared_ptr<GanttChartDependencyLagProvider>& lagProvider() const {
    return lagProvider_;
  }

  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  // Schedules from the dependency's `from` item.
  GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;

 private:
  GanttChartItemUpdateActions scheduleFrom(const GanttChartItemPtr& item,
                                           const GanttChartDependencyList& dependencies,
                                           const std::shared_ptr<ScheduleDefinition>& schedule);

  bool applyingToUpdatingItems_;
  std::optional<bool> aggregatingSources_;
  bool preservingDurations_;
  std::shared_ptr<GanttChartDependencyLagProvider> lagProvider_;
  detail::BehaviorDependencyIndex index_;
  detail::LinkPushCache pushCache_;

  friend struct detail::AutoSchedulingTestPeer;
};

}  // namespace vorlent
