#include "vorlent/views/pan_gesture_recognizer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

namespace vorlent {

PanGestureRecognizer::PanGestureRecognizer(QWidget* view) : GestureRecognizer(view) {}

void PanGestureRecognizer::pressed(const QMouseEvent& /*event*/) { setState(State::possible); }

void PanGestureRecognizer::dragged(const QMouseEvent& event) {
  switch (state()) {
    case State::possible:
      if (distanceFromPress(event) >= QGuiApplication::styleHints()->startDragDistance()) {
        announce(State::began);
      }
      break;
    case State::began:
    case State::changed:
      announce(State::changed);
      break;
    default:
      break;
  }
}

void PanGestureRecognizer::released(const QMouseEvent& /*event*/) {
  if (isInProgress()) {
    announce(State::ended);
  } else {
    setState(State::failed);
  }
}

void PanGestureRecognizer::interrupted() {
  if (isInProgress()) {
    announce(State::cancelled);
  } else {
    setState(State::failed);
  }
}

bool PanGestureRecognizer::isInProgress() const {
  return state() == State::began || state() == State::changed;
}

void PanGestureRecognizer::announce(State state) {
  setState(state);
  emit panned(state, locationInView());
}

DraggingPanGestureRecognizer::DraggingPanGestureRecognizer(QWidget* view)
    : PanGestureRecognizer(view) {}

void DraggingPanGestureRecognizer::pressed(const QMouseEvent& event) {
  PanGestureRecognizer::pressed(event);
  locationInViewWhenDraggingStarted_ = locationInView();
}

}  // namespace vorlent
