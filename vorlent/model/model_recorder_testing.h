#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/model/collection_provider.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/item_observer.h"

namespace vorlent::testing {

// The label of an item (or "?" without one), for readable logs.
std::string nameOf(const GanttChartItemPtr& item);
std::string nameOf(const GanttChartDependencyPtr& dependency);

// One log shared by the recorders of a test, so that the order of calls
// across observers and behaviours can be checked as a whole.
using CallLog = std::vector<std::string>;

// Logs every item and collection notification as "item.<call>(<label>)" and
// "collection.<call>".
class RecordingObserver : public GanttChartItemObserver, public GanttChartCollectionObserver {
 public:
  explicit RecordingObserver(std::shared_ptr<CallLog> log) : log_(std::move(log)) {}

  void itemWasAdded(const GanttChartItemPtr& item) override;
  void itemWasRemoved(const GanttChartItemPtr& item) override;
  void dependencyWasAdded(const GanttChartDependencyPtr& dependency) override;
  void dependencyWasRemoved(const GanttChartDependencyPtr& dependency) override;
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) override;
  void completionDidChange(const GanttChartItemPtr& item, double from) override;
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override;
  void expansionDidChange(const GanttChartItemPtr& item) override;
  void zIndexDidChange(const GanttChartItemPtr& item) override;
  void zIndexDidChange(const GanttChartDependencyPtr& dependency) override;
  void visibilityDidChange(const GanttChartItemPtr& item) override;
  void visibilityDidChange(const GanttChartDependencyPtr& dependency) override;

  void totalRowCountDidChange() override;
  void preferredTimelineDidChange() override;
  void filteredItemsDidChange() override;
  void filteredDependenciesDidChange() override;
  void collectionDidChange() override;

  // Called after each logged notification, for tests that re-enter.
  std::function<void(const std::string&)> onCall;

 private:
  void record(std::string entry);
  std::shared_ptr<CallLog> log_;
};

// A behaviour that logs every callback as "behavior.<call>(<label>)" and
// answers from a script: `answers` keyed by "<call>(<label>)"; missing keys
// answer nothing. It remembers the last lists it was handed.
class ScriptedBehavior : public GanttChartItemBehavior {
 public:
  explicit ScriptedBehavior(std::shared_ptr<CallLog> log) : log_(std::move(log)) {}

  std::function<GanttChartItemUpdateActions(const std::string& call, const GanttChartItemPtr&)>
      answer;
  GanttChartItemList lastItems;
  GanttChartDependencyList lastDependencies;

  GanttChartItemUpdateActions itemWasAdded(const GanttChartItemPtr& item,
                                           const GanttChartItemList& items,
                                           const GanttChartDependencyList& dependencies,
                                           const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions itemWasRemoved(const GanttChartItemPtr& item,
                                             const GanttChartItemList& items,
                                             const GanttChartDependencyList& dependencies,
                                             const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions dependencyWasAdded(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions dependencyWasRemoved(
      const GanttChartDependencyPtr& dependency, const GanttChartItemList& items,
      const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& item, const TimeRange& from,
                                            bool up, bool down, const GanttChartItemList& items,
                                            const GanttChartDependencyList& dependencies,
                                            const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions completionDidChange(
      const GanttChartItemPtr& item, double from, bool up, bool down,
      const GanttChartItemList& items, const GanttChartDependencyList& dependencies,
      const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions rowDidChange(const GanttChartItemPtr& item, int64_t from,
                                           const GanttChartItemList& items,
                                           const GanttChartDependencyList& dependencies,
                                           const std::shared_ptr<ScheduleDefinition>&) override;
  GanttChartItemUpdateActions expansionDidChange(const GanttChartItemPtr& item,
                                                 const GanttChartItemList& items) override;

 private:
  GanttChartItemUpdateActions respond(const std::string& call, const std::string& name,
                                      const GanttChartItemPtr& item,
                                      const GanttChartItemList& items,
                                      const GanttChartDependencyList& dependencies);
  std::shared_ptr<CallLog> log_;
};

}  // namespace vorlent::testing
