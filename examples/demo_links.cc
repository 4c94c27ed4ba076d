#include "examples/demo_links.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "vorlent/model/hierarchy.h"

namespace vorlent::examples {

bool leadsTo(GanttChartItemSource& source, const GanttChartItemPtr& from,
             const GanttChartItemPtr& to) {
  std::unordered_map<const GanttChartItem*, std::vector<const GanttChartItem*>> successors;
  for (const GanttChartDependencyPtr& link : source.availableDependencies()) {
    if (link && link->from() && link->to()) {
      successors[link->from().get()].push_back(link->to().get());
    }
  }
  const std::shared_ptr<GanttChartItemHierarchy>& hierarchy = source.hierarchy();
  // The first relation naming an item as a child gives its parent, as in
  // the hierarchy itself.
  std::unordered_map<const GanttChartItem*, const GanttChartItem*> parents;
  if (hierarchy) {
    for (const GanttChartItemHierarchicalRelation& relation : hierarchy->relations()) {
      for (const GanttChartItemPtr& child : relation.children) {
        if (child && relation.parent) parents.emplace(child.get(), relation.parent.get());
      }
    }
  }
  return leadsTo(
      from.get(), to.get(),
      [&](const GanttChartItem* item, const auto& visit) {
        const auto found = successors.find(item);
        if (found == successors.end()) return;
        for (const GanttChartItem* next : found->second) visit(next);
      },
      [&](const GanttChartItem* item, const auto& visit) {
        const auto* children = hierarchy ? hierarchy->lentChildren(item) : nullptr;
        if (children == nullptr) return;
        for (const GanttChartItemPtr& child : *children) visit(child.get());
      },
      [&](const GanttChartItem* item) -> const GanttChartItem* {
        const auto found = parents.find(item);
        return found == parents.end() ? nullptr : found->second;
      });
}

namespace {

class DemoLinkEditor : public GanttChartContentEditor {
 public:
  DemoLinkEditor(DemoLinkPaths leadsTo, std::function<void(const std::string&)> tell)
      : leadsTo_(std::move(leadsTo)), tell_(std::move(tell)) {}

  bool canAddNewDependency(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                           GanttChartDependencyType /*type*/) override {
    if (!from || !to || !leadsTo_(to, from)) return true;
    const std::string fromLabel = from->label().value_or("the task");
    const std::string toLabel = to->label().value_or("the task");
    tell_("Not linked: " + toLabel + " already leads to " + fromLabel + ", so a link from " +
          fromLabel + " to " + toLabel +
          " would close a loop, which would push the plan later without end.");
    return false;
  }

  bool canEdit(const GanttChartItemPtr& /*item*/) override { return false; }
  bool canEdit(const GanttChartDependencyPtr& /*dependency*/) override { return false; }

 private:
  DemoLinkPaths leadsTo_;
  std::function<void(const std::string&)> tell_;
};

}  // namespace

std::shared_ptr<GanttChartContentEditor> makeDemoLinkEditor(
    DemoLinkPaths leadsTo, std::function<void(const std::string&)> tell) {
  return std::make_shared<DemoLinkEditor>(std::move(leadsTo), std::move(tell));
}

}  // namespace vorlent::examples
