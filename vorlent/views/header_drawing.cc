// The header view's drawing pass and its hooks: each library-value hook
// converts its arguments and calls the Qt-value hook of the same name, which
// draws with the painter of the pass.

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include <utility>

#include "vorlent/views/conversions.h"
#include "vorlent/views/paint_clipping.h"
#include "vorlent/views/header_view.h"

namespace vorlent {

void GanttChartHeader::draw(QPainter& painter, const QRectF& within) {
  const std::shared_ptr<GanttChartHeaderController> controller = controller_;
  if (!controller) return;
  QPainter* const outer = std::exchange(activePainter_, &painter);
  controller->draw(fromQt(within));
  activePainter_ = outer;
}

// --- Library values ---------------------------------------------------------------

void GanttChartHeader::drawBackground(const Color& color, const Size& size) {
  if (activePainter_ == nullptr) return;
  drawBackground(*activePainter_, toQt(color), toQt(size));
}

void GanttChartHeader::drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                                  const Color& color) {
  if (activePainter_ == nullptr) return;
  drawBorder(*activePainter_, toQt(rectangle), toQt(line.p1), toQt(line.p2), lineWidth,
             toQt(color));
}

void GanttChartHeader::drawTimeArea(const ScheduleTimeSelector& selector,
                                    const Rectangle& rectangle, const Color& fillColor) {
  if (activePainter_ == nullptr) return;
  drawTimeArea(*activePainter_, selector, toQt(rectangle), toQt(fillColor));
}

void GanttChartHeader::drawCell(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                const Rectangle& rectangle, const Color& backgroundColor) {
  if (activePainter_ == nullptr) return;
  drawCell(*activePainter_, selector, row, toQt(rectangle), toQt(backgroundColor));
}

void GanttChartHeader::drawCellBorder(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                      const Rectangle& rectangle, const Line& line,
                                      double lineWidth, const Color& color) {
  if (activePainter_ == nullptr) return;
  drawCellBorder(*activePainter_, selector, row, toQt(rectangle), toQt(line.p1), toQt(line.p2),
                 lineWidth, toQt(color));
}

void GanttChartHeader::drawCellLabel(const TimeSelector& selector, const GanttChartHeaderRow& row,
                                     const Rectangle& rectangle, const std::string& text,
                                     const Color& foregroundColor, TextAlignment alignment,
                                     const Font& font, VerticalTextAlignment verticalAlignment) {
  if (activePainter_ == nullptr) return;
  drawCellLabel(*activePainter_, selector, row, toQt(rectangle), QString::fromStdString(text),
                toQt(foregroundColor), toQt(alignment), toQt(font), verticalAlignment);
}

// --- Qt values --------------------------------------------------------------------

void GanttChartHeader::drawBackground(QPainter& painter, const QColor& color, const QSizeF& size) {
  paint::fillWithin(painter, QRectF(QPointF(0, 0), size), color);
}

void GanttChartHeader::drawBorder(QPainter& painter, const QRectF& /*rectangle*/, const QPointF& p1,
                                  const QPointF& p2, double lineWidth, const QColor& color) {
  paint::strokeLineWithin(painter, p1, p2, lineWidth, color);
}

void GanttChartHeader::drawTimeArea(QPainter& painter, const ScheduleTimeSelector& /*selector*/,
                                    const QRectF& rectangle, const QColor& fillColor) {
  paint::fillWithin(painter, rectangle, fillColor);
}

void GanttChartHeader::drawCell(QPainter& painter, const TimeSelector& /*selector*/,
                                const GanttChartHeaderRow& /*row*/, const QRectF& rectangle,
                                const QColor& backgroundColor) {
  paint::fillWithin(painter, rectangle, backgroundColor);
}

void GanttChartHeader::drawCellBorder(QPainter& painter, const TimeSelector& /*selector*/,
                                      const GanttChartHeaderRow& /*row*/,
                                      const QRectF& /*rectangle*/, const QPointF& p1,
                                      const QPointF& p2, double lineWidth, const QColor& color) {
  paint::strokeLineWithin(painter, p1, p2, lineWidth, color);
}

void GanttChartHeader::drawCellLabel(QPainter& painter, const TimeSelector& /*selector*/,
                                     const GanttChartHeaderRow& /*row*/, const QRectF& rectangle,
                                     const QString& text, const QColor& foregroundColor,
                                     Qt::Alignment alignment, const QFont& font,
                                     VerticalTextAlignment verticalAlignment) {
  const QString shown = paint::cutForLayout(text);
  QTextOption option(alignment & Qt::AlignHorizontal_Mask);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  QRectF box = rectangle;
  if (verticalAlignment == VerticalTextAlignment::center) {
    // As high as the text measures unwrapped, centred in the rectangle;
    // lines the wrapping adds below it are cut off.
    const double textHeight = QFontMetricsF(font, painter.device()).size(0, shown).height();
    box = QRectF(rectangle.x(), rectangle.y() + (rectangle.height() - textHeight) / 2,
                 rectangle.width(), textHeight);
  }
  painter.setFont(font);
  painter.setPen(foregroundColor);
  paint::drawTextWithin(painter, box, shown, option);
}

}  // namespace vorlent
