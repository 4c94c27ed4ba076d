#pragma once

// What the views' set-up steps share: the check of the children a set-up
// must supply, and the layout that pins a child to its parent; and how a
// view destroyed while Qt is inside its children lets them go.

#include <memory>

class QVBoxLayout;
class QWidget;

namespace vorlent::detail {

// A vertical layout of `owner` without margins or spacing, so that what is
// added to it fills the owner edge to edge.
QVBoxLayout* fillingLayout(QWidget* owner);

// A fatal stop when `outlet` is null, naming the view and the outlet that
// its set-up left empty.
void requireOutlet(const void* outlet, const char* view, const char* name);

// Counts, while it lives, a call into a view (from its controller, or from
// Qt's delivery of an event to one of its children), in a counter that
// outlives the view: a view destroyed by a host during such a call knows that
// its caller goes on once the call returns.
class CountedCall {
 public:
  explicit CountedCall(const std::shared_ptr<int>& counter) : counter_(counter) { ++*counter_; }
  ~CountedCall() { --*counter_; }
  CountedCall(const CountedCall&) = delete;
  CountedCall& operator=(const CountedCall&) = delete;

 private:
  std::shared_ptr<int> counter_;
};

// For a view destroyed during such a call: takes `child` (which holds the
// widgets Qt is still inside) out of the view, hidden, and deletes it on a
// later turn instead of with the view.
void deleteChildLater(QWidget* child);

}  // namespace vorlent::detail
