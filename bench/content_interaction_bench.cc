// The chart area's interaction on a chart of 100,000 items in an item
// source with the classic behaviour set on the standard calendar: summaries
// over a hub task and the hub's 100 successors, one item a row.
// - one drag step of a hub, which carries its successors and its summary
//   along (update, cascade, caches, notifications), also out of the
//   viewport of a host without a scroller;
// - one auto-scroll tick with the pointer resting at the right edge, the
//   view following, then a drawing pass through a presenter that counts;
// - the hit tests behind cursors, tool tips and the link thumb, over a
//   viewport of 300 rows;
// - zoom steps, each followed by a drawing pass.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/counting_content_presenter.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr int64_t kItemCount = 100000;
constexpr int64_t kFanOut = 100;


// Where a view's span of `length` at `current` moves to show [start, finish]:
// just far enough.
double following(double current, double length, double start, double finish) {
  if (start < current) return start;
  if (finish > current + length) return finish - length;
  return current;
}

// Scrolls as a view does.
class FollowingScroller : public GanttChartContentScroller {
 public:
  std::weak_ptr<GanttChartContentController> controller;

  void scrollTo(double startX, double finishX) override {
    if (auto c = controller.lock()) {
      Rectangle visible = c->viewport();
      visible.origin.x = following(visible.left(), visible.width(), startX, finishX);
      c->setViewport(visible);
    }
  }
  void scrollVerticallyTo(double startY, double finishY) override {
    if (auto c = controller.lock()) {
      Rectangle visible = c->viewport();
      visible.origin.y = following(visible.top(), visible.height(), startY, finishY);
      c->setViewport(visible);
    }
  }
};

// Takes every notification, as a view that only marks itself for redrawing.
class Listener : public GanttChartContentObserver {};

// The chart, scheduled as its rules want it: groups of a summary (row r)
// over a hub (row r + 1, Monday 8:00-16:00) and its successors (Tuesday
// 8:00-12:00), each linked finish to start from the hub; the groups' weeks
// cycle through four.
struct Chart {
  std::vector<GanttChartItemPtr> hubs;
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<bench::CountingContentPresenter> presenter =
      std::make_shared<bench::CountingContentPresenter>();
  std::shared_ptr<FollowingScroller> scroller = std::make_shared<FollowingScroller>();
  std::shared_ptr<Listener> listener = std::make_shared<Listener>();

  explicit Chart(bool scrollable) {
    std::vector<GanttChartItemPtr> items;
    std::vector<GanttChartDependencyPtr> links;
    std::vector<GanttChartItemHierarchicalRelation> relations;
    items.reserve(kItemCount);
    for (int64_t row = 0; row + kFanOut + 2 <= kItemCount; row += kFanOut + 2) {
      const int64_t week = 1201 + (row / (kFanOut + 2)) % 4;
      const auto item = [&](int64_t at, double from, double to, GanttChartItemType type) {
        items.push_back(GanttChartItem::create({.row = at,
                                                .start = Time(week, 1, 0).addingHours(from),
                                                .finish = Time(week, 1, 0).addingHours(to),
                                                .type = type}));
        return items.back();
      };
      const GanttChartItemPtr summary = item(row, 8, 36, GanttChartItemType::summary);
      const GanttChartItemPtr hub = item(row + 1, 8, 16, GanttChartItemType::standard);
      std::vector<GanttChartItemPtr> children{hub};
      for (int64_t s = 0; s < kFanOut; ++s) {
        children.push_back(item(row + 2 + s, 32, 36, GanttChartItemType::standard));
        links.push_back(GanttChartDependency::create({.from = hub, .to = children.back()}));
      }
      relations.emplace_back(summary, std::move(children));
      hubs.push_back(hub);
    }
    source = std::make_shared<GanttChartItemSource>(
        items, links, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt, std::nullopt, {},
                                           {}, std::nullopt));
    controller = GanttChartContentController::create(source);
    if (scrollable) {
      controller->setScrollableTimeline(TimeRange(Time(1200, 0, 0), Time(1300, 0, 0)));
    }
    presenter->controller = controller;
    scroller->controller = controller;
    controller->setPresenter(presenter);
    controller->setScroller(scroller);
    controller->setObserver(listener);
  }

  // The viewport `width` × `height` with the middle group's hub near its top
  // left corner.
  GanttChartItemPtr showMiddleHub(double width, double height) {
    const GanttChartItemPtr hub = hubs[hubs.size() / 2];
    controller->setViewport(Rectangle(controller->x(hub->start()) - 100,
                                      controller->top(hub->row() - 1), width, height));
    return hub;
  }
};

// The first successor of the hub of group `group`.
GanttChartItemPtr firstSuccessor(const Chart& chart, size_t group) {
  return chart.source->items()[group * (kFanOut + 2) + 2];
}

// One drag step of a hub: a day later and back in turns, each carrying the
// hub's successors and summary along. Argument 1: a scrollable timeline;
// 0: the timeline follows the items.
void BM_DragStepOfTaskWithHundredSuccessors(benchmark::State& state) {
  ScopedManualRunLoop loop;
  Chart chart(state.range(0) != 0);
  const GanttChartItemPtr hub = chart.showMiddleHub(1600, 900);
  const double y = chart.controller->middleY(hub);
  const double grabbed = chart.controller->x(hub->start()) + 10;
  const double dayLater = grabbed + 24 * chart.controller->actualHourWidth();
  const GanttChartItemPtr watched = firstSuccessor(chart, chart.hubs.size() / 2);
  const Time before = watched->start();
  chart.controller->beginDragging(Point{grabbed, y}, false);
  chart.controller->continueDragging(Point{dayLater, y});
  if (watched->start() == before) state.SkipWithError("the successors did not follow");
  bool back = true;
  for (auto _ : state) {
    chart.controller->continueDragging(Point{back ? grabbed : dayLater, y});
    back = !back;
  }
  chart.controller->endDragging();
  state.SetLabel(state.range(0) != 0 ? "scrollable timeline" : "timeline following the items");
}
BENCHMARK(BM_DragStepOfTaskWithHundredSuccessors)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// One drag step of a hub moved out of the viewport, and so out of the
// filter, by a host without a scroller: a week on, then a day further and
// back in turns. Checking that the dragged item is still in the chart then
// asks the whole collection. Argument 1: the hub outside the filter; 0: a
// viewport wide enough to keep it inside, for comparison.
void BM_DragStepOutsideFilter(benchmark::State& state) {
  const bool outside = state.range(0) != 0;
  ScopedManualRunLoop loop;
  Chart chart(true);
  chart.controller->setScroller(std::weak_ptr<GanttChartContentScroller>());
  const GanttChartItemPtr hub = chart.showMiddleHub(outside ? 400 : 6000, 900);
  const double y = chart.controller->middleY(hub);
  const double grabbed = chart.controller->x(hub->start()) + 10;
  const double week = grabbed + 7 * 24 * chart.controller->actualHourWidth();
  const double weekAndDay = week + 24 * chart.controller->actualHourWidth();
  const Time grabbedAt = hub->start();
  chart.controller->beginDragging(Point{grabbed, y}, false);
  chart.controller->continueDragging(Point{week, y});
  const GanttChartItemList filtered = chart.source->filteredItems();
  const bool inFilter = std::find(filtered.begin(), filtered.end(), hub) != filtered.end();
  if (inFilter == outside) state.SkipWithError("the hub is not where the case wants it");
  bool back = true;
  for (auto _ : state) {
    chart.controller->continueDragging(Point{back ? week : weekAndDay, y});
    back = !back;
  }
  if (hub->start() == grabbedAt) state.SkipWithError("the hub did not follow the drag");
  chart.controller->endDragging();
  state.SetLabel(outside ? "outside the filter" : "inside the filter");
}
BENCHMARK(BM_DragStepOutsideFilter)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// One tick of the drag timer with the pointer resting at the right edge: the
// hub (and its successors) move on, the view scrolls along, and the chart
// area is drawn again.
void BM_AutoScrollTickWithRedraw(benchmark::State& state) {
  ScopedManualRunLoop loop;
  Chart chart(state.range(0) != 0);
  const GanttChartItemPtr hub = chart.showMiddleHub(1600, 900);
  const double y = chart.controller->middleY(hub);
  chart.controller->beginDragging(Point{chart.controller->x(hub->start()) + 10, y}, false);
  chart.controller->continueDragging(Point{chart.controller->viewport().right() - 5, y});
  const double interval = chart.controller->settings().autoScrollInterval;
  const double left = chart.controller->viewport().left();
  loop->advance(interval);
  if (!(chart.controller->viewport().left() > left)) state.SkipWithError("the view did not scroll");
  int64_t ticks = 0;
  const int64_t drawnBefore = chart.presenter->count;
  for (auto _ : state) {
    loop->advance(interval);
    chart.controller->draw(chart.controller->viewport());
    ++ticks;
  }
  chart.controller->endDragging();
  state.counters["drawn/tick"] =
      static_cast<double>(chart.presenter->count - drawnBefore) / static_cast<double>(ticks);
  state.SetLabel(state.range(0) != 0 ? "scrollable timeline" : "timeline following the items");
}
BENCHMARK(BM_AutoScrollTickWithRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A viewport of 300 rows (three groups, in three of the four weeks) and
// points to ask about: the middle of every visible bar and the spot 40
// points right of it, on bars, lines and empty space.
struct HitTesting {
  ScopedManualRunLoop loop;
  Chart chart{true};
  std::vector<Point> points;

  HitTesting() {
    const GanttChartItemPtr hub = chart.hubs[chart.hubs.size() / 2];
    chart.controller->setViewport(Rectangle(chart.controller->x(Time(1201, 1, 0)),
                                            chart.controller->top(hub->row() - 1), 1400,
                                            300 * chart.controller->rowHeight()));
    for (const GanttChartBar& bar : chart.controller->visibleBars()) {
      points.push_back(bar.bounds.center());
      points.push_back(Point{bar.bounds.right() + 40, bar.bounds.centerY()});
    }
  }
};

// Asks the controller about each point in turn.
template <class Ask>
void BM_HitTest(benchmark::State& state, Ask ask) {
  HitTesting t;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ask(*t.chart.controller, t.points[i]));
    i = (i + 1) % t.points.size();
  }
  state.counters["visible bars"] = static_cast<double>(t.chart.controller->visibleBars().size());
}
BENCHMARK_CAPTURE(BM_HitTest, elementAt, [](GanttChartContentController& c, const Point& p) {
  return c.element(p);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HitTest, cursorAt, [](GanttChartContentController& c, const Point& p) {
  return c.cursor(p);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HitTest, toolTipAt, [](GanttChartContentController& c, const Point& p) {
  return c.toolTip(p);
})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HitTest, showDependencyLineThumb,
                  [](GanttChartContentController& c, const Point& p) {
                    return c.showDependencyLineThumb(p);
                  })
    ->Unit(benchmark::kMicrosecond);

// 200 steps of one zoom gesture, from half to twice the zoom at its start
// and back, each followed by a drawing pass of the 1600 × 900 viewport.
void BM_ZoomStepWithRedraw(benchmark::State& state) {
  ScopedManualRunLoop loop;
  Chart chart(true);
  chart.showMiddleHub(1600, 900);
  constexpr int kSteps = 200;
  int step = 0;
  chart.controller->beginZooming();
  for (auto _ : state) {
    const int phase = step % (2 * kSteps);
    const double t = (phase < kSteps ? phase : 2 * kSteps - phase) / double{kSteps};
    chart.controller->continueZooming(0.5 + 1.5 * t);
    chart.controller->draw(chart.controller->viewport());
    ++step;
  }
  chart.controller->endZooming();
}
BENCHMARK(BM_ZoomStepWithRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlent
