#include "vorlent/model/item_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>

#include "vorlent/base/clock.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;
Time day(int64_t dayOfWeek, double hours = 0) { return Time(1, dayOfWeek, hours * kHour); }

GanttChartItemPtr item(const char* label, int64_t row, Time start, Time finish,
                       int64_t zIndex = 0) {
  return std::make_shared<GanttChartItem>(label, row, start, finish, 0.0, std::nullopt,
                                          std::nullopt, nullptr, true, zIndex);
}

GanttChartDependencyPtr link(const GanttChartItemPtr& from, const GanttChartItemPtr& to) {
  return std::make_shared<GanttChartDependency>(std::nullopt, from, to);
}

std::vector<std::string> labels(const GanttChartItemList& list) {
  std::vector<std::string> result;
  for (const auto& i : list) result.push_back(i->label().value_or("?"));
  return result;
}

TEST(GanttChartItemSource, EmptySourceHasNoRowsAndAMomentaryTimelineAtNow) {
  ScopedClock clock(Date(2 * 86400 + kHour));
  const auto source = std::make_shared<GanttChartItemSource>();
  EXPECT_EQ(source->totalRowCount(), 0);
  EXPECT_EQ(source->preferredTimeline(), TimeRange(Time(0, 3, kHour), Time(0, 3, kHour)));
}

TEST(GanttChartItemSource, RowCountIsOneBeyondTheLastRowAndNeverNegative) {
  const auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{
      item("a", 0, day(1), day(2)), item("b", 7, day(1), day(2)), item("c", 3, day(1), day(2))});
  EXPECT_EQ(source->totalRowCount(), 8);
  const auto negative = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{item("a", -2, day(1), day(2))});
  EXPECT_EQ(negative->totalRowCount(), 0);
}

TEST(GanttChartItemSource, PreferredTimelineSpansEveryItemHiddenOnesIncluded) {
  auto hidden = item("h", 4, day(0), day(1));
  hidden->setIsVisible(false);
  const auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{
      item("a", 0, day(2), day(3)), hidden, item("b", 1, day(3), day(5, 12))});
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(0), day(5, 12)));
}

// The timeline is kept up to date from the moves the source makes itself,
// not recomputed: moving the only item at an end must find the next one, an
// item held twice counts twice, and a time set on an item directly (which
// the source does not hear of) must still show once an operation clears the
// caches.
TEST(GanttChartItemSource, PreferredTimelineFollowsMovesRemovalsAndDirectChanges) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(2), day(4));
  auto c = item("c", 2, day(2), day(3));
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b, a, c});
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(1), day(4)));
  source->updateTime(b, day(1));
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(1), day(3)));
  source->updateTime(a, day(0));
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(0), day(3)));
  source->removeItem(a);
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(1), day(3)));

  b->setFinish(day(6));
  source->updateZIndex(c, 1);
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(1), day(6)));
  source->updateTime(b, day(2));
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(2), day(6, 24)));
  source->removeItem(b);
  source->removeItem(c);
  EXPECT_EQ(source->items().size(), 0u);
  const auto empty = source->preferredTimeline();
  EXPECT_EQ(empty.start, empty.finish);
}

// The manager moves an item it no longer holds (say one a link still names)
// like any other, but that move is no edit of the source's items: it must not
// pass for the host's own edit made right before it.
TEST(GanttChartItemSource, MovingAnItemNoLongerHeldHidesNoDirectChange) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 0, day(2), day(3));
  auto gone = item("gone", 1, day(2), day(3));
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b, gone});
  source->removeItem(gone);
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(1), day(3)));
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"a", "b"}));

  a->setTime(TimeRange(day(4), day(5)));
  source->updateTime(gone, day(0));
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(2), day(5)));
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"b", "a"}));

  b->setRow(2);
  source->updateRow(gone, 3);
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"a", "b"}));
}

// A host's item may run code of its own while the manager assigns to it: here
// it reads the chart, then edits another item directly. That edit must not
// pass for the manager's assignment, which the read already took in.
TEST(GanttChartItemSource, AnEditMadeWhileTheManagerAssignsIsNotLost) {
  class MeddlingItem : public GanttChartItem {
   public:
    using GanttChartItem::GanttChartItem;
    std::function<void()> meddle;
    void setRow(int64_t row) override {
      GanttChartItem::setRow(row);
      if (meddle) std::exchange(meddle, nullptr)();
    }
    void setTime(const TimeRange& time) override {
      GanttChartItem::setTime(time);
      if (meddle) std::exchange(meddle, nullptr)();
    }
  };
  auto a = std::make_shared<MeddlingItem>("a", 0, day(2), day(3), 0.0);
  auto b = item("b", 1, day(2), day(3));
  auto c = item("c", 2, day(2), day(3));
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b, c});
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"a", "b", "c"}));

  a->meddle = [&] {
    EXPECT_EQ(source->availableItems().size(), 3u);
    c->setRow(-1);
  };
  source->updateRow(a, 5);
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"c", "b", "a"}));

  a->meddle = [&] {
    (void)source->preferredTimeline();
    b->setTime(TimeRange(day(0), day(1)));
  };
  source->updateTime(a, day(4));
  EXPECT_EQ(source->preferredTimeline(), TimeRange(day(0), day(5)));
}

TEST(GanttChartItemSource, FiltersByRowsAndTimelineWithInclusiveEnds) {
  auto hidden = item("hidden inside", 1, day(2), day(3));
  hidden->setIsVisible(false);
  const std::vector<GanttChartItemPtr> items = {
      item("starts at the end", 1, day(5), day(6)),
      item("ends at the start", 1, day(0), day(1)),
      item("ends at 24:00 before the start", 1, Time(1, 0, 0), Time(1, 0, 24 * kHour)),
      item("spans", 2, day(0), day(6)),
      item("after", 1, day(5, 1), day(6)),
      item("other row", 5, day(2), day(3)),
      hidden,
  };
  const auto source = std::make_shared<GanttChartItemSource>(items);
  source->setRange(RowRange(1, 2));
  source->setTimeline(TimeRange(day(1), day(5)));
  EXPECT_EQ(labels(source->filteredItems()),
            (std::vector<std::string>{"starts at the end", "ends at the start",
                                      "ends at 24:00 before the start", "spans", "hidden inside"}));
}

TEST(GanttChartItemSource, FiltersDependenciesByTheirFilteredAndMemberItems) {
  auto near = item("near", 0, day(1), day(2));
  auto far = item("far", 900, day(1), day(2));
  auto gone = item("gone", 0, day(1), day(2));
  auto outside = item("outside", 800, day(1), day(2));
  auto toFar = link(near, far);
  auto toGone = link(near, gone);
  auto unrelated = link(far, outside);
  auto self = link(near, near);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{near, far, gone, outside},
      std::vector<GanttChartDependencyPtr>{toGone, unrelated, toFar, self});
  source->setRange(RowRange(0, 10));
  source->setTimeline(TimeRange(day(0), day(6)));
  EXPECT_EQ(source->filteredDependencies().elements(),
            (std::vector<GanttChartDependencyPtr>{toGone, toFar, self}));
  source->removeItem(gone);
  EXPECT_EQ(source->filteredDependencies().elements(),
            (std::vector<GanttChartDependencyPtr>{toFar, self}));
  EXPECT_EQ(source->availableDependencies().size(), 4u);
}

TEST(GanttChartItemSource, AvailableItemsAreSortedByRowStartFinishAndZIndex) {
  const auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{
      item("row 1", 1, day(0), day(1)), item("z 2", 0, day(2), day(3), 2),
      item("z 1", 0, day(2), day(3), 1), item("longer", 0, day(2), day(4)),
      item("earlier", 0, day(1), day(5))});
  EXPECT_EQ(labels(source->availableItems()),
            (std::vector<std::string>{"earlier", "z 1", "z 2", "longer", "row 1"}));
  // The arrays themselves stay in insertion order.
  EXPECT_EQ(*source->items().front()->label(), "row 1");
}

TEST(GanttChartItemSource, AvailableListsAreSharedUntilTheOrderChangesAndStayImmutable) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 0, day(2), day(3));
  auto c = item("c", 1, day(1), day(2));
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{c, b, a});
  const GanttChartItemList first = source->availableItems();
  EXPECT_FALSE(first.isProduced()) << "nothing is sorted before it is read";
  EXPECT_TRUE(source->availableItems().isSameList(first));
  source->updateCompletion(a, day(1, 12));
  EXPECT_TRUE(source->availableItems().isSameList(first)) << "completion does not reorder";
  EXPECT_EQ(labels(first), (std::vector<std::string>{"a", "b", "c"}));

  source->performUpdates(
      {GanttChartItemUpdateAction::updateTimeAction(a, TimeRange(day(4), day(5)), false, false)});
  const GanttChartItemList second = source->availableItems();
  EXPECT_FALSE(second.isSameList(first));
  EXPECT_EQ(labels(second), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(labels(first), (std::vector<std::string>{"a", "b", "c"})) << "kept lists stay";

  source->performUpdates({GanttChartItemUpdateAction::updateRowAction(c, -1)});
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(labels(second), (std::vector<std::string>{"b", "a", "c"}));
  source->addNewItem(0, day(0), false);
  EXPECT_EQ(source->availableItems().size(), 4u);
  EXPECT_EQ(source->availableItems()[1], source->items().back());
  // A change made on an item directly, not through the source, is noticed too.
  b->setRow(5);
  source->performUpdates({GanttChartItemUpdateAction::updateRowAction(a, -2)});
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"a", "c", "?", "b"}));

  // A list nobody has read sorts the items when it is read, so a change of
  // order alone hands the same list out again.
  b->setRow(-2);
  const GanttChartItemList unread = source->availableItems();
  source->performUpdates(
      {GanttChartItemUpdateAction::updateTimeAction(b, TimeRange(day(6), day(7)), false, false)});
  EXPECT_TRUE(source->availableItems().isSameList(unread));
  EXPECT_EQ(labels(unread), (std::vector<std::string>{"a", "b", "c", "?"}));
  source->performUpdates(
      {GanttChartItemUpdateAction::updateTimeAction(b, TimeRange(day(0), day(1)), false, false)});
  EXPECT_FALSE(source->availableItems().isSameList(unread)) << "once read, it stays as it was";
  EXPECT_EQ(labels(source->availableItems()), (std::vector<std::string>{"b", "a", "c", "?"}));
}

TEST(GanttChartItemSource, AcceptChangesClearsEveryFlag) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(1), day(2));
  auto d = link(a, b);
  d->setZIndex(3);
  a->setRow(2);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{a, b}, std::vector<GanttChartDependencyPtr>{d});
  source->acceptChanges();
  EXPECT_FALSE(a->hasChanged());
  EXPECT_FALSE(d->hasChanged());
  a->setRow(2);
  EXPECT_TRUE(a->hasChanged());
}

TEST(GanttChartItemSource, RemovingTakesEveryOccurrenceAndIgnoresStrangers) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(1), day(2));
  const auto source =
      std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b, a});
  source->removeItem(item("stranger", 0, day(1), day(2)));
  EXPECT_EQ(source->items().size(), 3u);
  source->removeItem(a);
  EXPECT_EQ(source->items(), (std::vector<GanttChartItemPtr>{b}));
  source->removeItem(a);
  EXPECT_EQ(source->items(), (std::vector<GanttChartItemPtr>{b}));
}

// The storage hooks are public, so a host may hand them a reference into
// the very array they change.
TEST(GanttChartItemSource, StorageHooksTakeReferencesIntoTheirOwnArrays) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(1), day(2));
  auto c = item("c", 2, day(1), day(2));
  auto ab = link(a, b);
  auto bc = link(b, c);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{a, b, a, c}, std::vector<GanttChartDependencyPtr>{ab, bc, ab});
  source->removeSourceItem(source->items().front());
  EXPECT_EQ(source->items(), (std::vector<GanttChartItemPtr>{b, c}));
  source->removeSourceDependency(source->dependencies().front());
  EXPECT_EQ(source->dependencies(), (std::vector<GanttChartDependencyPtr>{bc}));
}

// A host callback reached from a public member may release the last other
// owner of the source; the member must still finish on a live object.
TEST(GanttChartItemSource, MembersCallingOutHoldTheSourceWhileTheyRun) {
  class ReleasingFactory : public GanttChartItemFactory {
   public:
    std::shared_ptr<GanttChartItemSource>* owner = nullptr;
    GanttChartItemPtr createItem(int64_t row, const Time& time, bool isMilestone) override {
      owner->reset();
      return GanttChartItemFactory::createItem(row, time, isMilestone);
    }
    GanttChartDependencyPtr createDependency(const GanttChartItemPtr& from,
                                             const GanttChartItemPtr& to,
                                             GanttChartDependencyType type) override {
      owner->reset();
      return GanttChartItemFactory::createDependency(from, to, type);
    }
  };
  class ReleasingItem : public GanttChartItem {
   public:
    using GanttChartItem::GanttChartItem;
    std::shared_ptr<GanttChartItemSource>* owner = nullptr;
    void setHasChanged(bool hasChanged) override {
      if (owner) std::exchange(owner, nullptr)->reset();
      GanttChartItem::setHasChanged(hasChanged);
    }
  };
  auto factory = std::make_shared<ReleasingFactory>();
  auto a = item("a", 0, day(1), day(2));

  auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a});
  source->setItemFactory(factory);
  factory->owner = &source;
  GanttChartItemSource* raw = source.get();
  EXPECT_NE(raw->addNewSourceItem(0, day(1), false), nullptr);
  EXPECT_EQ(source, nullptr);

  source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a});
  source->setItemFactory(factory);
  raw = source.get();
  EXPECT_NE(raw->addNewSourceDependency(a, a, GanttChartDependencyType::fromFinishToStart),
            nullptr);
  EXPECT_EQ(source, nullptr);

  auto releasing = std::make_shared<ReleasingItem>(
      GanttChartItem::Options{.label = "r", .start = day(1), .finish = day(2)});
  source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{releasing, a},
                                                  std::vector<GanttChartDependencyPtr>{link(a, a)});
  releasing->owner = &source;
  a->setHasChanged(true);
  raw = source.get();
  raw->acceptChanges();
  EXPECT_EQ(source, nullptr);
  EXPECT_FALSE(a->hasChanged());
}

TEST(GanttChartItemSource, IndexesFollowRowsSetOnTheItemsDirectly) {
  auto a = item("a", 0, day(1), day(2));
  const auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a});
  source->setTimeline(TimeRange(day(0), day(6)));
  source->setRange(RowRange(5, 5));
  EXPECT_TRUE(source->filteredItems().empty());
  a->setRow(5);
  source->clearCache();
  EXPECT_EQ(source->filteredItems().size(), 1u);
  EXPECT_EQ(source->totalRowCount(), 6);
}

// Only relinking moves the source's link index out of date: a factory that
// relinks a dependency of the source while it makes a new one is noticed,
// while dependencies made anywhere else leave the index (and so the handed
// out list) as it is.
TEST(GanttChartItemSource, LinkIndexFollowsRelinksNotNewDependencies) {
  class RelinkingFactory : public GanttChartItemFactory {
   public:
    GanttChartDependencyPtr relinked;
    GanttChartItemPtr newTarget;
    GanttChartDependencyPtr made;
    GanttChartDependencyPtr createDependency(const GanttChartItemPtr&, const GanttChartItemPtr&,
                                             GanttChartDependencyType) override {
      relinked->setTo(newTarget);
      return made;
    }
  };
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(1), day(2));
  auto c = item("c", 2, day(1), day(2));
  auto ab = link(a, b);
  const auto source = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{a, b, c}, std::vector<GanttChartDependencyPtr>{ab});
  source->setTimeline(TimeRange(day(0), day(6)));
  source->setRange(RowRange(2, 2));
  EXPECT_TRUE(source->filteredDependencies().empty());

  const GanttChartDependencyList before = source->availableDependencies();
  (void)link(item("x", 0, day(1), day(2)), item("y", 0, day(1), day(2)));
  EXPECT_TRUE(source->availableDependencies().isSameList(before));

  // Made before the call, so that only the relink moves the link count.
  auto factory = std::make_shared<RelinkingFactory>();
  factory->relinked = ab;
  factory->newTarget = c;
  factory->made = link(b, c);
  source->setItemFactory(factory);
  source->addNewDependency(b, c, GanttChartDependencyType::fromFinishToStart);
  EXPECT_EQ(source->filteredDependencies().elements(),
            (std::vector<GanttChartDependencyPtr>{ab, factory->made}));
}

// Each source counts the edits of its own items and links: an edit in one
// chart keeps another chart's lists, while edits of its own items (through
// the source, through their setters, or of an item both charts hold) still
// reach it.
TEST(GanttChartItemSource, EditsReachOnlyTheChartsHoldingTheirItems) {
  auto a = item("a", 0, day(1), day(2));
  auto b = item("b", 1, day(1), day(2));
  auto x = item("x", 0, day(1), day(2));
  auto y = item("y", 1, day(1), day(2));
  auto ab = link(a, b);
  auto xy = link(x, y);
  const auto big = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b},
                                                          std::vector<GanttChartDependencyPtr>{ab});
  const auto small = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>{x, y}, std::vector<GanttChartDependencyPtr>{xy});
  const GanttChartItemList items = big->availableItems();
  (void)items.size();
  const GanttChartDependencyList links = big->availableDependencies();
  small->updateTime(x, day(3));
  small->updateRow(y, 4);
  x->setZIndex(2);
  xy->setFrom(y);
  ab->setTo(b);
  EXPECT_TRUE(big->availableItems().isSameList(items));
  EXPECT_TRUE(big->availableDependencies().isSameList(links));
  EXPECT_EQ(labels(small->availableItems()), (std::vector<std::string>{"x", "y"}));

  small->setTimeline(TimeRange(day(0), day(6)));
  small->setRange(RowRange(0, 0));
  EXPECT_TRUE(small->filteredDependencies().empty()) << "the relink moved the link to row 4";
  xy->setTo(x);
  // Another filter, so that the manager's cache of filtered lists is not met.
  small->setTimeline(TimeRange(day(0), day(5)));
  EXPECT_EQ(small->filteredDependencies().size(), 1u);

  b->setRow(-1);
  EXPECT_EQ(labels(big->availableItems()), (std::vector<std::string>{"b", "a"}));
  // Held by two charts: its edits reach both.
  const auto both = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{y, a});
  EXPECT_EQ(labels(both->availableItems()), (std::vector<std::string>{"a", "y"}));
  (void)small->availableItems().size();
  y->setRow(-3);
  a->setRow(-5);
  EXPECT_EQ(labels(small->availableItems()), (std::vector<std::string>{"y", "x"}));
  EXPECT_EQ(labels(big->availableItems()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(labels(both->availableItems()), (std::vector<std::string>{"a", "y"}));
  EXPECT_EQ(small->totalRowCount(), 1);
}

// The indexed answers must equal a plain scan of the arrays, in array order,
// through additions, removals and moves.
TEST(GanttChartItemSource, IndexedFilteringMatchesAPlainScan) {
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int64_t>(random() % static_cast<unsigned>(n)); };
  std::vector<GanttChartItemPtr> items;
  for (int i = 0; i < 300; ++i) {
    const Time start = Time(0, 0, 0).addingHours(static_cast<double>(pick(400)));
    items.push_back(
        item("i", pick(60) - 5, start, start.addingHours(static_cast<double>(pick(50))), pick(3)));
  }
  std::vector<GanttChartDependencyPtr> dependencies;
  for (int i = 0; i < 300; ++i) {
    dependencies.push_back(
        link(items[static_cast<size_t>(pick(300))], items[static_cast<size_t>(pick(300))]));
  }
  const auto source = std::make_shared<GanttChartItemSource>(items, dependencies);
  for (int round = 0; round < 200; ++round) {
    switch (round % 4) {
      case 0:
        source->removeItem(
            source->items()[static_cast<size_t>(pick(static_cast<int>(source->items().size())))]);
        break;
      case 1:
        source->addNewItem(pick(60), Time(0, 0, 0).addingHours(static_cast<double>(pick(400))),
                           false);
        // Gone again before anything was sorted.
        if (pick(3) == 0) source->removeItem(source->items().back());
        break;
      case 2:
        source->updateRow(source->items()[static_cast<size_t>(pick(50))], pick(60));
        source->updateTime(source->items()[static_cast<size_t>(pick(50))],
                           Time(0, 0, 0).addingHours(static_cast<double>(pick(400))));
        source->bringToFront(source->items()[static_cast<size_t>(pick(50))]);
        if (pick(3) == 0) (void)source->availableItems().size();
        break;
      case 3:
        source->addNewDependency(source->items()[static_cast<size_t>(pick(50))],
                                 source->items()[static_cast<size_t>(pick(50))],
                                 GanttChartDependencyType::fromStartToStart);
        if (pick(2) == 0) source->removeDependency(source->dependencies().front());
        // Relinked behind the source's back, also to items it does not hold.
        if (pick(2) == 0) {
          const auto& relinked = source->dependencies()[static_cast<size_t>(
              pick(static_cast<int>(source->dependencies().size())))];
          const auto& target = pick(4) == 0 ? items[static_cast<size_t>(pick(300))]
                                            : source->items()[static_cast<size_t>(pick(50))];
          if (pick(2) == 0) {
            relinked->setFrom(target);
          } else {
            relinked->setTo(target);
          }
        }
        break;
    }
    const RowRange rows(pick(60) - 5, pick(60) - 5);
    const Time from = Time(0, 0, 0).addingHours(static_cast<double>(pick(400)));
    const TimeRange timeline(from, from.addingHours(static_cast<double>(pick(100))));
    source->setRange(rows);
    source->setTimeline(timeline);

    std::vector<GanttChartItemPtr> expectedItems;
    for (const auto& i : source->items()) {
      if (rows.contains(i->row()) &&
          (timeline.contains(i->start()) || timeline.contains(i->finish()) ||
           TimeRange(i->start(), i->finish()).contains(timeline.start))) {
        expectedItems.push_back(i);
      }
    }
    auto isItem = [&](const GanttChartItemPtr& i) {
      return std::find(source->items().begin(), source->items().end(), i) != source->items().end();
    };
    auto isFiltered = [&](const GanttChartItemPtr& i) {
      return std::find(expectedItems.begin(), expectedItems.end(), i) != expectedItems.end();
    };
    std::vector<GanttChartDependencyPtr> expectedDependencies;
    for (const auto& d : source->dependencies()) {
      if (isItem(d->from()) && isItem(d->to()) && (isFiltered(d->from()) || isFiltered(d->to()))) {
        expectedDependencies.push_back(d);
      }
    }
    ASSERT_EQ(source->filteredItems().elements(), expectedItems) << "round " << round;
    ASSERT_EQ(source->filteredDependencies().elements(), expectedDependencies) << "round " << round;

    auto sorted = source->items();
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
      if (a->row() != b->row()) return a->row() < b->row();
      if (!(a->start() == b->start())) return a->start() < b->start();
      if (!(a->finish() == b->finish())) return a->finish() < b->finish();
      return a->zIndex() < b->zIndex();
    });
    Time earliest = source->items().front()->start();
    Time latest = source->items().front()->finish();
    for (const auto& i : source->items()) {
      earliest = std::min(earliest, i->start());
      latest = std::max(latest, i->finish());
    }
    ASSERT_EQ(source->preferredTimeline(), TimeRange(earliest, latest)) << "round " << round;

    const auto available = source->availableItems();
    ASSERT_EQ(available.size(), sorted.size());
    for (size_t k = 0; k < sorted.size(); ++k) {
      ASSERT_EQ(available[k]->row(), sorted[k]->row());
      ASSERT_EQ(available[k]->start(), sorted[k]->start());
      ASSERT_EQ(available[k]->zIndex(), sorted[k]->zIndex());
    }
  }
}

}  // namespace
}  // namespace vorlent
