#include "vorlent/views/standard_scroll_view.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "vorlent/views/banded_scroll_bar_style.h"

namespace vorlent {

namespace {

// Lengths and edges computed from times carry rounding errors far below a
// pixel; within this distance of a whole pixel they count as on it, so that
// rounding up or down does not turn an error into a pixel (a header would
// then stand a pixel beside the chart it follows).
constexpr double kPixelTolerance = 1.0 / 1024;

// How far the document reaches past the viewport on one axis, rounded up so
// that a fractional last pixel can be scrolled into view; 0 when it does not.
int maximumOffset(double documentLength, int viewportLength) {
  // Below 2^30 + 1.
  const double overhang = std::ceil(documentLength - viewportLength - kPixelTolerance);
  return overhang > 0 ? static_cast<int>(overhang) : 0;
}

enum class Rounding { nearest, down, up };

// `value` (finite or infinite, not NaN) as an offset in [0, maximum].
int offsetFor(double value, Rounding rounding, int maximum) {
  const double top = maximum;
  const double clamped = std::clamp(value, 0.0, top);
  switch (rounding) {
    case Rounding::down:
      return static_cast<int>(std::floor(std::min(clamped + kPixelTolerance, top)));
    case Rounding::up:
      return static_cast<int>(std::ceil(std::max(clamped - kPixelTolerance, 0.0)));
    case Rounding::nearest:
      break;
  }
  return static_cast<int>(std::round(clamped));
}

// The offset on one axis that shows [start, start + length] with the least
// movement from `offset`, where `extent` pixels are visible and each step of
// the offset moves the document by `scale` pixels. A span that whole steps
// cannot show entire (one as long as the extent that starts between two
// of them) is shown from its start, as a longer one is: aligning its end
// instead would hide its start, and the next request for the same span
// would move back.
int offsetShowing(double start, double length, int offset, int extent, int maximum,
                  double scale) {
  const int fromStart = offsetFor(start / scale, Rounding::down, maximum);
  const double shownFrom = offset * scale;
  if (length > extent || start < shownFrom) return fromStart;
  if (start + length > shownFrom + extent) {
    return std::min(offsetFor((start + length - extent) / scale, Rounding::up, maximum),
                    fromStart);
  }
  return offset;
}

void configure(QScrollBar* bar, double documentLength, int viewportLength) {
  bar->setSingleStep(StandardScrollView::kLineStep);
  bar->setPageStep(std::max(1, viewportLength));
  const double range = std::min(documentLength, StandardScrollView::kMaximumDocumentLength);
  bar->setRange(0, maximumOffset(range, viewportLength));
}

// Document pixels per step of `bar`, whose viewport shows `extent` of a
// document `length` long: a document longer than the scroll range is spread
// over it so that the last step shows its end.
double scaleOf(const QScrollBar* bar, double length, int extent) {
  if (length <= StandardScrollView::kMaximumDocumentLength || bar->maximum() <= 0) return 1;
  return (length - extent) / bar->maximum();
}

bool isFinite(const QRectF& rect) {
  return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width()) &&
         std::isfinite(rect.height());
}

}  // namespace

class StandardScrollView::Batch {
 public:
  explicit Batch(StandardScrollView& view) : view_(view) { ++view_.batchDepth_; }
  ~Batch() {
    if (--view_.batchDepth_ == 0) view_.publishVisibleRect();
  }
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

 private:
  StandardScrollView& view_;
};

StandardScrollView::StandardScrollView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  // A scroll bar as tall as the view paints without Qt's thread pool.
  verticalScrollBar()->setStyle(BandedScrollBarStyle::instance());
  watchScrollBar(horizontalScrollBar());
  watchScrollBar(verticalScrollBar());
  publishedVisibleRect_ = documentVisibleRect();
  updateScrollBars();
}

void StandardScrollView::watchScrollBar(QScrollBar* bar) {
  // A scroll bar announces every user action (a drag of its slider, a click
  // on its arrows or groove, a wheel over it, a key of the area) before it
  // applies the action's value, and code that sets the value directly makes
  // no action. The value change that follows is therefore the user's.
  connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar] {
    if (bar->sliderPosition() != bar->value()) liveScrollPending_ = true;
  });
}

void StandardScrollView::setCanvas(QWidget* canvas) {
  setViewport(canvas);
  updateScrollBars();
}

StandardScrollView* StandardScrollView::forCanvas(const QWidget* widget) {
  if (widget == nullptr) return nullptr;
  auto* view = qobject_cast<StandardScrollView*>(widget->parentWidget());
  return view != nullptr && view->viewport() == widget ? view : nullptr;
}

void StandardScrollView::setDocumentSize(const QSizeF& size) {
  if (std::isnan(size.width()) || std::isnan(size.height())) return;
  const auto length = [](double wanted) {
    if (std::isinf(wanted)) return wanted > 0 ? kMaximumDocumentLength : 0.0;
    return std::clamp(wanted, 0.0, kLongestMappedDocument);
  };
  documentSize_ = QSizeF(length(size.width()), length(size.height()));
  updateScrollBars();
}

QPointF StandardScrollView::documentScale() const {
  const QSize extent = viewport()->size();
  return QPointF(scaleOf(horizontalScrollBar(), documentSize_.width(), extent.width()),
                 scaleOf(verticalScrollBar(), documentSize_.height(), extent.height()));
}

QRectF StandardScrollView::documentVisibleRect() const {
  const QPoint offset = scrollOffset();
  const QPointF scale = documentScale();
  return QRectF(QPointF(offset.x() * scale.x(), offset.y() * scale.y()), viewport()->size());
}

QPoint StandardScrollView::scrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void StandardScrollView::scrollToPoint(const QPointF& point) {
  const QPoint current = scrollOffset();
  const QPointF scale = documentScale();
  const QPoint target(std::isnan(point.x()) ? current.x()
                                            : offsetFor(point.x() / scale.x(), Rounding::nearest,
                                                        horizontalScrollBar()->maximum()),
                      std::isnan(point.y()) ? current.y()
                                            : offsetFor(point.y() / scale.y(), Rounding::nearest,
                                                        verticalScrollBar()->maximum()));
  moveTo(target, false);
}

bool StandardScrollView::scrollRectToVisible(const QRectF& rect) {
  if (!isFinite(rect)) return false;
  const QRectF wanted = rect.normalized();
  const QPoint current = scrollOffset();
  const QSize extent = viewport()->size();
  const QPointF scale = documentScale();
  const QPoint target(offsetShowing(wanted.x(), wanted.width(), current.x(), extent.width(),
                                    horizontalScrollBar()->maximum(), scale.x()),
                      offsetShowing(wanted.y(), wanted.height(), current.y(), extent.height(),
                                    verticalScrollBar()->maximum(), scale.y()));
  return moveTo(target, false);
}

void StandardScrollView::setHasVerticalScroller(bool has) {
  setVerticalScrollBarPolicy(has ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void StandardScrollView::setHasHorizontalScroller(bool has) {
  setHorizontalScrollBarPolicy(has ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool StandardScrollView::hasVerticalScroller() const {
  return verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

bool StandardScrollView::hasHorizontalScroller() const {
  return horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void StandardScrollView::setTrailingMargin(int width) {
  const int margin = std::max(width, 0);
  if (margin == trailingMargin_) return;
  trailingMargin_ = margin;
  applyTrailingMargin();
}

void StandardScrollView::applyTrailingMargin() {
  // Qt keeps viewport margins where they are given, whatever the layout
  // direction, while it moves the vertical bar to the left in a right to
  // left layout: the margin goes where the bar goes. Setting them lays a
  // shown view out at once; a hidden one is laid out when shown.
  if (isRightToLeft()) {
    setViewportMargins(trailingMargin_, 0, 0, 0);
  } else {
    setViewportMargins(0, 0, trailingMargin_, 0);
  }
  placeTrailingFiller();
}

void StandardScrollView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::LayoutDirectionChange && trailingMargin_ > 0) applyTrailingMargin();
}

void StandardScrollView::setTrailingFiller(QWidget* filler) {
  if (filler == trailingFiller_) return;
  delete trailingFiller_.data();
  trailingFiller_ = filler;
  if (filler != nullptr) filler->setParent(this);
  placeTrailingFiller();
}

void StandardScrollView::placeTrailingFiller() {
  if (trailingFiller_ == nullptr) return;
  const QRect area = viewport()->geometry();
  const int x = isRightToLeft() ? area.left() - trailingMargin_ : area.right() + 1;
  trailingFiller_->setGeometry(x, area.top(), trailingMargin_, area.height());
  trailingFiller_->setVisible(trailingMargin_ > 0);
}

QPointF StandardScrollView::documentPoint(const QPointF& viewportPoint) const {
  return viewportPoint + documentVisibleRect().topLeft();
}

QPointF StandardScrollView::viewportPoint(const QPointF& documentPoint) const {
  return documentPoint - documentVisibleRect().topLeft();
}

QRectF StandardScrollView::translateToDocument(QPainter& painter, const QRect& exposedRect) const {
  const QPointF offset = documentVisibleRect().topLeft();
  painter.translate(-offset);
  return QRectF(exposedRect).translated(offset);
}

bool StandardScrollView::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
      placeTrailingFiller();
      if (event->type() == QEvent::Resize) updateScrollBars();
      return false;
    // The canvas handles these itself; QAbstractScrollArea would take them
    // for the area and keep them from the canvas.
    case QEvent::Paint:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
      return false;
    default:
      return QAbstractScrollArea::viewportEvent(event);  // the wheel reaches wheelEvent
  }
}

void StandardScrollView::scrollContentsBy(int dx, int dy) {
  // What the canvas shows moves with the document: Qt moves the pixels
  // already painted (the canvas is opaque) and has the canvas paint only the
  // strip that came into view. A move of a whole viewport or more paints it
  // all.
  QWidget* canvas = viewport();
  // On a mapped axis the document moves by more than the bar did.
  const QPointF scale = documentScale();
  const bool mapped = (dx != 0 && scale.x() != 1) || (dy != 0 && scale.y() != 1);
  if (!mapped && std::abs(dx) < canvas->width() && std::abs(dy) < canvas->height()) {
    canvas->scroll(dx, dy);
  } else {
    canvas->update();
  }
  publishVisibleRect();
}

void StandardScrollView::wheelEvent(QWheelEvent* event) {
  // How far the document should move under the pointer, in points.
  QPointF delta = event->pixelDelta();
  if (delta.isNull()) {
    const int linesPerNotch = QGuiApplication::styleHints()->wheelScrollLines();
    delta = QPointF(event->angleDelta()) / 120.0 * (linesPerNotch * kLineStep);
  }
  if ((event->modifiers() & Qt::ShiftModifier) != 0 && delta.x() == 0) {
    delta = QPointF(delta.y(), 0);
  }
  // The offset moves against the document; fractions of a pixel wait for
  // the next event, so a fine wheel loses no distance.
  const QPointF wanted = wheelRemainder_ - delta;
  const QPointF whole(std::trunc(wanted.x()), std::trunc(wanted.y()));
  wheelRemainder_ = wanted - whole;

  const QPoint current = scrollOffset();
  const double wantedX = current.x() + whole.x();
  const double wantedY = current.y() + whole.y();
  const QPoint target(offsetFor(wantedX, Rounding::nearest, horizontalScrollBar()->maximum()),
                      offsetFor(wantedY, Rounding::nearest, verticalScrollBar()->maximum()));
  // At an end the remainder is dropped, so turning back moves at once.
  if (target.x() != wantedX) wheelRemainder_.setX(0);
  if (target.y() != wantedY) wheelRemainder_.setY(0);
  const bool absorbed = whole.isNull() && !wheelRemainder_.isNull();
  event->setAccepted(moveTo(target, true) || absorbed);
}

void StandardScrollView::keyPressEvent(QKeyEvent* event) {
  // A scroll bar's action counts as the user's (see watchScrollBar).
  if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Home) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  } else if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_End) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  } else {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  event->accept();
}

void StandardScrollView::updateScrollBars() {
  const Batch batch(*this);
  // Showing or hiding a bar resizes the viewport at once, which comes back
  // here; each bar therefore reads the viewport's size afresh.
  configure(horizontalScrollBar(), documentSize_.width(), viewport()->width());
  configure(verticalScrollBar(), documentSize_.height(), viewport()->height());
}

bool StandardScrollView::moveTo(QPoint target, bool live) {
  if (target == scrollOffset()) return false;
  const Batch batch(*this);
  if (live) liveScrollPending_ = true;
  horizontalScrollBar()->setValue(target.x());
  verticalScrollBar()->setValue(target.y());
  return true;
}

void StandardScrollView::publishVisibleRect() {
  if (batchDepth_ > 0) return;
  const bool live = std::exchange(liveScrollPending_, false);
  const QRectF visible = documentVisibleRect();
  if (visible == publishedVisibleRect_) return;
  const bool scrolled = visible.topLeft() != publishedVisibleRect_.topLeft();
  publishedVisibleRect_ = visible;
  const QPointer<StandardScrollView> alive(this);
  const bool liveScroll = live && scrolled;
  {
    const bool outer = std::exchange(reportingLiveScroll_, liveScroll);
    emit boundsDidChange();
    if (!alive) return;
    reportingLiveScroll_ = outer;
  }
  if (liveScroll) emit didLiveScroll();
}

}  // namespace vorlent
