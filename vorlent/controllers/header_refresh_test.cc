#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "vorlent/base/clock.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/controllers/header_controller_testing.h"
#include "vorlent/intervals/enclosed_time_interval_selector.h"
#include "vorlent/intervals/time_interval_type.h"

namespace vorlent {
namespace {

using testing::HeaderCallLog;

const TimeRange kTimeline(Time(1200, kSunday, 0), Time(1201, kSunday, 0));

struct Refreshed {
  ScopedManualRunLoop loop;
  ScopedClock clock{makeDate(Time(1200, kTuesday, 10 * 3600))};
  std::shared_ptr<GanttChartHeaderController> controller =
      GanttChartHeaderController::create(kTimeline);
  testing::HeaderRecording recording{*controller};
  std::shared_ptr<HeaderCallLog>& log = recording.log;

  explicit Refreshed(bool showsNow) {
    controller->setViewport(Rectangle(0, 0, 420, 40));
    if (showsNow) {
      // The current moment behind an enclosing selector still counts.
      auto now = TimeSelector(TimeIntervalType::time()).intervalSelector;
      controller->setRows(
          {GanttChartHeaderRow(TimeIntervalType::days()),
           GanttChartHeaderRow(TimeSelector(std::make_shared<EnclosedTimeIntervalSelector>(now)))});
    }
    recording.take();
  }
  long cellChanges() const {
    return std::count(log->begin(), log->end(), "observer.cellsDidChange");
  }
};

TEST(HeaderAutoRefresh, RebuildsCellsOfTheCurrentMomentOnEveryTick) {
  Refreshed r(true);
  const double before = r.controller->cells().back().area.bounds.left();
  r.controller->initializeAutoRefreshTimer(1, TimeUnit::minutes);
  r.loop->advance(59);
  EXPECT_EQ(r.cellChanges(), 0);
  Clock::setNow(makeDate(Time(1200, kTuesday, 11 * 3600)));
  r.loop->advance(1);
  EXPECT_EQ(r.cellChanges(), 1);
  // The cell stands at the clock's moment (which the loop may also move).
  const double after = r.controller->cells().back().area.bounds.left();
  EXPECT_NE(after, before);
  EXPECT_DOUBLE_EQ(after, r.controller->x(Time::current()));
  r.loop->advance(120);
  EXPECT_EQ(r.cellChanges(), 3);
}

TEST(HeaderAutoRefresh, TicksWithoutACurrentMomentNotifyNothing) {
  Refreshed r(false);
  r.controller->initializeAutoRefreshTimer(1, TimeUnit::seconds);
  r.loop->advance(10);
  EXPECT_TRUE(r.log->empty());
}

TEST(HeaderAutoRefresh, StartingAgainReplacesTheTimerAndInvalidatingStopsIt) {
  Refreshed r(true);
  r.controller->initializeAutoRefreshTimer(1, TimeUnit::seconds);
  r.controller->initializeAutoRefreshTimer(2, TimeUnit::seconds);
  EXPECT_EQ(r.loop->activeTimerCount(), 1u);
  r.loop->advance(4);
  EXPECT_EQ(r.cellChanges(), 2);
  r.controller->invalidateAutoRefreshTimer();
  r.controller->invalidateAutoRefreshTimer();
  EXPECT_EQ(r.loop->activeTimerCount(), 0u);
  r.loop->advance(10);
  EXPECT_EQ(r.cellChanges(), 2);
  // An interval that cannot run leaves no timer behind.
  r.controller->initializeAutoRefreshTimer(0, TimeUnit::seconds);
  r.controller->initializeAutoRefreshTimer(-1, TimeUnit::seconds);
  EXPECT_EQ(r.loop->activeTimerCount(), 0u);
}

TEST(HeaderAutoRefresh, TheTimerNeitherKeepsTheControllerNorOutlivesIt) {
  Refreshed r(true);
  r.controller->initializeAutoRefreshTimer(1, TimeUnit::seconds);
  std::weak_ptr<GanttChartHeaderController> weak = r.controller;
  r.controller.reset();
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(r.loop->activeTimerCount(), 0u);
  r.loop->advance(5);
  EXPECT_TRUE(r.log->empty());
}

}  // namespace
}  // namespace vorlent
