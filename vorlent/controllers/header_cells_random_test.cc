#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "vorlent/controllers/header_controller.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

struct RowKind {
  TimeIntervalType type;
  double seconds;  // a period's rough length
};

std::vector<RowKind> rowKinds() {
  const double day = 86400;
  return {{TimeIntervalType::seconds(1), 1},
          {TimeIntervalType::seconds(15), 15},
          {TimeIntervalType::minutes(1), 60},
          {TimeIntervalType::minutes(5), 300},
          {TimeIntervalType::hours(1), 3600},
          {TimeIntervalType::visibleTimeline(TimeIntervalType::hours(1)), 3600},
          {TimeIntervalType::days(), day},
          {TimeIntervalType::visibleTimeline(TimeIntervalType::days()), day},
          {TimeIntervalType::weeks(), 7 * day},
          {TimeIntervalType::months(), 30 * day},
          {TimeIntervalType::years(), 365 * day}};
}

// An ordinary header drawn at random: a timeline of a week to ten years
// within fifty years of the present, nights and weekends hidden or not, one
// to three rows, and a zoom that shows the finest row's periods from about
// thirty points wide down to six in a point, scrolled anywhere, often to the
// pixel nearest a whole minute and a few rounding errors off it.
struct RandomHeader {
  std::shared_ptr<GanttChartHeaderController> controller;
  std::vector<TimeSelector> selectors;  // one per row

  explicit RandomHeader(std::mt19937& random) {
    const auto draw = [&random](double low, double high) {
      return std::uniform_real_distribution<>(low, high)(random);
    };
    const auto below = [&random](int n) {
      return std::uniform_int_distribution<>(0, n - 1)(random);
    };
    const Time start(1200 + below(5200) - 2600, below(7), below(24) * 3600.0);
    controller = GanttChartHeaderController::create(
        TimeRange(start, start.addingDays(static_cast<int64_t>(std::pow(10, draw(0.85, 3.6))))));
    if (below(2) == 0) controller->setVisibilitySchedule(Schedule::standard());
    const std::vector<RowKind> kinds = rowKinds();
    std::vector<GanttChartHeaderRow> rows;
    double finest = HUGE_VAL;
    for (int row = below(3); row >= 0; --row) {
      const RowKind& kind = kinds[static_cast<std::size_t>(below(static_cast<int>(kinds.size())))];
      selectors.emplace_back(kind.type);
      rows.emplace_back(selectors.back());
      finest = std::min(finest, kind.seconds);
    }
    controller->setRows(rows);
    controller->setHourWidth(3600 / finest * std::pow(10, draw(-0.8, 1.5)));
    const double width = draw(50, 400);
    double left = draw(0, 1) * std::max(0.0, controller->totalDiagramHeaderSize().width - width);
    if (below(2) == 0) {
      const Time at = controller->time(left);
      left = std::round(
          controller->x(Time(at.week, at.dayOfWeek, std::round(at.timeOfDay / 60) * 60)));
      for (int ulps = below(5) - 2; ulps != 0; ulps += ulps < 0 ? 1 : -1) {
        left = std::nextafter(left, ulps < 0 ? -HUGE_VAL : HUGE_VAL);
      }
    }
    controller->setViewport(Rectangle(left, 0, width, 60));
  }
};

// The cells of a row are the intervals its selector lists for the visible
// timeline, those without width left out. Only where the row holds more
// periods than the view is wide in points may it leave out more, and then
// only periods narrower than a point (or nearly all outside the view).
TEST(HeaderCellsAtRandom, AreThePlainListsUnlessTooNarrowToBeSeen) {
  std::size_t plainRows = 0;
  std::size_t crowdedRows = 0;
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    std::mt19937 random(seed);
    const RandomHeader header(random);
    const GanttChartHeaderController& controller = *header.controller;
    const TimeRange visible = controller.visibleTimeline();
    const double viewEnd = controller.x(visible.finish);
    const double points = viewEnd - controller.x(visible.start);
    const std::vector<GanttChartHeaderCell> cells = controller.cells();
    auto cell = cells.begin();
    for (std::size_t row = 0; row < header.selectors.size(); ++row) {
      const std::vector<TimeRange> plain = header.selectors[row].intervalSelector->times(visible);
      std::vector<TimeRange> shown;
      const double top = controller.top(static_cast<int64_t>(row));
      for (; cell != cells.end() && cell->area.bounds.top() == top; ++cell) {
        shown.push_back(cell->area.interval);
      }
      std::vector<TimeRange> withWidth;  // what the plain path shows
      std::vector<bool> mustShow;
      for (const TimeRange& interval : plain) {
        const double width = controller.width(interval);
        if (!(width > 0)) continue;
        withWidth.push_back(interval);
        // A period at least a point wide may yet be missed where it starts
        // in the view's last point, after one too narrow to be seen: the
        // next point the walk steps to lies past the view's end.
        mustShow.push_back(width >= 1 && controller.x(interval.start) <= viewEnd - 1);
      }
      if (static_cast<double>(plain.size()) <= points) {
        ++plainRows;
        EXPECT_EQ(shown, withWidth) << "seed " << seed << " row " << row;
        continue;
      }
      ++crowdedRows;
      // The plain path's cells in order, narrow ones possibly left out.
      std::size_t matched = 0;
      for (std::size_t index = 0; index < withWidth.size(); ++index) {
        const bool isShown = matched < shown.size() && shown[matched] == withWidth[index];
        if (isShown) ++matched;
        EXPECT_TRUE(isShown || !mustShow[index])
            << "seed " << seed << " row " << row << " #" << index;
      }
      EXPECT_EQ(matched, shown.size()) << "seed " << seed << " row " << row;
    }
    EXPECT_EQ(cell, cells.end()) << "seed " << seed;
  }
  EXPECT_GT(plainRows, 500u);
  EXPECT_GT(crowdedRows, 500u);
}

}  // namespace
}  // namespace vorlent
