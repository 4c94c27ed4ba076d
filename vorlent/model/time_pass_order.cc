#include "vorlent/model/time_pass_order.h"

#include <cstdint>
#include <typeinfo>
#include <unordered_map>

#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/constraints.h"
#include "vorlent/model/dependency_lags.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/library_rules.h"

namespace vorlent::detail {
namespace {

bool answersNoTime(const GanttChartItemHierarchicalBehavior& rule,
                   const std::vector<GanttChartItemPtr>& items) {
  if (!rule.aggregatingTime()) return true;
  const auto& provider = rule.provider();
  if (typeid(*provider) != typeid(GanttChartItemHierarchy)) return false;
  const auto& hierarchy = static_cast<const GanttChartItemHierarchy&>(*provider);
  if (hierarchy.relations().empty()) return true;
  for (const GanttChartItemPtr& item : items) {
    if (hierarchy.parent(item) != nullptr || !hierarchy.children(item).empty()) return false;
  }
  return true;
}

bool answersNoTime(const GanttChartItemConstraintBehavior& rule,
                   const std::vector<GanttChartItemPtr>& items) {
  const auto& provider = rule.provider();
  if (typeid(*provider) != typeid(GanttChartItemConstraintSet)) return false;
  const auto& set = static_cast<const GanttChartItemConstraintSet&>(*provider);
  if (set.constraints().empty()) return true;
  for (const GanttChartItemPtr& item : items) {
    if (set.constraintsOf(item)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<size_t>> timePassOrder(const GanttChartItemBehavior& behavior,
                                                 const std::vector<GanttChartItemPtr>& items,
                                                 const GanttChartDependencyList& dependencies) {
  const LibraryRules rules = libraryRulesOf(behavior);
  if (rules.foreign || rules.autoScheduling.size() != 1) return std::nullopt;
  const GanttChartItemAutoSchedulingBehavior& scheduling = *rules.autoScheduling.front();
  if (scheduling.applyingToUpdatingItems() || scheduling.aggregatingSources() == false ||
      !scheduling.preservingDurations()) {
    return std::nullopt;
  }
  const auto& lags = scheduling.lagProvider();
  if (lags && typeid(*lags) != typeid(GanttChartDependencyLagSet)) return std::nullopt;
  for (const auto* rule : rules.hierarchies) {
    if (!answersNoTime(*rule, items)) return std::nullopt;
  }
  for (const auto* rule : rules.constraints) {
    if (!answersNoTime(*rule, items)) return std::nullopt;
  }

  std::unordered_map<const GanttChartItem*, size_t> position;
  position.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == nullptr || !position.emplace(items[i].get(), i).second) return std::nullopt;
  }
  // Successors as a flat adjacency list (links in list order), with the
  // count of predecessors still to come for each item.
  std::vector<size_t> predecessorsLeft(items.size(), 0);
  std::vector<std::pair<size_t, size_t>> edges;
  for (const GanttChartDependencyPtr& link : dependencies.elements()) {
    if (lags && lags->shouldExclude(link)) continue;
    const auto from = position.find(link->from().get());
    const auto to = position.find(link->to().get());
    if (from == position.end() || to == position.end()) return std::nullopt;
    edges.emplace_back(from->second, to->second);
    ++predecessorsLeft[to->second];
  }
  std::vector<size_t> firstEdge(items.size() + 1, 0);
  for (const auto& [from, to] : edges) ++firstEdge[from + 1];
  for (size_t i = 0; i < items.size(); ++i) firstEdge[i + 1] += firstEdge[i];
  std::vector<size_t> successors(edges.size());
  std::vector<size_t> filled(firstEdge.begin(), firstEdge.end() - 1);
  for (const auto& [from, to] : edges) successors[filled[from]++] = to;

  // Kahn's walk; which of the ready items goes first does not matter.
  std::vector<size_t> order;
  order.reserve(items.size());
  std::vector<size_t> ready;
  for (size_t i = items.size(); i-- > 0;) {
    if (predecessorsLeft[i] == 0) ready.push_back(i);
  }
  while (!ready.empty()) {
    const size_t item = ready.back();
    ready.pop_back();
    order.push_back(item);
    for (size_t e = firstEdge[item]; e < firstEdge[item + 1]; ++e) {
      if (--predecessorsLeft[successors[e]] == 0) ready.push_back(successors[e]);
    }
  }
  if (order.size() != items.size()) return std::nullopt;  // a cycle
  return order;
}

}  // namespace vorlent::detail
