#include "vorlent/controllers/content_drawing_testing.h"

#include <any>
#include <sstream>
#include <utility>

#include "vorlent/model/item_source.h"
#include "vorlent/time/time_constants.h"

namespace vorlent::testing {

namespace {

std::string nameOf(const std::any& context) {
  const auto* name = std::any_cast<std::string>(&context);
  return name ? *name : "?";
}

std::string nameOf(const GanttChartItemPtr& item) {
  if (!item) return "none";
  return item->label().value_or("?");
}

std::string nameOf(const GanttChartDependencyPtr& dependency) {
  if (!dependency) return "none";
  return dependency->label().value_or("?");
}

template <class... Values>
std::string joined(const Values&... values) {
  std::ostringstream out;
  const char* separator = "";
  ((out << separator << values, separator = " "), ...);
  return out.str();
}

std::string text(const std::vector<Point>& polyline) {
  std::ostringstream out;
  const char* separator = "";
  for (const Point& point : polyline) {
    out << separator << point;
    separator = " ";
  }
  return out.str();
}

std::string text(const std::optional<Color>& color) {
  if (!color) return "no-stroke";
  std::ostringstream out;
  out << *color;
  return out.str();
}

// Flags written as letters when set, so that a line reads "HFS" for a
// highlighted, focused and selected element.
std::string flags(bool highlighted, bool focused, bool selected) {
  std::string result;
  if (highlighted) result += 'H';
  if (focused) result += 'F';
  if (selected) result += 'S';
  return result.empty() ? "-" : result;
}

// The highlight, focus and selection of a bar: flags, colours, widths.
std::string outlines(bool highlighted, bool focused, bool selected, const Color& highlightColor,
                     const Color& focusColor, const Color& selectionColor, double highlightWidth,
                     double focusWidth, double selectionWidth) {
  return joined(flags(highlighted, focused, selected), highlightColor, focusColor, selectionColor,
                highlightWidth, focusWidth, selectionWidth);
}

std::string permissions(std::initializer_list<std::pair<char, bool>> granted) {
  std::string result = "allows:";
  for (const auto& [letter, allowed] : granted) {
    if (allowed) result += letter;
  }
  return result;
}

}  // namespace

Time at(int64_t day, double hours) { return Time(kChartWeek, day, hours * secondsPerHour); }

GanttChartItemPtr makeItem(std::string label, int64_t row, Time start, Time finish,
                           GanttChartItemType type, int64_t zIndex) {
  return GanttChartItem::create({.label = std::move(label),
                                 .row = row,
                                 .start = start,
                                 .finish = finish,
                                 .zIndex = zIndex,
                                 .type = type});
}

GanttChartDependencyPtr link(std::string label, GanttChartItemPtr from, GanttChartItemPtr to,
                             GanttChartDependencyType type, int64_t zIndex) {
  return GanttChartDependency::create({.label = std::move(label),
                                       .from = std::move(from),
                                       .to = std::move(to),
                                       .zIndex = zIndex,
                                       .type = type});
}

std::string PresenterCall::brief() const {
  std::string line = name;
  if (!subject.empty()) line += " " + subject;
  if (!geometry.empty()) line += " " + geometry;
  return line;
}

void RecordingContentPresenter::record(PresenterCall call) {
  calls.push_back(std::move(call));
  if (onCall) onCall(calls.back());
}

std::vector<std::string> RecordingContentPresenter::briefs() const {
  std::vector<std::string> result;
  result.reserve(calls.size());
  for (const PresenterCall& call : calls) result.push_back(call.brief());
  return result;
}

std::vector<PresenterCall> RecordingContentPresenter::callsNamed(const std::string& name) const {
  std::vector<PresenterCall> result;
  for (const PresenterCall& call : calls) {
    if (call.name == name) result.push_back(call);
  }
  return result;
}

void RecordingContentPresenter::drawBackground(const Color& color, const Size& size) {
  record({"background", "", joined(size), joined(color)});
}

void RecordingContentPresenter::drawBorder(const Rectangle& rectangle, const Line& line,
                                           double lineWidth, const Color& color) {
  record({"border", "", joined(rectangle, line), joined(lineWidth, color)});
}

void RecordingContentPresenter::drawBackground(int64_t row, const Rectangle& rectangle,
                                               const Color& color) {
  record({"rowBackground", joined(row), joined(rectangle), joined(color)});
}

void RecordingContentPresenter::drawBorder(int64_t row, const Rectangle& rectangle,
                                           const Line& line, double lineWidth,
                                           const Color& color) {
  record({"rowBorder", joined(row), joined(rectangle, line), joined(lineWidth, color)});
}

void RecordingContentPresenter::draw(const GanttChartBar& bar) {
  record({"bar", nameOf(bar.item), joined(bar.bounds), ""});
  if (auto controller = controller_.lock()) controller->draw(bar);
}

void RecordingContentPresenter::drawBar(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    double cornerRadius, bool isHighlighted, bool isFocused, bool isSelected,
    const Color& highlightColor, const Color& focusColor, const Color& selectionColor,
    double highlightWidth, double focusWidth, double selectionWidth, bool allowsMoving,
    bool allowsResizing, bool allowsResizingAtStart, bool allowsMovingVertically,
    double thumbDistance) {
  record({"drawBar", nameOf(item), joined(rectangle),
          joined(fillColor, secondaryFillColor, text(strokeColor), strokeWidth, cornerRadius,
                 outlines(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                          selectionColor, highlightWidth, focusWidth, selectionWidth),
                 permissions({{'m', allowsMoving},
                              {'r', allowsResizing},
                              {'s', allowsResizingAtStart},
                              {'v', allowsMovingVertically}}),
                 thumbDistance)});
}

void RecordingContentPresenter::drawSummaryBar(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    double triangleInset, double triangleScale, bool isExpanded, bool isHighlighted,
    bool isFocused, bool isSelected, const Color& highlightColor, const Color& focusColor,
    const Color& selectionColor, double highlightWidth, double focusWidth, double selectionWidth,
    bool allowsMoving, bool allowsResizing, bool allowsResizingAtStart,
    bool allowsMovingVertically, double thumbDistance) {
  record({"drawSummaryBar", nameOf(item), joined(rectangle),
          joined(fillColor, secondaryFillColor, text(strokeColor), strokeWidth, triangleInset,
                 triangleScale, isExpanded ? "expanded" : "collapsed",
                 outlines(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                          selectionColor, highlightWidth, focusWidth, selectionWidth),
                 permissions({{'m', allowsMoving},
                              {'r', allowsResizing},
                              {'s', allowsResizingAtStart},
                              {'v', allowsMovingVertically}}),
                 thumbDistance)});
}

void RecordingContentPresenter::drawMilestone(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    bool isHighlighted, bool isFocused, bool isSelected, const Color& highlightColor,
    const Color& focusColor, const Color& selectionColor, double highlightWidth,
    double focusWidth, double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
    double thumbDistance) {
  record({"drawMilestone", nameOf(item), joined(rectangle),
          joined(fillColor, secondaryFillColor, text(strokeColor), strokeWidth,
                 outlines(isHighlighted, isFocused, isSelected, highlightColor, focusColor,
                          selectionColor, highlightWidth, focusWidth, selectionWidth),
                 permissions({{'m', allowsMoving}, {'v', allowsMovingVertically}}),
                 thumbDistance)});
}

void RecordingContentPresenter::drawCompletionBar(
    const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
    const Color& secondaryFillColor, const std::optional<Color>& strokeColor, double strokeWidth,
    double cornerRadius, bool allowsResizing, double thumbDistance) {
  record({"drawCompletionBar", nameOf(item), joined(rectangle),
          joined(fillColor, secondaryFillColor, text(strokeColor), strokeWidth, cornerRadius,
                 permissions({{'c', allowsResizing}}), thumbDistance)});
}

void RecordingContentPresenter::drawBarLabel(const GanttChartItemPtr& item,
                                             const Rectangle& rectangle, const std::string& label,
                                             const Color& foregroundColor,
                                             TextAlignment alignment, const Font& font) {
  record({"drawBarLabel", nameOf(item), joined(rectangle),
          joined(label, foregroundColor, alignment, font)});
}

void RecordingContentPresenter::drawAttachmentLabel(const GanttChartItemPtr& item,
                                                    const Rectangle& rectangle,
                                                    const std::string& label,
                                                    const Color& foregroundColor,
                                                    const Font& font) {
  record({"drawAttachmentLabel", nameOf(item), joined(rectangle),
          joined(label, foregroundColor, font)});
}

void RecordingContentPresenter::draw(const GanttChartDependencyLine& dependencyLine) {
  record({"line", nameOf(dependencyLine.dependency), "", ""});
  if (auto controller = controller_.lock()) controller->draw(dependencyLine);
}

void RecordingContentPresenter::drawDependencyLine(
    const GanttChartDependencyPtr& dependency, const std::vector<Point>& polyline,
    const Color& color, double width, double arrowWidth, double arrowLength, bool isHighlighted,
    bool isFocused, bool isSelected, double highlightWidth, double focusWidth,
    double selectionWidth) {
  record({"drawDependencyLine", nameOf(dependency), text(polyline),
          joined(color, width, arrowWidth, arrowLength,
                 flags(isHighlighted, isFocused, isSelected), highlightWidth, focusWidth,
                 selectionWidth)});
}

void RecordingContentPresenter::drawDependencyLineThumb(const GanttChartItemPtr& item,
                                                        GanttChartDependencyEndType type,
                                                        const Point& center, double radius,
                                                        const Color& color) {
  record({"drawDependencyLineThumb", joined(nameOf(item), type), joined(center),
          joined(radius, color)});
}

void RecordingContentPresenter::drawTemporaryDependencyLine(
    const GanttChartItemPtr& from, const GanttChartItemPtr& to, GanttChartDependencyType type,
    const std::vector<Point>& polyline, const Color& color, double width, double arrowWidth,
    double arrowLength, double dashWidth) {
  record({"drawTemporaryDependencyLine", joined(nameOf(from), nameOf(to), type), text(polyline),
          joined(color, width, arrowWidth, arrowLength, dashWidth)});
}

void RecordingContentPresenter::drawTemporaryBar(const Rectangle& rectangle, const Color& color,
                                                 double cornerRadius, double dashWidth) {
  record({"drawTemporaryBar", "", joined(rectangle), joined(color, cornerRadius, dashWidth)});
}

void RecordingContentPresenter::drawTimeArea(const ScheduleTimeSelector& selector,
                                             const Rectangle& rectangle, const Color& fillColor) {
  record({"drawScheduleArea", nameOf(selector.context), joined(rectangle), joined(fillColor)});
}

void RecordingContentPresenter::drawTimeArea(const TimeSelector& selector,
                                             const Rectangle& rectangle,
                                             const Color& backgroundColor) {
  record({"drawIntervalArea", nameOf(selector.context), joined(rectangle),
          joined(backgroundColor)});
}

void RecordingContentPresenter::drawTimeAreaBorder(const TimeSelector& selector,
                                                   const Rectangle& rectangle, const Line& line,
                                                   double lineWidth, const Color& color) {
  record({"drawIntervalAreaBorder", nameOf(selector.context), joined(rectangle, line),
          joined(lineWidth, color)});
}

void RecordingContentPresenter::drawTimeAreaLabel(const TimeSelector& selector,
                                                  const Rectangle& rectangle,
                                                  const std::string& label,
                                                  const Color& foregroundColor,
                                                  TextAlignment alignment, const Font& font,
                                                  VerticalTextAlignment verticalAlignment) {
  record({"drawIntervalAreaLabel", nameOf(selector.context), joined(rectangle),
          joined(label, foregroundColor, alignment, font, verticalAlignment)});
}

std::optional<std::string> RecordingContentPresenter::toolTip(const GanttChartItemPtr& item) {
  auto controller = controller_.lock();
  return controller ? controller->toolTip(item) : std::nullopt;
}

std::optional<std::string> RecordingContentPresenter::toolTip(
    const GanttChartDependencyPtr& dependency) {
  auto controller = controller_.lock();
  return controller ? controller->toolTip(dependency) : std::nullopt;
}

// --- TestableContentController --------------------------------------------------

std::shared_ptr<TestableContentController> TestableContentController::create(
    std::vector<GanttChartItemPtr> items, std::vector<GanttChartDependencyPtr> dependencies) {
  return create(
      std::make_shared<GanttChartItemSource>(std::move(items), std::move(dependencies)));
}

std::shared_ptr<TestableContentController> TestableContentController::create(
    GanttChartItemManagerPtr itemManager) {
  std::shared_ptr<TestableContentController> controller(
      new TestableContentController(std::move(itemManager)));
  controller->attachToItemManager();
  return controller;
}

const std::optional<GanttChartDependencyLineThumbArea>&
TestableContentController::dependencyLineThumbArea() const {
  return thumb ? thumb : GanttChartContentController::dependencyLineThumbArea();
}

const std::optional<GanttChartTemporaryDependencyLine>&
TestableContentController::temporaryDependencyLine() const {
  return temporaryLine ? temporaryLine : GanttChartContentController::temporaryDependencyLine();
}

const std::optional<GanttChartTemporaryBar>& TestableContentController::temporaryBar() const {
  return temporaryBarValue ? temporaryBarValue : GanttChartContentController::temporaryBar();
}

const std::optional<GanttChartElement>& TestableContentController::focusedElement() const {
  return focused ? focused : GanttChartContentController::focusedElement();
}

const std::optional<GanttChartElement>& TestableContentController::selectedElement() const {
  return selected ? selected : GanttChartContentController::selectedElement();
}

GanttChartElement TestableContentController::element(const Point& point) const {
  return elementAt ? elementAt(point) : GanttChartContentController::element(point);
}

}  // namespace vorlent::testing
