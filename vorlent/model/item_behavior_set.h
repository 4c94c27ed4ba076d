#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/item_behavior.h"

namespace vorlent {

class GanttChartItemHierarchyProvider;
class GanttChartDependencyLagProvider;
class GanttChartItemConstraintProvider;
struct GanttChartItemHierarchicalRelation;
struct GanttChartDependencyLagDefinition;
struct GanttChartItemConstraintDefinition;

// Several behaviours acting as one: each callback asks every member in list
// order with the same arguments and answers their actions concatenated in
// member order, unchanged (no member sees another's answer; duplicates and
// conflicts are left to the manager, which applies them in order). A set may
// contain other sets. Null members are skipped.
//
// A set already being asked further up the same question answers nothing, so
// a set that contains itself, directly or through nested sets, is asked once.
// A member that calls a mutating operation of the manager from its callback
// starts a new question there (the manager opens a `detail::NewBehaviorQuestion`
// for every question it asks), so the same set answers that nested operation
// in full and the edit gets its cascade.
class GanttChartItemBehaviorSet : public GanttChartItemBehavior {
 public:
  explicit GanttChartItemBehaviorSet(std::vector<GanttChartItemBehaviorPtr> behaviors = {})
      : behaviors_(std::move(behaviors)) {}

  [[nodiscard]] virtual const std::vector<GanttChartItemBehaviorPtr>& behaviors() const {
    return behaviors_;
  }
  // Takes effect at the next callback.
  virtual void setBehaviors(std::vector<GanttChartItemBehaviorPtr> behaviors) {
    behaviors_ = std::move(behaviors);
  }

  // The classic presets, each a new set whose members are, in order: column
  // mode, hierarchy (summaries span and roll up their children, collapsing
  // folds them), auto-scheduling along dependencies, constraints; so for a
  // changed time the hierarchy's adjustments come first, the successors'
  // moves next and the constraint correction last. Left at std::nullopt,
  // `aggregatingTime` is true and `autoSchedulingApplyingToUpdatingItems`
  // false; `autoSchedulingAggregatingSources` is passed on as it is (its
  // std::nullopt is a mode of its own); `preservingDurations` (true when
  // std::nullopt) sets the hierarchical, auto-scheduling and constraint
  // members alike, so that they never disagree on whether a move is a move. Every call builds new
  // members, so two sets never share collapse records. The list form builds a
  // new hierarchy, lag set and constraint set of the given lists; the
  // argument-less form uses empty ones and every default. Defined in
  // classic_behaviors.cc.
  static std::shared_ptr<GanttChartItemBehaviorSet> classic(
      std::shared_ptr<GanttChartItemHierarchyProvider> hierarchyProvider,
      std::optional<bool> aggregatingTime,
      std::optional<bool> autoSchedulingApplyingToUpdatingItems,
      std::optional<bool> autoSchedulingAggregatingSources,
      std::shared_ptr<GanttChartDependencyLagProvider> autoSchedulingLagProvider,
      std::shared_ptr<GanttChartItemConstraintProvider> constraintProvider,
      std::optional<bool> preservingDurations);
  static std::shared_ptr<GanttChartItemBehaviorSet> classic(
      std::vector<GanttChartItemHierarchicalRelation> hierarchicalRelations,
      std::optional<bool> aggregatingTime,
      std::optional<bool> autoSchedulingApplyingToUpdatingItems,
      std::optional<bool> autoSchedulingAggregatingSources,
      std::vector<GanttChartDependencyLagDefinition> autoSchedulingLags,
      std::vector<GanttChartItemConstraintDefinition> constraints,
      std::optional<bool> preservingDurations);
  static std::shared_ptr<GanttChartItemBehaviorSet> classic();

  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions dependencyWasRemoved(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr& item, const TimeRange& from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr& item, double from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions rowDidChange(
      const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override;
  GanttChartItemUpdateActions expansionDidChange(const GanttChartItemPtr& item,
                                                 const GanttChartItemList& items) override;

 private:
  // Asks every member through `ask` and concatenates the answers; empty when
  // this set is already on the call path.
  template <class Ask>
  GanttChartItemUpdateActions collect(const Ask& ask);

  std::vector<GanttChartItemBehaviorPtr> behaviors_;
};

namespace detail {

// While it exists, the behaviour sets being asked further out do not count
// as on the call path: a question asked now is a new one. Nested in the
// order of construction.
class NewBehaviorQuestion {
 public:
  NewBehaviorQuestion();
  ~NewBehaviorQuestion();
  NewBehaviorQuestion(const NewBehaviorQuestion&) = delete;
  NewBehaviorQuestion& operator=(const NewBehaviorQuestion&) = delete;

  // How many questions are open on this thread: one asked while another is
  // being answered (by an operation a callback starts) is one deeper.
  [[nodiscard]] static size_t depth();

 private:
  size_t outerBegin_;
};

}  // namespace detail
}  // namespace vorlent
