#pragma once

#include <cstdint>
#include <string_view>

namespace vorlent {

// A programming error the library cannot recover from: prints the message on
// stderr and aborts. Never returns.
[[noreturn]] void fatalStop(std::string_view message);

// Checked 64-bit arithmetic: a result that does not fit is a fatal stop
// naming `what`.
int64_t checkedAdd(int64_t a, int64_t b, std::string_view what = "integer addition");
int64_t checkedSubtract(int64_t a, int64_t b, std::string_view what = "integer subtraction");
int64_t checkedMultiply(int64_t a, int64_t b, std::string_view what = "integer multiplication");

// Converts a double to int64_t; a non-finite value or one outside the 64-bit
// range is a fatal stop. The value is truncated toward zero.
int64_t checkedInt64(double value, std::string_view what = "double to integer conversion");

// Floor division and the matching non-negative modulo (b > 0 required).
constexpr int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
// Built on `%` rather than a - b * floorDiv(a, b), which overflows near INT64_MIN.
constexpr int64_t floorMod(int64_t a, int64_t b) {
  const int64_t r = a % b;
  return (r != 0 && ((r < 0) != (b < 0))) ? r + b : r;
}

}  // namespace vorlent
