// The header's drawing pass: a 1600-point header of months over weeks over
// days on a ten-year timeline, drawn through a presenter that only counts.
// Cold: every cache cleared before the pass, so the cells are built and
// labelled again. Warm: the cells of the viewport come from the cache.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/intervals/time_interval_type.h"

namespace {

using vorlent::GanttChartHeaderController;
using vorlent::GanttChartHeaderRow;
using vorlent::TimeIntervalType;

class CountingPresenter : public vorlent::GanttChartHeaderPresenter {
 public:
  void drawBackground(const vorlent::Color&, const vorlent::Size&) override { ++count; }
  void drawBorder(const vorlent::Rectangle&, const vorlent::Line&, double,
                  const vorlent::Color&) override {
    ++count;
  }
  void drawTimeArea(const vorlent::ScheduleTimeSelector&, const vorlent::Rectangle&,
                    const vorlent::Color&) override {
    ++count;
  }
  void drawCell(const vorlent::TimeSelector&, const GanttChartHeaderRow&, const vorlent::Rectangle&,
                const vorlent::Color&) override {
    ++count;
  }
  void drawCellBorder(const vorlent::TimeSelector&, const GanttChartHeaderRow&,
                      const vorlent::Rectangle&, const vorlent::Line&, double,
                      const vorlent::Color&) override {
    ++count;
  }
  void drawCellLabel(const vorlent::TimeSelector&, const GanttChartHeaderRow&,
                     const vorlent::Rectangle&, const std::string&, const vorlent::Color&,
                     vorlent::TextAlignment, const vorlent::Font&,
                     vorlent::VerticalTextAlignment) override {
    ++count;
  }
  long count = 0;
};

struct Header {
  std::shared_ptr<GanttChartHeaderController> controller;
  std::shared_ptr<CountingPresenter> presenter = std::make_shared<CountingPresenter>();
  vorlent::Rectangle viewport;

  Header() {
    const vorlent::Time start = vorlent::Time::fromYearMonthDay(2020, 1, 1, 0, 0, 0);
    const vorlent::Time finish = vorlent::Time::fromYearMonthDay(2030, 1, 1, 0, 0, 0);
    controller = GanttChartHeaderController::create(vorlent::TimeRange(start, finish));
    controller->setRows({GanttChartHeaderRow(TimeIntervalType::months()),
                         GanttChartHeaderRow(TimeIntervalType::weeks()),
                         GanttChartHeaderRow(TimeIntervalType::days())});
    // Mid-timeline, in the middle of a month.
    viewport = vorlent::Rectangle(
        controller->x(vorlent::Time::fromYearMonthDay(2025, 6, 10, 0, 0, 0)), 0, 1600, 60);
    controller->setViewport(viewport);
    controller->setPresenter(presenter);
    controller->draw(viewport);  // applies the theme once
  }
};

void BM_HeaderDrawColdPass(benchmark::State& state) {
  Header header;
  for (auto _ : state) {
    header.controller->settingsDidChange();
    header.controller->draw(header.viewport);
  }
  state.counters["calls/pass"] =
      static_cast<double>(header.presenter->count) / static_cast<double>(state.iterations() + 1);
}
BENCHMARK(BM_HeaderDrawColdPass)->Unit(benchmark::kMicrosecond);

void BM_HeaderDrawWarmPass(benchmark::State& state) {
  Header header;
  for (auto _ : state) header.controller->draw(header.viewport);
  state.counters["calls/pass"] =
      static_cast<double>(header.presenter->count) / static_cast<double>(state.iterations() + 1);
}
BENCHMARK(BM_HeaderDrawWarmPass)->Unit(benchmark::kMicrosecond);

}  // namespace
