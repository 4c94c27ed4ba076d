#include "vorlent/style/theme_constants.h"

#include <limits>

namespace vorlent {

const std::optional<Color>& darkBackgroundColor() {
  static const std::optional<Color> color =
      kPlatformPaintsDarkWindowBackground ? std::nullopt : std::optional<Color>(Color::dark());
  return color;
}

const Color& darkHighlightingTimeFillColor() {
  static const Color color("#8038383a");
  return color;
}

const Color& darkHeaderBackgroundColor() {
  static const Color color("#38383a");
  return color;
}

double unboundedDiagramExtent() { return std::numeric_limits<double>::infinity(); }

}  // namespace vorlent
