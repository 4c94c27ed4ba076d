// What lies under a point, activation, focus, selection, and the editing
// entry points of the context menus.

#include <utility>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_interaction_checks.h"

namespace vorlent {

namespace {

using Action = GanttChartBarElementAction;
using detail::isFinite;
using detail::isUsable;

// The payload of an element of the given case; null for none or another case.
template <class Case>
const Case* payload(const std::optional<GanttChartElement>& element) {
  return element ? element->as<Case>() : nullptr;
}

}  // namespace

// --- Hit testing --------------------------------------------------------------

GanttChartElement GanttChartContentController::element(const Point& point) const {
  // Nothing lies at a point that is not finite, and nothing may be made there.
  if (!isFinite(point)) return GanttChartElement::emptyArea(GanttChartPosition{}, false, false);
  const GanttChartContentSettings& current = settings();

  if (dependencyLineThumbArea_ && dependencyLineThumbArea_->bounds.contains(point)) {
    const bool atStart = dependencyLineThumbArea_->type == GanttChartDependencyEndType::start;
    return GanttChartElement::bar(
        dependencyLineThumbArea_->item,
        atStart ? Action::createDependencyLineFromStart : Action::createDependencyLine, false);
  }

  const double w = current.resizingBarAreaWidth;
  if (const std::optional<GanttChartBar> found = bar(point, w, false)) {
    const GanttChartItemPtr& item = found->item;
    const Rectangle& b = found->bounds;
    const bool isMilestone = item->isMilestone();
    const double completionEnd = completionX(item);
    const double handleHeight = b.height() * current.movingBarVerticallyAreaHeightRatio;
    Action action = Action::none;
    if (current.allowsMovingBarVertically(*item) && point.y > b.top() + b.height() - handleHeight) {
      action = Action::moveVertically;
    } else if (current.allowsResizingCompletionBar(*item) && !isMilestone &&
               (!item->isSummary() || current.showsCompletionBarsForSummaryItems) &&
               b.left() <= point.x && point.x <= b.right() && completionEnd - w < point.x &&
               point.x < completionEnd + w) {
      action = Action::resizeCompletion;
    } else if (current.allowsResizingBar(*item) && !isMilestone && point.x > b.right() - w) {
      action = Action::resize;
    } else if (current.allowsResizingBarAtStart(*item) && !isMilestone && point.x < b.left() + w) {
      action = Action::resizeAtStart;
    } else if (current.allowsMovingBar(*item)) {
      action = Action::move;
    }
    return GanttChartElement::bar(item, action, current.allowsDeletingBar(*item));
  }

  if (const std::optional<GanttChartDependencyLine> line = dependencyLine(point)) {
    return GanttChartElement::dependencyLine(
        line->dependency, current.allowsDeletingDependencyLine(*line->dependency));
  }

  const Time snapped = timeScaleScheduleForNewItems()->rounding(time(point.x), timeScale());
  const GanttChartPosition position{row(point.y), itemManager()->schedule()->nextTime(snapped)};
  return GanttChartElement::emptyArea(position, current.allowsCreatingBars,
                                      current.allowsCreatingMilestones);
}

// --- Activation and selection ---------------------------------------------------

// Each call into the item manager below goes through a strong reference of
// its own: the manager tells its observers before it returns, and one of
// them may give the controller another manager, releasing this one.

void GanttChartContentController::raiseToFront(const GanttChartItemPtr& item) {
  if (!settings().allowsUpdatingZIndexes) return;
  const GanttChartItemManagerPtr manager = itemManager();
  manager->bringToFront(item);
}

void GanttChartContentController::raiseToFront(const GanttChartDependencyPtr& dependency) {
  if (!settings().allowsUpdatingZIndexes) return;
  const GanttChartItemManagerPtr manager = itemManager();
  manager->bringToFront(dependency);
}

void GanttChartContentController::activate(const Point& point) {
  if (!isFinite(point)) return;
  ReactionScope scope(*this);
  if (settings().allowsActivatingBars) {
    if (const std::optional<GanttChartBar> found = bar(point)) {
      const GanttChartItemPtr item = found->item;
      raiseToFront(item);
      if (settings().activationTogglesExpansionForSummaryItems && item->isSummary()) {
        // With selection on, the first activation of a summary only gets it
        // selected; activating it again toggles it.
        if (settings().allowsSelectingElements && selectedItem() != item) return;
        const GanttChartItemManagerPtr manager = itemManager();
        manager->updateExpansion(item, !item->isExpanded());
        return;
      }
      if (auto target = activator()) target->activate(*found);
      return;
    }
  }
  if (settings().allowsActivatingDependencyLines) {
    if (const std::optional<GanttChartDependencyLine> line = dependencyLine(point)) {
      raiseToFront(line->dependency);
      if (auto target = activator()) target->activate(*line);
      return;
    }
  }
  if (auto target = activator()) target->activate(GanttChartPosition{row(point.y), time(point.x)});
  clearCaches();
  tellVisibleElementsChanged();
}

void GanttChartContentController::select(const Point& point) {
  if (!settings().allowsSelectingElements || !isFinite(point)) return;
  ReactionScope scope(*this);
  selectedElement_ = element(point);
  selectedElementDidChange();
}

void GanttChartContentController::selectedElementDidChange() {
  tell(&GanttChartContentSelectionObserver::selectionDidChange);
  tellVisibleElementsChanged();
}

GanttChartItemPtr GanttChartContentController::selectedItem() const {
  const auto* selected = payload<GanttChartElement::Bar>(selectedElement_);
  return selected ? selected->item : nullptr;
}

void GanttChartContentController::setSelectedItem(GanttChartItemPtr item) {
  ReactionScope scope(*this);
  if (item) {
    const bool allowsDeleting = settings().allowsDeletingBar(*item);
    selectedElement_ = GanttChartElement::bar(std::move(item), Action::none, allowsDeleting);
  } else {
    selectedElement_.reset();
  }
  selectedElementDidChange();
}

GanttChartDependencyPtr GanttChartContentController::selectedDependency() const {
  const auto* selected = payload<GanttChartElement::DependencyLine>(selectedElement_);
  return selected ? selected->dependency : nullptr;
}

void GanttChartContentController::setSelectedDependency(GanttChartDependencyPtr dependency) {
  ReactionScope scope(*this);
  if (dependency) {
    const bool allowsDeleting = settings().allowsDeletingDependencyLine(*dependency);
    selectedElement_ = GanttChartElement::dependencyLine(std::move(dependency), allowsDeleting);
  } else {
    selectedElement_.reset();
  }
  selectedElementDidChange();
}

// --- Focus ------------------------------------------------------------------------

void GanttChartContentController::focusElement(const Point& point, bool selecting,
                                               bool bringingToFront) {
  ReactionScope scope(*this);
  cancelFocus();
  const GanttChartElement focused = element(point);
  focusedElement_ = focused;
  tellVisibleElementsChanged();
  if (selecting && settings().allowsSelectingElements) {
    selectedElement_ = focused;
    selectedElementDidChange();
  }
  if (bringingToFront) {
    if (const auto* bar = focused.as<GanttChartElement::Bar>()) {
      raiseToFront(bar->item);
    } else if (const auto* line = focused.as<GanttChartElement::DependencyLine>()) {
      raiseToFront(line->dependency);
    }
  }
}

void GanttChartContentController::cancelFocus() {
  if (!focusedElement_) return;
  ReactionScope scope(*this);
  focusedElement_.reset();
  tellVisibleElementsChanged();
  dependencyLineThumbArea_.reset();
  tell(&GanttChartContentObserver::dependencyLineThumbAreaDidChange);
  temporaryBar_.reset();
  tell(&GanttChartContentObserver::temporaryBarDidChange);
}

std::optional<GanttChartElement> GanttChartContentController::elementFocusing(
    const Point& point, bool bringingToFront) {
  ReactionScope scope(*this);
  focusElement(point, false, bringingToFront);
  return focusedElement_;
}

GanttChartItemPtr GanttChartContentController::focusedItem() const {
  const auto* focused = payload<GanttChartElement::Bar>(focusedElement_);
  return focused ? focused->item : nullptr;
}

GanttChartDependencyPtr GanttChartContentController::focusedDependency() const {
  const auto* focused = payload<GanttChartElement::DependencyLine>(focusedElement_);
  return focused ? focused->dependency : nullptr;
}

std::optional<GanttChartPosition> GanttChartContentController::focusedEmptyAreaPosition() const {
  const auto* focused = payload<GanttChartElement::EmptyArea>(focusedElement_);
  if (!focused) return std::nullopt;
  return focused->position;
}

// --- Created elements and editing -----------------------------------------------------

void GanttChartContentController::initialize(const GanttChartItemPtr& item) {
  if (!item) return;
  ReactionScope scope(*this);
  if (settings().allowsSelectingElements && settings().selectsNewlyCreatedElements) {
    setSelectedItem(item);
  }
  if (auto target = editor()) {
    if (item->isMilestone()) {
      target->initializeMilestone(item);
    } else {
      target->initializeItem(item);
    }
  }
}

void GanttChartContentController::initialize(const GanttChartDependencyPtr& dependency) {
  if (!dependency) return;
  ReactionScope scope(*this);
  if (settings().allowsSelectingElements && settings().selectsNewlyCreatedElements) {
    setSelectedDependency(dependency);
  }
  if (auto target = editor()) target->initialize(dependency);
}

bool GanttChartContentController::canEdit(const GanttChartItemPtr& item) const {
  if (!item || !settings().allowsEditingElements || !settings().allowsEditingItems) return false;
  const auto target = editor();
  return target && target->canEdit(item);
}

bool GanttChartContentController::canEdit(const GanttChartDependencyPtr& dependency) const {
  if (!dependency || !settings().allowsEditingElements || !settings().allowsEditingDependencies) {
    return false;
  }
  const auto target = editor();
  return target && target->canEdit(dependency);
}

void GanttChartContentController::edit(const GanttChartItemPtr& item) {
  if (!item || !settings().allowsEditingElements || !settings().allowsEditingItems) return;
  const auto target = editor();
  if (!target) return;
  ReactionScope scope(*this);
  if (!target->canEdit(item)) return;
  if (settings().allowsSelectingElements && settings().selectsEditedElements) {
    setSelectedItem(item);
  }
  target->edit(item);
  clearCaches();
  tellVisibleElementsChanged();
}

void GanttChartContentController::edit(const GanttChartDependencyPtr& dependency) {
  if (!dependency || !settings().allowsEditingElements || !settings().allowsEditingDependencies) {
    return;
  }
  const auto target = editor();
  if (!target) return;
  ReactionScope scope(*this);
  if (!target->canEdit(dependency)) return;
  if (settings().allowsSelectingElements && settings().selectsEditedElements) {
    setSelectedDependency(dependency);
  }
  target->edit(dependency);
  clearCaches();
  tellVisibleElementsChanged();
}

// --- Adding and removing ------------------------------------------------------------

void GanttChartContentController::addNewItem(int64_t row, const Time& time, bool isMilestone) {
  if (!isUsable(time)) return;
  ReactionScope scope(*this);
  const Time snapped = timeScaleScheduleForNewItems()->rounding(time, timeScale());
  if (!isUsable(snapped)) return;
  if (auto target = editor(); target && !target->canAddNewItem(row, time, isMilestone)) return;
  const GanttChartItemManagerPtr manager = itemManager();
  const GanttChartItemPtr item = manager->addNewItem(row, snapped, isMilestone);
  if (!item) return;
  initialize(item);
  if (settings().editsNewlyCreatedItems) edit(item);
}

void GanttChartContentController::removeItem(const GanttChartItemPtr& item) {
  if (!item) return;
  ReactionScope scope(*this);
  if (auto target = editor(); target && !target->canRemoveItem(item)) return;
  if (selectedItem() == item) {
    selectedElement_.reset();
    selectedElementDidChange();
  }
  // A drag of the item would go on editing an item the manager no longer
  // holds.
  if (draggedItem() == item) cancelDragging();
  const GanttChartItemManagerPtr manager = itemManager();
  manager->removeItem(item);
}

void GanttChartContentController::removeDependency(const GanttChartDependencyPtr& dependency) {
  if (!dependency) return;
  ReactionScope scope(*this);
  if (auto target = editor(); target && !target->canRemoveDependency(dependency)) return;
  if (selectedDependency() == dependency) {
    selectedElement_.reset();
    selectedElementDidChange();
  }
  const GanttChartItemManagerPtr manager = itemManager();
  manager->removeDependency(dependency);
}

}  // namespace vorlent
