#include "vorlent/outline/outline_item_manager.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "vorlent/model/shared_list.h"
#include "vorlent/outline/outline_dependency.h"

namespace vorlent {
namespace {

// `list` with the chart's new links that no outline dependency mirrors yet
// and that it does not hold already.
GanttChartDependencyList withUnmirrored(const GanttChartDependencyList& list,
                                        const std::vector<GanttChartDependencyPtr>& links) {
  std::vector<GanttChartDependencyPtr> added;
  for (const auto& link : links) {
    if (outlineGanttChartDependencyOf(*link)) continue;
    if (std::find(list.begin(), list.end(), link) == list.end()) added.push_back(link);
  }
  if (added.empty()) return list;
  std::vector<GanttChartDependencyPtr> elements = list.elements();
  elements.insert(elements.end(), added.begin(), added.end());
  return GanttChartDependencyList(std::move(elements));
}

// A list that reads as `fresh` does, over the elements of the last list
// read when they are the very same ones: rules index a list by its elements,
// and the chart's lists rarely change from one application to the next (one
// drag step to the next), though each application reads them anew.
template <class T>
SharedList<T> overLastElements(
    SharedList<T> fresh,
    std::shared_ptr<std::shared_ptr<const std::vector<std::shared_ptr<T>>>> last) {
  std::shared_ptr<const SharedListIndex> index = fresh.index();
  return SharedList<T>::lazyShared(
      [fresh = std::move(fresh), last = std::move(last)] {
        const std::vector<std::shared_ptr<T>>& elements = fresh.elements();
        if (!*last || **last != elements) {
          *last = std::make_shared<const std::vector<std::shared_ptr<T>>>(elements);
        }
        return *last;
      },
      std::move(index));
}

}  // namespace

OutlineGanttChartItemManager::Application::Application(OutlineGanttChartItemManager& manager)
    : manager_(manager) {
  if (manager_.applications_++ == 0) ++manager_.listsReading_;
}

OutlineGanttChartItemManager::Application::~Application() {
  if (--manager_.applications_ == 0) manager_.dropLists();
}

GanttChartItemList OutlineGanttChartItemManager::availableItems() {
  if (applications_ == 0) return GanttChartItemManager::availableItems();
  if (!items_) items_ = overLastElements(GanttChartItemManager::availableItems(), lastItems_);
  return *items_;
}

GanttChartDependencyList OutlineGanttChartItemManager::availableDependencies() {
  const auto read = [this] {
    GanttChartDependencyList list = GanttChartItemManager::availableDependencies();
    return newDependencies_.empty() ? list : withUnmirrored(list, newDependencies_);
  };
  if (applications_ == 0) return read();
  if (!dependencies_) dependencies_ = overLastElements(read(), lastDependencies_);
  return *dependencies_;
}

template <class Run>
void OutlineGanttChartItemManager::asOneApplication(const Run& run) {
  const auto alive = weak_from_this().lock();
  const Application application(*this);
  run();
}

void OutlineGanttChartItemManager::applySchedule(const GanttChartItemPtr& item) {
  asOneApplication([&] { GanttChartItemManager::applySchedule(item); });
}

void OutlineGanttChartItemManager::applySchedule() {
  asOneApplication([&] { GanttChartItemManager::applySchedule(); });
}

void OutlineGanttChartItemManager::applyBehavior(const GanttChartItemPtr& item) {
  asOneApplication([&] { GanttChartItemManager::applyBehavior(item); });
}

void OutlineGanttChartItemManager::applyBehavior() {
  asOneApplication([&] { GanttChartItemManager::applyBehavior(); });
}

void OutlineGanttChartItemManager::updateTime(const GanttChartItemPtr& item, const Time& start) {
  asOneApplication([&] { GanttChartItemManager::updateTime(item, start); });
}

void OutlineGanttChartItemManager::updateDurationToFinishOn(const GanttChartItemPtr& item,
                                                            const Time& finish,
                                                            bool preservingCompletedDuration) {
  asOneApplication([&] {
    GanttChartItemManager::updateDurationToFinishOn(item, finish, preservingCompletedDuration);
  });
}

void OutlineGanttChartItemManager::updateDurationToStartOn(const GanttChartItemPtr& item,
                                                           const Time& start,
                                                           bool preservingCompletedDuration) {
  asOneApplication([&] {
    GanttChartItemManager::updateDurationToStartOn(item, start, preservingCompletedDuration);
  });
}

void OutlineGanttChartItemManager::updateCompletion(const GanttChartItemPtr& item,
                                                    const Time& until) {
  asOneApplication([&] { GanttChartItemManager::updateCompletion(item, until); });
}

void OutlineGanttChartItemManager::updateRow(const GanttChartItemPtr& item, int64_t row) {
  asOneApplication([&] { GanttChartItemManager::updateRow(item, row); });
}

void OutlineGanttChartItemManager::performUpdates(GanttChartItemUpdateActions actions,
                                                  int64_t recursivity) {
  asOneApplication(
      [&] { GanttChartItemManager::performUpdates(std::move(actions), recursivity); });
}

void OutlineGanttChartItemManager::sourceDidChange() {
  dropLists();
  // The chart lists its rows again: what they held need not stay alive.
  lastItems_->reset();
  lastDependencies_->reset();
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
  GanttChartDependencyPtr dependency =
      GanttChartItemManager::addNewSourceDependency(from, to, type);
  // Only addNewDependency() tells the host: a link made otherwise would stay
  // unmirrored for good.
  if (dependency && addingDependencies_ > 0) newDependencies_.push_back(dependency);
  return dependency;
}

GanttChartDependencyPtr OutlineGanttChartItemManager::addNewDependency(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type) {
  const auto alive = weak_from_this().lock();
  ++addingDependencies_;
  GanttChartDependencyPtr dependency = GanttChartItemManager::addNewDependency(from, to, type);
  --addingDependencies_;
  // The host has heard of it now (or never will): the chart's answers are
  // the host's again.
  std::erase(newDependencies_, dependency);
  dropLists();
  return dependency;
}

void OutlineGanttChartItemManager::removeSourceDependency(
    const GanttChartDependencyPtr& dependency) {
  dropLists();
  // Removed while it is being drawn (by a rule or an observer): it must
  // leave the chart's answers now, not once the drawing is over.
  std::erase(newDependencies_, dependency);
  GanttChartItemManager::removeSourceDependency(dependency);
}

void OutlineGanttChartItemManager::dropLists() {
  ++listsReading_;
  items_.reset();
  dependencies_.reset();
}

}  // namespace vorlent
