#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "vorlent/model/constraints.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_behavior_set.h"

namespace vorlent {

class GanttChartItemManager;

// Switches for the item source's built-in rules (column mode, a hierarchy,
// auto-scheduling with lags, constraints), so that a host gets them without
// composing behaviours itself. Each switch swaps one member of a behaviour set
// kept by the source and hooked into its manager's `behavior`; the host's own
// behaviour stays next to it untouched. Members are replaced rather than
// reconfigured, because a behaviour may keep state of its own (collapse
// records); editing the contents of a hierarchy, lag set or constraint set
// keeps the member, since it reads them at each call.
//
// Switching applies nothing to the existing items and neither clears caches
// nor notifies: a host flipping several switches would otherwise pay for a
// full pass after each. Call the manager's `applyBehavior()` once afterwards.
// Edits naming items or dependencies that the source does not hold are
// stored anyway, as they may be added later.
//
// The lag set implies auto-scheduling: giving one turns auto-scheduling on
// with a member reading that set (replacing a member bound to an earlier
// set), and dropping either drops both, so lags never sit unused.
//
// A base of the item source only, which passes itself as the manager.
class GanttChartItemSourceAddOns {
 public:
  virtual ~GanttChartItemSourceAddOns() = default;
  GanttChartItemSourceAddOns(const GanttChartItemSourceAddOns&) = delete;
  GanttChartItemSourceAddOns& operator=(const GanttChartItemSourceAddOns&) = delete;

  // --- Managed behaviour set ----------------------------------------------------
  // Made empty on first use. Every read makes sure that the manager's
  // `behavior` still includes it, since a host may have replaced that since:
  // it becomes the behaviour when there is none, and otherwise a new set of
  // the old behaviour followed by the managed set takes its place, so the
  // host's rule keeps answering first. The search through nested sets skips a
  // set already on its path, so a set that contains itself cannot make it run
  // without end.
  [[nodiscard]] virtual std::shared_ptr<GanttChartItemBehaviorSet> managedBehaviorSet();

  // --- Column mode ----------------------------------------------------------------
  [[nodiscard]] virtual bool isColumn() const { return isColumn_; }
  virtual void setIsColumn(bool isColumn);

  // --- Hierarchy (relations matched by the identity of parent and children) --------
  [[nodiscard]] virtual const std::shared_ptr<GanttChartItemHierarchy>& hierarchy() const {
    return hierarchy_;
  }
  // Another object (or none) replaces the hierarchical behaviour; the same
  // object changes nothing.
  virtual void setHierarchy(std::shared_ptr<GanttChartItemHierarchy> hierarchy);
  // std::nullopt when no hierarchy is set, unlike an empty one.
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemHierarchicalRelation>>
  hierarchicalRelations() const;
  // std::nullopt drops the hierarchy and its member; a list replaces the
  // relations of the current hierarchy, making one first when there is none.
  virtual void setHierarchicalRelations(
      std::optional<std::vector<GanttChartItemHierarchicalRelation>> relations);
  // Null without a hierarchy or when no relation lists the item.
  [[nodiscard]] virtual GanttChartItemPtr parent(const GanttChartItemPtr& item) const;
  // std::nullopt when no hierarchy is set; empty when the item has no
  // children.
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemPtr>> children(
      const GanttChartItemPtr& item) const;
  // Appends the items to the parent's first relation (duplicates are not
  // looked for) and moves that relation to the end; further relations of the
  // same parent are dropped.
  virtual void addHierarchicalRelations(const GanttChartItemPtr& parent,
                                        const std::vector<GanttChartItemPtr>& items);
  virtual void addHierarchicalRelation(const GanttChartItemPtr& parent,
                                       const GanttChartItemPtr& item);
  // Removes the items from every relation of the parent; a relation left
  // without children stays.
  virtual void removeHierarchicalRelations(const GanttChartItemPtr& parent,
                                           const std::vector<GanttChartItemPtr>& items);
  virtual void removeHierarchicalRelation(const GanttChartItemPtr& parent,
                                          const GanttChartItemPtr& item);
  // Drops the item's relations as a parent, then the item from every other
  // relation's children.
  virtual void removeFromHierarchy(const GanttChartItemPtr& item);

  // --- Auto-scheduling and lags (matched by dependency identity) ----------------------
  [[nodiscard]] virtual bool isAutoScheduling() const { return isAutoScheduling_; }
  virtual void setIsAutoScheduling(bool isAutoScheduling);
  [[nodiscard]] virtual const std::shared_ptr<GanttChartDependencyLagSet>& lagSet() const {
    return lagSet_;
  }
  virtual void setLagSet(std::shared_ptr<GanttChartDependencyLagSet> lagSet);
  [[nodiscard]] virtual std::optional<std::vector<GanttChartDependencyLagDefinition>> lags() const;
  virtual void setLags(std::optional<std::vector<GanttChartDependencyLagDefinition>> lags);
  // The first definition's lag, also when that definition excludes the
  // dependency; std::nullopt without a lag set or a definition for it.
  [[nodiscard]] virtual std::optional<double> lag(const GanttChartDependencyPtr& dependency) const;
  // Replaces any definition for the dependency by one at the end, not
  // excluding it.
  virtual void setLag(const GanttChartDependencyPtr& dependency, double lag);
  // Also creates an (empty) lag set, and so turns auto-scheduling on, when
  // there is none.
  virtual void removeLag(const GanttChartDependencyPtr& dependency);

  // --- Constraints (matched by item identity) ---------------------------------------
  [[nodiscard]] virtual const std::shared_ptr<GanttChartItemConstraintSet>& constraintSet() const {
    return constraintSet_;
  }
  virtual void setConstraintSet(std::shared_ptr<GanttChartItemConstraintSet> constraintSet);
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemConstraintDefinition>> constraints()
      const;
  virtual void setConstraints(
      std::optional<std::vector<GanttChartItemConstraintDefinition>> constraints);
  [[nodiscard]] virtual std::optional<GanttChartItemConstraints> constraintsOf(
      const GanttChartItemPtr& item) const;
  // Replaces any definition for the item by one at the end.
  virtual void setConstraints(const GanttChartItemPtr& item,
                              const GanttChartItemConstraints& constraints);
  // Also creates an (empty) constraint set when there is none.
  virtual void removeConstraints(const GanttChartItemPtr& item);

 protected:
  // `manager` is the object that derives from this one; only its `behavior`
  // is read and assigned.
  explicit GanttChartItemSourceAddOns(GanttChartItemManager& manager) : manager_(manager) {}

 private:
  // Keeps the managed set's members that `keep` accepts, in order.
  template <class Keep>
  void keepManagedBehaviors(const Keep& keep);
  void appendManagedBehavior(GanttChartItemBehaviorPtr behavior);

  GanttChartItemManager& manager_;
  bool isColumn_ = false;
  std::shared_ptr<GanttChartItemHierarchy> hierarchy_;
  bool isAutoScheduling_ = false;
  std::shared_ptr<GanttChartDependencyLagSet> lagSet_;
  std::shared_ptr<GanttChartItemConstraintSet> constraintSet_;
  std::shared_ptr<GanttChartItemBehaviorSet> managedBehaviorSetInstance_;
};

}  // namespace vorlent
