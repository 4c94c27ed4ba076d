#pragma once

// Conversions between the library's drawing values and Qt's, in both
// directions. Towards Qt, values are made safe for the painter: non-finite
// coordinates and sizes are clamped, colour components are brought into
// 0...1, and a font always names a family Qt has. From Qt, values are copied
// as they are (a rectangle is normalised, as every Rectangle is).
//
// Points and rectangles convert inline without allocating. Every conversion
// also has an optional form (the templates at the end): std::nullopt gives
// std::nullopt, anything else the plain conversion. GUI thread only; the
// font conversion needs a QGuiApplication.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "vorlent/graphics/color.h"
#include "vorlent/graphics/cursor.h"
#include "vorlent/graphics/font.h"
#include "vorlent/graphics/mode.h"
#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"
#include "vorlent/graphics/text_alignment.h"

namespace vorlent {

namespace detail {

inline constexpr double kGreatestFinite = std::numeric_limits<double>::max();

// Into [-greatest finite, greatest finite]; NaN becomes the greatest finite.
inline double finiteCoordinate(double value) {
  return std::isnan(value) ? kGreatestFinite : std::clamp(value, -kGreatestFinite, kGreatestFinite);
}

// Into [0, greatest finite]; NaN becomes the greatest finite.
inline double finiteLength(double value) {
  return std::isnan(value) ? kGreatestFinite : std::clamp(value, 0.0, kGreatestFinite);
}

}  // namespace detail

// --- Geometry --------------------------------------------------------------

// Each coordinate clamped into the finite range (NaN: the greatest finite).
inline QPointF toQt(const Point& point) {
  return QPointF(detail::finiteCoordinate(point.x), detail::finiteCoordinate(point.y));
}

// Each length clamped into [0, greatest finite] (NaN: the greatest finite).
inline QSizeF toQt(const Size& size) {
  return QSizeF(detail::finiteLength(size.width), detail::finiteLength(size.height));
}

// The origin as a point and the size as a size, so a negative size stored in
// the fields directly becomes 0.
inline QRectF toQt(const Rectangle& rectangle) {
  return QRectF(toQt(rectangle.origin), toQt(rectangle.size));
}

// Point by point, in order.
QPolygonF toQt(const std::vector<Point>& points);

inline Point fromQt(const QPointF& point) { return Point{point.x(), point.y()}; }

inline Size fromQt(const QSizeF& size) { return Size{size.width(), size.height()}; }

// Normalised: a rectangle of negative width or height keeps its area, the
// origin moving to the smaller edge ((10, 20) sized (-4, 6) gives (6, 20)
// sized (4, 6)).
inline Rectangle fromQt(const QRectF& rectangle) {
  return Rectangle(rectangle.x(), rectangle.y(), rectangle.width(), rectangle.height());
}

// Point by point, in order.
std::vector<Point> fromQt(const QPolygonF& points);

// --- Colours ---------------------------------------------------------------

// The components clamped into 0...1 (NaN: 0), so Qt never receives an
// invalid colour.
QColor toQt(const Color& color);

// The colour's red, green, blue and alpha as Qt reads them (a colour given
// in another model is read in RGB).
Color fromQt(const QColor& color);

// --- Text ------------------------------------------------------------------

// Left, centred or right, horizontally only.
Qt::Alignment toQt(TextAlignment alignment);

// Centred when the alignment centres horizontally, right when it aligns
// right, left otherwise (left, justified, leading, none).
TextAlignment fromQt(Qt::Alignment alignment);
// A single flag, which would otherwise read as ambiguous between an
// alignment and a QColor's packed RGB value.
inline TextAlignment fromQt(Qt::AlignmentFlag alignment) {
  return fromQt(Qt::Alignment(alignment));
}

// The application font with the requested family and point size. A missing
// name, or one no installed family answers to, keeps the application's
// family; a missing size, or one that is not a positive finite number, keeps
// its size; sizes above `kMaximumFontPointSize` are lowered to it.
QFont toQt(const Font& font);
inline constexpr double kMaximumFontPointSize = 4096;

// --- Cursors and appearance ------------------------------------------------

// Open hand, closed hand, horizontal resize (for both resize cases) and
// pointing hand.
QCursor qtCursor(Cursor cursor);

// Dark when the palette's window colour has a lightness below one half.
Mode fromQt(const QPalette& palette);

// --- Optional forms --------------------------------------------------------

template <typename T>
auto toQt(const std::optional<T>& value) -> std::optional<decltype(toQt(*value))> {
  if (!value) return std::nullopt;
  return toQt(*value);
}

template <typename T>
auto fromQt(const std::optional<T>& value) -> std::optional<decltype(fromQt(*value))> {
  if (!value) return std::nullopt;
  return fromQt(*value);
}

}  // namespace vorlent
