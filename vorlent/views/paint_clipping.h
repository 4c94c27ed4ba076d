#pragma once

// Painting that is safe whatever geometry a controller or a host's drawing
// hook computed: coordinates far beyond the device overflow the raster
// engine's fixed-point arithmetic, a dash pattern along a line millions of
// points long takes forever, and a NaN poisons a whole path. Shapes are
// therefore cut to the part of the painter's space that can reach its
// device, widened by a margin that keeps cut edges (and the strokes along
// them) out of sight. Geometry that lies within that area is passed on
// untouched, so ordinary drawing is exactly Qt's. Shared by the chart's
// views; GUI thread only.

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTextOption>

#include <optional>
#include <vector>

class QPainter;
class QPen;

namespace vorlent::paint {

// Room kept around the visible area, in the painter's units: more than any
// stroke, corner radius or arrow head that draws at a sensible size.
inline constexpr double kMargin = 512;
// The widest pen drawn; wider ones are narrowed to it.
inline constexpr double kMaximumPenWidth = 256;

// The part of the painter's coordinate space that reaches its device (the
// clip's bounding rectangle while the painter clips), widened by `margin`.
// Empty when nothing can reach the device.
[[nodiscard]] QRectF reachableArea(const QPainter& painter, double margin = kMargin);

// --- Primitives ----------------------------------------------------------------
// Each first makes every value finite as the library's conversions do (a NaN
// becomes the greatest finite value).

// Fills `rect` (normalised) with `color` in the painter's composition mode;
// a tall fill is made in bands of whole device rows (the same pixels), so
// that Qt blends it on the painting thread.
void fillWithin(QPainter& painter, const QRectF& rect, const QColor& color);

// A solid line from p1 to p2 with flat ends and mitred joins, at
// `penWidth(lineWidth)`.
void strokeLineWithin(QPainter& painter, QPointF p1, QPointF p2, double lineWidth,
                      const QColor& color);

// The most characters of one text that the views lay out. Qt shapes a
// text whole before drawing any of it, and a host's megabyte note (worse,
// one of combining accents) takes seconds to shape at every paint and holds
// tens of megabytes laid out; no label shows that many characters.
inline constexpr qsizetype kMostLaidOutCharacters = 1000;

// `text` cut after kMostLaidOutCharacters UTF-16 units (never between the
// halves of a surrogate pair), with an ellipsis where it was cut; a shorter
// text comes back unchanged.
[[nodiscard]] QString cutForLayout(const QString& text);

// `text` laid out in `rect` by `option`, clipped to the rectangle, in the
// painter's current font and pen; nothing when the rectangle is out of
// sight. Qt places and clips text well by itself.
void drawTextWithin(QPainter& painter, const QRectF& rect, const QString& text,
                    const QTextOption& option);

// --- Geometry ------------------------------------------------------------------

// Whether every coordinate and extent is a number (infinities included).
[[nodiscard]] bool hasNoNaN(const QRectF& rect);
[[nodiscard]] bool hasNoNaN(const QPointF& point);

// `rect` (normalised) cut to `area`; std::nullopt when it has a NaN or lies
// wholly outside. Returned unchanged while it lies within.
[[nodiscard]] std::optional<QRectF> cutToArea(const QRectF& rect, const QRectF& area);

// A pen width to stroke with: 0 (and a negative or NaN width) is the
// cosmetic one-pixel pen; widths above kMaximumPenWidth are narrowed to it.
[[nodiscard]] double penWidth(double width);

// A solid pen of the given (already safe) width with square-free ends and
// mitred joins, the look of a plain stroked path.
[[nodiscard]] QPen solidPen(const QColor& color, double width);

// Makes `pen` dashed with equal dashes and gaps of `dashLength` points,
// starting `offset` points into the pattern. A dash length that is not a
// positive number leaves the pen solid.
void setDashes(QPen& pen, double dashLength, double offset = 0);

// One piece of a polyline left after cutting: its points, and how far along
// the whole polyline it starts (for dash phases).
struct PolylinePiece {
  QPolygonF points;
  double offset = 0;
};

// `polyline` cut to `area`. A polyline within the area comes back whole as
// one piece; otherwise each run of segments inside becomes a piece. Points
// with a NaN split the polyline there; infinite coordinates are first
// brought to a large finite range.
[[nodiscard]] std::vector<PolylinePiece> cutPolyline(const QPolygonF& polyline, const QRectF& area);

// A closed `polygon` cut to `area` (the parts outside replaced by the
// area's edges), or empty when it has a NaN or no part inside.
[[nodiscard]] QPolygonF cutPolygon(const QPolygonF& polygon, const QRectF& area);

// --- Paths ---------------------------------------------------------------------
// Qt takes neighbouring path points that agree to a relative 1e-12 for one
// point, which far out in a long document merges whole shapes (a milestone
// at 2^44 points). Paths are therefore built relative to an origin near the
// area drawn in and drawn with the painter moved there. Near the painter's
// own origin that origin is zero, and drawing is exactly Qt's.

// A path whose points are relative to `origin` in the painter's space.
struct Shape {
  QPainterPath path;
  QPointF origin;

  [[nodiscard]] QPointF local(const QPointF& point) const { return point - origin; }
  [[nodiscard]] QRectF local(const QRectF& rect) const { return rect.translated(-origin); }
};

// An empty shape to build within `area` (finite): its origin is zero near
// the painter's origin, else the area's centre in whole units.
[[nodiscard]] Shape shapeWithin(const QRectF& area);

// Fills or strokes `shape`; the brush (a colour or a linear gradient) is
// given in the painter's space. An empty shape draws nothing.
void fillShape(QPainter& painter, const Shape& shape, const QBrush& brush);
void strokeShape(QPainter& painter, const Shape& shape, const QPen& pen);

// The rounded rectangle of `rect` with `radius` in both directions
// (bounded to half the smaller side), cut to `area` first. Empty when
// nothing is left.
[[nodiscard]] Shape roundedRectangle(const QRectF& rect, double radius, const QRectF& area);

// The closed polygon through `points`, cut to `area`.
[[nodiscard]] Shape polygonPath(const QPolygonF& points, const QRectF& area);

// The open polyline through `points` (already cut to `area`).
[[nodiscard]] Shape polylinePath(const QPolygonF& points, const QRectF& area);

}  // namespace vorlent::paint
