#pragma once

// The demo's plan as a host's outline: one outline row per plan row, phases
// over work packages over task rows, the plan's links as outline
// dependencies, shown in an OutlineGanttChart.

#include <QMainWindow>

#include <memory>
#include <unordered_map>
#include <vector>

#include "examples/demo_app.h"
#include "examples/demo_project.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_data_source.h"


namespace vorlent::examples {

// The host side: holds every outline object and answers the chart from
// them. Rows are columns "Task", "Start", "Finish" and "Done"; a day outside
// the plan's first year is shown with its year. Each outline
// dependency carries its plan lag (seconds of working time, a double) as its
// context.
class DemoOutlineSource : public OutlineGanttChartDataSource {
 public:
  explicit DemoOutlineSource(const DemoPlan& plan);

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
  // An edit in the chart writes the item's tool tip anew.
  void outlineGanttChartTimeDidChangeFor(OutlineGanttChart& chart,
                                         const OutlineGanttChartItemPtr& item,
                                         const TimeRange& from) override;
  void outlineGanttChartCompletionDidChangeFor(OutlineGanttChart& chart,
                                               const OutlineGanttChartItemPtr& item,
                                               double from) override;

  // The links the user draws or deletes in the chart join or leave the
  // host's, which the chart asks for again at each query.
  void outlineGanttChartDidAddDependency(OutlineGanttChart& chart,
                                         const OutlineGanttChartDependencyPtr& dependency) override;
  void outlineGanttChartDidRemoveDependency(
      OutlineGanttChart& chart, const OutlineGanttChartDependencyPtr& dependency) override;

  [[nodiscard]] static QStringList columnTitles();
  [[nodiscard]] const std::vector<OutlineGanttChartRowPtr>& rootRows() const { return roots_; }
  [[nodiscard]] int64_t rowCount() const { return int64_t(rows_.size()); }
  [[nodiscard]] int64_t dependencyCount() const { return dependencyCount_; }
  // The outline items in plan order.
  [[nodiscard]] const std::vector<OutlineGanttChartItemPtr>& items() const { return items_; }
  // Whether `from` already leads to `to` along the host's links, those
  // drawn in the chart included, whether or not the chart shows them, and
  // the plan's summaries (see `examples::leadsTo`).
  [[nodiscard]] bool leadsTo(const OutlineGanttChartItem* from,
                             const OutlineGanttChartItem* to) const;

  // The plan's rules beyond the outline's own hierarchy, as the main
  // window's item source keeps them: successors follow their predecessors
  // with the plan's lags, an edited item stays behind its own predecessors,
  // and the last milestone finishes no later than two weeks after its
  // planned finish.
  [[nodiscard]] GanttChartItemBehaviorPtr makeBehavior() const;

 private:
  [[nodiscard]] const std::vector<OutlineGanttChartRowPtr>& childrenOf(
      const OutlineGanttChartRowPtr& row) const;

  std::vector<OutlineGanttChartItemPtr> items_;
  std::vector<OutlineGanttChartRowPtr> rows_;
  std::vector<OutlineGanttChartRowPtr> roots_;
  std::unordered_map<const OutlineGanttChartRow*, std::vector<OutlineGanttChartRowPtr>> children_;
  // The links leaving each item.
  std::unordered_map<const OutlineGanttChartItem*, std::vector<OutlineGanttChartDependencyPtr>>
      outgoing_;
  // The plan's summary of each item that has one, and the items of each
  // summary.
  std::unordered_map<const OutlineGanttChartItem*, const OutlineGanttChartItem*> summaryOf_;
  std::unordered_map<const OutlineGanttChartItem*, std::vector<const OutlineGanttChartItem*>>
      contents_;
  void refreshDetails(OutlineGanttChartItem& item) const;

  std::shared_ptr<ScheduleDefinition> calendar_;
  // The year of the plan's start: days in it are shown without their year.
  int64_t firstYear_ = 0;
  // The plan's kind of each item.
  std::unordered_map<const OutlineGanttChartItem*, DemoItemKind> kinds_;
  int64_t dependencyCount_ = 0;
};

// The outline chart of the demo: its timeline is a `DemoTimeline` around
// the items of the displayed rows, and so follows the plan as edits move
// them past its ends (the library's own outline chart keeps the current
// week). Without such items, the current week.
class DemoOutlineChart : public OutlineGanttChart {
 public:
  using OutlineGanttChart::OutlineGanttChart;
  [[nodiscard]] TimeRange preferredTimeline() override;

 private:
  DemoTimeline timeline_;
};

struct DemoOutlineScene {
  DemoPlan plan;
  std::shared_ptr<DemoOutlineSource> source;
};
[[nodiscard]] DemoOutlineScene makeDemoOutlineScene(const Time& today);

// Gives `chart` the scene: the plan's calendar, shading, theme and rules,
// every row expanded and its first days in view.
void showDemoOutline(OutlineGanttChart& chart, const DemoOutlineScene& scene,
                     const DemoOptions& options);

// An outline chart of the options' size showing the scene, drawn in memory.
[[nodiscard]] std::unique_ptr<DemoOutlineChart> makeOffscreenOutlineChart(
    const DemoOutlineScene& scene, const DemoOptions& options);

[[nodiscard]] std::string describeDemoOutline(const DemoOutlineScene& scene,
                                              OutlineGanttChart& chart);

// The window: the outline chart with the picture export and quit.
class DemoOutlineWindow : public QMainWindow {
  Q_OBJECT

 public:
  DemoOutlineWindow(DemoOutlineScene scene, const DemoOptions& options);
  [[nodiscard]] OutlineGanttChart& chart() const { return *chart_; }

 private:
  void exportImage();

  DemoOutlineScene scene_;
  DemoOutlineChart* chart_;
  std::shared_ptr<GanttChartContentEditor> linkEditor_;
};

}  // namespace vorlent::examples
