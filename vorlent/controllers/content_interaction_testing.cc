#include "vorlent/controllers/content_interaction_testing.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace vorlent::testing {

namespace {

std::string nameOf(const GanttChartDependencyPtr& dependency) {
  return dependency && dependency->label() ? *dependency->label() : "?";
}

template <class... Parts>
std::string joined(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

// The start of a span of `length` that shows [start, finish] after moving
// `current` as little as possible; the span's start when it is too long.
double following(double current, double length, double start, double finish) {
  if (finish - start > length || start < current) return start;
  if (finish > current + length) return finish - length;
  return current;
}

}  // namespace

std::string nameOf(const GanttChartItemPtr& item) {
  return item && item->label() ? *item->label() : "?";
}

Time monday(double hours) { return Time(1201, 1, 0).addingDuration(hours * 3600); }

Time mondayPlus(int64_t days, double hours) { return monday(hours).addingDays(days); }

// --- InteractionRecorder ---------------------------------------------------------------

std::shared_ptr<InteractionRecorder> InteractionRecorder::attachedTo(
    GanttChartContentController& controller) {
  auto recorder = std::make_shared<InteractionRecorder>();
  controller.setObserver(recorder);
  controller.setSelectionObserver(recorder);
  controller.setActivator(recorder);
  controller.setEditor(recorder);
  return recorder;
}

std::vector<std::string> InteractionRecorder::take() { return std::exchange(log, {}); }

size_t InteractionRecorder::count(const std::string& entry) const {
  return static_cast<size_t>(std::count(log.begin(), log.end(), entry));
}

void InteractionRecorder::record(std::string entry) {
  log.push_back(entry);
  if (onCall) onCall(entry);
}

void InteractionRecorder::totalDiagramSizeDidChange() {
  record("observer.totalDiagramSizeDidChange");
}
void InteractionRecorder::visibleBarsDidChange() { record("observer.visibleBarsDidChange"); }
void InteractionRecorder::visibleDependencyLinesDidChange() {
  record("observer.visibleDependencyLinesDidChange");
}
void InteractionRecorder::highlightedScheduleAreasDidChange() {
  record("observer.highlightedScheduleAreasDidChange");
}
void InteractionRecorder::highlightedIntervalAreasDidChange() {
  record("observer.highlightedIntervalAreasDidChange");
}
void InteractionRecorder::dependencyLineThumbAreaDidChange() {
  record("observer.dependencyLineThumbAreaDidChange");
}
void InteractionRecorder::temporaryDependencyLineDidChange() {
  record("observer.temporaryDependencyLineDidChange");
}
void InteractionRecorder::temporaryBarDidChange() { record("observer.temporaryBarDidChange"); }
void InteractionRecorder::settingsDidChange() { record("observer.settingsDidChange"); }

void InteractionRecorder::selectionDidChange() { record("selection.selectionDidChange"); }

void InteractionRecorder::activate(const GanttChartBar& bar) {
  record(joined("activator.bar(", nameOf(bar.item), ")"));
}
void InteractionRecorder::activate(const GanttChartDependencyLine& dependencyLine) {
  record(joined("activator.line(", nameOf(dependencyLine.dependency), ")"));
}
void InteractionRecorder::activate(const GanttChartPosition& position) {
  record(joined("activator.position(", position, ")"));
}

bool InteractionRecorder::canAddNewItem(int64_t row, const Time& time, bool isMilestone) {
  record(joined("editor.canAddNewItem(", row, ", ", time, ", ", isMilestone, ")"));
  return allowsAddingItems;
}
bool InteractionRecorder::canAddNewDependency(const GanttChartItemPtr& from,
                                              const GanttChartItemPtr& to,
                                              GanttChartDependencyType type) {
  record(joined("editor.canAddNewDependency(", nameOf(from), ", ", nameOf(to), ", ", type, ")"));
  return allowsAddingDependencies;
}
bool InteractionRecorder::canRemoveItem(const GanttChartItemPtr& item) {
  record(joined("editor.canRemoveItem(", nameOf(item), ")"));
  return allowsRemoving;
}
bool InteractionRecorder::canRemoveDependency(const GanttChartDependencyPtr& dependency) {
  record(joined("editor.canRemoveDependency(", nameOf(dependency), ")"));
  return allowsRemoving;
}
void InteractionRecorder::initializeItem(const GanttChartItemPtr& item) {
  record(joined("editor.initializeItem(", nameOf(item), ")"));
}
void InteractionRecorder::initializeMilestone(const GanttChartItemPtr& milestone) {
  record(joined("editor.initializeMilestone(", nameOf(milestone), ")"));
}
void InteractionRecorder::initialize(const GanttChartDependencyPtr& dependency) {
  record(joined("editor.initialize(", nameOf(dependency), ")"));
}
bool InteractionRecorder::canEdit(const GanttChartItemPtr& item) {
  record(joined("editor.canEdit(", nameOf(item), ")"));
  return allowsEditing;
}
bool InteractionRecorder::canEdit(const GanttChartDependencyPtr& dependency) {
  record(joined("editor.canEdit(", nameOf(dependency), ")"));
  return allowsEditing;
}
void InteractionRecorder::edit(const GanttChartItemPtr& item) {
  record(joined("editor.edit(", nameOf(item), ")"));
}
void InteractionRecorder::edit(const GanttChartDependencyPtr& dependency) {
  record(joined("editor.edit(", nameOf(dependency), ")"));
}

// --- ViewLikeScroller -------------------------------------------------------------------

void ViewLikeScroller::scrollTo(double startX, double finishX) {
  requests.push_back(joined("scrollTo(", startX, ", ", finishX, ")"));
  auto controller = controller_.lock();
  if (!controller || !follows) return;
  Rectangle visible = controller->viewport();
  double x = following(visible.left(), visible.width(), startX, finishX);
  if (limitsToDiagram) {
    x = std::clamp(x, 0.0, std::max(0.0, controller->totalDiagramSize().width - visible.width()));
  }
  visible.origin.x = x;
  controller->setViewport(visible);
}

void ViewLikeScroller::scrollVerticallyTo(double startY, double finishY) {
  requests.push_back(joined("scrollVerticallyTo(", startY, ", ", finishY, ")"));
  auto controller = controller_.lock();
  if (!controller || !follows) return;
  Rectangle visible = controller->viewport();
  double y = following(visible.top(), visible.height(), startY, finishY);
  if (limitsToDiagram) {
    y = std::clamp(y, 0.0, std::max(0.0, controller->totalDiagramSize().height - visible.height()));
  }
  visible.origin.y = y;
  controller->setViewport(visible);
}

// --- InteractionChart -------------------------------------------------------------------

GanttChartItemPtr InteractionChart::add(const std::string& label, int64_t row, const Time& start,
                                        const Time& finish, double completion,
                                        GanttChartItemType type) {
  items.push_back(GanttChartItem::create({.label = label,
                                          .row = row,
                                          .start = start,
                                          .finish = finish,
                                          .completion = completion,
                                          .type = type}));
  return items.back();
}

GanttChartDependencyPtr InteractionChart::link(const GanttChartItemPtr& from,
                                               const GanttChartItemPtr& to) {
  dependencies.push_back(GanttChartDependency::create(
      {.label = nameOf(from) + ">" + nameOf(to), .from = from, .to = to}));
  return dependencies.back();
}

void InteractionChart::create(GanttChartItemBehaviorPtr behavior,
                              std::shared_ptr<ScheduleDefinition> schedule) {
  source = std::make_shared<GanttChartItemSource>(items, dependencies, std::move(schedule),
                                                  std::move(behavior));
  controller = GanttChartContentController::create(source);
  controller->setScrollableTimeline(TimeRange(monday(0), mondayPlus(28, 0)));
  controller->setHourWidth(10);
  controller->setViewport(Rectangle(0, 0, 1000, 250));
  recorder = InteractionRecorder::attachedTo(*controller);
  scroller = std::make_shared<ViewLikeScroller>(controller);
  controller->setScroller(scroller);
}

void InteractionChart::configure(const std::function<void(GanttChartContentSettings&)>& change) {
  GanttChartContentSettings settings = controller->settings();
  change(settings);
  controller->setSettings(settings);
  controller->settingsDidChange();
}

}  // namespace vorlent::testing
