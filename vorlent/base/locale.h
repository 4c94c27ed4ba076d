#pragma once

#include <string>
#include <utility>

namespace vorlent {

// A locale by its ICU / BCP 47 identifier ("en_US", "de-DE", "fr"). An empty
// identifier means ICU's default locale.
struct Locale {
  std::string identifier;

  Locale() = default;
  explicit Locale(std::string id) : identifier(std::move(id)) {}

  friend bool operator==(const Locale&, const Locale&) = default;
};

}  // namespace vorlent
