#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <variant>

namespace vorlent {

// Which look the chart wears. The built-in palettes are `standard`, `aqua`
// and `jewel`; `generic` stands for the plain default styles; `none` records
// that the settings hold a default style a host assigned by hand; `custom`
// refers to a style a host has registered with a controller under a name.
//
// Equality means the same case and, for `custom`, the same name compared
// byte for byte; a custom theme called "standard" is
// still not `standard`.
class Theme {
 public:
  struct Standard {
    friend bool operator==(const Standard&, const Standard&) = default;
  };
  struct Aqua {
    friend bool operator==(const Aqua&, const Aqua&) = default;
  };
  struct Jewel {
    friend bool operator==(const Jewel&, const Jewel&) = default;
  };
  struct Generic {
    friend bool operator==(const Generic&, const Generic&) = default;
  };
  struct None {
    friend bool operator==(const None&, const None&) = default;
  };
  struct Custom {
    std::string name;
    friend bool operator==(const Custom&, const Custom&) = default;
  };
  // The alternatives in their fixed order; the index is the ordinal that
  // hashing feeds first.
  using Case = std::variant<Standard, Aqua, Jewel, Generic, None, Custom>;

  static Theme standard() { return Theme(Standard{}); }
  static Theme aqua() { return Theme(Aqua{}); }
  static Theme jewel() { return Theme(Jewel{}); }
  static Theme generic() { return Theme(Generic{}); }
  static Theme none() { return Theme(None{}); }
  static Theme custom(std::string name) { return Theme(Custom{std::move(name)}); }
  // The custom theme of that name.
  static Theme named(std::string name) { return custom(std::move(name)); }

  [[nodiscard]] const Case& value() const { return value_; }
  // 0 standard, 1 aqua, 2 jewel, 3 generic, 4 none, 5 custom.
  [[nodiscard]] size_t ordinal() const { return value_.index(); }
  [[nodiscard]] bool isCustom() const { return std::holds_alternative<Custom>(value_); }
  // The name of a custom theme; nullptr for the other cases.
  [[nodiscard]] const std::string* customName() const;
  // True for the three colour sets that have presets of their own.
  [[nodiscard]] bool isBuiltInColorSet() const { return value_.index() <= 2; }

  friend bool operator==(const Theme&, const Theme&) = default;

 private:
  explicit Theme(Case value) : value_(std::move(value)) {}

  Case value_;
};

// "standard", "aqua", "jewel", "generic", "none" or "custom(NAME)".
std::ostream& operator<<(std::ostream& out, const Theme& theme);

}  // namespace vorlent

template <>
struct std::hash<vorlent::Theme> {
  // The ordinal, then for a custom theme its name, so equal themes hash alike.
  size_t operator()(const vorlent::Theme& theme) const noexcept;
};
