#pragma once

#include <cstdint>
#include <iosfwd>
#include <variant>
#include <vector>

#include "vorlent/graphics/point.h"
#include "vorlent/graphics/rectangle.h"
#include "vorlent/model/dependency.h"
#include "vorlent/model/item.h"
#include "vorlent/time/time.h"

namespace vorlent {

// The small values through which the chart area's controller tells its view,
// presenter and host what lies under a point and what an interaction in
// progress is doing. Only the controller makes them; hosts read them. Items
// and dependencies inside are the shared model objects themselves.

// What a drag starting at a point of a bar would do. Compared and hashed by
// case (the standard hash of an enumeration).
enum class GanttChartBarElementAction {
  none,                           // no drag is possible from here
  move,                           // move the bar in time
  resize,                         // move its finish
  resizeAtStart,                  // move its start
  resizeCompletion,               // move the end of its completed part
  createDependencyLine,           // draw a dependency from its finish
  createDependencyLineFromStart,  // draw a dependency from its start
  moveVertically,                 // move the item to another row
};

std::ostream& operator<<(std::ostream& out, GanttChartBarElementAction action);

// A spot of the chart area as the model sees it: a row (0 at the top; not
// limited to the rows that exist) and a time. A host may change the copy it
// is handed; the controller keeps its own.
struct GanttChartPosition {
  int64_t row = 0;
  Time time;
};

// Prints "row <row> at <time>".
std::ostream& operator<<(std::ostream& out, const GanttChartPosition& position);

// What a point of the chart area hits: a bar, a dependency line or empty
// space, with what the context menu may offer there. No equality: where the
// controller compares elements it compares their kind and the identity of
// their item or dependency (`isSameElement`).
class GanttChartElement {
 public:
  struct Bar {
    GanttChartItemPtr item;
    GanttChartBarElementAction action = GanttChartBarElementAction::none;
    bool allowsDeleting = false;
  };
  struct DependencyLine {
    GanttChartDependencyPtr dependency;
    bool allowsDeleting = false;
  };
  struct EmptyArea {
    // The row and the time, snapped to the time scale, under the point.
    GanttChartPosition position;
    bool allowsCreating = false;
    bool allowsMilestone = false;
  };
  using Value = std::variant<Bar, DependencyLine, EmptyArea>;

  // A null item or dependency is a fatal stop.
  static GanttChartElement bar(GanttChartItemPtr item, GanttChartBarElementAction action,
                               bool allowsDeleting);
  static GanttChartElement dependencyLine(GanttChartDependencyPtr dependency,
                                          bool allowsDeleting);
  static GanttChartElement emptyArea(const GanttChartPosition& position, bool allowsCreating,
                                     bool allowsMilestone);

  [[nodiscard]] const Value& value() const { return value_; }
  // The payload of one case, or null when the value is of another case.
  template <class Case>
  [[nodiscard]] const Case* as() const {
    return std::get_if<Case>(&value_);
  }
  template <class Case>
  [[nodiscard]] bool is() const {
    return std::holds_alternative<Case>(value_);
  }

  // True when both are bars of the very same item object, or both lines of
  // the very same dependency object; actions and flags are not compared.
  // Empty areas are never the same element.
  [[nodiscard]] bool isSameElement(const GanttChartElement& other) const;

 private:
  explicit GanttChartElement(Value value) : value_(std::move(value)) {}

  Value value_;
};

// Prints the case with its item's or dependency's label, or its position.
std::ostream& operator<<(std::ostream& out, const GanttChartElement& element);

// The drag under way. `span` is fixed when the drag begins: the working
// time, in seconds of the controller's visibility schedule, from the item's
// reference time (its start when moving or resizing at the start, its finish
// when resizing, where its completion reaches when resizing the completion)
// to the time under the pointer.
class GanttChartDraggingOperation {
 public:
  // Dragging empty space to scroll; `from` is where the drag began.
  struct Scrolling {
    Point from;
  };
  struct MovingBar {
    GanttChartItemPtr item;
    double span = 0;
  };
  struct ResizingBar {
    GanttChartItemPtr item;
    double span = 0;
  };
  struct ResizingBarAtStart {
    GanttChartItemPtr item;
    double span = 0;
  };
  struct ResizingCompletionBar {
    GanttChartItemPtr item;
    double span = 0;
  };
  // A new dependency is being drawn from the `fromType` end of `from`.
  struct CreatingDependencyLine {
    GanttChartItemPtr from;
    GanttChartDependencyEndType fromType = GanttChartDependencyEndType::finish;
  };
  struct MovingBarVertically {
    GanttChartItemPtr item;
  };
  using Value = std::variant<Scrolling, MovingBar, ResizingBar, ResizingBarAtStart,
                             ResizingCompletionBar, CreatingDependencyLine, MovingBarVertically>;

  static GanttChartDraggingOperation scrolling(const Point& from);
  static GanttChartDraggingOperation movingBar(GanttChartItemPtr item, double span);
  static GanttChartDraggingOperation resizingBar(GanttChartItemPtr item, double span);
  static GanttChartDraggingOperation resizingBarAtStart(GanttChartItemPtr item, double span);
  static GanttChartDraggingOperation resizingCompletionBar(GanttChartItemPtr item, double span);
  static GanttChartDraggingOperation creatingDependencyLine(GanttChartItemPtr from,
                                                            GanttChartDependencyEndType fromType);
  static GanttChartDraggingOperation movingBarVertically(GanttChartItemPtr item);

  [[nodiscard]] const Value& value() const { return value_; }
  template <class Case>
  [[nodiscard]] const Case* as() const {
    return std::get_if<Case>(&value_);
  }
  template <class Case>
  [[nodiscard]] bool is() const {
    return std::holds_alternative<Case>(value_);
  }

 private:
  explicit GanttChartDraggingOperation(Value value) : value_(std::move(value)) {}

  Value value_;
};

// What releasing the mouse now would complete.
class GanttChartDraggingCompletion {
 public:
  // The dependency being drawn would link to the `toType` end of `to`.
  struct WouldCreateDependencyLine {
    GanttChartItemPtr to;
    GanttChartDependencyEndType toType = GanttChartDependencyEndType::start;
  };
  using Value = std::variant<WouldCreateDependencyLine>;

  static GanttChartDraggingCompletion wouldCreateDependencyLine(GanttChartItemPtr to,
                                                                GanttChartDependencyEndType toType);

  [[nodiscard]] const Value& value() const { return value_; }
  template <class Case>
  [[nodiscard]] const Case* as() const {
    return std::get_if<Case>(&value_);
  }
  template <class Case>
  [[nodiscard]] bool is() const {
    return std::holds_alternative<Case>(value_);
  }

 private:
  explicit GanttChartDraggingCompletion(Value value) : value_(std::move(value)) {}

  Value value_;
};

// The link thumb shown at one end of a bar, from which a new dependency is
// dragged.
struct GanttChartDependencyLineThumbArea {
  GanttChartItemPtr item;
  // `start` for a thumb at the bar's left edge, `finish` at its right edge.
  GanttChartDependencyEndType type = GanttChartDependencyEndType::finish;
  // What counts as hitting the thumb: a strip just outside the bar's edge.
  Rectangle bounds;
  // Where the thumb is drawn: the bar's edge at its vertical middle.
  Point center;
  double radius = 0;
};

// The line drawn while a dependency is being created.
struct GanttChartTemporaryDependencyLine {
  GanttChartItemPtr from;
  GanttChartDependencyEndType fromType = GanttChartDependencyEndType::finish;
  // The item the line would link to; null while the pointer is over no valid
  // target (the line then ends at the pointer and `toType` is `start`).
  GanttChartItemPtr to;
  GanttChartDependencyEndType toType = GanttChartDependencyEndType::start;
  std::vector<Point> polyline;
};

// The dashed outline shown where a new item would be created.
struct GanttChartTemporaryBar {
  Rectangle bounds;
};

}  // namespace vorlent
