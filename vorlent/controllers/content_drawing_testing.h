#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/controllers/content_presenter.h"

namespace vorlent::testing {

// The week the charts of the tests show: Sunday 31 December 2023 to Sunday
// 7 January 2024. With the timeline starting on its Sunday and the default
// 2.5 points per hour, a day is 60 points wide: Monday starts at x 60.
inline constexpr int64_t kChartWeek = 1200;
[[nodiscard]] Time at(int64_t day, double hours = 0);

[[nodiscard]] GanttChartItemPtr makeItem(std::string label, int64_t row, Time start, Time finish,
                                         GanttChartItemType type = GanttChartItemType::standard,
                                         int64_t zIndex = 0);
[[nodiscard]] GanttChartDependencyPtr link(
    std::string label, GanttChartItemPtr from, GanttChartItemPtr to,
    GanttChartDependencyType type = GanttChartDependencyType::fromFinishToStart,
    int64_t zIndex = 0);

// The value with `context` set to the name, by which the recording presenter
// tells selectors apart.
template <class T>
T named(T value, std::string name) {
  value.context = std::move(name);
  return value;
}

// One call a presenter received. Items and dependencies are named by their
// label, selectors by their `context` when it holds a std::string ("?"
// otherwise), rows by their index.
struct PresenterCall {
  std::string name;      // the requirement, e.g. "drawBar"
  std::string subject;   // what it draws
  std::string geometry;  // rectangle, line, size, polyline or centre
  std::string style;     // colours, widths, flags and texts, in argument order

  // Name, subject and geometry: enough to check the order of a pass.
  [[nodiscard]] std::string brief() const;
};

// Records every call in order. `draw(bar)` and `draw(dependencyLine)` are
// recorded as "bar" and "line" and then handed back to the controller's
// standard drawing, as a presenter that wants the standard look does; the
// tool tips are the controller's (the element's details).
class RecordingContentPresenter : public GanttChartContentPresenter {
 public:
  explicit RecordingContentPresenter(std::weak_ptr<GanttChartContentController> controller)
      : controller_(std::move(controller)) {}

  void drawBackground(const Color& color, const Size& size) override;
  void drawBorder(const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  void drawBackground(int64_t row, const Rectangle& rectangle, const Color& color) override;
  void drawBorder(int64_t row, const Rectangle& rectangle, const Line& line, double lineWidth,
                  const Color& color) override;
  void draw(const GanttChartBar& bar) override;
  void drawBar(const GanttChartItemPtr& item, const Rectangle& rectangle, const Color& fillColor,
               const Color& secondaryFillColor, const std::optional<Color>& strokeColor,
               double strokeWidth, double cornerRadius, bool isHighlighted, bool isFocused,
               bool isSelected, const Color& highlightColor, const Color& focusColor,
               const Color& selectionColor, double highlightWidth, double focusWidth,
               double selectionWidth, bool allowsMoving, bool allowsResizing,
               bool allowsResizingAtStart, bool allowsMovingVertically,
               double thumbDistance) override;
  void drawSummaryBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                      const Color& fillColor, const Color& secondaryFillColor,
                      const std::optional<Color>& strokeColor, double strokeWidth,
                      double triangleInset, double triangleScale, bool isExpanded,
                      bool isHighlighted, bool isFocused, bool isSelected,
                      const Color& highlightColor, const Color& focusColor,
                      const Color& selectionColor, double highlightWidth, double focusWidth,
                      double selectionWidth, bool allowsMoving, bool allowsResizing,
                      bool allowsResizingAtStart, bool allowsMovingVertically,
                      double thumbDistance) override;
  void drawMilestone(const GanttChartItemPtr& item, const Rectangle& rectangle,
                     const Color& fillColor, const Color& secondaryFillColor,
                     const std::optional<Color>& strokeColor, double strokeWidth,
                     bool isHighlighted, bool isFocused, bool isSelected,
                     const Color& highlightColor, const Color& focusColor,
                     const Color& selectionColor, double highlightWidth, double focusWidth,
                     double selectionWidth, bool allowsMoving, bool allowsMovingVertically,
                     double thumbDistance) override;
  void drawCompletionBar(const GanttChartItemPtr& item, const Rectangle& rectangle,
                         const Color& fillColor, const Color& secondaryFillColor,
                         const std::optional<Color>& strokeColor, double strokeWidth,
                         double cornerRadius, bool allowsResizing, double thumbDistance) override;
  void drawBarLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                    const std::string& text, const Color& foregroundColor,
                    TextAlignment alignment, const Font& font) override;
  void drawAttachmentLabel(const GanttChartItemPtr& item, const Rectangle& rectangle,
                           const std::string& text, const Color& foregroundColor,
                           const Font& font) override;
  void draw(const GanttChartDependencyLine& dependencyLine) override;
  void drawDependencyLine(const GanttChartDependencyPtr& dependency,
                          const std::vector<Point>& polyline, const Color& color, double width,
                          double arrowWidth, double arrowLength, bool isHighlighted,
                          bool isFocused, bool isSelected, double highlightWidth,
                          double focusWidth, double selectionWidth) override;
  void drawDependencyLineThumb(const GanttChartItemPtr& item, GanttChartDependencyEndType type,
                               const Point& center, double radius, const Color& color) override;
  void drawTemporaryDependencyLine(const GanttChartItemPtr& from, const GanttChartItemPtr& to,
                                   GanttChartDependencyType type,
                                   const std::vector<Point>& polyline, const Color& color,
                                   double width, double arrowWidth, double arrowLength,
                                   double dashWidth) override;
  void drawTemporaryBar(const Rectangle& rectangle, const Color& color, double cornerRadius,
                        double dashWidth) override;
  void drawTimeArea(const ScheduleTimeSelector& selector, const Rectangle& rectangle,
                    const Color& fillColor) override;
  void drawTimeArea(const TimeSelector& selector, const Rectangle& rectangle,
                    const Color& backgroundColor) override;
  void drawTimeAreaBorder(const TimeSelector& selector, const Rectangle& rectangle,
                          const Line& line, double lineWidth, const Color& color) override;
  void drawTimeAreaLabel(const TimeSelector& selector, const Rectangle& rectangle,
                         const std::string& text, const Color& foregroundColor,
                         TextAlignment alignment, const Font& font,
                         VerticalTextAlignment verticalAlignment) override;
  std::optional<std::string> toolTip(const GanttChartItemPtr& item) override;
  std::optional<std::string> toolTip(const GanttChartDependencyPtr& dependency) override;

  // The brief form of every call so far.
  [[nodiscard]] std::vector<std::string> briefs() const;
  // The calls of one requirement, in order.
  [[nodiscard]] std::vector<PresenterCall> callsNamed(const std::string& name) const;

  std::vector<PresenterCall> calls;
  // Called after each recorded call, for tests that change things meanwhile.
  std::function<void(const PresenterCall&)> onCall;

 private:
  void record(PresenterCall call);

  std::weak_ptr<GanttChartContentController> controller_;
};

// A controller whose interaction state a test sets directly: the link thumb,
// the temporary line and bar, the focused and selected elements and the
// element at a point are answered from the public fields below while they
// are set (`elementAt` while it is a function), else as usual.
class TestableContentController : public GanttChartContentController {
 public:
  static std::shared_ptr<TestableContentController> create(
      std::vector<GanttChartItemPtr> items, std::vector<GanttChartDependencyPtr> dependencies = {});
  static std::shared_ptr<TestableContentController> create(GanttChartItemManagerPtr itemManager);

  [[nodiscard]] const std::optional<GanttChartDependencyLineThumbArea>& dependencyLineThumbArea()
      const override;
  [[nodiscard]] const std::optional<GanttChartTemporaryDependencyLine>& temporaryDependencyLine()
      const override;
  [[nodiscard]] const std::optional<GanttChartTemporaryBar>& temporaryBar() const override;
  [[nodiscard]] const std::optional<GanttChartElement>& focusedElement() const override;
  [[nodiscard]] const std::optional<GanttChartElement>& selectedElement() const override;
  [[nodiscard]] GanttChartElement element(const Point& point) const override;

  std::optional<GanttChartDependencyLineThumbArea> thumb;
  std::optional<GanttChartTemporaryDependencyLine> temporaryLine;
  std::optional<GanttChartTemporaryBar> temporaryBarValue;
  std::optional<GanttChartElement> focused;
  std::optional<GanttChartElement> selected;
  std::function<GanttChartElement(const Point&)> elementAt;

 protected:
  explicit TestableContentController(GanttChartItemManagerPtr itemManager)
      : GanttChartContentController(std::move(itemManager)) {}
};

}  // namespace vorlent::testing
