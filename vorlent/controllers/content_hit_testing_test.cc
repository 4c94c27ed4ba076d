#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_testing.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

using testing::InteractionChart;
using testing::monday;
using testing::mondayPlus;
using Action = GanttChartBarElementAction;
using Strings = std::vector<std::string>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Bars at 10 points an hour, rows 25 high with an inset of 3 (bars 19 high):
//   row 0  "task"       x 100...200 (Monday 10:00-20:00), completed to x 150
//          "next"       x 300...400 on the same row, linked from "task"
//   row 1  "milestone"  a 19 × 19 square centred on x 100
//   row 2  "summary"    x 100...200, completed to x 150
struct HitChart : InteractionChart {
  GanttChartItemPtr task = add("task", 0, monday(10), monday(20), 0.5);
  GanttChartItemPtr next = add("next", 0, monday(30), monday(40));
  GanttChartItemPtr milestone =
      add("milestone", 1, monday(10), monday(10), 0, GanttChartItemType::milestone);
  GanttChartItemPtr summary =
      add("summary", 2, monday(10), monday(20), 0.5, GanttChartItemType::summary);
  GanttChartDependencyPtr dependency = link(task, next);

  HitChart() { create(); }

  Action actionAt(double x, double y) {
    const GanttChartElement element = controller->element(Point{x, y});
    const auto* bar = element.as<GanttChartElement::Bar>();
    return bar ? bar->action : Action::none;
  }
  GanttChartItemPtr itemAt(double x, double y) {
    const GanttChartElement element = controller->element(Point{x, y});
    const auto* bar = element.as<GanttChartElement::Bar>();
    return bar ? bar->item : nullptr;
  }
};

// --- The action ladder ---------------------------------------------------------------

TEST(ContentHitTesting, ReachesEachActionOfAStandardBarInItsZone) {
  HitChart chart;
  EXPECT_EQ(chart.actionAt(150, 20), Action::moveVertically);  // the lowest quarter
  EXPECT_EQ(chart.actionAt(150, 10), Action::resizeCompletion);
  EXPECT_EQ(chart.actionAt(157, 10), Action::resizeCompletion);
  EXPECT_EQ(chart.actionAt(158, 10), Action::move);
  EXPECT_EQ(chart.actionAt(170, 10), Action::move);
  EXPECT_EQ(chart.actionAt(195, 10), Action::resize);
  EXPECT_EQ(chart.actionAt(105, 10), Action::resizeAtStart);
  // Up to 8 points beside the bar still hit it, at a height inside it.
  EXPECT_EQ(chart.actionAt(205, 12.5), Action::resize);
  EXPECT_EQ(chart.itemAt(205, 12.5), chart.task);
  EXPECT_EQ(chart.actionAt(95, 12.5), Action::resizeAtStart);
  EXPECT_EQ(chart.itemAt(209, 12.5), nullptr);
  EXPECT_EQ(chart.itemAt(150, 23), nullptr);
}

TEST(ContentHitTesting, NeverResizesAMilestone) {
  HitChart chart;
  // The square spans x 90.5...109.5 and y 28...47.
  EXPECT_EQ(chart.itemAt(100, 35), chart.milestone);
  EXPECT_EQ(chart.actionAt(92, 35), Action::move);
  EXPECT_EQ(chart.actionAt(100, 35), Action::move);
  EXPECT_EQ(chart.actionAt(108, 35), Action::move);
  EXPECT_EQ(chart.actionAt(100, 45), Action::moveVertically);
}

TEST(ContentHitTesting, DragsASummarysCompletionOnlyWhileItsCompletionIsShown) {
  HitChart chart;
  EXPECT_EQ(chart.actionAt(150, 60), Action::resizeCompletion);
  EXPECT_EQ(chart.actionAt(195, 60), Action::resize);
  chart.configure(
      [](GanttChartContentSettings& s) { s.showsCompletionBarsForSummaryItems = false; });
  EXPECT_EQ(chart.actionAt(150, 60), Action::move);
  EXPECT_EQ(chart.actionAt(150, 10), Action::resizeCompletion);  // a task still has it
}

TEST(ContentHitTesting, PermissionFlagsSwitchZonesOff) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) { s.allowsMovingBarsVertically = false; });
  EXPECT_EQ(chart.actionAt(150, 20), Action::resizeCompletion);
  EXPECT_EQ(chart.actionAt(170, 20), Action::move);

  chart.configure([](GanttChartContentSettings& s) { s.allowsResizingCompletionBars = false; });
  EXPECT_EQ(chart.actionAt(150, 10), Action::move);

  chart.configure([](GanttChartContentSettings& s) { s.allowsResizingBarsAtStart = false; });
  EXPECT_EQ(chart.actionAt(105, 10), Action::move);
  EXPECT_EQ(chart.actionAt(195, 10), Action::resize);

  chart.configure([](GanttChartContentSettings& s) { s.setAllowsResizingBars(false); });
  EXPECT_EQ(chart.actionAt(195, 10), Action::move);

  chart.configure([](GanttChartContentSettings& s) { s.allowsMovingBars = false; });
  EXPECT_EQ(chart.actionAt(170, 10), Action::none);
  // A bar without any action is still a bar: it can be selected or deleted.
  EXPECT_EQ(chart.itemAt(170, 10), chart.task);
}

TEST(ContentHitTesting, AnItemsOwnSettingsAndTheTypeDictionariesSwitchZonesOff) {
  HitChart chart;
  GanttChartItemSettings own = chart.task->settings();
  own.allowsMovingBarVertically = false;
  own.setAllowsResizingBar(false);
  chart.task->setSettings(own);
  EXPECT_EQ(chart.actionAt(170, 20), Action::move);
  EXPECT_EQ(chart.actionAt(195, 10), Action::move);
  EXPECT_EQ(chart.actionAt(105, 10), Action::move);
  EXPECT_EQ(chart.actionAt(150, 60), Action::resizeCompletion);  // the summary keeps its own

  chart.configure([](GanttChartContentSettings& s) {
    s.allowsMovingBarsForType[GanttChartItemType::milestone] = false;
    s.allowsDeletingBarsForType[GanttChartItemType::milestone] = false;
  });
  EXPECT_EQ(chart.actionAt(100, 35), Action::none);
  const GanttChartElement element = chart.controller->element(Point{100, 35});
  EXPECT_FALSE(element.as<GanttChartElement::Bar>()->allowsDeleting);
  EXPECT_TRUE(
      chart.controller->element(Point{170, 10}).as<GanttChartElement::Bar>()->allowsDeleting);
}

TEST(ContentHitTesting, TheLinkThumbWinsOverTheBarAndNeverAllowsDeleting) {
  HitChart chart;
  ASSERT_TRUE(chart.controller->showDependencyLineThumb(Point{205, 12.5}));
  const GanttChartElement atFinish = chart.controller->element(Point{201, 12});
  ASSERT_TRUE(atFinish.is<GanttChartElement::Bar>());
  EXPECT_EQ(atFinish.as<GanttChartElement::Bar>()->item, chart.task);
  EXPECT_EQ(atFinish.as<GanttChartElement::Bar>()->action, Action::createDependencyLine);
  EXPECT_FALSE(atFinish.as<GanttChartElement::Bar>()->allowsDeleting);
  // Outside the thumb's strip the bar answers as usual.
  EXPECT_EQ(chart.actionAt(201, 20), Action::moveVertically);

  ASSERT_TRUE(chart.controller->showDependencyLineThumb(Point{95, 12.5}));
  EXPECT_EQ(chart.actionAt(92, 12), Action::createDependencyLineFromStart);
}

TEST(ContentHitTesting, FindsDependencyLinesAndWhetherTheyMayBeDeleted) {
  HitChart chart;
  // The line runs from the task's finish to the next bar's start at y 12.5.
  const GanttChartElement element = chart.controller->element(Point{250, 15});
  const auto* line = element.as<GanttChartElement::DependencyLine>();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->dependency, chart.dependency);
  EXPECT_TRUE(line->allowsDeleting);
  EXPECT_TRUE(chart.controller->element(Point{250, 18}).is<GanttChartElement::EmptyArea>());

  GanttChartItemSettings own = chart.next->settings();
  own.allowsDeletingDependencyLinesTo = false;
  chart.next->setSettings(own);
  EXPECT_FALSE(chart.controller->element(Point{250, 15})
                   .as<GanttChartElement::DependencyLine>()
                   ->allowsDeleting);
}

TEST(ContentHitTesting, EmptySpaceGivesItsRowAndSnappedTime) {
  HitChart chart;
  const GanttChartElement element = chart.controller->element(Point{505, 110});
  const auto* area = element.as<GanttChartElement::EmptyArea>();
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->position.row, 4);  // beyond the rows that exist
  EXPECT_EQ(area->position.time, monday(50.5));
  EXPECT_TRUE(area->allowsCreating);
  EXPECT_TRUE(area->allowsMilestone);

  chart.controller->setTimeScale(TimeScale::intervals(
      1, TimeUnit::hours, monday(0), FloatingPointRoundingRule::toNearestOrAwayFromZero));
  chart.configure([](GanttChartContentSettings& s) { s.allowsCreatingMilestones = false; });
  const GanttChartElement snapped = chart.controller->element(Point{505, 110});
  EXPECT_EQ(snapped.as<GanttChartElement::EmptyArea>()->position.time, monday(51));
  EXPECT_FALSE(snapped.as<GanttChartElement::EmptyArea>()->allowsMilestone);
}

TEST(ContentHitTesting, TheSnappedTimeMovesOnToTheManagersNextWorkingTime) {
  InteractionChart chart;
  chart.add("task", 0, monday(10), monday(14));
  chart.create(nullptr, ScheduleDefinition::standard());
  // x 225 is Monday 22:30: outside the working hours of the item manager.
  const GanttChartElement element = chart.controller->element(Point{225, 60});
  EXPECT_EQ(element.as<GanttChartElement::EmptyArea>()->position.time, mondayPlus(1, 8));
}

TEST(ContentHitTesting, APointThatIsNotFiniteHitsNothingAndOffersNothing) {
  HitChart chart;
  for (const Point point :
       {Point{kNaN, 10}, Point{150, kNaN}, Point{kInfinity, 10}, Point{150, -kInfinity}}) {
    const GanttChartElement element = chart.controller->element(point);
    const auto* area = element.as<GanttChartElement::EmptyArea>();
    ASSERT_NE(area, nullptr);
    EXPECT_FALSE(area->allowsCreating);
    EXPECT_FALSE(area->allowsMilestone);
  }
}

// --- Activation ---------------------------------------------------------------------

TEST(ContentActivation, ActivatesTheBarAndBringsItToTheFront) {
  HitChart chart;
  chart.recorder->take();
  chart.controller->activate(Point{170, 10});
  EXPECT_EQ(chart.task->zIndex(), 1);
  EXPECT_EQ(chart.recorder->log.back(), "activator.bar(task)");

  chart.configure([](GanttChartContentSettings& s) { s.allowsUpdatingZIndexes = false; });
  chart.controller->activate(Point{350, 10});
  EXPECT_EQ(chart.next->zIndex(), 0);
  EXPECT_EQ(chart.recorder->log.back(), "activator.bar(next)");
}

TEST(ContentActivation, ActivatesALineOrElseThePositionUnderThePoint) {
  HitChart chart;
  chart.recorder->take();
  chart.controller->activate(Point{250, 14});
  EXPECT_EQ(chart.dependency->zIndex(), 1);
  EXPECT_EQ(chart.recorder->log.back(), "activator.line(task>next)");

  chart.recorder->take();
  chart.controller->activate(Point{505, 110});
  // The time is not snapped here.
  EXPECT_EQ(chart.recorder->take(),
            (Strings{"activator.position(row 4 at (1201, 3, 9000))",
                     "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange"}));

  // Without bar activation a click on a bar activates the spot under it.
  chart.configure([](GanttChartContentSettings& s) {
    s.allowsActivatingBars = false;
    s.allowsActivatingDependencyLines = false;
  });
  chart.recorder->take();
  chart.controller->activate(Point{170, 10});
  chart.controller->activate(Point{250, 14});
  EXPECT_EQ(chart.recorder->count("activator.position(row 0 at (1201, 1, 61200))"), 1);
  EXPECT_EQ(chart.recorder->count("activator.position(row 0 at (1201, 2, 3600))"), 1);
}

TEST(ContentActivation, TogglesASummaryOnceItIsSelected) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) {
    s.activationTogglesExpansionForSummaryItems = true;
    s.allowsSelectingElements = true;
  });
  chart.recorder->take();
  chart.controller->activate(Point{170, 60});
  EXPECT_TRUE(chart.summary->isExpanded());
  chart.controller->setSelectedItem(chart.summary);
  chart.controller->activate(Point{170, 60});
  EXPECT_FALSE(chart.summary->isExpanded());
  chart.controller->activate(Point{170, 60});
  EXPECT_TRUE(chart.summary->isExpanded());
  EXPECT_EQ(chart.recorder->count("activator.bar(summary)"), 0);

  // Without selection every activation toggles.
  chart.configure([](GanttChartContentSettings& s) { s.allowsSelectingElements = false; });
  chart.controller->setSelectedItem(nullptr);
  chart.controller->activate(Point{170, 60});
  EXPECT_FALSE(chart.summary->isExpanded());
}

TEST(ContentActivation, IgnoresPointsThatAreNotFinite) {
  HitChart chart;
  chart.recorder->take();
  chart.controller->activate(Point{kNaN, kNaN});
  EXPECT_TRUE(chart.recorder->log.empty());
}

// --- Selection and focus ------------------------------------------------------------------

TEST(ContentSelection, SelectsWhatThePointHitsWhileSelectingIsAllowed) {
  HitChart chart;
  chart.controller->select(Point{170, 10});
  EXPECT_FALSE(chart.controller->selectedElement());

  chart.configure([](GanttChartContentSettings& s) { s.allowsSelectingElements = true; });
  chart.recorder->take();
  chart.controller->select(Point{170, 10});
  EXPECT_EQ(chart.controller->selectedItem(), chart.task);
  EXPECT_EQ(chart.recorder->take(),
            (Strings{"selection.selectionDidChange", "observer.visibleBarsDidChange",
                     "observer.visibleDependencyLinesDidChange"}));
  // Empty space is selected too rather than clearing the selection.
  chart.controller->select(Point{505, 110});
  ASSERT_TRUE(chart.controller->selectedElement());
  EXPECT_TRUE(chart.controller->selectedElement()->is<GanttChartElement::EmptyArea>());
  EXPECT_EQ(chart.controller->selectedItem(), nullptr);
  chart.controller->select(Point{250, 14});
  EXPECT_EQ(chart.controller->selectedDependency(), chart.dependency);
}

TEST(ContentSelection, SettersSelectWhateverTheSettingsSay) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) {
    s.allowsDeletingBarsForType[GanttChartItemType::standard] = false;
  });
  chart.recorder->take();
  chart.controller->setSelectedItem(chart.task);
  ASSERT_TRUE(chart.controller->selectedElement());
  const auto* bar = chart.controller->selectedElement()->as<GanttChartElement::Bar>();
  EXPECT_EQ(bar->action, Action::none);
  EXPECT_FALSE(bar->allowsDeleting);
  EXPECT_EQ(chart.recorder->count("selection.selectionDidChange"), 1);

  chart.controller->setSelectedDependency(chart.dependency);
  EXPECT_EQ(chart.controller->selectedItem(), nullptr);
  EXPECT_EQ(chart.controller->selectedDependency(), chart.dependency);
  chart.controller->setSelectedDependency(nullptr);
  EXPECT_FALSE(chart.controller->selectedElement());
  EXPECT_EQ(chart.recorder->count("selection.selectionDidChange"), 3);
}

TEST(ContentFocus, FocusesSelectsAndRaisesWhatThePointHits) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) { s.allowsSelectingElements = true; });
  chart.recorder->take();
  chart.controller->focusElement(Point{170, 10}, true, true);
  EXPECT_EQ(chart.controller->focusedItem(), chart.task);
  EXPECT_EQ(chart.controller->selectedItem(), chart.task);
  EXPECT_EQ(chart.task->zIndex(), 1);
  const Strings log = chart.recorder->take();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(Strings(log.begin(), log.begin() + 5),
            (Strings{"observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
                     "selection.selectionDidChange", "observer.visibleBarsDidChange",
                     "observer.visibleDependencyLinesDidChange"}));

  const std::optional<GanttChartElement> focused =
      chart.controller->elementFocusing(Point{250, 14}, false);
  ASSERT_TRUE(focused);
  EXPECT_EQ(chart.controller->focusedDependency(), chart.dependency);
  EXPECT_EQ(chart.controller->selectedItem(), chart.task);  // not selecting this time
  EXPECT_EQ(chart.dependency->zIndex(), 0);

  chart.controller->focusElement(Point{505, 110}, false, false);
  ASSERT_TRUE(chart.controller->focusedEmptyAreaPosition());
  EXPECT_EQ(chart.controller->focusedEmptyAreaPosition()->row, 4);
  EXPECT_EQ(chart.controller->focusedItem(), nullptr);
}

TEST(ContentFocus, CancellingForgetsTheFocusTheThumbAndTheTemporaryBar) {
  HitChart chart;
  chart.recorder->take();
  chart.controller->cancelFocus();
  EXPECT_TRUE(chart.recorder->log.empty());

  chart.controller->focusElement(Point{505, 110}, false, false);
  ASSERT_TRUE(chart.controller->showTemporaryBar(Point{505, 60}));
  ASSERT_TRUE(chart.controller->showDependencyLineThumb(Point{205, 12.5}));
  chart.recorder->take();
  chart.controller->cancelFocus();
  EXPECT_FALSE(chart.controller->focusedElement());
  EXPECT_FALSE(chart.controller->dependencyLineThumbArea());
  EXPECT_FALSE(chart.controller->temporaryBar());
  EXPECT_EQ(
      chart.recorder->take(),
      (Strings{"observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
               "observer.dependencyLineThumbAreaDidChange", "observer.temporaryBarDidChange"}));
}

// --- Editing ----------------------------------------------------------------------------

TEST(ContentEditing, EditsOnlyWithAnEditorThatAgreesAndTheSettingsAllowing) {
  HitChart chart;
  EXPECT_FALSE(chart.controller->canEdit(chart.task));  // editing elements is off
  chart.configure([](GanttChartContentSettings& s) { s.allowsEditingElements = true; });
  EXPECT_TRUE(chart.controller->canEdit(chart.task));
  EXPECT_TRUE(chart.controller->canEdit(chart.dependency));
  chart.recorder->allowsEditing = false;
  EXPECT_FALSE(chart.controller->canEdit(chart.task));
  chart.recorder->allowsEditing = true;
  chart.configure([](GanttChartContentSettings& s) { s.allowsEditingDependencies = false; });
  EXPECT_TRUE(chart.controller->canEdit(chart.task));
  EXPECT_FALSE(chart.controller->canEdit(chart.dependency));

  chart.controller->setEditor({});
  EXPECT_FALSE(chart.controller->canEdit(chart.task));
  chart.recorder->take();
  chart.controller->edit(chart.task);
  EXPECT_TRUE(chart.recorder->log.empty());
}

TEST(ContentEditing, EditingSelectsThenOpensTheEditorThenRedraws) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) {
    s.allowsEditingElements = true;
    s.allowsSelectingElements = true;
    s.selectsEditedElements = true;
  });
  chart.recorder->take();
  chart.controller->edit(chart.dependency);
  EXPECT_EQ(chart.recorder->take(),
            (Strings{"editor.canEdit(task>next)", "selection.selectionDidChange",
                     "observer.visibleBarsDidChange", "observer.visibleDependencyLinesDidChange",
                     "editor.edit(task>next)", "observer.visibleBarsDidChange",
                     "observer.visibleDependencyLinesDidChange"}));
  EXPECT_EQ(chart.controller->selectedDependency(), chart.dependency);
}

TEST(ContentEditing, AddsAnItemAtTheSnappedTimeInitialisesAndEditsIt) {
  HitChart chart;
  chart.controller->setTimeScale(TimeScale::intervals(
      1, TimeUnit::hours, monday(0), FloatingPointRoundingRule::toNearestOrAwayFromZero));
  chart.configure([](GanttChartContentSettings& s) {
    s.allowsEditingElements = true;
    s.allowsSelectingElements = true;
    s.selectsNewlyCreatedElements = true;
  });
  chart.recorder->take();
  chart.controller->addNewItem(5, monday(50.6), false);
  ASSERT_EQ(chart.source->items().size(), 5u);
  const GanttChartItemPtr added = chart.source->items().back();
  EXPECT_EQ(added->start(), monday(51));
  EXPECT_EQ(added->row(), 5);
  EXPECT_EQ(chart.controller->selectedItem(), added);
  const Strings log = chart.recorder->take();
  EXPECT_EQ(log.front(), "editor.canAddNewItem(5, (1201, 3, 9360), 0)");  // unsnapped
  EXPECT_NE(std::find(log.begin(), log.end(), "editor.initializeItem(?)"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "editor.edit(?)"), log.end());

  chart.controller->addNewItem(6, monday(30), true);
  EXPECT_EQ(chart.recorder->count("editor.initializeMilestone(?)"), 1);
}

TEST(ContentEditing, AddsNothingWhenTheEditorRefusesOrTheTimeIsUnusable) {
  HitChart chart;
  chart.recorder->allowsAddingItems = false;
  chart.controller->addNewItem(5, monday(50), false);
  chart.recorder->allowsAddingItems = true;
  chart.controller->addNewItem(5, Time(1201, 1, kNaN), false);
  chart.controller->addNewItem(5, Time(1201, 1, kInfinity), false);
  chart.controller->addNewItem(5, Time(std::numeric_limits<int64_t>::max(), 1, 0), false);
  EXPECT_EQ(chart.source->items().size(), 4u);
}

// Column mode with an item parked on the last row (a host's "not placed yet"
// value): the user's new item is made, and nothing is pushed past that row.
TEST(ContentEditing, CreatesAnItemAboveAnItemParkedOnTheLastRowInColumnMode) {
  InteractionChart chart;
  const GanttChartItemPtr parked =
      chart.add("parked", std::numeric_limits<int64_t>::max(), monday(10), monday(20));
  chart.create(std::make_shared<GanttChartItemColumnBehavior>());
  chart.controller->addNewItem(1, monday(50), false);
  ASSERT_EQ(chart.source->items().size(), 2u);
  EXPECT_EQ(chart.source->items().back()->row(), 1);
  EXPECT_EQ(parked->row(), std::numeric_limits<int64_t>::max());
}

TEST(ContentEditing, RemovingClearsTheSelectionBeforeTheManagerRemoves) {
  HitChart chart;
  chart.controller->setSelectedItem(chart.task);
  chart.recorder->take();
  chart.controller->removeItem(chart.task);
  EXPECT_EQ(chart.source->items().size(), 3u);
  EXPECT_FALSE(chart.controller->selectedElement());
  const Strings log = chart.recorder->take();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(Strings(log.begin(), log.begin() + 3),
            (Strings{"editor.canRemoveItem(task)", "selection.selectionDidChange",
                     "observer.visibleBarsDidChange"}));

  // Another item's removal keeps the selection.
  chart.controller->setSelectedDependency(chart.dependency);
  chart.controller->removeItem(chart.milestone);
  EXPECT_EQ(chart.controller->selectedDependency(), chart.dependency);
  chart.controller->removeDependency(chart.dependency);
  EXPECT_TRUE(chart.source->dependencies().empty());
  EXPECT_FALSE(chart.controller->selectedElement());
}

TEST(ContentEditing, ADeletedChildNoLongerShapesOrFollowsItsSummary) {
  InteractionChart chart;
  const GanttChartItemPtr summary =
      chart.add("summary", 0, monday(10), monday(40), 0, GanttChartItemType::summary);
  const GanttChartItemPtr first = chart.add("first", 1, monday(10), monday(20));
  const GanttChartItemPtr last = chart.add("last", 2, monday(30), monday(40));
  chart.create(GanttChartItemBehaviorSet::classic({{summary, {first, last}}}, std::nullopt,
                                                  std::nullopt, std::nullopt, {}, {},
                                                  std::nullopt));

  chart.controller->removeItem(last);
  EXPECT_EQ(summary->time(), TimeRange(monday(10), monday(20)));

  chart.source->updateTime(summary, monday(15));
  EXPECT_EQ(first->time(), TimeRange(monday(15), monday(25)));
  EXPECT_EQ(last->time(), TimeRange(monday(30), monday(40)));
}

TEST(ContentEditing, TheEditorMayRefuseRemovals) {
  HitChart chart;
  chart.recorder->allowsRemoving = false;
  chart.controller->setSelectedItem(chart.task);
  chart.controller->removeItem(chart.task);
  chart.controller->removeDependency(chart.dependency);
  EXPECT_EQ(chart.source->items().size(), 4u);
  EXPECT_EQ(chart.source->dependencies().size(), 1u);
  EXPECT_EQ(chart.controller->selectedItem(), chart.task);

  // Without an editor removing proceeds.
  chart.controller->setEditor({});
  chart.controller->removeItem(chart.task);
  EXPECT_EQ(chart.source->items().size(), 3u);
}

TEST(ContentEditing, SurvivesAnEditorThatRemovesItemsFromItsCallbacks) {
  HitChart chart;
  chart.configure([](GanttChartContentSettings& s) { s.allowsEditingElements = true; });
  auto source = chart.source;
  chart.recorder->onCall = [source](const std::string& entry) {
    if (entry.rfind("editor.initializeItem", 0) == 0 || entry.rfind("editor.edit", 0) == 0) {
      for (const GanttChartItemPtr& item : std::vector(source->items())) source->removeItem(item);
    }
  };
  chart.controller->addNewItem(5, monday(50), false);
  EXPECT_TRUE(chart.source->items().empty());
  chart.controller->edit(chart.task);
  chart.controller->removeItem(chart.task);
  EXPECT_TRUE(chart.source->items().empty());
}

TEST(ContentEditing, AnObserverMayReplaceTheItemManagerWhileItReportsAChange) {
  // Each case prepares, then acts so that the item manager reports a change;
  // the observer told of it gives the controller an empty manager, which
  // releases the one still reporting.
  struct Case {
    const char* name;
    std::function<void(HitChart&)> prepare;
    std::function<void(HitChart&)> act;
  };
  const auto nothing = [](HitChart&) {};
  const std::vector<Case> cases{
      {"raising an activated bar", nothing,
       [](HitChart& c) { c.controller->activate(Point{150, 10}); }},
      {"toggling a summary",
       [](HitChart& c) {
         c.configure([](GanttChartContentSettings& s) {
           s.allowsUpdatingZIndexes = false;
           s.activationTogglesExpansionForSummaryItems = true;
         });
       },
       [](HitChart& c) { c.controller->activate(Point{150, 60}); }},
      {"adding", nothing, [](HitChart& c) { c.controller->addNewItem(5, monday(50), false); }},
      {"removing an item", nothing, [](HitChart& c) { c.controller->removeItem(c.task); }},
      {"removing a dependency", nothing,
       [](HitChart& c) { c.controller->removeDependency(c.dependency); }},
      {"moving a bar between rows",
       [](HitChart& c) { c.controller->beginDragging(Point{150, 20}, false); },
       [](HitChart& c) { c.controller->continueDragging(Point{150, 40}); }},
      {"linking",
       [](HitChart& c) {
         ASSERT_TRUE(c.controller->showDependencyLineThumb(Point{205, 12.5}));
         c.controller->beginDragging(Point{206, 12}, false);
         c.controller->continueDragging(Point{320, 10});
       },
       [](HitChart& c) { c.controller->endDragging(); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ScopedManualRunLoop loop;
    HitChart chart;
    auto owned = std::make_shared<GanttChartItemSource>(chart.items, chart.dependencies);
    chart.controller->setItemManager(owned);
    owned.reset();  // now held by the controller alone
    test.prepare(chart);
    auto controller = chart.controller;
    bool replaced = false;
    chart.recorder->onCall = [controller, &replaced](const std::string& entry) {
      if (entry != "observer.visibleBarsDidChange" || replaced) return;
      replaced = true;
      controller->setItemManager(std::make_shared<GanttChartItemSource>());
    };
    test.act(chart);
    chart.recorder->onCall = nullptr;
    EXPECT_TRUE(replaced);
    EXPECT_TRUE(chart.controller->itemManager()->filteredItems().empty());
    chart.controller->cancelDragging();
  }
}

}  // namespace
}  // namespace vorlent
