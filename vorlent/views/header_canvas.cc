#include "vorlent/views/header_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "vorlent/views/header_view.h"
#include "vorlent/views/outlets.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

GanttChartHeaderCanvas::GanttChartHeaderCanvas(QWidget* parent) : QWidget(parent) {
  // Beside a header narrower than the view, the rest shows the window colour.
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);
}

void GanttChartHeaderCanvas::paintEvent(QPaintEvent* event) {
  GanttChartHeader* const view = mainView();
  if (view == nullptr) return;
  QPainter painter(this);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  QRectF exposed(event->rect());
  if (const StandardScrollView* scrollView = StandardScrollView::forCanvas(this)) {
    exposed = scrollView->translateToDocument(painter, event->rect());
  }
  painter.setClipRect(exposed);
  view->draw(painter, exposed);
}

void GanttChartHeaderCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (GanttChartHeader* view = mainView(); view != nullptr && view->controller()) {
    const detail::CountedCall call(view->eventCalls_);
    view->updateHeaderCanvasSize();
  }
}

}  // namespace vorlent
