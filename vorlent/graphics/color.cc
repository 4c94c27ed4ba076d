#include "vorlent/graphics/color.h"

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

#include "vorlent/base/hashing.h"

namespace vorlent {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Splits UTF-8 text into code points, so that padding counts characters
// rather than bytes. A malformed byte becomes one replacement character:
// it can never be a hex digit, so only its place in the count matters.
std::vector<char32_t> decodeUtf8(std::string_view text) {
  std::vector<char32_t> result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t codePoint = 0;
    if (lead < 0x80) {
      length = 1;
      codePoint = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      codePoint = lead & 0x07;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (valid) {
      result.push_back(codePoint);
      i += length;
    } else {
      result.push_back(kReplacementCharacter);
      i += 1;
    }
  }
  return result;
}

// Unicode white space, line and paragraph separators included.
bool isWhitespaceOrNewline(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

int hexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A') + 10;
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a') + 10;
  return -1;
}

// Reads an unsigned hexadecimal number from the start of `text` the way a
// text scanner does: leading white space skipped, an optional 0X prefix
// (taken only when a digit follows it), digits up to the first other
// character. Nothing readable gives 0; more than 64 bits saturates to all
// ones instead of wrapping.
uint64_t scanHexInt64(const std::vector<char32_t>& text) {
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  size_t i = 0;
  while (i < text.size() && isWhitespaceOrNewline(text[i])) ++i;
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'X' || text[i + 1] == 'x') &&
      hexDigitValue(text[i + 2]) >= 0) {
    i += 2;
  }
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = hexDigitValue(text[i]);
    if (digit < 0) break;
    value = value > (kMax >> 4) ? kMax : (value << 4) | static_cast<uint64_t>(digit);
  }
  return value;
}

double channel(uint64_t argb, int shift) {
  return static_cast<double>((argb >> shift) & 0xFF) / 255.0;
}

}  // namespace

Color::Color(std::string_view hexText) {
  std::vector<char32_t> text = decodeUtf8(hexText);

  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isWhitespaceOrNewline(text[begin])) ++begin;
  while (end > begin && isWhitespaceOrNewline(text[end - 1])) --end;
  if (begin < end && text[begin] == '#') ++begin;
  text.erase(text.begin() + static_cast<std::ptrdiff_t>(end), text.end());
  text.erase(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(begin));
  // Only ASCII letters can become hex digits or the X of the prefix, so
  // upper-casing anything else could not change what is read.
  for (char32_t& c : text) {
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
  }

  // Short forms are padded in front: RRGGBB becomes FFRRGGBB (opaque).
  if (text.size() < 8) text.insert(text.begin(), 8 - text.size(), U'F');

  const uint64_t argb = scanHexInt64(text) & 0xFFFFFFFFULL;
  alpha = channel(argb, 24);
  red = channel(argb, 16);
  green = channel(argb, 8);
  blue = channel(argb, 0);
}

std::ostream& operator<<(std::ostream& out, const Color& color) {
  return out << "Color(" << color.red << ", " << color.green << ", " << color.blue << ", "
             << color.alpha << ")";
}

}  // namespace vorlent

size_t std::hash<vorlent::Color>::operator()(const vorlent::Color& color) const noexcept {
  size_t seed = 0;
  for (double value : {color.red, color.green, color.blue, color.alpha}) {
    vorlent::detail::hashCombine(seed, vorlent::detail::hashDouble(value));
  }
  return seed;
}
