#include "vorlent/model/auto_scheduling_behavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::on;
using testing::span;

constexpr double kHour = 3600;

std::shared_ptr<GanttChartItemSource> sourceWith(
    const std::vector<GanttChartItemPtr>& items,
    const std::vector<GanttChartDependencyPtr>& dependencies,
    std::shared_ptr<GanttChartItemBehavior> behavior) {
  return std::make_shared<GanttChartItemSource>(items, dependencies, ScheduleDefinition::standard(),
                                                behavior);
}

GanttChartDependencyPtr link(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                             GanttChartDependencyType type) {
  return std::make_shared<GanttChartDependency>(std::nullopt, from, to, std::nullopt, 0, true,
                                                type);
}

// Each link type with a lag, on the standard calendar (8:00-16:00 on
// weekdays): the predecessor runs Monday 8:00 to Tuesday 16:00, the successor
// is four working hours long and starts out far away.
struct LinkCase {
  const char* name;
  GanttChartDependencyType type;
  double lag;
  TimeRange expected;
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

class AutoSchedulingLinkTypes : public ::testing::TestWithParam<LinkCase> {};

TEST_P(AutoSchedulingLinkTypes, PlaceTheSuccessorsLinkedEndByTheLagInWorkingTime) {
  const LinkCase& c = GetParam();
  const auto predecessor = makeItem("A", 0, on(kMonday, 8), on(kTuesday, 16));
  const auto successor = makeItem("B", 1, on(kFriday, 8), on(kFriday, 12));
  const auto dependency = link(predecessor, successor, c.type);
  const auto source =
      sourceWith({predecessor, successor}, {dependency},
                 std::make_shared<GanttChartItemAutoSchedulingBehavior>(
                     false, std::nullopt, true,
                     std::vector<GanttChartDependencyLagDefinition>{{dependency, c.lag}}));

  source->applyBehaviorForTimeOf(predecessor);

  EXPECT_EQ(successor->time(), c.expected) << c.name;
  EXPECT_EQ(predecessor->time(), span(on(kMonday, 8), on(kTuesday, 16)));
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, AutoSchedulingLinkTypes,
    ::testing::Values(
        // Tuesday 16:00 is Wednesday 8:00 in working time.
        LinkCase{"finishToStart", GanttChartDependencyType::fromFinishToStart, 0,
                 span(on(kWednesday, 8), on(kWednesday, 12))},
        LinkCase{"finishToStartWith24HoursOfLagIsThreeWorkingDays",
                 GanttChartDependencyType::fromFinishToStart, 24 * kHour,
                 span(on(kMonday, 8, 2), on(kMonday, 12, 2))},
        LinkCase{"finishToStartWithNegativeLagOverlaps",
                 GanttChartDependencyType::fromFinishToStart, -4 * kHour,
                 span(on(kTuesday, 12), on(kTuesday, 16))},
        LinkCase{"startToStart", GanttChartDependencyType::fromStartToStart, 2 * kHour,
                 span(on(kMonday, 10), on(kMonday, 14))},
        LinkCase{"finishToFinish", GanttChartDependencyType::fromFinishToFinish, 0,
                 span(on(kTuesday, 12), on(kTuesday, 16))},
        LinkCase{"finishToFinishWithNegativeLag", GanttChartDependencyType::fromFinishToFinish,
                 -8 * kHour, span(on(kMonday, 12), on(kMonday, 16))},
        LinkCase{"startToFinish", GanttChartDependencyType::fromStartToFinish, 8 * kHour,
                 span(on(kMonday, 12), on(kMonday, 16))}),
    [](const auto& c) { return c.param.name; });

// A successor Y of X1 and X2 (both finish to start): X1 ends Monday 16:00, X2
// Tuesday 16:00, and Y starts out on Friday.
struct TwoPredecessors {
  GanttChartItemPtr x1 = makeItem("X1", 0, on(kMonday, 8), on(kMonday, 16));
  GanttChartItemPtr x2 = makeItem("X2", 1, on(kMonday, 8), on(kTuesday, 16));
  GanttChartItemPtr y = makeItem("Y", 2, on(kFriday, 8), on(kFriday, 16));
  std::shared_ptr<GanttChartItemSource> source;

  explicit TwoPredecessors(std::optional<bool> aggregatingSources) {
    source = sourceWith(
        {x1, x2, y},
        {link(x1, y, GanttChartDependencyType::fromFinishToStart),
         link(x2, y, GanttChartDependencyType::fromFinishToStart)},
        std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, aggregatingSources, true));
  }
};

TEST(AutoSchedulingAggregatingSources, FalsePlacesByTheChangedLinkAloneEvenEarlier) {
  TwoPredecessors f(false);
  f.source->applyBehaviorForTimeOf(f.x1);
  EXPECT_EQ(f.y->time(), span(on(kTuesday, 8), on(kTuesday, 16)))
      << "placed after X1 although X2 finishes later";
}

TEST(AutoSchedulingAggregatingSources, TrueOnlyEverPushesLater) {
  TwoPredecessors f(true);
  f.source->applyBehaviorForTimeOf(f.x1);
  EXPECT_EQ(f.y->time(), span(on(kFriday, 8), on(kFriday, 16)));

  f.source->updateTime(f.x2, on(kFriday, 8));  // now ends Monday 16:00 of week 2
  EXPECT_EQ(f.y->time(), span(on(kTuesday, 8, 2), on(kTuesday, 16, 2)));
}

TEST(AutoSchedulingAggregatingSources, NoneSettlesOnTheLatestPredecessorEarlierOrLater) {
  TwoPredecessors f(std::nullopt);
  f.source->applyBehaviorForTimeOf(f.x1);
  EXPECT_EQ(f.y->time(), span(on(kWednesday, 8), on(kWednesday, 16)))
      << "moved earlier, but not before X2's finish";
}

TEST(AutoScheduling, WithoutPreservedDurationsOnlyTheLinkedEndMoves) {
  const auto a = makeItem("A", 0, on(kMonday, 8), on(kWednesday, 12));
  const auto b = makeItem("B", 1, on(kWednesday, 9), on(kThursday, 16));
  const auto source = sourceWith(
      {a, b}, {link(a, b, GanttChartDependencyType::fromFinishToStart)},
      std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, std::nullopt, false));
  source->applyBehaviorForTimeOf(a);
  EXPECT_EQ(b->time(), span(on(kWednesday, 12), on(kThursday, 16)));
}

// A milestone is a moment: linked by its finish without a lag it meets its
// predecessor's end, on the same side of the night or weekend; a Monday 8:00
// start does not put it on the Friday before, nor a 16:00 finish on the next
// morning. Linked by its start it takes the next working moment, as a bar's
// start would.
TEST(AutoScheduling, AMilestoneLinkedByItsFinishMeetsThePredecessorsEnd) {
  const auto a = makeItem("A", 0, on(kMonday, 8, 2), on(kMonday, 16, 2));
  std::vector<GanttChartItemPtr> items{a};
  std::vector<GanttChartDependencyPtr> links;
  for (const auto type : allGanttChartDependencyTypes()) {
    items.push_back(makeItem("M", 1, on(kWednesday, 12), on(kWednesday, 12), 0,
                             GanttChartItemType::milestone));
    links.push_back(link(a, items.back(), type));
  }
  const auto source = sourceWith(
      items, links,
      std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, false, true, nullptr));
  source->applyBehaviorForTimeOf(a);
  const std::vector<Time> expected{on(kTuesday, 8, 2), on(kMonday, 8, 2), on(kMonday, 16, 2),
                                   on(kMonday, 8, 2)};
  for (size_t i = 0; i < links.size(); ++i) {
    EXPECT_EQ(items[i + 1]->time(), span(expected[i], expected[i])) << links[i]->type();
  }
}

TEST(AutoScheduling, AnExcludedDependencyIsIgnoredEverywhere) {
  TwoPredecessors f(std::nullopt);
  const auto& dependencies = f.source->dependencies();
  auto lags = std::make_shared<GanttChartDependencyLagSet>(
      std::vector<GanttChartDependencyLagDefinition>{{dependencies[1], 0, true}});
  f.source->setBehavior(
      std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, std::nullopt, true, lags));

  f.source->applyBehaviorForTimeOf(f.x1);
  EXPECT_EQ(f.y->time(), span(on(kTuesday, 8), on(kTuesday, 16)))
      << "X2's excluded link no longer holds Y back";
  f.source->updateTime(f.x2, on(kFriday, 8));
  EXPECT_EQ(f.y->time(), span(on(kTuesday, 8), on(kTuesday, 16)));
}

TEST(AutoScheduling, ApplyingToUpdatingItemsPushesAMovedItemBehindItsPredecessors) {
  for (const bool applying : {false, true}) {
    const auto x = makeItem("X", 0, on(kMonday, 8), on(kMonday, 16));
    const auto y = makeItem("Y", 1, on(kTuesday, 8), on(kTuesday, 16));
    const auto source =
        sourceWith({x, y}, {link(x, y, GanttChartDependencyType::fromFinishToStart)},
                   std::make_shared<GanttChartItemAutoSchedulingBehavior>(applying));
    source->updateTime(y, on(kMonday, 8));
    EXPECT_EQ(y->time(), applying ? span(on(kTuesday, 8), on(kTuesday, 16))
                                  : span(on(kMonday, 8), on(kMonday, 16)))
        << "applying " << applying;
  }
}

TEST(AutoScheduling, AddingADependencySchedulesItsTarget) {
  const auto x = makeItem("X", 0, on(kMonday, 8), on(kTuesday, 16));
  const auto y = makeItem("Y", 1, on(kMonday, 8), on(kMonday, 16));
  const auto source = sourceWith(
      {x, y}, {}, std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, true, true));
  source->addNewDependency(x, y, GanttChartDependencyType::fromFinishToStart);
  EXPECT_EQ(y->time(), span(on(kWednesday, 8), on(kWednesday, 16)));

  // A dependency the target already satisfies changes nothing when only
  // pushing.
  const auto z = makeItem("Z", 2, on(kFriday, 8), on(kFriday, 16));
  const auto later = sourceWith(
      {x, z}, {}, std::make_shared<GanttChartItemAutoSchedulingBehavior>(false, true, true));
  later->addNewDependency(x, z, GanttChartDependencyType::fromFinishToStart);
  EXPECT_EQ(z->time(), span(on(kFriday, 8), on(kFriday, 16)));
}

TEST(AutoScheduling, ChangesTravelAlongTheChainOneLinkPerLevel) {
  std::vector<GanttChartItemPtr> chain;
  std::vector<GanttChartDependencyPtr> links;
  for (int i = 0; i < 5; ++i) {
    chain.push_back(makeItem("T", i, on(kMonday, 8), on(kMonday, 16)));
    if (i > 0) {
      links.push_back(link(chain[static_cast<size_t>(i) - 1], chain.back(),
                           GanttChartDependencyType::fromFinishToStart));
    }
  }
  const auto source =
      sourceWith(chain, links, std::make_shared<GanttChartItemAutoSchedulingBehavior>());
  source->updateTime(chain.front(), on(kMonday, 8));
  EXPECT_EQ(chain[4]->time(), span(on(kFriday, 8), on(kFriday, 16)));
}

TEST(AutoScheduling, ACycleKeepsPushingUntilTheCascadeBoundStopsIt) {
  const auto a = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  const auto b = makeItem("B", 1, on(kTuesday, 8), on(kTuesday, 16));
  const auto source = sourceWith({a, b},
                                 {link(a, b, GanttChartDependencyType::fromFinishToStart),
                                  link(b, a, GanttChartDependencyType::fromFinishToStart)},
                                 std::make_shared<GanttChartItemAutoSchedulingBehavior>());
  source->setMaxBehaviorRecursivity(10);

  source->updateTime(a, on(kTuesday, 8));

  // Ten follow-ups, alternating B and A, each one working day later.
  EXPECT_EQ(b->time(), span(on(kMonday, 8, 3), on(kMonday, 16, 3)));
  EXPECT_EQ(a->time(), span(on(kTuesday, 8, 3), on(kTuesday, 16, 3)));
}

// The item itself and its successors are both passed on in both directions,
// so the hierarchy above and the chain beyond them follow.
TEST(AutoScheduling, EveryActionCarriesBothCascadeFlags) {
  const auto w = makeItem("W", 0, on(kMonday, 8), on(kTuesday, 16));
  const auto x = makeItem("X", 1, on(kMonday, 8), on(kMonday, 16));
  const auto y = makeItem("Y", 2, on(kMonday, 8), on(kMonday, 16));
  const GanttChartDependencyList dependencies(std::vector<GanttChartDependencyPtr>{
      link(w, x, GanttChartDependencyType::fromFinishToStart),
      link(x, y, GanttChartDependencyType::fromFinishToStart)});
  GanttChartItemAutoSchedulingBehavior behavior(true);
  using Flags = std::tuple<GanttChartItemPtr, bool, bool>;
  EXPECT_THAT(testing::cascadeFlagsOf(behavior.timeDidChange(
                  x, x->time(), false, false, GanttChartItemList(std::vector{w, x, y}),
                  dependencies, ScheduleDefinition::standard())),
              ::testing::ElementsAre(Flags{x, true, true}, Flags{y, true, true}));
}

TEST(AutoScheduling, ALagProviderAskingTheBehaviourAgainDoesNotDisturbTheWalk) {
  const auto x = makeItem("X", 0, on(kMonday, 8), on(kMonday, 16));
  const auto y = makeItem("Y", 1, on(kMonday, 8), on(kMonday, 16));
  const auto z = makeItem("Z", 2, on(kMonday, 8), on(kMonday, 16));
  const GanttChartDependencyList links(
      std::vector{link(x, y, GanttChartDependencyType::fromFinishToStart),
                  link(x, z, GanttChartDependencyType::fromFinishToStart)});
  const GanttChartDependencyList otherLinks(
      std::vector{link(y, z, GanttChartDependencyType::fromFinishToStart)});
  GanttChartItemAutoSchedulingBehavior* self = nullptr;
  bool reentered = false;
  const auto behavior = std::make_shared<GanttChartItemAutoSchedulingBehavior>(
      false, std::nullopt, true,
      std::make_shared<GanttChartDependencyLagSource>(
          [&](const GanttChartDependencyPtr&) -> std::optional<double> {
            if (!reentered) {
              reentered = true;  // a different list makes the behaviour re-index
              self->timeDidChange(y, y->time(), true, true, GanttChartItemList(), otherLinks,
                                  ScheduleDefinition::standard());
            }
            return std::nullopt;
          },
          nullptr));
  self = behavior.get();
  using Flags = std::tuple<GanttChartItemPtr, bool, bool>;
  EXPECT_THAT(
      testing::cascadeFlagsOf(behavior->timeDidChange(
          x, x->time(), true, true, GanttChartItemList(), links, ScheduleDefinition::standard())),
      ::testing::ElementsAre(Flags{y, true, true}, Flags{z, true, true}));
}

// A lag provider may hand the successor another calendar while the
// behaviour is placing it by its old one; that calendar must last until the
// placing is done, even when the item was its only owner.
TEST(AutoScheduling, ALagProviderReplacingTheSuccessorsCalendarLeavesNothingDangling) {
  const auto x = makeItem("X", 0, on(kMonday, 8), on(kMonday, 16));
  const auto y = makeItem("Y", 1, on(kFriday, 8), on(kFriday, 12));
  y->setSchedule(std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard()));
  const GanttChartDependencyList links(
      std::vector{link(x, y, GanttChartDependencyType::fromFinishToStart)});
  const auto behavior = std::make_shared<GanttChartItemAutoSchedulingBehavior>(
      false, std::nullopt, true,
      std::make_shared<GanttChartDependencyLagSource>(
          [&](const GanttChartDependencyPtr&) -> std::optional<double> {
            y->setSchedule(nullptr);
            return std::nullopt;
          },
          nullptr));
  const auto actions = behavior->timeDidChange(x, x->time(), true, true, GanttChartItemList(),
                                               links, ScheduleDefinition::standard());
  ASSERT_EQ(actions.size(), 1u);
  const auto& placed = std::get<GanttChartItemUpdateAction::UpdateTime>(actions[0].variant());
  EXPECT_EQ(placed.value, span(on(kTuesday, 8), on(kTuesday, 12)));
}

// Hosts may add, remove and relink dependencies from inside a cascade (a
// rule of their own running before auto-scheduling, an item observer), while
// auto-scheduling walks the links of the source's index. Nothing may be read
// after it was freed, and the source's answers must still match its arrays.
TEST(AutoScheduling, LinksEditedFromInsideACascadeLeaveTheIndexSound) {
  std::mt19937 random(5);
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  std::vector<GanttChartItemPtr> items;
  for (int i = 0; i < 30; ++i) {
    const Time start = on(kMonday, 0).addingHours(static_cast<double>(pick(100)));
    items.push_back(makeItem("i", i, start, start.addingHours(static_cast<double>(1 + pick(8)))));
  }
  std::vector<GanttChartDependencyPtr> links;
  for (int i = 0; i < 60; ++i) {
    links.push_back(link(items[pick(30)], items[pick(30)],
                         GanttChartDependencyType::fromFinishToStart));
  }
  const auto source = std::make_shared<GanttChartItemSource>(items, links);
  source->setMaxBehaviorRecursivity(12);

  int depth = 0;
  const auto editLinks = [&] {
    if (depth > 1 || pick(3) != 0) return;
    ++depth;
    const auto& current = source->dependencies();
    switch (pick(4)) {
      case 0:
        source->addNewDependency(items[pick(30)], items[pick(30)],
                                 GanttChartDependencyType::fromStartToStart);
        break;
      case 1:
        if (!current.empty()) source->removeDependency(current[pick(current.size())]);
        break;
      case 2:
        if (!current.empty()) current[pick(current.size())]->setTo(items[pick(30)]);
        break;
      default:
        if (!current.empty()) current[pick(current.size())]->setFrom(items[pick(30)]);
        break;
    }
    --depth;
  };
  class EditingBehavior : public GanttChartItemBehavior {
   public:
    std::function<void()> edit;
    GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr&, const TimeRange&, bool,
                                              bool, const GanttChartItemList&,
                                              const GanttChartDependencyList&,
                                              const std::shared_ptr<ScheduleDefinition>&) override {
      edit();
      return {};
    }
  };
  class EditingObserver : public GanttChartItemObserver {
   public:
    std::function<void()> edit;
    void timeDidChange(const GanttChartItemPtr&, const TimeRange&) override { edit(); }
  };
  const auto rule = std::make_shared<EditingBehavior>();
  rule->edit = editLinks;
  const auto observer = std::make_shared<EditingObserver>();
  observer->edit = editLinks;
  source->setBehavior(rule);
  source->setIsAutoScheduling(true);
  source->setItemObserver(observer);
  source->setRange(RowRange(0, 29));

  for (int round = 0; round < 300; ++round) {
    source->updateTime(items[pick(30)], on(kMonday, 0).addingHours(static_cast<double>(pick(100))));
    const TimeRange everything = source->preferredTimeline();
    source->setTimeline(everything);
    std::vector<GanttChartDependencyPtr> expected;
    const auto held = [&](const GanttChartItemPtr& i) {
      return std::find(source->items().begin(), source->items().end(), i) !=
             source->items().end();
    };
    for (const auto& d : source->dependencies()) {
      if (held(d->from()) && held(d->to())) expected.push_back(d);
    }
    ASSERT_EQ(source->sourceFilteredDependencies(), expected) << "round " << round;
    ASSERT_EQ(source->availableDependencies().elements(), source->dependencies());
  }
}

TEST(AutoScheduling, AnItemWithoutLinksAnswersNothing) {
  GanttChartItemAutoSchedulingBehavior behavior;
  const auto alone = makeItem("alone", 0, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemList items(std::vector<GanttChartItemPtr>{alone});
  const GanttChartDependencyList none;
  EXPECT_TRUE(behavior.itemWasAdded(alone, items, none, ScheduleDefinition::standard()).empty());
  EXPECT_TRUE(behavior
                  .timeDidChange(alone, alone->time(), true, true, items, none,
                                 ScheduleDefinition::standard())
                  .empty());
}

TEST(AutoScheduling, ConstructorDefaults) {
  const GanttChartItemAutoSchedulingBehavior defaults;
  EXPECT_FALSE(defaults.applyingToUpdatingItems());
  EXPECT_TRUE(defaults.preservingDurations());
  EXPECT_EQ(defaults.aggregatingSources(), std::nullopt);
  EXPECT_EQ(defaults.lagProvider(), nullptr);
  const GanttChartItemAutoSchedulingBehavior overLags(
      std::nullopt, false, std::nullopt, std::vector<GanttChartDependencyLagDefinition>{});
  EXPECT_EQ(overLags.aggregatingSources(), false);
  EXPECT_NE(std::dynamic_pointer_cast<GanttChartDependencyLagSet>(overLags.lagProvider()), nullptr);
}

}  // namespace
}  // namespace vorlent
