#include "vorlent/views/content_view_testing.h"

#include <QTest>

#include <cstdlib>
#include <sstream>
#include <utility>

#include "vorlent/model/item_source.h"

namespace vorlent::testing {

std::shared_ptr<ScriptedContentController> ScriptedContentController::create(
    std::vector<GanttChartItemPtr> items) {
  std::shared_ptr<ScriptedContentController> controller(
      new ScriptedContentController(std::make_shared<GanttChartItemSource>(std::move(items))));
  controller->attachToItemManager();
  return controller;
}

std::vector<std::string> ScriptedContentController::take() { return std::exchange(requests, {}); }

void ScriptedContentController::record(std::string entry) {
  requests.push_back(entry);
  if (onRequest) onRequest(entry);
}

std::string pointText(const Point& point) {
  std::ostringstream text;
  text << "(" << point.x << ", " << point.y << ")";
  return text.str();
}

GanttChartElement ScriptedContentController::element(const Point& point) const {
  if (elementAnswer) return *elementAnswer;
  return GanttChartContentController::element(point);
}

void ScriptedContentController::select(const Point& point) { record("select" + pointText(point)); }

void ScriptedContentController::activate(const Point& point) {
  record("activate" + pointText(point));
}

void ScriptedContentController::focusElement(const Point& point, bool selecting,
                                             bool bringingToFront) {
  focused_ = elementAnswer;
  record("focusElement" + pointText(point) + (selecting ? " selecting" : "") +
         (bringingToFront ? " bringingToFront" : ""));
}

void ScriptedContentController::cancelFocus() {
  focused_.reset();
  record("cancelFocus");
}

bool ScriptedContentController::showDependencyLineThumb(const Point& point) {
  record("showDependencyLineThumb" + pointText(point));
  return false;
}

bool ScriptedContentController::showTemporaryBar(const Point& point) {
  record("showTemporaryBar" + pointText(point));
  return temporaryBarAnswer;
}

void ScriptedContentController::beginDragging(const Point& point, bool acceptScrolling) {
  record("beginDragging" + pointText(point) + (acceptScrolling ? " acceptScrolling" : ""));
}

void ScriptedContentController::continueDragging(const Point& point) {
  record("continueDragging" + pointText(point));
}

void ScriptedContentController::endDragging() { record("endDragging"); }

void ScriptedContentController::cancelDragging() { record("cancelDragging"); }

void ScriptedContentController::shiftScrollableTimelineIfNeeded() {
  record("shiftScrollableTimelineIfNeeded");
}

bool ScriptedContentController::canEdit(const GanttChartItemPtr& /*item*/) const {
  return canEditAnswer;
}

bool ScriptedContentController::canEdit(const GanttChartDependencyPtr& /*dependency*/) const {
  return canEditAnswer;
}

void ScriptedContentController::edit(const GanttChartItemPtr& item) {
  record("edit(item " + item->label().value_or("") + ")");
}

void ScriptedContentController::edit(const GanttChartDependencyPtr& dependency) {
  record("edit(dependency " + dependency->label().value_or("") + ")");
}

void ScriptedContentController::addNewItem(int64_t row, const Time& /*time*/, bool isMilestone) {
  record("addNewItem(" + std::to_string(row) + (isMilestone ? ", milestone)" : ")"));
}

void ScriptedContentController::removeItem(const GanttChartItemPtr& item) {
  record("removeItem(" + item->label().value_or("") + ")");
}

void ScriptedContentController::removeDependency(const GanttChartDependencyPtr& dependency) {
  record("removeDependency(" + dependency->label().value_or("") + ")");
}

std::optional<Cursor> ScriptedContentController::cursor(const Point& /*point*/) const {
  return cursorAnswer;
}

std::optional<std::string> ScriptedContentController::toolTip(const Point& /*point*/) {
  ++toolTipQuestions;
  return toolTipAnswer;
}

void ScriptedContentController::setPresenter(std::weak_ptr<GanttChartContentPresenter> presenter) {
  const bool set = !presenter.expired();
  GanttChartContentController::setPresenter(std::move(presenter));
  record(set ? "setPresenter(view)" : "setPresenter(none)");
}

void showActive(QWidget& widget) {
  widget.show();
  widget.activateWindow();
  if (!QTest::qWaitForWindowActive(&widget)) ADD_FAILURE() << "the window did not become active";
}

QColor pixelAt(const QImage& image, QPointF point) {
  const QPointF device = point * image.devicePixelRatio();
  return image.pixelColor(static_cast<int>(device.x()), static_cast<int>(device.y()));
}

bool isNear(const QColor& actual, const QColor& expected, int tolerance) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance &&
         std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

ContentViewTest::ContentViewTest(QSize size) : view(std::make_unique<GanttChartContent>()) {
  view->resize(size);
  showActive(*view);
}

ContentViewTest::~ContentViewTest() = default;

QPointF ContentViewTest::canvasPoint(QPointF point) const {
  return view->scrollView()->viewportPoint(point);
}

}  // namespace vorlent::testing
