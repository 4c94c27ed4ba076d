// The chart area's controller on a large chart: 100,000 items on 10,000 rows
// with 100,000 dependencies, shown through a 1600 × 1000 viewport. One-point
// scrolls (a new viewport, both filters pushed into the item manager, every
// notification), the same with a redraw reading the filtered lists, the
// resident memory 2,000 such scrolls add, and the time ↔ x mapping through a
// five-day, eight-hour visibility schedule with 100 holidays a year over a
// ten-year timeline.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

constexpr int64_t kRows = 10000;
constexpr int64_t kItemsPerRow = 10;
constexpr double kViewportWidth = 1600;
constexpr double kViewportHeight = 1000;

// A deterministic stream of numbers for spreading items and links.
class Scatter {
 public:
  uint64_t next(uint64_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state_ >> 33) % bound;
  }

 private:
  uint64_t state_ = 88172645463325252ULL;
};

// Each row holds ten items of one to ten days, one after the other with
// gaps, starting somewhere in the first year; links join each item to the
// next on its row and to a random item a few rows further down.
struct Chart {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::shared_ptr<GanttChartItemSource> source;

  Chart() {
    Scatter scatter;
    items.reserve(kRows * kItemsPerRow);
    for (int64_t row = 0; row < kRows; ++row) {
      Time start = Time(100, 1, 8 * 3600.0).addingDays(static_cast<int64_t>(scatter.next(365)));
      for (int64_t k = 0; k < kItemsPerRow; ++k) {
        const Time finish = start.addingDays(1 + static_cast<int64_t>(scatter.next(10)));
        items.push_back(std::make_shared<GanttChartItem>(std::nullopt, row, start, finish, 0.5));
        start = finish.addingDays(static_cast<int64_t>(scatter.next(5)));
      }
    }
    dependencies.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      const size_t target = i % kItemsPerRow + 1 < kItemsPerRow
                                ? i + 1
                                : (i + kItemsPerRow * (1 + scatter.next(5))) % items.size();
      dependencies.push_back(
          std::make_shared<GanttChartDependency>(std::nullopt, items[i], items[target]));
    }
    source = std::make_shared<GanttChartItemSource>(items, dependencies);
  }
};

Chart& chart() {
  static Chart* const shared = new Chart();
  return *shared;
}

// What a view does on each notification: nothing, or read the filtered lists
// it draws from.
class View : public GanttChartContentObserver {
 public:
  explicit View(std::shared_ptr<GanttChartItemManager> manager, bool reads)
      : manager_(std::move(manager)), reads_(reads) {}
  void visibleBarsDidChange() override {
    if (reads_) benchmark::DoNotOptimize(manager_->filteredItems().size());
  }
  void visibleDependencyLinesDidChange() override {
    if (reads_) benchmark::DoNotOptimize(manager_->filteredDependencies().size());
  }

 private:
  std::shared_ptr<GanttChartItemManager> manager_;
  bool reads_;
};

// A controller over the chart with a view, scrolled to its middle.
struct Scene {
  std::shared_ptr<GanttChartContentController> controller;
  std::shared_ptr<View> view;
  Rectangle origin;

  explicit Scene(bool reads) {
    controller = GanttChartContentController::create(chart().source);
    view = std::make_shared<View>(chart().source, reads);
    controller->setObserver(view);
    const Size size = controller->totalDiagramSize();
    origin = Rectangle(size.width / 2, size.height / 2, kViewportWidth, kViewportHeight);
    controller->setViewport(origin);
  }

  // The viewport `step` points right of (or below) the middle, going back
  // and forth so that every step is a new viewport.
  void scroll(int64_t step, bool vertically) {
    const double offset = static_cast<double>(step % 4000 < 2000 ? step % 2000 : 2000 - step % 2000);
    controller->setViewport(vertically ? origin.movedBy(0, offset + 1)
                                       : origin.movedBy(offset + 1, 0));
  }
};

void scrollOnePoint(benchmark::State& state, bool vertically, bool reads) {
  Scene scene(reads);
  int64_t step = 0;
  for (auto _ : state) scene.scroll(step++, vertically);
}

void BM_ScrollOnePointHorizontally(benchmark::State& state) { scrollOnePoint(state, false, false); }
BENCHMARK(BM_ScrollOnePointHorizontally)->Unit(benchmark::kMicrosecond);

void BM_ScrollOnePointVertically(benchmark::State& state) { scrollOnePoint(state, true, false); }
BENCHMARK(BM_ScrollOnePointVertically)->Unit(benchmark::kMicrosecond);

void BM_ScrollOnePointHorizontallyAndReadTheFilter(benchmark::State& state) {
  scrollOnePoint(state, false, true);
}
BENCHMARK(BM_ScrollOnePointHorizontallyAndReadTheFilter)->Unit(benchmark::kMicrosecond);

void BM_ScrollOnePointVerticallyAndReadTheFilter(benchmark::State& state) {
  scrollOnePoint(state, true, true);
}
BENCHMARK(BM_ScrollOnePointVerticallyAndReadTheFilter)->Unit(benchmark::kMicrosecond);

double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  double size = 0;
  double resident = 0;
  statm >> size >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Resident memory added by 2,000 one-point scrolls that each read the
// filtered lists, after a first round that reached every position once.
void BM_ResidentMemoryOf2000Scrolls(benchmark::State& state) {
  Scene scene(true);
  for (int64_t step = 0; step < 2000; ++step) scene.scroll(step, false);
  double growth = 0;
  int64_t step = 2000;
  for (auto _ : state) {
    const double before = residentMegabytes();
    for (int64_t i = 0; i < 2000; ++i) scene.scroll(step++, i % 2 == 0);
    growth = std::max(growth, residentMegabytes() - before);
  }
  state.counters["rss_growth_MB"] = growth;
}
BENCHMARK(BM_ResidentMemoryOf2000Scrolls)->Unit(benchmark::kMillisecond)->Iterations(3);

// Monday to Friday, 8:00 to 16:00, with 100 whole-day holidays in each of
// ten years, on a timeline of those ten years.
struct WorkingCalendarScene {
  std::shared_ptr<GanttChartContentController> controller;
  TimeRange timeline{Time(100, 0, 0), Time(100 + 522, 0, 0)};

  WorkingCalendarScene() {
    Scatter scatter;
    std::vector<TimeRange> holidays;
    for (int64_t year = 0; year < 10; ++year) {
      for (int64_t k = 0; k < 100; ++k) {
        const Time day = Time::fromDayNumber(
            (100 + year * 52) * 7 + 1 + static_cast<int64_t>(scatter.next(52)) * 7 +
                static_cast<int64_t>(scatter.next(5)),
            0);
        holidays.emplace_back(day, day.addingDays(1));
      }
    }
    controller = GanttChartContentController::create();
    controller->setScrollableTimeline(timeline);
    controller->setVisibilitySchedule(
        std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard(), holidays));
    benchmark::DoNotOptimize(controller->x(timeline.finish));
  }


  // `count` moments scattered over the timeline.
  std::vector<Time> sampleTimes(int count) const {
    Scatter scatter;
    std::vector<Time> times;
    for (int i = 0; i < count; ++i) {
      times.push_back(
          timeline.start.addingDuration(static_cast<double>(scatter.next(520 * 7 * 24 * 3600ULL))));
    }
    return times;
  }
};

void BM_XOfTimeThroughAWorkingCalendar(benchmark::State& state) {
  WorkingCalendarScene scene;
  const std::vector<Time> times = scene.sampleTimes(4096);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(scene.controller->x(times[i++ % times.size()]));
}
BENCHMARK(BM_XOfTimeThroughAWorkingCalendar);

void BM_TimeOfXThroughAWorkingCalendar(benchmark::State& state) {
  WorkingCalendarScene scene;
  const double width = scene.controller->totalDiagramSize().width;
  Scatter scatter;
  std::vector<double> positions;
  for (int i = 0; i < 4096; ++i) {
    positions.push_back(width * static_cast<double>(scatter.next(1000000)) / 1e6);
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.controller->time(positions[i++ % positions.size()]));
  }
}
BENCHMARK(BM_TimeOfXThroughAWorkingCalendar);

// A new visibility calendar, then the first position: the reaction and the
// building of the controller's table of working stretches for ten years.
void BM_FirstXOfTimeAfterANewCalendar(benchmark::State& state) {
  WorkingCalendarScene scene;
  WorkingCalendarScene other;
  const std::shared_ptr<ScheduleDefinition> calendars[] = {
      scene.controller->visibilitySchedule(), other.controller->visibilitySchedule()};
  int64_t i = 0;
  for (auto _ : state) {
    scene.controller->setVisibilitySchedule(calendars[++i % 2]);
    benchmark::DoNotOptimize(scene.controller->x(scene.timeline.finish));
  }
}
BENCHMARK(BM_FirstXOfTimeAfterANewCalendar)->Unit(benchmark::kMicrosecond);

// One-point scrolls over the large chart while the working calendar hides
// its nights, weekends and holidays.
void BM_ScrollOnePointThroughAWorkingCalendar(benchmark::State& state) {
  Scene scene(true);
  WorkingCalendarScene calendar;
  scene.controller->setVisibilitySchedule(calendar.controller->visibilitySchedule());
  const Size size = scene.controller->totalDiagramSize();
  scene.origin = Rectangle(size.width / 2, size.height / 2, kViewportWidth, kViewportHeight);
  scene.controller->setViewport(scene.origin);
  int64_t step = 0;
  for (auto _ : state) scene.scroll(step++, false);
}
BENCHMARK(BM_ScrollOnePointThroughAWorkingCalendar)->Unit(benchmark::kMicrosecond);

// The same calendar without the controller's table: what each mapping would
// cost asking the calendar.
void BM_XOfTimeAskingTheCalendar(benchmark::State& state) {
  WorkingCalendarScene scene;
  const auto& schedule = scene.controller->visibilitySchedule();
  const std::vector<Time> times = scene.sampleTimes(256);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(schedule->duration(scene.timeline.start, times[i++ % times.size()]));
  }
}
BENCHMARK(BM_XOfTimeAskingTheCalendar)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlent
