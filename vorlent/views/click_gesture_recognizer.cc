#include "vorlent/views/click_gesture_recognizer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

#include <algorithm>

namespace vorlent {

ClickGestureRecognizer::ClickGestureRecognizer(QWidget* view) : GestureRecognizer(view) {}

void ClickGestureRecognizer::setNumberOfClicksRequired(int count) {
  numberOfClicksRequired_ = std::max(1, count);
}

void ClickGestureRecognizer::pressed(const QMouseEvent& event) {
  const QStyleHints* hints = QGuiApplication::styleHints();
  const quint64 now = event.timestamp();
  // Timestamps that run backwards (events made by hand) start a new series.
  const bool continuesSeries =
      clicksInSeries_ > 0 && seriesPressTimestamp_ && now >= *seriesPressTimestamp_ &&
      now - *seriesPressTimestamp_ <= static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
      (event.position() - seriesPressPosition_).manhattanLength() <=
          hints->mouseDoubleClickDistance();
  if (!continuesSeries) clicksInSeries_ = 0;
  seriesPressTimestamp_ = now;
  seriesPressPosition_ = event.position();
  pressIsClick_ = true;
  setState(State::possible);
}

void ClickGestureRecognizer::dragged(const QMouseEvent& event) {
  if (pressIsClick_ && distanceFromPress(event) >= QGuiApplication::styleHints()->startDragDistance()) {
    fail();
  }
}

void ClickGestureRecognizer::released(const QMouseEvent& event) {
  if (!pressIsClick_) return;
  if (distanceFromPress(event) >= QGuiApplication::styleHints()->startDragDistance()) {
    fail();
    return;
  }
  pressIsClick_ = false;
  if (++clicksInSeries_ < numberOfClicksRequired_) return;
  clicksInSeries_ = 0;
  setState(State::ended);
  emit clicked(locationInView());
}

void ClickGestureRecognizer::interrupted() {
  if (pressIsClick_) fail();
}

void ClickGestureRecognizer::fail() {
  pressIsClick_ = false;
  clicksInSeries_ = 0;
  setState(State::failed);
}

}  // namespace vorlent
