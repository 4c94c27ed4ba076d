#include "vorlent/base/fatal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorlent {

void fatalStop(std::string_view message) {
  std::fprintf(stderr, "vorlent: fatal: %.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
  std::abort();
}

namespace {

[[noreturn]] void overflow(std::string_view what) {
  fatalStop(std::string(what) + " overflowed the 64-bit range");
}

}  // namespace

int64_t checkedAdd(int64_t a, int64_t b, std::string_view what) {
  int64_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) overflow(what);
  return result;
}

int64_t checkedSubtract(int64_t a, int64_t b, std::string_view what) {
  int64_t result = 0;
  if (__builtin_sub_overflow(a, b, &result)) overflow(what);
  return result;
}

int64_t checkedMultiply(int64_t a, int64_t b, std::string_view what) {
  int64_t result = 0;
  if (__builtin_mul_overflow(a, b, &result)) overflow(what);
  return result;
}

int64_t checkedInt64(double value, std::string_view what) {
  if (!std::isfinite(value)) fatalStop(std::string(what) + " got a value that is not finite");
  // 2^63 is exact in a double; every double below it (and at or above -2^63)
  // truncates to a representable integer.
  constexpr double kLimit = 9223372036854775808.0;
  if (value >= kLimit || value < -kLimit) {
    fatalStop(std::string(what) + " got a value beyond the 64-bit range");
  }
  return static_cast<int64_t>(value);
}

}  // namespace vorlent
