// The changing operations of GanttChartItemManager: direct changes, the
// behaviour cascade, cache clearing and the order of every notification.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vorlent/base/clock.h"
#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/item_behavior_set.h"
#include "vorlent/model/item_manager.h"
#include "vorlent/model/item_source.h"
#include "vorlent/model/model_recorder_testing.h"

namespace vorlent {
namespace {

using testing::CallLog;
using testing::RecordingObserver;
using testing::ScriptedBehavior;
using Action = GanttChartItemUpdateAction;

constexpr double kHour = 3600;

// Standard calendar: Monday to Friday, 8:00 to 16:00.
Time at(int64_t day, double hours) { return Time(0, day, hours * kHour); }

struct Cascade : ::testing::Test {
  ScopedClock clock{Date(0)};
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  std::shared_ptr<ScriptedBehavior> behavior = std::make_shared<ScriptedBehavior>(log);
  std::shared_ptr<RecordingObserver> observer = std::make_shared<RecordingObserver>(log);
  std::map<std::string, GanttChartItemPtr> items;
  GanttChartItemSourcePtr source;

  void SetUp() override {
    std::vector<GanttChartItemPtr> list;
    int64_t row = 0;
    for (const char* name : {"X", "A", "B", "C"}) {
      auto item = std::make_shared<GanttChartItem>(name, row++, at(1, 8), at(1, 16), 0.0);
      items[name] = item;
      list.push_back(item);
    }
    source = std::make_shared<GanttChartItemSource>(list, std::vector<GanttChartDependencyPtr>{},
                                                    ScheduleDefinition::standard(), behavior);
    source->setItemObserver(observer);
    source->setCollectionObserver(observer);
  }

  // Answers a time change of `of` with time changes (moved by an hour) of
  // `targets`, each with `down` set.
  void onTime(const std::string& of, std::vector<std::string> targets) {
    script["timeDidChange(" + of + ")"] = std::move(targets);
    behavior->answer = [this](const std::string& call, const GanttChartItemPtr& item) {
      GanttChartItemUpdateActions actions;
      for (const auto& name : script[call + "(" + testing::nameOf(item) + ")"]) {
        const auto& target = items[name];
        actions.push_back(
            Action::updateTimeAction(target, target->time().shiftingByHours(1), false, true));
      }
      return actions;
    };
  }
  std::map<std::string, std::vector<std::string>> script;
};

TEST_F(Cascade, DraggingSnapsKeepsTheWorkingDurationAndNotifiesInOrder) {
  onTime("X", {"A"});
  // Saturday is not working: the start moves to Monday 8:00 of the next week.
  source->updateTime(items["X"], Time(0, 6, 10 * kHour));
  EXPECT_EQ(items["X"]->time(), TimeRange(Time(1, 1, 8 * kHour), Time(1, 1, 16 * kHour)));
  EXPECT_TRUE(items["X"]->hasChanged());
  EXPECT_EQ(*log, (CallLog{"behavior.timeDidChange(X)", "item.timeDidChange(A)",
                           "behavior.timeDidChange(A)", "item.timeDidChange(X)", "collection.C",
                           "collection.T", "collection.I", "collection.D"}));
}

TEST_F(Cascade, FollowUpsRunDepthFirst) {
  onTime("X", {"A", "B"});
  onTime("A", {"C"});
  source->updateTime(items["X"], at(2, 8));
  EXPECT_EQ(*log, (CallLog{"behavior.timeDidChange(X)", "item.timeDidChange(A)",
                           "behavior.timeDidChange(A)", "item.timeDidChange(C)",
                           "behavior.timeDidChange(C)", "item.timeDidChange(B)",
                           "behavior.timeDidChange(B)", "item.timeDidChange(X)", "collection.C",
                           "collection.T", "collection.I", "collection.D"}));
}

TEST_F(Cascade, PublicOperationsNotifyEvenForAnEqualValueWhileTheEngineSkipsIt) {
  source->updateRow(items["A"], items["A"]->row());
  EXPECT_EQ(*log, (CallLog{"behavior.rowDidChange(A)", "item.rowDidChange(A)", "collection.C",
                           "collection.R", "collection.I", "collection.D"}));
  log->clear();
  items["A"]->setHasChanged(false);
  source->performUpdates({Action::updateRowAction(items["A"], items["A"]->row()),
                          Action::updateVisibilityAction(items["A"], true),
                          Action::updateCompletionAction(items["A"], 0, true, true),
                          Action::updateTimeAction(items["A"], items["A"]->time(), true, true)});
  EXPECT_TRUE(log->empty());
  EXPECT_FALSE(items["A"]->hasChanged());
}

TEST_F(Cascade, RowAndVisibilityActionsNeverAskTheBehaviour) {
  source->performUpdates(
      {Action::updateRowAction(items["A"], 9), Action::updateVisibilityAction(items["A"], false)});
  EXPECT_EQ(*log, (CallLog{"item.rowDidChange(A)", "item.visibilityDidChange(A)"}));
  EXPECT_EQ(items["A"]->row(), 9);
  EXPECT_FALSE(items["A"]->isVisible());
}

TEST_F(Cascade, TimeActionsSnapByItemType) {
  const auto& item = items["A"];
  // Standard: both ends snap into working time.
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(0, 10), at(1, 20)), false, false)});
  EXPECT_EQ(item->time(), TimeRange(at(1, 8), at(1, 16)));
  // Standard whose snapped finish lies before its snapped start: zero length.
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(2, 17), at(2, 18)), false, false)});
  EXPECT_EQ(item->time(), TimeRange(at(3, 8), at(3, 8)));
  // Milestone: the requested start, unsnapped, at both ends.
  item->setType(GanttChartItemType::milestone);
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(0, 10), at(4, 10)), false, false)});
  EXPECT_EQ(item->time(), TimeRange(at(0, 10), at(0, 10)));
  // Summary: the start snaps, the finish is kept.
  item->setType(GanttChartItemType::summary);
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(0, 10), at(2, 20)), false, false)});
  EXPECT_EQ(item->time(), TimeRange(at(1, 8), at(2, 20)));
  // An item's own schedule wins over the manager's.
  item->setType(GanttChartItemType::standard);
  item->setSchedule(ScheduleDefinition::continuous());
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(0, 10), at(0, 20)), false, false)});
  EXPECT_EQ(item->time(), TimeRange(at(0, 10), at(0, 20)));
}

TEST_F(Cascade, CompletionActionsAreClamped) {
  const auto& item = items["A"];
  const std::pair<double, double> cases[] = {{1.5, 1}, {-0.2, 0}, {0.25, 0.25}, {NAN, 1}};
  for (const auto& [given, stored] : cases) {
    source->performUpdates({Action::updateCompletionAction(item, given, false, false)});
    EXPECT_EQ(item->completion(), stored) << given;
  }
}

// Answers every applied time change with one more change of the same item.
class EndlessBehavior : public GanttChartItemBehavior {
 public:
  int asked = 0;
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange&, bool,
                                            bool, const GanttChartItemList&,
                                            const GanttChartDependencyList&,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    ++asked;
    return {Action::updateTimeAction(item, item->time().shiftingByHours(1), false, true)};
  }
};

TEST(GanttChartItemManagerBound, DropsTheListThatReachesTheBound) {
  struct Case {
    int64_t bound;
    int appliedFollowUps;
    int asked;
  };
  // A host's rule that changes an item without end is cut by the bound
  // alone, the default one included.
  for (const Case c :
       {Case{0, 0, 1}, Case{1, 1, 2}, Case{50, 50, 51}, Case{1024, 1024, 1025}}) {
    SCOPED_TRACE(c.bound);
    auto behavior = std::make_shared<EndlessBehavior>();
    auto item = std::make_shared<GanttChartItem>("A", 0, Time(0, 0, 0), Time(0, 0, 0), 0.0);
    auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{item},
                                                         std::vector<GanttChartDependencyPtr>{},
                                                         nullptr, behavior);
    if (c.bound != 1024) source->setMaxBehaviorRecursivity(c.bound);
    source->updateTime(item, Time(0, 1, 0));
    EXPECT_EQ(item->start(), Time(0, 1, 0).addingHours(c.appliedFollowUps));
    EXPECT_EQ(behavior->asked, c.asked);
  }
}

// Answers a time change of each item but the last with a change of the next.
class ChainBehavior : public GanttChartItemBehavior {
 public:
  explicit ChainBehavior(const std::vector<GanttChartItemPtr>& items) {
    for (size_t i = 0; i + 1 < items.size(); ++i) next_[items[i].get()] = items[i + 1];
  }
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange&, bool,
                                            bool, const GanttChartItemList&,
                                            const GanttChartDependencyList&,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    const auto found = next_.find(item.get());
    if (found == next_.end()) return {};
    const GanttChartItemPtr& next = found->second;
    return {Action::updateTimeAction(next, next->time().shiftingByHours(1), false, true)};
  }

 private:
  std::unordered_map<const GanttChartItem*, GanttChartItemPtr> next_;
};

TEST(GanttChartItemManagerBound, AVeryDeepCascadeDoesNotExhaustTheStack) {
  constexpr int kItems = 100000;
  std::vector<GanttChartItemPtr> items;
  for (int i = 0; i < kItems; ++i) {
    items.push_back(std::make_shared<GanttChartItem>("A", i, Time(0, 0, 0), Time(0, 0, 0), 0.0));
  }
  auto source = std::make_shared<GanttChartItemSource>(
      items, std::vector<GanttChartDependencyPtr>{}, nullptr,
      std::make_shared<ChainBehavior>(items));
  source->setMaxBehaviorRecursivity(200000);
  source->updateTime(items.front(), Time(0, 0, 0));
  EXPECT_EQ(items.back()->start(), Time(0, 0, 0).addingHours(1));
}

TEST_F(Cascade, EveryOperationSendsItsCollectionNotifications) {
  const auto dependency =
      source->addNewDependency(items["A"], items["B"], GanttChartDependencyType::fromFinishToStart);
  source->setRange(RowRange(0, 10));
  source->setTimeline(TimeRange(at(0, 0), at(6, 0)));
  const std::string all = "CRTID";
  // Every operation asks the behaviour first, then tells the item observer,
  // then the collection observer; `calls` is what precedes the collection.
  struct Case {
    const char* name;
    std::function<void()> run;
    CallLog calls;
    std::string notifications;
  };
  auto allFour = [](const std::string& name) {
    return CallLog{"behavior.rowDidChange(" + name + ")", "behavior.timeDidChange(" + name + ")",
                   "behavior.completionDidChange(" + name + ")"};
  };
  CallLog everyItem;  // rows 0, 1, 3 (collapsed), 5 by then
  for (const char* name : {"X", "B", "A", "?"}) {
    CallLog calls = allFour(name);
    if (std::string(name) == "A") calls.insert(calls.begin() + 1, "behavior.expansionDidChange(A)");
    everyItem.insert(everyItem.end(), calls.begin(), calls.end());
  }
  const Case cases[] = {
      {"addNewItem",
       [&] { source->addNewItem(5, at(1, 9), false); },
       {"behavior.itemWasAdded(?)", "item.itemWasAdded(?)"},
       all},
      {"removeItem",
       [&] { source->removeItem(items["C"]); },
       {"behavior.itemWasRemoved(C)", "item.itemWasRemoved(C)"},
       all},
      {"addNewDependency",
       [&] {
         source->addNewDependency(items["X"], items["B"],
                                  GanttChartDependencyType::fromStartToStart);
       },
       {"behavior.dependencyWasAdded(?)", "item.dependencyWasAdded(?)"},
       "CD"},
      {"removeDependency",
       [&] { source->removeDependency(dependency); },
       {"behavior.dependencyWasRemoved(?)", "item.dependencyWasRemoved(?)"},
       "CD"},
      {"updateTime",
       [&] { source->updateTime(items["A"], at(2, 8)); },
       {"behavior.timeDidChange(A)", "item.timeDidChange(A)"},
       "CTID"},
      {"updateCompletion",
       [&] { source->updateCompletion(items["A"], at(2, 12)); },
       {"behavior.completionDidChange(A)", "item.completionDidChange(A)"},
       "CI"},
      {"updateRow",
       [&] { source->updateRow(items["A"], 3); },
       {"behavior.rowDidChange(A)", "item.rowDidChange(A)"},
       "CRID"},
      {"updateExpansion",
       [&] { source->collapse(items["A"]); },
       {"behavior.expansionDidChange(A)", "item.expansionDidChange(A)"},
       "CRID"},
      {"updateZIndex",
       [&] { source->updateZIndex(items["A"], 4); },
       {"item.zIndexDidChange(A)"},
       "CI"},
      {"bringToFront item",
       [&] { source->bringToFront(items["A"]); },
       {"item.zIndexDidChange(A)"},
       "CI"},
      {"bringToFront dependency",
       [&] { source->bringToFront(dependency); },
       {"item.zIndexDidChange(?)"},
       "CD"},
      {"hide item", [&] { source->hide(items["A"]); }, {"item.visibilityDidChange(A)"}, "CI"},
      {"show dependency", [&] { source->show(dependency); }, {"item.visibilityDidChange(?)"}, "CD"},
      {"applySchedule", [&] { source->applySchedule(); }, {}, "CTID"},
      {"applyBehaviorForTimeOf",
       [&] { source->applyBehaviorForTimeOf(items["A"]); },
       {"behavior.timeDidChange(A)"},
       "CTID"},
      {"applyBehaviorForCompletionOf",
       [&] { source->applyBehaviorForCompletionOf(items["A"]); },
       {"behavior.completionDidChange(A)"},
       "CI"},
      {"applyBehaviorForRowOf",
       [&] { source->applyBehaviorForRowOf(items["A"]); },
       {"behavior.rowDidChange(A)"},
       "CRID"},
      {"applyBehaviorForExpansionStateOf",
       [&] { source->applyBehaviorForExpansionStateOf(items["B"]); },
       {},
       "CRID"},
      {"applyBehavior item",
       [&] { source->applyBehavior(items["A"]); },
       {"behavior.rowDidChange(A)", "behavior.expansionDidChange(A)", "behavior.timeDidChange(A)",
        "behavior.completionDidChange(A)"},
       all},
      {"applyBehavior", [&] { source->applyBehavior(); }, everyItem, all},
      {"performUpdates",
       [&] { source->performUpdates({Action::updateRowAction(items["B"], 8)}); },
       {"item.rowDidChange(B)"},
       ""},
      {"collectionDidChange", [&] { source->collectionDidChange(); }, {}, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log->clear();
    c.run();
    CallLog expected = c.calls;
    for (const char change : c.notifications)
      expected.push_back(std::string("collection.") + change);
    EXPECT_EQ(*log, expected);
  }
}

// Rules may answer an edit that sets no time by moving items, and so the
// span the chart would like to show: that is told too, in its place.
TEST_F(Cascade, AnOperationWhoseRulesMoveAnItemAlsoTellsOfThePreferredTimeline) {
  const auto dependency =
      source->addNewDependency(items["A"], items["B"], GanttChartDependencyType::fromFinishToStart);
  behavior->answer = [this](const std::string& call, const GanttChartItemPtr& /*item*/) {
    if (call == "timeDidChange") return GanttChartItemUpdateActions{};
    const GanttChartItemPtr& moved = items["C"];
    return GanttChartItemUpdateActions{
        Action::updateTimeAction(moved, moved->time().shiftingByHours(1), false, false)};
  };
  const struct {
    const char* name;
    std::function<void()> run;
    std::string notifications;
  } cases[] = {
      {"addNewDependency",
       [&] {
         source->addNewDependency(items["X"], items["B"],
                                  GanttChartDependencyType::fromStartToStart);
       },
       "CTD"},
      {"removeDependency", [&] { source->removeDependency(dependency); }, "CTD"},
      {"updateCompletion", [&] { source->updateCompletion(items["A"], at(1, 12)); }, "CTI"},
      {"updateRow", [&] { source->updateRow(items["A"], 3); }, "CRTID"},
      {"updateExpansion", [&] { source->collapse(items["A"]); }, "CRTID"},
      {"applyBehaviorForRowOf", [&] { source->applyBehaviorForRowOf(items["A"]); }, "CRTID"},
      {"applyBehaviorForCompletionOf", [&] { source->applyBehaviorForCompletionOf(items["A"]); },
       "CTI"},
  };
  for (const auto& [name, run, notifications] : cases) {
    SCOPED_TRACE(name);
    log->clear();
    run();
    std::string told;
    for (const std::string& entry : *log) {
      if (entry.rfind("collection.", 0) == 0) told += entry.back();
    }
    EXPECT_EQ(told, notifications);
  }
}

TEST_F(Cascade, PreservingTheCompletedWorkCompletesAfterTheTimeChangeIsAnnounced) {
  items["A"]->setCompletion(0.5);
  source->updateDurationToFinishOn(items["A"], at(2, 16), true);
  EXPECT_EQ(*log, (CallLog{"behavior.timeDidChange(A)", "item.timeDidChange(A)", "collection.C",
                           "collection.T", "collection.I", "collection.D",
                           "behavior.completionDidChange(A)", "item.completionDidChange(A)",
                           "collection.C", "collection.I"}));
}

// Records the schedule and cascade flags each time or completion callback is
// handed.
class ArgumentRecorder : public GanttChartItemBehavior {
 public:
  struct Call {
    std::shared_ptr<ScheduleDefinition> schedule;
    bool up;
    bool down;
  };
  std::vector<Call> calls;
  GanttChartItemUpdateActions timeDidChange(
      const GanttChartItemPtr&, const TimeRange&, bool up, bool down, const GanttChartItemList&,
      const GanttChartDependencyList&,
      const std::shared_ptr<ScheduleDefinition>& schedule) override {
    calls.push_back({schedule, up, down});
    return {};
  }
  GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr&, double, bool up, bool down, const GanttChartItemList&,
      const GanttChartDependencyList&,
      const std::shared_ptr<ScheduleDefinition>& schedule) override {
    calls.push_back({schedule, up, down});
    return {};
  }
};

TEST_F(Cascade, ItemsMoveInTheirOwnScheduleWhileBehavioursGetTheManagers) {
  auto recorder = std::make_shared<ArgumentRecorder>();
  source->setBehavior(recorder);
  const auto& item = items["A"];  // Monday 8:00-16:00
  item->setSchedule(ScheduleDefinition::continuous());
  source->updateTime(item, at(6, 10));  // Saturday: working time in its own schedule
  EXPECT_EQ(item->time(), TimeRange(at(6, 10), at(6, 18)));
  source->performUpdates(
      {Action::updateTimeAction(item, TimeRange(at(0, 1), at(0, 2)), true, false),
       Action::updateCompletionAction(item, 0.5, false, true)});
  ASSERT_EQ(recorder->calls.size(), 3u);
  for (const auto& call : recorder->calls) EXPECT_EQ(call.schedule, ScheduleDefinition::standard());
  EXPECT_TRUE(recorder->calls[0].up && recorder->calls[0].down);
  EXPECT_TRUE(recorder->calls[1].up && !recorder->calls[1].down);
  EXPECT_TRUE(!recorder->calls[2].up && recorder->calls[2].down);
}

TEST_F(Cascade, TheEngineClearsTheCachesBeforeEachAction) {
  EXPECT_EQ(source->totalRowCount(), 4);
  std::vector<int64_t> seen;
  observer->onCall = [&](const std::string&) { seen.push_back(source->totalRowCount()); };
  source->performUpdates(
      {Action::updateRowAction(items["A"], 9), Action::updateRowAction(items["B"], 19)});
  EXPECT_EQ(seen, (std::vector<int64_t>{10, 20}));
}

// A subclass that keeps a cache of its own and drops it in its `clearCache()`
// override: the operations must clear through that override, not around it.
class SourceWithOwnCache : public GanttChartItemSource {
 public:
  using GanttChartItemSource::GanttChartItemSource;
  void clearCache() override {
    ++clears;
    GanttChartItemSource::clearCache();
  }
  int clears = 0;
};

TEST(GanttChartItemManagerCaches, OperationsClearThroughTheOverridableClearCache) {
  auto a = std::make_shared<GanttChartItem>("A", 0, at(1, 8), at(1, 16), 0.0);
  auto b = std::make_shared<GanttChartItem>("B", 1, at(1, 8), at(1, 16), 0.0);
  auto link = std::make_shared<GanttChartDependency>(std::nullopt, a, b);
  const auto source = std::make_shared<SourceWithOwnCache>(
      std::vector<GanttChartItemPtr>{a, b}, std::vector<GanttChartDependencyPtr>{link},
      ScheduleDefinition::standard(), std::make_shared<GanttChartItemBehavior>());
  source->setRange(RowRange(0, 9));
  source->setTimeline(TimeRange(at(0, 0), at(7, 0)));
  const std::pair<const char*, std::function<void()>> operations[] = {
      {"addNewItem", [&] { source->addNewItem(2, at(1, 9), false); }},
      {"removeItem", [&] { source->removeItem(source->items().back()); }},
      {"addNewDependency",
       [&] { source->addNewDependency(a, b, GanttChartDependencyType::fromStartToStart); }},
      {"removeDependency", [&] { source->removeDependency(source->dependencies().back()); }},
      {"updateTime", [&] { source->updateTime(a, at(2, 8)); }},
      {"updateDurationToFinishOn", [&] { source->updateDurationToFinishOn(a, at(2, 12), true); }},
      {"updateCompletion", [&] { source->updateCompletion(a, at(2, 10)); }},
      {"updateRow", [&] { source->updateRow(b, 3); }},
      {"collapse", [&] { source->collapse(a); }},
      {"updateZIndex", [&] { source->updateZIndex(a, 2); }},
      {"bringToFront dependency", [&] { source->bringToFront(link); }},
      {"hide", [&] { source->hide(b); }},
      {"show dependency", [&] { source->show(link); }},
      {"applySchedule", [&] { source->applySchedule(); }},
      {"applyBehavior item", [&] { source->applyBehavior(a); }},
      {"applyBehavior", [&] { source->applyBehavior(); }},
  };
  for (const auto& [name, run] : operations) {
    SCOPED_TRACE(name);
    source->clears = 0;
    run();
    EXPECT_GE(source->clears, 1);
  }
  // The engine clears before each action, and only then.
  source->clears = 0;
  source->performUpdates({Action::updateRowAction(a, 5), Action::updateRowAction(b, 6)});
  EXPECT_EQ(source->clears, 2);
  // Cleared through the override, the indexes still follow the changes.
  source->setRange(RowRange(5, 6));
  EXPECT_EQ(source->filteredItems().size(), 2u);
  EXPECT_EQ(source->totalRowCount(), 7);
}

TEST_F(Cascade, ReapplicationAsksWithTheCurrentValuesAndOnlyForCollapsedItems) {
  source->applyBehaviorForExpansionStateOf(items["A"]);
  EXPECT_EQ(*log, (CallLog{"collection.C", "collection.R", "collection.I", "collection.D"}));
  log->clear();
  items["A"]->setIsExpanded(false);
  source->applyBehavior(items["A"]);
  EXPECT_EQ(*log,
            (CallLog{"behavior.rowDidChange(A)", "behavior.expansionDidChange(A)",
                     "behavior.timeDidChange(A)", "behavior.completionDidChange(A)", "collection.C",
                     "collection.R", "collection.T", "collection.I", "collection.D"}));
}

TEST_F(Cascade, ApplyScheduleSnapsOnlyItemsOffWorkingTime) {
  items["B"]->setTime(TimeRange(at(0, 10), at(1, 12)));
  source->applySchedule();
  EXPECT_EQ(items["B"]->time(), TimeRange(at(1, 8), at(1, 12)));
  EXPECT_EQ(*log, (CallLog{"behavior.timeDidChange(B)", "item.timeDidChange(B)", "collection.C",
                           "collection.T", "collection.I", "collection.D"}));
}

TEST_F(Cascade, DurationChangesKeepOrScaleTheCompletedWork) {
  const auto& item = items["A"];  // Monday 8:00-16:00
  item->setCompletion(0.5);       // completed until 12:00
  source->updateDurationToFinishOn(item, at(2, 16), true);
  EXPECT_EQ(item->time(), TimeRange(at(1, 8), at(2, 16)));
  EXPECT_DOUBLE_EQ(item->completion(), 0.25);
  source->updateDurationToFinishOn(item, at(1, 16), false);
  EXPECT_DOUBLE_EQ(item->completion(), 0.25);
  // A finish before the start leaves a zero-length item at the start.
  source->updateDurationToFinishOn(item, at(0, 12), false);
  EXPECT_EQ(item->time(), TimeRange(at(1, 8), at(1, 8)));

  const auto& other = items["B"];
  source->updateDurationToStartOn(other, at(0, 12), true);  // Sunday snaps to Monday 8:00
  EXPECT_EQ(other->time(), TimeRange(at(1, 8), at(1, 16)));
  EXPECT_EQ(other->completion(), 0) << "no completion, nothing to preserve";
  source->updateDurationToStartOn(other, at(2, 9), false);  // after the finish
  EXPECT_EQ(other->time(), TimeRange(at(1, 16), at(1, 16)));
}

TEST_F(Cascade, CompletionUntilATime) {
  const auto& item = items["A"];
  source->updateCompletion(item, at(1, 10));
  EXPECT_DOUBLE_EQ(item->completion(), 0.25);
  source->updateCompletion(item, at(3, 10));
  EXPECT_EQ(item->completion(), 1);
  source->updateCompletion(item, at(0, 10));
  EXPECT_EQ(item->completion(), 0);
  item->setTime(TimeRange(at(1, 9), at(1, 9)));
  source->updateCompletion(item, at(0, 10));
  EXPECT_EQ(item->completion(), 1) << "an item without working time counts as complete";
}

// The operation keeps its item even when the caller's reference points into
// the source's array and an observer reallocates that array meanwhile.
TEST_F(Cascade, AnOperationOnAnElementOfItemsSurvivesAnObserverThatAddsItems) {
  struct Adding : GanttChartItemObserver {
    std::weak_ptr<GanttChartItemSource> source;
    void timeDidChange(const GanttChartItemPtr& /*item*/, const TimeRange& /*from*/) override {
      auto owner = source.lock();
      source.reset();  // once only
      for (int i = 0; owner && i < 64; ++i) owner->addNewItem(9, at(1, 8), false);
    }
  };
  auto adding = std::make_shared<Adding>();
  adding->source = source;
  source->setItemObserver(adding);
  const GanttChartItemPtr a = items["A"];
  a->setCompletion(0.5);
  source->updateDurationToFinishOn(source->items()[1], at(2, 16), true);
  EXPECT_EQ(a->finish(), at(2, 16));
  EXPECT_DOUBLE_EQ(a->completion(), 0.25) << "the completed work is kept on that same item";
  EXPECT_EQ(source->items().size(), 4u + 64u);
}

TEST_F(Cascade, FrontAndBackNeedFilteredItems) {
  source->setTimeline(TimeRange(at(0, 0), at(6, 0)));
  source->setRange(RowRange(100, 200));
  log->clear();
  source->bringToFront(items["A"]);
  source->sendToBack(items["A"]);
  EXPECT_TRUE(log->empty());
  source->setRange(RowRange(0, 3));
  log->clear();
  items["B"]->setZIndex(7);
  source->bringToFront(items["A"]);
  EXPECT_EQ(items["A"]->zIndex(), 8);
  source->sendToBack(items["B"]);
  EXPECT_EQ(items["B"]->zIndex(), -1);
  items["C"]->setZIndex(std::numeric_limits<int64_t>::max());
  source->bringToFront(items["A"]);
  EXPECT_EQ(items["A"]->zIndex(), std::numeric_limits<int64_t>::max());
}

// A manager over a host's vector whose provider leaves the available items to
// the filtered lists.
class VectorProvider : public GanttChartCollectionProvider {
 public:
  std::vector<GanttChartItemPtr> items;
  int64_t totalRowCount() override { return 1; }
  TimeRange preferredTimeline() override { return {}; }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange&, const TimeRange&) override {
    return items;
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange&,
                                                            const TimeRange&) override {
    return {};
  }
};

class VectorManager : public GanttChartItemManager {
 public:
  explicit VectorManager(const std::shared_ptr<VectorProvider>& provider,
                         GanttChartItemBehaviorPtr behavior)
      : GanttChartItemManager(provider, nullptr, std::move(behavior)), provider_(provider) {}
  void removeSourceItem(const GanttChartItemPtr& item) override {
    std::erase(provider_->items, item);
  }

 private:
  std::shared_ptr<VectorProvider> provider_;
};

TEST(GanttChartItemManagerRemoval, TheBehaviourSeesTheCollectionAfterTheRemoval) {
  auto log = std::make_shared<CallLog>();
  auto behavior = std::make_shared<ScriptedBehavior>(log);
  auto provider = std::make_shared<VectorProvider>();
  auto kept = GanttChartItem::fromTime("kept", 0, Time());
  auto removed = GanttChartItem::fromTime("removed", 0, Time());
  provider->items = {kept, removed};
  auto manager = std::make_shared<VectorManager>(provider, behavior);
  ASSERT_EQ(manager->filteredItems().size(), 2u);  // fills the cache
  manager->removeItem(removed);
  ASSERT_EQ(behavior->lastItems.size(), 1u);
  EXPECT_EQ(behavior->lastItems[0], kept);
}

// A host's rule may remove the very item whose change it is answering, and
// then that item may be held by nothing but the action that moved it, which
// the engine drops as it goes on. Run under AddressSanitizer, following up
// the answer through a freed item is a use after free.
TEST(GanttChartItemManagerRemoval, ARuleMayRemoveTheItemWhoseChangeItAnswers) {
  class RemovingRule : public GanttChartItemBehavior {
   public:
    std::weak_ptr<GanttChartItemSource> source;
    GanttChartItemUpdateActions timeDidChange(
        const GanttChartItemPtr& item, const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
        const GanttChartItemList& items, const GanttChartDependencyList& /*dependencies*/,
        const std::shared_ptr<ScheduleDefinition>& /*schedule*/) override {
      // Each item moves the one on the next row, until the last.
      GanttChartItemUpdateActions answer;
      for (const auto& next : items.elements()) {
        if (next->row() != item->row() + 1) continue;
        answer.push_back(
            Action::updateTimeAction(next, next->time().shiftingByHours(1), false, true));
      }
      if (item->label() == "removed") source.lock()->removeItem(item);
      return answer;
    }
  };
  auto rule = std::make_shared<RemovingRule>();
  auto first = std::make_shared<GanttChartItem>("first", 0, at(1, 8), at(1, 9), 0.0);
  auto last = std::make_shared<GanttChartItem>("last", 2, at(1, 8), at(1, 9), 0.0);
  auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{
          first, std::make_shared<GanttChartItem>("removed", 1, at(1, 8), at(1, 9), 0.0), last},
      std::vector<GanttChartDependencyPtr>{}, nullptr, rule);
  rule->source = source;
  source->updateTime(first, at(1, 10));
  ASSERT_EQ(source->items().size(), 2u);
  EXPECT_EQ(last->start(), at(1, 9));
}

// A host's rule that edits the chart from its callback leaves the lists the
// question handed to the rules after it as the chart was when it was asked,
// whether the editing rule read them or not: the link it draws is answered
// by its own operation, and the item it then puts back stays there.
TEST(GanttChartItemManagerNesting, TheRulesAfterAnEditingRuleSeeTheChartAsItWasAsked) {
  class LinkingRule : public GanttChartItemBehavior {
   public:
    std::weak_ptr<GanttChartItemSource> source;
    GanttChartItemPtr successor;
    bool readsFirst = false;
    GanttChartItemUpdateActions timeDidChange(
        const GanttChartItemPtr& item, const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
        const GanttChartItemList& /*items*/, const GanttChartDependencyList& dependencies,
        const std::shared_ptr<ScheduleDefinition>& /*schedule*/) override {
      if (item == successor || answered) return {};
      answered = true;
      if (readsFirst) {
        EXPECT_TRUE(dependencies.empty());
      }
      const auto chart = source.lock();
      const Time start = successor->start();
      chart->addNewDependency(item, successor, GanttChartDependencyType::fromFinishToStart);
      chart->updateTime(successor, start);
      return {};
    }

   private:
    bool answered = false;
  };
  for (const bool readsFirst : {true, false}) {
    SCOPED_TRACE(readsFirst ? "the editing rule read the links" : "nobody read the links");
    const auto x = std::make_shared<GanttChartItem>("X", 0, at(1, 8), at(1, 16), 0.0);
    const auto y = std::make_shared<GanttChartItem>("Y", 1, at(1, 8), at(1, 16), 0.0);
    const auto rule = std::make_shared<LinkingRule>();
    rule->successor = y;
    rule->readsFirst = readsFirst;
    const auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{x, y}, std::vector<GanttChartDependencyPtr>{},
        ScheduleDefinition::standard(),
        std::make_shared<GanttChartItemBehaviorSet>(std::vector<GanttChartItemBehaviorPtr>{
            rule, std::make_shared<GanttChartItemAutoSchedulingBehavior>()}));
    rule->source = source;
    source->updateTime(x, at(2, 8));
    ASSERT_EQ(source->dependencies().size(), 1u);
    EXPECT_EQ(y->start(), at(1, 8));
  }
}

TEST_F(Cascade, ObserversMayReenterTheManager) {
  onTime("X", {"A"});
  bool reentered = false;
  observer->onCall = [&](const std::string& call) {
    if (call == "item.timeDidChange(A)" && !reentered) {
      reentered = true;
      // A nested operation with a cascade of its own, in the middle of one.
      source->updateRow(items["B"], 7);
      (void)source->filteredItems();
    }
  };
  const GanttChartItemList before = source->availableItems();
  source->updateTime(items["X"], at(2, 8));
  EXPECT_EQ(items["B"]->row(), 7);
  EXPECT_EQ(items["A"]->start(), at(1, 9));
  EXPECT_EQ(before.size(), 4u);
  EXPECT_EQ(log->back(), "collection.D");
}

// A host may release its chart from any notification (say a window closing
// when told of a change): the manager holds itself until the operation that
// is telling has run to its end. Run under AddressSanitizer, a manager freed
// mid-call is a use after free.
TEST_F(Cascade, AnOperationOutlivesTheLastOwnerDroppedFromACallback) {
  struct Case {
    std::string dropAt;
    std::function<void(GanttChartItemManager&)> operation;
    std::string lastCall;
  };
  const std::vector<Case> cases = {
      {"collection.I", [](auto& m) { m.setRange(RowRange(5, 9)); }, "collection.D"},
      {"collection.C", [](auto& m) { m.collectionDidChange(); }, "collection.D"},
      {"item.timeDidChange(A)", [this](auto& m) { m.updateTime(items["X"], at(2, 8)); },
       "collection.D"},
      {"behavior.timeDidChange(X)", [this](auto& m) { m.updateTime(items["X"], at(2, 8)); },
       "collection.D"},
      {"item.itemWasAdded(?)", [](auto& m) { m.addNewItem(1, at(1, 8), false); },
       "collection.D"},
      {"item.visibilityDidChange(B)", [this](auto& m) { m.hide(items["B"]); }, "collection.I"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dropAt);
    SetUp();
    log->clear();
    onTime("X", {"A"});
    const auto drop = [this, &c](const std::string& call) {
      if (call == c.dropAt) source.reset();
    };
    observer->onCall = drop;
    behavior->answer = [drop, answer = behavior->answer](const std::string& call,
                                                         const GanttChartItemPtr& item) {
      drop("behavior." + call + "(" + testing::nameOf(item) + ")");
      return answer(call, item);
    };
    const std::weak_ptr<GanttChartItemSource> watched = source;
    c.operation(*source);
    EXPECT_TRUE(watched.expired()) << "the callback dropped the last owner";
    ASSERT_FALSE(log->empty());
    EXPECT_EQ(log->back(), c.lastCall) << "the operation told everything";
  }
}

TEST_F(Cascade, BehavioursGetTheSameAvailableListsWhileNothingChanges) {
  behavior->answer = nullptr;
  source->applyBehaviorForCompletionOf(items["A"]);
  const GanttChartItemList first = behavior->lastItems;
  const GanttChartDependencyList firstDependencies = behavior->lastDependencies;
  source->applyBehaviorForCompletionOf(items["B"]);
  EXPECT_TRUE(behavior->lastItems.isSameList(first));
  EXPECT_TRUE(behavior->lastDependencies.isSameList(firstDependencies));
  // Read, so that its order is fixed: a change of order then needs a new list.
  EXPECT_EQ(first.size(), items.size());
  source->updateTime(items["C"], at(2, 8));
  EXPECT_FALSE(behavior->lastItems.isSameList(first));
  EXPECT_TRUE(behavior->lastDependencies.isSameList(firstDependencies));
  EXPECT_EQ(testing::nameOf(behavior->lastItems.back()), "C");
}

TEST_F(Cascade, AddedItemsStartOnWorkingTime) {
  const auto item = source->addNewItem(2, at(0, 12), true);
  EXPECT_TRUE(item->isMilestone());
  EXPECT_EQ(item->start(), at(1, 8));
  EXPECT_EQ(source->items().back(), item);
  EXPECT_EQ(*log, (CallLog{"behavior.itemWasAdded(?)", "item.itemWasAdded(?)", "collection.C",
                           "collection.R", "collection.T", "collection.I", "collection.D"}));
}

}  // namespace
}  // namespace vorlent
