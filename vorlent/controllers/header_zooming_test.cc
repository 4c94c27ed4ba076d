#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_controller_testing.h"

namespace vorlent {
namespace {

using testing::RecordingHeaderScroller;

constexpr int64_t kWeek = 1200;  // Sunday 31 December 2023 to 7 January 2024
const TimeRange kTimeline(Time(kWeek, kSunday, 0), Time(kWeek + 4, kSunday, 0));

// Answers a scroll request as a view does: the viewport moves to the
// requested start and keeps its width.
class FollowingScroller : public GanttChartHeaderScroller {
 public:
  explicit FollowingScroller(std::weak_ptr<GanttChartHeaderController> controller)
      : controller_(std::move(controller)) {}
  void scrollTo(double startX, double /*finishX*/) override {
    if (auto controller = controller_.lock()) {
      Rectangle viewport = controller->viewport();
      viewport.origin.x = startX;
      controller->setViewport(viewport);
    }
  }

 private:
  std::weak_ptr<GanttChartHeaderController> controller_;
};

std::shared_ptr<GanttChartHeaderController> makeController() {
  auto controller = GanttChartHeaderController::create(kTimeline);
  controller->setViewport(Rectangle(600, 0, 400, 40));
  return controller;
}

// The zoom after dragging `dx` points from a start at `fromZoom`.
double zoomAfterDrag(double fromZoom, double dx) {
  auto controller = makeController();
  controller->setZoom(fromZoom);
  controller->beginDragging(Point{700, 10});
  controller->continueDragging(Point{700 + dx, 12});
  return controller->zoom();
}

TEST(HeaderZoomDrag, HoldsZoomOneInTheDeadZoneAndStepsOnePerUnitBeyond) {
  EXPECT_DOUBLE_EQ(zoomAfterDrag(1, 48), 2);
  EXPECT_DOUBLE_EQ(zoomAfterDrag(1, -24), 0.6);
  EXPECT_EQ(zoomAfterDrag(1, -48), 0.3125);  // 0 raised to the minimum
  EXPECT_EQ(zoomAfterDrag(2, -48), 1);
  EXPECT_EQ(zoomAfterDrag(2, -56), 1);
  EXPECT_DOUBLE_EQ(zoomAfterDrag(2, -64), 0.8);
  EXPECT_EQ(zoomAfterDrag(1, 8), 1);
  EXPECT_EQ(zoomAfterDrag(1, -8), 1);
  EXPECT_DOUBLE_EQ(zoomAfterDrag(1, 10), 1.05);
  EXPECT_EQ(zoomAfterDrag(1, 400), 6.4);
  EXPECT_EQ(zoomAfterDrag(0.5, 28), 1);
  EXPECT_DOUBLE_EQ(zoomAfterDrag(0.5, 44), 1.2);  // across the dead zone
}

TEST(HeaderZoomDrag, CountsTheWholeDistanceSinceTheStartAndTheViewportsMove) {
  auto controller = makeController();
  controller->beginDragging(Point{700, 10});
  EXPECT_EQ(controller->draggingFromX(), 100);
  EXPECT_EQ(controller->zoomingFrom(), 1);
  controller->continueDragging(Point{720, 10});
  controller->continueDragging(Point{748, 10});
  EXPECT_DOUBLE_EQ(controller->zoom(), 2);
  // The view scrolled 100 points meanwhile: the pointer is where it was
  // relative to the viewport.
  controller->setViewport(Rectangle(700, 0, 400, 40));
  controller->continueDragging(Point{848, 10});
  EXPECT_DOUBLE_EQ(controller->zoom(), 2);

  controller->endDragging();
  EXPECT_FALSE(controller->draggingFromX() || controller->zoomingFrom() ||
               controller->zoomingTime());
  controller->continueDragging(Point{0, 0});
  EXPECT_DOUBLE_EQ(controller->zoom(), 2);
}

TEST(HeaderZoomDrag, BeginningAgainStartsFromTheCurrentZoom) {
  auto controller = makeController();
  controller->beginDragging(Point{700, 10});
  controller->continueDragging(Point{748, 10});
  controller->beginDragging(Point{700, 10});
  EXPECT_DOUBLE_EQ(*controller->zoomingFrom(), 2);
  controller->continueDragging(Point{740, 10});
  EXPECT_DOUBLE_EQ(controller->zoom(), 3);
}

TEST(HeaderZoomDrag, KeepsTheTimeAtTheCentreWhereItWas) {
  auto controller = makeController();
  auto scroller = std::make_shared<FollowingScroller>(controller);
  controller->setScroller(scroller);
  const Time centre = controller->visibleTimelineCenter();
  controller->beginDragging(Point{700, 10});
  EXPECT_EQ(controller->zoomingTime(), centre);
  for (double x : {760.0, 800.0, 650.0, 560.0}) {
    controller->continueDragging(Point{x, 10});
    const Rectangle viewport = controller->viewport();
    EXPECT_NEAR(controller->x(centre), viewport.left() + viewport.width() / 2, 1e-9);
  }
}

TEST(HeaderZoomDrag, DoesNothingWhenZoomingIsNotAllowedOrUnitsAreUnusable) {
  auto controller = makeController();
  GanttChartHeaderSettings settings;
  settings.allowsZooming = false;
  controller->setSettings(settings);
  controller->beginDragging(Point{700, 10});
  controller->continueDragging(Point{800, 10});
  EXPECT_FALSE(controller->draggingFromX());
  EXPECT_EQ(controller->zoom(), 1);

  for (double unit : {0.0, -40.0, std::nan("")}) {
    settings = GanttChartHeaderSettings();
    settings.zoomingUnitWidth = unit;
    controller->setSettings(settings);
    controller->beginDragging(Point{700, 10});
    controller->continueDragging(Point{800, 10});
    EXPECT_EQ(controller->zoom(), 1);
  }
  controller->setSettings(GanttChartHeaderSettings());
  controller->endDragging();
  controller->beginDragging(Point{std::nan(""), 10});
  controller->continueDragging(Point{800, 10});
  EXPECT_EQ(controller->zoom(), 1);
}

TEST(HeaderZoomLimits, CoercingKeepsTheZoomWithinTheLimits) {
  auto controller = makeController();
  EXPECT_EQ(controller->setZoomCoercing(10), 6.4);
  EXPECT_EQ(controller->zoom(), 6.4);
  EXPECT_EQ(controller->setZoomCoercing(0.1), 0.3125);
  EXPECT_EQ(controller->setZoomCoercing(std::nan("")), 0.3125);
  EXPECT_EQ(controller->setZoomCoercing(2), 2);

  // Crossed limits: coercing lets the maximum win, dragging the minimum.
  GanttChartHeaderSettings crossed;
  crossed.minZoom = 3;
  crossed.maxZoom = 2;
  controller->setSettings(crossed);
  EXPECT_EQ(controller->setZoomCoercing(2.5), 2);
  controller->beginDragging(Point{700, 10});
  controller->continueDragging(Point{710, 10});
  EXPECT_EQ(controller->zoom(), 3);
}

// --- Scrolling requests ---------------------------------------------------------------

TEST(HeaderScrolling, AsksTheScrollerForTheSpanOfATimeOrRange) {
  auto controller = makeController();
  auto scroller = std::make_shared<RecordingHeaderScroller>();
  controller->setScroller(scroller);
  const Time monday(kWeek, kMonday, 0);
  controller->scroll(TimeRange(monday, Time(kWeek, kTuesday, 0)), 10);
  controller->scroll(monday, std::nullopt);
  controller->scroll(monday, std::nan(""));
  controller->scrollBy(0);
  controller->scrollBy(std::nan(""));
  controller->scrollBy(-15);
  EXPECT_EQ(scroller->requests,
            (std::vector<std::pair<double, double>>{{50, 130}, {60, 60}, {60, 60}, {585, 985}}));
}

TEST(HeaderScrolling, MovesTheVisibleWorkingTimeToCentreStartOrFinishOnATime) {
  auto controller = makeController();
  controller->setVisibilitySchedule(ScheduleDefinition::standard());  // Mon-Fri 8-16
  controller->setViewport(Rectangle(0, 0, 100, 40));                  // 40 working hours
  auto scroller = std::make_shared<RecordingHeaderScroller>();
  controller->setScroller(scroller);
  EXPECT_EQ(controller->visibleTimelineCenter(), Time(kWeek, kWednesday, 12 * 3600));
  const Time wednesdayNoon(kWeek + 1, kWednesday, 12 * 3600);
  controller->scrollVisibleTimelineToCenterOn(wednesdayNoon);
  controller->scrollVisibleTimelineToStartOn(wednesdayNoon);
  controller->scrollVisibleTimelineToFinishOn(wednesdayNoon);
  const double noonX = 100 + 2 * 20 + 10;  // a week, two days and four hours
  EXPECT_EQ(scroller->requests,
            (std::vector<std::pair<double, double>>{
                {noonX - 50, noonX + 50}, {noonX, noonX + 100}, {noonX - 100, noonX}}));
}

TEST(HeaderScrolling, WithoutAScrollerNothingHappens) {
  auto controller = makeController();
  auto scroller = std::make_shared<RecordingHeaderScroller>();
  controller->setScroller(scroller);
  scroller.reset();
  controller->scrollBy(10);
  controller->scrollVisibleTimelineToCenterOn(kTimeline.start);
  EXPECT_FALSE(controller->scroller());
  EXPECT_EQ(controller->viewport(), Rectangle(600, 0, 400, 40));
}

}  // namespace
}  // namespace vorlent
