#include "vorlent/views/banded_scroll_bar_style.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QTransform>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace vorlent {

namespace {

// The height of a band's image in device rows: below the raster engine's
// threshold of 96 spans for the plain fills and lines of a scroll bar. The
// image reaches beyond its band by kOverlap points above and below, so
// that shapes cut at its edges (the ends of lines, a stroked outline) are
// cut out of sight.
constexpr double kImageDeviceRows = 80;
constexpr int kOverlap = 8;

}  // namespace

BandedScrollBarStyle* BandedScrollBarStyle::instance() {
  static QPointer<BandedScrollBarStyle> made;
  if (made == nullptr) {
    made = new BandedScrollBarStyle();
    made->setParent(QCoreApplication::instance());  // lives as long as the application
  }
  return made.data();
}

QStyle* BandedScrollBarStyle::styleFor(const QWidget* widget) {
  if (widget != nullptr) {
    if (const QWidget* parent = widget->parentWidget()) return parent->style();
  }
  return QApplication::style();
}

void BandedScrollBarStyle::polish(QWidget* widget) { styleFor(widget)->polish(widget); }

void BandedScrollBarStyle::unpolish(QWidget* widget) { styleFor(widget)->unpolish(widget); }

void BandedScrollBarStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const {
  styleFor(widget)->drawPrimitive(element, option, painter, widget);
}

void BandedScrollBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
  styleFor(widget)->drawControl(element, option, painter, widget);
}

QRect BandedScrollBarStyle::subElementRect(SubElement element, const QStyleOption* option,
                                           const QWidget* widget) const {
  return styleFor(widget)->subElementRect(element, option, widget);
}

void BandedScrollBarStyle::drawComplexControl(ComplexControl control,
                                              const QStyleOptionComplex* option, QPainter* painter,
                                              const QWidget* widget) const {
  QStyle* style = styleFor(widget);
  const QTransform& toDevice = painter != nullptr ? painter->deviceTransform() : QTransform();
  const double scale = toDevice.m22();
  const QRect area = option != nullptr ? option->rect : QRect();
  // Bands are drawn only where they are known to give the style's own
  // pixels: on a vertical bar at a device pixel ratio of 1 or 2, on whole
  // device pixels. A horizontal bar's long edges, cut into pieces, join a
  // shade differently; at other ratios a style's lines fall on fractions of
  // a device pixel that a band's image rounds its own way.
  const auto whole = [](double value) { return value == std::floor(value); };
  if (control != CC_ScrollBar || painter == nullptr || toDevice.type() > QTransform::TxScale ||
      (scale != 1 && scale != 2) || toDevice.m11() != scale || !whole(toDevice.dx()) ||
      !whole(toDevice.dy()) || area.height() < area.width() ||
      !(area.height() * scale > kImageDeviceRows)) {
    style->drawComplexControl(control, option, painter, widget);
    return;
  }
  // Bands down the scroll bar, each drawn whole into an image of its own,
  // whose edges cut it as no clip could (a style may replace the painter's
  // clip), then laid onto the scroll bar. The image reaches a few points
  // above and below its band, so the ends of lines cut at its edges stay
  // unseen.
  const int band = static_cast<int>(kImageDeviceRows / scale) - 2 * kOverlap;
  for (int top = area.top(); top <= area.bottom(); top += band) {
    const QRect piece(area.left(), top, area.width(), std::min(band, area.bottom() - top + 1));
    const QRect drawn = piece.adjusted(0, -kOverlap, 0, kOverlap);
    QImage image(QSize(static_cast<int>(std::ceil(drawn.width() * scale)),
                       static_cast<int>(std::ceil(drawn.height() * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return;
    // The style sees the device's pixel ratio, as it would drawing directly.
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
      QPainter piecePainter(&image);
      piecePainter.setRenderHints(painter->renderHints());
      piecePainter.translate(-drawn.topLeft());
      style->drawComplexControl(control, option, &piecePainter, widget);
    }
    const QPointF offset = QPointF(piece.topLeft() - drawn.topLeft()) * scale;
    painter->drawImage(QRectF(piece), image, QRectF(offset, QSizeF(piece.size()) * scale));
  }
}

QStyle::SubControl BandedScrollBarStyle::hitTestComplexControl(ComplexControl control,
                                                               const QStyleOptionComplex* option,
                                                               const QPoint& position,
                                                               const QWidget* widget) const {
  return styleFor(widget)->hitTestComplexControl(control, option, position, widget);
}

QRect BandedScrollBarStyle::subControlRect(ComplexControl control,
                                           const QStyleOptionComplex* option, SubControl subControl,
                                           const QWidget* widget) const {
  return styleFor(widget)->subControlRect(control, option, subControl, widget);
}

int BandedScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                      const QWidget* widget) const {
  return styleFor(widget)->pixelMetric(metric, option, widget);
}

QSize BandedScrollBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                             const QSize& size, const QWidget* widget) const {
  return styleFor(widget)->sizeFromContents(type, option, size, widget);
}

int BandedScrollBarStyle::styleHint(StyleHint hint, const QStyleOption* option,
                                    const QWidget* widget, QStyleHintReturn* returnData) const {
  return styleFor(widget)->styleHint(hint, option, widget, returnData);
}

QPixmap BandedScrollBarStyle::standardPixmap(StandardPixmap pixmap, const QStyleOption* option,
                                             const QWidget* widget) const {
  return styleFor(widget)->standardPixmap(pixmap, option, widget);
}

QIcon BandedScrollBarStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                         const QWidget* widget) const {
  return styleFor(widget)->standardIcon(icon, option, widget);
}

QPixmap BandedScrollBarStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                                  const QStyleOption* option) const {
  return QApplication::style()->generatedIconPixmap(mode, pixmap, option);
}

int BandedScrollBarStyle::layoutSpacing(QSizePolicy::ControlType control1,
                                        QSizePolicy::ControlType control2,
                                        Qt::Orientation orientation, const QStyleOption* option,
                                        const QWidget* widget) const {
  return styleFor(widget)->layoutSpacing(control1, control2, orientation, option, widget);
}

}  // namespace vorlent
