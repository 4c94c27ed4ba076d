// The auto-scheduling rule answers from shortcuts: it works a pushed item's
// far end out once after a run of pushes, reuses the limit an item was just
// placed at, walks the links in place and remembers where many links push an
// item. Its answers must be, field for field, those of the plain walk below,
// which pushes link by link and moves the far end at every step, on random
// charts: every link type, lags of both signs, excluded links, holidays and
// items' own calendars, milestones and items on idle time, all placement
// modes, with and without kept durations, and items with many links into
// them asked about again and again.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/behavior_schedule.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

constexpr double kHour = 3600;

// The rule's answer for `item`, worked out link by link.
GanttChartItemUpdateActions plainWalk(const GanttChartItemAutoSchedulingBehavior& rule,
                                      const GanttChartItemPtr& item,
                                      const std::vector<GanttChartDependencyPtr>& links,
                                      const std::shared_ptr<ScheduleDefinition>& schedule) {
  const auto& lags = rule.lagProvider();
  const bool preserving = rule.preservingDurations();
  struct Working {
    std::shared_ptr<const ScheduleDefinition> calendar;
    double duration;
    TimeRange range;
  };
  const auto workingOf = [&](const GanttChartItem& z) {
    auto calendar = detail::behaviorScheduleOf(z, schedule);
    const double duration = preserving ? calendar->duration(z.start(), z.finish()) : 0;
    return Working{calendar, duration, z.time()};
  };
  const auto isUsable = [&](const GanttChartDependencyPtr& d) {
    return !lags || !lags->shouldExclude(d);
  };
  const auto apply = [&](Working& working, const GanttChartDependencyPtr& d, bool place) {
    const Time anchor = d->fromType() == GanttChartDependencyEndType::finish ? d->from()->finish()
                                                                             : d->from()->start();
    const bool moment = preserving && working.duration == 0;
    const double lag = lags ? lags->lag(d).value_or(0) : 0.0;
    const bool toStart = d->toType() == GanttChartDependencyEndType::start;
    const Time limit =
        moment && !toStart && lag == 0 ? anchor : working.calendar->finish(anchor, lag);
    TimeRange& range = working.range;
    if (toStart) {
      if (place || !(limit < range.start)) range.start = limit;
      if (preserving) range.finish = working.calendar->finish(range.start, working.duration);
    } else {
      if (place || !(limit < range.finish)) range.finish = limit;
      if (preserving) {
        range.start =
            moment ? range.finish : working.calendar->start(range.finish, working.duration);
      }
    }
  };
  const auto into = [&](const GanttChartItem* z) {
    std::vector<GanttChartDependencyPtr> found;
    for (const auto& link : links) {
      if (link->to().get() == z) found.push_back(link);
    }
    return found;
  };
  const auto differs = [](const TimeRange& range, const GanttChartItem& z) {
    return !(range.start == z.start() && range.finish == z.finish());
  };
  GanttChartItemUpdateActions actions;
  if (rule.applyingToUpdatingItems()) {
    Working working = workingOf(*item);
    for (const auto& d : into(item.get())) {
      if (isUsable(d)) apply(working, d, false);
    }
    if (differs(working.range, *item)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(item, working.range, true, true));
    }
  }
  const std::optional<bool> aggregating = rule.aggregatingSources();
  std::vector<const GanttChartItem*> placed;
  for (const auto& d : links) {
    if (d->from() != item || !isUsable(d)) continue;
    const GanttChartItemPtr successor = d->to();
    Working working = workingOf(*successor);
    if (aggregating != true &&
        std::find(placed.begin(), placed.end(), successor.get()) == placed.end()) {
      placed.push_back(successor.get());
      apply(working, d, true);
    }
    if (aggregating != false) {
      for (const auto& e : into(successor.get())) {
        if (isUsable(e)) apply(working, e, false);
      }
    }
    if (differs(working.range, *successor)) {
      actions.push_back(
          GanttChartItemUpdateAction::updateTimeAction(successor, working.range, true, true));
    }
  }
  return actions;
}

// Field by field, so that two spellings of midnight differ.
std::string describe(const GanttChartItemUpdateActions& actions) {
  std::ostringstream text;
  text.precision(17);
  for (const auto& action : actions) {
    const auto* change = std::get_if<GanttChartItemUpdateAction::UpdateTime>(&action.variant());
    if (change == nullptr) {
      text << "other\n";
      continue;
    }
    const auto& [start, finish] = change->value;
    text << change->item->label().value_or("?") << " " << start.week << "/" << start.dayOfWeek
         << "/" << start.timeOfDay << " " << finish.week << "/" << finish.dayOfWeek << "/"
         << finish.timeOfDay << " " << change->up << change->down << "\n";
  }
  return text.str();
}

TEST(AutoSchedulingWalk, AnswersAsThePlainLinkByLinkWalkDoes) {
  const auto holidays = std::make_shared<Schedule>(
      WeekRange::standard(), DayRange::standard(),
      std::vector<TimeRange>{{Time(1, kWednesday, 0), Time(1, kThursday, 0)},
                             {Time(2, kMonday, 12 * kHour), Time(2, kTuesday, 10 * kHour)}});
  const auto longDays =
      std::make_shared<Schedule>(WeekRange(1, 6), DayRange(6 * kHour, 18 * kHour));
  int64_t answers = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    std::mt19937 random(seed);
    const auto below = [&random](int64_t n) {
      return static_cast<int64_t>(random() % static_cast<uint64_t>(n));
    };
    const auto n = static_cast<size_t>(4 + below(30));
    std::vector<GanttChartItemPtr> items;
    for (size_t i = 0; i < n; ++i) {
      const bool milestone = below(8) == 0;
      // Now and then on idle time: a night, a weekend, a holiday.
      const Time start(1 + below(2), below(7), static_cast<double>(below(24 * 4)) * 900);
      items.push_back(std::make_shared<GanttChartItem>(
          std::to_string(i), static_cast<int64_t>(i), start,
          milestone ? start : start.addingHours(static_cast<double>(below(40))), 0.0, std::nullopt,
          std::nullopt, below(6) == 0 ? longDays : nullptr, true, 0, true,
          milestone ? GanttChartItemType::milestone : GanttChartItemType::standard));
    }
    // A hub, linked from most items, in a third of the charts.
    const bool hub = below(3) == 0;
    std::vector<GanttChartDependencyPtr> links;
    std::vector<GanttChartDependencyLagDefinition> lags;
    for (size_t k = 0, count = n + static_cast<size_t>(below(static_cast<int64_t>(2 * n)));
         k < count; ++k) {
      const auto from = static_cast<size_t>(below(static_cast<int64_t>(n)));
      const auto to =
          hub && below(2) == 0 ? n - 1 : static_cast<size_t>(below(static_cast<int64_t>(n)));
      if (from == to) continue;
      const auto type = static_cast<GanttChartDependencyType>(hub && to == n - 1 && below(8) != 0
                                                                  ? below(2) * 2  // to the start
                                                                  : below(4));
      links.push_back(std::make_shared<GanttChartDependency>(std::nullopt, items[from], items[to],
                                                             std::nullopt, 0, true, type));
      if (below(3) == 0) {
        lags.emplace_back(links.back(), static_cast<double>(below(13) - 6) * 2 * kHour,
                          below(6) == 0);
      }
    }
    const int64_t aggregation = below(3);
    const auto rule = std::make_shared<GanttChartItemAutoSchedulingBehavior>(
        below(2) == 0, aggregation == 0 ? std::nullopt : std::optional<bool>(aggregation == 2),
        below(5) != 0, lags);
    const std::shared_ptr<ScheduleDefinition> schedule =
        below(4) == 0 ? nullptr : std::shared_ptr<ScheduleDefinition>(holidays);
    const GanttChartDependencyList list(links);
    const GanttChartItemList itemList(items);
    // Every item twice over, so that remembered pushes are asked for again.
    for (int round = 0; round < 2; ++round) {
      for (const auto& item : items) {
        const GanttChartItemUpdateActions answer =
            rule->timeDidChange(item, item->time(), true, true, itemList, list, schedule);
        ASSERT_EQ(describe(answer), describe(plainWalk(*rule, item, links, schedule)))
            << "seed " << seed << ", item " << item->label().value_or("?");
        answers += static_cast<int64_t>(answer.size());
      }
    }
  }
  EXPECT_GT(answers, 4000);
}

}  // namespace
}  // namespace vorlent
