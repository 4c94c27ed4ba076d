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

// Counts, while it lives, a call into a view that Qt's delivery of an event
// to one of the view's children made, in a counter that outlives the view:
// Qt goes on inside that child once the call returns, also when a host has
// destroyed the view meanwhile.
class EventCall {
 public:
  explicit EventCall(const std::shared_ptr<int>& counter) : counter_(counter) { ++*counter_; }
  ~EventCall() { --*counter_; }
  EventCall(const EventCall&) = delete;
  EventCall& operator=(const EventCall&) = delete;

 private:
  std::shared_ptr<int> counter_;
};

// For a view destroyed during such a call: takes `child` (which holds the
// widgets Qt is still inside) out of the view, hidden, and deletes it on a
// later turn instead of with the view.
void deleteChildLater(QWidget* child);

}  // namespace vorlent::detail
