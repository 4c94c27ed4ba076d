#include "vorlent/views/header_painting.h"

#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>

#include "vorlent/views/conversions.h"

namespace vorlent::detail {

namespace {

// Coordinates beyond this are brought to it before a line is cut, so that
// the differences the cut computes stay finite. Nothing drawn reaches that
// far, and an axis-aligned line keeps its direction exactly.
constexpr double kFarCoordinate = 1e15;

QRectF finite(const QRectF& rect) { return toQt(fromQt(rect)); }

QPointF nearEnough(const QPointF& point) {
  const QPointF finitePoint = toQt(fromQt(point));
  return QPointF(std::clamp(finitePoint.x(), -kFarCoordinate, kFarCoordinate),
                 std::clamp(finitePoint.y(), -kFarCoordinate, kFarCoordinate));
}

// Cuts the segment to `area` (Liang-Barsky): false when no part of it is
// inside. Ends inside the area are kept exactly.
bool cutSegment(QPointF& p1, QPointF& p2, const QRectF& area) {
  const QPointF start = p1;
  const QPointF delta = p2 - p1;
  double enter = 0;
  double leave = 1;
  // Keeps the parameters t with p·t <= q.
  const auto bound = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
    return enter <= leave;
  };
  if (!bound(-delta.x(), start.x() - area.left()) || !bound(delta.x(), area.right() - start.x()) ||
      !bound(-delta.y(), start.y() - area.top()) || !bound(delta.y(), area.bottom() - start.y())) {
    return false;
  }
  if (leave < 1) p2 = start + delta * leave;
  if (enter > 0) p1 = start + delta * enter;
  return true;
}

}  // namespace

QRectF paintableArea(const QPainter& painter, double margin) {
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
  const QRectF visible = finite(rect).intersected(paintableArea(painter));
  if (visible.isEmpty()) return;
  painter.fillRect(visible, color);
}

void strokeLineWithin(QPainter& painter, QPointF p1, QPointF p2, double lineWidth,
                      const QColor& color) {
  const double width = lineWidth > 0 ? std::min(lineWidth, kMaximumLineWidth) : 0;
  p1 = nearEnough(p1);
  p2 = nearEnough(p2);
  const QRectF area = paintableArea(painter, kPaintMargin + width);
  if (area.isEmpty() || !cutSegment(p1, p2, area)) return;
  QPen pen(color, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawLine(QLineF(p1, p2));
}

void drawTextWithin(QPainter& painter, const QRectF& rect, const QString& text,
                    const QTextOption& option) {
  if (text.isEmpty()) return;
  const QRectF area = paintableArea(painter);
  const QRectF box = finite(rect);
  if (!box.intersects(area)) return;
  painter.drawText(box, text, option);
}

}  // namespace vorlent::detail
