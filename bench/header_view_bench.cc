// The header widget on Qt's offscreen platform: a 1600 x 60 view of months
// over weeks over days on a ten-year timeline, repainted whole (the canvas's
// paint event with every drawing hook, text included). Warm: the cells of
// the viewport come from the controller's cache. Cold: every cache is
// cleared first, so cells are built and labelled again. Scroll step: the
// view moves by one day, so a new viewport is written and its cells built,
// then the whole canvas is repainted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include <memory>

#include "bench/bench_application.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/views/header_view.h"
#include "vorlent/views/hidden_scroller.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

struct ShownHeader {
  std::unique_ptr<GanttChartHeader> view;
  std::shared_ptr<GanttChartHeaderController> controller;

  ShownHeader() {
    ensureApplication();
    const Time start = Time::fromYearMonthDay(2020, 1, 1, 0, 0, 0);
    const Time finish = Time::fromYearMonthDay(2030, 1, 1, 0, 0, 0);
    controller = GanttChartHeaderController::create(TimeRange(start, finish));
    controller->setRows({GanttChartHeaderRow(TimeIntervalType::months()),
                         GanttChartHeaderRow(TimeIntervalType::weeks()),
                         GanttChartHeaderRow(TimeIntervalType::days())});
    view = std::make_unique<GanttChartHeader>();
    HiddenScroller::install(*view->scrollView());
    view->resize(1600, 60);
    view->show();
    // Until the window is exposed, repaint() paints nothing.
    while (!view->windowHandle()->isExposed()) QApplication::processEvents();
    view->setController(controller);
    const double middle = controller->x(Time::fromYearMonthDay(2025, 6, 10, 0, 0, 0));
    view->scrollTo(middle, middle + 1600);
    view->clipView()->repaint();  // applies the theme once
  }
};

void BM_HeaderViewRepaintWarm(benchmark::State& state) {
  ShownHeader header;
  for (auto _ : state) header.view->clipView()->repaint();
}
BENCHMARK(BM_HeaderViewRepaintWarm)->Unit(benchmark::kMicrosecond);

void BM_HeaderViewRepaintCold(benchmark::State& state) {
  ShownHeader header;
  for (auto _ : state) {
    header.controller->settingsDidChange();
    header.view->clipView()->repaint();
  }
}
BENCHMARK(BM_HeaderViewRepaintCold)->Unit(benchmark::kMicrosecond);

void BM_HeaderViewScrollStep(benchmark::State& state) {
  ShownHeader header;
  const double day = header.controller->width(TimeRange(Time(), Time().addingDays(1)));
  const double start = header.controller->viewport().left();
  int steps = 0;
  for (auto _ : state) {
    // Every step shows a viewport not seen before; after four years the
    // view starts over, its caches emptied.
    if (++steps % 1460 == 0) {
      state.PauseTiming();
      header.view->scrollTo(start, start + 1600);
      header.controller->settingsDidChange();
      state.ResumeTiming();
    }
    header.controller->scrollBy(day);
    header.view->clipView()->repaint();
  }
}
BENCHMARK(BM_HeaderViewScrollStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlent
