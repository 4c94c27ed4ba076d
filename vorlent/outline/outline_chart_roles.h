#pragma once

// The parts an OutlineGanttChart plays in its chart stack, behind one small
// object that the stack may hold (the hierarchical behaviour strongly, the
// others weakly) without keeping the widget alive. The widget detaches it
// when it goes; from then on every call answers nothing and does nothing.
// It also counts the calls under way, so that a widget that a host deletes
// from inside one can tell that the stack's callers are still running.

#include "vorlent/base/scoped_count.h"
#include "vorlent/controllers/chart_protocols.h"
#include "vorlent/controllers/content_activator.h"
#include "vorlent/model/collection_provider.h"
#include "vorlent/model/hierarchy.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/outline/outline_chart.h"

namespace vorlent {

class OutlineGanttChart::Roles : public GanttChartCollectionProvider,
                                 public GanttChartItemHierarchyProvider,
                                 public GanttChartItemObserver,
                                 public GanttChartContentActivator,
                                 public GanttChartObserver {
 public:
  explicit Roles(OutlineGanttChart* chart) : chart_(chart) {}
  void detach() { chart_ = nullptr; }
  // Whether a call from the chart stack into the widget is under way.
  [[nodiscard]] bool isDispatching() const { return depth_ > 0; }

  // GanttChartCollectionProvider
  int64_t totalRowCount() override {
    return answer(int64_t{0}, [](OutlineGanttChart& chart) { return chart.totalRowCount(); });
  }
  TimeRange preferredTimeline() override {
    return answer(TimeRange::currentWeek(),
                  [](OutlineGanttChart& chart) { return chart.preferredTimeline(); });
  }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange& range,
                                               const TimeRange& timeline) override {
    return answer(std::vector<GanttChartItemPtr>{}, [&](OutlineGanttChart& chart) {
      return chart.filteredItems(range, timeline);
    });
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange& range,
                                                            const TimeRange& timeline) override {
    return answer(std::vector<GanttChartDependencyPtr>{}, [&](OutlineGanttChart& chart) {
      return chart.filteredDependencies(range, timeline);
    });
  }
  std::optional<std::vector<GanttChartItemPtr>> availableItems() override {
    return answer(std::optional<std::vector<GanttChartItemPtr>>{},
                  [](OutlineGanttChart& chart) { return chart.availableItems(); });
  }
  std::optional<std::vector<GanttChartDependencyPtr>> availableDependencies() override {
    return answer(std::optional<std::vector<GanttChartDependencyPtr>>{},
                  [](OutlineGanttChart& chart) { return chart.availableDependencies(); });
  }

  // GanttChartItemHierarchyProvider
  GanttChartItemPtr parent(const GanttChartItemPtr& item) const override {
    return answer(GanttChartItemPtr{},
                  [&](OutlineGanttChart& chart) { return chart.parent(item); });
  }
  std::vector<GanttChartItemPtr> children(const GanttChartItemPtr& item) const override {
    return answer(std::vector<GanttChartItemPtr>{},
                  [&](OutlineGanttChart& chart) { return chart.children(item); });
  }

  // GanttChartItemObserver
  void itemWasAdded(const GanttChartItemPtr& item) override {
    tell([&](OutlineGanttChart& chart) { chart.itemWasAdded(item); });
  }
  void itemWasRemoved(const GanttChartItemPtr& item) override {
    tell([&](OutlineGanttChart& chart) { chart.itemWasRemoved(item); });
  }
  void dependencyWasAdded(const GanttChartDependencyPtr& dependency) override {
    tell([&](OutlineGanttChart& chart) { chart.dependencyWasAdded(dependency); });
  }
  void dependencyWasRemoved(const GanttChartDependencyPtr& dependency) override {
    tell([&](OutlineGanttChart& chart) { chart.dependencyWasRemoved(dependency); });
  }
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) override {
    tell([&](OutlineGanttChart& chart) { chart.timeDidChange(item, from); });
  }
  void completionDidChange(const GanttChartItemPtr& item, double from) override {
    tell([&](OutlineGanttChart& chart) { chart.completionDidChange(item, from); });
  }
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override {
    tell([&](OutlineGanttChart& chart) { chart.rowDidChange(item, from); });
  }
  void expansionDidChange(const GanttChartItemPtr& item) override {
    tell([&](OutlineGanttChart& chart) { chart.expansionDidChange(item); });
  }
  void zIndexDidChange(const GanttChartItemPtr& item) override {
    tell([&](OutlineGanttChart& chart) { chart.zIndexDidChange(item); });
  }
  void zIndexDidChange(const GanttChartDependencyPtr& dependency) override {
    tell([&](OutlineGanttChart& chart) { chart.zIndexDidChange(dependency); });
  }
  void visibilityDidChange(const GanttChartItemPtr& item) override {
    tell([&](OutlineGanttChart& chart) { chart.visibilityDidChange(item); });
  }
  void visibilityDidChange(const GanttChartDependencyPtr& dependency) override {
    tell([&](OutlineGanttChart& chart) { chart.visibilityDidChange(dependency); });
  }

  // GanttChartContentActivator
  void activate(const GanttChartBar& bar) override {
    tell([&](OutlineGanttChart& chart) { chart.activate(bar); });
  }
  void activate(const GanttChartDependencyLine& dependencyLine) override {
    tell([&](OutlineGanttChart& chart) { chart.activate(dependencyLine); });
  }
  void activate(const GanttChartPosition& position) override {
    tell([&](OutlineGanttChart& chart) { chart.activate(position); });
  }

  // GanttChartObserver
  void headerHeightDidChange() override {
    tell([](OutlineGanttChart& chart) { chart.headerHeightDidChange(); });
  }
  void headerTimelineDidChange() override {
    tell([](OutlineGanttChart& chart) { chart.headerTimelineDidChange(); });
  }

 private:
  // Runs `call` on the widget while it is there; `none` once it is gone.
  template <class Result, class Run>
  Result answer(Result none, const Run& run) const {
    if (!chart_) return none;
    const detail::ScopedCount call(depth_);
    return run(*chart_);
  }
  template <class Run>
  void tell(const Run& run) const {
    if (!chart_) return;
    const detail::ScopedCount call(depth_);
    run(*chart_);
  }

  OutlineGanttChart* chart_;
  mutable int depth_ = 0;
};

}  // namespace vorlent
