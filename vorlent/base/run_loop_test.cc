#include "vorlent/base/run_loop.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/base/clock.h"

namespace vorlent {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(ManualRunLoopTimers, FirstTickComesOneIntervalAfterSchedulingAndTheEndOfASpanCounts) {
  ManualRunLoop loop;
  int ticks = 0;
  const RepeatingTimer timer = loop.scheduleRepeating(1.0, [&] { ++ticks; });
  EXPECT_TRUE(timer.isValid());
  loop.advance(0.75);
  EXPECT_EQ(ticks, 0);
  loop.advance(0.25);
  EXPECT_EQ(ticks, 1);
  loop.advance(0.5);
  EXPECT_EQ(ticks, 1);
}

TEST(ManualRunLoopTimers, AdvanceFiresEachTickAtItsOwnDueTimeOnBothClocks) {
  const ScopedClock pinned(Date(1000));
  ManualRunLoop loop;
  std::vector<double> monotonic;
  std::vector<Date> wall;
  const RepeatingTimer timer = loop.scheduleRepeating(0.25, [&] {
    monotonic.push_back(loop.monotonicSeconds());
    wall.push_back(Clock::now());
  });
  loop.advance(0.8);
  EXPECT_EQ(monotonic, (std::vector<double>{0.25, 0.5, 0.75}));
  EXPECT_EQ(wall, (std::vector<Date>{Date(1000.25), Date(1000.5), Date(1000.75)}));
  EXPECT_EQ(loop.monotonicSeconds(), 0.8);
  EXPECT_EQ(Clock::now(), Date(1000.8));
}

TEST(ManualRunLoopTimers, TicksOfSeveralTimersComeInTimeOrderAndTiesInScheduleOrder) {
  ManualRunLoop loop;
  std::string fired;
  const RepeatingTimer a = loop.scheduleRepeating(0.5, [&] { fired += 'a'; });
  const RepeatingTimer b = loop.scheduleRepeating(0.75, [&] { fired += 'b'; });
  const RepeatingTimer c = loop.scheduleRepeating(0.5, [&] { fired += 'c'; });
  loop.advance(1.5);
  // a and c at 0.5, 1.0, 1.5; b at 0.75, 1.5 (after them: scheduled later
  // than a, earlier than c).
  EXPECT_EQ(fired, "acbacabc");
}

TEST(ManualRunLoopTimers, ThePinnedClockFollowsFromWhereverACallbackRepinsIt) {
  const ScopedClock pinned(Date(100));
  ManualRunLoop loop;
  std::vector<Date> seen;
  const RepeatingTimer timer = loop.scheduleRepeating(1.0, [&] {
    seen.push_back(Clock::now());
    if (seen.size() == 2) Clock::setNow(Date(500));
  });
  loop.advance(3);
  EXPECT_EQ(seen, (std::vector<Date>{Date(101), Date(102), Date(501)}));
  EXPECT_EQ(Clock::now(), Date(501));
}

TEST(ManualRunLoopTimers, AnUnpinnedClockIsLeftToTheSystem) {
  ManualRunLoop loop;
  const RepeatingTimer timer = loop.scheduleRepeating(1.0, [] {});
  loop.advance(2);
  EXPECT_EQ(Clock::pinned(), std::nullopt);
}

TEST(ManualRunLoopTimers, RefusesIntervalsAndCallbacksThatCannotMakeATimer) {
  ManualRunLoop loop;
  int ticks = 0;
  for (const double interval : {0.0, -1.0, kNaN, kInfinity, -kInfinity}) {
    const RepeatingTimer timer = loop.scheduleRepeating(interval, [&] { ++ticks; });
    EXPECT_FALSE(timer.isValid()) << interval;
  }
  EXPECT_FALSE(loop.scheduleRepeating(1.0, nullptr).isValid());
  EXPECT_EQ(loop.activeTimerCount(), 0U);
  loop.advance(10);
  EXPECT_EQ(ticks, 0);
}

TEST(ManualRunLoopTimers, ATinyIntervalIsRaisedToTheMinimum) {
  ManualRunLoop loop;
  int ticks = 0;
  const RepeatingTimer timer = loop.scheduleRepeating(1e-300, [&] { ++ticks; });
  loop.advance(1.0);
  EXPECT_EQ(ticks, static_cast<int>(1.0 / RunLoop::kMinimumIntervalSeconds));
}

TEST(ManualRunLoopTimers, ALongSpanFiresABoundedNumberOfTicksThenCoalescesTheRest) {
  ManualRunLoop loop;
  std::size_t ticks = 0;
  double lastTick = 0;
  const RepeatingTimer timer = loop.scheduleRepeating(0.001, [&] {
    ++ticks;
    lastTick = loop.monotonicSeconds();
  });
  loop.advance(1e9);
  EXPECT_EQ(ticks, ManualRunLoop::kMaxTicksPerAdvance + 1);
  EXPECT_EQ(lastTick, 1e9);
  EXPECT_EQ(loop.monotonicSeconds(), 1e9);
  // Back on the grid after the coalesced tick.
  loop.advance(0.0015);
  EXPECT_EQ(ticks, ManualRunLoop::kMaxTicksPerAdvance + 2);
}

TEST(ManualRunLoopTimers, SpansThatRunOutOfRangeEndAtTheLargestTime) {
  ManualRunLoop loop;
  int ticks = 0;
  const RepeatingTimer timer = loop.scheduleRepeating(1e305, [&] { ++ticks; });
  loop.advance(std::numeric_limits<double>::max());
  loop.advance(std::numeric_limits<double>::max());
  EXPECT_EQ(loop.monotonicSeconds(), std::numeric_limits<double>::max());
  EXPECT_GT(ticks, 0);
  for (const double bad : {-1.0, kNaN, kInfinity}) {
    ManualRunLoop other;
    other.advance(bad);
    EXPECT_EQ(other.monotonicSeconds(), 0) << bad;
  }
}

TEST(RepeatingTimerHandle, StopsTheTimerWhenInvalidatedDestroyedOrAssignedOver) {
  ManualRunLoop loop;
  int a = 0;
  int b = 0;
  RepeatingTimer first = loop.scheduleRepeating(1, [&] { ++a; });
  {
    const RepeatingTimer scoped = loop.scheduleRepeating(1, [&] { ++b; });
    loop.advance(1);
  }
  loop.advance(1);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);

  RepeatingTimer moved = std::move(first);
  EXPECT_TRUE(moved.isValid());
  loop.advance(1);
  EXPECT_EQ(a, 3);
  moved = loop.scheduleRepeating(1, [&] { ++b; });
  loop.advance(1);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 2);

  moved.invalidate();
  moved.invalidate();
  EXPECT_FALSE(moved.isValid());
  EXPECT_EQ(loop.activeTimerCount(), 0U);
  loop.advance(5);
  EXPECT_EQ(b, 2);
}

TEST(RepeatingTimerHandle, ACallbackMayInvalidateOrDropItsOwnTimerMidTick) {
  ManualRunLoop loop;
  auto witness = std::make_shared<int>(0);
  RepeatingTimer own;
  own = loop.scheduleRepeating(1, [&own, witness] {
    own.invalidate();
    ++*witness;  // the capture must still be alive after invalidating
  });
  RepeatingTimer dropped;
  int droppedTicks = 0;
  dropped = loop.scheduleRepeating(1, [&dropped, &droppedTicks] {
    dropped = RepeatingTimer();
    ++droppedTicks;
  });
  loop.advance(3);
  EXPECT_EQ(*witness, 1);
  EXPECT_EQ(droppedTicks, 1);
  EXPECT_FALSE(own.isValid());
  EXPECT_EQ(loop.activeTimerCount(), 0U);
  EXPECT_EQ(witness.use_count(), 1) << "a stopped timer lets its callback go";
}

TEST(RepeatingTimerHandle, ACallbackMayStopAnotherTimerDueAtTheSameTime) {
  ManualRunLoop loop;
  int secondTicks = 0;
  RepeatingTimer second;
  const RepeatingTimer first = loop.scheduleRepeating(1, [&] { second.invalidate(); });
  second = loop.scheduleRepeating(1, [&] { ++secondTicks; });
  loop.advance(2);
  EXPECT_EQ(secondTicks, 0);
}

TEST(RepeatingTimerHandle, ATimerScheduledByACallbackStartsFromThatTick) {
  ManualRunLoop loop;
  std::vector<double> late;
  RepeatingTimer spawned;
  RepeatingTimer spawner;
  spawner = loop.scheduleRepeating(1, [&] {
    spawned = loop.scheduleRepeating(0.5, [&] { late.push_back(loop.monotonicSeconds()); });
    spawner.invalidate();
  });
  loop.advance(2.25);
  EXPECT_EQ(late, (std::vector<double>{1.5, 2.0}));
}

TEST(RepeatingTimerHandle, DestroyingTheLoopInvalidatesHandlesAndReleasesCallbacks) {
  auto witness = std::make_shared<int>(0);
  RepeatingTimer timer;
  {
    ManualRunLoop loop;
    timer = loop.scheduleRepeating(1, [witness] { ++*witness; });
    loop.post([witness] { ++*witness; });
    EXPECT_TRUE(timer.isValid());
  }
  EXPECT_FALSE(timer.isValid());
  EXPECT_EQ(witness.use_count(), 1);
  timer.invalidate();  // harmless after the loop went
}

TEST(RepeatingTimerHandle, ACallbackMayDestroyItsLoop) {
  auto loop = std::make_unique<ManualRunLoop>();
  ManualRunLoop* raw = loop.get();
  int ticks = 0;
  const RepeatingTimer timer = raw->scheduleRepeating(1, [&] {
    ++ticks;
    loop.reset();
  });
  const RepeatingTimer other = raw->scheduleRepeating(1, [&] { ++ticks; });
  raw->advance(5);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(timer.isValid());
  EXPECT_FALSE(other.isValid());
}

TEST(ManualRunLoopPosting, RunsPostedWorkInOrderAfterTheCurrentWork) {
  ManualRunLoop loop;
  std::string order;
  loop.post([&] {
    order += '1';
    loop.post([&] { order += '3'; });
  });
  loop.post([&] { order += '2'; });
  loop.post(nullptr);
  EXPECT_EQ(order, "");
  loop.runPending();
  EXPECT_EQ(order, "123");
}

TEST(ManualRunLoopPosting, AdvanceRunsEarlierWorkFirstAndPostedWorkAfterEachTick) {
  ManualRunLoop loop;
  std::string order;
  loop.post([&] { order += 'p'; });
  const RepeatingTimer timer = loop.scheduleRepeating(1, [&] {
    order += 't';
    loop.post([&] { order += 'q'; });
  });
  loop.advance(2);
  EXPECT_EQ(order, "ptqtq");
}

TEST(ManualRunLoopPosting, WorkThatKeepsPostingItselfStopsAfterABoundedNumberOfRounds) {
  ManualRunLoop loop;
  int runs = 0;
  std::function<void()> again = [&] {
    ++runs;
    loop.post(again);
  };
  loop.post(again);
  loop.runPending();
  EXPECT_EQ(runs, ManualRunLoop::kMaxPendingRounds);
  loop.runPending();
  EXPECT_EQ(runs, 2 * ManualRunLoop::kMaxPendingRounds);
}

class OtherLoop : public RunLoop {
 public:
  RepeatingTimer scheduleRepeating(double, std::function<void()>) override { return {}; }
  void post(std::function<void()>) override {}
  [[nodiscard]] double monotonicSeconds() const override { return 0; }
};

TEST(CurrentRunLoop, IsTheDefaultManualLoopUntilReplacedAndComesBack) {
  ASSERT_TRUE(RunLoop::currentIsDefault());
  ManualRunLoop* const fallback = currentManualRunLoop();
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(&RunLoop::current(), fallback);

  auto other = std::make_shared<OtherLoop>();
  EXPECT_EQ(RunLoop::setCurrent(other), nullptr);
  EXPECT_FALSE(RunLoop::currentIsDefault());
  EXPECT_EQ(&RunLoop::current(), other.get());
  EXPECT_EQ(currentManualRunLoop(), nullptr);
  {
    ScopedManualRunLoop scoped;
    EXPECT_EQ(currentManualRunLoop(), &scoped.loop());
    {
      ScopedManualRunLoop inner;
      EXPECT_EQ(currentManualRunLoop(), &inner.loop());
    }
    EXPECT_EQ(currentManualRunLoop(), &scoped.loop());
  }
  EXPECT_EQ(&RunLoop::current(), other.get());
  EXPECT_EQ(RunLoop::setCurrent(nullptr), other);
  EXPECT_TRUE(RunLoop::currentIsDefault());
  EXPECT_EQ(currentManualRunLoop(), fallback);
}

}  // namespace
}  // namespace vorlent
