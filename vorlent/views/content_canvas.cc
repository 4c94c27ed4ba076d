#include "vorlent/views/content_canvas.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <vector>

#include "vorlent/views/content_view.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

GanttChartContentCanvas::GanttChartContentCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  // Under a style without a background colour of its own the chart shows
  // the palette's base, as a document in a scroll view does.
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

QPointF GanttChartContentCanvas::documentPoint(const QPointF& widgetPoint) const {
  if (const StandardScrollView* scrollView = StandardScrollView::forCanvas(this)) {
    return scrollView->documentPoint(widgetPoint);
  }
  return widgetPoint;
}

bool GanttChartContentCanvas::isInActiveWindow() const { return isActiveWindow(); }

void GanttChartContentCanvas::paintEvent(QPaintEvent* event) {
  if (mainView_ == nullptr) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // A scroll both ways exposes two strips. Each is drawn on its own: the
  // controller then draws only what they show (not all their bounding
  // rectangle holds), and each pass clips to a plain rectangle, as a full
  // paint does; the raster engine blends antialiased edges a shade
  // differently under a clip of several rectangles, which would leave the
  // strips' lines a shade off the pixels the scroll kept. A region of many
  // pieces is drawn as its bounding rectangle.
  constexpr int kMostPasses = 4;
  const QRegion& region = event->region();
  std::vector<QRect> passes(region.begin(), region.end());
  if (passes.size() > kMostPasses) passes = {region.boundingRect()};
  for (const QRect& exposed : passes) {
    GanttChartContent* view = mainView_.data();
    if (view == nullptr) return;
    painter.save();
    QRectF within(exposed);
    if (const StandardScrollView* scrollView = StandardScrollView::forCanvas(this)) {
      within = scrollView->translateToDocument(painter, exposed);
    }
    // Hooks read the clip to learn what they can reach.
    painter.setClipRect(within);
    view->draw(painter, within);
    painter.restore();
  }
}

void GanttChartContentCanvas::mouseMoveEvent(QMouseEvent* event) {
  // Moves with a button down are drags, which the recognisers follow.
  if (event->buttons() != Qt::NoButton || !isInActiveWindow()) return;
  if (GanttChartContent* view = mainView_.data()) {
    const detail::CountedCall call(view->eventCalls_);
    view->mouseMoved(documentPoint(event->position()));
  }
}

void GanttChartContentCanvas::enterEvent(QEnterEvent* /*event*/) {
  if (!isInActiveWindow()) return;
  if (GanttChartContent* view = mainView_.data()) {
    const detail::CountedCall call(view->eventCalls_);
    view->mouseEntered();
  }
}

void GanttChartContentCanvas::leaveEvent(QEvent* /*event*/) {
  if (!isInActiveWindow()) return;
  if (GanttChartContent* view = mainView_.data()) {
    const detail::CountedCall call(view->eventCalls_);
    view->mouseExited();
  }
}

void GanttChartContentCanvas::contextMenuEvent(QContextMenuEvent* event) {
  QPointer<QMenu> menu;
  if (GanttChartContent* view = mainView_.data()) {
    const detail::CountedCall call(view->eventCalls_);
    menu = view->menu(documentPoint(event->pos()));
  }
  if (menu == nullptr) {
    // Without a menu of its own, an ancestor may offer one.
    event->ignore();
    return;
  }
  event->accept();
  // A menu whose every command is hidden would open as an empty frame.
  const QList<QAction*> actions = menu->actions();
  if (std::any_of(actions.cbegin(), actions.cend(),
                  [](const QAction* action) { return action->isVisible(); })) {
    menu->popup(event->globalPos());
  }
}

void GanttChartContentCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (GanttChartContent* view = mainView_.data()) {
    const detail::CountedCall call(view->eventCalls_);
    view->canvasDidResize();
  }
}

}  // namespace vorlent
