#pragma once

// Checks of the children a view's set-up step must supply.

namespace vorlent::detail {

// A fatal stop when `outlet` is null, naming the view and the outlet that
// its set-up left empty.
void requireOutlet(const void* outlet, const char* view, const char* name);

}  // namespace vorlent::detail
