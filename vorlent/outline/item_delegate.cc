#include "vorlent/outline/item_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace vorlent {
namespace {

// Whether the cell's text is one line that the cache draws as Qt's style
// would: left to right, unwrapped, not being edited, cut at its right end
// if at all.
bool isPlainLine(const QStyleOptionViewItem& option) {
  if (option.text.isEmpty() || option.direction != Qt::LeftToRight) return false;
  if (option.features.testFlag(QStyleOptionViewItem::WrapText)) return false;
  if (option.state.testFlag(QStyle::State_Editing)) return false;
  if (option.textElideMode != Qt::ElideRight && option.textElideMode != Qt::ElideNone) {
    return false;
  }
  for (const QChar c : option.text) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator) {
      return false;
    }
  }
  return true;
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
  // The style draws the rest (background, check, icon, focus), laying out
  // no text; the text's place does not depend on the text.
  const QString text = std::exchange(cell.text, QString());
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect box = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget)
                        .adjusted(margin, 0, -margin, 0);
  const bool cutting = cell.textElideMode == Qt::ElideRight;
  if (cutting && box.width() <= 0) return;
  const TextLineCache::Line& line =
      textLines_.line(text, cell.font, cutting ? double(box.width()) : 0);
  if (line.width <= 0) return;

  QPalette::ColorGroup group =
      cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !cell.state.testFlag(QStyle::State_Active)) {
    group = QPalette::Inactive;
  }
  const QPalette::ColorRole role =
      cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  const Qt::Alignment alignment = QStyle::visualAlignment(cell.direction, cell.displayAlignment);
  double x = box.left();
  if (alignment.testFlag(Qt::AlignHCenter)) {
    x += (box.width() - line.width) / 2;
  } else if (alignment.testFlag(Qt::AlignRight)) {
    x += box.width() - line.width;
  }
  double y = box.top();
  if (alignment.testFlag(Qt::AlignVCenter)) {
    y += (box.height() - line.height) / 2;
  } else if (alignment.testFlag(Qt::AlignBottom)) {
    y += box.height() - line.height;
  }
  painter->save();
  painter->setClipRect(cell.rect, Qt::IntersectClip);
  painter->setPen(cell.palette.color(group, role));
  painter->setFont(cell.font);
  painter->drawStaticText(QPointF(x, y), line.text);
  painter->restore();
}

}  // namespace vorlent
