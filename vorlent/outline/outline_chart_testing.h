#pragma once

// A host for outline chart tests: a tree of rows held in memory, serving as
// data source and recording, in one log, what it and the forwarding targets
// were told.

#include <QVariant>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vorlent/controllers/content_activator.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_data_source.h"
#include "vorlent/time/time.h"

namespace vorlent::testing {

// A Wednesday noon, so that the current week is the same in every zone.
[[nodiscard]] Time pinnedNow();

class OutlineHost : public OutlineGanttChartDataSource,
                    public GanttChartItemObserver,
                    public GanttChartContentActivator {
 public:
  // A root row labelled `label` with one bar from `start`, lasting `days`.
  OutlineGanttChartRowPtr addRoot(const std::string& label, Time start, int days = 1);
  OutlineGanttChartRowPtr addChild(const OutlineGanttChartRowPtr& parent, const std::string& label,
                                   Time start, int days = 1);
  // The first bar of a row.
  [[nodiscard]] static OutlineGanttChartItemPtr itemOf(const OutlineGanttChartRowPtr& row);

  std::vector<OutlineGanttChartRowPtr> roots;
  std::map<const OutlineGanttChartRow*, std::vector<OutlineGanttChartRowPtr>> childrenOf;
  std::vector<OutlineGanttChartDependencyPtr> dependencies;
  // How often the chart asked for the dependencies.
  int dependencyQueries = 0;
  std::vector<std::string> log;
  std::vector<TimeRange> toldOldTimes;
  // Run when the data source hears that an item's time changed, after it
  // logged it.
  std::function<void(const OutlineGanttChartItemPtr&)> onSourceTime;
  std::vector<GanttChartBar> activatedBars;

  // --- OutlineGanttChartDataSource
  OutlineGanttChartRowPtr outlineGanttChartChild(OutlineGanttChart& chart, int64_t index,
                                                 const OutlineGanttChartRowPtr& ofItem) override;
  bool outlineGanttChartIsItemExpandable(OutlineGanttChart& chart,
                                         const OutlineGanttChartRowPtr& item) override;
  int64_t outlineGanttChartNumberOfChildrenOfItem(OutlineGanttChart& chart,
                                                  const OutlineGanttChartRowPtr& item) override;
  QVariant outlineGanttChartObjectValueFor(OutlineGanttChart& chart, int column,
                                           const OutlineGanttChartRowPtr& byItem) override;
  std::vector<OutlineGanttChartDependencyPtr> outlineGanttChartDependenciesFor(
      OutlineGanttChart& chart, const std::vector<OutlineGanttChartItemPtr>& items) override;
  void outlineGanttChartTimeDidChangeFor(OutlineGanttChart& chart,
                                         const OutlineGanttChartItemPtr& item,
                                         const TimeRange& from) override;
  void outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& chart,
                                               const OutlineGanttChartItemPtr& item,
                                               double from) override;
  void outlineGanttChartRowDidChangeFor(OutlineGanttChart& chart,
                                        const OutlineGanttChartItemPtr& item,
                                        const OutlineGanttChartRowPtr& from,
                                        const OutlineGanttChartRowPtr& to) override;
  void outlineGanttChartDidAddItem(OutlineGanttChart& chart, const OutlineGanttChartItemPtr& item,
                                   const OutlineGanttChartRowPtr& to) override;
  void outlineGanttChartDidRemoveItem(OutlineGanttChart& chart,
                                      const OutlineGanttChartItemPtr& item,
                                      const OutlineGanttChartRowPtr& from) override;
  void outlineGanttChartDidAddDependency(OutlineGanttChart& chart,
                                         const OutlineGanttChartDependencyPtr& dependency) override;
  void outlineGanttChartDidRemoveDependency(
      OutlineGanttChart& chart, const OutlineGanttChartDependencyPtr& dependency) override;

  // --- GanttChartItemObserver (the forwarded calls)
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) override;
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override;
  void itemWasAdded(const GanttChartItemPtr& item) override;
  void zIndexDidChange(const GanttChartItemPtr& item) override;

  // --- GanttChartContentActivator
  void activate(const GanttChartBar& bar) override;

 private:
  std::vector<OutlineGanttChartRowPtr>& listOf(const OutlineGanttChartRowPtr& row);
};

// A rule that only counts the times the item manager offers it a moved item,
// running `onOffer` (when set) each time.
class OfferCountingBehavior : public GanttChartItemBehavior {
 public:
  GanttChartItemUpdateActions timeDidChange(const GanttChartItemPtr& /*item*/,
                                            const TimeRange& /*from*/, bool /*up*/, bool /*down*/,
                                            const GanttChartItemList& /*items*/,
                                            const GanttChartDependencyList& /*dependencies*/,
                                            const std::shared_ptr<ScheduleDefinition>&) override {
    ++offers;
    if (onOffer) onOffer();
    return {};
  }
  int offers = 0;
  std::function<void()> onOffer;
};

// "r7" and the like: a prefix and a number. (Spelled with append: GCC 12
// warns falsely about `"r" + std::to_string(i)` at -O2.)
inline std::string numbered(const char* prefix, int number) {
  return std::string(prefix).append(std::to_string(number));
}

}  // namespace vorlent::testing
