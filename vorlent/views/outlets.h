#pragma once

// What the views' set-up steps share: the check of the children a set-up
// must supply, and the layout that pins a child to its parent.

class QVBoxLayout;
class QWidget;

namespace vorlent::detail {

// A vertical layout of `owner` without margins or spacing, so that what is
// added to it fills the owner edge to edge.
QVBoxLayout* fillingLayout(QWidget* owner);

// A fatal stop when `outlet` is null, naming the view and the outlet that
// its set-up left empty.
void requireOutlet(const void* outlet, const char* view, const char* name);

}  // namespace vorlent::detail
