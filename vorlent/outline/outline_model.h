#pragma once

#include <QAbstractItemModel>
#include <QModelIndex>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "vorlent/outline/outline_row.h"

class QTreeView;

namespace vorlent {

// What the outline's item model asks: the tree of rows and their cell
// values. A null row stands for the root. OutlineGanttChart answers it from
// its data source (with paging of root rows and design-time samples).
class OutlineViewDataSource {
 public:
  virtual ~OutlineViewDataSource() = default;
  virtual OutlineGanttChartRowPtr outlineViewChild(int64_t index,
                                                   const OutlineGanttChartRowPtr& ofItem) = 0;
  virtual bool outlineViewIsItemExpandable(const OutlineGanttChartRowPtr& item) = 0;
  virtual int64_t outlineViewNumberOfChildrenOfItem(const OutlineGanttChartRowPtr& item) = 0;
  virtual QVariant outlineViewObjectValueFor(int column, const OutlineGanttChartRowPtr& item) = 0;
  virtual void outlineViewSetObjectValue(const QVariant& value, int column,
                                         const OutlineGanttChartRowPtr& item) = 0;
};

// The item model of an outline chart's tree view: it adapts an
// OutlineViewDataSource to Qt's model/view.
//
// Every shown position is a node record that stays put while the rows stay
// the same, so model indexes (and the tree view's expansion, selection and
// current index) survive a `reload()`: a reload asks the source again and
// changes only what differs, appending rows where the old children are a
// prefix of the new ones (a page load) and replacing a list of children
// otherwise, expanding again every replaced row that was expanded before, by
// identity (also where it moved under a parent not expanded yet, once that
// parent expands). Counts and children are asked when a row's children are first
// needed and at each reload, never in between, so a source whose answers
// drift between calls still gives a consistent tree.
//
// With a tree view attached (`setView`) the model also answers what the
// chart side asks of the displayed rows: their number, the row at a
// displayed index, the displayed index of a row and the tree around it.
// Expansion changes must reach the view through calls that signal:
// expand(), collapse(), setExpanded(), expandAll() (which signals from the
// middle of its layout pass) and collapseAll() (which signals every row it
// collapsed, before laying out); a call that does not signal leaves these
// answers stale until the next reload.
//
// A node whose source answer was null is an empty row without children, and
// so is a row that the source lists again under itself.
// GUI thread only.
class OutlineGanttChartModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  // The most children one row may have; larger counts are cut to it.
  static constexpr int64_t kMaxChildCount = int64_t{1} << 24;

  explicit OutlineGanttChartModel(OutlineViewDataSource* source, QObject* parent = nullptr);
  ~OutlineGanttChartModel() override;

  // A null source answers an empty tree. The owner clears it before it goes.
  void setSource(OutlineViewDataSource* source);
  // The tree view whose expansion decides which rows are displayed.
  void setView(QTreeView* view);

  // One column per title; one untitled column at first and whenever there
  // are no titles.
  [[nodiscard]] QStringList columnTitles() const { return columnTitles_; }
  void setColumnTitles(const QStringList& titles);

  // Asks the source for every known row again (see above). A reload asked
  // for while it must wait (below) runs on a later turn of the event loop.
  void reload();
  // Tells the view the values of the displayed row changed, in every column.
  void reloadRow(int64_t displayedRow);
  // Whether the source is being asked right now.
  [[nodiscard]] bool isAskingSource() const { return sourceCallDepth_ > 0; }
  // Whether a reload now would free rows a caller is still using: the
  // source is being asked, a reload is refreshing the rows (and signalling
  // their changes while it walks them), or the tree view is inside one of
  // its expansion signals (which Qt emits in the middle of laying rows out,
  // holding indexes of their parents and siblings).
  [[nodiscard]] bool reloadMustWait() const {
    return isAskingSource() || isReloading_ || reloadHolds_ > 0;
  }

  // Makes reloads wait while it lives: taken by whoever reacts to the tree
  // view's signals. Outlives the model safely.
  class ReloadHold {
   public:
    explicit ReloadHold(OutlineGanttChartModel* model);
    ~ReloadHold();
    ReloadHold(const ReloadHold&) = delete;
    ReloadHold& operator=(const ReloadHold&) = delete;

   private:
    QPointer<OutlineGanttChartModel> model_;
  };

  // --- Displayed rows --------------------------------------------------------
  [[nodiscard]] int64_t numberOfRows();
  // Null outside 0..numberOfRows()-1 and for an empty row.
  [[nodiscard]] OutlineGanttChartRowPtr item(int64_t displayedRow);
  // The displayed index of the row's first displayed occurrence, or -1.
  [[nodiscard]] int64_t row(const OutlineGanttChartRowPtr& item);
  // The parent row of the row's first displayed occurrence; null for a root
  // row or a row not displayed.
  [[nodiscard]] OutlineGanttChartRowPtr parent(const OutlineGanttChartRowPtr& item);
  // The children of the row's first displayed occurrence (of the root when
  // null); a row not displayed has none.
  [[nodiscard]] int64_t numberOfChildren(const OutlineGanttChartRowPtr& item);
  [[nodiscard]] OutlineGanttChartRowPtr child(int64_t index, const OutlineGanttChartRowPtr& item);
  // The model index of a displayed row (column 0), invalid outside.
  [[nodiscard]] QModelIndex indexOfDisplayedRow(int64_t displayedRow);
  // A figure that changes whenever the answers above may: the displayed
  // rows, or the children of a row that was asked about before. Loading a
  // row's children for the first time does not change it, since nothing
  // could have been answered from them yet.
  [[nodiscard]] uint64_t structureRevision() const { return structureRevision_; }

  // --- QAbstractItemModel ----------------------------------------------------
  [[nodiscard]] QModelIndex index(int row, int column,
                                  const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QModelIndex parent(const QModelIndex& index) const override;
  // Another column of the same row without walking up to its parent.
  [[nodiscard]] QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role = Qt::DisplayRole) const override;

 private:
  struct Node;
  class SourceCall;

  Node* nodeOf(const QModelIndex& index) const;
  QModelIndex indexOf(const Node* node, int column = 0) const;
  void load(Node& node) const;
  std::unique_ptr<Node> makeNode(Node* parent, int index) const;
  // The displayed nodes, rebuilt when something changed them.
  const std::vector<Node*>& displayed();
  void invalidateDisplayed() {
    displayedValid_ = false;
    ++structureRevision_;
  }
  Node* firstDisplayedNode(const OutlineGanttChartRowPtr& item);
  bool isExpandedInView(const Node* node) const;
  // Rows by identity; an entry counts only while its row is alive.
  using RowSet =
      std::unordered_map<const OutlineGanttChartRow*, std::weak_ptr<OutlineGanttChartRow>>;
  // Reload steps.
  void refreshChildren(Node& parent, const RowSet& expandedRows, bool& expandabilityChanged);
  void expandAgain(Node& node, const RowSet& expandedRows);
  void viewDidExpand(const QModelIndex& index);

  OutlineViewDataSource* source_;
  QPointer<QTreeView> view_;
  QStringList columnTitles_{QString()};
  std::unique_ptr<Node> root_;
  std::vector<Node*> displayed_;
  std::unordered_map<const OutlineGanttChartRow*, int64_t> displayedRowOf_;
  bool displayedValid_ = false;
  uint64_t structureRevision_ = 0;
  mutable int sourceCallDepth_ = 0;
  int reloadHolds_ = 0;
  bool reloadPending_ = false;
  bool isReloading_ = false;
  // Rows that were expanded at a reload and came back under a parent whose
  // children were not loaded: they expand again once that parent does.
  RowSet pendingExpansions_;
};

}  // namespace vorlent
