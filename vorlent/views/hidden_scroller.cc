#include "vorlent/views/hidden_scroller.h"

#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {

void HiddenScroller::install(StandardScrollView& scrollView, Qt::Orientation orientation) {
  if (orientation == Qt::Horizontal) {
    scrollView.setHasHorizontalScroller(false);
  } else {
    scrollView.setHasVerticalScroller(false);
  }
}

}  // namespace vorlent
