// Whole charts fed values a host can produce by mistake: times a parse left
// as NaN, sizes far beyond any screen. The chart must go on drawing what its
// controllers answer, at the size the host asks for.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include <limits>
#include <memory>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/model/item_source.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/content_view_testing.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using testing::isNear;
using testing::pixelAt;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Week 1 of the library's calendar, Sunday 7 January 2001.
Time weekDay(int64_t day, double hours) { return Time(1, day, hours * 3600); }

// A shown 640 × 320 chart of three two-day tasks on rows 0 to 2, whose
// timeline follows the items (so whatever reaches their span reaches the
// header too).
class HostileChart : public ::testing::Test {
 protected:
  HostileChart() {
    for (int64_t row = 0; row < 3; ++row) {
      items.push_back(GanttChartItem::create(
          {.row = row, .start = weekDay(1 + row, 8), .finish = weekDay(3 + row, 8)}));
    }
    source = std::make_shared<GanttChartItemSource>(items);
    controller = GanttChartController::create(GanttChartHeaderController::create(),
                                              GanttChartContentController::create(source));
    chart = std::make_unique<GanttChart>();
    chart->resize(640, 320);
    testing::showActive(*chart);
    chart->setController(controller);
    settle();
  }

  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  [[nodiscard]] std::shared_ptr<GanttChartContentController> content() const {
    return controller->contentController();
  }
  [[nodiscard]] std::shared_ptr<GanttChartHeaderController> header() const {
    return controller->headerController();
  }

  // Where the chart's own picture shows a document point of the chart area.
  [[nodiscard]] QPointF inChart(const Point& point) const {
    return chart->content()->scrollView()->viewportPoint(QPointF(point.x, point.y)) +
           QPointF(chart->content()->pos());
  }

  // Whether the chart's picture shows the item's bar colour at its centre,
  // as the controller places it.
  [[nodiscard]] ::testing::AssertionResult barDrawn(const GanttChartItemPtr& item) {
    const Rectangle bounds = content()->bounds(item);
    const Point centre{bounds.origin.x + bounds.size.width / 2,
                       bounds.origin.y + bounds.size.height / 2};
    const QColor shown = pixelAt(chart->imageRepresentation(), inChart(centre));
    const QColor fill = toQt(content()->actualStyle().barFillColorFor(item));
    if (isNear(shown, fill, 40)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << centre << " the chart shows "
                                         << shown.name().toStdString() << ", the bar is "
                                         << fill.name().toStdString();
  }

  // Whether the controller lists a bar of the item in its viewport.
  [[nodiscard]] bool listsBar(const GanttChartItemPtr& item) const {
    for (const GanttChartBar& bar : content()->visibleBars()) {
      if (bar.item == item) return true;
    }
    return false;
  }

  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;
  GanttChartControllerPtr controller;
  std::unique_ptr<GanttChart> chart;
};

// --- Times that are not numbers ----------------------------------------------------

TEST_F(HostileChart, AnItemWithANaNTimeHasNoBarAndTheRestOfTheChartWorksOn) {
  // Within the others' span first, so the timeline is theirs.
  const GanttChartItemPtr broken = items[1];
  const TimeRange others = content()->actualTimeline();
  // Each end on its own and both, as far out as to widen the timeline if it
  // counted.
  for (const TimeRange& nan : {TimeRange(Time(0, 1, kNaN), weekDay(3, 8)),
                               TimeRange(weekDay(2, 8), Time(2, 6, kNaN)),
                               TimeRange(Time(0, 1, kNaN), Time(2, 6, kNaN))}) {
    SCOPED_TRACE(::testing::Message() << nan);
    broken->setTime(nan);
    source->collectionDidChange();
    settle();

    EXPECT_EQ(content()->actualTimeline(), others);
    EXPECT_EQ(header()->scrollableTimeline(), others);
    EXPECT_FALSE(listsBar(broken));
    EXPECT_TRUE(barDrawn(items[0]));
    EXPECT_TRUE(barDrawn(items[2]));
  }

  // Zooming and scrolling go on, and a good time brings the bar back.
  content()->setZoom(2);
  content()->scrollBy(40, 0);
  broken->setTime(TimeRange(weekDay(2, 8), weekDay(4, 8)));
  source->collectionDidChange();
  settle();
  EXPECT_EQ(header()->zoom(), 2);
  EXPECT_TRUE(barDrawn(broken));
}

TEST_F(HostileChart, ATimelineTheHostEndsInNaNIsShownAndReplacedWithoutHanging) {
  content()->setScrollableTimeline(TimeRange(weekDay(0, 0), Time(3, 0, kNaN)));
  settle();
  EXPECT_FALSE(chart->imageRepresentation().isNull());
  content()->scrollBy(40, 0);
  header()->scrollBy(10);

  content()->setScrollableTimeline(TimeRange(weekDay(0, 0), weekDay(14, 0)));
  settle();
  EXPECT_EQ(header()->scrollableTimeline(), content()->actualTimeline());
  EXPECT_TRUE(barDrawn(items[0]));
}

// --- Sizes beyond the screen ---------------------------------------------------------

TEST_F(HostileChart, AHeaderTallerThanTheChartTakesNoMoreThanTheHostGives) {
  for (const double rowHeight : {1e3, 1e6, 1e300}) {
    SCOPED_TRACE(rowHeight);
    controller->setHeaderRowHeight(rowHeight);
    chart->resize(800, 400);
    settle();

    EXPECT_EQ(chart->size(), QSize(800, 400));
    EXPECT_LE(chart->header()->geometry().bottom(), chart->height());
    // Header and chart area paint into what the window holds.
    EXPECT_LE(chart->header()->imageRepresentation().height(), 400);
    EXPECT_EQ(chart->imageRepresentation().size(), QSize(800, 400));
    EXPECT_LE(header()->viewport().size.height, 400);
  }

  // A header that fits is as tall as its rows, and the chart area below it
  // as tall as the rest.
  controller->setHeaderRowHeight(30);
  settle();
  EXPECT_EQ(chart->header()->height(), 60);
  EXPECT_EQ(chart->content()->geometry().top(), 60);
  EXPECT_EQ(chart->content()->geometry().bottom(), 399);
  EXPECT_TRUE(barDrawn(items[0]));
}

}  // namespace
}  // namespace vorlent
