#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_testing.h"
#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_observer.h"

namespace vorlent {
namespace {

using testing::InteractionChart;
using testing::monday;
using testing::mondayPlus;
using Operation = GanttChartDraggingOperation;
using Strings = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Counts the time changes the item manager reports, and may react to them.
class TimeChangeCounter : public GanttChartItemObserver {
 public:
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& /*from*/) override {
    ++count;
    if (onChange) onChange(item);
  }
  void completionDidChange(const GanttChartItemPtr& item, double /*from*/) override {
    ++count;
    if (onChange) onChange(item);
  }
  int count = 0;
  std::function<void(const GanttChartItemPtr&)> onChange;
};

// "task" on row 0 at x 100...200 (Monday 10:00-20:00), completed to x 150;
// "other" on row 1 at x 300...400. 10 points an hour, viewport 1000 wide.
struct DragChart : InteractionChart {
  ScopedManualRunLoop loop;
  GanttChartItemPtr task = add("task", 0, monday(10), monday(20), 0.5);
  GanttChartItemPtr other = add("other", 1, monday(30), monday(40));

  DragChart() { create(); }

  void drag(double fromX, double fromY, double toX, double toY) {
    controller->beginDragging(Point{fromX, fromY}, false);
    controller->continueDragging(Point{toX, toY});
  }
};

// --- Beginning ---------------------------------------------------------------------

TEST(ContentDragging, BeginsTheOperationOfTheActionUnderThePoint) {
  DragChart chart;
  struct Case {
    Point point;
    Cursor cursor;
    bool (*matches)(const Operation&);
  };
  const std::vector<Case> cases = {
      {{170, 10},
       Cursor::moveHorizontally,
       [](const Operation& o) { return o.as<Operation::MovingBar>()->span == 7 * 3600.0; }},
      {{195, 10},
       Cursor::resizeHorizontally,
       [](const Operation& o) { return o.as<Operation::ResizingBar>()->span == -0.5 * 3600; }},
      {{105, 10},
       Cursor::resizeHorizontally,
       [](const Operation& o) { return o.as<Operation::ResizingBarAtStart>()->span == 1800.0; }},
      {{152, 10},
       Cursor::resizeHorizontally,
       [](const Operation& o) { return o.as<Operation::ResizingCompletionBar>()->span == 720.0; }},
      {{150, 20},
       Cursor::moveVertically,
       [](const Operation& o) { return o.is<Operation::MovingBarVertically>(); }},
  };
  for (const Case& c : cases) {
    chart.controller->beginDragging(c.point, false);
    ASSERT_TRUE(chart.controller->draggingOperation()) << c.point;
    EXPECT_TRUE(c.matches(*chart.controller->draggingOperation())) << c.point;
    EXPECT_EQ(chart.controller->draggingCursor(), c.cursor) << c.point;
    chart.controller->cancelDragging();
  }
}

TEST(ContentDragging, BeginningOnABarHidesTheThumbAndRaisesTheItemEvenWithoutAnAction) {
  DragChart chart;
  chart.configure([](GanttChartContentSettings& s) { s.allowsMovingBars = false; });
  ASSERT_TRUE(chart.controller->showDependencyLineThumb(Point{205, 12.5}));
  chart.controller->beginDragging(Point{170, 10}, true);
  EXPECT_FALSE(chart.controller->dependencyLineThumbArea());
  EXPECT_EQ(chart.task->zIndex(), 1);
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_FALSE(chart.controller->draggingCursor());
}

TEST(ContentDragging, EmptySpaceScrollsOnlyWhenAcceptedAndLinesDragNothing) {
  DragChart chart;
  chart.controller->beginDragging(Point{600, 150}, false);
  EXPECT_FALSE(chart.controller->draggingOperation());
  chart.controller->beginDragging(Point{600, 150}, true);
  ASSERT_TRUE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.controller->draggingOperation()->as<Operation::Scrolling>()->from,
            (Point{600, 150}));
  EXPECT_FALSE(chart.controller->draggingCursor());

  // The content follows the pointer as if grabbed, and stays when it rests.
  chart.controller->continueDragging(Point{580, 140});
  EXPECT_EQ(chart.scroller->requests,
            (Strings{"scrollTo(20, 1020)", "scrollVerticallyTo(10, 260)"}));
  EXPECT_EQ(chart.controller->viewport(), Rectangle(20, 10, 1000, 250));
  chart.loop->advance(0.2);
  EXPECT_EQ(chart.scroller->requests.size(), 2u);
}

// --- Steps ---------------------------------------------------------------------------

TEST(ContentDragging, MovingKeepsTheGrabbedOffsetAndKeepsTheGrabbedPointInView) {
  DragChart chart;
  chart.drag(170, 10, 270, 10);
  EXPECT_EQ(chart.task->start(), monday(20));
  EXPECT_EQ(chart.task->finish(), monday(30));
  EXPECT_EQ(chart.scroller->requests, (Strings{"scrollTo(245, 295)"}));
  chart.controller->endDragging();
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_FALSE(chart.controller->draggingCursor());
}

TEST(ContentDragging, KeepsAGrabOfThreeWorkingHoursAcrossAWeekend) {
  // Working time Monday to Friday 8:00-16:00 for the view and the items; a
  // task on Friday 10:00-14:00 is grabbed at 13:00.
  InteractionChart chart;
  ScopedManualRunLoop loop;
  const GanttChartItemPtr task = chart.add("task", 0, mondayPlus(4, 10), mondayPlus(4, 14));
  chart.create(nullptr, ScheduleDefinition::standard());
  chart.controller->setVisibilitySchedule(ScheduleDefinition::standard());
  ASSERT_EQ(chart.controller->x(task->start()), 340);
  chart.controller->setViewport(Rectangle(0, 0, 1000, 250));

  chart.controller->beginDragging(Point{370, 10}, false);
  // Over the weekend to Monday 12:00 of the next week.
  chart.controller->continueDragging(Point{440, 10});
  EXPECT_EQ(task->start(), mondayPlus(7, 9));
  EXPECT_EQ(task->finish(), mondayPlus(7, 13));
  // Back before the weekend, to Friday 9:30.
  chart.controller->continueDragging(Point{335, 10});
  EXPECT_EQ(task->start(), mondayPlus(3, 14.5));
  EXPECT_EQ(task->finish(), mondayPlus(4, 10.5));

  // Snapped to whole hours, counted in working time.
  chart.controller->setTimeScale(TimeScale::intervals(
      1, TimeUnit::hours, monday(0), FloatingPointRoundingRule::toNearestOrAwayFromZero));
  chart.controller->continueDragging(Point{443, 10});
  EXPECT_EQ(task->start(), mondayPlus(7, 9));
  chart.controller->continueDragging(Point{446, 10});
  EXPECT_EQ(task->start(), mondayPlus(7, 10));
}

TEST(ContentDragging, ResizingPassesWhetherTheCompletedDurationIsKept) {
  for (const bool preserving : {true, false}) {
    DragChart chart;
    chart.configure([preserving](GanttChartContentSettings& s) {
      s.preservesCompletedDurationUponResizingBars = preserving;
    });
    chart.drag(195, 10, 255, 10);  // the finish to 26:00
    EXPECT_EQ(chart.task->finish(), monday(26));
    EXPECT_DOUBLE_EQ(chart.task->completion(), preserving ? 5.0 / 16 : 0.5);
    EXPECT_EQ(chart.scroller->requests.back(), "scrollTo(235, 285)");
    chart.controller->endDragging();

    chart.drag(105, 10, 85, 10);  // the start to 8:00
    EXPECT_EQ(chart.task->start(), monday(8));
    EXPECT_EQ(chart.scroller->requests.back(), "scrollTo(55, 105)");
    chart.controller->endDragging();
  }
}

TEST(ContentDragging, DraggingTheCompletionKeepsTheUnsnappedTimeInView) {
  DragChart chart;
  chart.controller->setTimeScale(TimeScale::intervals(
      1, TimeUnit::hours, monday(0), FloatingPointRoundingRule::toNearestOrAwayFromZero));
  chart.drag(152, 10, 173, 10);  // 17:18 less the 12 minutes grabbed: 17:06
  EXPECT_DOUBLE_EQ(chart.task->completion(), 0.7);
  EXPECT_EQ(chart.scroller->requests, (Strings{"scrollTo(146, 196)"}));
}

TEST(ContentDragging, MovesABarBetweenRowsWithinTheRowsThatExist) {
  DragChart chart;
  chart.drag(150, 20, 150, 60);
  EXPECT_EQ(chart.task->row(), 2);  // the extra row below the last
  EXPECT_EQ(chart.scroller->requests.back(), "scrollVerticallyTo(25, 100)");
  chart.controller->continueDragging(Point{150, 5000});
  EXPECT_EQ(chart.task->row(), 2);
  chart.controller->continueDragging(Point{150, -80});
  EXPECT_EQ(chart.task->row(), 0);
  EXPECT_EQ(chart.scroller->requests.back(), "scrollVerticallyTo(-25, 50)");
}

TEST(ContentDragging, APointerRestingBelowTheDiagramDoesNotWalkTheBarDown) {
  DragChart chart;
  chart.drag(150, 20, 150, 240);
  EXPECT_EQ(chart.task->row(), 2);
  // The bar's move added a row; the limit stays the diagram's at the start.
  EXPECT_EQ(chart.controller->actualRowCount(), 4);
  chart.loop->advance(0.4);
  EXPECT_EQ(chart.task->row(), 2);
}

// --- The timer ---------------------------------------------------------------------------

TEST(ContentDragging, HoldingThePointerAtTheRightEdgeScrollsAndMovesTheBarEveryInterval) {
  DragChart chart;
  chart.drag(170, 10, 990, 10);  // 7 hours grabbed; the start to 92:00
  EXPECT_EQ(chart.task->start(), monday(92));
  EXPECT_EQ(chart.controller->viewport().left(), 15);
  chart.scroller->requests.clear();
  auto counter = std::make_shared<TimeChangeCounter>();
  std::vector<Time> starts;
  counter->onChange = [&starts](const GanttChartItemPtr& item) { starts.push_back(item->start()); };
  chart.source->setItemObserver(counter);

  chart.loop->advance(0.4);
  EXPECT_EQ(chart.scroller->requests.size(), 10u);
  ASSERT_EQ(starts.size(), 10u);
  for (size_t i = 0; i < starts.size(); ++i) {
    EXPECT_EQ(starts[i], monday(93.5 + 1.5 * static_cast<double>(i))) << i;
  }
  EXPECT_EQ(chart.controller->viewport().left(), 165);
}

TEST(ContentDragging, AResizeHeldAtTheEdgeFollowsTheMovedEnd) {
  DragChart chart;
  chart.drag(195, 10, 995, 10);
  EXPECT_EQ(chart.task->finish(), monday(100));
  chart.loop->advance(0.04);
  EXPECT_EQ(chart.scroller->requests.back(), "scrollTo(1000, 1050)");
  EXPECT_EQ(chart.task->finish(), monday(102.5));
}

TEST(ContentDragging, ARestingPointerAppliesNothingAgainButKeepsScrolling) {
  DragChart chart;
  auto counter = std::make_shared<TimeChangeCounter>();
  chart.source->setItemObserver(counter);
  chart.drag(170, 10, 500, 10);
  EXPECT_EQ(counter->count, 1);
  chart.loop->advance(0.4);
  EXPECT_EQ(counter->count, 1);
  EXPECT_EQ(chart.scroller->requests.size(), 11u);

  // At the end of a diagram that cannot scroll further, likewise.
  chart.scroller->limitsToDiagram = true;
  chart.controller->setViewport(Rectangle(5720, 0, 1000, 250));
  chart.controller->continueDragging(Point{6715, 10});
  const Time placed = chart.task->start();
  const int applied = counter->count;
  chart.loop->advance(0.4);
  EXPECT_EQ(counter->count, applied);
  EXPECT_EQ(chart.task->start(), placed);
  EXPECT_EQ(chart.scroller->requests.size(), 22u);
}

TEST(ContentDragging, ThePointersTimeStaysWhenTheTimelinesOriginMoves) {
  // Without a scrollable timeline the diagram starts an hour (10 points)
  // before the earliest item; moving that item earlier moves the origin.
  for (const bool withScroller : {true, false}) {
    DragChart chart;
    chart.controller->setScrollableTimeline(std::nullopt);
    chart.controller->setViewport(Rectangle(0, 0, 1000, 250));
    if (!withScroller) chart.controller->setScroller({});
    ASSERT_EQ(chart.controller->x(chart.task->start()), 10);

    chart.drag(70, 10, 30, 10);  // 16:00 grabbed (6 hours in); the pointer at 12:00
    EXPECT_EQ(chart.task->start(), monday(6));
    chart.loop->advance(0.4);
    EXPECT_EQ(chart.task->start(), monday(6)) << withScroller;
    // The view followed the origin, so the content stays put on screen.
    if (withScroller) {
      EXPECT_EQ(chart.controller->viewport().left(), 40);
    }
    // The pointer back where it grabbed the bar puts the bar back: where
    // the view scrolled along, that place lies 40 points further right in
    // the content, as 16:00 does.
    chart.controller->continueDragging(Point{70 + chart.controller->viewport().left(), 10});
    EXPECT_EQ(chart.task->start(), monday(10)) << withScroller;
  }
}

TEST(ContentDragging, ABarThatMovesTheTimelinesStartGoesNoFurtherThanThePointer) {
  // Without a scrollable timeline the diagram starts an hour before "task",
  // so moving it earlier moves the diagram's start along. A view that scrolls
  // along keeps the content under the pointer; one that cannot (the whole
  // diagram fits in it), or no view at all, lets the content move under the
  // pointer. The pointer carried 40 points left moves the bar 4 hours however
  // many movements carry it, instead of the bar running ahead of it.
  enum class View { following, fitting, none };
  for (const View view : {View::following, View::fitting, View::none}) {
    for (const int movements : {1, 6, 30}) {
      DragChart chart;
      chart.controller->setScrollableTimeline(std::nullopt);
      chart.controller->setViewport(Rectangle(0, 0, 1000, 250));
      if (view == View::fitting) chart.scroller->limitsToDiagram = true;
      if (view == View::none) chart.controller->setScroller({});
      chart.controller->beginDragging(Point{70, 10}, false);  // 16:00, 6 hours in
      for (int k = 1; k <= movements; ++k) {
        // Where the view reports the pointer: its place on the screen, in
        // whole points as a mouse gives it, plus how far the view has
        // scrolled.
        const double onScreen = std::round(70 - 40.0 * k / movements);
        chart.controller->continueDragging(
            Point{onScreen + chart.controller->viewport().left(), 10});
      }
      chart.loop->advance(0.2);
      EXPECT_EQ(chart.task->start(), monday(6))
          << "view " << static_cast<int>(view) << ", " << movements << " movements";
    }
  }
}

// --- One movement or many ------------------------------------------------------------

// On a Monday-to-Friday calendar, 4 points an hour: "P" Monday to Tuesday,
// "A" half done, Wednesday to Friday, "S" the next Monday to Tuesday, linked
// P to A to S, finish to start, under the classic rules. The rules may change
// A itself: `violating` starts it a day early, before P's finish;
// `constrained` keeps its start from going earlier than Wednesday, and there
// the rules keep no durations and resizing keeps the completion ratio rather
// than the completed part; `endingAtMidnight` ends A at the midnight after
// Friday, off working time, as hosts often write a last day.
struct ScheduledChart : InteractionChart {
  enum class Setting { satisfied, violating, constrained, endingAtMidnight };
  ScopedManualRunLoop loop;
  GanttChartItemPtr a;

  ScheduledChart(Setting setting, bool applyingToUpdatingItems) {
    const int64_t late = setting == Setting::violating ? 0 : 1;
    const GanttChartItemPtr p = add("P", 0, monday(8), mondayPlus(1, 16));
    a = add("A", 1, mondayPlus(1 + late, 8),
            setting == Setting::endingAtMidnight ? mondayPlus(5, 0) : mondayPlus(3 + late, 16),
            0.5);
    link(p, a);
    link(a, add("S", 2, mondayPlus(7, 8), mondayPlus(8, 16)));
    std::vector<GanttChartItemConstraintDefinition> constraints;
    if (setting == Setting::constrained) {
      constraints.emplace_back(
          a, GanttChartItemConstraints(a->start(), std::nullopt, std::nullopt, std::nullopt));
    }
    create(
        GanttChartItemBehaviorSet::classic({}, std::nullopt, applyingToUpdatingItems, std::nullopt,
                                           {}, constraints, setting != Setting::constrained),
        ScheduleDefinition::standard());
    controller->setHourWidth(4);
    if (setting == Setting::constrained) {
      configure([](GanttChartContentSettings& settings) {
        settings.preservesCompletedDurationUponResizingBars = false;
      });
    }
  }

  // Every item's time, completion and row; completions to nine places, as a
  // resize that keeps the completed part works the ratio out again at every
  // step, up to rounding.
  [[nodiscard]] std::vector<std::tuple<TimeRange, double, int64_t>> placements() const {
    std::vector<std::tuple<TimeRange, double, int64_t>> all;
    for (const GanttChartItemPtr& item : items) {
      all.emplace_back(item->time(), std::round(item->completion() * 1e9), item->row());
    }
    return all;
  }
};

TEST(ContentDragging, ADragLeavesTheChartAsOneMovementToItsLastPointWould) {
  using Setting = ScheduledChart::Setting;
  enum class Grab { start, middle, finish, completion, bottom };
  struct Case {
    const char* name;
    Grab grab;
    double dx;
    double dy;
    bool (*began)(const Operation&);
    // Where the first of several movements goes, when not on the way.
    double viaDx = 0;
  };
  const auto is = [](auto tag) { return [](const Operation& o) { return o.is<decltype(tag)>(); }; };
  const std::vector<Case> cases = {
      {"move two days earlier", Grab::middle, -192, 0, is(Operation::MovingBar{})},
      {"finish four days later", Grab::finish, 384, 0, is(Operation::ResizingBar{})},
      {"finish two days earlier and back", Grab::finish, 0, 0, is(Operation::ResizingBar{}), -192},
      {"start a day earlier", Grab::start, -96, 0, is(Operation::ResizingBarAtStart{})},
      {"start two days later", Grab::start, 192, 0, is(Operation::ResizingBarAtStart{})},
      {"completion 10 hours later", Grab::completion, 40, 0,
       is(Operation::ResizingCompletionBar{})},
      {"two rows down", Grab::bottom, 0, 50, is(Operation::MovingBarVertically{})},
  };
  for (const Setting setting : {Setting::satisfied, Setting::violating, Setting::constrained,
                                Setting::endingAtMidnight}) {
    for (const bool applying : {false, true}) {
      for (const Case& c : cases) {
        std::vector<std::tuple<TimeRange, double, int64_t>> once;
        for (const int movements : {1, 6, 30}) {
          const std::string trace = std::string(c.name) + ", setting " +
                                    std::to_string(static_cast<int>(setting)) + ", applying " +
                                    std::to_string(applying) + ", " + std::to_string(movements) +
                                    " movements";
          ScheduledChart chart(setting, applying);
          const GanttChartContentController& controller = *chart.controller;
          const double start = controller.x(chart.a->start());
          const double grabs[] = {start + 2, start + 20, controller.x(chart.a->finish()) - 2,
                                  controller.x(chart.source->timeCompletedUntil(chart.a)),
                                  start + 20};
          const Point from{grabs[static_cast<int>(c.grab)], c.grab == Grab::bottom ? 47.0 : 30.0};
          chart.controller->beginDragging(from, false);
          ASSERT_TRUE(controller.draggingOperation()) << trace;
          ASSERT_TRUE(c.began(*controller.draggingOperation())) << trace;
          for (int k = 1; k <= movements; ++k) {
            double x = from.x + c.dx * k / movements;
            if (c.viaDx != 0 && movements > 1) {
              x = from.x + c.viaDx + (c.dx - c.viaDx) * (k - 1) / (movements - 1);
            }
            chart.controller->continueDragging(Point{x, from.y + c.dy * k / movements});
          }
          // The pointer rests, and the step repeats.
          chart.loop->advance(0.2);
          chart.controller->endDragging();
          ASSERT_EQ(controller.viewport().origin, (Point{0, 0})) << trace;

          if (movements == 1) {
            once = chart.placements();
          } else {
            EXPECT_EQ(chart.placements(), once) << trace;
          }
          // And where: a start two days later on an end at midnight
          // starts A on Friday at 8:00 and keeps that end, or, where the
          // rules place A as well, ends it at Friday's last working hour.
          if (setting == Setting::endingAtMidnight && c.grab == Grab::start && c.dx > 0) {
            EXPECT_EQ(chart.a->time(),
                      TimeRange(mondayPlus(4, 8), applying ? mondayPlus(4, 16) : mondayPlus(5, 0)))
                << trace;
          }
        }
      }
    }
  }
}

TEST(ContentDragging, APointerRestingNearTheEdgeDoesNotChaseAnEndTheRulesPushedOut) {
  // A's finish dragged to Wednesday of the next week: P pushes A a working
  // day later, so its finish lies within the scroll margin of the right edge
  // while the pointer does not.
  ScheduledChart chart(ScheduledChart::Setting::violating, true);
  chart.controller->beginDragging(Point{chart.controller->x(chart.a->finish()) - 2, 30}, false);
  chart.controller->continueDragging(Point{900, 30});
  const TimeRange placed = chart.a->time();
  EXPECT_EQ(placed, TimeRange(mondayPlus(2, 8), mondayPlus(10, 9.5)));
  chart.loop->advance(0.4);
  EXPECT_EQ(chart.a->time(), placed);
  EXPECT_EQ(chart.controller->viewport().origin, (Point{0, 0}));
}

TEST(ContentDragging, ASummaryMovesItsChildrenOnlyAsFarAsItMoved) {
  // "sum" spans "c1" and "c2", Wednesday to Friday on a Monday-to-Friday
  // calendar, 4 points an hour; "E" must finish before c2 starts. Moved two
  // days earlier, c2 stays behind E and the summary grows; c1 goes along the
  // two days, however many steps carry the drag.
  for (const int movements : {1, 6, 30}) {
    InteractionChart chart;
    ScopedManualRunLoop loop;
    const GanttChartItemPtr sum =
        chart.add("sum", 0, mondayPlus(2, 8), mondayPlus(4, 16), 0, GanttChartItemType::summary);
    const GanttChartItemPtr c1 = chart.add("c1", 1, mondayPlus(2, 8), mondayPlus(3, 12));
    const GanttChartItemPtr c2 = chart.add("c2", 2, mondayPlus(3, 12), mondayPlus(4, 16));
    chart.link(chart.add("E", 3, monday(8), mondayPlus(3, 12)), c2);
    chart.create(GanttChartItemBehaviorSet::classic({{sum, {c1, c2}}}, std::nullopt, true,
                                                    std::nullopt, {}, {}, std::nullopt),
                 ScheduleDefinition::standard());
    chart.controller->setHourWidth(4);
    const Point from{chart.controller->x(sum->start()) + 20, 12};
    chart.controller->beginDragging(from, false);
    for (int k = 1; k <= movements; ++k) {
      chart.controller->continueDragging(Point{from.x - 192.0 * k / movements, from.y});
    }
    EXPECT_EQ(c1->time(), TimeRange(monday(8), mondayPlus(1, 12))) << movements;
  }
}

TEST(ContentDragging, StepsThatTheRulesLeaveAloneUpdateOnceAndKeepTheMovedEndInView) {
  // Random drags on times between whole seconds, whose item no rule changes
  // (its successor follows it): every step makes the one update that a step
  // from where the last one left the item makes, and keeps the moved end in
  // view, rounding errors in the moved item's working duration included.
  struct Counter : GanttChartItemObserver {
    GanttChartItemPtr watched;
    int times = 0;
    void timeDidChange(const GanttChartItemPtr& item, const TimeRange& /*from*/) override {
      if (item == watched) ++times;
    }
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  const auto schedule = ScheduleDefinition::standard();
  for (int run = 0; run < 150; ++run) {
    InteractionChart chart;
    ScopedManualRunLoop loop;
    const Time start = schedule->nextTime(monday(72 * unit(random)));
    const Time finish = schedule->finish(start, 3600 * (1 + 30 * unit(random)), TimeUnit::seconds);
    const GanttChartItemPtr task = chart.add("task", 0, start, finish, unit(random));
    chart.link(task, chart.add("next", 1, mondayPlus(7, 8), mondayPlus(8, 8)));
    chart.create(std::make_shared<GanttChartItemAutoSchedulingBehavior>(), schedule);
    chart.controller->setHourWidth(3 + 9 * unit(random));
    chart.configure([](GanttChartContentSettings& settings) {
      settings.preservesCompletedDurationUponResizingBars = false;
    });
    auto counter = std::make_shared<Counter>();
    counter->watched = task;
    chart.source->setItemObserver(counter);

    const double left = chart.controller->x(start);
    const double right = chart.controller->x(finish);
    const double grabs[] = {left + 2, (left + right) / 2, right - 2,
                            chart.controller->x(chart.source->timeCompletedUntil(task))};
    chart.controller->beginDragging(Point{grabs[random() % 4], 8}, false);
    const std::optional<Operation>& operation = chart.controller->draggingOperation();
    ASSERT_TRUE(operation) << run;
    for (int step = 0; step < 20; ++step) {
      counter->times = 0;
      chart.controller->continueDragging(Point{40 + 920 * unit(random), 8});
      EXPECT_LE(counter->times, 1) << run << ", step " << step;
      std::optional<Time> end;
      if (operation->is<Operation::ResizingBar>()) end = task->finish();
      if (operation->is<Operation::ResizingBarAtStart>()) end = task->start();
      if (end) {
        const double kept = chart.controller->x(*end);
        std::ostringstream request;
        request << "scrollTo(" << kept - 25 << ", " << kept + 25 << ")";
        EXPECT_EQ(chart.scroller->requests.back(), request.str()) << run << ", step " << step;
      }
    }
  }
}

// --- Dependencies ----------------------------------------------------------------------

struct LinkChart : DragChart {
  // Draws from the task's finish thumb to (x, y) and releases there.
  void link(double x, double y) {
    ASSERT_TRUE(controller->showDependencyLineThumb(Point{205, 12.5}));
    controller->beginDragging(Point{206, 12}, false);
    controller->continueDragging(Point{x, y});
  }
};

TEST(ContentDragging, DrawsADependencyFromTheFinishThumbToAnotherBar) {
  LinkChart chart;
  chart.link(320, 37);
  EXPECT_EQ(chart.controller->draggingCursor(), Cursor::draw);
  ASSERT_TRUE(chart.controller->draggingCompletion());
  const auto* completion = chart.controller->draggingCompletion()
                               ->as<GanttChartDraggingCompletion::WouldCreateDependencyLine>();
  EXPECT_EQ(completion->to, chart.other);
  EXPECT_EQ(completion->toType, GanttChartDependencyEndType::start);
  ASSERT_TRUE(chart.controller->temporaryDependencyLine());
  const GanttChartTemporaryDependencyLine& line = *chart.controller->temporaryDependencyLine();
  EXPECT_EQ(line.from, chart.task);
  EXPECT_EQ(line.to, chart.other);
  EXPECT_EQ(line.polyline.front(), (Point{200, 12.5}));
  EXPECT_EQ(line.polyline.back(), (Point{300, 37.5}));
  EXPECT_EQ(chart.scroller->requests, (Strings{"scrollTo(295, 345)", "scrollVerticallyTo(0, 75)"}));

  chart.recorder->take();
  chart.controller->endDragging();
  ASSERT_EQ(chart.source->dependencies().size(), 1u);
  const GanttChartDependencyPtr added = chart.source->dependencies().front();
  EXPECT_EQ(added->from(), chart.task);
  EXPECT_EQ(added->to(), chart.other);
  EXPECT_EQ(added->type(), GanttChartDependencyType::fromFinishToStart);
  const Strings log = chart.recorder->take();
  EXPECT_EQ(Strings(log.begin(), log.begin() + 4),
            (Strings{"observer.dependencyLineThumbAreaDidChange",
                     "observer.temporaryDependencyLineDidChange", "observer.temporaryBarDidChange",
                     "editor.canAddNewDependency(task, other, fromFinishToStart)"}));
  EXPECT_EQ(log.back(), "editor.initialize(?)");
  EXPECT_FALSE(chart.controller->temporaryDependencyLine());
  EXPECT_FALSE(chart.controller->draggingCompletion());
}

TEST(ContentDragging, TheTargetsEndAndTheSourcesThumbGiveTheType) {
  LinkChart chart;
  chart.link(390, 37);  // the last quarter of the bar: its finish
  chart.controller->endDragging();
  ASSERT_TRUE(chart.controller->showDependencyLineThumb(Point{95, 12.5}));
  chart.controller->beginDragging(Point{94, 12}, false);
  chart.controller->continueDragging(Point{320, 37});
  chart.controller->endDragging();
  ASSERT_EQ(chart.source->dependencies().size(), 2u);
  EXPECT_EQ(chart.source->dependencies()[0]->type(), GanttChartDependencyType::fromFinishToFinish);
  EXPECT_EQ(chart.source->dependencies()[1]->type(), GanttChartDependencyType::fromStartToStart);

  // Without links to finishes the last quarter is no target.
  chart.configure(
      [](GanttChartContentSettings& s) { s.allowsCreatingDependencyLinesToFinish = false; });
  chart.link(390, 37);
  EXPECT_FALSE(chart.controller->draggingCompletion());
  EXPECT_EQ(chart.controller->temporaryDependencyLine()->to, nullptr);
  chart.controller->endDragging();
  EXPECT_EQ(chart.source->dependencies().size(), 2u);
}

TEST(ContentDragging, CreatesNoDependencyOnEmptySpaceOntoTheSourceOrAgainstTheEditor) {
  LinkChart chart;
  chart.link(600, 150);
  const GanttChartTemporaryDependencyLine line = *chart.controller->temporaryDependencyLine();
  EXPECT_EQ(line.to, nullptr);
  EXPECT_EQ(line.toType, GanttChartDependencyEndType::start);
  EXPECT_EQ(line.polyline.back(), (Point{600, 150}));
  chart.controller->endDragging();

  chart.link(150, 10);  // the task's own bar
  EXPECT_FALSE(chart.controller->draggingCompletion());
  chart.controller->endDragging();

  chart.recorder->allowsAddingDependencies = false;
  chart.link(320, 37);
  chart.controller->endDragging();
  EXPECT_TRUE(chart.source->dependencies().empty());
  EXPECT_FALSE(chart.controller->temporaryDependencyLine());

  // Nor when the editor removes an item while it is asked.
  chart.recorder->allowsAddingDependencies = true;
  auto source = chart.source;
  auto other = chart.other;
  chart.recorder->onCall = [source, other](const std::string& entry) {
    if (entry.rfind("editor.canAddNewDependency", 0) == 0) source->removeItem(other);
  };
  chart.link(320, 37);
  chart.controller->endDragging();
  EXPECT_TRUE(chart.source->dependencies().empty());
}

// --- Ending, bad input and lifetimes -----------------------------------------------------

TEST(ContentDragging, DoesNothingWithoutABegin) {
  DragChart chart;
  chart.recorder->take();
  chart.controller->continueDragging(Point{170, 10});
  chart.controller->endDragging();
  chart.controller->cancelDragging();
  chart.loop->advance(1);
  EXPECT_TRUE(chart.recorder->log.empty());
  EXPECT_TRUE(chart.scroller->requests.empty());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, CancellingStopsTheTimerAndClearsTheDecorations) {
  DragChart chart;
  chart.drag(170, 10, 990, 10);
  EXPECT_EQ(chart.loop->activeTimerCount(), 1u);
  const Time placed = chart.task->start();
  chart.recorder->take();
  chart.controller->cancelDragging();
  EXPECT_EQ(chart.recorder->take(), (Strings{"observer.dependencyLineThumbAreaDidChange",
                                             "observer.temporaryDependencyLineDidChange",
                                             "observer.temporaryBarDidChange"}));
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  chart.loop->advance(1);
  EXPECT_EQ(chart.task->start(), placed);
  EXPECT_FALSE(chart.controller->draggingOperation());
}

TEST(ContentDragging, BeginningAgainCancelsTheDragUnderWay) {
  DragChart chart;
  chart.drag(170, 10, 990, 10);
  const Time placed = chart.task->start();
  chart.recorder->take();
  chart.controller->beginDragging(Point{350, 35}, false);
  EXPECT_EQ(chart.recorder->count("observer.temporaryDependencyLineDidChange"), 1);
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  ASSERT_TRUE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.controller->draggingOperation()->as<Operation::MovingBar>()->item, chart.other);
  chart.loop->advance(1);
  EXPECT_EQ(chart.task->start(), placed);
}

TEST(ContentDragging, ADragBegunWhileTheLastOneEndsTakesItsPlace) {
  DragChart chart;
  chart.drag(170, 10, 270, 10);
  auto controller = chart.controller;
  bool begun = false;
  chart.recorder->onCall = [controller, &begun](const std::string& entry) {
    if (entry != "observer.dependencyLineThumbAreaDidChange" || begun) return;
    begun = true;
    controller->beginDragging(Point{350, 35}, false);  // "other", 5 hours in
  };
  chart.controller->endDragging();
  chart.recorder->onCall = nullptr;
  ASSERT_TRUE(chart.controller->draggingOperation());
  const auto* moving = chart.controller->draggingOperation()->as<Operation::MovingBar>();
  ASSERT_NE(moving, nullptr);
  EXPECT_EQ(moving->item, chart.other);

  const Time placed = chart.task->start();
  chart.controller->continueDragging(Point{450, 35});
  EXPECT_EQ(chart.task->start(), placed);
  EXPECT_EQ(chart.other->start(), monday(40));
  chart.controller->endDragging();
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, IgnoresPointsThatAreNotFinite) {
  DragChart chart;
  chart.controller->beginDragging(Point{kNaN, 10}, true);
  EXPECT_FALSE(chart.controller->draggingOperation());
  chart.drag(170, 10, 270, 10);
  const Time placed = chart.task->start();
  chart.scroller->requests.clear();
  chart.controller->continueDragging(Point{kNaN, 10});
  chart.controller->continueDragging(Point{270, std::numeric_limits<double>::infinity()});
  EXPECT_EQ(chart.task->start(), placed);
  EXPECT_TRUE(chart.scroller->requests.empty());
  chart.controller->endDragging();
}

TEST(ContentDragging, AnIntervalThatIsNotPositiveRepeatsNothing) {
  DragChart chart;
  chart.configure([](GanttChartContentSettings& s) { s.autoScrollInterval = 0; });
  chart.drag(170, 10, 990, 10);
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  chart.configure([](GanttChartContentSettings& s) { s.autoScrollInterval = kNaN; });
  chart.controller->continueDragging(Point{990, 10});
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, ADragWhoseItemWasRemovedEndsWithoutTouchingIt) {
  DragChart chart;
  chart.drag(170, 10, 990, 10);
  chart.source->removeItem(chart.task);
  const Time placed = chart.task->start();
  chart.loop->advance(0.04);
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  EXPECT_EQ(chart.task->start(), placed);

  // Through the controller the drag ends at once.
  chart.drag(350, 35, 990, 35);
  chart.controller->removeItem(chart.other);
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, AnItemRemovedWhileItIsUpdatedIsEditedNoFurther) {
  DragChart chart;
  auto counter = std::make_shared<TimeChangeCounter>();
  auto source = chart.source;
  counter->onChange = [source](const GanttChartItemPtr& item) { source->removeItem(item); };
  chart.source->setItemObserver(counter);
  chart.drag(170, 10, 990, 10);
  EXPECT_EQ(counter->count, 1);
  chart.loop->advance(0.4);
  EXPECT_EQ(counter->count, 1);
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, ADraggedItemOutsideTheFilterStillFollows) {
  DragChart chart;
  chart.drag(170, 10, 990, 10);
  // Scrolled far away vertically: the task is no longer among the filtered
  // items, but the manager still holds it.
  chart.controller->setDesiredScrollableRowCount(1000);
  chart.controller->setViewport(Rectangle(15, 5000, 1000, 250));
  const Time placed = chart.task->start();
  chart.loop->advance(0.04);
  EXPECT_TRUE(chart.controller->draggingOperation());
  EXPECT_LT(placed, chart.task->start());
  chart.controller->endDragging();
}

TEST(ContentDragging, NoTickReachesAReleasedController) {
  DragChart chart;
  auto counter = std::make_shared<TimeChangeCounter>();
  chart.source->setItemObserver(counter);
  chart.drag(170, 10, 990, 10);
  chart.controller->initializeAutoRefreshTimer(1, TimeUnit::seconds);
  EXPECT_EQ(chart.loop->activeTimerCount(), 2u);
  const std::weak_ptr<GanttChartContentController> released = chart.controller;
  chart.controller.reset();
  EXPECT_TRUE(released.expired());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  chart.loop->advance(2);
  EXPECT_EQ(counter->count, 1);
}

TEST(ContentDragging, AScrollerMayReleaseTheControllerDuringAStep) {
  // Drops the last owner of the controller when asked to scroll.
  struct Releasing : GanttChartContentScroller {
    std::shared_ptr<GanttChartContentController> owner;
    void scrollTo(double, double) override { owner.reset(); }
    void scrollVerticallyTo(double, double) override { owner.reset(); }
  };
  DragChart chart;
  chart.drag(170, 10, 270, 10);
  const std::weak_ptr<GanttChartContentController> released = chart.controller;
  GanttChartContentController& controller = *chart.controller;
  auto releasing = std::make_shared<Releasing>();
  releasing->owner = std::move(chart.controller);
  controller.setScroller(releasing);
  controller.continueDragging(Point{990, 10});
  EXPECT_TRUE(released.expired());
  chart.loop->advance(1);
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
}

TEST(ContentDragging, AnObserverMayEndTheDragFromInsideAStep) {
  DragChart chart;
  chart.drag(170, 10, 270, 10);
  auto controller = chart.controller;
  chart.recorder->onCall = [controller](const std::string& entry) {
    if (entry == "observer.visibleBarsDidChange") controller->cancelDragging();
  };
  chart.controller->continueDragging(Point{370, 10});
  EXPECT_FALSE(chart.controller->draggingOperation());
  EXPECT_EQ(chart.loop->activeTimerCount(), 0u);
  chart.recorder->onCall = nullptr;
}

}  // namespace
}  // namespace vorlent
