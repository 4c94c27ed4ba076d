#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace vorlent {

// The appearance variant of a theme.
enum class Mode { light, dark };

// Tells a controller which appearance variant its environment (normally the
// view showing it) is in. Read each time a theme is applied, so
// implementations answer from the current state rather than a cached value.
class ModeProvider {
 public:
  virtual ~ModeProvider() = default;
  [[nodiscard]] virtual Mode mode() const = 0;
};

// The key under which a controller keeps the base style a host registered
// for one of its own named themes. Library-internal: hosts register and read
// styles through the controllers, never with this key directly. An absent
// mode registers the style for every mode, and is a key of its own: (Brand,
// nullopt) and (Brand, light) are different entries.
struct CustomThemeReference {
  std::string name;
  std::optional<Mode> mode = std::nullopt;

  friend bool operator==(const CustomThemeReference&, const CustomThemeReference&) = default;
};

std::ostream& operator<<(std::ostream& out, Mode mode);
std::ostream& operator<<(std::ostream& out, const CustomThemeReference& reference);

}  // namespace vorlent

template <>
struct std::hash<vorlent::CustomThemeReference> {
  // Hashes the name, then whether a mode is present and, if so, the mode.
  size_t operator()(const vorlent::CustomThemeReference& reference) const noexcept;
};
