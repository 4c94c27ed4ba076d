#include "vorlent/controllers/content_controller.h"

namespace vorlent {

// Temporary: presents the bars and lines of the rectangle, nothing else.
void GanttChartContentController::draw(const Rectangle& within) {
  auto target = presenter();
  if (!target) return;
  for (const GanttChartBar& bar : visibleBars(within)) target->draw(bar);
  for (const GanttChartDependencyLine& line : visibleDependencyLines(within)) target->draw(line);
}

// Built with the drawing pass.
void GanttChartContentController::draw(const GanttChartBar& /*bar*/) {}

// Built with the drawing pass.
void GanttChartContentController::draw(const GanttChartDependencyLine& /*dependencyLine*/) {}

// Temporary.
std::optional<std::string> GanttChartContentController::toolTip(const Point& point) {
  if (!settings().showsToolTips) return std::nullopt;
  auto target = presenter();
  if (!target) return std::nullopt;
  const GanttChartElement element = this->element(point);
  if (const auto* bar = element.as<GanttChartElement::Bar>()) return target->toolTip(bar->item);
  if (const auto* line = element.as<GanttChartElement::DependencyLine>()) {
    return target->toolTip(line->dependency);
  }
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartItemPtr& /*item*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::string> GanttChartContentController::toolTip(
    const GanttChartDependencyPtr& /*dependency*/) const {
  return std::nullopt;
}

// Temporary.
std::optional<Cursor> GanttChartContentController::cursor(const Point& point) const {
  return cursor(element(point));
}

// Built with the drawing pass.
void GanttChartContentController::drawBackground() {}

// Built with the drawing pass.
std::optional<Color> GanttChartContentController::backgroundColor(int64_t /*row*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
std::optional<std::vector<Border>> GanttChartContentController::borders(int64_t /*row*/) const {
  return std::nullopt;
}

// Built with the drawing pass.
void GanttChartContentController::drawHighlightedScheduleAreas(const Rectangle& /*rectangle*/) {}

// Built with the drawing pass.
void GanttChartContentController::drawHighlightedIntervalAreas(const Rectangle& /*rectangle*/) {}

// Built with the drawing pass.
void GanttChartContentController::drawDependencyLineThumb() {}

// Built with the drawing pass.
void GanttChartContentController::drawTemporaryDependencyLine() {}

// Built with the drawing pass.
void GanttChartContentController::drawTemporaryBar() {}

// Temporary.
std::optional<Cursor> GanttChartContentController::cursor(const GanttChartElement& element) const {
  const auto* bar = element.as<GanttChartElement::Bar>();
  if (!bar) return std::nullopt;
  switch (bar->action) {
    case GanttChartBarElementAction::none:
      return std::nullopt;
    case GanttChartBarElementAction::move:
      return Cursor::moveHorizontally;
    case GanttChartBarElementAction::resize:
    case GanttChartBarElementAction::resizeAtStart:
    case GanttChartBarElementAction::resizeCompletion:
      return Cursor::resizeHorizontally;
    case GanttChartBarElementAction::createDependencyLine:
    case GanttChartBarElementAction::createDependencyLineFromStart:
      return Cursor::draw;
    case GanttChartBarElementAction::moveVertically:
      return Cursor::moveVertically;
  }
  return std::nullopt;
}

}  // namespace vorlent
