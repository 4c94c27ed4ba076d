#pragma once

#include <QEvent>
#include <QPoint>
#include <QPointF>
#include <QWidget>

namespace vorlent::testing {

// Mouse input as a hand makes it, sent straight to one widget: buttons stay
// down between a press and its release, so moves in between are drags (Qt
// 6's QTest::mouseMove carries no buttons). Every event is one millisecond
// after the one before; `wait` lets more time pass. No real time passes.
class SyntheticMouse {
 public:
  explicit SyntheticMouse(QWidget* target) : target_(target) {}

  void press(QPointF at, Qt::MouseButton button = Qt::LeftButton);
  // A press as Qt delivers the second one of a quick pair.
  void doubleClickPress(QPointF at, Qt::MouseButton button = Qt::LeftButton);
  void moveTo(QPointF at);
  void release(QPointF at, Qt::MouseButton button = Qt::LeftButton);
  void click(QPointF at, Qt::MouseButton button = Qt::LeftButton);
  // Press at `from`, `steps` moves in even steps to `to`, release there.
  void drag(QPointF from, QPointF to, int steps = 4);
  void wait(int milliseconds) { now_ += static_cast<quint64>(milliseconds); }
  [[nodiscard]] quint64 now() const { return now_; }
  [[nodiscard]] Qt::MouseButtons buttons() const { return buttons_; }

 private:
  void send(QEvent::Type type, QPointF at, Qt::MouseButton button);

  QWidget* target_;
  quint64 now_ = 100000;
  Qt::MouseButtons buttons_;
};

// A wheel event over `target` at its centre, from a notched wheel (angle
// delta, eighths of a degree) or a touchpad (pixel delta).
void sendWheel(QWidget* target, QPoint angleDelta, QPoint pixelDelta = QPoint(),
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace vorlent::testing
