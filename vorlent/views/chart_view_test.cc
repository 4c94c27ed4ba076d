#include "vorlent/views/chart_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/intervals/schedule_time_selector.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_selector.h"
#include "vorlent/model/item_source.h"
#include "vorlent/views/chart_view_testing.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::ChartProject;
using testing::SyntheticMouse;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Logs the assignments of the chart controller's observer and presenter.
class LoggingChartController : public GanttChartController {
 public:
  static std::shared_ptr<LoggingChartController> create() {
    ChartProject project;
    std::shared_ptr<LoggingChartController> controller(new LoggingChartController(
        project.controller->headerController(), project.controller->contentController()));
    controller->connectControllers();
    return controller;
  }
  void setObserver(std::weak_ptr<GanttChartObserver> observer) override {
    calls.push_back(observer.expired() ? "observer cleared" : "observer");
    GanttChartController::setObserver(std::move(observer));
  }
  void setPresenter(std::weak_ptr<GanttChartPresenter> presenter) override {
    calls.push_back(presenter.expired() ? "presenter cleared" : "presenter");
    GanttChartController::setPresenter(std::move(presenter));
  }
  std::vector<std::string> calls;

 private:
  using GanttChartController::GanttChartController;
};

// A host's observer that runs what the test gives it.
class HostObserver : public GanttChartObserver {
 public:
  void headerHeightDidChange() override {
    heard.push_back("height");
    if (auto run = onHeight) run();
  }
  void headerTimelineDidChange() override {
    heard.push_back("timeline");
    if (auto run = onTimeline) run();
  }
  std::vector<std::string> heard;
  std::function<void()> onHeight;
  std::function<void()> onTimeline;
};

// A header whose total width is endless.
class EndlessHeaderController : public GanttChartHeaderController {
 public:
  EndlessHeaderController() : GanttChartHeaderController(std::nullopt) {}
  [[nodiscard]] Size totalDiagramHeaderSize() const override {
    return Size{kInfinity, GanttChartHeaderController::totalDiagramHeaderSize().height};
  }
};

class ChartView : public testing::ChartViewTest {
 protected:
  [[nodiscard]] QWidget* headerCanvas() const { return chart->header()->clipView(); }
  [[nodiscard]] QWidget* contentCanvas() const { return chart->content()->canvas(); }
  [[nodiscard]] const GanttChartControllerPtr& controller() const { return project.controller; }
  // Both parts show the same x, and the controllers agree.
  void expectInStep() const {
    EXPECT_EQ(headerX(), contentX());
    EXPECT_EQ(controller()->headerController()->viewport().left(),
              controller()->contentController()->viewport().left());
    EXPECT_EQ(headerViewportWidth(), contentViewportWidth());
  }

  SyntheticMouse contentMouse{chart->content()->canvas()};
  SyntheticMouse headerMouse{chart->header()->clipView()};
};

// --- Structure and wiring ---------------------------------------------------------------

TEST(ChartViewStructure, BuildsTheHeaderOverTheChartAreaWithoutMarginsOrSpacing) {
  GanttChart chart;
  chart.resize(600, 300);
  chart.show();
  ASSERT_NE(chart.contentView(), nullptr);
  ASSERT_NE(chart.header(), nullptr);
  ASSERT_NE(chart.content(), nullptr);
  EXPECT_EQ(chart.header()->parentWidget(), chart.contentView());
  EXPECT_EQ(chart.contentView()->geometry(), chart.rect());
  EXPECT_EQ(chart.header()->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(chart.content()->geometry().top(), chart.header()->height());
  EXPECT_EQ(chart.content()->geometry().bottom(), 299);
  EXPECT_EQ(chart.header()->width(), 600);
  EXPECT_FALSE(chart.header()->scrollView()->hasHorizontalScroller());
  EXPECT_EQ(chart.controller(), nullptr);
  chart.reloadData();  // nothing to reload or scroll yet
  chart.scrollTo(10, 20);
}

// A chart whose set-up puts the header below the chart area, or forgets it.
class RearrangedChart : public GanttChart {
 public:
  explicit RearrangedChart(bool withHeader)
      : GanttChart(nullptr, DeferredSetUp{}), withHeader_(withHeader) {
    setUp();
  }

 protected:
  void setUpChartView() override {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* view = new QWidget;
    outer->addWidget(view);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    content_ = new GanttChartContent(view);
    layout->addWidget(content_, 1);
    if (withHeader_) {
      header_ = new GanttChartHeader(view);
      layout->addWidget(header_);
    }
    contentView_ = view;
  }

 private:
  bool withHeader_;
};

TEST(ChartViewStructure, ASubclassMayBuildItsOwnStructureWithEveryOutlet) {
  RearrangedChart chart(true);
  chart.resize(600, 300);
  chart.show();
  ChartProject project;
  chart.setController(project.controller);
  EXPECT_GT(chart.header()->y(), chart.content()->y());
  EXPECT_EQ(chart.header()->height(), 50);
  testing::sendWheel(chart.content()->canvas(), QPoint(-120, 0));
  EXPECT_GT(chart.content()->scrollView()->scrollOffset().x(), 0);
  EXPECT_EQ(chart.header()->scrollView()->scrollOffset().x(),
            chart.content()->scrollView()->scrollOffset().x());
  EXPECT_DEATH(RearrangedChart(false), "left the outlet header empty");
}

TEST_F(ChartView, AttachingWiresBothViewsAndSizesTheHeaderToItsRows) {
  EXPECT_EQ(controller()->presenter().get(), static_cast<GanttChartPresenter*>(chart.get()));
  EXPECT_EQ(controller()->observer().get(), static_cast<GanttChartObserver*>(chart.get()));
  EXPECT_EQ(chart->header()->controller(), controller()->headerController());
  EXPECT_EQ(chart->content()->controller(), controller()->contentController());
  // The views replaced the presenter adapters; the observer adapters stay.
  EXPECT_EQ(controller()->headerController()->presenter().get(),
            static_cast<GanttChartHeaderPresenter*>(chart->header()));
  EXPECT_EQ(controller()->contentController()->timelineObserver(), controller()->contentObserver());
  EXPECT_EQ(chart->header()->height(), 50) << "two rows of 25 points";
  EXPECT_EQ(controller()->headerController()->viewport().height(), 50);
  EXPECT_EQ(chart->content()->geometry().top(), 50);
}

TEST(ChartViewWiring, ReplacingDetachesObserverThenPresenterAndClearingKeepsTheViews) {
  GanttChart chart;
  chart.resize(600, 300);
  const auto first = LoggingChartController::create();
  chart.setController(first);
  EXPECT_EQ(first->calls, (std::vector<std::string>{"presenter", "observer"}));
  first->calls.clear();

  const auto second = LoggingChartController::create();
  chart.setController(second);
  EXPECT_EQ(first->calls, (std::vector<std::string>{"observer cleared", "presenter cleared"}));
  EXPECT_EQ(chart.header()->controller(), second->headerController());

  second->calls.clear();
  chart.setController(nullptr);
  EXPECT_EQ(second->calls, (std::vector<std::string>{"observer cleared", "presenter cleared"}));
  EXPECT_EQ(chart.controller(), nullptr);
  EXPECT_EQ(chart.header()->controller(), second->headerController());
  EXPECT_EQ(chart.content()->controller(), second->contentController());
}

TEST_F(ChartView, AChartThatLostItsControllerToAnotherLeavesItToThatChart) {
  GanttChart second;
  second.resize(500, 250);
  second.show();
  second.setController(controller());
  const Rectangle shown = controller()->contentController()->viewport();
  chart->resize(300, 200);
  EXPECT_EQ(controller()->contentController()->viewport(), shown);
  chart->setController(nullptr);
  EXPECT_EQ(controller()->observer().get(), static_cast<GanttChartObserver*>(&second));
  EXPECT_EQ(controller()->presenter().get(), static_cast<GanttChartPresenter*>(&second));
  EXPECT_EQ(controller()->headerController()->observer().get(),
            static_cast<GanttChartHeaderObserver*>(second.header()));
  controller()->setHeaderRowHeight(31);
  EXPECT_EQ(second.header()->height(), 31 * 2);
}

TEST_F(ChartView, AChartTakingItsControllerBackShowsTheSameTimeInHeaderAndChartArea) {
  {
    GanttChart second;
    second.resize(500, 250);
    second.show();
    second.setController(controller());
  }
  // Scrolled while no header follows the chart area.
  testing::sendWheel(contentCanvas(), QPoint(-360, 0));
  ASSERT_GT(contentX(), 0);
  chart->setController(controller());
  expectInStep();
  EXPECT_GT(headerX(), 0);
}

// A host lends the header's controller to a header of its own (another
// window, a print preview) and takes it back, while the chart area scrolls.
TEST_F(ChartView, AHeaderTakingItsControllerBackShowsTheChartAreasTimeAndMovesNothing) {
  const std::shared_ptr<GanttChartHeaderController> headerController =
      chart->header()->controller();
  const struct {
    const char* lent;
    int width;
    int notches;
    bool keptByTheOther;
  } cases[] = {
      {"to a narrower header", 400, 3, true},
      {"to a header that goes before the scroll", 400, 2, false},
      {"to a narrower header, scrolling back", 400, -1, true},
      // Which shows the chart area's span without scrolling at all.
      {"to a wider header", 1200, 2, true},
  };
  for (const auto& [lent, width, notches, keptByTheOther] : cases) {
    SCOPED_TRACE(lent);
    auto other = std::make_unique<GanttChartHeader>();
    other->resize(width, 40);
    other->show();
    other->setController(headerController);
    if (!keptByTheOther) other.reset();
    testing::sendWheel(contentCanvas(), QPoint(-120 * notches, 0));
    const int scrolled = contentX();
    chart->header()->setController(headerController);
    EXPECT_EQ(contentX(), scrolled);
    expectInStep();
  }
}

TEST_F(ChartView, AHeaderHeightChangeResizesTheHeaderBeforeTheHostHearsOfIt) {
  const auto host = std::make_shared<HostObserver>();
  int heightHeard = 0;
  host->onHeight = [&] { heightHeard = chart->header()->height(); };
  chart->setObserver(host);
  controller()->setHeaderRowHeight(30);
  EXPECT_EQ(heightHeard, 60);
  EXPECT_EQ(chart->content()->geometry().top(), 60);
  EXPECT_EQ(controller()->headerController()->viewport().height(), 60);

  controller()->setHeaderRowHeight(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(chart->header()->height(), 0);
  controller()->setHeaderRowHeight(25);

  host->heard.clear();
  controller()->contentController()->setScrollableTimeline(
      TimeRange(testing::weekDay(0, 0), testing::weekDay(28, 0)));
  ASSERT_FALSE(host->heard.empty());
  EXPECT_EQ(host->heard.back(), "timeline");
  EXPECT_EQ(chart->header()->scrollView()->documentSize().width(),
            controller()->contentController()->totalDiagramSize().width);
}

// --- Scrolling together -------------------------------------------------------------------

TEST_F(ChartView, HeaderAndChartAreaStayEquallyWideAsTheChartAreasScrollerComesAndGoes) {
  const int barWidth = chart->content()->scrollView()->verticalScrollBar()->width();
  ASSERT_LT(contentViewportWidth(), 640) << "forty rows need a vertical scroller";
  EXPECT_EQ(headerViewportWidth(), contentViewportWidth());
  EXPECT_EQ(chart->header()->height(), 50) << "the hidden horizontal scroller takes no room";
  // Above the chart area's scroll bar: a blank corner, not a scroll bar.
  StandardScrollView& headerArea = *chart->header()->scrollView();
  EXPECT_FALSE(headerArea.verticalScrollBar()->isVisibleTo(&headerArea));
  const QImage shown = chart->grab().toImage();
  const QColor background = toQt(*controller()->headerController()->actualStyle().backgroundColor);
  for (const QPointF corner : {QPointF(640 - barWidth, 1), QPointF(639, 25), QPointF(639, 49)}) {
    EXPECT_EQ(testing::pixelAt(shown, corner), background) << corner.x() << ", " << corner.y();
  }

  controller()->contentController()->setDesiredScrollableRowCount(3);
  QCoreApplication::processEvents();  // Qt shows and hides scroll bars on the next turn
  EXPECT_EQ(contentViewportWidth(), 640);
  EXPECT_EQ(headerViewportWidth(), 640);

  chart->content()->scrollView()->setHasVerticalScroller(true);
  EXPECT_EQ(contentViewportWidth(), 640 - barWidth);
  EXPECT_EQ(headerViewportWidth(), 640 - barWidth);
  chart->resize(500, 320);
  expectInStep();

  // Right to left, bar and corner stand on the left.
  chart->setLayoutDirection(Qt::RightToLeft);
  QCoreApplication::processEvents();
  EXPECT_EQ(headerArea.viewport()->x(), chart->content()->scrollView()->viewport()->x());
  expectInStep();
  EXPECT_EQ(testing::pixelAt(chart->grab().toImage(), QPointF(1, 25)), background);
}

TEST_F(ChartView, WheelScrollingEitherPartMovesTheOtherToTheSameX) {
  testing::sendWheel(contentCanvas(), QPoint(-120, 0));
  ASSERT_GT(contentX(), 0);
  expectInStep();
  testing::sendWheel(contentCanvas(), QPoint(), QPoint(-37, 0));  // a touchpad
  expectInStep();
  testing::sendWheel(headerCanvas(), QPoint(-240, 0));
  ASSERT_GT(headerX(), 100);
  expectInStep();
  testing::sendWheel(contentCanvas(), QPoint(0, -120));  // down: the header stays
  ASSERT_GT(chart->content()->scrollView()->scrollOffset().y(), 0);
  expectInStep();
  for (int step = 0; step < 30; ++step) testing::sendWheel(contentCanvas(), QPoint(-120, 0));
  expectInStep();  // at the end
  chart->scrollTo(300, 301);
  expectInStep();
}

// A host scrolls through the scroll bars as much as a user does: restoring a
// saved position, a second view kept in step, kinetic scrolling.
TEST(ChartViewScrolledByCode, FollowsTheScrollBarsWhateverSetsThem) {
  std::vector<GanttChartItemPtr> items;
  for (int64_t row = 0; row < 10000; ++row) {
    items.push_back(GanttChartItem::create({.row = row,
                                            .start = testing::weekDay(0, 8),
                                            .finish = testing::weekDay(0, 8).addingDays(60)}));
  }
  auto content = GanttChartContentController::create(
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}));
  content->setScrollableTimeline(
      TimeRange(testing::weekDay(0, 0), testing::weekDay(0, 0).addingDays(70)));
  GanttChart chart;
  chart.resize(640, 320);
  testing::showActive(chart);
  chart.setController(
      GanttChartController::create(GanttChartHeaderController::create(std::nullopt), content));
  StandardScrollView& area = *chart.content()->scrollView();
  QWidget& canvas = *chart.content()->canvas();
  // A point of the row's bar, which spans every x this test scrolls to.
  const auto barCentre = [&](int64_t row) {
    const QRectF bounds = toQt(content->bounds(items[static_cast<size_t>(row)]));
    return area.viewportPoint(QPointF(area.documentVisibleRect().left() + 50, bounds.center().y()));
  };
  const QColor barColour = testing::pixelAt(canvas.grab().toImage(), barCentre(0));
  const auto expectFollowed = [&](int64_t row) {
    EXPECT_EQ(content->viewport(), fromQt(area.documentVisibleRect()));
    EXPECT_EQ(content->visibleRange().first(), row);
    EXPECT_EQ(testing::pixelAt(canvas.grab().toImage(), barCentre(row)), barColour)
        << "row " << row << " shows its bar";
    EXPECT_EQ(chart.header()->scrollView()->scrollOffset().x(), area.scrollOffset().x());
    EXPECT_EQ(chart.controller()->headerController()->viewport().left(),
              content->viewport().left());
  };

  const int rowHeight = static_cast<int>(content->rowHeight());
  area.verticalScrollBar()->setValue(1000 * rowHeight);
  expectFollowed(1000);
  area.horizontalScrollBar()->setValue(300);
  expectFollowed(1000);
  area.scrollToPoint(QPointF(120, 5000 * rowHeight));
  expectFollowed(5000);
  chart.header()->scrollView()->horizontalScrollBar()->setValue(700);
  EXPECT_EQ(area.scrollOffset().x(), 700) << "the chart area follows the header";
  expectFollowed(5000);
}

TEST_F(ChartView, TheChartAreaIsTheFocusStopAndScrollsByKeys) {
  EXPECT_EQ(chart->header()->scrollView()->focusPolicy(), Qt::NoFocus);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr) << "the window's first focus stop";
  EXPECT_TRUE(chart->content()->isAncestorOf(focused));
  QWidget* window = chart.get();
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_TRUE(chart->content()->isAncestorOf(QApplication::focusWidget())) << "the only stop";

  StandardScrollView& area = *chart->content()->scrollView();
  const int page = area.viewport()->height();
  const int bottom = area.verticalScrollBar()->maximum();
  const int line = StandardScrollView::kLineStep;
  const std::vector<std::pair<Qt::Key, QPoint>> keys{
      {Qt::Key_PageDown, QPoint(0, page)},
      {Qt::Key_End, QPoint(0, bottom)},
      {Qt::Key_PageUp, QPoint(0, bottom - page)},
      {Qt::Key_Home, QPoint(0, 0)},
      {Qt::Key_Down, QPoint(0, line)},
      {Qt::Key_Right, QPoint(line, line)},
  };
  for (const auto& [key, offset] : keys) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(area.scrollOffset(), offset) << QKeySequence(key).toString().toStdString();
    EXPECT_EQ(controller()->contentController()->viewport(), fromQt(area.documentVisibleRect()));
    expectInStep();
  }
}

TEST_F(ChartView, AContentDragThatScrollsByItselfKeepsTheHeaderInStep) {
  ScopedManualRunLoop loop;
  const QPointF edge(contentCanvas()->width() - 4, onContent(centreOf(project.task)).y());
  contentMouse.press(onContent(centreOf(project.task)));
  contentMouse.moveTo(onContent(centreOf(project.task).movedBy(20, 0)));
  contentMouse.moveTo(edge);
  const int before = contentX();
  loop->advance(0.4);
  ASSERT_GT(contentX(), before);
  expectInStep();
  contentMouse.release(edge);
  EXPECT_EQ(loop->activeTimerCount(), 0U);
  expectInStep();
}

TEST_F(ChartView, A48PointPanOnTheHeaderZoomsBothPartsToTwo) {
  chart->scrollTo(300, 301);
  headerMouse.drag(QPointF(200, 20), QPointF(248, 20), 6);
  EXPECT_EQ(controller()->headerController()->zoom(), 2);
  EXPECT_EQ(controller()->contentController()->zoom(), 2);
  EXPECT_EQ(chart->content()->scrollView()->documentSize().width(),
            chart->header()->scrollView()->documentSize().width());
  expectInStep();
}

TEST(ChartViewGeometry, AnEndlessHeaderIsCutToWhatQtHoldsAndStillScrollsWithTheChartArea) {
  ChartProject project(520);  // ten years of days
  auto controller = GanttChartController::create(std::make_shared<EndlessHeaderController>(),
                                                 project.controller->contentController());
  GanttChart chart;
  chart.resize(640, 320);
  chart.show();
  chart.setController(controller);
  EXPECT_EQ(chart.header()->scrollView()->documentSize().width(),
            StandardScrollView::kMaximumDocumentLength);
  const auto x = [](const GanttChartHeader& header) {
    return header.scrollView()->scrollOffset().x();
  };
  chart.scrollTo(200000, 200001);
  ASSERT_GT(chart.content()->scrollView()->scrollOffset().x(), 199000);
  EXPECT_EQ(x(*chart.header()), chart.content()->scrollView()->scrollOffset().x());
  // The header scrolled past the chart area's end is brought back to it.
  testing::sendWheel(chart.header()->clipView(), QPoint(-1200000, 0));
  EXPECT_EQ(x(*chart.header()), chart.content()->scrollView()->scrollOffset().x());
  EXPECT_EQ(chart.content()->scrollView()->scrollOffset().x(),
            chart.content()->scrollView()->horizontalScrollBar()->maximum());
}

// --- Painting while scrolling ------------------------------------------------------------

// Counts the pixels a widget is asked to paint.
class PaintedArea : public QObject {
 public:
  explicit PaintedArea(QWidget* widget) { widget->installEventFilter(this); }
  int64_t pixels = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      const QRect r = static_cast<QPaintEvent*>(event)->rect();
      pixels += static_cast<int64_t>(r.width()) * r.height();
    }
    return QObject::eventFilter(watched, event);
  }
};

TEST_F(ChartView, ScrollingMovesWhatIsPaintedAndPaintsOnlyWhatComesIntoView) {
  // What the window shows: the offscreen platform's copy of it.
  const auto shown = [&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    return chart->screen()
        ->grabWindow(chart->winId(), 0, 0, chart->width(), chart->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  };
  // Shaded weekends and bordered days, which cells cut at the strip's
  // edges must not draw twice.
  const auto& area = controller()->contentController();
  area->setScheduleHighlighters({ScheduleTimeSelector(ScheduleTimeType::weekends)});
  area->setIntervalHighlighters({TimeSelector(TimeIntervalType::days(), "d")});
  (void)shown();
  PaintedArea content(contentCanvas());
  const std::vector<QPoint> steps{QPoint(0, -37), QPoint(-41, 0), QPoint(0, -60),
                                  QPoint(60, 0),  QPoint(-77, 0), QPoint(0, 23)};
  for (const QPoint& step : steps) {
    testing::sendWheel(contentCanvas(), QPoint(), step);
    (void)shown();
  }
  expectInStep();
  const QRect canvas = contentCanvas()->rect();
  EXPECT_LT(content.pixels, canvas.width() * canvas.height() * 2)
      << "six steps paint less than two whole canvases";

  // Against the whole chart painted afresh.
  const QImage scrolled = shown();
  const QImage fresh = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(scrolled.size(), fresh.size());
  int differing = 0;
  for (int y = 0; y < fresh.height(); ++y) {
    for (int x = 0; x < fresh.width(); ++x) differing += scrolled.pixel(x, y) != fresh.pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
}

// --- Bad input ---------------------------------------------------------------------------------

TEST_F(ChartView, AControllerReplacedOrClearedWhileTheUserDragsABar) {
  ScopedManualRunLoop loop;
  const QPointF grabbed = onContent(centreOf(project.task));
  contentMouse.press(grabbed);
  contentMouse.moveTo(grabbed + QPointF(30, 0));
  const auto oldContent = controller()->contentController();
  ASSERT_TRUE(oldContent->draggingOperation().has_value());

  ChartProject other;
  chart->setController(other.controller);
  EXPECT_FALSE(oldContent->draggingOperation().has_value());
  contentMouse.moveTo(grabbed + QPointF(60, 0));
  contentMouse.moveTo(QPointF(contentCanvas()->width() - 2, grabbed.y()));
  loop->advance(0.5);
  contentMouse.release(grabbed + QPointF(60, 0));
  EXPECT_EQ(other.task->start(), testing::weekDay(1, 8)) << "the new chart was not dragged";
  EXPECT_EQ(loop->activeTimerCount(), 0U);

  // Cleared mid-drag: the views go on with the controllers they show.
  const QPointF otherGrab = onContent(centreOf(other.task));
  contentMouse.press(otherGrab);
  contentMouse.moveTo(otherGrab + QPointF(30, 0));
  std::weak_ptr<GanttChartController> dropped = other.controller;
  other.controller.reset();
  chart->setController(nullptr);
  EXPECT_TRUE(dropped.expired());
  contentMouse.moveTo(QPointF(contentCanvas()->width() - 2, otherGrab.y()));
  loop->advance(0.5);
  testing::sendWheel(headerCanvas(), QPoint(-120, 0));
  contentMouse.release(otherGrab + QPointF(40, 0));
  EXPECT_EQ(loop->activeTimerCount(), 0U);
  EXPECT_EQ(chart->controller(), nullptr);
}

TEST_F(ChartView, AControllerReplacedWhileTheUserZoomsByDraggingTheHeader) {
  headerMouse.press(QPointF(200, 20));
  headerMouse.moveTo(QPointF(230, 20));
  ASSERT_NE(controller()->headerController()->zoom(), 1);
  const auto old = controller();
  ChartProject other;
  chart->setController(other.controller);
  EXPECT_FALSE(old->headerController()->draggingFromX().has_value());
  headerMouse.moveTo(QPointF(260, 20));
  headerMouse.release(QPointF(260, 20));
  EXPECT_EQ(other.controller->headerController()->zoom(), 1);
  EXPECT_EQ(other.controller->contentController()->zoom(), 1);
}

TEST_F(ChartView, AHostMayReplaceOrClearTheControllerWhenTheHeaderHeightChanges) {
  const auto host = std::make_shared<HostObserver>();
  chart->setObserver(host);
  ChartProject other;
  other.controller->setHeaderRowHeight(20);
  host->onHeight = [&] { chart->setController(other.controller); };
  controller()->setHeaderRowHeight(30);
  EXPECT_EQ(chart->controller(), other.controller);
  EXPECT_EQ(controller()->observer(), nullptr);
  EXPECT_EQ(controller()->presenter(), nullptr);
  EXPECT_EQ(chart->header()->height(), 40) << "the new controller's header";
  EXPECT_EQ(other.controller->observer().get(), static_cast<GanttChartObserver*>(chart.get()));

  // Re-entered from its own attachment: the newest assignment stays.
  host->onHeight = [&] {
    host->onHeight = nullptr;
    chart->setController(controller());
  };
  chart->setController(other.controller);  // re-attached: no height change told
  other.controller->setHeaderRowHeight(22);
  EXPECT_EQ(chart->controller(), controller());
  EXPECT_EQ(chart->header()->controller(), controller()->headerController());
  EXPECT_EQ(chart->header()->height(), 60);

  host->onHeight = [&] { chart->setController(nullptr); };
  controller()->setHeaderRowHeight(26);
  EXPECT_EQ(chart->controller(), nullptr);

  chart->setController(controller());
  host->onHeight = [&] { chart.reset(); };
  controller()->setHeaderRowHeight(27);
  EXPECT_EQ(chart, nullptr);
  EXPECT_EQ(controller()->presenter(), nullptr);
}

TEST_F(ChartView, TheHeaderViewDestroyedFirstLeavesAWorkingChartArea) {
  const QPointer<GanttChartHeader> header = chart->header();
  delete chart->header();
  EXPECT_EQ(chart->header(), nullptr);
  EXPECT_EQ(controller()->headerController()->scroller(), nullptr);
  testing::sendWheel(contentCanvas(), QPoint(-120, 0));
  EXPECT_GT(contentX(), 0);
  controller()->setHeaderRowHeight(30);
  controller()->headerController()->setPresenter(controller()->headerPresenter());
  controller()->contentController()->setPresenter(controller()->contentPresenter());
  EXPECT_FALSE(chart->imageRepresentation().isNull());
  ChartProject other;
  chart->setController(other.controller);
  EXPECT_EQ(chart->content()->controller(), other.controller->contentController());
  contentMouse.drag(onContent(centreOf(other.task)),
                    onContent(centreOf(other.task).movedBy(25, 0)));
  chart.reset();
  EXPECT_EQ(other.controller->presenter(), nullptr);
}

TEST_F(ChartView, TheContentViewDestroyedFirstLeavesAWorkingHeader) {
  delete chart->content();
  EXPECT_EQ(chart->content(), nullptr);
  EXPECT_EQ(controller()->contentController()->scroller(), nullptr);
  EXPECT_FALSE(chart->header()->scrollView()->hasVerticalScroller());
  testing::sendWheel(headerCanvas(), QPoint(-120, 0));
  EXPECT_GT(headerX(), 0);
  headerMouse.drag(QPointF(200, 20), QPointF(248, 20));
  EXPECT_EQ(controller()->headerController()->zoom(), 2);
  chart->reloadData();
  chart->scrollTo(10, 20);
  chart->scrollVerticallyTo(10, 20);
  EXPECT_EQ(chart->toolTip(project.task), std::nullopt);
  EXPECT_FALSE(chart->imageRepresentation().isNull());
  chart->setController(ChartProject().controller);
  chart.reset();
}

TEST_F(ChartView, AHostToldWhileAPartIsDestroyedFindsOnlyTheSurvivors) {
  const auto host = std::make_shared<HostObserver>();
  chart->setObserver(host);
  // What the host finds of the chart's parts each time it hears from it.
  std::vector<std::string> found;
  const auto look = [&] {
    std::string parts;
    if (GanttChartHeader* header = chart->header()) parts += header->scrollView() ? "H" : "h";
    if (GanttChartContent* content = chart->content()) parts += content->scrollView() ? "C" : "c";
    found.push_back(parts);
  };
  host->onHeight = look;
  host->onTimeline = look;
  testing::sendWheel(contentCanvas(), QPoint(-120, 0));
  delete chart->content();
  ASSERT_EQ(chart->content(), nullptr);
  EXPECT_FALSE(found.empty()) << "the header, left wider, tells of its new timeline";
  for (const std::string& parts : found) EXPECT_TRUE(parts == "HC" || parts == "H") << parts;
  found.clear();
  delete chart->header();
  for (const std::string& parts : found) EXPECT_EQ(parts, "");
  EXPECT_FALSE(chart->imageRepresentation().isNull());
}

TEST_F(ChartView, AHeaderAndChartAreaMovedElsewhereOutliveTheChart) {
  QWidget elsewhere;
  elsewhere.resize(640, 320);
  auto* layout = new QVBoxLayout(&elsewhere);
  const QPointer<GanttChartHeader> header = chart->header();
  const QPointer<GanttChartContent> content = chart->content();
  layout->addWidget(header);
  layout->addWidget(content);
  elsewhere.show();
  testing::sendWheel(contentCanvas(), QPoint(-120, 0));
  expectInStep();
  chart.reset();
  ASSERT_NE(header, nullptr);
  ASSERT_NE(content, nullptr);
  testing::sendWheel(content->canvas(), QPoint(-120, 0));
  testing::sendWheel(header->clipView(), QPoint(-120, 0));
  EXPECT_EQ(header->scrollView()->scrollOffset().x(), content->scrollView()->scrollOffset().x());
  EXPECT_FALSE(elsewhere.grab().isNull());
}

TEST_F(ChartView, AControllerThatOutlivesItsChartCallsNothingOfIt) {
  ScopedManualRunLoop loop;
  contentMouse.press(onContent(centreOf(project.task)));
  contentMouse.moveTo(onContent(centreOf(project.task).movedBy(30, 0)));
  chart.reset();
  const GanttChartControllerPtr& left = controller();
  EXPECT_EQ(left->presenter(), nullptr);
  EXPECT_EQ(left->observer(), nullptr);
  EXPECT_EQ(left->headerController()->presenter(), nullptr);
  EXPECT_EQ(left->contentController()->scroller(), nullptr);
  EXPECT_EQ(loop->activeTimerCount(), 0U);
  left->setHeaderRowHeight(40);
  left->headerController()->setPresenter(left->headerPresenter());
  left->contentController()->setPresenter(left->contentPresenter());
  left->headerController()->draw(left->headerController()->viewport());
  left->contentController()->draw(Rectangle(0, 0, 600, 300));
  left->contentController()->scrollBy(40, 0);
}

}  // namespace
}  // namespace vorlent
