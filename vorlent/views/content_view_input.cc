// The mouse of the chart area: clicks, drags, pointer moves, cursors and
// tool tips.

#include <QToolTip>

#include <utility>

#include "vorlent/views/click_gesture_recognizer.h"
#include "vorlent/views/content_canvas.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/tool_tip_text.h"

namespace vorlent {

// --- Answering the pointer ---------------------------------------------------------

template <class Call>
void GanttChartContent::callThenUpdateMouseLocation(Call&& call,
                                                    const std::optional<QPointF>& point) {
  const QPointer<GanttChartContent> alive(this);
  ++mouseReevaluationHolds_;
  std::forward<Call>(call)();
  if (alive == nullptr) return;
  --mouseReevaluationHolds_;
  const bool asked = mouseReevaluationHolds_ == 0 && std::exchange(mouseReevaluationAsked_, false);
  // Standing in for the re-evaluations held back, the update draws what it
  // changes as theirs would have.
  const bool moving = asked ? std::exchange(movingViewport_, false) : movingViewport_;
  updateMouseLocation(point);
  if (asked && alive != nullptr) movingViewport_ = moving;
}

// --- Recognisers -----------------------------------------------------------------

void GanttChartContent::clickWithRecognizer(ClickGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  // Selects only where the settings allow selecting.
  controller->select(fromQt(recognizer.locationInView()));
}

void GanttChartContent::activatingClickWithRecognizer(ClickGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->activate(fromQt(recognizer.locationInView()));
}

void GanttChartContent::panWithRecognizer(DraggingPanGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointF location = recognizer.locationInView();
  switch (recognizer.state()) {
    case GestureRecognizer::State::began: {
      // The drag acts from where the button went down, then follows at once
      // to where the pointer is now.
      const Point start = fromQt(recognizer.locationInViewWhenDraggingStarted());
      callThenUpdateMouseLocation(
          [&] {
            controller->beginDragging(start, true);
            controller->select(start);
            controller->continueDragging(fromQt(location));
          },
          location);
      break;
    }
    case GestureRecognizer::State::changed:
      callThenUpdateMouseLocation([&] { controller->continueDragging(fromQt(location)); },
                                  location);
      break;
    case GestureRecognizer::State::ended:
      callThenUpdateMouseLocation([&] { controller->endDragging(); }, location);
      break;
    case GestureRecognizer::State::cancelled:
    case GestureRecognizer::State::failed:
      // Escape or a lost grab: stop without completing what the drag was
      // about to create, and drop its cursor.
      callThenUpdateMouseLocation([&] { controller->cancelDragging(); }, std::nullopt);
      break;
    case GestureRecognizer::State::possible:
      break;
  }
}

// --- Pointer tracking --------------------------------------------------------------

void GanttChartContent::mouseMoved(const QPointF& point) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  callThenUpdateMouseLocation(
      [&] {
        controller->focusElement(fromQt(point), false, false);
        controller->showDependencyLineThumb(fromQt(point));
      },
      point);
}

void GanttChartContent::mouseEntered() {
  if (contextMenuIsOpen_) {
    pointerLeftDuringContextMenu_ = false;
    return;
  }
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->cancelFocus();
}

void GanttChartContent::mouseExited() {
  hideShownToolTip();
  if (contextMenuIsOpen_) {
    pointerLeftDuringContextMenu_ = true;
    return;
  }
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  controller->cancelFocus();
  if (alive == nullptr) return;
  mouseLocationInView_.reset();
}

void GanttChartContent::updateMouseLocation(const std::optional<QPointF>& point) {
  if (controller_ == nullptr || canvas_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  QPointF at;
  if (point) {
    at = *point;
  } else if (mouseLocationInView_) {
    at = toQt(mouseLocationInView_->movedBy(controller->viewport().origin.x,
                                            controller->viewport().origin.y));
  } else {
    return;
  }
  const Point location = fromQt(at);
  std::optional<Cursor> cursor = controller->draggingCursor();
  if (!cursor) cursor = controller->cursor(location);
  if (cursor) {
    canvas_->setCursor(qtCursor(*cursor));
  } else {
    canvas_->unsetCursor();
  }
  const std::optional<std::string> toolTip = controller->toolTip(location);
  if (alive == nullptr || canvas_ == nullptr) return;
  const Point origin = controller->viewport().origin;
  const Point inView = location.movedBy(-origin.x, -origin.y);
  const QString text = toolTip ? detail::toolTipText(*toolTip, *canvas_, toQt(inView)) : QString();
  if (text != canvas_->toolTip()) {
    // A tip on screen would keep showing the old text.
    hideShownToolTip();
    canvas_->setToolTip(text);
  }
  mouseLocationInView_ = inView;
}

void GanttChartContent::hideShownToolTip() {
  if (canvas_ == nullptr || canvas_->toolTip().isEmpty() || !QToolTip::isVisible()) return;
  if (QToolTip::text() == canvas_->toolTip()) QToolTip::hideText();
}

std::optional<std::string> GanttChartContent::toolTip(const GanttChartItemPtr& item) {
  if (item == nullptr) return std::nullopt;
  return item->details();
}

std::optional<std::string> GanttChartContent::toolTip(const GanttChartDependencyPtr& dependency) {
  if (dependency == nullptr) return std::nullopt;
  return dependency->details();
}

}  // namespace vorlent
