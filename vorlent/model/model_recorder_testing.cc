#include "vorlent/model/model_recorder_testing.h"

namespace vorlent::testing {

std::string nameOf(const GanttChartItemPtr& item) {
  return item && item->label() ? *item->label() : std::string("?");
}

std::string nameOf(const GanttChartDependencyPtr& dependency) {
  return dependency && dependency->label() ? *dependency->label() : std::string("?");
}

void RecordingObserver::record(std::string entry) {
  log_->push_back(entry);
  if (onCall) onCall(entry);
}

void RecordingObserver::itemWasAdded(const GanttChartItemPtr& item) {
  record("item.itemWasAdded(" + nameOf(item) + ")");
}
void RecordingObserver::itemWasRemoved(const GanttChartItemPtr& item) {
  record("item.itemWasRemoved(" + nameOf(item) + ")");
}
void RecordingObserver::dependencyWasAdded(const GanttChartDependencyPtr& dependency) {
  record("item.dependencyWasAdded(" + nameOf(dependency) + ")");
}
void RecordingObserver::dependencyWasRemoved(const GanttChartDependencyPtr& dependency) {
  record("item.dependencyWasRemoved(" + nameOf(dependency) + ")");
}
void RecordingObserver::timeDidChange(const GanttChartItemPtr& item, const TimeRange&) {
  record("item.timeDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::completionDidChange(const GanttChartItemPtr& item, double) {
  record("item.completionDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::rowDidChange(const GanttChartItemPtr& item, int64_t) {
  record("item.rowDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::expansionDidChange(const GanttChartItemPtr& item) {
  record("item.expansionDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::zIndexDidChange(const GanttChartItemPtr& item) {
  record("item.zIndexDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::zIndexDidChange(const GanttChartDependencyPtr& dependency) {
  record("item.zIndexDidChange(" + nameOf(dependency) + ")");
}
void RecordingObserver::visibilityDidChange(const GanttChartItemPtr& item) {
  record("item.visibilityDidChange(" + nameOf(item) + ")");
}
void RecordingObserver::visibilityDidChange(const GanttChartDependencyPtr& dependency) {
  record("item.visibilityDidChange(" + nameOf(dependency) + ")");
}
void RecordingObserver::totalRowCountDidChange() { record("collection.R"); }
void RecordingObserver::preferredTimelineDidChange() { record("collection.T"); }
void RecordingObserver::filteredItemsDidChange() { record("collection.I"); }
void RecordingObserver::filteredDependenciesDidChange() { record("collection.D"); }
void RecordingObserver::collectionDidChange() { record("collection.C"); }

GanttChartItemUpdateActions ScriptedBehavior::respond(
    const std::string& call, const std::string& name, const GanttChartItemPtr& item,
    const GanttChartItemList& items, const GanttChartDependencyList& dependencies) {
  log_->push_back("behavior." + call + "(" + name + ")");
  lastItems = items;
  lastDependencies = dependencies;
  return answer ? answer(call, item) : GanttChartItemUpdateActions{};
}

GanttChartItemUpdateActions ScriptedBehavior::itemWasAdded(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("itemWasAdded", nameOf(item), item, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::itemWasRemoved(
    const GanttChartItemPtr& item, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("itemWasRemoved", nameOf(item), item, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::dependencyWasAdded(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("dependencyWasAdded", nameOf(dependency), nullptr, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::dependencyWasRemoved(
    const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("dependencyWasRemoved", nameOf(dependency), nullptr, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::timeDidChange(
    const GanttChartItemPtr& item, const TimeRange&, bool, bool, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("timeDidChange", nameOf(item), item, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::completionDidChange(
    const GanttChartItemPtr& item, double, bool, bool, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("completionDidChange", nameOf(item), item, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::rowDidChange(
    const GanttChartItemPtr& item, int64_t, const GanttChartItemList& items,
    const GanttChartDependencyList& dependencies, const std::shared_ptr<ScheduleDefinition>&) {
  return respond("rowDidChange", nameOf(item), item, items, dependencies);
}
GanttChartItemUpdateActions ScriptedBehavior::expansionDidChange(const GanttChartItemPtr& item,
                                                                 const GanttChartItemList& items) {
  return respond("expansionDidChange", nameOf(item), item, items, GanttChartDependencyList());
}

}  // namespace vorlent::testing
