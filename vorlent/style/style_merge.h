#pragma once

#include <optional>
#include <unordered_map>

// The three ways an override field is laid onto a complete style. Shared by
// the chart area's and the header's generated merges.
namespace vorlent::detail {

// A set override replaces the base value whole (arrays, fonts and row styles
// are never merged inside).
template <class T>
T mergedField(const std::optional<T>& override, const T& base) {
  return override.has_value() ? *override : base;
}

// For values that may be absent in the base too (std::optional, selector
// pointers): an absent override keeps the base's value, absent or not, so an
// override can replace a value but never clear it.
template <class T>
T mergedOptionalField(const T& override, const T& base) {
  return override ? override : base;
}

// The union of both dictionaries; where both hold a key, the override wins.
// There is deliberately no way to remove a base entry.
template <class K, class V>
std::unordered_map<K, V> mergedDictionary(const std::unordered_map<K, V>& override,
                                          const std::unordered_map<K, V>& base) {
  std::unordered_map<K, V> result = base;
  for (const auto& [key, value] : override) result.insert_or_assign(key, value);
  return result;
}

}  // namespace vorlent::detail
