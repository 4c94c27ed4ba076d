#include "vorlent/model/column_row_pass.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <unordered_map>
#include <utility>

#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/identity_index.h"
#include "vorlent/model/library_rules.h"

namespace vorlent::detail {
namespace {

// Union-find over groups of items sharing a row: the root of a group holds
// the group's row. An item leaving its group gets a new node; the old one
// stays behind in the group, which does no harm.
class RowGroups {
 public:
  void clear() {
    parent_.clear();
    size_.clear();
    row_.clear();
  }
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

// The pass over a list whose items may share rows. Each distinct item has a
// slot; the rows live in the groups until they are stored, which happens
// before a collapse that may read them, and at the end.
class SharedRowPass {
 public:
  SharedRowPass(const std::vector<GanttChartItemPtr>& items, const ColumnPassRules& rules,
                const ColumnPassHooks& hooks)
      : items_(items), rules_(rules), hooks_(hooks) {
    std::unordered_map<const GanttChartItem*, uint32_t, AddressHash> slotOfItem;
    slotOfItem.reserve(items.size());
    slotOfPosition_.reserve(items.size());
    for (size_t p = 0; p < items.size(); ++p) {
      const auto [found, added] =
          slotOfItem.emplace(items[p].get(), static_cast<uint32_t>(firstPosition_.size()));
      if (added) {
        firstPosition_.push_back(p);
        stored_.push_back(items[p]->row());
      }
      slotOfPosition_.push_back(found->second);
    }
    node_.resize(firstPosition_.size());
    group(stored_);
  }

  // The steps from the position `begin` on, then the final rows stored.
  void run(size_t begin) {
    for (size_t p = begin; p < items_.size(); ++p) {
      pushRowMates(slotOfPosition_[p]);
      const GanttChartItemPtr& item = items_[p];
      if (item->isExpanded()) continue;
      // The collapse reads the rows of the items it folds and of those below
      // it; otherwise only the collapsed item's row goes into its record.
      if (rules_.mayFoldDescendantsOf(item)) {
        storeAll();
      } else {
        store(slotOfPosition_[p]);
      }
      if (hooks_.askExpansion(item)) regroup();
    }
    storeAll();
  }

  // Every slot whose item ends with another row or visibility than the
  // originals (by position) say.
  [[nodiscard]] std::vector<ColumnPassChange> changes(const std::vector<int64_t>& rows,
                                                      const std::vector<bool>& visible) const {
    std::vector<ColumnPassChange> changed;
    for (const size_t p : firstPosition_) {
      const GanttChartItemPtr& item = items_[p];
      if (item->row() != rows[p] || item->isVisible() != visible[p]) {
        changed.push_back({item, rows[p], visible[p]});
      }
    }
    return changed;
  }

 private:
  const GanttChartItemPtr& itemOf(uint32_t slot) const { return items_[firstPosition_[slot]]; }
  int64_t rowOf(uint32_t slot) { return groups_.row(groups_.find(node_[slot])); }

  // The item stays on its row, alone; the rest of its group moves down one
  // and joins the group already there.
  void pushRowMates(uint32_t slot) {
    uint32_t& node = node_[slot];
    const uint32_t root = groups_.find(node);
    const int64_t row = groups_.row(root);
    if (row == std::numeric_limits<int64_t>::max()) return;  // nowhere to push to
    node = groups_.add(row);
    groupOnRow_[row] = node;
    const auto [below, empty] = groupOnRow_.emplace(row + 1, root);
    if (empty) {
      groups_.row(root) = row + 1;
    } else {
      below->second = groups_.unite(groups_.find(below->second), root, row + 1);
    }
  }

  void store(uint32_t slot) {
    const int64_t row = rowOf(slot);
    if (itemOf(slot)->row() != row) hooks_.storeRow(itemOf(slot), row);
    stored_[slot] = row;
  }
  void storeAll() {
    for (uint32_t slot = 0; slot < node_.size(); ++slot) store(slot);
  }

  // Groups the items anew after a collapse moved some: an item whose row is
  // no longer the one stored last was moved by the collapse and takes its
  // row from the item; any other keeps the row of its group.
  void regroup() {
    std::vector<int64_t> rows(node_.size());
    for (uint32_t slot = 0; slot < node_.size(); ++slot) {
      const int64_t itemRow = itemOf(slot)->row();
      const bool moved = itemRow != stored_[slot];
      rows[slot] = moved ? itemRow : rowOf(slot);
      if (moved) stored_[slot] = itemRow;
    }
    group(rows);
  }
  // One group per row, by slot.
  void group(const std::vector<int64_t>& rows) {
    groups_.clear();
    groupOnRow_.clear();
    groupOnRow_.reserve(node_.size());
    for (uint32_t slot = 0; slot < node_.size(); ++slot) {
      const uint32_t node = groups_.add(rows[slot]);
      node_[slot] = node;
      const auto [onRow, added] = groupOnRow_.emplace(rows[slot], node);
      if (!added) onRow->second = groups_.unite(groups_.find(onRow->second), node, rows[slot]);
    }
  }

  const std::vector<GanttChartItemPtr>& items_;
  const ColumnPassRules& rules_;
  const ColumnPassHooks& hooks_;
  std::vector<uint32_t> slotOfPosition_;
  std::vector<size_t> firstPosition_;  // by slot
  std::vector<int64_t> stored_;        // by slot: the row last seen on the item
  std::vector<uint32_t> node_;         // by slot
  RowGroups groups_;
  std::unordered_map<int64_t, uint32_t> groupOnRow_;  // the one group on each row
};

}  // namespace

std::optional<ColumnPassRules> ColumnPassRules::of(const GanttChartItemBehaviorPtr& behavior) {
  if (behavior == nullptr) return std::nullopt;
  LibraryRules census = libraryRulesOf(behavior);
  if (census.foreign || census.columns.size() != 1) return std::nullopt;
  ColumnPassRules rules;
  rules.hierarchies_.assign(census.hierarchies.begin(), census.hierarchies.end());
  return rules;
}

bool ColumnPassRules::mayFoldDescendantsOf(const GanttChartItemPtr& item) const {
  for (const auto& hierarchy : hierarchies_) {
    // Held for the call: the provider may be a host's, which may replace the
    // chart's rules while it answers.
    const std::shared_ptr<GanttChartItemHierarchyProvider> provider = hierarchy->provider();
    for (const GanttChartItemPtr& d : provider->allLevelChildren(item)) {
      if (d != nullptr && d->isVisible()) return true;
    }
  }
  return false;
}

std::optional<std::vector<ColumnPassChange>> runColumnPass(
    const std::vector<GanttChartItemPtr>& items, const ColumnPassRules& rules,
    const ColumnPassHooks& hooks) {
  std::vector<int64_t> rows(items.size());
  std::vector<bool> visible(items.size());
  // Rows rising in list order are all distinct, with no item listed twice.
  bool rising = true;
  size_t firstCollapsed = items.size();
  for (size_t p = 0; p < items.size(); ++p) {
    const GanttChartItem* item = items[p].get();
    if (item == nullptr) return std::nullopt;
    rows[p] = item->row();
    visible[p] = item->isVisible();
    if (p > 0 && rows[p] <= rows[p - 1]) rising = false;
    if (firstCollapsed == items.size() && !item->isExpanded()) firstCollapsed = p;
  }
  size_t next = 0;
  if (rising) {
    // No item shares its row, so no row step moves anything until a collapse
    // changes a row or a visibility; a settled chart gets no further.
    bool changed = false;
    next = firstCollapsed;
    while (next < items.size() && !changed) {
      const GanttChartItemPtr& item = items[next++];
      if (!item->isExpanded()) changed = hooks.askExpansion(item);
    }
    if (!changed) return std::vector<ColumnPassChange>{};
  }
  SharedRowPass pass(items, rules, hooks);
  pass.run(next);
  return pass.changes(rows, visible);
}

}  // namespace vorlent::detail
