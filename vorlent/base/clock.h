#pragma once

#include <optional>

#include "vorlent/base/date.h"

namespace vorlent {

// The one source of "now" in the library. By default it reads the system
// clock; tests pin it with `setNow` (and release it with `std::nullopt`) so
// that nothing depends on the real date.
class Clock {
 public:
  static Date now();
  static void setNow(std::optional<Date> fixed);
  // The pinned time, or std::nullopt while the clock follows the system
  // clock; lets a manual run loop move a pinned clock along with its own.
  [[nodiscard]] static std::optional<Date> pinned();
};

// Pins the clock for the lifetime of the object and restores the previous
// setting afterwards; for tests.
class ScopedClock {
 public:
  explicit ScopedClock(Date fixed);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  std::optional<Date> previous_;
};

}  // namespace vorlent
