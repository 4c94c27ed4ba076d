#include "vorlent/model/link_order_time_pass.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <unordered_map>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/behavior_schedule.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/library_rules.h"
#include "vorlent/model/link_push_cache.h"
#include "vorlent/model/summary_time_steps.h"

namespace vorlent::detail {
namespace {

// Whether two of `links` (by position, from and to) join the same two items
// in the same direction. Counted in one walk over the links grouped by
// their `from` item.
bool joinsAPairTwice(const std::vector<std::pair<size_t, size_t>>& links, size_t itemCount) {
  std::vector<size_t> firstOf(itemCount + 1, 0);
  for (const auto& link : links) ++firstOf[link.first + 1];
  for (size_t i = 0; i < itemCount; ++i) firstOf[i + 1] += firstOf[i];
  std::vector<size_t> targets(links.size());
  std::vector<size_t> filled(firstOf.begin(), firstOf.end() - 1);
  for (const auto& [from, to] : links) targets[filled[from]++] = to;
  constexpr size_t kNone = static_cast<size_t>(-1);
  std::vector<size_t> lastReachedFrom(itemCount, kNone);
  for (size_t from = 0; from < itemCount; ++from) {
    for (size_t k = firstOf[from]; k < firstOf[from + 1]; ++k) {
      if (lastReachedFrom[targets[k]] == from) return true;
      lastReachedFrom[targets[k]] = from;
    }
  }
  return false;
}

const std::shared_ptr<GanttChartDependencyLagProvider>& lagsOf(const LibraryRules& census) {
  static const std::shared_ptr<GanttChartDependencyLagProvider> none;
  return census.autoScheduling.empty() ? none : census.autoScheduling.front()->lagProvider();
}

}  // namespace

bool placesNothingEarlier(const std::vector<std::pair<GanttChartItemPtr, TimeRange>>& placements) {
  return std::none_of(placements.begin(), placements.end(), [](const auto& placement) {
    const auto& [item, time] = placement;
    return time.start < item->start() || time.finish < item->finish();
  });
}

std::optional<std::vector<size_t>> linkOrderForTimeSteps(
    const GanttChartItemBehaviorPtr& behavior, const std::vector<GanttChartItemPtr>& items,
    const std::vector<GanttChartDependencyPtr>& dependencies,
    const std::shared_ptr<ScheduleDefinition>& schedule, bool* pairsLinkedTwice) {
  if (pairsLinkedTwice != nullptr) *pairsLinkedTwice = false;
  if (behavior == nullptr) return std::nullopt;
  const LibraryRules census = libraryRulesOf(behavior);
  // A constraint rule that does not preserve durations moves one end alone.
  const bool movesEndsAlone =
      std::any_of(census.constraints.begin(), census.constraints.end(),
                  [](const auto& rule) { return !rule->preservingDurations(); });
  if (census.foreign || movesEndsAlone || census.autoScheduling.size() > 1) return std::nullopt;
  if (!census.autoScheduling.empty()) {
    const GanttChartItemAutoSchedulingBehavior& rule = *census.autoScheduling.front();
    if (rule.aggregatingSources() || !rule.preservingDurations()) return std::nullopt;
  }
  if (std::find(items.begin(), items.end(), nullptr) != items.end()) return std::nullopt;

  std::unordered_map<const GanttChartItem*, size_t, AddressHash> positionOf;
  positionOf.reserve(items.size());
  std::vector<bool> isFirst(items.size());  // false for a repeat
  for (size_t i = 0; i < items.size(); ++i) {
    isFirst[i] = positionOf.emplace(items[i].get(), i).second;
  }

  // Links as (from, to) positions, then grouped by `from` for the walk.
  std::vector<std::pair<size_t, size_t>> links;
  // By position, which ends usable links pull at: bit 0 the start, bit 1
  // the finish.
  std::vector<uint8_t> pulledEnds(items.size(), 0);
  if (!census.autoScheduling.empty()) {
    const std::shared_ptr<GanttChartDependencyLagProvider> lags =
        census.autoScheduling.front()->lagProvider();
    links.reserve(dependencies.size());
    for (const GanttChartDependencyPtr& dependency : dependencies) {
      if (dependency == nullptr) return std::nullopt;
      if (lags && lags->shouldExclude(dependency)) continue;
      const auto from = positionOf.find(dependency->from().get());
      const auto to = positionOf.find(dependency->to().get());
      if (from == positionOf.end() || to == positionOf.end()) return std::nullopt;
      links.emplace_back(from->second, to->second);
      pulledEnds[to->second] |= dependency->toType() == GanttChartDependencyEndType::start ? 1 : 2;
    }
  }
  // A successor linked twice to one predecessor hears of its every change
  // twice: once placed by the link, then pushed from where it lay before,
  // and the later answer wins. Where it lay before depends on the order in
  // which its other predecessors were asked about.
  if (joinsAPairTwice(links, items.size())) {
    // Only where nothing can pull an item back (see `placesNothingEarlier`).
    if (pairsLinkedTwice == nullptr || !LinkPushCache::isKeepable(lagsOf(census).get())) {
      return std::nullopt;
    }
    for (const auto& rule : census.constraints) {
      if (rule->provider() == nullptr) continue;
      for (const GanttChartItemPtr& item : items) {
        if (rule->provider()->constraintsOf(item)) return std::nullopt;
      }
    }
    *pairsLinkedTwice = true;
  }
  // A moment (an item without working time) pulled at both ends is not
  // rigid: pushed by its start, its finish is the next working instant,
  // which can lie a night later; pushed by its finish, its start is that
  // finish. Where it ends then depends on which link pushes last.
  for (size_t i = 0; i < items.size(); ++i) {
    if (pulledEnds[i] != 3) continue;
    const GanttChartItem& item = *items[i];
    if (item.type() == GanttChartItemType::milestone ||
        behaviorScheduleOf(item, schedule)->duration(item.start(), item.finish()) == 0) {
      return std::nullopt;
    }
  }
  // Summaries after their children: the hierarchy then spans each summary
  // once its children are in place.
  std::vector<bool> linked(items.size(), false);
  for (const auto& [from, to] : links) linked[from] = linked[to] = true;
  const std::optional<std::vector<std::pair<size_t, size_t>>> spans =
      summaryTimeStepEdges(census, items, positionOf, linked, schedule);
  if (!spans) return std::nullopt;
  links.insert(links.end(), spans->begin(), spans->end());

  std::vector<size_t> firstLink(items.size() + 1, 0);
  std::vector<size_t> waitingFor(items.size(), 0);  // unplaced predecessors
  for (const auto& [from, to] : links) {
    ++firstLink[from + 1];
    ++waitingFor[to];
  }
  for (size_t i = 0; i < items.size(); ++i) firstLink[i + 1] += firstLink[i];
  std::vector<size_t> successors(links.size());
  std::vector<size_t> filled(firstLink.begin(), firstLink.end() - 1);
  for (const auto& [from, to] : links) successors[filled[from]++] = to;

  // Kahn's walk, the earliest listed ready item first. A repeat is left out:
  // its links were all counted at its first position. The list is scanned
  // in order, and only items that become ready behind the scan (summaries
  // listed above their children, successors listed above) wait in a heap,
  // so a chart listed nearly in link order costs a pass over the list.
  std::priority_queue<size_t, std::vector<size_t>, std::greater<>> behind;
  std::vector<size_t> order;
  order.reserve(positionOf.size());
  size_t scan = 0;
  const auto advance = [&] {
    while (scan < items.size() && !(waitingFor[scan] == 0 && isFirst[scan])) ++scan;
  };
  advance();
  for (;;) {
    size_t next;
    if (!behind.empty() && (scan == items.size() || behind.top() < scan)) {
      next = behind.top();
      behind.pop();
    } else if (scan < items.size()) {
      next = scan++;
    } else {
      break;
    }
    order.push_back(next);
    for (size_t k = firstLink[next]; k < firstLink[next + 1]; ++k) {
      if (--waitingFor[successors[k]] == 0 && successors[k] < scan) behind.push(successors[k]);
    }
    advance();
  }
  if (order.size() != positionOf.size()) return std::nullopt;  // a cycle
  return order;
}

}  // namespace vorlent::detail
