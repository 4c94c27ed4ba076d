#pragma once

#include <QStyledItemDelegate>

namespace vorlent {

// Draws the outline's cells as Qt's styled delegate does, at one row height
// for every row, so that the tree's rows line up with the chart's.
class OutlineGanttChartItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit OutlineGanttChartItemDelegate(QObject* parent = nullptr);

  // Whole pixels, at least 1.
  [[nodiscard]] int rowHeight() const { return rowHeight_; }
  void setRowHeight(int height);

  [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                               const QModelIndex& index) const override;

 private:
  int rowHeight_ = 20;
};

}  // namespace vorlent
