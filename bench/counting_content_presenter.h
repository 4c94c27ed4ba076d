#pragma once

// A chart-area presenter for benchmarks: it counts what it is asked to
// draw and hands whole bars and lines back to the controller's standard
// drawing, as a view does, so that every style and permission is resolved
// as in a real pass.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vorlent/controllers/content_controller.h"

namespace vorlent::bench {

class CountingContentPresenter : public GanttChartContentPresenter {
 public:
  CountingContentPresenter() = default;
  explicit CountingContentPresenter(std::weak_ptr<GanttChartContentController> drawing)
      : controller(std::move(drawing)) {}

  std::weak_ptr<GanttChartContentController> controller;
  int64_t count = 0;

  void drawBackground(const Color&, const Size&) override { ++count; }
  void drawBorder(const Rectangle&, const Line&, double, const Color&) override { ++count; }
  void drawBackground(int64_t, const Rectangle&, const Color&) override { ++count; }
  void drawBorder(int64_t, const Rectangle&, const Line&, double, const Color&) override {
    ++count;
  }
  void draw(const GanttChartBar& bar) override {
    ++count;
    if (auto c = controller.lock()) c->draw(bar);
  }
  void drawBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
               const std::optional<Color>&, double, double, bool, bool, bool, const Color&,
               const Color&, const Color&, double, double, double, bool, bool, bool, bool,
               double) override {
    ++count;
  }
  void drawSummaryBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                      const std::optional<Color>&, double, double, double, bool, bool, bool, bool,
                      const Color&, const Color&, const Color&, double, double, double, bool, bool,
                      bool, bool, double) override {
    ++count;
  }
  void drawMilestone(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                     const std::optional<Color>&, double, bool, bool, bool, const Color&,
                     const Color&, const Color&, double, double, double, bool, bool,
                     double) override {
    ++count;
  }
  void drawCompletionBar(const GanttChartItemPtr&, const Rectangle&, const Color&, const Color&,
                         const std::optional<Color>&, double, double, bool, double) override {
    ++count;
  }
  void drawBarLabel(const GanttChartItemPtr&, const Rectangle&, const std::string&, const Color&,
                    TextAlignment, const Font&) override {
    ++count;
  }
  void drawAttachmentLabel(const GanttChartItemPtr&, const Rectangle&, const std::string&,
                           const Color&, const Font&) override {
    ++count;
  }
  void draw(const GanttChartDependencyLine& line) override {
    ++count;
    if (auto c = controller.lock()) c->draw(line);
  }
  void drawDependencyLine(const GanttChartDependencyPtr&, const std::vector<Point>&, const Color&,
                          double, double, double, bool, bool, bool, double, double,
                          double) override {
    ++count;
  }
  void drawDependencyLineThumb(const GanttChartItemPtr&, GanttChartDependencyEndType, const Point&,
                               double, const Color&) override {
    ++count;
  }
  void drawTemporaryDependencyLine(const GanttChartItemPtr&, const GanttChartItemPtr&,
                                   GanttChartDependencyType, const std::vector<Point>&,
                                   const Color&, double, double, double, double) override {
    ++count;
  }
  void drawTemporaryBar(const Rectangle&, const Color&, double, double) override { ++count; }
  void drawTimeArea(const ScheduleTimeSelector&, const Rectangle&, const Color&) override {
    ++count;
  }
  void drawTimeArea(const TimeSelector&, const Rectangle&, const Color&) override { ++count; }
  void drawTimeAreaBorder(const TimeSelector&, const Rectangle&, const Line&, double,
                          const Color&) override {
    ++count;
  }
  void drawTimeAreaLabel(const TimeSelector&, const Rectangle&, const std::string&, const Color&,
                         TextAlignment, const Font&, VerticalTextAlignment) override {
    ++count;
  }
};

}  // namespace vorlent::bench
