#include "vorlent/outline/item_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace vorlent {
namespace {

// Whether the cache draws the cell's text as Qt's style would: left to
// right, unwrapped, not being edited, cut at its right end if at all (that
// the text lies on one line the cache itself finds out).
bool isPlainLine(const QStyleOptionViewItem& option) {
  if (option.text.isEmpty() || option.direction != Qt::LeftToRight) return false;
  if (option.features.testFlag(QStyleOptionViewItem::WrapText)) return false;
  if (option.state.testFlag(QStyle::State_Editing)) return false;
  return option.textElideMode == Qt::ElideRight || option.textElideMode == Qt::ElideNone;
}

// Whether `style` is one whose drawing of a cell's text the cache was
// checked against: Qt's common drawing, in the option's font and in the
// palette's text colours. A style-sheet style (a sheet on the tree, an
// ancestor or the application) restyles its own copy of the option, a
// native style may pick the selected text's colour itself, and a host's
// style, a proxy included, may draw anything.
bool drawsTextAsTheCache(const QStyle& style) {
  const char* name = style.metaObject()->className();
  return qstrcmp(name, "QFusionStyle") == 0 || qstrcmp(name, "QWindowsStyle") == 0;
}

}  // namespace

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

QString OutlineGanttChartItemDelegate::shownText(const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  return cell.text;
}

void OutlineGanttChartItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  // Everything below draws within the cell; of what the outline's model
  // gives a cell, only its text can change.
  if (shownCells_.isPainting()) shownCells_.painted(index, cell.rect, cell.text);
  const QWidget* widget = cell.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  if (!drawsTextAsTheCache(*style) || !isPlainLine(cell)) {
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    return;
  }
  // The text's place does not depend on the text.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect box = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget)
                        .adjusted(margin, 0, -margin, 0);
  const Qt::Alignment alignment = QStyle::visualAlignment(cell.direction, cell.displayAlignment);
  const detail::CellTextLayouts::Cell& line = textLayouts_.cell(
      cell.text, cell.font, box.width(), alignment, cell.direction, cell.textElideMode);
  // The style places the text's top where its whole-pixel height, aligned
  // in the box, puts it; a line that would start above the box it skips.
  const int top = QStyle::alignedRect(Qt::LayoutDirectionAuto, cell.displayAlignment,
                                      QSize(0, line.height), box)
                      .top();
  if (!line.oneLine || top + line.lineHeight <= box.top()) {
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    return;
  }
  // The style draws the rest (background, check, icon, focus), laying out
  // no text.
  cell.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
  if (line.shown.text().isEmpty()) return;

  QPalette::ColorGroup group =
      cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !cell.state.testFlag(QStyle::State_Active)) {
    group = QPalette::Inactive;
  }
  const QPalette::ColorRole role =
      cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  painter->save();
  painter->setClipRect(cell.rect, Qt::IntersectClip);
  painter->setPen(cell.palette.color(group, role));
  line.shown.draw(painter, QPointF(box.left(), top));
  painter->restore();
}

}  // namespace vorlent
