#include "vorlent/outline/outline_item_manager.h"

#include <memory>

namespace vorlent {

OutlineGanttChartItemManager::Application::Application(OutlineGanttChartItemManager& manager)
    : manager_(manager) {
  if (manager_.applications_++ == 0) ++manager_.listsReading_;
}

OutlineGanttChartItemManager::Application::~Application() {
  if (--manager_.applications_ == 0) manager_.dropLists();
}

GanttChartItemList OutlineGanttChartItemManager::availableItems() {
  if (applications_ == 0) return GanttChartItemManager::availableItems();
  if (!items_) items_ = GanttChartItemManager::availableItems();
  return *items_;
}

GanttChartDependencyList OutlineGanttChartItemManager::availableDependencies() {
  if (applications_ == 0) return GanttChartItemManager::availableDependencies();
  if (!dependencies_) dependencies_ = GanttChartItemManager::availableDependencies();
  return *dependencies_;
}

void OutlineGanttChartItemManager::applySchedule(const GanttChartItemPtr& item) {
  // Held too: the chart may drop the last other owner while the rules run.
  const auto alive = weak_from_this().lock();
  const Application application(*this);
  GanttChartItemManager::applySchedule(item);
}

void OutlineGanttChartItemManager::applySchedule() {
  const auto alive = weak_from_this().lock();
  const Application application(*this);
  GanttChartItemManager::applySchedule();
}

void OutlineGanttChartItemManager::applyBehavior(const GanttChartItemPtr& item) {
  const auto alive = weak_from_this().lock();
  const Application application(*this);
  GanttChartItemManager::applyBehavior(item);
}

void OutlineGanttChartItemManager::applyBehavior() {
  const auto alive = weak_from_this().lock();
  const Application application(*this);
  GanttChartItemManager::applyBehavior();
}

void OutlineGanttChartItemManager::sourceDidChange() {
  dropLists();
  GanttChartItemManager::sourceDidChange();
}

GanttChartItemPtr OutlineGanttChartItemManager::addNewSourceItem(int64_t row, const Time& time,
                                                                 bool isMilestone) {
  dropLists();
  return GanttChartItemManager::addNewSourceItem(row, time, isMilestone);
}

void OutlineGanttChartItemManager::removeSourceItem(const GanttChartItemPtr& item) {
  dropLists();
  GanttChartItemManager::removeSourceItem(item);
}

GanttChartDependencyPtr OutlineGanttChartItemManager::addNewSourceDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  dropLists();
  return GanttChartItemManager::addNewSourceDependency(from, to, type);
}

void OutlineGanttChartItemManager::removeSourceDependency(
    const GanttChartDependencyPtr& dependency) {
  dropLists();
  GanttChartItemManager::removeSourceDependency(dependency);
}

void OutlineGanttChartItemManager::dropLists() {
  ++listsReading_;
  items_.reset();
  dependencies_.reset();
}

}  // namespace vorlent
