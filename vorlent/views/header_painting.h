#pragma once

// The header view's painting primitives: a fill, a straight line and a text
// in a rectangle, each safe to call with whatever geometry a controller or a
// subclass's hook computed. Every value is first made finite as the
// library's conversions make it (a NaN becomes the greatest finite value).
// Fills and lines are then cut to the part of the painter's space that
// reaches its device, widened by a margin: Qt's raster engine works in
// integer and fixed-point pixels, and drops or smears a shape whose
// coordinates lie beyond what those hold. Shapes inside that area reach Qt
// untouched; text Qt places and clips well by itself.

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextOption>

class QPainter;

namespace vorlent::detail {

// Room kept around the area that reaches the device, in the painter's
// units, so that cut edges stay out of sight.
inline constexpr double kPaintMargin = 64;
// The widest line drawn; wider ones are narrowed to it.
inline constexpr double kMaximumLineWidth = 1024;

// The part of the painter's coordinate space that reaches its device (the
// clip's bounding rectangle while the painter clips), widened by `margin`.
// Empty when nothing can reach the device.
[[nodiscard]] QRectF paintableArea(const QPainter& painter, double margin = kPaintMargin);

// Fills `rect` (normalised; NaN and infinite values clamped as the library's
// conversions clamp them) with `color` in the painter's composition mode.
void fillWithin(QPainter& painter, const QRectF& rect, const QColor& color);

// A solid line from p1 to p2 with flat ends and mitred joins. A width of 0
// (or a negative or NaN one) is the cosmetic one-pixel pen.
void strokeLineWithin(QPainter& painter, QPointF p1, QPointF p2, double lineWidth,
                      const QColor& color);

// `text` laid out in `rect` by `option`, clipped to the rectangle, in the
// painter's current font and pen; nothing when the rectangle is out of
// sight.
void drawTextWithin(QPainter& painter, const QRectF& rect, const QString& text,
                    const QTextOption& option);

}  // namespace vorlent::detail
