#pragma once

// The parts an OutlineGanttChart plays in its chart stack, behind one small
// object that the stack may hold (the hierarchical behaviour strongly, the
// others weakly) without keeping the widget alive. The widget detaches it
// when it goes; from then on every call answers nothing and does nothing.

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

  // GanttChartCollectionProvider
  int64_t totalRowCount() override { return chart_ ? chart_->totalRowCount() : 0; }
  TimeRange preferredTimeline() override {
    return chart_ ? chart_->preferredTimeline() : TimeRange::currentWeek();
  }
  std::vector<GanttChartItemPtr> filteredItems(const RowRange& range,
                                               const TimeRange& timeline) override {
    return chart_ ? chart_->filteredItems(range, timeline) : std::vector<GanttChartItemPtr>{};
  }
  std::vector<GanttChartDependencyPtr> filteredDependencies(const RowRange& range,
                                                            const TimeRange& timeline) override {
    return chart_ ? chart_->filteredDependencies(range, timeline)
                  : std::vector<GanttChartDependencyPtr>{};
  }
  std::optional<std::vector<GanttChartItemPtr>> availableItems() override {
    return chart_ ? chart_->availableItems() : std::nullopt;
  }
  std::optional<std::vector<GanttChartDependencyPtr>> availableDependencies() override {
    return chart_ ? chart_->availableDependencies() : std::nullopt;
  }

  // GanttChartItemHierarchyProvider
  GanttChartItemPtr parent(const GanttChartItemPtr& item) const override {
    return chart_ ? chart_->parent(item) : nullptr;
  }
  std::vector<GanttChartItemPtr> children(const GanttChartItemPtr& item) const override {
    return chart_ ? chart_->children(item) : std::vector<GanttChartItemPtr>{};
  }

  // GanttChartItemObserver
  void itemWasAdded(const GanttChartItemPtr& item) override {
    if (chart_) chart_->itemWasAdded(item);
  }
  void itemWasRemoved(const GanttChartItemPtr& item) override {
    if (chart_) chart_->itemWasRemoved(item);
  }
  void dependencyWasAdded(const GanttChartDependencyPtr& dependency) override {
    if (chart_) chart_->dependencyWasAdded(dependency);
  }
  void dependencyWasRemoved(const GanttChartDependencyPtr& dependency) override {
    if (chart_) chart_->dependencyWasRemoved(dependency);
  }
  void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) override {
    if (chart_) chart_->timeDidChange(item, from);
  }
  void completionDidChange(const GanttChartItemPtr& item, double from) override {
    if (chart_) chart_->completionDidChange(item, from);
  }
  void rowDidChange(const GanttChartItemPtr& item, int64_t from) override {
    if (chart_) chart_->rowDidChange(item, from);
  }
  void expansionDidChange(const GanttChartItemPtr& item) override {
    if (chart_) chart_->expansionDidChange(item);
  }
  void zIndexDidChange(const GanttChartItemPtr& item) override {
    if (chart_) chart_->zIndexDidChange(item);
  }
  void zIndexDidChange(const GanttChartDependencyPtr& dependency) override {
    if (chart_) chart_->zIndexDidChange(dependency);
  }
  void visibilityDidChange(const GanttChartItemPtr& item) override {
    if (chart_) chart_->visibilityDidChange(item);
  }
  void visibilityDidChange(const GanttChartDependencyPtr& dependency) override {
    if (chart_) chart_->visibilityDidChange(dependency);
  }

  // GanttChartContentActivator
  void activate(const GanttChartBar& bar) override {
    if (chart_) chart_->activate(bar);
  }
  void activate(const GanttChartDependencyLine& dependencyLine) override {
    if (chart_) chart_->activate(dependencyLine);
  }
  void activate(const GanttChartPosition& position) override {
    if (chart_) chart_->activate(position);
  }

  // GanttChartObserver
  void headerHeightDidChange() override {
    if (chart_) chart_->headerHeightDidChange();
  }
  void headerTimelineDidChange() override {
    if (chart_) chart_->headerTimelineDidChange();
  }

 private:
  OutlineGanttChart* chart_;
};

}  // namespace vorlent
