// The item source's span of item times and its membership answers, which it
// keeps up to date from the moves it hears about, checked against plain scans
// of the array under hostile sequences of operations.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>

#include "vorlent/model/item_source.h"
#include "vorlent/time/schedule_definition.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;

GanttChartItemPtr item(int64_t row, const Time& start, const Time& finish) {
  return GanttChartItem::create({.row = row, .start = start, .finish = finish});
}

Time hour(int64_t hours) { return Time(1, 0, 0).addingHours(static_cast<double>(hours)); }

// The earliest start to the latest finish, by a scan; std::nullopt without items.
std::optional<TimeRange> scannedSpan(const std::vector<GanttChartItemPtr>& items) {
  if (items.empty()) return std::nullopt;
  Time earliest = items.front()->start();
  Time latest = items.front()->finish();
  for (const auto& i : items) {
    earliest = std::min(earliest, i->start());
    latest = std::max(latest, i->finish());
  }
  return TimeRange(earliest, latest);
}

// Hands out a chosen item (possibly one the source already holds) when asked
// for a new one.
class ChosenItemFactory : public GanttChartItemFactory {
 public:
  GanttChartItemPtr next;
  GanttChartItemPtr createItem(int64_t row, const Time& time, bool isMilestone) override {
    if (next) return std::exchange(next, nullptr);
    return GanttChartItemFactory::createItem(row, time, isMilestone);
  }
};

// Runs a hook from the observer's callbacks, once at a time.
class HookObserver : public GanttChartItemObserver {
 public:
  std::function<void()> hook;
  void timeDidChange(const GanttChartItemPtr&, const TimeRange&) override { run(); }
  void rowDidChange(const GanttChartItemPtr&, int64_t) override { run(); }

 private:
  void run() {
    if (!hook || running_) return;
    running_ = true;
    hook();
    running_ = false;
  }
  bool running_ = false;
};

// Long random sequences mixing every way an item's time can change: moves
// through the source, through a second source sharing items, setters called
// on items directly, items held twice (also re-added by a factory after
// removal), extreme times and both spellings of midnight, and an observer
// moving other items from inside an operation. The span must always be the
// one a scan finds, and removal must find exactly the items held.
TEST(SourceItemExtent, SpanAndMembershipMatchAPlainScanUnderHostileSequences) {
  std::mt19937 random(11);
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  std::vector<GanttChartItemPtr> pool;
  for (int i = 0; i < 40; ++i) {
    const int64_t start = static_cast<int64_t>(pick(200));
    pool.push_back(item(static_cast<int64_t>(pick(20)), hour(start),
                        hour(start + static_cast<int64_t>(pick(30)))));
  }
  std::vector<GanttChartItemPtr> initial(pool.begin(), pool.begin() + 25);
  initial.push_back(pool[3]);  // held twice from the start
  const auto source = std::make_shared<GanttChartItemSource>(initial);
  const auto other = std::make_shared<GanttChartItemSource>(
      std::vector<GanttChartItemPtr>(pool.begin() + 15, pool.end()));
  auto factory = std::make_shared<ChosenItemFactory>();
  source->setItemFactory(factory);
  auto observer = std::make_shared<HookObserver>();
  source->setItemObserver(observer);

  // Items with ordinary times, which the manager's working-time arithmetic
  // may move freely.
  auto ordinary = [&](const GanttChartItemPtr& i) {
    return hour(-1000) < i->start() && i->finish() < hour(1000) && !(i->finish() < i->start());
  };
  auto anyHeld = [&]() -> GanttChartItemPtr {
    const auto& items = source->items();
    return items.empty() ? nullptr : items[pick(items.size())];
  };

  for (int round = 0; round < 3000; ++round) {
    const GanttChartItemPtr target = pool[pick(pool.size())];
    observer->hook = nullptr;
    switch (pick(12)) {
      case 0:
        if (ordinary(target)) source->updateTime(target, hour(static_cast<int64_t>(pick(200))));
        break;
      case 1:
        if (ordinary(target)) {
          source->updateDurationToFinishOn(target, hour(static_cast<int64_t>(pick(250))), false);
        }
        break;
      case 2:
        source->updateRow(target, static_cast<int64_t>(pick(20)));
        break;
      case 3:
        source->updateZIndex(target, static_cast<int64_t>(pick(5)));
        break;
      case 4:
        target->setStart(hour(static_cast<int64_t>(pick(300)) - 50));
        break;
      case 5:
        target->setFinish(hour(static_cast<int64_t>(pick(300))));
        break;
      case 6:
        // The same moment in both spellings, or the ends of time.
        switch (pick(4)) {
          case 0:
            target->setTime(TimeRange(Time(1, 2, 0), Time(1, 2, 24 * kHour)));
            break;
          case 1:
            target->setTime(TimeRange(Time(1, 1, 24 * kHour), Time(1, 3, 0)));
            break;
          case 2:
            target->setTime(TimeRange(Time::min(), target->finish()));
            break;
          default:
            target->setTime(TimeRange(target->start(), Time::max()));
            break;
        }
        break;
      case 7:
        if (ordinary(target)) other->updateTime(target, hour(static_cast<int64_t>(pick(200))));
        break;
      case 8:
        if (const auto held = anyHeld(); held && pick(4) != 0) {
          source->removeItem(held);
        } else {
          source->removeItem(target);
        }
        break;
      case 9:
        // A factory re-adding an item, often one already held.
        factory->next = pick(2) == 0 ? anyHeld() : target;
        if (!factory->next) factory->next = target;
        source->addNewItem(0, hour(0), false);
        break;
      case 10: {
        // An observer moving other items while an operation runs.
        const GanttChartItemPtr moved = pool[pick(pool.size())];
        const int64_t to = static_cast<int64_t>(pick(200));
        observer->hook = [&, moved, to] {
          if (ordinary(moved)) source->updateTime(moved, hour(to));
          moved->setFinish(hour(to + 400));
          source->updateRow(moved, 3);
        };
        source->updateRow(target, static_cast<int64_t>(pick(20)));
        break;
      }
      default:
        source->addNewItem(static_cast<int64_t>(pick(20)), hour(static_cast<int64_t>(pick(200))),
                           pick(2) == 0);
        break;
    }

    const auto expected = scannedSpan(source->items());
    if (expected) {
      ASSERT_EQ(source->sourcePreferredTimeline(), *expected) << "round " << round;
    }
    // Removing a stranger changes nothing; removing a held item takes every
    // occurrence of it.
    if (round % 50 == 0) {
      auto stranger = item(0, hour(0), hour(1));
      source->removeItem(stranger);
      ASSERT_EQ(scannedSpan(source->items()), expected);
    }
  }
}

// A calendar that re-enters the manager while it is asked for working time.
class ReenteringSchedule : public ScheduleDefinition {
 public:
  mutable std::function<void()> hook;
  [[nodiscard]] WeekRange weekInterval() const override {
    if (hook) std::exchange(hook, nullptr)();
    return ScheduleDefinition::weekInterval();
  }
};

// The source learns the old time of each move from the manager; a calendar
// that moves the same item while the manager snaps it must not leave the
// time the item had in between counted in the span.
TEST(SourceItemExtent, ACalendarMovingTheItemWhileItIsSnappedLeavesNoStaleEnd) {
  auto a = item(0, hour(10), hour(20));
  auto b = item(1, hour(30), hour(40));
  const auto source = std::make_shared<GanttChartItemSource>(std::vector<GanttChartItemPtr>{a, b});
  const auto calendar = std::make_shared<ReenteringSchedule>();
  a->setSchedule(calendar);
  ASSERT_EQ(source->sourcePreferredTimeline(), TimeRange(hour(10), hour(40)));

  calendar->hook = [&] { source->updateTime(a, hour(100)); };
  GanttChartItemUpdateActions actions;
  actions.push_back(
      GanttChartItemUpdateAction::updateTimeAction(a, TimeRange(hour(12), hour(22)), false, false));
  source->performUpdates(std::move(actions));
  ASSERT_EQ(a->time(), TimeRange(hour(12), hour(22)));
  EXPECT_EQ(source->sourcePreferredTimeline(), TimeRange(hour(12), hour(40)));
}

}  // namespace
}  // namespace vorlent
