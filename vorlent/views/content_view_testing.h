#pragma once

// Test support for the chart area's view: a controller that answers as a
// test says and records what the view asks of it, and helpers that show a
// view as a user would find it.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPointF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/controllers/content_controller.h"
#include "vorlent/views/content_view.h"

namespace vorlent::testing {

// A content controller whose hit tests, cursors, tool tips and permissions
// are set by the test, and which logs each request of the view as
// "<operation>(<arguments>)", for example "beginDragging(10, 20)",
// "select(5, 7)", "addNewItem(2, milestone)". Everything else is the real
// controller's.
class ScriptedContentController : public GanttChartContentController {
 public:
  // Over an item source of `items`.
  static std::shared_ptr<ScriptedContentController> create(
      std::vector<GanttChartItemPtr> items = {});

  // The log, and a call made after each entry (for tests that re-enter).
  std::vector<std::string> requests;
  std::function<void(const std::string&)> onRequest;
  // Returns the log and empties it.
  std::vector<std::string> take();

  // The answers.
  std::optional<GanttChartElement> elementAnswer;  // what every point hits
  std::optional<Cursor> cursorAnswer;
  std::optional<Cursor> draggingCursorAnswer;
  std::optional<std::string> toolTipAnswer;
  // How often the view asked for a tool tip.
  int toolTipQuestions = 0;
  bool temporaryBarAnswer = true;
  bool canEditAnswer = false;

  GanttChartElement element(const Point& point) const override;
  void select(const Point& point) override;
  void activate(const Point& point) override;
  void focusElement(const Point& point, bool selecting, bool bringingToFront) override;
  void cancelFocus() override;
  const std::optional<GanttChartElement>& focusedElement() const override { return focused_; }
  bool showDependencyLineThumb(const Point& point) override;
  bool showTemporaryBar(const Point& point) override;
  void beginDragging(const Point& point, bool acceptScrolling) override;
  void continueDragging(const Point& point) override;
  void endDragging() override;
  void cancelDragging() override;
  std::optional<Cursor> draggingCursor() const override { return draggingCursorAnswer; }
  void shiftScrollableTimelineIfNeeded() override;
  bool canEdit(const GanttChartItemPtr& item) const override;
  bool canEdit(const GanttChartDependencyPtr& dependency) const override;
  void edit(const GanttChartItemPtr& item) override;
  void edit(const GanttChartDependencyPtr& dependency) override;
  void addNewItem(int64_t row, const Time& time, bool isMilestone) override;
  void removeItem(const GanttChartItemPtr& item) override;
  void removeDependency(const GanttChartDependencyPtr& dependency) override;
  std::optional<Cursor> cursor(const Point& point) const override;
  std::optional<std::string> toolTip(const Point& point) override;
  // Logged as "setPresenter(view)" or "setPresenter(none)".
  void setPresenter(std::weak_ptr<GanttChartContentPresenter> presenter) override;

 private:
  using GanttChartContentController::GanttChartContentController;
  void record(std::string entry);

  std::optional<GanttChartElement> focused_;
};

// "(x, y)" with the shortest exact spelling of each coordinate.
std::string pointText(const Point& point);

// Shows `widget` as the active window, as a user finds it.
void showActive(QWidget& widget);

// The colour at a point of an image, in the image's logical coordinates.
QColor pixelAt(const QImage& image, QPointF point);

// Whether two colours differ by at most `tolerance` in each 0...255
// component.
bool isNear(const QColor& actual, const QColor& expected, int tolerance = 3);

// A shown, active content view of `size` over `controller`, and a mouse on
// its canvas.
class ContentViewTest : public ::testing::Test {
 protected:
  explicit ContentViewTest(QSize size = QSize(400, 300));
  ~ContentViewTest() override;

  // The canvas point showing the document point `point` at the current
  // scroll.
  [[nodiscard]] QPointF canvasPoint(QPointF point) const;

  std::unique_ptr<GanttChartContent> view;
};

}  // namespace vorlent::testing
