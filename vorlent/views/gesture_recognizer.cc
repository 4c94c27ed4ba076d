#include "vorlent/views/gesture_recognizer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "vorlent/base/fatal.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

// Watches the whole application while the button is down, for what the
// view itself never hears of: Escape, which goes to the focus widget, and a
// popup (a menu, a combo box's list) opening, which takes the mouse from
// the view without telling it, so the press will see no release.
class GestureRecognizer::ApplicationWatcher : public QObject {
 public:
  explicit ApplicationWatcher(GestureRecognizer& owner) : owner_(owner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show) {
      if (watched->isWidgetType() &&
          static_cast<const QWidget*>(watched)->windowType() == Qt::Popup) {
        owner_.interruptLater();
      }
      return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    if (static_cast<const QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    const bool inProgress = owner_.isInProgress();
    if (type == QEvent::ShortcutOverride) {
      // Claiming the key keeps an Escape shortcut from firing, so that the
      // key press, which cancels the gesture, is delivered instead.
      if (inProgress) event->accept();
      return inProgress;
    }
    owner_.interrupt();
    return inProgress;
  }

 private:
  GestureRecognizer& owner_;
};

GestureRecognizer::GestureRecognizer(QWidget* view)
    : QObject(view), view_(view), applicationWatcher_(std::make_unique<ApplicationWatcher>(*this)) {
  if (view == nullptr) fatalStop("a gesture recognizer needs a view to watch");
  view->installEventFilter(this);
}

GestureRecognizer::~GestureRecognizer() {
  if (tracking_) stopTracking();
  if (view_ != nullptr) view_->removeEventFilter(this);
}

double GestureRecognizer::distanceFromPress(const QMouseEvent& event) const {
  return (event.position() - pressPosition_).manhattanLength();
}

bool GestureRecognizer::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_.data()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (mouse.button() == Qt::LeftButton) {
        if (tracking_) {
          // The previous press never saw its release; whoever hears of its
          // end may drop this recogniser.
          const QPointer<GestureRecognizer> alive(this);
          interrupt();
          if (alive == nullptr) return false;
        }
        startTracking(mouse);
        pressed(mouse);
      } else if (tracking_ && !mouse.buttons().testFlag(Qt::LeftButton)) {
        interrupt();
      }
      break;
    }
    case QEvent::MouseMove: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (!tracking_) break;
      if (!mouse.buttons().testFlag(Qt::LeftButton)) {
        interrupt();
        break;
      }
      location_ = documentLocation(mouse);
      dragged(mouse);
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto& mouse = static_cast<const QMouseEvent&>(*event);
      if (!tracking_) break;
      if (mouse.button() != Qt::LeftButton) {
        if (!mouse.buttons().testFlag(Qt::LeftButton)) interrupt();
        break;
      }
      location_ = documentLocation(mouse);
      stopTracking();
      released(mouse);
      break;
    }
    case QEvent::UngrabMouse:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
      interruptLater();
      break;
    case QEvent::ActivationChange:
      if (!view_->isActiveWindow()) interruptLater();
      break;
    case QEvent::EnabledChange:
      if (!view_->isEnabled()) interruptLater();
      break;
    default:
      break;
  }
  return false;
}

void GestureRecognizer::startTracking(const QMouseEvent& event) {
  tracking_ = true;
  ++pressCount_;
  pressPosition_ = event.position();
  location_ = documentLocation(event);
  QCoreApplication::instance()->installEventFilter(applicationWatcher_.get());
}

void GestureRecognizer::stopTracking() {
  tracking_ = false;
  if (QCoreApplication* application = QCoreApplication::instance()) {
    application->removeEventFilter(applicationWatcher_.get());
  }
}

void GestureRecognizer::interrupt() {
  if (!tracking_) return;
  stopTracking();
  interrupted();
}

void GestureRecognizer::interruptLater() {
  if (!tracking_) return;
  QMetaObject::invokeMethod(
      this,
      [this, press = pressCount_] {
        if (pressCount_ == press) interrupt();
      },
      Qt::QueuedConnection);
}

QPointF GestureRecognizer::documentLocation(const QMouseEvent& event) const {
  if (const StandardScrollView* scrollView = StandardScrollView::forCanvas(view_.data())) {
    return scrollView->documentPoint(event.position());
  }
  return event.position();
}

}  // namespace vorlent
