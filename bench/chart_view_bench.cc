// The whole chart widget on a large project, on Qt's offscreen platform:
// the demo's plan at 100,000 items on 10,000 rows (1,000 phases of three
// work packages, each two rows of sixteen chained tasks, the last one a
// milestone), linked by 100,000 dependencies of all four types with lags,
// under the classic behaviours, in a 1600 × 1000 `GanttChart` (header of
// weeks over days, weekends and holidays shaded, the current moment
// marked) scrolled to the middle of the plan.
//
// - Build and first paint: from the plan as a saved project holds it
//   (made once, outside the timing) to the first frame: items,
//   dependencies, item source with the classic behaviours, the three
//   controllers, the widget shown and painted whole.
// - Scroll step: one wheel step of a user over the chart area (20 points,
//   alternately down and up, or sideways), then the frame Qt paints for it:
//   the chart area moved, the header moved with it when sideways, and what
//   became visible painted.
// - Drag step: the plan's hub task, which 100 tasks follow start to start
//   (and their rows after them), dragged one point further right by the
//   mouse; then the frame. Once with the plan's scrollable timeline set, as
//   the demo sets it, once with the timeline following the items, which the
//   content controller works out anew on each step.
// - Resident memory: the process's resident set with the chart shown.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWindow>

#include <unistd.h>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench/bench_application.h"
#include "examples/demo_project.h"
#include "vorlent/base/clock.h"
#include "vorlent/views/chart_view.h"

namespace vorlent {
namespace {

using examples::DemoPlan;
using examples::DemoPlanShape;
using examples::DemoProject;

const Time kToday = Time::fromYearMonthDay(2028, 6, 14, 12, 0, 0);

// The plan, made once.
const DemoPlan& plan() {
  static const DemoPlan made = [] {
    Clock::setNow(makeDate(kToday));
    DemoPlanShape shape = DemoPlanShape::dense(1000, Time::fromYearMonthDay(2024, 1, 1, 0, 0, 0));
    shape.now = kToday;
    return examples::makeDemoPlan(shape);
  }();
  return made;
}

// Counts the pixels the chart's canvases paint.
class PaintCounter : public QObject {
 public:
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

// The chart shown over the plan, at the hub's row and a day before it.
struct Scene {
  DemoProject project;
  GanttChartControllerPtr controller;
  std::unique_ptr<GanttChart> chart;
  PaintCounter painted;

  explicit Scene(bool followingItems = false) {
    ensureApplication();
    project = examples::buildDemoProject(plan());
    controller = examples::makeDemoChartController(plan(), project);
    if (followingItems) controller->contentController()->setScrollableTimeline(std::nullopt);
    chart = std::make_unique<GanttChart>();
    chart->resize(1600, 1000);
    chart->setController(controller);
    const auto& content = controller->contentController();
    content->scrollVisibleTimelineToStartOn(project.hub->start().addingDays(-1));
    content->scrollVisibleRangeToBeginWith(project.hub->row() - 2);
    chart->show();
    // The first frame: the window exposed and everything in it painted.
    while (!chart->windowHandle()->isExposed()) QApplication::processEvents();
    frame();
    chart->content()->canvas()->installEventFilter(&painted);
    chart->header()->clipView()->installEventFilter(&painted);
  }

  // Paints what the last input left to paint, as the next frame would.
  void frame() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

  void wheel(QPoint pixels) const {
    QWidget* canvas = chart->content()->canvas();
    const QPointF at(400, 400);
    QWheelEvent event(at, canvas->mapToGlobal(at), pixels, pixels * 3, Qt::NoButton, Qt::NoModifier,
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

// The process's resident set, in MiB.
double residentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

// First, while the heap holds nothing a previous benchmark left behind.
void BM_ChartViewResidentMemory(benchmark::State& state) {
  ensureApplication();
  (void)plan();
  const double before = residentMiB();
  Scene scene;
  for (auto _ : state) benchmark::DoNotOptimize(scene.chart.get());
  state.counters["rss_MiB"] = residentMiB();
  state.counters["before_scene_MiB"] = before;
}
BENCHMARK(BM_ChartViewResidentMemory)->Iterations(1);

void BM_ChartViewBuildAndFirstPaint(benchmark::State& state) {
  ensureApplication();
  (void)plan();
  for (auto _ : state) {
    auto scene = std::make_unique<Scene>();
    state.PauseTiming();
    scene.reset();
    state.ResumeTiming();
  }
  state.counters["items"] = static_cast<double>(plan().items.size());
  state.counters["rows"] = static_cast<double>(plan().rowCount);
  state.counters["links"] = static_cast<double>(plan().links.size());
}
BENCHMARK(BM_ChartViewBuildAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void scrollSteps(benchmark::State& state, QPoint step) {
  Scene scene;
  int64_t n = 0;
  for (auto _ : state) {
    // Back and forth, so every step shows a new viewport and stays in range.
    scene.wheel((n++ / 50) % 2 == 0 ? step : -step);
    scene.frame();
  }
  state.counters["painted_px"] = benchmark::Counter(static_cast<double>(scene.painted.pixels),
                                                    benchmark::Counter::kAvgIterations);
}

void BM_ChartViewScrollStepVertical(benchmark::State& state) { scrollSteps(state, QPoint(0, -20)); }
BENCHMARK(BM_ChartViewScrollStepVertical)->Unit(benchmark::kMillisecond);

void BM_ChartViewScrollStepHorizontal(benchmark::State& state) {
  scrollSteps(state, QPoint(-20, 0));
}
BENCHMARK(BM_ChartViewScrollStepHorizontal)->Unit(benchmark::kMillisecond);

void BM_ChartViewDragStep(benchmark::State& state) {
  Scene scene(state.range(0) == 0);
  const GanttChartItemPtr hub = scene.project.hub;
  const Rectangle bounds = scene.controller->contentController()->bounds(hub);
  QPointF at(bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2);
  scene.mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
  at += QPointF(20, 0);
  scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
  scene.frame();
  const Time startBefore = hub->start();
  for (auto _ : state) {
    at += QPointF(1, 0);
    scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
    scene.frame();
  }
  scene.mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
  state.counters["moved_hours"] = (hub->start().week - startBefore.week) * 168.0 +
                                  (hub->start().dayOfWeek - startBefore.dayOfWeek) * 24.0 +
                                  (hub->start().timeOfDay - startBefore.timeOfDay) / 3600;
}
BENCHMARK(BM_ChartViewDragStep)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("scrollableTimeline")
    ->Arg(1)
    ->Arg(0);

}  // namespace
}  // namespace vorlent
