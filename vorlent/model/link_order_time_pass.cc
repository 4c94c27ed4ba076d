#include "vorlent/model/link_order_time_pass.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <typeinfo>
#include <unordered_map>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/column_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_behavior_set.h"

namespace vorlent::detail {
namespace {

// The library's rules that take part in time steps. Held strongly, so that a
// provider asked below may replace any of them without freeing what is
// still walked.
struct TimeRuleCensus {
  std::vector<std::shared_ptr<GanttChartItemAutoSchedulingBehavior>> autoScheduling;
  std::vector<std::shared_ptr<GanttChartItemHierarchicalBehavior>> hierarchies;
  bool foreign = false;
  bool movesEndsAlone = false;  // a constraint rule that does not preserve durations
};

// Walks sets as they answer: a set already on `path` answers nothing there;
// a member met twice answers twice, so it counts twice.
void survey(const GanttChartItemBehaviorPtr& behavior,
            std::vector<const GanttChartItemBehavior*>& path, TimeRuleCensus& census) {
  const std::type_info& type = typeid(*behavior);
  if (type == typeid(GanttChartItemBehaviorSet)) {
    if (std::find(path.begin(), path.end(), behavior.get()) != path.end()) return;
    path.push_back(behavior.get());
    // A copy of the member list, holding every member for the walk.
    const std::vector<GanttChartItemBehaviorPtr> members =
        static_cast<const GanttChartItemBehaviorSet&>(*behavior).behaviors();
    for (const auto& member : members) {
      if (member) survey(member, path, census);
      if (census.foreign) break;
    }
    path.pop_back();
  } else if (type == typeid(GanttChartItemAutoSchedulingBehavior)) {
    census.autoScheduling.push_back(
        std::static_pointer_cast<GanttChartItemAutoSchedulingBehavior>(behavior));
  } else if (type == typeid(GanttChartItemHierarchicalBehavior)) {
    census.hierarchies.push_back(
        std::static_pointer_cast<GanttChartItemHierarchicalBehavior>(behavior));
  } else if (type == typeid(GanttChartItemConstraintBehavior)) {
    census.movesEndsAlone =
        census.movesEndsAlone ||
        !static_cast<const GanttChartItemConstraintBehavior&>(*behavior).preservingDurations();
  } else if (type != typeid(GanttChartItemColumnBehavior)) {
    census.foreign = true;
  }
}

// Whether the hierarchy leaves every item's time alone.
bool hierarchyMovesNoTime(const TimeRuleCensus& census,
                          const std::vector<GanttChartItemPtr>& items) {
  for (const auto& hierarchy : census.hierarchies) {
    if (!hierarchy->aggregatingTime()) continue;
    const std::shared_ptr<GanttChartItemHierarchyProvider> provider = hierarchy->provider();
    for (const GanttChartItemPtr& item : items) {
      if (provider->parent(item) != nullptr || !provider->children(item).empty()) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::vector<size_t>> linkOrderForTimeSteps(
    const GanttChartItemBehaviorPtr& behavior, const std::vector<GanttChartItemPtr>& items,
    const std::vector<GanttChartDependencyPtr>& dependencies) {
  if (behavior == nullptr) return std::nullopt;
  TimeRuleCensus census;
  std::vector<const GanttChartItemBehavior*> path;
  survey(behavior, path, census);
  if (census.foreign || census.movesEndsAlone || census.autoScheduling.size() > 1) {
    return std::nullopt;
  }
  if (!census.autoScheduling.empty()) {
    const GanttChartItemAutoSchedulingBehavior& rule = *census.autoScheduling.front();
    if (rule.aggregatingSources() || !rule.preservingDurations()) return std::nullopt;
  }
  if (std::find(items.begin(), items.end(), nullptr) != items.end()) return std::nullopt;
  if (!hierarchyMovesNoTime(census, items)) return std::nullopt;

  std::unordered_map<const GanttChartItem*, size_t> positionOf;
  positionOf.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) positionOf.emplace(items[i].get(), i);

  // Links as (from, to) positions, then grouped by `from` for the walk.
  std::vector<std::pair<size_t, size_t>> links;
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
    }
  }
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
  // its links were all counted at its first position.
  std::priority_queue<size_t, std::vector<size_t>, std::greater<>> ready;
  for (size_t i = 0; i < items.size(); ++i) {
    if (waitingFor[i] == 0 && positionOf[items[i].get()] == i) ready.push(i);
  }
  std::vector<size_t> order;
  order.reserve(positionOf.size());
  while (!ready.empty()) {
    const size_t next = ready.top();
    ready.pop();
    order.push_back(next);
    for (size_t k = firstLink[next]; k < firstLink[next + 1]; ++k) {
      if (--waitingFor[successors[k]] == 0) ready.push(successors[k]);
    }
  }
  if (order.size() != positionOf.size()) return std::nullopt;  // a cycle
  return order;
}

}  // namespace vorlent::detail
