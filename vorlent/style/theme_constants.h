#pragma once

#include <optional>

#include "vorlent/graphics/color.h"

namespace vorlent {

// Whether the platform paints a dark window background itself in dark mode,
// in which case the dark presets leave their backgrounds unset and let it
// show. Our platform layer paints none, so the presets paint `Color::dark()`.
// This is the one place that decides it.
inline constexpr bool kPlatformPaintsDarkWindowBackground = false;

// The background of the dark presets: nullopt where the platform paints one
// itself (see above), else `Color::dark()`.
[[nodiscard]] const std::optional<Color>& darkBackgroundColor();
// "#8038383a": the highlighting fills of the built-in themes in dark mode.
[[nodiscard]] const Color& darkHighlightingTimeFillColor();
// "#38383a": the header background of the built-in themes in dark mode,
// whatever the platform paints.
[[nodiscard]] const Color& darkHeaderBackgroundColor();
// Positive infinity: the extent of a diagram that is not bounded in a
// direction, read when the chart area's whole size is computed.
[[nodiscard]] double unboundedDiagramExtent();

}  // namespace vorlent
