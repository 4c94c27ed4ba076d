#pragma once

#include <Qt>

namespace vorlent {

class StandardScrollView;

// A scroller that takes no room: the scroll view shows no bar in its
// orientation, so its viewport keeps that whole extent, yet it still
// scrolls that way by code, wheel, touchpad and keyboard (the hidden bar
// keeps its range and value). A time-scale header above a chart takes one
// in both orientations, so that it is exactly as high as its rows while it
// scrolls in step with the chart; a blank corner beside it stands for the
// chart's vertical scroll bar.
//
// In Qt a hidden scroller is the orientation's policy
// Qt::ScrollBarAlwaysOff on a StandardScrollView, whose scrolling does not
// depend on its bars being shown; this class names that choice.
class HiddenScroller {
 public:
  // The room the scroller takes from the viewport, whatever the style and
  // size: none.
  static constexpr int scrollerWidth() { return 0; }

  // Gives `scrollView` a hidden scroller in `orientation`.
  static void install(StandardScrollView& scrollView, Qt::Orientation orientation = Qt::Horizontal);
};

}  // namespace vorlent
