#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace vorlent {

// A font request. A missing name means the system font and a missing size
// the system font size, so the view layer fills them in when it draws.
// `Font{name, size}` or `Font(name, size)` store both.
struct Font {
  std::optional<std::string> name = std::nullopt;
  std::optional<double> size = std::nullopt;

  // The system font at the system size (both fields absent); made once.
  static const Font& system();

  friend bool operator==(const Font&, const Font&) = default;
};

std::ostream& operator<<(std::ostream& out, const Font& font);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Font> {
  // Hashes the name (or its absence), then the size (or its absence).
  size_t operator()(const vorlent::Font& font) const noexcept;
};
