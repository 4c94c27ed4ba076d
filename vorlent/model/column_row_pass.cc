#include "vorlent/model/column_row_pass.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <typeinfo>
#include <unordered_map>
#include <utility>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_behavior_set.h"

namespace vorlent::detail {
namespace {

// The library's rules found in a behaviour; `foreign` once anything else is.
struct RuleCensus {
  int columns = 0;
  std::vector<const GanttChartItemHierarchicalBehavior*> hierarchies;
  bool foreign = false;
};

// Walks sets as they answer: a set already on `path` answers nothing there,
// so it adds nothing; a set met twice elsewhere answers twice, so it counts
// twice.
void survey(const GanttChartItemBehavior& behavior,
            std::vector<const GanttChartItemBehavior*>& path, RuleCensus& census) {
  const std::type_info& type = typeid(behavior);
  if (type == typeid(GanttChartItemBehaviorSet)) {
    if (std::find(path.begin(), path.end(), &behavior) != path.end()) return;
    path.push_back(&behavior);
    for (const auto& member : static_cast<const GanttChartItemBehaviorSet&>(behavior).behaviors()) {
      if (member) survey(*member, path, census);
      if (census.foreign) break;
    }
    path.pop_back();
  } else if (type == typeid(GanttChartItemColumnBehavior)) {
    ++census.columns;
  } else if (type == typeid(GanttChartItemHierarchicalBehavior)) {
    census.hierarchies.push_back(static_cast<const GanttChartItemHierarchicalBehavior*>(&behavior));
  } else if (type != typeid(GanttChartItemAutoSchedulingBehavior) &&
             type != typeid(GanttChartItemConstraintBehavior)) {
    census.foreign = true;
  }
}

// Union-find over groups of items sharing a row: the root of a group holds
// the group's row. An item leaving its group gets a new node; the old one
// stays behind in the group, which does no harm.
class RowGroups {
 public:
  uint32_t add(int64_t row) {
    parent_.push_back(static_cast<uint32_t>(parent_.size()));
    size_.push_back(1);
    row_.push_back(row);
    return parent_.back();
  }
  uint32_t find(uint32_t node) {
    uint32_t root = node;
    while (parent_[root] != root) root = parent_[root];
    while (parent_[node] != root) node = std::exchange(parent_[node], root);
    return root;
  }
  // Joins two roots; the joined group takes `row`. Returns the new root.
  uint32_t unite(uint32_t a, uint32_t b, int64_t row) {
    if (size_[a] < size_[b]) std::swap(a, b);
    parent_[b] = a;
    size_[a] += size_[b];
    row_[a] = row;
    return a;
  }
  int64_t& row(uint32_t root) { return row_[root]; }

 private:
  std::vector<uint32_t> parent_;
  std::vector<uint32_t> size_;
  std::vector<int64_t> row_;
};

}  // namespace

bool columnRuleAloneMovesRows(const GanttChartItemBehavior& behavior,
                              const std::vector<GanttChartItemPtr>& items) {
  RuleCensus census;
  std::vector<const GanttChartItemBehavior*> path;
  survey(behavior, path, census);
  if (census.foreign || census.columns != 1) return false;
  for (const GanttChartItemPtr& item : items) {
    if (item == nullptr) return false;
    if (item->isExpanded()) continue;
    // Collapsing folds only visible descendants; with none, the collapse
    // moves no row.
    for (const auto* hierarchy : census.hierarchies) {
      for (const GanttChartItemPtr& d : hierarchy->provider()->allLevelChildren(item)) {
        if (d != nullptr && d->isVisible()) return false;
      }
    }
  }
  return true;
}

std::vector<int64_t> rowsAfterColumnRowSteps(const std::vector<GanttChartItemPtr>& items) {
  RowGroups groups;
  std::unordered_map<int64_t, uint32_t> groupOnRow;  // the one group on each row
  std::unordered_map<const GanttChartItem*, uint32_t> nodeOfItem;
  groupOnRow.reserve(items.size());
  nodeOfItem.reserve(items.size());
  std::vector<const GanttChartItem*> identities;
  identities.reserve(items.size());
  for (const GanttChartItemPtr& item : items) {
    identities.push_back(item.get());
    if (nodeOfItem.count(item.get()) != 0) continue;
    const int64_t row = item->row();
    const uint32_t node = groups.add(row);
    nodeOfItem.emplace(item.get(), node);
    const auto [group, added] = groupOnRow.emplace(row, node);
    if (!added) group->second = groups.unite(groups.find(group->second), node, row);
  }
  for (const GanttChartItem* item : identities) {
    uint32_t& node = nodeOfItem[item];
    const uint32_t root = groups.find(node);
    const int64_t row = groups.row(root);
    if (row == std::numeric_limits<int64_t>::max()) continue;  // nowhere to push to
    // The item stays on its row, alone; the rest of its group moves down one
    // and joins the group already there.
    node = groups.add(row);
    groupOnRow[row] = node;
    const auto [below, empty] = groupOnRow.emplace(row + 1, root);
    if (empty) {
      groups.row(root) = row + 1;
    } else {
      below->second = groups.unite(groups.find(below->second), root, row + 1);
    }
  }
  std::vector<int64_t> rows;
  rows.reserve(items.size());
  for (const GanttChartItem* item : identities) {
    rows.push_back(groups.row(groups.find(nodeOfItem[item])));
  }
  return rows;
}

}  // namespace vorlent::detail
