#include "vorlent/views/mouse_input_testing.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWheelEvent>

namespace vorlent::testing {

void SyntheticMouse::press(QPointF at, Qt::MouseButton button) {
  buttons_ |= button;
  send(QEvent::MouseButtonPress, at, button);
}

void SyntheticMouse::doubleClickPress(QPointF at, Qt::MouseButton button) {
  buttons_ |= button;
  send(QEvent::MouseButtonDblClick, at, button);
}

void SyntheticMouse::moveTo(QPointF at) { send(QEvent::MouseMove, at, Qt::NoButton); }

void SyntheticMouse::release(QPointF at, Qt::MouseButton button) {
  buttons_ &= ~Qt::MouseButtons(button);
  send(QEvent::MouseButtonRelease, at, button);
}

void SyntheticMouse::click(QPointF at, Qt::MouseButton button) {
  press(at, button);
  release(at, button);
}

void SyntheticMouse::drag(QPointF from, QPointF to, int steps) {
  press(from);
  for (int step = 1; step <= steps; ++step) moveTo(from + (to - from) * step / steps);
  release(to);
}

void SyntheticMouse::send(QEvent::Type type, QPointF at, Qt::MouseButton button) {
  ++now_;
  QMouseEvent event(type, at, target_->mapToGlobal(at), button, buttons_, Qt::NoModifier,
                    QPointingDevice::primaryPointingDevice());
  event.setTimestamp(now_);
  QCoreApplication::sendEvent(target_, &event);
}

void sendWheel(QWidget* target, QPoint angleDelta, QPoint pixelDelta,
               Qt::KeyboardModifiers modifiers) {
  const QPointF at = QRectF(target->rect()).center();
  QWheelEvent event(at, target->mapToGlobal(at), pixelDelta, angleDelta, Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace vorlent::testing
