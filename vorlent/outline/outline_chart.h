#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/chart_protocols.h"
#include "vorlent/controllers/content_activator.h"
#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/header_controller.h"
#include "vorlent/model/auto_scheduling_behavior.h"
#include "vorlent/model/hierarchical_behavior.h"
#include "vorlent/model/item_behavior.h"
#include "vorlent/model/item_manager.h"
#include "vorlent/model/item_observer.h"
#include "vorlent/outline/outline_application_index.h"
#include "vorlent/outline/outline_data_source.h"
#include "vorlent/outline/outline_dependency.h"
#include "vorlent/outline/outline_item.h"
#include "vorlent/outline/outline_model.h"
#include "vorlent/outline/outline_row.h"
#include "vorlent/time/schedule_definition.h"
#include "vorlent/views/image_export.h"

class QAbstractScrollArea;
class QLabel;
class QSplitter;
class QTreeView;

namespace vorlent {

class GanttChart;
class OutlineGanttChartItemDelegate;
class OutlineGanttChartItemManager;

// A host's hierarchical rows in a tree view beside a chart, row against row:
// chart row r shows the bars of the outline's displayed row r. Expanding,
// collapsing and scrolling either side moves the other (the chart is in step
// when the tree's call returns; a call that expands or collapses many rows,
// such as expandAll(), synchronises the chart once); the outline's header
// area is padded to the height of the chart's time-scale header; edits made
// in the chart update the host's outline objects, then reach its data
// source and then its forwarding targets.
//
// The widget builds its own chart stack once (header controller, item
// manager, content controller, chart controller) and plays several parts in
// it: the item manager's collection provider, hierarchy provider and item
// observer, the content controller's activator, the chart view's observer.
// Those parts are played through a small object that refers to the widget
// without owning it, so nothing the stack holds keeps the widget alive and
// whatever outlives the widget (a manager a host kept, its hierarchical
// behaviour) finds it gone and answers nothing.
//
// The outline is a QTreeView over an OutlineGanttChartModel that asks this
// widget (OutlineViewDataSource), which asks the host's data source. Root
// rows may be handed to the tree a page at a time as the user scrolls
// towards the end (`setIsPagingEnabled`).
//
// Every row and item is found by identity. The host keeps its outline
// objects in std::shared_ptr; the widget keeps only what it displays, and
// chart twins keep their outline objects alive while the chart uses them.
// A host may delete the widget from inside any of its callbacks; Qt may
// then still be inside the outline's tree (its expansion signals, its
// layout, its questions to the model), the chart or the splitter between
// them (a drag of the divider), so what the widget holds, hidden and
// without a parent, is freed on a later turn of the event loop.
// GUI thread only.
class OutlineGanttChart : public QWidget, public OutlineViewDataSource {
  Q_OBJECT

 public:
  explicit OutlineGanttChart(QWidget* parent = nullptr);
  ~OutlineGanttChart() override;
  OutlineGanttChart(const OutlineGanttChart&) = delete;
  OutlineGanttChart& operator=(const OutlineGanttChart&) = delete;

  // QObject's own parent and children, which the hierarchy provider's
  // overloads below would otherwise hide.
  using QObject::children;
  using QObject::parent;

  // --- Parts of the view ---------------------------------------------------------
  // The widget filling this one, holding the split view.
  [[nodiscard]] virtual QWidget* contentView() const;
  [[nodiscard]] virtual QSplitter* splitView() const;
  // The box above the outline that pads its header to the chart header's
  // height, and the label inside it.
  [[nodiscard]] virtual QWidget* outlineHeaderSpacingBox() const;
  [[nodiscard]] virtual QLabel* outlineHeaderSpacingLabel() const;
  // The tree view scrolls itself: the scroll view is the tree, the clip
  // view its viewport.
  [[nodiscard]] virtual QAbstractScrollArea* outlineScrollView() const;
  [[nodiscard]] virtual QWidget* outlineClipView() const;
  [[nodiscard]] virtual QTreeView* outlineView() const;
  [[nodiscard]] virtual OutlineGanttChartModel* outlineModel() const;
  [[nodiscard]] virtual GanttChart* ganttChart() const;

  // --- Chart stack -----------------------------------------------------------------
  [[nodiscard]] virtual const std::shared_ptr<GanttChartHeaderController>&
  ganttChartHeaderController() const {
    return ganttChartHeaderController_;
  }
  [[nodiscard]] virtual const GanttChartItemManagerPtr& ganttChartItemManager() const {
    return ganttChartItemManager_;
  }
  [[nodiscard]] virtual const std::shared_ptr<GanttChartContentController>&
  ganttChartContentController() const {
    return ganttChartContentController_;
  }
  [[nodiscard]] virtual const std::shared_ptr<GanttChartController>& ganttChartController()
      const {
    return ganttChartController_;
  }
  [[nodiscard]] virtual bool isInInterfaceBuilder() const { return isInInterfaceBuilder_; }

  // --- Rows ------------------------------------------------------------------------
  // The height of one outline row, which is also the chart's row height
  // (20 at first). Setting it sizes the tree's rows, gives the chart the
  // same height and label and attachment fonts that fit it, and pads the
  // headers again. A value that is not finite or below 1 counts as 1.
  [[nodiscard]] virtual double rowHeight() const;
  virtual void setRowHeight(double height);
  // The padding above the outline's header: the chart header's height less
  // the outline header's (a hidden header counts as 0), never below 0. The
  // padding box shows less where the window squeezes the chart's header.
  [[nodiscard]] virtual double outlineHeaderSpacing() const;

  // --- Data source and paging --------------------------------------------------------
  // Held weakly. Assigning connects the outline and synchronises the rows;
  // without one the outline and the chart are empty.
  [[nodiscard]] virtual std::shared_ptr<OutlineGanttChartDataSource> dataSource() const {
    return dataSource_.lock();
  }
  virtual void setDataSource(std::weak_ptr<OutlineGanttChartDataSource> dataSource);
  // Paging of root rows: while on, the outline shows the host's first root
  // rows, `minPageCount` pages to begin with, and one page more whenever the
  // visible bottom comes within half a screen of the end. A page is a
  // screenful of rows, or `minPageSize` when that is larger. Assigning any
  // of the three reloads the outline and synchronises both sides.
  [[nodiscard]] virtual bool isPagingEnabled() const { return isPagingEnabled_; }
  virtual void setIsPagingEnabled(bool enabled);
  [[nodiscard]] virtual std::optional<int64_t> minPageSize() const { return minPageSize_; }
  virtual void setMinPageSize(std::optional<int64_t> size);
  [[nodiscard]] virtual int64_t minPageCount() const { return minPageCount_; }
  virtual void setMinPageCount(int64_t count);
  // Loads a further page when paging is on, the visible bottom is within
  // half a screen of the end and the host has more root rows than shown.
  virtual void loadMoreDataIfNeeded();
  // True only while a further page is being loaded.
  [[nodiscard]] virtual bool loadMoreData() const { return loadMoreData_; }
  [[nodiscard]] virtual int64_t currentlyDisplayedRootItemCount() const {
    return currentlyDisplayedRootItemCount_;
  }
  [[nodiscard]] virtual int64_t currentlyAvailableRootItemCount() const {
    return currentlyAvailableRootItemCount_;
  }

  // --- OutlineViewDataSource: what the tree's model asks -------------------------
  // Design-time samples while `isInInterfaceBuilder`, else the data source's
  // answers (none without one); the root count is paged while paging is on.
  OutlineGanttChartRowPtr outlineViewChild(int64_t index,
                                           const OutlineGanttChartRowPtr& ofItem) override;
  bool outlineViewIsItemExpandable(const OutlineGanttChartRowPtr& item) override;
  int64_t outlineViewNumberOfChildrenOfItem(const OutlineGanttChartRowPtr& item) override;
  QVariant outlineViewObjectValueFor(int column, const OutlineGanttChartRowPtr& item) override;
  // Passes the edit on, then synchronises the rows.
  void outlineViewSetObjectValue(const QVariant& value, int column,
                                 const OutlineGanttChartRowPtr& item) override;

  // --- Collection and hierarchy provider -------------------------------------------
  // The displayed rows of the outline.
  [[nodiscard]] virtual int64_t totalRowCount();
  // The current week.
  [[nodiscard]] virtual TimeRange preferredTimeline();
  // The twins of the items on the displayed rows within `range`, each on its
  // displayed row; the timeline is not used.
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> filteredItems(const RowRange& range,
                                                                     const TimeRange& timeline);
  // The host's dependencies among the item manager's filtered items, as
  // twins between the items' twins; one whose end is not available is left
  // out.
  [[nodiscard]] virtual std::vector<GanttChartDependencyPtr> filteredDependencies(
      const RowRange& range, const TimeRange& timeline);
  // Both nullopt unless `areOutOfRowRangeItemsAvailable`; then every
  // displayed row's twins (cached until the next synchronisation) and the
  // dependencies among them (computed at each call).
  [[nodiscard]] virtual std::optional<std::vector<GanttChartItemPtr>> availableItems();
  [[nodiscard]] virtual std::optional<std::vector<GanttChartDependencyPtr>>
  availableDependencies();
  [[nodiscard]] virtual const std::optional<std::vector<GanttChartItemPtr>>& cachedAvailableItems()
      const {
    return cachedAvailableItems_;
  }
  [[nodiscard]] virtual const std::optional<std::vector<GanttChartDependencyPtr>>&
  cachedAvailableDependencies() const {
    return cachedAvailableDependencies_;
  }
  // Assigning clears the two caches; nothing is reloaded or announced.
  [[nodiscard]] virtual bool areOutOfRowRangeItemsAvailable() const {
    return areOutOfRowRangeItemsAvailable_;
  }
  virtual void setAreOutOfRowRangeItemsAvailable(bool available);
  // The first available twin on the parent row of the item's row; null on a
  // root row or for an item on no displayed row.
  [[nodiscard]] virtual GanttChartItemPtr parent(const GanttChartItemPtr& item);
  // The available twins on the child rows of the item's row, in child
  // order; none for an item on no displayed row.
  [[nodiscard]] virtual std::vector<GanttChartItemPtr> children(const GanttChartItemPtr& item);

  // Rebuilds `outlineItems` from the displayed rows, drops the cached
  // available lists, tells the item manager everything changed and
  // re-applies schedule and behaviour when set to.
  virtual void synchronizeOutlineItems();
  // The displayed rows in synchronisation order: rows that stay keep their
  // place, newly displayed ones are appended.
  [[nodiscard]] virtual const std::vector<OutlineGanttChartRowPtr>& outlineItems() const {
    return outlineItems_;
  }

  // --- Schedule and behaviour ------------------------------------------------------
  // The item manager's schedule; assigning applies nothing by itself.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> schedule() const;
  virtual void setSchedule(std::shared_ptr<ScheduleDefinition> schedule);
  // The item's own schedule, else the chart's.
  [[nodiscard]] virtual std::shared_ptr<ScheduleDefinition> scheduleFor(
      const GanttChartItemPtr& item) const;
  virtual void applySchedule();
  // For the outline item's twin among the available items; nothing when it
  // has none there.
  virtual void applySchedule(const OutlineGanttChartItemPtr& item);
  // Assigning true applies the schedule at once, and from then on at each
  // synchronisation and vertical scroll.
  [[nodiscard]] virtual bool autoApplySchedule() const { return autoApplySchedule_; }
  virtual void setAutoApplySchedule(bool autoApply);
  // Pushes successors later along dependencies. Every assignment rebuilds
  // the behaviour set.
  [[nodiscard]] virtual bool isAutoScheduling() const { return isAutoScheduling_; }
  virtual void setIsAutoScheduling(bool autoScheduling);
  // The host's own behaviour, asked after the hierarchy and auto-scheduling.
  // Every assignment rebuilds the behaviour set.
  [[nodiscard]] virtual const GanttChartItemBehaviorPtr& behavior() const { return behavior_; }
  virtual void setBehavior(GanttChartItemBehaviorPtr behavior);
  [[nodiscard]] virtual const std::shared_ptr<GanttChartItemHierarchicalBehavior>&
  hierarchicalBehavior() const {
    return hierarchicalBehavior_;
  }
  [[nodiscard]] virtual const std::shared_ptr<GanttChartItemAutoSchedulingBehavior>&
  autoSchedulingBehavior() const {
    return autoSchedulingBehavior_;
  }
  // Makes `autoSchedulingBehavior` follow `isAutoScheduling` (a new one
  // while on, none while off), then `updateBehavior()`.
  virtual void updateAutoSchedulingBehavior();
  // Gives the item manager a new set of the hierarchical, auto-scheduling
  // and host behaviours present, in that order.
  virtual void updateBehavior();
  virtual void applyBehavior();
  virtual void applyBehavior(const OutlineGanttChartItemPtr& item);
  [[nodiscard]] virtual bool autoApplyBehavior() const { return autoApplyBehavior_; }
  virtual void setAutoApplyBehavior(bool autoApply);

  // --- Reload, scrolling, export -------------------------------------------------
  // Asks the data source again for every known row, keeping expansion by
  // identity, then aligns and synchronises the chart. A reload asked for by
  // the data source while it answers runs once that answer is in, and one
  // asked for while the host hears of an edit once the edit is over; the
  // rest of that edit reads the host's links again meanwhile.
  virtual void reloadData();
  // Shows the displayed row in both sides; a row outside the displayed
  // rows does nothing.
  virtual void scrollRowToVisible(int64_t row);
  virtual void scrollColumnToVisible(int column);
  // The whole view (outline, padding and chart) as it shows now; an empty
  // view gives a null image and empty data.
  [[nodiscard]] virtual QImage imageRepresentation();
  [[nodiscard]] virtual QPixmap image();
  // PNG.
  [[nodiscard]] virtual QByteArray imageData();
  // In a format Qt's writers know; an unknown one gives empty data.
  [[nodiscard]] virtual QByteArray imageData(const QByteArray& format,
                                             const ImageProperties& properties = {});

  // --- Chart view observer ------------------------------------------------------
  // Pads the headers again, then forwards.
  virtual void headerHeightDidChange();
  virtual void headerTimelineDidChange();

  // --- Content activator ------------------------------------------------------
  // A bar on an expandable row expands or collapses that row; any other
  // activation is forwarded.
  virtual void activate(const GanttChartBar& bar);
  virtual void activate(const GanttChartDependencyLine& dependencyLine);
  virtual void activate(const GanttChartPosition& position);

  // --- Item observer: chart edits back to the host ------------------------------
  // Each updates the outline objects (only for a chart object that mirrors
  // one), reloads the affected outline row where shown values changed, tells
  // the data source with the outline's old value, then forwards the call
  // unchanged to `ganttChartItemObserver`.
  virtual void timeDidChange(const GanttChartItemPtr& item, const TimeRange& from);
  virtual void completionDidChange(const GanttChartItemPtr& item, double from);
  // Moves the outline item from the row at `from` to the item's row and
  // reloads both rows; with either row missing (negative, or past the
  // displayed rows) the outline is left as it is and the call only
  // forwarded.
  virtual void rowDidChange(const GanttChartItemPtr& item, int64_t from);
  // Makes a new outline item for the chart's item on its row, or takes the
  // outline item off its row, and reloads that row; on a row that is not
  // displayed it only forwards.
  virtual void itemWasAdded(const GanttChartItemPtr& item);
  virtual void itemWasRemoved(const GanttChartItemPtr& item);
  virtual void dependencyWasAdded(const GanttChartDependencyPtr& dependency);
  virtual void dependencyWasRemoved(const GanttChartDependencyPtr& dependency);
  // These only forward.
  virtual void expansionDidChange(const GanttChartItemPtr& item);
  virtual void zIndexDidChange(const GanttChartItemPtr& item);
  virtual void zIndexDidChange(const GanttChartDependencyPtr& dependency);
  virtual void visibilityDidChange(const GanttChartItemPtr& item);
  virtual void visibilityDidChange(const GanttChartDependencyPtr& dependency);

  // The twin of an outline item (dependency) among the item manager's
  // available items (dependencies), or null.
  [[nodiscard]] virtual GanttChartItemPtr ganttChartItem(const OutlineGanttChartItemPtr& item);
  [[nodiscard]] virtual GanttChartDependencyPtr ganttChartDependency(
      const OutlineGanttChartDependencyPtr& dependency);

  // --- Forwarding targets, held weakly ------------------------------------------
  [[nodiscard]] virtual std::shared_ptr<GanttChartObserver> ganttChartObserver() const {
    return ganttChartObserver_.lock();
  }
  virtual void setGanttChartObserver(std::weak_ptr<GanttChartObserver> observer) {
    ganttChartObserver_ = std::move(observer);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartContentActivator> ganttChartContentActivator()
      const {
    return ganttChartContentActivator_.lock();
  }
  virtual void setGanttChartContentActivator(std::weak_ptr<GanttChartContentActivator> activator) {
    ganttChartContentActivator_ = std::move(activator);
  }
  [[nodiscard]] virtual std::shared_ptr<GanttChartItemObserver> ganttChartItemObserver() const {
    return ganttChartItemObserver_.lock();
  }
  virtual void setGanttChartItemObserver(std::weak_ptr<GanttChartItemObserver> observer) {
    ganttChartItemObserver_ = std::move(observer);
  }

  // Shows a sample for designing a window: a column titled "Items" and two
  // rows of two bars each, whatever the data source.
  virtual void prepareForInterfaceBuilder();

 protected:
  // Set-up steps, run once by the constructor.
  virtual void loadContentView();
  virtual void addNotificationObservers();
  virtual void initializeControllers();
  // The chart scrolled: re-apply when set to, let the outline follow, and
  // check for a further page on a later turn of the event loop.
  virtual void ganttChartBoundsDidChange();
  // The outline's vertical offset into the chart, then re-application.
  virtual void synchronizeGanttChartScrolling();
  // The chart's vertical offset into the outline.
  virtual void synchronizeOutlineScrolling();
  // Sizes the padding above the outline's header to reach as low as the
  // chart's header as laid out, at most `outlineHeaderSpacing()`.
  virtual void updateHeaderSpacing();
  // The tree's visible area changed size.
  virtual void outlineLayoutDidChange();

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Roles;

  // The outline's header height; 0 while hidden.
  [[nodiscard]] double outlineHeaderHeight() const;
  // The chart's row height and label fonts from the outline's row height.
  void applyRowHeightToChart();
  // The row shown at `row`, for the outline side of an edit.
  [[nodiscard]] OutlineGanttChartRowPtr displayedRow(int64_t row);
  // The first row of `outlineItems` holding `item`; the second looks it up
  // in the application index when given the state that index is ready for.
  [[nodiscard]] OutlineGanttChartRowPtr rowHolding(const OutlineGanttChartItemPtr& item) const;
  [[nodiscard]] OutlineGanttChartRowPtr rowHolding(
      const OutlineGanttChartItemPtr& item,
      const std::optional<detail::OutlineApplicationIndex::State>& state) const;
  // What the hierarchy answers of the application of the rules now running
  // are worked out from; nullopt outside one.
  [[nodiscard]] std::optional<detail::OutlineApplicationIndex::State> applicationState() const;
  // Builds `applicationIndex_` for the application now running unless it is
  // built for it already, and gives the state it is built for; nullopt
  // outside an application, and when reading the lists deleted this view.
  std::optional<detail::OutlineApplicationIndex::State> readyApplicationIndex() const;
  // The available twins whose outline item is on `row`.
  [[nodiscard]] std::vector<GanttChartItemPtr> availableTwinsOn(const OutlineGanttChartRow& row);
  [[nodiscard]] bool withLabelDetails() const;
  std::vector<GanttChartDependencyPtr> dependenciesAmong(
      const std::vector<GanttChartItemPtr>& chartItems);
  void applyAutomatically();
  void pagingSettingDidChange();
  // The tree's model asks the data source again; the expansions it
  // restores synchronise once, by the caller.
  void reloadOutline();
  // Runs reloadData() on the next turn of the event loop; any number of
  // calls before that turn come to one reload.
  void postReload();
  // Runs, on the next turn of the event loop, what is owed by then (a
  // reload, else a synchronisation) and ends any expansion pass; any number
  // of calls before that turn post once.
  void postCatchUp();
  // The tree signalled an expansion or a collapse. The first of a pass
  // synchronises at once, so that a single expansion is in step when it
  // returns; the rest of the pass synchronises once, when it ends.
  void outlineExpansionDidChange();
  // The tree finished laying out its rows: the expansion pass, if any, is
  // over unless a tree signal or a source answer is still running.
  void outlineLayoutPassDidEnd();
  [[nodiscard]] GanttChartItemManager& requireItemManager() const;
  [[nodiscard]] OutlineGanttChartRowPtr designTimeRow(int64_t index) const;

  QPointer<QWidget> contentView_;
  QPointer<QSplitter> splitView_;
  QPointer<QWidget> outlineHeaderSpacingBox_;
  QPointer<QLabel> outlineHeaderSpacingLabel_;
  QPointer<QTreeView> outlineView_;
  QPointer<OutlineGanttChartModel> outlineModel_;
  QPointer<OutlineGanttChartItemDelegate> delegate_;
  QPointer<GanttChart> ganttChart_;

  std::shared_ptr<GanttChartHeaderController> ganttChartHeaderController_;
  GanttChartItemManagerPtr ganttChartItemManager_;
  // The same manager, as the type this view builds.
  OutlineGanttChartItemManager* outlineItemManager_ = nullptr;
  std::shared_ptr<GanttChartContentController> ganttChartContentController_;
  std::shared_ptr<GanttChartController> ganttChartController_;
  std::shared_ptr<Roles> roles_;
  bool isInInterfaceBuilder_ = false;

  std::weak_ptr<OutlineGanttChartDataSource> dataSource_;
  bool autoApplySchedule_ = false;
  bool isAutoScheduling_ = false;
  GanttChartItemBehaviorPtr behavior_;
  std::shared_ptr<GanttChartItemHierarchicalBehavior> hierarchicalBehavior_;
  std::shared_ptr<GanttChartItemAutoSchedulingBehavior> autoSchedulingBehavior_;
  bool autoApplyBehavior_ = false;
  std::optional<std::vector<GanttChartItemPtr>> cachedAvailableItems_;
  std::optional<std::vector<GanttChartDependencyPtr>> cachedAvailableDependencies_;
  bool areOutOfRowRangeItemsAvailable_ = false;
  bool isPagingEnabled_ = false;
  std::optional<int64_t> minPageSize_;
  int64_t minPageCount_ = 2;
  bool loadMoreData_ = false;
  int64_t currentlyDisplayedRootItemCount_ = 0;
  int64_t currentlyAvailableRootItemCount_ = 0;
  std::vector<OutlineGanttChartRowPtr> outlineItems_;
  // Changes with every synchronisation, which may change `outlineItems_`.
  uint64_t listedRevision_ = 0;
  mutable detail::OutlineApplicationIndex applicationIndex_;

  std::weak_ptr<GanttChartObserver> ganttChartObserver_;
  std::weak_ptr<GanttChartContentActivator> ganttChartContentActivator_;
  std::weak_ptr<GanttChartItemObserver> ganttChartItemObserver_;

  // Set while this view scrolls the outline, so that the outline's answer
  // does not move the chart back.
  bool isScrollingOutline_ = false;
  // Set while the outline reloads, so that the expansions restored on the
  // way synchronise once at the end.
  bool isReloading_ = false;
  // Set from postCatchUp() until the posted call runs.
  bool isCatchUpPosted_ = false;
  // A reload asked for while it had to wait, run by the posted call.
  bool isReloadOwed_ = false;
  // Set from the first expansion or collapse the tree signals until the
  // tree lays its rows out or the event loop turns; later ones meanwhile
  // only mark a synchronisation as owed.
  bool isInExpansionPass_ = false;
  bool isSynchronizationOwed_ = false;
  // The chart header row height this view last took from the outline's
  // header, followed while nobody else changed it.
  double followedHeaderRowHeight_ = 0;
};

}  // namespace vorlent
