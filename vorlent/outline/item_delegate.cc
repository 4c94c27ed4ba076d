#include "vorlent/outline/item_delegate.h"

#include <algorithm>

namespace vorlent {

OutlineGanttChartItemDelegate::OutlineGanttChartItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent) {}

void OutlineGanttChartItemDelegate::setRowHeight(int height) {
  const int clamped = std::max(height, 1);
  if (clamped == rowHeight_) return;
  rowHeight_ = clamped;
  emit sizeHintChanged(QModelIndex());
}

QSize OutlineGanttChartItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(rowHeight_);
  return size;
}

void OutlineGanttChartItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                                    const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->text = paint::cutForLayout(option->text);
}

}  // namespace vorlent
