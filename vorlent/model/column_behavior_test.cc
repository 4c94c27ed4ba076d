#include "vorlent/model/column_behavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "vorlent/model/behavior_test_support.h"
#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/model/item_source.h"

namespace vorlent {
namespace {

using ::testing::ElementsAre;
using testing::makeItem;
using testing::makeSummary;
using testing::on;
using testing::rowsOf;

// Six items on rows 0 to 5 in a source whose only behaviour is column mode.
struct ColumnFixture {
  std::vector<GanttChartItemPtr> items;
  std::shared_ptr<GanttChartItemSource> source;

  explicit ColumnFixture(int64_t count = 6) {
    for (int64_t row = 0; row < count; ++row) {
      items.push_back(makeItem("item", row, on(kMonday, 8), on(kMonday, 16)));
    }
    source = std::make_shared<GanttChartItemSource>(
        items, std::vector<GanttChartDependencyPtr>{}, nullptr,
        std::make_shared<GanttChartItemColumnBehavior>());
  }
};

TEST(ColumnBehavior, AddingAnItemPushesItsRowAndEveryRowBelowDown) {
  ColumnFixture fixture;
  const GanttChartItemPtr added = fixture.source->addNewItem(3, on(kMonday, 8), false);
  EXPECT_EQ(added->row(), 3);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2, 4, 5, 6));
}

TEST(ColumnBehavior, RemovingAnItemPullsTheRowsBelowUpButLeavesItsRowMates) {
  ColumnFixture fixture;
  const GanttChartItemPtr rowMate = makeItem("mate", 3, on(kMonday, 8), on(kMonday, 16));
  auto items = fixture.items;
  items.push_back(rowMate);
  auto source =
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}, nullptr,
                                             std::make_shared<GanttChartItemColumnBehavior>());

  source->removeItem(fixture.items[3]);

  EXPECT_THAT(rowsOf({fixture.items[0], fixture.items[1], fixture.items[2], fixture.items[4],
                      fixture.items[5]}),
              ElementsAre(0, 1, 2, 3, 4));
  EXPECT_EQ(rowMate->row(), 3);
}

TEST(ColumnBehavior, MovingAnItemDownPullsThePassedRowsUpAndBackPushesThemDown) {
  ColumnFixture fixture;
  const GanttChartItemPtr moved = fixture.items[1];

  fixture.source->updateRow(moved, 4);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 4, 1, 2, 3, 5));

  fixture.source->updateRow(moved, 1);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2, 3, 4, 5));
}

TEST(ColumnBehavior, ReapplyingToAnUnmovedItemPushesItsRowMatesDown) {
  ColumnFixture fixture(3);
  const GanttChartItemPtr rowMate = makeItem("mate", 1, on(kMonday, 8), on(kMonday, 16));
  auto items = fixture.items;
  items.push_back(rowMate);
  auto source =
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}, nullptr,
                                             std::make_shared<GanttChartItemColumnBehavior>());

  source->applyBehaviorForRowOf(fixture.items[1]);

  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(0, 1, 2));
  EXPECT_EQ(rowMate->row(), 2);
}

TEST(ColumnBehavior, HiddenAndCollapsedItemsShiftLikeTheOthers) {
  ColumnFixture fixture(3);
  fixture.items[1]->setIsVisible(false);
  fixture.items[2]->setIsExpanded(false);
  fixture.source->addNewItem(0, on(kMonday, 8), false);
  EXPECT_THAT(rowsOf(fixture.items), ElementsAre(1, 2, 3));
}

// Rows at the ends of the integer range (a host's "not placed yet" value, a
// corrupt import): a shift that would carry an item past either end is
// refused as a whole, and every row stays as it was.
TEST(ColumnBehavior, AShiftPastTheEndOfTheRowRangeIsRefused) {
  constexpr int64_t kFirst = std::numeric_limits<int64_t>::min();
  constexpr int64_t kLast = std::numeric_limits<int64_t>::max();
  std::vector<GanttChartItemPtr> items;
  for (const int64_t row : {kFirst, kFirst, int64_t{0}, kLast, kLast}) {
    items.push_back(makeItem("item", row, on(kMonday, 8), on(kMonday, 16)));
  }
  const auto source =
      std::make_shared<GanttChartItemSource>(items, std::vector<GanttChartDependencyPtr>{}, nullptr,
                                             std::make_shared<GanttChartItemColumnBehavior>());
  const GanttChartItemPtr added = source->addNewItem(0, on(kMonday, 8), false);
  EXPECT_EQ(added->row(), 0);
  EXPECT_THAT(rowsOf(items), ElementsAre(kFirst, kFirst, 0, kLast, kLast));

  source->updateRow(items[0], 5);  // would pull the other first-row item below the range
  EXPECT_THAT(rowsOf(items), ElementsAre(5, kFirst, 0, kLast, kLast));
  source->updateRow(items[3], 1);  // would push the other last-row item past the range
  EXPECT_THAT(rowsOf(items), ElementsAre(5, kFirst, 0, 1, kLast));

  source->applyBehavior();  // the items on the last row have nowhere to go
  EXPECT_EQ(items[4]->row(), kLast);
}

TEST(ColumnBehavior, AnswersNothingWithoutOtherItemsOrForOtherCallbacks) {
  GanttChartItemColumnBehavior behavior;
  const GanttChartItemPtr item = makeItem("alone", 2, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemList items(std::vector<GanttChartItemPtr>{item});
  const GanttChartDependencyList none;
  EXPECT_TRUE(behavior.itemWasAdded(item, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.rowDidChange(item, 0, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.timeDidChange(item, item->time(), true, true, items, none, nullptr).empty());
  EXPECT_TRUE(behavior.expansionDidChange(item, items).empty());
}

// The library's column rule behind a host's own type, which the manager has to
// apply item by item like any host rule: the reference for the whole-chart pass.
class HostColumnBehavior : public GanttChartItemBehavior {
 public:
  GanttChartItemUpdateActions itemWasAdded(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override {
    return rule_.itemWasAdded(item, items, dependencies, schedule);
  }
  GanttChartItemUpdateActions itemWasRemoved(
      const GanttChartItemPtr& item, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override {
    return rule_.itemWasRemoved(item, items, dependencies, schedule);
  }
  GanttChartItemUpdateActions rowDidChange(
      const GanttChartItemPtr& item, int64_t from, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>& schedule) override {
    return rule_.rowDidChange(item, from, items, dependencies, schedule);
  }

 private:
  GanttChartItemColumnBehavior rule_;
};

// Hands the behaviours the items in the host's own order, not by row.
class UnsortedProvider : public GanttChartCollectionProvider {
 public:
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  int64_t totalRowCount() override { return 0; }
  TimeRange preferredTimeline() override { return {}; }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange&, const TimeRange&) override {
    return items;
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange&,
                                                            const TimeRange&) override {
    return dependencies;
  }
  std::optional<std::vector<GanttChartItemPtr>> availableItems() override { return items; }
  std::optional<std::vector<GanttChartDependencyPtr>> availableDependencies() override {
    return dependencies;
  }
};

class RowChanges : public GanttChartItemObserver {
 public:
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override {
    froms[item.get()].push_back(from);
  }
  std::map<const GanttChartItem*, std::vector<int64_t>> froms;
};

// What a random chart may hold besides groups on shared rows and summaries
// collapsed by the manager: summaries a host loaded collapsed whose tasks are
// still visible on their own rows, summaries inside summaries, and items the
// list names twice.
struct ChartShape {
  bool loadedCollapsed = false;
  bool nested = false;
  bool repeats = false;
};

// A random chart of a few rows, items sharing them: groups of a summary and
// its tasks, a few links, some summaries collapsed (their hidden tasks then
// share the summary's row). The same seed builds the same chart; `hostColumn`
// puts the column rule in a host type. With `unsorted`, a plain manager over a
// host provider that lists the items out of row order.
struct RandomColumnChart {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartItemPtr> summaries;
  std::shared_ptr<UnsortedProvider> provider;
  std::shared_ptr<GanttChartItemManager> manager;

  RandomColumnChart(unsigned seed, bool hostColumn, bool unsorted, int64_t moreGroups = 0,
                    ChartShape shape = {}) {
    std::mt19937 random(seed);
    const auto pick = [&](int64_t count) {
      return std::uniform_int_distribution<int64_t>(0, count - 1)(random);
    };
    std::vector<GanttChartItemHierarchicalRelation> relations;
    std::vector<GanttChartDependencyPtr> links;
    const int64_t groups = 2 + pick(6) + moreGroups;
    for (int64_t g = 0; g < groups; ++g) {
      const GanttChartItemPtr summary =
          makeSummary("summary", pick(6), on(kMonday, 8), on(kMonday, 16));
      std::vector<GanttChartItemPtr> tasks;
      for (int64_t k = pick(4); k >= 0; --k) {
        const Time start = on(kMonday + pick(3), 8 + static_cast<double>(pick(4)));
        tasks.push_back(makeItem("task", pick(6), start, start.addingHours(static_cast<double>(1 + pick(4)))));
        if (pick(3) == 0 && !items.empty()) {
          const GanttChartItemPtr& from =
              items[static_cast<size_t>(pick(static_cast<int64_t>(items.size())))];
          // Nested, a summary could be linked to its own descendant: a
          // conflict, which the change budget cuts short at different points
          // in the two passes.
          if (!shape.nested || from->type() != GanttChartItemType::summary) {
            links.push_back(std::make_shared<GanttChartDependency>(
                std::nullopt, from, tasks.back(), std::nullopt, 0, true,
                GanttChartDependencyType::fromFinishToStart));
          }
        }
      }
      if (shape.nested && g > 0 && pick(2) == 0) {
        relations[static_cast<size_t>(pick(g))].children.push_back(summary);
      }
      items.push_back(summary);
      items.insert(items.end(), tasks.begin(), tasks.end());
      relations.emplace_back(summary, std::move(tasks));
      summaries.push_back(summary);
    }
    auto behavior = GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt,
                                                       std::nullopt, {}, {}, std::nullopt);
    if (hostColumn) {
      auto members = behavior->behaviors();
      members.front() = std::make_shared<HostColumnBehavior>();
      behavior->setBehaviors(members);
    }
    std::shuffle(items.begin(), items.end(), random);
    for (int64_t k = shape.repeats ? pick(4) : 0; k > 0; --k) {
      const GanttChartItemPtr again = items[static_cast<size_t>(pick(static_cast<int64_t>(items.size())))];
      items.insert(items.begin() + pick(static_cast<int64_t>(items.size()) + 1), again);
    }
    if (unsorted) {
      provider = std::make_shared<UnsortedProvider>();
      provider->items = items;
      provider->dependencies = links;
      manager = std::make_shared<GanttChartItemManager>(provider, nullptr, behavior);
    } else {
      manager = std::make_shared<GanttChartItemSource>(items, links, nullptr, behavior);
    }
    for (const auto& relation : relations) {
      const int64_t fold = pick(3);
      if (fold == 0) manager->collapse(relation.parent);
      if (fold == 1 && shape.loadedCollapsed) relation.parent->setIsExpanded(false);
    }
  }
};

// Applies the behaviours to `chart` (whole-chart pass) and to `reference` (the
// same chart with a host's column rule, applied item by item) and expects the
// same rows, visibilities and times, each moved item told once with its row
// from before.
void expectWholeChartPassAsItemByItem(RandomColumnChart& chart, RandomColumnChart& reference) {
  const std::vector<int64_t> before = rowsOf(chart.items);
  const auto changes = std::make_shared<RowChanges>();
  chart.manager->setItemObserver(changes);

  chart.manager->applyBehavior();
  reference.manager->applyBehavior();

  ASSERT_EQ(rowsOf(chart.items), rowsOf(reference.items));
  for (size_t i = 0; i < chart.items.size(); ++i) {
    const GanttChartItemPtr& item = chart.items[i];
    EXPECT_EQ(item->time(), reference.items[i]->time());
    EXPECT_EQ(item->isVisible(), reference.items[i]->isVisible());
    const auto found = changes->froms.find(item.get());
    if (item->row() == before[i]) {
      EXPECT_EQ(found, changes->froms.end());
    } else {
      ASSERT_NE(found, changes->froms.end());
      EXPECT_EQ(found->second, std::vector<int64_t>{before[i]});
    }
  }
  chart.manager->setItemObserver({});
}

TEST(ColumnBehavior, WholeChartPassGivesTheItemByItemRowsAndReportsEachChangedItemOnce) {
  for (const bool unsorted : {false, true}) {
    // The last chart has a few hundred items on six rows, so that the items
    // pushed along make many times more row changes than items.
    for (unsigned seed = 0; seed <= 40; ++seed) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << (unsorted ? " unsorted" : ""));
      const int64_t moreGroups = seed == 40 ? 80 : 0;
      RandomColumnChart chart(seed, false, unsorted, moreGroups);
      RandomColumnChart reference(seed, true, unsorted, moreGroups);
      expectWholeChartPassAsItemByItem(chart, reference);
    }
  }
}

// Summaries loaded collapsed fold their visible tasks in the middle of the
// pass, and the items pushed along before and after that fold differently.
TEST(ColumnBehavior, WholeChartPassFoldsCollapsedSummariesAsTheItemByItemPassDoes) {
  const ChartShape shape{.loadedCollapsed = true, .nested = true, .repeats = true};
  for (const bool unsorted : {false, true}) {
    for (unsigned seed = 0; seed < 1000; ++seed) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << (unsorted ? " unsorted" : ""));
      RandomColumnChart chart(seed, false, unsorted, 0, shape);
      RandomColumnChart reference(seed, true, unsorted, 0, shape);
      expectWholeChartPassAsItemByItem(chart, reference);
      if (::testing::Test::HasFatalFailure()) return;
      // The records the collapses kept bring back the same rows.
      for (size_t i = 0; i < chart.summaries.size(); ++i) {
        chart.manager->expand(chart.summaries[i]);
        reference.manager->expand(reference.summaries[i]);
      }
      ASSERT_EQ(rowsOf(chart.items), rowsOf(reference.items));
      ASSERT_EQ(testing::visibilityOf(chart.items), testing::visibilityOf(reference.items));
    }
  }
}


// A host's hierarchy that reloads the first time it is asked about a
// summary's children: it hands the source a new hierarchy of the same
// relations, and the source lets go of this one.
class ReloadingHierarchy : public GanttChartItemHierarchy {
 public:
  using GanttChartItemHierarchy::GanttChartItemHierarchy;
  mutable std::weak_ptr<GanttChartItemSource> source;

  std::vector<GanttChartItemPtr> children(const GanttChartItemPtr& item) const override {
    std::vector<GanttChartItemPtr> answer = GanttChartItemHierarchy::children(item);
    if (answer.empty()) return answer;
    if (const auto reloading = std::exchange(source, {}).lock()) {
      reloading->setHierarchy(std::make_shared<GanttChartItemHierarchy>(relations()));
    }
    return answer;  // this hierarchy may be gone by now
  }
};

TEST(ColumnBehavior, WholeChartPassSurvivesAHierarchyReloadedWhileItIsAsked) {
  const GanttChartItemPtr summary = makeSummary("summary", 0, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemPtr task = makeItem("task", 1, on(kMonday, 8), on(kMonday, 16));
  const GanttChartItemPtr other = makeItem("other", 2, on(kMonday, 8), on(kMonday, 16));
  summary->setIsExpanded(false);
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{summary, task, other});
  source->setIsColumn(true);
  auto hierarchy = std::make_shared<ReloadingHierarchy>(
      std::vector<GanttChartItemHierarchicalRelation>{{summary, {task}}});
  hierarchy->source = source;
  source->setHierarchy(std::move(hierarchy));

  source->applyBehavior();

  // The collapse folds the task onto the summary's row and closes row 1;
  // the later row steps of the task and the other item then push the
  // summary down twice.
  EXPECT_FALSE(task->isVisible());
  EXPECT_EQ(rowsOf({summary, task, other}), (std::vector<int64_t>{2, 0, 1}));
}

}  // namespace
}  // namespace vorlent
