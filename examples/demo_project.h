#pragma once

// The project plan the demo shows and the chart benchmark loads: phases
// split into work packages, each package a few rows of tasks ending in a
// milestone, linked by dependencies of all four types with lags, on a
// Monday-to-Friday 8:00-16:00 calendar with public holidays, under the
// classic behaviours.
//
// A plan is first made as plain values (`makeDemoPlan`, deterministic for a
// given shape and start), with every task already scheduled in working time
// after its predecessors; `buildDemoProject` turns it into the library's
// items, dependencies and item source, as a host loading a saved project
// would, and `makeDemoChartController` into the chart controller the demo
// shows. Toolkit-free.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/model/item_factory.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/time.h"
#include "vorlent/time/time_range.h"

namespace vorlent::examples {

// How large a plan is and how it is laid out.
struct DemoPlanShape {
  int64_t phases = 5;
  int64_t packagesPerPhase = 5;
  // Task rows under each package summary.
  int64_t rowsPerPackage = 9;
  // Consecutive tasks on each task row (1: a row per task, as in most
  // plans; more make lanes of chained tasks, as a dense chart has).
  int64_t tasksPerRow = 1;
  // Phases follow one another: a phase starts when the packages of the one
  // before have finished. With a stagger the phases are unlinked, as the
  // projects of a portfolio are, each starting that many working days after
  // the one before.
  std::optional<double> phaseStaggerDays;
  // Extra start-to-start links from one task in the middle of the plan (the
  // "hub") to the first task of each of this many task rows below it.
  int64_t hubSuccessors = 0;
  // When set, links between rows of the same phase are added (start to
  // start, one working day of lag; rows two apart, then three, ...) until the
  // plan has this many dependencies or the phases have no more such pairs.
  std::optional<int64_t> dependencyCount;
  // The plan starts at 8:00 on the Monday of this moment's week.
  Time start;
  // Public holidays are laid into this many years from the start's.
  int64_t holidayYears = 3;
  // The moment taken as now: tasks before it are done, those across it
  // partly.
  Time now;
  uint32_t seed = 2024;

  // A dense plan starting at `start`: per phase three packages of two rows
  // of sixteen chained tasks (100 items on 10 rows) and 100 links, phases
  // staggered by two working days, and a hub with up to 100 successors.
  static DemoPlanShape dense(int64_t phases, const Time& start);
};

enum class DemoItemKind { phase, package, task, milestone };

// One bar of the plan, as a project file would hold it.
struct DemoPlanItem {
  std::string label{};
  std::string details{};
  int64_t row = 0;
  DemoItemKind kind = DemoItemKind::task;
  Time start{};
  Time finish{};
  double completion = 0;
  // The index of its summary in the plan's items, or -1 for a phase.
  int64_t parent = -1;
  // Working days, for tasks.
  double duration = 0;
};

// One dependency of the plan: indexes into its items, always from an
// earlier item to a later one; the lag in seconds of working time.
struct DemoPlanLink {
  int64_t from = 0;
  int64_t to = 0;
  GanttChartDependencyType type = GanttChartDependencyType::fromFinishToStart;
  double lag = 0;
};

struct DemoPlan {
  // The working calendar (weekdays 8:00-16:00 without the holidays) and the
  // days it does not work at all (weekends and holidays), for shading.
  std::shared_ptr<Schedule> calendar;
  std::shared_ptr<Schedule> workingDays;
  std::vector<TimeRange> holidays;
  std::vector<DemoPlanItem> items;
  std::vector<DemoPlanLink> links;
  int64_t rowCount = 0;
  // The hub's index, or -1.
  int64_t hub = -1;
  // The earliest start to the latest finish.
  TimeRange span;
};

// Makes the plan and schedules it: each task starts at the first working
// moment its predecessors and their lags allow, summaries span their
// children, and a task is done as far as the shape's `now` has passed it.
[[nodiscard]] DemoPlan makeDemoPlan(const DemoPlanShape& shape);

// The tool tip of a plan item: its label, its working days and, for a
// task with working time, how far it is done (a task without any has
// nothing to be done, whatever its completion says).
[[nodiscard]] std::string demoItemDetails(const std::string& label, DemoItemKind kind,
                                          double workingSeconds, double completion);
// An item observer that writes each changed item's tool tip anew from its
// time on `calendar` and its completion (a summary reads as a package).
[[nodiscard]] std::shared_ptr<GanttChartItemObserver> makeDemoDetailsObserver(
    std::shared_ptr<ScheduleDefinition> calendar);

// What the user creates from the chart's menu, with its tool tip: a task
// "New task" of one working day on `calendar` from the time given, or a
// milestone "New milestone" at it. Links are the library's plain ones.
[[nodiscard]] std::shared_ptr<GanttChartItemFactory> makeDemoItemFactory(
    std::shared_ptr<ScheduleDefinition> calendar);

// The library's objects for a plan, in plan order.
// The timeline a demo window scrolls over: from the week before the plan's
// items to three weeks after them, widened by as much again whenever an
// edit moves an item past either end, and never narrowed. Ordinary edits
// leave it as it is, so a drag does not lay the whole chart out anew at
// every step, while a bar pushed past the plan can still be reached.
class DemoTimeline {
 public:
  // The timeline around `items`, the span of the items as they are now.
  [[nodiscard]] TimeRange around(const TimeRange& items);

 private:
  std::optional<TimeRange> timeline_;
};

struct DemoProject {
  std::shared_ptr<GanttChartItemSource> source;
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  GanttChartItemPtr hub;
};

// Items, dependencies and an item source on the plan's calendar with the
// classic behaviours: column mode while every row holds one item, the
// package and phase hierarchy, auto-scheduling with the plan's lags, and a
// "finish no later than" constraint on the last milestone.
[[nodiscard]] DemoProject buildDemoProject(const DemoPlan& plan);

// Makes the source's auto-scheduling hold an edited item behind its own
// predecessors too, not only push its successors: a task dragged before
// what it waits for comes back to where that allows it to start. Call it
// after the lags are set: a new lag set brings a member without it.
void holdEditedItemsBehindPredecessors(GanttChartItemSource& source);

// Shades the weekends and holidays in both parts, marks the current moment
// and lets the timeline span the items with some room on either side,
// following them as edits move them.
void decorateDemoControllers(const DemoPlan& plan, GanttChartHeaderController& header,
                             GanttChartContentController& content);

// The demo's header: rows chosen by the hour width (months over weeks when
// zoomed out, weeks over days in between, days over hours when zoomed in),
// zoom limits from a whole plan of half a year in a window down to the hours
// of a day, and a zoom by dragging that takes a few centimetres to double.
void configureDemoHeader(GanttChartHeaderController& header);

// The chart controller the demo shows: weeks over days in the header, the
// weekends and holidays shaded in both parts, the current moment marked,
// and the timeline following the items, with room on either side.
[[nodiscard]] GanttChartControllerPtr makeDemoChartController(const DemoPlan& plan,
                                                              const DemoProject& project);

// How many links of each type the plan has, in the order of
// `allGanttChartDependencyTypes()`, and how many of them carry a lag.
struct DemoLinkCounts {
  int64_t byType[4] = {0, 0, 0, 0};
  int64_t withLag = 0;
};
[[nodiscard]] DemoLinkCounts countLinks(const DemoPlan& plan);

}  // namespace vorlent::examples
