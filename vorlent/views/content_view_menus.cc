// The context menus of the chart area and their commands.

#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"

namespace vorlent {

namespace {

// A title shown as given: an ampersand would otherwise mark a mnemonic.
QString menuTitle(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void setCommand(QAction* action, const std::string& title, bool visible) {
  if (action == nullptr) return;
  action->setText(menuTitle(title));
  action->setVisible(visible);
}

}  // namespace

QMenu* GanttChartContent::menu(const QPointF& point) {
  if (controller_ == nullptr) return nullptr;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  const Point location = fromQt(point);
  controller->focusElement(location, false, true);
  if (alive == nullptr || !controller->focusedElement()) return nullptr;
  // Copies: the calls below may change what the controller holds.
  const GanttChartElement element = *controller->focusedElement();
  const GanttChartContentStrings strings = controller->settings().strings;

  if (const auto* emptyArea = element.as<GanttChartElement::EmptyArea>()) {
    const bool shown = controller->showTemporaryBar(location);
    if (alive == nullptr) return nullptr;
    setCommand(createItemMenuItem_, strings.createItem, emptyArea->allowsCreating && shown);
    setCommand(createMilestoneItemMenuItem_, strings.createMilestoneItem,
               emptyArea->allowsCreating && emptyArea->allowsMilestone && shown);
    return emptyAreaMenu_;
  }
  if (const auto* line = element.as<GanttChartElement::DependencyLine>()) {
    const bool editable = controller->canEdit(line->dependency);
    if (alive == nullptr) return nullptr;
    setCommand(editDependencyMenuItem_, strings.editDependency, editable);
    setCommand(deleteDependencyMenuItem_, strings.deleteDependency, line->allowsDeleting);
    return dependencyMenu_;
  }
  if (const auto* bar = element.as<GanttChartElement::Bar>()) {
    const bool editable = controller->canEdit(bar->item);
    if (alive == nullptr) return nullptr;
    setCommand(editItemMenuItem_, strings.editItem, editable);
    setCommand(deleteItemMenuItem_,
               bar->item->isMilestone() ? strings.deleteMilestoneItem : strings.deleteItem,
               bar->allowsDeleting);
    return itemMenu_;
  }
  return nullptr;
}

namespace {

// The element the menu was opened for, when it is of the kind `Case`.
template <class Case>
std::optional<Case> focused(const GanttChartContentController& controller) {
  const std::optional<GanttChartElement>& element = controller.focusedElement();
  if (!element) return std::nullopt;
  if (const Case* value = element->as<Case>()) return *value;
  return std::nullopt;
}

void addNewItem(const GanttChartContentControllerPtr& controller, bool isMilestone) {
  if (controller == nullptr) return;
  const auto emptyArea = focused<GanttChartElement::EmptyArea>(*controller);
  if (!emptyArea) return;
  controller->cancelFocus();
  controller->addNewItem(emptyArea->position.row, emptyArea->position.time, isMilestone);
}

}  // namespace

// Each command keeps its own reference to the controller: a host may destroy
// the view from inside it (an editor, an observer), and nothing of the view
// is touched after the controller's call.

void GanttChartContent::createItem() {
  addNewItem(GanttChartContentControllerPtr(controller_), false);
}

void GanttChartContent::createMilestoneItem() {
  addNewItem(GanttChartContentControllerPtr(controller_), true);
}

void GanttChartContent::editItem() {
  const GanttChartContentControllerPtr controller = controller_;
  if (controller == nullptr) return;
  if (const auto bar = focused<GanttChartElement::Bar>(*controller)) controller->edit(bar->item);
}

void GanttChartContent::deleteItem() {
  const GanttChartContentControllerPtr controller = controller_;
  if (controller == nullptr) return;
  const auto bar = focused<GanttChartElement::Bar>(*controller);
  if (!bar) return;
  controller->cancelFocus();
  controller->removeItem(bar->item);
}

void GanttChartContent::editDependency() {
  const GanttChartContentControllerPtr controller = controller_;
  if (controller == nullptr) return;
  if (const auto line = focused<GanttChartElement::DependencyLine>(*controller)) {
    controller->edit(line->dependency);
  }
}

void GanttChartContent::deleteDependency() {
  const GanttChartContentControllerPtr controller = controller_;
  if (controller == nullptr) return;
  const auto line = focused<GanttChartElement::DependencyLine>(*controller);
  if (!line) return;
  controller->cancelFocus();
  controller->removeDependency(line->dependency);
}

}  // namespace vorlent
