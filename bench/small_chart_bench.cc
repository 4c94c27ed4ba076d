// The whole chart widget on a small project, where painting rather than the
// model dominates a frame: 1,000 items on 1,000 rows (ten phases of nine
// packages of ten task rows, one item a row) linked by about 800
// dependencies, on a Monday-to-Friday 8:00-16:00 calendar with 20 holidays
// a year, weekends and holidays shaded in header and chart area, the current
// moment marked, in a 1600 × 1000 `GanttChart` on Qt's offscreen platform.
//
// - Full render: the header and the chart area marked and painted again
//   whole; and the whole window, Qt's scroll bars included.
// - Move: a task in view dragged one point further by the mouse, then the
//   frame Qt paints for it.
// - Page scroll: the chart area scrolled by its height (alternately down
//   and up) by the wheel, then the frame, which paints the whole area anew.
// - Export: the chart captured as an image, as a host saving it would.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/bench_application.h"
#include "examples/demo_project.h"
#include "vorlent/base/clock.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

using examples::DemoPlan;
using examples::DemoPlanShape;
using examples::DemoProject;

const Time kStart = Time::fromYearMonthDay(2026, 1, 5, 0, 0, 0);
const Time kToday = Time::fromYearMonthDay(2026, 6, 10, 12, 0, 0);

// Twenty working days off a year: every thirteenth weekday.
std::vector<TimeRange> twentyHolidaysAYear(int64_t firstYear, int64_t years) {
  std::vector<TimeRange> holidays;
  for (int64_t year = firstYear; year < firstYear + years; ++year) {
    Time day = Time::fromYearMonthDay(year, 1, 1, 0, 0, 0);
    int weekdays = 0;
    while (static_cast<int64_t>(holidays.size()) < (year - firstYear + 1) * 20) {
      if (day.dayOfWeek != 0 && day.dayOfWeek != 6 && ++weekdays % 13 == 0) {
        holidays.emplace_back(day, day.addingDays(1));
      }
      day = day.addingDays(1);
    }
  }
  return holidays;
}

const DemoPlan& plan() {
  static const DemoPlan made = [] {
    Clock::setNow(makeDate(kToday));
    DemoPlanShape shape;
    shape.phases = 10;
    shape.packagesPerPhase = 9;
    shape.rowsPerPackage = 10;
    shape.tasksPerRow = 1;
    shape.phaseStaggerDays = 2;
    shape.dependencyCount = 800;
    shape.start = kStart;
    shape.now = kToday;
    DemoPlan result = examples::makeDemoPlan(shape);
    result.links.resize(std::min<size_t>(result.links.size(), 800));
    result.holidays = twentyHolidaysAYear(kStart.year(), 4);
    result.calendar =
        std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), result.holidays);
    result.workingDays =
        std::make_shared<Schedule>(WeekRange::standard(), DayRange::continuous(), result.holidays);
    return result;
  }();
  return made;
}

// The chart shown over the plan, scrolled to a task in its middle.
struct Scene {
  DemoProject project;
  GanttChartControllerPtr controller;
  std::unique_ptr<GanttChart> chart;
  GanttChartItemPtr moved;

  Scene() {
    ensureApplication();
    project = examples::buildDemoProject(plan());
    controller = examples::makeDemoChartController(plan(), project);
    moved = project.items[project.items.size() / 2 + 5];
    chart = std::make_unique<GanttChart>();
    chart->resize(1600, 1000);
    chart->setController(controller);
    const auto& content = controller->contentController();
    content->scrollVisibleTimelineToStartOn(moved->start().addingDays(-3));
    content->scrollVisibleRangeToBeginWith(moved->row() - 5);
    chart->show();
    while (!chart->windowHandle()->isExposed()) QApplication::processEvents();
    frame();
  }

  void frame() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

  void wheel(QPoint pixels) const {
    QWidget* canvas = chart->content()->canvas();
    const QPointF at(400, 400);
    QWheelEvent event(at, canvas->mapToGlobal(at), pixels, pixels, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(canvas, &event);
  }

  void mouse(QEvent::Type type, QPointF documentPoint, Qt::MouseButtons buttons) const {
    QWidget* canvas = chart->content()->canvas();
    const QPointF at = chart->content()->scrollView()->viewportPoint(documentPoint);
    QMouseEvent event(type, at, canvas->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier, QPointingDevice::primaryPointingDevice());
    QCoreApplication::sendEvent(canvas, &event);
  }
};

void describe(benchmark::State& state) {
  state.counters["items"] = static_cast<double>(plan().items.size());
  state.counters["rows"] = static_cast<double>(plan().rowCount);
  state.counters["links"] = static_cast<double>(plan().links.size());
}

// The header and the chart area painted whole (argument 0), or the whole
// window with Qt's scroll bars too (argument 1).
void BM_SmallChartFullRender(benchmark::State& state) {
  Scene scene;
  const bool window = state.range(0) == 1;
  for (auto _ : state) {
    if (window) {
      scene.chart->update();
      for (QWidget* child : scene.chart->findChildren<QWidget*>()) child->update();
    } else {
      scene.chart->header()->clipView()->update();
      scene.chart->content()->canvas()->update();
    }
    scene.frame();
  }
  describe(state);
}
BENCHMARK(BM_SmallChartFullRender)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("window")
    ->Arg(0)
    ->Arg(1);

void BM_SmallChartMove(benchmark::State& state) {
  Scene scene;
  const Rectangle bounds = scene.controller->contentController()->bounds(scene.moved);
  QPointF at(bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2);
  scene.mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
  at += QPointF(20, 0);
  scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
  scene.frame();
  int64_t n = 0;
  for (auto _ : state) {
    // Back and forth over a day, so the task stays in view.
    at += QPointF((n++ / 40) % 2 == 0 ? 1 : -1, 0);
    scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
    scene.frame();
  }
  scene.mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
}
BENCHMARK(BM_SmallChartMove)->Unit(benchmark::kMillisecond);

void BM_SmallChartPageScroll(benchmark::State& state) {
  Scene scene;
  const int page = scene.chart->content()->scrollView()->viewport()->height();
  int64_t n = 0;
  for (auto _ : state) {
    scene.wheel(QPoint(0, (n++ / 10) % 2 == 0 ? -page : page));
    scene.frame();
  }
}
BENCHMARK(BM_SmallChartPageScroll)->Unit(benchmark::kMillisecond);

void BM_SmallChartExport(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    const QImage image = scene.chart->imageRepresentation();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SmallChartExport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlent
