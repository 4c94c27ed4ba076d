#include <QPointer>

#include <unordered_set>

#include "vorlent/base/fatal.h"
#include "vorlent/model/item_behavior_set.h"
#include "vorlent/outline/outline_chart.h"
#include "vorlent/outline/outline_item_manager.h"

namespace vorlent {

// --- Row synchronisation ---------------------------------------------------------

void OutlineGanttChart::synchronizeOutlineItems() {
  if (!outlineModel_) fatalStop("an outline chart needs its outline view");
  isSynchronizationOwed_ = false;
  // Outside the tree's signals no pass of theirs is running any more.
  if (!outlineModel_->reloadMustWait()) isInExpansionPass_ = false;
  cachedAvailableItems_.reset();
  cachedAvailableDependencies_.reset();
  ++listedRevision_;

  // Listing the displayed rows asks the data source about rows shown for
  // the first time; like each call below that reaches host code, it may
  // end with this view deleted.
  const QPointer<OutlineGanttChart> alive(this);
  const int64_t count = outlineModel_->numberOfRows();
  if (!alive) return;
  std::erase_if(outlineItems_, [this](const OutlineGanttChartRowPtr& row) {
    return outlineModel_->row(row) < 0;
  });
  std::unordered_set<const OutlineGanttChartRow*> known;
  known.reserve(outlineItems_.size());
  for (const auto& row : outlineItems_) known.insert(row.get());
  for (int64_t r = 0; r < count; ++r) {
    OutlineGanttChartRowPtr row = outlineModel_->item(r);
    // An empty row (a null answer) shows nothing.
    if (row && known.insert(row.get()).second) outlineItems_.push_back(std::move(row));
  }

  requireItemManager().collectionDidChange();
  if (alive) applyAutomatically();
}

void OutlineGanttChart::applyAutomatically() {
  // Applying tells the host what moved, which may delete this view.
  const QPointer<OutlineGanttChart> alive(this);
  if (autoApplySchedule_) requireItemManager().applySchedule();
  if (alive && autoApplyBehavior_) requireItemManager().applyBehavior();
}

// --- Collection provider ----------------------------------------------------------

int64_t OutlineGanttChart::totalRowCount() {
  return outlineModel_ ? outlineModel_->numberOfRows() : 0;
}

TimeRange OutlineGanttChart::preferredTimeline() { return TimeRange::currentWeek(); }

bool OutlineGanttChart::withLabelDetails() const {
  return !ganttChartContentController_ || !ganttChartContentController_->settings().showsLabels;
}

std::vector<GanttChartItemPtr> OutlineGanttChart::filteredItems(const RowRange& range,
                                                                const TimeRange& /*timeline*/) {
  std::vector<GanttChartItemPtr> items;
  if (!outlineModel_) return items;
  const bool labelDetails = withLabelDetails();
  // A copy: building twins runs host code, which might synchronise again.
  const std::vector<OutlineGanttChartRowPtr> rows = outlineItems_;
  // Listing the displayed rows again asks the data source about rows shown
  // for the first time, and a host may delete this view while it answers.
  const QPointer<OutlineGanttChart> alive(this);
  for (const auto& row : rows) {
    const int64_t r = outlineModel_->row(row);
    if (!alive) return {};
    if (!range.contains(r)) continue;
    auto twins = row->ganttChartItems(r, labelDetails);
    items.insert(items.end(), twins.begin(), twins.end());
    if (!alive) return {};
  }
  return items;
}

std::optional<std::vector<GanttChartItemPtr>> OutlineGanttChart::availableItems() {
  if (!areOutOfRowRangeItemsAvailable_) return std::nullopt;
  if (cachedAvailableItems_) return cachedAvailableItems_;
  std::vector<GanttChartItemPtr> items;
  const bool labelDetails = withLabelDetails();
  const std::vector<OutlineGanttChartRowPtr> rows = outlineItems_;
  // As in filteredItems().
  const QPointer<OutlineGanttChart> alive(this);
  for (const auto& row : rows) {
    const int64_t r = outlineModel_ ? outlineModel_->row(row) : -1;
    if (!alive) return std::nullopt;
    auto twins = row->ganttChartItems(r, labelDetails);
    items.insert(items.end(), twins.begin(), twins.end());
    if (!alive) return std::nullopt;
  }
  cachedAvailableItems_ = std::move(items);
  return cachedAvailableItems_;
}

std::vector<GanttChartDependencyPtr> OutlineGanttChart::dependenciesAmong(
    const std::vector<GanttChartItemPtr>& chartItems) {
  std::vector<OutlineGanttChartItemPtr> outlineItems;
  outlineItems.reserve(chartItems.size());
  for (const auto& item : chartItems) {
    if (auto outlineItem = item ? outlineGanttChartItemOf(*item) : nullptr) {
      outlineItems.push_back(std::move(outlineItem));
    }
  }
  auto source = dataSource();
  if (!source) return {};
  const QPointer<OutlineGanttChart> alive(this);
  const auto dependencies = source->outlineGanttChartDependenciesFor(*this, outlineItems);
  // A host that deleted this view while answering gets none.
  if (!alive || dependencies.empty()) return {};

  // The first available twin of each outline item, by identity.
  std::unordered_map<const OutlineGanttChartItem*, GanttChartItemPtr> twinOf;
  for (const auto& item : requireItemManager().availableItems()) {
    if (auto outlineItem = outlineGanttChartItemOf(*item)) twinOf.try_emplace(outlineItem.get(), item);
  }
  // Reading the available items lists the displayed rows, as above.
  if (!alive) return {};
  const bool labelDetails = withLabelDetails();
  std::vector<GanttChartDependencyPtr> result;
  for (const auto& dependency : dependencies) {
    if (!dependency) continue;
    const auto from = twinOf.find(dependency->from().get());
    const auto to = twinOf.find(dependency->to().get());
    if (from == twinOf.end() || to == twinOf.end()) continue;
    GanttChartDependencyPtr twin = dependency->ganttChartDependency();
    if (!twin) {
      twin = dependency->makeGanttChartDependency(from->second, to->second, labelDetails);
      if (!twin) continue;
    } else {
      if (twin->from() != from->second) twin->setFrom(from->second);
      if (twin->to() != to->second) twin->setTo(to->second);
      if (outlineGanttChartDependencyOf(*twin) != dependency) {
        twin->setContext(std::weak_ptr(dependency));
      }
    }
    result.push_back(std::move(twin));
  }
  return result;
}

std::vector<GanttChartDependencyPtr> OutlineGanttChart::filteredDependencies(
    const RowRange& /*range*/, const TimeRange& /*timeline*/) {
  // Reading the items lists the displayed rows, as in filteredItems().
  const QPointer<OutlineGanttChart> alive(this);
  const GanttChartItemList items = requireItemManager().filteredItems();
  const std::vector<GanttChartItemPtr>& elements = items.elements();
  return alive ? dependenciesAmong(elements) : std::vector<GanttChartDependencyPtr>{};
}

std::optional<std::vector<GanttChartDependencyPtr>> OutlineGanttChart::availableDependencies() {
  if (!areOutOfRowRangeItemsAvailable_) return std::nullopt;
  const QPointer<OutlineGanttChart> alive(this);
  const GanttChartItemList items = requireItemManager().availableItems();
  const std::vector<GanttChartItemPtr>& elements = items.elements();
  if (!alive) return std::nullopt;
  return dependenciesAmong(elements);
}

void OutlineGanttChart::setAreOutOfRowRangeItemsAvailable(bool available) {
  areOutOfRowRangeItemsAvailable_ = available;
  cachedAvailableItems_.reset();
  cachedAvailableDependencies_.reset();
}

// --- Hierarchy provider ------------------------------------------------------------

std::optional<detail::OutlineApplicationIndex::State> OutlineGanttChart::applicationState() const {
  const OutlineGanttChartItemManager* manager = outlineItemManager_;
  if (manager == nullptr || !manager->isApplying() || !outlineModel_) return std::nullopt;
  return detail::OutlineApplicationIndex::State{manager->listsReading(), listedRevision_,
                                                detail::anyOutlineRowItemsRevision(),
                                                outlineModel_->structureRevision()};
}

std::optional<detail::OutlineApplicationIndex::State> OutlineGanttChart::readyApplicationIndex()
    const {
  const auto state = applicationState();
  if (!state || applicationIndex_.isBuiltFor(*state)) return state;
  // Read first: reading may run host code that drops the lists again, or
  // that deletes this view (the caller then finds it gone).
  const QPointer<const OutlineGanttChart> alive(this);
  const GanttChartItemList available = ganttChartItemManager_->availableItems();
  const std::vector<GanttChartItemPtr>& elements = available.elements();
  if (!alive) return std::nullopt;
  const auto now = applicationState();
  if (now && !applicationIndex_.adopt(*now, elements)) {
    applicationIndex_.rebuild(*now, outlineItems_, elements);
  }
  return now;
}

OutlineGanttChartRowPtr OutlineGanttChart::rowHolding(const OutlineGanttChartItemPtr& item) const {
  if (!item) return nullptr;
  const QPointer<const OutlineGanttChart> alive(this);
  const auto state = readyApplicationIndex();
  return alive ? rowHolding(item, state) : nullptr;
}

OutlineGanttChartRowPtr OutlineGanttChart::rowHolding(
    const OutlineGanttChartItemPtr& item,
    const std::optional<detail::OutlineApplicationIndex::State>& state) const {
  if (!item) return nullptr;
  if (state) {
    if (auto row = applicationIndex_.rowHolding(item.get(), *state)) return row;
  }
  for (const auto& row : outlineItems_) {
    for (const auto& candidate : row->chartItems()) {
      if (candidate == item) return row;
    }
  }
  return nullptr;
}

std::vector<GanttChartItemPtr> OutlineGanttChart::availableTwinsOn(const OutlineGanttChartRow& row) {
  const QPointer<OutlineGanttChart> alive(this);
  if (readyApplicationIndex()) return applicationIndex_.twinsOn(row);
  if (!alive) return {};
  std::unordered_set<const OutlineGanttChartItem*> onRow;
  for (const auto& item : row.chartItems()) onRow.insert(item.get());
  std::vector<GanttChartItemPtr> twins;
  for (const auto& item : requireItemManager().availableItems()) {
    auto outlineItem = outlineGanttChartItemOf(*item);
    if (outlineItem && onRow.contains(outlineItem.get())) twins.push_back(item);
  }
  return twins;
}

// While the rules are applied, the same summary is asked about once for each
// of its children that moves: parent and children are remembered for a row
// as long as nothing they were worked out from changed (see
// OutlineApplicationIndex::State), and only where they were worked out from
// plain rows alone.
GanttChartItemPtr OutlineGanttChart::parent(const GanttChartItemPtr& item) {
  if (!item || !outlineModel_) return nullptr;
  // Finding rows may ask the data source about rows it was never asked
  // about (those of a group expanded since the displayed rows were last
  // listed, say), and a host may delete this view while it answers: a view
  // gone answers no more.
  const QPointer<OutlineGanttChart> alive(this);
  const auto before = readyApplicationIndex();
  if (!alive) return nullptr;
  const OutlineGanttChartRowPtr row = rowHolding(outlineGanttChartItemOf(*item), before);
  if (!row) return nullptr;
  if (before) {
    if (const GanttChartItemPtr* known = applicationIndex_.parentOf(*row, *before)) return *known;
  }
  const OutlineGanttChartRowPtr parentRow = outlineModel_->parent(row);
  if (!alive) return nullptr;
  GanttChartItemPtr result;
  if (parentRow) {
    auto twins = availableTwinsOn(*parentRow);
    if (!alive) return nullptr;
    if (!twins.empty()) result = std::move(twins.front());
  }
  if (before && (!parentRow || detail::OutlineApplicationIndex::isPlain(*parentRow))) {
    if (const auto now = applicationState()) {
      applicationIndex_.rememberParent(row, result, *before, *now);
    }
  }
  return result;
}

std::vector<GanttChartItemPtr> OutlineGanttChart::children(const GanttChartItemPtr& item) {
  if (!item || !outlineModel_) return {};
  // An item on no displayed row has no children here: answering the root's
  // would make every root item its child.
  // As in parent(): the rows of a group never expanded are asked for here.
  const QPointer<OutlineGanttChart> alive(this);
  const auto before = readyApplicationIndex();
  if (!alive) return {};
  const OutlineGanttChartRowPtr row = rowHolding(outlineGanttChartItemOf(*item), before);
  if (!row) return {};
  if (before) {
    if (const auto* known = applicationIndex_.childrenOf(*row, *before)) return *known;
  }
  std::vector<GanttChartItemPtr> result;
  bool plain = true;
  const int64_t count = outlineModel_->numberOfChildren(row);
  for (int64_t i = 0; i < count; ++i) {
    if (!alive) return {};
    const OutlineGanttChartRowPtr child = outlineModel_->child(i, row);
    if (!child) continue;
    plain = plain && detail::OutlineApplicationIndex::isPlain(*child);
    auto twins = availableTwinsOn(*child);
    result.insert(result.end(), twins.begin(), twins.end());
  }
  if (!alive) return {};
  if (before && plain) {
    if (const auto now = applicationState()) {
      applicationIndex_.rememberChildren(row, result, *before, *now);
    }
  }
  return result;
}

// --- Schedule and behaviour ------------------------------------------------------------

std::shared_ptr<ScheduleDefinition> OutlineGanttChart::schedule() const {
  return requireItemManager().schedule();
}

void OutlineGanttChart::setSchedule(std::shared_ptr<ScheduleDefinition> schedule) {
  requireItemManager().setSchedule(std::move(schedule));
}

std::shared_ptr<ScheduleDefinition> OutlineGanttChart::scheduleFor(
    const GanttChartItemPtr& item) const {
  if (item && item->schedule()) return item->schedule();
  return schedule();
}

void OutlineGanttChart::applySchedule() { requireItemManager().applySchedule(); }

void OutlineGanttChart::applySchedule(const OutlineGanttChartItemPtr& item) {
  if (auto twin = ganttChartItem(item)) requireItemManager().applySchedule(twin);
}

void OutlineGanttChart::setAutoApplySchedule(bool autoApply) {
  autoApplySchedule_ = autoApply;
  if (autoApply) requireItemManager().applySchedule();
}

void OutlineGanttChart::setIsAutoScheduling(bool autoScheduling) {
  isAutoScheduling_ = autoScheduling;
  updateAutoSchedulingBehavior();
}

void OutlineGanttChart::updateAutoSchedulingBehavior() {
  autoSchedulingBehavior_ =
      isAutoScheduling_ ? std::make_shared<GanttChartItemAutoSchedulingBehavior>(
                              false, std::nullopt, true, nullptr)
                        : nullptr;
  updateBehavior();
}

void OutlineGanttChart::setBehavior(GanttChartItemBehaviorPtr behavior) {
  behavior_ = std::move(behavior);
  updateBehavior();
}

void OutlineGanttChart::updateBehavior() {
  std::vector<GanttChartItemBehaviorPtr> behaviors;
  if (hierarchicalBehavior_) behaviors.push_back(hierarchicalBehavior_);
  if (autoSchedulingBehavior_) behaviors.push_back(autoSchedulingBehavior_);
  if (behavior_) behaviors.push_back(behavior_);
  requireItemManager().setBehavior(std::make_shared<GanttChartItemBehaviorSet>(std::move(behaviors)));
  if (autoApplyBehavior_) requireItemManager().applyBehavior();
}

void OutlineGanttChart::applyBehavior() { requireItemManager().applyBehavior(); }

void OutlineGanttChart::applyBehavior(const OutlineGanttChartItemPtr& item) {
  if (auto twin = ganttChartItem(item)) requireItemManager().applyBehavior(twin);
}

void OutlineGanttChart::setAutoApplyBehavior(bool autoApply) {
  autoApplyBehavior_ = autoApply;
  if (autoApply) requireItemManager().applyBehavior();
}

}  // namespace vorlent
