#include "vorlent/outline/outline_chart_testing.h"

#include <unordered_set>

namespace vorlent::testing {

Time pinnedNow() { return Time::fromYearMonthDay(2024, 3, 13, 12, 0, 0); }

namespace {

OutlineGanttChartRowPtr makeRow(const std::string& label, Time start, int days) {
  auto item = OutlineGanttChartItem::create(label, start, start.addingDays(days), 0, std::nullopt,
                                            std::nullopt, nullptr, 0, true, std::nullopt,
                                            std::nullopt, {});
  return OutlineGanttChartRow::create(label, {item}, std::nullopt, {});
}

std::string labelOf(const OutlineGanttChartRowPtr& row) {
  return row ? row->label().value_or("") : "none";
}

}  // namespace

OutlineGanttChartRowPtr OutlineHost::addRoot(const std::string& label, Time start, int days) {
  roots.push_back(makeRow(label, start, days));
  return roots.back();
}

OutlineGanttChartRowPtr OutlineHost::addChild(const OutlineGanttChartRowPtr& parent,
                                              const std::string& label, Time start, int days) {
  auto& list = childrenOf[parent.get()];
  list.push_back(makeRow(label, start, days));
  return list.back();
}

OutlineGanttChartItemPtr OutlineHost::itemOf(const OutlineGanttChartRowPtr& row) {
  return row->chartItems().front();
}

std::vector<OutlineGanttChartRowPtr>& OutlineHost::listOf(const OutlineGanttChartRowPtr& row) {
  return row ? childrenOf[row.get()] : roots;
}

OutlineGanttChartRowPtr OutlineHost::outlineGanttChartChild(OutlineGanttChart& /*chart*/,
                                                            int64_t index,
                                                            const OutlineGanttChartRowPtr& ofItem) {
  auto& list = listOf(ofItem);
  return index < int64_t(list.size()) ? list[static_cast<size_t>(index)] : nullptr;
}

bool OutlineHost::outlineGanttChartIsItemExpandable(OutlineGanttChart& /*chart*/,
                                                    const OutlineGanttChartRowPtr& item) {
  return !listOf(item).empty();
}

int64_t OutlineHost::outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& /*chart*/,
                                                             const OutlineGanttChartRowPtr& item) {
  return int64_t(listOf(item).size());
}

QVariant OutlineHost::outlineGanttChartObjectValueFor(OutlineGanttChart& /*chart*/, int /*column*/,
                                                      const OutlineGanttChartRowPtr& byItem) {
  return QString::fromStdString(labelOf(byItem));
}

std::vector<OutlineGanttChartDependencyPtr> OutlineHost::outlineGanttChartDependenciesFor(
    OutlineGanttChart& /*chart*/, const std::vector<OutlineGanttChartItemPtr>& items) {
  ++dependencyQueries;
  std::unordered_set<const OutlineGanttChartItem*> shown;
  for (const auto& item : items) shown.insert(item.get());
  std::vector<OutlineGanttChartDependencyPtr> result;
  for (const auto& dependency : dependencies) {
    if (shown.contains(dependency->from().get()) || shown.contains(dependency->to().get())) {
      result.push_back(dependency);
    }
  }
  return result;
}

void OutlineHost::outlineGanttChartTimeDidChangeFor(OutlineGanttChart& /*chart*/,
                                                    const OutlineGanttChartItemPtr& item,
                                                    const TimeRange& from) {
  log.push_back("source time " + item->label().value_or(""));
  toldOldTimes.push_back(from);
  if (onSourceTime) onSourceTime(item);
}

void OutlineHost::outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& /*chart*/,
                                                          const OutlineGanttChartItemPtr& item,
                                                          double /*from*/) {
  log.push_back("source completion " + item->label().value_or(""));
}

void OutlineHost::outlineGanttChartRowDidChangeFor(OutlineGanttChart& /*chart*/,
                                                   const OutlineGanttChartItemPtr& /*item*/,
                                                   const OutlineGanttChartRowPtr& from,
                                                   const OutlineGanttChartRowPtr& to) {
  log.push_back("source row " + labelOf(from) + ">" + labelOf(to));
}

void OutlineHost::outlineGanttChartDidAddItem(OutlineGanttChart& /*chart*/,
                                              const OutlineGanttChartItemPtr& /*item*/,
                                              const OutlineGanttChartRowPtr& to) {
  log.push_back("source added " + labelOf(to));
}

void OutlineHost::outlineGanttChartDidRemoveItem(OutlineGanttChart& /*chart*/,
                                                 const OutlineGanttChartItemPtr& /*item*/,
                                                 const OutlineGanttChartRowPtr& from) {
  log.push_back("source removed " + labelOf(from));
}

void OutlineHost::outlineGanttChartDidAddDependency(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& dependency) {
  log.push_back("source linked");
  dependencies.push_back(dependency);
}

void OutlineHost::outlineGanttChartDidRemoveDependency(
    OutlineGanttChart& /*chart*/, const OutlineGanttChartDependencyPtr& dependency) {
  log.push_back("source unlinked");
  std::erase(dependencies, dependency);
}

void OutlineHost::timeDidChange(const GanttChartItemPtr& item, const TimeRange& /*from*/) {
  log.push_back("observer time " + item->label().value_or(""));
}

void OutlineHost::rowDidChange(const GanttChartItemPtr& /*item*/, int64_t from) {
  log.push_back("observer row " + std::to_string(from));
}

void OutlineHost::itemWasAdded(const GanttChartItemPtr& /*item*/) {
  log.push_back("observer added");
}

void OutlineHost::zIndexDidChange(const GanttChartItemPtr& /*item*/) {
  log.push_back("observer z");
}

void OutlineHost::activate(const GanttChartBar& bar) { activatedBars.push_back(bar); }

}  // namespace vorlent::testing
