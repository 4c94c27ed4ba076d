#pragma once

#include <QList>
#include <QModelIndex>
#include <QPointer>
#include <QTreeView>

#include <functional>

namespace vorlent {

class OutlineGanttChartItemDelegate;
class OutlineGanttChartModel;

namespace detail {

// The outline's tree. Scrolling per pixel, Qt's tree stops one pixel short
// when it brings a row up from below (the End key, the arrow keys,
// scrollTo): the row's last line of pixels stays hidden, and the chart,
// which follows the tree, hides it too. This tree moves on by that pixel.
//
// Every pass of Qt's that expands or collapses rows (expandAll(),
// collapseAll(), expand() of a shown row) ends by updating the tree's
// geometries, which calls `layoutPassDidEnd`.
//
// A drag step reloads every row it moves, in every column, though most of
// them are out of view and most cells show what they showed before. Over
// the outline's own model and delegate, the tree repaints only the cells
// that show something else now (see `dataChanged`).
class OutlineTreeView : public QTreeView {
 public:
  using QTreeView::QTreeView;

  // Counts, while it lives, a call into the chart that the tree's own code
  // made (a signal, the end of a layout pass, an event it filtered): Qt goes
  // on inside the tree once the call returns.
  class Call {
   public:
    explicit Call(QTreeView* tree) : tree_(static_cast<OutlineTreeView*>(tree)) {
      if (tree_) ++tree_->callsUnderWay_;
    }
    ~Call() {
      if (tree_) --tree_->callsUnderWay_;
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

   private:
    QPointer<OutlineTreeView> tree_;
  };

  std::function<void()> layoutPassDidEnd;

  // The outline's own model and delegate, as the chart set them up.
  void setOutlineParts(OutlineGanttChartModel* model, OutlineGanttChartItemDelegate* delegate);

  [[nodiscard]] bool isCallingOut() const { return callsUnderWay_ > 0; }
  // True while Qt sizes the rows' area and sets the scroll bars' ranges,
  // which moves a bar whose value no longer fits: rows added from inside
  // that move would be laid out by a nested pass whose ranges the outer
  // pass then overwrites with its own, taken before they were added.
  [[nodiscard]] bool isUpdatingGeometries() const { return geometryUpdates_ > 0; }

  // Lays out rows the model changed now rather than on the next turn of the
  // event loop. Until then Qt expands and collapses rows without laying
  // them out, so no pass of the host's would be seen to end.
  void layOutChangedRows() { executeDelayedItemsLayout(); }

  void updateGeometries() override;
  void scrollTo(const QModelIndex& index, ScrollHint hint) override;

  // A change of one row's values repaints, of the cells on screen, those
  // whose text differs from the one they show; the rest of Qt's handling
  // of the change does nothing for the outline's model and delegate while
  // no editor is open on the row, no assistive tool listens and the tree
  // keeps its size and uniform rows. Any other change, or a change under
  // any other conditions, Qt handles as ever.
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles = QList<int>()) override;

 protected:
  // Notes what a paint into the window leaves on screen.
  void paintEvent(QPaintEvent* event) override;

 private:
  // Whether `dataChanged` may spare the cells that show their text already.
  [[nodiscard]] bool sparesUnchangedCells(const QModelIndex& topLeft,
                                          const QModelIndex& bottomRight,
                                          const QList<int>& roles) const;
  // Whether the viewport's painter draws into the window's backing store
  // (not into an image a rendering asked for).
  [[nodiscard]] bool paintsOnScreen();

  int callsUnderWay_ = 0;
  int geometryUpdates_ = 0;
  QPointer<OutlineGanttChartModel> ownModel_;
  QPointer<OutlineGanttChartItemDelegate> ownDelegate_;
};

}  // namespace detail
}  // namespace vorlent
