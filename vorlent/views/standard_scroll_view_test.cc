#include "vorlent/views/standard_scroll_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

#include <cmath>
#include <limits>
#include <ostream>

#include "vorlent/views/banded_scroll_bar_style.h"
#include "vorlent/views/mouse_input_testing.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRectF& r, std::ostream* os) {
  *os << "(" << r.x() << ", " << r.y() << " " << r.width() << "x" << r.height() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
QT_END_NAMESPACE

namespace vorlent {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Paints a white document with a red mark at a fixed document position,
// the way a view's canvas paints, and counts the presses that reach it.
class MarkedCanvas : public QWidget {
 public:
  static constexpr QRect kMark{500, 500, 20, 20};
  QRectF lastExposedDocumentRect;
  int presses = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    lastExposedDocumentRect =
        StandardScrollView::forCanvas(this)->translateToDocument(painter, event->rect());
    painter.fillRect(lastExposedDocumentRect, Qt::white);
    painter.fillRect(kMark, Qt::red);
  }
  void mousePressEvent(QMouseEvent* event) override {
    ++presses;
    event->accept();
  }
};

// A 400 x 300 view without shown bars over a 1000 x 2000 document.
class ScrollView : public ::testing::Test {
 protected:
  void SetUp() override {
    view.setCanvas(canvas);
    view.setHasVerticalScroller(false);
    view.setHasHorizontalScroller(false);
    view.resize(400, 300);
    view.show();
    view.setDocumentSize(QSizeF(1000, 2000));
  }

  StandardScrollView view;
  MarkedCanvas* canvas = new MarkedCanvas;  // owned by the view
};

TEST_F(ScrollView, TheVisibleRectangleIsTheOffsetWithTheViewportsSize) {
  EXPECT_EQ(view.canvas(), canvas);
  EXPECT_EQ(view.documentVisibleRect(), QRectF(0, 0, 400, 300));
  view.scrollToPoint(QPointF(250.4, 10.6));
  EXPECT_EQ(view.documentVisibleRect(), QRectF(250, 11, 400, 300));
  EXPECT_EQ(view.documentPoint(QPointF(5, 5)), QPointF(255, 16));
  EXPECT_EQ(view.viewportPoint(QPointF(255, 16)), QPointF(5, 5));
}

TEST_F(ScrollView, ScrollingToAPointStaysInsideTheDocument) {
  view.scrollToPoint(QPointF(1e12, -5));
  EXPECT_EQ(view.scrollOffset(), QPoint(600, 0));
  view.scrollToPoint(QPointF(-kInfinity, kInfinity));
  EXPECT_EQ(view.scrollOffset(), QPoint(0, 1700));
  view.scrollToPoint(QPointF(kNaN, 40));
  EXPECT_EQ(view.scrollOffset(), QPoint(0, 40)) << "a NaN keeps its axis";
}

TEST_F(ScrollView, ADocumentSmallerThanTheViewportDoesNotScroll) {
  view.setDocumentSize(QSizeF(100, 50));
  view.scrollToPoint(QPointF(30, 30));
  EXPECT_EQ(view.documentVisibleRect(), QRectF(0, 0, 400, 300)) << "not cut to the document";
}

TEST_F(ScrollView, AFractionalDocumentCanShowItsLastPartialPixel) {
  view.setDocumentSize(QSizeF(1000.25, 300.5));
  view.scrollToPoint(QPointF(kInfinity, kInfinity));
  EXPECT_EQ(view.scrollOffset(), QPoint(601, 1));
}

TEST_F(ScrollView, AShrinkingDocumentPullsTheOffsetBackAndSaysSo) {
  view.scrollToPoint(QPointF(600, 1700));
  QSignalSpy bounds(&view, &StandardScrollView::boundsDidChange);
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  view.setDocumentSize(QSizeF(500, 2000));
  EXPECT_EQ(view.scrollOffset(), QPoint(100, 1700));
  EXPECT_EQ(bounds.count(), 1);
  EXPECT_EQ(live.count(), 0);
}

TEST_F(ScrollView, HugeAndNonFiniteDocumentsAreClampedOrRefused) {
  constexpr double kMax = StandardScrollView::kMaximumDocumentLength;
  view.setDocumentSize(QSizeF(kInfinity, 40'000'000));  // a million rows of 40
  EXPECT_EQ(view.documentSize(), QSizeF(kMax, 40'000'000));
  const int lastX = static_cast<int>(kMax) - 400;
  view.scrollToPoint(QPointF(lastX - 1, 40'000'000 - 300 - 1));
  EXPECT_EQ(view.scrollOffset(), QPoint(lastX - 1, 39'999'699)) << "exact near the end";
  view.scrollToPoint(QPointF(1e300, 1e300));
  EXPECT_EQ(view.scrollOffset(), QPoint(lastX, 39'999'700));

  view.setDocumentSize(QSizeF(kNaN, 10));
  EXPECT_EQ(view.documentSize(), QSizeF(kMax, 40'000'000)) << "a NaN is refused";
  view.setDocumentSize(QSizeF(-5, 1e18));
  EXPECT_EQ(view.documentSize(), QSizeF(0, StandardScrollView::kLongestMappedDocument));
}

TEST_F(ScrollView, ADocumentLongerThanTheScrollRangeIsMappedOntoItEndToEnd) {
  constexpr double kMax = StandardScrollView::kMaximumDocumentLength;
  const double length = 3 * kMax + 0.5;
  view.setDocumentSize(QSizeF(length, 2000));
  EXPECT_EQ(view.documentSize(), QSizeF(length, 2000));
  EXPECT_LE(view.horizontalScrollBar()->maximum(), kMax);
  view.scrollToPoint(QPointF(kInfinity, 0));
  EXPECT_EQ(view.documentVisibleRect().right(), length) << "the far end";
  // A span anywhere is brought into view, by the least movement.
  for (const double x : {2e9, 1.5e9, 5.0}) {
    view.scrollRectToVisible(QRectF(x, 0, 120, 0));
    const QRectF shown = view.documentVisibleRect();
    EXPECT_LE(shown.left(), x);
    EXPECT_GE(shown.right(), x + 120);
    EXPECT_EQ(view.documentPoint(view.viewportPoint(QPointF(x, 7))), QPointF(x, 7));
  }
  // What the canvas paints is where the visible rectangle says.
  view.scrollRectToVisible(QRectF(MarkedCanvas::kMark));
  EXPECT_EQ(view.grab().toImage().pixelColor(
                view.viewportPoint(QPointF(MarkedCanvas::kMark.center())).toPoint()),
            QColor(Qt::red));
}

TEST_F(ScrollView, EveryPixelOfADocumentWhoseStepsOutgrowTheViewportCanBeScrolledTo) {
  // Each step of the bar moves this document by some 4,000 pixels, ten
  // viewports.
  const double length = 4096 * StandardScrollView::kMaximumDocumentLength;
  view.setDocumentSize(QSizeF(length, 2000));
  for (const double x : {3e12 + 123, 1e9 + 7, 17.0}) {
    view.scrollRectToVisible(QRectF(x, 0, 20, 0));
    const QRectF shown = view.documentVisibleRect();
    EXPECT_LE(shown.left(), x);
    EXPECT_GE(shown.right(), x + 20);
    view.scrollToPoint(QPointF(x, 0));
    EXPECT_EQ(view.documentVisibleRect().left(), x);
  }
  // Painted there, and the user's keys still reach both ends.
  view.scrollToPoint(QPointF(MarkedCanvas::kMark.topLeft()) - QPointF(100, 100));
  EXPECT_EQ(view.grab().toImage().pixelColor(110, 110), QColor(Qt::red));
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.documentVisibleRect().bottom(), 2000);
  view.scrollToPoint(QPointF(kInfinity, 0));
  EXPECT_EQ(view.documentVisibleRect().right(), length);
}

TEST_F(ScrollView, AMappedDocumentKeepsItsPlaceWhenTheViewportOrTheDocumentChanges) {
  const double length = 4096 * StandardScrollView::kMaximumDocumentLength;
  view.setDocumentSize(QSizeF(length, 2000));
  view.scrollToPoint(QPointF(3e12 + 123, 0));
  view.resize(390, 300);
  EXPECT_EQ(view.documentVisibleRect().left(), 3e12 + 123);
  view.setDocumentSize(QSizeF(length + 1e9, 2000));
  EXPECT_EQ(view.documentVisibleRect().left(), 3e12 + 123);
  view.setDocumentSize(QSizeF(1000, 2000));
  EXPECT_EQ(view.documentVisibleRect().left(), 610) << "pulled back into a short one";
}

TEST_F(ScrollView, TheWheelAndTheArrowsMoveAMappedDocumentByPoints) {
  view.setDocumentSize(QSizeF(4096 * StandardScrollView::kMaximumDocumentLength, 2000));
  view.scrollToPoint(QPointF(1e12, 0));
  const double notch = QGuiApplication::styleHints()->wheelScrollLines() *
                       StandardScrollView::kLineStep;
  testing::sendWheel(canvas, QPoint(-120, 0));
  EXPECT_EQ(view.documentVisibleRect().left(), 1e12 + notch);
  testing::sendWheel(canvas, QPoint(), QPoint(7, 0));
  EXPECT_EQ(view.documentVisibleRect().left(), 1e12 + notch - 7);
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_EQ(view.documentVisibleRect().left(), 1e12 + notch - 7 + StandardScrollView::kLineStep)
      << "the arrow keys too";
}

TEST_F(ScrollView, RightToLeftTheHorizontalBarAndArrowsRunWithTheDocument) {
  // The canvas draws left to right in either layout, so its bar and keys do.
  view.setHasHorizontalScroller(true);
  view.scrollToPoint(QPointF(200, 0));
  const QImage leftToRight = view.horizontalScrollBar()->grab().toImage();
  view.setLayoutDirection(Qt::RightToLeft);
  EXPECT_EQ(view.horizontalScrollBar()->grab().toImage(), leftToRight);
  QTest::keyClick(&view, Qt::Key_Left);
  EXPECT_EQ(view.scrollOffset().x(), 200 - StandardScrollView::kLineStep);
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_EQ(view.scrollOffset().x(), 200);
}

struct RectCase {
  const char* name;
  QRectF rect;
  QPoint expectedOffset;
};

// From the offset (300, 500), showing (300, 500) to (700, 800).
class ScrollRectToVisible : public ScrollView, public ::testing::WithParamInterface<RectCase> {};

TEST_P(ScrollRectToVisible, MovesLeastAndStaysInsideTheDocument) {
  view.scrollToPoint(QPointF(300, 500));
  const RectCase& c = GetParam();
  const bool moved = view.scrollRectToVisible(c.rect);
  EXPECT_EQ(view.scrollOffset(), c.expectedOffset);
  EXPECT_EQ(moved, c.expectedOffset != QPoint(300, 500));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollRectToVisible,
    ::testing::Values(
        RectCase{"Visible", QRectF(350, 550, 100, 100), QPoint(300, 500)},
        RectCase{"TouchingTheEnds", QRectF(300, 500, 400, 300), QPoint(300, 500)},
        RectCase{"BeforeTheStartOnBothAxes", QRectF(100, 450, 50, 20), QPoint(100, 450)},
        RectCase{"PastTheEndOnBothAxes", QRectF(690, 790, 30, 40), QPoint(320, 530)},
        RectCase{"LongerThanTheViewportFromItsStart", QRectF(350, 600, 500, 10), QPoint(350, 500)},
        RectCase{"LongerAndReachingBack", QRectF(100, 500, 900, 0), QPoint(100, 500)},
        RectCase{"AZeroSizeRectangleIsAPoint", QRectF(750, 450, 0, 0), QPoint(350, 450)},
        RectCase{"NegativeSizesAreNormalised", QRectF(760, 500, -20, 0), QPoint(360, 500)},
        RectCase{"FractionalEdgesAreShownWhole", QRectF(700, 200.5, 10.2, 10), QPoint(311, 200)},
        RectCase{"ClampedToTheDocument", QRectF(2000, 5000, 10, 10), QPoint(600, 1700)},
        RectCase{"BeforeTheDocument", QRectF(-100, -100, 10, 10), QPoint(0, 0)},
        RectCase{"NotFinite", QRectF(kNaN, 0, 10, 10), QPoint(300, 500)},
        RectCase{"Infinite", QRectF(0, 0, kInfinity, 10), QPoint(300, 500)}),
    [](const auto& c) { return c.param.name; });

TEST_F(ScrollView, ASpanWholePixelsCannotShowEntireIsShownFromItsStartAndStaysPut) {
  // As long as the viewport and starting between two pixels.
  for (const double start : {100.5, 99.75}) {
    view.scrollToPoint(QPointF(300, 0));
    for (int request = 0; request < 3; ++request) {
      view.scrollRectToVisible(QRectF(start, 0, 400, 0));
      EXPECT_EQ(view.scrollOffset().x(), std::floor(start)) << start << ", request " << request;
    }
    view.scrollToPoint(QPointF(0, 0));
    view.scrollRectToVisible(QRectF(start, 0, 400, 0));
    EXPECT_EQ(view.scrollOffset().x(), std::floor(start)) << "from before it, too";
  }
}

TEST_F(ScrollView, EdgesAHairFromAWholePixelCountAsOnIt) {
  // Spans and documents computed from times, as long as the viewport.
  view.scrollToPoint(QPointF(300, 0));
  view.scrollRectToVisible(QRectF(99.9999999, 0, 400, 0));
  EXPECT_EQ(view.scrollOffset().x(), 100);
  view.scrollToPoint(QPointF(0, 0));
  view.scrollRectToVisible(QRectF(100.0000001, 0, 399.9999999, 0));
  EXPECT_EQ(view.scrollOffset().x(), 100);
  view.setDocumentSize(QSizeF(1000.0000001, 2000));
  view.scrollToPoint(QPointF(kInfinity, 0));
  EXPECT_EQ(view.scrollOffset().x(), 600) << "no pixel of nothing at the end";
}

TEST_F(ScrollView, BoundsChangeOnceForEveryRealChangeAndNeverForNothing) {
  QSignalSpy bounds(&view, &StandardScrollView::boundsDidChange);
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  view.scrollToPoint(QPointF(40, 70));
  EXPECT_EQ(bounds.count(), 1) << "both axes at once are one change";
  view.scrollToPoint(QPointF(40, 70));
  view.scrollRectToVisible(QRectF(50, 80, 10, 10));
  view.setDocumentSize(QSizeF(1000, 2000));
  EXPECT_EQ(bounds.count(), 1) << "no-ops";
  view.resize(350, 300);
  EXPECT_EQ(bounds.count(), 2) << "a resize";
  EXPECT_EQ(view.documentVisibleRect(), QRectF(40, 70, 350, 300));
  EXPECT_EQ(view.horizontalScrollBar()->pageStep(), 350);
  EXPECT_EQ(live.count(), 0) << "nothing the user did";
}

TEST_F(ScrollView, AReceiverMayDestroyTheViewWhenTheBoundsChange) {
  auto* owned = new StandardScrollView;
  owned->resize(100, 100);
  owned->show();
  owned->setDocumentSize(QSizeF(500, 500));
  QObject::connect(owned, &StandardScrollView::boundsDidChange, [owned] { delete owned; });
  owned->scrollToPoint(QPointF(10, 10));  // ASan reports any touch after this
}

TEST_F(ScrollView, TheWheelScrollsLiveInLinesOrPixels) {
  QSignalSpy bounds(&view, &StandardScrollView::boundsDidChange);
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  const int notch = QGuiApplication::styleHints()->wheelScrollLines() * StandardScrollView::kLineStep;

  testing::sendWheel(canvas, QPoint(0, -120));  // towards the user: down the document
  EXPECT_EQ(view.scrollOffset(), QPoint(0, notch));
  testing::sendWheel(canvas, QPoint(), QPoint(-7, 5));  // a touchpad, both axes
  EXPECT_EQ(view.scrollOffset(), QPoint(7, notch - 5));
  testing::sendWheel(canvas, QPoint(0, -120), QPoint(), Qt::ShiftModifier);
  EXPECT_EQ(view.scrollOffset(), QPoint(7 + notch, notch - 5)) << "Shift turns it sideways";
  EXPECT_EQ(bounds.count(), 3);
  EXPECT_EQ(live.count(), 3);
}

TEST_F(ScrollView, AFineWheelLosesNoDistanceAndAnEndStopsIt) {
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  const int notch = QGuiApplication::styleHints()->wheelScrollLines() * StandardScrollView::kLineStep;
  for (int i = 0; i < 8; ++i) testing::sendWheel(canvas, QPoint(0, -15));  // eighths of a notch
  EXPECT_EQ(view.scrollOffset().y(), notch);

  view.scrollToPoint(QPointF(0, 0));
  live.clear();
  const QPointF at = QRectF(canvas->rect()).center();
  QWheelEvent up(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(canvas, &up);
  EXPECT_FALSE(up.isAccepted()) << "left for an enclosing area";
  EXPECT_EQ(live.count(), 0);
  testing::sendWheel(canvas, QPoint(0, -15));
  EXPECT_GT(view.scrollOffset().y(), 0) << "no remainder held back at the end";
}

TEST_F(ScrollView, ScrollBarsAndKeysScrollLiveEvenWhenTheBarIsHidden) {
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  QTest::keyClick(&view, Qt::Key_PageDown);
  EXPECT_EQ(view.scrollOffset(), QPoint(0, 300));
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_EQ(view.scrollOffset(), QPoint(StandardScrollView::kLineStep, 300));
  EXPECT_EQ(live.count(), 2);

  // A drag of the slider, as QScrollBar runs one.
  QScrollBar* bar = view.verticalScrollBar();
  bar->setSliderDown(true);
  bar->setSliderPosition(1000);
  bar->setSliderDown(false);
  EXPECT_EQ(view.scrollOffset().y(), 1000);
  EXPECT_EQ(live.count(), 3);

  bar->setValue(20);  // code, not the user
  EXPECT_EQ(live.count(), 3);
  QTest::keyClick(&view, Qt::Key_Left);
  QTest::keyClick(&view, Qt::Key_Left);
  EXPECT_EQ(live.count(), 4) << "the second key had nowhere to go";
}

TEST_F(ScrollView, AClickOnAShownScrollBarScrollsLive) {
  view.setHasVerticalScroller(true);
  QSignalSpy live(&view, &StandardScrollView::didLiveScroll);
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, bar->height() - 3));
  EXPECT_GT(view.scrollOffset().y(), 0);
  EXPECT_EQ(live.count(), 1);
}

TEST_F(ScrollView, ScrollerPoliciesDecideTheViewportsRoom) {
  EXPECT_FALSE(view.hasVerticalScroller());
  EXPECT_EQ(canvas->size(), view.size());
  view.setHasVerticalScroller(true);
  EXPECT_TRUE(view.hasVerticalScroller());
  EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(canvas->width(), 400 - view.verticalScrollBar()->sizeHint().width());
  EXPECT_EQ(view.documentVisibleRect().width(), canvas->width());
  view.setDocumentSize(QSizeF(10, 10));
  EXPECT_TRUE(view.verticalScrollBar()->isVisible()) << "always, even with nothing to scroll";
}

TEST_F(ScrollView, TheCanvasPaintsTheExposedDocumentAndGetsItsOwnMouseEvents) {
  view.scrollToPoint(QPointF(450, 470));
  const QImage image = view.grab().toImage();
  EXPECT_EQ(canvas->lastExposedDocumentRect, QRectF(450, 470, 400, 300));
  EXPECT_EQ(image.pixelColor(50 + 5, 30 + 5), QColor(Qt::red));  // the mark at (500, 500)
  EXPECT_EQ(image.pixelColor(45, 25), QColor(Qt::white));

  testing::SyntheticMouse(canvas).click(QPointF(10, 10));
  EXPECT_EQ(canvas->presses, 1);
  EXPECT_EQ(StandardScrollView::forCanvas(canvas), &view);
  QWidget unrelated;
  EXPECT_EQ(StandardScrollView::forCanvas(&unrelated), nullptr);
  EXPECT_EQ(StandardScrollView::forCanvas(&view), nullptr);
}

// A scroll bar as tall as the view is drawn in bands, so Qt keeps its fills
// on this thread; its pixels are those its style draws in one go.
TEST(ScrollViewBars, ATallBarShowsThePixelsOfItsStyle) {
  StandardScrollView view;
  view.setCanvas(new MarkedCanvas);
  view.setHasVerticalScroller(true);
  view.resize(300, 900);
  view.show();
  view.setDocumentSize(QSizeF(300, 9000));
  QScrollBar* bar = view.verticalScrollBar();
  ASSERT_GT(bar->height(), 800);
  for (const int value : {0, 1234, 4321, 8100}) {
    bar->setStyle(BandedScrollBarStyle::instance());
    bar->setValue(value);
    const QImage inBands = bar->grab().toImage();
    bar->setStyle(QApplication::style());
    EXPECT_TRUE(inBands == bar->grab().toImage()) << value;
  }
}

}  // namespace
}  // namespace vorlent
