#pragma once

#include <QStyledItemDelegate>

#include "vorlent/views/paint_clipping.h"

namespace vorlent {

// Draws the outline's cells as Qt's styled delegate does, at one row height
// for every row, so that the tree's rows line up with the chart's. A cell's
// text is cut after `kMostShownCharacters` (with an ellipsis) before Qt lays
// it out: a host's megabyte note would otherwise be shaped whole at every
// paint and size question, and ask for a column millions of pixels wide.
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

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  int rowHeight_ = 20;
};

}  // namespace vorlent
