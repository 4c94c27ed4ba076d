// A drag in the demo's two windows, on Qt's offscreen platform, at 1400 x
// 800: the main window (the plan's items in a `GanttChart`) and the outline
// window (the same plan as a host's outline in an `OutlineGanttChart`, every
// row expanded, under the same rules). The demo's first task, 1.1 "Plan",
// is grabbed with the mouse; one drag step moves it a day later or back
// again, its successors (nearly the whole plan) following, then paints the
// frame. The two windows should cost about the same.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>

#include <chrono>
#include <memory>

#include "bench/bench_application.h"
#include "examples/demo_app.h"
#include "examples/demo_outline.h"
#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/views/chart_view.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

const Time kToday = Time::fromYearMonthDay(2026, 3, 4, 12, 0, 0);

examples::DemoOptions demoOptions() {
  examples::DemoOptions options;
  options.today = kToday;
  options.size = QSize(1400, 800);
  return options;
}

// The plan index of the demo's first task.
size_t firstTaskIndex(const examples::DemoPlan& plan) {
  size_t i = 0;
  while (i < plan.items.size() && plan.items[i].kind != examples::DemoItemKind::task) ++i;
  return i;
}

// Drags `item` on `chart` a day later and back, one step per iteration.
void dragSteps(benchmark::State& state, GanttChart& chart, const GanttChartItemPtr& item) {
  if (!item) return state.SkipWithError("the task is not in the chart");
  GanttChartContent& view = *chart.content();
  const GanttChartContentControllerPtr content = view.controller();
  content->scrollVisibleTimelineToStartOn(item->start().addingDays(-3));
  content->scrollVertically(item->row(), 100.0);
  QApplication::processEvents();
  QWidget* canvas = view.canvas();
  const auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier, QPointingDevice::primaryPointingDevice());
    QCoreApplication::sendEvent(canvas, &event);
  };
  const auto frame = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); };
  const Rectangle bar = content->bounds(item);
  const QPointF grab = view.scrollView()->viewportPoint(
      QPointF(bar.origin.x + bar.size.width / 2, bar.origin.y + bar.size.height / 2));
  const double day = content->x(item->start().addingDays(1)) - content->x(item->start());
  const Time before = item->start();
  mouse(QEvent::MouseButtonPress, grab, Qt::LeftButton);
  int64_t steps = 0;
  std::chrono::duration<double, std::milli> painting{0};
  for (auto _ : state) {
    mouse(QEvent::MouseMove, grab + QPointF(day * double(++steps % 2), 0), Qt::LeftButton);
    const auto painted = std::chrono::steady_clock::now();
    frame();
    painting += std::chrono::steady_clock::now() - painted;
  }
  state.counters["frame_ms"] =
      benchmark::Counter(painting.count(), benchmark::Counter::kAvgIterations);
  const Time after = item->start();
  mouse(QEvent::MouseButtonRelease, grab + QPointF(day * double(steps % 2), 0), Qt::NoButton);
  frame();
  if (steps % 2 == 1 && !(before < after)) state.SkipWithError("the drag did not move the task");
}

void BM_DemoMainWindowDragStep(benchmark::State& state) {
  ensureApplication();
  Clock::setNow(makeDate(kToday));
  const examples::DemoOptions options = demoOptions();
  examples::DemoScene scene = examples::makeDemoScene(kToday);
  const GanttChartItemPtr task = scene.project.items[firstTaskIndex(scene.plan)];
  examples::DemoWindow window(std::move(scene), options);
  examples::showOffscreen(window, options.size);
  QApplication::processEvents();
  dragSteps(state, window.chart(), task);
}
BENCHMARK(BM_DemoMainWindowDragStep)->Unit(benchmark::kMillisecond);

void BM_DemoOutlineWindowDragStep(benchmark::State& state) {
  ensureApplication();
  Clock::setNow(makeDate(kToday));
  const examples::DemoOptions options = demoOptions();
  examples::DemoOutlineScene scene = examples::makeDemoOutlineScene(kToday);
  const OutlineGanttChartItemPtr task = scene.source->items()[firstTaskIndex(scene.plan)];
  examples::DemoOutlineWindow window(std::move(scene), options);
  examples::showOffscreen(window, options.size);
  QApplication::processEvents();
  dragSteps(state, *window.chart().ganttChart(), window.chart().ganttChartItem(task));
}
BENCHMARK(BM_DemoOutlineWindowDragStep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlent
