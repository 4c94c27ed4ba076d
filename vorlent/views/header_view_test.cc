#include "vorlent/views/header_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_protocols.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/views/appearance_mode_provider.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_canvas.h"
#include "vorlent/views/header_view_testing.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/pan_gesture_recognizer.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::kHeaderStart;
using testing::makeHeaderController;
using testing::makeShownHeader;
using testing::SyntheticMouse;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Logs the assignments of the references a view makes, in order.
class LoggingHeaderController : public GanttChartHeaderController {
 public:
  LoggingHeaderController()
      : GanttChartHeaderController(TimeRange(kHeaderStart, kHeaderStart.addingWeeks(5))) {}

  void setPresenter(std::weak_ptr<GanttChartHeaderPresenter> presenter) override {
    log(presenter.expired() ? "presenter cleared" : "presenter");
    GanttChartHeaderController::setPresenter(std::move(presenter));
  }
  void setScroller(std::weak_ptr<GanttChartHeaderScroller> scroller) override {
    log(scroller.expired() ? "scroller cleared" : "scroller");
    GanttChartHeaderController::setScroller(std::move(scroller));
  }
  void setObserver(std::weak_ptr<GanttChartHeaderObserver> observer) override {
    log(observer.expired() ? "observer cleared" : "observer");
    GanttChartHeaderController::setObserver(std::move(observer));
  }
  void setModeProvider(std::shared_ptr<const ModeProvider> provider) override {
    log(provider ? "mode provider" : "mode provider cleared");
    GanttChartHeaderController::setModeProvider(std::move(provider));
  }
  void setViewport(const Rectangle& viewport) override {
    log("viewport");
    GanttChartHeaderController::setViewport(viewport);
  }

  std::vector<std::string> calls;

 private:
  void log(std::string call) { calls.push_back(std::move(call)); }
};

// A header whose total size is whatever the test says.
class SizedHeaderController : public GanttChartHeaderController {
 public:
  explicit SizedHeaderController(double width)
      : GanttChartHeaderController(TimeRange(kHeaderStart, kHeaderStart.addingWeeks(5))),
        width_(width) {}
  [[nodiscard]] Size totalDiagramHeaderSize() const override {
    return Size{width_, GanttChartHeaderController::totalDiagramHeaderSize().height};
  }

 private:
  double width_;
};

// Runs a function on each notification of the header's timeline and
// viewport observers.
class NotificationHook : public GanttChartHeaderTimelineObserver,
                         public GanttChartHeaderViewportObserver {
 public:
  // Each runs a copy, so a function may replace itself.
  void visibleTimelineDidChange() override {
    if (auto run = onVisibleTimeline) run();
  }
  void zoomDidChange(double /*to*/, double /*from*/) override {
    if (auto run = onZoom) run();
  }
  std::function<void()> onVisibleTimeline;
  std::function<void()> onZoom;
};

// A shown 700 x 50 header over five weeks (2100 points) of weeks over days.
class HeaderView : public ::testing::Test {
 protected:
  void SetUp() override { header->setController(controller); }

  [[nodiscard]] QWidget* canvas() const { return header->clipView(); }
  [[nodiscard]] StandardScrollView& scrollView() const { return *header->scrollView(); }
  [[nodiscard]] double centreX() const {
    return controller->x(controller->visibleTimelineCenter());
  }
  void beginPan(QPointF at) {
    mouse.press(at);
    mouse.moveTo(at + QPointF(30, 0));
  }

  std::unique_ptr<GanttChartHeader> header = makeShownHeader(700, 50);
  std::shared_ptr<GanttChartHeaderController> controller = makeHeaderController();
  SyntheticMouse mouse{header->clipView()};
};

// A header that builds its own structure (the scroll view framed by a
// margin) and counts the pans it handles before zooming as usual.
class FramedHeader : public GanttChartHeader {
 public:
  explicit FramedHeader(bool withPan) : GanttChartHeader(nullptr, DeferredSetUp{}), withPan_(withPan) {
    setUp();
  }
  int pans = 0;
  [[nodiscard]] QWidget* frame() const { return contentView(); }

 protected:
  void setUpHeaderView() override {
    contentView_ = new QWidget(this);
    auto* scrollView = new StandardScrollView(contentView_.data());
    auto* canvas = new GanttChartHeaderCanvas;
    scrollView->setCanvas(canvas);
    scrollView->setGeometry(10, 0, 700, 50);
    scrollView_ = scrollView;
    canvas_ = canvas;
    canvas->setMainView(this);
    if (!withPan_) return;
    pan_ = new DraggingPanGestureRecognizer(canvas);
    connect(pan_, &PanGestureRecognizer::panned, this, [this] { panWithRecognizer(*pan_); });
  }
  void panWithRecognizer(DraggingPanGestureRecognizer& recognizer) override {
    ++pans;
    GanttChartHeader::panWithRecognizer(recognizer);
  }

 private:
  bool withPan_;
};

TEST(HeaderViewStructure, ASubclassMayBuildItsOwnStructureAndHandleThePan) {
  FramedHeader header(true);
  header.resize(720, 50);
  header.frame()->resize(720, 50);
  header.show();
  auto controller = makeHeaderController();
  header.setController(controller);
  EXPECT_EQ(header.scrollView()->parentWidget(), header.frame());
  SyntheticMouse mouse(header.clipView());
  mouse.drag(QPointF(300, 20), QPointF(348, 20), 6);
  EXPECT_GT(header.pans, 0);
  EXPECT_EQ(controller->zoom(), 2);
  EXPECT_DEATH(FramedHeader(false), "left the outlet pan recognizer empty");
}

TEST_F(HeaderView, AttachingMakesTheViewPresenterScrollerObserverAndAppearanceSource) {
  EXPECT_EQ(header->controller(), controller);
  EXPECT_EQ(controller->presenter().get(), header.get());
  EXPECT_EQ(controller->scroller().get(), header.get());
  EXPECT_EQ(controller->observer().get(), header.get());
  const auto* provider =
      dynamic_cast<const AppearanceModeProvider*>(controller->modeProvider().get());
  ASSERT_NE(provider, nullptr);
  EXPECT_EQ(provider->source(), header.get());
  EXPECT_EQ(scrollView().documentSize(), QSizeF(2100, 50));
  EXPECT_EQ(controller->viewport(), Rectangle(0, 0, 700, 50));
  EXPECT_EQ(controller->rowHeight(), 25);
}

// A host that rescales the header when the controller announces the first
// viewport a view writes into it.
class RescalingHost : public GanttChartHeaderViewportObserver {
 public:
  GanttChartHeaderController* controller = nullptr;
  double hourWidth = 0;
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override {
    if (hourWidth > 0) controller->setHourWidth(std::exchange(hourWidth, 0));
  }
};

TEST(HeaderViewAttachment, AHeaderRescaledWhileTheViewTakesItsControllerIsShownInFull) {
  auto header = makeShownHeader(700, 50);
  auto controller = makeHeaderController();
  auto host = std::make_shared<RescalingHost>();
  host->controller = controller.get();
  host->hourWidth = controller->hourWidth() * 2;
  controller->setViewportObserver(host);
  header->setController(controller);
  ASSERT_EQ(host->hourWidth, 0);
  EXPECT_EQ(header->scrollView()->documentSize(), QSizeF(4200, 50));
}

TEST(HeaderViewAttachment, AttachesAndDetachesInTheirOrder) {
  const auto header = makeShownHeader(700, 50);
  const auto first = std::make_shared<LoggingHeaderController>();
  header->setController(first);
  EXPECT_EQ(first->calls, (std::vector<std::string>{"presenter", "viewport", "scroller", "observer",
                                                    "mode provider"}));
  first->calls.clear();

  const auto second = std::make_shared<LoggingHeaderController>();
  header->setController(second);
  EXPECT_EQ(first->calls, (std::vector<std::string>{"mode provider cleared", "observer cleared",
                                                    "scroller cleared", "presenter cleared"}));
  EXPECT_EQ(second->presenter().get(), header.get());

  second->calls.clear();
  header->setController(nullptr);
  EXPECT_EQ(header->controller(), nullptr);
  EXPECT_EQ(second->observer(), nullptr);
  EXPECT_EQ(second->modeProvider(), nullptr);
  header->scrollTo(1500, 1600);  // nothing to show or write into
  EXPECT_EQ(header->scrollView()->scrollOffset(), QPoint(0, 0));
  EXPECT_EQ(second->calls.size(), 4U);
}

TEST(HeaderViewAttachment, AViewThatLostItsControllerToAnotherWritesNothingIntoIt) {
  const auto first = makeShownHeader(700, 50);
  const auto second = makeShownHeader(500, 40);
  const auto controller = makeHeaderController();
  first->setController(controller);
  second->setController(controller);
  const Rectangle shown = controller->viewport();
  ASSERT_EQ(shown, fromQt(second->scrollView()->documentVisibleRect()));
  first->resize(600, 60);
  first->scrollTo(1000, 1100);
  testing::sendWheel(first->clipView(), QPoint(-120, 0));
  EXPECT_EQ(controller->viewport(), shown);
  first->setController(nullptr);
  EXPECT_EQ(controller->observer().get(), second.get());
  EXPECT_EQ(controller->scroller().get(), second.get());
  EXPECT_EQ(controller->presenter().get(), second.get());
  EXPECT_NE(controller->modeProvider(), nullptr);
  second->resize(450, 40);
  EXPECT_EQ(controller->viewport(), fromQt(second->scrollView()->documentVisibleRect()));
}

TEST(HeaderViewAttachment, AControllerLeftBehindFallsBackToItsOwnMode) {
  const auto header = makeShownHeader(700, 50);
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(20, 20, 24));
  header->setPalette(dark);
  const auto controller = makeHeaderController();
  header->setController(controller);
  ASSERT_EQ(controller->actualMode(), Mode::dark);
  controller->draw(controller->viewport());  // records the dark style
  header->setController(nullptr);
  EXPECT_EQ(controller->actualMode(), Mode::light);
}

TEST_F(HeaderView, AHeaderNarrowerThanTheViewIsShownFromItsStartAcrossTheWholeView) {
  controller->setScrollableTimeline(TimeRange(kHeaderStart, kHeaderStart.addingWeeks(1)));
  EXPECT_EQ(scrollView().documentSize(), QSizeF(700, 50));
  EXPECT_EQ(controller->viewport(), Rectangle(0, 0, 700, 50));
  header->scrollTo(300, 400);
  EXPECT_EQ(controller->viewport(), Rectangle(0, 0, 700, 50));
}

TEST_F(HeaderView, ScrollingToASpanMovesLeastAndWritesTheViewportAtOnce) {
  header->scrollTo(1000, 1100);  // beyond the right edge
  EXPECT_EQ(scrollView().documentVisibleRect(), QRectF(400, 0, 700, 50));
  EXPECT_EQ(controller->viewport(), Rectangle(400, 0, 700, 50));
  header->scrollTo(100, 150);  // before the left edge
  EXPECT_EQ(controller->viewport(), Rectangle(100, 0, 700, 50));
  header->scrollTo(200, 1200);  // wider than the view: from its start
  EXPECT_EQ(controller->viewport(), Rectangle(200, 0, 700, 50));
  header->scrollTo(kNaN, 300);
  header->scrollTo(0, kInfinity);
  EXPECT_EQ(controller->viewport(), Rectangle(200, 0, 700, 50));

  controller->scrollBy(60);  // through the controller, as the chart controller does
  EXPECT_EQ(controller->viewport(), Rectangle(260, 0, 700, 50));
  controller->scrollVisibleTimelineToStartOn(kHeaderStart.addingWeeks(1));
  EXPECT_EQ(controller->viewport(), Rectangle(420, 0, 700, 50));
}

TEST_F(HeaderView, UserScrollingAndResizingWriteTheViewport) {
  testing::sendWheel(canvas(), QPoint(-120, 0));
  const double scrolled = scrollView().scrollOffset().x();
  ASSERT_GT(scrolled, 0);
  EXPECT_EQ(controller->viewport(), Rectangle(scrolled, 0, 700, 50));

  header->resize(500, 60);
  EXPECT_EQ(controller->viewport(), Rectangle(scrolled, 0, 500, 60));
  EXPECT_EQ(scrollView().documentSize(), QSizeF(2100, 60));
  EXPECT_EQ(controller->rowHeight(), 30);
}

TEST(HeaderViewInAChart, StandsOnTheSamePixelAsTheChartAreaItFollows) {
  // An hour width whose x positions, turned into times and back, come out a
  // hair beside whole pixels.
  const auto content = GanttChartContentController::create();
  content->setScrollableTimeline(TimeRange(kHeaderStart, kHeaderStart.addingWeeks(50)));
  content->setHourWidth(3.7);
  const auto headerController = GanttChartHeaderController::create();
  const auto chart = GanttChartController::create(headerController, content);
  const auto header = makeShownHeader(700, 50);
  header->setController(headerController);
  for (int x = 0; x < 1400; x += 7) {
    content->setViewport(Rectangle(x, 0, 700, 300));
    ASSERT_EQ(header->scrollView()->scrollOffset().x(), x);
  }
}

TEST_F(HeaderView, KeepsItsVerticalScrollerPolicySettableForTheChartBelow) {
  EXPECT_FALSE(scrollView().hasVerticalScroller());
  scrollView().setHasVerticalScroller(true);
  const int barWidth = scrollView().verticalScrollBar()->width();
  ASSERT_GT(barWidth, 0);
  EXPECT_EQ(canvas()->width(), 700 - barWidth);
  EXPECT_EQ(controller->viewport().width(), 700 - barWidth);
  EXPECT_EQ(scrollView().documentSize().height(), 50) << "the header never scrolls vertically";
}

TEST(HeaderViewGeometry, AnInfiniteHeaderIsCutToTheLongestDocumentAndStillScrolls) {
  const auto header = makeShownHeader(700, 50);
  const auto controller = std::make_shared<SizedHeaderController>(kInfinity);
  header->setController(controller);
  constexpr double kLongest = StandardScrollView::kMaximumDocumentLength;
  EXPECT_EQ(header->scrollView()->documentSize(), QSizeF(kLongest, 50));
  header->scrollTo(1e9, 1e9 + 100);
  EXPECT_EQ(controller->viewport(), Rectangle(1e9 + 100 - 700, 0, 700, 50));
  testing::sendWheel(header->clipView(), QPoint(-120, 0));
  EXPECT_GT(controller->viewport().left(), 1e9 - 600);
  header->scrollTo(2e9, 2e9);
  EXPECT_EQ(controller->viewport(), Rectangle(kLongest - 700, 0, 700, 50));
}

TEST(HeaderViewGeometry, ANaNOrNegativeHeaderWidthScrollsNowhere) {
  for (const double width : {kNaN, -50.0}) {
    const auto header = makeShownHeader(700, 50);
    const auto controller = std::make_shared<SizedHeaderController>(width);
    header->setController(controller);
    EXPECT_EQ(header->scrollView()->documentSize(), QSizeF(700, 50));
    EXPECT_EQ(controller->viewport(), Rectangle(0, 0, 700, 50));
  }
}

// --- Zooming by dragging ------------------------------------------------------------

TEST_F(HeaderView, A48PointDragZoomsToTwoAroundTheCentreAndLeavesNoDragState) {
  header->scrollTo(700, 1400);
  const Time centre = controller->visibleTimelineCenter();
  mouse.drag(QPointF(300, 20), QPointF(348, 20), 6);
  EXPECT_EQ(controller->zoom(), 2);
  EXPECT_FALSE(controller->draggingFromX().has_value());
  EXPECT_FALSE(controller->zoomingFrom().has_value());
  EXPECT_FALSE(controller->zoomingTime().has_value());
  EXPECT_EQ(scrollView().documentSize(), QSizeF(4200, 50));
  EXPECT_NEAR(centreX(), controller->x(centre), 1) << "the centre stays where it was";

  mouse.drag(QPointF(300, 20), QPointF(252, 20), 6);
  EXPECT_EQ(controller->zoom(), 1) << "48 points back reach 1 exactly";
  mouse.drag(QPointF(300, 20), QPointF(276, 20), 6);
  EXPECT_DOUBLE_EQ(controller->zoom(), 0.6);
}

TEST_F(HeaderView, EscapeCancelsAPanAndTheNextOneStartsAfresh) {
  beginPan(QPointF(300, 20));
  mouse.moveTo(QPointF(348, 20));
  ASSERT_EQ(controller->zoom(), 2);
  QTest::keyClick(header.get(), Qt::Key_Escape);
  mouse.moveTo(QPointF(400, 20));
  mouse.release(QPointF(400, 20));
  EXPECT_EQ(controller->zoom(), 2) << "a cancelled pan zooms no further";
  EXPECT_TRUE(controller->zoomingFrom().has_value()) << "and leaves the drag state";

  mouse.drag(QPointF(300, 20), QPointF(340, 20), 4);
  EXPECT_EQ(controller->zoom(), 3);
  EXPECT_FALSE(controller->zoomingFrom().has_value());
}

TEST_F(HeaderView, AControllerReplacedMidDragEndsTheOldDragAndIgnoresTheRest) {
  beginPan(QPointF(300, 20));
  const double zoomed = controller->zoom();
  const auto next = makeHeaderController();
  header->setController(next);
  EXPECT_FALSE(controller->zoomingFrom().has_value());
  EXPECT_EQ(controller->presenter(), nullptr);

  mouse.moveTo(QPointF(400, 20));
  mouse.release(QPointF(400, 20));
  EXPECT_EQ(controller->zoom(), zoomed);
  EXPECT_EQ(next->zoom(), 1) << "the new controller saw no beginning";
  mouse.drag(QPointF(300, 20), QPointF(348, 20), 6);
  EXPECT_EQ(next->zoom(), 2);
}

TEST_F(HeaderView, TheRestOfAPanSparesAControllerAttachedMidPanThatHoldsAnOldDrag) {
  const auto stale = makeHeaderController();
  stale->beginDragging(Point{0, 0});  // what a cancelled pan leaves behind
  beginPan(QPointF(300, 20));
  header->setController(stale);
  mouse.moveTo(QPointF(400, 20));
  EXPECT_EQ(stale->zoom(), 1);
  mouse.release(QPointF(400, 20));
  EXPECT_TRUE(stale->zoomingFrom().has_value()) << "left for its next pan to replace";
}

TEST_F(HeaderView, AControllerReplacedOrRemovedByANotificationDuringADrag) {
  const auto next = makeHeaderController();
  const auto hook = std::make_shared<NotificationHook>();
  controller->setViewportObserver(hook);
  bool replaced = false;
  hook->onZoom = [&] {
    if (std::exchange(replaced, true)) return;
    header->setController(next);
  };
  beginPan(QPointF(300, 20));
  mouse.moveTo(QPointF(360, 20));
  mouse.release(QPointF(360, 20));
  EXPECT_EQ(header->controller(), next);
  EXPECT_EQ(next->zoom(), 1);
  EXPECT_FALSE(controller->zoomingFrom().has_value());

  next->setViewportObserver(hook);
  hook->onZoom = [&] { header->setController(nullptr); };
  mouse.drag(QPointF(300, 20), QPointF(360, 20), 6);
  EXPECT_EQ(header->controller(), nullptr);
  EXPECT_FALSE(next->zoomingFrom().has_value());
  EXPECT_EQ(next->scroller(), nullptr);
}

// --- Destruction ----------------------------------------------------------------

TEST_F(HeaderView, DestroyedDuringAPanItLeavesItsControllerClean) {
  beginPan(QPointF(300, 20));
  ASSERT_TRUE(controller->zoomingFrom().has_value());
  header.reset();
  EXPECT_FALSE(controller->zoomingFrom().has_value());
  EXPECT_EQ(controller->presenter(), nullptr);
  EXPECT_EQ(controller->scroller(), nullptr);
  EXPECT_EQ(controller->observer(), nullptr);
  EXPECT_EQ(controller->modeProvider(), nullptr);
  controller->setZoom(3);
  controller->scrollBy(100);
  controller->draw(Rectangle(0, 0, 700, 50));
  QWidget other;
  QTest::keyClick(&other, Qt::Key_Escape);  // no gesture left listening
}

TEST_F(HeaderView, DestroyedByANotificationThatItsOwnWorkCaused) {
  const auto hook = std::make_shared<NotificationHook>();
  controller->setTimelineObserver(hook);
  hook->onVisibleTimeline = [&] { header.reset(); };
  controller->scrollBy(100);  // the view scrolls, writes the viewport, and is gone
  EXPECT_EQ(header, nullptr);
  EXPECT_EQ(controller->scroller(), nullptr);

  hook->onVisibleTimeline = nullptr;
  header = makeShownHeader(700, 50);
  header->setController(controller);
  header->scrollTo(1400, 2100);
  hook->onVisibleTimeline = [&] { header.reset(); };
  controller->setZoom(0.5);  // the document shrinks under the offset: the view writes the viewport
  EXPECT_EQ(header, nullptr);

  hook->onVisibleTimeline = nullptr;
  header = makeShownHeader(700, 50);
  hook->onVisibleTimeline = [&] { header.reset(); };
  header->setController(controller);  // while attaching
  EXPECT_EQ(header, nullptr);
  EXPECT_EQ(controller->observer(), nullptr);
}

TEST_F(HeaderView, DeletedLaterByANotificationDuringAPan) {
  const auto hook = std::make_shared<NotificationHook>();
  controller->setViewportObserver(hook);
  QPointer<GanttChartHeader> view(header.release());
  hook->onZoom = [&] {
    if (view != nullptr) view->deleteLater();
  };
  mouse.press(QPointF(300, 20));
  mouse.moveTo(QPointF(340, 20));
  mouse.moveTo(QPointF(360, 20));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(view, nullptr);
  EXPECT_FALSE(controller->zoomingFrom().has_value());
  EXPECT_EQ(controller->observer(), nullptr);
}

TEST_F(HeaderView, AHostThatReplacesTheCanvasMidPanLeavesAViewThatStillSizesAndScrolls) {
  beginPan(QPointF(300, 20));
  scrollView().setCanvas(new QWidget);  // the canvas goes, and its pan recogniser with it
  controller->setZoom(2);
  EXPECT_EQ(scrollView().documentSize(), QSizeF(4200, 50));
  const double left = controller->viewport().left();
  controller->scrollBy(100);
  EXPECT_EQ(controller->viewport(), Rectangle(left + 100, 0, 700, 50));
  header->resize(600, 40);
  header->setController(makeHeaderController());
  EXPECT_EQ(scrollView().documentSize(), QSizeF(2100, 40));
}

// --- Appearance and the design-time sample ---------------------------------------

TEST_F(HeaderView, APaletteChangeReResolvesTheThemeForDarkOrLight) {
  controller->draw(controller->viewport());
  const GanttChartHeaderBaseStyle light = controller->defaultStyle();
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(20, 20, 24));
  header->setPalette(dark);
  EXPECT_EQ(controller->actualMode(), Mode::dark);
  EXPECT_NE(controller->defaultStyle().backgroundColor, light.backgroundColor);
  header->setPalette(QPalette());
  EXPECT_EQ(controller->defaultStyle().backgroundColor, light.backgroundColor);
}

TEST(HeaderViewSample, ShowsFiveWeeksOfLabelledDaysFromTheReferenceTime) {
  const auto header = makeShownHeader(700, 25);
  header->prepareForInterfaceBuilder();
  const auto controller = header->controller();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(controller->scrollableTimeline(),
            TimeRange(Time::reference(), Time::reference().addingWeeks(5)));
  ASSERT_EQ(controller->rows().size(), 1U);
  ASSERT_EQ(controller->rows()[0].selectors.size(), 1U);
  EXPECT_NE(controller->rows()[0].selectors[0].labelGenerator, nullptr);
  EXPECT_EQ(controller->presenter().get(), header.get());
  EXPECT_EQ(header->scrollView()->documentSize(), QSizeF(2100, 25));
}

}  // namespace
}  // namespace vorlent
