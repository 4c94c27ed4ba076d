#include "vorlent/model/item_source_add_ons.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_manager.h"

namespace vorlent {

namespace {

// Whether `behavior` is `target` or a set that includes it, searching nested
// sets in member order. `path` holds the sets being searched, so a set that
// contains itself is not entered again.
bool includes(const GanttChartItemBehaviorPtr& behavior, const GanttChartItemBehaviorSet* target,
              std::vector<const GanttChartItemBehaviorSet*>& path) {
  if (behavior == nullptr) return false;
  if (behavior.get() == target) return true;
  const auto* set = dynamic_cast<const GanttChartItemBehaviorSet*>(behavior.get());
  if (set == nullptr || std::find(path.begin(), path.end(), set) != path.end()) return false;
  path.push_back(set);
  for (const GanttChartItemBehaviorPtr& member : set->behaviors()) {
    if (includes(member, target, path)) return true;
  }
  path.pop_back();
  return false;
}

// A behaviour is bound to a set object when its provider is that very object;
// it counts as bound to no set when it has no provider or one that is not of
// the set's class.
template <class SetType, class Provider>
bool isBoundTo(const std::shared_ptr<Provider>& provider, const std::shared_ptr<SetType>& set) {
  if (set != nullptr) {
    const Provider* asProvider = set.get();
    return provider.get() == asProvider;
  }
  return provider == nullptr || dynamic_cast<const SetType*>(provider.get()) == nullptr;
}

template <class Behavior>
const Behavior* as(const GanttChartItemBehaviorPtr& behavior) {
  return dynamic_cast<const Behavior*>(behavior.get());
}

// Whether `behavior` is a hierarchical behaviour reading `hierarchy`; for a
// null `hierarchy`, one reading no hierarchy object of the source's kind.
bool isHierarchicalBoundTo(const GanttChartItemBehaviorPtr& behavior,
                           const std::shared_ptr<GanttChartItemHierarchy>& hierarchy) {
  const auto* hierarchical = as<GanttChartItemHierarchicalBehavior>(behavior);
  return hierarchical != nullptr && isBoundTo(hierarchical->provider(), hierarchy);
}

bool isAutoSchedulingBoundTo(const GanttChartItemBehaviorPtr& behavior,
                             const std::shared_ptr<GanttChartDependencyLagSet>& lagSet) {
  const auto* autoScheduling = as<GanttChartItemAutoSchedulingBehavior>(behavior);
  return autoScheduling != nullptr && isBoundTo(autoScheduling->lagProvider(), lagSet);
}

bool isConstraintBoundTo(const GanttChartItemBehaviorPtr& behavior,
                         const std::shared_ptr<GanttChartItemConstraintSet>& constraintSet) {
  const auto* constraint = as<GanttChartItemConstraintBehavior>(behavior);
  return constraint != nullptr && isBoundTo(constraint->provider(), constraintSet);
}

bool isNotAutoScheduling(const GanttChartItemBehaviorPtr& behavior) {
  return as<GanttChartItemAutoSchedulingBehavior>(behavior) == nullptr;
}

bool containsItem(const std::vector<GanttChartItemPtr>& items, const GanttChartItemPtr& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

// --- Managed behaviour set -------------------------------------------------------

std::shared_ptr<GanttChartItemBehaviorSet> GanttChartItemSourceAddOns::managedBehaviorSet() {
  if (managedBehaviorSetInstance_ == nullptr) {
    managedBehaviorSetInstance_ = std::make_shared<GanttChartItemBehaviorSet>();
  }
  const GanttChartItemBehaviorPtr current = manager_.behavior();
  std::vector<const GanttChartItemBehaviorSet*> path;
  if (!includes(current, managedBehaviorSetInstance_.get(), path)) {
    if (current == nullptr) {
      manager_.setBehavior(managedBehaviorSetInstance_);
    } else {
      manager_.setBehavior(std::make_shared<GanttChartItemBehaviorSet>(
          std::vector<GanttChartItemBehaviorPtr>{current, managedBehaviorSetInstance_}));
    }
  }
  return managedBehaviorSetInstance_;
}

template <class Keep>
void GanttChartItemSourceAddOns::keepManagedBehaviors(const Keep& keep) {
  const std::shared_ptr<GanttChartItemBehaviorSet> managed = managedBehaviorSet();
  std::vector<GanttChartItemBehaviorPtr> members = managed->behaviors();
  std::erase_if(members,
                [&keep](const GanttChartItemBehaviorPtr& member) { return !keep(member); });
  managed->setBehaviors(std::move(members));
}

void GanttChartItemSourceAddOns::appendManagedBehavior(GanttChartItemBehaviorPtr behavior) {
  const std::shared_ptr<GanttChartItemBehaviorSet> managed = managedBehaviorSet();
  std::vector<GanttChartItemBehaviorPtr> members = managed->behaviors();
  members.push_back(std::move(behavior));
  managed->setBehaviors(std::move(members));
}

// --- Column mode ------------------------------------------------------------------

void GanttChartItemSourceAddOns::setIsColumn(bool isColumn) {
  const bool old = isColumn_;
  if (isColumn == old) return;
  keepManagedBehaviors([](const GanttChartItemBehaviorPtr& member) {
    return as<GanttChartItemColumnBehavior>(member) == nullptr;
  });
  isColumn_ = isColumn;
  if (isColumn) appendManagedBehavior(std::make_shared<GanttChartItemColumnBehavior>());
}

// --- Hierarchy --------------------------------------------------------------------

void GanttChartItemSourceAddOns::setHierarchy(std::shared_ptr<GanttChartItemHierarchy> hierarchy) {
  if (hierarchy == hierarchy_) return;
  const std::shared_ptr<GanttChartItemHierarchy> old = hierarchy_;
  keepManagedBehaviors([&old](const GanttChartItemBehaviorPtr& member) {
    return !isHierarchicalBoundTo(member, old);
  });
  hierarchy_ = std::move(hierarchy);
  if (hierarchy_ != nullptr) {
    appendManagedBehavior(
        std::make_shared<GanttChartItemHierarchicalBehavior>(hierarchy_, true, true));
  }
}

std::optional<std::vector<GanttChartItemHierarchicalRelation>>
GanttChartItemSourceAddOns::hierarchicalRelations() const {
  if (hierarchy_ == nullptr) return std::nullopt;
  return hierarchy_->relations();
}

void GanttChartItemSourceAddOns::setHierarchicalRelations(
    std::optional<std::vector<GanttChartItemHierarchicalRelation>> relations) {
  if (!relations) {
    if (hierarchy_ != nullptr) setHierarchy(nullptr);
    return;
  }
  if (hierarchy_ == nullptr) setHierarchy(std::make_shared<GanttChartItemHierarchy>());
  hierarchy_->setRelations(std::move(*relations));
}

GanttChartItemPtr GanttChartItemSourceAddOns::parent(const GanttChartItemPtr& item) const {
  return hierarchy_ == nullptr ? nullptr : hierarchy_->parent(item);
}

std::optional<std::vector<GanttChartItemPtr>> GanttChartItemSourceAddOns::children(
    const GanttChartItemPtr& item) const {
  if (hierarchy_ == nullptr) return std::nullopt;
  return hierarchy_->children(item);
}

void GanttChartItemSourceAddOns::addHierarchicalRelations(
    const GanttChartItemPtr& parent, const std::vector<GanttChartItemPtr>& items) {
  std::vector<GanttChartItemHierarchicalRelation> current =
      hierarchicalRelations().value_or(std::vector<GanttChartItemHierarchicalRelation>{});
  const auto first = std::find_if(current.begin(), current.end(),
                                  [&parent](const auto& r) { return r.parent == parent; });
  GanttChartItemHierarchicalRelation relation =
      first != current.end() ? *first : GanttChartItemHierarchicalRelation(parent, {});
  relation.children.insert(relation.children.end(), items.begin(), items.end());
  std::erase_if(current, [&parent](const auto& r) { return r.parent == parent; });
  current.push_back(std::move(relation));
  setHierarchicalRelations(std::move(current));
}

void GanttChartItemSourceAddOns::addHierarchicalRelation(const GanttChartItemPtr& parent,
                                                         const GanttChartItemPtr& item) {
  addHierarchicalRelations(parent, {item});
}

void GanttChartItemSourceAddOns::removeHierarchicalRelations(
    const GanttChartItemPtr& parent, const std::vector<GanttChartItemPtr>& items) {
  std::vector<GanttChartItemHierarchicalRelation> current =
      hierarchicalRelations().value_or(std::vector<GanttChartItemHierarchicalRelation>{});
  for (GanttChartItemHierarchicalRelation& relation : current) {
    if (relation.parent != parent) continue;
    std::erase_if(relation.children,
                  [&items](const GanttChartItemPtr& child) { return containsItem(items, child); });
  }
  setHierarchicalRelations(std::move(current));
}

void GanttChartItemSourceAddOns::removeHierarchicalRelation(const GanttChartItemPtr& parent,
                                                            const GanttChartItemPtr& item) {
  removeHierarchicalRelations(parent, {item});
}

void GanttChartItemSourceAddOns::removeFromHierarchy(const GanttChartItemPtr& item) {
  std::vector<GanttChartItemHierarchicalRelation> current =
      hierarchicalRelations().value_or(std::vector<GanttChartItemHierarchicalRelation>{});
  std::erase_if(current, [&item](const auto& r) { return r.parent == item; });
  for (GanttChartItemHierarchicalRelation& relation : current) {
    std::erase(relation.children, item);
  }
  setHierarchicalRelations(std::move(current));
}

// --- Auto-scheduling and lags -------------------------------------------------------

void GanttChartItemSourceAddOns::setIsAutoScheduling(bool isAutoScheduling) {
  const bool old = isAutoScheduling_;
  if (isAutoScheduling != old) {
    keepManagedBehaviors(isNotAutoScheduling);
  }
  isAutoScheduling_ = isAutoScheduling;
  if (isAutoScheduling) {
    // Also on the path from on to on (a lag set given or replaced while
    // auto-scheduling is on): whatever was bound to an earlier lag set has
    // gone, and exactly one behaviour bound to the current one remains.
    const std::shared_ptr<GanttChartItemBehaviorSet> managed = managedBehaviorSet();
    const auto& members = managed->behaviors();
    const auto boundCount = std::count_if(members.begin(), members.end(), [this](const auto& m) {
      return isAutoSchedulingBoundTo(m, lagSet_);
    });
    const auto anyCount = std::count_if(members.begin(), members.end(), [](const auto& m) {
      return as<GanttChartItemAutoSchedulingBehavior>(m) != nullptr;
    });
    if (boundCount == 1 && anyCount == 1) return;
    keepManagedBehaviors(isNotAutoScheduling);
    appendManagedBehavior(std::make_shared<GanttChartItemAutoSchedulingBehavior>(
        false, std::nullopt, true, std::shared_ptr<GanttChartDependencyLagProvider>(lagSet_)));
    return;
  }
  // Turning auto-scheduling off (or confirming it off) drops the lag set.
  setLagSet(nullptr);
}

void GanttChartItemSourceAddOns::setLagSet(std::shared_ptr<GanttChartDependencyLagSet> lagSet) {
  if (lagSet == lagSet_) return;
  const std::shared_ptr<GanttChartDependencyLagSet> old = lagSet_;
  keepManagedBehaviors([&old](const GanttChartItemBehaviorPtr& member) {
    return !isAutoSchedulingBoundTo(member, old);
  });
  lagSet_ = std::move(lagSet);
  setIsAutoScheduling(lagSet_ != nullptr);
}

std::optional<std::vector<GanttChartDependencyLagDefinition>> GanttChartItemSourceAddOns::lags()
    const {
  if (lagSet_ == nullptr) return std::nullopt;
  return lagSet_->lags();
}

void GanttChartItemSourceAddOns::setLags(
    std::optional<std::vector<GanttChartDependencyLagDefinition>> lags) {
  if (!lags) {
    if (lagSet_ != nullptr) setLagSet(nullptr);
    return;
  }
  if (lagSet_ == nullptr) setLagSet(std::make_shared<GanttChartDependencyLagSet>());
  lagSet_->setLags(std::move(*lags));
}

std::optional<double> GanttChartItemSourceAddOns::lag(
    const GanttChartDependencyPtr& dependency) const {
  if (lagSet_ == nullptr) return std::nullopt;
  return lagSet_->lag(dependency);
}

void GanttChartItemSourceAddOns::setLag(const GanttChartDependencyPtr& dependency, double lag) {
  std::vector<GanttChartDependencyLagDefinition> current =
      lags().value_or(std::vector<GanttChartDependencyLagDefinition>{});
  std::erase_if(current, [&dependency](const auto& d) { return d.dependency == dependency; });
  current.emplace_back(dependency, lag, false);
  setLags(std::move(current));
}

void GanttChartItemSourceAddOns::removeLag(const GanttChartDependencyPtr& dependency) {
  std::vector<GanttChartDependencyLagDefinition> current =
      lags().value_or(std::vector<GanttChartDependencyLagDefinition>{});
  std::erase_if(current, [&dependency](const auto& d) { return d.dependency == dependency; });
  setLags(std::move(current));
}

// --- Constraints ------------------------------------------------------------------

void GanttChartItemSourceAddOns::setConstraintSet(
    std::shared_ptr<GanttChartItemConstraintSet> constraintSet) {
  if (constraintSet == constraintSet_) return;
  const std::shared_ptr<GanttChartItemConstraintSet> old = constraintSet_;
  keepManagedBehaviors([&old](const GanttChartItemBehaviorPtr& member) {
    return !isConstraintBoundTo(member, old);
  });
  constraintSet_ = std::move(constraintSet);
  if (constraintSet_ != nullptr) {
    appendManagedBehavior(std::make_shared<GanttChartItemConstraintBehavior>(
        std::shared_ptr<GanttChartItemConstraintProvider>(constraintSet_), true));
  }
}

std::optional<std::vector<GanttChartItemConstraintDefinition>>
GanttChartItemSourceAddOns::constraints() const {
  if (constraintSet_ == nullptr) return std::nullopt;
  return constraintSet_->constraints();
}

void GanttChartItemSourceAddOns::setConstraints(
    std::optional<std::vector<GanttChartItemConstraintDefinition>> constraints) {
  if (!constraints) {
    if (constraintSet_ != nullptr) setConstraintSet(nullptr);
    return;
  }
  if (constraintSet_ == nullptr) setConstraintSet(std::make_shared<GanttChartItemConstraintSet>());
  constraintSet_->setConstraints(std::move(*constraints));
}

std::optional<GanttChartItemConstraints> GanttChartItemSourceAddOns::constraintsOf(
    const GanttChartItemPtr& item) const {
  if (constraintSet_ == nullptr) return std::nullopt;
  return constraintSet_->constraintsOf(item);
}

void GanttChartItemSourceAddOns::setConstraints(const GanttChartItemPtr& item,
                                                const GanttChartItemConstraints& constraints) {
  std::vector<GanttChartItemConstraintDefinition> current =
      this->constraints().value_or(std::vector<GanttChartItemConstraintDefinition>{});
  std::erase_if(current, [&item](const auto& d) { return d.item == item; });
  current.emplace_back(item, constraints);
  setConstraints(std::move(current));
}

void GanttChartItemSourceAddOns::removeConstraints(const GanttChartItemPtr& item) {
  std::vector<GanttChartItemConstraintDefinition> current =
      constraints().value_or(std::vector<GanttChartItemConstraintDefinition>{});
  std::erase_if(current, [&item](const auto& d) { return d.item == item; });
  setConstraints(std::move(current));
}

}  // namespace vorlent
