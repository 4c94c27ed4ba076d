#include "vorlent/controllers/content_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/controllers/content_controller_testing.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::ContentRecorder;
using testing::contentChanged;
using testing::filterChanged;
using testing::makeItem;
using testing::operator+;
using testing::on;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string viewportChange(const Rectangle& to, const Rectangle& from) {
  std::ostringstream entry;
  entry << "viewport.viewportDidChange(" << to << ", " << from << ")";
  return entry.str();
}

// A controller over an item source of three items on rows 0, 2 and 5 and
// one dependency, showing 400 × 100 points at the origin, with a recorder in
// every observing role.
class ContentControllerTest : public testing::ContentControllerFixture {
 protected:
  void SetUp() override {
    items = {makeItem("A", 0, on(kMonday, 8), on(kWednesday, 16)),
             makeItem("B", 2, on(kTuesday, 8), on(kFriday, 16)),
             makeItem("C", 5, on(kMonday, 8, 0, testing::kWeek + 1),
                      on(kTuesday, 16, 0, testing::kWeek + 1))};
    dependencies = {std::make_shared<GanttChartDependency>("A-B", items[0], items[1])};
    open();
    controller->setViewport(Rectangle(0, 0, 400, 100));
    recorder->take();
  }
};

// --- Construction ----------------------------------------------------------------

TEST_F(ContentControllerTest, StartsWithTheDocumentedState) {
  const auto fresh = GanttChartContentController::create(source);
  EXPECT_EQ(fresh->itemManager(), source);
  EXPECT_FALSE(fresh->desiredScrollableRowCount().has_value());
  EXPECT_FALSE(fresh->scrollableTimeline().has_value());
  EXPECT_EQ(fresh->visibilitySchedule(), ScheduleDefinition::continuous());
  EXPECT_EQ(fresh->rowHeight(), 25);
  EXPECT_EQ(fresh->hourWidth(), 2.5);
  EXPECT_EQ(fresh->zoom(), 1);
  EXPECT_EQ(fresh->actualHourWidth(), 2.5);
  EXPECT_EQ(fresh->preferredTimelineMargin(), 10);
  EXPECT_TRUE(fresh->showsAttachments());
  EXPECT_EQ(fresh->attachmentLabelWidth(), 80);
  EXPECT_EQ(fresh->viewportExtensionWidth(), 80);
  EXPECT_EQ(fresh->viewportExtensionHeight(), 80);
  EXPECT_EQ(fresh->viewport(), Rectangle());
  EXPECT_EQ(fresh->extraRowCount(), 1);
  EXPECT_TRUE(fresh->timeScale().isContinuous());
  EXPECT_EQ(fresh->timeScaleSchedule(), nullptr);
  EXPECT_THAT(fresh->scheduleHighlighters(), IsEmpty());
  EXPECT_THAT(fresh->intervalHighlighters(), IsEmpty());
  EXPECT_FALSE(fresh->draggingOperation().has_value());
  EXPECT_FALSE(fresh->draggingCursor().has_value());
  EXPECT_FALSE(fresh->draggingCompletion().has_value());
  EXPECT_FALSE(fresh->dependencyLineThumbArea().has_value());
  EXPECT_FALSE(fresh->temporaryDependencyLine().has_value());
  EXPECT_FALSE(fresh->temporaryBar().has_value());
  EXPECT_FALSE(fresh->focusedElement().has_value());
  EXPECT_FALSE(fresh->selectedElement().has_value());
  EXPECT_EQ(fresh->theme(), Theme::standard());
  EXPECT_FALSE(fresh->mode().has_value());
  EXPECT_EQ(fresh->modeProvider(), nullptr);
  EXPECT_EQ(fresh->observer(), nullptr);
  EXPECT_EQ(fresh->diagramGenerator(), nullptr);
  EXPECT_EQ(fresh->actualDiagramGenerator(), fresh);
}

TEST_F(ContentControllerTest, PushesOnlyTheRowsIntoItsManagerAndObservesIt) {
  auto fresh = std::make_shared<GanttChartItemSource>(items);
  const TimeRange untouched = fresh->timeline();
  const auto made = GanttChartContentController::create(fresh);
  // A zero viewport touches rows -1...0, widened by ceil(80 / 25) = 4 rows.
  EXPECT_EQ(fresh->range(), RowRange(-5, 4));
  EXPECT_EQ(fresh->timeline(), untouched);
  EXPECT_EQ(fresh->collectionObserver(), made);
}

TEST_F(ContentControllerTest, MadeFromArraysOwnsAnItemSourceOverThem) {
  const auto made = GanttChartContentController::create(items, dependencies);
  const auto made_source = std::dynamic_pointer_cast<GanttChartItemSource>(made->itemManager());
  ASSERT_NE(made_source, nullptr);
  EXPECT_EQ(made_source->items(), items);
  EXPECT_EQ(made_source->dependencies(), dependencies);
  EXPECT_EQ(made_source->schedule(), ScheduleDefinition::continuous());
  EXPECT_EQ(made_source->behavior(), nullptr);
  EXPECT_EQ(GanttChartContentController::create()->actualRowCount(), 1);
}

// --- The reaction table -------------------------------------------------------------

struct Reaction {
  std::string name;
  std::function<void(GanttChartContentController&)> change;
  std::vector<std::string> expected;
};

TEST_F(ContentControllerTest, EachPropertyNotifiesInItsOrder) {
  const Rectangle moved(10, 25, 400, 100);
  const std::vector<Reaction> reactions = {
      // Rows 0...3 stay visible; the filter does not move.
      {"desiredScrollableRowCount",
       [](auto& c) { c.setDesiredScrollableRowCount(10); },
       contentChanged() + std::vector<std::string>{"range.totalRowCountDidChange",
                                                   "range.visibleRangeDidChange"}},
      {"scrollableTimeline",
       [](auto& c) { c.setScrollableTimeline(TimeRange(on(kSunday, 0), on(kSunday, 0, 0, 102))); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"timeline.timelineDidChange",
                                    "timeline.visibleTimelineDidChange"}},
      {"visibilitySchedule",
       [](auto& c) { c.setVisibilitySchedule(ScheduleDefinition::standard()); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"timeline.timelineDidChange",
                                    "timeline.visibleTimelineDidChange"}},
      {"rowHeight", [](auto& c) { c.setRowHeight(50); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"range.visibleRangeDidChange"}},
      {"hourWidth", [](auto& c) { c.setHourWidth(5); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"timeline.timelineDidChange",
                                    "timeline.visibleTimelineDidChange"}},
      // The preferred timeline's margins are points: a new zoom moves it.
      {"zoom", [](auto& c) { c.setZoom(2); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"timeline.timelineDidChange",
                                    "timeline.visibleTimelineDidChange",
                                    "viewport.zoomDidChange(2, 1)"}},
      {"preferredTimelineMargin", [](auto& c) { c.setPreferredTimelineMargin(20); },
       filterChanged() + contentChanged() +
           std::vector<std::string>{"timeline.timelineDidChange",
                                    "timeline.visibleTimelineDidChange"}},
      // Attachments only move the end of the timeline; the filter stays.
      {"showsAttachments", [](auto& c) { c.setShowsAttachments(false); },
       contentChanged() + std::vector<std::string>{"timeline.timelineDidChange",
                                                   "timeline.visibleTimelineDidChange"}},
      {"attachmentLabelWidth", [](auto& c) { c.setAttachmentLabelWidth(100); },
       contentChanged() + std::vector<std::string>{"timeline.timelineDidChange",
                                                   "timeline.visibleTimelineDidChange"}},
      {"viewportExtensionWidth", [](auto& c) { c.setViewportExtensionWidth(40); },
       filterChanged() + filterChanged()},
      {"viewportExtensionHeight", [](auto& c) { c.setViewportExtensionHeight(40); },
       filterChanged() + filterChanged()},
      // The manager's answers to the two pushes are covered by these.
      {"viewport", [&](auto& c) { c.setViewport(moved); },
       {"observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
        "observer.highlightedScheduleAreasDidChange", "observer.highlightedIntervalAreasDidChange",
        "range.visibleRangeDidChange", "timeline.visibleTimelineDidChange",
        viewportChange(moved, Rectangle(0, 0, 400, 100))}},
      // The next three react to every assignment, an equal value included.
      {"extraRowCount", [](auto& c) { c.setExtraRowCount(1); },
       {"observer.totalDiagramSizeDidChange", "observer.highlightedScheduleAreasDidChange",
        "observer.highlightedIntervalAreasDidChange", "range.totalRowCountDidChange"}},
      {"scheduleHighlighters", [](auto& c) { c.setScheduleHighlighters({}); },
       {"observer.highlightedScheduleAreasDidChange"}},
      {"intervalHighlighters", [](auto& c) { c.setIntervalHighlighters({}); },
       {"observer.highlightedIntervalAreasDidChange"}},
      // So does the item manager, the same one included; the filter is
      // pushed before the controller listens again.
      {"itemManager", [&](auto& c) { c.setItemManager(source); },
       contentChanged() + std::vector<std::string>{"range.totalRowCountDidChange",
                                                   "range.visibleRangeDidChange",
                                                   "timeline.timelineDidChange",
                                                   "timeline.visibleTimelineDidChange"}},
  };
  for (const Reaction& reaction : reactions) {
    SetUp();
    reaction.change(*controller);
    EXPECT_EQ(recorder->take(), reaction.expected) << reaction.name;
  }
}

TEST_F(ContentControllerTest, AnEqualValueChangesNothing) {
  controller->setDesiredScrollableRowCount(std::nullopt);
  controller->setScrollableTimeline(std::nullopt);
  controller->setVisibilitySchedule(nullptr);  // the continuous preset it has
  controller->setRowHeight(25);
  controller->setHourWidth(2.5);
  controller->setZoom(1);
  controller->setPreferredTimelineMargin(10);
  controller->setShowsAttachments(true);
  controller->setAttachmentLabelWidth(80);
  controller->setViewportExtensionWidth(80);
  controller->setViewportExtensionHeight(80);
  controller->setViewport(Rectangle(0, 0, 400, 100));
  controller->setZoom(kNaN);
  recorder->take();
  controller->setZoom(kNaN);
  EXPECT_THAT(recorder->take(), IsEmpty());
}

TEST_F(ContentControllerTest, TellsAboutANewTimelineWhenZoomMovesThePreferredOne) {
  controller->setScrollableTimeline(TimeRange(on(kSunday, 0), on(kSunday, 0, 0, 102)));
  recorder->take();
  controller->setZoom(2);
  // With a scrollable timeline zooming keeps the timeline: no timeline news.
  const std::vector<std::string> expected =
      filterChanged() + contentChanged() +
      std::vector<std::string>{"timeline.visibleTimelineDidChange", "viewport.zoomDidChange(2, 1)"};
  EXPECT_EQ(recorder->take(), expected);
}

TEST_F(ContentControllerTest, ForgetsNothingWhileTheSettingsAreOnlyAssigned) {
  GanttChartContentSettings settings = controller->settings();
  settings.allowsMovingBarsVertically = false;
  controller->setSettings(settings);
  controller->setTimeScale(TimeScale::intervals(1, TimeUnit::days, Time(), {}));
  controller->setTimeScaleSchedule(ScheduleDefinition::standard());
  controller->setStrings(GanttChartContentStrings());
  EXPECT_THAT(recorder->take(), IsEmpty());
  EXPECT_FALSE(controller->settings().allowsMovingBarsVertically);
  EXPECT_FALSE(controller->timeScale().isContinuous());
  EXPECT_EQ(controller->timeScaleSchedule(), ScheduleDefinition::standard());
}

TEST_F(ContentControllerTest, StyleViewsWriteThroughToTheSettings) {
  GanttChartContentBaseStyle style;
  style.rowBorderLineWidth = 7;
  controller->setDefaultStyle(style);
  GanttChartContentStyle overrides;
  overrides.barStrokeWidth = 3;
  controller->setStyle(overrides);
  EXPECT_EQ(controller->defaultStyle().rowBorderLineWidth, 7);
  EXPECT_EQ(controller->actualStyle().rowBorderLineWidth, 7);
  EXPECT_EQ(controller->actualStyle().barStrokeWidth, 3);
  EXPECT_EQ(controller->settings().style().barStrokeWidth, 3);
  EXPECT_THAT(recorder->take(), IsEmpty());
}

// --- The item manager ----------------------------------------------------------------

TEST_F(ContentControllerTest, AReplacedManagerNoLongerReportsHere) {
  auto other = std::make_shared<GanttChartItemSource>(items);
  controller->setItemManager(other);
  EXPECT_EQ(source->collectionObserver(), nullptr);
  EXPECT_EQ(other->collectionObserver(), controller);
  // The new manager got both filters.
  EXPECT_EQ(other->range(), source->range());
  EXPECT_EQ(other->timeline(), source->timeline());
  recorder->take();
  source->collectionDidChange();
  EXPECT_THAT(recorder->take(), IsEmpty());
  other->collectionDidChange();
  EXPECT_THAT(recorder->take(), Not(IsEmpty()));
}

TEST_F(ContentControllerTest, AReplacedManagerKeepsAnotherControllersObservation) {
  const auto second = GanttChartContentController::create(source);
  controller->setItemManager(std::make_shared<GanttChartItemSource>());
  EXPECT_EQ(source->collectionObserver(), second);
}

TEST_F(ContentControllerTest, ReadsTheRowCountAgainOnlyWhenTold) {
  EXPECT_EQ(controller->actualRowCount(), 7);  // rows 0...5 and one extra
  // Moved behind the manager's back, with its caches dropped silently.
  items[2]->setRow(9);
  source->clearCache();
  EXPECT_EQ(controller->actualRowCount(), 7);
  controller->totalRowCountDidChange();
  EXPECT_EQ(controller->actualRowCount(), 11);
}

// --- Re-entrant observers ----------------------------------------------------------------

TEST_F(ContentControllerTest, AnObserverThatKeepsMovingTheViewportEndsSettled) {
  int announced = 0;
  recorder->onCall = [&](const std::string& entry) {
    if (entry.rfind("viewport.viewportDidChange", 0) != 0) return;
    ++announced;
    Rectangle next = controller->viewport();
    next.origin.x += 1;
    controller->setViewport(next);
  };
  controller->setViewport(Rectangle(10, 0, 400, 100));
  recorder->onCall = nullptr;
  // Each applied value was announced once, in order, and the last one stays.
  EXPECT_EQ(announced, CoalescedWrites<Rectangle>::kMaxRounds);
  EXPECT_EQ(controller->viewport().origin.x, 10 + CoalescedWrites<Rectangle>::kMaxRounds - 1);
  const std::vector<std::string> log = recorder->take();
  EXPECT_EQ(log.back(), viewportChange(controller->viewport(),
                                       controller->viewport().movedBy(-1, 0)));
  // The manager was filtered for the viewport that stayed.
  const auto reference = GanttChartContentController::create(items, dependencies);
  reference->setViewport(controller->viewport());
  EXPECT_EQ(source->timeline(), reference->itemManager()->timeline());
}

TEST_F(ContentControllerTest, AnObserverReadingBarsDuringADiagonalStepSeesTheWholeNewFilter) {
  // A row down and on past A's days, which leaves B and C in view: both
  // filters change in one step.
  const Rectangle diagonal(260, 25, 400, 100);
  const auto labels = [&] {
    std::vector<std::string> found;
    for (const GanttChartBar& bar : controller->visibleBars()) {
      found.push_back(bar.item->label().value_or("?"));
    }
    return found;
  };
  std::vector<std::vector<std::string>> readInside;
  recorder->onCall = [&](const std::string& entry) {
    if (entry == "observer.visibleBarsDidChange") readInside.push_back(labels());
  };
  controller->setViewport(diagonal);
  recorder->onCall = nullptr;
  ASSERT_THAT(readInside, Not(IsEmpty()));
  for (const auto& read : readInside) EXPECT_THAT(read, ElementsAre("B", "C"));
  EXPECT_THAT(labels(), ElementsAre("B", "C"));
}

TEST_F(ContentControllerTest, AnObserverThatClampsTheZoomIsHeardOnceMore) {
  recorder->onCall = [&](const std::string& entry) {
    if (entry.rfind("viewport.zoomDidChange", 0) == 0 && controller->zoom() > 4) {
      controller->setZoom(4);
    }
  };
  controller->setZoom(10);
  recorder->onCall = nullptr;
  EXPECT_EQ(controller->zoom(), 4);
  std::vector<std::string> zooms;
  for (const std::string& entry : recorder->take()) {
    if (entry.rfind("viewport.", 0) == 0) zooms.push_back(entry);
  }
  EXPECT_THAT(zooms, ElementsAre("viewport.zoomDidChange(10, 1)", "viewport.zoomDidChange(4, 10)"));
  const auto reference = GanttChartContentController::create(items, dependencies);
  reference->setViewport(controller->viewport());
  reference->setZoom(4);
  EXPECT_EQ(source->timeline(), reference->itemManager()->timeline());
}

TEST_F(ContentControllerTest, AnObserverThatAlwaysAnswersWithAChangeCannotRecurseForever) {
  int calls = 0;
  recorder->onCall = [&](const std::string& entry) {
    if (entry != "observer.totalDiagramSizeDidChange") return;
    ++calls;
    controller->setRowHeight(controller->rowHeight() + 1);
  };
  controller->setRowHeight(30);
  recorder->onCall = nullptr;
  EXPECT_LE(calls, 64);
  EXPECT_GT(controller->rowHeight(), 30);
}

TEST_F(ContentControllerTest, ObserversAnsweringEveryNotificationWithAChangeComeToAnEnd) {
  // Each notification sets off a change that notifies several times again:
  // without a bound on the whole run the calls multiply with every level.
  const std::vector<std::function<void(int)>> answers = {
      [&](int n) { controller->setRowHeight(20 + n % 5); },
      [&](int n) { controller->setHourWidth(2 + n % 4); },
      [&](int n) { controller->setPreferredTimelineMargin(n % 7); },
      [&](int n) { controller->setExtraRowCount(n % 3); },
      [&](int) { controller->setItemManager(std::make_shared<GanttChartItemSource>(items)); },
  };
  constexpr int kGivingUp = 1'000'000;
  for (size_t i = 0; i < answers.size(); ++i) {
    SetUp();
    int calls = 0;
    recorder->onCall = [&](const std::string&) {
      if (++calls < kGivingUp) answers[i](calls);
    };
    controller->setZoom(3);
    recorder->onCall = nullptr;
    EXPECT_LT(calls, 100'000) << i;
    // The next change is heard in full again.
    recorder->take();
    controller->setExtraRowCount(1);
    EXPECT_EQ(recorder->take().size(), 4u) << i;
  }
}

TEST_F(ContentControllerTest, AManagerReplacedWhileItAnswersAPushOutlivesItsCall) {
  auto replacement = std::make_shared<GanttChartItemSource>(items);
  recorder->onCall = [&](const std::string& entry) {
    if (entry == "observer.visibleBarsDidChange" && controller->itemManager() != replacement) {
      controller->setItemManager(replacement);
    }
  };
  // The controller holds the only reference to the manager it pushes into.
  const std::weak_ptr<GanttChartItemManager> old = source;
  source.reset();
  // A wider row filter, whose push the manager answers at once.
  controller->setViewportExtensionHeight(200);
  recorder->onCall = nullptr;
  EXPECT_TRUE(old.expired());
  EXPECT_EQ(replacement->collectionObserver(), controller);
  const auto reference = GanttChartContentController::create(items, dependencies);
  reference->setViewportExtensionHeight(200);
  reference->setViewport(controller->viewport());
  EXPECT_EQ(replacement->range(), reference->itemManager()->range());
  EXPECT_EQ(replacement->timeline(), reference->itemManager()->timeline());
}

TEST_F(ContentControllerTest, SurvivesAnObserverThatReleasesIt) {
  recorder->onCall = [&](const std::string&) { controller.reset(); };
  controller->setRowHeight(40);
  EXPECT_EQ(controller, nullptr);
  // The manager does not call into the released controller.
  source->collectionDidChange();
}

// --- Bad input ---------------------------------------------------------------------------

TEST_F(ContentControllerTest, RefusesAViewportThatIsNotFinite) {
  for (const Rectangle& bad :
       {Rectangle(kNaN, 0, 10, 10), Rectangle(0, kNaN, 10, 10), Rectangle(0, 0, kInfinity, 10),
        Rectangle(0, 0, 10, -kInfinity)}) {
    controller->setViewport(bad);
    EXPECT_EQ(controller->viewport(), Rectangle(0, 0, 400, 100));
  }
  EXPECT_THAT(recorder->take(), IsEmpty());
}

TEST_F(ContentControllerTest, StaysUsableWithRowHeightsThatMakeNoRows) {
  for (double rowHeight : {0.0, -25.0, kNaN, kInfinity}) {
    controller->setRowHeight(rowHeight);
    EXPECT_EQ(controller->totalDiagramSize().height, 0) << rowHeight;
    EXPECT_EQ(controller->top(3), 0);
    EXPECT_EQ(controller->bottom(3), 0);
    EXPECT_EQ(controller->row(-10), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(controller->row(0), 0);
    // Rows without height lie on one line: every row is in view.
    EXPECT_EQ(controller->visibleRange(), RowRange(0, 6));
    EXPECT_EQ(source->range(), RowRange(0, 6));
  }
}

TEST_F(ContentControllerTest, StaysUsableWithScalesThatMakeNoWidth) {
  const TimeRange timeline = controller->actualTimeline();
  for (const auto& setScale : std::vector<std::function<void()>>{
           [&] { controller->setHourWidth(0); }, [&] { controller->setZoom(-1); },
           [&] { controller->setZoom(kNaN); }, [&] { controller->setHourWidth(kInfinity); }}) {
    controller->setHourWidth(2.5);
    controller->setZoom(1);
    setScale();
    EXPECT_EQ(controller->x(on(kFriday, 12)), 0);
    EXPECT_EQ(controller->width(TimeRange(on(kMonday, 0), on(kFriday, 0))), 0);
    EXPECT_EQ(controller->totalDiagramSize().width, 0);
    // Without a scale the margins take no time at all.
    EXPECT_EQ(controller->preferredTimeline(), source->preferredTimeline());
    EXPECT_EQ(controller->time(500), controller->actualTimeline().start);
    EXPECT_EQ(source->timeline(), TimeRange(controller->actualTimeline().start,
                                            controller->actualTimeline().start));
  }
  controller->setHourWidth(2.5);
  controller->setZoom(1);
  EXPECT_EQ(controller->actualTimeline(), timeline);
}

TEST_F(ContentControllerTest, StaysUsableWithLengthsThatAreNotNumbers) {
  controller->setPreferredTimelineMargin(kNaN);
  controller->setAttachmentLabelWidth(kNaN);
  EXPECT_EQ(controller->preferredTimeline(), source->preferredTimeline());
  controller->setViewportExtensionWidth(kNaN);
  controller->setViewportExtensionHeight(-kInfinity);
  EXPECT_EQ(source->timeline(), controller->visibleTimeline());
  EXPECT_EQ(source->range(), controller->visibleRange());
  controller->setViewportExtensionHeight(1e300);
  EXPECT_EQ(source->range(), RowRange(-std::numeric_limits<int64_t>::max(),
                                      std::numeric_limits<int64_t>::max()));
}

TEST_F(ContentControllerTest, StaysUsableWithAHugeViewport) {
  for (const auto& schedule : {std::static_pointer_cast<ScheduleDefinition>(
                                   ScheduleDefinition::standard()),
                               std::static_pointer_cast<ScheduleDefinition>(std::make_shared<Schedule>(
                                   WeekRange::standard(), DayRange::standard(),
                                   std::vector<TimeRange>{TimeRange(on(kMonday, 0), on(kTuesday, 0))}))}) {
    controller->setVisibilitySchedule(schedule);
    controller->setViewport(Rectangle(-1e300, 0, 1e300, 100));
    controller->setViewport(Rectangle(1e300, 0, 1e300, 100));
    controller->setViewport(Rectangle(0, 0, 1e15, 100));
  }
  controller->setVisibilitySchedule(nullptr);
  // A band ending at y 0 touches row 0 from above.
  controller->setViewport(Rectangle(-1e300, -1e300, 1e300, 1e300));
  EXPECT_EQ(controller->visibleRange(), RowRange(-1, 0));
  controller->setViewport(Rectangle(0, 0, 1e300, 1e300));
  EXPECT_EQ(controller->visibleRange(), RowRange(0, 6));
  EXPECT_FALSE(controller->visibleTimeline().finish < controller->visibleTimeline().start);
}

TEST_F(ContentControllerTest, RowsOfPositionsSaturateAtTheIntegerEnds) {
  EXPECT_EQ(controller->row(1e300), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(controller->row(kInfinity), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(controller->row(-kInfinity), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(controller->row(kNaN), 0);
  EXPECT_EQ(controller->range(-1e300, 10),
            RowRange(std::numeric_limits<int64_t>::min(), 0));
  EXPECT_EQ(controller->range(kNaN, kNaN), RowRange(-1, 0));
}

}  // namespace
}  // namespace vorlent
