#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/model/item.h"

namespace vorlent {

// Describes items as a tree: an item's parent and its direct children in
// display order. A provider is meant to describe a forest; should it describe
// a cycle anyway, the all-level queries still visit every item at most once
// and stop.
class GanttChartItemHierarchyProvider {
 public:
  virtual ~GanttChartItemHierarchyProvider() = default;

  // Null for a root or an item outside the tree.
  [[nodiscard]] virtual GanttChartItemPtr parent(const GanttChartItemPtr& item) const = 0;
  // Empty for a leaf.
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> children(
      const GanttChartItemPtr& item) const = 0;

  // Every descendant: the direct children first, then the descendants of the
  // first child (its children first, then theirs), then those of the second,
  // and so on. The item itself and items already listed are never listed
  // again, which is what ends a cyclic description.
  [[nodiscard]] std::vector<GanttChartItemPtr> allLevelChildren(
      const GanttChartItemPtr& item) const;
  // The parent first, the root last; stops before an item already listed (or
  // the item itself) would come again.
  [[nodiscard]] std::vector<GanttChartItemPtr> allLevelParents(const GanttChartItemPtr& item) const;
};

// One parent and its direct children in display order.
struct GanttChartItemHierarchicalRelation {
  GanttChartItemPtr parent;
  std::vector<GanttChartItemPtr> children;

  GanttChartItemHierarchicalRelation(GanttChartItemPtr parentItem,
                                     std::vector<GanttChartItemPtr> childItems)
      : parent(std::move(parentItem)), children(std::move(childItems)) {}
};

// A hierarchy given as a list of relations, matched by identity. An item's
// parent is the parent of the first relation (in list order) listing it among
// its children; an item's children are those of the first relation with it as
// parent, so a second relation for the same parent is never reached. Both
// lookups go through identity indexes rebuilt whenever the list is replaced.
class GanttChartItemHierarchy : public GanttChartItemHierarchyProvider {
 public:
  explicit GanttChartItemHierarchy(std::vector<GanttChartItemHierarchicalRelation> relations = {});

  [[nodiscard]] virtual const std::vector<GanttChartItemHierarchicalRelation>& relations() const {
    return relations_;
  }
  virtual void setRelations(std::vector<GanttChartItemHierarchicalRelation> relations);

  [[nodiscard]] GanttChartItemPtr parent(const GanttChartItemPtr& item) const override;
  [[nodiscard]] std::vector<GanttChartItemPtr> children(
      const GanttChartItemPtr& item) const override;

 private:
  void rebuildIndexes();

  std::vector<GanttChartItemHierarchicalRelation> relations_;
  // Item -> position of the first relation with it as parent.
  std::unordered_map<const GanttChartItem*, size_t> relationOfParent_;
  // Item -> position of the first relation listing it as a child.
  std::unordered_map<const GanttChartItem*, size_t> relationOfChild_;
};

// A hierarchy answered by two host functions; an empty function answers no
// parent, or no children.
class GanttChartItemHierarchySource : public GanttChartItemHierarchyProvider {
 public:
  using ParentFunction = std::function<GanttChartItemPtr(const GanttChartItemPtr&)>;
  using ChildrenFunction = std::function<std::vector<GanttChartItemPtr>(const GanttChartItemPtr&)>;

  GanttChartItemHierarchySource(ParentFunction parentFunction, ChildrenFunction childrenFunction);

  [[nodiscard]] const ParentFunction& parentFunction() const { return parentFunction_; }
  [[nodiscard]] const ChildrenFunction& childrenFunction() const { return childrenFunction_; }

  [[nodiscard]] GanttChartItemPtr parent(const GanttChartItemPtr& item) const override;
  [[nodiscard]] std::vector<GanttChartItemPtr> children(
      const GanttChartItemPtr& item) const override;

 private:
  ParentFunction parentFunction_;
  ChildrenFunction childrenFunction_;
};

}  // namespace vorlent
