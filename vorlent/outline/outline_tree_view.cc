#include "vorlent/outline/outline_tree_view.h"

#include <QAccessible>
#include <QBackingStore>
#include <QPaintEngine>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <optional>

#include "vorlent/outline/item_delegate.h"
#include "vorlent/outline/outline_model.h"

namespace vorlent::detail {

void OutlineTreeView::setOutlineParts(OutlineGanttChartModel* model,
                                      OutlineGanttChartItemDelegate* delegate) {
  ownModel_ = model;
  ownDelegate_ = delegate;
}

void OutlineTreeView::updateGeometries() {
  ++geometryUpdates_;
  QTreeView::updateGeometries();
  --geometryUpdates_;
  // A copy: the chart clears the member when a host deletes it meanwhile.
  if (const std::function<void()> passDidEnd = layoutPassDidEnd) {
    const Call call(this);
    passDidEnd();
  }
}

void OutlineTreeView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  // Scrolling re-applies the chart's rules, whose changes a host may
  // answer by reloading: the row may be gone when Qt is done.
  const QPersistentModelIndex target(index);
  QTreeView::scrollTo(index, hint);
  if (verticalScrollMode() != ScrollPerPixel || !target.isValid()) return;
  if (hint != EnsureVisible && hint != PositionAtBottom) return;
  const QRect row = visualRect(target);
  const int visible = viewport()->height();
  const int hidden = row.y() + row.height() - visible;
  // Only a row that fits, and only up to its top.
  if (hidden > 0 && row.height() <= visible && row.y() - hidden >= 0) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + hidden);
  }
}

// --- Repainting only what changed ------------------------------------------------

bool OutlineTreeView::paintsOnScreen() {
  QBackingStore* store = viewport()->backingStore();
  if (store == nullptr) return false;
  const QPainter probe(viewport());
  const QPaintEngine* engine = probe.isActive() ? probe.paintEngine() : nullptr;
  return engine != nullptr && engine->paintDevice() == store->paintDevice();
}

void OutlineTreeView::paintEvent(QPaintEvent* event) {
  ShownCells* notes = nullptr;
  if (ownModel_ && ownDelegate_ && model() == ownModel_ && paintsOnScreen()) {
    notes = &ownDelegate_->shownCells();
    notes->beginPainting(event->region(), viewport()->rect(), ownModel_->structureRevision());
  }
  QTreeView::paintEvent(event);
  if (notes) notes->endPainting();
}

// What Qt's handling of a change does besides repainting, and why none of it
// applies here: it hands editors their cell's new value (no editor is open
// on the row), tells assistive tools (none listens), resizes a view that
// fits its contents (this one does not), measures the rows again (the
// delegate gives every row its one height) and asks again whether the row
// has children (the outline's model only changes that in a reload, which
// lays the tree out anew).
bool OutlineTreeView::sparesUnchangedCells(const QModelIndex& topLeft,
                                           const QModelIndex& bottomRight,
                                           const QList<int>& roles) const {
  if (!ownModel_ || !ownDelegate_ || model() != ownModel_) return false;
  if (!topLeft.isValid() || topLeft.model() != ownModel_ || bottomRight.model() != ownModel_) {
    return false;
  }
  if (topLeft.row() != bottomRight.row() || topLeft.column() > bottomRight.column() ||
      topLeft.parent() != bottomRight.parent()) {
    return false;
  }
  for (const int role : roles) {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return false;
  }
  if (!isVisible() || !uniformRowHeights() || sizeAdjustPolicy() != AdjustIgnored ||
      state() == EditingState) {
    return false;
  }
#if QT_CONFIG(accessibility)
  if (QAccessible::isActive()) return false;
#endif
  // The outline delegate's editors and index widgets are children of the
  // viewport: without any, none is open on the row.
  const bool mayHaveEditors = !viewport()->children().isEmpty();
  // The whole row: measuring a row asks every column.
  for (int column = 0; column < ownModel_->columnCount(); ++column) {
    const QModelIndex cell = topLeft.siblingAtColumn(column);
    if (itemDelegateForIndex(cell) != ownDelegate_) return false;
    if (mayHaveEditors && (isPersistentEditorOpen(cell) || indexWidget(cell) != nullptr)) {
      return false;
    }
  }
  return true;
}

void OutlineTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                  const QList<int>& roles) {
  if (!sparesUnchangedCells(topLeft, bottomRight, roles)) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    return;
  }
  // Reading a cell's value asks the host, which may change the tree or
  // delete the chart (whose tree then goes on a later turn).
  const QPointer<OutlineTreeView> alive(this);
  std::optional<QStyleOptionViewItem> option;
  const int last = bottomRight.column();
  int run = -1;  // the first column of the cells to repaint next to each other
  for (int column = topLeft.column(); column <= last + 1; ++column) {
    bool repaint = false;
    const QModelIndex cell = column <= last ? topLeft.siblingAtColumn(column) : QModelIndex();
    if (cell.isValid()) {
      ShownCells& notes = ownDelegate_->shownCells();
      const ShownCells::Shown shown = notes.shown(cell, ownModel_->structureRevision());
      switch (shown.kind) {
        case ShownCells::Kind::absent:
        case ShownCells::Kind::repainting:
          break;
        case ShownCells::Kind::unknown:
          repaint = true;
          break;
        case ShownCells::Kind::text: {
          const QString before = *shown.text;
          if (!option) {
            option.emplace();
            initViewItemOption(&*option);
          }
          const QString now = ownDelegate_->shownText(*option, cell);
          if (!alive || !ownModel_ || model() != ownModel_) return;
          if (!ownDelegate_) {
            // The host took the delegate away meanwhile: Qt repaints the
            // rest of the change, as it would have.
            QTreeView::dataChanged(topLeft.siblingAtColumn(run >= 0 ? run : column), bottomRight,
                                   roles);
            return;
          }
          repaint = now != before;
          break;
        }
      }
      if (repaint) notes.repainting(cell);
    }
    if (repaint) {
      if (run < 0) run = column;
    } else if (run >= 0) {
      QTreeView::dataChanged(topLeft.siblingAtColumn(run), topLeft.siblingAtColumn(column - 1),
                             roles);
      if (!alive) return;
      run = -1;
    }
  }
}

}  // namespace vorlent::detail
