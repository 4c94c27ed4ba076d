// Cascades of the library's rules that settle are applied to their end: an
// action overtaken by its sibling's cascade does not undo it, a conflict
// elsewhere in the chart does not stop them, and no depth bound cuts them.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::makeSummary;
using testing::on;

// The library's rules behind a type of the host's.
class HostSet : public GanttChartItemBehaviorSet {
 public:
  using GanttChartItemBehaviorSet::GanttChartItemBehaviorSet;
};

Time day(double days) { return Time(1, 0, 0).addingHours(24 * days); }

GanttChartItemPtr task(int64_t row, double days) { return makeItem("T", row, day(0), day(days)); }

GanttChartDependencyPtr finishToStart(const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
  return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                GanttChartDependencyType::fromFinishToStart);
}

// Tasks that start before one of their predecessors finishes.
int64_t tasksOffTheirLinks(const std::vector<GanttChartDependencyPtr>& links) {
  int64_t off = 0;
  for (const auto& link : links) off += link->to()->start() < link->from()->finish() ? 1 : 0;
  return off;
}

std::shared_ptr<GanttChartItemSource> autoScheduled(std::vector<GanttChartItemPtr> items,
                                                    std::vector<GanttChartDependencyPtr> links) {
  return std::make_shared<GanttChartItemSource>(
      std::move(items), std::move(links), nullptr,
      std::make_shared<GanttChartItemAutoSchedulingBehavior>());
}

// `count` tasks of a day each, one after the other, each linked finish to
// start to the one before.
struct Chain {
  std::vector<GanttChartItemPtr> tasks;
  std::vector<GanttChartDependencyPtr> links;
};
Chain chainOf(int64_t count) {
  Chain chain;
  for (int64_t i = 0; i < count; ++i) {
    chain.tasks.push_back(makeItem("T", i, day(i), day(i + 1)));
    if (i > 0) chain.links.push_back(finishToStart(chain.tasks[i - 1], chain.tasks[i]));
  }
  return chain;
}

std::vector<TimeRange> timesOf(const std::vector<GanttChartItemPtr>& items) {
  std::vector<TimeRange> times;
  for (const auto& item : items) times.push_back(item->time());
  return times;
}

// W pushes X; X's answer places S1 and S2, the latter worked out while S1 was
// still where it was. S1's own cascade then puts S2 behind S1, which the
// answer's later move of S2 must not undo.
TEST(SettlingCascade, AMoveOvertakenByAnEarlierSiblingsCascadeIsDropped) {
  const auto s1 = task(0, 1);
  const auto s2 = task(1, 1);
  const auto x = task(2, 1);
  const auto w = task(3, 3);
  const std::vector<GanttChartDependencyPtr> links = {finishToStart(w, x), finishToStart(x, s1),
                                                      finishToStart(x, s2), finishToStart(s1, s2)};
  const auto source = autoScheduled({s1, s2, x, w}, links);
  source->applyBehavior();
  EXPECT_EQ(tasksOffTheirLinks(links), 0);
  EXPECT_EQ(s2->start(), s1->finish());
}

// Answers a time change of `of` with a move of `target` to `to`.
class MoveOnChange : public GanttChartItemBehavior {
 public:
  MoveOnChange(GanttChartItemPtr of, GanttChartItemPtr target, TimeRange to)
      : of_(std::move(of)), target_(std::move(target)), to_(to) {}
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange&, bool,
                                            bool, const GanttChartItemList&,
                                            const GanttChartDependencyList&,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    if (item != of_) return {};
    return {GanttChartItemUpdateAction::updateTimeAction(target_, to_, true, true)};
  }

 private:
  GanttChartItemPtr of_;
  GanttChartItemPtr target_;
  TimeRange to_;
};

// Two answers for one item in one list are applied in turn, so the later
// one wins: the earlier one's own change does not make the later stale.
TEST(SettlingCascade, OfTwoAnswersForOneItemInOneListTheLaterWins) {
  // A host's rules.
  {
    const auto x = task(0, 1);
    const auto y = task(1, 1);
    const TimeRange first(day(2), day(3));
    const TimeRange second(day(4), day(5));
    const auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{x, y}, std::vector<GanttChartDependencyPtr>{}, nullptr,
        std::make_shared<GanttChartItemBehaviorSet>(
            std::vector<GanttChartItemBehaviorPtr>{std::make_shared<MoveOnChange>(x, y, first),
                                                   std::make_shared<MoveOnChange>(x, y, second)}));
    source->updateTime(x, day(1));
    EXPECT_EQ(y->time(), second);
  }
  // The classic rules: moving a summary moves its child by as much (13:00),
  // then the summary's start-to-start link with a lag of two hours places
  // it at the summary's new start plus the lag (10:00).
  {
    const auto summary = makeSummary("S", 0, on(kMonday, 8), on(kMonday, 16));
    const auto linked = makeItem("A", 1, on(kMonday, 13), on(kMonday, 14));
    const auto other = makeItem("B", 2, on(kMonday, 8), on(kMonday, 16));
    const auto link =
        std::make_shared<GanttChartDependency>(std::nullopt, summary, linked, std::nullopt, 0, true,
                                               GanttChartDependencyType::fromStartToStart);
    const auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{summary, linked, other},
        std::vector<GanttChartDependencyPtr>{link}, ScheduleDefinition::standard(),
        GanttChartItemBehaviorSet::classic({{summary, {linked, other}}}, std::nullopt, std::nullopt,
                                           std::nullopt, {{link, 2 * 3600.0}}, {}, std::nullopt));
    source->updateTime(summary, on(kTuesday, 8));
    EXPECT_EQ(linked->time(), TimeRange(on(kTuesday, 10), on(kTuesday, 11)));
    EXPECT_EQ(summary->time(), TimeRange(on(kTuesday, 8), on(kTuesday, 16)));
  }
}

// A whole-chart application ends where asking about each item in turn ends
// when one answer moves an item twice: a successor linked twice to one task,
// its finish on non-working time, is first placed at the link's time
// (keeping its working duration) and then pushed from where it lay, which
// keeps its start; the later move wins.
TEST(SettlingCascade, AWholeChartApplicationLetsTheLaterOfTwoMovesWin) {
  const auto build = [] {
    const auto x = makeItem("X", 0, on(kFriday, 8, 0), on(kFriday, 16, 0));
    const auto y = makeItem("Y", 1, on(kMonday, 10), on(kMonday, 18));
    const std::vector<GanttChartDependencyPtr> links = {finishToStart(x, y), finishToStart(x, y)};
    const auto source = std::make_shared<GanttChartItemSource>(
        std::vector<GanttChartItemPtr>{x, y}, links, ScheduleDefinition::standard(),
        std::make_shared<GanttChartItemAutoSchedulingBehavior>());
    return std::make_pair(source, y);
  };
  const auto [whole, wholeY] = build();
  whole->applyBehavior();
  const auto [stepwise, stepwiseY] = build();
  for (const auto& item : std::vector<GanttChartItemPtr>(stepwise->items())) {
    stepwise->applyBehavior(item);
  }
  EXPECT_EQ(stepwiseY->time(), TimeRange(on(kMonday, 10), on(kMonday, 16)));
  EXPECT_EQ(wholeY->time(), stepwiseY->time());
}

// Each task has one to three predecessors among the 20 rows above it.
std::vector<GanttChartDependencyPtr> randomNetwork(const std::vector<GanttChartItemPtr>& tasks,
                                                   uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<GanttChartDependencyPtr> links;
  for (size_t i = 1; i < tasks.size(); ++i) {
    const size_t count = 1 + random() % 3;
    for (size_t k = 0; k < count; ++k) {
      const size_t back = 1 + random() % std::min<size_t>(i, 20);
      links.push_back(finishToStart(tasks[i - back], tasks[i]));
    }
  }
  return links;
}

// Ten tasks each linked to every other never settle and are cut off; the
// network beside them must still end exactly as it ends without them.
TEST(SettlingCascade, AConflictLeavesTheRestOfTheChartToSettle) {
  constexpr int64_t kTasks = 1000;
  const auto build = [](bool withCycle) {
    std::vector<GanttChartItemPtr> tasks;
    for (int64_t i = 0; i < kTasks; ++i) tasks.push_back(task(i, 1 + i % 3));
    auto links = randomNetwork(tasks, 7);
    std::vector<GanttChartItemPtr> items = tasks;
    if (withCycle) {
      std::vector<GanttChartItemPtr> clique;
      for (int64_t i = 0; i < 10; ++i) clique.push_back(task(-1, 1));
      for (const auto& a : clique) {
        for (const auto& b : clique) {
          if (a != b) links.push_back(finishToStart(a, b));
        }
      }
      items.insert(items.begin(), clique.begin(), clique.end());
    }
    autoScheduled(items, links)->applyBehavior();
    return timesOf(tasks);
  };
  const std::vector<TimeRange> alone = build(false);
  const std::vector<TimeRange> besideACycle = build(true);
  EXPECT_EQ(besideACycle, alone);
  EXPECT_LT(day(0), alone.back().start);
}

// A chain far deeper than the cascade's level bound is a plan, not a runaway:
// moving its first task moves every other.
TEST(SettlingCascade, AChainDeeperThanTheLevelBoundFollowsInFull) {
  constexpr int64_t kTasks = 4000;
  const auto [tasks, links] = chainOf(kTasks);
  const auto source = autoScheduled(tasks, links);
  source->updateTime(tasks.front(), day(1));
  EXPECT_EQ(tasksOffTheirLinks(links), 0);
  EXPECT_EQ(tasks.back()->start(), day(kTasks));
}

// Below the default level bound, the bound a host sets is kept as it stands:
// the operation's own list is level 0, and a list reaching the bound is
// dropped, chain or not. From the default on, a chain is placed in full.
TEST(SettlingCascade, ABoundBelowTheDefaultCutsAChainAtThatLevel) {
  constexpr int64_t kTasks = 2000;
  for (const int64_t bound : {int64_t{0}, int64_t{1}, int64_t{10}, int64_t{1023}, int64_t{1024}}) {
    SCOPED_TRACE(bound);
    const auto [tasks, links] = chainOf(kTasks);
    const auto source = autoScheduled(tasks, links);
    source->setMaxBehaviorRecursivity(bound);
    source->updateTime(tasks.front(), day(1));
    int64_t moved = 0;
    for (int64_t i = 1; i < kTasks; ++i) moved += tasks[i]->start() == day(i) ? 0 : 1;
    EXPECT_EQ(moved, bound < 1024 ? bound : kTasks - 1);
  }
}

// A whole-chart application is each item's re-application in list order, so
// under a bound below the default it ends where they end: a chain listed from
// its last task up is placed one level per task only.
TEST(SettlingCascade, AWholeChartApplicationKeepsABoundBelowTheDefault) {
  constexpr int64_t kTasks = 50;
  const auto build = [](int64_t bound) {
    std::vector<GanttChartItemPtr> tasks;
    std::vector<GanttChartDependencyPtr> links;
    for (int64_t i = 0; i < kTasks; ++i) {
      tasks.push_back(task(kTasks - i, 1));
      if (i > 0) links.push_back(finishToStart(tasks[i - 1], tasks[i]));
    }
    const auto source = autoScheduled({tasks.rbegin(), tasks.rend()}, links);
    source->setMaxBehaviorRecursivity(bound);
    return std::make_pair(source, tasks);
  };
  for (const int64_t bound : {int64_t{1}, int64_t{10}}) {
    SCOPED_TRACE(bound);
    const auto [whole, wholeTasks] = build(bound);
    whole->applyBehavior();
    const auto [stepwise, stepwiseTasks] = build(bound);
    const std::vector<GanttChartItemPtr> listed = stepwise->items();
    for (const auto& item : listed) stepwise->applyBehavior(item);
    EXPECT_EQ(timesOf(wholeTasks), timesOf(stepwiseTasks));
    EXPECT_EQ(wholeTasks.back()->start(), day(static_cast<double>(bound)));
  }
}

// Below the default bound, a loop of the library's rules that settles but
// climbs to the bound more than once in one cascade (here a summary linked,
// through a task, to one of its own children) has only the lists at the
// bound dropped, as it has behind a host's type: none of its items stops
// being followed up lower down.
TEST(SettlingCascade, ALoopThatSettlesIsCutOnlyAtTheBoundBelowTheDefault) {
  const auto build = [](bool behindAHostType) {
    const auto item = [](const char* label, int64_t row, Time start, Time finish,
                         GanttChartItemType type = GanttChartItemType::standard) {
      return std::make_shared<GanttChartItem>(label, row, start, finish, 0.0, std::nullopt,
                                              std::nullopt, nullptr, true, 0, true, type);
    };
    const auto hours = [](int64_t week, int64_t dayOfWeek, double hour) {
      return Time(week, dayOfWeek, hour * 3600);
    };
    const auto summary = GanttChartItemType::summary;
    const std::vector<GanttChartItemPtr> items = {
        item("A", 6, hours(1, 2, 4), hours(1, 3, 9)),
        item("B", 5, hours(2, 4, 0), hours(2, 4, 7), summary),
        item("C", 4, hours(2, 4, 5), hours(2, 5, 13), summary),
        item("D", 3, hours(1, 2, 15), hours(1, 4, 7)),
        item("E", 2, hours(1, 3, 16), hours(1, 4, 13)),
        item("F", 1, hours(2, 0, 1), hours(2, 0, 8), summary),
        item("G", 0, hours(1, 5, 15), hours(1, 5, 17))};
    const auto& [a, b, c, d, e, f, g] =
        std::tie(items[0], items[1], items[2], items[3], items[4], items[5], items[6]);
    const auto link = [](const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                         GanttChartDependencyType type) {
      return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                    type);
    };
    using Type = GanttChartDependencyType;
    const std::vector<GanttChartDependencyPtr> links = {
        link(g, e, Type::fromStartToStart), link(f, d, Type::fromFinishToFinish),
        link(d, c, Type::fromStartToFinish), link(g, b, Type::fromFinishToFinish),
        link(b, a, Type::fromFinishToFinish)};
    GanttChartItemBehaviorPtr rules =
        GanttChartItemBehaviorSet::classic({{f, {e, c, a}}}, std::nullopt, true, std::nullopt,
                                           {{links[0], 12 * 3600.0}}, {}, std::nullopt);
    if (behindAHostType) rules = std::make_shared<HostSet>(std::vector{rules});
    // Monday to Friday, the first week's Wednesday off.
    const auto calendar = std::make_shared<Schedule>(
        WeekRange::standard(), DayRange::standard(),
        std::vector<TimeRange>{{Time(1, kWednesday, 0), Time(1, kThursday, 0)}});
    const auto source = std::make_shared<GanttChartItemSource>(items, links, calendar, rules);
    source->setMaxBehaviorRecursivity(10);
    source->applyBehavior();
    return timesOf(items);
  };
  const std::vector<TimeRange> library = build(false);
  EXPECT_EQ(library, build(true));
  EXPECT_EQ(library[3], TimeRange(Time(2, 4, 9 * 3600), Time(2, 4, 10 * 3600)));
}

// Under a small level bound, a loop of links that settles may need more
// levels than the bound allows, and the bound drops its list there as it
// would any other. That does not make the loop a conflict: later steps of the
// same whole-chart application follow its items up as usual, so the
// application ends where re-applying the rules item by item ends.
TEST(SettlingCascade, ALoopStoppedOnceBySmallLevelBoundIsStillFollowedUp) {
  const auto build = [] {
    const auto at = [](int64_t dayOfWeek, double hours, int64_t week = 1) {
      return Time(week, dayOfWeek, hours * 3600);
    };
    std::vector<GanttChartItemPtr> items = {
        makeItem("A", 0, at(1, 10), at(1, 12)), makeItem("B", 1, at(3, 13), at(3, 20)),
        makeItem("C", 2, at(5, 22), at(0, 3, 2)), makeItem("D", 3, at(1, 14), at(2, 2)),
        makeItem("E", 4, at(1, 7), at(1, 14))};
    const auto link = [&](size_t from, size_t to, GanttChartDependencyType type) {
      return std::make_shared<GanttChartDependency>(std::nullopt, items[from], items[to],
                                                    std::nullopt, 0, true, type);
    };
    using Type = GanttChartDependencyType;
    const std::vector<GanttChartDependencyPtr> links = {
        link(2, 1, Type::fromStartToStart),  link(1, 4, Type::fromFinishToStart),
        link(4, 0, Type::fromStartToFinish), link(0, 4, Type::fromStartToStart),
        link(3, 2, Type::fromFinishToStart), link(1, 4, Type::fromStartToFinish)};
    auto source = std::make_shared<GanttChartItemSource>(
        items, links, nullptr,
        std::make_shared<GanttChartItemAutoSchedulingBehavior>(
            true, std::nullopt, std::nullopt,
            std::vector<GanttChartDependencyLagDefinition>{{links[1], 16 * 3600.0}}));
    source->setMaxBehaviorRecursivity(3);
    return std::make_pair(source, items);
  };
  const auto [whole, wholeItems] = build();
  whole->applyBehavior();
  const auto [stepwise, stepwiseItems] = build();
  for (const auto& item : stepwiseItems) stepwise->applyBehavior(item);
  EXPECT_EQ(timesOf(wholeItems), timesOf(stepwiseItems));
}

}  // namespace
}  // namespace vorlent
