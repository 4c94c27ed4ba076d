// The auto-scheduling rule pushes an item with many links into it in one step
// from a bound it remembers. On random charts with such items, a copy that
// remembers every bound must end exactly where a copy that remembers none
// ends, through whole-chart applications, moves, removals and new links, and
// through a host's own edits between them: item times and calendars changed
// directly, lag lists replaced, links relinked.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_source.h"
#include "vorlent/model/random_draw_testing.h"
#include "vorlent/time/schedule.h"

namespace vorlent::detail {

struct AutoSchedulingTestPeer {
  static void setMinLinks(GanttChartItemAutoSchedulingBehavior& rule, size_t minLinks) {
    rule.pushCache_.setMinLinks(minLinks);
  }
};

}  // namespace vorlent::detail

namespace vorlent {
namespace {

using testing::Draw;

constexpr double kHour = 3600;

struct HubChart {
  std::vector<GanttChartItemPtr> items;
  std::vector<GanttChartDependencyPtr> links;
  std::shared_ptr<GanttChartDependencyLagSet> lags;
  std::shared_ptr<GanttChartItemSource> source;
  std::shared_ptr<Schedule> longDays;
};

std::vector<GanttChartDependencyLagDefinition> randomLags(Draw& draw, const HubChart& chart) {
  std::vector<GanttChartDependencyLagDefinition> lags;
  for (const auto& link : chart.links) {
    if (draw.chance(30)) {
      lags.emplace_back(link, static_cast<double>(draw.below(9) - 3) * 4 * kHour, draw.chance(10));
    }
  }
  return lags;
}

// Ordinary tasks and a few milestones; the last few items are hubs, linked
// from most of the items before them, mostly to their starts.
HubChart makeChart(uint32_t seed, size_t minLinks) {
  Draw draw(seed);
  HubChart chart;
  const auto holidays = std::make_shared<Schedule>(
      WeekRange::standard(), DayRange::standard(),
      std::vector<TimeRange>{{Time(1, kWednesday, 0), Time(1, kThursday, 0)},
                             {Time(3, kMonday, 0), Time(3, kTuesday, 12 * kHour)}});
  chart.longDays = std::make_shared<Schedule>(WeekRange(1, 6), DayRange(6 * kHour, 18 * kHour));
  const auto n = static_cast<size_t>(10 + draw.below(24));
  const auto hubs = static_cast<size_t>(1 + draw.below(3));
  for (size_t i = 0; i < n; ++i) {
    const bool milestone = draw.chance(8);
    const Time start(1 + draw.below(2), 1 + draw.below(5), (6 + draw.below(12)) * kHour);
    chart.items.push_back(std::make_shared<GanttChartItem>(
        std::to_string(i), static_cast<int64_t>(i), start,
        milestone ? start : start.addingHours(1 + draw.below(30)), 0.0, std::nullopt, std::nullopt,
        draw.chance(15) ? chart.longDays : nullptr, true, 0, true,
        milestone ? GanttChartItemType::milestone : GanttChartItemType::standard));
  }
  for (size_t j = 1; j < n; ++j) {
    const bool hub = j + hubs >= n;
    const bool mixed = hub && draw.chance(20);  // a link to the hub's finish too
    for (size_t from = 0; from < j; ++from) {
      if (!(hub ? draw.chance(80) : from + 1 == j && draw.chance(60))) continue;
      auto type = draw.chance(50) ? GanttChartDependencyType::fromFinishToStart
                                  : GanttChartDependencyType::fromStartToStart;
      if (mixed && draw.chance(10)) type = GanttChartDependencyType::fromFinishToFinish;
      chart.links.push_back(std::make_shared<GanttChartDependency>(
          std::nullopt, chart.items[from], chart.items[j], std::nullopt, 0, true, type));
    }
  }
  chart.lags = std::make_shared<GanttChartDependencyLagSet>(randomLags(draw, chart));
  const int64_t aggregation = draw.below(3);
  auto rule = std::make_shared<GanttChartItemAutoSchedulingBehavior>(
      draw.chance(40), aggregation == 0 ? std::nullopt : std::optional<bool>(aggregation == 2),
      draw.chance(85), chart.lags);
  detail::AutoSchedulingTestPeer::setMinLinks(*rule, minLinks);
  chart.source = std::make_shared<GanttChartItemSource>(
      chart.items, chart.links,
      draw.chance(80) ? std::shared_ptr<ScheduleDefinition>(holidays) : nullptr, rule);
  return chart;
}

std::string stateOf(const GanttChartItemSource& source) {
  std::ostringstream state;
  for (const auto& item : source.items()) {
    state << item->label().value_or("?") << " " << item->start() << "-" << item->finish() << "\n";
  }
  return state.str();
}

// One operation, the same on both copies for the same draw.
void operate(HubChart& chart, Draw& draw) {
  GanttChartItemSource& source = *chart.source;
  const GanttChartItemPtr item = draw.pick(source.items());
  const double hours = static_cast<double>(draw.below(97) - 48);
  switch (draw.below(8)) {
    case 0:
      source.updateTime(item, item->start().addingHours(hours));
      break;
    case 1:  // a host's own edit, then the rules
      item->setTime(TimeRange(item->start().addingHours(hours), item->finish().addingHours(hours)));
      source.applyBehavior();
      break;
    case 2:
      chart.lags->setLags(randomLags(draw, chart));
      source.applyBehavior();
      break;
    case 3: {  // relinked from another item before its successor: no cycle
      const GanttChartDependencyPtr& link = draw.pick(chart.links);
      const auto to = static_cast<int64_t>(std::stoll(link->to()->label().value_or("0")));
      if (to > 0) link->setFrom(chart.items[static_cast<size_t>(draw.below(to))]);
      source.applyBehavior();
      break;
    }
    case 4:
      item->setSchedule(item->schedule() ? nullptr : chart.longDays);
      source.applyBehavior();
      break;
    case 5:
      if (source.items().size() > 2) source.removeItem(item);
      break;
    case 6: {
      const auto to = static_cast<int64_t>(std::stoll(item->label().value_or("0")));
      if (to > 0) {
        source.addNewDependency(chart.items[static_cast<size_t>(draw.below(to))], item,
                                GanttChartDependencyType::fromFinishToStart);
      }
      break;
    }
    default:
      source.applyBehavior();
      break;
  }
}

TEST(LinkPushCache, RememberedBoundsPushAsLinkByLinkDoes) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    HubChart remembering = makeChart(seed, 1);
    HubChart plain = makeChart(seed, std::numeric_limits<size_t>::max());
    Draw rememberingDraw(seed * 104729);
    Draw plainDraw(seed * 104729);
    remembering.source->applyBehavior();
    plain.source->applyBehavior();
    ASSERT_EQ(stateOf(*remembering.source), stateOf(*plain.source)) << "seed " << seed;
    for (int step = 0; step < 8; ++step) {
      operate(remembering, rememberingDraw);
      operate(plain, plainDraw);
      ASSERT_EQ(stateOf(*remembering.source), stateOf(*plain.source))
          << "seed " << seed << " step " << step;
    }
  }
}

// A rule may outlive its chart (a host keeps it for the next document): what
// it keeps between questions must not keep the chart's links and items alive,
// whether it was asked through a source or about a host's own lists.
TEST(LinkPushCache, RulesKeptAfterTheirChartKeepNoneOfItsLinksOrItems) {
  const auto task = [](int64_t row, int64_t lastDay) {
    return std::make_shared<GanttChartItem>(std::nullopt, row, Time(1, kMonday, 8 * kHour),
                                            Time(1, lastDay, 16 * kHour), 0.0, std::nullopt,
                                            std::nullopt, nullptr, true, 0, true);
  };
  const auto rule = std::make_shared<GanttChartItemAutoSchedulingBehavior>(true);
  detail::AutoSchedulingTestPeer::setMinLinks(*rule, 1);
  const GanttChartItemPtr parent = task(3, kTuesday);
  const GanttChartItemPtr child = task(4, kMonday);
  const auto hierarchy = std::make_shared<GanttChartItemHierarchicalBehavior>(
      std::vector<GanttChartItemHierarchicalRelation>{{parent, {child}}});
  std::weak_ptr<GanttChartDependency> link;
  std::weak_ptr<GanttChartItem> item;
  {
    const GanttChartItemPtr hub = task(2, kMonday);
    std::vector<GanttChartItemPtr> items{hub, parent, child};
    std::vector<GanttChartDependencyPtr> links;
    for (int64_t i = 0; i < 2; ++i) {
      items.push_back(task(i, kTuesday));
      links.push_back(std::make_shared<GanttChartDependency>(std::nullopt, items.back(), hub));
    }
    link = links.front();
    item = items.back();
    const auto source = std::make_shared<GanttChartItemSource>(items, links, nullptr, rule);
    source->applyBehavior();
    ASSERT_EQ(hub->start(), Time(1, kTuesday, 16 * kHour)) << "pushed behind both links";
    // Lists a host made itself are indexed by the rules themselves.
    const GanttChartItemList hostItems(items);
    const GanttChartDependencyList hostLinks(links);
    const auto calendar = ScheduleDefinition::standard();
    ASSERT_FALSE(rule->timeDidChange(items.back(), items.back()->time(), true, true, hostItems,
                                     hostLinks, calendar)
                     .empty());
    ASSERT_FALSE(
        hierarchy->timeDidChange(child, child->time(), true, false, hostItems, hostLinks, calendar)
            .empty());
  }
  EXPECT_TRUE(link.expired());
  EXPECT_TRUE(item.expired());
}

}  // namespace
}  // namespace vorlent
