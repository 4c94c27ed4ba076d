#include "vorlent/views/standard_scroll_view.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
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

// `value` (finite or infinite, not NaN) as a whole-pixel origin in
// [0, maximum]; `maximum` may be fractional, the end of a mapped document.
double originFor(double value, Rounding rounding, double maximum) {
  const double clamped = std::clamp(value, 0.0, maximum);
  switch (rounding) {
    case Rounding::down:
      return std::min(std::floor(std::min(clamped + kPixelTolerance, maximum)), maximum);
    case Rounding::up:
      return std::min(std::ceil(std::max(clamped - kPixelTolerance, 0.0)), maximum);
    case Rounding::nearest:
      break;
  }
  return std::min(std::round(clamped), maximum);
}

// The origin on one axis that shows [start, start + length] with the least
// movement from `origin`, where `extent` pixels are visible. A span that
// whole pixels cannot show entire (one as long as the extent that starts
// between two of them) is shown from its start, as a longer one is:
// aligning its end instead would hide its start, and the next request for
// the same span would move back.
double originShowing(double start, double length, double origin, int extent, double maximum) {
  const double fromStart = originFor(start, Rounding::down, maximum);
  if (length > extent || start < origin) return fromStart;
  if (start + length > origin + extent) {
    return std::min(originFor(start + length - extent, Rounding::up, maximum), fromStart);
  }
  return origin;
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

// Qt's == on QPointF and QRectF forgives a relative 1e-12: far down a long
// document that is thousands of points, a whole wheel notch or page. Places
// and scales are therefore compared exactly.
bool isSame(const QPointF& a, const QPointF& b) { return a.x() == b.x() && a.y() == b.y(); }
bool isSame(const QRectF& a, const QRectF& b) {
  return isSame(a.topLeft(), b.topLeft()) && a.width() == b.width() && a.height() == b.height();
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
  // A canvas draws its document left to right in either layout; a bar
  // mirrored with the layout would run against it.
  horizontalScrollBar()->setLayoutDirection(Qt::LeftToRight);
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
  return QRectF(QPointF(offset.x() * scale.x(), offset.y() * scale.y()) + remainder_,
                viewport()->size());
}

QPoint StandardScrollView::scrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPointF StandardScrollView::maximumOrigin() const {
  const QPointF scale = documentScale();
  return QPointF(horizontalScrollBar()->maximum() * scale.x(),
                 verticalScrollBar()->maximum() * scale.y());
}

void StandardScrollView::scrollToPoint(const QPointF& point) {
  const QPointF current = documentVisibleRect().topLeft();
  const QPointF maximum = maximumOrigin();
  moveToOrigin(
      QPointF(std::isnan(point.x()) ? current.x()
                                    : originFor(point.x(), Rounding::nearest, maximum.x()),
              std::isnan(point.y()) ? current.y()
                                    : originFor(point.y(), Rounding::nearest, maximum.y())),
      false);
}

bool StandardScrollView::scrollRectToVisible(const QRectF& rect) {
  if (!isFinite(rect)) return false;
  const QRectF wanted = rect.normalized();
  const QPointF current = documentVisibleRect().topLeft();
  const QSize extent = viewport()->size();
  const QPointF maximum = maximumOrigin();
  return moveToOrigin(
      QPointF(originShowing(wanted.x(), wanted.width(), current.x(), extent.width(), maximum.x()),
              originShowing(wanted.y(), wanted.height(), current.y(), extent.height(),
                            maximum.y())),
      false);
}

bool StandardScrollView::moveToOrigin(QPointF origin, bool live) {
  // On a mapped axis the bar takes the step at or before the origin, and
  // the rest of the way is kept beside it, so that code reaches every pixel
  // although the bar's steps are longer than the viewport.
  const QPointF scale = documentScale();
  const auto split = [](double wanted, double step, const QScrollBar* bar, double& rest) {
    if (step == 1) {
      rest = 0;
      return static_cast<int>(std::round(wanted));
    }
    const int value = std::clamp(static_cast<int>(std::min(std::floor(wanted / step),
                                                           static_cast<double>(bar->maximum()))),
                                 0, bar->maximum());
    rest = value == bar->maximum() ? 0 : std::max(wanted - value * step, 0.0);
    return value;
  };
  QPointF rest;
  const QPoint target(split(origin.x(), scale.x(), horizontalScrollBar(), rest.rx()),
                      split(origin.y(), scale.y(), verticalScrollBar(), rest.ry()));
  return moveTo(target, rest, live);
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
  // A bar moved by anything but moveToOrigin shows its own step.
  if (dx != 0) remainder_.setX(0);
  if (dy != 0) remainder_.setY(0);
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

  // In document points also where the document is mapped onto the bars.
  const QPointF current = documentVisibleRect().topLeft();
  const QPointF maximum = maximumOrigin();
  const double wantedX = current.x() + whole.x();
  const double wantedY = current.y() + whole.y();
  const QPointF target(originFor(wantedX, Rounding::nearest, maximum.x()),
                       originFor(wantedY, Rounding::nearest, maximum.y()));
  // At an end the remainder is dropped, so turning back moves at once.
  if (target.x() != wantedX) wheelRemainder_.setX(0);
  if (target.y() != wantedY) wheelRemainder_.setY(0);
  const bool absorbed = whole.isNull() && !wheelRemainder_.isNull();
  event->setAccepted(moveToOrigin(target, true) || absorbed);
}

void StandardScrollView::keyPressEvent(QKeyEvent* event) {
  // Qt's keys of a scroll area step its bars, whose steps on a mapped axis
  // are far longer than a line or a page: here every key moves the
  // document by points.
  const QPointF origin = documentVisibleRect().topLeft();
  QPointF target = origin;
  if (event == QKeySequence::MoveToPreviousPage) {
    target.ry() -= viewport()->height();
  } else if (event == QKeySequence::MoveToNextPage) {
    target.ry() += viewport()->height();
  } else {
    const bool plain = event->modifiers() == Qt::NoModifier;
    switch (event->key()) {
      case Qt::Key_Up:
        target.ry() -= kLineStep;
        break;
      case Qt::Key_Down:
        target.ry() += kLineStep;
        break;
      // Qt turns these round in a right-to-left layout; the document is not.
      case Qt::Key_Left:
        target.rx() -= kLineStep;
        break;
      case Qt::Key_Right:
        target.rx() += kLineStep;
        break;
      case Qt::Key_Home:
        if (!plain) return QAbstractScrollArea::keyPressEvent(event);
        target.setY(0);
        break;
      case Qt::Key_End:
        if (!plain) return QAbstractScrollArea::keyPressEvent(event);
        target.setY(kLongestMappedDocument);
        break;
      default:
        return QAbstractScrollArea::keyPressEvent(event);
    }
  }
  const QPointF maximum = maximumOrigin();
  moveToOrigin(QPointF(std::clamp(target.x(), 0.0, maximum.x()),
                       std::clamp(target.y(), 0.0, maximum.y())),
               true);
  event->accept();
}

void StandardScrollView::updateScrollBars() {
  const Batch batch(*this);
  // A new mapping would move what the visible rectangle shows without
  // moving a bar: the view keeps the place it showed instead, as far as the
  // document now reaches, and the canvas paints it afresh.
  const auto remap = qScopeGuard([this] {
    const QPointF scale = documentScale();
    if (isSame(scale, configuredScale_)) return;
    configuredScale_ = scale;
    const QPointF shown = publishedVisibleRect_.topLeft();
    const QPointF maximum = maximumOrigin();
    moveToOrigin(QPointF(std::clamp(shown.x(), 0.0, maximum.x()),
                         std::clamp(shown.y(), 0.0, maximum.y())),
                 false);
    viewport()->update();
  });
  // Showing or hiding a bar resizes the viewport at once, which comes back
  // here; each bar therefore reads the viewport's size afresh.
  configure(horizontalScrollBar(), documentSize_.width(), viewport()->width());
  configure(verticalScrollBar(), documentSize_.height(), viewport()->height());
}

bool StandardScrollView::moveTo(QPoint target, QPointF remainder, bool live) {
  if (target == scrollOffset() && isSame(remainder, remainder_)) return false;
  const Batch batch(*this);
  if (live) liveScrollPending_ = true;
  horizontalScrollBar()->setValue(target.x());
  verticalScrollBar()->setValue(target.y());
  // The bars' moves dropped the old remainder and had what they moved
  // repainted; a remainder alone moves what the canvas shows too.
  if (!isSame(remainder, remainder_)) {
    remainder_ = remainder;
    viewport()->update();
  }
  return true;
}

void StandardScrollView::publishVisibleRect() {
  if (batchDepth_ > 0) return;
  const bool live = std::exchange(liveScrollPending_, false);
  const QRectF visible = documentVisibleRect();
  if (isSame(visible, publishedVisibleRect_)) return;
  const bool scrolled = !isSame(visible.topLeft(), publishedVisibleRect_.topLeft());
  publishedVisibleRect_ = visible;
  const QPointer<StandardScrollView> alive(this);
  const bool liveScroll = live && scrolled;
  ++reportingDepth_;
  {
    const bool outer = std::exchange(reportingLiveScroll_, liveScroll);
    emit boundsDidChange();
    if (!alive) return;
    reportingLiveScroll_ = outer;
  }
  if (liveScroll) emit didLiveScroll();
  if (alive) --reportingDepth_;
}

}  // namespace vorlent
