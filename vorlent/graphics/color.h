#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace vorlent {

// A colour as red, green, blue and alpha components, each meant to lie in
// 0...1 but not clamped. Equality compares the four components exactly.
//
// The named colours are static functions. The three whose names are also
// component fields take a `Color` suffix (`redColor()`, `greenColor()`,
// `blueColor()`); the others keep their plain names (`black()`, `orange()`).
struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 0;

  // Transparent black.
  constexpr Color() = default;
  constexpr Color(double r, double g, double b, double a) : red(r), green(g), blue(b), alpha(a) {}

  // Parses hexadecimal colour text, alpha first (AARRGGBB). Whitespace around
  // the text and one leading "#" are ignored; texts shorter than 8 characters
  // are padded in front with "F", so RRGGBB is opaque and "" is opaque white.
  // The number is read from the start up to the first non-hex character (an
  // optional 0X prefix allowed) and only its low 32 bits are used; text that
  // starts with no hex digit reads as 0 (transparent black), and a number too
  // large for 64 bits saturates to all ones. Never fails.
  explicit Color(std::string_view hexText);

  static constexpr Color black() { return {0, 0, 0, 1}; }
  static constexpr Color redColor() { return {1, 0, 0, 1}; }
  static constexpr Color greenColor() { return {0, 1, 0, 1}; }
  static constexpr Color blueColor() { return {0, 0, 1, 1}; }
  static constexpr Color cyan() { return {0, 1, 1, 1}; }
  static constexpr Color yellow() { return {1, 1, 0, 1}; }
  static constexpr Color magenta() { return {1, 0, 1, 1}; }
  static constexpr Color white() { return {1, 1, 1, 1}; }
  static constexpr Color darkRed() { return {0.5, 0, 0, 1}; }
  static constexpr Color darkGreen() { return {0, 0.5, 0, 1}; }
  static constexpr Color darkBlue() { return {0, 0, 0.5, 1}; }
  static constexpr Color teal() { return {0, 0.5, 0.5, 1}; }
  static constexpr Color brown() { return {0.5, 0.5, 0, 1}; }
  static constexpr Color purple() { return {0.5, 0, 0.5, 1}; }
  static constexpr Color gray() { return {0.5, 0.5, 0.5, 1}; }
  static constexpr Color silver() { return {0.75, 0.75, 0.75, 1}; }
  static constexpr Color orange() { return {1, 0.5, 0, 1}; }
  // The default bar fill.
  static constexpr Color lightBlue() { return {1.0 / 3, 2.0 / 3, 1, 0.875}; }
  // The default highlighting fill.
  static constexpr Color highlight() { return {0.75, 0.75, 0.75, 0.125}; }
  // The default background of alternative rows.
  static constexpr Color alternative() { return {0.5, 0.5, 0.5, 0.05}; }
  static constexpr Color dark() { return {0.125, 0.125, 0.125, 1}; }

  friend bool operator==(const Color&, const Color&) = default;
};

std::ostream& operator<<(std::ostream& out, const Color& color);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Color> {
  // Hashes red, green, blue, alpha in order, with -0 hashed as 0.
  size_t operator()(const vorlent::Color& color) const noexcept;
};
