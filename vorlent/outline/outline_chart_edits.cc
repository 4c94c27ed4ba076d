#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <utility>

#include "vorlent/base/fatal.h"
#include "vorlent/base/run_loop.h"
#include "vorlent/controllers/content_scroller.h"
#include "vorlent/outline/outline_chart.h"

namespace vorlent {
namespace {

// Removes every entry identical to `item`, keeping the others' order.
void removeFromRow(OutlineGanttChartRow& row, const OutlineGanttChartItemPtr& item) {
  std::vector<OutlineGanttChartItemPtr> items = row.chartItems();
  std::erase(items, item);
  row.setChartItems(std::move(items));
}

void appendToRow(OutlineGanttChartRow& row, OutlineGanttChartItemPtr item) {
  std::vector<OutlineGanttChartItemPtr> items = row.chartItems();
  items.push_back(std::move(item));
  row.setChartItems(std::move(items));
}

}  // namespace

OutlineGanttChartRowPtr OutlineGanttChart::displayedRow(int64_t row) {
  if (!outlineModel_) fatalStop("an outline chart needs its outline view");
  return outlineModel_->item(row);
}

// --- Item observer ---------------------------------------------------------------

// The item manager sends these from inside a cascade of the rules (each
// moved item moves the next): a reload run there would re-apply every rule
// in the middle of the running cascade, once per item it moves. So whatever
// reloads a host asks for from here run as one reload on the next turn of
// the event loop, once the cascade is over; the rest of the cascade reads
// the host's links again meanwhile (see `reloadData()`).
void OutlineGanttChart::timeDidChange(const GanttChartItemPtr& item, const TimeRange& from) {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  // The data source may delete this view; the forward is then skipped.
  const QPointer<OutlineGanttChart> alive(this);
  if (auto outlineItem = item ? outlineGanttChartItemOf(*item) : nullptr) {
    const TimeRange previous = outlineItem->time();
    outlineItem->setTime(item->time());
    // The tree asks the data source for the row's values again.
    if (outlineModel_) outlineModel_->reloadRow(item->row());
    if (!alive) return;
    if (auto source = dataSource()) {
      source->outlineGanttChartTimeDidChangeFor(*this, outlineItem, previous);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->timeDidChange(item, from);
}

void OutlineGanttChart::completionDidChange(const GanttChartItemPtr& item, double from) {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  const QPointer<OutlineGanttChart> alive(this);
  if (auto outlineItem = item ? outlineGanttChartItemOf(*item) : nullptr) {
    const double previous = outlineItem->completion();
    outlineItem->setCompletion(item->completion());
    // The tree asks the data source for the row's values again.
    if (outlineModel_) outlineModel_->reloadRow(item->row());
    if (!alive) return;
    if (auto source = dataSource()) {
      source->outlineGanttChartCompletionDidChangeFor(*this, outlineItem, previous);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->completionDidChange(item, from);
}

void OutlineGanttChart::rowDidChange(const GanttChartItemPtr& item, int64_t from) {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  const QPointer<OutlineGanttChart> alive(this);
  auto outlineItem = item ? outlineGanttChartItemOf(*item) : nullptr;
  // A row that is not displayed (a negative one, or one below the last)
  // has no outline row to take the item: the outline stays as it is.
  // Finding a row may list the displayed rows again, asking the data source
  // about rows shown for the first time, and a host may delete this view
  // while it answers.
  auto oldRow = outlineItem ? displayedRow(from) : nullptr;
  auto newRow = oldRow && alive ? displayedRow(item->row()) : nullptr;
  if (outlineItem && oldRow && newRow && alive) {
    removeFromRow(*oldRow, outlineItem);
    appendToRow(*newRow, outlineItem);
    // Both rows' cells may show something of their bars.
    if (outlineModel_) outlineModel_->reloadRow(from);
    if (alive && outlineModel_) outlineModel_->reloadRow(item->row());
    if (!alive) return;
    if (auto source = dataSource()) {
      source->outlineGanttChartRowDidChangeFor(*this, outlineItem, oldRow, newRow);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->rowDidChange(item, from);
}

void OutlineGanttChart::itemWasAdded(const GanttChartItemPtr& item) {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  const QPointer<OutlineGanttChart> alive(this);
  // As in rowDidChange().
  auto row = item ? displayedRow(item->row()) : nullptr;
  if (row && alive) {
    auto outlineItem = OutlineGanttChartItem::create(
        item->label(), item->start(), item->finish(), item->completion(), item->attachment(),
        item->details(), item->schedule(), item->zIndex(), item->isVisible(), item->type(),
        item->settings().style, {});
    item->setContext(std::weak_ptr(outlineItem));
    appendToRow(*row, outlineItem);
    if (outlineModel_) outlineModel_->reloadRow(item->row());
    if (!alive) return;
    if (auto source = dataSource()) source->outlineGanttChartDidAddItem(*this, outlineItem, row);
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->itemWasAdded(item);
}

void OutlineGanttChart::itemWasRemoved(const GanttChartItemPtr& item) {
  const OutlineGanttChartModel::ReloadHold hold(outlineModel_);
  const QPointer<OutlineGanttChart> alive(this);
  auto outlineItem = item ? outlineGanttChartItemOf(*item) : nullptr;
  auto row = outlineItem ? displayedRow(item->row()) : nullptr;
  if (outlineItem && row && alive) {
    removeFromRow(*row, outlineItem);
    item->setContext({});
    if (outlineModel_) outlineModel_->reloadRow(item->row());
    if (!alive) return;
    if (auto source = dataSource()) {
      source->outlineGanttChartDidRemoveItem(*this, outlineItem, row);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->itemWasRemoved(item);
}

void OutlineGanttChart::dependencyWasAdded(const GanttChartDependencyPtr& dependency) {
  const QPointer<OutlineGanttChart> alive(this);
  auto from = dependency ? outlineGanttChartItemOf(*dependency->from()) : nullptr;
  auto to = dependency ? outlineGanttChartItemOf(*dependency->to()) : nullptr;
  if (from && to) {
    auto outlineDependency = OutlineGanttChartDependency::create(
        dependency->label(), from, to, dependency->details(), dependency->zIndex(),
        dependency->isVisible(), dependency->type(), dependency->settings().style, {});
    dependency->setContext(std::weak_ptr(outlineDependency));
    if (auto source = dataSource()) {
      source->outlineGanttChartDidAddDependency(*this, outlineDependency);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->dependencyWasAdded(dependency);
}

void OutlineGanttChart::dependencyWasRemoved(const GanttChartDependencyPtr& dependency) {
  const QPointer<OutlineGanttChart> alive(this);
  if (auto outlineDependency = dependency ? outlineGanttChartDependencyOf(*dependency) : nullptr) {
    dependency->setContext({});
    if (auto source = dataSource()) {
      source->outlineGanttChartDidRemoveDependency(*this, outlineDependency);
    }
  }
  if (!alive) return;
  if (auto observer = ganttChartItemObserver()) observer->dependencyWasRemoved(dependency);
}

void OutlineGanttChart::expansionDidChange(const GanttChartItemPtr& item) {
  if (auto observer = ganttChartItemObserver()) observer->expansionDidChange(item);
}

void OutlineGanttChart::zIndexDidChange(const GanttChartItemPtr& item) {
  if (auto observer = ganttChartItemObserver()) observer->zIndexDidChange(item);
}

void OutlineGanttChart::zIndexDidChange(const GanttChartDependencyPtr& dependency) {
  if (auto observer = ganttChartItemObserver()) observer->zIndexDidChange(dependency);
}

void OutlineGanttChart::visibilityDidChange(const GanttChartItemPtr& item) {
  if (auto observer = ganttChartItemObserver()) observer->visibilityDidChange(item);
}

void OutlineGanttChart::visibilityDidChange(const GanttChartDependencyPtr& dependency) {
  if (auto observer = ganttChartItemObserver()) observer->visibilityDidChange(dependency);
}

// --- Twin lookup -------------------------------------------------------------------

GanttChartItemPtr OutlineGanttChart::ganttChartItem(const OutlineGanttChartItemPtr& item) {
  if (!item) return nullptr;
  for (const auto& candidate : requireItemManager().availableItems()) {
    if (outlineGanttChartItemOf(*candidate) == item) return candidate;
  }
  return nullptr;
}

GanttChartDependencyPtr OutlineGanttChart::ganttChartDependency(
    const OutlineGanttChartDependencyPtr& dependency) {
  if (!dependency) return nullptr;
  for (const auto& candidate : requireItemManager().availableDependencies()) {
    if (outlineGanttChartDependencyOf(*candidate) == dependency) return candidate;
  }
  return nullptr;
}

// --- Activation ------------------------------------------------------------------------

void OutlineGanttChart::activate(const GanttChartBar& bar) {
  if (!outlineView_ || !outlineModel_) fatalStop("an outline chart needs its outline view");
  // Finding the row may ask the data source about rows shown for the first
  // time, and a host may delete this view while it answers.
  const QPointer<OutlineGanttChart> alive(this);
  const OutlineGanttChartRowPtr row =
      bar.item ? rowHolding(outlineGanttChartItemOf(*bar.item)) : nullptr;
  const int64_t displayed = alive ? outlineModel_->row(row) : -1;
  if (!alive) return;
  const QModelIndex index = outlineModel_->indexOfDisplayedRow(displayed);
  if (index.isValid() && outlineModel_->hasChildren(index)) {
    if (outlineView_->isExpanded(index)) {
      outlineView_->collapse(index);
    } else {
      outlineView_->expand(index);
    }
    return;
  }
  if (auto activator = ganttChartContentActivator()) activator->activate(bar);
}

void OutlineGanttChart::activate(const GanttChartDependencyLine& dependencyLine) {
  if (auto activator = ganttChartContentActivator()) activator->activate(dependencyLine);
}

void OutlineGanttChart::activate(const GanttChartPosition& position) {
  if (auto activator = ganttChartContentActivator()) activator->activate(position);
}

// --- Reload and scrolling ------------------------------------------------------------

void OutlineGanttChart::reloadData() {
  if (!outlineModel_) fatalStop("an outline chart needs its outline view");
  if (outlineModel_->reloadMustWait()) {
    // The data source asked while answering, or a host while the tree view
    // lays out its rows or while it hears of an edit: reload once they are
    // done. The rows stay as they are until then, but the rest of a running
    // edit reads the chart's lists again, and so the host's links as they
    // are now.
    postReload();
    requireItemManager().clearCache();
    return;
  }
  const QPointer<OutlineGanttChart> alive(this);
  reloadOutline();
  if (!alive) return;
  synchronizeGanttChartScrolling();
  if (alive) synchronizeOutlineItems();
}

void OutlineGanttChart::postReload() {
  isReloadOwed_ = true;
  postCatchUp();
}

void OutlineGanttChart::postCatchUp() {
  if (std::exchange(isCatchUpPosted_, true)) return;
  RunLoop::current().post([view = QPointer<OutlineGanttChart>(this)] {
    if (!view) return;
    view->isCatchUpPosted_ = false;
    view->isInExpansionPass_ = false;
    // A reload synchronises too.
    if (std::exchange(view->isReloadOwed_, false)) {
      view->reloadData();
    } else if (view->isSynchronizationOwed_) {
      view->synchronizeOutlineItems();
    }
  });
}

void OutlineGanttChart::scrollRowToVisible(int64_t row) {
  if (!outlineView_ || !outlineModel_) fatalStop("an outline chart needs its outline view");
  // Counting the rows may ask the data source about rows shown for the first
  // time; the outline's move scrolls the chart, which re-applies the rules,
  // whose news may delete this view.
  const QPointer<OutlineGanttChart> alive(this);
  if (row < 0 || row >= outlineModel_->numberOfRows() || !alive) return;
  outlineView_->scrollTo(outlineModel_->indexOfDisplayedRow(row));
  if (!alive) return;
  if (!ganttChartContentController_) fatalStop("an outline chart needs its content controller");
  if (auto scroller = ganttChartContentController_->scroller()) {
    const double height = ganttChartContentController_->rowHeight();
    const double startY = height * double(row);
    scroller->scrollVerticallyTo(startY, startY + height);
  }
}

void OutlineGanttChart::scrollColumnToVisible(int column) {
  if (!outlineView_ || !outlineModel_) fatalStop("an outline chart needs its outline view");
  if (column < 0 || column >= outlineModel_->columnCount()) return;
  // Horizontally only, by the least movement that shows the column (from
  // its start when it is wider than the view).
  const QHeaderView* header = outlineView_->header();
  const int left = header->sectionPosition(column);
  const int right = left + header->sectionSize(column);
  QScrollBar* bar = outlineView_->horizontalScrollBar();
  const int width = outlineView_->viewport()->width();
  if (left < bar->value()) {
    bar->setValue(left);
  } else if (right > bar->value() + width) {
    bar->setValue(std::min(left, right - width));
  }
}

// --- Image export ------------------------------------------------------------------------

QImage OutlineGanttChart::imageRepresentation() { return detail::renderWidgetImage(*this); }

QPixmap OutlineGanttChart::image() { return QPixmap::fromImage(imageRepresentation()); }

QByteArray OutlineGanttChart::imageData() { return imageData("png", {}); }

QByteArray OutlineGanttChart::imageData(const QByteArray& format,
                                        const ImageProperties& properties) {
  return detail::encodeWidgetImage(imageRepresentation(), format, properties);
}

}  // namespace vorlent
