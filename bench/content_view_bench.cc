// The chart area's view on a large project, painted by Qt's raster engine
// on the offscreen platform: 100,000 items on 10,000 rows (ten a row, with
// milestones, summaries, labels and completions) linked by 100,000
// dependencies, in a 1600 × 1000 view scrolled to row 5,000.
//
// - Full repaint: the whole canvas painted again (caches warm).
// - Scroll step: one wheel step of a user (a live scroll of 20 points: the
//   scroll, the viewport written into the controller), then the frame Qt
//   paints for it: the kept pixels moved and what came into view painted;
//   alternately down and up, or sideways.
// - Drag step: a bar with 100 direct successors, under the classic
//   behaviours, moved one point to the right by the mouse, the successors
//   following; each step repainted. Once with the scrollable timeline set
//   (as a host showing a large chart sets it), once with the timeline
//   following the items, which the controller works out anew on each step.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWindow>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_application.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/time_constants.h"
#include "vorlent/views/content_view.h"

namespace vorlent {
namespace {

constexpr int64_t kRows = 10'000;
constexpr int64_t kItemsPerRow = 10;
constexpr int64_t kDependencies = 100'000;
constexpr int64_t kDraggedRow = 5'000;
constexpr int64_t kSuccessors = 100;

Time dayOf(double days) { return Time(1000, 0, 0).addingDuration(days * secondsPerDay); }

// Ten items a row, each two days long, three and a half days apart, each
// row starting a little later than the one above in blocks of forty rows.
// Each item links to the next on its row; the first item of the dragged row
// links to the first item of each of the next hundred rows; the rest of the
// links join one item of a row to one of the row below.
std::shared_ptr<GanttChartItemSource> makeProject() {
  std::vector<GanttChartItemPtr> items;
  items.reserve(kRows * kItemsPerRow);
  for (int64_t row = 0; row < kRows; ++row) {
    const double shift = static_cast<double>(row % 40) * 0.25;
    for (int64_t k = 0; k < kItemsPerRow; ++k) {
      const double start = shift + 3.5 * static_cast<double>(k);
      const bool milestone = k == 7 && row % 3 == 0;
      const bool summary = k == 2 && row % 7 == 0;
      items.push_back(
          GanttChartItem::create({.label = "Item " + std::to_string(row) + "." + std::to_string(k),
                                  .row = row,
                                  .start = dayOf(start),
                                  .finish = dayOf(milestone ? start : start + 2),
                                  .completion = static_cast<double>(k % 5) / 4,
                                  .type = milestone ? std::optional(GanttChartItemType::milestone)
                                          : summary ? std::optional(GanttChartItemType::summary)
                                                    : std::nullopt}));
    }
  }
  const auto at = [&](int64_t row, int64_t k) { return items[row * kItemsPerRow + k]; };
  std::vector<GanttChartDependencyPtr> dependencies;
  dependencies.reserve(kDependencies);
  for (int64_t row = 0; row < kRows; ++row) {
    for (int64_t k = 0; k + 1 < kItemsPerRow; ++k) {
      dependencies.push_back(
          GanttChartDependency::create({.from = at(row, k), .to = at(row, k + 1)}));
    }
  }
  for (int64_t n = 1; n <= kSuccessors; ++n) {
    dependencies.push_back(
        GanttChartDependency::create({.from = at(kDraggedRow, 0), .to = at(kDraggedRow + n, 0)}));
  }
  for (int64_t row = 0; static_cast<int64_t>(dependencies.size()) < kDependencies; ++row) {
    const int64_t from = row % (kRows - 1);
    if (from >= kDraggedRow - 1 && from <= kDraggedRow + kSuccessors) continue;
    dependencies.push_back(GanttChartDependency::create(
        {.from = at(from, 4 + row % 3), .to = at(from + 1, 6 + row % 3)}));
  }
  return std::make_shared<GanttChartItemSource>(std::move(items), std::move(dependencies));
}

// A shown 1600 × 1000 view over the project, scrolled to the dragged row.
struct Scene {
  std::shared_ptr<GanttChartItemSource> source = makeProject();
  GanttChartContentControllerPtr controller;
  std::unique_ptr<GanttChartContent> view;
  QImage image;

  explicit Scene(bool classic, bool scrollableTimeline = false) {
    ensureApplication();
    if (classic) source->setBehavior(GanttChartItemBehaviorSet::classic());
    controller = GanttChartContentController::create(source);
    if (scrollableTimeline) controller->setScrollableTimeline(TimeRange(dayOf(-7), dayOf(70)));
    view = std::make_unique<GanttChartContent>();
    view->resize(1600, 1000);
    view->setController(controller);
    view->show();
    // A day before the first items at the left, two rows above the dragged
    // one at the top; the scroll request then hands the controller the
    // viewport.
    const QPointF origin(controller->x(dayOf(-1)), controller->top(kDraggedRow - 2));
    view->scrollView()->scrollToPoint(origin);
    view->scrollTo(origin.x(), origin.x());
    while (!view->windowHandle()->isExposed()) QApplication::processEvents();
    frame();
    repaint();
  }

  // Paints what the last input left to paint, as the next frame would.
  static void frame() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

  // Paints the whole canvas, as a paint event after an update does, into
  // an image of the canvas's size.
  void repaint() {
    QWidget* canvas = view->canvas();
    if (image.size() != canvas->size()) {
      image = QImage(canvas->size(), QImage::Format_ARGB32_Premultiplied);
    }
    canvas->render(&image);
  }

  void wheel(QPoint pixels) const {
    QWidget* canvas = view->canvas();
    const QPointF at(200, 200);
    QWheelEvent event(at, canvas->mapToGlobal(at), pixels, pixels * 3, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(canvas, &event);
  }

  void mouse(QEvent::Type type, QPointF documentPoint, Qt::MouseButtons buttons) const {
    QWidget* canvas = view->canvas();
    const QPointF at = view->scrollView()->viewportPoint(documentPoint);
    QMouseEvent event(type, at, canvas->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier, QPointingDevice::primaryPointingDevice());
    QCoreApplication::sendEvent(canvas, &event);
  }
};

void BM_ContentViewFullRepaint(benchmark::State& state) {
  Scene scene(false);
  for (auto _ : state) scene.repaint();
  state.counters["bars"] = static_cast<double>(scene.controller->visibleBars().size());
  state.counters["lines"] = static_cast<double>(scene.controller->visibleDependencyLines().size());
}
BENCHMARK(BM_ContentViewFullRepaint)->Unit(benchmark::kMillisecond);

void scrollSteps(benchmark::State& state, QPoint step) {
  Scene scene(false);
  int64_t n = 0;
  for (auto _ : state) {
    // Back and forth, so every step shows a new viewport and stays in range.
    scene.wheel((n++ / 50) % 2 == 0 ? step : -step);
    Scene::frame();
  }
}

void BM_ContentViewScrollStepVertical(benchmark::State& state) {
  scrollSteps(state, QPoint(0, -20));
}
BENCHMARK(BM_ContentViewScrollStepVertical)->Unit(benchmark::kMillisecond);

void BM_ContentViewScrollStepHorizontal(benchmark::State& state) {
  scrollSteps(state, QPoint(-20, 0));
}
BENCHMARK(BM_ContentViewScrollStepHorizontal)->Unit(benchmark::kMillisecond);

void BM_ContentViewDragStep(benchmark::State& state) {
  Scene scene(true, state.range(0) != 0);
  const GanttChartItemPtr dragged = scene.source->items()[kDraggedRow * kItemsPerRow];
  const Rectangle bounds = scene.controller->bounds(dragged);
  QPointF at(bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2);
  scene.mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
  at += QPointF(20, 0);
  scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
  scene.repaint();
  const Time startBefore = dragged->start();
  for (auto _ : state) {
    at += QPointF(1, 0);
    scene.mouse(QEvent::MouseMove, at, Qt::LeftButton);
    scene.repaint();
  }
  scene.mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
  state.counters["moved_hours"] = (dragged->start().week - startBefore.week) * 168.0 +
                                  (dragged->start().dayOfWeek - startBefore.dayOfWeek) * 24.0 +
                                  (dragged->start().timeOfDay - startBefore.timeOfDay) / 3600;
}
BENCHMARK(BM_ContentViewDragStep)
    ->Unit(benchmark::kMillisecond)
    ->ArgName("scrollableTimeline")
    ->Arg(1)
    ->Arg(0);

}  // namespace
}  // namespace vorlent
