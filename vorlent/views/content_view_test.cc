#include "vorlent/views/content_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QLayout>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/model/item_source.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using ::testing::Contains;
using testing::ContentViewTest;
using ::testing::ElementsAre;
using ::testing::Not;
using testing::ScriptedContentController;
using testing::SyntheticMouse;

// A controller over `rows` rows of a `hours`-hour timeline (2.5 points an
// hour, 25 points a row).
GanttChartContentControllerPtr diagram(int64_t rows, int64_t hours) {
  auto controller = GanttChartContentController::create();
  controller->setDesiredScrollableRowCount(rows);
  controller->setScrollableTimeline(TimeRange(Time(), Time().addingHours(hours)));
  return controller;
}

// --- Structure ----------------------------------------------------------------------------

TEST(ContentViewStructure, BuildsTheScrolledCanvasItsRecognisersAndThreeMenus) {
  GanttChartContent view;
  ASSERT_NE(view.contentView(), nullptr);
  ASSERT_NE(view.scrollView(), nullptr);
  ASSERT_NE(view.canvas(), nullptr);
  EXPECT_EQ(view.scrollView()->parentWidget(), view.contentView());
  EXPECT_EQ(view.clipView(), view.canvas()) << "the canvas is the scroll view's viewport";
  EXPECT_EQ(view.canvas()->mainView(), &view);
  EXPECT_TRUE(view.canvas()->hasMouseTracking());
  ASSERT_NE(view.activatingClickGestureRecognizer(), nullptr);
  EXPECT_EQ(view.activatingClickGestureRecognizer()->view(), view.canvas());
  EXPECT_EQ(view.emptyAreaMenu()->actions(),
            (QList<QAction*>{view.createItemMenuItem(), view.createMilestoneItemMenuItem()}));
  EXPECT_EQ(view.itemMenu()->actions(),
            (QList<QAction*>{view.editItemMenuItem(), view.deleteItemMenuItem()}));
  EXPECT_EQ(view.dependencyMenu()->actions(),
            (QList<QAction*>{view.editDependencyMenuItem(), view.deleteDependencyMenuItem()}));
  EXPECT_EQ(view.layout()->contentsMargins(), QMargins());
  EXPECT_TRUE(view.gestureRecognizer(view.activatingClickGestureRecognizer(), nullptr));
}

// A subclass that builds the standard structure and then adds to it.
class DecoratedContent : public GanttChartContent {
 public:
  DecoratedContent() : GanttChartContent(nullptr, DeferredSetUp{}) { setUp(); }
  bool decorated = false;

 protected:
  void setUpContentView() override {
    GanttChartContent::setUpContentView();
    decorated = true;
  }
};

TEST(ContentViewStructure, ASubclassMayExtendTheSetUp) {
  DecoratedContent view;
  EXPECT_TRUE(view.decorated);
  EXPECT_NE(view.canvas(), nullptr);
}

// A subclass whose set-up leaves a required outlet empty.
class ContentWithoutActivatingClick : public GanttChartContent {
 public:
  ContentWithoutActivatingClick() : GanttChartContent(nullptr, DeferredSetUp{}) { setUp(); }

 protected:
  void setUpContentView() override {
    GanttChartContent::setUpContentView();
    delete activatingClickGestureRecognizer_.data();
  }
};

TEST(ContentViewStructureDeathTest, ASetUpThatLeavesARequiredOutletEmptyStops) {
  EXPECT_DEATH(ContentWithoutActivatingClick(), "activatingClickGestureRecognizer");
}

// --- Attaching and detaching ---------------------------------------------------------------

TEST(ContentViewWiring, AttachingMakesTheViewPresenterScrollerObserverAndModeSource) {
  GanttChartContent view;
  auto controller = GanttChartContentController::create();
  view.setController(controller);
  EXPECT_EQ(controller->presenter().get(), static_cast<GanttChartContentPresenter*>(&view));
  EXPECT_EQ(controller->scroller().get(), static_cast<GanttChartContentScroller*>(&view));
  EXPECT_EQ(controller->observer().get(), static_cast<GanttChartContentObserver*>(&view));
  ASSERT_NE(controller->modeProvider(), nullptr);
  QPalette dark = view.palette();
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  view.setPalette(dark);
  EXPECT_EQ(controller->actualMode(), Mode::dark) << "the theme follows the view's palette";
}

TEST(ContentViewWiring, ReplacingTheControllerDetachesTheOldOneBeforeAttachingTheNew) {
  GanttChartContent view;
  QPalette dark = view.palette();
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  view.setPalette(dark);
  auto old = ScriptedContentController::create();
  view.setController(old);
  ASSERT_EQ(old->actualMode(), Mode::dark);
  old->take();

  auto replacement = ScriptedContentController::create();
  bool oldWasDetached = false;
  replacement->onRequest = [&](const std::string& entry) {
    if (entry != "setPresenter(view)") return;
    oldWasDetached = old->presenter() == nullptr && old->scroller() == nullptr &&
                     old->observer() == nullptr && old->modeProvider() == nullptr;
  };
  view.setController(replacement);
  EXPECT_TRUE(oldWasDetached);
  EXPECT_EQ(old->actualMode(), Mode::light) << "the old controller is back in its own mode";
  EXPECT_THAT(old->take(), Contains("cancelDragging")) << "no drag of the old one stays";
}

TEST(ContentViewWiring, TheClicksToActivateAreReadWhenAControllerIsAssigned) {
  GanttChartContent view;
  auto controller = GanttChartContentController::create();
  GanttChartContentSettings settings = controller->settings();
  settings.numberOfClicksRequiredToActivateElements = 2;
  controller->setSettings(settings);
  view.setController(controller);
  EXPECT_EQ(view.activatingClickGestureRecognizer()->numberOfClicksRequired(), 2);

  settings.numberOfClicksRequiredToActivateElements = 3;
  controller->setSettings(settings);
  controller->settingsDidChange();
  EXPECT_EQ(view.activatingClickGestureRecognizer()->numberOfClicksRequired(), 2);
  view.setController(controller);
  EXPECT_EQ(view.activatingClickGestureRecognizer()->numberOfClicksRequired(), 3);
}

TEST(ContentViewWiring, AControllerThatOutlivesItsViewIsLeftWithoutReferencesToIt) {
  auto controller = ScriptedContentController::create();
  {
    GanttChartContent view;
    view.setController(controller);
    controller->take();
  }
  EXPECT_EQ(controller->presenter(), nullptr);
  EXPECT_EQ(controller->scroller(), nullptr);
  EXPECT_EQ(controller->observer(), nullptr);
  EXPECT_EQ(controller->modeProvider(), nullptr);
  EXPECT_THAT(controller->take(), Contains("cancelDragging"));
  // Whatever it does now reaches no view.
  controller->setRowHeight(40);
  controller->setViewport(Rectangle(10, 10, 100, 100));
  controller->settingsDidChange();
}

TEST(ContentViewWiring, AControllerHandedToAnotherViewStaysWithItWhenTheFirstGoes) {
  auto controller = diagram(100, 1000);
  GanttChartContent second;
  second.resize(300, 200);
  {
    GanttChartContent first;
    first.resize(300, 200);
    first.setController(controller);
    second.setController(controller);
  }
  EXPECT_EQ(controller->presenter().get(), static_cast<GanttChartContentPresenter*>(&second));
  EXPECT_EQ(controller->scroller().get(), static_cast<GanttChartContentScroller*>(&second));
  EXPECT_EQ(controller->observer().get(), static_cast<GanttChartContentObserver*>(&second));
  QPalette dark = second.palette();
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  second.setPalette(dark);
  EXPECT_EQ(controller->actualMode(), Mode::dark) << "the second view's appearance";
}

TEST(ContentViewWiring, AViewThatLostItsControllerToAnotherWritesNothingIntoIt) {
  auto controller = diagram(100, 1000);
  GanttChartContent first;
  GanttChartContent second;
  first.resize(300, 200);
  second.resize(400, 250);
  first.show();
  second.show();
  first.setController(controller);
  second.setController(controller);
  const Rectangle shown = controller->viewport();
  ASSERT_EQ(shown, fromQt(second.scrollView()->documentVisibleRect()));
  first.resize(200, 150);
  first.scrollTo(800, 900);
  testing::sendWheel(first.canvas(), QPoint(0, -120));
  EXPECT_EQ(controller->viewport(), shown);
  first.setController(nullptr);
  EXPECT_EQ(controller->scroller().get(), static_cast<GanttChartContentScroller*>(&second));
  second.resize(420, 260);
  EXPECT_EQ(controller->viewport(), fromQt(second.scrollView()->documentVisibleRect()));
}

TEST(ContentViewWiring, WithoutAControllerTheCanvasIsEmptyAndRequestsDoNothing) {
  GanttChartContent view;
  view.setController(diagram(100, 1000));
  view.setController(nullptr);
  EXPECT_EQ(view.scrollView()->documentSize(), QSizeF(0, 0));
  view.reloadData();
  view.scrollTo(0, 100);
  view.scrollVerticallyTo(0, 100);
  view.mouseMoved(QPointF(10, 10));
  view.mouseExited();
  EXPECT_EQ(view.menu(QPointF(10, 10)), nullptr);
  view.createItem();
  view.deleteItem();
}

// --- Document and viewport ---------------------------------------------------------------

class ContentViewport : public ContentViewTest {};

TEST_F(ContentViewport, ADiagramLowerThanTheViewIsShownToItsFullHeightWithRowsBelow) {
  auto controller = diagram(2, 1000);
  view->setController(controller);
  const QRectF visible = view->scrollView()->documentVisibleRect();
  EXPECT_EQ(view->scrollView()->documentSize(), QSizeF(2500, visible.height()));
  EXPECT_EQ(controller->viewport(), fromQt(visible));
}

TEST_F(ContentViewport, ADiagramNarrowerThanTheViewIsShownAcrossTheWholeView) {
  auto controller = diagram(100, 10);
  view->setController(controller);
  const QRectF visible = view->scrollView()->documentVisibleRect();
  EXPECT_EQ(controller->viewport(), Rectangle(0, 0, visible.width(), visible.height()));
  EXPECT_EQ(view->scrollView()->documentSize().width(), visible.width());
}

TEST_F(ContentViewport, FollowsResizingAndAGrowingDiagram) {
  auto controller = diagram(100, 1000);
  view->setController(controller);
  view->resize(300, 200);
  EXPECT_EQ(controller->viewport(), fromQt(view->scrollView()->documentVisibleRect()));
  controller->setDesiredScrollableRowCount(200);
  EXPECT_EQ(view->scrollView()->documentSize(), QSizeF(2500, 5000));
}

// A host that rescales the diagram when the controller announces the first
// viewport a view writes into it.
class RescalingHost : public GanttChartContentViewportObserver {
 public:
  GanttChartContentController* controller = nullptr;
  double hourWidth = 0;
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override {
    if (hourWidth > 0) controller->setHourWidth(std::exchange(hourWidth, 0));
  }
};

TEST_F(ContentViewport, ADiagramRescaledWhileTheViewTakesItsControllerIsShownInFull) {
  auto controller = diagram(100, 1000);
  auto host = std::make_shared<RescalingHost>();
  host->controller = controller.get();
  host->hourWidth = controller->hourWidth() * 4;
  controller->setViewportObserver(host);
  view->setController(controller);
  ASSERT_EQ(host->hourWidth, 0);
  EXPECT_EQ(view->scrollView()->documentSize().width(), controller->totalDiagramSize().width);
  EXPECT_EQ(controller->viewport(), fromQt(view->scrollView()->documentVisibleRect()));
}

TEST_F(ContentViewport, AUserScrollThatMovesSidewaysAsksTheControllerToShiftItsTimeline) {
  auto controller = ScriptedContentController::create();
  controller->setDesiredScrollableRowCount(1000);
  controller->setScrollableTimeline(TimeRange(Time(), Time().addingHours(10000)));
  view->setController(controller);
  controller->take();

  testing::sendWheel(view->canvas(), QPoint(0, -120));
  EXPECT_THAT(controller->take(), Not(Contains("shiftScrollableTimelineIfNeeded")))
      << "a vertical scroll";
  EXPECT_GT(controller->viewport().origin.y, 0);

  testing::sendWheel(view->canvas(), QPoint(-120, 0));
  EXPECT_THAT(controller->take(), Contains("shiftScrollableTimelineIfNeeded"));
  EXPECT_EQ(controller->viewport(), fromQt(view->scrollView()->documentVisibleRect()));

  view->scrollTo(5000, 5100);
  EXPECT_THAT(controller->take(), Not(Contains("shiftScrollableTimelineIfNeeded")))
      << "a scroll the controller asked for";
  EXPECT_EQ(controller->viewport(), fromQt(view->scrollView()->documentVisibleRect()));
}

TEST_F(ContentViewport, EverySmallUserScrollFarDownADocumentMapsOntoTheControllersViewport) {
  // 9e15 points of rows: a document mapped onto the bars, where a step of a
  // few points is a relative change of 1e-15.
  auto controller = diagram(int64_t(360) << 40, 1000);
  view->setController(controller);
  view->scrollVerticallyTo(9e15, 9e15 + 25);
  ASSERT_GT(controller->viewport().origin.y, 8.9e15);
  const auto same = [&](const char* what) {
    EXPECT_EQ(controller->viewport(), fromQt(view->scrollView()->documentVisibleRect())) << what;
  };
  for (int notch = 0; notch < 3; ++notch) {
    testing::sendWheel(view->canvas(), QPoint(0, -120));
    same("a wheel notch");
  }
  testing::sendWheel(view->canvas(), QPoint(), QPoint(0, 3));
  same("a touchpad's three points");
  for (const Qt::Key key :
       {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right}) {
    QTest::keyClick(view->scrollView(), key);
    same("a key");
  }
}

TEST_F(ContentViewport, ALinkFarDownALongDocumentIsRepaintedWhereItChangesAsTheViewScrolls) {
  // A link along a row some 3e9 points down, beyond what an int holds, far
  // longer than the view: scrolling along it takes both its ends out of the
  // manager's filter while its middle stays in view.
  const int64_t row = int64_t(120) << 20;
  const auto item = [&](int64_t day) {
    return GanttChartItem::create(
        {.row = row, .start = Time(1, day, 8 * 3600), .finish = Time(1, day, 16 * 3600)});
  };
  const GanttChartItemPtr left = item(1);
  const GanttChartItemPtr right = item(43);
  auto controller = GanttChartContentController::create(std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{left, right},
      std::vector<GanttChartDependencyPtr>{
          GanttChartDependency::create({.from = left, .to = right})}));
  controller->setScrollableTimeline(TimeRange(Time(1, 0, 0), Time(1, 56, 0)));
  controller->setDesiredScrollableRowCount(row + 40);
  view->setController(controller);
  view->scrollVerticallyTo(controller->middle(row) - 100, controller->middle(row) + 100);
  ASSERT_GT(controller->viewport().origin.y, 2.5e9);
  // What the window shows, against a fresh paint of the view.
  const auto stalePixels = [&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const QImage shown = view->screen()
                             ->grabWindow(view->winId(), 0, 0, view->width(), view->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QImage fresh = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < fresh.height(); ++y) {
      for (int x = 0; x < fresh.width(); ++x) differing += shown.pixel(x, y) != fresh.pixel(x, y);
    }
    return differing;
  };
  ASSERT_EQ(stalePixels(), 0);
  for (int step = 0; step < 30; ++step) {
    testing::sendWheel(view->canvas(), QPoint(), QPoint(step < 15 ? -53 : 53, 0));
    ASSERT_EQ(stalePixels(), 0) << "step " << step;
  }
}

TEST_F(ContentViewport, ScrollRequestsMoveOnlyTheirAxisAndOnlyAsFarAsNeeded) {
  auto controller = diagram(1000, 10000);
  view->setController(controller);
  const double width = controller->viewport().size.width;
  const double height = controller->viewport().size.height;

  view->scrollTo(1000, 1100);
  EXPECT_EQ(controller->viewport().origin.x, 1100 - width) << "the span's end at the view's end";
  EXPECT_EQ(controller->viewport().origin.y, 0);
  view->scrollTo(1050, 1060);
  EXPECT_EQ(controller->viewport().origin.x, 1100 - width) << "already visible";

  view->scrollVerticallyTo(500, 525);
  EXPECT_EQ(controller->viewport().origin.y, 525 - height);
  EXPECT_EQ(controller->viewport().origin.x, 1100 - width);
  view->scrollVerticallyTo(100, 125);
  EXPECT_EQ(controller->viewport().origin.y, 100) << "the span's start at the view's start";
}

// --- Image export ---------------------------------------------------------------------------

TEST_F(ContentViewTest, ExportsWhatItShowsAtItsOwnSize) {
  view->setController(diagram(100, 1000));
  const QImage representation = view->imageRepresentation();
  EXPECT_EQ(representation.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(representation.size(), view->size() * view->devicePixelRatioF());
  EXPECT_EQ(view->image().size(), representation.size());

  const QByteArray png = view->imageData();
  ASSERT_TRUE(png.startsWith("\x89PNG"));
  EXPECT_EQ(QImage::fromData(png, "PNG").size(), representation.size());
  const QByteArray jpeg = view->imageData("JPEG", ImageProperties{20, std::nullopt});
  EXPECT_EQ(QImage::fromData(jpeg, "JPEG").size(), representation.size());
}

TEST_F(ContentViewTest, AnExportLeavesAViewNearTheEndOfALongDocumentExactlyWhereItWas) {
  // 9e15 points of rows, mapped onto the bars. Without its horizontal bar
  // the view is taller and cannot stand this close to the end; a few points
  // off there are a relative change of 1e-15.
  view->setController(diagram(int64_t(360) << 40, 1000));
  QCoreApplication::processEvents();  // lays the bars out
  StandardScrollView* scrolled = view->scrollView();
  ASSERT_TRUE(scrolled->horizontalScrollBar()->isVisible());
  scrolled->scrollToPoint(QPointF(0, 1e300));
  const double end = scrolled->documentVisibleRect().top();
  scrolled->scrollToPoint(QPointF(0, end - scrolled->horizontalScrollBar()->height() / 2));
  const QPointF shown = scrolled->documentVisibleRect().topLeft();
  ASSERT_GT(shown.y(), 8.9e15);
  ASSERT_LT(shown.y(), end);
  ASSERT_LT(scrolled->scrollOffset().y(), scrolled->verticalScrollBar()->maximum())
      << "between the bar's last two steps";

  (void)view->imageRepresentation();
  const QPointF after = scrolled->documentVisibleRect().topLeft();
  EXPECT_EQ(after.x(), shown.x());
  EXPECT_EQ(after.y(), shown.y()) << "off by " << shown.y() - after.y();
}

TEST_F(ContentViewTest, ExportsNothingForAnUnknownFormatOrAViewWithoutArea) {
  view->setController(diagram(100, 1000));
  EXPECT_TRUE(view->imageData("no-such-format").isEmpty());
  EXPECT_TRUE(view->imageData("").isEmpty());
  QWidget window;
  auto* empty = new GanttChartContent(&window);
  empty->setController(diagram(100, 1000));
  empty->resize(0, 0);
  EXPECT_TRUE(empty->imageRepresentation().isNull());
  EXPECT_TRUE(empty->image().isNull());
  EXPECT_TRUE(empty->imageData().isEmpty());
}

// --- A host that destroys the view at awkward moments ----------------------------------------

// Destroys the view when the controller announces a new viewport.
class ViewportDestroyer : public GanttChartContentViewportObserver {
 public:
  std::unique_ptr<GanttChartContent>* view = nullptr;
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override {
    view->reset();
  }
};

TEST_F(ContentViewTest, AHostMayDestroyTheViewWhileTheControllerScrollsIt) {
  ScopedManualRunLoop loop;
  std::weak_ptr<GanttChartContentController> controller;
  auto destroyer = std::make_shared<ViewportDestroyer>();
  destroyer->view = &view;
  {
    auto made = diagram(1000, 10000);
    view->setController(made);
    made->setViewportObserver(destroyer);
    controller = made;
  }
  // The controller asks its scroller, which is this view; the host destroys
  // the view on the answering viewport change, from inside the controller.
  const std::shared_ptr<GanttChartContentScroller> scroller = controller.lock()->scroller();
  ASSERT_NE(scroller, nullptr);
  scroller->scrollTo(5000, 5100);
  EXPECT_EQ(view, nullptr);
  EXPECT_FALSE(controller.expired()) << "released once the controller's call has returned";
  loop->runPending();
  EXPECT_TRUE(controller.expired());
}

TEST_F(ContentViewTest, AHostMayDestroyTheViewInAMenuCommand) {
  const GanttChartItemPtr item = GanttChartItem::create({.label = "a"});
  auto controller = ScriptedContentController::create({item});
  controller->elementAnswer = GanttChartElement::bar(item, GanttChartBarElementAction::move, true);
  controller->canEditAnswer = true;
  controller->onRequest = [this](const std::string& entry) {
    if (entry == "edit(item a)") view.reset();
  };
  view->setController(controller);
  QMenu* menu = view->menu(QPointF(10, 10));
  ASSERT_EQ(menu, view->itemMenu());
  menu->popup(view->mapToGlobal(QPoint(10, 10)));
  view->editItemMenuItem()->trigger();
  EXPECT_EQ(view, nullptr);
  EXPECT_THAT(controller->take(), Contains("edit(item a)"));
}

TEST_F(ContentViewTest, ReplacingTheControllerMidDragEndsTheOldDragAndLeavesTheNewOneIdle) {
  auto old = ScriptedContentController::create();
  view->setController(old);
  SyntheticMouse mouse(view->canvas());
  mouse.press(QPointF(50, 50));
  mouse.moveTo(QPointF(80, 50));
  EXPECT_THAT(old->take(), Contains("beginDragging(50, 50) acceptScrolling"));

  auto replacement = ScriptedContentController::create();
  view->setController(replacement);
  EXPECT_THAT(old->take(), Contains("cancelDragging"));
  replacement->take();
  mouse.moveTo(QPointF(90, 50));
  mouse.release(QPointF(90, 50));
  EXPECT_THAT(replacement->take(), ElementsAre("continueDragging(90, 50)", "endDragging"))
      << "the new controller has no drag to continue or end";
  EXPECT_TRUE(old->take().empty());
}

// Gives the view another controller when the first announces a viewport.
class ControllerSwapper : public GanttChartContentViewportObserver {
 public:
  GanttChartContent* view = nullptr;
  GanttChartContentControllerPtr next;
  void viewportDidChange(const Rectangle& /*to*/, const Rectangle& /*from*/) override {
    if (next != nullptr) view->setController(std::exchange(next, nullptr));
  }
};

TEST_F(ContentViewTest, AControllerAHostAssignsFromANotificationIsSizedAndShown) {
  auto first = diagram(1000, 10000);
  auto swapper = std::make_shared<ControllerSwapper>();
  swapper->view = view.get();
  swapper->next = diagram(4, 100);
  first->setViewportObserver(swapper);
  view->setController(first);
  const GanttChartContentControllerPtr second = view->controller();
  ASSERT_NE(second, first);
  const QRectF visible = view->scrollView()->documentVisibleRect();
  ASSERT_GT(visible.width(), 250);
  EXPECT_EQ(view->scrollView()->documentSize(), visible.size());
  EXPECT_EQ(second->viewport(), fromQt(visible));
  EXPECT_EQ(first->presenter(), nullptr);
}

}  // namespace
}  // namespace vorlent
