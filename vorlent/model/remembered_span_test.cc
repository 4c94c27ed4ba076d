// Through one operation the hierarchy rule keeps a large summary's span and
// follows its children's changes one by one instead of counting it again.
// Here the engine, which does so, against the plain cascade, which counts
// every span afresh, on random charts of summaries over dozens of children:
// midnight in both spellings and -0, children listed twice or under two
// summaries, nested summaries, children deleted, every aggregation mode.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/model/classic_behaviors.h"
#include "vorlent/model/plain_cascade_testing.h"
#include "vorlent/model/random_draw_testing.h"
#include "vorlent/model/span_tally.h"
#include "vorlent/time/schedule.h"

namespace vorlent {
namespace {

using testing::CountingSource;
using testing::Draw;
using testing::PlainCascadeSource;

constexpr double kHour = 3600;

// One of a few moments, so that children often tie at an end; midnight
// sometimes spelt 24:00 or -0.
Time drawTime(Draw& draw) {
  const Time time(1, 1 + draw.below(3), static_cast<double>(8 * draw.below(3)) * kHour);
  if (time.timeOfDay == 0 && draw.chance(30)) return Time(time.week, time.dayOfWeek, -0.0);
  if (time.timeOfDay == 0 && draw.chance(50)) return time.asFinish();
  return time;
}

template <class Source>
std::shared_ptr<Source> makeChart(uint32_t seed, std::string& description) {
  Draw draw(seed);
  const auto n = static_cast<size_t>(36 + draw.below(40));
  std::vector<GanttChartItemPtr> items;
  const auto summary = [&](int64_t row) {
    const Time start = drawTime(draw);
    items.push_back(std::make_shared<GanttChartItem>(
        row == 0 ? "outer" : "inner", row, start, start.addingHours(8), 0.0, std::nullopt,
        std::nullopt, nullptr, true, 0, true, GanttChartItemType::summary));
    return items.back();
  };
  const GanttChartItemPtr outer = summary(0);
  const GanttChartItemPtr inner = summary(1);
  std::vector<GanttChartItemHierarchicalRelation> relations{{outer, {}}, {inner, {}}};
  if (draw.chance(40)) relations[0].children.push_back(inner);
  for (size_t i = 0; i < n; ++i) {
    const Time start = drawTime(draw);
    Time finish = start.addingHours(static_cast<double>(8 * draw.below(5)));
    if (finish.timeOfDay == 0 && draw.chance(50)) finish = finish.asFinish();
    items.push_back(std::make_shared<GanttChartItem>(
        std::to_string(i), static_cast<int64_t>(i + 2), start, finish,
        static_cast<double>(draw.below(3)) / 2, std::nullopt, std::nullopt, nullptr, true, 0, true,
        draw.chance(5) ? GanttChartItemType::milestone : GanttChartItemType::standard));
    relations[draw.chance(70) ? 0 : 1].children.push_back(items.back());
    // Listed twice, or under both summaries: the span counts each listing.
    if (draw.chance(4))
      relations[static_cast<size_t>(draw.below(2))].children.push_back(items.back());
  }
  std::vector<GanttChartDependencyPtr> links;
  std::vector<GanttChartDependencyLagDefinition> lags;
  for (size_t k = n / 3; k > 0; --k) {
    const auto from = static_cast<size_t>(2 + draw.below(static_cast<int64_t>(n - 1)));
    const auto to = from + 1 + static_cast<size_t>(draw.below(static_cast<int64_t>(n + 1 - from)));
    links.push_back(std::make_shared<GanttChartDependency>(
        std::nullopt, items[from], items[to], std::nullopt, 0, true,
        static_cast<GanttChartDependencyType>(draw.below(4))));
    if (draw.chance(30))
      lags.emplace_back(links.back(), static_cast<double>(draw.below(5) - 2) * kHour);
  }
  const int64_t aggregation = draw.below(3);
  const std::optional<bool> aggregating =
      aggregation == 0 ? std::nullopt : std::optional<bool>(aggregation == 2);
  const std::shared_ptr<ScheduleDefinition> calendar =
      draw.chance(50) ? nullptr
                      : std::make_shared<Schedule>(WeekRange::standard(), DayRange::standard());
  std::ostringstream text;
  text << "seed " << seed << ": " << n << " tasks, aggregation " << aggregation
       << (calendar ? ", 5x8" : ", continuous");
  description = text.str();
  return std::make_shared<Source>(
      items, links, calendar,
      GanttChartItemBehaviorSet::classic(relations, std::nullopt, std::nullopt, aggregating, lags,
                                         {}, std::nullopt));
}

std::string stateOf(const GanttChartItemSource& source) {
  std::ostringstream state;
  state.precision(std::numeric_limits<double>::max_digits10);
  for (const auto& item : source.items()) {
    const TimeRange time = item->time();
    state << item->label().value_or("?") << " " << time.start.week << "/" << time.start.dayOfWeek
          << "/" << time.start.timeOfDay << " " << time.finish.week << "/" << time.finish.dayOfWeek
          << "/" << time.finish.timeOfDay << " " << item->completion() << "\n";
  }
  return state.str();
}

void operate(GanttChartItemSource& source, Draw& draw) {
  const GanttChartItemPtr item = draw.pick(source.items());
  const Time time = drawTime(draw);
  switch (draw.below(6)) {
    case 0:
      source.applyBehavior();
      break;
    case 1:
    case 2:
      source.updateTime(item, time);
      break;
    case 3:
      source.updateDurationToFinishOn(
          item, item->start().addingHours(static_cast<double>(draw.below(30))), draw.chance(50));
      break;
    case 4:
      source.updateCompletion(item, time);
      break;
    default:
      if (source.items().size() > 3) source.removeItem(item);
      break;
  }
}

TEST(RememberedSpan, EndsWhereCountingEverySpanEnds) {
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    std::string description;
    const auto engine = makeChart<CountingSource>(seed, description);
    const auto plain = makeChart<PlainCascadeSource>(seed, description);
    SCOPED_TRACE(description);
    engine->applyBehavior();
    plain->applyBehavior();
    if (plain->wasCut()) continue;
    ASSERT_EQ(stateOf(*engine), stateOf(*plain));
    Draw engineDraw(seed * 31);
    Draw plainDraw(seed * 31);
    for (int step = 0; step < 8; ++step) {
      SCOPED_TRACE(step);
      operate(*engine, engineDraw);
      operate(*plain, plainDraw);
      if (plain->wasCut()) break;
      ASSERT_EQ(stateOf(*engine), stateOf(*plain));
    }
  }
}

// Every change a tally follows leaves it as counting the children afresh
// would, in the first child's spelling of a moment children share.
TEST(RememberedSpan, AFollowedTallyIsTheCountAfresh) {
  const auto spelled = [](const TimeRange& range) {
    std::ostringstream text;
    text.precision(std::numeric_limits<double>::max_digits10);
    text << range.start.week << "/" << range.start.dayOfWeek << "/" << range.start.timeOfDay << " "
         << range.finish.week << "/" << range.finish.dayOfWeek << "/" << range.finish.timeOfDay;
    return text.str();
  };
  int64_t followed = 0;
  for (uint32_t seed = 1; seed <= 2000; ++seed) {
    Draw draw(seed);
    std::vector<TimeRange> children(static_cast<size_t>(1 + draw.below(6)));
    for (TimeRange& child : children) child = {drawTime(draw), drawTime(draw)};
    detail::SpanTally tally;
    for (const TimeRange& child : children) tally.add(child);
    for (int step = 0; step < 20 && tally.isFollowable(); ++step) {
      TimeRange& child =
          children[static_cast<size_t>(draw.below(static_cast<int64_t>(children.size())))];
      const TimeRange from = child;
      child = {drawTime(draw), drawTime(draw)};
      if (!tally.follow(from, child)) break;
      detail::SpanTally afresh;
      for (const TimeRange& each : children) afresh.add(each);
      ASSERT_EQ(spelled(*tally.span()), spelled(*afresh.span())) << "seed " << seed;
      ++followed;
    }
  }
  EXPECT_GT(followed, 500);
}

}  // namespace
}  // namespace vorlent
