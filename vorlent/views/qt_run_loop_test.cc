#include "vorlent/views/qt_run_loop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>

#include <limits>
#include <memory>
#include <string>

namespace vorlent {
namespace {

// A QtRunLoop on a clock the test sets, whose due timers the test fires.
struct DrivenLoop {
  double now = 0;
  QtRunLoop loop{[this] { return now; }};

  void runAt(double time) {
    now = time;
    loop.runDueTimers();
  }
};

TEST(QtRunLoopTimers, TickNeitherEarlyNorTwiceForOneLateIntervalAndKeepTheirPhase) {
  DrivenLoop driven;
  int ticks = 0;
  const RepeatingTimer timer = driven.loop.scheduleRepeating(1.0, [&] { ++ticks; });
  driven.runAt(0.999);
  EXPECT_EQ(ticks, 0) << "early";
  driven.runAt(1.0);
  EXPECT_EQ(ticks, 1);
  driven.runAt(1.0);
  EXPECT_EQ(ticks, 1) << "twice for one tick";
  driven.runAt(3.5);
  EXPECT_EQ(ticks, 2) << "the ticks at 2 and 3 coalesce into one";
  driven.runAt(3.9);
  EXPECT_EQ(ticks, 2);
  driven.runAt(4.0);
  EXPECT_EQ(ticks, 3) << "the next tick stays on the grid";
}

TEST(QtRunLoopTimers, StopWithTheirHandleAndMayStopThemselvesMidTick) {
  DrivenLoop driven;
  int kept = 0;
  int dropped = 0;
  int selfStopped = 0;
  const RepeatingTimer keep = driven.loop.scheduleRepeating(1, [&] { ++kept; });
  RepeatingTimer drop = driven.loop.scheduleRepeating(1, [&] { ++dropped; });
  RepeatingTimer own;
  own = driven.loop.scheduleRepeating(1, [&] {
    own.invalidate();
    ++selfStopped;
  });
  driven.runAt(1);
  drop = RepeatingTimer();
  driven.runAt(2);
  driven.runAt(3);
  EXPECT_EQ(kept, 3);
  EXPECT_EQ(dropped, 1);
  EXPECT_EQ(selfStopped, 1);
}

TEST(QtRunLoopTimers, ACallbackRunningANestedLoopLetsTheOtherTimersFireButNotItself) {
  DrivenLoop driven;
  std::string order;
  const RepeatingTimer outer = driven.loop.scheduleRepeating(1, [&] {
    order += '(';
    driven.loop.runDueTimers();  // what a modal dialog's event loop would do
    order += ')';
  });
  const RepeatingTimer inner = driven.loop.scheduleRepeating(1, [&] { order += 'i'; });
  driven.runAt(1);
  EXPECT_EQ(order, "(i)");
}

TEST(QtRunLoopTimers, RefuseIntervalsThatCannotMakeATimer) {
  DrivenLoop driven;
  for (const double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(driven.loop.scheduleRepeating(bad, [] {}).isValid()) << bad;
  }
}

TEST(QtRunLoopTimers, StopWhenTheLoopIsDestroyedEvenFromACallback) {
  auto now = std::make_shared<double>(0);
  auto loop = std::make_unique<QtRunLoop>([now] { return *now; });
  int ticks = 0;
  const RepeatingTimer first = loop->scheduleRepeating(1, [&] {
    ++ticks;
    loop.reset();
  });
  const RepeatingTimer second = loop->scheduleRepeating(1, [&] { ++ticks; });
  *now = 1;
  loop->runDueTimers();
  EXPECT_EQ(loop, nullptr);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(first.isValid());
  EXPECT_FALSE(second.isValid());
}

TEST(QtRunLoopTimers, FireFromQtsEventLoopOnceTheirClockSaysTheyAreDue) {
  // With the clock moved past three intervals the QTimer is due at once, so
  // Qt's own event processing fires it, coalescing the late ticks into one.
  DrivenLoop driven;
  int ticks = 0;
  const RepeatingTimer timer = driven.loop.scheduleRepeating(1.0, [&] { ++ticks; });
  driven.now = 3.5;
  // Scheduling re-aims the QTimer at the earliest due tick, now overdue.
  const RepeatingTimer later = driven.loop.scheduleRepeating(100.0, [] {});
  for (int pass = 0; pass < 100 && ticks == 0; ++pass) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  EXPECT_EQ(ticks, 1);
}

TEST(QtRunLoopPosting, RunsPostedWorkInOrderOnceTheEventLoopGetsToIt) {
  QtRunLoop loop;
  std::string order;
  for (const char step : std::string("abc")) loop.post([&order, step] { order += step; });
  // Work posted by posted work waits for the event loop's next pass.
  loop.post([&] { loop.post([&] { order += '!'; }); });
  EXPECT_EQ(order, "") << "nothing runs before the event loop gets to it";
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(order, "abc");
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(order, "abc!");
}

TEST(QtRunLoopPosting, DropsWorkADestroyedLoopHadNotRun) {
  int runs = 0;
  {
    QtRunLoop loop;
    loop.post([&] { ++runs; });
  }
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(runs, 0);
}

TEST(QtRunLoopMonotonicClock, NeverRunsBackwards) {
  const QtRunLoop loop;
  const double first = loop.monotonicSeconds();
  EXPECT_LE(first, loop.monotonicSeconds());
}

TEST(QtRunLoopInstallation, ReplacesOnlyTheDefaultLoopAndOnlyOnce) {
  ASSERT_TRUE(RunLoop::currentIsDefault());
  {
    ScopedManualRunLoop testsOwn;
    QtRunLoop::installForApplication();
    EXPECT_EQ(currentManualRunLoop(), &testsOwn.loop());
  }
  QtRunLoop::installForApplication();
  RunLoop* const installed = &RunLoop::current();
  EXPECT_NE(dynamic_cast<QtRunLoop*>(installed), nullptr);
  QtRunLoop::installForApplication();
  EXPECT_EQ(&RunLoop::current(), installed);
  {
    ScopedManualRunLoop testsOwn;
    EXPECT_EQ(currentManualRunLoop(), &testsOwn.loop());
  }
  EXPECT_EQ(&RunLoop::current(), installed);
}

TEST(QtRunLoopInstallation, GoesWithTheApplicationAndComesBackWithTheNextOne) {
  QtRunLoop::installForApplication();
  ASSERT_FALSE(RunLoop::currentIsDefault());
  const RepeatingTimer timer = RunLoop::current().scheduleRepeating(1, [] {});
  ASSERT_TRUE(timer.isValid());

  delete QCoreApplication::instance();
  EXPECT_TRUE(RunLoop::currentIsDefault());
  EXPECT_FALSE(timer.isValid());

  static int argc = 1;
  static char name[] = "views_qt_run_loop_test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  QtRunLoop::installForApplication();
  EXPECT_NE(dynamic_cast<QtRunLoop*>(&RunLoop::current()), nullptr);
}

}  // namespace
}  // namespace vorlent
