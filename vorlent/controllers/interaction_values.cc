#include "vorlent/controllers/interaction_values.h"

#include <ostream>
#include <utility>

#include "vorlent/base/fatal.h"

namespace vorlent {

std::ostream& operator<<(std::ostream& out, GanttChartBarElementAction action) {
  switch (action) {
    case GanttChartBarElementAction::none:
      return out << "none";
    case GanttChartBarElementAction::move:
      return out << "move";
    case GanttChartBarElementAction::resize:
      return out << "resize";
    case GanttChartBarElementAction::resizeAtStart:
      return out << "resizeAtStart";
    case GanttChartBarElementAction::resizeCompletion:
      return out << "resizeCompletion";
    case GanttChartBarElementAction::createDependencyLine:
      return out << "createDependencyLine";
    case GanttChartBarElementAction::createDependencyLineFromStart:
      return out << "createDependencyLineFromStart";
    case GanttChartBarElementAction::moveVertically:
      return out << "moveVertically";
  }
  return out << "?";
}

std::ostream& operator<<(std::ostream& out, const GanttChartPosition& position) {
  return out << "row " << position.row << " at " << position.time;
}

GanttChartElement GanttChartElement::bar(GanttChartItemPtr item,
                                         GanttChartBarElementAction action,
                                         bool allowsDeleting) {
  if (!item) fatalStop("GanttChartElement::bar: the item is null");
  return GanttChartElement(Bar{std::move(item), action, allowsDeleting});
}

GanttChartElement GanttChartElement::dependencyLine(GanttChartDependencyPtr dependency,
                                                    bool allowsDeleting) {
  if (!dependency) fatalStop("GanttChartElement::dependencyLine: the dependency is null");
  return GanttChartElement(DependencyLine{std::move(dependency), allowsDeleting});
}

GanttChartElement GanttChartElement::emptyArea(const GanttChartPosition& position,
                                               bool allowsCreating, bool allowsMilestone) {
  return GanttChartElement(EmptyArea{position, allowsCreating, allowsMilestone});
}

bool GanttChartElement::isSameElement(const GanttChartElement& other) const {
  if (const Bar* mine = as<Bar>()) {
    const Bar* theirs = other.as<Bar>();
    return theirs && mine->item == theirs->item;
  }
  if (const DependencyLine* mine = as<DependencyLine>()) {
    const DependencyLine* theirs = other.as<DependencyLine>();
    return theirs && mine->dependency == theirs->dependency;
  }
  return false;
}

std::ostream& operator<<(std::ostream& out, const GanttChartElement& element) {
  if (const auto* bar = element.as<GanttChartElement::Bar>()) {
    return out << "bar(" << bar->item->label().value_or("?") << ", " << bar->action
               << (bar->allowsDeleting ? ", deletable)" : ")");
  }
  if (const auto* line = element.as<GanttChartElement::DependencyLine>()) {
    return out << "dependencyLine(" << line->dependency->label().value_or("?")
               << (line->allowsDeleting ? ", deletable)" : ")");
  }
  const auto& area = std::get<GanttChartElement::EmptyArea>(element.value());
  return out << "emptyArea(" << area.position << (area.allowsCreating ? ", creatable" : "")
             << (area.allowsMilestone ? ", milestone" : "") << ")";
}

GanttChartDraggingOperation GanttChartDraggingOperation::scrolling(const Point& from) {
  return GanttChartDraggingOperation(Scrolling{from});
}
GanttChartDraggingOperation GanttChartDraggingOperation::movingBar(GanttChartItemPtr item,
                                                                   double span) {
  return GanttChartDraggingOperation(MovingBar{std::move(item), span});
}
GanttChartDraggingOperation GanttChartDraggingOperation::resizingBar(GanttChartItemPtr item,
                                                                     double span) {
  return GanttChartDraggingOperation(ResizingBar{std::move(item), span});
}
GanttChartDraggingOperation GanttChartDraggingOperation::resizingBarAtStart(
    GanttChartItemPtr item, double span) {
  return GanttChartDraggingOperation(ResizingBarAtStart{std::move(item), span});
}
GanttChartDraggingOperation GanttChartDraggingOperation::resizingCompletionBar(
    GanttChartItemPtr item, double span) {
  return GanttChartDraggingOperation(ResizingCompletionBar{std::move(item), span});
}
GanttChartDraggingOperation GanttChartDraggingOperation::creatingDependencyLine(
    GanttChartItemPtr from, GanttChartDependencyEndType fromType) {
  return GanttChartDraggingOperation(CreatingDependencyLine{std::move(from), fromType});
}
GanttChartDraggingOperation GanttChartDraggingOperation::movingBarVertically(
    GanttChartItemPtr item) {
  return GanttChartDraggingOperation(MovingBarVertically{std::move(item)});
}

GanttChartDraggingCompletion GanttChartDraggingCompletion::wouldCreateDependencyLine(
    GanttChartItemPtr to, GanttChartDependencyEndType toType) {
  return GanttChartDraggingCompletion(WouldCreateDependencyLine{std::move(to), toType});
}

}  // namespace vorlent
