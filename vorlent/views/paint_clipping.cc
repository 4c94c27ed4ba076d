#include "vorlent/views/paint_clipping.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "vorlent/views/conversions.h"

namespace vorlent::paint {

namespace {

// Shapes are cut in a frame centred on the area (see shapeWithin), and
// coordinates are brought into ±kFarAway of that centre before any arithmetic, so that
// differences and products stay finite; a point that far is off any device
// by many orders of magnitude, and the error this makes in the direction of
// a segment reaching into the visible area is far below a pixel. Centring
// keeps the cut as exact far out in the painter's space (a long document
// drawn in its own coordinates) as near its origin.
constexpr double kFarAway = 1e12;

// The longest dash or gap, in points; longer ones draw the same on screen.
constexpr double kLongestDash = 1e6;

// The most spans (device rows of one run of pixels) a fill may have and
// still be blended on the painting thread: Qt's raster engine splits a
// fill into pieces of 64 spans for its thread pool, from 96 spans on.
constexpr double kSingleThreadedFillRows = 90;

double nearby(double value) { return std::clamp(value, -kFarAway, kFarAway); }

// The painter's coordinates around the origin of the shapes drawn within
// an area to cut to (zero near the painter's origin, where cutting is as it
// always was). A point's offset from an origin near it is exact, so points
// inside the area come back out unchanged.
class CutFrame {
 public:
  explicit CutFrame(const QRectF& area)
      : centre_(shapeWithin(area).origin), area_(area.translated(-centre_)) {}

  // The area to cut to, in this frame.
  [[nodiscard]] const QRectF& area() const { return area_; }
  // `point` (no NaN) in this frame, within ±kFarAway.
  [[nodiscard]] QPointF into(const QPointF& point) const {
    return QPointF(nearby(point.x() - centre_.x()), nearby(point.y() - centre_.y()));
  }
  [[nodiscard]] QPointF outOf(const QPointF& point) const { return point + centre_; }

 private:
  QPointF centre_;
  QRectF area_;
};

// As the library's conversions make values finite: a NaN becomes the
// greatest finite value, an infinity the greatest of its sign.
QRectF finite(const QRectF& rect) { return toQt(fromQt(rect)); }
QPointF finite(const QPointF& point) { return toQt(fromQt(point)); }

bool contains(const QRectF& area, const QPointF& point) {
  return point.x() >= area.left() && point.x() <= area.right() && point.y() >= area.top() &&
         point.y() <= area.bottom();
}

bool anyHasNaN(const QPolygonF& points) {
  return std::any_of(points.cbegin(), points.cend(),
                     [](const QPointF& point) { return !hasNoNaN(point); });
}

bool containsAll(const QRectF& area, const QPolygonF& points) {
  return std::all_of(points.cbegin(), points.cend(),
                     [&](const QPointF& point) { return contains(area, point); });
}

// Liang-Barsky: the parameters [t0, t1] of the part of a→b inside `area`, or
// false when no part is inside. Both points are nearby (finite, bounded).
bool clipSegment(const QPointF& a, const QPointF& b, const QRectF& area, double& t0, double& t1) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  const std::array<double, 4> p{-dx, dx, -dy, dy};
  const std::array<double, 4> q{a.x() - area.left(), area.right() - a.x(), a.y() - area.top(),
                                area.bottom() - a.y()};
  t0 = 0;
  t1 = 1;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

enum class Edge { left, right, top, bottom };

bool inside(const QPointF& point, Edge edge, const QRectF& area) {
  switch (edge) {
    case Edge::left:
      return point.x() >= area.left();
    case Edge::right:
      return point.x() <= area.right();
    case Edge::top:
      return point.y() >= area.top();
    case Edge::bottom:
      return point.y() <= area.bottom();
  }
  return true;
}

// Where a→b crosses the line of `edge` (a and b lie on different sides).
QPointF crossing(const QPointF& a, const QPointF& b, Edge edge, const QRectF& area) {
  if (edge == Edge::left || edge == Edge::right) {
    const double x = edge == Edge::left ? area.left() : area.right();
    const double t = (x - a.x()) / (b.x() - a.x());
    return QPointF(x, a.y() + t * (b.y() - a.y()));
  }
  const double y = edge == Edge::top ? area.top() : area.bottom();
  const double t = (y - a.y()) / (b.y() - a.y());
  return QPointF(a.x() + t * (b.x() - a.x()), y);
}

// One Sutherland-Hodgman pass.
QPolygonF cutAlong(const QPolygonF& polygon, Edge edge, const QRectF& area) {
  QPolygonF result;
  const qsizetype count = polygon.size();
  for (qsizetype i = 0; i < count; ++i) {
    const QPointF& current = polygon.at(i);
    const QPointF& previous = polygon.at((i + count - 1) % count);
    const bool currentInside = inside(current, edge, area);
    if (currentInside != inside(previous, edge, area)) {
      result.append(crossing(previous, current, edge, area));
    }
    if (currentInside) result.append(current);
  }
  return result;
}

bool isZero(const QPointF& point) { return point.x() == 0 && point.y() == 0; }

// `brush` for a painter moved to `origin`: a linear gradient is moved the
// other way (its arithmetic stays near zero too), any other brush pattern
// is transformed back.
QBrush movedBrush(const QBrush& brush, const QPointF& origin) {
  if (brush.style() == Qt::SolidPattern || brush.style() == Qt::NoBrush) return brush;
  if (brush.style() == Qt::LinearGradientPattern) {
    QLinearGradient gradient(*static_cast<const QLinearGradient*>(brush.gradient()));
    gradient.setStart(gradient.start() - origin);
    gradient.setFinalStop(gradient.finalStop() - origin);
    return QBrush(gradient);
  }
  QBrush moved = brush;
  moved.setTransform(brush.transform() * QTransform::fromTranslate(-origin.x(), -origin.y()));
  return moved;
}

// Calls `draw` with the painter moved to `origin`.
template <class Draw>
void drawAt(QPainter& painter, const QPointF& origin, Draw draw) {
  if (isZero(origin)) {
    draw();
    return;
  }
  painter.save();
  painter.translate(origin);
  draw();
  painter.restore();
}

}  // namespace

QRectF reachableArea(const QPainter& painter, double margin) {
  QRectF area;
  if (painter.hasClipping()) {
    area = painter.clipBoundingRect();
  } else if (const QPaintDevice* device = painter.device()) {
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!invertible) return {};
    area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
  }
  if (area.isEmpty()) return {};
  return area.adjusted(-margin, -margin, margin, margin);
}

void fillWithin(QPainter& painter, const QRectF& rect, const QColor& color) {
  const QRectF visible = finite(rect).normalized().intersected(reachableArea(painter));
  if (visible.isEmpty()) return;
  // Qt's raster engine hands a fill of more than about 95 spans (a span is
  // a run of pixels on one device row) to its thread pool, and for the fills
  // a chart makes (a column of a few dozen pixels as tall as the view)
  // waking the pool costs far more than it saves. The fill is therefore
  // made in bands short enough to stay on this thread. The bands meet on
  // whole device rows, so every pixel is covered by exactly one of them and
  // blended exactly as by one fill.
  const QTransform& toDevice = painter.deviceTransform();
  if (toDevice.type() > QTransform::TxScale || !(toDevice.m22() > 0)) {
    painter.fillRect(visible, color);
    return;
  }
  const double scale = toDevice.m22();
  const double shift = toDevice.dy();
  // Only the rows the device can show are cut into bands.
  const QRectF rows = visible.intersected(reachableArea(painter, 0));
  const double top = rows.top() * scale + shift;
  const double bottom = rows.bottom() * scale + shift;
  // An edge within a device pixel adds a partly covered span on each row.
  const double left = rows.left() * toDevice.m11() + toDevice.dx();
  const double right = rows.right() * toDevice.m11() + toDevice.dx();
  const bool aligned = left == std::floor(left) && right == std::floor(right);
  const double bandRows = aligned ? kSingleThreadedFillRows : kSingleThreadedFillRows / 3;
  if (rows.isEmpty() || !(bottom - top > bandRows)) {
    painter.fillRect(visible, color);
    return;
  }
  // The first and the last band keep the fill's own edges: what lies
  // beyond the device or the clip is cut there as before.
  double bandTop = visible.top();
  for (double row = std::floor(top / bandRows) + 1;; ++row) {
    const double deviceBottom = row * bandRows;
    const bool last = !(deviceBottom < bottom);
    const double bandBottom = last ? visible.bottom() : (deviceBottom - shift) / scale;
    painter.fillRect(QRectF(QPointF(visible.left(), bandTop), QPointF(visible.right(), bandBottom)),
                     color);
    if (last) return;
    bandTop = bandBottom;
  }
}

void strokeLineWithin(QPainter& painter, QPointF p1, QPointF p2, double lineWidth,
                      const QColor& color) {
  const double width = penWidth(lineWidth);
  const QRectF area = reachableArea(painter, kMargin + width);
  if (area.isEmpty()) return;
  const CutFrame frame(area);
  const QPointF a = frame.into(finite(p1));
  const QPointF b = frame.into(finite(p2));
  double t0 = 0;
  double t1 = 1;
  if (!clipSegment(a, b, frame.area(), t0, t1)) return;
  // Ends inside the area are kept exactly.
  const QPointF start = t0 > 0 ? frame.outOf(a + (b - a) * t0) : finite(p1);
  const QPointF end = t1 < 1 ? frame.outOf(a + (b - a) * t1) : finite(p2);
  const Shape near = shapeWithin(area);
  painter.setPen(solidPen(color, width));
  drawAt(painter, near.origin,
         [&] { painter.drawLine(QLineF(near.local(start), near.local(end))); });
}

QString cutForLayout(const QString& text) {
  if (text.size() <= kMostLaidOutCharacters) return text;
  qsizetype kept = kMostLaidOutCharacters;
  if (text.at(kept - 1).isHighSurrogate()) --kept;
  QString cut = text.left(kept);
  cut.append(QChar(0x2026));
  return cut;
}

void drawTextWithin(QPainter& painter, const QRectF& rect, const QString& text,
                    const QTextOption& option) {
  if (text.isEmpty()) return;
  const QRectF box = finite(rect);
  if (!box.intersects(reachableArea(painter))) return;
  painter.drawText(box, text, option);
}

bool hasNoNaN(const QRectF& rect) {
  return !std::isnan(rect.x()) && !std::isnan(rect.y()) && !std::isnan(rect.width()) &&
         !std::isnan(rect.height());
}

bool hasNoNaN(const QPointF& point) { return !std::isnan(point.x()) && !std::isnan(point.y()); }

std::optional<QRectF> cutToArea(const QRectF& rect, const QRectF& area) {
  if (!hasNoNaN(rect) || area.isEmpty()) return std::nullopt;
  const QRectF normal = rect.normalized();
  // -infinity plus +infinity: a rectangle over everything.
  const auto far = [](double start, double extent) {
    const double end = start + extent;
    return std::isnan(end) ? std::numeric_limits<double>::infinity() : end;
  };
  const double right = far(normal.x(), normal.width());
  const double bottom = far(normal.y(), normal.height());
  if (normal.x() >= area.left() && right <= area.right() && normal.y() >= area.top() &&
      bottom <= area.bottom()) {
    return normal;
  }
  const double left = std::max(normal.x(), area.left());
  const double top = std::max(normal.y(), area.top());
  const double cutRight = std::min(right, area.right());
  const double cutBottom = std::min(bottom, area.bottom());
  if (left > cutRight || top > cutBottom) return std::nullopt;
  return QRectF(QPointF(left, top), QPointF(cutRight, cutBottom));
}

double penWidth(double width) { return width > 0 ? std::min(width, kMaximumPenWidth) : 0; }

QPen solidPen(const QColor& color, double width) {
  QPen pen(QBrush(color), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  pen.setMiterLimit(10);  // a plain stroked path's limit
  return pen;
}

void setDashes(QPen& pen, double dashLength, double offset) {
  if (!(dashLength > 0)) return;
  // Qt measures dash patterns in pen widths, counting a width below one
  // (the cosmetic pen too) as one.
  const double unit = std::max(pen.widthF(), 1.0);
  const double dash = std::min(dashLength, kLongestDash) / unit;
  pen.setDashPattern({dash, dash});
  const double phase = std::isfinite(offset) ? std::fmod(offset, 2 * dashLength) : 0;
  pen.setDashOffset(phase / unit);
}

std::vector<PolylinePiece> cutPolyline(const QPolygonF& polyline, const QRectF& area) {
  std::vector<PolylinePiece> pieces;
  if (polyline.size() < 2 || area.isEmpty()) return pieces;
  if (!anyHasNaN(polyline) && containsAll(area, polyline)) {
    pieces.push_back({polyline, 0});
    return pieces;
  }
  const CutFrame frame(area);
  double travelled = 0;
  bool continuing = false;  // the last piece ends where the next segment starts
  for (qsizetype i = 1; i < polyline.size(); ++i) {
    const QPointF& rawA = polyline.at(i - 1);
    const QPointF& rawB = polyline.at(i);
    if (!hasNoNaN(rawA) || !hasNoNaN(rawB)) {
      continuing = false;
      continue;
    }
    const QPointF a = frame.into(rawA);
    const QPointF b = frame.into(rawB);
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    double t0 = 0;
    double t1 = 1;
    if (!clipSegment(a, b, frame.area(), t0, t1)) {
      continuing = false;
      travelled += length;
      continue;
    }
    const QPointF start = frame.outOf(a + (b - a) * t0);
    const QPointF end = frame.outOf(a + (b - a) * t1);
    if (!continuing || t0 > 0) {
      pieces.push_back({QPolygonF{start}, travelled + length * t0});
    }
    pieces.back().points.append(end);
    continuing = t1 >= 1;
    travelled += length;
  }
  return pieces;
}

QPolygonF cutPolygon(const QPolygonF& polygon, const QRectF& area) {
  if (polygon.isEmpty() || area.isEmpty()) return QPolygonF();
  if (anyHasNaN(polygon)) return QPolygonF();
  if (containsAll(area, polygon)) return polygon;
  const CutFrame frame(area);
  QPolygonF result;
  result.reserve(polygon.size());
  for (const QPointF& point : polygon) result.append(frame.into(point));
  for (const Edge edge : {Edge::left, Edge::right, Edge::top, Edge::bottom}) {
    result = cutAlong(result, edge, frame.area());
    if (result.isEmpty()) break;
  }
  for (QPointF& point : result) point = frame.outOf(point);
  return result;
}

Shape shapeWithin(const QRectF& area) {
  // Within this distance of the painter's origin, Qt's merging of path
  // points is far below a device pixel.
  constexpr double kNearOrigin = 1 << 24;
  const QPointF centre = area.center();
  if (!(std::abs(centre.x()) > kNearOrigin || std::abs(centre.y()) > kNearOrigin)) return {};
  if (!std::isfinite(centre.x()) || !std::isfinite(centre.y())) return {};
  return Shape{QPainterPath(), QPointF(std::round(centre.x()), std::round(centre.y()))};
}

void fillShape(QPainter& painter, const Shape& shape, const QBrush& brush) {
  if (shape.path.isEmpty()) return;
  const QBrush moved = movedBrush(brush, shape.origin);
  drawAt(painter, shape.origin, [&] { painter.fillPath(shape.path, moved); });
}

void strokeShape(QPainter& painter, const Shape& shape, const QPen& pen) {
  if (shape.path.isEmpty()) return;
  drawAt(painter, shape.origin, [&] { painter.strokePath(shape.path, pen); });
}

Shape roundedRectangle(const QRectF& rect, double radius, const QRectF& area) {
  Shape shape = shapeWithin(area);
  const std::optional<QRectF> cut = cutToArea(rect, area);
  if (!cut) return shape;
  // The radius the whole rectangle would have, so visible corners keep it.
  const QRectF whole = rect.normalized();
  double r = std::isnan(radius) ? 0 : std::max(radius, 0.0);
  r = std::min({r, whole.width() / 2, whole.height() / 2, kMargin});
  shape.path.setFillRule(Qt::WindingFill);
  if (r > 0) {
    shape.path.addRoundedRect(shape.local(*cut), r, r);
  } else {
    shape.path.addRect(shape.local(*cut));
  }
  return shape;
}

Shape polygonPath(const QPolygonF& points, const QRectF& area) {
  Shape shape = shapeWithin(area);
  const QPolygonF cut = cutPolygon(points, area);
  if (cut.size() < 2) return shape;
  // Non-zero winding, the rule of a plain path: a shape that crosses itself
  // (a summary whose tips overlap) is filled where its parts overlap.
  shape.path.setFillRule(Qt::WindingFill);
  shape.path.addPolygon(cut.translated(-shape.origin));
  shape.path.closeSubpath();
  return shape;
}

Shape polylinePath(const QPolygonF& points, const QRectF& area) {
  Shape shape = shapeWithin(area);
  shape.path.addPolygon(points.translated(-shape.origin));
  return shape;
}

}  // namespace vorlent::paint
