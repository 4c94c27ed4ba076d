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

// The item source's switchable scheduling rules: column mode, a hierarchy,
// auto-scheduling with lags and per-item constraints, each switched by one
// property. Every switch adds or removes one behaviour in a behaviour set that
// the source manages and makes part of its manager's `behavior`, so the
// manager's cascade applies it. Between operations the managed set holds at
// most one behaviour per rule, matching the current values, in the order the
// rules were switched on; a behaviour is never modified in place (editing a
// hierarchy's, lag set's or constraint set's contents keeps its behaviour;
// replacing the set object replaces the behaviour).
//
// None of these operations applies the rules to existing items, clears a
// cache or notifies: call the manager's `applyBehavior()` for that. Edits
// naming items or dependencies that are not in the source are carried out all
// the same.
//
// Auto-scheduling and the lag set steer each other: giving a lag set turns
// auto-scheduling on, with its behaviour bound to that set (also when it was
// already on, and also when another set was given before); removing the lag
// set, or turning auto-scheduling off, drops both.
//
// Meant as a base of the item source, which hands in itself as the manager.
class GanttChartItemSourceAddOns {
 public:
  virtual ~GanttChartItemSourceAddOns() = default;
  GanttChartItemSourceAddOns(const GanttChartItemSourceAddOns&) = delete;
  GanttChartItemSourceAddOns& operator=(const GanttChartItemSourceAddOns&) = delete;

  // --- Managed behaviour set ----------------------------------------------------
  // Made empty on first use. Every read makes sure that the manager's
  // `behavior` includes it: it becomes the behaviour when there is none, and
  // otherwise a new set of the old behaviour and then the managed set does.
  // The search through nested sets skips a set already on its path, so a set
  // that contains itself cannot make it run without end.
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
  // nullopt without a hierarchy.
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemHierarchicalRelation>>
  hierarchicalRelations() const;
  // nullopt drops the hierarchy; a list creates one when needed and becomes
  // its relations.
  virtual void setHierarchicalRelations(
      std::optional<std::vector<GanttChartItemHierarchicalRelation>> relations);
  // Null without a hierarchy or when no relation lists the item.
  [[nodiscard]] virtual GanttChartItemPtr parent(const GanttChartItemPtr& item) const;
  // nullopt without a hierarchy; empty when the item is nobody's parent.
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
  // The first definition's lag, whether or not it excludes the dependency;
  // nullopt without a lag set or definition.
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
