#include "vorlent/views/click_gesture_recognizer.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using State = GestureRecognizer::State;
using testing::SyntheticMouse;

int dragDistance() { return QGuiApplication::styleHints()->startDragDistance(); }
int doubleClickInterval() { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

// A canvas that takes its own presses, as a view's canvas may.
class Canvas : public QWidget {
 public:
  int presses = 0;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    ++presses;
    event->accept();
  }
};

class Clicks : public ::testing::Test {
 protected:
  Canvas canvas;
  ClickGestureRecognizer* recognizer = new ClickGestureRecognizer(&canvas);
  QSignalSpy clicked{recognizer, &ClickGestureRecognizer::clicked};
  SyntheticMouse mouse{&canvas};
};

TEST_F(Clicks, AClickFiresOnReleaseAtTheReleasePoint) {
  EXPECT_EQ(recognizer->view(), &canvas);
  EXPECT_EQ(recognizer->numberOfClicksRequired(), 1);
  mouse.press(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(recognizer->state(), State::possible);
  mouse.moveTo(QPointF(11, 10));
  mouse.release(QPointF(11, 10));
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.at(0).at(0).toPointF(), QPointF(11, 10));
  EXPECT_EQ(recognizer->locationInView(), QPointF(11, 10));
  EXPECT_EQ(recognizer->state(), State::ended);
}

TEST_F(Clicks, ReleasingOrMovingTheDragDistanceAwayFails) {
  mouse.press(QPointF(10, 10));
  mouse.release(QPointF(10 + dragDistance(), 10));
  EXPECT_EQ(recognizer->state(), State::failed);

  mouse.press(QPointF(10, 10));
  mouse.moveTo(QPointF(10, 10 + dragDistance()));
  EXPECT_EQ(recognizer->state(), State::failed) << "as soon as it moved";
  mouse.release(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0) << "coming back does not make it a click";

  mouse.press(QPointF(10, 10));
  mouse.release(QPointF(10 + dragDistance() - 1, 10));
  EXPECT_EQ(clicked.count(), 1) << "just inside";
}

TEST_F(Clicks, OnlyThePrimaryButtonClicks) {
  mouse.click(QPointF(10, 10), Qt::RightButton);
  mouse.click(QPointF(10, 10), Qt::MiddleButton);
  EXPECT_EQ(clicked.count(), 0);
  mouse.press(QPointF(10, 10));
  mouse.click(QPointF(10, 10), Qt::RightButton);  // another button meanwhile
  mouse.release(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Clicks, WithOneRequiredEveryClickOfAQuickSeriesFires) {
  mouse.click(QPointF(10, 10));
  mouse.doubleClickPress(QPointF(10, 10));
  mouse.release(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 2);
}

TEST_F(Clicks, ADoubleClickFiresOnTheSecondReleaseAndPairsFollow) {
  recognizer->setNumberOfClicksRequired(2);
  mouse.click(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(recognizer->state(), State::possible);
  mouse.wait(doubleClickInterval() - 2);  // the press comes 1 ms later: exactly the interval
  mouse.doubleClickPress(QPointF(12, 11));
  EXPECT_EQ(clicked.count(), 0) << "not before the release";
  mouse.release(QPointF(12, 11));
  EXPECT_EQ(clicked.count(), 1);
  mouse.click(QPointF(12, 11));
  EXPECT_EQ(clicked.count(), 1) << "a third click starts a new pair";
  mouse.click(QPointF(12, 11));
  EXPECT_EQ(clicked.count(), 2);
}

TEST_F(Clicks, ASeriesBreaksOnALatePressAFarPressAFailureOrBackwardTime) {
  recognizer->setNumberOfClicksRequired(2);
  mouse.click(QPointF(10, 10));
  mouse.wait(doubleClickInterval() - 1);  // the press comes 1 ms after that
  mouse.click(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0) << "one millisecond late";

  mouse.wait(doubleClickInterval() * 2);
  mouse.click(QPointF(10, 10));
  mouse.click(QPointF(10 + QGuiApplication::styleHints()->mouseDoubleClickDistance() + 1, 10));
  EXPECT_EQ(clicked.count(), 0) << "too far from the first";

  mouse.wait(doubleClickInterval() * 2);
  mouse.click(QPointF(10, 10));
  mouse.drag(QPointF(10, 10), QPointF(40, 10));
  mouse.click(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0) << "a drag between";

  mouse.wait(doubleClickInterval() * 2);
  mouse.click(QPointF(10, 10));
  SyntheticMouse earlier(&canvas);  // its clock stands before the first one's
  earlier.click(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0) << "time ran backwards";
  earlier.click(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Clicks, FewerThanOneRequiredClickIsOne) {
  recognizer->setNumberOfClicksRequired(0);
  EXPECT_EQ(recognizer->numberOfClicksRequired(), 1);
  mouse.click(QPointF(5, 5));
  EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Clicks, EscapeOrALostReleaseEndsThePressWithoutAClick) {
  QWidget focus;
  mouse.press(QPointF(10, 10));
  QTest::keyClick(&focus, Qt::Key_Escape);
  mouse.release(QPointF(10, 10));
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(recognizer->state(), State::failed);

  canvas.setMouseTracking(true);  // Qt drops moves without buttons otherwise
  mouse.press(QPointF(10, 10));
  QMouseEvent buttonsUp(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&canvas, &buttonsUp);
  EXPECT_EQ(recognizer->state(), State::failed);
}

TEST(ClickRecognizers, AllRecognisersAndTheCanvasSeeEveryPressInDocumentCoordinates) {
  StandardScrollView view;
  auto* canvas = new Canvas;
  view.setCanvas(canvas);
  view.resize(200, 200);
  view.show();
  view.setDocumentSize(QSizeF(1000, 1000));
  view.scrollToPoint(QPointF(100, 300));

  auto* single = new ClickGestureRecognizer(canvas);
  auto* twice = new ClickGestureRecognizer(canvas);
  twice->setNumberOfClicksRequired(2);
  auto* pan = new PanGestureRecognizer(canvas);
  QSignalSpy singles(single, &ClickGestureRecognizer::clicked);
  QSignalSpy doubles(twice, &ClickGestureRecognizer::clicked);

  SyntheticMouse mouse(canvas);
  mouse.click(QPointF(10, 20));
  mouse.doubleClickPress(QPointF(10, 20));
  mouse.release(QPointF(10, 20));
  EXPECT_EQ(canvas->presses, 2);
  EXPECT_EQ(singles.count(), 2);
  ASSERT_EQ(doubles.count(), 1);
  EXPECT_EQ(doubles.at(0).at(0).toPointF(), QPointF(110, 320));
  EXPECT_EQ(pan->state(), State::failed) << "the pan saw them too, and no drag";
}

}  // namespace
}  // namespace vorlent
