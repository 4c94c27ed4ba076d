#include "vorlent/model/hierarchy.h"

#include <unordered_set>
#include <utility>

namespace vorlent {

std::vector<GanttChartItemPtr> GanttChartItemHierarchyProvider::allLevelChildren(
    const GanttChartItemPtr& item) const {
  std::vector<GanttChartItemPtr> result;
  std::unordered_set<const GanttChartItem*> listed{item.get()};
  // Appends the unlisted children of `parent` and returns them, so that their
  // own descendants can follow in the same order.
  const auto appendChildren = [&](const GanttChartItemPtr& parent) {
    std::vector<GanttChartItemPtr> fresh;
    for (GanttChartItemPtr& child : children(parent)) {
      if (!listed.insert(child.get()).second) continue;
      result.push_back(child);
      fresh.push_back(std::move(child));
    }
    return fresh;
  };

  // Each frame holds a list of siblings already appended and the next one
  // whose descendants are still to come: an explicit stack, so a deep tree
  // cannot exhaust the call stack.
  struct Frame {
    std::vector<GanttChartItemPtr> siblings;
    size_t next = 0;
  };
  std::vector<Frame> stack;
  stack.push_back({appendChildren(item), 0});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.siblings.size()) {
      stack.pop_back();
      continue;
    }
    const GanttChartItemPtr sibling = top.siblings[top.next++];
    std::vector<GanttChartItemPtr> grandchildren = appendChildren(sibling);
    if (!grandchildren.empty()) stack.push_back({std::move(grandchildren), 0});
  }
  return result;
}

std::vector<GanttChartItemPtr> GanttChartItemHierarchyProvider::allLevelParents(
    const GanttChartItemPtr& item) const {
  std::vector<GanttChartItemPtr> result;
  std::unordered_set<const GanttChartItem*> listed{item.get()};
  for (GanttChartItemPtr ancestor = parent(item); ancestor != nullptr;
       ancestor = parent(ancestor)) {
    if (!listed.insert(ancestor.get()).second) break;
    result.push_back(ancestor);
  }
  return result;
}

GanttChartItemHierarchy::GanttChartItemHierarchy(
    std::vector<GanttChartItemHierarchicalRelation> relations)
    : relations_(std::move(relations)) {
  rebuildIndexes();
}

void GanttChartItemHierarchy::setRelations(
    std::vector<GanttChartItemHierarchicalRelation> relations) {
  relations_ = std::move(relations);
  rebuildIndexes();
}

GanttChartItemPtr GanttChartItemHierarchy::parent(const GanttChartItemPtr& item) const {
  const std::optional<size_t> found = relationOfChild_.find(item.get());
  return found ? relations_[*found].parent : nullptr;
}

std::vector<GanttChartItemPtr> GanttChartItemHierarchy::children(
    const GanttChartItemPtr& item) const {
  const std::optional<size_t> found = relationOfParent_.find(item.get());
  if (!found) return {};
  return relations_[*found].children;
}

const std::vector<GanttChartItemPtr>* GanttChartItemHierarchy::lentChildren(
    const GanttChartItem* item) const {
  const std::optional<size_t> found = relationOfParent_.find(item);
  return found ? &relations_[*found].children : nullptr;
}

bool GanttChartItemHierarchy::listsEachChildOnce(size_t position) const {
  int8_t& known = listsEachChildOnce_[position];
  if (known < 0) {
    std::unordered_set<const GanttChartItem*> listed;
    known = 1;
    for (const GanttChartItemPtr& child : relations_[position].children) {
      if (child != nullptr &&
          (relationOfChild_.find(child.get()) != position || !listed.insert(child.get()).second)) {
        known = 0;
        break;
      }
    }
  }
  return known == 1;
}

void GanttChartItemHierarchy::rebuildIndexes() {
  ++revision_;
  listsEachChildOnce_.assign(relations_.size(), -1);
  relationOfParent_.clear();
  relationOfChild_.clear();
  relationOfParent_.reserve(relations_.size());
  // The first relation wins.
  for (size_t i = 0; i < relations_.size(); ++i) {
    relationOfParent_.add(relations_[i].parent.get(), i);
    for (const GanttChartItemPtr& child : relations_[i].children) {
      relationOfChild_.add(child.get(), i);
    }
  }
}

GanttChartItemHierarchySource::GanttChartItemHierarchySource(ParentFunction parentFunction,
                                                             ChildrenFunction childrenFunction)
    : parentFunction_(std::move(parentFunction)), childrenFunction_(std::move(childrenFunction)) {}

GanttChartItemPtr GanttChartItemHierarchySource::parent(const GanttChartItemPtr& item) const {
  return parentFunction_ ? parentFunction_(item) : nullptr;
}

std::vector<GanttChartItemPtr> GanttChartItemHierarchySource::children(
    const GanttChartItemPtr& item) const {
  return childrenFunction_ ? childrenFunction_(item) : std::vector<GanttChartItemPtr>{};
}

}  // namespace vorlent
