#pragma once

#include <QPointF>

#include <optional>

#include "vorlent/views/gesture_recognizer.h"

namespace vorlent {

// Recognises clicks of the primary button: a release less than
// QStyleHints::startDragDistance() (Manhattan, on screen) from its press.
// Presses that follow each other within mouseDoubleClickInterval() and
// mouseDoubleClickDistance() form one series, whichever way Qt delivered
// them (a double-click's second press comes as a MouseButtonDblClick);
// `clicked` fires when the series reaches `numberOfClicksRequired` clicks,
// and the next press starts a new series. So with one click required every
// click fires, with two the clicks fire in pairs.
//
// The interval is measured between the events' timestamps, never by the
// wall clock, so a sequence of events replays the same way whenever it runs.
// A press that moves too far fails (state `failed`, no signal) and breaks
// the series, as does an interruption. A recognised click leaves the state
// `ended`.
class ClickGestureRecognizer : public GestureRecognizer {
  Q_OBJECT

 public:
  explicit ClickGestureRecognizer(QWidget* view);

  [[nodiscard]] int numberOfClicksRequired() const { return numberOfClicksRequired_; }
  // Values below 1 count as 1. A series already under way is kept.
  void setNumberOfClicksRequired(int count);

 signals:
  // After the release that completes the series; `location` is the
  // release's, as `locationInView()` is.
  void clicked(QPointF location);

 protected:
  void pressed(const QMouseEvent& event) override;
  void dragged(const QMouseEvent& event) override;
  void released(const QMouseEvent& event) override;
  void interrupted() override;

 private:
  void fail();

  int numberOfClicksRequired_ = 1;
  int clicksInSeries_ = 0;  // completed clicks of the current series
  std::optional<quint64> seriesPressTimestamp_;  // of the series' last press
  QPointF seriesPressPosition_;
  bool pressIsClick_ = false;  // the current press may still become a click
};

}  // namespace vorlent
