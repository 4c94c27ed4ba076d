#pragma once

#include "vorlent/graphics/rectangle.h"
#include "vorlent/graphics/size.h"

namespace vorlent::detail {

// The least margin of the drawing bounds, and how far they may reach beyond
// the viewport at most: far enough that nothing drawn at the cut can be seen,
// near enough that every coordinate fits a painter's integer device space.
inline constexpr double kMinDrawingMargin = 100;
inline constexpr double kMaxDrawingReach = 16777216;  // 2^24

// How far a drawing pass may paint: the diagram (of size `diagram`, from the
// origin) and the viewport, grown by a margin of one viewport size (at least
// `kMinDrawingMargin`), and never more than `kMaxDrawingReach` beyond the
// viewport. An unbounded or undefined diagram length reaches as far as the
// viewport. Rectangles handed to a presenter are cut to these bounds, so an
// infinite time area or background stays paintable.
[[nodiscard]] Rectangle drawingBounds(const Rectangle& viewport, const Size& diagram);

// `diagram` cut to what `drawingBounds` lets a pass paint from the origin; a
// negative or undefined length is 0.
[[nodiscard]] Size paintableDiagramSize(const Rectangle& viewport, const Size& diagram);

// `paintableDiagramSize` of the diagram stretched to the viewport's right
// edge: what a view shows beside a diagram narrower than itself is painted
// as the diagram's own background, not left blank (below the diagram the
// rows go on instead). An undefined width stretches to the viewport's edge.
[[nodiscard]] Size filledDiagramSize(const Rectangle& viewport, const Size& diagram);

}  // namespace vorlent::detail
