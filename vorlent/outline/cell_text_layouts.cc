#include "vorlent/outline/cell_text_layouts.h"

#include <QFontMetricsF>
#include <QTextOption>

#include <utility>

namespace vorlent::detail {
namespace {

// Lays `layout` out in lines `width` wide, one under the other from 0, as
// the style does before it draws; the number of lines.
int layOut(QTextLayout& layout, int width) {
  layout.setCacheEnabled(true);
  layout.beginLayout();
  qreal height = 0;
  int lines = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
    ++lines;
  }
  layout.endLayout();
  return lines;
}

}  // namespace

const CellTextLayouts::Cell& CellTextLayouts::cell(const QString& text, const QFont& font,
                                                   int width, Qt::Alignment alignment,
                                                   Qt::LayoutDirection direction,
                                                   Qt::TextElideMode elideMode) {
  Key key{text, font, width, int(alignment), int(direction), int(elideMode)};
  if (auto found = cells_.constFind(key); found != cells_.cend()) return **found;
  if (cells_.size() >= kCapacity) cells_.clear();

  auto made = std::make_shared<Cell>();
  QTextOption option;
  option.setWrapMode(QTextOption::ManualWrap);
  option.setTextDirection(direction);
  option.setAlignment(alignment);
  // The whole text first: the style places the text by its height, and
  // cuts it short only where it is wider than the box.
  QTextLayout& layout = made->shown;
  layout.setText(text);
  layout.setFont(font);
  layout.setTextOption(option);
  // U+009C separates length variants, which QFontMetricsF's cutting picks
  // among and the style's does not.
  made->oneLine = layOut(layout, width) == 1 && !text.contains(QChar(0x9c));
  if (made->oneLine) {
    made->height = layout.boundingRect().size().toSize().height();
    made->lineHeight = layout.lineAt(0).height();
    if (layout.lineAt(0).naturalTextWidth() > width) {
      const QString shown = QFontMetricsF(font).elidedText(text, elideMode, width);
      if (shown != text) {
        layout.setText(shown);
        made->oneLine = layOut(layout, width) <= 1;
      }
    }
  }
  return **cells_.insert(std::move(key), std::move(made));
}

}  // namespace vorlent::detail
