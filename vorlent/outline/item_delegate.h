#pragma once

#include <QStyledItemDelegate>

#include "vorlent/outline/cell_text_layouts.h"
#include "vorlent/outline/shown_cells.h"
#include "vorlent/views/paint_clipping.h"

namespace vorlent {

// Draws the outline's cells as Qt's styled delegate does, at one row height
// for every row, so that the tree's rows line up with the chart's. A cell's
// text is cut after `kMostShownCharacters` (with an ellipsis) before Qt lays
// it out: a host's megabyte note would otherwise be shaped whole at every
// paint and size question, and ask for a column millions of pixels wide.
//
// A cell of one line of text, left to right, cut short at its right end if
// at all, has its text laid out once and drawn from a cache where Qt's
// style would put it: a drag that moves many items repaints every row, and
// laying each cell's text out again would cost more than the rest of the
// frame. Any other cell, and every cell under a style other than Qt's
// Fusion or Windows style (a style sheet included), Qt's style draws whole.
class OutlineGanttChartItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // The chart area and the header cut their labels alike.
  static constexpr qsizetype kMostShownCharacters = paint::kMostLaidOutCharacters;

  explicit OutlineGanttChartItemDelegate(QObject* parent = nullptr);

  // Whole pixels, at least 1.
  [[nodiscard]] int rowHeight() const { return rowHeight_; }
  void setRowHeight(int height);

  [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                               const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // The text `paint` draws in the cell of `index` with `option` as the view
  // sets it up (asking the model for the cell's value).
  [[nodiscard]] QString shownText(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const;
  // What the cells painted on screen show, noted while the outline's tree
  // paints into its window.
  [[nodiscard]] detail::ShownCells& shownCells() const { return shownCells_; }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  int rowHeight_ = 20;
  mutable detail::CellTextLayouts textLayouts_;
  mutable detail::ShownCells shownCells_;
};

}  // namespace vorlent
