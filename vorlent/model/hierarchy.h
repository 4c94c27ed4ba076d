#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "vorlent/model/identity_index.h"
#include "vorlent/model/item.h"

namespace vorlent {

// Parent-child links between items, children in display order. Providers
// are expected to describe a forest; the all-level queries nevertheless visit
// each item at most once, so a provider that describes a cycle cannot make
// them loop.
class GanttChartItemHierarchyProvider {
 public:
  virtual ~GanttChartItemHierarchyProvider() = default;

  // nullptr when the item has no parent (a root, or not in the hierarchy).
  [[nodiscard]] virtual GanttChartItemPtr parent(const GanttChartItemPtr& item) const = 0;
  // Empty for a leaf.
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> children(
      const GanttChartItemPtr& item) const = 0;

  // Every descendant, recursively: the item's children as a group, followed
  // by the same listing for each child in turn. An item that is already
  // listed, or the item itself, is skipped, which is what ends a cyclic
  // description.
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

// A hierarchy stored as a list of relations, compared by pointer. When the
// list says two things about an item, the earliest relation wins: it supplies
// the item's parent (among whose children the item appears first) and its
// children (whose relation names it as parent first); later relations for
// the same parent are ignored. Lookups use pointer-keyed indexes, rebuilt
// whenever the list is replaced.
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
  // The list `children(item)` copies, lent instead: valid until the
  // relations are replaced; null for an item without children.
  [[nodiscard]] const std::vector<GanttChartItemPtr>* lentChildren(
      const GanttChartItem* item) const;

 private:
  friend class GanttChartItemHierarchicalBehavior;
  void rebuildIndexes();
  // Whether each child the relation at `position` lists is listed there once
  // and has that relation as its first: then an item is among that list
  // exactly when its first relation is that one. Worked out once per
  // relation for a set of relations.
  [[nodiscard]] bool listsEachChildOnce(size_t position) const;

  std::vector<GanttChartItemHierarchicalRelation> relations_;
  // Advanced whenever the relations are replaced.
  uint64_t revision_ = 0;
  // Item -> position of the first relation with it as parent.
  detail::IdentityIndex<GanttChartItem> relationOfParent_;
  // Item -> position of the first relation listing it as a child.
  detail::IdentityIndex<GanttChartItem> relationOfChild_;
  // By relation: 1 or 0 once `listsEachChildOnce` knows, -1 before.
  mutable std::vector<int8_t> listsEachChildOnce_;
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
