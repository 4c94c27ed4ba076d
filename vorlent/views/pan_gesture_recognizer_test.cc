#include "vorlent/views/pan_gesture_recognizer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <ostream>
#include <utility>
#include <vector>

#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using State = GestureRecognizer::State;
using testing::SyntheticMouse;

struct Step {
  State state;
  QPointF location;
  friend bool operator==(const Step&, const Step&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Step& s) {
    return os << static_cast<int>(s.state) << "@(" << s.location.x() << ", " << s.location.y() << ")";
  }
};

int dragDistance() { return QGuiApplication::styleHints()->startDragDistance(); }

// Counts the key presses that reach it.
class KeyTarget : public QWidget {
 public:
  int presses = 0;

 protected:
  void keyPressEvent(QKeyEvent* /*event*/) override { ++presses; }
};

// Records what a dragging pan announces on a bare widget.
class Pans : public ::testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(pan, &PanGestureRecognizer::panned,
                     [this](State state, QPointF location) { steps.push_back({state, location}); });
  }

  void beginPan() {
    mouse.press(QPointF(10, 10));
    mouse.moveTo(QPointF(30, 10));
    ASSERT_EQ(pan->state(), State::began);
  }

  QWidget canvas;
  DraggingPanGestureRecognizer* pan = new DraggingPanGestureRecognizer(&canvas);
  std::vector<Step> steps;
  SyntheticMouse mouse{&canvas};
};

TEST_F(Pans, BeginOnceTheDragDistanceIsCoveredThenChangeAndEndOnRelease) {
  EXPECT_EQ(pan->locationInViewWhenDraggingStarted(), QPointF());
  mouse.press(QPointF(10, 10));
  mouse.moveTo(QPointF(10 + dragDistance() - 1, 10));
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(pan->state(), State::possible);
  mouse.moveTo(QPointF(10, 10 + dragDistance()));
  mouse.moveTo(QPointF(50, 20));
  mouse.release(QPointF(60, 22));
  const std::vector<Step> expected{{State::began, QPointF(10, 10 + dragDistance())},
                                   {State::changed, QPointF(50, 20)},
                                   {State::ended, QPointF(60, 22)}};
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(pan->state(), State::ended);
  EXPECT_EQ(pan->locationInViewWhenDraggingStarted(), QPointF(10, 10));
}

TEST_F(Pans, APressThatNeverDragsFailsQuietlyAndOtherButtonsDoNotPan) {
  mouse.click(QPointF(10, 10));
  EXPECT_EQ(pan->state(), State::failed);
  mouse.press(QPointF(10, 10), Qt::RightButton);
  mouse.moveTo(QPointF(80, 80));
  mouse.release(QPointF(80, 80), Qt::RightButton);
  EXPECT_TRUE(steps.empty());
}

TEST_F(Pans, EscapeCancelsAPanUnderWayAndIsKeptFromTheApplication) {
  KeyTarget focus;
  beginPan();
  QTest::keyClick(&focus, Qt::Key_Escape);
  ASSERT_EQ(steps.size(), 2U);
  EXPECT_EQ(steps.back(), (Step{State::cancelled, QPointF(30, 10)}));
  EXPECT_EQ(focus.presses, 0);
  mouse.moveTo(QPointF(40, 10));
  mouse.release(QPointF(40, 10));
  EXPECT_EQ(steps.size(), 2U) << "the rest of that drag is ignored";
  EXPECT_EQ(pan->state(), State::cancelled);

  mouse.press(QPointF(10, 10));
  QTest::keyClick(&focus, Qt::Key_Escape);
  EXPECT_EQ(pan->state(), State::failed) << "not begun yet";
  EXPECT_EQ(focus.presses, 1) << "so the key goes on";
}

TEST_F(Pans, AnEscapeShortcutWaitsWhileAPanIsUnderWay) {
  KeyTarget window;
  auto* escape = new QAction(&window);
  escape->setShortcut(Qt::Key_Escape);
  escape->setShortcutContext(Qt::ApplicationShortcut);
  window.addAction(escape);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  int triggered = 0;
  QObject::connect(escape, &QAction::triggered, [&] { ++triggered; });
  QTest::keyClick(&window, Qt::Key_Escape);
  ASSERT_EQ(triggered, 1) << "the shortcut works";

  beginPan();
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(triggered, 1);
  EXPECT_EQ(pan->state(), State::cancelled);
}

TEST_F(Pans, AReleaseThatNeverCameCancels) {
  canvas.setMouseTracking(true);  // Qt drops moves without buttons otherwise
  beginPan();
  QMouseEvent buttonsUp(QEvent::MouseMove, QPointF(35, 10), QPointF(35, 10), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&canvas, &buttonsUp);
  EXPECT_EQ(steps.back().state, State::cancelled);

  beginPan();
  mouse.press(QPointF(70, 70));  // a second press: the first release was lost
  EXPECT_EQ(steps.back().state, State::cancelled);
  EXPECT_EQ(pan->state(), State::possible);
  EXPECT_EQ(pan->locationInViewWhenDraggingStarted(), QPointF(70, 70));
}

TEST_F(Pans, LosingTheGrabOrTheWindowCancelsOnTheLoopsNextTurn) {
  for (const QEvent::Type loss : {QEvent::UngrabMouse, QEvent::WindowDeactivate, QEvent::Hide}) {
    steps.clear();
    beginPan();
    QEvent event(loss);
    QCoreApplication::sendEvent(&canvas, &event);
    EXPECT_EQ(steps.size(), 1U) << "not at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(steps.back().state, State::cancelled) << loss;
  }

  steps.clear();
  beginPan();
  QEvent ungrab(QEvent::UngrabMouse);
  QCoreApplication::sendEvent(&canvas, &ungrab);
  mouse.release(QPointF(30, 10));
  beginPan();
  QCoreApplication::processEvents();
  EXPECT_EQ(steps.back().state, State::began) << "a late interruption spares the next pan";
}

TEST_F(Pans, APopupTakingTheMouseCancelsOnTheLoopsNextTurnAndGetsItsEscape) {
  canvas.show();
  beginPan();
  QMenu menu;
  menu.addAction("Item");
  menu.popup(canvas.mapToGlobal(QPoint(50, 50)));
  EXPECT_EQ(steps.size(), 1U) << "not at once";
  QCoreApplication::processEvents();
  EXPECT_EQ(steps.back().state, State::cancelled);
  QTest::keyClick(&menu, Qt::Key_Escape);
  EXPECT_FALSE(menu.isVisible()) << "the key closes the menu, not a pan long over";

  QWidget tip(nullptr, Qt::ToolTip);
  beginPan();
  tip.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(pan->state(), State::began) << "a tool tip takes no mouse";
}

TEST(PanRecognizers, NeedAView) {
  EXPECT_DEATH(PanGestureRecognizer(nullptr), "needs a view");
}

TEST(PanRecognizers, AWindowDestroyedMidPanSaysNothing) {
  auto* window = new QWidget;
  window->show();
  auto* pan = new PanGestureRecognizer(window);
  int announcements = 0;
  QObject::connect(pan, &PanGestureRecognizer::panned, [&] { ++announcements; });
  SyntheticMouse mouse(window);
  mouse.press(QPointF(10, 10));
  mouse.moveTo(QPointF(40, 10));
  delete window;
  QCoreApplication::processEvents();
  EXPECT_EQ(announcements, 1);
}

TEST(PanRecognizers, TheDragStartsAtThePressInDocumentCoordinates) {
  StandardScrollView view;
  view.setCanvas(new QWidget);
  view.resize(200, 200);
  view.show();
  view.setDocumentSize(QSizeF(1000, 1000));
  view.scrollToPoint(QPointF(100, 300));
  auto* pan = new DraggingPanGestureRecognizer(view.canvas());
  std::vector<Step> steps;
  QObject::connect(pan, &PanGestureRecognizer::panned,
                   [&](State state, QPointF location) { steps.push_back({state, location}); });

  SyntheticMouse mouse(view.canvas());
  mouse.press(QPointF(10, 10));
  view.scrollToPoint(QPointF(150, 300));  // an auto-scroll before the pan begins
  mouse.moveTo(QPointF(30, 10));
  EXPECT_EQ(pan->locationInViewWhenDraggingStarted(), QPointF(110, 310));
  ASSERT_EQ(steps.size(), 1U);
  EXPECT_EQ(steps[0], (Step{State::began, QPointF(180, 310)}));
}

}  // namespace
}  // namespace vorlent
