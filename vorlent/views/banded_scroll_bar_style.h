#pragma once

#include <QStyle>

namespace vorlent {

// Draws a scroll bar with the style it would have without this one (its
// parent's), a vertical one as tall as a view in bands of a few dozen device
// rows. Qt's raster engine hands every fill or line of more than about 95
// spans to its thread pool, and for the groove and edges along a scroll bar
// as tall as the view, waking the pool costs far more than the blending it
// shares out. The pixels stay the style's. Everything else is passed on
// unchanged.
class BandedScrollBarStyle : public QStyle {
  Q_OBJECT

 public:
  // One instance for all scroll bars, made on first use and kept while the
  // application lives.
  static BandedScrollBarStyle* instance();

  void polish(QWidget* widget) override;
  void unpolish(QWidget* widget) override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;
  SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   const QPoint& position,
                                   const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
  QPixmap standardPixmap(StandardPixmap pixmap, const QStyleOption* option = nullptr,
                         const QWidget* widget = nullptr) const override;
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
  QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                              const QStyleOption* option) const override;
  int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                    Qt::Orientation orientation, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

 private:
  BandedScrollBarStyle() = default;
  // The style the widget would draw with: its parent's, else the
  // application's.
  static QStyle* styleFor(const QWidget* widget);
};

}  // namespace vorlent
