#include "vorlent/outline/outline_model.h"

#include <QMetaObject>
#include <QTreeView>

#include <algorithm>
#include <limits>
#include <utility>

namespace vorlent {

struct OutlineGanttChartModel::Node {
  OutlineGanttChartRowPtr row;  // null for the root and for an empty row
  Node* parent = nullptr;
  int index = 0;  // position among the parent's children
  bool isRoot = false;
  bool loaded = false;
  bool expandable = false;
  std::vector<std::unique_ptr<Node>> children;
};

// Counts nested questions to the source, so that a reload asked for from
// inside one waits until it has returned.
class OutlineGanttChartModel::SourceCall {
 public:
  explicit SourceCall(const OutlineGanttChartModel& model) : model_(model) {
    ++model_.sourceCallDepth_;
  }
  ~SourceCall() { --model_.sourceCallDepth_; }
  SourceCall(const SourceCall&) = delete;
  SourceCall& operator=(const SourceCall&) = delete;

 private:
  const OutlineGanttChartModel& model_;
};

OutlineGanttChartModel::ReloadHold::ReloadHold(OutlineGanttChartModel* model) : model_(model) {
  if (model_) ++model_->reloadHolds_;
}

OutlineGanttChartModel::ReloadHold::~ReloadHold() {
  if (model_) --model_->reloadHolds_;
}

OutlineGanttChartModel::OutlineGanttChartModel(OutlineViewDataSource* source, QObject* parent)
    : QAbstractItemModel(parent), source_(source), root_(std::make_unique<Node>()) {
  root_->isRoot = true;
}

OutlineGanttChartModel::~OutlineGanttChartModel() = default;

void OutlineGanttChartModel::setSource(OutlineViewDataSource* source) { source_ = source; }

void OutlineGanttChartModel::setView(QTreeView* view) {
  if (view_) disconnect(view_, nullptr, this, nullptr);
  view_ = view;
  if (view) {
    connect(view, &QTreeView::expanded, this, &OutlineGanttChartModel::viewDidExpand);
    connect(view, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
      const ReloadHold hold(this);
      invalidateDisplayed();
      if (const Node* node = nodeOf(index); node->row) pendingExpansions_.erase(node->row.get());
    });
  }
  invalidateDisplayed();
}

void OutlineGanttChartModel::setColumnTitles(const QStringList& titles) {
  const auto columns = [](const QStringList& list) { return std::max<qsizetype>(list.size(), 1); };
  if (columns(titles) == columns(columnTitles_)) {
    columnTitles_ = titles;
    emit headerDataChanged(Qt::Horizontal, 0, int(columns(titles)) - 1);
    return;
  }
  beginResetModel();
  columnTitles_ = titles;
  // Before the reset is signalled: the tree forgets its expansions, and
  // whoever follows the reset lists the rows still displayed.
  invalidateDisplayed();
  endResetModel();
}

// --- Loading -----------------------------------------------------------------

namespace {

// A row that a source lists again under itself would make an endless tree
// (and an endless "expand all"): its copy is shown as a row without
// children.
template <class Node>
bool repeatsAncestor(const Node& node) {
  if (!node.row) return false;
  for (const Node* ancestor = node.parent; ancestor; ancestor = ancestor->parent) {
    if (ancestor->row == node.row) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<OutlineGanttChartModel::Node> OutlineGanttChartModel::makeNode(Node* parent,
                                                                               int index) const {
  auto node = std::make_unique<Node>();
  node->parent = parent;
  node->index = index;
  if (source_) {
    SourceCall call(*this);
    node->row = source_->outlineViewChild(index, parent->row);
    if (node->row && source_ && !repeatsAncestor(*node)) {
      node->expandable = source_->outlineViewIsItemExpandable(node->row);
    }
  }
  return node;
}

void OutlineGanttChartModel::load(Node& node) const {
  if (node.loaded) return;
  node.loaded = true;
  // An empty row stands for nothing: asking the source about it would ask
  // about the root.
  if (!source_ || (!node.isRoot && !node.row) || repeatsAncestor(node)) return;
  int64_t count = 0;
  {
    SourceCall call(*this);
    count = source_->outlineViewNumberOfChildrenOfItem(node.row);
  }
  count = std::clamp<int64_t>(count, 0, kMaxChildCount);
  node.children.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    node.children.push_back(makeNode(&node, static_cast<int>(i)));
  }
}

OutlineGanttChartModel::Node* OutlineGanttChartModel::nodeOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return root_.get();
  return static_cast<Node*>(index.internalPointer());
}

QModelIndex OutlineGanttChartModel::indexOf(const Node* node, int column) const {
  if (!node || node->isRoot) return {};
  return createIndex(node->index, column, const_cast<Node*>(node));
}

bool OutlineGanttChartModel::isExpandedInView(const Node* node) const {
  return view_ && node->row && view_->isExpanded(indexOf(node));
}

// --- QAbstractItemModel ------------------------------------------------------

QModelIndex OutlineGanttChartModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= columnCount()) return {};
  if (parent.isValid() && parent.column() != 0) return {};
  Node* parentNode = nodeOf(parent);
  load(*parentNode);
  if (static_cast<size_t>(row) >= parentNode->children.size()) return {};
  return createIndex(row, column, parentNode->children[static_cast<size_t>(row)].get());
}

QModelIndex OutlineGanttChartModel::parent(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  const Node* node = nodeOf(index);
  return indexOf(node->parent);
}

QModelIndex OutlineGanttChartModel::sibling(int row, int column, const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this || row != index.row()) {
    return QAbstractItemModel::sibling(row, column, index);
  }
  if (column < 0 || column >= columnCount()) return {};
  return createIndex(row, column, index.internalPointer());
}

int OutlineGanttChartModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) return 0;
  Node* node = nodeOf(parent);
  load(*node);
  return static_cast<int>(node->children.size());
}

int OutlineGanttChartModel::columnCount(const QModelIndex& /*parent*/) const {
  // A tree without columns shows no rows, while the chart beside it shows
  // one for each displayed row: without titles the one column is untitled.
  return std::max(static_cast<int>(columnTitles_.size()), 1);
}

bool OutlineGanttChartModel::hasChildren(const QModelIndex& parent) const {
  if (parent.isValid() && parent.column() != 0) return false;
  Node* node = nodeOf(parent);
  if (node->isRoot) return rowCount(parent) > 0;
  return node->row && node->expandable;
}

QVariant OutlineGanttChartModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const Node* node = nodeOf(index);
  if (!node->row || !source_) return {};
  SourceCall call(*this);
  return source_->outlineViewObjectValueFor(index.column(), node->row);
}

bool OutlineGanttChartModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const Node* node = nodeOf(index);
  if (!node->row || !source_) return false;
  const QPersistentModelIndex edited(index);
  {
    SourceCall call(*this);
    source_->outlineViewSetObjectValue(value, index.column(), node->row);
  }
  if (edited.isValid()) emit dataChanged(edited, edited);
  return true;
}

Qt::ItemFlags OutlineGanttChartModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (nodeOf(index)->row) flags |= Qt::ItemIsEditable;
  if (!hasChildren(index)) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

QVariant OutlineGanttChartModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= columnTitles_.size()) return {};
  return columnTitles_[section];
}

// --- Displayed rows ----------------------------------------------------------

const std::vector<OutlineGanttChartModel::Node*>& OutlineGanttChartModel::displayed() {
  if (displayedValid_) return displayed_;
  displayed_.clear();
  displayedRowOf_.clear();
  // Depth first with an explicit stack, so a deep tree cannot exhaust the
  // machine stack.
  std::vector<std::pair<Node*, size_t>> stack;
  load(*root_);
  stack.emplace_back(root_.get(), 0);
  while (!stack.empty()) {
    Node* node = stack.back().first;
    const size_t next = stack.back().second;
    if (next >= node->children.size()) {
      stack.pop_back();
      continue;
    }
    stack.back().second = next + 1;
    Node* child = node->children[next].get();
    if (child->row) displayedRowOf_.try_emplace(child->row.get(), int64_t(displayed_.size()));
    displayed_.push_back(child);
    if (isExpandedInView(child)) {
      load(*child);
      stack.emplace_back(child, 0);
    }
  }
  displayedValid_ = true;
  return displayed_;
}

int64_t OutlineGanttChartModel::numberOfRows() { return int64_t(displayed().size()); }

OutlineGanttChartRowPtr OutlineGanttChartModel::item(int64_t displayedRow) {
  const auto& rows = displayed();
  if (displayedRow < 0 || displayedRow >= int64_t(rows.size())) return nullptr;
  return rows[static_cast<size_t>(displayedRow)]->row;
}

int64_t OutlineGanttChartModel::row(const OutlineGanttChartRowPtr& item) {
  if (!item) return -1;
  displayed();
  const auto found = displayedRowOf_.find(item.get());
  return found == displayedRowOf_.end() ? -1 : found->second;
}

OutlineGanttChartModel::Node* OutlineGanttChartModel::firstDisplayedNode(
    const OutlineGanttChartRowPtr& item) {
  const int64_t displayedRow = row(item);
  return displayedRow < 0 ? nullptr : displayed_[static_cast<size_t>(displayedRow)];
}

OutlineGanttChartRowPtr OutlineGanttChartModel::parent(const OutlineGanttChartRowPtr& item) {
  const Node* node = firstDisplayedNode(item);
  return node && node->parent ? node->parent->row : nullptr;
}

int64_t OutlineGanttChartModel::numberOfChildren(const OutlineGanttChartRowPtr& item) {
  Node* node = item ? firstDisplayedNode(item) : root_.get();
  if (!node) return 0;
  load(*node);
  return int64_t(node->children.size());
}

OutlineGanttChartRowPtr OutlineGanttChartModel::child(int64_t index,
                                                      const OutlineGanttChartRowPtr& item) {
  Node* node = item ? firstDisplayedNode(item) : root_.get();
  if (!node) return nullptr;
  load(*node);
  if (index < 0 || index >= int64_t(node->children.size())) return nullptr;
  return node->children[static_cast<size_t>(index)]->row;
}

QModelIndex OutlineGanttChartModel::indexOfDisplayedRow(int64_t displayedRow) {
  const auto& rows = displayed();
  if (displayedRow < 0 || displayedRow >= int64_t(rows.size())) return {};
  return indexOf(rows[static_cast<size_t>(displayedRow)]);
}

void OutlineGanttChartModel::reloadRow(int64_t displayedRow) {
  const QModelIndex first = indexOfDisplayedRow(displayedRow);
  if (!first.isValid() || columnCount() == 0) return;
  emit dataChanged(first, first.siblingAtColumn(columnCount() - 1));
}

// --- Reload ------------------------------------------------------------------

void OutlineGanttChartModel::reload() {
  if (reloadMustWait()) {
    // Asked for by the source while it answers, or by someone reacting to
    // the tree view or to this model's signals during a reload: run it once
    // they are done.
    if (!reloadPending_) {
      reloadPending_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            reloadPending_ = false;
            reload();
          },
          Qt::QueuedConnection);
    }
    return;
  }
  // The rows expanded now (and those still waiting from earlier reloads),
  // by identity, to expand again where they come back in a replaced list.
  RowSet expandedRows = std::move(pendingExpansions_);
  pendingExpansions_.clear();
  const auto walkLoaded = [this](const auto& visit) {
    std::vector<Node*> stack{root_.get()};
    while (!stack.empty()) {
      Node* node = stack.back();
      stack.pop_back();
      for (auto& child : node->children) {
        visit(*child);
        if (child->loaded) stack.push_back(child.get());
      }
    }
  };
  walkLoaded([&](const Node& node) {
    if (isExpandedInView(&node)) expandedRows.insert_or_assign(node.row.get(), node.row);
  });

  bool expandabilityChanged = false;
  isReloading_ = true;
  if (!root_->loaded) {
    load(*root_);
  } else {
    refreshChildren(*root_, expandedRows, expandabilityChanged);
  }
  isReloading_ = false;
  // What did not come back expanded waits for its new parent to expand.
  walkLoaded([&](const Node& node) {
    if (isExpandedInView(&node)) expandedRows.erase(node.row.get());
  });
  std::erase_if(expandedRows, [](const auto& entry) { return entry.second.expired(); });
  pendingExpansions_ = std::move(expandedRows);
  invalidateDisplayed();
  if (expandabilityChanged) {
    // The view keeps whether a row has children from its last layout.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
  }
}

void OutlineGanttChartModel::refreshChildren(Node& parent, const RowSet& expandedRows,
                                             bool& expandabilityChanged) {
  // The new answers, asked once each.
  std::vector<OutlineGanttChartRowPtr> rows;
  if (source_ && (parent.isRoot || parent.row) && !repeatsAncestor(parent)) {
    int64_t count = 0;
    {
      SourceCall call(*this);
      count = source_->outlineViewNumberOfChildrenOfItem(parent.row);
    }
    count = std::clamp<int64_t>(count, 0, kMaxChildCount);
    rows.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count && source_; ++i) {
      SourceCall call(*this);
      rows.push_back(source_->outlineViewChild(i, parent.row));
    }
  }

  const size_t oldCount = parent.children.size();
  size_t common = 0;
  while (common < oldCount && common < rows.size() &&
         parent.children[common]->row == rows[common]) {
    ++common;
  }
  const QModelIndex parentIndex = indexOf(&parent);

  // The kept prefix: same rows, refreshed in place.
  for (size_t i = 0; i < common; ++i) {
    Node& node = *parent.children[i];
    if (node.row && source_ && !repeatsAncestor(node)) {
      SourceCall call(*this);
      const bool expandable = source_->outlineViewIsItemExpandable(node.row);
      if (expandable != node.expandable) expandabilityChanged = true;
      node.expandable = expandable;
    }
    if (node.loaded) refreshChildren(node, expandedRows, expandabilityChanged);
  }
  if (common > 0 && columnCount() > 0) {
    emit dataChanged(index(0, 0, parentIndex),
                     index(static_cast<int>(common) - 1, columnCount() - 1, parentIndex));
  }

  // The rest differs: drop the old tail and add the new one. When the old
  // children are a prefix of the new ones (a page load) only rows are added.
  if (common < oldCount) {
    beginRemoveRows(parentIndex, static_cast<int>(common), static_cast<int>(oldCount) - 1);
    parent.children.resize(common);
    // The displayed list may hold the nodes just freed (listed before the
    // reload, or while the view moved its current row off the removed ones
    // and scrolled to it). Whatever follows the view from here on (the
    // chart re-applying its rules) must find the rows as they now are.
    invalidateDisplayed();
    endRemoveRows();
  }
  if (common < rows.size()) {
    beginInsertRows(parentIndex, static_cast<int>(common), static_cast<int>(rows.size()) - 1);
    for (size_t i = common; i < rows.size(); ++i) {
      auto node = std::make_unique<Node>();
      node->parent = &parent;
      node->index = static_cast<int>(i);
      node->row = rows[i];
      if (node->row && source_ && !repeatsAncestor(*node)) {
        SourceCall call(*this);
        node->expandable = source_->outlineViewIsItemExpandable(node->row);
      }
      parent.children.push_back(std::move(node));
    }
    invalidateDisplayed();
    endInsertRows();
    for (size_t i = common; i < parent.children.size(); ++i) {
      expandAgain(*parent.children[i], expandedRows);
    }
  }
}

void OutlineGanttChartModel::expandAgain(Node& node, const RowSet& expandedRows) {
  if (!view_ || !node.row) return;
  // The address alone could be a new row's in a freed one's place.
  const auto found = expandedRows.find(node.row.get());
  if (found == expandedRows.end() || found->second.lock() != node.row) return;
  if (repeatsAncestor(node)) return;
  load(node);
  view_->expand(indexOf(&node));
  for (size_t i = 0; i < node.children.size(); ++i) expandAgain(*node.children[i], expandedRows);
}

void OutlineGanttChartModel::viewDidExpand(const QModelIndex& index) {
  const ReloadHold hold(this);
  invalidateDisplayed();
  Node* node = nodeOf(index);
  if (node->row) pendingExpansions_.erase(node->row.get());
  if (isReloading_ || pendingExpansions_.empty() || !node->row) return;
  load(*node);
  // Expanding a child signals again, which takes it off the waiting list.
  for (size_t i = 0; i < node->children.size(); ++i) {
    expandAgain(*node->children[i], pendingExpansions_);
  }
}

}  // namespace vorlent
