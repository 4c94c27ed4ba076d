// What a scrolled chart shows, against the same chart painted afresh: the
// pixels a scroll keeps must be those a full repaint would draw.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QScreen>

#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/model/item_source.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/chart_view_testing.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::weekDay;

// Two links far longer than the view: one down thirty rows, one along a row
// across six weeks, so that scrolling brings their middles into view with
// both their ends beyond the part of the chart the item manager filters.
struct LongLinks {
  LongLinks() {
    const auto item = [](int64_t row, Time start, Time finish) {
      return GanttChartItem::create({.row = row, .start = start, .finish = finish});
    };
    const GanttChartItemPtr top = item(0, weekDay(1, 8), weekDay(1, 16));
    const GanttChartItemPtr bottom = item(30, weekDay(2, 8), weekDay(2, 16));
    const GanttChartItemPtr left = item(4, weekDay(1, 8), weekDay(1, 16));
    const GanttChartItemPtr right = item(4, weekDay(43, 8), weekDay(43, 16));
    auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{top, bottom, left, right},
        std::vector<GanttChartDependencyPtr>{
            GanttChartDependency::create({.from = top, .to = bottom}),
            GanttChartDependency::create({.from = left, .to = right})});
    auto content = GanttChartContentController::create(source);
    content->setScrollableTimeline(TimeRange(weekDay(0, 0), weekDay(56, 0)));
    content->setDesiredScrollableRowCount(40);
    controller = GanttChartController::create(GanttChartHeaderController::create(std::nullopt),
                                              std::move(content));
  }
  GanttChartControllerPtr controller;
};

class ScrollPainting : public ::testing::Test {
 protected:
  ScrollPainting() {
    chart->resize(640, 320);
    testing::showActive(*chart);
    chart->setController(links.controller);
    (void)shown();
  }

  // What the window shows: the offscreen platform's copy of it.
  [[nodiscard]] QImage shown() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    return chart->screen()
        ->grabWindow(chart->winId(), 0, 0, chart->width(), chart->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
  // How many pixels the window shows otherwise than a fresh paint would.
  [[nodiscard]] int stalePixels() const {
    const QImage scrolled = shown();
    const QImage fresh = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (scrolled.size() != fresh.size()) return -1;
    int differing = 0;
    for (int y = 0; y < fresh.height(); ++y) {
      for (int x = 0; x < fresh.width(); ++x) differing += scrolled.pixel(x, y) != fresh.pixel(x, y);
    }
    return differing;
  }
  // Wheel steps over the chart area, each checked against a fresh paint.
  void scrollInSteps(QPoint step, int count, const std::string& what) {
    for (int i = 0; i < count; ++i) {
      testing::sendWheel(chart->content()->canvas(), QPoint(), step);
      const QPoint at = chart->content()->scrollView()->scrollOffset();
      ASSERT_EQ(stalePixels(), 0) << what << ", step " << i << " at " << at.x() << ", " << at.y();
    }
  }

  LongLinks links;
  std::unique_ptr<GanttChart> chart = std::make_unique<GanttChart>();
};

TEST_F(ScrollPainting, ALinkWhoseEndsLeaveTheFilterIsNotLeftBehind) {
  scrollInSteps(QPoint(0, -37), 12, "down");
  scrollInSteps(QPoint(0, 37), 12, "up");
  scrollInSteps(QPoint(-53, 0), 30, "right");
  scrollInSteps(QPoint(53, 0), 30, "left");
}

TEST_F(ScrollPainting, StepsThatOverlapBeforeAPaintLeaveNothingStale) {
  // Diagonal touchpad steps, several to a paint, some undoing part of the
  // last, and one beyond the document's end.
  const std::vector<QPoint> steps{QPoint(-31, -17), QPoint(12, 5),     QPoint(-300, -90),
                                  QPoint(7, -3),    QPoint(-1, 0),     QPoint(40, 40),
                                  QPoint(-611, 0),  QPoint(0, -100000), QPoint(250, 99)};
  for (size_t i = 0; i < steps.size(); ++i) {
    testing::sendWheel(chart->content()->canvas(), QPoint(), steps[i]);
    if (i % 3 != 2) continue;
    ASSERT_EQ(stalePixels(), 0) << "after step " << i;
  }
  // An update pending in part of the canvas when the next scroll comes.
  chart->content()->canvas()->update(QRect(100, 40, 50, 30));
  testing::sendWheel(chart->content()->canvas(), QPoint(), QPoint(-20, -20));
  EXPECT_EQ(stalePixels(), 0);
}

// A host's "no start date" (the earliest time there is) on one item
// stretches the timeline over some eighty thousand years, a diagram longer
// than any scroll bar holds; a task of March 2026 lies at its far end.
class EndlessTimeline : public ScrollPainting {
 protected:
  EndlessTimeline() {
    const Time monday = Time::fromYearMonthDay(2026, 3, 2, 8, 0, 0);
    task = GanttChartItem::create(
        {.label = "Build", .row = 1, .start = monday, .finish = monday.addingDays(2)});
    const auto undated = GanttChartItem::create(
        {.label = "Undated", .row = 0, .start = Time::min(), .finish = Time::min().addingDays(1)});
    auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{undated, task}, std::vector<GanttChartDependencyPtr>{});
    content = GanttChartContentController::create(source);
    chart->setController(GanttChartController::create(
        GanttChartHeaderController::create(std::nullopt), content));
  }

  GanttChartItemPtr task;
  GanttChartContentControllerPtr content;
};

TEST_F(EndlessTimeline, TheControllersScrollRequestReachesAnItemPastTheScrollBarsEnd) {
  ASSERT_GT(content->totalDiagramSize().width, 1.5 * StandardScrollView::kMaximumDocumentLength);
  content->scroll(task->time());
  const Rectangle bar = content->bounds(task);
  const Rectangle shown = content->viewport();
  EXPECT_LE(shown.left(), bar.left());
  EXPECT_GE(shown.right(), bar.right());
  EXPECT_EQ(fromQt(chart->content()->scrollView()->documentVisibleRect()), shown);
  // The header shows the same time above it.
  const auto header = chart->header()->controller();
  EXPECT_NEAR(header->x(task->start()) - header->viewport().left(),
              content->x(task->start()) - shown.left(), 1);

  // The bar's pixels where its geometry says, drawn as a fresh paint draws
  // them, and still after scrolling on by the wheel.
  const auto pixel = [&](const QPointF& point) {
    const QPointF at = chart->content()->scrollView()->viewportPoint(point);
    return chart->content()->imageRepresentation().pixelColor(
        chart->content()->canvas()->mapTo(chart->content(), at.toPoint()));
  };
  const double middleX = bar.left() + bar.width() / 2;
  const auto barPixel = [&] { return pixel(QPointF(middleX, content->middle(1))); };
  // The same column two rows further down, where no item lies.
  const QColor background = pixel(QPointF(middleX, content->middle(3)));
  EXPECT_NE(barPixel(), background);
  EXPECT_TRUE(testing::isNear(barPixel(), toQt(content->actualStyle().barFillColorFor(task)), 60))
      << barPixel().name().toStdString();
  EXPECT_EQ(stalePixels(), 0);
  scrollInSteps(QPoint(-23, 0), 5, "right");
  scrollInSteps(QPoint(0, -11), 3, "down");
}

TEST_F(EndlessTimeline, AnExportZoomedInLeavesTheViewWhereTheScrollRequestPutIt) {
  // Each step of the scroll bar is some six hundred points here; the
  // vertical bar the export hides changes that.
  content->setHourWidth(1000);
  content->setDesiredScrollableRowCount(40);
  QCoreApplication::processEvents();
  content->scroll(task->time());
  const Rectangle shown = content->viewport();
  ASSERT_LE(shown.left(), content->bounds(task).left());
  (void)chart->imageRepresentation();
  EXPECT_EQ(content->viewport(), shown);
}

}  // namespace
}  // namespace vorlent
