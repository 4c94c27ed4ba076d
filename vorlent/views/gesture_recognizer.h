#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <memory>

class QMouseEvent;

namespace vorlent {

// The common part of the recognisers that turn a widget's primary-button
// mouse events into clicks and pans. A recogniser watches its view through
// an event filter and never consumes an event, so every recogniser on a view
// sees every press (they recognise simultaneously) and the view still gets
// its own events. Made with its view, which owns it: installing one is the
// one call `new ClickGestureRecognizer(canvas)`.
//
// Locations are in the view's document coordinates: when the view is the
// canvas of a StandardScrollView the scroll offset is added, taken when each
// event arrives; otherwise they are the widget's own coordinates. Distances
// (the drag threshold, the double-click distance) are measured on screen,
// in the widget's coordinates.
//
// A press of the primary button starts tracking; a release ends it. Tracking
// is interrupted, as the subclasses say:
// - at once, by Escape pressed anywhere in the application while the button
//   is down, and by a release that never arrived (a second press, or a move
//   without the button, which Qt delivers only to a view with mouse
//   tracking);
// - on the event loop's next turn, by a loss of the mouse grab (a popup
//   such as a menu opening takes it too) or the view being hidden, disabled
//   or its window deactivated. These come late on purpose: they also happen
//   while a window is being destroyed, when a receiver of the recogniser's
//   signals may be half gone; a recogniser destroyed meanwhile says nothing,
//   and one whose press has ended or been followed by another ignores them.
// GUI thread only.
class GestureRecognizer : public QObject {
  Q_OBJECT

 public:
  enum class State { possible, began, changed, ended, cancelled, failed };
  Q_ENUM(State)

  // A null view is a fatal stop.
  explicit GestureRecognizer(QWidget* view);
  ~GestureRecognizer() override;
  GestureRecognizer(const GestureRecognizer&) = delete;
  GestureRecognizer& operator=(const GestureRecognizer&) = delete;

  // The watched widget; nullptr only while it is being destroyed.
  [[nodiscard]] QWidget* view() const { return view_.data(); }
  // `possible` until a gesture is recognised or fails; a finished state stays
  // until the next press.
  [[nodiscard]] State state() const { return state_; }
  // Where the latest primary-button event happened (the origin before any).
  [[nodiscard]] QPointF locationInView() const { return location_; }

 protected:
  // The primary button went down (a double-click's second press included).
  virtual void pressed(const QMouseEvent& event) = 0;
  // The pointer moved with the button down.
  virtual void dragged(const QMouseEvent& event) = 0;
  // The button went up; tracking has ended.
  virtual void released(const QMouseEvent& event) = 0;
  // Tracking ended without a release; see the class comment.
  virtual void interrupted() = 0;
  // Whether a gesture is under way that Escape cancels; only then is the
  // Escape key kept from the rest of the application.
  [[nodiscard]] virtual bool isInProgress() const { return false; }

  void setState(State state) { state_ = state; }
  // Where the current (or last) press happened, in the widget's coordinates.
  [[nodiscard]] QPointF pressPosition() const { return pressPosition_; }
  // The Manhattan distance on screen from the press to `event`.
  [[nodiscard]] double distanceFromPress(const QMouseEvent& event) const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class ApplicationWatcher;

  void startTracking(const QMouseEvent& event);
  void stopTracking();
  void interrupt();
  // Interrupts on the event loop's next turn, unless tracking has ended or
  // a new press has begun by then.
  void interruptLater();
  [[nodiscard]] QPointF documentLocation(const QMouseEvent& event) const;

  QPointer<QWidget> view_;
  std::unique_ptr<ApplicationWatcher> applicationWatcher_;
  State state_ = State::possible;
  QPointF location_;
  QPointF pressPosition_;
  // Counts presses, so that a late interruption finds out whether the
  // press it was meant for is still the one tracked.
  quint64 pressCount_ = 0;
  bool tracking_ = false;
};

}  // namespace vorlent
