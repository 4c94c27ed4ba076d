#pragma once

#include <QPointF>

#include "vorlent/views/gesture_recognizer.h"

namespace vorlent {

// Recognises a drag of the primary button: it begins once the pointer has
// moved QStyleHints::startDragDistance() (Manhattan, on screen) from the
// press, changes with every later move and ends on release. Escape and the
// other interruptions cancel a pan under way; a press released or
// interrupted before it began fails. `panned` announces began, changed,
// ended and cancelled, each with the location of the event behind it (for
// cancelled, the last location seen); failing announces nothing.
class PanGestureRecognizer : public GestureRecognizer {
  Q_OBJECT

 public:
  explicit PanGestureRecognizer(QWidget* view);

 signals:
  void panned(vorlent::GestureRecognizer::State state, QPointF location);

 protected:
  void pressed(const QMouseEvent& event) override;
  void dragged(const QMouseEvent& event) override;
  void released(const QMouseEvent& event) override;
  void interrupted() override;
  [[nodiscard]] bool isInProgress() const override;

 private:
  void announce(State state);
};

// A pan that also keeps where its press happened: a drag acts from the
// point the button went down, not from where the pan was recognised a few
// pixels later.
class DraggingPanGestureRecognizer : public PanGestureRecognizer {
  Q_OBJECT

 public:
  explicit DraggingPanGestureRecognizer(QWidget* view);

  // The latest press, in the same coordinates as `locationInView()`; the
  // origin before the first.
  [[nodiscard]] QPointF locationInViewWhenDraggingStarted() const {
    return locationInViewWhenDraggingStarted_;
  }

 protected:
  void pressed(const QMouseEvent& event) override;

 private:
  QPointF locationInViewWhenDraggingStarted_;
};

}  // namespace vorlent
