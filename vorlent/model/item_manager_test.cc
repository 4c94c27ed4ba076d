// Queries, caches, filters and collaborators of GanttChartItemManager over a
// host's collection provider.

#include "vorlent/model/item_manager.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "vorlent/base/clock.h"
#include "vorlent/model/model_recorder_testing.h"

namespace vorlent {
namespace {

using testing::CallLog;
using testing::RecordingObserver;

constexpr double kHour = 3600;
// Wednesday 1:00 of week 0 (the clock runs in GMT unless a test sets a zone).
const Date kNow(2 * 86400 + kHour);

// A provider over a vector that counts how often it is asked.
class CountingProvider : public GanttChartCollectionProvider {
 public:
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> dependencies;
  std::optional<std::vector<GanttChartItemPtr>> available;
  int filteredItemCalls = 0;
  int filteredDependencyCalls = 0;
  int rowCountCalls = 0;

  int64_t totalRowCount() override {
    ++rowCountCalls;
    return static_cast<int64_t>(items.size());
  }
  TimeRange preferredTimeline() override { return TimeRange(Time(0, 1, 0), Time(0, 5, 0)); }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange& range, const TimeRange&) override {
    ++filteredItemCalls;
    std::vector<GanttChartItemPtr> result;
    for (const auto& item : items) {
      if (range.contains(item->row())) result.push_back(item);
    }
    return result;
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange&,
                                                            const TimeRange&) override {
    ++filteredDependencyCalls;
    return dependencies;
  }
  int availableCalls = 0;
  std::optional<std::vector<GanttChartItemPtr>> availableItems() override {
    ++availableCalls;
    return available;
  }
};

struct ManagerFixture : ::testing::Test {
  ScopedClock clock{kNow};
  std::shared_ptr<CountingProvider> provider = std::make_shared<CountingProvider>();
  std::shared_ptr<GanttChartItemManager> manager =
      std::make_shared<GanttChartItemManager>(provider, nullptr, nullptr);
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  std::shared_ptr<RecordingObserver> observer = std::make_shared<RecordingObserver>(log);

  void SetUp() override {
    for (int row = 0; row < 4; ++row) {
      provider->items.push_back(std::make_shared<GanttChartItem>(
          std::string(1, static_cast<char>('A' + row)), row, Time(0, 1, 0), Time(0, 2, 0), 0.0));
    }
    manager->setCollectionObserver(observer);
  }
};

TEST(GanttChartItemManagerWithoutProvider, AnswersNothingAndTheCurrentWeek) {
  ScopedClock clock(kNow);
  const auto manager = std::make_shared<GanttChartItemManager>(
      std::weak_ptr<GanttChartCollectionProvider>(), nullptr, nullptr);
  EXPECT_EQ(manager->totalRowCount(), 0);
  EXPECT_TRUE(manager->filteredItems().empty());
  EXPECT_TRUE(manager->filteredDependencies().empty());
  EXPECT_TRUE(manager->availableItems().empty());
  EXPECT_TRUE(manager->availableDependencies().empty());
  EXPECT_EQ(manager->preferredTimeline(), TimeRange(Time(0, 0, 0), Time(1, 0, 0)));
  EXPECT_EQ(manager->timeline(), TimeRange(Time(0, 0, 0), Time(1, 0, 0)));
  EXPECT_EQ(manager->range(), RowRange(0, 0));
  EXPECT_EQ(manager->schedule(), ScheduleDefinition::continuous());
}

TEST_F(ManagerFixture, ReleasedProviderCountsAsNone) {
  EXPECT_EQ(manager->totalRowCount(), 4);
  provider.reset();
  manager->clearCache();
  EXPECT_EQ(manager->totalRowCount(), 0);
}

TEST_F(ManagerFixture, CachedReadsAskTheProviderOncePerDistinctFilter) {
  manager->setRange(RowRange(0, 1));
  EXPECT_EQ(manager->filteredItems().size(), 2u);
  EXPECT_EQ(manager->filteredItems().size(), 2u);
  manager->setRange(RowRange(2, 3));
  EXPECT_EQ(manager->filteredItems().size(), 2u);
  manager->setRange(RowRange(0, 1));
  EXPECT_EQ(manager->filteredItems().size(), 2u);
  EXPECT_EQ(provider->filteredItemCalls, 2);

  (void)manager->totalRowCount();
  (void)manager->totalRowCount();
  EXPECT_EQ(provider->rowCountCalls, 1);

  manager->clearCache();
  (void)manager->filteredItems();
  (void)manager->totalRowCount();
  EXPECT_EQ(provider->filteredItemCalls, 3);
  EXPECT_EQ(provider->rowCountCalls, 2);
}

TEST_F(ManagerFixture, DayEndAndNextDayStartMakeOneCacheKey) {
  manager->setTimeline(TimeRange(Time(0, 1, 0), Time(0, 3, 0)));
  (void)manager->filteredItems();
  log->clear();
  manager->setTimeline(TimeRange(Time(0, 0, 24 * kHour), Time(0, 2, 24 * kHour)));
  EXPECT_TRUE(log->empty()) << "an equal timeline notifies nothing";
  // Stored as given, read from the cache all the same.
  EXPECT_EQ(manager->timeline().start.timeOfDay, 0);
  (void)manager->filteredItems();
  EXPECT_EQ(provider->filteredItemCalls, 1);
}

TEST_F(ManagerFixture, FilterCacheKeepsOnlyTheMostRecentlyUsedFilters) {
  constexpr int kCapacity = static_cast<int>(detail::FilterCache<GanttChartItem>::kCapacity);
  for (int first = 0; first <= kCapacity; ++first) {
    manager->setRange(RowRange(first, first + 100));
    (void)manager->filteredItems();
  }
  EXPECT_EQ(provider->filteredItemCalls, kCapacity + 1);
  // The most recent filters are still cached...
  for (int first = kCapacity; first >= 1; --first) {
    manager->setRange(RowRange(first, first + 100));
    (void)manager->filteredItems();
  }
  EXPECT_EQ(provider->filteredItemCalls, kCapacity + 1);
  // ...while the oldest was dropped and is asked again.
  manager->setRange(RowRange(0, 100));
  (void)manager->filteredItems();
  EXPECT_EQ(provider->filteredItemCalls, kCapacity + 2);
}

TEST_F(ManagerFixture, FilterSettersNotifyOnlyRealChanges) {
  manager->setRange(RowRange(0, 0));
  EXPECT_TRUE(log->empty());
  manager->setRange(RowRange(0, 1));
  EXPECT_EQ(*log, (CallLog{"collection.I", "collection.D"}));
  log->clear();
  manager->setTimeline(TimeRange(Time(5, 0, 0), Time(6, 0, 0)));
  EXPECT_EQ(*log, (CallLog{"collection.I", "collection.D"}));
}

TEST_F(ManagerFixture, AvailableItemsFallBackOnTheFilteredOnlyWhenTheProviderHasNone) {
  manager->setRange(RowRange(1, 1));
  provider->available = std::nullopt;
  ASSERT_EQ(manager->availableItems().size(), 1u);
  EXPECT_EQ(manager->availableItems()[0], provider->items[1]);
  provider->available = std::vector<GanttChartItemPtr>{};
  EXPECT_TRUE(manager->availableItems().empty());
  provider->available = provider->items;
  EXPECT_EQ(manager->availableItems().size(), 4u);
}

TEST_F(ManagerFixture, TheProvidersAvailableItemsAreAskedOnlyWhenRead) {
  provider->available = provider->items;
  const GanttChartItemList list = manager->availableItems();
  EXPECT_EQ(provider->availableCalls, 0);
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(provider->availableCalls, 1);
}

TEST_F(ManagerFixture, HandedOutListsSurviveAReentrantClear) {
  manager->setRange(RowRange(0, 3));
  const GanttChartItemList before = manager->filteredItems();
  observer->onCall = [&](const std::string& call) {
    if (call == "collection.C") manager->clearCache();
  };
  manager->collectionDidChange();
  provider->items.clear();
  ASSERT_EQ(before.size(), 4u);
  EXPECT_EQ(testing::nameOf(before[3]), "D");
  EXPECT_TRUE(manager->filteredItems().empty());
}

class FixedFactory : public GanttChartItemFactory {
 public:
  GanttChartItemPtr createItem(int64_t row, const Time& time, bool) override {
    return std::make_shared<GanttChartItem>("made", row, time, time, 0.5);
  }
};

TEST_F(ManagerFixture, CreatesThroughTheFactoryWhileItLives) {
  auto factory = std::make_shared<FixedFactory>();
  manager->setItemFactory(factory);
  EXPECT_EQ(manager->createSourceItem(3, Time(0, 1, 0), false)->label(), "made");
  factory.reset();
  const auto item = manager->createSourceItem(3, Time(0, 1, 0), true);
  EXPECT_FALSE(item->label().has_value());
  EXPECT_TRUE(item->isMilestone());
  EXPECT_TRUE(item->isMomentary());
  EXPECT_EQ(item->zIndex(), 0);
  EXPECT_FALSE(manager->createSourceItem(3, Time(0, 1, 0), false)->isMilestone());
}

TEST(GanttChartItemManagerDurations, CompletedPartStaysWithinTheItem) {
  const auto manager = std::make_shared<GanttChartItemManager>(
      std::weak_ptr<GanttChartCollectionProvider>(), ScheduleDefinition::standard(), nullptr);
  // Monday 8:00 to Tuesday 16:00: 16 working hours.
  const auto item =
      std::make_shared<GanttChartItem>("A", 0, Time(0, 1, 8 * kHour), Time(0, 2, 16 * kHour), 0.0);
  EXPECT_EQ(manager->scheduledDuration(item), 16 * kHour);
  EXPECT_EQ(manager->scheduledDuration(item, TimeUnit::days), 2);
  EXPECT_EQ(manager->timeCompletedUntil(item), item->start());
  item->setCompletion(0.5);
  EXPECT_EQ(manager->completedDuration(item), 8 * kHour);
  EXPECT_EQ(manager->timeCompletedUntil(item), Time(0, 1, 16 * kHour));
  item->setCompletion(1);
  EXPECT_EQ(manager->timeCompletedUntil(item), item->finish());
  item->setCompletion(3);
  EXPECT_EQ(manager->timeCompletedUntil(item), item->finish());
  const auto momentary = GanttChartItem::fromTime("M", 0, Time(0, 1, 9 * kHour));
  momentary->setCompletion(0.7);
  EXPECT_EQ(manager->timeCompletedUntil(momentary), momentary->start());
}

TEST(GanttChartItemManagerSchedules, ItemScheduleWinsOverTheManagers) {
  const auto manager = std::make_shared<GanttChartItemManager>(
      std::weak_ptr<GanttChartCollectionProvider>(), ScheduleDefinition::standard(), nullptr);
  const auto item = GanttChartItem::fromTime("A", 0, Time());
  EXPECT_EQ(manager->scheduleFor(item), ScheduleDefinition::standard());
  item->setSchedule(ScheduleDefinition::fullDay());
  EXPECT_EQ(manager->scheduleFor(item), ScheduleDefinition::fullDay());
  manager->setSchedule(nullptr);
  EXPECT_EQ(manager->schedule(), ScheduleDefinition::continuous());
}

}  // namespace
}  // namespace vorlent
