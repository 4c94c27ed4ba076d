#include "vorlent/model/summary_time_steps.h"

#include "vorlent/model/constraint_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/hierarchy.h"

namespace vorlent::detail {
namespace {

// Where the manager would leave a standard item asked to take its own time.
bool isSnapped(const GanttChartItem& item, const std::shared_ptr<ScheduleDefinition>& schedule) {
  const std::shared_ptr<ScheduleDefinition>& calendar = item.schedule() ? item.schedule() : schedule;
  if (calendar == nullptr) return true;  // continuous: every instant works
  const Time start = item.start();
  const Time finish = item.finish();
  return !(finish < start) && calendar->nextTime(start) == start &&
         calendar->previousTime(finish) == finish;
}

bool hasConstraints(const LibraryRules& census, const GanttChartItemPtr& item) {
  for (const auto& rule : census.constraints) {
    if (rule->provider() && rule->provider()->constraintsOf(item)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::vector<std::pair<size_t, size_t>>> summaryTimeStepEdges(
    const LibraryRules& census, const std::vector<GanttChartItemPtr>& items,
    const std::unordered_map<const GanttChartItem*, size_t>& positionOf,
    const std::vector<bool>& linked, const std::shared_ptr<ScheduleDefinition>& schedule) {
  std::vector<std::pair<size_t, size_t>> edges;
  std::shared_ptr<GanttChartItemHierarchyProvider> provider;
  for (const auto& hierarchy : census.hierarchies) {
    if (!hierarchy->aggregatingTime()) continue;
    if (provider != nullptr) return std::nullopt;
    provider = hierarchy->provider();
  }
  if (provider == nullptr) return edges;
  const auto positionIn = [&positionOf](const GanttChartItemPtr& item) -> std::optional<size_t> {
    if (item == nullptr) return std::nullopt;
    const auto found = positionOf.find(item.get());
    if (found == positionOf.end()) return std::nullopt;
    return found->second;
  };
  // The summaries, found through the items that name them as parent.
  std::vector<bool> isSummary(items.size(), false);
  std::vector<size_t> summaries;
  for (size_t i = 0; i < items.size(); ++i) {
    if (positionOf.at(items[i].get()) != i) continue;  // a repeat
    const std::optional<size_t> parent = positionIn(provider->parent(items[i]));
    if (!parent) continue;
    edges.emplace_back(i, *parent);
    if (!isSummary[*parent]) {
      isSummary[*parent] = true;
      summaries.push_back(*parent);
    }
  }
  for (const size_t s : summaries) {
    const GanttChartItemPtr& summary = items[s];
    if (summary->type() == GanttChartItemType::milestone || linked[s] ||
        positionIn(provider->parent(summary)) || hasConstraints(census, summary)) {
      return std::nullopt;
    }
    for (const GanttChartItemPtr& child : provider->children(summary)) {
      const std::optional<size_t> c = positionIn(child);
      if (!c) continue;
      if (child->type() != GanttChartItemType::standard || isSummary[*c] ||
          child->start() < summary->start() || summary->finish() < child->finish() ||
          !isSnapped(*child, schedule)) {
        return std::nullopt;
      }
      for (const GanttChartItemPtr& grandchild : provider->children(child)) {
        if (positionIn(grandchild)) return std::nullopt;
      }
      edges.emplace_back(*c, s);
    }
  }
  return edges;
}

}  // namespace vorlent::detail
